// The View menu's tools on the main window: the filter bar hiding rows in
// every table, the difference colours and their setting, the value checks
// before Save all, and the column summary with its histogram.
#include "core/files/settings_file.h"
#include "ui/common/display_text.h"
#include "ui/views/filter_bar.h"
#include "ui/views/histogram_view.h"
#include "ui/views/summary_panel.h"
#include "ui/views/table_filter.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QBrush>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QClipboard>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using dravik::ui::GridView;

class TableViewsTest : public WindowFixture {
    Q_OBJECT

    // Section 1: health (column 2), armor (columns 3 and 4); the text
    // section: name. u5 has no health line: its cell is blank.
    void openUnits()
    {
        const QString vars = folder->write("u.var", "[section1]\r\nhealth=1\r\narmor=2\r\n[section_text]\r\nname=1\r\n");
        const char* const units[] = {
            "health 100\r\narmor 10 20\r\nname Tiger\r\n", "health 100\r\narmor 10 25\r\nname Panther\r\n",
            "health 40\r\narmor 12 20\r\nname Pak\r\n",    "health 60\r\narmor 10 20\r\nname Flak\r\n",
            "armor 10 20\r\nname Jeep\r\n",
        };
        QStringList paths;
        for (int i = 0; i < 5; ++i)
            paths << folder->write(QStringLiteral("u%1.txt").arg(i + 1), units[i]);
        dialogs->openAnswers.enqueue({vars});
        Action(*window, "N6")->trigger();
        dialogs->openAnswers.enqueue(paths);
        Action(*window, "N2")->trigger();
        QCOMPARE(dialogs->errors.size(), 0);
    }
    dravik::ui::FilterBar* bar() const { return named<dravik::ui::FilterBar>(QStringLiteral("FilterBar")); }
    QLineEdit* filterText() const { return named<QLineEdit>(QStringLiteral("FilterText")); }
    // Every working table shows the same rows.
    QList<int> shownEverywhere() const
    {
        const QList<int> rows = Shown(grid(1));
        for (int n = 2; n <= dravik::kFileListGrid.number(); ++n)
            if (Shown(grid(n)) != rows)
                return {-n};
        return rows;
    }
    // The column picked from its chooser, the text typed over the old one
    // and Enter.
    void filter(const QString& text, const QString& column = {})
    {
        if (!column.isEmpty())
            named<QComboBox>(QStringLiteral("FilterColumn"))->setCurrentText(column);
        QTest::mouseClick(filterText(), Qt::LeftButton);
        press(Qt::Key_A, Qt::ControlModifier);
        press(Qt::Key_Delete);
        type(text);
        press(Qt::Key_Return);
    }
    static QVariant Data(GridView* view, int col, int row, int role)
    {
        return view->model()->data(view->model()->index(row - 1, col - 1), role);
    }

private slots:
    void filterBarHidesRowsEverywhere()
    {
        openUnits();
        activate();
        Tabs(*window)->setCurrentIndex(1);
        QVERIFY(!bar()->isVisible());
        Action(*window, "FilterRows")->trigger();
        QVERIFY(bar()->isVisible());
        QCOMPARE(bar()->table(), dravik::GridNumber(1));
        QCOMPARE(StatusText(*window, 1), QString());

        // Typing waits for a pause before the rows change.
        QCOMPARE(QApplication::focusWidget(), filterText());
        QTest::keyClicks(filterText(), "> 50");
        QVERIFY(bar()->applyPending());
        QCOMPARE(shownEverywhere(), QList<int>({1, 2, 3, 4, 5}));
        QTRY_COMPARE(shownEverywhere(), QList<int>({1, 2, 4}));
        QCOMPARE(StatusText(*window, 1), QStringLiteral("3 of 5 files shown"));

        // One column, by its header; one value of a key with several.
        filter("20", QStringLiteral("health"));
        QCOMPARE(shownEverywhere(), QList<int>());
        filter("= 20", QStringLiteral("armor (value 2)"));
        QCOMPARE(shownEverywhere(), QList<int>({1, 3, 4, 5}));
        filter("12", QStringLiteral("armor"));
        QCOMPARE(shownEverywhere(), QList<int>({3}));
        filter("empty", QStringLiteral("any column"));
        QCOMPARE(shownEverywhere(), QList<int>({5}));
        QTest::mouseClick(named<QCheckBox>(QStringLiteral("FilterMatchCase")), Qt::LeftButton);

        // A filter that cannot be read says so in the bar and keeps the rows.
        filter("<= x");
        QVERIFY(bar()->message().contains(QStringLiteral("Expected a number")));
        QCOMPARE(shownEverywhere(), QList<int>({5}));
        QCOMPARE(dialogs->errors.size(), 0);

        // Cleared, every row is back; closing the bar clears it too.
        filter("");
        QCOMPARE(bar()->message(), QString());
        QCOMPARE(shownEverywhere(), QList<int>({1, 2, 3, 4, 5}));
        QCOMPARE(StatusText(*window, 1), QString());
        filter("differs", QStringLiteral("health"));
        QCOMPARE(shownEverywhere(), QList<int>({3, 4, 5}));
        QTest::mouseClick(named<QToolButton>(QStringLiteral("FilterClose")), Qt::LeftButton);
        QVERIFY(!bar()->isVisible());
        QCOMPARE(shownEverywhere(), QList<int>({1, 2, 3, 4, 5}));
    }

