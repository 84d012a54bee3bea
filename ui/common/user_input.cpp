#include "ui/common/user_input.h"

#include <QCoreApplication>
#include <QEvent>

namespace dravik::ui {

namespace {

// Long enough for the window system to hand over what it queued during the
// wait; the drain ends earlier as soon as nothing is left.
constexpr int kDrainMs = 200;

}  // namespace

bool IsUserInput(const QEvent* event)
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
        return false;
    }
}

bool DropUserInput::eventFilter(QObject* watched, QEvent* event)
{
    return IsUserInput(event) || QObject::eventFilter(watched, event);
}

void DropQueuedUserInput()
{
    DropUserInput drop;
    QCoreApplication::instance()->installEventFilter(&drop);
    QCoreApplication::processEvents(QEventLoop::AllEvents, kDrainMs);
    QCoreApplication::instance()->removeEventFilter(&drop);
}

}  // namespace dravik::ui
