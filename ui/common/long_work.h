// A command that runs over many files: while it works the window's menu
// items are disabled and the user's clicks, keys and close requests are
// dropped, so no other command can start, and a progress box counts the
// files done and keeps the windows painting. What the event loop still
// reaches meanwhile (a focus change, a timer) finds the tables half done:
// a handler that would start a command or ask about them asks Running() first.
#pragma once

#include "core/document/desc_document.h"
#include "ui/common/user_input.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <vector>

class QAction;
class QProgressDialog;
class QWidget;

namespace dravik::ui {

class LongWork {
public:
    LongWork(QWidget* window, QString label);
    ~LongWork();
    LongWork(const LongWork&) = delete;
    LongWork& operator=(const LongWork&) = delete;

    // For the core's long commands.
    Progress progress();

    // Whether a long command is under way.
    static bool Running();

private:
    // A close request would ask about the half-done tables: it is dropped
    // with the clicks and keys.
    class DropInputAndClosing : public DropUserInput {
    protected:
        bool eventFilter(QObject* watched, QEvent* event) override;
    };

    void show(int done, int total);

    QWidget* window_;
    QString label_;
    std::vector<QPointer<QAction>> disabled_;
    QProgressDialog* box_ = nullptr;
    QElapsedTimer sinceShown_;
    DropInputAndClosing dropInput_;
};

}  // namespace dravik::ui
