#include "core/text/dravik2_auxillary.h"

#include <gtest/gtest.h>

namespace dravik {
namespace {

TEST(Trim, CutsEveryCodeUpTo32AtBothEndsOnly)
{
    EXPECT_EQ(Trim(std::string(" \t\r\n\0\x1F a b \x01\0", 13)), "a b");
    EXPECT_EQ(Trim("\xA0x\xFF"), "\xA0x\xFF");  // no-break space and 0xFF are text
    EXPECT_EQ(Trim("   "), "");
}

struct WordCase {
    char delimiter;
    std::string text;
    int n;
    std::string word;
};

class GetWordCases : public ::testing::TestWithParam<WordCase> {};

TEST_P(GetWordCases, Word)
{
    const WordCase& c = GetParam();
    EXPECT_EQ(GetWord(c.delimiter, c.text, c.n), c.word)
        << "'" << c.delimiter << "' " << ::testing::PrintToString(c.text) << " n=" << c.n;
}

INSTANTIATE_TEST_SUITE_P(
    Blank, GetWordCases,
    ::testing::Values(WordCase{' ', "10  20", 1, "20"},           // a run of blanks separates like one
                      WordCase{' ', "a b c", 5, "c"},             // beyond the last: the last
                      WordCase{' ', "a b c", 2, "c"},
                      WordCase{' ', "  a  b  ", 0, "a"},          // trimmed first
                      WordCase{' ', "  a  b  ", 1, "b"},
                      WordCase{' ', "", 0, " "}, WordCase{' ', "", 3, " "},
                      WordCase{' ', " ", 0, " "}, WordCase{' ', " ", 1, " "},
                      WordCase{' ', "\t\r\n", 0, " "},
                      WordCase{' ', "a\tb c", 0, "a\tb"},         // a tab inside is no blank
                      WordCase{' ', "\ta b", 0, "a"},             // but it is trimmed at the ends
                      WordCase{' ', "single", 1, "single"},
                      WordCase{' ', "\xC0\xE1\xFF 2", 0, "\xC0\xE1\xFF"},
                      WordCase{' ', std::string("x\0y z", 5), 0, std::string("x\0y", 3)}));

INSTANTIATE_TEST_SUITE_P(
    OtherDelimiter, GetWordCases,
    ::testing::Values(WordCase{'~', "~a~b", 0, "~a"},  // leading delimiters belong to word 0
                      WordCase{'~', "~a~b", 1, "a"}, WordCase{'~', "~a~b", 2, "b"},
                      WordCase{'~', "a~~b", 1, "b"}, WordCase{'~', "a~", 1, "a"},
                      WordCase{'~', "", 0, "~"},
                      // only delimiters: the word runs to the end, the appended one included
                      WordCase{'~', "~~", 0, "~~~"}, WordCase{'~', "~~", 2, "~~~"},
                      WordCase{'~', "a b~c", 0, "a b"}));

struct CountCase {
    std::string text;
    int count;
};

class WordCountCases : public ::testing::TestWithParam<CountCase> {};

TEST_P(WordCountCases, Count)
{
    EXPECT_EQ(WordCount(GetParam().text), GetParam().count) << ::testing::PrintToString(GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Blank, WordCountCases,
                         ::testing::Values(CountCase{"  one   two  three ", 3}, CountCase{"", 0}, CountCase{"    ", 0},
                                           CountCase{"\t \r", 0}, CountCase{"a ~", 2}, CountCase{"a\tb", 1},
                                           CountCase{"\ta b\t", 2}, CountCase{"x", 1},
                                           CountCase{"\xC0 \xE0 \xFF", 3}));

TEST(PathRoutines, SplitAtTheLastNativeSeparator)
{
    const std::string s(1, kPathSeparator);
    const std::string path = s + "games" + s + "desc" + s + "tank.desc";
    EXPECT_EQ(PathOfFile(path), s + "games" + s + "desc" + s);
    EXPECT_EQ(NameOfFile(path), "tank.desc");

    EXPECT_EQ(PathOfFile("tank.desc"), "");
    EXPECT_EQ(NameOfFile("tank.desc"), "tank.desc");

    const std::string folder = s + "games" + s;
    EXPECT_EQ(PathOfFile(folder), folder);
    EXPECT_EQ(NameOfFile(folder), "");

    EXPECT_EQ(PathOfFile(""), "");
    EXPECT_EQ(NameOfFile(""), "");
}

#ifndef _WIN32
TEST(PathRoutines, BackslashIsAnOrdinaryCharacterOnPosix)
{
    EXPECT_EQ(NameOfFile("C:\\desc\\tank.desc"), "C:\\desc\\tank.desc");
    EXPECT_EQ(PathOfFile("C:\\desc\\tank.desc"), "");
    EXPECT_EQ(NameOfFile("/d/a\\b"), "a\\b");
}
#endif

}  // namespace
}  // namespace dravik
