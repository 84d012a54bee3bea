#include "core/exchange/import_review.h"

#include "core/exchange/table_checks.h"

#include <algorithm>
#include <optional>

namespace dravik {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A decimal number: 0.digits x 10^exponent, the digits without leading or
// trailing zeros (none for zero).
struct Decimal {
    bool negative = false;
    std::string digits;
    long exponent = 0;
    size_t shownDigits = 0;  // of the mantissa as written, from its first non-zero one
    bool scientific = false;
};

// [+-] digits [. digits] [(e|E) [+-] digits], as a spreadsheet reads a number.
std::optional<Decimal> ParseDecimal(std::string_view text)
{
    Decimal d;
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        d.negative = text[i++] == '-';
    std::string mantissa;
    long point = -1;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i]))
            mantissa += text[i];
        else if (text[i] == '.' && point < 0)
            point = static_cast<long>(mantissa.size());
        else
            break;
    }
    if (mantissa.empty())
        return std::nullopt;
    if (point < 0)
        point = static_cast<long>(mantissa.size());
    long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        d.scientific = true;
        bool negative = false;
        if (++i < text.size() && (text[i] == '+' || text[i] == '-'))
            negative = text[i++] == '-';
        const size_t start = i;
        for (; i < text.size() && IsDigit(text[i]) && i - start < 6; ++i)
            exponent = exponent * 10 + (text[i] - '0');
        if (i == start)
            return std::nullopt;
        exponent = negative ? -exponent : exponent;
    }
    if (i != text.size())
        return std::nullopt;
    const size_t lead = mantissa.find_first_not_of('0');
    if (lead == std::string::npos) {
        d.negative = false;  // -0 is 0
        return d;
    }
    d.shownDigits = mantissa.size() - lead;
    d.digits = mantissa.substr(lead);
    d.digits.erase(d.digits.find_last_not_of('0') + 1);
    d.exponent = point - static_cast<long>(lead) + exponent;
    return d;
}

bool SameValue(const Decimal& a, const Decimal& b)
{
    return a.digits == b.digits && a.exponent == b.exponent && a.negative == b.negative;
}

// The number rounded half away from zero to `digits` significant digits.
Decimal Rounded(Decimal d, size_t digits)
{
    if (d.digits.size() <= digits)
        return d;
    const bool up = d.digits[digits] >= '5';
    d.digits.resize(digits);
    if (up) {
        size_t i = digits;
        while (i > 0 && d.digits[i - 1] == '9')
            d.digits[--i] = '0';
        if (i == 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        } else {
            ++d.digits[i - 1];
        }
    }
    d.digits.erase(d.digits.find_last_not_of('0') + 1);
    return d;
}

// Whole numbers of one to four digits separated by one kind of separator.
std::optional<std::vector<int>> DateFields(std::string_view text)
{
    std::vector<int> fields;
    char separator = 0;
    size_t i = 0;
    for (;;) {
        const size_t start = i;
        int value = 0;
        for (; i < text.size() && IsDigit(text[i]) && i - start < 4; ++i)
            value = value * 10 + (text[i] - '0');
        if (i == start)
            return std::nullopt;
        fields.push_back(value);
        if (i == text.size())
            return fields;
        const char c = text[i++];
        if ((c != '/' && c != '.' && c != '-') || (separator != 0 && c != separator))
            return std::nullopt;
        separator = c;
    }
}

// A day and month, or a fraction, that a spreadsheet took for a date.
bool BecameADate(std::string_view before, std::string_view after)
{
    const auto day = DateFields(before);
    const auto date = DateFields(after);
    if (!day || !date || day->size() != 2 || date->size() != 3)
        return false;
    const int a = (*day)[0], b = (*day)[1];
    auto pair = [&](int x, int y) { return (x == a && y == b) || (x == b && y == a); };
    return pair((*date)[0], (*date)[1]) || pair((*date)[1], (*date)[2]);
}

bool IsFormulaResult(std::string_view text)
{
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
    return ParseDecimal(text) || (!text.empty() && text[0] == '#') || upper.rfind("ERR:", 0) == 0 ||
           upper == "TRUE" || upper == "FALSE";
}

std::string Quoted(std::string_view text)
{
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + "\"";
}

// A cell as a CSV reader takes it: a cell that begins with a quote is read
// to its closing quote, doubled quotes as one, and the rest kept as it is.
std::string ReadAsQuoted(std::string_view text)
{
    if (text.empty() || text[0] != '"')
        return std::string(text);
    std::string read;
    size_t i = 1;
    for (; i < text.size(); ++i) {
        if (text[i] != '"') {
            read += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '"') {
            read += '"';
            ++i;
        } else {
            ++i;
            break;
        }
    }
    return read + std::string(text.substr(std::min(i, text.size())));
}

