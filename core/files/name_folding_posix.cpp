// Names off Windows: bytes, UTF-8 by convention, folded through the C
// library's tables for a UTF-8 locale, whatever locale the user runs in.
#include "core/files/name_folding.h"

#include "core/text/utf8_text.h"

#include <locale.h>
#include <wctype.h>

namespace dravik {

namespace {

// A locale whose character classes are Unicode's. C.UTF-8 is built into the
// C library of Debian 12 and of most systems since; the others are where it
// is missing. None at all leaves letters beyond A to Z as they are.
locale_t UnicodeLocale()
{
    static const locale_t locale = [] {
        for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8", "UTF-8"})
            if (const locale_t found = newlocale(LC_CTYPE_MASK, name, static_cast<locale_t>(0)))
                return found;
        return static_cast<locale_t>(0);
    }();
    return locale;
}

char32_t Lower(char32_t c)
{
    if (c < 0x80)
        return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
    const locale_t locale = UnicodeLocale();
    return locale ? static_cast<char32_t>(towlower_l(static_cast<wint_t>(c), locale)) : c;
}

void AppendFolded(std::string_view name, const CodePage& codePage, std::u32string& folded)
{
    if (ScanUtf8(name).valid) {
        char32_t c = 0;
        for (size_t i = 0; i < name.size();) {
            const size_t length = static_cast<unsigned char>(name[i]) < 0x80 ? 1 : ReadUtf8(name, i, c);
            folded += Lower(length == 1 ? static_cast<char32_t>(name[i]) : c);
            i += length;
        }
    } else {
        for (const char byte : name)
            folded += Lower(codePage.toUnicode(static_cast<unsigned char>(byte)));
    }
}

}  // namespace

std::u32string FoldedName(std::string_view path, const CodePage& codePage)
{
    std::u32string folded;
    folded.reserve(path.size());
    for (size_t start = 0;;) {
        const size_t slash = path.find('/', start);
        AppendFolded(path.substr(start, slash - start), codePage, folded);
        if (slash == std::string_view::npos)
            return folded;
        folded += U'/';
        start = slash + 1;
    }
}

}  // namespace dravik
