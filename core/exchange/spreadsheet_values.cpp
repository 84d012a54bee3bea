#include "core/exchange/spreadsheet_values.h"

#include "core/text/code_page.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace dravik {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A decimal number: 0.digits x 10^exponent, the digits without leading or
// trailing zeros (none for zero). Exact, so that 2.250 and 2250 are told
// apart however large.
struct Decimal {
    bool negative = false;
    std::string digits;
    long exponent = 0;
};

bool SameValue(const Decimal& a, const Decimal& b)
{
    return a.digits == b.digits && a.exponent == b.exponent && a.negative == b.negative;
}

Decimal MakeDecimal(bool negative, const std::string& mantissa, long point, long exponent)
{
    Decimal d;
    const size_t lead = mantissa.find_first_not_of('0');
    if (lead == std::string::npos)
        return d;  // zero, and -0 is 0
    d.negative = negative;
    d.digits = mantissa.substr(lead);
    d.digits.erase(d.digits.find_last_not_of('0') + 1);
    d.exponent = point - static_cast<long>(lead) + exponent;
    return d;
}

// [(e|E) [+-] digits] from text[i] on, to the end of the text.
bool ReadExponent(std::string_view text, size_t i, long& exponent)
{
    exponent = 0;
    if (i == text.size())
        return true;
    if (text[i] != 'e' && text[i] != 'E')
        return false;
    bool negative = false;
    if (++i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    const size_t start = i;
    for (; i < text.size() && IsDigit(text[i]) && i - start < 6; ++i)
        exponent = exponent * 10 + (text[i] - '0');
    if (i == start || i != text.size())
        return false;
    exponent = negative ? -exponent : exponent;
    return true;
}

// A number written with `point` as its decimal point and, when `group` is
// not 0, `group` between each three digits of its whole part:
// [+-] digits [point digits] [(e|E) [+-] digits]. `grouped` and `pointed`
// say which of them it used.
struct Written {
    Decimal value;
    bool grouped = false;
    bool pointed = false;
};

std::optional<Written> ReadNumber(std::string_view text, char point, char group)
{
    Written w;
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    std::string mantissa;
    size_t groupDigits = 0;  // digits since the last group separator
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            mantissa += text[i];
            ++groupDigits;
        } else if (group != 0 && text[i] == group && !mantissa.empty() &&
                   (w.grouped ? groupDigits == 3 : groupDigits <= 3)) {
            w.grouped = true;
            groupDigits = 0;
        } else {
            break;
        }
    }
    if (w.grouped && groupDigits != 3)
        return std::nullopt;
    long whole = static_cast<long>(mantissa.size());
    if (i < text.size() && text[i] == point) {
        w.pointed = true;
        for (++i; i < text.size() && IsDigit(text[i]); ++i)
            mantissa += text[i];
    }
    if (mantissa.empty())
        return std::nullopt;
    long exponent = 0;
    if (!ReadExponent(text, i, exponent))
        return std::nullopt;
    w.value = MakeDecimal(negative, mantissa, whole, exponent);
    return w;
}

// A number as a desc file writes one, and as a spreadsheet in English
// writes it back: a decimal point, no separators.
std::optional<Decimal> ParsePlain(std::string_view text)
{
    const auto w = ReadNumber(text, '.', 0);
    if (!w)
        return std::nullopt;
    return w->value;
}

// A double as a spreadsheet writes a computed value: 15 significant digits.
std::optional<Decimal> DecimalOf(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    return ParsePlain(std::string_view(buffer, static_cast<size_t>(result.ptr - buffer)));
}

// ---- Formulas: a spreadsheet's arithmetic, evaluated as it evaluates it.

enum class Evaluated { Number, DivisionByZero, Unknown };

// + - * / ^ %, parentheses and numbers; "^" binds left to right and after
// a sign, as in =-2^2 = 4. Anything else (a reference, a function) is
// Unknown: its result cannot be told.
class Formula {
public:
    explicit Formula(std::string_view text) : text_(text) {}

