#include "core/bulk/files_passing.h"

#include "core/bulk/table_rows.h"

namespace dravik {

bool FilePasses(const RowFilter& filter, const DescDocument& document, ColumnProfiles& profiles,
                std::span<const FilterColumns> tables, int row)
{
    if (filter.all())
        return true;
    for (const FilterColumns& table : tables)
        if (filter.matches(TableRow(document, profiles, table.grid, row), table.columns))
            return true;
    return false;
}

std::vector<bool> FilesPassing(const RowFilter& filter, const DescDocument& document, ColumnProfiles& profiles,
                               std::span<const FilterColumns> tables)
{
    const int files = document.descFileCount();
    std::vector<bool> passing(static_cast<size_t>(files) + 1, false);
    for (int r = 1; r <= files; ++r)
        passing[static_cast<size_t>(r)] = FilePasses(filter, document, profiles, tables, r);
    return passing;
}

}  // namespace dravik
