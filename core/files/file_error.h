// What the system said when a file operation failed: what every part of the
// file layer, and the process runner on it, hands back.
#pragma once

#include <string>

namespace dravik {

struct FileError {
    int code = 0;          // errno (POSIX) or the Windows error code
    std::string reason;    // the system's own text for the code
};

// The system's own text for an error code (errno on POSIX, a Windows error
// code on Windows), without the full stop and line break it may end in.
std::string SystemErrorText(int code);

}  // namespace dravik
