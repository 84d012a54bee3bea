#include "core/document/table_change.h"

#include <algorithm>
#include <stdexcept>

namespace dravik {

void TableChange::checkRoom(size_t more) const
{
    // Offsets are 32-bit to keep each step small; one edit never holds 4 GB.
    if (text_.size() + more > UINT32_MAX)
        throw std::length_error("edit too large to be undone");
}

void TableChange::addCell(GridNumber grid, int col, int row, std::string_view before, std::string_view after)
{
    checkRoom(before.size() + after.size());
    steps_.push_back({static_cast<std::uint8_t>(grid.number()), Kind::Cell, col, row, static_cast<std::uint32_t>(text_.size()),
                      static_cast<std::uint32_t>(before.size()), static_cast<std::uint32_t>(after.size())});
    text_.append(before);
    text_.append(after);
    ++cells_;
}

void TableChange::addResize(GridNumber grid, int colsBefore, int rowsBefore, int colsAfter, int rowsAfter)
{
    steps_.push_back({static_cast<std::uint8_t>(grid.number()), Kind::Resize, colsBefore, rowsBefore,
                      static_cast<std::uint32_t>(colsAfter), static_cast<std::uint32_t>(rowsAfter), 0});
}

void TableChange::addGrid(GridNumber grid, Grid before, size_t cells)
{
    steps_.push_back({static_cast<std::uint8_t>(grid.number()), Kind::Grid, 0, 0, static_cast<std::uint32_t>(grids_.size()), 0, 0});
    grids_.push_back(std::make_shared<Grid>(std::move(before)));
    cells_ += cells;
}

size_t TableChange::memoryUsed() const
{
    size_t bytes = steps_.capacity() * sizeof(Step) + text_.capacity();
    for (const auto& grid : grids_)
        bytes += grid->memoryUsed();
    return bytes;
}

}  // namespace dravik
