// What an edit of the tables changed, kept compactly so that a long history
// of large edits stays small: the cells with their text before and after,
// the size changes, and whole tables packed, in the order they were made.
// Undoing replays it backwards, redoing forwards.
#pragma once

#include "core/document/grid.h"

#include <cstdint>
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
    size_t memoryUsed() const { return steps_.capacity() * sizeof(Step) + text_.capacity(); }

    enum class Kind : std::uint8_t {
        Cell,    // one cell's text
        Resize,  // a grid's size
        Grid,    // a whole grid, size and cells, before and after
    };
    struct Step {
        std::uint8_t grid;
        Kind kind;
        // A cell: its column and row. A size change: the size before.
        std::int32_t col;
        std::int32_t row;
        // A cell or a whole grid: where its texts lie. A size change: the size after.
        std::uint32_t offset;
        std::uint32_t beforeLength;
        std::uint32_t afterLength;
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
    // A whole grid's step: the grid before and after.
    Grid gridBefore(const Step& step) const { return Unpacked(before(step)); }
    Grid gridAfter(const Step& step) const { return Unpacked(after(step)); }

    void addCell(int grid, int col, int row, std::string_view before, std::string_view after);
    // Size changes carry their sizes in the cell fields; see Step.
    void addResize(int grid, int colsBefore, int rowsBefore, int colsAfter, int rowsAfter);
    // A grid replaced by another, `cells` of whose cells differ, both packed
    // (a byte or two per cell besides its text), when that takes fewer bytes
    // than `limit`; false, and nothing added, when it does not.
    bool addGridIfSmaller(int grid, const Grid& before, const Grid& after, size_t cells, size_t limit);

    // What a cell's step holds.
    static size_t CellCost(std::string_view before, std::string_view after)
    {
        return sizeof(Step) + before.size() + after.size();
    }

private:
    static size_t PackedCost(const Grid& grid);
    static Grid Unpacked(std::string_view packed);
    void checkRoom(size_t more) const;

    std::vector<Step> steps_;
    std::string text_;
    size_t cells_ = 0;
};

}  // namespace dravik
