// Tables whose rows or columns come and go under the user: the views keep
// their current cell, selection and scroll position where the rows remain,
// the filter stays true to its text, and the file list's current row going
// away chooses no other file.
#include "ui/common/display_text.h"
#include "ui/views/filter_bar.h"
#include "window_fixture.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QtTest>

using dravik::ui::GridView;

class SizeChangeTest : public WindowFixture {
    Q_OBJECT

    // Unit i (from 1) has health 10 * i, armor i and speed 5.
    QStringList writeUnits(int count, int from = 1)
    {
        QStringList paths;
        for (int i = from; i < from + count; ++i)
            paths << folder->write(QStringLiteral("u%1.txt").arg(i),
                                   QStringLiteral("health %1\r\narmor %2\r\nspeed 5\r\n").arg(10 * i).arg(i).toLatin1());
        return paths;
    }
    void openVariables()
    {
        dialogs->openAnswers.enqueue({folder->write("u.var", "[section1]\r\nhealth=1\r\narmor=1\r\nspeed=1\r\n")});
        Action(*window, "N6")->trigger();
    }
    void open(const QStringList& paths)
    {
        dialogs->openAnswers.enqueue(paths);
        Action(*window, "N2")->trigger();
        QCOMPARE(dialogs->errors.size(), 0);
    }
    GridView* grid(dravik::GridNumber n) const { return Table(*window, n); }
    GridView* grid(int n) const { return Table(*window, n); }
    void show(dravik::GridNumber n) { Tabs(*window)->setCurrentWidget(grid(n)->parentWidget()); }
    // Clicks the cell of the grid's own numbering; with Shift, extends the selection to it.
    static void click(GridView* view, int col, int row, Qt::KeyboardModifiers keys = {})
    {
        const QRect cell = view->visualRect(view->model()->index(row - 1, col - 1));
        QVERIFY(view->viewport()->rect().contains(cell.center()));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, keys, cell.center());
    }
    // The current cell and the selected cells, by the grid's numbering.
    static QString Where(GridView* view)
    {
        const QModelIndex current = view->currentIndex();
        QString where = QStringLiteral("current %1,%2;").arg(current.column() + 1).arg(current.row() + 1);
        for (const QItemSelectionRange& range : view->selectionModel()->selection())
            where += QStringLiteral(" %1,%2-%3,%4")
                         .arg(range.left() + 1)
                         .arg(range.top() + 1)
                         .arg(range.right() + 1)
                         .arg(range.bottom() + 1);
        return where;
    }

private slots:
    void openDescOfMoreOrFewerFilesKeepsTheCellTheSelectionAndTheScroll()
    {
        openVariables();
        open(writeUnits(60));
        show(dravik::GridNumber(1));
        GridView* table = grid(1);
        table->setFocus();
        click(table, 2, 1);
        for (int page = 0; page < 2; ++page)
            QTest::keyClick(table, Qt::Key_PageDown);
        const int scrolled = table->verticalScrollBar()->value();
        QVERIFY(scrolled > 0);
        // A block of the rows now on screen, from the cell above the current one.
        const int row = table->currentIndex().row();
        click(table, 2, row);
        click(table, 3, row + 1, Qt::ShiftModifier);
        const QString before = Where(table);
        QCOMPARE(before, QStringLiteral("current 3,%1; 2,%2-3,%1").arg(row + 1).arg(row));

        open(writeUnits(70));
        QCOMPARE(table->model()->rowCount(), 70);
        QCOMPARE(Where(table), before);
        QCOMPARE(table->verticalScrollBar()->value(), scrolled);
        QCOMPARE(Cell(table, 2, row), QString::number(10 * row));

        // Fewer files, the cell among them; then a key less, not the cells'.
        open(writeUnits(row + 5));
        QCOMPARE(Where(table), before);
        dialogs->openAnswers.enqueue({folder->write("h.var", "[section1]\r\nhealth=1\r\narmor=1\r\n")});
        dialogs->askAnswers.enqueue(1);  // not laid out at once: Open desc does it
        Action(*window, "N6")->trigger();
        open(writeUnits(row + 5));
        QCOMPARE(table->model()->columnCount(), 3);
        QCOMPARE(Where(table), before);
    }

    void theSummaryKeepsItsCellThroughAnExportAndItsUndo()
    {
        openVariables();
        open(writeUnits(3));
        show(dravik::kSummaryGrid);
        GridView* summary = grid(dravik::kSummaryGrid);
        click(summary, 2, 2);
        click(summary, 3, 3, Qt::ShiftModifier);
        const QString before = Where(summary);
        QCOMPARE(summary->model()->rowCount(), 4);

        dialogs->saveAnswers.enqueue(std::nullopt);  // the table is filled before the file is asked for
        Action(*window, "Exporttable1")->trigger();
        QVERIFY(summary->model()->rowCount() > 4);
        QCOMPARE(Where(summary), before);
        Action(*window, "Undo")->trigger();
        QCOMPARE(summary->model()->rowCount(), 4);
        QCOMPARE(Where(summary), before);

        // A cell the undo takes away leaves the current cell on the rows that stay.
        Action(*window, "Redo")->trigger();
        summary->scrollToBottom();
        const int last = summary->model()->rowCount();
        click(summary, 2, last);
        Action(*window, "Undo")->trigger();
        QCOMPARE(Where(summary), QStringLiteral("current 2,4;"));
    }

    void aFilterStaysTrueToItsTextWhenRowsCome()
    {
        openVariables();
        open(writeUnits(4));
        show(dravik::GridNumber(1));
        Action(*window, "FilterRows")->trigger();
        window->filterBar()->textEdit()->setText(QStringLiteral("> 25"));
        window->filterBar()->applyNow();
        auto shown = [&](dravik::GridNumber n) {
            QList<int> rows;
            for (int r = 0; r < grid(n)->model()->rowCount(); ++r)
                if (!grid(n)->isRowHidden(r))
                    rows << r + 1;
            return rows;
        };
        QCOMPARE(shown(dravik::GridNumber(1)), QList<int>({3, 4}));

        // Units 1 to 8 of which only 1 and 2 fall below the filter.
        open(writeUnits(8));
        for (dravik::GridNumber n : dravik::FileRowTables())
            QCOMPARE(shown(n), QList<int>({3, 4, 5, 6, 7, 8}));
        open(writeUnits(2));
        QCOMPARE(shown(dravik::kFileListGrid), QList<int>());
    }

    void theFileListsCurrentRowGoingAwayChoosesNoFile()
    {
        openVariables();
        const QStringList units = writeUnits(5);
        open(units);
        GridView* files = grid(dravik::kFileListGrid);
        Tabs(*window)->setCurrentWidget(files->parentWidget());
        click(files, 1, 3);
        QCOMPARE(window->document().currentDescFile(), dravik::ui::NativeBytes(units[2]));

        // The rows below 2 go: the current cell moving up must not read the
        // file row 2 named before the load.
        QVERIFY(QFile::remove(units[1]));
        open(writeUnits(2, 6));
        QCOMPARE(dialogs->errors.size(), 0);
        QCOMPARE(window->document().currentDescFile(), dravik::ui::NativeBytes(folder->path("u7.txt")));
        QCOMPARE(Preview(*window)->toPlainText(), QStringLiteral("health 70\narmor 7\nspeed 5\n"));
    }
};

QTEST_MAIN(SizeChangeTest)
#include "size_change_test.moc"