std::string Counted(size_t n, const char* one, const char* many) { return std::to_string(n) + " " + (n == 1 ? one : many); }

void Note(ReviewedCells& cells, const DescDocument& document, const ImportEdit& edit, std::string_view before)
{
    if (cells.first.size() < kNamedCells)
        cells.first.push_back(SummaryLabel(edit.grid) + ", " + std::string(document.fileList().cell(2, edit.row)) + ", \"" +
                              std::string(document.grid(edit.grid).cell(edit.col, 0)) + "\": \"" + std::string(before) + "\" -> \"" +
                              std::string(edit.text) + "\"");
    ++cells.count;
}

std::string Listed(const ReviewedCells& cells)
{
    std::string text;
    for (const std::string& line : cells.first)
        text += "  " + line + "\n";
    if (cells.count > cells.first.size())
        text += "  and " + std::to_string(cells.count - cells.first.size()) + " more\n";
    return text;
}

}  // namespace

bool LettersBecameQuestionMarks(std::string_view before, std::string_view after)
{
    if (before.size() != after.size())
        return false;
    bool replaced = false;
    for (size_t i = 0; i < before.size(); ++i) {
        if (before[i] == after[i])
            continue;
        if (static_cast<unsigned char>(before[i]) < 0x80 || after[i] != '?')
            return false;
        replaced = true;
    }
    return replaced;
}

bool QuotingChanged(std::string_view before, std::string_view after)
{
    if (before == after || (before.find('"') == std::string_view::npos && after.find('"') == std::string_view::npos))
        return false;
    const std::string read = ReadAsQuoted(before);
    return after == Quoted(before) || after == read || after == Quoted(read);
}

bool SameNumberRespelled(std::string_view before, std::string_view after)
{
    if (before == after)
        return false;
    if (before.size() > 1 && before[0] == '=')
        return IsFormulaResult(after);
    if (BecameADate(before, after))
        return true;
    const auto was = ParseDecimal(before);
    const auto now = ParseDecimal(after);
    if (!was || !now)
        return false;
    // Scientific notation shows the value to as many digits as it has.
    return SameValue(*was, *now) || (now->scientific && now->shownDigits > 0 && SameValue(Rounded(*was, now->shownDigits), *now));
}

ImportReview ReviewImport(const DescDocument& document, const PreparedImport& import)
{
    ImportReview review;
    for (size_t i = 0; i < import.edits.size(); ++i) {
        const ImportEdit& edit = import.edits[i];
        if (edit.grid > kSectionCount || edit.row < 1 || edit.col < 2)
            continue;  // paths and headers are no file's values
        const std::string_view before = document.grid(edit.grid).cell(edit.col, edit.row);
        if (LettersBecameQuestionMarks(before, edit.text)) {
            Note(review.questionMarks, document, edit, before);
        } else if (QuotingChanged(before, edit.text)) {
            Note(review.quoting, document, edit, before);
        } else if (SameNumberRespelled(before, edit.text)) {
            Note(review.respelled, document, edit, before);
            review.respelledEdits.push_back(i);
            if (review.respellings.size() < kNamedCells)
                review.respellings.emplace_back(before, std::string(edit.text));
        }
    }
    return review;
}

void KeepSpelling(PreparedImport& import, const ImportReview& review)
{
    // The positions are in increasing order: one pass keeps the others.
    std::vector<ImportEdit> others;
    others.reserve(import.edits.size() - review.respelledEdits.size());
    auto respelled = review.respelledEdits.begin();
    for (size_t i = 0; i < import.edits.size(); ++i) {
        if (respelled != review.respelledEdits.end() && *respelled == i)
            ++respelled;
        else
            others.push_back(import.edits[i]);
    }
    import.edits = std::move(others);
}

std::string ImportReview::damageMessage(const std::string& codePageName) const
{
    std::string text;
    if (questionMarks.count > 0)
        text += Counted(questionMarks.count, "cell holds", "cells hold") +
                " \"?\" where the tables hold letters: a program saved the table in a character set without "
                "those letters. Save the table in the desc files' code page, " +
                codePageName + ".\n" + Listed(questionMarks);
    if (quoting.count > 0)
        text += Counted(quoting.count, "cell gained or lost", "cells gained or lost") +
                " the quotes a spreadsheet puts around a text (inner quotes doubled): the table was read or saved "
                "with \" as the string delimiter. Open and save it with an empty string delimiter.\n" +
                Listed(quoting);
    return text;
}

std::string ImportReview::respellingMessage() const
{
    if (respelled.count == 0)
        return {};
    return Counted(respelled.count, "cell", "cells") + " changed only how a number is written:\n" + Listed(respelled);
}

}  // namespace dravik
