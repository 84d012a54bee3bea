// What each value column of the section tables holds, kept current as the
// document changes: its most common value (the "differs" filter and the
// difference colours compare with it) and whether all its values on disk are
// numbers (then a cell edited into something else is a problem to point
// out). A column is worked out when first asked about after a change.
#pragma once

#include "core/document/desc_document.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dravik {

class ColumnProfiles : private DocumentListener {
public:
    explicit ColumnProfiles(DescDocument& document);
    ColumnProfiles(const ColumnProfiles&) = delete;
    ColumnProfiles& operator=(const ColumnProfiles&) = delete;

    // Over the file rows (1 and on) of a value column (2 and on) of a section
    // table; blank cells count as the value "", absent ones not at all (see
    // DescDocument::valueAbsent), and never differ.
    std::string_view mostCommon(GridNumber grid, int col);
    bool numericOnDisk(GridNumber grid, int col);
    // The cell's text differs from its column's most common value.
    bool differs(GridNumber grid, int col, int row);
    // A cell of a column whose values on disk are all numbers, edited into
    // something that is not a number (a blank cell counts when its file held
    // a value there).
    bool problem(GridNumber grid, int col, int row);

private:
    struct Column {
        std::optional<std::string> mostCommon;
        std::optional<bool> numericOnDisk;
    };
    Column& column(GridNumber grid, int col);
    bool isValueCell(GridNumber grid, int col, int row) const;

    void cellsChanged(GridNumber grid, int firstCol, int firstRow, int lastCol, int lastRow) override;
    void rowsInserted(GridNumber grid, int first, int last) override;
    void rowsRemoved(GridNumber grid, int first, int last) override;
    void columnsInserted(GridNumber grid, int first, int last) override;
    void columnsRemoved(GridNumber grid, int first, int last) override;
    void diskValuesChanged(GridNumber grid) override;
    // Every column of the grid from `firstCol` on is worked out again.
    void forgetColumns(GridNumber grid, int firstCol);

    DescDocument& document_;
    std::array<std::vector<Column>, kSectionCount> columns_;
    DocumentConnection connection_;
};

}  // namespace dravik
