// Edits of many cells at once: find and replace, set by expression, paste.
//
// The window and the batch describe the cells an operation covers the same
// way (a CellScope) and get back the document's CellEdits, so that every
// bulk operation is one setCells call and one step of the edit history.
// Only value cells are ever changed: the columns 2 and on of the section
// tables, in the rows of the opened files. Headers, row numbers, the paths of
// column 1 and the file list stay as they are, whatever a scope names.
#pragma once

#include "core/bulk/cell_expression.h"
#include "core/document/desc_document.h"
#include "core/bulk/text_search.h"

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dravik {

// Cells of one table: every listed row crossed with every listed column,
// walked row by row, each row in the order of `columns`. The window lists
// rows and columns in the order they are shown and leaves out the rows the
// filter hides.
struct CellBlock {
    GridNumber grid{0};
    std::vector<int> rows;
    std::vector<int> columns;

    size_t size() const { return rows.size() * columns.size(); }
    bool operator==(const CellBlock&) const = default;
};

// Blocks in the order a search walks them.
using CellScope = std::vector<CellBlock>;

struct CellRef {
    GridNumber grid{0};
    int col = 0;
    int row = 0;
    bool operator==(const CellRef&) const = default;
};

bool IsValueCell(const DescDocument& document, GridNumber grid, int col, int row);

// The cells of a table a search reads: the value columns of a section table,
// the name and path of the file list; in the rows of the opened files that
// `shown` lets through (all of them without it).
CellBlock SearchBlock(const DescDocument& document, GridNumber grid, const std::function<bool(int row)>& shown = {});

// Every cell of the scope whose text the search finds a match in, in the
// scope's order. `progress` hears after each row of the scope; it may throw
// to stop the search (as may the replacement's below: neither changes
// anything).
std::vector<CellRef> FindCells(const DescDocument& document, const CellScope& scope, const TextSearch& search,
                               const Progress& progress = {});

// What a bulk operation would change, ready for setCells.
struct BulkEdit {
    std::vector<CellEdit> edits;
    // Files (rows) with at least one of the edits.
    size_t files = 0;
};

// Every match of the search replaced in the value cells of the scope. A
// cell whose text comes out the same is no edit. Here and in the expression's
// edits, cells absent from their file's line (DescDocument::valueAbsent)
// are left out: they hold no value.
BulkEdit ReplaceAllEdits(const DescDocument& document, const CellScope& scope, const TextSearch& search,
                         std::string_view replacement, const Progress& progress = {});

struct ExpressionEdit : BulkEdit {
    ExpressionTally tally;
    // The first few cells that change, as they are and as they would be.
    std::vector<std::pair<std::string, std::string>> examples;
};

// The expression applied to the value cells of the scope.
ExpressionEdit ExpressionEdits(const DescDocument& document, const CellScope& scope,
                               const CellExpression& expression, size_t examples = 5);
// The same counts and examples without the edits: a preview that follows
// the typing over a large selection keeps no copy of it.
ExpressionEdit ExpressionPreview(const DescDocument& document, const CellScope& scope,
                                 const CellExpression& expression, size_t examples = 5);

// The block's cells as spreadsheets put them on the clipboard.
std::string CopyText(const DescDocument& document, const CellBlock& block, std::string_view lineEnd = "\n");

// A paste, and where the pasted rectangle's cells went, so that none is
// dropped without a word. A single value filling a selection counts none.
struct PasteEdit : BulkEdit {
    size_t cells = 0;       // of the rectangle
    size_t placed = 0;      // on value cells
    size_t onPaths = 0;     // on the column of paths, which is not pasted over
    size_t lineBreaks = 0;  // cells whose line breaks became blanks
    // Past the table's last shown row or column, or on a row of no file.
    size_t outside() const { return cells - placed - onPaths; }
};

// Pasted cells: cell (i, j) of `cells` goes to target.rows[i],
// target.columns[j]; cells beyond the target are dropped. A single value
// fills every cell of the target but those absent from their file's line.
// Cells that are no value cells are left as they are. A line break in a pasted cell (a spreadsheet's cell of two
// lines) becomes a blank: written as it is, it would split its key line.
PasteEdit PasteEdits(const DescDocument& document, const CellBlock& target,
                     const std::vector<std::vector<std::string>>& cells);

}  // namespace dravik
