#include "core/exchange/table_exchange.h"

#include "core/errors.h"
#include "core/exchange/table_text_file.h"
#include "tests/core/exchange/table_text_of.h"
#include "tests/core/test_files.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace dravik {
namespace {

using Lines = std::vector<std::string>;
using Row = std::vector<std::string>;

Row RowOf(const Grid& grid, int r)
{
    Row cells;
    for (int c = 0; c < grid.colCount(); ++c)
        cells.emplace_back(grid.cell(c, r));
    return cells;
}

Grid GridOf(const std::vector<Row>& rows)
{
    Grid grid(static_cast<int>(rows.at(0).size()), static_cast<int>(rows.size()));
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            grid.setCell(static_cast<int>(c), static_cast<int>(r), rows[r][c]);
    return grid;
}

TEST(TableTextFile, EveryCellFollowedByATabEveryLineByCrLf)
{
    const Grid grid = GridOf({{"", "", "", ""},
                              {"Section 1", "", "", ""},
                              {"", "File name", "K", "K"},
                              {"", "P", "10", std::string("2\0\xFF", 3)}});
    EXPECT_EQ(test::TableTextOf(grid), "\t\t\t\t\r\nSection 1\t\t\t\t\r\n\tFile name\tK\tK\t\r\n\tP\t10\t2" + std::string(1, '\0') +
                                    "\xFF\t\r\n");
}

struct ReadCase {
    const char* what;
    std::string bytes;
    std::vector<Row> rows;  // the first rows of the grid afterwards
    int columns;
};

class TextToGridCases : public ::testing::TestWithParam<ReadCase> {};

void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.what; }

TEST_P(TextToGridCases, Cells)
{
    Grid grid(1, 1);
    TextToGrid(grid, GetParam().bytes);
    EXPECT_EQ(grid.colCount(), GetParam().columns) << GetParam().what;
    EXPECT_EQ(grid.rowCount(), 1 + static_cast<int>(GetParam().rows.size())) << GetParam().what;
    for (size_t r = 0; r < GetParam().rows.size(); ++r)
        EXPECT_EQ(RowOf(grid, static_cast<int>(r)), GetParam().rows[r]) << GetParam().what << " row " << r;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, TextToGridCases,
    ::testing::Values(
        ReadCase{"a written line gains a column", "\tP\t10\t\r\n", {{"", "P", "10", ""}}, 4},
        ReadCase{"no closing tab still fits", "\ta\tb", {{"", "a", "b"}}, 3},
        ReadCase{"width only grows within a file", "a\tb\t\r\n\tc\r\nd\r\n", {{"a", "b"}, {"", "c"}, {"d", ""}}, 2},
        ReadCase{"LF alone ends a line, a lone CR is dropped", "a\r\tb\t\nc\t\n", {{"a", "b"}, {"c", ""}}, 2},
        ReadCase{"a piece beyond the counted tabs has no column", "a\tb\r\n", {{"a"}}, 1},
        ReadCase{"Ctrl+Z ends the file", "a\t\r\nb\t\x1A\r\nlost\t\r\n", {{"a"}, {"b"}}, 1},
        ReadCase{"blanks and control characters at the start", "  \x01 x \t\t", {{"x ", ""}}, 2},
        ReadCase{"and at the end without a closing tab", "\t x \t  y  " + std::string(1, '\0'), {{"", " x ", "  y"}}, 3},
        ReadCase{"trailing blanks stay before a closing tab", " x \t y \t", {{"x ", " y "}}, 2},
        ReadCase{"tildes vanish, other bytes stay", "~a~\t\xFF~\xC0\t", {{"a", "\xFF\xC0"}}, 2},
        ReadCase{"an empty line gives an empty row", "\r\n\ta\t\r\n", {{"", "", ""}, {"", "a", ""}}, 3},
        ReadCase{"only blanks", "   \r\n", {{""}}, 1}));

