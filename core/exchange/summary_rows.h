// The rows of a summary table as the import reads them: the summary table
// itself, or a table text file read straight from its bytes (TableText), so
// that the batch places a big table's rows without a string for every cell.
#pragma once

#include "core/document/grid.h"

#include <string_view>
#include <vector>

namespace dravik {

class SummaryRows {
public:
    virtual ~SummaryRows() = default;
    virtual int rowCount() const = 0;
    virtual int colCount() const = 0;
    virtual std::string_view cell(int col, int row) const = 0;
    // A row's cells from column 0 on; every cell past them is empty.
    virtual void cells(int row, std::vector<std::string_view>& out) const = 0;
};

class GridRows final : public SummaryRows {
public:
    explicit GridRows(const Grid& grid) : grid_(grid) {}
    int rowCount() const override { return grid_.rowCount(); }
    int colCount() const override { return grid_.colCount(); }
    std::string_view cell(int col, int row) const override { return grid_.cell(col, row); }
    void cells(int row, std::vector<std::string_view>& out) const override
    {
        out.clear();
        for (int c = 0, stored = grid_.storedCells(row); c < stored; ++c)
            out.push_back(grid_.cell(c, row));
    }

private:
    const Grid& grid_;
};

}  // namespace dravik
