// What an import would change in the value cells, told apart: the changes a
// spreadsheet or a character set makes on its own, and the user's edits.
// A cell's text before is what the tables hold now (its file's text unless
// it was edited since Open desc), which is what the table was exported from.
#pragma once

#include "core/exchange/table_exchange.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dravik {

// Letters that became "?": a program saved the table in a character set
// without them (Calc as windows-1252 or ISO-8859-1). The same length, and
// each byte either the same or a byte above 127 turned into "?".
bool LettersBecameQuestionMarks(std::string_view before, std::string_view after);

// Quotes a spreadsheet or Python's csv module put around a text (inner
// quotes doubled), or took away reading one as a quoted cell: `after` is
// `before` so quoted, so read, or so read and quoted again.
bool QuotingChanged(std::string_view before, std::string_view after);

// The same number written otherwise, as a spreadsheet's Standard column
// type rewrites it: 010 -> 10, 1.50 -> 1.5, -0 -> 0, 1e5 -> 1.00E+05
// (scientific notation counts as the same value when it is the value
// rounded to the digits shown), a day and month or a fraction turned into a
// date (3/4 -> 03/04/26), and a formula's result (=1+1 -> 2).
bool SameNumberRespelled(std::string_view before, std::string_view after);

struct ReviewedCells {
    size_t count = 0;
    // The first few, as section, file, key and both texts.
    std::vector<std::string> first;
};

struct ImportReview {
    ReviewedCells questionMarks;
    ReviewedCells quoting;
    ReviewedCells respelled;
    // The respelled cells, as positions in the import's edits, and the
    // texts of the first few, before and after.
    std::vector<size_t> respelledEdits;
    std::vector<std::pair<std::string, std::string>> respellings;

    bool damaged() const { return questionMarks.count > 0 || quoting.count > 0; }
    // What the character set and the quoting did; empty when nothing.
    std::string damageMessage(const std::string& codePageName) const;
    // The respelled cells, counted and named.
    std::string respellingMessage() const;
};

ImportReview ReviewImport(const DescDocument& document, const PreparedImport& import);

// Keeps the text the tables hold in the respelled cells and imports the rest.
void KeepSpelling(PreparedImport& import, const ImportReview& review);

}  // namespace dravik