TEST(TextToGrid, RowsGrowFromTheOldCountAndUnreachedRowsKeepTheirCells)
{
    Grid grid(2, 4);
    grid.setCell(0, 3, "kept");
    grid.setCell(1, 0, "replaced");
    TextToGrid(grid, "x\ty\r\n");
    EXPECT_EQ(grid.rowCount(), 5);
    EXPECT_EQ(grid.colCount(), 1) << "the first line sets the width even when the grid was wider";
    EXPECT_EQ(grid.cell(0, 0), "x");
    EXPECT_EQ(grid.cell(0, 3), "kept");
}

// Each row keeps only the cells its own line gave: a table whose width comes
// from one long line costs memory for the cells it holds, not rows x width.
TEST(TextToGrid, RowsHoldOnlyTheirOwnCells)
{
    std::string staircase;
    for (int i = 0; i < 2000; ++i) {
        for (int t = 0; t < i; ++t)
            staircase += "v\t";
        staircase += "\r\n";
    }
    Grid stairs(1, 1);
    TextToGrid(stairs, staircase);
    EXPECT_EQ(stairs.colCount(), 1999);
    for (int r = 0; r < 2000; ++r)
        ASSERT_EQ(stairs.storedCells(r), r) << r;
    EXPECT_EQ(stairs.cell(1998, 1999), "v");

    std::string wide;
    for (int c = 0; c < 100000; ++c)
        wide += "w\t";
    wide += "\r\n";
    for (int r = 0; r < 10000; ++r)
        wide += "a\tb\r\n";
    Grid grid(3, 10002);
    grid.setCell(2, 10001, "kept");  // a row no line reaches
    grid.setCell(2, 5000, "replaced");
    TextToGrid(grid, wide);
    EXPECT_EQ(grid.colCount(), 100000);
    EXPECT_EQ(grid.storedCells(0), 100000);
    for (int r = 1; r <= 10000; ++r)
        ASSERT_LE(grid.storedCells(r), r == 5000 ? 3 : 2) << r;
    EXPECT_EQ(grid.cell(99999, 0), "w");
    EXPECT_EQ(grid.cell(1, 10000), "b");
    EXPECT_EQ(grid.cell(0, 10000), "a");
    EXPECT_EQ(grid.cell(2, 5000), "") << "a shorter line empties the row's older cells";
    EXPECT_EQ(grid.cell(2, 10001), "kept");
}

TEST(TableTextFile, MissingFileAndUnwritablePathGiveTextFileErrors)
{
    test::TempFolder dir;
    Grid grid(2, 2);
    try {
        TextFileToGrid(grid, dir.file("missing.txt"));
        FAIL();
    } catch (const DravikError& e) {
        EXPECT_EQ(std::string(e.what()), "File not found");
    }
    EXPECT_EQ(grid.rowCount(), 2);
    try {
        GridToTextFile(grid, dir.path().string());
        FAIL();
    } catch (const DravikError& e) {
        EXPECT_EQ(std::string(e.what()), "File access denied");
    }
    const std::string path = dir.write("old.txt", "old");
    {
        test::WriteFailure full(1, test::kDiskFull);
        try {
            GridToTextFile(grid, path);
            FAIL();
        } catch (const DravikError& e) {
            EXPECT_EQ(std::string(e.what()), "Disk full");
        }
    }
    EXPECT_EQ(test::ReadBytes(path), "old");
    GridToTextFile(grid, path);
    EXPECT_EQ(test::ReadBytes(path), "\t\t\r\n\t\t\r\n");
}

