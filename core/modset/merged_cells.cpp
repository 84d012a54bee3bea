#include "core/modset/merged_cells.h"

#include "core/modset/mod_set.h"

namespace dravik {

std::pair<int, int> ModSetCells::valueOf(GridNumber grid, int col, int row) const
{
    // Rows past the set's files (the tables' spare rows) show no value.
    if (row < 1 || row > set_.fileCount())
        return {-1, -1};
    return {row - 1, set_.schema().slotOfCell(grid, col)};
}

bool ModSetCells::conflict(GridNumber grid, int col, int row) const
{
    const auto [file, slot] = valueOf(grid, col, row);
    return slot >= 0 && set_.mark(file, slot).origin == Origin::Conflict;
}

bool ModSetCells::lost(GridNumber grid, int col, int row) const
{
    const auto [file, slot] = valueOf(grid, col, row);
    return slot >= 0 && set_.mark(file, slot).lost;
}

bool ModSetCells::changedBy(int mod, GridNumber grid, int col, int row) const
{
    const auto [file, slot] = valueOf(grid, col, row);
    return slot >= 0 && set_.changes(mod, file, slot);
}

int ModSetCells::findMod(std::string_view name) const { return set_.findMod(std::string(name)); }

}  // namespace dravik
