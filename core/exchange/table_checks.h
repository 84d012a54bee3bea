// What the table text file cannot carry and what an import would damage:
// the checks the window and the batch command share.
#pragma once

#include "core/document/desc_document.h"
#include "core/exchange/summary_rows.h"

#include <string>
#include <string_view>
#include <vector>

namespace dravik {

// ---- Export: cells that Import table cannot read back as they were.

// How many of the shown cells at most a message names.
inline constexpr size_t kNamedCells = 5;

struct UnreadableCell {
    GridNumber grid;
    int col;
    int row;
    std::string file;  // the row's desc file; empty for the header row
    std::string key;   // the column's header
    int value = 0;     // which of the key's values, from 1, when it has several
    Message what;      // what is wrong with it
};

struct UnreadableCells {
    int endOfFile = 0;  // byte 26: reading stops there, the rest of the table is lost
    int lineBreak = 0;  // CR or LF: the row is split, or the CR dropped
    int tab = 0;        // the cell is split into two
    int tilde = 0;      // every "~" is dropped
    int cells = 0;      // cells with any of these
    std::vector<UnreadableCell> first;  // the first kNamedCells, in the table's order

    bool any() const { return cells > 0; }
    // The import would lose or shift whole rows, not just change a cell.
    bool cutsTable() const { return endOfFile > 0 || lineBreak > 0; }
    // Lines for the user: the counts, then the first cells as table, file and key.
    Message message() const;
};

// Every cell the export writes from the section tables and the file list.
UnreadableCells FindUnreadableCells(const DescDocument& document);

// ---- Paths the tables can show only with "?".

// Open files whose paths the code page cannot write (on Windows, letters
// outside the system's ANSI code page). The tables and the table text file
// hold each such path as its text, with "?" for those letters, which does not
// tell two such paths apart; so a table cannot name those files, and Import
// table refuses while they are open.
struct UnwritablePaths {
    size_t count = 0;
    std::vector<std::string> first;  // the first kNamedCells, as the tables show them

    bool any() const { return count > 0; }
    // For Export table: what the table shows, and that it cannot come back.
    Message exportMessage() const;
    // Why Import table refuses.
    Message importMessage() const;
};

UnwritablePaths FindUnwritablePaths(const DescDocument& document);

// ---- Import.

// A table that a spreadsheet laid out otherwise than Export wrote it, so
// that its blocks cannot be found or hold rows of other blocks: saved with
// commas or semicolons between the cells, a column inserted in front of the
// labels, the whole sheet sorted (labels and header rows away from their
// blocks). Empty when none of these; otherwise what happened and what to
// do in the spreadsheet instead.
Message TableLayoutProblem(const SummaryRows& summary);

// Whether the "File list" blocks of a summary table name exactly the given
// desc files, each as often as given, in any order, paths compared as the
// system resolves them. Empty when they do (and there is a block); otherwise
// what differs, for the user.
Message FileListMismatch(const SummaryRows& summary, const std::vector<std::string>& descFiles);

// The name of a code page's character set as a spreadsheet's dialogs list
// it ("Cyrillic (Windows-1251)"); the code page's own name where none is known.
Message SpreadsheetCharacterSet(const std::string& codePageName);

// A table damaged by a program that read or wrote it in another character set.
struct CharacterSetDamage {
    // U+FFFD as UTF-8 (EF BF BD): a character that could not be read was
    // replaced. Counted beyond those the replaced values already held.
    size_t replacements = 0;
    // The table is valid UTF-8 with multi-byte sequences while the values it
    // replaces are not: each of its non-ASCII characters would become two or
    // more bytes in the desc files.
    bool utf8 = false;

    bool any() const { return replacements > 0 || utf8; }
    Message message(const std::string& codePageName) const;
};

// The table's bytes against the tables of the document before the import.
CharacterSetDamage FindCharacterSetDamage(std::string_view tableBytes, const DescDocument& document);

}  // namespace dravik