TEST(SummaryLabels, NamesAndTargets)
{
    EXPECT_EQ(SummaryLabel(dravik::GridNumber(1)), "Section 1");
    EXPECT_EQ(SummaryLabel(dravik::GridNumber(9)), "Section 9");
    EXPECT_EQ(SummaryLabel(dravik::GridNumber(10)), "Section text");
    EXPECT_EQ(SummaryLabel(dravik::GridNumber(11)), "File list");
    struct Case { const char* label; std::optional<int> target; };
    for (Case c : {Case{"Section 3", 3}, Case{"section   3", 3}, Case{"  SECTION 7  ", 7}, Case{"Section text", 10},
                   Case{"SECTION TEXT", 10}, Case{"Section 10", 10}, Case{"Section 11", std::nullopt},
                   Case{"Section 0", std::nullopt}, Case{"Section", std::nullopt}, Case{"Section x", std::nullopt},
                   Case{"Sections 1", std::nullopt}, Case{"File list", std::nullopt}, Case{"", std::nullopt},
                   Case{"\xD1" "ection 1", std::nullopt}, Case{"Section $A", std::nullopt},
                   Case{"Section +3", std::nullopt}, Case{"Section 03", 3}})
        EXPECT_EQ(SectionLabelTarget(c.label), c.target ? std::optional(GridNumber(*c.target)) : std::nullopt) << c.label;
    EXPECT_TRUE(IsFileListLabel("File list"));
    EXPECT_TRUE(IsFileListLabel("FILE"));
    EXPECT_TRUE(IsFileListLabel("  file  whatever"));
    EXPECT_FALSE(IsFileListLabel("Files"));
    EXPECT_FALSE(IsFileListLabel("Section 1"));
}

class Exchange : public ::testing::Test {
protected:
    Exchange() : ws(test::Cyrillic())
    {
        ws.startUp();
        ws.setVariablesText(TextLines{{"[section1]", "hp =2", "[section4]", "armor =3", "[section_text]", "name =1"}, true});
        for (const char* name : {"a.desc", "b.desc", "c.desc"})
            paths.push_back(dir.write(name, std::string("hp 1 2\r\narmor 3 4 5\r\nname \xC0\xE1 tank ") + name + "\r\n"));
        ws.openDesc(paths);
    }
    std::vector<Grid> tables() const
    {
        std::vector<Grid> grids;
        for (GridNumber n : FileRowTables())
            grids.push_back(ws.grid(n));
        return grids;
    }
    void setSummary(Grid summary) { ws.replaceGrids({{kSummaryGrid, std::move(summary)}}); }

    test::TempFolder dir;
    DescDocument ws;
    std::vector<std::string> paths;
};

TEST_F(Exchange, ExportKeepsCellsItDoesNotWriteButNoLabelWordsInItsBlocks)
{
    Grid old(12, 80);
    old.setCell(0, 0, "corner");
    old.setCell(3, 1, "right of a label");
    old.setCell(0, 3, "Section 4");  // a label of an earlier, shorter table
    old.setCell(11, 3, "beyond every block");
    old.setCell(0, 70, "cut off");
    old.setCell(5, 8, "under a cell the export empties");  // section 2 has no values there
    setSummary(old);
    WriteExportedTable(ws, dir.file("batch.txt"));  // the batch's, without filling the summary
    ExportTable(ws);
    EXPECT_EQ(test::TableTextOf(ws.summary()), test::ReadBytes(dir.file("batch.txt")));
    EXPECT_EQ(ws.summary().rowCount(), 56);
    EXPECT_EQ(ws.summary().colCount(), 12) << "the summary never narrows";
    EXPECT_EQ(ws.summary().cell(0, 0), "corner");
    EXPECT_EQ(ws.summary().cell(3, 1), "right of a label");
    EXPECT_EQ(ws.summary().cell(0, 3), "") << "it would make the next import read a row of values as a label";
    EXPECT_EQ(ws.summary().cell(11, 3), "beyond every block");
    EXPECT_EQ(ws.summary().cell(5, 8), "");
    Grid widened = ws.summary();
    widened.setRowCount(80);
    EXPECT_EQ(widened.cell(0, 70), "");
}

