#include "core/text/utf8_text.h"

namespace dravik {

Utf8Scan ScanUtf8(std::string_view text)
{
    Utf8Scan scan;
    for (size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        size_t more;
        unsigned char low = 0x80, high = 0xBF;  // the second byte's range
        if (b >= 0xC2 && b <= 0xDF) {
            more = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            more = 2;
            if (b == 0xE0) low = 0xA0;
            if (b == 0xED) high = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            more = 3;
            if (b == 0xF0) low = 0x90;
            if (b == 0xF4) high = 0x8F;
        } else {
            scan.valid = false;
            return scan;
        }
        if (i + more >= text.size()) {
            scan.valid = false;
            return scan;
        }
        for (size_t k = 1; k <= more; ++k) {
            const auto c = static_cast<unsigned char>(text[i + k]);
            if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF)) {
                scan.valid = false;
                return scan;
            }
        }
        scan.multiByte = true;
        i += more + 1;
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
