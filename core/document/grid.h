// A grid of text cells: what the program's tables hold.
//
// Row 0 and column 0 are the grid's fixed cells (headers and row numbers).
// Cells outside the grid's size do not exist: writing one stores nothing, and
// narrowing a grid drops the cells that fall outside it, so no value of an
// earlier load can reappear when it widens again.
//
// Each row stores its cells only up to its last written one, so a grid that
// is wide because of one long row costs memory for the cells it holds, and
// widening it costs nothing.
#pragma once

#include <string>
#include <vector>

namespace dravik {

class Grid {
public:
    Grid(int columns = 5, int rows = 5);

    int colCount() const { return cols_; }
    int rowCount() const { return static_cast<int>(rows_.size()); }
    void setColCount(int columns);
    void setRowCount(int rows);
    void setSize(int columns, int rows);

    // The empty text outside the grid. Inline: the exports and checks read
    // every cell of the tables.
    const std::string& cell(int col, int row) const
    {
        if (col < 0 || row < 0 || row >= rowCount())
            return kEmpty;
        const auto& cells = rows_[static_cast<size_t>(row)];
        return static_cast<size_t>(col) < cells.size() ? cells[static_cast<size_t>(col)] : kEmpty;
    }
    // Ignored outside the grid.
    void setCell(int col, int row, std::string text);
    // Empties cells from `fromCol` and `fromRow` on; the size stays.
    void clearCells(int fromCol = 0, int fromRow = 0);
    // How many cells of a row are stored: every cell from there on is empty.
    int storedCells(int row) const;
    // The stored cells of a row, never more than the width: for the passes
    // over every cell of a table (export, undo record, table text), which
    // would otherwise check each cell's place again.
    const std::vector<std::string>& storedRow(int row) const
    {
        return row >= 0 && row < rowCount() ? rows_[static_cast<size_t>(row)] : kNoCells;
    }
    // Row `row` holds these cells from column 0 on; those past the width are
    // dropped. For a row built whole: its cells are moved in, not copied.
    void setRow(int row, std::vector<std::string> cells);

    bool operator==(const Grid& other) const;

private:
    static inline const std::string kEmpty;
    static inline const std::vector<std::string> kNoCells;

    int cols_;
    std::vector<std::vector<std::string>> rows_;
};

}  // namespace dravik
