// Import table against what spreadsheets and other programs do to a table
// text file: rows sorted or deleted, cells the file cannot carry, text in
// another character set.
#include "core/exchange/import_review.h"
#include "core/exchange/table_checks.h"
#include "core/exchange/table_exchange.h"
#include "core/exchange/table_text_file.h"
#include "tests/core/exchange/table_text_of.h"
#include "tests/core/test_files.h"

#include <gtest/gtest.h>

namespace dravik {
namespace {

class ImportSafety : public ::testing::Test {
protected:
    ImportSafety() : document(test::Cyrillic())
    {
        document.startUp();
        document.loadVariables(dir.write("v.var", "[section1]\r\nhp =1\r\nap =1\r\n[section2]\r\nspeed =1\r\n"));
        for (const char* name : {"a", "b", "c"})
            paths.push_back(dir.write(std::string(name) + ".desc", std::string("hp ") + name + "1\r\nap " + name +
                                                                       "2\r\nspeed " + name + "3\r\n"));
    }
    void open(const std::vector<std::string>& files) { document.openDesc(files); }
    std::string_view cell(int grid, int col, int row) const { return cell(GridNumber(grid), col, row); }
    std::string_view cell(GridNumber grid, int col, int row) const { return document.grid(grid).cell(col, row); }

