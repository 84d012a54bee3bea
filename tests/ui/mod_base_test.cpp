// A mod against its base game in the window: Compare with base, the marks
// and their setting, the filter words, Revert to base values, the review
// against the base, Export patch, and Apply patch with its conflict dialog,
// merging two mods of one base folder through the menus.
#include "tests/core/mod/merge_scenario.h"
#include "ui/qt_dialogs.h"
#include "ui/mod/conflict_dialog.h"
#include "ui/mod/mod_actions.h"
#include "ui/views/filter_bar.h"
#include "dialog_answer.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QBrush>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSet>
#include <QTableView>
#include <QtTest>

using dravik::ui::GridView;
using dravik::ui::kCornerMarkRole;
using dravik::ui::kEdgeMarkRole;

namespace {

QByteArray Bytes(std::string_view text) { return QByteArray(text.data(), static_cast<qsizetype>(text.size())); }

// The rows of each mod's files, as they are opened: gun, then tank.
constexpr int kGun = 1;
constexpr int kTank = 2;
// Section 1: armor in columns 2 to 4, hp in 5. Section 2: speed in 2.
constexpr int kArmor = 2;
constexpr int kHp = 5;

}  // namespace

class ModBaseTest : public WindowFixture {
    Q_OBJECT

    QString vars;

    dravik::ui::ModActions* mods() const { return window->modActions(); }
    QStringList modFiles(const QString& mod) const
    {
        return {folder->path(mod + "/guns/gun.desc"), folder->path(mod + "/units/tank.desc")};
    }
    // The folders written and the variables file opened.
    void prepare()
    {
        vars = writeMergeFolders();
        dialogs->openAnswers.enqueue({vars});
        clickMenuItem(Action(*window, "N6"));
    }
    // Open desc of the files, through the menu.
    void openMod(const QStringList& files)
    {
        dialogs->openAnswers.enqueue(files);
        clickMenuItem(Action(*window, "N2"));
        QCOMPARE(dialogs->errors.size(), 0);
    }
    void compareWith(const QString& mod)
    {
        dialogs->baseFolderAnswers.enqueue(folder->path(mod));
        clickMenuItem(mods()->compareWithBase);
        QCOMPARE(dialogs->errors.size(), 0);
    }
    QString baseStatus() const
    {
        auto* label = named<QLabel>(QStringLiteral("BaseStatus"));
        return label->isVisible() ? label->text() : QString();
    }
    static QVariant Data(GridView* view, int col, int row, int role)
    {
        return view->model()->data(view->model()->index(row - 1, col - 1), role);
    }
    static QColor Mark(GridView* view, int col, int row, int role = kEdgeMarkRole)
    {
        return Data(view, col, row, role).value<QColor>();
    }
    // The tip's lines; a cell may also say what its file holds and what its
    // column mostly holds.
    static QStringList Tips(GridView* view, int col, int row)
    {
        return Data(view, col, row, Qt::ToolTipRole).toString().split(QLatin1Char('\n'));
    }
    QByteArray read(const QString& name) const { return folder->read(name); }

private slots:
    void menusMarksAndTheirSetting()
    {
        QCOMPARE(mods()->compareWithBase->text(), QStringLiteral("Compare with &base\u2026"));
        QVERIFY(Menu(*window, "N1")->actions().contains(mods()->exportPatch));
        QVERIFY(Menu(*window, "N1")->actions().contains(mods()->applyPatch));
        const QList<QAction*> edits = Menu(*window, "EditMenu")->actions();
        QCOMPARE(edits.indexOf(mods()->revertToBase), edits.indexOf(Action(*window, "Revert")) + 1);
        QVERIFY(Menu(*window, "ViewMenu")->actions().contains(mods()->baseMarks));
        QVERIFY(!mods()->exportPatch->isEnabled());
        QVERIFY(!mods()->revertToBase->isEnabled());

        prepare();
        openMod(modFiles("X") << folder->write("X/units/jeep.desc", "hp 5\r\n"));
        compareWith("B");
        QCOMPARE(baseStatus(), QStringLiteral("1 file differs from the base, 1 new in this mod"));
        QVERIFY(mods()->exportPatch->isEnabled());

        GridView* section1 = grid(1);
        GridView* files = grid(dravik::kFileListGrid);
        QCOMPARE(Mark(section1, kArmor, kTank), QColor(0, 150, 150));
        QVERIFY(Tips(section1, kArmor, kTank).contains(QStringLiteral("Base: 45")));
        QVERIFY(!Mark(section1, kArmor + 1, kTank).isValid());
        QVERIFY(!Mark(section1, kHp, kGun).isValid());
        QCOMPARE(Tips(files, 1, kTank).last(), QStringLiteral("Differs from the base file ") +
                                                   folder->path("B/units/tank.desc"));
        QVERIFY(!Mark(files, 1, kGun).isValid());
        QCOMPARE(Mark(files, 1, 3), QColor(40, 170, 60));
        QVERIFY(Tips(files, 1, 3).contains(QStringLiteral("New in this mod: the base game has no such file")));

        // The bar is drawn at the cell's left edge, beside the amber of an edit.
        activate();
        typeIntoCell(section1, kArmor, kTank, QStringLiteral("55"));
        QVERIFY(Data(section1, kArmor, kTank, Qt::BackgroundRole).isValid());
        clickCell(section1, kHp, kGun);
        const QRect cell = section1->visualRect(section1->model()->index(kTank - 1, kArmor - 1));
        const QImage shown = section1->viewport()->grab().toImage();
        QCOMPARE(QColor(shown.pixel(cell.left() + 1, cell.center().y())), QColor(0, 150, 150));
        // Typed back to the base's value, the cell is the base's.
        typeIntoCell(section1, kArmor, kTank, QStringLiteral("45"));
        QVERIFY(!Mark(section1, kArmor, kTank).isValid());

        clickMenuItem(mods()->baseMarks);
        QVERIFY(!Mark(section1, kHp, kTank).isValid());
        QVERIFY(!Mark(files, 1, 3).isValid());
        dialogs->askAnswers.enqueue(1);  // the unsaved edit is dropped
        window->close();
        QVERIFY(read("dravik2.INI").contains("BaseMarks=0"));
        window = std::make_unique<TMainForm>(folder->path("dravik2.INI"), *dialogs);
        QVERIFY(!mods()->baseMarks->isChecked());
    }

