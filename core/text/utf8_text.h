// Whether bytes are UTF-8: what a text editor or a spreadsheet writes when
// told to, and what the desc files' single-byte code page must not receive,
// as each non-ASCII character would become two or more bytes there.
#pragma once

#include <string_view>

namespace dravik {

// What Notepad and others put before UTF-8 text to say it is UTF-8.
inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

struct Utf8Scan {
    // Valid UTF-8: no overlong forms, surrogates or code points past U+10FFFF.
    bool valid = true;
    // It holds a sequence of more than one byte: a non-ASCII character.
    bool multiByte = false;

    // Two texts scanned as one.
    Utf8Scan& operator+=(const Utf8Scan& other)
    {
        valid = valid && other.valid;
        multiByte = multiByte || other.multiByte;
        return *this;
    }
};

Utf8Scan ScanUtf8(std::string_view text);

}  // namespace dravik
