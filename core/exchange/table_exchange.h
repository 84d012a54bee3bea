// Copying all section tables and the file list into the summary table, block
// by block under label rows, and back.
#pragma once

#include "core/document/desc_document.h"
#include "core/exchange/table_text_file.h"

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dravik {

// "Section 1" ... "Section 9", "Section text", "File list".
std::string SummaryLabel(GridNumber gridNumber);

// Which table a summary label row names: 1 to 10 for a section label, 11 for
// the file list, nothing for any other row. Only a section pass or a file
// pass looks for its own kind.
std::optional<GridNumber> SectionLabelTarget(const std::string& label);
bool IsFileListLabel(const std::string& label);

// The section tables and the file list, by grid number less one.
using TableGrids = std::array<Grid, kFileListGrid.number()>;

// The summary table as Export table fills it, read without filling it: one
// label row and one block per table, and wherever the export writes nothing,
// what the document's summary table holds, but for column 0 of the block
// rows, which is emptied: an earlier table's label word there would make the
// next import read a row of values as a label. It reads the document, which
// must not change meanwhile. Answers as a Grid does.
class ExportedSummary {
public:
    explicit ExportedSummary(const DescDocument& document);

    int colCount() const { return columns_; }
    int rowCount() const { return static_cast<int>(rows_.size()); }
    // Every cell from there on is empty.
    int storedCells(int row) const;
    // Calls `each(cells, from, to)` with the row's cells up to storedCells,
    // from column 0 on, a run of one row's cells at a time.
    template <typename Each>
    void forEachStoredRun(int row, Each&& each) const;

private:
    // What the export writes into a row: cells 1 on of a table's row, or a
    // table's label into cell 0; nothing into row 0.
    struct Row {
        const Grid* source = nullptr;
        int sourceRow = 0;
        GridNumber label{0};  // the grid number of a label row; 0 in the others
    };

    static inline const GridRow kEmptyCell{""};

    const Grid& old_;
    std::array<GridRow, kFileListGrid.number()> labels_;
    std::vector<Row> rows_;
    int columns_ = 0;
};

template <typename Each>
void ExportedSummary::forEachStoredRun(int row, Each&& each) const
{
    // Runs of cells, not a cell at a time: the export reads millions of
    // cells, and each would otherwise be looked up anew.
    const Row& what = rows_[static_cast<size_t>(row)];
    const Grid::Cells old = old_.storedRow(row);
    if (what.label != GridNumber(0)) {
        each(Grid::Cells(labels_[what.label.index()]), 0, 1);
        each(old, 1, old.size());
        return;
    }
    if (!what.source) {
        each(old, 0, old.size());
        return;
    }
    // Column 0 is emptied; the columns past the table's width keep what the
    // summary held.
    const Grid::Cells cells = what.source->storedRow(what.sourceRow);
    const size_t width = static_cast<size_t>(what.source->colCount());
    const size_t stored = std::max(old.size(), cells.size());
    if (stored == 0)
        return;
    const Grid::Cells empty(kEmptyCell);
    each(empty, 0, 1);
    each(cells, 1, cells.size());
    for (size_t c = std::max<size_t>(cells.size(), 1); c < std::min(stored, width); ++c)
        each(empty, 0, 1);
    each(old, std::max(cells.size(), width), stored);
}

// Export without the file: the summary table as a grid.
Grid BuildSummaryTable(const DescDocument& document);
// The table text file Export table writes, straight from the tables, a
// piece at a time: the bytes of the summary table it fills, without filling
// it.
void WriteExportedTable(const DescDocument& document, const std::string& path);

// Turns a path into what two paths must share to name the same file.
using PathKey = std::function<std::string(const std::string& path)>;

// Where the rows of one labelled block went.
struct BlockPlacement {
    GridNumber grid{0};      // the table the label names
    int labelRow = 0;  // its row in the summary table
    int movedRows = 0;  // rows placed by their path away from their position
    bool namedAny = false;  // a row named an opened file
    // The opened files (file-list rows) no row of the block named, and
    // whether each kept the value it had before the import.
    struct Unnamed {
        int row;
        bool kept;
    };
    std::vector<Unnamed> unnamed;
};

// A block row with a cell right of its block's header row: a value that held
// a TAB split in two and moved every later value of its row one column on.
struct WideRow {
    GridNumber grid;
    int line;          // of the table, from 1
    std::string path;  // as the row names its file
    int extraCells;
};

// A column of a block whose header the tables do not have: one inserted
// in a spreadsheet, for notes or by mistake. Its cells are not imported.
struct ForeignColumn {
    GridNumber grid;
    int line;          // of the block's label, from 1
    int column;        // from 0: column A is 0
    std::string header;
    size_t cells;      // the block's cells in it that hold text
};

// A value column of the tables that a block naming opened files has no
// column for: deleted or renamed in a spreadsheet. Columns are placed by
// their headers, so its values cannot be found.
struct MissingColumn {
    GridNumber grid;
    int line;          // of the block's label, from 1
    std::string key;   // empty: the block has no header row at all
    int value = 0;     // which of the key's values, from 1, when it has several
};

// A spreadsheet column's name: A for 0, Z for 25, AA for 26.
std::string SpreadsheetColumnName(int column);

struct ImportPlacement {
    std::vector<BlockPlacement> blocks;  // in the order they were applied
    // Section tables with values that the import left as they were, since
    // the table has no block for them or their blocks name none of the
    // opened files: a block whose rows were all deleted in a spreadsheet
    // must not empty that section in every file.
    std::vector<GridNumber> leftAlone;
    // Paths that "File list" blocks name but that are not open (the first
    // kNamedCells of them).
    size_t unopenedCount = 0;
    std::vector<std::string> unopened;
    size_t wideRowCount = 0;
    std::vector<WideRow> wideRows;  // the first kNamedCells
    size_t foreignColumnCount = 0;
    std::vector<ForeignColumn> foreignColumns;  // the first kNamedCells
    size_t missingColumnCount = 0;
    std::vector<MissingColumn> missingColumns;  // the first kNamedCells

    int movedRows() const;
    // For the user; empty when there is nothing to say.
    Message leftAloneMessage() const;
    Message wideRowsMessage() const;
    Message unopenedMessage() const;
    Message foreignColumnsMessage() const;
    Message missingColumnsMessage() const;
};

// A cell an import changes; its text lies in the table read, or in the
// summary table when none was read.
struct ImportEdit {
    GridNumber grid;
    int col;
    int row;
    std::string_view text;
    int summaryRow = -1;  // the row of the summary rows it comes from; -1 for an emptied cell
    int summaryCol = -1;  // and its column, which its header placed
};

// An import worked out against the document, before it changes anything.
struct PreparedImport {
    // The table text file read; none when the file dialog was cancelled,
    // and the summary table's own rows are imported.
    std::optional<TableText> table;
    // The cells of the section tables whose text the import changes.
    std::vector<ImportEdit> edits;
    ImportPlacement placement;
};

// Places each labelled block of the summary rows in the table it names and
// lists the cells that change. Table sizes never change; a label that names
// no table is skipped. The file list is never written: Save all writes only
// the files that were opened, and a table naming others is refused.
//
// Each column goes to the table's column of its header (a key's name and
// its n-th occurrence in the block's header row, the row whose path cell
// reads as the table's), so that a column inserted in a spreadsheet moves
// no value into another key; a column whose header the tables do not have
// is left out and named, and a block naming opened files that has no column
// for one of the table's values is noted as missing.
//
// A block row whose path (column 1 of a section block, column 2 of a
// file-list block) names a file of the file list goes to that file's row,
// so that a table sorted or thinned in a spreadsheet still gives each file
// its own values, and keeps the path cell the tables show; any other row
// goes to the row at its position in the block. The files a table's blocks
// do not name keep their values; a section table whose blocks name no
// opened file at all is left as it was. Paths are compared through `key`
// (their bytes when it is empty) with their "~" dropped, as reading a table
// drops it.
void PlaceSummaryRows(const SummaryRows& rows, const DescDocument& document, const PathKey& key,
                      PreparedImport& import);

// Reads the table (none: the summary table as it is) and places its rows.
// Throws DravikError, with nothing changed, when the table cannot place
// its rows safely: open files whose paths the tables show with "?", a
// "File list" that names files that are not open, a table laid out
// otherwise than exported (see TableLayoutProblem), or a block missing a
// column of the values it would write.
PreparedImport PrepareImport(const DescDocument& document, std::optional<TableText> table);
// One edit: the summary table becomes the table read, when one was read,
// and the section tables take the import's cells.
[[nodiscard]] TableChange ApplyImport(DescDocument& document, PreparedImport&& import);
// For a caller that keeps no history and shows no summary table (the batch):
// only the section tables take the import's cells, a slice at a time, so
// that a big table's import holds no record of what it replaced.
void ApplyImportWithoutHistory(DescDocument& document, PreparedImport&& import);

// The three commands on the document, each one edit.
[[nodiscard]] TableChange ExportTable(DescDocument& document);
// `tableBytes` is the table text file read in; none when the file dialog was
// cancelled, which still copies the summary table's blocks back.
[[nodiscard]] TableChange ImportTable(DescDocument& document, const std::string* tableBytes,
                                     ImportPlacement* placement = nullptr);
// Double-click on the summary table, answered Yes: every cell empty.
[[nodiscard]] TableChange ClearSummaryTable(DescDocument& document);

}  // namespace dravik
