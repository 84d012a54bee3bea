// Edits that can be seen and taken back: the undo history of the tables,
// the marks of changed cells, the questions before unsaved work is dropped,
// and a Save all that writes only the files it changes.
#include "window_fixture.h"

#include "ui/common/display_text.h"
#include "ui/views/save_review.h"

#include <QAction>
#include <QBrush>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFont>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QUndoStack>
#include <QtTest>

using dravik::ui::GridView;

class EditHistoryTest : public WindowFixture {
    Q_OBJECT

    GridView* section1() const { return window->StringGrid(1); }
    GridView* files() const { return window->StringGrid(11); }
    bool marked(GridView* grid, int col, int row) const
    {
        return grid->model()->data(grid->model()->index(row - 1, col - 1), Qt::BackgroundRole).isValid();
    }
    // After one Save all the sample's key lines are rewritten as the tables
    // write them, so a later save changes only what was edited.
    void openSavedSample()
    {
        openSample();
        window->N10->trigger();
        QVERIFY(!window->document().isModified());
    }

private slots:
    void everyTableChangeCanBeUndone()
    {
        openSample();
        QVERIFY(!window->Undo->isEnabled());
        QVERIFY(SetCell(section1(), 2, 1, "1"));
        QVERIFY(SetCell(section1(), 2, 1, "15"));
        QVERIFY(SetCell(section1(), 2, 1, "150"));
        QCOMPARE(window->history().stack()->count(), 1);  // typing in one cell is one step
        QCOMPARE(window->Undo->text(), QStringLiteral("&Undo Typing"));
        window->Undo->trigger();
        QCOMPARE(Cell(section1(), 2, 1), QStringLiteral("100"));
        window->Redo->trigger();
        QCOMPARE(Cell(section1(), 2, 1), QStringLiteral("150"));

        // Import table cancelled still clears the section tables: undone in one step.
        dialogs->openAnswers.enqueue({});
        dialogs->confirmAnswers.enqueue(true);
        window->Importtable1->trigger();
        QCOMPARE(Cell(section1(), 2, 1), QString());
        QCOMPARE(window->Undo->text(), QStringLiteral("&Undo Import table"));
        window->Undo->trigger();
        QCOMPARE(Cell(section1(), 2, 1), QStringLiteral("150"));
        QCOMPARE(Cell(section1(), 4, 2), QStringLiteral("3"));

        // The summary table's export and clearing, too.
        dialogs->saveAnswers.enqueue(std::nullopt);
        window->Exporttable1->trigger();
        dialogs->confirmAnswers.enqueue(true);
        window->StringGrid12DblClick();
        QCOMPARE(Cell(window->StringGrid(12), 1, 2), QString());
        window->Undo->trigger();
        QCOMPARE(Cell(window->StringGrid(12), 1, 2), QStringLiteral("File name"));

        // Open desc starts a fresh history (and asks first: the edit is dropped).
        dialogs->askAnswers.enqueue(1);
        dialogs->openAnswers.enqueue({folder->path("tank.txt")});
        window->N2->trigger();
        QVERIFY(!window->Undo->isEnabled());
    }

    void changedCellsAreMarked()
    {
        openSample();
        QCOMPARE(window->windowTitle(), QStringLiteral("Dravik 2 v1.3 beta"));
        QVERIFY(SetCell(section1(), 3, 2, "7"));
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
        QVERIFY(SetCell(section1(), 3, 2, "2"));
        QVERIFY(!marked(section1(), 3, 2));
        QCOMPARE(window->windowTitle(), QStringLiteral("Dravik 2 v1.3 beta"));

        // Revert puts the disk values of the selection back, as one step.
        QVERIFY(SetCell(section1(), 3, 2, "7"));
        QVERIFY(SetCell(section1(), 4, 2, "8"));
        window->PageControl1->setCurrentIndex(1);
        section1()->selectionModel()->select(section1()->model()->index(1, 2), QItemSelectionModel::Select);
        section1()->selectionModel()->select(section1()->model()->index(1, 3), QItemSelectionModel::Select);
        window->Revert->trigger();
        QCOMPARE(Cell(section1(), 3, 2), QStringLiteral("2"));
        QCOMPARE(Cell(section1(), 4, 2), QStringLiteral("3"));
        QVERIFY(!window->document().isModified());
        window->Undo->trigger();
        QCOMPARE(Cell(section1(), 4, 2), QStringLiteral("8"));
    }

    void unsavedTablesAreAskedFor()
    {
        openSample();
        QVERIFY(SetCell(section1(), 2, 1, "150"));

        // Open desc: Cancel keeps everything; the dialog came first.
        dialogs->openAnswers.enqueue({folder->path("tank.txt")});
        dialogs->askAnswers.enqueue(2);
        window->N2->trigger();
        QCOMPARE(dialogs->questions.size(), 1);
        QCOMPARE(window->document().descFileCount(), 2);
        QCOMPARE(Cell(section1(), 2, 1), QStringLiteral("150"));

        // Closing: Cancel keeps the window open; Save all saves, then closes.
        QCloseEvent refused;
        dialogs->askAnswers.enqueue(2);
        QApplication::sendEvent(window.get(), &refused);
        QVERIFY(!refused.isAccepted());
        QCloseEvent saved;
        dialogs->askAnswers.enqueue(0);
        QApplication::sendEvent(window.get(), &saved);
        QVERIFY(saved.isAccepted());
        QVERIFY(folder->read("tank.txt").contains("health 150 \r\n"));

        // Nothing unsaved: no question at all.
        dialogs->openAnswers.enqueue({folder->path("tank.txt")});
        window->N2->trigger();
        QCOMPARE(dialogs->questions.size(), 3);
    }

