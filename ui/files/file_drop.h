// Files and folders dropped on a window. A drag that carries local files is
// taken wherever it is dropped over the window: the text boxes and a cell's
// editor would otherwise type the paths in as text. The paths are handed on
// once the drop is over, so that the questions of opening them do not hold
// up the program the files were dragged from.
#pragma once

#include <QObject>
#include <QStringList>
#include <functional>

class QMimeData;
class QWidget;

namespace dravik::ui {

class FileDrop : public QObject {
public:
    FileDrop(QWidget* window, std::function<void(const QStringList& paths)> dropped);

    // The local paths the data carries; empty unless it carries only local files.
    static QStringList LocalPaths(const QMimeData* data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    std::function<void(const QStringList&)> dropped_;
};

}  // namespace dravik::ui