    Evaluated evaluate(double& value)
    {
        value = sum();
        skipBlanks();
        if (unknown_ || at_ != text_.size())
            return Evaluated::Unknown;
        if (divisionByZero_)
            return Evaluated::DivisionByZero;
        return std::isfinite(value) ? Evaluated::Number : Evaluated::Unknown;
    }

private:
    void skipBlanks()
    {
        while (at_ < text_.size() && text_[at_] == ' ')
            ++at_;
    }
    bool take(char c)
    {
        skipBlanks();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    double sum()
    {
        double value = product();
        for (;;) {
            if (take('+'))
                value += product();
            else if (take('-'))
                value -= product();
            else
                return value;
        }
    }
    double product()
    {
        double value = power();
        for (;;) {
            if (take('*')) {
                value *= power();
            } else if (take('/')) {
                const double divisor = power();
                if (divisor == 0)
                    divisionByZero_ = true;
                else
                    value /= divisor;
            } else {
                return value;
            }
        }
    }
    double power()
    {
        double value = signed_();
        while (take('^'))
            value = std::pow(value, signed_());
        return value;
    }
    double signed_()
    {
        if (take('-'))
            return -signed_();
        if (take('+'))
            return signed_();
        double value = primary();
        while (take('%'))
            value /= 100;
        return value;
    }
    double primary()
    {
        if (++depth_ > 100) {
            unknown_ = true;
            return 0;
        }
        double value = 0;
        if (take('(')) {
            value = sum();
            if (!take(')'))
                unknown_ = true;
        } else {
            value = number();
        }
        --depth_;
        return value;
    }
    double number()
    {
        skipBlanks();
        const size_t start = at_;
        while (at_ < text_.size() && (IsDigit(text_[at_]) || text_[at_] == '.'))
            ++at_;
        if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
            size_t e = at_ + 1;
            if (e < text_.size() && (text_[e] == '+' || text_[e] == '-'))
                ++e;
            if (e < text_.size() && IsDigit(text_[e])) {
                at_ = e;
                while (at_ < text_.size() && IsDigit(text_[at_]))
                    ++at_;
            }
        }
        const auto plain = ParsePlain(text_.substr(start, at_ - start));
        if (!plain || at_ == start) {
            unknown_ = true;
            return 0;
        }
        double value = 0;
        const std::string_view digits = text_.substr(start, at_ - start);
        std::from_chars(digits.data(), digits.data() + digits.size(), value);
        return value;
    }

    std::string_view text_;
    size_t at_ = 0;
    int depth_ = 0;
    bool unknown_ = false;
    bool divisionByZero_ = false;
};

std::string AsciiUpper(std::string_view text)
{
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
    return upper;
}

bool IsError(std::string_view text) { return (!text.empty() && text[0] == '#') || AsciiUpper(text).rfind("ERR:", 0) == 0; }

// Whether `after` is what a spreadsheet shows for the formula `before`.
bool IsFormulaResult(std::string_view formula, std::string_view after)
{
    double value = 0;
    switch (Formula(formula.substr(1)).evaluate(value)) {
    case Evaluated::Number: {
        const auto shown = ParsePlain(after);
        const auto result = DecimalOf(value);
        return shown && result && SameValue(*shown, *result);
    }
    case Evaluated::DivisionByZero:
        return IsError(after);
    case Evaluated::Unknown:
        break;
    }
    const std::string upper = AsciiUpper(after);
    return ParsePlain(after) || IsError(after) || upper == "TRUE" || upper == "FALSE";
}

// ---- Dates.

// Whole numbers separated by one kind of separator ("/", "." or "-"), with
// how many digits each was written with.
struct DateFields {
    std::vector<int> values;
    std::vector<size_t> widths;
    char separator = 0;
};

std::optional<DateFields> ReadDateFields(std::string_view text)
{
    DateFields fields;
    size_t i = 0;
    for (;;) {
        const size_t start = i;
        int value = 0;
        for (; i < text.size() && IsDigit(text[i]) && i - start < 4; ++i)
            value = value * 10 + (text[i] - '0');
        if (i == start)
            return std::nullopt;
        fields.values.push_back(value);
        fields.widths.push_back(i - start);
        if (i == text.size())
            return fields;
        const char c = text[i++];
        if ((c != '/' && c != '.' && c != '-') || (fields.separator != 0 && c != fields.separator))
            return std::nullopt;
        fields.separator = c;
    }
}

// A year, month and day, the year taken to its last two digits: a
// spreadsheet writes 2024 as 24.
struct Day {
    int year, month, day;
    bool operator==(const Day&) const = default;
};

bool ValidDay(int month, int day) { return month >= 1 && month <= 12 && day >= 1 && day <= 31; }

