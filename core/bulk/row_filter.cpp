#include "core/bulk/row_filter.h"

#include "core/text/cell_value.h"
#include "core/text/dravik2_auxillary.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace dravik {

namespace {

std::optional<double> NumberOf(std::string_view text)
{
    const auto number = ReadCellNumber(text);
    return number ? std::optional<double>(number->value) : std::nullopt;
}

// Trim, counting what it cut at the front into `offset` (for messages that
// point at a position of what was typed).
std::string_view Trimmed(std::string_view text, size_t& offset)
{
    const std::string_view trimmed = Trim(text);
    offset += static_cast<size_t>(trimmed.data() - text.data());
    return trimmed;
}

constexpr double kInfinity = std::numeric_limits<double>::infinity();

bool IsKeyword(std::string_view text, std::string_view keyword)
{
    return AsciiLowered(text) == keyword;
}

}  // namespace

std::optional<double> FilterRow::number(int column) const { return NumberOf(text(column)); }

bool FilterRow::changed(int) const { return false; }

bool FilterRow::absent(int) const { return false; }

std::string_view FilterRow::mostCommon(int) const { return {}; }

bool FilterRow::hasBase() const { return false; }

bool FilterRow::differsFromBase(int) const { return false; }

bool FilterRow::conflict(int) const { return false; }

bool FilterRow::lost(int) const { return false; }

bool FilterRow::changedBy(int, int) const { return false; }

RowFilter RowFilter::Parse(std::string_view typed, const CodePage& codePage, bool matchCase)
{
    RowFilter filter;
    size_t offset = 0;
    const std::string_view text = Trimmed(typed, offset);
    if (text.empty())
        return filter;
    if (filter.readSearch(text, offset, codePage, matchCase) || filter.readKeyword(text) ||
        filter.readModName(text, offset) || filter.readComparison(text, offset, codePage, matchCase) ||
        filter.readRange(text))
        return filter;
    filter.kind_ = Kind::Text;
    filter.search_.emplace(text, codePage, SearchOptions{false, matchCase, false});
    return filter;
}

// "'" and a text to find, or a regular expression between slashes.
bool RowFilter::readSearch(std::string_view text, size_t offset, const CodePage& codePage, bool matchCase)
{
    if (text[0] == '\'') {
        if (text.size() > 1) {
            kind_ = Kind::Text;
            search_.emplace(text.substr(1), codePage, SearchOptions{false, matchCase, false});
        }
        return true;
    }
    if (text.size() < 2 || text.front() != '/' || text.back() != '/')
        return false;
    if (text.size() == 2)
        throw SyntaxError(offset + 2, Message(DRAVIK_TR("Filters", "Expected a regular expression between the slashes")));
    kind_ = Kind::Text;
    try {
        search_.emplace(text.substr(1, text.size() - 2), codePage, SearchOptions{true, matchCase, false});
    } catch (const SyntaxError& error) {
        // Placed in what the user typed: after the blanks and the slash.
        throw SyntaxError(error.position() + offset + 1, error.reason());
    }
    return true;
}

bool RowFilter::readKeyword(std::string_view text)
{
    static constexpr std::pair<std::string_view, Kind> kKeywords[] = {
        {"empty", Kind::Blank}, {"changed", Kind::Changed}, {"differs", Kind::Differs}, {"modded", Kind::Modded},
        {"vanilla", Kind::Vanilla}, {"new", Kind::New}, {"conflict", Kind::Conflict}, {"lost", Kind::Lost}};
    for (const auto& [keyword, kind] : kKeywords) {
        if (IsKeyword(text, keyword)) {
            kind_ = kind;
            return true;
        }
    }
    return false;
}

// "mod:" and a name: a mod's name may hold blanks, so only the blanks around
// it are dropped.
bool RowFilter::readModName(std::string_view text, size_t offset)
{
    constexpr std::string_view kMod = "mod:";
    if (text.size() < kMod.size() || !IsKeyword(text.substr(0, kMod.size()), kMod))
        return false;
    size_t nameOffset = offset + kMod.size();
    const std::string_view name = Trimmed(text.substr(kMod.size()), nameOffset);
    if (name.empty())
        throw SyntaxError(nameOffset + 1, Message(DRAVIK_TR("Filters", "Expected the name of a mod after \"mod:\"")));
    kind_ = Kind::Mod;
    modName_ = std::string(name);
    return true;
}

