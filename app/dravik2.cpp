// The program entry: the application, its help file and the main window.
// Files and folders named on the command line ("Open with", files dropped on
// the program's icon) open as files dropped on the window do.
#include "core/files/file_io.h"
#include "core/files/settings_file.h"
#include "ui/common/display_text.h"
#include "ui/files/folder_actions.h"
#include "ui/main_unit.h"
#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QTimer>

namespace {

// Recorded for the help system; no command opens it.
#ifdef Q_OS_WIN
const char* const kHelpFile = "C:\\Program Files\\Dravik2\\dravik2_help.html";
#else
const char* const kHelpFile = "/usr/share/doc/dravik2/dravik2_help.html";
#endif

}  // namespace

int main(int argc, char* argv[])
{
    // As many open files as the system allows: a low default never stops a save.
    dravik::RaiseOpenFileLimit();
    QApplication app(argc, argv);
    app.setProperty("HelpFile", QString::fromLatin1(kHelpFile));

    dravik::ui::QtDialogs dialogs;
    const QString settings = dravik::ui::NativeText(
        dravik::SettingsFile::PathForExecutable(dravik::ui::NativeBytes(QCoreApplication::applicationFilePath())));
    TMainForm window(settings, dialogs);
    window.show();
    // Once the window is up: opening asks its questions over it.
    if (const QStringList paths = QCoreApplication::arguments().mid(1); !paths.isEmpty())
        QTimer::singleShot(0, &window, [&window, paths] { window.folderActions()->openCommandLine(paths); });
    return app.exec();
}
