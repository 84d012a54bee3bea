#include "core/bulk/row_filter.h"

#include <gtest/gtest.h>

#include <vector>

namespace dravik {
namespace {

const CodePage& cp1251() { static const CodePage page = CodePage::Named("windows-1251"); return page; }

struct Row : FilterRow {
    std::vector<std::string> cells;
    std::vector<bool> edited;
    std::vector<std::string> common;
    std::string_view text(int c) const override { return cells[static_cast<size_t>(c)]; }
    bool changed(int c) const override { return edited[static_cast<size_t>(c)]; }
    std::string_view mostCommon(int c) const override { return common[static_cast<size_t>(c)]; }
};

// Whether the filter takes a row of one cell.
bool Takes(const std::string& filter, const std::string& cell, bool matchCase = false)
{
    Row row;
    row.cells = {cell};
    const int column = 0;
    return RowFilter::Parse(filter, cp1251(), matchCase).matches(row, std::span(&column, 1));
}

TEST(RowFilter, TextFoldedThroughTheCodePage)
{
    EXPECT_TRUE(Takes("\xF2\xE0\xED\xEA", "T-\xD2\xC0\xCD\xCA"));        // танк / ТАНК
    EXPECT_FALSE(Takes("\xF2\xE0\xED\xEA", "T-\xD2\xC0\xCD\xCA", true));
    EXPECT_TRUE(Takes("10", "x100"));  // a bare number is text
    EXPECT_TRUE(Takes("/^t\\d+$/", "T34"));
    EXPECT_FALSE(Takes("/^t\\d+$/", "T34", true));
    EXPECT_TRUE(Takes("'empty", "empty_slot"));
    EXPECT_FALSE(Takes("'empty", ""));
    EXPECT_TRUE(Takes("'>100", "a>100"));
    EXPECT_TRUE(Takes("/", "a/b"));
    EXPECT_TRUE(Takes("=\xD2\xC0\xCD\xCA", "\xF2\xE0\xED\xEA"));       // whole cell
    EXPECT_FALSE(Takes("= tank", "tanks"));
    EXPECT_TRUE(Takes("<> tank", "tanks"));
    EXPECT_FALSE(Takes("!= tank", "TANK"));
}

TEST(RowFilter, NumbersCompareAndCellsWithoutOneNeverMatch)
{
    struct Case {
        const char* filter;
        const char* cell;
        bool takes;
    };
    for (const Case& c : {Case{"> 100", "150", true}, Case{">100", "100", false}, Case{"> 100", " 150 ", true},
                          Case{"> 100", "abc", false}, Case{"> 100", "", false}, Case{">= 5", "5", true},
                          Case{"< 5", "4.9", true}, Case{"<=5", "5.0", true}, Case{"<= -1", "-1", true},
                          Case{"= 0", "0.0", true}, Case{"= 0", "-0", true}, Case{"= 0", "", false},
                          Case{"> 0", "-0", false}, Case{"< 0", "-0", false}, Case{"> 0.1", "0.1000001", true},
                          Case{"<> 3", "3.0", false}, Case{"<> 3", "4", true}, Case{"!= 3", "abc", false},
                          Case{"50..80", "50", true}, Case{"50..80", "80", true}, Case{"50..80", "80.5", false},
                          Case{"80 .. 50", "60", true}, Case{"50..", "1000", true}, Case{"..0", "-3", true},
                          Case{"..0", "3", false}, Case{"-5..-1", "-3", true}, Case{"5...", "5.", false}})
        EXPECT_EQ(Takes(c.filter, c.cell), c.takes) << c.filter << " on " << c.cell;
}

TEST(RowFilter, Keywords)
{
    EXPECT_TRUE(Takes("empty", " "));
    EXPECT_TRUE(Takes(" EMPTY ", ""));
    EXPECT_FALSE(Takes("empty", "0"));
    EXPECT_TRUE(Takes("=", " "));
    EXPECT_FALSE(Takes("<>", ""));
    EXPECT_TRUE(Takes("<>", "a"));
    EXPECT_TRUE(RowFilter::Parse("", cp1251()).all());
    EXPECT_TRUE(RowFilter::Parse("  ", cp1251()).all());

    Row row;
    row.cells = {"5", "7", " ", "a"};
    row.edited = {false, true, false, false};
    row.common = {"5", "5", "", "A"};
    const RowFilter changed = RowFilter::Parse("changed", cp1251());
    const RowFilter differs = RowFilter::Parse("Differs", cp1251());
    EXPECT_FALSE(changed.matchesCell(row, 0));
    EXPECT_TRUE(changed.matchesCell(row, 1));
    EXPECT_FALSE(differs.matchesCell(row, 0));
    EXPECT_TRUE(differs.matchesCell(row, 1));
    EXPECT_FALSE(differs.matchesCell(row, 2));  // blank against blank
    EXPECT_TRUE(differs.matchesCell(row, 3));   // letter case counts
}

TEST(RowFilter, ARowMatchesWhenAnyColumnLookedAtDoes)
{
    Row row;
    row.cells = {"1", "200", "3"};
    const RowFilter filter = RowFilter::Parse("> 100", cp1251());
    const std::vector<int> all = {0, 1, 2}, chosen = {0, 2};
    EXPECT_TRUE(filter.matches(row, all));
    EXPECT_FALSE(filter.matches(row, chosen));
    EXPECT_FALSE(filter.matches(row, {}));

    const std::vector<std::string_view> headers = {"armor ", "armor ", "Armor", "armor2", "\tarmor"};
    EXPECT_EQ(ColumnsNamed(headers, "armor"), (std::vector<int>{0, 1, 4}));
}

// A regular expression over a cell of a megabyte: once a stack overflow.
TEST(RowFilter, RegexOverAVeryLongCell)
{
    const std::string cell(1 << 20, 'y');
    EXPECT_FALSE(Takes("/.*x/", cell));
    EXPECT_TRUE(Takes("/^y(y|z)*$/", cell));
}

TEST(RowFilter, FaultsAreSyntaxErrors)
{
    try {
        RowFilter::Parse(" > abc", cp1251());
        ADD_FAILURE();
    } catch (const SyntaxError& error) {
        EXPECT_EQ(error.position(), 4u);
        EXPECT_STREQ(error.what(), "Expected a number after \">\" at position 4");
    }
    EXPECT_THROW(RowFilter::Parse("<", cp1251()), SyntaxError);
    EXPECT_THROW(RowFilter::Parse("//", cp1251()), SyntaxError);
    try {
        RowFilter::Parse("  /a(?=b)/", cp1251());
        ADD_FAILURE();
    } catch (const SyntaxError& error) {
        EXPECT_STREQ(error.what(), "Lookahead and lookbehind ((?=) are not supported in regular expressions at position 5");
    }
}

TEST(RowFilter, ModWordsKeepTheNameAsTyped)
{
    struct Case {
        const char* filter;
        RowFilter::Kind kind;
        const char* name;
    };
    for (const Case& c : {Case{" CONFLICT ", RowFilter::Kind::Conflict, ""}, Case{"lost", RowFilter::Kind::Lost, ""},
                          Case{"Mod: Red Army (2) ", RowFilter::Kind::Mod, "Red Army (2)"},
                          Case{"'conflict", RowFilter::Kind::Text, ""}, Case{"modx", RowFilter::Kind::Text, ""}}) {
        const RowFilter filter = RowFilter::Parse(c.filter, cp1251());
        EXPECT_EQ(filter.kind(), c.kind) << c.filter;
        EXPECT_EQ(filter.modName(), c.name) << c.filter;
    }
    // Without the caller naming the mod's id, nothing matches.
    struct ChangedByAll : Row {
        bool changedBy(int, int) const override { return true; }
    } row;
    const int column = 0;
    row.cells = {"x"};
    EXPECT_FALSE(RowFilter::Parse("mod:A", cp1251()).matches(row, std::span(&column, 1)));
    EXPECT_THROW(RowFilter::Parse("mod:  ", cp1251()), SyntaxError);
}

}  // namespace
}  // namespace dravik
