#include "core/document/grid.h"
#include "core/document/grid_numbers.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <vector>

namespace dravik {
namespace {

// A bare int, or another kind of number, never passes for a grid number,
// a section or a file's row without being named so.
static_assert(!std::is_convertible_v<int, GridNumber>);
static_assert(!std::is_convertible_v<int, SectionNumber>);
static_assert(!std::is_convertible_v<int, FileRow>);
static_assert(!std::is_convertible_v<SectionNumber, GridNumber>);
static_assert(!std::is_convertible_v<FileRow, GridNumber>);
static_assert(!std::is_convertible_v<GridNumber, int>);
static_assert(dravik::GridNumber(11).index() == 10);

TEST(GridNumbers, RangesCountFromOneToTheLast)
{
    std::vector<int> grids;
    for (GridNumber n : AllGrids())
        grids.push_back(n.number());
    EXPECT_EQ(grids.size(), 12u);
    EXPECT_EQ(grids.front(), 1);
    EXPECT_EQ(grids.back(), 12);
    int sections = 0;
    for (SectionNumber s : AllSections()) {
        EXPECT_EQ(TableOf(s), dravik::GridNumber(s.number())) << "section tables come first, in section order";
        ++sections;
    }
    EXPECT_EQ(sections, kSectionCount);
    EXPECT_EQ(FileRowRange(0).begin(), FileRowRange(0).end()) << "no files, no rows";
}

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

TEST(Grid, NoCellPastARowsStoredCellsHoldsText)
{
    // Writers of whole tables walk each row only up to its stored cells.
    Grid grid(100000, 3);
    grid.setCell(5, 0, "x");
    grid.setCell(99999, 1, "far");
    grid.setCell(7, 2, "");
    grid.setCell(2, 2, "near");
    auto expectNothingPastStored = [&](const std::string& when) {
        for (int r = 0; r < grid.rowCount(); ++r) {
            EXPECT_LE(grid.storedCells(r), grid.colCount()) << when << ", row " << r;
            for (int c = grid.storedCells(r); c < grid.colCount(); ++c)
                ASSERT_EQ(grid.cell(c, r), "") << when << ", cell " << c << "," << r;
        }
    };
    expectNothingPastStored("written");
    EXPECT_EQ(grid.cell(99999, 1), "far");
    grid.clearCells(1, 1);
    expectNothingPastStored("cleared");
    EXPECT_EQ(grid.cell(5, 0), "x");
    grid.setColCount(4);
    expectNothingPastStored("narrowed");

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

TEST(Grid, ARowsCellsKeepTheirTextsAsTheirNeighboursChange)
{
    Grid grid(5, 2);
    for (int c = 0; c < 5; ++c)
        grid.setCell(c, 1, std::string(static_cast<size_t>(c) + 1, static_cast<char>('a' + c)));
    grid.setCell(2, 1, "a much longer text");
    grid.setCell(3, 1, "");
    grid.setCell(0, 1, grid.cell(4, 1));  // a text read from the same row
    EXPECT_EQ(grid.cell(0, 1), "eeeee");
    EXPECT_EQ(grid.cell(1, 1), "bb");
    EXPECT_EQ(grid.cell(2, 1), "a much longer text");
    EXPECT_EQ(grid.cell(3, 1), "");
    EXPECT_EQ(grid.cell(4, 1), "eeeee");
    grid.setCell(2, 1, "c");
    EXPECT_EQ(grid.cell(2, 1), "c");
    EXPECT_EQ(grid.cell(4, 1), "eeeee");
    // Past 64 KB a row's text is indexed wider, and stays right after.
    const std::string longText(70000, 'l');
    grid.setCell(1, 1, longText);
    EXPECT_EQ(grid.cell(1, 1), longText);
    EXPECT_EQ(grid.cell(4, 1), "eeeee");
    grid.setCell(1, 1, "bb");
    EXPECT_EQ(grid.cell(2, 1), "c");
    EXPECT_EQ(grid.cell(4, 1), "eeeee");
    Grid same(5, 2);
    same.setRow(1, std::vector<std::string>{"eeeee", "bb", "c", "", "eeeee"});
    EXPECT_TRUE(grid.sameRow(1, same, 1)) << "rows indexed at either width compare by their cells";

    // A row built from runs of another's cells, then cut to a narrower grid.
    GridRow built{"x"};
    const Grid::Cells cells = grid.storedRow(1);
    built.add(cells, 1, 3);
    built.add(cells, 4, 5);
    Grid narrow(3, 1);
    narrow.setRow(0, built);
    EXPECT_EQ(narrow.storedCells(0), 3);
    EXPECT_EQ(narrow.cell(0, 0), "x");
    EXPECT_EQ(narrow.cell(1, 0), "bb");
    EXPECT_EQ(narrow.cell(2, 0), "c");

    // Moving a grid keeps its rows where they are: a cell read before still
    // reads, as an import relies on for the texts of the table it moves in
    // (a row freed by the move is a use after free to the sanitizer build).
    const std::string_view seen = grid.cell(1, 1);
    const Grid moved = std::move(grid);
    EXPECT_EQ(seen, "bb");
    EXPECT_EQ(moved.cell(1, 1), "bb");
}

TEST(Grid, ARowEmptiedForReuseKeepsOnlyTheRoomItsLongestRowNeeded)
{
    // As a load builds every file's row in one GridRow: each long row
    // widens the ends again after the row was emptied.
    CellEnds ends;
    for (int row = 0; row < 64; ++row) {
        ends.clear();
        ends.push_back(10);
        ends.reserve(3, 70000);
        ends.push_back(70000);
        ends.push_back(70001);
        ASSERT_LE(ends.bytesHeld(), 3 * 4u) << "row " << row;
    }
    EXPECT_EQ(ends[0], 10u);
    EXPECT_EQ(ends.back(), 70001u);
}

TEST(Grid, RowsGrownButNeverWrittenReadEmptyAndTakeTextsFromTheirNeighbours)
{
    Grid grid(3, 2);
    grid.setCell(1, 1, "short");
    grid.setRowCount(100000);
    EXPECT_LT(grid.memoryUsed(), 1000u) << "empty rows cost nothing until written";
    EXPECT_EQ(grid.cell(1, 99999), "");
    EXPECT_EQ(grid.storedCells(99999), 0);
    grid.setCell(2, 99999, grid.cell(1, 1));  // read from a row that moves as the rows are taken in
    EXPECT_EQ(grid.cell(2, 99999), "short");
    EXPECT_EQ(grid.cell(1, 1), "short");

    Grid same(3, 100000);
    EXPECT_FALSE(grid == same);
    same.setCell(1, 1, "short");
    same.setRow(99999, std::vector<std::string>{"", "", "short"});
    same.setCell(0, 5000, "x");
    same.setCell(0, 5000, "");  // held, stored empty: equal to a row never held
    EXPECT_TRUE(grid == same);
    grid.setRowCount(3);
    grid.setRowCount(100000);
    EXPECT_EQ(grid.cell(2, 99999), "") << "a row dropped by a shrink does not come back";
}

}  // namespace
}  // namespace dravik
