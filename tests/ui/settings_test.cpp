// The settings the main window reads when it is created and writes when it
// is closed, in a settings file of the test's own.
#include "core/errors.h"
#include "core/files/settings_file.h"
#include "scripted_dialogs.h"
#include "test_folder.h"
#include "test_screen.h"
#include "ui/common/display_text.h"
#include "ui/tables/grid_view.h"
#include "ui/main_unit.h"

#include <QAction>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTabWidget>
#include <QtTest>

namespace {

std::string Bytes(const QString& text) { return dravik::ui::NativeBytes(text); }

}  // namespace

class SettingsTest : public QObject {
    Q_OBJECT

private slots:
    void firstStartWithoutASettingsFile()
    {
        TestFolder folder;
        ScriptedDialogs dialogs;
        const QString ini = folder.path("dravik2.INI");
        {
            TMainForm window(ini, dialogs);
            window.show();
            QCOMPARE(window.pos(), QPoint(100, 100));
            QCOMPARE(window.size(), QSize(767, 481));
            QCOMPARE(window.PageControl1->width(), 520);
            QCOMPARE(window.chosenFont().family(), QStringLiteral("MS Sans Serif"));
            QCOMPARE(window.chosenFont().pointSize(), 12);
            QVERIFY(!window.isMaximized());
            QVERIFY(!window.StartEditor1->isEnabled());
            QVERIFY(!window.StartGame1->isEnabled());
            QVERIFY(!window.QuickPack1->isEnabled());
            QCOMPARE(window.editorPath(), std::string("c:\\edit.exe"));
            QCOMPARE(window.gamePath(), std::string("c:\\game.exe"));
            QCOMPARE(window.variablesFilePath(), std::string("c:\\variables.var"));
            QVERIFY(window.Memo2->toPlainText().isEmpty());
            QVERIFY(window.close());
        }
        QVERIFY(dialogs.errors.isEmpty());
        const dravik::SettingsFile written(Bytes(ini));
        QCOMPARE(written.readString("Form", "FontName", ""), std::string("MS Sans Serif"));
        QCOMPARE(written.readInteger("Form", "Left", 0), 100);
        QCOMPARE(written.readString("Form", "InitMax", ""), std::string("0"));
        QCOMPARE(written.readInteger("Form", "FontSize", 0), 12);
        QCOMPARE(written.readInteger("Form", "Top", 0), 100);
        QCOMPARE(written.readInteger("Form", "Div", 0), 520);
        QCOMPARE(written.readString("Path", "Var", ""), std::string("c:\\variables.var"));
        QCOMPARE(written.readString("Other", "GamePath", ""), std::string("c:\\game.exe"));
        QCOMPARE(written.readString("Other", "EditorPath", ""), std::string("c:\\edit.exe"));
        // The designed size is not stored.
        QVERIFY(!written.readRaw("Form", "Width"));
        QVERIFY(!written.readRaw("Form", "Height"));
    }

    void theWindowsSizeComesBack()
    {
        TestFolder folder;
        ScriptedDialogs dialogs;
        const QString ini = folder.path("dravik2.INI");
        {
            TMainForm window(ini, dialogs);
            window.show();
            window.resize(1000, 640);
            // Closed maximized: the size it comes back to.
            window.setWindowState(Qt::WindowMaximized);
            QVERIFY(window.close());
        }
        const dravik::SettingsFile written(Bytes(ini));
        QCOMPARE(written.readInteger("Form", "Width", 0), 1000);
        QCOMPARE(written.readInteger("Form", "Height", 0), 640);
        {
            TMainForm window(ini, dialogs);
            window.show();
            QVERIFY(window.isMaximized());
            window.setWindowState(Qt::WindowNoState);
            QCOMPARE(window.size(), QSize(1000, 640));
            // Back to the designed size: once stored, the size is kept.
            window.resize(767, 481);
            QVERIFY(window.close());
        }
        const dravik::SettingsFile again(Bytes(ini));
        QCOMPARE(again.readInteger("Form", "Width", 0), 767);
        QCOMPARE(again.readInteger("Form", "Height", 0), 481);
        QVERIFY(dialogs.errors.isEmpty());
    }

    void aStoredTabWidthLeavesThePreviewAndTheTablesVisible()
    {
        TestFolder folder;
        ScriptedDialogs dialogs;
        for (const char* div : {"945", "0", "-20"}) {
            const QString ini = folder.write("dravik2.INI", QByteArray("[Form]\r\nDiv=") + div + "\r\n");
            TMainForm window(ini, dialogs);
            window.show();
            QCOMPARE(window.width(), 767);
            QVERIFY2(window.Memo1->width() >= 150, div);
            QVERIFY2(window.PageControl1->width() >= 150, div);
            QCOMPARE(window.Memo1->width() + 8 + window.PageControl1->width(), 767);
            // Nor can the splitter be dragged over either side later.
            window.Splitter1->setSizes({5, 754});
            QVERIFY2(window.Memo1->width() >= 150, div);
        }
    }

