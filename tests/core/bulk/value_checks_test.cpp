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
    document.setCell(dravik::GridNumber(1), 2, 1, "ten");       // armor, a number column
    document.setCell(dravik::GridNumber(1), 3, 1, "20 21");     // several words
    document.setCell(dravik::GridNumber(1), 4, 2, "big gun");   // several words in a text column
    document.setCell(dravik::GridNumber(1), 4, 1, "tiger");     // text in a text column: fine
    document.setCell(dravik::GridNumber(10), 2, 1, "Tiger 2");  // the text section holds free text...
    document.setCell(dravik::GridNumber(10), 2, 2, "six");      // ...but its number columns are checked
    EXPECT_EQ(CheckCell(document, profiles, dravik::GridNumber(1), 2, 1), ValueProblem::NotANumber);
    EXPECT_EQ(CheckCell(document, profiles, dravik::GridNumber(1), 3, 1), ValueProblem::SeveralWords);
    EXPECT_EQ(CheckCell(document, profiles, dravik::GridNumber(1), 4, 2), ValueProblem::SeveralWords);
    EXPECT_EQ(CheckCell(document, profiles, dravik::GridNumber(1), 4, 1), ValueProblem::None);
    EXPECT_EQ(CheckCell(document, profiles, dravik::GridNumber(10), 2, 1), ValueProblem::NotANumber);
    EXPECT_EQ(CheckCell(document, profiles, dravik::GridNumber(1), 2, 2), ValueProblem::None);  // not edited
    // Blanks around a single word are no second word.
    document.setCell(dravik::GridNumber(1), 3, 2, " 22 ");
    EXPECT_EQ(CheckCell(document, profiles, dravik::GridNumber(1), 3, 2), ValueProblem::None);

    const auto cells = FindProblemCells(document, profiles);
    ASSERT_EQ(cells.size(), 5u);
    EXPECT_EQ(cells[0].grid, GridNumber(1));
    EXPECT_EQ(cells[0].col, 2);
    EXPECT_EQ(cells.back().grid, GridNumber(10));
    EXPECT_EQ(FindProblemCells(document, profiles, 2).size(), 2u);
}

TEST_F(ValueChecksTest, AValueForAKeyTheFileLacksCannotBeWritten)
{
    document.openDesc({folder.write("c.txt", "armor 1 2\r\n")});
    document.setCell(dravik::GridNumber(1), 4, 1, "tank");
    document.setCell(dravik::GridNumber(10), 2, 1, "Tiger");
    EXPECT_EQ(CheckCell(document, profiles, dravik::GridNumber(1), 4, 1), ValueProblem::NoKeyLine);
    EXPECT_EQ(CheckCell(document, profiles, dravik::GridNumber(10), 2, 1), ValueProblem::NoKeyLine);
    const ProblemReport report = ReportProblemCells(document, profiles);
    ASSERT_EQ(report.lines.size(), 2u);
    EXPECT_EQ(report.lines[0], folder.file("c.txt") + "\tkind\ttank\tthis file has no line for kind; "
                                                      "Save all cannot write it");
}

// However it came there, a line break would split the key line: it is the
// problem Save all does not write, in the text section too.
TEST_F(ValueChecksTest, LineBreaksStopSaveAll)
{
    document.setCell(dravik::GridNumber(10), 2, 1, "Two\nlines");
    document.setCell(dravik::GridNumber(1), 4, 2, "a\rb c");
    EXPECT_EQ(CheckCell(document, profiles, dravik::GridNumber(10), 2, 1), ValueProblem::LineBreak);
    EXPECT_EQ(CheckCell(document, profiles, dravik::GridNumber(1), 4, 2), ValueProblem::LineBreak);
    EXPECT_TRUE(StopsSaveAll(ValueProblem::LineBreak));
    EXPECT_FALSE(StopsSaveAll(ValueProblem::SeveralWords));
    EXPECT_TRUE(ReportProblemCells(document, profiles).stopsSaveAll);
    document.setCell(dravik::GridNumber(10), 2, 1, "5");
    document.setCell(dravik::GridNumber(1), 4, 2, "gun");
    document.setCell(dravik::GridNumber(1), 2, 1, "ten");
    EXPECT_FALSE(ReportProblemCells(document, profiles).stopsSaveAll);
}