// The days a date of three fields can stand for, in the orders spreadsheets
// write them in: month/day/year, day/month/year, year/month/day.
std::vector<Day> DaysOf(const DateFields& f)
{
    std::vector<Day> days;
    if (f.values.size() != 3)
        return days;
    auto add = [&](size_t y, size_t m, size_t d) {
        if ((f.widths[y] == 2 || f.widths[y] == 4) && ValidDay(f.values[m], f.values[d]))
            days.push_back({f.values[y] % 100, f.values[m], f.values[d]});
    };
    add(2, 0, 1);
    add(2, 1, 0);
    if (f.widths[0] == 4)
        add(0, 1, 2);
    return days;
}

// A date as a spreadsheet writes one: two-digit day and month and a year
// of two or four digits (03/04/26, 04.03.26), or the year first (2026-03-04).
bool WrittenAsDate(const DateFields& f)
{
    if (f.values.size() != 3)
        return false;
    const auto& w = f.widths;
    return (w[0] == 2 && w[1] == 2 && (w[2] == 2 || w[2] == 4)) || (w[0] == 4 && w[1] == 2 && w[2] == 2);
}

// A day and month, or a fraction, that a spreadsheet took for a date.
bool BecameADate(std::string_view before, std::string_view after)
{
    const auto day = ReadDateFields(before);
    const auto date = ReadDateFields(after);
    if (!day || !date || day->values.size() != 2 || !WrittenAsDate(*date))
        return false;
    const int a = day->values[0], b = day->values[1];
    for (const Day& d : DaysOf(*date))
        if ((d.month == a && d.day == b) || (d.month == b && d.day == a))
            return true;
    return false;
}

bool SameDate(std::string_view before, std::string_view after)
{
    const auto was = ReadDateFields(before);
    const auto now = ReadDateFields(after);
    if (!was || !now)
        return false;
    const std::vector<Day> wasDays = DaysOf(*was);
    for (const Day& d : DaysOf(*now))
        if (std::find(wasDays.begin(), wasDays.end(), d) != wasDays.end())
            return true;
    return false;
}

// ---- Times.

// Seconds since midnight of h:mm[:ss[.fraction]] with an optional AM/PM
// (or a locale's word for them: "nachm.").
std::optional<double> ReadTime(std::string_view text)
{
    size_t i = 0;
    double parts[3] = {0, 0, 0};
    int count = 0;
    for (; count < 3; ++count) {
        const size_t start = i;
        int value = 0;
        for (; i < text.size() && IsDigit(text[i]) && i - start < 2; ++i)
            value = value * 10 + (text[i] - '0');
        if (i == start || (count > 0 && i - start != 2))
            return std::nullopt;
        parts[count] = value;
        if (i == text.size() || text[i] != ':' || count == 2)
            break;
        ++i;
    }
    if (count == 0 || (i < text.size() && text[i] == ':'))
        return std::nullopt;  // a whole number is no time, nor are four parts
    if (count == 2 && i < text.size() && (text[i] == '.' || text[i] == ',')) {
        const size_t start = ++i;
        for (; i < text.size() && IsDigit(text[i]); ++i) {
        }
        double fraction = 0;
        const std::string digits = "0." + std::string(text.substr(start, i - start));
        std::from_chars(digits.data(), digits.data() + digits.size(), fraction);
        parts[2] += fraction;
    }
    while (i < text.size() && (text[i] == ' ' || text[i] == '\xA0'))
        ++i;
    const std::string suffix = AsciiUpper(text.substr(i));
    double hours = parts[0];
    if (!suffix.empty()) {
        const bool am = suffix == "AM" || suffix == "A.M." || suffix == "VORM.";
        const bool pm = suffix == "PM" || suffix == "P.M." || suffix == "NACHM.";
        if ((!am && !pm) || hours < 1 || hours > 12)
            return std::nullopt;
        hours = static_cast<double>(static_cast<int>(hours) % 12) + (pm ? 12 : 0);
    }
    return hours * 3600 + parts[1] * 60 + parts[2];
}

bool SameTime(std::string_view before, std::string_view after)
{
    const auto was = ReadTime(before);
    if (!was)
        return false;
    if (const auto now = ReadTime(after))
        return std::fabs(*now - *was) < 1e-6;
    // Written as its value, the fraction of a day.
    if (const auto number = ParsePlain(after)) {
        const auto day = DecimalOf(*was / 86400);
        return day && SameValue(*number, *day);
    }
    return false;
}

