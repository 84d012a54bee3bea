// A grid of text cells: what the program's tables hold.
//
// Row 0 and column 0 are the grid's fixed cells (headers and row numbers).
// Cells outside the grid's size do not exist: writing one stores nothing, and
// narrowing a grid drops the cells that fall outside it, so no value of an
// earlier load can reappear when it widens again.
//
// Each row stores its cells only up to its last written one, one after
// another in one text with where each ends: a table of millions of short
// cells costs about its text, not a string for every cell, and is built,
// copied and written a row at a time. A cell is read as a view into its
// row, valid until that row changes; moving a grid keeps its rows where
// they are.
//
// Rows are held only from the first write on: a grid made at a size, or
// grown, costs nothing for its empty rows until a cell is stored, so the
// empty table left while a replaced one's new size is announced is free.
#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace dravik {

class Grid;

// Where each of a row's cells ends in the row's text: two bytes a cell while
// the text is shorter than 64 KB, as nearly every row's is, four after.
class CellEnds {
public:
    size_t size() const { return wide_ ? words_.size() / 2 : words_.size(); }
    bool empty() const { return words_.empty(); }
    std::uint32_t operator[](size_t c) const
    {
        return wide_ ? words_[2 * c] | static_cast<std::uint32_t>(words_[2 * c + 1]) << 16 : words_[c];
    }
    std::uint32_t back() const { return (*this)[size() - 1]; }
    void push_back(std::uint32_t end)
    {
        widenFor(end, size() + 1);
        if (wide_) {
            words_.push_back(static_cast<std::uint16_t>(end));
            words_.push_back(static_cast<std::uint16_t>(end >> 16));
        } else {
            words_.push_back(static_cast<std::uint16_t>(end));
        }
    }
    void set(size_t c, std::uint32_t end)
    {
        widenFor(end, size());
        if (wide_) {
            words_[2 * c] = static_cast<std::uint16_t>(end);
            words_[2 * c + 1] = static_cast<std::uint16_t>(end >> 16);
        } else {
            words_[c] = static_cast<std::uint16_t>(end);
        }
    }
    void pop_back() { words_.resize(words_.size() - (wide_ ? 2 : 1)); }
    // Never more cells than there are.
    void cut(size_t cells) { words_.resize(std::min(words_.size(), wide_ ? 2 * cells : cells)); }
    // Room for `cells` ends up to `largest`.
    void reserve(size_t cells, std::uint32_t largest)
    {
        widenFor(largest, std::max(cells, size()));
        words_.reserve(wide_ ? 2 * cells : cells);
    }
    void clear()
    {
        words_.clear();
        wide_ = false;
    }
    size_t bytesHeld() const { return words_.capacity() * sizeof(std::uint16_t); }
    bool operator==(const CellEnds& other) const;

private:
    // Four bytes an end from here on, with room for `cells` of them.
    void widenFor(std::uint32_t end, size_t cells)
    {
        if (!wide_ && end > 0xFFFF)
            widen(cells);
    }
    void widen(size_t cells);

    std::vector<std::uint16_t> words_;  // a cell's end, or its low and high halves in a wide row
    bool wide_ = false;
};

// The cells of one row as they are built, for a row filled whole.
class GridRow {
public:
    GridRow() = default;
    // A row of these cells.
    explicit GridRow(std::initializer_list<std::string_view> cells)
    {
        for (const std::string_view cell : cells)
            add(cell);
    }
    void reserve(size_t cells, size_t bytes)
    {
        ends_.reserve(cells, static_cast<std::uint32_t>(std::min<size_t>(bytes, UINT32_MAX)));
        text_.reserve(bytes);
    }
    void add(std::string_view cell);
    // Cells `from` up to `to` of another row, in one piece.
    template <typename Cells>
    void add(const Cells& cells, size_t from, size_t to);
    size_t size() const { return ends_.size(); }
    // Empty again, keeping the room it has.
    void clear()
    {
        text_.clear();
        ends_.clear();
    }

private:
    friend class Grid;
    std::string text_;
    CellEnds ends_;
};

