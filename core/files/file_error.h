// What the system said when a file operation failed: what every part of the
// file layer, and the process runner on it, hands back.
#pragma once

#include "core/message.h"

#include <string>

namespace dravik {

struct FileError {
    int code = 0;          // errno (POSIX) or the Windows error code
    std::string reason;    // the system's own text for the code, or own's English
    Message own;           // the program's own words, where it gives the reason

    // The reason as the user reads it: the program's own sentences in the
    // user's language, the system's text as the system gave it.
    Message why() const { return own.empty() ? Message(reason) : own; }
};

// A failure the program words itself.
inline FileError OwnFileError(int code, Message why)
{
    std::string english = why.english();
    return FileError{code, std::move(english), std::move(why)};
}

// The system's own text for an error code (errno on POSIX, a Windows error
// code on Windows), without the full stop and line break it may end in.
std::string SystemErrorText(int code);

}  // namespace dravik
