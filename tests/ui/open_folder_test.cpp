// Whole folders into the tables: Open folder from its shortcut and its menu
// item, files and folders dropped on the window or named on the command
// line, and File > Recent folders across a restart.
#include "dialog_answer.h"
#include "window_fixture.h"

#include "ui/common/display_text.h"
#include "ui/common/folder_dialog.h"
#include "ui/qt_dialogs.h"
#include "ui/files/folder_actions.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QtTest>
#include <filesystem>

using dravik::ui::FolderChoice;

namespace {

// The real Open folder dialog; every other question scripted, so that a
// failure cannot wait for an answer.
class RealFolderDialog : public ScriptedDialogs {
public:
    std::optional<FolderChoice> chooseFolder(QWidget* parent, const dravik::ui::FolderRequest& request) override
    {
        return dravik::ui::QtDialogs().chooseFolder(parent, request);
    }
};

}  // namespace

class OpenFolderTest : public WindowFixture {
    Q_OBJECT

    QString mod;

    // A mod: desc files in subfolders, in mixed case, beside a file of
    // another kind.
    void makeMod()
    {
        QDir(folder->path(QString())).mkpath(QStringLiteral("mod/units"));
        QDir(folder->path(QString())).mkpath(QStringLiteral("mod/Air"));
        folder->write(QStringLiteral("mod/units/Tank.DESC"), sample::TankDesc());
        folder->write(QStringLiteral("mod/units/gun.desc"), sample::GunDesc());
        folder->write(QStringLiteral("mod/Air/plane.desc"), "[section1]\r\nhealth 7\r\n");
        folder->write(QStringLiteral("mod/readme.txt"), "not a desc file\r\n");
        mod = folder->path(QStringLiteral("mod"));
    }
    QString inMod(const QString& relative) const { return QDir::toNativeSeparators(mod + "/" + relative); }
    QStringList descsInMod() const { return {inMod("Air/plane.desc"), inMod("units/gun.desc"), inMod("units/Tank.DESC")}; }
    QStringList loadedPaths() const
    {
        QStringList paths;
        for (int r = 1; r <= window->document().descFileCount(); ++r)
            paths << Cell(grid(dravik::kFileListGrid), 2, r);
        return paths;
    }
    QString openedRoot() const { return dravik::ui::NativeText(window->document().openedRoot()); }
    // A real drag of local files, entered and dropped on the widget.
    static void dropOn(QWidget* target, const QStringList& paths)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls << QUrl::fromLocalFile(path);
        data.setUrls(urls);
        // As a file manager's drag: the paths as text too, which a text box takes.
        data.setText(paths.join(QLatin1Char('\n')));
        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        QVERIFY(drop.isAccepted());
        QCoreApplication::processEvents();
    }
    // File > Recent folders > the item, with the mouse.
    void clickRecent(int index)
    {
        QMenuBar* bar = window->menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(Menu(*window, "N1")->menuAction()).center());
        auto* recent = named<QMenu>(QStringLiteral("RecentFolders"));
        QMenu* file = Menu(*window, "N1");
        QTest::mouseClick(file, Qt::LeftButton, {}, file->actionGeometry(recent->menuAction()).center());
        QTRY_VERIFY(recent->isVisible());
        QAction* item = recent->actions().at(index);
        QTest::mouseClick(recent, Qt::LeftButton, {}, recent->actionGeometry(item).center());
        QCoreApplication::processEvents();
        QVERIFY(!Menu(*window, "N1")->isVisible());
    }

