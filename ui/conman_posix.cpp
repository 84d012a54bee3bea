#include "ui/conman_system.h"

#include <QFile>
#include <QStorageInfo>

#include <filesystem>
#include <system_error>

namespace conman {

int MakeCurrent(const QString& folder)
{
    std::error_code error;
    std::filesystem::current_path(std::filesystem::path(QFile::encodeName(folder).toStdString()), error);
    return error.value();
}

QString DriveDirectory(const QString& root) { return root; }

bool SameRoot(const QString& a, const QString& b) { return a == b; }

QStringList DriveRoots()
{
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && !roots.contains(volume.rootPath()))
            roots << volume.rootPath();
    roots.removeAll(QStringLiteral("/"));
    roots.sort();
    roots.prepend(QStringLiteral("/"));
    return roots;
}

}  // namespace conman
