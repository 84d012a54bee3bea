#include "core/checks/value_rule.h"

#include "core/text/cell_value.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace dravik {

namespace {

constexpr double kWrongKind = std::numeric_limits<double>::infinity();

double Outside(double value, double low, double high)
{
    const double width = high > low ? high - low : std::max(std::fabs(high), 1.0);
    return (value > high ? value - high : low - value) / width;
}

}  // namespace

void ValueRule::fold(const CodePage& codePage)
{
    folded_.clear();
    for (const std::string& word : words)
        folded_.insert(codePage.lowered(word));
}

std::optional<Verdict> Judge(const ValueRule& rule, std::string_view value, const CodePage& codePage,
                             const NamedFiles& files, const Relaxation* relaxed)
{
    if (rule.kind == ValueKind::Text)
        return std::nullopt;
    const std::string_view trimmed = [&] {
        size_t begin = 0, end = value.size();
        while (begin < end && static_cast<unsigned char>(value[begin]) <= ' ')
            ++begin;
        while (end > begin && static_cast<unsigned char>(value[end - 1]) <= ' ')
            --end;
        return value.substr(begin, end - begin);
    }();
    std::optional<std::string> folded;
    auto foldedValue = [&]() -> const std::string& {
        if (!folded)
            folded = codePage.lowered(trimmed);
        return *folded;
    };
    auto passesAsWord = [&] {
        return rule.holdsWord(foldedValue()) || (relaxed && relaxed->words.count(foldedValue()));
    };

    if (rule.isNumber()) {
        const std::optional<CellNumber> number = ReadCellNumber(trimmed);
        if (!number)
            return passesAsWord() ? std::nullopt : std::optional<Verdict>(Verdict{CheckKind::NotANumber, kWrongKind});
        if (rule.kind == ValueKind::Whole && !number->whole)
            return passesAsWord() ? std::nullopt : std::optional<Verdict>(Verdict{CheckKind::NotWhole, kWrongKind});
        const double v = number->value;
        const bool placesPass = number->whole || rule.places == 0 || (rule.places & DecimalPlaces(trimmed)) != 0;
        if (v >= rule.low && v <= rule.high) {
            if (placesPass || passesAsWord())
                return std::nullopt;
            return Verdict{CheckKind::OtherPlaces, kWrongKind};
        }
        if (relaxed && relaxed->numbers && v >= std::min(rule.low, relaxed->low) &&
            v <= std::max(rule.high, relaxed->high))
            return std::nullopt;
        if (passesAsWord())
            return std::nullopt;
        return Verdict{CheckKind::OutOfRange, Outside(v, rule.low, rule.high)};
    }
    if (rule.kind == ValueKind::Word)
        return passesAsWord() ? std::nullopt : std::optional<Verdict>(Verdict{CheckKind::NotInSet, kWrongKind});
    // A path.
    if (files.names(trimmed) || passesAsWord())
        return std::nullopt;
    return Verdict{CheckKind::NoSuchFile, kWrongKind};
}

void Widen(ValueRule& rule, const Widening& widening)
{
    if (rule.min > 0) {
        const double low = std::log(rule.min), high = std::log(rule.max);
        const double pad = std::max(widening.margin * (high - low), std::log(widening.leastRatio));
        rule.low = std::exp(low - pad);
        rule.high = std::exp(high + pad);
        // Never narrower than what the base holds, whatever the rounding.
        rule.low = std::min(rule.low, rule.min);
        rule.high = std::max(rule.high, rule.max);
        return;
    }
    const double pad = widening.margin * (rule.max - rule.min);
    rule.low = rule.min - pad;
    rule.high = rule.max + pad;
    if (rule.min >= 0)
        rule.low = std::max(rule.low, 0.0);
}

}  // namespace dravik
