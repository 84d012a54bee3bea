// Takes the documentation's pictures of the main window. Not shipped: the
// window program itself takes no arguments and reads no environment.
//
//   dravik2-screenshot PICTURE TAB VARIABLES_FILE DESC_FILE...
//
// TAB is the index of the tab to show (0 = "File List"). The window is shown
// with the files loaded, its picture saved, and it is left without writing
// any settings.
#include "ui/main_unit.h"
#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QStringList>
#include <QTabWidget>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    bool tabIsNumber = false;
    const int tab = args.size() >= 3 ? args[1].toInt(&tabIsNumber) : 0;
    if (args.size() < 3 || !tabIsNumber) {
        QTextStream(stderr) << "usage: dravik2-screenshot PICTURE TAB VARIABLES_FILE [DESC_FILE...]\n";
        return 2;
    }
    const QString picture = args.takeFirst();
    args.removeFirst();

    dravik::ui::QtDialogs dialogs;
    TMainForm window(QString(), dialogs);
    window.show();
    window.openVariablesFile(args.takeFirst());
    if (!args.isEmpty())
        window.openDescFiles(args);
    window.PageControl1->setCurrentIndex(tab);
    QApplication::processEvents();
    if (!window.grab().save(picture)) {
        QTextStream(stderr) << "dravik2-screenshot: cannot save " << picture << "\n";
        return 1;
    }
    return 0;
}
