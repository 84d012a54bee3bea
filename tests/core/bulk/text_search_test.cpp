#include "core/bulk/text_search.h"

#include <gtest/gtest.h>

namespace dravik {
namespace {

const CodePage& cp1251() { static const CodePage page = CodePage::Named("windows-1251"); return page; }

// windows-1251 bytes: "ТАНК" / "танк", "Ёж" / "ёж".
const std::string kTankUpper = "\xD2\xC0\xCD\xCA";
const std::string kTankLower = "\xF2\xE0\xED\xEA";
const std::string kYoUpper = "\xA8\xE6";
const std::string kYoLower = "\xB8\xE6";

TEST(TextSearch, FoldsCyrillicThroughTheCodePageUnlessMatchingCase)
{
    for (bool regex : {false, true}) {
        const TextSearch folded(kTankUpper, cp1251(), {regex, false, false});
        EXPECT_TRUE(folded.found("T-" + kTankLower)) << regex;
        EXPECT_TRUE(TextSearch(kYoLower, cp1251(), {regex, false, false}).found(kYoUpper)) << regex;
        EXPECT_FALSE(TextSearch(kTankUpper, cp1251(), {regex, true, false}).found(kTankLower)) << regex;
        EXPECT_TRUE(TextSearch(kTankUpper, cp1251(), {regex, true, false}).found(kTankUpper)) << regex;
    }
    // Ranges and classes know the code page's letters too.
    EXPECT_TRUE(TextSearch("^\xF2[\xE0-\xFF]+$", cp1251(), {true, false, false}).found(kTankUpper));
    EXPECT_TRUE(TextSearch("^\\w+$", cp1251(), {true, true, false}).found(kTankLower + "_1"));
    EXPECT_TRUE(TextSearch("^[[:upper:]]+$", cp1251(), {true, true, false}).found(kTankUpper));
}

TEST(TextSearch, FindsEveryMatchLeftToRight)
{
    EXPECT_EQ(TextSearch("aa", cp1251()).findAll("aAaa"), (std::vector<TextMatch>{{0, 2}, {2, 2}}));
    EXPECT_EQ(TextSearch("Ab", cp1251()).findAll("xaB"), (std::vector<TextMatch>{{1, 2}}));
    EXPECT_EQ(TextSearch("\\d+", cp1251(), {true}).findAll("a12b3"), (std::vector<TextMatch>{{1, 2}, {4, 1}}));
    EXPECT_TRUE(TextSearch("x*", cp1251(), {true}).findAll("abc").empty());  // only empty matches
    EXPECT_TRUE(TextSearch("abc", cp1251()).findAll("ab").empty());
}

TEST(TextSearch, WholeCell)
{
    const TextSearch plain("TANK", cp1251(), {false, false, true});
    EXPECT_TRUE(plain.found("tank"));
    EXPECT_FALSE(plain.found("tanks"));
    EXPECT_EQ(plain.findAll("Tank"), (std::vector<TextMatch>{{0, 4}}));
    const TextSearch regex("\\d+", cp1251(), {true, false, true});
    EXPECT_TRUE(regex.found("123"));
    EXPECT_FALSE(regex.found("12a"));
    std::string out;
    EXPECT_TRUE(regex.replaceAll("42", "<$&>", out));
    EXPECT_EQ(out, "<42>");
}

TEST(TextSearch, ReplacesEveryMatch)
{
    std::string out = "untouched";
    EXPECT_FALSE(TextSearch("gun", cp1251()).replaceAll("tank", "x", out));
    EXPECT_EQ(out, "untouched");
    EXPECT_TRUE(TextSearch("Tank", cp1251()).replaceAll("tank TANK tan", "Gun", out));
    EXPECT_EQ(out, "Gun Gun tan");
    EXPECT_TRUE(TextSearch(kTankLower, cp1251()).replaceAll(kTankUpper + "_1", "$1", out));
    EXPECT_EQ(out, "$1_1");  // plain text: no groups
    EXPECT_TRUE(TextSearch("(\\d+)_(\\w+)", cp1251(), {true}).replaceAll("12_ab 3_c", "$2-$1", out));
    EXPECT_EQ(out, "ab-12 c-3");
    EXPECT_TRUE(TextSearch("a", cp1251(), {false, false, true}).replaceAll("A", "b", out));
    EXPECT_EQ(out, "b");
}

TEST(TextSearch, PatternsThatCannotBeUsedAreSyntaxErrors)
{
    EXPECT_THROW(TextSearch("", cp1251()), SyntaxError);
    EXPECT_THROW(TextSearch("(", cp1251(), {true}), SyntaxError);
    EXPECT_THROW(TextSearch("[b-a]", cp1251(), {true}), SyntaxError);
}

}  // namespace
}  // namespace dravik
