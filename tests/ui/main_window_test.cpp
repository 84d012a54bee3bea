// The main window driven as a user drives it, with the dialogs answered by
// the test and the files in a temporary folder.
#include "core/errors.h"
#include "core/exchange/table_text_file.h"
#include "window_fixture.h"
#include "ui/common/application_title.h"
#include "ui/common/display_text.h"
#include "ui/tables/grid_view.h"
#include "ui/main_unit.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QtTest>

#include <cstring>
#include <memory>

using dravik::ui::GridView;

namespace {

QByteArray AllBytes()
{
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes.append(static_cast<char>(b));
    return bytes;
}

}  // namespace

class MainWindowTest : public WindowFixture {
    Q_OBJECT

private slots:
    void startUpTables()
    {
        QCOMPARE(window->windowTitle(), QStringLiteral("Dravik 2 v1.3 beta"));
        for (int n = 1; n <= 10; ++n) {
            GridView* grid = Table(*window, n);
            QCOMPARE(grid->objectName(), QStringLiteral("StringGrid%1").arg(n));
            QCOMPARE(grid->model()->columnCount(), n == 10 ? 2 : 10);
            QCOMPARE(grid->model()->rowCount(), 49);
            QCOMPARE(Header(grid, 1), QStringLiteral("File name"));
            QCOMPARE(grid->gridModel()->cornerText(), QString());
            QCOMPARE(RowNumber(grid, 1), QStringLiteral("1"));
            QCOMPARE(RowNumber(grid, 49), QStringLiteral("49"));
            QCOMPARE(grid->horizontalHeader()->sectionSize(0), 216);
            for (int c = 1; c < grid->model()->columnCount(); ++c)
                QCOMPARE(grid->horizontalHeader()->sectionSize(c), 12);
            QCOMPARE(grid->verticalHeader()->defaultSectionSize(), 24);
            QCOMPARE(Cell(grid, 1, 1), QString());
        }
        GridView* files = Table(*window, 11);
        QCOMPARE(files->gridModel()->cornerText(), QStringLiteral("File number"));
        QCOMPARE(Header(files, 1), QStringLiteral("File name"));
        QCOMPARE(Header(files, 2), QStringLiteral("Path"));
        QCOMPARE(files->horizontalHeader()->sectionSize(0), 12);
        QCOMPARE(files->horizontalHeader()->sectionSize(1), 12);
        QCOMPARE(RowNumber(files, 1), QString());
        QCOMPARE(Table(*window, 12)->model()->columnCount(), 4);
        QCOMPARE(Table(*window, 12)->model()->rowCount(), 4);
        QVERIFY(VariablesText(*window)->toPlainText().isEmpty());
        QCOMPARE(StatusText(*window, 2), QString());
        QCOMPARE(window->statusBar()->objectName(), QStringLiteral("StatusBar1"));
    }

