#include "test_screen.h"

#include <QFile>

void UseTestScreen(int width, int height, int dpi)
{
    if (qgetenv("QT_QPA_PLATFORM") != "offscreen")
        return;
    // The platform's options are separated by colons, so the file is named
    // relative to the current folder: a Windows path has a drive letter.
    const QString name = QStringLiteral("dravik-test-screen-%1x%2-%3.json").arg(width).arg(height).arg(dpi);
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(name));
    file.write(QStringLiteral(R"({"screens": [{"name": "test", "x": 0, "y": 0, "width": %1, "height": %2,)"
                              R"( "logicalDpi": %3, "logicalBaseDpi": 96, "dpr": 1.0}]})")
                   .arg(width)
                   .arg(height)
                   .arg(dpi)
                   .toUtf8());
    file.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + name).toUtf8());
}
