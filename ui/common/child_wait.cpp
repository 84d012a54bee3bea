#include "ui/common/child_wait.h"

#include "core/text/dravik2_auxillary.h"
#include "ui/common/display_text.h"

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QStatusBar>
#include <QWidget>

namespace dravik::ui {

namespace {

// Long enough for the window system to hand over what it queued during the
// wait; the drain ends earlier as soon as nothing is left.
constexpr int kDrainMs = 200;

// Swallows the user's clicks, keys and shortcuts; everything else (painting,
// moves, timers) passes.
class DropInput : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonRelease:
        case QEvent::NonClientAreaMouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
            return true;
        default:
            return QObject::eventFilter(watched, event);
        }
    }
};

}  // namespace

ChildWait::ChildWait(const std::string& program)
{
    std::string name = NameOfFile(program);
    if (name.empty())
        name = program;
    text_ = QStringLiteral("Waiting for %1 to end").arg(NativeText(name));
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
    DropInput drop;
    QCoreApplication::instance()->installEventFilter(&drop);
    QCoreApplication::processEvents(QEventLoop::AllEvents, kDrainMs);
    QCoreApplication::instance()->removeEventFilter(&drop);

    QApplication::restoreOverrideCursor();
    for (const QPointer<QStatusBar>& bar : bars_)
        if (bar && bar->currentMessage() == text_)
            bar->clearMessage();
}

}  // namespace dravik::ui
