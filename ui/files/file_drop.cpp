#include "ui/files/file_drop.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace dravik::ui {

FileDrop::FileDrop(QWidget* window, std::function<void(const QStringList&)> dropped)
    : QObject(window), window_(window), dropped_(std::move(dropped))
{
    window->setAcceptDrops(true);
    // Every widget of the window, those made later (a cell's editor) too.
    qApp->installEventFilter(this);
}

QStringList FileDrop::LocalPaths(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return {};
    QStringList paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        paths << QDir::toNativeSeparators(url.toLocalFile());
    }
    return paths;
}

bool FileDrop::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != window_)
        return false;
    auto* drag = static_cast<QDropEvent*>(event);
    const QStringList paths = LocalPaths(drag->mimeData());
    if (paths.isEmpty())
        return false;
    drag->setDropAction(Qt::CopyAction);
    drag->accept();
    if (type == QEvent::Drop)
        QTimer::singleShot(0, this, [this, paths] { dropped_(paths); });
    return true;
}

}  // namespace dravik::ui
