// Where the Windows-only tests find the stand-in program (stand_in_tool.cpp)
// and how they read what it recorded.
#pragma once
#ifdef _WIN32

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#include "dos_path.h"

namespace stand_in {

// Wine (8.0) ignores the priority class given to CreateProcess: every child
// runs at normal priority there, so only Windows itself can show it.
inline bool RunningOnWine()
{
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

inline QString ProgramPath() { return DosPath(QString::fromUtf8(DRAVIK_STAND_IN_TOOL)); }

// Copies the stand-in to `path` (".exe" included), making its folder; the
// copy's record is `path` with ".record" for ".exe".
inline bool CopyTo(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile::remove(path);
    return QFile::copy(ProgramPath(), path);
}

inline QString RecordOf(const QString& exe) { return exe.left(exe.size() - 4) + QStringLiteral(".record"); }

struct Record {
    QString directory;    // native separators, as the system gave it
    bool captureHere = false;
    QByteArray commandLine;
    int show = -2;        // -1: no show state asked for; -2: did not run
    unsigned long priority = 0;
};

inline Record Read(const QString& exe)
{
    Record record;
    QFile file(RecordOf(exe));
    if (!file.open(QIODevice::ReadOnly))
        return record;
    const QList<QByteArray> lines = file.readAll().split('\n');
    if (lines.size() < 5)
        return record;
    record.directory = QString::fromLocal8Bit(lines[0]);
    record.captureHere = lines[1] == "capture-here";
    record.commandLine = lines[2];
    record.show = lines[3].toInt();
    record.priority = lines[4].toULong(nullptr, 16);
    return record;
}

}  // namespace stand_in

#endif  // _WIN32
