#include "core/files/native_path.h"

#include <algorithm>

namespace dravik {

namespace {

constexpr char kOpen = '<';
constexpr char kClose = '>';

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The units of a well-formed escape at `at` (an "<"), and where it ends;
// false when the "<" starts none.
bool ReadEscape(std::string_view path, size_t at, std::u16string& units, size_t& end)
{
    units.clear();
    size_t i = at + 1;
    while (i + 4 <= path.size()) {
        int unit = 0;
        for (size_t k = 0; k < 4; ++k) {
            const int digit = HexValue(path[i + k]);
            if (digit < 0)
                return false;
            unit = unit * 16 + digit;
        }
        units.push_back(static_cast<char16_t>(unit));
        i += 4;
        if (i < path.size() && path[i] == kClose) {
            end = i + 1;
            return true;
        }
    }
    return false;
}

// Each byte of the path that no escape holds, and the units of each escape,
// in the path's order.
template <typename Plain, typename Escaped>
void ForEachPart(std::string_view path, const Plain& plain, const Escaped& escaped)
{
    std::u16string units;
    for (size_t i = 0; i < path.size();) {
        size_t end = 0;
        if (path[i] == kOpen && ReadEscape(path, i, units, end)) {
            escaped(units);
            i = end;
        } else {
            plain(path[i++]);
        }
    }
}

bool Writable(char16_t unit, const CodePage& codePage)
{
    if (unit == static_cast<char16_t>(kOpen) || IsHighSurrogate(unit) || IsLowSurrogate(unit))
        return false;
    const char byte = codePage.fromUnicode(unit);
    return codePage.toUnicode(static_cast<unsigned char>(byte)) == unit;
}

}  // namespace

std::string EncodePathUnits(std::u16string_view units, const CodePage& codePage)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string path;
    path.reserve(units.size());
    bool open = false;
    for (const char16_t unit : units) {
        if (Writable(unit, codePage)) {
            if (open)
                path += kClose;
            open = false;
            path += codePage.fromUnicode(unit);
            continue;
        }
        if (!open)
            path += kOpen;
        open = true;
        for (int shift = 12; shift >= 0; shift -= 4)
            path += kDigits[(unit >> shift) & 0xF];
    }
    if (open)
        path += kClose;
    return path;
}

std::u16string DecodePathUnits(std::string_view path, const CodePage& codePage)
{
    std::u16string units;
    units.reserve(path.size());
    ForEachPart(
        path,
        [&](char byte) { units.push_back(static_cast<char16_t>(codePage.toUnicode(static_cast<unsigned char>(byte)))); },
        [&](const std::u16string& escaped) { units += escaped; });
    return units;
}

std::string RenderEscapedPath(std::string_view path)
{
    std::string text;
    text.reserve(path.size());
    ForEachPart(
        path, [&](char byte) { text += byte; },
        [&](const std::u16string& escaped) {
            for (size_t k = 0; k < escaped.size(); ++k) {
                if (IsHighSurrogate(escaped[k]) && k + 1 < escaped.size() && IsLowSurrogate(escaped[k + 1]))
                    ++k;
                text += '?';
            }
        });
    return text;
}

bool HoldsEscapes(std::string_view path)
{
    std::u16string escaped;
    for (size_t i = path.find(kOpen); i != std::string_view::npos; i = path.find(kOpen, i + 1)) {
        size_t end = 0;
        if (ReadEscape(path, i, escaped, end))
            return true;
    }
    return false;
}

bool SamePathText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), SameNameChar);
}

}  // namespace dravik
