// How the tables look and behave on screen: the cell editor under the mouse,
// long paths, and fixed texts that must not be cut.
#include "window_fixture.h"

#include "ui/common/display_text.h"
#include "ui/files/folder_actions.h"

#include <QAbstractButton>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyleOptionHeader>
#include <QStyleOptionViewItem>
#include <QTabWidget>
#include <QtTest>

using dravik::ui::GridView;

namespace {

const QString kLongFolder = QStringLiteral("/home/user/games/SuddenStrike/mods/a-rather-long-mod-folder/units/tanks");

// Where a header draws its text, when it is `size` large.
QRect LabelRect(const QWidget* header, const QSize& size)
{
    QStyleOptionHeader option;
    option.initFrom(header);
    option.rect = QRect(QPoint(0, 0), size);
    return header->style()->subElementRect(QStyle::SE_HeaderLabel, &option, header);
}

}  // namespace

class TableViewTest : public WindowFixture {
    Q_OBJECT

    // As Open desc fills it: a section table's path takes no typing.
    void setSectionPath(int row, const QString& path)
    {
        window->history().typeCell(dravik::GridNumber(1), 1, row, dravik::ui::NativeBytes(path));
    }

private slots:
    void clickKeepsTheEditorOpen()
    {
        openSample();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        GridView* files = Table(*window, 11);
        Tabs(*window)->setCurrentIndex(0);
        Preview(*window)->setFocus();
        // Each click selects a row and loads its file into the preview.
        for (auto [row, col] : {std::pair{0, 0}, std::pair{1, 1}, std::pair{0, 1}}) {
            const QModelIndex cell = files->model()->index(row, col);
            QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualRect(cell).center());
            QTRY_COMPARE(files->currentIndex(), cell);
            QTRY_COMPARE(window->document().currentDescFile(), window->document().filePath(dravik::FileRow(row + 1)));
            auto* editor = qobject_cast<QLineEdit*>(files->indexWidget(cell));
            QVERIFY(editor);
            QVERIFY(editor->isVisible());
            QVERIFY(editor->hasFocus());
        }
    }

    void longPathKeepsItsFileName()
    {
        openSample();
        const QString tank = folder->path("tank.txt");
        GridView* section1 = Table(*window, 1);
        GridView* files = Table(*window, 11);
        QCOMPARE(section1->model()->data(section1->model()->index(0, 0), Qt::ToolTipRole).toString(), tank);

        const QString path = kLongFolder + QStringLiteral("/tiger.desc");
        setSectionPath(1, path);
        QVERIFY(SetCell(files, 2, 2, path));
        // Narrower than the path, as the user may make it.
        files->horizontalHeader()->resizeSection(1, 200);
        for (GridView* grid : {section1, files}) {
            Tabs(*window)->setCurrentIndex(grid == files ? 0 : 1);
            const QModelIndex cell = grid == files ? grid->model()->index(1, 1) : grid->model()->index(0, 0);
            const QString shown = grid->shownText(cell);
            QVERIFY2(shown.endsWith(QStringLiteral("/tiger.desc")) && shown.contains(QChar(0x2026)), qPrintable(shown));
            QVERIFY(grid->fontMetrics().horizontalAdvance(shown) < grid->visualRect(cell).width());
        }
        // The tip names the whole path, and what the file still holds.
        const QString tip = section1->model()->data(section1->model()->index(0, 0), Qt::ToolTipRole).toString();
        QCOMPARE(tip, path + QStringLiteral("\nOn disk: \"%1\"").arg(tank));
        // A short path shows whole.
        setSectionPath(2, QStringLiteral("/a/b.txt"));
        QCOMPARE(section1->shownText(section1->model()->index(1, 0)), QStringLiteral("/a/b.txt"));
    }

    void pathEditorStaysInItsColumn()
    {
        openSample();
        GridView* files = Table(*window, 11);
        clickCell(files, 2, 1);
        const QModelIndex cell = files->model()->index(0, 1);
        auto* editor = qobject_cast<QLineEdit*>(files->indexWidget(cell));
        QVERIFY(editor);
        const int columnEnd = files->visualRect(cell).right();
        QVERIFY(editor->geometry().right() <= columnEnd);
        QTest::keyClicks(editor, QStringLiteral("-and-a-few-more-letters"));
        QVERIFY(editor->text().endsWith(QStringLiteral("-and-a-few-more-letters")));
        // A layout the typing asked for happens once its events are handled.
        QCoreApplication::processEvents();
        QVERIFY(editor->geometry().right() <= columnEnd);
    }

    // A section table's path names the row's file and is no value of it:
    // typed into, it would look like an edit that Save all never writes. The
    // file list's paths take typing.
    void sectionPathsTakeNoTyping()
    {
        openSample();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        typeIntoCell(Table(*window, 1), 1, 1, QStringLiteral("typed"));
        QCOMPARE(Cell(Table(*window, 1), 1, 1), folder->path("tank.txt"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Dravik 2 v1.3 beta"));
        QVERIFY(!window->history().canUndo());
        typeIntoCell(Table(*window, 11), 2, 1, QStringLiteral("typed"));
        QCOMPARE(Cell(Table(*window, 11), 2, 1), QStringLiteral("typed"));
    }

    // Paths and descriptions are read whole: their columns are as wide as
    // their texts, not as their headers ("Path" showed "...esc").
    void pathsAndDescriptionsShowWhole()
    {
        openSample();
        for (const auto& [grid, col] : {std::pair{11, 1}, std::pair{11, 2}, std::pair{10, 2}}) {
            GridView* view = Table(*window, grid);
            clickTabOf(view);
            QStyleOptionViewItem option;
            option.initFrom(view);
            for (int row = 1; row <= 2; ++row) {
                const QModelIndex cell = view->model()->index(row - 1, col - 1);
                QVERIFY2(view->itemDelegate()->sizeHint(option, cell).width() <= view->columnWidth(col - 1),
                         qPrintable(Cell(view, col, row)));
            }
        }
        QCOMPARE(Table(*window, 11)->shownText(Table(*window, 11)->model()->index(0, 1)),
                 folder->path("tank.txt"));
    }

    // A section table's path shows below the folder the files were opened
    // from, whole, its column as wide as that; the tip and the cell's text
    // keep the full path.
    void sectionPathsShowBelowTheOpenedFolder()
    {
        const QString variables = folder->write("vars.var", sample::Variables());
        dialogs->openAnswers.enqueue({variables});
        Action(*window, "N6")->trigger();
        QDir(folder->path(QString())).mkpath(QStringLiteral("mod/units/heavy-tanks-of-the-late-war"));
        const QString kv1 =
            folder->write(QStringLiteral("mod/units/heavy-tanks-of-the-late-war/kv1.desc"), sample::TankDesc());
        // Opened as a folder: the root is the folder chosen, above the files' own.
        window->folderActions()->openPaths({folder->path(QStringLiteral("mod"))});
        QCOMPARE(dialogs->errors.size(), 0);
        for (int n : {1, 10}) {
            GridView* view = Table(*window, n);
            clickTabOf(view);
            const QModelIndex cell = view->model()->index(0, 0);
            QCOMPARE(view->shownText(cell),
                     QDir::toNativeSeparators(QStringLiteral("units/heavy-tanks-of-the-late-war/kv1.desc")));
            QStyleOptionViewItem option;
            option.initFrom(view);
            QVERIFY(view->itemDelegate()->sizeHint(option, cell).width() <= view->columnWidth(0));
            QCOMPARE(Cell(view, 1, 1), kv1);
            QCOMPARE(view->model()->data(cell, Qt::ToolTipRole).toString(), kv1);
        }
    }

    void summaryLabelsShowWhole()
    {
        openSample();
        dialogs->saveAnswers.enqueue(std::nullopt);
        Action(*window, "Exporttable1")->trigger();
        GridView* summary = Table(*window, 12);
        Tabs(*window)->setCurrentIndex(12);
        QCOMPARE(RowNumber(summary, 1 + 2 * 4), QStringLiteral("Section 3"));
        const QHeaderView* header = summary->verticalHeader();
        const QRect label = LabelRect(header, QSize(header->width(), header->defaultSectionSize()));
        for (const QString text : {"Section 3", "Section text", "File list"})
            QVERIFY2(label.width() >= header->fontMetrics().horizontalAdvance(text), qPrintable(text));
    }

    void cornerTextFitsLargeFonts()
    {
        dialogs->fontAnswers.enqueue(QFont(QStringLiteral("DejaVu Sans"), 20));
        Action(*window, "SelectFont")->trigger();
        GridView* files = Table(*window, 11);
        Tabs(*window)->setCurrentIndex(0);
        const auto* corner = files->findChild<QAbstractButton*>();
        QVERIFY(corner);
        QCOMPARE(files->gridModel()->cornerText(), QStringLiteral("File number"));
        // The corner takes its size when the shown table is laid out anew.
        const auto textFits = [corner] {
            const QRect label = LabelRect(corner, corner->size());
            const QFontMetrics metrics = corner->fontMetrics();
            return label.width() >= metrics.horizontalAdvance(QStringLiteral("File number")) &&
                   label.height() >= metrics.height();
        };
        QTRY_VERIFY(textFits());
    }
};

QTEST_MAIN(TableViewTest)
#include "table_view_test.moc"
