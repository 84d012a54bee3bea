// What a column's values are in the base game's files, and what the rule
// learned from them lets pass.
#pragma once

#include "core/checks/file_names.h"
#include "core/text/code_page.h"

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace dravik {

enum class ValueKind : std::uint8_t {
    Whole,    // whole numbers, within a range
    Decimal,  // numbers, some with a decimal point, within a range
    Word,     // one of a small set of words
    Path,     // a path naming an existing file
    Text,     // free text: anything passes
};

// Why a value does not pass its rule.
enum class CheckKind : std::uint8_t {
    OutOfRange,  // a number beyond the numbers of the base game's files
    NotWhole,    // a decimal number where the base game has whole numbers only
    OtherPlaces, // a number written with as many decimal places as the base game never writes
    NotANumber,  // text where the base game has numbers
    NotInSet,    // a word the base game never holds there
    NoSuchFile,  // a path naming no file of the base game or of the mod
};

struct ValueRule {
    ValueKind kind = ValueKind::Text;
    int files = 0;               // values learned from
    double min = 0, max = 0;     // numbers: the least and the greatest the base game holds
    double low = 0, high = 0;    // numbers: what passes, the range widened
    // Decimal: the counts of decimal places the base game writes its
    // numbers with, when it writes enough with a point (DecimalPlaces); 0
    // for no rule. A number written without a point always passes it.
    std::uint32_t places = 0;
    // Word: the set. Numbers and paths: the words the base game holds there
    // besides ("none"), which pass too. As the base game spells them, each
    // once however its letters are cased, in the order of their folded text.
    std::vector<std::string> words;

    bool isNumber() const { return kind == ValueKind::Whole || kind == ValueKind::Decimal; }
    // Builds the folded words once the words are set: called by whoever
    // makes or reads a rule.
    void fold(const CodePage& codePage);
    bool holdsWord(std::string_view foldedValue) const { return folded_.count(std::string(foldedValue)) > 0; }

private:
    std::unordered_set<std::string> folded_;
};

// The decimal places of a number written with a point, as a bit: bit k for
// k places ("1.25": bit 2), bit 31 for 31 and more.
inline std::uint32_t DecimalPlaces(std::string_view number)
{
    const size_t point = number.find('.');
    const size_t places = point == std::string_view::npos ? 0 : number.size() - point - 1;
    return std::uint32_t{1} << (places < 31 ? places : 31);
}

// What a rule's group was relaxed to by hand: numbers that widen its range,
// and texts that pass as they are (folded).
struct Relaxation {
    bool numbers = false;
    double low = 0, high = 0;
    std::unordered_set<std::string> words;
    bool empty() const { return !numbers && words.empty(); }
};

// Where the files a value names are looked for: the base game's files of
// the kinds its paths name (by extension, folded), and the mod's own.
struct NamedFiles {
    const FileNames* base = nullptr;
    const std::set<std::string>* kinds = nullptr;
    const FilesBelow* mod = nullptr;
    bool names(std::string_view value) const
    {
        return (base && kinds && kinds->count(base->extension(value)) && base->names(value)) ||
               (mod && mod->names(value));
    }
};

struct Verdict {
    CheckKind kind;
    // How far outside: for a number beyond its range, its distance from the
    // range in widths of the range (0.5 is half the range's width beyond its
    // end); for a value of another kind, a word outside the set or a path to
    // nowhere, infinity: those are wrong whatever their size.
    double outside = 0;
};

// Whether the value passes the rule; why not when it does not. `relaxed`
// may be null.
std::optional<Verdict> Judge(const ValueRule& rule, std::string_view value, const CodePage& codePage,
                             const NamedFiles& files, const Relaxation* relaxed = nullptr);

// How a learned range is widened into what passes. A column of numbers all
// above zero spreads by ratios (a tank's armor of 10 and one of 450), so it
// is widened on the scale of their logarithms, by `margin` times its width
// there and by at least `leastRatio` times at each end; any other is widened
// by `margin` times its width, and stays at zero and above when the base
// holds nothing below zero.
struct Widening {
    double margin = 0.10;
    double leastRatio = 1.10;
};
void Widen(ValueRule& rule, const Widening& widening);

}  // namespace dravik
