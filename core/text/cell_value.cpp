#include "core/text/cell_value.h"

#include "core/text/dravik2_auxillary.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace dravik {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Powers of ten that a double holds exactly.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

}  // namespace

bool IsBlankCell(std::string_view text) { return Trim(text).empty(); }

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

ControlFound FindControl(std::string_view text, bool words)
{
    ControlFound found;
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte >= 32 && byte != 127)
            continue;
        ValueControl kind = ValueControl::Other;
        if (byte == '\r' || byte == '\n')
            kind = ValueControl::LineBreak;
        else if (byte == 0 || byte == 26)
            kind = ValueControl::NulOrCtrlZ;
        else if (byte == '\t')
            kind = words ? ValueControl::Tab : ValueControl::None;
        if (kind > found.kind)
            found = {kind, byte};
        if (found.kind == ValueControl::LineBreak)
            break;
    }
    return found;
}

size_t BlankLineBreaks(std::string& text)
{
    size_t breaks = 0;
    size_t out = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            c = ' ';
            ++breaks;
        }
        text[out++] = c;
    }
    text.resize(out);
    return breaks;
}

bool DiffersFromCommon(std::string_view text, std::string_view common)
{
    if (IsBlankCell(text))
        return !IsBlankCell(common);
    return text != common;
}

std::optional<CellNumber> ReadCellNumber(std::string_view text)
{
    // Most cells are a few digits, perhaps after a minus: read them at once.
    if (!text.empty() && text.size() <= 15) {
        const size_t first = text[0] == '-' ? 1 : 0;
        std::uint64_t whole = 0;
        size_t i = first;
        for (; i < text.size(); ++i) {
            const unsigned digit = static_cast<unsigned char>(text[i]) - unsigned{'0'};
            if (digit > 9)
                break;
            whole = whole * 10 + digit;
        }
        if (i == text.size() && i > first) {
            const double value = static_cast<double>(whole);
            return CellNumber{first ? -value : value, true};
        }
    }

    const std::string_view trimmed = Trim(text);
    const size_t begin = static_cast<size_t>(trimmed.data() - text.data());
    const size_t end = begin + trimmed.size();
    size_t i = begin;
    bool negative = false;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const size_t digitsBegin = i;

    // Short numbers: their digits make an integer a double holds
    // exactly, and one division by an exact power of ten then rounds
    // correctly. Longer ones go to the library.
    constexpr std::uint64_t kExact = std::uint64_t{1} << 53;
    std::uint64_t mantissa = 0;
    bool exact = true;
    size_t digits = 0, fractionDigits = 0;
    bool point = false;
    for (; i < end; ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            ++digits;
            if (point)
                ++fractionDigits;
            if (exact) {
                mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
                exact = mantissa <= kExact;
            }
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;

    double value = 0;
    if (exact && fractionDigits < std::size(kPowersOfTen)) {
        value = static_cast<double>(mantissa);
        if (fractionDigits > 0)
            value /= kPowersOfTen[fractionDigits];
    } else {
        const auto [ptr, ec] = std::from_chars(text.data() + digitsBegin, text.data() + end, value, std::chars_format::fixed);
        if (ec != std::errc() || ptr != text.data() + end || !std::isfinite(value))
            return std::nullopt;
    }
    return CellNumber{negative ? -value : value, !point};
}

std::string FormatCellNumber(double value)
{
    if (!std::isfinite(value)) {
        char buffer[16];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        return std::string(buffer, result.ptr);
    }
    // Whole numbers a double holds exactly keep all their digits.
    if (value == std::floor(value) && std::fabs(value) <= kLargestExactWhole) {
        char digits[24];
        const auto result = std::to_chars(digits, digits + sizeof digits, static_cast<long long>(value));
        return std::string(digits, result.ptr);
    }
    // Otherwise 15 significant digits, from the scientific form: "-d.dddddddddddddde+XX".
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 14);
    const std::string_view form(buffer, static_cast<size_t>(result.ptr - buffer));
    const size_t e = form.find('e');
    std::string digits;
    for (char c : form.substr(0, e))
        if (IsDigit(c))
            digits += c;
    int exponent = 0;
    std::from_chars(form.data() + e + 1 + (form[e + 1] == '+'), form.data() + form.size(), exponent);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    if (digits == "0")
        return "0";

    std::string text = value < 0 ? "-" : "";
    if (exponent < 0) {
        text += "0.";
        text.append(static_cast<size_t>(-exponent - 1), '0');
        text += digits;
    } else {
        const size_t whole = static_cast<size_t>(exponent) + 1;
        if (digits.size() <= whole) {
            text += digits;
            text.append(whole - digits.size(), '0');
        } else {
            text.append(digits, 0, whole);
            text += '.';
            text.append(digits, whole);
        }
    }
    return text;
}

double RoundToWhole(double value)
{
    return std::round(value);
}

}  // namespace dravik
