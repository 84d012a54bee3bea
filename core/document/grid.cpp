#include "core/document/grid.h"

#include <algorithm>

namespace dravik {

Grid::Grid(int columns, int rows) : cols_(std::max(columns, 1)), rows_(static_cast<size_t>(std::max(rows, 1))) {}

void Grid::setSize(int columns, int rows)
{
    setColCount(columns);
    setRowCount(rows);
}

void Grid::setColCount(int columns)
{
    columns = std::max(columns, 1);
    if (columns < cols_)
        for (auto& row : rows_)
            if (row.size() > static_cast<size_t>(columns))
                row.resize(static_cast<size_t>(columns));
    cols_ = columns;
}

void Grid::setRowCount(int rows) { rows_.resize(static_cast<size_t>(std::max(rows, 1))); }

void Grid::setCell(int col, int row, std::string text)
{
    if (col < 0 || row < 0 || col >= cols_ || row >= rowCount())
        return;
    auto& cells = rows_[static_cast<size_t>(row)];
    if (static_cast<size_t>(col) >= cells.size()) {
        if (text.empty())
            return;
        cells.resize(static_cast<size_t>(col) + 1);
    }
    cells[static_cast<size_t>(col)] = std::move(text);
}

void Grid::setRow(int row, std::vector<std::string> cells)
{
    if (row < 0 || row >= rowCount())
        return;
    if (cells.size() > static_cast<size_t>(cols_))
        cells.resize(static_cast<size_t>(cols_));
    rows_[static_cast<size_t>(row)] = std::move(cells);
}

void Grid::clearCells(int fromCol, int fromRow)
{
    fromCol = std::max(fromCol, 0);
    for (size_t r = static_cast<size_t>(std::max(fromRow, 0)); r < rows_.size(); ++r) {
        auto& cells = rows_[r];
        if (cells.size() > static_cast<size_t>(fromCol))
            cells.resize(static_cast<size_t>(fromCol));
    }
}

int Grid::storedCells(int row) const
{
    return row >= 0 && row < rowCount() ? static_cast<int>(rows_[static_cast<size_t>(row)].size()) : 0;
}

bool Grid::operator==(const Grid& other) const
{
    if (cols_ != other.cols_ || rows_.size() != other.rows_.size())
        return false;
    for (size_t r = 0; r < rows_.size(); ++r) {
        const auto& a = rows_[r];
        const auto& b = other.rows_[r];
        const size_t common = std::min(a.size(), b.size());
        if (!std::equal(a.begin(), a.begin() + static_cast<long>(common), b.begin()))
            return false;
        // Stored empty cells equal cells that were never stored.
        auto allEmpty = [](auto from, auto to) { return std::all_of(from, to, [](const std::string& s) { return s.empty(); }); };
        if (!allEmpty(a.begin() + static_cast<long>(common), a.end()) || !allEmpty(b.begin() + static_cast<long>(common), b.end()))
            return false;
    }
    return true;
}

}  // namespace dravik
