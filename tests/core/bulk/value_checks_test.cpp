#include "core/bulk/value_checks.h"
#include "tests/core/test_files.h"

#include <gtest/gtest.h>

namespace dravik {
namespace {

class ValueChecksTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        document.startUp();
        document.loadVariables(folder.write("v.var", "[section1]\r\narmor=2\r\nkind=1\r\n[section_text]\r\nname=1\r\n"));
        document.openDesc({folder.write("a.txt", "armor 10 20\r\nkind tank\r\nname 5\r\n"),
                           folder.write("b.txt", "armor 11 21\r\nkind gun\r\nname 6\r\n")});
    }

    test::TempFolder folder;
    DescDocument document;
    ColumnProfiles profiles{document};
};

TEST_F(ValueChecksTest, EditedCellsAreChecked)
{
    EXPECT_TRUE(FindProblemCells(document, profiles).empty());
    document.setCell(1, 2, 1, "ten");       // armor, a number column
    document.setCell(1, 3, 1, "20 21");     // several words
    document.setCell(1, 4, 2, "big gun");   // several words in a text column
    document.setCell(1, 4, 1, "tiger");     // text in a text column: fine
    document.setCell(10, 2, 1, "Tiger 2");  // the text section holds free text...
    document.setCell(10, 2, 2, "six");      // ...but its number columns are checked
    EXPECT_EQ(CheckCell(document, profiles, 1, 2, 1), ValueProblem::NotANumber);
    EXPECT_EQ(CheckCell(document, profiles, 1, 3, 1), ValueProblem::SeveralWords);
    EXPECT_EQ(CheckCell(document, profiles, 1, 4, 2), ValueProblem::SeveralWords);
    EXPECT_EQ(CheckCell(document, profiles, 1, 4, 1), ValueProblem::None);
    EXPECT_EQ(CheckCell(document, profiles, 10, 2, 1), ValueProblem::NotANumber);
    EXPECT_EQ(CheckCell(document, profiles, 1, 2, 2), ValueProblem::None);  // not edited
    // Blanks around a single word are no second word.
    document.setCell(1, 3, 2, " 22 ");
    EXPECT_EQ(CheckCell(document, profiles, 1, 3, 2), ValueProblem::None);

    const auto cells = FindProblemCells(document, profiles);
    ASSERT_EQ(cells.size(), 5u);
    EXPECT_EQ(cells[0].grid, 1);
    EXPECT_EQ(cells[0].col, 2);
    EXPECT_EQ(cells.back().grid, 10);
    EXPECT_EQ(FindProblemCells(document, profiles, 2).size(), 2u);
}

TEST_F(ValueChecksTest, AValueForAKeyTheFileLacksCannotBeWritten)
{
    document.openDesc({folder.write("c.txt", "armor 1 2\r\n")});
    document.setCell(1, 4, 1, "tank");
    document.setCell(10, 2, 1, "Tiger");
    EXPECT_EQ(CheckCell(document, profiles, 1, 4, 1), ValueProblem::NoKeyLine);
    EXPECT_EQ(CheckCell(document, profiles, 10, 2, 1), ValueProblem::NoKeyLine);
    const ProblemReport report = ReportProblemCells(document, profiles);
    ASSERT_EQ(report.lines.size(), 2u);
    EXPECT_EQ(report.lines[0], folder.file("c.txt") + "\tkind\ttank\tthis file has no line for kind; "
                                                      "Save all cannot write it");
}

// However it came there, a line break would split the key line: it is the
// problem Save all does not write, in the text section too.
TEST_F(ValueChecksTest, LineBreaksStopSaveAll)
{
    document.setCell(10, 2, 1, "Two\nlines");
    document.setCell(1, 4, 2, "a\rb c");
    EXPECT_EQ(CheckCell(document, profiles, 10, 2, 1), ValueProblem::LineBreak);
    EXPECT_EQ(CheckCell(document, profiles, 1, 4, 2), ValueProblem::LineBreak);
    EXPECT_TRUE(StopsSaveAll(ValueProblem::LineBreak));
    EXPECT_FALSE(StopsSaveAll(ValueProblem::SeveralWords));
    EXPECT_TRUE(ReportProblemCells(document, profiles).stopsSaveAll);
    document.setCell(10, 2, 1, "5");
    document.setCell(1, 4, 2, "gun");
    document.setCell(1, 2, 1, "ten");
    EXPECT_FALSE(ReportProblemCells(document, profiles).stopsSaveAll);
}

TEST_F(ValueChecksTest, ReportNamesFileKeyValueAndReason)
{
    document.setCell(1, 3, 2, "x");
    document.setCell(1, 2, 1, "1 2");
    const ProblemReport report = ReportProblemCells(document, profiles, 1);
    EXPECT_EQ(report.count, 2u);
    ASSERT_EQ(report.lines.size(), 1u);
    EXPECT_EQ(report.lines[0], folder.file("a.txt") + "\tarmor\t1 2\t" +
                                   ProblemReason(ValueProblem::SeveralWords, "armor"));
}

}  // namespace
}  // namespace dravik
