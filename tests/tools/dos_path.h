// A program of the build, as a Windows test starts it: the build passes
// paths as the build machine writes them, and under Wine a "/..." path is
// first turned into the drive path Windows programs see.
#pragma once

#include <QDir>
#include <QString>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace stand_in {

inline QString DosPath(QString path)
{
#ifdef _WIN32
    if (path.startsWith(QLatin1Char('/'))) {
        using DosName = WCHAR*(CDECL*)(const char*);
        auto toDos = reinterpret_cast<DosName>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
        if (WCHAR* wide = toDos ? toDos(path.toUtf8().constData()) : nullptr) {
            path = QString::fromWCharArray(wide);
            HeapFree(GetProcessHeap(), 0, wide);
        }
    }
#endif
    return QDir::fromNativeSeparators(path);
}

}  // namespace stand_in
