// The main window on a laptop's screen of 1280 x 800 pixels at 150 % display
// scaling, where the designed window at its designed place would reach past
// the screen's edges. scripts/test-windows also runs this test under Wine
// with the system's own platform at 144 dots per inch.
#include "scripted_dialogs.h"
#include "test_folder.h"
#include "test_screen.h"
#include "ui/main_unit.h"
#include "window_parts.h"

#include <QPlainTextEdit>
#include <QScreen>
#include <QTabWidget>
#include <QtTest>

namespace {

QString Rect(const QRect& r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

}  // namespace

class WindowGeometryTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // 1280 x 800 pixels at 150 %: 853 x 533 of the window's pixels.
        const QScreen* screen = QGuiApplication::primaryScreen();
        QCOMPARE(screen->devicePixelRatio(), 1.5);
        QCOMPARE(screen->geometry().size(), QSize(853, 533));
    }

    void theFirstWindowFitsTheScreen()
    {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        TestFolder folder;
        ScriptedDialogs dialogs;
        TMainForm window(folder.path("dravik2.INI"), dialogs);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY2(screen.contains(window.frameGeometry()),
                 qPrintable(Rect(window.frameGeometry()) + QStringLiteral(" on ") + Rect(screen)));
        QVERIFY(Tabs(window)->width() >= 150);
    }

    void aWindowStoredForAnotherScreenComesOntoThisOne()
    {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        TestFolder folder;
        ScriptedDialogs dialogs;
        const QString ini = folder.write("dravik2.INI", "[Form]\r\nLeft=2600\r\nTop=-300\r\nWidth=2400\r\n"
                                                        "Height=1400\r\nDiv=2000\r\n");
        TMainForm window(ini, dialogs);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY2(screen.contains(window.frameGeometry()),
                 qPrintable(Rect(window.frameGeometry()) + QStringLiteral(" on ") + Rect(screen)));
        QVERIFY(Tabs(window)->width() >= 150);
        QVERIFY(Preview(window)->width() >= 150);
    }
};

DRAVIK_TEST_MAIN_ON_SCREEN(WindowGeometryTest, 1280, 800, 144)
#include "window_geometry_test.moc"