    void anUntouchedSettingsFileKeepsItsBytes()
    {
        window->close();
        QVERIFY(!read("dravik2.INI").contains("BaseMarks"));
    }

    void filterWordsReadTheBase()
    {
        prepare();
        openMod(modFiles("X") << folder->write("X/units/jeep.desc", "hp 5\r\n"));
        activate();
        // On the file list the words read every section table.
        Action(*window, "FilterRows")->trigger();
        typeFilter(QStringLiteral("modded"));
        auto* bar = named<dravik::ui::FilterBar>(QStringLiteral("FilterBar"));
        QCOMPARE(bar->message(), QStringLiteral("There is no base game to compare with: File > Compare with base\u2026"));

        compareWith("B");
        GridView* files = grid(dravik::kFileListGrid);
        QCOMPARE(Shown(files), QList<int>({kTank}));
        typeFilter(QStringLiteral("vanilla"));
        QCOMPARE(Shown(files), QList<int>({kGun}));
        typeFilter(QStringLiteral("new"));
        QCOMPARE(Shown(files), QList<int>({3}));
        QCOMPARE(StatusText(*window, 1), QStringLiteral("1 of 3 files shown"));
        // Section 2 alone: the tank's speed is the base's.
        typeFilter(QString());
        clickTabOf(grid(2));
        typeFilter(QStringLiteral("vanilla"));
        QCOMPARE(Shown(files), QList<int>({kGun, kTank}));
        typeFilter(QStringLiteral("modded"));
        QCOMPARE(Shown(files), QList<int>());
    }

