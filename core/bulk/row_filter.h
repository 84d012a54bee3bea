// The row filter: which files' rows to show, in the window's filter bar and
// in the batch's --where.
//
// What the user may type (blanks around it are ignored; keywords ignore case):
//   (nothing)        every row
//   tank             cells holding the text (case folded through the code
//                    page unless matching case); a bare number is text too:
//                    "10" finds "100" and "x10"
//   /t-3[45]/        cells in which the regular expression finds a match
//   > 100  >= 5  < 5  <= 5  = 0  <> 3  != 3
//                    cells holding a number (see cell_value.h) that compares
//                    so; a cell with no number never matches
//   50..80           numbers from 50 to 80, both included ("80..50" is the
//                    same range); "50.." and "..80" leave one side open
//   = tank, <> tank  the whole cell equals / differs from the text (folded
//                    unless matching case); "=" alone: blank cells, "<>"
//                    alone: cells with a value
//   empty            blank cells (nothing but characters 0 to 32)
//   changed          cells edited since their file was read or saved
//   differs          cells whose text differs from their column's most
//                    common value (blank cells count as one value)
//   modded           cells that differ from the base game's file (File >
//                    Compare with base)
//   vanilla          files with a base file whose cells looked at are all
//                    the base's
//   new              files the base game has no file for
//   conflict         values of a mod set's merged view that mods set to
//                    different values
//   lost             values some mod sets that the merged view does not
//                    show (another mod or a choice overrides it)
//   mod:NAME         values the mod of that name changes (the name as the
//                    mod set names it, letter case aside)
//   'text            the text after the apostrophe, as plain text: "'empty"
//                    finds the word, "'>100" finds ">100"
// A row matches when any of the columns looked at matches; for "vanilla",
// when every one does. A value a file's line does not have (an absent cell)
// is no value: nothing that reads a cell's text, "empty" included, matches it.
#pragma once

#include "core/text/code_page.h"
#include "core/errors.h"
#include "core/bulk/text_search.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dravik {

// One row as the filter reads it. Columns are numbered as the caller likes.
class FilterRow {
public:
    virtual ~FilterRow() = default;
    virtual std::string_view text(int column) const = 0;
    // The number the cell holds; callers holding numbers already read may
    // answer from them.
    virtual std::optional<double> number(int column) const;
    virtual bool changed(int column) const;
    // The most common value of the column (the same for every row).
    virtual std::string_view mostCommon(int column) const;
    // The cell stands for no value: its file's line ends before it. It
    // matches nothing that reads a cell's text.
    virtual bool absent(int column) const;
    // The file has a base game's file, and the cell differs from it.
    virtual bool hasBase() const;
    virtual bool differsFromBase(int column) const;
    // A mod set's merged view: the mods disagree on the value; a mod's
    // value is overridden; the mod (its id) changes the value.
    virtual bool conflict(int column) const;
    virtual bool lost(int column) const;
    virtual bool changedBy(int mod, int column) const;
};

class RowFilter {
public:
    // Numeric comparisons are ranges: "> 5" is (5, infinity], "= 5" is
    // [5, 5], and "<> 5" is the numbers outside [5, 5].
    enum class Kind { All, Text, Range, Outside, Equal, NotEqual, Blank, NotBlank, Changed, Differs, Modded, Vanilla, New,
                      Conflict, Lost, Mod };

    // Throws SyntaxError for a regular expression that does not compile and
    // for a comparison without a number.
    static RowFilter Parse(std::string_view text, const CodePage& codePage, bool matchCase = false);

    Kind kind() const { return kind_; }
    // True when the filter lets every row through.
    bool all() const { return kind_ == Kind::All; }
    // True when it reads the comparison with a base game.
    bool readsBase() const { return kind_ == Kind::Modded || kind_ == Kind::Vanilla || kind_ == Kind::New; }
    // True when it reads a mod set's merged view.
    bool readsModSet() const { return kind_ == Kind::Conflict || kind_ == Kind::Lost || kind_ == Kind::Mod; }
    // For "mod:NAME": the name typed, and the mod's id once the caller found
    // it (none matches until then).
    const std::string& modName() const { return modName_; }
    void setMod(int id) { mod_ = id; }

    bool matchesCell(const FilterRow& row, int column) const;
    bool matches(const FilterRow& row, std::span<const int> columns) const;

private:
    // The steps of Parse: each reads the trimmed text (at `offset` in what
    // was typed) if it is of its form.
    bool readSearch(std::string_view text, size_t offset, const CodePage& codePage, bool matchCase);
    bool readKeyword(std::string_view text);
    bool readModName(std::string_view text, size_t offset);
    bool readComparison(std::string_view text, size_t offset, const CodePage& codePage, bool matchCase);
    bool readRange(std::string_view text);

    Kind kind_ = Kind::All;
    double low_ = 0;
    double high_ = 0;
    std::optional<TextSearch> search_;
    std::string modName_;
    int mod_ = -1;
};

// The positions of the headers that name a key, for a filter on one key:
// headers and name compared exactly after removing characters 0 to 32 at
// both ends, as Save all finds a key's columns ("armor " heads "armor").
std::vector<int> ColumnsNamed(std::span<const std::string_view> headers, std::string_view name);

}  // namespace dravik