class Grid {
public:
    // A row's stored cells, read in place.
    class Cells {
    public:
        explicit Cells(const GridRow& row) : row_(&row) {}
        size_t size() const { return row_->ends_.size(); }
        bool empty() const { return row_->ends_.empty(); }
        std::string_view operator[](size_t c) const
        {
            const std::uint32_t begin = c == 0 ? 0 : row_->ends_[c - 1];
            return std::string_view(row_->text_).substr(begin, row_->ends_[c] - begin);
        }
        // All the row's text, cell after cell with nothing between them,
        // and where in it each cell begins and ends.
        std::string_view text() const { return row_->text_; }
        std::uint32_t begin(size_t c) const { return c == 0 ? 0 : row_->ends_[c - 1]; }
        std::uint32_t end(size_t c) const { return row_->ends_[c]; }

        class iterator {
        public:
            iterator(const Cells& cells, size_t at) : cells_(&cells), at_(at) {}
            std::string_view operator*() const { return (*cells_)[at_]; }
            iterator& operator++()
            {
                ++at_;
                return *this;
            }
            bool operator!=(const iterator& other) const { return at_ != other.at_; }

        private:
            const Cells* cells_;
            size_t at_;
        };
        iterator begin() const { return iterator(*this, 0); }
        iterator end() const { return iterator(*this, size()); }

    private:
        const GridRow* row_;
    };

    Grid(int columns = 5, int rows = 5);

    int colCount() const { return cols_; }
    int rowCount() const { return rowCount_; }
    void setColCount(int columns);
    void setRowCount(int rows);
    void setSize(int columns, int rows);

    // The empty text outside the grid. Inline: the exports and checks read
    // every cell of the tables.
    std::string_view cell(int col, int row) const
    {
        if (col < 0 || row < 0 || row >= rowCount())
            return {};
        const Cells cells(rowAt(row));
        return static_cast<size_t>(col) < cells.size() ? cells[static_cast<size_t>(col)] : std::string_view();
    }
    // Ignored outside the grid.
    void setCell(int col, int row, std::string_view text);
    // Empties cells from `fromCol` and `fromRow` on; the size stays.
    void clearCells(int fromCol = 0, int fromRow = 0);
    // How many cells of a row are stored: every cell from there on is empty.
    int storedCells(int row) const;
    // The stored cells of a row, never more than the width: for the passes
    // over every cell of a table (export, undo record, table text), which
    // would otherwise check each cell's place again.
    Cells storedRow(int row) const
    {
        return Cells(rowAt(row));
    }
    // Row `row` holds these cells from column 0 on; those past the width are
    // dropped. For a row built whole: it is moved in, not copied.
    void setRow(int row, GridRow cells);
    void setRow(int row, const std::vector<std::string>& cells);

    bool operator==(const Grid& other) const;
    // Whether two rows hold the same cells, stored alike.
    bool sameRow(int row, const Grid& other, int otherRow) const;
    // Bytes held, as far as the grid knows them.
    size_t memoryUsed() const;

private:
    const GridRow& rowAt(int row) const
    {
        return row >= 0 && static_cast<size_t>(row) < rows_.size() ? rows_[static_cast<size_t>(row)] : kNoCells;
    }
    // Holds every row, for a write into one not held yet.
    void holdAllRows() { rows_.resize(static_cast<size_t>(rowCount_)); }
    static void cut(GridRow& row, size_t cells);

    static inline const GridRow kNoCells;

    int cols_;
    int rowCount_;
    std::vector<GridRow> rows_;  // the first rows, up to the last one held; the others are empty
};

template <typename Cells>
void GridRow::add(const Cells& cells, size_t from, size_t to)
{
    if (from >= to)
        return;
    const std::uint32_t begin = cells.begin(from);
    const std::uint32_t shift = static_cast<std::uint32_t>(text_.size()) - begin;  // wraps when it moves left
    add(cells.text().substr(begin, cells.end(to - 1) - begin));  // checked as one cell, then split
    ends_.pop_back();
    for (size_t c = from; c < to; ++c)
        ends_.push_back(cells.end(c) + shift);  // wraps back within the row
}

}  // namespace dravik
