#include "core/bulk/bulk_edits.h"

#include "core/bulk/clipboard_text.h"
#include "tests/core/bulk/bulk_test_folder.h"

#include <gtest/gtest.h>

namespace dravik {
namespace {

const CodePage& Cyrillic()
{
    static const CodePage codePage = CodePage::Named("windows-1251");
    return codePage;
}

// "ТАНК" and "танк" in windows-1251.
const std::string kTankUpper = "\xD2\xC0\xCD\xCA";
const std::string kTankLower = "\xF2\xE0\xED\xEA";

// Section 1: hp (columns 2, 3) and name (column 4); the text section: info
// (column 2). Rows 1 to 3: a, b, c.
class BulkEdits : public ::testing::Test {
protected:
    void SetUp() override
    {
        document.startUp();
        document.loadVariables(dir.write("v.var", "[section1]\r\nhp =2\r\nname =1\r\n[section_text]\r\ninfo =1\r\n"));
        document.openDesc({dir.write("a.desc", "hp 10 20\r\nname tank\r\ninfo \xD2-34 heavy\r\n"),
                           dir.write("b.desc", "hp 7 x\r\nname " + kTankUpper + "\r\ninfo light\r\n"),
                           dir.write("c.desc", "hp 5 5\r\nname gun\r\n")});
    }
    std::string cell(int grid, int col, int row) const { return std::string(document.grid(GridNumber(grid)).cell(col, row)); }
    static CellBlock Block(int grid, std::vector<int> rows, std::vector<int> columns)
    {
        return CellBlock{GridNumber(grid), std::move(rows), std::move(columns)};
    }

