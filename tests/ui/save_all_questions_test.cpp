// Save all against files it cannot save as the tables say: files that
// cannot be read or written, a disk that fills, and files another program
// writes while Save all's questions are open or while it puts its files in
// place; and Save current over a file another program changed. Driven with
// the keyboard, the dialogs answered by the test.
#include "window_fixture.h"

#include "core/files/file_io.h"
#include "ui/common/display_text.h"
#include "tests/core/test_files.h"

#include <QPlainTextEdit>
#include <QtTest>

using dravik::ui::GridView;

namespace {

const QStringList kOverwriteButtons = {"&Overwrite", "S&kip", "Cancel"};

}  // namespace

class SaveAllQuestionsTest : public WindowFixture {
    Q_OBJECT

    GridView* section1() const { return grid(1); }
    // Both sample files with an edited health value.
    void openAndEdit()
    {
        openSample();
        activate();
        typeIntoCell(section1(), 2, 1, "150");
        typeIntoCell(section1(), 2, 2, "41");
    }
    void saveAll() { press(Qt::Key_E, Qt::ControlModifier); }
    // Another program that takes no lock saves the file once the save has
    // written its new files, right before this file would be replaced.
    void writeRightBeforeItIsReplaced(const QString& name, const QByteArray& bytes)
    {
        dravik::SetBeforeReplacingForTesting([this, name, bytes](const std::string& path) {
            if (dravik::ui::NativeText(path) == folder->path(name)) {
                folder->write(name, bytes);
                dravik::SetBeforeReplacingForTesting({});
            }
        });
    }
    // Text typed at the end of the desc preview.
    void typeIntoPreview(const QString& text)
    {
        QTest::mouseClick(window->Memo1->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(window->Memo1->hasFocus());
        press(Qt::Key_End, Qt::ControlModifier);
        type(text);
    }

private slots:
    void filesThatCannotBeSavedAreNamedBeforeAnythingIsWritten()
    {
        openAndEdit();
        const QString gun = folder->path("gun.txt");
        QVERIFY(QFile::remove(gun));
        // The system's reason in its own language, shown as the question shows it.
        const QString question = QStringLiteral("1 file cannot be saved:\n%1\n\n"
                                                "Save the other files and leave this one as it is?")
                                     .arg(dravik::ui::MessageText(dravik::CannotOpenFileMessage(
                                         dravik::ui::NativeBytes(gun), dravik::SystemErrorText(dravik::test::kFileNotFound))));

        dialogs->askAnswers.enqueue(1);
        saveAll();
        QCOMPARE(dialogs->questions.size(), 1);
        QCOMPARE(dialogs->questions[0].title, QStringLiteral("Save all"));
        QCOMPARE(dialogs->questions[0].text, question);
        QCOMPARE(dialogs->questions[0].buttons, QStringList({"&Save the others", "Cancel"}));
        QCOMPARE(folder->read("tank.txt"), sample::TankDesc());

        dialogs->askAnswers.enqueue(0);
        saveAll();
        QCOMPARE(dialogs->questions.size(), 2);
        QVERIFY(folder->read("tank.txt").contains("health 150 \r\n"));
        QCOMPARE(window->statusPanelText(0), QStringLiteral("Saved 1 of 2 files"));
        QVERIFY(!window->document().rowChanged(1));
        QVERIFY(window->document().rowChanged(2));
        QCOMPARE(dialogs->errors.size(), 0);
    }

    void aFileWrittenWhileTheQuestionIsOpenIsAskedAboutAgain()
    {
        openAndEdit();
        folder->write("tank.txt", sample::TankDesc() + "; by hand\r\n");
        // While the question about tank.txt is open, another program writes gun.txt.
        dialogs->whileAsked = [this](const Question&) {
            if (dialogs->questions.size() == 1)
                folder->write("gun.txt", sample::GunDesc() + "\n; by another program");
        };
        dialogs->askAnswers.enqueue(0);
        dialogs->askAnswers.enqueue(0);
        saveAll();
        QCOMPARE(dialogs->questions.size(), 2);
        const QString tank = folder->path("tank.txt");
        const QString gun = folder->path("gun.txt");
        QCOMPARE(dialogs->questions[0].text, QStringLiteral("1 file changed on disk since it was read:\n%1\n\n"
                                                            "Overwrite it with the tables' values, or skip it?")
                                                 .arg(tank));
        QCOMPARE(dialogs->questions[1].text, QStringLiteral("2 files changed on disk since they were read:\n%1\n%2\n\n"
                                                            "Overwrite them with the tables' values, or skip them?")
                                                 .arg(tank, gun));
        QCOMPARE(dialogs->questions[1].buttons, kOverwriteButtons);
        // Overwritten with the tables' values, each program's own lines kept.
        QVERIFY(folder->read("tank.txt").contains("health 150 \r\n"));
        QVERIFY(folder->read("tank.txt").endsWith("; by hand\r\n"));
        QVERIFY(folder->read("gun.txt").contains("health 41 \r\n"));
        QVERIFY(folder->read("gun.txt").endsWith("; by another program"));
        QCOMPARE(window->statusPanelText(0), QStringLiteral("Saved 2 of 2 files"));
    }

    void aFileChangedRightBeforeItIsReplacedIsLeftAndAskedAboutAgain()
    {
        openAndEdit();
        writeRightBeforeItIsReplaced("gun.txt", sample::GunDesc() + "\n; by another program");
        dialogs->askAnswers.enqueue(0);
        saveAll();
        dravik::SetBeforeReplacingForTesting({});
        QCOMPARE(dialogs->questions.size(), 1);
        QCOMPARE(dialogs->questions[0].text, QStringLiteral("1 file changed on disk since it was read:\n%1\n\n"
                                                            "Overwrite it with the tables' values, or skip it?")
                                                 .arg(folder->path("gun.txt")));
        QCOMPARE(dialogs->questions[0].buttons, kOverwriteButtons);
        // Overwritten once asked: the tables' value, the other program's line kept.
        QVERIFY(folder->read("tank.txt").contains("health 150 \r\n"));
        QVERIFY(folder->read("gun.txt").contains("health 41 \r\n"));
        QVERIFY(folder->read("gun.txt").endsWith("; by another program"));
        QCOMPARE(window->statusPanelText(0), QStringLiteral("Saved 2 of 2 files"));
        QVERIFY(!window->document().isModified());
        QCOMPARE(dialogs->errors.size(), 0);
    }

    void aDiskThatFillsWritesNoFile()
    {
        // gun.txt, the second file, longer than tank.txt.
        const QByteArray gunText = sample::GunDesc() + "\n;" + QByteArray(400, '#');
        dialogs->openAnswers.enqueue({folder->write("vars.var", sample::Variables())});
        window->N6->trigger();
        dialogs->openAnswers.enqueue({folder->write("tank.txt", sample::TankDesc()), folder->write("gun.txt", gunText)});
        window->N2->trigger();
        activate();
        typeIntoCell(section1(), 2, 1, "150");
        typeIntoCell(section1(), 2, 2, "41");
        dravik::SetWriteFailureAfterBytesForTesting(300, dravik::test::kDiskFull);  // tank.txt fits, gun.txt does not
        saveAll();
        dravik::SetWriteFailureAfterBytesForTesting(-1, 0);
        QCOMPARE(dialogs->errors.size(), 1);
        QCOMPARE(dialogs->errors[0].text,
                 dravik::ui::MessageText(dravik::CannotCreateFileMessage(
                     dravik::ui::NativeBytes(folder->path("gun.txt")),
                     dravik::SystemErrorText(dravik::test::kDiskFull))) +
                     QStringLiteral("; nothing was written."));
        QCOMPARE(folder->read("tank.txt"), sample::TankDesc());
        QCOMPARE(folder->read("gun.txt"), gunText);
        QVERIFY(window->document().rowChanged(1));
        QVERIFY(window->document().rowChanged(2));
        saveAll();
        QVERIFY(folder->read("tank.txt").contains("health 150 \r\n"));
        QVERIFY(folder->read("gun.txt").contains("health 41 \r\n"));
    }

    // Ctrl+S over a file another program changed since the preview was
    // loaded from it asks Save all's question; one changed before it was
    // loaded does not.
    void saveCurrentOverAFileChangedOnDiskAsksFirst()
    {
        openSample();
        activate();
        const QString gun = folder->path("gun.txt");  // the preview's file, the last opened
        typeIntoPreview("; mine");
        folder->write("gun.txt", sample::GunDesc() + "\n; by another program");
        const QString question = QStringLiteral("1 file changed on disk since it was read:\n%1\n\n"
                                                "Overwrite it with the desc preview's text, or skip it?")
                                     .arg(gun);

        dialogs->askAnswers.enqueue(1);
        press(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(dialogs->questions.size(), 1);
        QCOMPARE(dialogs->questions[0].title, QStringLiteral("Save current"));
        QCOMPARE(dialogs->questions[0].text, question);
        QCOMPARE(dialogs->questions[0].buttons, kOverwriteButtons);
        QCOMPARE(folder->read("gun.txt"), sample::GunDesc() + "\n; by another program");
        QVERIFY(window->document().descTextModified());

        dialogs->askAnswers.enqueue(0);
        press(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(dialogs->questions.size(), 2);
        QCOMPARE(dialogs->questions[1].text, question);
        QVERIFY(folder->read("gun.txt").endsWith("; mine"));
        QVERIFY(!folder->read("gun.txt").contains("another program"));
        QVERIFY(!window->document().descTextModified());

        // Loaded into the preview after the other program wrote it: nothing
        // of that program's is lost, and nothing is asked.
        folder->write("gun.txt", sample::GunDesc() + "\n; again");
        clickCell(grid(dravik::kFileListGrid), 1, 1);  // another file, then this one again
        clickCell(grid(dravik::kFileListGrid), 1, 2);
        QCOMPARE(dialogs->questions.size(), 2);
        typeIntoPreview("; and mine");
        press(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(dialogs->questions.size(), 2);
        QVERIFY(folder->read("gun.txt").endsWith("; again; and mine"));
        QCOMPARE(dialogs->errors.size(), 0);
    }
};

QTEST_MAIN(SaveAllQuestionsTest)
#include "save_all_questions_test.moc"
