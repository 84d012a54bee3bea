// The windows' Windows-only roads, run on Windows (or Wine): drive letters,
// backslash paths, the tools and the game started through the system with
// their command lines untouched, the version record of dravik2.exe. A copy
// of the stand-in program records what the system handed it.
#include "dialog_answer.h"
#include "stand_in_tool.h"
#include "tool_fixture.h"
#include "ui/conman.h"
#include "ui/common/display_text.h"
#include "ui/tables/grid_view.h"
#include "ui/main_unit.h"
#include "ui/common/qt_dialogs.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

#include <memory>
#include <vector>

namespace {


QString Cell(dravik::ui::GridView* grid, int col, int row)
{
    return grid->model()->data(grid->model()->index(row - 1, col - 1)).toString();
}

// What the version record of the executable says under `name`.
QString VersionValue(const QString& exe, const char* name)
{
    const std::wstring path = QDir::toNativeSeparators(exe).toStdWString();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0)
        return QStringLiteral("<no version record>");
    std::vector<char> record(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, record.data()))
        return QStringLiteral("<unreadable>");
    const std::wstring key = L"\\StringFileInfo\\080904E4\\" + QString::fromLatin1(name).toStdWString();
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(record.data(), key.c_str(), &value, &length) || length == 0)
        return QStringLiteral("<missing>");
    return QString::fromWCharArray(static_cast<const wchar_t*>(value));
}

}  // namespace

class WindowsTest : public ToolFixture {
    Q_OBJECT

private slots:
    void theDriveChooserListsTheDriveLetters()
    {
        writeSettings("[Path]\r\nPackPath=" + QFile::encodeName(base) + "\r\n");
        QWidget mainStandIn;
        QAction quickPack;
        auto* window = new TFormCM(Bytes(settingsPath()), *dialogs, &quickPack, &mainStandIn);
        window->show();
        QComboBox* drives = window->DriveComboBox1;
        QStringList expected;
        for (const QFileInfo& drive : QDir::drives())
            expected << QDir::toNativeSeparators(drive.absoluteFilePath());
        QStringList shown;
        for (int i = 0; i < drives->count(); ++i)
            shown << drives->itemText(i);
        QCOMPARE(shown, expected);
        for (const QString& drive : shown)
            QVERIFY2(QRegularExpression(QStringLiteral("^[A-Z]:\\\\$")).match(drive).hasMatch(), qPrintable(drive));

        // The drive of the pack folder is chosen, and choosing it opens the
        // drive's current directory, which is ours.
        QCOMPARE(drives->currentText(), base.left(3).toUpper());
        QDir::setCurrent(base + QStringLiteral("\\.."));
        const QString parent = QDir::currentPath();
        emit drives->activated(drives->currentIndex());
        QCOMPARE(window->DirectoryListBox1->directory(), parent);
        QVERIFY(dialogs->errors.isEmpty());
        delete window;
    }

    void packStartsTheToolMinimizedAtIdlePriority()
    {
        const QString sue = at(QStringLiteral("tools\\sue.exe"));
        QVERIFY(stand_in::CopyTo(sue));
        const QString pack = at(QStringLiteral("mods\\__maps.sue"));
        QVERIFY(QDir().mkpath(pack));
        writeSettings("[Path]\r\nSUEPath=" + sue.toLocal8Bit() + "\r\nPackPath=" + pack.toLocal8Bit() + "\r\n");
        QWidget mainStandIn;
        QAction quickPack;
        auto* window = new TFormCM(Bytes(settingsPath()), *dialogs, &quickPack, &mainStandIn);
        window->show();

        window->Button2->click();
        const stand_in::Record record = stand_in::Read(sue);
        QCOMPARE(record.commandLine, sue.toLocal8Bit() + " maps.sue __maps.sue\\");
        QCOMPARE(record.directory, at(QStringLiteral("mods")));
        QCOMPARE(record.show, SW_MINIMIZE);
        if (stand_in::RunningOnWine())
            qInfo("Wine ignores the priority class given to CreateProcess; not checked");
        else
            QCOMPARE(record.priority, static_cast<unsigned long>(IDLE_PRIORITY_CLASS));
        // The capture file lay in the pack folder, our current directory.
        QVERIFY(!record.captureHere);
        QVERIFY(!QFile::exists(pack + QStringLiteral("\\Test.tmp")));
        QCOMPARE(window->statusPanelText(1), QStringLiteral("maps.sue __maps.sue\\"));
        // The tool's bytes read in the system's ANSI code page.
        QCOMPARE(window->Memo2->toPlainText(),
                 QStringLiteral("\ntool maps.sue __maps.sue\\\n") + QString::fromLocal8Bit("\xC0 done") +
                     QStringLiteral("\n"));
        QVERIFY(quickPack.isEnabled());
        QVERIFY(dialogs->errors.isEmpty());
        QVERIFY(dialogs->messages.isEmpty());
        delete window;
    }