TEST_F(Exchange, ExportThenImportGivesEveryTableBack)
{
    ws.setCell(dravik::GridNumber(1), 3, 2, "edited");
    ws.setCell(dravik::GridNumber(10), 2, 3, "\xC0 \xFF text");
    const std::vector<Grid> before = tables();
    ExportTable(ws);
    const std::string path = dir.file("table.txt");
    GridToTextFile(ws.summary(), path);

    ClearSummaryTable(ws);
    std::vector<std::pair<GridNumber, Grid>> cleared;
    for (GridNumber n : SectionTables()) {
        cleared.emplace_back(n, ws.grid(n));
        cleared.back().second.clearCells(1, 1);
    }
    ws.replaceGrids(cleared);
    const std::string bytes = ReadTableTextFile(path);
    ImportTable(ws, &bytes);
    const std::vector<Grid> after = tables();
    for (GridNumber n : FileRowTables())
        EXPECT_TRUE(after[n.index()] == before[n.index()]) << "grid " << n;
    EXPECT_EQ(ws.summary().colCount(), 12) << "a leading tab counts one more column";
    EXPECT_EQ(ws.summary().rowCount(), 56) << "the file's rows and nothing of what the summary held";
}

TEST_F(Exchange, ExportAndImportUndoAndRedoInTurn)
{
    // The export's step holds the table it replaced; undo and redo swap them.
    const TableChange exported = ExportTable(ws);
    const Grid filled = ws.summary();
    ws.undo(exported);
    EXPECT_EQ(ws.summary(), Grid(5, 5));
    ws.redo(exported);
    EXPECT_EQ(ws.summary(), filled);

    // An import of the same table with one value changed: the summary table
    // is moved in, and the section cell takes its text from it.
    std::string bytes = test::TableTextOf(filled);
    bytes.replace(bytes.find("\t1\t2\t"), 7, "\t9\t2\t");
    const TableChange imported = ImportTable(ws, &bytes);
    EXPECT_EQ(ws.grid(dravik::GridNumber(1)).cell(2, 1), "9");
    EXPECT_EQ(ws.summary().cell(2, 3), "9");
    EXPECT_LT(imported.memoryUsed(), 1000u) << "two cells differ: recorded cell by cell";
    ws.undo(imported);
    EXPECT_EQ(ws.grid(dravik::GridNumber(1)).cell(2, 1), "1");
    EXPECT_EQ(ws.summary(), filled);
    ws.redo(imported);
    EXPECT_EQ(ws.grid(dravik::GridNumber(1)).cell(2, 1), "9");
    ws.undo(imported);
    ws.undo(exported);
    EXPECT_EQ(ws.summary(), Grid(5, 5));
}

TEST_F(Exchange, ImportedCellsLoseTildesAndSplitAtTabs)
{
    ws.setCell(dravik::GridNumber(1), 2, 1, "a\tb");
    ws.setCell(dravik::GridNumber(1), 2, 2, "~x~");
    ExportTable(ws);
    const std::string text = test::TableTextOf(ws.summary());
    ClearSummaryTable(ws);
    ImportTable(ws, &text);
    EXPECT_EQ(ws.grid(dravik::GridNumber(1)).cell(2, 1), "a");
    EXPECT_EQ(ws.grid(dravik::GridNumber(1)).cell(3, 1), "b");
    EXPECT_EQ(ws.grid(dravik::GridNumber(1)).cell(2, 2), "x");
}

TEST_F(Exchange, LabelsPickTheirTablesAndUnknownOnesAreSkipped)
{
    const Grid beforeFiles = ws.fileList();
    const std::vector<Grid> before = tables();
    const std::string& a = paths[0];
    const std::string& b = paths[1];
    setSummary(GridOf({{"section   4", "", "", "", ""},
                       {"", "File name", "armor ", "armor ", "armor "},
                       {"", a, "c", "d", "x"},
                       {"SECTION TEXT", "", "", "", ""},
                       {"", "File name", "name ", "", ""},
                       {"", a, "text", "", ""},
                       {"Section 11", "", "", "", ""},
                       {"", a, "lost", "", ""},
                       {"Section", "", "", "", ""},
                       {"", a, "lost", "", ""},
                       {"Section 3", "", "", "", ""},
                       {"", "", "stops at once", "", ""},
                       {"", a, "never", "", ""},
                       {"section 4", "", "", "", ""},
                       {"", "File name", "armor ", "armor ", "armor "},
                       {"", b, "e", "f", "g"}}));
    ImportTable(ws, nullptr);
    EXPECT_EQ(RowOf(ws.grid(dravik::GridNumber(4)), 0), RowOf(before[3], 0)) << "header rows place the columns and are never written";
    EXPECT_EQ(RowOf(ws.grid(dravik::GridNumber(4)), 1), (Row{"1", a, "c", "d", "x"})) << "row numbers are never written";
    EXPECT_EQ(RowOf(ws.grid(dravik::GridNumber(4)), 2), (Row{"2", b, "e", "f", "g"}));
    EXPECT_EQ(RowOf(ws.grid(dravik::GridNumber(4)), 3), RowOf(before[3], 3)) << "a file no block names keeps its values";
    EXPECT_EQ(RowOf(ws.grid(dravik::GridNumber(10)), 1), (Row{"1", a, "text"}));
    for (int n : {1, 2, 3, 5, 6, 7, 8, 9})
        EXPECT_TRUE(ws.grid(GridNumber(n)) == before[static_cast<size_t>(n) - 1]) << "no block names a file of " << n;
    EXPECT_TRUE(ws.fileList() == beforeFiles);
}