    void storedSettingsComeBack()
    {
        TestFolder folder;
        ScriptedDialogs dialogs;
        const QByteArray stored = "; written by hand\r\n"
                                  "[other]\r\n"
                                  "editorpath=/opt/editor/edit\r\n"
                                  "GamePath=C:\\GAME.EXE\r\n"
                                  "\r\n"
                                  "[Form]\r\n"
                                  "FontName=DejaVu Sans\r\n"
                                  "Left=30\r\n"
                                  "FontSize=10\r\n"
                                  "Top=40\r\n"
                                  "Div=300\r\n"
                                  "InitMax=0\r\n"
                                  "[Path]\r\n"
                                  "SUEPath=c:\\sue\r\n"
                                  "Var=/tmp/v.var\r\n"
                                  "[Other program]\r\n"
                                  "Key = its own value ; kept\r\n";
        const QString ini = folder.write("dravik2.INI", stored);
        {
            TMainForm window(ini, dialogs);
            QCOMPARE(window.pos(), QPoint(30, 40));
            QCOMPARE(window.chosenFont().family(), QStringLiteral("DejaVu Sans"));
            QCOMPARE(window.chosenFont().pointSize(), 10);
            QCOMPARE(window.editorPath(), std::string("/opt/editor/edit"));
            QVERIFY(window.StartEditor1->isEnabled());
            QVERIFY(!window.StartGame1->isEnabled());
            QCOMPARE(window.variablesFilePath(), std::string("/tmp/v.var"));
            QCOMPARE(window.StringGrid(dravik::GridNumber(1))->horizontalHeader()->sectionSize(0), 180);
            QCOMPARE(window.StringGrid(dravik::GridNumber(1))->horizontalHeader()->sectionSize(1), 10);
            // Nothing is loaded from the variables path at start.
            QVERIFY(window.Memo2->toPlainText().isEmpty());
            QVERIFY(window.close());
        }
        QVERIFY(dialogs.errors.isEmpty());
        // Every value is written back as read, into its own line; only the
        // key's spelling becomes the program's.
        QCOMPARE(folder.read("dravik2.INI"), QByteArray(stored).replace("editorpath=", "EditorPath="));

        {
            TMainForm window(ini, dialogs);
            window.show();
            QCOMPARE(window.PageControl1->width(), 300);
        }
    }

    void closingWritesWhatChanged()
    {
        TestFolder folder;
        ScriptedDialogs dialogs;
        const QString ini = folder.write("dravik2.INI", "[Form]\r\nLeft=5\r\n; note\r\n");
        const QString variables = folder.write("my.var", "[section1]\r\n");
        {
            TMainForm window(ini, dialogs);
            window.show();
            window.move(60, 70);
            dialogs.openAnswers.enqueue({variables});
            window.N6->trigger();
            dialogs.fontAnswers.enqueue(QFont(QStringLiteral("DejaVu Serif"), 14));
            window.SelectFont->trigger();
            window.setWindowState(Qt::WindowMaximized);
            QVERIFY(window.close());
        }
        QVERIFY(dialogs.errors.isEmpty());
        const dravik::SettingsFile written(Bytes(ini));
        QCOMPARE(written.readInteger("Form", "Left", 0), 60);
        QCOMPARE(written.readInteger("Form", "Top", 0), 70);
        QCOMPARE(written.readBool("Form", "InitMax", false), true);
        QCOMPARE(written.readString("Form", "FontName", ""), std::string("DejaVu Serif"));
        QCOMPARE(written.readInteger("Form", "FontSize", 0), 14);
        QCOMPARE(written.readString("Path", "Var", ""), Bytes(variables));
        const QByteArray file = folder.read("dravik2.INI");
        QVERIFY2(file.startsWith("[Form]\r\nLeft=60\r\n") && file.contains("\r\n; note\r\n"), file.constData());

        // The next start comes up maximized.
        TMainForm again(ini, dialogs);
        again.show();
        QVERIFY(again.isMaximized());
    }

    void unwritableSettingsAreReportedAndTheWindowCloses()
    {
        TestFolder folder;
        ScriptedDialogs dialogs;
        const QString ini = folder.missing("dravik2.INI");
        TMainForm window(ini, dialogs);
        window.show();
        QVERIFY(window.close());
        QVERIFY(!window.isVisible());
        QCOMPARE(dialogs.errors.size(), 1);
        QCOMPARE(dialogs.errors[0].text,
                 QString::fromStdString(dravik::ErrorBoxText(dravik::UnableToWriteMessage(Bytes(ini)).english())));
    }
};

DRAVIK_TEST_MAIN_ON_SCREEN(SettingsTest, 1920, 1080, 96)
#include "settings_test.moc"
