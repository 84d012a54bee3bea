#include "core/grid.h"

#include <algorithm>

namespace dravik {

namespace {
const std::string kEmpty;
}

Grid::Grid(int columns, int rows, int defaultColumnWidth)
    : cols_(std::max(columns, 1)),
      rows_(std::max(rows, 1)),
      defaultColumnWidth_(defaultColumnWidth),
      cells_(static_cast<size_t>(cols_) * static_cast<size_t>(rows_)),
      widths_(static_cast<size_t>(cols_), defaultColumnWidth)
{
}

void Grid::setSize(int columns, int rows)
{
    columns = std::max(columns, 1);
    rows = std::max(rows, 1);
    if (columns == cols_ && rows == rows_)
        return;
    if (columns == cols_) {
        cells_.resize(static_cast<size_t>(columns) * static_cast<size_t>(rows));
        rows_ = rows;
        return;
    }
    std::vector<std::string> cells(static_cast<size_t>(columns) * static_cast<size_t>(rows));
    const int keepCols = std::min(columns, cols_);
    const int keepRows = std::min(rows, rows_);
    for (int r = 0; r < keepRows; ++r)
        for (int c = 0; c < keepCols; ++c)
            cells[static_cast<size_t>(r) * columns + c] = std::move(cells_[static_cast<size_t>(r) * cols_ + c]);
    cells_ = std::move(cells);
    widths_.resize(static_cast<size_t>(columns), defaultColumnWidth_);
    cols_ = columns;
    rows_ = rows;
}

void Grid::setColCount(int columns) { setSize(columns, rows_); }
void Grid::setRowCount(int rows) { setSize(cols_, rows); }

const std::string& Grid::cell(int col, int row) const
{
    if (col < 0 || row < 0 || col >= cols_ || row >= rows_)
        return kEmpty;
    return cells_[static_cast<size_t>(row) * cols_ + col];
}

void Grid::setCell(int col, int row, std::string text)
{
    if (col < 0 || row < 0 || col >= cols_ || row >= rows_)
        return;
    cells_[static_cast<size_t>(row) * cols_ + col] = std::move(text);
}

void Grid::clearCells(int fromCol, int fromRow)
{
    for (int r = std::max(fromRow, 0); r < rows_; ++r)
        for (int c = std::max(fromCol, 0); c < cols_; ++c)
            cells_[static_cast<size_t>(r) * cols_ + c].clear();
}

int Grid::colWidth(int col) const
{
    return col >= 0 && col < cols_ ? widths_[static_cast<size_t>(col)] : defaultColumnWidth_;
}

void Grid::setColWidth(int col, int width)
{
    if (col >= 0 && col < cols_)
        widths_[static_cast<size_t>(col)] = width;
}

}  // namespace dravik
