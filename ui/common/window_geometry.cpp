#include "ui/common/window_geometry.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>
#include <QWidget>
#include <algorithm>

namespace dravik::ui {

int ClampedPaneWidth(int stored, int available)
{
    available = std::max(available, 0);
    const int minimum = std::min(kMinimumPaneWidth, available / 3);
    return std::clamp(stored, minimum, available - minimum);
}

QRect FitInto(const QRect& frame, const QRect& available)
{
    const QSize size = frame.size().boundedTo(available.size());
    const int x = std::clamp(frame.x(), available.left(), available.left() + available.width() - size.width());
    const int y = std::clamp(frame.y(), available.top(), available.top() + available.height() - size.height());
    return {QPoint(x, y), size};
}

void KeepPanesUsable(QSplitter* splitter)
{
    for (int i = 0; i < splitter->count(); ++i)
        splitter->widget(i)->setMinimumWidth(kMinimumPaneWidth);
}

namespace {

class FitOnFirstShow : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            fit(static_cast<QWidget*>(watched));
            deleteLater();
            watched->removeEventFilter(this);
        }
        return false;
    }

private:
    static void fit(QWidget* window)
    {
        if (window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
            return;
        const QRect frame = window->frameGeometry();
        const QScreen* screen = QGuiApplication::screenAt(frame.center());
        if (!screen)
            screen = window->screen();
        if (!screen)
            return;
        const QRect fitted = FitInto(frame, screen->availableGeometry());
        if (fitted == frame)
            return;
        window->resize(window->size() - (frame.size() - fitted.size()));
        window->move(fitted.topLeft());
    }
};

}  // namespace

void FitOnScreenWhenShown(QWidget* window) { window->installEventFilter(new FitOnFirstShow(window)); }

}  // namespace dravik::ui