TEST_F(Exchange, BlocksNeverResizeTheirTarget)
{
    std::vector<Row> rows{{"Section 1", "", "", "", "", ""}, {"", "File name", "hp ", "hp ", "x", "y"}};
    for (int k = 0; k < 8; ++k)
        rows.push_back({"", k < 3 ? paths[static_cast<size_t>(k)] : "p" + std::to_string(k), "1", "2", "x", "y"});
    setSummary(GridOf(rows));
    ImportTable(ws, nullptr);
    EXPECT_EQ(ws.grid(dravik::GridNumber(1)).rowCount(), 4);
    EXPECT_EQ(ws.grid(dravik::GridNumber(1)).colCount(), 4);
    EXPECT_EQ(RowOf(ws.grid(dravik::GridNumber(1)), 3), (Row{"3", paths[2], "1", "2"}));
    Grid widened = ws.grid(dravik::GridNumber(1));
    widened.setSize(6, 9);
    EXPECT_EQ(widened.cell(4, 1), "");
    EXPECT_EQ(widened.cell(1, 5), "");
}

TEST_F(Exchange, ATableWithoutBlocksLeavesEverySectionAsItWas)
{
    const std::vector<Grid> before = tables();
    ClearSummaryTable(ws);
    ImportPlacement placement;
    ImportTable(ws, nullptr, &placement);
    EXPECT_TRUE(tables() == before);
    EXPECT_EQ(placement.leftAloneMessage(), "Left as they were, since the table names none of the desc files in "
                                            "them: Section 1, Section 4, Section text.\n");
}

TEST_F(Exchange, ClearSummaryEmptiesEveryCellAndKeepsTheSize)
{
    ExportTable(ws);
    ws.setCell(kSummaryGrid, 0, 0, "fixed");
    ClearSummaryTable(ws);
    EXPECT_EQ(ws.summary().rowCount(), 56);
    EXPECT_EQ(ws.summary().colCount(), 11);
    for (int r = 0; r < 56; ++r)
        for (int c = 0; c < 11; ++c)
            EXPECT_EQ(ws.summary().cell(c, r), "");
}

// Save all writes the files the file list names; a table must not add others.
TEST_F(Exchange, AFileListNamingOtherFilesIsRefused)
{
    const std::string moved = dir.write("moved.desc", "hp 0 0\r\n");
    ExportTable(ws);
    ws.setCell(kSummaryGrid, 2, 54, moved);  // file-list block row 2, path column
    ws.setCell(kSummaryGrid, 2, 4, "7");     // section 1, second file, first hp value
    const std::vector<Grid> before = tables();
    try {
        ImportTable(ws, nullptr);
        ADD_FAILURE() << "imported";
    } catch (const DravikError& e) {
        EXPECT_EQ(std::string(e.what()), "The \"File list\" of the table names 1 file that is not open, and Import "
                                         "table writes only into the open desc files; nothing was imported:\n  " +
                                             moved);
    }
    EXPECT_TRUE(tables() == before);
}

}  // namespace
}  // namespace dravik