    void startUpTabsAndMenus()
    {
        const QStringList tabs = {"File List", "Section 1", "Section 2", "Section 3", "Section 4",
                                  "Section 5", "Section 6", "Section 7", "Section 8", "Section 9",
                                  "Text section", "File of variables :", "Export/Import table"};
        const QStringList pages = {"TabSheet12", "TabSheet1", "TabSheet2", "TabSheet3", "TabSheet4",
                                   "TabSheet5", "TabSheet6", "TabSheet7", "TabSheet8", "TabSheet9",
                                   "TabSheet10", "TabSheet11", "TabSheet13"};
        QCOMPARE(Tabs(*window)->count(), tabs.size());
        for (int i = 0; i < tabs.size(); ++i) {
            QCOMPARE(Tabs(*window)->tabText(i), tabs[i]);
            QCOMPARE(Tabs(*window)->widget(i)->objectName(), pages[i]);
        }
        QCOMPARE(Tabs(*window)->currentIndex(), 0);
        // Right of the preview, the filter bar over the tab control.
        QWidget* tables = Panes(*window)->widget(1);
        QCOMPARE(tables->objectName(), QStringLiteral("TablesPane"));
        QWidget* filterBar = named(QStringLiteral("FilterBar"));
        QVERIFY(filterBar && tables->isAncestorOf(filterBar) && tables->isAncestorOf(Tabs(*window)));
        QVERIFY(tables->layout()->indexOf(filterBar) < tables->layout()->indexOf(Tabs(*window)));

        struct Item {
            const char* menu;
            const char* name;
            const char* caption;
            QKeySequence key;
        };
        const Item items[] = {
            {"&File", "N2", "&Open desc", QKeySequence("Ctrl+O")},
            {"&File", "N10", "&Save all", QKeySequence("Ctrl+E")},
            {"&File", "N3", "Save c&urrent", QKeySequence("Ctrl+S")},
            {"&File", "Exporttable1", "Export table", {}},
            {"&File", "Importtable1", "Import table                 ", {}},
            {"S&ettings", "N6", "Open va&riables", {}},
            {"S&ettings", "N7", "Save var&iables", {}},
            {"S&ettings", "SelectFont", "Fon&t", {}},
            {"S&ettings", "Pathtoeditor1", "Path to editor", {}},
            {"S&ettings", "Pathtogame1", "Path to game", {}},
            {"Utitlities", "ConMAN2", "Co&nMAN", QKeySequence("Ctrl+N")},
            {"Utitlities", "DAN2", "D&AN                    ", QKeySequence("Ctrl+D")},
            {"Tasks", "QuickPack1", "QuickPack             ", {}},
            {"Tasks", "StartEditor1", "Start Editor", QKeySequence("F8")},
            {"Tasks", "StartGame1", "Start Game", QKeySequence("F9")},
            {"Ab&out", "N12", "Version", {}},
        };
        QStringList menus;
        for (QAction* top : window->menuBar()->actions())
            menus << top->text();
        QCOMPARE(menus, QStringList({"&File", "E&dit", "&View", "S&ettings", "Utitlities", "Tasks", "Ab&out"}));
        const QStringList menuNames = {"N1", "EditMenu", "ViewMenu", "N5", "Utitlit1", "asks1", "N11"};
        for (int i = 0; i < menuNames.size(); ++i)
            QCOMPARE(window->menuBar()->actions()[i]->menu()->objectName(), menuNames[i]);
        for (const Item& item : items) {
            auto* action = window->findChild<QAction*>(QLatin1String(item.name));
            QVERIFY2(action, item.name);
            QCOMPARE(action->text(), QLatin1String(item.caption));
            QCOMPARE(action->shortcut(), item.key);
            const auto* menu = qobject_cast<QMenu*>(action->parent());
            QVERIFY2(menu && menu->title() == QLatin1String(item.menu), item.name);
            const bool disabledAtStart = QByteArray(item.name) == "QuickPack1" ||
                                         QByteArray(item.name) == "StartEditor1" ||
                                         QByteArray(item.name) == "StartGame1";
            QCOMPARE(action->isEnabled(), !disabledAtStart);
        }
    }

