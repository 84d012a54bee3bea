// The filter words about many mods (conflict, lost, mod:NAME), answered from
// a mod set for the tables that show its merged view (row = file + 1).
#pragma once

#include "core/bulk/table_rows.h"

namespace dravik {

class ModSet;

class ModSetCells : public MergedCells {
public:
    explicit ModSetCells(const ModSet& set) : set_(set) {}
    bool conflict(GridNumber grid, int col, int row) const override;
    bool lost(GridNumber grid, int col, int row) const override;
    bool changedBy(int mod, GridNumber grid, int col, int row) const override;
    int findMod(std::string_view name) const override;

private:
    // The value the cell shows, as (file, slot); slot -1 for none.
    std::pair<int, int> valueOf(GridNumber grid, int col, int row) const;
    const ModSet& set_;
};

}  // namespace dravik
