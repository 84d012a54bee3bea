// Takes the documentation's pictures of the main window. Not shipped: the
// window program itself takes no arguments and reads no environment.
//
//   dravik2-screenshot [--scene NAME] [--base FOLDER] [--patch FILE] [--modset FILE]
//                      [--language CODE] PICTURE TAB VARIABLES_FILE DESC_FILE...
//
// CODE is a language a catalogue is built in for ("en", the default; "ru").
//
// TAB is the index of the tab to show (0 = "File List"). The window is shown
// with the files loaded, its picture saved, and it is left without writing
// any settings. A scene does what a user would before the picture:
//   changes  types new values into a few cells of Section 1 (their marks,
//            the caption's star)
//   filter   filters Section 1 by health ("> 450"), with the difference
//            colours and the column summary of armor beside it
//   base     compares the files with the base game in --base (the marks of
//            the values the mod changes, the count in the status bar)
//   conflicts  compares them with --base, then applies --patch: the
//            picture is the conflict dialog's
//   checks   compares them with --base, then types two typos into
//            Section 1: the Checks pane lists them, their cells marked
//   modset   opens the mod set --modset: the merged view with its marks,
//            the first conflict of Section 1 current in the Mods pane
#include "ui/views/filter_bar.h"
#include "ui/tables/grid_view.h"
#include "ui/views/summary_panel.h"
#include "ui/main_unit.h"
#include "ui/qt_dialogs.h"
#include "ui/mod/conflict_dialog.h"
#include "ui/mod/mod_actions.h"
#include "ui/checks/check_pane.h"
#include "ui/common/language.h"
#include "ui/modset/mod_set_actions.h"
#include "core/modset/mod_set.h"

#include <QAction>
#include <QDockWidget>
#include <QApplication>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QStringList>
#include <QSplitter>
#include <QTabWidget>
#include <QTextStream>
#include <map>

