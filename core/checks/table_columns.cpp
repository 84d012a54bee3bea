#include "core/checks/table_columns.h"

#include "core/text/cell_value.h"

#include <algorithm>
#include <set>

namespace dravik {

TableColumns::TableColumns(const DescDocument& document)
{
    for (int grid = 1; grid <= kSectionCount; ++grid) {
        const Grid& table = document.grid(grid);
        auto& indexes = indexes_[SectionIndex(grid)];
        indexes.assign(static_cast<size_t>(std::max(table.colCount(), 0)), -1);
        std::set<std::string_view> seen;
        for (int c = kFirstValueColumn; c < table.colCount();) {
            const std::string_view header = table.cell(c, 0);
            int end = c + 1;
            while (end < table.colCount() && table.cell(end, 0) == header)
                ++end;
            if (!header.empty() && seen.insert(header).second) {
                const int values = grid == kSectionCount ? 1 : end - c;
                for (int j = 0; j < values; ++j) {
                    indexes[static_cast<size_t>(c + j)] = static_cast<int>(columns_.size());
                    columns_.push_back({grid, std::string(header), j + 1});
                    places_.push_back({grid, c + j});
                }
            }
            c = end;
        }
    }
}

int TableColumns::find(const CheckColumn& column) const
{
    if (column.section < 1 || column.section > kSectionCount)
        return -1;
    const auto& indexes = indexes_[SectionIndex(column.section)];
    for (int index : indexes)
        if (index >= 0 && columns_[static_cast<size_t>(index)] == column)
            return index;
    return -1;
}

bool HoldsValue(const DescDocument& document, int grid, int col, int row)
{
    return document.keyLineRead(grid, col, row) && !IsBlankCell(document.grid(grid).cell(col, row));
}

}  // namespace dravik
