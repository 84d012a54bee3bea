#include "tool_fixture.h"

#include "ui/conman.h"
#include "ui/common/display_text.h"

#include <QDir>
#include <QFile>
#include <QtTest>

void ToolFixture::init()
{
    folder = std::make_unique<TestFolder>();
    base = QDir::toNativeSeparators(QDir(folder->path(QStringLiteral("."))).canonicalPath());
    previousDirectory_ = QDir::currentPath();
    QVERIFY(QDir::setCurrent(base));
    dialogs = std::make_unique<ScriptedDialogs>();
    conman::PackPath.clear();
}

void ToolFixture::cleanup()
{
    QCOMPARE(dialogs->unexpected, 0);
    QDir::setCurrent(previousDirectory_);
    dialogs.reset();
    folder.reset();
    conman::SUEPath.clear();
    conman::UNSUEPath.clear();
    conman::PackPath.clear();
    conman::PackName.clear();
}

QString ToolFixture::at(const QString& name) const
{
    return QDir::toNativeSeparators(base + QLatin1Char('/') + name);
}

QString ToolFixture::makeFolder(const QString& name) const
{
    QDir().mkpath(at(name));
    return at(name);
}

void ToolFixture::writeSettings(const QByteArray& text) const
{
    QFile file(settingsPath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

QString ToolFixture::script(const QString& name, const QByteArray& body) const
{
    const QString path = at(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write("#!/bin/sh\n" + body);
    file.close();
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

QStringList ToolFixture::Record(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("<not run>")};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

std::string ToolFixture::Bytes(const QString& text) { return dravik::ui::NativeBytes(text); }
