#include "core/document/grid.h"

#include <gtest/gtest.h>

namespace dravik {
namespace {

TEST(Grid, CellsOutsideTheSizeDoNotExist)
{
    Grid grid(3, 2);
    grid.setCell(3, 0, "x");
    grid.setCell(0, 2, "x");
    grid.setCell(-1, 0, "x");
    grid.setCell(2, 1, "in");
    EXPECT_EQ(grid.cell(3, 0), "");
    EXPECT_EQ(grid.cell(0, 2), "");
    EXPECT_EQ(grid.cell(-1, -1), "");
    EXPECT_EQ(grid.cell(2, 1), "in");
    grid.setColCount(4);
    grid.setRowCount(3);
    EXPECT_EQ(grid.cell(3, 0), "") << "a write outside the grid must not be kept for later";
    EXPECT_EQ(grid.cell(0, 2), "");
}

TEST(Grid, NarrowingDropsCellsForGoodAndKeepsTheRest)
{
    Grid grid(4, 4);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            grid.setCell(c, r, std::to_string(c) + "," + std::to_string(r));
    grid.setSize(2, 4);
    grid.setRowCount(2);
    grid.setSize(4, 4);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(grid.cell(c, r), c < 2 && r < 2 ? std::to_string(c) + "," + std::to_string(r) : "")
                << c << "," << r;
}

TEST(Grid, SizeIsAtLeastOneByOne)
{
    Grid grid(0, -3);
    EXPECT_EQ(grid.colCount(), 1);
    EXPECT_EQ(grid.rowCount(), 1);
    grid.setSize(0, 0);
    EXPECT_EQ(grid.colCount(), 1);
    EXPECT_EQ(grid.rowCount(), 1);
}

TEST(Grid, ClearCellsKeepsFixedRowAndColumnAndSize)
{
    Grid grid(3, 3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            grid.setCell(c, r, "v");
    grid.clearCells(1, 1);
    EXPECT_EQ(grid.cell(0, 0), "v");
    EXPECT_EQ(grid.cell(2, 0), "v");
    EXPECT_EQ(grid.cell(0, 2), "v");
    EXPECT_EQ(grid.cell(1, 1), "");
    EXPECT_EQ(grid.cell(2, 2), "");
    EXPECT_EQ(grid.colCount(), 3);
    EXPECT_EQ(grid.rowCount(), 3);
}

TEST(Grid, RowsStoreOnlyUpToTheirLastWrittenCell)
{
    Grid grid(100000, 3);
    grid.setCell(5, 0, "x");
    grid.setCell(99999, 1, "far");
    grid.setCell(7, 2, "");
    EXPECT_EQ(grid.storedCells(0), 6);
    EXPECT_EQ(grid.storedCells(1), 100000);
    EXPECT_EQ(grid.storedCells(2), 0) << "an empty text past the stored cells stores nothing";
    grid.clearCells(1, 1);
    EXPECT_EQ(grid.storedCells(1), 1);
    EXPECT_EQ(grid.cell(99999, 1), "");
    grid.setColCount(4);
    EXPECT_EQ(grid.storedCells(0), 4);

    // Equality is about the texts: a stored empty cell equals one never written.
    Grid a(4, 2), b(4, 2);
    a.setCell(3, 1, "v");
    a.setCell(3, 1, "");
    EXPECT_TRUE(a == b);
    b.setCell(2, 0, "w");
    EXPECT_FALSE(a == b);
    EXPECT_FALSE(Grid(4, 2) == Grid(4, 3));
    EXPECT_FALSE(Grid(4, 2) == Grid(5, 2));
}

TEST(Grid, CellsHoldAnyBytes)
{
    Grid grid(2, 2);
    const std::string bytes("\0\xFF\t\r\n~", 6);
    grid.setCell(1, 1, bytes);
    EXPECT_EQ(grid.cell(1, 1), bytes);
}

}  // namespace
}  // namespace dravik
