// The rows of the section tables as the row filter reads them, and which
// files pass a filter: the window's filter bar and the batch's --where.
#pragma once

#include "core/bulk/column_profiles.h"
#include "core/bulk/row_filter.h"
#include "core/mod/base_comparison.h"

#include <span>
#include <vector>

namespace dravik {

// Row `row` of section table `grid`; columns are the grid's own. Compared
// with the base game when one is given.
// What a mod set's merged view tells of the tables' cells (core/modset
// answers it), for the filter words about many mods.
class MergedCells {
public:
    virtual ~MergedCells() = default;
    virtual bool conflict(GridNumber grid, int col, int row) const = 0;
    virtual bool lost(GridNumber grid, int col, int row) const = 0;
    virtual bool changedBy(int mod, GridNumber grid, int col, int row) const = 0;
    // The id of the mod of that name; -1 for none.
    virtual int findMod(std::string_view name) const = 0;
};

class TableRow : public FilterRow {
public:
    TableRow(const DescDocument& document, ColumnProfiles& profiles, GridNumber grid, int row,
             const BaseComparison* base = nullptr, const MergedCells* merged = nullptr)
        : document_(document), profiles_(profiles), base_(base), merged_(merged), grid_(grid), row_(row)
    {
    }
    std::string_view text(int column) const override { return document_.grid(grid_).cell(column, row_); }
    bool changed(int column) const override { return document_.cellChanged(grid_, column, row_); }
    bool absent(int column) const override { return document_.valueAbsent(grid_, column, row_); }
    std::string_view mostCommon(int column) const override { return profiles_.mostCommon(grid_, column); }
    bool hasBase() const override { return base_ && base_->hasBase(row_); }
    bool differsFromBase(int column) const override { return base_ && base_->differs(grid_, column, row_); }
    bool conflict(int column) const override { return merged_ && merged_->conflict(grid_, column, row_); }
    bool lost(int column) const override { return merged_ && merged_->lost(grid_, column, row_); }
    bool changedBy(int mod, int column) const override { return merged_ && merged_->changedBy(mod, grid_, column, row_); }

private:
    const DescDocument& document_;
    ColumnProfiles& profiles_;
    const BaseComparison* base_;
    const MergedCells* merged_;
    GridNumber grid_;
    int row_;
};

// The value columns (2 and on) of a section table.
std::vector<int> ValueColumns(const DescDocument& document, GridNumber grid);
// The value columns of a section table whose header names the key, as Save
// all finds a key's columns.
std::vector<int> KeyColumns(const DescDocument& document, GridNumber grid, std::string_view key);

// For each file row 1 .. descFileCount (index 0 unused), whether the filter
// matches one of `columns` of the section table in that row.
std::vector<bool> RowsPassing(const RowFilter& filter, const DescDocument& document, ColumnProfiles& profiles,
                              GridNumber grid, std::span<const int> columns);

}  // namespace dravik