namespace {

// The main window's parts, found by the names it gives them.
template <class Part>
Part* WindowPart(const QObject& window, const QString& name)
{
    return window.findChild<Part*>(name);
}
QAction* Action(const QObject& window, const char* name) { return WindowPart<QAction>(window, QLatin1String(name)); }
dravik::ui::GridView* Table(const QObject& window, int number)
{
    return WindowPart<dravik::ui::GridView>(window, QStringLiteral("StringGrid%1").arg(number));
}
QTabWidget* Tabs(const QObject& window) { return WindowPart<QTabWidget>(window, QStringLiteral("PageControl1")); }

// Makes the window wider, the room going to the tables.
void Widen(TMainForm& window, int width, int height, int previewWidth)
{
    window.resize(width, height);
    WindowPart<QSplitter>(window, QStringLiteral("Splitter1"))->setSizes({previewWidth, width - previewWidth});
}

void TypeChanges(TMainForm& window)
{
    // Only the marks of the edits: the difference colours stay off here.
    if (Action(window, "DiffColours")->isChecked())
        Action(window, "DiffColours")->trigger();
    Widen(window, 1060, 400, 260);
    dravik::ui::GridView* section1 = Table(window, 1);
    auto type = [&](int col, int row, const QString& text) {
        section1->model()->setData(section1->model()->index(row - 1, col - 1), text);
    };
    type(2, 2, QStringLiteral("560"));  // health
    type(3, 4, QStringLiteral("52"));   // armor, the first value
    type(6, 3, QStringLiteral("42"));   // speed
}

void FilterByHealth(TMainForm& window)
{
    if (!Action(window, "DiffColours")->isChecked())
        Action(window, "DiffColours")->trigger();
    if (!Action(window, "ColumnSummary")->isChecked())
        Action(window, "ColumnSummary")->trigger();
    Widen(window, 1180, 520, 300);
    dravik::ui::GridView* section1 = Table(window, 1);
    // The summary follows the current cell: the first armor column.
    section1->setCurrentIndex(section1->model()->index(0, 2));
    dravik::ui::FilterColumn health;
    health.label = QStringLiteral("health");
    health.key = QStringLiteral("health");
    window.filterBar()->open();
    window.filterBar()->setFilter(dravik::GridNumber(1), health, QStringLiteral("> 450"));
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

// The real dialogs, but the base folder and the patch are the ones given,
// and the conflict dialog has its picture taken and is cancelled.
class SceneDialogs : public dravik::ui::QtDialogs {
public:
    QString base;
    QString patch;
    QString modSet;
    QString picture;
    bool saved = false;

    std::optional<QString> chooseBaseFolder(QWidget*, const QString&) override { return base; }
    QStringList openFiles(QWidget* parent, const dravik::ui::FileDialogRequest& request) override
    {
        if (!modSet.isEmpty())
            return {modSet};
        return patch.isEmpty() ? QtDialogs::openFiles(parent, request) : QStringList{patch};
    }
    std::optional<QList<bool>> resolveConflicts(QWidget* parent, const dravik::ui::ConflictRequest& request) override
    {
        dravik::ui::ConflictDialog dialog(request, parent);
        dialog.resize(760, 220);
        dialog.show();
        Settle();
        saved = dialog.grab().save(picture);
        return std::nullopt;
    }
};

void CompareWithBase(TMainForm& window)
{
    Widen(window, 1060, 400, 260);
    window.modActions()->compareWithBase->trigger();
}

void TypeTypos(TMainForm& window)
{
    Widen(window, 1060, 620, 260);
    window.modActions()->compareWithBase->trigger();
    dravik::ui::GridView* section1 = Table(window, 1);
    auto type = [&](int col, int row, const QString& text) {
        section1->model()->setData(section1->model()->index(row - 1, col - 1), text);
    };
    type(2, 2, QStringLiteral("4800"));  // health, a digit too many
    type(6, 3, QStringLiteral("-36"));   // speed, the sign flipped
    // As View > Checks opens it: the base game's own values raised none.
    window.checkPane()->dock->show();
}

void OpenModSet(TMainForm& window)
{
    Widen(window, 1180, 480, 240);
    window.modSetActions()->openModSet->trigger();
    const dravik::ModSet* set = window.modSetActions()->modSet();
    if (!set)
        return;
    // The Mods pane tells the story of the current cell: make it a conflict.
    dravik::ui::GridView* section1 = Table(window, 1);
    for (int row = 1; row <= set->fileCount(); ++row) {
        for (int col = 2; col <= section1->model()->columnCount(); ++col) {
            const int slot = set->schema().slotOfCell(dravik::GridNumber(1), col);
            if (slot >= 0 && set->mark(row - 1, slot).origin == dravik::Origin::Conflict) {
                section1->setCurrentIndex(section1->model()->index(row - 1, col - 1));
                return;
            }
        }
    }
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    QString scene;
    QString language = QStringLiteral("en");
    SceneDialogs dialogs;
    const std::map<QString, QString*> options = {{QStringLiteral("--scene"), &scene},
                                                 {QStringLiteral("--base"), &dialogs.base},
                                                 {QStringLiteral("--patch"), &dialogs.patch},
                                                 {QStringLiteral("--modset"), &dialogs.modSet},
                                                 {QStringLiteral("--language"), &language}};
    while (args.size() >= 2 && options.count(args.first())) {
        QString* value = options.at(args.takeFirst());
        *value = args.takeFirst();
    }
    bool tabIsNumber = false;
    const int tab = args.size() >= 3 ? args[1].toInt(&tabIsNumber) : 0;
    const QStringList scenes = {QString(), QStringLiteral("changes"), QStringLiteral("filter"), QStringLiteral("base"),
                                QStringLiteral("conflicts"), QStringLiteral("checks"), QStringLiteral("modset")};
    if (args.size() < 3 || !tabIsNumber || !scenes.contains(scene)) {
        QTextStream(stderr) << "usage: dravik2-screenshot [--scene changes|filter|base|conflicts|checks|modset] "
                               "[--base FOLDER] [--patch FILE] [--modset FILE] [--language CODE] "
                               "PICTURE TAB VARIABLES_FILE [DESC_FILE...]\n";
        return 2;
    }
    const QString picture = args.takeFirst();
    args.removeFirst();
    dialogs.picture = picture;
    // The pictures show the program as it first starts on a system in that
    // language (no settings file names one).
    dravik::ui::SetSystemLanguagesForTesting({language});

    TMainForm window(QString(), dialogs);
    window.show();
    window.openVariablesFile(args.takeFirst());
    if (!args.isEmpty())
        window.openDescFiles(args);
    Tabs(window)->setCurrentIndex(tab);
    if (scene == QLatin1String("changes")) {
        TypeChanges(window);
    } else if (scene == QLatin1String("filter")) {
        FilterByHealth(window);
    } else if (scene == QLatin1String("base")) {
        CompareWithBase(window);
    } else if (scene == QLatin1String("checks")) {
        TypeTypos(window);
    } else if (scene == QLatin1String("modset")) {
        OpenModSet(window);
        if (!window.modSetActions()->modSet()) {
            QTextStream(stderr) << "dravik2-screenshot: the mod set " << dialogs.modSet << " did not open\n";
            return 1;
        }
    } else if (scene == QLatin1String("conflicts")) {
        CompareWithBase(window);
        window.modActions()->applyPatch->trigger();
        if (!dialogs.saved) {
            QTextStream(stderr) << "dravik2-screenshot: no conflict dialog saved into " << picture << "\n";
            return 1;
        }
        return 0;
    }
    Settle();
    if (!window.grab().save(picture)) {
        QTextStream(stderr) << "dravik2-screenshot: cannot save " << picture << "\n";
        return 1;
    }
    return 0;
}