    test::TempFolder dir;
    DescDocument document;
    std::vector<std::string> paths;
};

TEST_F(ImportSafety, RowsGoToTheFilesTheyNameAndUnnamedFilesKeepTheirValues)
{
    open(paths);
    const std::string& a = paths[0];
    const std::string& b = paths[1];
    const std::string& c = paths[2];
    // Section 1 sorted by a value, b's row deleted; in section 2 the header
    // row was sorted in among the files.
    const std::string table = "Section 1\t\r\n"
                              "\tFile name\thp \tap \t\r\n"
                              "\t" + c + "\tC\tCC\t\r\n"
                              "\t" + a + "\tA\tAA\t\r\n"
                              "Section 2\t\r\n"
                              "\t" + b + "\tsb\t\r\n"
                              "\tFile name\tspeed \t\r\n"
                              "\t" + a + "\tsa\t\r\n"
                              "\t" + c + "\tsc\t\r\n";
    ImportPlacement placement;
    const TableChange change = ImportTable(document, &table, &placement);

    EXPECT_EQ(cell(1, 2, 1), "A");
    EXPECT_EQ(cell(1, 3, 1), "AA");
    EXPECT_EQ(cell(1, 2, 2), "b1") << "a file whose row was deleted keeps its values";
    EXPECT_EQ(cell(1, 3, 2), "b2");
    EXPECT_EQ(cell(1, 2, 3), "C");
    EXPECT_EQ(cell(2, 2, 0), "speed ") << "the moved header row never overwrites a file's row";
    EXPECT_EQ(cell(2, 2, 1), "sa");
    EXPECT_EQ(cell(2, 2, 2), "sb");
    EXPECT_EQ(cell(2, 2, 3), "sc");
    for (int n = 3; n <= kSectionCount; ++n)
        EXPECT_EQ(cell(n, 1, 1), a) << "a table without a block is left as it was: " << n;

    EXPECT_EQ(placement.movedRows(), 4);
    ASSERT_EQ(placement.blocks.size(), 2u);
    EXPECT_EQ(placement.blocks[0].grid, GridNumber(1));
    ASSERT_EQ(placement.blocks[0].unnamed.size(), 1u);
    EXPECT_EQ(placement.blocks[0].unnamed[0].row, 2);
    EXPECT_TRUE(placement.blocks[0].unnamed[0].kept);
    EXPECT_TRUE(placement.blocks[1].unnamed.empty());

    document.undo(change);
    EXPECT_EQ(cell(1, 2, 1), "a1");
    EXPECT_EQ(cell(2, 2, 3), "c3");
}

TEST_F(ImportSafety, AnUnsortedTableLandsCellForCellAndNamelessRowsGoByPosition)
{
    // A file opened twice: its rows take its places in turn.
    open({paths[0], paths[1], paths[0], paths[2]});
    document.setCell(dravik::GridNumber(1), 2, 3, "edited");
    ExportTable(document);
    std::string table = test::TableTextOf(document.summary());
    std::array<Grid, kFileListGrid.number()> before;
    for (GridNumber n : FileRowTables())
        before[n.index()] = document.grid(n);
    ImportPlacement placement;
    ImportTable(document, &table, &placement);
    for (GridNumber n : FileRowTables())
        EXPECT_TRUE(document.grid(n) == before[n.index()]) << "grid " << n;
    EXPECT_EQ(placement.movedRows(), 0);

    // A block that names no opened file, or whose rows were all deleted,
    // leaves its section as it was; rows of a block that names some go by
    // position where no named row went.
    table = "Section 2\t\r\n\tFile name\tspeed \t\r\n\tsomewhere else\tx\t\r\n"
            "Section 1\t\r\n\tFile name\thp \tap \t\r\n"
            "Section text\t\r\n\tFile name\t\r\n\tsomewhere else\tx\t\r\n\t" + paths[1] + "\tt\t\r\n";
    ImportTable(document, &table, &placement);
    EXPECT_TRUE(document.grid(dravik::GridNumber(1)) == before[0]);
    EXPECT_TRUE(document.grid(dravik::GridNumber(2)) == before[1]);
    EXPECT_EQ(placement.leftAloneMessage(), "Left as they were, since the table names none of the desc files in them: "
                                            "Section 1, Section 2.\n");
    EXPECT_EQ(cell(10, 1, 1), "somewhere else");
}

// A table cut short in a spreadsheet, imported over the summary table of a
// longer export: the export's tail must not come back as blocks.
TEST_F(ImportSafety, ATableAppliesOnlyItsOwnRows)
{
    open(paths);
    ExportTable(document);
    const std::string table = "Section 1\t\r\n\tFile name\thp \tap \t\r\n"
                              "Section 2\t\r\n\tFile name\tspeed \t\r\n\t" + paths[1] + "\tnew\t\r\n";
    ImportTable(document, &table);
    EXPECT_EQ(cell(2, 2, 2), "new");
    EXPECT_EQ(cell(2, 2, 1), "a3");
    EXPECT_EQ(document.summary().rowCount(), 5);
    // An export over it keeps no label word of it beside the values.
    ExportTable(document);
    int labels = 0;
    for (int r = 1; r < document.summary().rowCount(); ++r)
        labels += cell(kSummaryGrid, 0, r).empty() ? 0 : 1;
    EXPECT_EQ(labels, kFileListGrid.number());
}

struct Change {
    const char* before;
    const char* after;
    bool found;
};

void PrintTo(const Change& c, std::ostream* out) { *out << c.before << " -> " << c.after; }

TEST(SpreadsheetChanges, LettersLostToQuestionMarks)
{
    for (const Change c : {Change{"\xD2-34", "?-34", true}, Change{"\xD2\xE8\xE3\xF0 \x97 2", "???? \x97 2", true},
                           Change{"T-34", "?-34", false}, Change{"\xD2-34", "?-35", false}, Change{"\xD2", "??", false}})
        EXPECT_EQ(LettersBecameQuestionMarks(c.before, c.after), c.found) << ::testing::PrintToString(c);
    // Typed text, where no letter stood before.
    for (const Change c : {Change{"Pak 40", "????", true}, Change{"", "?-34", true}, Change{"why?", "why??", false},
                           Change{"Pak 40", "Pak 41", false}})
        EXPECT_EQ(LettersLikelyLost(c.before, c.after), c.found) << ::testing::PrintToString(c);
}

TEST(SpreadsheetChanges, QuotesAddedOrTakenAway)
{
    const std::string tiger = "\"\xD2\xE8\xE3\xF0\" \x97 \xF2\xE0\xED\xEA";  // "Тигр" — танк
    const std::string quoted = "\"\"\"\xD2\xE8\xE3\xF0\"\" \x97 \xF2\xE0\xED\xEA\"";
    const std::string read = "\xD2\xE8\xE3\xF0 \x97 \xF2\xE0\xED\xEA";
    for (const Change c : {Change{tiger.c_str(), quoted.c_str(), true}, Change{tiger.c_str(), read.c_str(), true},
                           Change{"\"all quoted\"", "all quoted", true}, Change{"plain", "\"plain\"", true},
                           Change{"say \"hi\"", "say \"hi\" now", false}, Change{"plain", "plainer", false}})
        EXPECT_EQ(QuotingChanged(c.before, c.after), c.found) << ::testing::PrintToString(c);
}

// The same value written otherwise, as Calc's Standard column type writes
// it in English and in German (the tables of tests/calc show each).
TEST(SpreadsheetChanges, NumbersRespelled)
{
    for (const Change c : {Change{"010", "10", true}, Change{"1.50", "1.5", true}, Change{"-0", "0", true},
                           Change{"1e5", "1.00E+05", true}, Change{"6.02E23", "6.02E+023", true},
                           Change{"2.5e-3", "2.50E-03", true}, Change{"+5", "5", true}, Change{".5", "0.5", true},
                           Change{"3/4", "03/04/26", true}, Change{"3/4", "2026-03-04", true},
                           Change{"3/4", "04.03.26", true}, Change{"=1+1", "2", true}, Change{"=1/3", "0.333333333333333", true},
                           Change{"=-2^2+10%", "4.1", true}, Change{"=1/0", "#DIV/0!", true}, Change{"=A1", "#NAME?", true},
                           Change{"=A1*2", "7", true},
                           // Other values: the modder's edits.
                           Change{"=1+1", "42", false}, Change{"=1/3", "0.33", false}, Change{"2.5e-3", "3E-03", false},
                           Change{"6.02E23", "6.0E+23", false}, Change{"123456", "1.23E+05", false},
                           Change{"1/2", "1/2/3", false}, Change{"3/4", "03/05/26", false}, Change{"10", "11", false},
                           Change{"1.5", "1.05", false}, Change{"abc", "ABC", false}, Change{"1-2", "1-2-3-4", false},
                           Change{"=5", "=6", false}, Change{"1e400", "1.79769313486232E+308", false}})
        EXPECT_EQ(SameNumberRespelled(c.before, c.after), c.found) << ::testing::PrintToString(c);
}

TEST(SpreadsheetChanges, ValuesConverted)
{
    struct Case {
        const char* before;
        const char* after;
        Conversion kind;
    };
    using C = Conversion;
    for (const Case c : {
             // German reading and writing, as Calc does in German or with Text Import's Language: German.
             Case{"2.250", "2250", C::Separators}, Case{"1.125", "1125", C::Separators},
             Case{"0.5", "0,5", C::Separators}, Case{"1.50", "1,5", C::Separators}, Case{"1,500", "1,5", C::Separators},
             Case{"1.000,00", "1000", C::Separators}, Case{"1,500", "1500", C::Separators},
             Case{"1e5", "1,00E+05", C::Separators}, Case{"7", "2,5", C::Separators}, Case{"=1/4", "0,25", C::Separators},
             Case{"50%", "50.00%", C::Percent}, Case{"50%", "50,00\xA0%", C::Percent}, Case{"50%", "0.5", C::Percent},
             Case{"12:30", "12:30:00 PM", C::Time}, Case{"12:30", "12:30:00 nachm.", C::Time},
             Case{"12:30", "12:30:00", C::Time}, Case{"12:30", "0.520833333333333", C::Time},
             Case{"1/2/2024", "01/02/24", C::Date}, Case{"1/2/2024", "02.01.24", C::Date},
             Case{"$5", "$5.00", C::Currency}, Case{"$5", "5,00 DM", C::Currency}, Case{"-$5", "($5.00)", C::Currency},
             Case{"false", "FALSE", C::Truth}, Case{"false", "FALSCH", C::Truth},
             Case{"true", "\xC8\xD1\xD2\xC8\xCD\xC0", C::Truth},  // ИСТИНА
             Case{"1e400", "1.79769313486232E+308", C::Overflow}, Case{"1e400", "1,79769313486232E+308", C::Overflow},
             // Edits, and respellings of the same value, are none.
             Case{"2.250", "2.5", C::None}, Case{"1.5", "15", C::None}, Case{"7", "2.250", C::None},
             Case{"010", "10", C::None}, Case{"50%", "60%", C::None}, Case{"12:30", "12:45:00 PM", C::None},
             Case{"1/2/2024", "01/03/24", C::None}, Case{"$5", "$6.00", C::None}, Case{"false", "TRUE", C::None},
             Case{"Pak 40", "Pak 41", C::None}, Case{"T-34", "T-34,5", C::None}, Case{"5", "", C::None}}) {
        EXPECT_EQ(SpreadsheetConversion(c.before, c.after, test::Cyrillic()), c.kind) << c.before << " -> " << c.after;
    }
}

TEST_F(ImportSafety, ExportNamesTheCellsItCannotCarry)
{
    open(paths);
    document.setCell(dravik::GridNumber(1), 2, 1, "1\x1A");
    document.setCell(dravik::GridNumber(1), 3, 2, "a\tb");
    document.setCell(dravik::GridNumber(2), 2, 3, "~x");
    document.setCell(dravik::GridNumber(2), 2, 1, "line\nbreak");
    const UnreadableCells cells = FindUnreadableCells(document);
    EXPECT_EQ(cells.cells, 4);
    EXPECT_EQ(cells.endOfFile, 1);
    EXPECT_EQ(cells.lineBreak, 1);
    EXPECT_EQ(cells.tab, 1);
    EXPECT_EQ(cells.tilde, 1);
    EXPECT_TRUE(cells.cutsTable());
    const std::string message = cells.message().english();
    EXPECT_NE(message.find("Section 1, " + paths[0] + ", \"hp \": byte 26"), std::string::npos) << message;
    EXPECT_NE(message.find("Section 1, " + paths[1] + ", \"ap \": TAB"), std::string::npos) << message;
    EXPECT_NE(message.find("Section 2, " + paths[2] + ", \"speed \": \"~\""), std::string::npos) << message;

    document.setCell(dravik::GridNumber(1), 2, 1, "1");
    document.setCell(dravik::GridNumber(2), 2, 1, "x");
    EXPECT_FALSE(FindUnreadableCells(document).cutsTable());
}

// Two values of one key are told apart; the copies a text key's later
// columns hold are no cells of their own.
TEST_F(ImportSafety, ExportNamesEachCellOnceAndByItsValue)
{
    document.loadVariables(dir.write("t.var", "[section1]\r\narmor =2\r\n[section_text]\r\nname =2\r\n"));
    const std::string tabs = dir.write("t.desc", "armor 1\t2 3\t4\r\nname a\tb\r\n");
    open({tabs});
    const UnreadableCells cells = FindUnreadableCells(document);
    EXPECT_EQ(cells.cells, 3);
    EXPECT_EQ(cells.message(), "3 cells of the table cannot be read back by Import table as written:\n"
                               "  3 cells hold a TAB: the import splits it into two cells\n"
                               "  Section 1, " + tabs + ", \"armor \" value 1: TAB\n"
                               "  Section 1, " + tabs + ", \"armor \" value 2: TAB\n"
                               "  Section text, " + tabs + ", \"name \": TAB\n");
}

TEST_F(ImportSafety, CharacterSetDamageIsFoundOnlyWhereTheValuesDoNotExplainIt)
{
    open(paths);
    const std::string replaced = "\t" + paths[0] + "\t\xEF\xBF\xBD\t\r\n";
    const std::string utf8 = "\t" + paths[0] + "\t\xD0\xA2-34\t\r\n";  // "Т-34" in UTF-8
    EXPECT_FALSE(FindCharacterSetDamage("\t" + paths[0] + "\t\xD2-34\t\r\n", document).any());
    EXPECT_EQ(FindCharacterSetDamage(replaced, document).replacements, 1u);
    EXPECT_TRUE(FindCharacterSetDamage(utf8, document).utf8);
    EXPECT_FALSE(FindCharacterSetDamage("\xC0\x80 overlong\t\xED\xA0\x80 surrogate\t", document).utf8);

    // Values that hold UTF-8, or the replacement character, already.
    document.setCell(dravik::GridNumber(10), 1, 0, "\xD0\x91\xEF\xBF\xBD");
    EXPECT_FALSE(FindCharacterSetDamage(replaced + utf8, document).any());
    const std::string message = FindCharacterSetDamage(replaced + replaced, document).message("windows-1251").english();
    EXPECT_EQ(message.rfind("The table holds 1 replacement character ", 0), 0u) << message;
}

}  // namespace
}  // namespace dravik
