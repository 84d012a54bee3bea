#include "core/bulk/files_passing.h"

#include "core/bulk/table_rows.h"

#include <algorithm>

namespace dravik {

bool FilePasses(const RowFilter& filter, const DescDocument& document, ColumnProfiles& profiles,
                std::span<const FilterColumns> tables, int row, const BaseComparison* base,
                const MergedCells* merged)
{
    if (filter.all())
        return true;
    auto matches = [&](const FilterColumns& table) {
        return filter.matches(TableRow(document, profiles, table.grid, row, base, merged), table.columns);
    };
    // A vanilla file is the base's in every table looked at.
    if (filter.kind() == RowFilter::Kind::Vanilla)
        return std::all_of(tables.begin(), tables.end(), matches);
    return std::any_of(tables.begin(), tables.end(), matches);
}

std::vector<bool> FilesPassing(const RowFilter& filter, const DescDocument& document, ColumnProfiles& profiles,
                               std::span<const FilterColumns> tables, const BaseComparison* base,
                               const Progress& progress, const MergedCells* merged)
{
    const int files = document.descFileCount();
    std::vector<bool> passing(static_cast<size_t>(files) + 1, false);
    for (int r = 1; r <= files; ++r) {
        passing[static_cast<size_t>(r)] = FilePasses(filter, document, profiles, tables, r, base, merged);
        if (progress)
            progress(r, files);
    }
    return passing;
}

}  // namespace dravik
