// Save all against files it cannot save as the tables say: files that
// cannot be read or written. Driven with the keyboard, the dialogs answered
// by the test.
#include "window_fixture.h"

#include "core/files/file_io.h"
#include "tests/core/test_files.h"

#include <QtTest>

using dravik::ui::GridView;

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

private slots:
    void filesThatCannotBeSavedAreNamedBeforeAnythingIsWritten()
    {
        openAndEdit();
        const QString gun = folder->path("gun.txt");
        QVERIFY(QFile::remove(gun));
        const QString question = QStringLiteral("1 file cannot be saved:\nCannot open file \"%1\". %2\n\n"
                                                "Save the other files and leave this one as it is?")
                                     .arg(gun, QString::fromStdString(dravik::SystemErrorText(dravik::test::kFileNotFound)));

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

};

QTEST_MAIN(SaveAllQuestionsTest)
#include "save_all_questions_test.moc"
