#include "core/text/whole_number.h"

namespace dravik {

namespace {
int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
}  // namespace

std::optional<std::int32_t> ParseWholeNumber(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size())
        return std::nullopt;

    size_t hexStart = std::string_view::npos;
    if (text[i] == '$' || text[i] == 'x' || text[i] == 'X')
        hexStart = i + 1;
    else if (text[i] == '0' && i + 1 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X'))
        hexStart = i + 2;

    if (hexStart != std::string_view::npos) {
        const size_t digits = text.size() - hexStart;
        if (digits == 0 || digits > 8)
            return std::nullopt;
        std::uint32_t pattern = 0;
        for (size_t p = hexStart; p < text.size(); ++p) {
            int d = HexDigit(text[p]);
            if (d < 0)
                return std::nullopt;
            pattern = pattern * 16 + static_cast<std::uint32_t>(d);
        }
        if (negative)
            pattern = 0u - pattern;
        return static_cast<std::int32_t>(pattern);
    }

    std::int64_t value = 0;
    for (size_t p = i; p < text.size(); ++p) {
        if (text[p] < '0' || text[p] > '9')
            return std::nullopt;
        value = value * 10 + (text[p] - '0');
        if (value > 2147483648LL)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > 2147483647LL)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

}  // namespace dravik
