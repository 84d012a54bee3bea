// What an edit of the tables changed, kept compactly so that a long history
// of large edits stays small: the cells with their text before and after,
// and the size changes, in the order they were made. Undoing replays it
// backwards, redoing forwards.
#pragma once

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

    // One cell of a change, or one size change of a grid.
    struct Step {
        std::uint8_t grid;
        bool resize;
        // A cell: its column and row. A size change: the size before.
        std::int32_t col;
        std::int32_t row;
        // A cell: where its texts lie. A size change: the size after.
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

    void addCell(int grid, int col, int row, std::string_view before, std::string_view after);
    // Size changes carry their sizes in the cell fields; see Step.
    void addResize(int grid, int colsBefore, int rowsBefore, int colsAfter, int rowsAfter);

private:
    std::vector<Step> steps_;
    std::string text_;
    size_t cells_ = 0;
};

}  // namespace dravik
