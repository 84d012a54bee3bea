// Which files the row filter lets through when it reads more than one table:
// the window's file list tab filters by the file's name and path and by
// every section table at once. A file passes when the filter matches one of
// the given columns of one of the tables in the file's row ("vanilla": in
// every one of the tables).
#pragma once

#include "core/bulk/column_profiles.h"
#include "core/bulk/row_filter.h"
#include "core/bulk/table_rows.h"
#include "core/mod/base_comparison.h"

#include <span>
#include <vector>

namespace dravik {

struct FilterColumns {
    GridNumber grid;
    std::vector<int> columns;  // the grid's own column numbers
};

bool FilePasses(const RowFilter& filter, const DescDocument& document, ColumnProfiles& profiles,
                std::span<const FilterColumns> tables, int row, const BaseComparison* base = nullptr,
                const MergedCells* merged = nullptr);

// For each file row 1 .. descFileCount (index 0 unused, false). `progress`
// hears after each file; it may throw to stop the filter, which changes
// nothing.
std::vector<bool> FilesPassing(const RowFilter& filter, const DescDocument& document, ColumnProfiles& profiles,
                               std::span<const FilterColumns> tables, const BaseComparison* base = nullptr,
                               const Progress& progress = {}, const MergedCells* merged = nullptr);

}  // namespace dravik
