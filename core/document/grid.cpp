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

void CellEnds::widen()
{
    std::vector<std::uint16_t> wide;
    wide.reserve(std::max(words_.capacity(), words_.size()) * 2);
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

Grid::Grid(int columns, int rows) : cols_(std::max(columns, 1)), rows_(static_cast<size_t>(std::max(rows, 1))) {}

void Grid::setSize(int columns, int rows)
{
    setColCount(columns);
    setRowCount(rows);
}

GridRow& Grid::ownRow(size_t row)
{
    SharedRow& shared = rows_[row];
    if (!shared)
        shared = std::make_shared<GridRow>();
    else if (shared.use_count() > 1)
        shared = std::make_shared<GridRow>(*shared);
    return *shared;
}

void Grid::cut(size_t row, size_t cells)
{
    if (!rows_[row] || rows_[row]->ends_.size() <= cells)
        return;
    if (cells == 0) {
        rows_[row].reset();
        return;
    }
    GridRow& own = ownRow(row);
    own.ends_.cut(cells);
    own.text_.resize(own.ends_.back());
}

void Grid::setColCount(int columns)
{
    columns = std::max(columns, 1);
    if (columns < cols_)
        for (size_t r = 0; r < rows_.size(); ++r)
            cut(r, static_cast<size_t>(columns));
    cols_ = columns;
}

void Grid::setRowCount(int rows) { rows_.resize(static_cast<size_t>(std::max(rows, 1))); }

void Grid::setCell(int col, int row, std::string_view text)
{
    if (col < 0 || row < 0 || col >= cols_ || row >= rowCount())
        return;
    const size_t c = static_cast<size_t>(col);
    if (c >= rowAt(row).ends_.size()) {
        if (text.empty())
            return;
        // The cells between are stored empty.
        GridRow& cells = ownRow(static_cast<size_t>(row));
        while (cells.ends_.size() < c)
            cells.ends_.push_back(static_cast<std::uint32_t>(cells.text_.size()));
        cells.add(text);
        return;
    }
    GridRow& cells = ownRow(static_cast<size_t>(row));
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
    const size_t r = static_cast<size_t>(row);
    rows_[r] = cells.ends_.empty() ? nullptr : std::make_shared<GridRow>(std::move(cells));
    cut(r, static_cast<size_t>(cols_));
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

void Grid::copyRow(int row, const Grid& from, int fromRow)
{
    if (row < 0 || row >= rowCount())
        return;
    const size_t r = static_cast<size_t>(row);
    rows_[r] = fromRow >= 0 && fromRow < from.rowCount() ? from.rows_[static_cast<size_t>(fromRow)] : nullptr;
    cut(r, static_cast<size_t>(cols_));
}

void Grid::clearCells(int fromCol, int fromRow)
{
    fromCol = std::max(fromCol, 0);
    for (size_t r = static_cast<size_t>(std::max(fromRow, 0)); r < rows_.size(); ++r)
        cut(r, static_cast<size_t>(fromCol));
}

int Grid::storedCells(int row) const { return static_cast<int>(rowAt(row).ends_.size()); }

bool Grid::sameRow(int row, const Grid& other, int otherRow) const
{
    const GridRow& a = rowAt(row);
    const GridRow& b = other.rowAt(otherRow);
    return &a == &b || (a.ends_ == b.ends_ && a.text_ == b.text_);
}

size_t Grid::memoryUsed() const
{
    size_t bytes = sizeof(Grid) + rows_.capacity() * sizeof(SharedRow);
    for (const SharedRow& row : rows_)
        if (row) {
            const size_t held = sizeof(GridRow) + row->ends_.bytesHeld() +
                                (row->text_.capacity() > 15 ? row->text_.capacity() + 1 : 0);
            bytes += held / static_cast<size_t>(row.use_count());
        }
    return bytes;
}

bool Grid::operator==(const Grid& other) const
{
    if (cols_ != other.cols_ || rows_.size() != other.rows_.size())
        return false;
    for (size_t r = 0; r < rows_.size(); ++r) {
        const Cells a(rowAt(static_cast<int>(r)));
        const Cells b(other.rowAt(static_cast<int>(r)));
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
