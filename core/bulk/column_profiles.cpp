#include "core/bulk/column_profiles.h"

#include "core/text/cell_value.h"
#include "core/bulk/column_summary.h"

namespace dravik {

ColumnProfiles::ColumnProfiles(DescDocument& document) : document_(document), connection_(document.connect(*this)) {}

bool ColumnProfiles::isValueCell(GridNumber grid, int col, int row) const
{
    return IsSectionTable(grid) && col >= 2 && row >= 1 && col < document_.grid(grid).colCount() &&
           row < document_.grid(grid).rowCount();
}

ColumnProfiles::Column& ColumnProfiles::column(GridNumber grid, int col)
{
    auto& columns = columns_[grid.index()];
    if (static_cast<size_t>(col) >= columns.size())
        columns.resize(static_cast<size_t>(col) + 1);
    return columns[static_cast<size_t>(col)];
}

std::string_view ColumnProfiles::mostCommon(GridNumber grid, int col)
{
    if (!isValueCell(grid, col, 1))
        return {};
    Column& profile = column(grid, col);
    if (!profile.mostCommon) {
        const Grid& table = document_.grid(grid);
        std::vector<std::string_view> values;
        values.reserve(static_cast<size_t>(table.rowCount()));
        for (int r = 1; r < table.rowCount(); ++r)
            if (!document_.valueAbsent(grid, col, r))  // a value the file's line does not have
                values.push_back(table.cell(col, r));
        profile.mostCommon = std::string(MostCommonValue(values));
    }
    return *profile.mostCommon;
}

bool ColumnProfiles::numericOnDisk(GridNumber grid, int col)
{
    if (!isValueCell(grid, col, 1))
        return false;
    Column& profile = column(grid, col);
    if (!profile.numericOnDisk) {
        const int rows = document_.grid(grid).rowCount();
        std::vector<std::string_view> values;
        values.reserve(static_cast<size_t>(rows));
        for (int r = 1; r < rows; ++r)
            values.push_back(document_.diskValue(grid, col, r));
        profile.numericOnDisk = IsNumericColumn(values);
    }
    return *profile.numericOnDisk;
}

bool ColumnProfiles::differs(GridNumber grid, int col, int row)
{
    if (!isValueCell(grid, col, row) || document_.valueAbsent(grid, col, row))
        return false;
    return DiffersFromCommon(document_.grid(grid).cell(col, row), mostCommon(grid, col));
}

bool ColumnProfiles::problem(GridNumber grid, int col, int row)
{
    if (!isValueCell(grid, col, row) || !document_.cellChanged(grid, col, row) || !numericOnDisk(grid, col))
        return false;
    const std::string_view text = document_.grid(grid).cell(col, row);
    if (IsBlankCell(text))
        return !IsBlankCell(document_.diskValue(grid, col, row));
    return !IsCellNumber(text);
}

void ColumnProfiles::cellsChanged(GridNumber grid, int firstCol, int, int lastCol, int)
{
    if (!IsSectionTable(grid))
        return;
    auto& columns = columns_[grid.index()];
    for (int c = std::max(firstCol, 0); c <= lastCol && static_cast<size_t>(c) < columns.size(); ++c)
        columns[static_cast<size_t>(c)].mostCommon.reset();
}

void ColumnProfiles::forgetColumns(GridNumber grid, int firstCol)
{
    if (!IsSectionTable(grid))
        return;
    auto& columns = columns_[grid.index()];
    if (static_cast<size_t>(firstCol) < columns.size())
        columns.resize(static_cast<size_t>(firstCol));
}

// Rows that come or go change every column's values.
void ColumnProfiles::rowsInserted(GridNumber grid, int, int) { forgetColumns(grid, 0); }
void ColumnProfiles::rowsRemoved(GridNumber grid, int, int) { forgetColumns(grid, 0); }
void ColumnProfiles::columnsInserted(GridNumber grid, int first, int) { forgetColumns(grid, first); }
void ColumnProfiles::columnsRemoved(GridNumber grid, int first, int) { forgetColumns(grid, first); }

void ColumnProfiles::diskValuesChanged(GridNumber grid)
{
    if (IsSectionTable(grid))
        for (Column& profile : columns_[grid.index()])
            profile.numericOnDisk.reset();
}

}  // namespace dravik