    void unsavedPreviewIsAskedFor()
    {
        openSample();
        files()->setCurrentIndex(files()->model()->index(1, 0));  // gun, the current file
        window->Memo1->setPlainText(QStringLiteral("edited"));
        window->Memo1->document()->setModified(true);
        // Selecting another file would load it over the edit: Cancel stays put.
        const QModelIndex tankRow = files()->model()->index(0, 0);
        dialogs->askAnswers.enqueue(2);
        files()->setCurrentIndex(tankRow);
        QCOMPARE(dialogs->questions.size(), 1);
        QCOMPARE(window->Memo1->toPlainText(), QStringLiteral("edited"));
        QVERIFY(files()->currentIndex() != tankRow);
        // Save current writes the edit first, then the other file loads.
        dialogs->askAnswers.enqueue(0);
        files()->setCurrentIndex(tankRow);
        QCOMPARE(folder->read("gun.txt"), QByteArray("edited"));
        QVERIFY(window->Memo1->toPlainText().startsWith("; a tank"));
    }

    void saveAllWritesOnlyChangedFiles()
    {
        openSavedSample();
        const QDateTime tankTime = QFileInfo(folder->path("tank.txt")).lastModified();
        QVERIFY(SetCell(section1(), 2, 2, "41"));
        QTest::qWait(20);
        window->N10->trigger();
        QCOMPARE(window->statusPanelText(0), QStringLiteral("Saved 1 of 2 files"));
        QCOMPARE(QFileInfo(folder->path("tank.txt")).lastModified(), tankTime);
        QVERIFY(folder->read("gun.txt").startsWith("[section1]\r\nhealth 41 \r\n"));
        QVERIFY(!marked(section1(), 2, 2));

        // A file changed on disk since it was read: skipped on request.
        folder->write("tank.txt", sample::TankDesc() + "; by hand\r\n");
        QVERIFY(SetCell(section1(), 2, 1, "99"));
        dialogs->askAnswers.enqueue(1);
        window->N10->trigger();
        QVERIFY(dialogs->questions.last().text.contains(folder->path("tank.txt")));
        QVERIFY(folder->read("tank.txt").endsWith("; by hand\r\n"));
        QVERIFY(folder->read("tank.txt").contains("health 100\r\n"));
        QVERIFY(marked(section1(), 2, 1));
    }

    void reviewShowsWhatSaveAllWrites()
    {
        openSavedSample();
        QVERIFY(SetCell(section1(), 2, 1, "150"));
        dialogs->reviewAnswers.enqueue(false);
        window->ReviewChanges->trigger();
        QCOMPARE(dialogs->reviews.size(), 1);
        const QString details = dialogs->reviews.first().details;
        QVERIFY(details.contains(folder->path("tank.txt")));
        QVERIFY(!details.contains(folder->path("gun.txt")));
        QVERIFY(details.contains("- health 100 \n"));
        QVERIFY(details.contains("+ health 150 \n"));
        QVERIFY(window->document().isModified());
        dialogs->reviewAnswers.enqueue(true);
        window->ReviewChanges->trigger();
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
        tank.keyLines = {{4, "health 100", "health 150 "}, {12345, "name \xC0", "name \xC1 "}};
        dravik::FileSave gun;
        gun.row = 2;
        gun.path = "/units/gun.txt";  // its bytes come out the same: not listed
        plan.files = {tank, gun};
        plan.error = "Cannot open file \"/units/jeep.txt\"";
        const dravik::ui::SaveReview review =
            dravik::ui::ReviewOfSave(plan, dravik::CodePage::Named("windows-1251"));
        QCOMPARE(review.summary, QStringLiteral("Save all would change 1 file of 2, 2 key lines in all."));
        QCOMPARE(review.details, QStringLiteral("/units/tank.txt  (changed on disk since it was read)\n"
                                                "      5  - health 100\n"
                                                "         + health 150 \n"
                                                "  12346  - name \u0410\n"
                                                "         + name \u0411 \n"
                                                "\n"
                                                "Save all stops here: Cannot open file \"/units/jeep.txt\"\n"));
    }

    void textBoxesKeepTheirOwnUndo()
    {
        openSample();
        QVERIFY(SetCell(section1(), 2, 1, "150"));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        window->PageControl1->setCurrentWidget(window->TabSheet11);
        window->Memo2->setFocus();
        QTest::keyClicks(window->Memo2, "#");
        QTest::keyClick(window->Memo2, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!window->Memo2->toPlainText().contains('#'));
        QCOMPARE(Cell(section1(), 2, 1), QStringLiteral("150"));
    }
};

QTEST_MAIN(EditHistoryTest)
#include "edit_history_test.moc"
