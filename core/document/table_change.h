// What an edit of the tables changed, kept compactly so that a long history
// of large edits stays small: the cells with their text before and after,
// the size changes, and whole tables, in the order they were made. Undoing
// replays it backwards, redoing forwards.
//
// A whole table is held once: the change keeps the table that the document
// does not hold, and undoing or redoing swaps the two. So an export that
// fills millions of cells costs neither a copy nor a packing, and a change
// must be undone and redone in turn on the document that made it, as the
// history does.
#pragma once

#include "core/document/grid.h"
#include "core/document/grid_numbers.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace dravik {

class TableChange {
public:
    bool empty() const { return steps_.empty(); }
    // Cells whose text changed (size changes not counted).
    size_t cellCount() const { return cells_; }
    // Bytes held: what one step of the history costs in memory.
    size_t memoryUsed() const;

    enum class Kind : std::uint8_t {
        Cell,    // one cell's text
        Resize,  // a grid's size
        Grid,    // a whole grid, size and cells: the one the document does not hold
    };
    struct Step {
        std::uint8_t grid;
        Kind kind;
        // A cell: its column and row. A size change: the size before.
        std::int32_t col;
        std::int32_t row;
        // A cell: where its texts lie. A size change: the size after. A
        // whole grid: which of the held grids it is.
        std::uint32_t offset;
        std::uint32_t beforeLength;
        std::uint32_t afterLength;
        GridNumber gridNumber() const { return GridNumber(grid); }
    };
    const std::vector<Step>& steps() const { return steps_; }
    std::string_view before(const Step& step) const { return {text_.data() + step.offset, step.beforeLength}; }
    std::string_view after(const Step& step) const
    {
        return {text_.data() + step.offset + step.beforeLength, step.afterLength};
    }
    struct Size {
        int cols;
        int rows;
    };
    static Size sizeBefore(const Step& step) { return {step.col, step.row}; }
    static Size sizeAfter(const Step& step)
    {
        return {static_cast<int>(step.offset), static_cast<int>(step.beforeLength)};
    }
    // A whole grid's step: the grid the document does not hold now, to be
    // swapped with the document's.
    Grid& heldGrid(const Step& step) const { return *grids_[step.offset]; }

    void addCell(GridNumber grid, int col, int row, std::string_view before, std::string_view after);
    // Size changes carry their sizes in the cell fields; see Step.
    void addResize(GridNumber grid, int colsBefore, int rowsBefore, int colsAfter, int rowsAfter);
    // A grid replaced whole, `cells` of whose cells differ: `before` is the
    // grid it replaced, moved in.
    void addGrid(GridNumber grid, Grid before, size_t cells);

    // What a cell's step holds.
    static size_t CellCost(std::string_view before, std::string_view after)
    {
        return sizeof(Step) + before.size() + after.size();
    }

private:
    void checkRoom(size_t more) const;

    std::vector<Step> steps_;
    std::string text_;
    // Shared by copies of the change, which are one change of one document.
    std::vector<std::shared_ptr<Grid>> grids_;
    size_t cells_ = 0;
};

}  // namespace dravik
