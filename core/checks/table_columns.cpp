#include "core/checks/table_columns.h"

#include "core/text/cell_value.h"

#include <algorithm>
#include <set>

namespace dravik {

TableColumns::TableColumns(const DescDocument& document)
{
    for (GridNumber grid : SectionTables()) {
        const Grid& table = document.grid(grid);
        auto& indexes = indexes_[grid.index()];
        indexes.assign(static_cast<size_t>(std::max(table.colCount(), 0)), -1);
        std::set<std::string_view> seen;
        for (int c = kFirstValueColumn; c < table.colCount();) {
            const std::string_view header = table.cell(c, 0);
            int end = c + 1;
            while (end < table.colCount() && table.cell(end, 0) == header)
                ++end;
            if (!header.empty() && seen.insert(header).second) {
                const int values = grid == kTextSectionTable ? 1 : end - c;
                for (int j = 0; j < values; ++j) {
                    indexes[static_cast<size_t>(c + j)] = static_cast<int>(columns_.size());
                    columns_.push_back({SectionOf(grid), std::string(header), j + 1});
                    places_.push_back({grid, c + j});
                }
            }
            c = end;
        }
    }
}

int TableColumns::find(const CheckColumn& column) const
{
    if (!IsSection(column.section))
        return -1;
    const auto& indexes = indexes_[column.section.index()];
    for (int index : indexes)
        if (index >= 0 && columns_[static_cast<size_t>(index)] == column)
            return index;
    return -1;
}

bool HoldsValue(const DescDocument& document, GridNumber grid, int col, int row)
{
    return document.keyLineRead(grid, col, row) && !IsBlankCell(document.grid(grid).cell(col, row));
}

}  // namespace dravik
