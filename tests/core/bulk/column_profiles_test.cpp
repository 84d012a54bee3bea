// What the window's filter and colours read of the tables: the column
// profiles kept current through edits and saves, and the files a filter
// passes in one table or over several.
#include "core/bulk/column_profiles.h"
#include "core/bulk/files_passing.h"
#include "core/bulk/table_rows.h"
#include "core/bulk/value_checks.h"
#include "tests/core/test_files.h"

#include <gtest/gtest.h>

namespace dravik {
namespace {

// Section 1: health (column 2), armor (columns 3 to 5); the text section:
// name (column 2). Row 3's first armor value is not a number.
class TablesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        document.startUp();
        document.loadVariables(folder.write("v.var", "[section1]\r\nhealth=1\r\narmor=3\r\n[section_text]\r\nname=1\r\n"));
        document.openDesc({folder.write("a.txt", "health 100\r\narmor 10 20 30\r\nname Tiger\r\n"),
                           folder.write("b.txt", "health 100\r\narmor 10 25 30\r\nname Panther\r\n"),
                           folder.write("c.txt", "health 40\r\narmor x 20 30\r\nname Pak gun\r\n")});
    }
    std::vector<bool> Passing(std::string_view typed, GridNumber grid, std::span<const int> columns)
    {
        return RowsPassing(RowFilter::Parse(typed, document.codePage()), document, profiles, grid, columns);
    }

    test::TempFolder folder;
    DescDocument document;
    ColumnProfiles profiles{document};
};

TEST_F(TablesTest, MostCommonValueFollowsEdits)
{
    EXPECT_EQ(profiles.mostCommon(dravik::GridNumber(1), 2), "100");
    EXPECT_TRUE(profiles.differs(dravik::GridNumber(1), 2, 3));
    EXPECT_FALSE(profiles.differs(dravik::GridNumber(1), 2, 1));
    document.setCell(dravik::GridNumber(1), 2, 1, "7");
    document.setCell(dravik::GridNumber(1), 2, 2, "7");
    EXPECT_EQ(profiles.mostCommon(dravik::GridNumber(1), 2), "7");
    EXPECT_TRUE(profiles.differs(dravik::GridNumber(1), 2, 3));
    // A whole table replaced (an import, an undo of one) is worked out anew.
    Grid copy = document.grid(dravik::GridNumber(1));
    copy.setCell(2, 1, "40");
    copy.setCell(2, 2, "40");
    document.replaceGrids({{dravik::GridNumber(1), copy}});
    EXPECT_EQ(profiles.mostCommon(dravik::GridNumber(1), 2), "40");
    EXPECT_FALSE(profiles.differs(dravik::GridNumber(1), 2, 3));
    // Outside the value cells there is nothing to differ.
    EXPECT_FALSE(profiles.differs(dravik::GridNumber(1), 1, 1));
    EXPECT_FALSE(profiles.differs(kFileListGrid, 1, 1));
}

TEST_F(TablesTest, ProblemsAreEditsOutOfNumberColumns)
{
    EXPECT_TRUE(profiles.numericOnDisk(dravik::GridNumber(1), 2));
    EXPECT_FALSE(profiles.numericOnDisk(dravik::GridNumber(1), 3));
    document.setCell(dravik::GridNumber(1), 2, 1, "abc");
    document.setCell(dravik::GridNumber(1), 3, 1, "abc");  // the column held "x" already
    document.setCell(dravik::GridNumber(1), 2, 2, " ");    // the file held a value there
    document.setCell(dravik::GridNumber(1), 4, 3, "21");
    EXPECT_TRUE(profiles.problem(dravik::GridNumber(1), 2, 1));
    EXPECT_FALSE(profiles.problem(dravik::GridNumber(1), 3, 1));
    EXPECT_TRUE(profiles.problem(dravik::GridNumber(1), 2, 2));
    EXPECT_FALSE(profiles.problem(dravik::GridNumber(1), 4, 3));
    const auto problems = FindProblemCells(document, profiles);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].row, 1);
    EXPECT_EQ(problems[1].row, 2);

    // Once saved, the files hold the text: the column is no number column
    // any more, and nothing is an edit.
    document.saveAll();
    EXPECT_FALSE(profiles.numericOnDisk(dravik::GridNumber(1), 2));
    EXPECT_TRUE(FindProblemCells(document, profiles).empty());
}

TEST_F(TablesTest, RowsPassingReadTheChosenColumns)
{
    const std::vector<int> health = KeyColumns(document, dravik::GridNumber(1), "health");
    EXPECT_EQ(health, std::vector<int>{2});
    EXPECT_EQ(KeyColumns(document, dravik::GridNumber(1), " armor "), (std::vector<int>{3, 4, 5}));
    EXPECT_EQ(Passing("> 50", dravik::GridNumber(1), health), (std::vector<bool>{false, true, true, false}));
    EXPECT_EQ(Passing("25", dravik::GridNumber(1), ValueColumns(document, dravik::GridNumber(1))), (std::vector<bool>{false, false, true, false}));
    EXPECT_EQ(Passing("", dravik::GridNumber(1), health), (std::vector<bool>{false, true, true, true}));

    document.setCell(dravik::GridNumber(1), 5, 3, "31");
    EXPECT_EQ(Passing("changed", dravik::GridNumber(1), ValueColumns(document, dravik::GridNumber(1))), (std::vector<bool>{false, false, false, true}));
    // armor's second value: 20, 25, 20.
    const std::vector<int> second = {4};
    EXPECT_EQ(Passing("differs", dravik::GridNumber(1), second), (std::vector<bool>{false, false, true, false}));
}

TEST_F(TablesTest, FilesPassOverSeveralTables)
{
    std::vector<FilterColumns> tables = {{kFileListGrid, {1, 2}}};
    for (GridNumber n : SectionTables())
        tables.push_back({n, ValueColumns(document, n)});
    auto passing = [&](std::string_view typed) {
        return FilesPassing(RowFilter::Parse(typed, document.codePage()), document, profiles, tables);
    };
    EXPECT_EQ(passing("tiger"), (std::vector<bool>{false, true, false, false}));  // the text section
    EXPECT_EQ(passing("b.txt"), (std::vector<bool>{false, false, true, false}));  // the file's name
    EXPECT_EQ(passing("= 40"), (std::vector<bool>{false, false, false, true}));   // section 1
    EXPECT_EQ(passing(""), (std::vector<bool>{false, true, true, true}));
    EXPECT_EQ(passing("nowhere"), (std::vector<bool>{false, false, false, false}));
}

}  // namespace
}  // namespace dravik
