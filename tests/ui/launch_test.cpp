// The main window's launchers and QuickPack, with the dialogs answered by
// the test and shell scripts standing in for the game, the editor and the
// packing tool. Each script writes where it ran and what it was given into a
// record file.
#include "core/errors.h"
#include "tool_fixture.h"
#include "ui/common/application_title.h"
#include "ui/conman.h"
#include "ui/common/display_text.h"
#include "ui/main_unit.h"
#include "window_parts.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>

#include <memory>

class LaunchTest : public ToolFixture {
    Q_OBJECT

private:
    // A stand-in program that records its working directory, the number of
    // its arguments and each of them into `record`.
    QString program(const QString& name, const QString& record) const
    {
        return script(name, "{ pwd -P; echo \"$#\"; for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done; } > '" +
                                QFile::encodeName(record) +
                                "'\n"
                                "echo 'to the pipe'\n");
    }

private slots:
    void pathCommandsStoreTheFirstChosenFile()
    {
        TMainForm window(settingsPath(), *dialogs);
        window.show();
        QVERIFY(!Action(window, "StartGame1")->isEnabled());
        QVERIFY(!Action(window, "StartEditor1")->isEnabled());

        // Cancelled: nothing changes.
        dialogs->openAnswers.enqueue({});
        Action(window, "Pathtogame1")->trigger();
        QCOMPARE(dialogs->askedFiles.last().request.title, QStringLiteral("Select the SuddenStrike executable file"));
        QVERIFY(dialogs->askedFiles.last().request.multiple);
        QVERIFY(!Action(window, "StartGame1")->isEnabled());
        QCOMPARE(window.gamePath(), std::string("c:\\game.exe"));

        dialogs->openAnswers.enqueue({at("first game"), at("second game")});
        Action(window, "Pathtogame1")->trigger();
        QCOMPARE(window.gamePath(), Bytes(at("first game")));
        QVERIFY(Action(window, "StartGame1")->isEnabled());
        QVERIFY(!Action(window, "StartEditor1")->isEnabled());

        dialogs->openAnswers.enqueue({});
        Action(window, "Pathtoeditor1")->trigger();
        QCOMPARE(dialogs->askedFiles.last().request.title, QStringLiteral("Select the executable file of map editor"));
        QVERIFY(!Action(window, "StartEditor1")->isEnabled());
        dialogs->openAnswers.enqueue({at("edit")});
        Action(window, "Pathtoeditor1")->trigger();
        QCOMPARE(window.editorPath(), Bytes(at("edit")));
        QVERIFY(Action(window, "StartEditor1")->isEnabled());

        // The paths reach the settings file at close.
        QVERIFY(window.close());
        QFile written(settingsPath());
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray file = written.readAll();
        QVERIFY(file.contains("GamePath=" + QFile::encodeName(at("first game")) + "\r\n"));
        QVERIFY(file.contains("EditorPath=" + QFile::encodeName(at("edit")) + "\r\n"));
        QVERIFY(dialogs->errors.isEmpty());
    }

    void startGameAndEditorRunInTheirFolders()
    {
#ifdef Q_OS_WIN
        QSKIP("the stand-ins are shell scripts");
#endif
        makeFolder(QStringLiteral("my games/Sudden Strike"));
        const QString gameRecord = at(QStringLiteral("game.record"));
        const QString game = program(QStringLiteral("my games/Sudden Strike/ss game"), gameRecord);
        const QString editorRecord = at(QStringLiteral("editor.record"));
        const QString editor = program(QStringLiteral("editor"), editorRecord);
        writeSettings("[Other]\r\nGamePath=" + QFile::encodeName(game) + "\r\nEditorPath=" +
                      QFile::encodeName(editor) + "\r\n");
        TMainForm window(settingsPath(), *dialogs);
        window.show();
        QVERIFY(Action(window, "StartGame1")->isEnabled());
        QVERIFY(Action(window, "StartEditor1")->isEnabled());

        // The path with blanks is one program, started without arguments
        // in its own folder, and the window says what it waits for.
        QStringList shown;
        connect(window.statusBar(), &QStatusBar::messageChanged, &window,
                [&shown](const QString& text) { shown << text; });
        Action(window, "StartGame1")->trigger();
        QCOMPARE(Record(gameRecord), QStringList({at(QStringLiteral("my games/Sudden Strike")), "0"}));
        QCOMPARE(shown, QStringList({"Waiting for ss game to end", ""}));
        QCOMPARE(QDir::currentPath(), base);

        Action(window, "StartEditor1")->trigger();
        QCOMPARE(Record(editorRecord), QStringList({base, "0"}));
        QVERIFY(dialogs->errors.isEmpty());
        QVERIFY(dialogs->messages.isEmpty());
        QVERIFY(Action(window, "StartGame1")->isEnabled());
        QVERIFY(Action(window, "N2")->isEnabled());
    }