// A comparison and a number; "=" and "<>" also take a text, or nothing.
bool RowFilter::readComparison(std::string_view text, size_t offset, const CodePage& codePage, bool matchCase)
{
    enum class Sign { Less, LessOrEqual, Greater, GreaterOrEqual, Equal, NotEqual };
    struct Operator {
        std::string_view text;
        Sign sign;
    };
    static constexpr Operator kOperators[] = {{">=", Sign::GreaterOrEqual}, {"<=", Sign::LessOrEqual},
                                              {"<>", Sign::NotEqual},       {"!=", Sign::NotEqual},
                                              {">", Sign::Greater},         {"<", Sign::Less},
                                              {"=", Sign::Equal}};
    const auto op = std::find_if(std::begin(kOperators), std::end(kOperators),
                                 [&](const Operator& candidate) { return text.substr(0, candidate.text.size()) == candidate.text; });
    if (op == std::end(kOperators))
        return false;
    size_t operandOffset = offset + op->text.size();
    const std::string_view operand = Trimmed(text.substr(op->text.size()), operandOffset);
    const bool equality = op->sign == Sign::Equal || op->sign == Sign::NotEqual;
    if (const auto number = NumberOf(operand)) {
        const double n = *number;
        kind_ = op->sign == Sign::NotEqual ? Kind::Outside : Kind::Range;
        low_ = -kInfinity;
        high_ = kInfinity;
        switch (op->sign) {
        case Sign::Less: high_ = std::nextafter(n, -kInfinity); break;
        case Sign::LessOrEqual: high_ = n; break;
        case Sign::Greater: low_ = std::nextafter(n, kInfinity); break;
        case Sign::GreaterOrEqual: low_ = n; break;
        case Sign::Equal:
        case Sign::NotEqual: low_ = high_ = n; break;
        }
    } else if (!equality) {
        throw SyntaxError(operandOffset + 1, Message(DRAVIK_TR("Filters", "Expected a number after \"%1\""), {op->text}));
    } else if (operand.empty()) {
        kind_ = op->sign == Sign::Equal ? Kind::Blank : Kind::NotBlank;
    } else {
        kind_ = op->sign == Sign::Equal ? Kind::Equal : Kind::NotEqual;
        search_.emplace(operand, codePage, SearchOptions{false, matchCase, true});
    }
    return true;
}

// "low..high", either end left open.
bool RowFilter::readRange(std::string_view text)
{
    const size_t dots = text.find("..");
    if (dots == std::string_view::npos)
        return false;
    size_t ignored = 0;
    const std::string_view left = Trimmed(text.substr(0, dots), ignored);
    const std::string_view right = Trimmed(text.substr(dots + 2), ignored);
    const auto low = NumberOf(left), high = NumberOf(right);
    if (!(low || left.empty()) || !(high || right.empty()) || (left.empty() && right.empty()))
        return false;
    kind_ = Kind::Range;
    low_ = low.value_or(-kInfinity);
    high_ = high.value_or(kInfinity);
    if (low_ > high_)
        std::swap(low_, high_);
    return true;
}

bool RowFilter::matchesCell(const FilterRow& row, int column) const
{
    const bool readsText = kind_ != Kind::All && kind_ != Kind::Changed && kind_ != Kind::Modded &&
                           kind_ != Kind::Vanilla && kind_ != Kind::New && !readsModSet();
    if (readsText && row.absent(column))
        return false;
    switch (kind_) {
    case Kind::All: return true;
    case Kind::Text:
    case Kind::Equal: return search_->found(row.text(column));
    case Kind::NotEqual: return !search_->found(row.text(column));
    case Kind::Blank: return IsBlankCell(row.text(column));
    case Kind::NotBlank: return !IsBlankCell(row.text(column));
    case Kind::Changed: return row.changed(column);
    case Kind::Differs: return DiffersFromCommon(row.text(column), row.mostCommon(column));
    case Kind::Modded: return row.differsFromBase(column);
    case Kind::Vanilla: return row.hasBase() && !row.differsFromBase(column);
    case Kind::New: return !row.hasBase();
    case Kind::Conflict: return row.conflict(column);
    case Kind::Lost: return row.lost(column);
    case Kind::Mod: return mod_ >= 0 && row.changedBy(mod_, column);
    case Kind::Range: {
        const auto value = row.number(column);
        return value && *value >= low_ && *value <= high_;
    }
    case Kind::Outside: {
        const auto value = row.number(column);
        return value && (*value < low_ || *value > high_);
    }
    }
    return false;
}

bool RowFilter::matches(const FilterRow& row, std::span<const int> columns) const
{
    // The common kinds get their own loops: a filter over a whole table
    // tests millions of cells.
    auto any = [&](auto&& test) { return std::any_of(columns.begin(), columns.end(), test); };
    switch (kind_) {
    case Kind::All: return true;
    case Kind::New: return !row.hasBase();
    case Kind::Vanilla:
        return row.hasBase() && std::none_of(columns.begin(), columns.end(),
                                             [&](int column) { return row.differsFromBase(column); });
    case Kind::Text: return any([&](int column) { return search_->found(row.text(column)) && !row.absent(column); });
    case Kind::Range:
        return any([&](int column) {
            const auto value = row.number(column);
            return value && *value >= low_ && *value <= high_;
        });
    default: return any([&](int column) { return matchesCell(row, column); });
    }
}

std::vector<int> ColumnsNamed(std::span<const std::string_view> headers, std::string_view name)
{
    std::vector<int> columns;
    const std::string_view wanted = Trim(name);
    for (size_t i = 0; i < headers.size(); ++i)
        if (Trim(headers[i]) == wanted)
            columns.push_back(static_cast<int>(i));
    return columns;
}

}  // namespace dravik
