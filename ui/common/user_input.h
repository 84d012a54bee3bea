// The user's clicks and keys while the program is busy with a command of its
// own (a child process, a long load or save): they are not carried out once
// it has ended, as replayed later they would start commands the user never
// saw coming.
#pragma once

#include <QObject>

class QEvent;

namespace dravik::ui {

// Swallows, while installed on the application, the user's clicks, keys and
// shortcuts; everything else (painting, moves, timers) passes.
class DropUserInput : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

bool IsUserInput(const QEvent* event);

// Lets the window system hand over what it queued meanwhile, and throws the
// user's input among it away.
void DropQueuedUserInput();

}  // namespace dravik::ui
