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
#include <QBrush>
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
        QTest::mouseClick(Preview(*window)->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(Preview(*window)->hasFocus());
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
        QCOMPARE(StatusText(*window, 0), QStringLiteral("Saved 1 of 2 files"));
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
        QCOMPARE(StatusText(*window, 0), QStringLiteral("Saved 2 of 2 files"));
    }

    void aValueTypedPastTheEndOfALineAppendsItWithTheEmptyValuesBetween()
    {
        const QString vars = folder->write("short.var", "[section1]\r\nhealth=1\r\narmor=4\r\nspeed=1\r\n");
        const QString tank = folder->write("short.txt", "health 100\r\narmor 7\r\nspeed 36 30 12\r\n");
        dialogs->openAnswers.enqueue({vars});
        Action(*window, "N6")->trigger();
        dialogs->openAnswers.enqueue({tank});
        Action(*window, "N2")->trigger();
        activate();
        // armor takes columns 3 to 6; the line has one value.
        QAbstractItemModel* model = section1()->model();
        const QModelIndex second = model->index(0, 3);
        QCOMPARE(Cell(section1(), 4, 1), QString());
        QCOMPARE(model->data(second, Qt::BackgroundRole).value<QBrush>().style(), Qt::BDiagPattern);
        QVERIFY2(model->data(second, Qt::ToolTipRole)
                     .toString()
                     .startsWith(QStringLiteral("This file's line of armor has 1 value; the variables file counts 4.")),
                 qPrintable(model->data(second, Qt::ToolTipRole).toString()));

        // speed shows one value of three; its cell says what Save all keeps.
        QCOMPARE(model->data(model->index(0, 6), Qt::ToolTipRole).toString(),
                 QStringLiteral("This file's line of speed has 3 values; the variables file counts 1. The 2 values "
                                "after this one are not shown; Save all keeps them."));

        typeIntoCell(section1(), 6, 1, "9");
        // The cells between are part of the line now, as empty values.
        for (const int col : {4, 5}) {
            const QModelIndex between = model->index(0, col - 1);
            QCOMPARE(model->data(between, Qt::BackgroundRole).value<QBrush>().style(), Qt::SolidPattern);
            QVERIFY2(model->data(between, Qt::ToolTipRole).toString().contains(QStringLiteral("an empty value")),
                     qPrintable(model->data(between, Qt::ToolTipRole).toString()));
        }
        // Undone, the line has one value again; redone, the values between too.
        press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(model->data(second, Qt::BackgroundRole).value<QBrush>().style(), Qt::BDiagPattern);
        QCOMPARE(Cell(section1(), 6, 1), QString());
        press(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(Cell(section1(), 6, 1), QStringLiteral("9"));
        QCOMPARE(model->data(second, Qt::BackgroundRole).value<QBrush>().style(), Qt::SolidPattern);

        dialogs->askAnswers.enqueue(0);  // "Go on" with the values that look wrong
        saveAll();
        QCOMPARE(dialogs->questions.size(), 1);
        QVERIFY2(dialogs->questions[0].text.startsWith(QStringLiteral("2 edited cells hold values that look wrong:")),
                 qPrintable(dialogs->questions[0].text));
        QCOMPARE(folder->read("short.txt"), QByteArray("health 100 \r\narmor 7   9 \r\nspeed 36 30 12 \r\n"));
    }

    void keyLinesThatWouldChangeOnlyInSpellingAreAskedAboutOnceAndTheAnswerIsKept()
    {
        // No answer remembered yet.
        const QString ini = folder->path("dravik2.INI");
        window.reset();
        QVERIFY(QFile::remove(ini));
        window = std::make_unique<TMainForm>(ini, *dialogs);
        window->show();
        openAndEdit();
        dialogs->askAnswers.enqueue(2);  // Cancel: nothing is written
        saveAll();
        QCOMPARE(dialogs->questions.size(), 1);
        QCOMPARE(dialogs->questions[0].text,
                 QStringLiteral("6 key lines whose values did not change would be respelled (\"armor 45 45 40\" becomes "
                                "\"armor  45 45 40 \").\n\nThe game reads both spellings. Writing only what changed "
                                "rewrites only the key lines whose values changed, and only their files."));
        QCOMPARE(dialogs->questions[0].buttons, QStringList({"&Respell them too", "&Write only what changed", "Cancel"}));
        QCOMPARE(dialogs->questions[0].checkBox, QStringLiteral("Re&member my answer (in the settings file)"));
        QCOMPARE(folder->read("tank.txt"), sample::TankDesc());
        QVERIFY(window->document().isModified());

        // Only tank's health: gun's health holds the value it held.
        typeIntoCell(section1(), 2, 2, "40");
        dialogs->askAnswers.enqueue(1);
        dialogs->checkAnswers.enqueue(true);
        saveAll();
        QCOMPARE(dialogs->questions.size(), 2);
        QVERIFY2(dialogs->questions[1].text.startsWith(QStringLiteral("1 file would change only in spelling")),
                 qPrintable(dialogs->questions[1].text));
        QByteArray tank = sample::TankDesc();
        tank.replace("health 100\r\n", "health 150 \r\n");
        QCOMPARE(folder->read("tank.txt"), tank);
        QCOMPARE(folder->read("gun.txt"), sample::GunDesc());
        QCOMPARE(StatusText(*window, 0), QStringLiteral("Saved 1 of 2 files"));
        QVERIFY(!window->document().isModified());

        // Remembered: the next save asks nothing, and neither does a new window.
        typeIntoCell(section1(), 2, 2, "41");
        saveAll();
        QCOMPARE(dialogs->questions.size(), 2);
        QByteArray gun = sample::GunDesc();
        gun.replace("HEALTH 40\n", "health 41 \n");
        QCOMPARE(folder->read("gun.txt"), gun);
        window->close();
        QVERIFY(folder->read("dravik2.INI").contains("RespellKeyLines=0\r\n"));
        window = std::make_unique<TMainForm>(ini, *dialogs);
        window->show();
        openAndEdit();
        saveAll();
        QCOMPARE(dialogs->questions.size(), 2);
        QVERIFY(folder->read("tank.txt").contains("\r\nhealth 150 \r\narmor 10 20 30\r\n"));
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
        QCOMPARE(StatusText(*window, 0), QStringLiteral("Saved 2 of 2 files"));
        QVERIFY(!window->document().isModified());
        QCOMPARE(dialogs->errors.size(), 0);
    }

    void aDiskThatFillsWritesNoFile()
    {
        // gun.txt, the second file, longer than tank.txt.
        const QByteArray gunText = sample::GunDesc() + "\n;" + QByteArray(400, '#');
        dialogs->openAnswers.enqueue({folder->write("vars.var", sample::Variables())});
        Action(*window, "N6")->trigger();
        dialogs->openAnswers.enqueue({folder->write("tank.txt", sample::TankDesc()), folder->write("gun.txt", gunText)});
        Action(*window, "N2")->trigger();
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
