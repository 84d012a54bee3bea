#include "test_folder.h"

#include <QFile>

QString TestFolder::write(const QString& name, const QByteArray& bytes) const
{
    const QString file = path(name);
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(file));
    return file;
}

QByteArray TestFolder::read(const QString& name) const
{
    QFile in(path(name));
    if (!in.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return in.readAll();
}

namespace sample {

QByteArray Variables()
{
    return "[section1]\r\n"
           "health=1\r\n"
           "armor=3\r\n"
           "[section2]\r\n"
           "speed=2\r\n"
           "[section_text]\r\n"
           "name=1\r\n";
}

QByteArray TankDesc()
{
    return "; a tank\r\n"
           "[section1]\r\n"
           "health 100\r\n"
           "armor 10 20 30\r\n"
           "[section2]\r\n"
           "speed 5 7\r\n"
           "[section_text]\r\n"
           "name Tiger tank\r\n";
}

QByteArray GunDesc()
{
    return "[section1]\n"
           "HEALTH 40\n"
           "armor 2 3\n"
           "[section2]\n"
           "speed 1 1\n"
           "[section_text]\n"
           "name Pak";
}

}  // namespace sample
