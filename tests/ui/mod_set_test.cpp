// Many mods over one game in the window: New mod set with its dialog, the
// merged view in the tables, Save all refusing it, and Save mod set and
// Open mod set bringing back the same view.
#include "core/document/grid_numbers.h"
#include "core/modset/merged_build.h"
#include "core/modset/mod_set.h"
#include "core/modset/mod_set_setup.h"
#include "tests/core/mod/merge_scenario.h"
#include "ui/modset/conflict_review.h"
#include "ui/modset/mod_set_actions.h"
#include "ui/modset/mod_set_dialog.h"
#include "ui/tables/cell_marks.h"
#include "ui/views/filter_bar.h"
#include "window_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QTableWidget>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QtTest>

using dravik::ui::GridView;

namespace {

QByteArray Bytes(std::string_view text) { return QByteArray(text.data(), static_cast<qsizetype>(text.size())); }

// The merged files in path order: the gun, then the tank.
constexpr int kGun = 1;
constexpr int kTank = 2;
// Section 1: armor in columns 2 to 4, hp in 5. Section 2: speed in 2.
constexpr int kArmor = 2;
constexpr int kHp = 5;

}  // namespace

class ModSetTest : public WindowFixture {
    Q_OBJECT

    dravik::ui::ModSetActions* sets() const { return window->modSetActions(); }
    QList<QPoint> mergedCells() const
    {
        return {{kArmor, kTank}, {kHp, kTank}, {kHp, kGun}};
    }
    // Right-clicks the cell of section 1 and clicks the menu's item; returns
    // the menu's items.
    QStringList cellMenu(int col, int row, const QString& item)
    {
        QStringList items;
        QTimer::singleShot(0, this, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction* action : menu->actions()) {
                items << action->text();
                if (action->text() == item)
                    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
            }
            if (menu->isVisible())
                menu->close();
        });
        GridView* view = grid(1);
        const QPoint at = view->visualRect(view->model()->index(row - 1, col - 1)).center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
        QApplication::sendEvent(view->viewport(), &event);
        return items;
    }
    QStringList merged() const
    {
        QStringList cells = Cells(grid(1), mergedCells());
        cells << Cell(grid(2), 2, kTank);
        return cells;
    }

