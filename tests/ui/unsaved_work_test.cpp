// No edit is lost on the roads out of a file, and no file is written with
// values the user did not see: the desc preview asked for whatever the
// tables' question got, Save all after Save current, after the variables
// text changed, for a key a file lacks and after a failed Open desc, and a
// long command that lets no other start meanwhile. Driven with the keyboard
// and the mouse, as the user drives them.
#include "window_fixture.h"

#include "core/document/desc_document.h"
#include "ui/common/display_text.h"
#include "ui/common/long_work.h"

#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

using dravik::ui::GridView;

namespace {

const QStringList kSaveAllButtons = {"&Save all", "&Discard", "Cancel"};
const QStringList kSaveCurrentButtons = {"Save c&urrent", "&Discard", "Cancel"};

QString PreviewQuestion(const QString& path)
{
    return QStringLiteral("The desc preview of %1 has unsaved edits. Save them first?").arg(path);
}

}  // namespace

class UnsavedWorkTest : public WindowFixture {
    Q_OBJECT

    GridView* section(int n) const { return grid(n); }
    GridView* files() const { return grid(dravik::kFileListGrid); }
    QPlainTextEdit* memo(const char* name) const { return named<QPlainTextEdit>(QLatin1String(name)); }
    bool marked(GridView* grid, int col, int row) const
    {
        return grid->model()->data(grid->model()->index(row - 1, col - 1), Qt::BackgroundRole).isValid();
    }
    QString tip(GridView* grid, int col, int row) const
    {
        return grid->model()->data(grid->model()->index(row - 1, col - 1), Qt::ToolTipRole).toString();
    }
    // Line `line` (from 0) of a memo typed over with `text`.
    void retypeLine(QPlainTextEdit* memo, int line, const QString& text)
    {
        if (memo != Preview(*window))
            clickTabOf(memo);
        QTest::mouseClick(memo->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(memo->hasFocus());
        press(Qt::Key_Home, Qt::ControlModifier);
        for (int i = 0; i < line; ++i)
            press(Qt::Key_Down);
        press(Qt::Key_Home);
        press(Qt::Key_End, Qt::ShiftModifier);
        type(text);
    }
    void openActiveSample()
    {
        openSample();
        activate();
    }

private slots:
    void everyRoadOutOfAFileAsksAboutThePreview()
    {
        openActiveSample();
        const QString gun = folder->path("gun.txt");
        const QString tank = folder->path("tank.txt");

        // Open desc, tables answered "Save all": the preview is asked for
        // before the save reloads it.
        typeIntoCell(section(1), 2, 1, "150");
        retypeLine(memo("Memo1"), 4, "speed 2 2");
        dialogs->openAnswers.enqueue({tank});
        dialogs->askAnswers.enqueue(0);
        dialogs->askAnswers.enqueue(0);
        press(Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(dialogs->questions.size(), 2);
        QCOMPARE(dialogs->questions[0].buttons, kSaveAllButtons);
        QCOMPARE(dialogs->questions[1].text, PreviewQuestion(gun));
        QCOMPARE(dialogs->questions[1].buttons, kSaveCurrentButtons);
        QVERIFY(folder->read("gun.txt").contains("speed 2 2 \r\n"));
        QVERIFY(folder->read("tank.txt").contains("health 150 \r\n"));
        QCOMPARE(window->document().descFileCount(), 1);

        // Closing the same way; Discard drops the preview's edit, and the
        // window closes.
        typeIntoCell(section(1), 2, 1, "160");
        retypeLine(memo("Memo1"), 0, "; a heavy tank");
        dialogs->askAnswers.enqueue(0);
        dialogs->askAnswers.enqueue(1);
        QVERIFY(window->close());
        QCOMPARE(dialogs->questions.size(), 4);
        QCOMPARE(dialogs->questions[3].text, PreviewQuestion(tank));
        QVERIFY(folder->read("tank.txt").startsWith("; a tank\r\n[section1]\r\nhealth 160 \r\n"));
    }

    void saveCurrentLeavesTheTablesAgreeingWithTheFile()
    {
        openActiveSample();
        // The file the preview holds: gun.txt, row 2.
        typeIntoCell(section(1), 3, 2, "9");
        const size_t steps = window->history().size();
        retypeLine(memo("Memo1"), 1, "HEALTH 45");
        retypeLine(memo("Memo1"), 2, "armor 8 3");
        press(Qt::Key_S, Qt::ControlModifier);
        QVERIFY(folder->read("gun.txt").startsWith("[section1]\r\nHEALTH 45\r\narmor 8 3\r\n"));
        // What the user had not edited shows the file; the edit stays, and
        // is an edit against the file's new value.
        QCOMPARE(Cells(section(1), {{2, 2}, {3, 2}, {4, 2}}), QStringList({"45", "9", "3"}));
        QVERIFY(!marked(section(1), 2, 2));
        QCOMPARE(tip(section(1), 3, 2), QStringLiteral("On disk: \"8\""));
        QCOMPARE(window->history().size(), steps + 1);
        QCOMPARE(Action(*window, "Undo")->text(), QStringLiteral("&Undo Save current"));

        press(Qt::Key_E, Qt::ControlModifier);
        QVERIFY(folder->read("gun.txt").startsWith("[section1]\r\nhealth 45 \r\narmor 9 3 \r\n"));
        QVERIFY(!window->document().isModified());

        // Save all's own question answered "Save current": the edit is
        // written, and Save all does not write the old value over it.
        retypeLine(memo("Memo1"), 1, "health 47");
        dialogs->askAnswers.enqueue(0);
        press(Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(dialogs->questions.last().text, PreviewQuestion(folder->path("gun.txt")));
        QVERIFY(folder->read("gun.txt").startsWith("[section1]\r\nhealth 47 \r\n"));
        QCOMPARE(Cell(section(1), 2, 2), QStringLiteral("47"));
    }

    void saveAllWritesByTheLayoutTheTablesWereOpenedWith()
    {
        openActiveSample();
        typeIntoCell(section(1), 2, 1, "150");
        QPlainTextEdit* variables = memo("Memo2");
        retypeLine(variables, 2, "armor=2");
        const QString changed = QStringLiteral(
            "The variables text changed since Open desc. Save all writes each file by the keys and counts the "
            "tables were laid out by; Open desc again to lay them out by the new text.");
        const QStringList buttons = {"Save with the &tables' layout", "Cancel"};

        dialogs->askAnswers.enqueue(1);
        press(Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(dialogs->questions.size(), 1);
        QCOMPARE(dialogs->questions[0].title, QStringLiteral("Save all"));
        QCOMPARE(dialogs->questions[0].text, changed);
        QCOMPARE(dialogs->questions[0].buttons, buttons);
        QCOMPARE(folder->read("tank.txt"), sample::TankDesc());

        dialogs->askAnswers.enqueue(0);
        press(Qt::Key_E, Qt::ControlModifier);
        QVERIFY(folder->read("tank.txt").contains("\r\nhealth 150 \r\narmor 10 20 30 \r\n"));
        QVERIFY(!window->document().isModified());

        // Closing with the variables text unsaved asks as the other guards do.
        const QString unsaved = QStringLiteral("The variables text has unsaved edits. Save them first?");
        const QStringList saveButtons = {"Save var&iables", "&Discard", "Cancel"};
        dialogs->askAnswers.enqueue(2);
        QVERIFY(!window->close());
        QCOMPARE(dialogs->questions.last().title, QStringLiteral("Unsaved changes"));
        QCOMPARE(dialogs->questions.last().text, unsaved);
        QCOMPARE(dialogs->questions.last().buttons, saveButtons);
        dialogs->askAnswers.enqueue(0);
        dialogs->saveAnswers.enqueue(folder->path("new.var"));
        QVERIFY(window->close());
        QVERIFY(folder->read("new.var").contains("\r\narmor=2\r\n"));
    }

    void aValueForAKeyItsFileLacksStaysMarked()
    {
        const QString variables = folder->write("vars.var", sample::Variables());
        const QString tank = folder->write("tank.txt", sample::TankDesc());
        const QString slow = folder->write("slow.txt", "[section1]\r\nhealth 7 \r\narmor 1 2 3 \r\n");
        dialogs->openAnswers.enqueue({variables});
        Action(*window, "N6")->trigger();
        dialogs->openAnswers.enqueue({tank, slow});
        Action(*window, "N2")->trigger();
        activate();

        typeIntoCell(section(2), 2, 2, "33");
        const QString reason = QStringLiteral("this file has no line for speed; Save all cannot write it");
        QVERIFY2(tip(section(2), 2, 2).contains(reason), qPrintable(tip(section(2), 2, 2)));
        dialogs->askAnswers.enqueue(0);
        press(Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(dialogs->questions.size(), 1);
        QCOMPARE(dialogs->questions[0].text,
                 QStringLiteral("1 edited cell holds values that look wrong:\n"
                                "slow.txt, speed: \"33\" (%1)\n\n"
                                "Save all writes them as they are, but for the values of keys a file has no line "
                                "for, which stay in the tables only. Go on?")
                     .arg(reason));
        QCOMPARE(folder->read("slow.txt"), QByteArray("[section1]\r\nhealth 7 \r\narmor 1 2 3 \r\n"));
        QVERIFY(marked(section(2), 2, 2));
        QCOMPARE(tip(section(2), 2, 2), QStringLiteral("Check this value: %1\nOn disk: \" \"").arg(reason));
        QCOMPARE(window->windowTitle(), QStringLiteral("Dravik 2 v1.3 beta *"));
    }

    void aFailedOpenDescKeepsOnlyTheRowsItRead()
    {
        openActiveSample();
        const QString tank = folder->path("tank.txt");
        const QString late = folder->path("late.txt");
        dialogs->openAnswers.enqueue({tank, late, folder->path("gun.txt")});
        QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(dialogs->errors.size(), 1);
        QCOMPARE(dialogs->errors[0].text, OpenFailure(late));
        QCOMPARE(StatusText(*window, 0), QStringLiteral("Open desc stopped at late.txt: 1 of 3 files loaded"));
        QCOMPARE(files()->model()->rowCount(), 1);
        QCOMPARE(section(1)->model()->rowCount(), 1);

        // The file that stopped the load can be read now: Save all still
        // writes only the row it read, and no file gets blanks.
        const QByteArray lateBytes = "[section1]\r\nhealth 5\r\n";
        folder->write("late.txt", lateBytes);
        typeIntoCell(section(1), 2, 1, "150");
        press(Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(StatusText(*window, 0), QStringLiteral("Saved 1 of 1 files"));
        QVERIFY(folder->read("tank.txt").contains("health 150 \r\n"));
        QCOMPARE(folder->read("late.txt"), lateBytes);
        QCOMPARE(folder->read("gun.txt"), sample::GunDesc());
    }

    void aLoadThatFailsHalfWayThroughAFileLeavesNoRowForSaveAllToBlank()
    {
        openActiveSample();
        // Names of 70,000 characters: each file's row passes 64 KB.
        QStringList paths;
        QList<QByteArray> bytes;
        for (int f = 1; f <= 5; ++f) {
            bytes << "[section1]\r\nhealth " + QByteArray::number(f) + "\r\n[section_text]\r\nname " +
                         QByteArray(70000, static_cast<char>('a' + f)) + "\r\n";
            paths << folder->write(QStringLiteral("f%1.desc").arg(f), bytes.back());
        }
        // Memory runs out half way through the third file's row.
        dravik::SetLoadFailureAtFileForTesting(3);
        dialogs->openAnswers.enqueue(paths);
        QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
        dravik::SetLoadFailureAtFileForTesting(0);
        QCOMPARE(dialogs->errors.size(), 1);
        QCOMPARE(dialogs->errors[0].text, QStringLiteral("std::bad_alloc."));
        QCOMPARE(StatusText(*window, 0), QStringLiteral("Open desc stopped at f3.desc: 2 of 5 files loaded"));
        QCOMPARE(files()->model()->rowCount(), 2);
        QCOMPARE(section(10)->model()->rowCount(), 2);

        // A file that cannot be saved brings the question; "Save the others"
        // writes the one edit and blanks nothing.
        typeIntoCell(section(1), 2, 1, "10");
        typeIntoCell(section(1), 2, 2, "20");
        QVERIFY(QFile::remove(paths[0]));
        dialogs->askAnswers.enqueue(0);
        press(Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(dialogs->questions.size(), 1);
        QCOMPARE(dialogs->questions[0].buttons, QStringList({"&Save the others", "Cancel"}));
        QCOMPARE(StatusText(*window, 0), QStringLiteral("Saved 1 of 2 files"));
        QCOMPARE(folder->read("f2.desc"), QByteArray(bytes[1]).replace("health 2", "health 20 ").replace("c\r\n", "c \r\n"));
        for (int f = 3; f <= 5; ++f)
            QCOMPARE(folder->read(QStringLiteral("f%1.desc").arg(f)), bytes[f - 1]);
        QCOMPARE(dialogs->errors.size(), 1);
    }

    void aLongCommandLetsNoOtherCommandStart()
    {
        openActiveSample();
        // An editor open on tank's health, and the load puts gun in that row.
        clickCell(section(1), 2, 1);
        bool ranDuringTheLoad = false;
        bool closed = true;
        QMetaObject::invokeMethod(
            window.get(),
            [&] {
                ranDuringTheLoad = dravik::ui::LongWork::Running();
                // A close request, a key, a click on the file list, and the
                // focus going elsewhere as to a progress box.
                closed = window->close();
                QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
                const QModelIndex row = files()->model()->index(0, 1);
                QTest::mouseClick(files()->viewport(), Qt::LeftButton, {}, files()->visualRect(row).center());
                files()->selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect);
                Tabs(*window)->tabBar()->setFocus();
            },
            Qt::QueuedConnection);
        dialogs->openAnswers.enqueue({folder->path("gun.txt"), folder->path("tank.txt")});
        press(Qt::Key_O, Qt::ControlModifier);

        QVERIFY(ranDuringTheLoad);
        QVERIFY(!closed);
        QVERIFY(window->isVisible());
        QCOMPARE(dialogs->questions.size(), 0);
        QCOMPARE(dialogs->errors.size(), 0);
        QCOMPARE(folder->read("gun.txt"), sample::GunDesc());
        QCOMPARE(folder->read("tank.txt"), sample::TankDesc());
        QCOMPARE(Cells(section(1), {{2, 1}, {2, 2}}), QStringList({"40", "100"}));
        QVERIFY(!window->document().isModified());
        QCOMPARE(window->document().currentDescFile(), dravik::ui::NativeBytes(folder->path("tank.txt")));
    }
};

QTEST_MAIN(UnsavedWorkTest)
#include "unsaved_work_test.moc"
