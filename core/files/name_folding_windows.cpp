// Names on Windows: UTF-16, folded by the system as its file systems fold
// them, the same under every user's language.
#include "core/files/name_folding.h"

#include "core/files/native_path.h"

#include <windows.h>

namespace dravik {

std::u32string FoldedName(std::string_view path, const CodePage&)
{
    std::u16string units = DecodePathUnits(path, CodePage::Default());
    if (!units.empty()) {
        std::u16string lower(units.size(), u'\0');
        const int length = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_LOWERCASE,
                                         reinterpret_cast<LPCWSTR>(units.data()), static_cast<int>(units.size()),
                                         reinterpret_cast<LPWSTR>(lower.data()), static_cast<int>(lower.size()),
                                         nullptr, nullptr, 0);
        // Lower case keeps the length; should it fail, the name compares as it is.
        if (length == static_cast<int>(units.size()))
            units = std::move(lower);
    }
    std::u32string folded;
    folded.reserve(units.size());
    for (size_t i = 0; i < units.size(); ++i) {
        const char16_t unit = units[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            folded += static_cast<char32_t>(0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else {
            folded += unit;
        }
    }
    return folded;
}

}  // namespace dravik
