#include "core/document/table_change.h"

#include <stdexcept>

namespace dravik {

void TableChange::addCell(int grid, int col, int row, std::string_view before, std::string_view after)
{
    // Offsets are 32-bit to keep each step small; one edit never holds 4 GB.
    if (text_.size() + before.size() + after.size() > UINT32_MAX)
        throw std::length_error("edit too large to be undone");
    steps_.push_back({static_cast<std::uint8_t>(grid), false, col, row, static_cast<std::uint32_t>(text_.size()),
                      static_cast<std::uint32_t>(before.size()), static_cast<std::uint32_t>(after.size())});
    text_.append(before);
    text_.append(after);
    ++cells_;
}

void TableChange::addResize(int grid, int colsBefore, int rowsBefore, int colsAfter, int rowsAfter)
{
    steps_.push_back({static_cast<std::uint8_t>(grid), true, colsBefore, rowsBefore,
                      static_cast<std::uint32_t>(colsAfter), static_cast<std::uint32_t>(rowsAfter), 0});
}

}  // namespace dravik
