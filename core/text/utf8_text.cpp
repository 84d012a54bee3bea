#include "core/text/utf8_text.h"

namespace dravik {

size_t ReadUtf8(std::string_view text, size_t at, char32_t& c)
{
    const auto b = static_cast<unsigned char>(text[at]);
    size_t length;
    char32_t least;
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2, c = b & 0x1F, least = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3, c = b & 0x0F, least = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4, c = b & 0x07, least = 0x10000;
    } else {
        return 0;
    }
    if (at + length > text.size())
        return 0;
    for (size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        c = c << 6 | (next & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return length;
}

Utf8Scan ScanUtf8(std::string_view text)
{
    Utf8Scan scan;
    char32_t c = 0;
    for (size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
        } else if (const size_t length = ReadUtf8(text, i, c)) {
            scan.multiByte = true;
            i += length;
        } else {
            scan.valid = false;
            break;
        }
    }
    return scan;
}

void AppendUtf8(std::string& bytes, char32_t c)
{
    auto put = [&](char32_t byte) { bytes += static_cast<char>(byte); };
    if (c < 0x80) {
        put(c);
    } else if (c < 0x800) {
        put(0xC0 | c >> 6), put(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        put(0xE0 | c >> 12), put(0x80 | (c >> 6 & 0x3F)), put(0x80 | (c & 0x3F));
    } else {
        put(0xF0 | c >> 18), put(0x80 | (c >> 12 & 0x3F)), put(0x80 | (c >> 6 & 0x3F)), put(0x80 | (c & 0x3F));
    }
}

}  // namespace dravik