// ---- Numbers in a locale's writing, as percentages and as money.

enum class Form { Plain, Separators, Percent, Currency };

struct Reading {
    Decimal value;
    Form form;
};

// The numbers a text can be read as: the plain writing, English thousands
// separators (1,500), German ones and the decimal comma (2.250, 0,5).
void NumberReadings(std::string_view text, Form form, std::vector<Reading>& out)
{
    if (const auto plain = ParsePlain(text))
        out.push_back({*plain, form});
    if (const auto english = ReadNumber(text, '.', ','); english && english->grouped)
        out.push_back({english->value, form == Form::Plain ? Form::Separators : form});
    if (const auto german = ReadNumber(text, ',', '.'); german && (german->grouped || german->pointed))
        out.push_back({german->value, form == Form::Plain ? Form::Separators : form});
}

bool IsSpace(char c) { return c == ' ' || c == '\xA0'; }

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

// The signs and codes spreadsheets write for money, as the code page's bytes.
std::vector<std::string> CurrencyMarks(const CodePage& codePage)
{
    std::vector<std::string> marks = {"$", "DM", "EUR", "USD", "GBP", "RUB", "CHF", "Fr.", "kr"};
    for (const std::u32string& sign : {std::u32string(U"\u20AC"), std::u32string(U"\u00A3"), std::u32string(U"\u00A5"),
                                       std::u32string(U"\u20BD"), std::u32string(U"\u0440\u0443\u0431."),
                                       std::u32string(U"\u0440.")}) {
        std::string bytes;
        for (char32_t c : sign)
            bytes += codePage.fromUnicode(c);
        if (bytes.find('?') == std::string::npos)
            marks.push_back(bytes);
    }
    return marks;
}

// The number inside a text written as money: a sign or code before or
// after it (-$5.00, $-5.00, 5,00 DM, ($5.00)); empty when there is none.
std::string_view MoneyAmount(std::string_view text, const std::vector<std::string>& marks, bool& negative)
{
    negative = false;
    text = Trimmed(text);
    if (text.size() > 2 && text.front() == '(' && text.back() == ')') {
        negative = true;
        text = Trimmed(text.substr(1, text.size() - 2));
    }
    if (!text.empty() && text.front() == '-') {
        negative = !negative;
        text = Trimmed(text.substr(1));
    }
    for (const std::string& mark : marks) {
        if (text.size() > mark.size() && text.substr(0, mark.size()) == mark)
            return Trimmed(text.substr(mark.size()));
        if (text.size() > mark.size() && text.substr(text.size() - mark.size()) == mark)
            return Trimmed(text.substr(0, text.size() - mark.size()));
    }
    return {};
}

std::vector<Reading> Readings(std::string_view text, const std::vector<std::string>& marks)
{
    std::vector<Reading> readings;
    NumberReadings(text, Form::Plain, readings);
    if (text.size() > 1 && text.back() == '%') {
        const size_t first = readings.size();
        NumberReadings(Trimmed(text.substr(0, text.size() - 1)), Form::Percent, readings);
        for (size_t i = first; i < readings.size(); ++i)
            if (!readings[i].value.digits.empty())
                readings[i].value.exponent -= 2;
    }
    bool negative = false;
    if (const std::string_view amount = MoneyAmount(text, marks, negative); !amount.empty()) {
        const size_t first = readings.size();
        NumberReadings(amount, Form::Currency, readings);
        for (size_t i = first; i < readings.size(); ++i) {
            Decimal& value = readings[i].value;
            if (negative && !value.digits.empty())
                value.negative = !value.negative;
        }
    }
    return readings;
}

// ---- Truth values.

// TRUE and FALSE in the languages spreadsheets show them in, with 1 or 0.
constexpr std::array<std::pair<std::u32string_view, int>, 14> kTruthWords = {{
    {U"TRUE", 1}, {U"FALSE", 0}, {U"WAHR", 1}, {U"FALSCH", 0}, {U"VRAI", 1}, {U"FAUX", 0}, {U"VERO", 1},
    {U"FALSO", 0}, {U"VERDADERO", 1}, {U"WAAR", 1}, {U"ONWAAR", 0}, {U"VERDADEIRO", 1},
    {U"\u0418\u0421\u0422\u0418\u041D\u0410", 1}, {U"\u041B\u041E\u0416\u042C", 0},
}};

