// Finding and replacing text inside cells, for Find and replace, the row
// filter and the batch's find.
//
// Without "match case", letters are compared after folding through the code
// page, as the key lookup folds keys: in windows-1251 "Т" finds "т" and
// "Ё" finds "ё". Regular expressions are ECMAScript (std::regex) over the
// cell's bytes, with the same folding, and with \w and [[:alpha:]] knowing
// the code page's letters. A replacement for a regular expression may use
// $1 to $99, $& (the match), $` and $' (the text before / after it) and $$.
#pragma once

#include "core/text/code_page.h"
#include "core/errors.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dravik {

struct SearchOptions {
    bool regex = false;
    bool matchCase = false;
    bool wholeCell = false;  // the pattern must match the whole cell text
};

struct TextMatch {
    size_t offset = 0;
    size_t length = 0;
    bool operator==(const TextMatch&) const = default;
};

class TextSearch {
public:
    // Throws SyntaxError for an empty pattern or a regular expression that
    // does not compile (position 1: std::regex does not say where).
    TextSearch(std::string_view pattern, const CodePage& codePage, SearchOptions options = {});

    const SearchOptions& options() const { return options_; }

    bool found(std::string_view text) const;
    // Every match from left to right, none overlapping. A regular
    // expression's empty matches are left out: they mark nothing to see.
    std::vector<TextMatch> findAll(std::string_view text) const;
    // Every match replaced. False, with `out` untouched, when nothing
    // matches; true with the new text in `out` otherwise (it may equal the
    // old text when the replacement puts back what it found).
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
