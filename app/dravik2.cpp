// The program entry: the application, its help file and the main window.
#include "core/settings_file.h"
#include "ui/display_text.h"
#include "ui/main_unit.h"
#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QStringList>

namespace {

// Recorded for the help system; no command opens it.
#ifdef Q_OS_WIN
const char* const kHelpFile = "C:\\Program Files\\Dravik2\\dravik2_help.html";
#else
const char* const kHelpFile = "/usr/share/doc/dravik2/dravik2_help.html";
#endif

// For the documentation's screenshot: DRAVIK_SCREENSHOT names the picture to
// save, DRAVIK_SCREENSHOT_FILES the variables file followed by the desc files
// (separated like PATH), DRAVIK_SCREENSHOT_TAB the tab to show (0 = "File
// List"). The window is shown, loaded, saved and left without writing any
// settings.
int TakeScreenshot(const QString& picture)
{
    dravik::ui::QtDialogs dialogs;
    TMainForm window(QString(), dialogs);
    QStringList files = qEnvironmentVariable("DRAVIK_SCREENSHOT_FILES").split(QDir::listSeparator(), Qt::SkipEmptyParts);
    window.show();
    if (!files.isEmpty())
        window.openVariablesFile(files.takeFirst());
    if (!files.isEmpty())
        window.openDescFiles(files);
    window.PageControl1->setCurrentIndex(qEnvironmentVariableIntValue("DRAVIK_SCREENSHOT_TAB"));
    QApplication::processEvents();
    return window.grab().save(picture) ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    app.setProperty("HelpFile", QString::fromLatin1(kHelpFile));

    const QString screenshot = qEnvironmentVariable("DRAVIK_SCREENSHOT");
    if (!screenshot.isEmpty())
        return TakeScreenshot(screenshot);

    dravik::ui::QtDialogs dialogs;
    const QString settings = dravik::ui::NativeText(
        dravik::SettingsFile::PathForExecutable(dravik::ui::NativeBytes(QCoreApplication::applicationFilePath())));
    TMainForm window(settings, dialogs);
    window.show();
    return app.exec();
}
