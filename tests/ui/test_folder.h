// Files for a test in a folder of its own, removed afterwards.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTemporaryDir>

// Paths come in the system's form ("\" on Windows), as its file dialogs give them.
class TestFolder {
public:
    QString path(const QString& name) const { return QDir::toNativeSeparators(dir_.filePath(name)); }
    // Writes the bytes and returns the file's path.
    QString write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;
    // A path whose folder does not exist: neither readable nor writable.
    QString missing(const QString& name) const { return path(QStringLiteral("no-such-folder/") + name); }

private:
    QTemporaryDir dir_;
};

// The desc files and variables text the tests share.
namespace sample {
QByteArray Variables();
QByteArray TankDesc();
QByteArray GunDesc();
}  // namespace sample
