// A grid of text cells: what the program's tables hold.
//
// Row 0 and column 0 are the grid's fixed cells (headers and row numbers).
// Cells outside the grid's size do not exist: writing one stores nothing, and
// narrowing a grid drops the cells that fall outside it, so no value of an
// earlier load can reappear when it widens again.
#pragma once

#include <string>
#include <vector>

namespace dravik {

class Grid {
public:
    static constexpr int kDefaultColumnWidth = 64;
    static constexpr int kDefaultRowHeight = 24;

    Grid(int columns = 5, int rows = 5, int defaultColumnWidth = kDefaultColumnWidth);

    int colCount() const { return cols_; }
    int rowCount() const { return rows_; }
    void setColCount(int columns);
    void setRowCount(int rows);
    void setSize(int columns, int rows);

    // The empty text outside the grid.
    const std::string& cell(int col, int row) const;
    // Ignored outside the grid.
    void setCell(int col, int row, std::string text);
    // Empties cells from `fromCol` and `fromRow` on; the size stays.
    void clearCells(int fromCol = 0, int fromRow = 0);

    int colWidth(int col) const;
    void setColWidth(int col, int width);
    const std::vector<int>& colWidths() const { return widths_; }
    int defaultColumnWidth() const { return defaultColumnWidth_; }
    int defaultRowHeight() const { return defaultRowHeight_; }
    void setDefaultRowHeight(int height) { defaultRowHeight_ = height; }

    bool operator==(const Grid& other) const { return cols_ == other.cols_ && rows_ == other.rows_ && cells_ == other.cells_; }

private:
    int cols_;
    int rows_;
    int defaultColumnWidth_;
    int defaultRowHeight_ = kDefaultRowHeight;
    std::vector<std::string> cells_;  // row by row
    std::vector<int> widths_;
};

}  // namespace dravik
