#include "ui/common/window_geometry.h"

#include <QAction>
#include <QDockWidget>
#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QSplitter>
#include <QWidget>
#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

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

void KeepPaneWhileDocking(QSplitter* splitter, int pane, QDockWidget* dock)
{
    // The pane's width before the dock comes or goes: its menu item is
    // toggled (and its close button hides it) before the window is laid out
    // again.
    auto kept = std::make_shared<std::optional<int>>();
    QObject::connect(dock->toggleViewAction(), &QAction::toggled, splitter,
                     [=] { *kept = splitter->sizes().value(pane); });
    QObject::connect(dock, &QDockWidget::visibilityChanged, splitter, [=] {
        QMetaObject::invokeMethod(
            splitter,
            [=] {
                const std::optional<int> width = std::exchange(*kept, std::nullopt);
                QList<int> sizes = splitter->sizes();
                if (!width || sizes.size() != 2)
                    return;
                // The dock's room is taken from the splitter now, not later.
                if (QLayout* layout = splitter->window()->layout())
                    layout->activate();
                sizes = splitter->sizes();
                const int other = 1 - pane;
                const int total = sizes[0] + sizes[1];
                sizes[pane] = std::max(std::min(*width, total - splitter->widget(other)->minimumWidth()),
                                       splitter->widget(pane)->minimumWidth());
                sizes[other] = total - sizes[pane];
                splitter->setSizes(sizes);
            },
            Qt::QueuedConnection);
    });
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