    void revertToBaseIsOneStep()
    {
        prepare();
        openMod(modFiles("X"));
        compareWith("B");
        activate();
        GridView* section1 = grid(1);
        clickCell(section1, kArmor, kTank);
        clickCell(section1, kHp, kTank, Qt::ShiftModifier);
        clickMenuItem(mods()->revertToBase);
        QCOMPARE(Cells(section1, {{kArmor, kTank}, {kArmor + 1, kTank}, {kHp, kTank}}),
                 QStringList({"45", "45", "100"}));
        QCOMPARE(baseStatus(), QStringLiteral("0 files differ from the base"));
        QCOMPARE(Action(*window, "Undo")->text(), QStringLiteral("&Undo Revert to base values"));
        press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Cells(section1, {{kArmor, kTank}, {kHp, kTank}}), QStringList({"50", "110"}));
        QCOMPARE(baseStatus(), QStringLiteral("1 file differs from the base"));
    }

    void aValueOnlyTheBaseHasStaysAbsentThroughRevertAndSave()
    {
        prepare();
        // The mod's tank line of armor holds one value of the base's three.
        folder->write("X/units/tank.desc",
                      "; T-34\r\narmor 50\r\nhp 100\r\n[section2]\r\nspeed 30\r\n[section_text]\r\nname T-34\r\n");
        openMod(modFiles("X"));
        compareWith("B");
        activate();
        GridView* section1 = grid(1);
        QCOMPARE(Mark(section1, kArmor + 1, kTank), QColor(0, 150, 150));
        QVERIFY2(Tips(section1, kArmor + 1, kTank).contains(QStringLiteral("Base: 45 (this file's line of the key has fewer values)")),
                 qPrintable(Tips(section1, kArmor + 1, kTank).join(QLatin1Char('|'))));
        clickCell(section1, kArmor, kTank);
        clickCell(section1, kArmor + 2, kTank, Qt::ShiftModifier);
        clickMenuItem(mods()->revertToBase);
        QCOMPARE(Cells(section1, {{kArmor, kTank}, {kArmor + 1, kTank}, {kArmor + 2, kTank}}),
                 QStringList({"45", "", ""}));
        QVERIFY(window->document().valueAbsent(dravik::GridNumber(1), kArmor + 1, kTank));
        press(Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(read("X/units/tank.desc"),
                 QByteArray("; T-34\r\narmor  45 \r\nhp  100 \r\n[section2]\r\nspeed  30 \r\n[section_text]\r\n"
                            "name  T-34 \r\n"));
    }

    void reviewShowsWhatTheModChanges()
    {
        prepare();
        // A key line the base file lacks: shown, but no value a patch carries.
        folder->write("X/guns/gun.desc", "; ZiS-3\r\nhp 50\r\narmor 5 5 5\r\n[section2]\r\nspeed 5\r\n");
        openMod(modFiles("X"));
        compareWith("B");
        dialogs->reviewAnswers.enqueue(false);
        clickMenuItem(Action(*window, "ReviewChanges"));
        QCOMPARE(dialogs->reviews.size(), 1);
        const auto pages = dialogs->reviews.first().pages;
        QCOMPARE(pages.size(), 2);
        QCOMPARE(pages[1].caption, QStringLiteral("Against the base game"));
        // As Save all writes the lines: two blanks after a name ending in one.
        QCOMPARE(pages[1].details, QStringLiteral("guns/gun.desc\n  base  (no line for the key)\n  mod   armor  5 5 5 \n"
                                                  "  base  name  ZiS-3 \n  mod   (no line for the key)\n\n"
                                                  "units/tank.desc\n  base  armor  45 45 40 \n  mod   armor  50 45 40 \n"
                                                  "  base  hp  100 \n  mod   hp  110 \n\n"));
        // As many as diff and Export patch count.
        QVERIFY(pages[1].summary.endsWith(QStringLiteral(": 2 of 2 files differ, in 2 values; 0 are new in this mod.")));
        dialogs->saveAnswers.enqueue(folder->path("x.txt"));
        clickMenuItem(mods()->exportPatch);
        QVERIFY(dialogs->messages.last().text.startsWith(QStringLiteral("Exported 2 changed values of 2 files")));
    }

    void theBaseStaysWithItsSetAndSaveAll()
    {
        prepare();
        openMod(modFiles("X"));
        compareWith("B");
        activate();
        typeIntoCell(grid(1), kHp, kGun, QStringLiteral("51"));
        press(Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(baseStatus(), QStringLiteral("2 files differ from the base"));
        QVERIFY(Tips(grid(1), kHp, kGun).contains(QStringLiteral("Base: 50")));
        QCOMPARE(read("B/guns/gun.desc"), Bytes(dravik::merge::kBaseGun));

        // The same set again: no question.
        openMod(modFiles("X"));
        QCOMPARE(dialogs->questions.size(), 0);
        QCOMPARE(baseStatus(), QStringLiteral("2 files differ from the base"));
        // Another set: asked, and kept.
        dialogs->askAnswers.enqueue(0);
        openMod(modFiles("Y"));
        QCOMPARE(dialogs->questions.size(), 1);
        QCOMPARE(dialogs->questions[0].buttons, QStringList({"&Keep comparing", "&Stop comparing"}));
        QVERIFY(dialogs->questions[0].text.startsWith(QStringLiteral("Keep comparing the files just opened with the base")));
        QCOMPARE(baseStatus(), QStringLiteral("2 files differ from the base"));
        QVERIFY(Tips(grid(2), 2, kTank).contains(QStringLiteral("Base: 30")));
        // And dropped.
        dialogs->askAnswers.enqueue(1);
        openMod(modFiles("X"));
        QCOMPARE(baseStatus(), QString());
        QVERIFY(!mods()->exportPatch->isEnabled());
        QVERIFY(!Mark(grid(1), kHp, kTank).isValid());
    }

    void exportPatchWritesWhatTheModChanges()
    {
        prepare();
        openMod(modFiles("X"));
        compareWith("B");
        dialogs->saveAnswers.enqueue(folder->path("x.txt"));
        clickMenuItem(mods()->exportPatch);
        QCOMPARE(read("x.txt"), QByteArray("Dravik 2 patch\tversion 1\r\nunits/tank.desc\tarmor \t1\t45\t50\r\n"
                                           "units/tank.desc\thp \t1\t100\t110\r\n"));
        QCOMPARE(dialogs->messages.last().text, QStringLiteral("Exported 2 changed values of 1 file into x.txt."));
    }

    void twoModsMergeThroughTheMenus()
    {
        // Y's patch against B ...
        prepare();
        openMod(modFiles("Y"));
        compareWith("B");
        dialogs->saveAnswers.enqueue(folder->path("y.txt"));
        clickMenuItem(mods()->exportPatch);
        QCOMPARE(read("y.txt"), Bytes(dravik::merge::kYPatch));

        // ... applied to X, the conflict kept as X has it.
        dialogs->askAnswers.enqueue(0);
        openMod(modFiles("X"));
        dialogs->openAnswers.enqueue({folder->path("y.txt")});
        dialogs->conflictAnswers.enqueue(QList<bool>{false});
        clickMenuItem(mods()->applyPatch);
        QCOMPARE(dialogs->conflictRequests.size(), 1);
        const auto& conflict = dialogs->conflictRequests[0].conflicts;
        QCOMPARE(conflict.size(), 1);
        QCOMPARE(QStringList({conflict[0].file, conflict[0].key, QString::number(conflict[0].value), conflict[0].base,
                              conflict[0].mine, conflict[0].patch}),
                 QStringList({"units/tank.desc", "hp ", "1", "100", "110", "120"}));
        QCOMPARE(dialogs->messages.last().text,
                 QStringLiteral("Applied 3 values in 2 files; 0 already held the patch's value. Of 1 conflict, 0 took "
                                "the patch's value and 1 kept this mod's.\n\nEdit > Undo takes the patch back."));
        QCOMPARE(Action(*window, "Undo")->text(), QStringLiteral("&Undo Apply patch"));
        QCOMPARE(Mark(grid(2), 2, kTank, kCornerMarkRole), QColor(40, 170, 60));
        QCOMPARE(Tips(grid(2), 2, kTank).mid(1), QStringList({"Base: 30", "From the patch: 35 (was 30)"}));
        QCOMPARE(Mark(grid(1), kHp, kTank, kCornerMarkRole), QColor(200, 0, 200));
        QCOMPARE(Tips(grid(1), kHp, kTank).mid(Tips(grid(1), kHp, kTank).size() - 2),
                 QStringList({"Base: 100", "Patch conflict, this mod's value kept (base 100, the patch 120)"}));

        activate();
        press(Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(read("X/units/tank.desc"), Bytes(dravik::merge::kMergedTank));
        QCOMPARE(read("X/guns/gun.desc"), Bytes(dravik::merge::kMergedGun));
        QCOMPARE(read("Y/units/tank.desc"), Bytes(dravik::merge::kYTank));
        QCOMPARE(read("B/units/tank.desc"), Bytes(dravik::merge::kBaseTank));
        QTRY_VERIFY(!Mark(grid(1), kHp, kTank, kCornerMarkRole).isValid());

        // Again, the patch's value taken this time.
        dialogs->openAnswers.enqueue({folder->path("y.txt")});
        dialogs->conflictAnswers.enqueue(QList<bool>{true});
        clickMenuItem(mods()->applyPatch);
        press(Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(read("X/units/tank.desc"), Bytes(dravik::merge::kTheirsTank));
    }

    // A patch whose values the files already hold changes nothing, and says
    // nothing of taking it back; lines it cannot apply are named.
    void aPatchThatChangesNothingOffersNoUndoAndDamageIsNamed()
    {
        prepare();
        openMod(modFiles("X"));
        compareWith("B");
        dialogs->saveAnswers.enqueue(folder->path("x.txt"));
        clickMenuItem(mods()->exportPatch);
        dialogs->openAnswers.enqueue({folder->path("x.txt")});
        clickMenuItem(mods()->applyPatch);
        QCOMPARE(dialogs->messages.last().text, QStringLiteral("Applied 0 values in 0 files; 2 already held the patch's value."));
        QVERIFY(!window->history().canUndo());

        // Two patches joined into one, with a value each way, and a value no key line holds.
        folder->write("joined.txt", "Dravik 2 patch\tversion 1\r\nguns/gun.desc\thp \t1\t50\t60\r\n"
                                    "guns/gun.desc\thp \t1\t50\t70\r\nunits/tank.desc\tspeed \t1\t30\t3 5\r\n"
                                    "guns/gun.desc\tspeed \t1\t5\t6\r\n");
        dialogs->openAnswers.enqueue({folder->path("joined.txt")});
        clickMenuItem(mods()->applyPatch);
        QCOMPARE(dialogs->messages.last().text,
                 QStringLiteral("Applied 1 value in 1 file; 0 already held the patch's value.\n\n"
                                "3 lines of the patch could not be applied:\n"
                                "guns/gun.desc, \"hp \" value 1: the patch names this value more than once, with "
                                "different values\n"
                                "guns/gun.desc, \"hp \" value 1: the patch names this value more than once, with "
                                "different values\n"
                                "units/tank.desc, \"speed \" value 1: several words: each would be a value of its own, "
                                "and the key's later values would move along\n\n"
                                "Edit > Undo takes the patch back."));
        QCOMPARE(Cell(grid(1), kHp, kGun), QStringLiteral("50"));
        QCOMPARE(Cell(grid(2), 2, kGun), QStringLiteral("6"));

        // Saved by Notepad in UTF-8: refused, naming why.
        folder->write("utf8.txt", "\xEF\xBB\xBF" "Dravik 2 patch\tversion 1\r\n"
                                  "guns/gun.desc\tname \t1\tZiS-3\t\xD0\x97\xD0\x98\xD0\xA1-3\r\n");
        dialogs->openAnswers.enqueue({folder->path("utf8.txt")});
        clickMenuItem(mods()->applyPatch);
        QCOMPARE(dialogs->errors.size(), 1);
        QVERIFY2(dialogs->errors[0].text.contains(QStringLiteral("is in UTF-8 (it begins with UTF-8's byte order mark)")),
                 qPrintable(dialogs->errors[0].text));
        QCOMPARE(Cell(grid(10), 2, kGun), QStringLiteral("ZiS-3"));
    }

    // Every button has its own access key, and each works from the keyboard;
    // on a screen narrower than the texts, the answers stay in sight.
    void conflictDialogFitsTheScreenAndAnswersFromTheKeyboard()
    {
        dravik::ui::ConflictRequest request;
        request.title = QStringLiteral("Apply patch: conflicts");
        const QString deep = QStringLiteral("units/") + QString(QStringLiteral("heavy-tanks-of-the-late-war/")).repeated(6);
        for (int i = 1; i <= 40; ++i)
            request.conflicts.append({deep + QStringLiteral("t%1.desc").arg(i), "name ", 1,
                                      QStringLiteral("A long description of the base game's tank %1").arg(i),
                                      QStringLiteral("This mod's own long description of tank %1").arg(i),
                                      QStringLiteral("The patch's long description of tank %1").arg(i)});
        DialogAnswer answer;
        answer.next<dravik::ui::ConflictDialog>([](dravik::ui::ConflictDialog* dialog) {
            using Dialog = dravik::ui::ConflictDialog;
            const QRect screen = dialog->screen()->availableGeometry();
            QVERIFY2(screen.contains(dialog->frameGeometry()), qPrintable(QStringLiteral("%1x%2 on %3x%4")
                                                                              .arg(dialog->frameGeometry().width())
                                                                              .arg(dialog->frameGeometry().height())
                                                                              .arg(screen.width())
                                                                              .arg(screen.height())));
            QTableView* table = dialog->table();
            QCOMPARE(table->horizontalScrollBar()->maximum(), 0);
            const QRect keep = table->visualRect(table->model()->index(0, Dialog::kKeepMineColumn));
            QVERIFY(table->viewport()->rect().contains(keep));
            QCOMPARE(table->model()->index(0, 0).data(Qt::ToolTipRole).toString(),
                     table->model()->index(0, 0).data().toString());

            QSet<QChar> keys;
            for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
                const qsizetype amp = button->text().indexOf(QLatin1Char('&'));
                if (amp >= 0 && amp + 1 < button->text().size()) {
                    const QChar key = button->text().at(amp + 1).toLower();
                    QVERIFY2(!keys.contains(key), qPrintable(button->text()));
                    keys.insert(key);
                }
            }
            dialog->activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), dialog);
            // A button's access key clicks it once its press has shown.
            press(Qt::Key_T, Qt::AltModifier);
            QTRY_COMPARE(dialog->choices(), QList<bool>(40, true));
            press(Qt::Key_K, Qt::AltModifier);
            QTRY_COMPARE(dialog->choices(), QList<bool>(40, false));
            press(Qt::Key_T, Qt::AltModifier);
            QTRY_COMPARE(dialog->choices(), QList<bool>(40, true));
            press(Qt::Key_A, Qt::AltModifier);
            QTRY_VERIFY(!dialog->isVisible());
        });
        dravik::ui::QtDialogs real;
        QCOMPARE(real.resolveConflicts(window.get(), request), std::optional<QList<bool>>(QList<bool>(40, true)));
        QCOMPARE(answer.failures(), QStringList());
    }

    void conflictDialogAnswersByClicks()
    {
        dravik::ui::ConflictRequest request;
        request.title = QStringLiteral("Apply patch: conflicts");
        for (int i = 1; i <= 3; ++i)
            request.conflicts.append({QStringLiteral("units/t%1.desc").arg(i), "hp ", 1, "100", "110", "120"});
        DialogAnswer answer;
        answer.next<dravik::ui::ConflictDialog>([](dravik::ui::ConflictDialog* dialog) {
            QTableView* table = dialog->table();
            auto click = [&](int row, int column) {
                table->scrollTo(table->model()->index(row, column));
                const QRect cell = table->visualRect(table->model()->index(row, column));
                QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
            };
            using Dialog = dravik::ui::ConflictDialog;
            QCOMPARE(dialog->choices(), QList<bool>({false, false, false}));
            click(1, Dialog::kTakePatchColumn);
            QCOMPARE(dialog->choices(), QList<bool>({false, true, false}));
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("TakeAllPatch")), Qt::LeftButton);
            click(0, Dialog::kKeepMineColumn);
            QCOMPARE(dialog->choices(), QList<bool>({false, true, true}));
            QCOMPARE(table->model()->index(0, Dialog::kKeepMineColumn).data(Qt::CheckStateRole).toInt(),
                     int(Qt::Checked));
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("ApplyChoices")), Qt::LeftButton);
        });
        dravik::ui::QtDialogs real;
        QCOMPARE(real.resolveConflicts(window.get(), request), std::optional<QList<bool>>({false, true, true}));
        QCOMPARE(answer.failures(), QStringList());

        answer.next<dravik::ui::ConflictDialog>([](dravik::ui::ConflictDialog* dialog) {
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("TakeAllPatch")), Qt::LeftButton);
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("KeepAllMine")), Qt::LeftButton);
            QCOMPARE(dialog->choices(), QList<bool>({false, false, false}));
            dialog->reject();
        });
        QVERIFY(!real.resolveConflicts(window.get(), request));
        QCOMPARE(answer.failures(), QStringList());
    }
};

QTEST_MAIN(ModBaseTest)
#include "mod_base_test.moc"