private slots:
    void modSetRoad()
    {
        const QString vars = writeMergeFolders();
        dialogs->openAnswers.enqueue({vars});
        clickMenuItem(Action(*window, "N6"));

        // The dialog as a user fills it: the base by Browse, Y added before
        // X, then X moved up so that Y comes last and wins.
        dialogs->baseFolderAnswers << folder->path("B") << folder->path("Y") << folder->path("X");
        dialogs->modSetAnswers.enqueue([this](const dravik::ui::ModSetChoice& initial) {
            dravik::ui::ModSetDialog dialog(window.get(), initial, *dialogs);
            dialog.show();
            for (const char* button : {"browseBase", "addFolder", "addFolder", "up"})
                QTest::mouseClick(dialog.findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
            return std::optional(dialog.choice());
        });
        clickMenuItem(sets()->newModSet);
        QCOMPARE(dialogs->errors.size(), 0);
        QVERIFY(sets()->modSet() != nullptr);
        // X's front armour, Y's hit points over X's on the tank, Y's gun, Y's speed.
        const QStringList expected{"50", "120", "60", "35"};
        QCOMPARE(merged(), expected);
        // Where each value comes from: X alone, a conflict Y wins, Y alone,
        // and the base's value where no mod changes it.
        struct {
            int col, row;
            QColor mark;
            QString lastTip;
        } const marks[] = {
            {kArmor, kTank, QColor(70, 110, 230), "Wins: X"},
            {kHp, kTank, QColor(230, 100, 0), "Conflict: Y wins, last in the order"},
            {kHp, kGun, QColor(70, 110, 230), "Wins: Y"},
            {kArmor + 1, kTank, QColor(), ""},
        };
        for (const auto& m : marks) {
            const QModelIndex cell = grid(1)->model()->index(m.row - 1, m.col - 1);
            QCOMPARE(cell.data(dravik::ui::kEdgeMarkRole).value<QColor>(), m.mark);
            const QStringList tips = cell.data(Qt::ToolTipRole).toString().split(QLatin1Char('\n'));
            QVERIFY2(m.lastTip.isEmpty() ? !tips.join("").contains("Original game") : tips.contains(m.lastTip),
                     qPrintable(tips.join(" | ")));
        }
        const QString story = grid(1)->model()->index(kTank - 1, kHp - 1).data(Qt::ToolTipRole).toString();
        QVERIFY2(story.contains(QStringLiteral("Original game: 100\nX: 110\nY: 120\nConflict: Y wins, last in the order")),
                 qPrintable(story));

        // Save all would write other mods' values into the files read, and
        // Save current of a file the preview shows would re-read merged rows.
        clickMenuItem(Action(*window, "N10"));
        QCOMPARE(dialogs->errors.size(), 1);
        clickCell(grid(dravik::kFileListGrid), 2, kTank);
        clickMenuItem(Action(*window, "N3"));
        QVERIFY(dialogs->errors.size() >= 2);
        QCOMPARE(merged(), expected);
        for (const auto& [name, bytes] : dravik::merge::kFolderFiles)
            QCOMPARE(folder->read(QLatin1String(name)), Bytes(bytes));
        dialogs->errors.clear();

        // The filter words about the mods, typed into the bar on the file
        // list (every section table): the tank's hp is a conflict where X's
        // value is lost; Y changes both files. A name no mod has says so and
        // leaves the rows as they were.
        Action(*window, "FilterRows")->trigger();
        clickTabOf(grid(dravik::kFileListGrid));
        struct {
            const char* typed;
            QList<int> shown;
            QString message;
        } const words[] = {
            {"conflict", {kTank}, ""},
            {"lost", {kTank}, ""},
            {"MOD:y", {kGun, kTank}, ""},
            {" mod: X ", {kTank}, ""},
            {"mod:Z", {kTank}, "The mod set has no mod \"Z\""},
            {"", {kGun, kTank}, ""},
        };
        for (const auto& w : words) {
            typeFilter(QLatin1String(w.typed));
            QCOMPARE(Shown(grid(dravik::kFileListGrid)), w.shown);
            QCOMPARE(named<dravik::ui::FilterBar>(QStringLiteral("FilterBar"))->message(), w.message);
        }

        // The Mods pane: the conflict's story, X chosen for that cell, undone;
        // then X for hp in every file, which leaves the gun (X does not
        // change it) to Y.
        auto* pane = named<QWidget>(QStringLiteral("ModsPane"));
        QVERIFY(pane->isVisible());
        clickCell(grid(1), kHp, kTank);
        QVERIFY(pane->findChild<QLabel*>(QStringLiteral("story"))->text().endsWith("Conflict: Y wins, last in the order"));
        auto take = [&](const QString& winner, bool everyFile) {
            auto* box = pane->findChild<QCheckBox*>(QStringLiteral("everyFile"));
            if (box->isChecked() != everyFile)
                QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
            auto* winners = pane->findChild<QComboBox*>(QStringLiteral("winner"));
            winners->setCurrentIndex(winners->findText(winner));
            QTest::mouseClick(pane->findChild<QPushButton*>(QStringLiteral("take")), Qt::LeftButton);
        };
        take("X", false);
        QCOMPARE(merged(), (QStringList{"50", "110", "60", "35"}));
        clickMenuItem(Action(*window, "Undo"));
        QCOMPARE(merged(), expected);
        // The same from the cell's menu, which offers the mods that set it.
        QCOMPARE(cellMenu(kHp, kTank, "Take X"), (QStringList{"Take X", "Take Y", "Take the original game"}));
        QCOMPARE(merged(), (QStringList{"50", "110", "60", "35"}));
        clickMenuItem(Action(*window, "Undo"));
        QCOMPARE(merged(), expected);
        take("X", true);
        QCOMPARE(merged(), (QStringList{"50", "110", "60", "35"}));
        clickMenuItem(Action(*window, "Undo"));
        QCOMPARE(merged(), expected);
        clickMenuItem(Action(*window, "Redo"));
        QCOMPARE(merged(), (QStringList{"50", "110", "60", "35"}));
        // Y moved before X: X now wins the tank's hp by the order too; and the
        // original game chosen for the tank's front armour.
        clickMenuItem(Action(*window, "Undo"));
        auto* order = pane->findChild<QListWidget*>(QStringLiteral("order"));
        QTest::mouseClick(order->viewport(), Qt::LeftButton, {}, order->visualItemRect(order->item(1)).center());
        QTest::mouseClick(pane->findChild<QPushButton*>(QStringLiteral("up")), Qt::LeftButton);
        QCOMPARE(merged(), (QStringList{"50", "110", "60", "35"}));
        clickCell(grid(1), kArmor, kTank);
        take("the original game", false);
        // A value typed into the gun's hp is a choice of its own, one step.
        typeIntoCell(grid(1), kHp, kGun, QStringLiteral("77"));
        const QStringList chosen{"45", "110", "77", "35"};
        QCOMPARE(merged(), chosen);
        clickMenuItem(Action(*window, "Undo"));
        QCOMPARE(merged(), (QStringList{"45", "110", "60", "35"}));
        clickMenuItem(Action(*window, "Redo"));
        QCOMPARE(merged(), chosen);
        QCOMPARE(dialogs->errors.size(), 0);

        // What is unsaved is the set, not the files: Open desc asks about
        // the set, and Cancel keeps it; once saved, nothing is asked.
        dialogs->askAnswers.enqueue(2);
        dialogs->openAnswers.enqueue({folder->path("X/units/tank.desc")});
        clickMenuItem(Action(*window, "N2"));
        QCOMPARE(dialogs->questions.size(), 1);
        QCOMPARE(dialogs->questions.back().buttons.first(), QStringLiteral("&Save mod set"));
        QCOMPARE(merged(), chosen);
        const QString saved = folder->path("two.modset");
        dialogs->saveAnswers.enqueue(saved);
        clickMenuItem(sets()->saveModSet);
        QCOMPARE(dialogs->errors.size(), 0);
        QCOMPARE(sets()->modSetPath(), saved);

        // Open desc shows files again; Open mod set brings the view back.
        dialogs->openAnswers.enqueue({folder->path("X/units/tank.desc")});
        clickMenuItem(Action(*window, "N2"));
        QCOMPARE(dialogs->questions.size(), 1);
        QVERIFY(sets()->modSet() == nullptr);
        dialogs->openAnswers.enqueue({saved});
        clickMenuItem(sets()->openModSet);
        QCOMPARE(dialogs->errors.size(), 0);
        QCOMPARE(merged(), chosen);
        QCOMPARE(sets()->modSet()->mod(sets()->modSet()->order().back()).name, std::string("X"));

        // File > Recent mod sets keeps it across a restart and opens it again.
        window->close();
        QVERIFY(folder->read("dravik2.INI").contains("[Mod sets]\r\nModSet1=" + QDir::toNativeSeparators(saved).toUtf8()));
        window = std::make_unique<TMainForm>(folder->path("dravik2.INI"), *dialogs);
        window->show();
        activate();
        QMenuBar* bar = window->menuBar();
        QMenu* fileMenu = Menu(*window, "N1");
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(fileMenu->menuAction()).center());
        auto* recent = named<QMenu>(QStringLiteral("RecentModSets"));
        QTest::mouseClick(fileMenu, Qt::LeftButton, {}, fileMenu->actionGeometry(recent->menuAction()).center());
        QTRY_VERIFY(recent->isVisible());
        QTest::mouseClick(recent, Qt::LeftButton, {}, recent->actionGeometry(recent->actions().front()).center());
        QCOMPARE(dialogs->errors.size(), 0);
        QCOMPARE(sets()->modSetPath(), QDir::toNativeSeparators(saved));
        QCOMPARE(merged(), chosen);

        // Build merged mod writes what the engine writes for the saved set
        // (as the batch's merge does). X is last now: each file is X's copy,
        // with only the lines whose merged values differ from it rebuilt (the
        // gun's hp and name, which Y alone changes; its speed stays as is).
        dialogs->baseFolderAnswers.enqueue(folder->path("out"));
        clickMenuItem(sets()->buildMergedMod);
        QCOMPARE(dialogs->errors.size(), 0);
        QCOMPARE(dialogs->messages.size(), 1);
        const dravik::ModSet again(dravik::ReadModSetFile(saved.toStdString()));
        dravik::BuildOptions options;
        options.out = folder->path("expected").toStdString();
        dravik::BuildMergedMod(again, options);
        for (const char* name : {"units/tank.desc", "guns/gun.desc", ".merge-report.txt"})
            QCOMPARE(folder->read(QStringLiteral("out/") + name), folder->read(QStringLiteral("expected/") + name));
        QVERIFY(folder->read("out/units/tank.desc").contains("armor  45 45 40 "));
        QCOMPARE(folder->read("out/guns/gun.desc"),
                 QByteArray("; ZiS-3\r\nhp  77 \r\n[section2]\r\nspeed 5\r\n[section_text]\r\nname  ZiS-3 (1942) \r\n"));
        // Nothing went into the base's or the mods' folders.
        for (const auto& [name, bytes] : dravik::merge::kFolderFiles)
            QCOMPARE(folder->read(QLatin1String(name)), Bytes(bytes));

        // The review lists the tank's hp (the conflict), its front armour
        // (X's change the choice overrides) and the gun's hp (Y's change the
        // typed value overrides), and exports them.
        dravik::ui::ConflictReview review(window.get(), *sets()->modSet(), *dialogs);
        auto* table = review.findChild<QTableWidget*>(QStringLiteral("conflicts"));
        QCOMPARE(table->rowCount(), 3);
        QTest::keyClicks(review.findChild<QLineEdit*>(QStringLiteral("filter")), "choice");
        QCOMPARE(table->isRowHidden(0) + table->isRowHidden(1) + table->isRowHidden(2), 1);
        dialogs->saveAnswers.enqueue(folder->path("conflicts.txt"));
        QTest::mouseClick(review.findChild<QPushButton*>(QStringLiteral("export")), Qt::LeftButton);
        QCOMPARE(folder->read("conflicts.txt"), QByteArray::fromStdString(review.exportText()));
        QVERIFY(folder->read("conflicts.txt").contains("units/tank.desc\thp \t1\t100\t110\tX\torder"));
        QCOMPARE(dialogs->unexpected, 0);
    }
};

QTEST_MAIN(ModSetTest)
#include "mod_set_test.moc"
