// What the archive window does its own way on each system: conman_posix.cpp
// or conman_windows.cpp, chosen by the build.
#pragma once

#include <QString>
#include <QStringList>

namespace conman {

// Makes the folder the program's current directory: 0, or the system's error
// code. On Windows the code is the system's own, not the C library's, so the
// message gives the reason in the system's words and language as every other
// file error does.
int MakeCurrent(const QString& folder);
// The folder a drive's item opens: on Windows the drive's own current
// directory, elsewhere the volume's root.
QString DriveDirectory(const QString& root);
// Whether two drive roots name the same drive: on Windows without regard to
// letter case.
bool SameRoot(const QString& a, const QString& b);
// The drives in Qt's form: the system's drives on Windows, the mounted
// volumes elsewhere with "/" first.
QStringList DriveRoots();

}  // namespace conman
