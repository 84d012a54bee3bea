// Takes the documentation's pictures of the main window. Not shipped: the
// window program itself takes no arguments and reads no environment.
//
//   dravik2-screenshot [--scene NAME] PICTURE TAB VARIABLES_FILE DESC_FILE...
//
// TAB is the index of the tab to show (0 = "File List"). The window is shown
// with the files loaded, its picture saved, and it is left without writing
// any settings. A scene does what a user would before the picture:
//   changes  types new values into a few cells of Section 1 (their marks,
//            the caption's star)
//   filter   filters Section 1 by health ("> 450"), with the difference
//            colours and the column summary of armor beside it
#include "ui/views/filter_bar.h"
#include "ui/tables/grid_view.h"
#include "ui/views/summary_panel.h"
#include "ui/main_unit.h"
#include "ui/common/qt_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QStringList>
#include <QSplitter>
#include <QTabWidget>
#include <QTextStream>

namespace {

// Makes the window wider, the room going to the tables.
void Widen(TMainForm& window, int width, int height, int previewWidth)
{
    window.resize(width, height);
    window.Splitter1->setSizes({previewWidth, width - previewWidth});
}

void TypeChanges(TMainForm& window)
{
    // Only the marks of the edits: the difference colours stay off here.
    if (window.DiffColours->isChecked())
        window.DiffColours->trigger();
    Widen(window, 1060, 400, 260);
    dravik::ui::GridView* section1 = window.StringGrid(1);
    auto type = [&](int col, int row, const QString& text) {
        section1->model()->setData(section1->model()->index(row - 1, col - 1), text);
    };
    type(2, 2, QStringLiteral("560"));  // health
    type(3, 4, QStringLiteral("52"));   // armor, the first value
    type(6, 3, QStringLiteral("42"));   // speed
}

void FilterByHealth(TMainForm& window)
{
    if (!window.DiffColours->isChecked())
        window.DiffColours->trigger();
    if (!window.ColumnSummary->isChecked())
        window.ColumnSummary->trigger();
    Widen(window, 1180, 520, 300);
    dravik::ui::GridView* section1 = window.StringGrid(1);
    // The summary follows the current cell: the first armor column.
    section1->setCurrentIndex(section1->model()->index(0, 2));
    dravik::ui::FilterColumn health;
    health.label = QStringLiteral("health");
    health.key = QStringLiteral("health");
    window.filterBar()->open();
    window.filterBar()->setFilter(1, health, QStringLiteral("> 450"));
    window.summaryPanel()->setView(section1);
    window.summaryPanel()->refresh();
}

// Lets the window do what it does after a pause (delayed filters, summaries).
void Settle()
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 400)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    QString scene;
    if (args.size() >= 2 && args.first() == QLatin1String("--scene")) {
        args.removeFirst();
        scene = args.takeFirst();
    }
    bool tabIsNumber = false;
    const int tab = args.size() >= 3 ? args[1].toInt(&tabIsNumber) : 0;
    const bool knownScene = scene.isEmpty() || scene == QLatin1String("changes") || scene == QLatin1String("filter");
    if (args.size() < 3 || !tabIsNumber || !knownScene) {
        QTextStream(stderr) << "usage: dravik2-screenshot [--scene changes|filter] PICTURE TAB VARIABLES_FILE "
                               "[DESC_FILE...]\n";
        return 2;
    }
    const QString picture = args.takeFirst();
    args.removeFirst();

    dravik::ui::QtDialogs dialogs;
    TMainForm window(QString(), dialogs);
    window.show();
    window.openVariablesFile(args.takeFirst());
    if (!args.isEmpty())
        window.openDescFiles(args);
    window.PageControl1->setCurrentIndex(tab);
    if (scene == QLatin1String("changes")) {
        TypeChanges(window);
    } else if (scene == QLatin1String("filter")) {
        FilterByHealth(window);
    }
    Settle();
    if (!window.grab().save(picture)) {
        QTextStream(stderr) << "dravik2-screenshot: cannot save " << picture << "\n";
        return 1;
    }
    return 0;
}
