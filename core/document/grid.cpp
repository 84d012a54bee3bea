#include "core/document/grid.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace dravik {

namespace {

// A row's text is indexed with 32 bits; no table of this program holds a
// row of 4 GB.
void CheckRowLength(size_t length)
{
    if (length > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("row too long");
}

}  // namespace

bool CellEnds::operator==(const CellEnds& other) const
{
    if (wide_ == other.wide_)
        return words_ == other.words_;
    if (size() != other.size())
        return false;
    for (size_t c = 0; c < size(); ++c)
        if ((*this)[c] != other[c])
            return false;
    return true;
}

void CellEnds::widen(size_t cells)
{
    // Room for the cells asked for, not for the room held: a row emptied
    // for reuse keeps its room, and doubling that at every long row would
    // double it from row to row.
    std::vector<std::uint16_t> wide;
    wide.reserve(2 * cells);
    for (const std::uint16_t end : words_) {
        wide.push_back(end);
        wide.push_back(0);
    }
    words_.swap(wide);
    wide_ = true;
}

void GridRow::add(std::string_view cell)
{
    CheckRowLength(text_.size() + cell.size());
    text_.append(cell);
    ends_.push_back(static_cast<std::uint32_t>(text_.size()));
}

Grid::Grid(int columns, int rows) : cols_(std::max(columns, 1)), rowCount_(std::max(rows, 1)) {}

void Grid::setSize(int columns, int rows)
{
    setColCount(columns);
    setRowCount(rows);
}

void Grid::cut(GridRow& row, size_t cells)
{
    if (row.ends_.size() <= cells)
        return;
    row.ends_.cut(cells);
    row.text_.resize(cells == 0 ? 0 : row.ends_.back());
}

void Grid::setColCount(int columns)
{
    columns = std::max(columns, 1);
    if (columns < cols_)
        for (auto& row : rows_)
            cut(row, static_cast<size_t>(columns));
    cols_ = columns;
}

void Grid::setRowCount(int rows)
{
    rowCount_ = std::max(rows, 1);
    if (rows_.size() > static_cast<size_t>(rowCount_))
        rows_.resize(static_cast<size_t>(rowCount_));
}

void Grid::setCell(int col, int row, std::string_view text)
{
    if (col < 0 || row < 0 || col >= cols_ || row >= rowCount())
        return;
    if (static_cast<size_t>(row) >= rows_.size()) {
        if (text.empty())
            return;
        // The text may lie in a row that moves as the rows are taken in.
        const std::string kept(text);
        holdAllRows();
        setCell(col, row, kept);
        return;
    }
    GridRow& cells = rows_[static_cast<size_t>(row)];
    const size_t c = static_cast<size_t>(col);
    if (c >= cells.ends_.size()) {
        if (text.empty())
            return;
        // The cells between are stored empty.
        while (cells.ends_.size() < c)
            cells.ends_.push_back(static_cast<std::uint32_t>(cells.text_.size()));
        cells.add(text);
        return;
    }
    const size_t begin = c == 0 ? 0 : cells.ends_[c - 1];
    const size_t length = cells.ends_[c] - begin;
    CheckRowLength(cells.text_.size() - length + text.size());
    cells.text_.replace(begin, length, text);
    const std::uint32_t grown = static_cast<std::uint32_t>(text.size() - length);  // wraps when it shrinks
    for (size_t k = c; k < cells.ends_.size(); ++k)
        cells.ends_.set(k, cells.ends_[k] + grown);
}

void Grid::setRow(int row, GridRow cells)
{
    if (row < 0 || row >= rowCount())
        return;
    cut(cells, static_cast<size_t>(cols_));
    if (static_cast<size_t>(row) >= rows_.size()) {
        if (cells.ends_.empty())
            return;
        holdAllRows();
    }
    rows_[static_cast<size_t>(row)] = std::move(cells);
}

void Grid::setRow(int row, const std::vector<std::string>& cells)
{
    GridRow built;
    size_t bytes = 0;
    for (const std::string& cell : cells)
        bytes += cell.size();
    built.reserve(cells.size(), bytes);
    for (const std::string& cell : cells)
        built.add(cell);
    setRow(row, std::move(built));
}

void Grid::clearCells(int fromCol, int fromRow)
{
    fromCol = std::max(fromCol, 0);
    for (size_t r = static_cast<size_t>(std::max(fromRow, 0)); r < rows_.size(); ++r)
        cut(rows_[r], static_cast<size_t>(fromCol));
}

int Grid::storedCells(int row) const { return static_cast<int>(rowAt(row).ends_.size()); }

bool Grid::sameRow(int row, const Grid& other, int otherRow) const
{
    const GridRow& a = rowAt(row);
    const GridRow& b = other.rowAt(otherRow);
    return a.ends_ == b.ends_ && a.text_ == b.text_;
}

size_t Grid::memoryUsed() const
{
    size_t bytes = sizeof(Grid) + rows_.capacity() * sizeof(GridRow);
    for (const GridRow& row : rows_)
        bytes += row.ends_.bytesHeld() + (row.text_.capacity() > 15 ? row.text_.capacity() + 1 : 0);
    return bytes;
}

bool Grid::operator==(const Grid& other) const
{
    if (cols_ != other.cols_ || rowCount_ != other.rowCount_)
        return false;
    for (int r = 0, held = static_cast<int>(std::max(rows_.size(), other.rows_.size())); r < held; ++r) {
        const Cells a(rowAt(r));
        const Cells b(other.rowAt(r));
        const size_t common = std::min(a.size(), b.size());
        // Equal texts and equal ends up to the common cells.
        if (common > 0 && a.text().substr(0, a.end(common - 1)) != b.text().substr(0, b.end(common - 1)))
            return false;
        for (size_t c = 0; c < common; ++c)
            if (a.end(c) != b.end(c))
                return false;
        // Stored empty cells equal cells that were never stored.
        const std::uint32_t aUpTo = common == 0 ? 0 : a.end(common - 1);
        const std::uint32_t bUpTo = common == 0 ? 0 : b.end(common - 1);
        if (a.text().size() != aUpTo || b.text().size() != bUpTo)
            return false;
    }
    return true;
}

}  // namespace dravik