    void theGameStartsHiddenInItsFolderWithItsPathQuoted()
    {
        const QString game = at(QStringLiteral("my games\\Sudden Strike\\ss game.exe"));
        QVERIFY(stand_in::CopyTo(game));
        writeSettings("[Other]\r\nGamePath=" + game.toLocal8Bit() + "\r\n");
        TMainForm window(settingsPath(), *dialogs);
        window.show();
        window.StartGame1->trigger();
        const stand_in::Record record = stand_in::Read(game);
        QCOMPARE(record.commandLine, "\"" + game.toLocal8Bit() + "\"");
        QCOMPARE(record.directory, at(QStringLiteral("my games\\Sudden Strike")));
        QCOMPARE(record.show, SW_HIDE);
        QCOMPARE(QDir::toNativeSeparators(QDir::currentPath()), base);
        QVERIFY(dialogs->errors.isEmpty());
    }

    void backslashPathsNameTheFilesInTheFileList()
    {
        const QString variables = QDir::toNativeSeparators(folder->write("vars.var", sample::Variables()));
        const QString tank = QDir::toNativeSeparators(folder->write("tank.txt", sample::TankDesc()));
        TMainForm window(settingsPath(), *dialogs);
        window.show();
        window.openVariablesFile(variables);
        window.openDescFiles({tank});
        QCOMPARE(Cell(window.StringGrid(dravik::GridNumber(11)), 1, 1), QStringLiteral("tank.txt"));
        QCOMPARE(Cell(window.StringGrid(dravik::GridNumber(11)), 2, 1), tank);
        QCOMPARE(Cell(window.StringGrid(dravik::GridNumber(1)), 1, 1), tank);
        QVERIFY(dialogs->errors.isEmpty());
    }

    void theFileDialogsGiveBackslashPaths()
    {
        const QString tank = folder->write("tank.txt", sample::TankDesc());
        auto answer = [&](QFileDialog* dialog) {
            dialog->selectFile(tank);
            QMetaObject::invokeMethod(dialog, "accept");
        };
        dravik::ui::QtDialogs system;
        DialogAnswer answers;
        answers.next<QFileDialog>(answer);
        QCOMPARE(system.openFiles(nullptr, {}), QStringList{QDir::toNativeSeparators(tank)});
        answers.next<QFileDialog>(answer);
        QCOMPARE(system.saveFile(nullptr, {}).value_or(QString()), QDir::toNativeSeparators(tank));
        QCOMPARE(answers.failures(), QStringList());
    }

    void theWindowProgramCarriesTheVersionRecord()
    {
        const QString exe = stand_in::DosPath(QString::fromUtf8(DRAVIK2_EXE));
        QCOMPARE(VersionValue(exe, "FileDescription"), QStringLiteral("Desc editor"));
        QCOMPARE(VersionValue(exe, "ProductVersion"), QStringLiteral("1.3"));
        QCOMPARE(VersionValue(exe, "ProductName"), QStringLiteral("Dravik 2"));
    }
};

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