    void menuKeysReachTheMenuFromTheEditors()
    {
        // Line edits take Ctrl+E (End) for themselves on some platforms.
        QSignalSpy saveAll(Action(*window, "N10"), &QAction::triggered);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        Preview(*window)->setFocus();
        QTest::keyClick(Preview(*window), Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(saveAll.count(), 1);
        GridView* grid = Table(*window, 11);
        Tabs(*window)->setCurrentIndex(0);
        grid->setFocus();
        // Selecting a cell of the file list opens its editor, which stays open.
        grid->setCurrentIndex(grid->model()->index(5, 1));
        QWidget* editor = grid->indexWidget(grid->model()->index(5, 1));
        QVERIFY(editor);
        editor->setFocus();
        QTest::keyClick(editor, Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(saveAll.count(), 2);
    }

    void typicalRoad()
    {
        openSample();
        activate();
        const QString tank = folder->path("tank.txt");
        const QString gun = folder->path("gun.txt");
        QVERIFY(Tabs(*window)->tabText(11) == "File of variables :" + folder->path("vars.var"));

        GridView* files = Table(*window, 11);
        QCOMPARE(files->model()->rowCount(), 2);
        QCOMPARE(RowNumber(files, 1), QStringLiteral("1"));
        QCOMPARE(Cell(files, 1, 2), QStringLiteral("gun.txt"));
        QCOMPARE(Cell(files, 2, 1), tank);

        GridView* section1 = Table(*window, 1);
        QCOMPARE(section1->model()->columnCount(), 5);
        QCOMPARE(Header(section1, 2), QStringLiteral("health"));
        QCOMPARE(Header(section1, 5), QStringLiteral("armor"));
        QCOMPARE(Cell(section1, 1, 1), tank);
        QCOMPARE(Cell(section1, 2, 2), QStringLiteral("40"));
        QCOMPARE(Cell(section1, 5, 2), QString());  // gun's line of armor has two values: no third
        QCOMPARE(section1->horizontalHeader()->sectionSize(1), 7 * 12);
        QCOMPARE(Cell(Table(*window, 10), 2, 1), QStringLiteral("Tiger tank"));
        QCOMPARE(StatusText(*window, 2), gun);
        QCOMPARE(window->document().currentDescFile(), dravik::ui::NativeBytes(gun));
        QVERIFY(Preview(*window)->toPlainText().startsWith("[section1]\nHEALTH 40"));

        typeIntoCell(grid(1), 2, 1, "150");
        typeIntoCell(grid(1), 5, 2, "9");
        typeIntoCell(grid(10), 2, 2, "Pak 40");
        press(Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(dialogs->errors.size(), 0);
        QCOMPARE(folder->read("tank.txt"), QByteArray("; a tank\r\n[section1]\r\nhealth 150 \r\narmor 10 20 30 \r\n"
                                                      "[section2]\r\nspeed 5 7 \r\n[section_text]\r\nname Tiger tank \r\n"));
        const QByteArray savedGun = "[section1]\r\nhealth 40 \r\narmor 2 3 9 \r\n[section2]\r\nspeed 1 1 \r\n"
                                    "[section_text]\r\nname Pak 40 ";
        QCOMPARE(folder->read("gun.txt"), savedGun);
        // The preview holds the current file's new text.
        QCOMPARE(Preview(*window)->toPlainText(), QString::fromLatin1(savedGun).replace("\r\n", "\n"));

        auto* preview = named<QPlainTextEdit>(QStringLiteral("Memo1"));
        QTest::mouseClick(preview->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        press(Qt::Key_End, Qt::ControlModifier);
        type("\n; checked");
        press(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(dialogs->errors.size(), 0);
        QCOMPARE(folder->read("gun.txt"), savedGun + "\r\n; checked");

        // Export, clear the summary table, import: the tables come back.
        const QString table = folder->path("table.txt");
        dialogs->saveAnswers.enqueue(table);
        clickMenuItem(Action(*window, "Exporttable1"));
        QCOMPARE(dialogs->askedFiles.last().request.filter, QStringLiteral("tabulated text files|*.txt"));
        QCOMPARE(dialogs->askedFiles.last().request.defaultSuffix, QStringLiteral("txt"));
        dravik::Grid written;
        dravik::TextFileToGrid(written, dravik::ui::NativeBytes(table));
        QCOMPARE(written.cell(0, 1), std::string("Section 1"));
        // The status bar tells it was done: the file's lines, and its name.
        const auto lines = folder->read("table.txt").count("\r\n");
        QCOMPARE(StatusText(*window, 0), QStringLiteral("Exported %1 rows into table.txt").arg(lines));
        typeIntoCell(grid(1), 2, 1, "999");
        dialogs->confirmAnswers.enqueue(true);
        doubleClickCell(grid(dravik::kSummaryGrid), 2, 2);
        QCOMPARE(dialogs->confirmations, QStringList({"Clear summary table?"}));
        QCOMPARE(Cell(Table(*window, 12), 1, 1), QString());
        dialogs->openAnswers.enqueue({table});
        dialogs->confirmAnswers.enqueue(true);  // the edit of 999 is replaced
        clickMenuItem(Action(*window, "Importtable1"));
        QCOMPARE(dialogs->confirmations.last(),
                 QStringLiteral("The tables have unsaved changes, and Import table replaces them. "
                                "(Edit > Undo takes the import back.) Go on?"));
        // The import keeps the open dialog's title and filter.
        QCOMPARE(dialogs->askedFiles.last().request.title, QStringLiteral("Select the desc files"));
        QCOMPARE(dialogs->askedFiles.last().request.filter, QStringLiteral("all files (*.*)|*.*"));
        QCOMPARE(Cell(section1, 2, 1), QStringLiteral("150"));
        QCOMPARE(Cell(Table(*window, 10), 2, 2), QStringLiteral("Pak 40"));
    }

    void openDialogsAsked()
    {
        openSample();
        QCOMPARE(dialogs->askedFiles[0].request.title, QStringLiteral("Select the variable file"));
        QCOMPARE(dialogs->askedFiles[1].request.title, QStringLiteral("Select the desc files"));
        QCOMPARE(dialogs->askedFiles[1].request.filter, QStringLiteral("all files (*.*)|*.*"));

        // Cancelled: nothing changes.
        const auto before = window->document().grid(dravik::GridNumber(1));
        dialogs->openAnswers.enqueue({});
        Action(*window, "N2")->trigger();
        QVERIFY(window->document().grid(dravik::GridNumber(1)) == before);
        QCOMPARE(window->document().descFileCount(), 2);
        dialogs->openAnswers.enqueue({});
        Action(*window, "N6")->trigger();
        QCOMPARE(Tabs(*window)->tabText(11), "File of variables :" + folder->path("vars.var"));

        // Save variables keeps the caption and takes the file as the variables file.
        const QString copy = folder->path("copy.var");
        dialogs->saveAnswers.enqueue(copy);
        Action(*window, "N7")->trigger();
        QCOMPARE(folder->read("copy.var"), sample::Variables());
        QCOMPARE(window->variablesFilePath(), dravik::ui::NativeBytes(copy));
        QCOMPARE(Tabs(*window)->tabText(11), "File of variables :" + folder->path("vars.var"));
    }

    void fileListSelection()
    {
        openSample();
        const QString tank = folder->path("tank.txt");
        const QString gun = folder->path("gun.txt");
        GridView* files = grid(dravik::kFileListGrid);
        auto select = [&](int col, int row) { clickCell(files, col, row); };

        select(1, 1);
        QVERIFY(Preview(*window)->toPlainText().startsWith("; a tank\n"));
        QCOMPARE(StatusText(*window, 2), tank);
        QCOMPARE(window->document().currentDescFile(), dravik::ui::NativeBytes(tank));

        // A row below the opened files: preview kept, no current file.
        QVERIFY(SetCell(files, 1, 2, QString()));
        dravik::Grid longer = window->document().fileList();
        longer.setRowCount(5);
        std::vector<std::pair<dravik::GridNumber, dravik::Grid>> contents;
        contents.emplace_back(11, longer);
        // Rows no file fills, which no command of the window makes.
        static_cast<void>(window->document().replaceGrids(std::move(contents)));
        select(2, 4);
        QVERIFY(Preview(*window)->toPlainText().startsWith("; a tank\n"));
        QCOMPARE(StatusText(*window, 2), QString());
        QVERIFY(window->document().currentDescFile().empty());

        // No name but a path: not loaded, yet current.
        select(2, 2);
        QVERIFY(Preview(*window)->toPlainText().startsWith("; a tank\n"));
        QCOMPARE(StatusText(*window, 2), gun);

        // A path that cannot be read: reported, and the selection stays.
        const QString missing = folder->path("lost.txt");
        QVERIFY(SetCell(files, 1, 3, "lost.txt"));
        QVERIFY(SetCell(files, 2, 3, missing));
        select(1, 3);
        QCOMPARE(dialogs->errors.size(), 1);
        QCOMPARE(dialogs->errors[0].caption, dravik::ui::ApplicationTitle());
        QCOMPARE(dialogs->errors[0].text, OpenFailure(missing));
        QCOMPARE(files->currentIndex(), files->model()->index(1, 1));
        QCOMPARE(StatusText(*window, 2), gun);
    }

    void errorBoxes()
    {
        // Save current before any file is loaded.
        Action(*window, "N3")->trigger();
        QCOMPARE(dialogs->errors.size(), 1);
        QVERIFY(dialogs->errors[0].text.startsWith("Cannot create file \"\". "));
        dialogs->errors.clear();

        const QString missing = folder->path("missing.txt");
        dialogs->openAnswers.enqueue({missing});
        Action(*window, "N6")->trigger();
        QCOMPARE(dialogs->errors.size(), 1);
        QCOMPARE(dialogs->errors[0].text, OpenFailure(missing));
        QCOMPARE(Tabs(*window)->tabText(11), QStringLiteral("File of variables :"));
        QCOMPARE(window->variablesFilePath(), dravik::ui::NativeBytes(missing));

        // Open desc stops at the file it cannot read; the earlier ones stay
        // loaded, and the rows of the others go.
        const QString tank = folder->write("tank.txt", sample::TankDesc());
        dialogs->openAnswers.enqueue({tank, missing});
        Action(*window, "N2")->trigger();
        QCOMPARE(dialogs->errors.size(), 2);
        QCOMPARE(dialogs->errors[1].text, OpenFailure(missing));
        QCOMPARE(Table(*window, 11)->model()->rowCount(), 1);
        QCOMPARE(Cell(Table(*window, 1), 1, 1), tank);
        QVERIFY(Preview(*window)->isEnabled());
        for (QAction* action : {Action(*window, "N2"), Action(*window, "N10"), Action(*window, "N3")})
            QVERIFY(action->isEnabled());

        // Files that cannot be created.
        const QString nowhere = folder->missing("out.var");
        dialogs->saveAnswers.enqueue(nowhere);
        Action(*window, "N7")->trigger();
        QCOMPARE(dialogs->errors.size(), 3);
        QVERIFY(dialogs->errors[2].text.startsWith("Cannot create file \"" + nowhere + "\". "));
        QVERIFY(dialogs->errors[2].text.endsWith('.'));
        QCOMPARE(window->variablesFilePath(), dravik::ui::NativeBytes(missing));

        dialogs->saveAnswers.enqueue(folder->missing("table.txt"));
        Action(*window, "Exporttable1")->trigger();
        QCOMPARE(dialogs->errors.size(), 4);
        // Windows has a code of its own for a folder that is not there.
#ifdef Q_OS_WIN
        QCOMPARE(dialogs->errors[3].text, QStringLiteral("Invalid filename."));
#else
        QCOMPARE(dialogs->errors[3].text, QStringLiteral("File not found."));
#endif
        // The summary table keeps what the export built.
        QCOMPARE(Cell(Table(*window, 12), 0 + 1, 2), QStringLiteral("File name"));

        dialogs->openAnswers.enqueue({folder->path("no-table.txt")});
        Action(*window, "Importtable1")->trigger();
        QCOMPARE(dialogs->errors.size(), 5);
        QCOMPARE(dialogs->errors[4].text, QStringLiteral("File not found."));
        QCOMPARE(Cell(Table(*window, 1), 1, 1), tank);
    }

    void exportAndImportTellWhatTheTableCannotCarry()
    {
        openSample();
        // A cell the table text file cannot carry: written as it is, then told.
        QVERIFY(SetCell(Table(*window, 1), 2, 1, QStringLiteral("1~0")));
        const QString table = folder->path("table.txt");
        dialogs->saveAnswers.enqueue(table);
        Action(*window, "Exporttable1")->trigger();
        QCOMPARE(dialogs->errors.size(), 0);
        QVERIFY(folder->read("table.txt").contains("\t1~0\t"));
        QCOMPARE(dialogs->messages.size(), 1);
        QCOMPARE(dialogs->messages[0].caption, dravik::ui::ApplicationTitle());
        QVERIFY2(dialogs->messages[0].text.contains(QStringLiteral("1 cell holds \"~\": the import drops it")),
                 qPrintable(dialogs->messages[0].text));

        // The same table after a program saved it as UTF-8: imported, then told.
        QByteArray bytes = folder->read("table.txt");
        bytes.replace("Tiger", "Tiger \xD0\xA2");
        folder->write("table.txt", bytes);
        dialogs->openAnswers.enqueue({table});
        dialogs->confirmAnswers.enqueue(true);  // the "1~0" edit is replaced
        Action(*window, "Importtable1")->trigger();
        QCOMPARE(dialogs->messages.size(), 2);
        QVERIFY(dialogs->messages[1].text.startsWith(QStringLiteral("The table is in UTF-8")));
        QVERIFY(dialogs->messages[1].text.endsWith(QStringLiteral("Edit > Undo takes the import back.")));
        QCOMPARE(Action(*window, "Undo")->text(), QStringLiteral("&Undo Import table"));
    }

    void aFolderOfAnyNameIsOpenedAndSaved()
    {
        // On Windows the Greek letter has no byte in the system's code page
        // (nor, under windows-1252, have the Cyrillic ones); the tables show
        // "?" for it, while the files are opened by their own names.
        const QString name = QString::fromUtf8("\u041c\u043e\u0438 \u043c\u043e\u0434\u044b \u03a9");
        QVERIFY(QDir(folder->path(QString())).mkdir(name));
        const QString variables = folder->write(name + "/vars.var", sample::Variables());
        const QString tank = folder->write(name + "/tank.txt", sample::TankDesc());
        dialogs->openAnswers.enqueue({variables});
        Action(*window, "N6")->trigger();
        dialogs->openAnswers.enqueue({tank});
        Action(*window, "N2")->trigger();
        QCOMPARE(dialogs->errors.size(), 0);
        QCOMPARE(StatusText(*window, 2), tank);
        QCOMPARE(Cell(Table(*window, 11), 1, 1), QStringLiteral("tank.txt"));
#ifdef Q_OS_WIN
        const QString shown = Cell(Table(*window, 11), 2, 1);
        QVERIFY2(!shown.contains(QChar(0x03A9)) && shown.endsWith(QStringLiteral("?\\tank.txt")),
                 qPrintable(shown));
#endif

        QVERIFY(SetCell(Table(*window, 1), 2, 1, "150"));
        Action(*window, "N10")->trigger();
        QCOMPARE(dialogs->errors.size(), 0);
        QVERIFY(folder->read(name + "/tank.txt").contains("\r\nhealth 150 \r\n"));
        Preview(*window)->moveCursor(QTextCursor::End);
        Preview(*window)->insertPlainText("\n; checked");
        Action(*window, "N3")->trigger();
        QCOMPARE(dialogs->errors.size(), 0);
        QVERIFY(folder->read(name + "/tank.txt").endsWith("\r\n; checked"));

        dialogs->saveAnswers.enqueue(folder->path(name + "/table.txt"));
        Action(*window, "Exporttable1")->trigger();
        QCOMPARE(dialogs->errors.size(), 0);
        QVERIFY(folder->read(name + "/table.txt").contains("\t150\t"));
        dialogs->openAnswers.enqueue({folder->path(name + "/table.txt")});
        Action(*window, "Importtable1")->trigger();
#ifdef Q_OS_WIN
        // The table cannot name the file: the export says so, the import refuses.
        QCOMPARE(dialogs->messages.size(), 1);
        QVERIFY2(dialogs->messages[0].text.contains(QStringLiteral("cannot write")), qPrintable(dialogs->messages[0].text));
        QCOMPARE(dialogs->errors.size(), 1);
        QVERIFY2(dialogs->errors[0].text.contains(QStringLiteral("nothing was imported")),
                 qPrintable(dialogs->errors[0].text));
#else
        QCOMPARE(dialogs->messages.size(), 0);
        QCOMPARE(dialogs->errors.size(), 0);
#endif
        QCOMPARE(Cell(Table(*window, 1), 2, 1), QStringLiteral("150"));
    }

    void summaryClearAnsweredNo()
    {
        openSample();
        dialogs->saveAnswers.enqueue(std::nullopt);
        Action(*window, "Exporttable1")->trigger();
        QCOMPARE(Cell(Table(*window, 12), 1, 2), QStringLiteral("File name"));
        dialogs->confirmAnswers.enqueue(false);
        doubleClickCell(Table(*window, 12), 1, 2);
        QCOMPARE(Cell(Table(*window, 12), 1, 2), QStringLiteral("File name"));
        QCOMPARE(Table(*window, 12)->gridModel()->grid().cell(0, 1), std::string("Section 1"));
    }

    void movedColumnsAndRowsSaveLogicalCells()
    {
        openSample();
        GridView* section1 = Table(*window, 1);
        section1->horizontalHeader()->moveSection(1, 4);
        section1->verticalHeader()->moveSection(0, 1);
        Table(*window, 11)->verticalHeader()->moveSection(1, 0);
        QCOMPARE(section1->horizontalHeader()->logicalIndexAt(section1->horizontalHeader()->sectionViewportPosition(1)), 1);
        QVERIFY(SetCell(section1, 2, 2, "41"));
        Action(*window, "N10")->trigger();
        QCOMPARE(folder->read("tank.txt"), QByteArray("; a tank\r\n[section1]\r\nhealth 100 \r\narmor 10 20 30 \r\n"
                                                      "[section2]\r\nspeed 5 7 \r\n[section_text]\r\nname Tiger tank \r\n"));
        QVERIFY(folder->read("gun.txt").startsWith("[section1]\r\nhealth 41 \r\narmor 2 3 \r\n"));
        // The move is still on screen after the command.
        QCOMPARE(section1->horizontalHeader()->visualIndex(1), 4);
    }

    void everyByteRoundTrips()
    {
        const QByteArray all = AllBytes();
        const std::string bytes = all.toStdString();

        // The preview's file, before any edit.
        window->openDescFiles({folder->write("bytes.txt", "")});

        // A grid cell through the cell editor.
        GridView* grid = Table(*window, 1);
        Tabs(*window)->setCurrentIndex(1);
        // Bytes no keyboard types, straight into the document.
        static_cast<void>(window->document().setCell(dravik::GridNumber(1), 3, 1, bytes));
        const QModelIndex index = grid->model()->index(0, 2);
        grid->setCurrentIndex(index);
        grid->edit(index);
        auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(index));
        QVERIFY(editor);
        QCOMPARE(editor->text(), grid->model()->data(index).toString());
        editor->setText(editor->text());
        grid->commitEdit();
        // All but LF and CR, which would split the key line: blanks.
        std::string typed = bytes;
        typed['\n'] = typed['\r'] = ' ';
        QCOMPARE(window->document().grid(dravik::GridNumber(1)).cell(3, 1), typed);

        // Memo1: shown, then taken back as an edit and saved.
        dravik::TextLines text;
        text.lines = {bytes, "second", bytes};
        text.finalBreak = true;
        window->document().setDescText(text);
        window->showTexts();
        QCOMPARE(Preview(*window)->blockCount(), 4);
        Preview(*window)->document()->setModified(true);
        Action(*window, "N3")->trigger();
        QCOMPARE(dialogs->errors.size(), 0);
        QVERIFY(window->document().descText() == text);
        QCOMPARE(folder->read("bytes.txt"), all + "\r\nsecond\r\n" + all + "\r\n");

        // Memo2 the same way, through Save variables.
        window->document().setVariablesText(text);
        window->showTexts();
        VariablesText(*window)->document()->setModified(true);
        dialogs->saveAnswers.enqueue(folder->path("bytes.var"));
        Action(*window, "N7")->trigger();
        QVERIFY(window->document().variablesText() == text);
        QCOMPARE(folder->read("bytes.var"), all + "\r\nsecond\r\n" + all + "\r\n");
    }

    void accessKeysReachEveryMenuInOnePress()
    {
        activate();
        QStringList keys;
        for (QAction* top : window->menuBar()->actions()) {
            const QKeySequence key = QKeySequence::mnemonic(top->text());
            if (key.isEmpty())
                continue;
            QVERIFY2(!keys.contains(key.toString()), qPrintable(top->text()));
            keys << key.toString();
            QTest::keyClick(window.get(), key[0].key(), key[0].keyboardModifiers());
            QTRY_VERIFY2(top->menu()->isVisible(), qPrintable(top->text()));
            QTest::keyClick(top->menu(), Qt::Key_Escape);
            QTest::keyClick(window->menuBar(), Qt::Key_Escape);
            QTRY_VERIFY(!top->menu()->isVisible());
            // The offscreen platform gives the window no activation back.
            QApplication::setActiveWindow(window.get());
        }
        QCOMPARE(keys.size(), 5);
    }

    void statusTextsFitTheirPanels()
    {
        openSample();
        activate();
        QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
        const auto* saved = window->statusBar()->findChild<QLabel*>(QStringLiteral("StatusPanel0"));
        QCOMPARE(saved->text(), QStringLiteral("Saved 2 of 2 files"));
        for (int size : {12, 30}) {
            dialogs->fontAnswers.enqueue(QFont(QStringLiteral("DejaVu Sans"), size));
            Action(*window, "SelectFont")->trigger();
            QCoreApplication::processEvents();
            QVERIFY2(saved->contentsRect().width() >= saved->fontMetrics().horizontalAdvance(saved->text()),
                     qPrintable(QStringLiteral("%1 pt: %2 pixels").arg(size).arg(saved->width())));
        }
    }

    void fontCommand()
    {
        openSample();
        QFont font(QStringLiteral("DejaVu Sans"), 10);
        font.setBold(true);
        dialogs->fontAnswers.enqueue(font);
        Action(*window, "SelectFont")->trigger();
        QCOMPARE(window->chosenFont(), font);
        QCOMPARE(Table(*window, 1)->font(), font);
        QCOMPARE(Preview(*window)->font().pointSize(), 10);
        // Widths follow the headers now: "File name" is 9 characters.
        QCOMPARE(Table(*window, 1)->horizontalHeader()->sectionSize(0), 100);
        QCOMPARE(Table(*window, 11)->horizontalHeader()->sectionSize(0), 100);
        QCOMPARE(Table(*window, 1)->verticalHeader()->defaultSectionSize(), 20);

        dialogs->fontAnswers.enqueue(std::nullopt);
        Action(*window, "SelectFont")->trigger();
        QCOMPARE(window->chosenFont(), font);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