    test::BulkFolder dir;
    DescDocument document{Cyrillic()};
};

TEST_F(BulkEdits, FindWalksTheScopeInOrderOverItsRows)
{
    const TextSearch search("t", Cyrillic());
    const CellScope scope = {SearchBlock(document, dravik::GridNumber(1), [](int row) { return row != 2; }), SearchBlock(document, dravik::GridNumber(10))};
    EXPECT_EQ(FindCells(document, scope, search), (std::vector<CellRef>{{dravik::GridNumber(1), 4, 1}, {dravik::GridNumber(10), 2, 2}}));

    // The file list is searched by name and path; the section tables' paths are not.
    const TextSearch file("c.desc", Cyrillic());
    EXPECT_EQ(FindCells(document, {SearchBlock(document, dravik::GridNumber(11))}, file), (std::vector<CellRef>{{dravik::GridNumber(11), 1, 3}, {dravik::GridNumber(11), 2, 3}}));
    EXPECT_TRUE(FindCells(document, {SearchBlock(document, dravik::GridNumber(1))}, file).empty());
}

TEST_F(BulkEdits, ReplaceAllChangesOnlyValueCellsFoldedThroughTheCodePage)
{
    const TextSearch tank(kTankLower, Cyrillic());
    const BulkEdit edit = ReplaceAllEdits(document, {Block(1, {1, 2, 3}, {1, 2, 3, 4})}, tank, "tank");
    ASSERT_EQ(edit.edits.size(), 1u);
    EXPECT_EQ(edit.edits[0].col, 4);
    EXPECT_EQ(edit.edits[0].row, 2);
    EXPECT_EQ(edit.edits[0].text, "tank");
    EXPECT_EQ(edit.files, 1u);

    // Paths, headers, row numbers and the file list are never replaced in,
    // even when a scope names them.
    const TextSearch desc("desc", Cyrillic());
    const CellScope everything = {Block(1, {0, 1, 2, 3}, {0, 1, 2, 3, 4}), SearchBlock(document, dravik::GridNumber(11))};
    EXPECT_FALSE(FindCells(document, everything, desc).empty());
    EXPECT_TRUE(ReplaceAllEdits(document, everything, desc, "x").edits.empty());

    // A replacement that puts back what it found is no edit; files are counted once.
    const TextSearch five("5", Cyrillic());
    const BulkEdit same = ReplaceAllEdits(document, {SearchBlock(document, dravik::GridNumber(1))}, five, "5");
    EXPECT_TRUE(same.edits.empty());
    const BulkEdit six = ReplaceAllEdits(document, {SearchBlock(document, dravik::GridNumber(1))}, five, "6");
    EXPECT_EQ(six.edits.size(), 2u);
    EXPECT_EQ(six.files, 1u);
}

TEST_F(BulkEdits, ExpressionsCountWhatTheyLeaveAndRoundWholeNumbers)
{
    const CellScope hp = {Block(1, {1, 2, 3}, {2, 3})};
    const ExpressionEdit half = ExpressionEdits(document, hp, CellExpression::Parse("/2"), 2);
    EXPECT_EQ(half.tally.changed, 5u);
    EXPECT_EQ(half.tally.notANumber, 1u);  // "x"
    EXPECT_EQ(half.files, 3u);
    ASSERT_EQ(half.examples.size(), 2u);
    EXPECT_EQ(half.examples[0], (std::pair<std::string, std::string>{"10", "5"}));
    std::vector<std::string> results;
    for (const CellEdit& e : half.edits)
        results.push_back(e.text);
    EXPECT_EQ(results, (std::vector<std::string>{"5", "10", "4", "3", "3"}));  // 7 / 2 and 5 / 2 round up

    const ExpressionEdit preview = ExpressionPreview(document, hp, CellExpression::Parse("/2"), 2);
    EXPECT_TRUE(preview.edits.empty());
    EXPECT_EQ(preview.tally.changed, half.tally.changed);
    EXPECT_EQ(preview.files, half.files);
    EXPECT_EQ(preview.examples, half.examples);

    const ExpressionEdit five = ExpressionEdits(document, hp, CellExpression::Parse("=5"));
    EXPECT_EQ(five.tally.changed, 4u);
    EXPECT_EQ(five.tally.same, 2u);
    EXPECT_EQ(five.files, 2u);

    // 10 20 / 7 x / 5 5: the fives divide by zero and stay, as "x" does.
    const ExpressionEdit faulty = ExpressionEdits(document, hp, CellExpression::Parse("/(x-5)"));
    EXPECT_EQ(faulty.tally.changed, 3u);
    EXPECT_EQ(faulty.tally.notANumber, 1u);
    EXPECT_EQ(faulty.tally.noFiniteResult, 2u);
    EXPECT_EQ(faulty.edits.size(), 3u);
    EXPECT_EQ(faulty.files, 2u);

    // Applied and undone as one change.
    const std::string before = cell(1, 2, 1) + cell(1, 3, 2);
    const TableChange change = document.setCells(half.edits);
    EXPECT_EQ(cell(1, 3, 2), "x");
    EXPECT_EQ(cell(1, 2, 2), "4");
    document.undo(change);
    EXPECT_EQ(cell(1, 2, 1) + cell(1, 3, 2), before);
}

TEST_F(BulkEdits, CopyAndPasteKeepTheBlockAndSpareThePaths)
{
    document.setCell(dravik::GridNumber(1), 3, 1, "a\tb");
    const std::string copied = CopyText(document, Block(1, {1, 2}, {3, 4}));
    EXPECT_EQ(copied, "\"a\tb\"\ttank\nx\t" + kTankUpper + "\n");

    // Pasted one row lower, starting at the paths' column: the first column
    // of the block falls on the paths and is dropped.
    const auto cells = ParseClipboardText(copied);
    const BulkEdit pasted = PasteEdits(document, Block(1, {2, 3}, {1, 2}), cells);
    ASSERT_EQ(pasted.edits.size(), 2u);
    EXPECT_EQ(pasted.edits[0].col, 2);
    EXPECT_EQ(pasted.edits[0].row, 2);
    EXPECT_EQ(pasted.edits[0].text, "tank");
    EXPECT_EQ(pasted.edits[1].text, kTankUpper);
    EXPECT_EQ(pasted.files, 2u);

    // A single value fills the target; rows past the opened files are no rows.
    const BulkEdit filled = PasteEdits(document, Block(1, {1, 3, 4}, {2, 3}), {{"5"}});
    EXPECT_EQ(filled.edits.size(), 2u);  // row 3 holds 5 already
    EXPECT_EQ(filled.files, 1u);
    EXPECT_TRUE(PasteEdits(document, Block(11, {1}, {1, 2}), cells).edits.empty());
    EXPECT_TRUE(PasteEdits(document, Block(1, {1}, {2}), {}).edits.empty());
}

// A rectangle larger than the room the table gives it: the cells that found
// no place are counted, whether past the table's edge or on the paths.
TEST_F(BulkEdits, PasteCountsTheCellsThatFoundNoPlace)
{
    const std::vector<std::vector<std::string>> cells(4, std::vector<std::string>(3, "1"));
    const PasteEdit clipped = PasteEdits(document, Block(1, {2, 3}, {4}), cells);
    EXPECT_EQ(clipped.cells, 12u);
    EXPECT_EQ(clipped.placed, 2u);
    EXPECT_EQ(clipped.onPaths, 0u);
    EXPECT_EQ(clipped.outside(), 10u);

    const PasteEdit onPaths = PasteEdits(document, Block(1, {1, 2}, {1, 2}), {{"a", "b"}, {"c", "d"}});
    EXPECT_EQ(onPaths.placed, 2u);
    EXPECT_EQ(onPaths.onPaths, 2u);
    EXPECT_EQ(onPaths.outside(), 0u);

    // A single value filling a selection always fits.
    const PasteEdit filled = PasteEdits(document, Block(1, {1, 2}, {1, 2}), {{"9"}});
    EXPECT_EQ(filled.cells, 0u);
    EXPECT_EQ(filled.outside(), 0u);
}

// A spreadsheet's cell of two lines comes as one value with its words a
// blank apart: a line break would split the key line when saved.
TEST_F(BulkEdits, PastedLineBreaksBecomeBlanks)
{
    const PasteEdit pasted = PasteEdits(document, Block(10, {1}, {2}), ParseClipboardText("\"Two\r\nlines\nhere\"\n"));
    ASSERT_EQ(pasted.edits.size(), 1u);
    EXPECT_EQ(pasted.edits[0].text, "Two lines here");
    EXPECT_EQ(pasted.lineBreaks, 1u);
    EXPECT_EQ(PasteEdits(document, Block(1, {1}, {4}), {{"a\rb"}}).edits[0].text, "a b");
}

}  // namespace
}  // namespace dravik
