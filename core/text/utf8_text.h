// Whether bytes are UTF-8: what a text editor or a spreadsheet writes when
// told to, and what the desc files' single-byte code page must not receive,
// as each non-ASCII character would become two or more bytes there.
#pragma once

#include <cstddef>
#include <string>
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

// The code point of the UTF-8 sequence of more than one byte at `at`, and
// its length; 0 when none starts there (ASCII, a stray byte, an overlong
// form, a surrogate, past U+10FFFF).
size_t ReadUtf8(std::string_view text, size_t at, char32_t& c);

// The character's UTF-8 bytes, added at the end.
void AppendUtf8(std::string& bytes, char32_t c);

}  // namespace dravik
