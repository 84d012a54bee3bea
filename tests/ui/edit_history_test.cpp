// Edits that can be seen and taken back: the undo history of the tables,
// the marks of changed cells, the questions before unsaved work is dropped,
// and a Save all that writes only the files it changes. Driven with the
// keyboard and the mouse, as the user drives them.
#include "window_fixture.h"

#include "ui/common/display_text.h"
#include "ui/files/save_review.h"

#include <QAction>
#include <QBrush>
#include <QFileInfo>
#include <QFont>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

using dravik::ui::GridView;

namespace {

const QStringList kSaveAllButtons = {"&Save all", "&Discard", "Cancel"};
const QStringList kSaveCurrentButtons = {"Save c&urrent", "&Discard", "Cancel"};

}  // namespace

class EditHistoryTest : public WindowFixture {
    Q_OBJECT

    GridView* section1() const { return grid(1); }
    GridView* files() const { return grid(dravik::kFileListGrid); }
    QPlainTextEdit* preview() const { return named<QPlainTextEdit>(QStringLiteral("Memo1")); }
    bool marked(GridView* grid, int col, int row) const
    {
        return grid->model()->data(grid->model()->index(row - 1, col - 1), Qt::BackgroundRole).isValid();
    }
    QString undoText() const { return Action(*window, "Undo")->text(); }
    void openActiveSample()
    {
        openSample();
        activate();
    }
    // After one Save all the sample's key lines are rewritten as the tables
    // write them, so a later save changes only what was edited.
    void openSavedSample()
    {
        openActiveSample();
        press(Qt::Key_E, Qt::ControlModifier);
        QVERIFY(!window->document().isModified());
    }
    // Types at the end of the desc preview.
    void typeIntoPreview(const QString& text)
    {
        QTest::mouseClick(preview()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(preview()->hasFocus());
        press(Qt::Key_End, Qt::ControlModifier);
        type(text);
    }
    void expectQuestion(int index, const QString& text, const QStringList& buttons)
    {
        QVERIFY(dialogs->questions.size() > index);
        QCOMPARE(dialogs->questions[index].title, QStringLiteral("Unsaved changes"));
        QCOMPARE(dialogs->questions[index].text, text);
        QCOMPARE(dialogs->questions[index].buttons, buttons);
    }

private slots:
    void typingIntoOneCellIsOneStep()
    {
        openActiveSample();
        QVERIFY(!Action(*window, "Undo")->isEnabled());
        typeIntoCell(section1(), 2, 1, "15");
        typeIntoCell(section1(), 2, 1, "150");
        QCOMPARE(Cell(section1(), 2, 1), QStringLiteral("150"));
        QCOMPARE(window->history().size(), size_t{1});
        QCOMPARE(undoText(), QStringLiteral("&Undo Typing"));
        // When typing merges is the history's own rule (History.* in the
        // core tests); here the keys and the editor.
        typeIntoCell(section1(), 3, 2, "7");

        press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Cells(section1(), {{2, 1}, {3, 2}}), QStringList({"150", "2"}));
        press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Cells(section1(), {{2, 1}, {3, 2}}), QStringList({"100", "2"}));
        QVERIFY(!Action(*window, "Undo")->isEnabled());
        press(Qt::Key_Y, Qt::ControlModifier);
        press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(Cells(section1(), {{2, 1}, {3, 2}}), QStringList({"150", "7"}));
        // The editor open on the cell shows what the undo put back.
        clickCell(section1(), 2, 1);
        press(Qt::Key_Z, Qt::ControlModifier);
        press(Qt::Key_Z, Qt::ControlModifier);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        QCOMPARE(editor->text(), QStringLiteral("100"));
    }

    void everyTableChangeCanBeUndone()
    {
        openActiveSample();
        typeIntoCell(section1(), 2, 1, "150");

        // Import table cancelled imports the summary table's own blocks, here
        // an export's: asked, and undone in one step.
        dialogs->saveAnswers.enqueue(std::nullopt);
        clickMenuItem(Action(*window, "Exporttable1"));
        typeIntoCell(section1(), 4, 2, "9");
        dialogs->openAnswers.enqueue({});
        dialogs->confirmAnswers.enqueue(true);
        clickMenuItem(Action(*window, "Importtable1"));
        QCOMPARE(dialogs->confirmations,
                 QStringList({"The tables have unsaved changes, and Import table replaces them. "
                              "(Edit > Undo takes the import back.) Go on?"}));
        QCOMPARE(Cells(section1(), {{2, 1}, {4, 2}}), QStringList({"150", "3"}));
        QCOMPARE(undoText(), QStringLiteral("&Undo Import table"));
        clickMenuItem(Action(*window, "Undo"));
        QCOMPARE(Cells(section1(), {{2, 1}, {4, 2}}), QStringList({"150", "9"}));

        // Answered No, the import changes nothing.
        dialogs->openAnswers.enqueue({});
        dialogs->confirmAnswers.enqueue(false);
        clickMenuItem(Action(*window, "Importtable1"));
        QCOMPARE(Cell(section1(), 2, 1), QStringLiteral("150"));
        QCOMPARE(undoText(), QStringLiteral("&Undo Typing"));

        // The summary table's export and clearing, too.
        dialogs->saveAnswers.enqueue(std::nullopt);
        clickMenuItem(Action(*window, "Exporttable1"));
        QCOMPARE(undoText(), QStringLiteral("&Undo Export table"));
        GridView* summary = grid(dravik::kSummaryGrid);
        dialogs->confirmAnswers.enqueue(true);
        doubleClickCell(summary, 1, 2);
        QCOMPARE(dialogs->confirmations.last(), QStringLiteral("Clear summary table?"));
        QCOMPARE(Cell(summary, 1, 2), QString());
        QCOMPARE(undoText(), QStringLiteral("&Undo Clear summary table"));
        press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Cell(summary, 1, 2), QStringLiteral("File name"));

        // Open desc starts a fresh history (and asks first: the edit is dropped).
        dialogs->askAnswers.enqueue(1);
        dialogs->openAnswers.enqueue({folder->path("tank.txt")});
        press(Qt::Key_O, Qt::ControlModifier);
        QVERIFY(!Action(*window, "Undo")->isEnabled());
        QCOMPARE(Cell(section1(), 2, 1), QStringLiteral("100"));
    }

    void changedCellsAreMarked()
    {
        openActiveSample();
        QCOMPARE(window->windowTitle(), QStringLiteral("Dravik 2 v1.3 beta"));
        typeIntoCell(section1(), 3, 2, "7");
        QVERIFY(marked(section1(), 3, 2));
        QVERIFY(!marked(section1(), 3, 1));
        QCOMPARE(section1()->model()->data(section1()->model()->index(1, 2), Qt::ToolTipRole).toString(),
                 QStringLiteral("On disk: \"2\""));
        QCOMPARE(window->windowTitle(), QStringLiteral("Dravik 2 v1.3 beta *"));
        const auto bold = [&](int row) {
            return files()->model()->data(files()->model()->index(row - 1, 1), Qt::FontRole).value<QFont>().bold();
        };
        QVERIFY(bold(2));
        QVERIFY(!bold(1));

        // Typed back to the file's value: no longer a change.
        typeIntoCell(section1(), 3, 2, "2");
        QVERIFY(!marked(section1(), 3, 2));
        QCOMPARE(window->windowTitle(), QStringLiteral("Dravik 2 v1.3 beta"));

        // Revert puts the disk values of the selection back, as one step.
        typeIntoCell(section1(), 3, 2, "7");
        typeIntoCell(section1(), 4, 2, "8");
        typeIntoCell(section1(), 2, 1, "9");
        clickCell(section1(), 3, 2);
        clickCell(section1(), 4, 2, Qt::ShiftModifier);
        clickMenuItem(Action(*window, "Revert"));
        QCOMPARE(Cells(section1(), {{3, 2}, {4, 2}, {2, 1}}), QStringList({"2", "3", "9"}));
        QCOMPARE(undoText(), QStringLiteral("&Undo Revert"));
        press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Cells(section1(), {{3, 2}, {4, 2}}), QStringList({"7", "8"}));
    }

    void unsavedTablesAreAskedFor()
    {
        openActiveSample();
        const QString gun = folder->path("gun.txt");
        typeIntoCell(section1(), 2, 1, "150");
        const QString opening =
            QStringLiteral("The tables have unsaved changes (1 cell in 1 file). Save them before opening other files?");

        // Open desc: Cancel keeps everything; the file dialog came first.
        dialogs->openAnswers.enqueue({gun});
        dialogs->askAnswers.enqueue(2);
        press(Qt::Key_O, Qt::ControlModifier);
        expectQuestion(0, opening, kSaveAllButtons);
        QCOMPARE(window->document().descFileCount(), 2);
        QCOMPARE(Cell(section1(), 2, 1), QStringLiteral("150"));

        // Discard: the edit is gone, and no file was written.
        dialogs->openAnswers.enqueue({gun});
        dialogs->askAnswers.enqueue(1);
        press(Qt::Key_O, Qt::ControlModifier);
        expectQuestion(1, opening, kSaveAllButtons);
        QCOMPARE(window->document().descFileCount(), 1);
        QCOMPARE(Cell(section1(), 2, 1), QStringLiteral("40"));
        QCOMPARE(folder->read("tank.txt"), sample::TankDesc());
        QCOMPARE(folder->read("gun.txt"), sample::GunDesc());

        // Nothing unsaved: no question at all.
        dialogs->openAnswers.enqueue({gun});
        press(Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(dialogs->questions.size(), 2);

        // Closing: Cancel keeps the window open; Save all saves, then closes.
        typeIntoCell(section1(), 2, 1, "41");
        dialogs->askAnswers.enqueue(2);
        QVERIFY(!window->close());
        expectQuestion(2, QStringLiteral("The tables have unsaved changes (1 cell in 1 file). Save them before closing?"),
                       kSaveAllButtons);
        QVERIFY(window->isVisible());
        QCOMPARE(folder->read("gun.txt"), sample::GunDesc());
        dialogs->askAnswers.enqueue(0);
        QVERIFY(window->close());
        QVERIFY(folder->read("gun.txt").startsWith("[section1]\r\nhealth 41 \r\n"));
    }

    void unsavedPreviewIsAskedFor()
    {
        openActiveSample();
        const QString gun = folder->path("gun.txt");
        const QString tank = folder->path("tank.txt");
        auto question = [](const QString& path) {
            return QStringLiteral("The desc preview of %1 has unsaved edits. Save them first?").arg(path);
        };
        clickCell(files(), 1, 2);
        typeIntoPreview("\n; edited");

        // Selecting another file would load it over the edit: Cancel stays put.
        dialogs->askAnswers.enqueue(2);
        clickCell(files(), 1, 1);
        expectQuestion(0, question(gun), kSaveCurrentButtons);
        QVERIFY(preview()->toPlainText().endsWith(QStringLiteral("; edited")));
        QCOMPARE(files()->currentIndex().row(), 1);
        // Save current writes the edit first, then the other file loads.
        dialogs->askAnswers.enqueue(0);
        clickCell(files(), 1, 1);
        QVERIFY(folder->read("gun.txt").endsWith("name Pak\r\n; edited"));
        expectQuestion(1, question(gun), kSaveCurrentButtons);
        QVERIFY(preview()->toPlainText().startsWith("; a tank"));

        // Save all, Cancel: nothing is written.
        typeIntoCell(section1(), 2, 1, "150");
        typeIntoPreview("\n; tank edited");
        dialogs->askAnswers.enqueue(2);
        press(Qt::Key_E, Qt::ControlModifier);
        expectQuestion(2, question(tank), kSaveCurrentButtons);
        QCOMPARE(folder->read("tank.txt"), sample::TankDesc());

        // Open desc, Discard: the tables' question too, then the files load.
        dialogs->openAnswers.enqueue({gun});
        dialogs->askAnswers.enqueue(1);
        dialogs->askAnswers.enqueue(1);
        press(Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(dialogs->questions.size(), 5);
        QCOMPARE(dialogs->questions[3].buttons, kSaveAllButtons);
        expectQuestion(4, question(tank), kSaveCurrentButtons);
        QCOMPARE(folder->read("tank.txt"), sample::TankDesc());
        QCOMPARE(window->document().descFileCount(), 1);
        QVERIFY(preview()->toPlainText().endsWith(QStringLiteral("name Pak\n; edited")));
    }

    void saveAllWritesOnlyChangedFiles()
    {
        openSavedSample();
        const QDateTime tankTime = QFileInfo(folder->path("tank.txt")).lastModified();
        typeIntoCell(section1(), 2, 2, "41");
        QTRY_VERIFY(marked(section1(), 2, 2));
        press(Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(StatusText(*window, 0), QStringLiteral("Saved 1 of 2 files"));
        QCOMPARE(QFileInfo(folder->path("tank.txt")).lastModified(), tankTime);
        QVERIFY(folder->read("gun.txt").startsWith("[section1]\r\nhealth 41 \r\n"));
        QVERIFY(!marked(section1(), 2, 2));

        // A file changed on disk since it was read: skipped on request.
        folder->write("tank.txt", sample::TankDesc() + "; by hand\r\n");
        typeIntoCell(section1(), 2, 1, "99");
        dialogs->askAnswers.enqueue(1);
        press(Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(dialogs->questions.last().title, QStringLiteral("Save all"));
        QCOMPARE(dialogs->questions.last().text,
                 QStringLiteral("1 file changed on disk since it was read:\n%1\n\n"
                                "Overwrite it with the tables' values, or skip it?")
                     .arg(folder->path("tank.txt")));
        QCOMPARE(dialogs->questions.last().buttons, QStringList({"&Overwrite", "S&kip", "Cancel"}));
        QVERIFY(folder->read("tank.txt").endsWith("; by hand\r\n"));
        QVERIFY(folder->read("tank.txt").contains("health 100\r\n"));
        QVERIFY(marked(section1(), 2, 1));
    }

    void reviewShowsWhatSaveAllWrites()
    {
        openSavedSample();
        typeIntoCell(section1(), 2, 1, "150");
        dialogs->reviewAnswers.enqueue(false);
        clickMenuItem(Action(*window, "ReviewChanges"));
        QCOMPARE(dialogs->reviews.size(), 1);
        QCOMPARE(dialogs->reviews[0].summary, QStringLiteral("Save all would change 1 file of 2, 1 key line in all."));
        QCOMPARE(dialogs->reviews[0].details,
                 folder->path("tank.txt") + QStringLiteral("\n      3  - health 100 \n         + health 150 \n\n"));
        QVERIFY(window->document().isModified());
        dialogs->reviewAnswers.enqueue(true);
        clickMenuItem(Action(*window, "ReviewChanges"));
        QVERIFY(!window->document().isModified());
        QVERIFY(folder->read("tank.txt").contains("health 150 \r\n"));
    }

    void reviewTextNamesEachChangedLine()
    {
        dravik::SavePlan plan;
        dravik::FileSave tank;
        tank.row = 1;
        tank.path = "/units/tank.txt";
        tank.changed = true;
        tank.changedOnDisk = true;
        tank.valuesChanged = true;
        tank.keyLines = {{4, "health 100", "health 150 "}, {12345, "name \xC0", "name \xC1 "}};
        dravik::FileSave gun;
        gun.row = 2;
        gun.path = "/units/gun.txt";  // its bytes come out the same: not listed
        dravik::FileSave jeep;
        jeep.row = 3;
        jeep.path = "/units/jeep.txt";
        jeep.error = std::string("Cannot open file \"/units/jeep.txt\". No such file or directory");
        plan.files = {tank, gun, jeep};
        const dravik::ui::SaveReview review =
            dravik::ui::ReviewOfSave(plan, dravik::CodePage::Named("windows-1251"));
        QCOMPARE(review.summary, QStringLiteral("Save all would change 1 file of 3, 2 key lines in all."));
        QCOMPARE(review.details, QStringLiteral("/units/tank.txt  (changed on disk since it was read)\n"
                                                "      5  - health 100\n"
                                                "         + health 150 \n"
                                                "  12346  - name \u0410\n"
                                                "         + name \u0411 \n"
                                                "\n"
                                                "Cannot open file \"/units/jeep.txt\". No such file or directory\n\n"));
    }

    void textBoxesKeepTheirOwnUndo()
    {
        openActiveSample();
        typeIntoCell(section1(), 2, 1, "150");
        auto* variables = named<QPlainTextEdit>(QStringLiteral("Memo2"));
        clickTabOf(variables);
        QTest::mouseClick(variables->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        type("#");
        press(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!variables->toPlainText().contains('#'));
        QCOMPARE(Cell(section1(), 2, 1), QStringLiteral("150"));
    }
};

QTEST_MAIN(EditHistoryTest)
#include "edit_history_test.moc"