// ---- Numbers beyond a double.

// At or beyond the largest double, 1.79769313486232E+308 as written.
bool AtTheLargestDouble(const Decimal& d) { return d.exponent > 309 || (d.exponent == 309 && d.digits >= "179769313486"); }

// Too large for a double, or too small to be anything but 0.
bool BeyondADouble(const Decimal& d) { return !d.digits.empty() && (AtTheLargestDouble(d) || d.exponent < -323); }

}  // namespace

// What the checks need of the code page, worked out once: the currency
// signs and the truth words as its bytes, lower-cased.
struct SpreadsheetConversions::Words {
    std::vector<std::string> marks;
    std::vector<std::pair<std::string, int>> truths;
};

SpreadsheetConversions::SpreadsheetConversions(const CodePage& codePage)
    : codePage_(codePage), words_(std::make_unique<Words>())
{
    words_->marks = CurrencyMarks(codePage);
    for (const auto& [word, truth] : kTruthWords) {
        std::string bytes;
        for (char32_t c : word)
            bytes += codePage.fromUnicode(c);
        // A word the code page cannot write would come out as "?"s.
        if (bytes.find('?') == std::string::npos)
            words_->truths.emplace_back(codePage.lowered(bytes), truth);
    }
}

SpreadsheetConversions::~SpreadsheetConversions() = default;

// 1 or 0 for TRUE or FALSE in any letter case and language; -1 for any
// other text.
int SpreadsheetConversions::truth(std::string_view text) const
{
    if (text.empty() || text.size() > 10)
        return -1;
    const std::string lowered = codePage_.lowered(text);
    for (const auto& [word, truth] : words_->truths)
        if (word == lowered)
            return truth;
    return -1;
}

bool SameNumberRespelled(std::string_view before, std::string_view after)
{
    if (before == after)
        return false;
    if (before.size() > 1 && before[0] == '=')
        return IsFormulaResult(before, after);
    if (BecameADate(before, after))
        return true;
    const auto was = ParsePlain(before);
    const auto now = ParsePlain(after);
    return was && now && !BeyondADouble(*was) && SameValue(*was, *now);
}

Conversion SpreadsheetConversions::operator()(std::string_view before, std::string_view after) const
{
    if (before == after || after.empty())
        return Conversion::None;
    const auto was = ParsePlain(before);
    if (was && BeyondADouble(*was))
        return Conversion::Overflow;
    const std::vector<std::string>& marks = words_->marks;
    const std::vector<Reading> now = Readings(after, marks);
    for (const Reading& reading : now)
        if (AtTheLargestDouble(reading.value))
            return Conversion::Overflow;
    if (const int was = truth(before); was >= 0 && was == truth(after))
        return Conversion::Truth;
    if (SameTime(before, after))
        return Conversion::Time;
    if (SameDate(before, after))
        return Conversion::Date;

    const std::vector<Reading> then = Readings(before, marks);
    Conversion found = Conversion::None;
    for (const Reading& a : then) {
        for (const Reading& b : now) {
            if ((a.form == Form::Plain && b.form == Form::Plain) || !SameValue(a.value, b.value))
                continue;
            const Conversion kind = a.form == Form::Percent || b.form == Form::Percent     ? Conversion::Percent
                                    : a.form == Form::Currency || b.form == Form::Currency ? Conversion::Currency
                                                                                           : Conversion::Separators;
            // The most telling kind: money or percent over separators.
            if (found == Conversion::None || found == Conversion::Separators)
                found = kind;
        }
    }
    if (found != Conversion::None)
        return found;

    // A number a spreadsheet wrote with a decimal comma or thousands
    // separators where the file held a number: what a German spreadsheet
    // writes for every number typed into it, and no desc file reads.
    const bool plainAfter = std::any_of(now.begin(), now.end(), [](const Reading& r) { return r.form == Form::Plain; });
    const bool separators =
        std::any_of(now.begin(), now.end(), [](const Reading& r) { return r.form == Form::Separators; });
    if (separators && !plainAfter && (was || (before.size() > 1 && before[0] == '=')))
        return Conversion::Separators;
    return Conversion::None;
}

Conversion SpreadsheetConversion(std::string_view before, std::string_view after, const CodePage& codePage)
{
    return SpreadsheetConversions(codePage)(before, after);
}

}  // namespace dravik
