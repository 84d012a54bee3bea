#include "ui/common/child_wait.h"

#include "core/text/dravik2_auxillary.h"
#include "ui/common/display_text.h"
#include "ui/common/user_input.h"

#include <QApplication>
#include <QStatusBar>
#include <QWidget>

namespace dravik::ui {

ChildWait::ChildWait(const std::string& program)
{
    std::string name = NameOfFile(program);
    if (name.empty())
        name = program;
    text_ = QCoreApplication::translate("ChildWait", "Waiting for %1 to end").arg(NativeText(name));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible())
            continue;
        if (auto* bar = window->findChild<QStatusBar*>()) {
            bar->showMessage(text_);
            bars_.emplace_back(bar);
        }
    }
    // One pass so that the menu or button that got us here is let go and the
    // windows show the above before they stop; the user's input stays queued.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

ChildWait::~ChildWait()
{
    DropQueuedUserInput();
    QApplication::restoreOverrideCursor();
    for (const QPointer<QStatusBar>& bar : bars_)
        if (bar && bar->currentMessage() == text_)
            bar->clearMessage();
}

}  // namespace dravik::ui
