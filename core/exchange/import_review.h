// What an import would change in the value cells, told apart: the changes a
// spreadsheet or a character set makes on its own, and the user's edits.
// A cell's text before is what the tables hold now (its file's text unless
// it was edited since Open desc), which is what the table was exported from.
#pragma once

#include "core/exchange/spreadsheet_values.h"
#include "core/exchange/table_exchange.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dravik {

// Letters that became "?": a program saved the table in a character set
// without them (Calc as windows-1252 or ISO-8859-1). The same length, and
// each byte either the same or a byte above 127 turned into "?".
bool LettersBecameQuestionMarks(std::string_view before, std::string_view after);

// Text typed into the table whose letters the table's character set could
// not hold: "?" in the new text where the old text had none.
bool LettersLikelyLost(std::string_view before, std::string_view after);

// Quotes a spreadsheet or Python's csv module put around a text (inner
// quotes doubled), or took away reading one as a quoted cell: `after` is
// `before` so quoted, so read, or so read and quoted again.
bool QuotingChanged(std::string_view before, std::string_view after);

// The kinds of damage an import looks for, each of which a user may let
// through on its own (the batch's --allow) while the others stay checked.
enum class ImportCheck : unsigned {
    CharacterSet = 1u << 0,   // replacement characters, UTF-8
    QuestionMarks = 1u << 1,  // letters turned into "?", and "?" in typed text
    Quotes = 1u << 2,         // quotes added or taken away
    WideRows = 1u << 3,       // a row wider than its header row
    Converted = 1u << 4,      // values a spreadsheet converted into others
    Respelled = 1u << 5,      // numbers written otherwise, the same value
};
inline constexpr unsigned kEveryImportCheck = (1u << 6) - 1;

// The name a user gives a check ("character-set", "question-marks",
// "quotes", "wide-rows", "converted", "respelled"), and the names in that order.
std::optional<ImportCheck> ImportCheckNamed(std::string_view name);
const char* ImportCheckName(ImportCheck check);
const std::vector<ImportCheck>& ImportChecks();

struct ReviewedCells {
    size_t count = 0;
    // The first few, as section, file, key and both texts.
    std::vector<Message> first;
    // The cells, as positions in the import's edits, and the texts of the
    // first few, before and after.
    std::vector<size_t> edits;
    std::vector<std::pair<std::string, std::string>> examples;
};

struct ImportReview {
    ReviewedCells questionMarks;  // letters that became "?"
    ReviewedCells lostLetters;    // "?" in typed text
    ReviewedCells quoting;
    ReviewedCells converted;
    ReviewedCells respelled;

    // What the character set and the quoting did; empty when nothing.
    Message damageMessage(const std::string& codePageName) const;
    // The converted cells, counted and named, with what to do instead.
    Message conversionMessage() const;
    // The respelled cells, counted and named, with what to do instead.
    Message respellingMessage() const;
};

ImportReview ReviewImport(const DescDocument& document, const PreparedImport& import);

// Keeps the text the tables hold in the reviewed cells (positions in
// increasing order) and imports the rest.
void KeepFilesText(PreparedImport& import, const std::vector<size_t>& edits);
// The same for the respelled cells.
inline void KeepSpelling(PreparedImport& import, const ImportReview& review)
{
    KeepFilesText(import, review.respelled.edits);
}

}  // namespace dravik
