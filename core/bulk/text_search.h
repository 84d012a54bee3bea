// Finding and replacing text inside cells, for Find and replace, the row
// filter and the batch's find.
//
// Without "match case", letters are compared after folding through the code
// page, as the key lookup folds keys: in windows-1251 "Т" finds "т" and
// "Ё" finds "ё". Regular expressions are RE2's, whose matching takes time
// linear in the cell and bounded memory, whatever the pattern: a long cell
// or a pattern such as (a+)+b cannot exhaust the stack or run without end.
// The time a character takes grows with the pattern's compiled program,
// which is therefore bounded too (see kMostProgramSteps).
// The pattern and the cell are read as the characters the code page decodes
// them to, so "." is one byte of the cell, [а-я] holds the Cyrillic letters
// and folding agrees with the code page's. \w, \d, \s, \b and [[:alpha:]]
// are ASCII only; \pL, \p{Lu} and \p{Cyrillic} know every letter. A
// replacement for a regular expression may use $1 to $99, $& (the match),
// $` and $' (the cell's text before / after it) and $$.
#pragma once

#include "core/text/code_page.h"
#include "core/errors.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>

namespace dravik {

struct SearchOptions {
    bool regex = false;
    bool matchCase = false;
    bool wholeCell = false;  // the pattern must match the whole cell text
};

class TextSearch {
public:
    // Throws SyntaxError for an empty pattern and for a regular expression
    // RE2 refuses: one that does not parse, one that asks for what RE2 has
    // not (back references such as \1, lookahead and lookbehind), one that
    // would take more than a few megabytes to match, and one whose program
    // is so long that a large cell would take seconds ([a-q][^u-z]{999}x).
    TextSearch(std::string_view pattern, const CodePage& codePage, SearchOptions options = {});

    const SearchOptions& options() const { return options_; }

    bool found(std::string_view text) const;
    // Every match replaced, none overlapping, from left to right. False,
    // with `out` untouched, when nothing matches; true with the new text in
    // `out` otherwise (it may equal the old text when the replacement puts
    // back what it found).
    bool replaceAll(std::string_view text, std::string_view replacement, std::string& out) const;

private:
    SearchOptions options_;
    std::string pattern_;  // folded unless matching case
    std::array<unsigned char, 256> lower_{};
    struct Regex;
    std::shared_ptr<const Regex> regex_;

    size_t findPlain(std::string_view text, size_t from) const;
    bool equalPlain(std::string_view text) const;
};

}  // namespace dravik
