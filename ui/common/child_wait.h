// While the program waits for a child process (an archive tool, the game or
// the map editor) its windows are not serviced: they neither repaint nor
// take input until the child has ended. A ChildWait around the run says so
// before the wait begins, with a wait cursor and, in the status bar of every
// shown window, the name of the program waited for. When the wait is over it
// throws away the clicks and keys that piled up meanwhile: replayed later,
// they would start commands the user never saw coming (three clicks on Pack
// during a run would pack three more times).
#pragma once

#include <QPointer>
#include <QString>

#include <string>
#include <vector>

class QStatusBar;

namespace dravik::ui {

class ChildWait {
public:
    // `program`: the path of the program waited for; its file name is shown.
    explicit ChildWait(const std::string& program);
    ~ChildWait();
    ChildWait(const ChildWait&) = delete;
    ChildWait& operator=(const ChildWait&) = delete;

private:
    QString text_;
    std::vector<QPointer<QStatusBar>> bars_;
};

}  // namespace dravik::ui