private slots:
    void theShortcutOpensEveryMatchingFileBelowInPathOrder()
    {
        makeMod();
        openSample();
        typeIntoCell(grid(1), 2, 1, QStringLiteral("55"));
        dialogs->folderAnswers.enqueue(FolderChoice{mod, QStringLiteral("*.desc")});
        dialogs->askAnswers.enqueue(1);  // Discard
        press(Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);

        QCOMPARE(dialogs->folderRequests.size(), 1);
        const dravik::ui::FolderRequest& asked = dialogs->folderRequests.front();
        // It starts where the open files are, with every name.
        QCOMPARE(asked.folder, QDir::toNativeSeparators(QFileInfo(folder->path("vars.var")).absolutePath()));
        QCOMPARE(asked.pattern, QStringLiteral("*.*"));
        QCOMPARE(dialogs->folderCounts, QStringList{QStringLiteral("3 files below this folder match.")});
        QCOMPARE(asked.count(mod, QStringLiteral("*.*")).text, QStringLiteral("4 files below this folder match."));
        QCOMPARE(asked.count(inMod("units"), QStringLiteral("tank.*")).text,
                 QStringLiteral("1 file below this folder matches."));
        // The guard's question, once.
        QCOMPARE(dialogs->questions.size(), 1);
        QVERIFY(dialogs->questions.front().text.startsWith(QStringLiteral("The tables have unsaved changes")));

        QCOMPARE(loadedPaths(), descsInMod());
        QCOMPARE(Cells(grid(1), {{2, 1}, {2, 3}}), QStringList({QStringLiteral("7"), QStringLiteral("100")}));
        QCOMPARE(openedRoot(), mod);
        QVERIFY(!window->history().canUndo());
        auto* recent = named<QMenu>(QStringLiteral("RecentFolders"));
        QVERIFY(recent->isEnabled());
        QCOMPARE(recent->actions().front()->text(), QStringLiteral("&1 %1  (*.desc, vars.var)").arg(mod));
        QVERIFY(!recent->actions().at(1)->isVisible());
    }

    void aFileReachedByTwoPathsOpensOnceAndKeepsItsEdit()
    {
        makeMod();
        openSample();
        auto fsPath = [](const QString& path) { return std::filesystem::path(path.toStdU16String()); };
        // A hard link and a symbolic link to the mod's own files, beside them.
        std::filesystem::create_hard_link(fsPath(inMod("units/gun.desc")), fsPath(inMod("units/gun2.desc")));
        QString status = QStringLiteral("%1 is the same file as %2: opened once")
                             .arg(QDir::toNativeSeparators("units/gun2.desc"), QDir::toNativeSeparators("units/gun.desc"));
#ifndef _WIN32
        std::filesystem::create_symlink(fsPath(inMod("units/Tank.DESC")), fsPath(inMod("Air/link.desc")));
        status = QStringLiteral("Air/link.desc is the same file as units/Tank.DESC, and 1 more path names a file "
                                "opened already: each file opened once");
#endif
        dialogs->folderAnswers.enqueue(FolderChoice{mod, QStringLiteral("*.desc")});
        press(Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
        // Each file keeps the name it has in the mod, not a link's.
        QCOMPARE(loadedPaths(), descsInMod());
        QCOMPARE(StatusText(*window, 0), status);

        typeIntoCell(grid(1), 2, 2, QStringLiteral("41"));
        press(Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(StatusText(*window, 0), QStringLiteral("Saved 3 of 3 files"));
        QVERIFY(folder->read("mod/units/gun.desc").contains("health 41 \r\n"));
        QCOMPARE(folder->read("mod/units/gun2.desc"), folder->read("mod/units/gun.desc"));
        QVERIFY(!window->document().isModified());
        QCOMPARE(dialogs->errors.size(), 0);
    }

    void nothingOpensWhenNothingMatchesOrTheQuestionIsCancelled()
    {
        makeMod();
        openSample();
        typeIntoCell(grid(1), 2, 1, QStringLiteral("55"));
        auto* openFolder = named<QAction>(QStringLiteral("OpenFolder"));

        dialogs->folderAnswers.enqueue(FolderChoice{mod, QStringLiteral("*.var")});
        clickMenuItem(openFolder);
        QCOMPARE(dialogs->folderCounts.last(), QStringLiteral("No file below this folder matches \"*.var\"."));
        QVERIFY(dialogs->questions.isEmpty());

        dialogs->folderAnswers.enqueue(FolderChoice{mod, QStringLiteral("*.desc")});
        dialogs->askAnswers.enqueue(2);  // Cancel
        clickMenuItem(openFolder);
        QCOMPARE(dialogs->questions.size(), 1);
        QCOMPARE(window->document().descFileCount(), 2);
        QCOMPARE(Cell(grid(1), 2, 1), QStringLiteral("55"));
        QVERIFY(window->history().canUndo());
        // The names chosen are the next dialog's, opened or not.
        dialogs->folderAnswers.enqueue(std::nullopt);
        clickMenuItem(openFolder);
        QCOMPARE(dialogs->folderRequests.last().pattern, QStringLiteral("*.desc"));
    }

    void droppedFoldersAndFilesOpenAfterTheQuestion()
    {
        makeMod();
        openSample();
        dropOn(window.get(), {mod});
        QCOMPARE(loadedPaths(), QStringList({inMod("Air/plane.desc"), inMod("readme.txt"), inMod("units/gun.desc"),
                                             inMod("units/Tank.DESC")}));
        QCOMPARE(openedRoot(), mod);
        QCOMPARE(window->folderActions()->recentFolders().size(), size_t(1));

        // On a cell's open editor: the files open, no path is typed into it.
        typeIntoCell(grid(1), 2, 1, QStringLiteral("55"));
        clickCell(grid(1), 2, 2);
        QWidget* editor = grid(1)->indexWidget(grid(1)->currentIndex());
        QVERIFY(editor);
        dialogs->askAnswers.enqueue(1);  // Discard
        dropOn(editor, {inMod("units/Tank.DESC"), inMod("Air/plane.desc")});
        QCOMPARE(dialogs->questions.size(), 1);
        QCOMPARE(loadedPaths(), QStringList({inMod("Air/plane.desc"), inMod("units/Tank.DESC")}));
        QCOMPARE(Cells(grid(1), {{2, 1}, {2, 2}}), QStringList({QStringLiteral("7"), QStringLiteral("100")}));
        QVERIFY(!window->document().isModified());
        QCOMPARE(openedRoot(), mod);
        QCOMPARE(window->folderActions()->recentFolders().size(), size_t(1));

        // An empty folder says so and changes nothing.
        QDir(mod).mkpath(QStringLiteral("empty"));
        dropOn(Preview(*window)->viewport(), {inMod("empty")});
        QCOMPARE(dialogs->messages.size(), 1);
        QCOMPARE(dialogs->messages.front().text, QStringLiteral("No file below %1 matches \"*.*\".").arg(inMod("empty")));
        QCOMPARE(window->document().descFileCount(), 2);
    }

    void recentFoldersComeBackWithTheirNamesAndVariables()
    {
        makeMod();
        const QString ini = folder->path("dravik2.INI");
        // A window that opened no folder leaves the settings file without them.
        window->close();
        QVERIFY(!folder->read("dravik2.INI").contains("[Folders]"));

        window = std::make_unique<TMainForm>(ini, *dialogs);
        window->show();
        const QString vars = folder->write("vars.var", sample::Variables());
        dialogs->openAnswers.enqueue({vars});
        Action(*window, "N6")->trigger();
        dialogs->folderAnswers.enqueue(FolderChoice{inMod("units"), QStringLiteral("*.desc")});
        window->folderActions()->openFolderAction()->trigger();
        const QString otherVars = folder->write("other.var", "[section1]\r\narmor=1\r\n");
        dialogs->openAnswers.enqueue({otherVars});
        dialogs->askAnswers.enqueue(1);  // not laid out again: another folder opens next
        Action(*window, "N6")->trigger();
        dialogs->folderAnswers.enqueue(FolderChoice{inMod("Air"), QStringLiteral("*.*")});
        window->folderActions()->openFolderAction()->trigger();
        window->close();
        const QByteArray stored = "[Folders]\r\nPattern=*.*\r\n"
                                  "Folder1=" + inMod("Air").toUtf8() + "\r\nPattern1=*.*\r\nVariables1=" +
                                  otherVars.toUtf8() + "\r\n"
                                  "Folder2=" + inMod("units").toUtf8() + "\r\nPattern2=*.desc\r\nVariables2=" +
                                  vars.toUtf8() + "\r\n";
        QVERIFY2(folder->read("dravik2.INI").endsWith(stored), folder->read("dravik2.INI").constData());

        window = std::make_unique<TMainForm>(ini, *dialogs);
        window->show();
        activate();
        // The second one: its own names, its own variables file loaded first.
        clickRecent(1);
        QCOMPARE(loadedPaths(), QStringList({inMod("units/gun.desc"), inMod("units/Tank.DESC")}));
        QCOMPARE(dravik::ui::NativeText(window->variablesFilePath()), vars);
        QCOMPARE(Cell(grid(1), 2, 2), QStringLiteral("100"));
        QCOMPARE(dravik::ui::NativeText(window->folderActions()->recentFolders().front().folder), inMod("units"));
        QCOMPARE(window->folderActions()->pattern(), std::string("*.desc"));
    }

    void theCommandLineOpensWithTheVariablesFileLastUsed()
    {
        makeMod();
        const QString vars = folder->write("vars.var", sample::Variables());
        const QString ini = folder->write("start.INI", "[Path]\r\nVar=" + QFile::encodeName(vars) + "\r\n");
        window = std::make_unique<TMainForm>(ini, *dialogs);
        window->folderActions()->openCommandLine({inMod("units"), inMod("Air/plane.desc")});
        QCOMPARE(loadedPaths(), descsInMod());
        QCOMPARE(Cell(grid(1), 2, 3), QStringLiteral("100"));
        QCOMPARE(openedRoot(), mod);
    }

    // The whole road on the real dialog, from the keyboard alone.
    void theRealDialogTakesTheKeyboardAlone()
    {
        makeMod();
        window.reset();
        dialogs = std::make_unique<RealFolderDialog>();
        window = std::make_unique<TMainForm>(folder->path("dravik2.INI"), *dialogs);
        window->show();
        activate();
        const QString before = QDir::currentPath();
        QString refused;
        DialogAnswer answers;
        answers.next<dravik::ui::FolderDialog>([&](dravik::ui::FolderDialog* dialog) {
            // Typing replaces the folder shown; Tab goes on to the names.
            auto* typed = qobject_cast<QLineEdit*>(dialog->focusWidget());
            QVERIFY(typed && typed->objectName() == QStringLiteral("Folder") && typed->hasSelectedText());
            QTest::keyClicks(typed, mod);
            QTest::keyClick(typed, Qt::Key_Tab);
            auto* names = qobject_cast<QLineEdit*>(dialog->focusWidget());
            QVERIFY(names && names->objectName() == QStringLiteral("Pattern"));
            // Each label's access key goes to its field.
            dialog->activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), dialog);
            QTest::keyClick(names, Qt::Key_F, Qt::AltModifier);
            QCOMPARE(dialog->focusWidget(), typed);
            QTest::keyClick(typed, Qt::Key_N, Qt::AltModifier);
            QCOMPARE(dialog->focusWidget(), names);
            QTest::keyClick(names, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(names, QStringLiteral("*.var"));
            // Enter before the count came: it counts, and nothing matches.
            QTest::keyClick(names, Qt::Key_Return);
            QVERIFY(dialog->isVisible());
            refused = dialog->findChild<QLabel*>(QStringLiteral("Count"))->text();
            QTest::keyClick(names, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(names, QStringLiteral("*.desc"));
            QTest::keyClick(names, Qt::Key_Return);
        });
        press(Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(answers.failures(), QStringList());
        QCOMPARE(refused, QStringLiteral("No file below this folder matches \"*.var\"."));
        QCOMPARE(loadedPaths(), descsInMod());
        // Where the next file dialog starts.
        QCOMPARE(QDir::toNativeSeparators(QDir::currentPath()), mod);
        QDir::setCurrent(before);
    }
};

QTEST_MAIN(OpenFolderTest)
#include "open_folder_test.moc"