    void aDoubleQuoteInTheGamePathIsPartOfItsName()
    {
#ifdef Q_OS_WIN
        QSKIP("the stand-ins are shell scripts");
#endif
        const QString folder = makeFolder(QStringLiteral("games/a\" \"b"));
        const QString record = at(QStringLiteral("game.record"));
        const QString game = program(QStringLiteral("games/a\" \"b/game"), record);
        TMainForm window(settingsPath(), *dialogs);
        window.show();
        dialogs->openAnswers.enqueue({game});
        Action(window, "Pathtogame1")->trigger();
        Action(window, "StartGame1")->trigger();
        QCOMPARE(Record(record), QStringList({folder, "0"}));
        QVERIFY(dialogs->errors.isEmpty());
    }

    void anEmptyPathStartsNothing()
    {
        writeSettings("[Other]\r\nEditorPath=\r\nGamePath=\r\n");
        TMainForm window(settingsPath(), *dialogs);
        window.show();
        // An empty path is no default: the items are enabled, and do nothing.
        QVERIFY(Action(window, "StartEditor1")->isEnabled());
        QVERIFY(Action(window, "StartGame1")->isEnabled());
        Action(window, "StartEditor1")->trigger();
        Action(window, "StartGame1")->trigger();
        QVERIFY(dialogs->errors.isEmpty());
        QVERIFY(dialogs->messages.isEmpty());
    }

    void aGameThatCannotStartIsReported()
    {
        const QByteArray missing = QFile::encodeName(at(QStringLiteral("no game/ss")));
        writeSettings("[Other]\r\nGamePath=" + missing + "\r\nEditorPath=C:\\EDIT.EXE\r\n");
        TMainForm window(settingsPath(), *dialogs);
        window.show();
        // The default editor path, in any letter case, leaves its item off.
        QVERIFY(!Action(window, "StartEditor1")->isEnabled());
        Action(window, "StartGame1")->trigger();
        QCOMPARE(dialogs->errors.size(), 1);
        QCOMPARE(dialogs->errors[0].caption, dravik::ui::ApplicationTitle());
        QCOMPARE(dialogs->errors[0].text, QStringLiteral("Could not execute command line!"));
        QCOMPARE(window.gamePath(), missing.toStdString());
        QVERIFY(Action(window, "StartGame1")->isEnabled());
    }

    void quickPackPacksWithTheLatestConsoleManager()
    {
#ifdef Q_OS_WIN
        QSKIP("the stand-ins are shell scripts");
#endif
        const QString record = at(QStringLiteral("sue.record"));
        const QString sue = program(QStringLiteral("sue"), record);
        const QString firstPack = makeFolder(QStringLiteral("one/__a.sue"));
        const QString secondPack = makeFolder(QStringLiteral("two/__b.sue"));
        writeSettings("[Path]\r\nSUEPath=" + QFile::encodeName(sue) + "\r\nPackPath=" +
                      QFile::encodeName(firstPack) + "\r\n");
        TMainForm window(settingsPath(), *dialogs);
        window.show();
        QVERIFY(!Action(window, "QuickPack1")->isEnabled());

        // Opening and closing a console manager alone does not enable it.
        Action(window, "ConMAN2")->trigger();
        QPointer<TFormCM> first = window.consoleManager();
        QVERIFY(first->close());
        QVERIFY(!Action(window, "QuickPack1")->isEnabled());

        Action(window, "ConMAN2")->trigger();
        TFormCM* second = window.consoleManager();
        // A new window, shown; the closed one stays closed.
        QVERIFY(second->isVisible());
        QVERIFY(first.isNull() || !first->isVisible());
        QCOMPARE(second->DirectoryListBox1->directory(), firstPack);
        second->Button2->click();
        QVERIFY(Action(window, "QuickPack1")->isEnabled());
        QCOMPARE(Record(record), QStringList({at("one"), "2", "[a.sue]", "[__a.sue/]"}));

        QVERIFY(second->openFolder(secondPack));
        QVERIFY(second->close());
        QVERIFY(window.isVisible());
        const QString memo = second->Memo2->toPlainText();

        // QuickPack uses the hidden window's list, tool and memo, and leaves
        // it hidden.
        QFile::remove(record);
        QDir::setCurrent(base);
        QStringList shown;
        connect(window.statusBar(), &QStatusBar::messageChanged, &window,
                [&shown](const QString& text) { shown << text; });
        Action(window, "QuickPack1")->trigger();
        QCOMPARE(Record(record), QStringList({at("two"), "2", "[b.sue]", "[__b.sue/]"}));
        // The shown window says what it waits for, not the hidden one.
        QCOMPARE(shown, QStringList({"Waiting for sue to end", ""}));
        QVERIFY(second->isHidden());
        QVERIFY(window.isVisible());
        QCOMPARE(second->statusPanelText(0), QStringLiteral("__b.sue"));
        QCOMPARE(second->statusPanelText(1), QStringLiteral("b.sue __b.sue/"));
        QCOMPARE(second->Memo2->toPlainText(), memo + QStringLiteral("to the pipe\n"));
        QCOMPARE(conman::PackPath, Bytes(secondPack));
        QVERIFY(Action(window, "QuickPack1")->isEnabled());
        QVERIFY(!QFile::exists(at(QStringLiteral("Test.tmp"))));
        QVERIFY(dialogs->errors.isEmpty());
        QVERIFY(dialogs->messages.isEmpty());
    }
};

QTEST_MAIN(LaunchTest)
#include "launch_test.moc"
