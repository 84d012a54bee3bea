#include "ui/conman_system.h"

#include <QDir>
#include <QFileInfo>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace conman {

int MakeCurrent(const QString& folder)
{
    const std::wstring path = QDir::toNativeSeparators(folder).toStdWString();
    return SetCurrentDirectoryW(path.c_str()) ? 0 : static_cast<int>(GetLastError());
}

QString DriveDirectory(const QString& root)
{
    const std::wstring drive = QDir::toNativeSeparators(root).left(2).toStdWString();
    wchar_t buffer[MAX_PATH];
    const DWORD length = GetFullPathNameW(drive.c_str(), MAX_PATH, buffer, nullptr);
    if (length > 0 && length < MAX_PATH)
        return QDir::fromNativeSeparators(QString::fromWCharArray(buffer, static_cast<qsizetype>(length)));
    return root;
}

bool SameRoot(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

QStringList DriveRoots()
{
    QStringList roots;
    for (const QFileInfo& drive : QDir::drives())
        roots << drive.absoluteFilePath();
    return roots;
}

}  // namespace conman