// A NUL ends the line for the game, a Ctrl+Z ends the file for a text-mode
// reader: Save all writes neither. Other control characters, and a TAB
// between values, are pointed out; a TAB in free text is text.
TEST_F(ValueChecksTest, ControlCharactersAreProblemsAndNulOrCtrlZStopSaveAll)
{
    using namespace std::string_literals;
    struct Case {
        int grid;
        int col;
        std::string value;
        ValueProblem problem;
        std::string reasonStart;
    };
    for (const Case& c : {
             Case{1, 2, "5\0"s, ValueProblem::NulOrCtrlZ, "a NUL (byte 0)"},  // a number once trimmed
             Case{1, 4, "t\x1Ag"s, ValueProblem::NulOrCtrlZ, "a Ctrl+Z (byte 26)"},
             Case{10, 2, "\0"s, ValueProblem::NulOrCtrlZ, "a NUL (byte 0)"},
             Case{1, 2, "1\r\0"s, ValueProblem::LineBreak, "a line break"},
             Case{1, 2, "1\t2"s, ValueProblem::ControlCharacter, "a TAB"},
             Case{1, 4, "tank\x1B"s, ValueProblem::ControlCharacter, "a control character (byte 27)"},
             Case{1, 4, "\ttank\x7F"s, ValueProblem::ControlCharacter, "a control character (byte 127)"},
             Case{1, 4, "big\x07 gun"s, ValueProblem::SeveralWords, "several words"},
             Case{10, 2, "5\t6"s, ValueProblem::NotANumber, "not a number"},
         }) {
        const std::string disk(document.diskValue(GridNumber(c.grid), c.col, 1));
        document.setCell(GridNumber(c.grid), c.col, 1, c.value);
        const ValueProblem problem = CheckCell(document, profiles, GridNumber(c.grid), c.col, 1);
        EXPECT_EQ(problem, c.problem) << ::testing::PrintToString(c.value);
        EXPECT_EQ(ProblemReason(problem, "k", c.value).english().rfind(c.reasonStart, 0), 0u)
            << ProblemReason(problem, "k", c.value);
        EXPECT_EQ(ControlProblem(c.value, SectionNumber(c.grid)) == ValueProblem::NulOrCtrlZ, problem == ValueProblem::NulOrCtrlZ);
        document.setCell(GridNumber(c.grid), c.col, 1, disk);
    }
    EXPECT_EQ(ControlProblem("Tiger\ttank", kTextSection), ValueProblem::None);
    EXPECT_TRUE(StopsSaveAll(ValueProblem::NulOrCtrlZ));
    EXPECT_FALSE(StopsSaveAll(ValueProblem::ControlCharacter));

    // The report shows each control character, so that none splits its line.
    document.setCell(dravik::GridNumber(1), 4, 2, "a\0b"s);
    document.setCell(dravik::GridNumber(1), 2, 2, "\r");
    const ProblemReport report = ReportProblemCells(document, profiles);
    EXPECT_TRUE(report.stopsSaveAll);
    EXPECT_EQ(report.stoppedBy, "a line break, a NUL or a Ctrl+Z");
    ASSERT_EQ(report.lines.size(), 2u);
    EXPECT_EQ(report.lines[1], folder.file("b.txt") + "\tkind\ta^@b\t" +
                                   ProblemReason(ValueProblem::NulOrCtrlZ, "kind", "a\0b"s));
}

TEST_F(ValueChecksTest, ReportNamesFileKeyValueAndReason)
{
    document.setCell(dravik::GridNumber(1), 3, 2, "x");
    document.setCell(dravik::GridNumber(1), 2, 1, "1 2");
    const ProblemReport report = ReportProblemCells(document, profiles, 1);
    EXPECT_EQ(report.count, 2u);
    ASSERT_EQ(report.lines.size(), 1u);
    EXPECT_EQ(report.lines[0], folder.file("a.txt") + "\tarmor\t1 2\t" +
                                   ProblemReason(ValueProblem::SeveralWords, "armor"));
}

}  // namespace
}  // namespace dravik