    void filterKeysReachTheWindowFromACell()
    {
        openUnits();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        Tabs(*window)->setCurrentIndex(1);
        grid(1)->setFocus();
        grid(1)->setCurrentIndex(grid(1)->model()->index(0, 1));
        QWidget* editor = grid(1)->indexWidget(grid(1)->model()->index(0, 1));
        QVERIFY(editor);
        editor->setFocus();
        QTest::keyClick(editor, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(bar()->isVisible());
        QVERIFY(filterText()->hasFocus());
        QTest::keyClick(filterText(), Qt::Key_Escape);
        QVERIFY(!bar()->isVisible());
        // Back in the table, wherever its focus went.
        QVERIFY(grid(1)->isAncestorOf(QApplication::focusWidget()) || grid(1)->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_L, Qt::ControlModifier);
        QVERIFY(bar()->isVisible());
    }

    void filterReadsTheTableItWasTypedFor()
    {
        openUnits();
        activate();
        Tabs(*window)->setCurrentIndex(1);
        Action(*window, "FilterRows")->trigger();
        QCOMPARE(bar()->table(), dravik::GridNumber(1));
        Tabs(*window)->setCurrentIndex(10);
        QCOMPARE(bar()->table(), dravik::GridNumber(10));  // no filter yet: it follows the tab
        Tabs(*window)->setCurrentIndex(1);
        filter("> 50", QStringLiteral("health"));
        Tabs(*window)->setCurrentIndex(10);
        QCOMPARE(bar()->table(), dravik::GridNumber(1));  // a filter stays with its table
        QCOMPARE(bar()->column().label, QStringLiteral("health"));
        QCOMPARE(shownEverywhere(), QList<int>({1, 2, 4}));

        // On the file list: the name and path, and every section table.
        filter("");
        Tabs(*window)->setCurrentIndex(0);
        QCOMPARE(bar()->table(), dravik::kFileListGrid);
        filter("panther");
        QCOMPARE(shownEverywhere(), QList<int>({2}));
        filter("u4");
        QCOMPARE(shownEverywhere(), QList<int>({4}));
        filter("= 40");
        QCOMPARE(shownEverywhere(), QList<int>({3}));
        filter("u4", QStringLiteral("Path"));
        QCOMPARE(shownEverywhere(), QList<int>({4}));
        filter("panther");
        QCOMPARE(shownEverywhere(), QList<int>());
    }

    // Regular expressions typed over a cell of a megabyte, one of 12,000
    // characters and one of 10,000, applied by the pause in typing: a
    // backtracking matcher ran out of stack or ran without end there. One
    // the engine refuses says why in the bar and keeps the rows.
    void regexFilterOverALongCell()
    {
        const QString vars = folder->write("long.var", "[section1]\r\ndesc=1\r\n");
        const QString big = folder->write("big.txt", "desc " + QByteArray("ab").repeated(1 << 19) + "\r\n");
        const QString ended = folder->write("ended.txt", "desc " + QByteArray("ab").repeated(6000) + "c\r\n");
        const QString as = folder->write("as.txt", "desc " + QByteArray(10000, 'a') + "\r\n");
        dialogs->openAnswers.enqueue({vars});
        Action(*window, "N6")->trigger();
        dialogs->openAnswers.enqueue({big, ended, as});
        Action(*window, "N2")->trigger();
        QCOMPARE(dialogs->errors.size(), 0);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        Tabs(*window)->setCurrentIndex(1);
        grid(1)->setFocus();

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
        auto* text = window->findChild<QLineEdit*>(QStringLiteral("FilterText"));
        QVERIFY(text && text->hasFocus());
        QTest::keyClicks(text, QStringLiteral("/(a|b)*c/"));
        QTRY_COMPARE(shownEverywhere(), QList<int>({2}));
        QCOMPARE(StatusText(*window, 1), QStringLiteral("1 of 3 files shown"));
        QTest::keyClick(text, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(text, QStringLiteral("/(a+)+b/"));
        QTRY_COMPARE(shownEverywhere(), QList<int>({1, 2}));

        QTest::keyClick(text, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(text, QStringLiteral("/(a)\\1/"));
        auto* message = window->findChild<QLabel*>(QStringLiteral("FilterMessage"));
        QVERIFY(message);
        QTRY_VERIFY(message->isVisible());
        QCOMPARE(message->text(),
                 QStringLiteral("Back references (\\1) are not supported in regular expressions at position 5"));
        QCOMPARE(shownEverywhere(), QList<int>({1, 2}));
        // One that would take seconds a megabyte is refused too.
        QTest::keyClick(text, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(text, QStringLiteral("/(a.){900}/"));
        QTRY_VERIFY(message->text().endsWith(QStringLiteral("at position 6")));
        QVERIFY2(message->text().startsWith(QStringLiteral("The regular expression would search too slowly ({900}")),
                 qPrintable(message->text()));
        QCOMPARE(shownEverywhere(), QList<int>({1, 2}));
        QCOMPARE(dialogs->errors.size(), 0);
    }

    // A filter that runs long (the seam makes each one long from its first
    // file on) stops at Esc or at the progress box's Cancel: every row is
    // shown, the bar says so, and no command applies it again; Enter does.
    void aLongFilterStopsAtEscOrCancel()
    {
        openUnits();
        activate();
        Tabs(*window)->setCurrentIndex(1);
        Action(*window, "FilterRows")->trigger();
        filter("> 50", QStringLiteral("health"));
        QCOMPARE(shownEverywhere(), QList<int>({1, 2, 4}));
        const LongWorkAtOnce longAtOnce;
        const QString stopped = QStringLiteral("The filter was stopped: every file is shown (Enter applies it again)");
        // Whoever stops it does so while it runs: when it lets the window
        // paint, the user's Esc or click comes through.
        const std::function<void()> stops[] = {
            [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); },
            [this] {
                auto* box = window->findChild<QProgressDialog*>();
                QVERIFY(box && box->isVisible());
                QTest::mouseClick(box->findChild<QPushButton*>(), Qt::LeftButton);
            },
        };
        for (const auto& stop : stops) {
            QTest::keyClick(filterText(), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(filterText(), QStringLiteral("> 10"));
            QTimer::singleShot(0, window.get(), stop);
            QTest::keyClick(filterText(), Qt::Key_Return);
            QCOMPARE(bar()->message(), stopped);
            QVERIFY(bar()->isVisible());
            QCOMPARE(shownEverywhere(), QList<int>({1, 2, 3, 4, 5}));
            QCOMPARE(StatusText(*window, 1), QString());
            QVERIFY(Action(*window, "FilterRows")->isEnabled());
            QVERIFY(!window->findChild<QProgressDialog*>());
            typeIntoCell(grid(1), 2, 2, "5");
            press(Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(shownEverywhere(), QList<int>({1, 2, 3, 4, 5}));
        }
        // Left alone, the long filter ends as a short one does.
        QTest::mouseClick(filterText(), Qt::LeftButton);
        press(Qt::Key_Return);
        QCOMPARE(bar()->message(), QString());
        QCOMPARE(shownEverywhere(), QList<int>({1, 2, 3, 4}));
    }

    void filterFollowsCommandsNotTyping()
    {
        openUnits();
        activate();
        Tabs(*window)->setCurrentIndex(1);
        Action(*window, "FilterRows")->trigger();
        filter("> 50", QStringLiteral("health"));
        QCOMPARE(shownEverywhere(), QList<int>({1, 2, 4}));
        // The row being worked on stays until the next command.
        typeIntoCell(grid(1), 2, 1, "10");
        QCOMPARE(shownEverywhere(), QList<int>({1, 2, 4}));
        press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(shownEverywhere(), QList<int>({1, 2, 4}));
        press(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(shownEverywhere(), QList<int>({2, 4}));
        QCOMPARE(StatusText(*window, 1), QStringLiteral("2 of 5 files shown"));

        // Open desc builds the tables anew: the filter is applied to them.
        dialogs->askAnswers.enqueue(1);  // discard the edit
        dialogs->openAnswers.enqueue({folder->path("u1.txt"), folder->path("u3.txt"), folder->path("u4.txt")});
        Action(*window, "N2")->trigger();
        QCOMPARE(shownEverywhere(), QList<int>({1, 3}));
        QCOMPARE(StatusText(*window, 1), QStringLiteral("2 of 3 files shown"));
    }

    void editsUnderAFilterLeaveHiddenRowsAlone()
    {
        openUnits();
        activate();
        clickCell(grid(1), 2, 1);
        press(Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
        type("> 50");
        press(Qt::Key_Return);
        QCOMPARE(shownEverywhere(), QList<int>({1, 2, 4}));
        QCOMPARE(StatusText(*window, 1), QStringLiteral("3 of 5 files shown"));

        // One value pasted over a rectangle across a hidden row, then saved
        // (the first save rewrites every key line).
        QGuiApplication::clipboard()->setText(QStringLiteral("7"));
        clickCell(grid(1), 2, 1);
        clickCell(grid(1), 2, 4, Qt::ShiftModifier);
        press(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Cells(grid(1), {{2, 1}, {2, 2}, {2, 3}, {2, 4}}), QStringList({"7", "7", "40", "7"}));
        press(Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(StatusText(*window, 0), QStringLiteral("Saved 5 of 5 files"));
        QCOMPARE(folder->read("u1.txt"), QByteArray("health 7 \r\narmor 10 20 \r\nname Tiger \r\n"));
        QCOMPARE(folder->read("u3.txt"), QByteArray("health 40 \r\narmor 12 20 \r\nname Pak \r\n"));
    }

    void differenceColours()
    {
        openUnits();
        GridView* section = grid(1);
        QVERIFY(Action(*window, "DiffColours")->isChecked());
        const QColor blue = Data(section, 2, 3, Qt::ForegroundRole).value<QBrush>().color();
        QVERIFY(blue.isValid());                                     // 40, most have 100
        QVERIFY(!Data(section, 2, 1, Qt::ForegroundRole).isValid());  // 100
        QVERIFY(!Data(section, 2, 3, Qt::BackgroundRole).isValid());  // no edit
        QCOMPARE(Data(section, 2, 3, Qt::ToolTipRole).toString(), QStringLiteral("The column's most common value: \"100\""));
        QVERIFY(Data(section, 2, 5, Qt::DecorationRole).isValid());   // blank, and differs
        QVERIFY(!Data(section, 2, 3, Qt::DecorationRole).isValid());
        QVERIFY(!Data(grid(11), 1, 1, Qt::ForegroundRole).isValid());

        // An edit may change its column's most common value: the column is
        // painted anew once the edit is over, and the edit keeps its mark.
        // An edit that leaves the value as it was repaints its cell only.
        QSignalSpy changes(section->model(), &QAbstractItemModel::dataChanged);
        const auto wholeColumn = [&] {
            return std::any_of(changes.begin(), changes.end(), [&](const QList<QVariant>& args) {
                const auto top = args[0].toModelIndex(), bottom = args[1].toModelIndex();
                return top.row() == 0 && bottom.row() == section->model()->rowCount() - 1 && top.column() == 1 &&
                       bottom.column() == 1;
            });
        };
        QVERIFY(SetCell(section, 2, 4, "61"));
        QCoreApplication::processEvents();
        QVERIFY(!changes.isEmpty());
        QVERIFY(!wholeColumn());
        QVERIFY(SetCell(section, 2, 1, "40"));
        QVERIFY(SetCell(section, 2, 2, "40"));
        QTRY_VERIFY(wholeColumn());
        QVERIFY(!Data(section, 2, 3, Qt::ForegroundRole).isValid());
        QCOMPARE(Data(section, 2, 4, Qt::ForegroundRole).value<QBrush>().color(), blue);
        QVERIFY(Data(section, 2, 1, Qt::BackgroundRole).isValid());

        Action(*window, "DiffColours")->trigger();
        QVERIFY(!Data(section, 2, 4, Qt::ForegroundRole).isValid());
        QVERIFY(!Data(section, 2, 5, Qt::DecorationRole).isValid());
        QVERIFY(Data(section, 2, 1, Qt::BackgroundRole).isValid());

        // The switch is stored; the next window starts with it.
        dialogs->askAnswers.enqueue(1);  // discard the edits
        QVERIFY(window->close());
        const dravik::SettingsFile ini(dravik::ui::NativeBytes(folder->path("dravik2.INI")));
        QCOMPARE(ini.readString("Form", "DiffColours", "?"), std::string("0"));
        QCOMPARE(ini.readInteger("Form", "Top", -1), window->y());
        window = std::make_unique<TMainForm>(folder->path("dravik2.INI"), *dialogs);
        QVERIFY(!Action(*window, "DiffColours")->isChecked());
        Action(*window, "DiffColours")->trigger();
        QVERIFY(window->close());
        QCOMPARE(dravik::SettingsFile(ini.path()).readString("Form", "DiffColours", "?"), std::string("1"));
    }

    void problemCellsAreMarkedAndAskedAbout()
    {
        openUnits();
        GridView* section = grid(1);
        QVERIFY(SetCell(section, 2, 1, "lots"));   // health: numbers on disk
        QVERIFY(SetCell(section, 3, 2, "10 11"));  // several words
        QVERIFY(SetCell(section, 4, 2, "30"));     // fine
        const QColor problem = Data(section, 2, 1, Qt::BackgroundRole).value<QBrush>().color();
        const QColor changed = Data(section, 4, 2, Qt::BackgroundRole).value<QBrush>().color();
        QVERIFY(problem.isValid() && changed.isValid() && problem != changed);
        QCOMPARE(Data(section, 3, 2, Qt::BackgroundRole).value<QBrush>().color(), problem);
        const QString tip = Data(section, 2, 1, Qt::ToolTipRole).toString();
        QVERIFY2(tip.contains(QStringLiteral("not a number")) && tip.contains(QStringLiteral("On disk: \"100\"")),
                 qPrintable(tip));
        QVERIFY(Data(section, 3, 2, Qt::ToolTipRole).toString().contains(QStringLiteral("several words")));

        // Save all says how many first; Cancel writes nothing.
        const QByteArray before = folder->read("u1.txt");
        dialogs->askAnswers.enqueue(1);
        Action(*window, "N10")->trigger();
        QCOMPARE(dialogs->questions.size(), 1);
        QVERIFY2(dialogs->questions[0].text.startsWith(QStringLiteral("2 edited cells hold values that look wrong:\n")),
                 qPrintable(dialogs->questions[0].text));
        QVERIFY(dialogs->questions[0].text.contains(QStringLiteral("u1.txt, health: \"lots\"")));
        QCOMPARE(folder->read("u1.txt"), before);
        QVERIFY(window->document().isModified());
        dialogs->askAnswers.enqueue(0);
        Action(*window, "N10")->trigger();
        QCOMPARE(folder->read("u1.txt"), QByteArray("health lots \r\narmor 10 20 \r\nname Tiger \r\n"));
        QVERIFY(!window->document().isModified());
        QVERIFY(!Data(section, 2, 1, Qt::BackgroundRole).isValid());
    }

    // However a line break came into a value (a later import, say), Save all
    // names the cell and writes nothing: the key line would split in two.
    void saveAllRefusesALineBreak()
    {
        openUnits();
        window->history().typeCell(dravik::kTextSectionTable, 2, 2, "Two\nlines");
        QVERIFY(Data(grid(10), 2, 2, Qt::ToolTipRole).toString().contains(QStringLiteral("a line break")));
        const QByteArray before = folder->read("u2.txt");
        Action(*window, "N10")->trigger();
        QCOMPARE(dialogs->questions.size(), 0);
        QCOMPARE(dialogs->messages.size(), 1);
        QCOMPARE(dialogs->messages[0].caption, QStringLiteral("Save all"));
        QCOMPARE(dialogs->messages[0].text,
                 QStringLiteral("1 edited cell holds a line break, which would split the key line in two:\n"
                                "u2.txt, name: \"Two\u21b5lines\" (a line break: Save all cannot write it, as it "
                                "would split the key line)\n\n"
                                "Save all writes nothing while a value holds a line break. Put a blank in its place, "
                                "or undo the edit, and save again."));
        QCOMPARE(folder->read("u2.txt"), before);
        QVERIFY(window->document().isModified());
    }

    // The summary dock takes its room from the tables and gives it back to
    // them: the preview was left a sliver beside it.
    void columnSummaryLeavesThePreviewItsWidth()
    {
        openUnits();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const int preview = Preview(*window)->width();
        const int tables = Tabs(*window)->width();
        Action(*window, "ColumnSummary")->trigger();
        auto* dock = named<QDockWidget>(QStringLiteral("ColumnSummaryDock"));
        QTRY_VERIFY(dock->isVisible());
        QTRY_COMPARE(Preview(*window)->width(), preview);
        QVERIFY(Tabs(*window)->width() < tables);
        auto* close = dock->findChild<QAbstractButton*>(QStringLiteral("qt_dockwidget_closebutton"));
        QVERIFY(close);
        QTest::mouseClick(close, Qt::LeftButton);
        QTRY_VERIFY(!dock->isVisible());
        QTRY_COMPARE(Tabs(*window)->width(), tables);
        QCOMPARE(Preview(*window)->width(), preview);
    }

    void columnSummaryFollowsSelectionFilterAndEdits()
    {
        openUnits();
        Tabs(*window)->setCurrentIndex(1);
        Action(*window, "ColumnSummary")->trigger();
        dravik::ui::SummaryPanel* panel = window->summaryPanel();
        QVERIFY(panel->isVisible());
        GridView* section = grid(1);
        clickCell(section, 2, 1);  // health
        QTRY_COMPARE(panel->columns(), std::vector<int>({2}));
        QCOMPARE(panel->title(), QStringLiteral("Section 1: health"));
        QCOMPARE(panel->summary().values, size_t{5});
        QCOMPARE(panel->summary().filled, size_t{4});
        QCOMPARE(panel->summary().distinct, size_t{3});
        QCOMPARE(panel->summary().min, 40.0);
        QCOMPARE(panel->summary().max, 100.0);
        QCOMPARE(panel->summary().median, 80.0);
        QVERIFY(panel->facts().contains(QStringLiteral("Mean: 75")));
        QVERIFY(panel->mostCommon().contains(QStringLiteral("2 \u00d7 100")));

        // Only the rows the filter shows.
        Action(*window, "FilterRows")->trigger();
        filter("< 100", QStringLiteral("health"));
        QTRY_COMPARE(panel->summary().values, size_t{2});
        filter("");
        QTRY_COMPARE(panel->summary().values, size_t{5});

        // An edit of the column is summarised once the notices are over.
        QVERIFY(SetCell(section, 2, 5, "70"));
        QTRY_COMPARE(panel->summary().filled, size_t{5});

        // Bars of whole numbers filter by their range: 40, 60, 70, 100, 100.
        const dravik::Histogram& histogram = panel->histogramView()->histogram();
        QVERIFY(histogram.wholeBins);
        QCOMPARE(histogram.edges, std::vector<double>({40, 60, 80, 100, 120}));
        QCOMPARE(panel->barFilter(1), QStringLiteral("60..79"));
        // Other bars by the lowest and highest value in them, so that the
        // filter shows exactly the bar's rows.
        QVERIFY(SetCell(section, 2, 3, "40.5"));
        QTRY_COMPARE(panel->summary().max - panel->summary().min, 59.5);
        QCOMPARE(panel->histogramView()->histogram().edges, std::vector<double>({40, 60, 80, 100}));
        QCOMPARE(panel->barFilter(0), QStringLiteral("= 40.5"));
        QCOMPARE(panel->barFilter(1), QStringLiteral("60..70"));
        QCOMPARE(panel->barFilter(2), QStringLiteral("= 100"));
        // A click on the bar sets the filter on that column.
        clickCell(section, 2, 1);
        QWidget* editor = section->indexWidget(section->currentIndex());
        QVERIFY(editor && editor->hasFocus());
        QTest::mouseClick(panel->histogramView(), Qt::LeftButton, {}, panel->histogramView()->barRect(1).center());
        QCOMPARE(bar()->column().label, QStringLiteral("health"));
        QCOMPARE(bar()->text(), QStringLiteral("60..70"));
        QCOMPARE(shownEverywhere(), QList<int>({4, 5}));
        QTRY_COMPARE(panel->summary().values, size_t{2});
        // The editor hidden with its row leaves the current cell where it was.
        QCoreApplication::processEvents();
        QCOMPARE(section->currentIndex(), section->model()->index(0, 1));
        QCOMPARE(panel->title(), QStringLiteral("Section 1: health"));
        filter("");

        // A value of a key with several, and a bar of whole numbers.
        section->setCurrentIndex(section->model()->index(0, 3));  // armor, value 2: 20 25 20 20 20
        QTRY_COMPARE(panel->columns(), std::vector<int>({4}));
        QCOMPARE(panel->title(), QStringLiteral("Section 1: armor (value 2 of 2)"));
        QVERIFY(panel->histogramView()->histogram().wholeBins);
        QCOMPARE(panel->barFilter(0), QStringLiteral("= 20"));
        QCOMPARE(panel->barFilter(1), QString());  // 21: no value, nothing to show
        emit panel->histogramView()->barClicked(5);
        QCOMPARE(bar()->column().label, QStringLiteral("armor (value 2)"));
        QCOMPARE(bar()->text(), QStringLiteral("= 25"));
    }
};

QTEST_MAIN(TableViewsTest)
#include "table_views_test.moc"
