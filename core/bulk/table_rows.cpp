#include "core/bulk/table_rows.h"

#include <string_view>

namespace dravik {

std::vector<int> ValueColumns(const DescDocument& document, GridNumber grid)
{
    std::vector<int> columns;
    for (int c = kFirstValueColumn; c < document.grid(grid).colCount(); ++c)
        columns.push_back(c);
    return columns;
}

std::vector<int> KeyColumns(const DescDocument& document, GridNumber grid, std::string_view key)
{
    const Grid& table = document.grid(grid);
    std::vector<std::string_view> headers;
    for (int c = kFirstValueColumn; c < table.colCount(); ++c)
        headers.push_back(table.cell(c, 0));
    std::vector<int> columns = ColumnsNamed(headers, key);
    for (int& column : columns)
        column += 2;
    return columns;
}

std::vector<bool> RowsPassing(const RowFilter& filter, const DescDocument& document, ColumnProfiles& profiles,
                              GridNumber grid, std::span<const int> columns)
{
    const int files = document.descFileCount();
    std::vector<bool> passing(static_cast<size_t>(files) + 1, true);
    passing[0] = false;
    if (filter.all())
        return passing;
    for (int r = 1; r <= files; ++r)
        passing[static_cast<size_t>(r)] = filter.matches(TableRow(document, profiles, grid, r), columns);
    return passing;
}

}  // namespace dravik
