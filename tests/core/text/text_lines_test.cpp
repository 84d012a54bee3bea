#include "core/text/text_lines.h"

#include <gtest/gtest.h>

#include <random>

namespace dravik {
namespace {

using Lines = std::vector<std::string>;

struct SplitCase {
    std::string bytes;
    Lines lines;
    bool finalBreak;
};

class SplitLinesCases : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitLinesCases, EachBreakKindEndsOneLine)
{
    const SplitCase& c = GetParam();
    const TextLines text = SplitLines(c.bytes);
    EXPECT_EQ(text.lines, c.lines);
    EXPECT_EQ(text.finalBreak, c.finalBreak);
    std::vector<std::string_view> views{"left from an earlier text"};
    SplitLineViewsInto(c.bytes, views);
    EXPECT_EQ(Lines(views.begin(), views.end()), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Breaks, SplitLinesCases,
    ::testing::Values(SplitCase{"", {}, false}, SplitCase{"a", {"a"}, false}, SplitCase{"a\r\n", {"a"}, true},
                      SplitCase{"a\rb\nc\r\nd", {"a", "b", "c", "d"}, false}, SplitCase{"\r\n", {""}, true},
                      SplitCase{"\n\n", {"", ""}, true}, SplitCase{"\r\r\n", {"", ""}, true},
                      SplitCase{"\n\r", {"", ""}, true}, SplitCase{"x\n\ry", {"x", "", "y"}, false},
                      SplitCase{std::string("\0\xFF\r\n\xFF", 5), {std::string("\0\xFF", 2), "\xFF"}, false},
                      SplitCase{"[section1]\r\n\xC0\xE1 1\r\n", {"[section1]", "\xC0\xE1 1"}, true}));

TEST(JoinLines, CrLfBetweenLinesAndAfterTheLastOnlyWhenItHadOne)
{
    EXPECT_EQ(JoinLines(TextLines{{"a", "", "b"}, false}), "a\r\n\r\nb");
    EXPECT_EQ(JoinLines(TextLines{{"a", "", "b"}, true}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(JoinLines(TextLines{{""}, true}), "\r\n");
    EXPECT_EQ(JoinLines(TextLines{{}, true}), "");
}

// What a load and save does to the bytes: every break becomes CR LF.
std::string WithCrLfBreaks(const std::string& bytes)
{
    std::string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            out += "\r\n";
            ++i;
        } else if (bytes[i] == '\r' || bytes[i] == '\n') {
            out += "\r\n";
        } else {
            out += bytes[i];
        }
    }
    return out;
}

TEST(SplitThenJoin, KeepsEveryByteAndNormalisesOnlyTheBreaks)
{
    std::mt19937 random(20240611);
    const std::string alphabet("ab \t\r\n\0\xFF\xC0\xE0", 10);
    for (int round = 0; round < 500; ++round) {
        std::string bytes;
        const int length = static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i)
            bytes += alphabet[random() % alphabet.size()];
        EXPECT_EQ(JoinLines(SplitLines(bytes)), WithCrLfBreaks(bytes)) << ::testing::PrintToString(bytes);
    }
}

TEST(SplitLinesInto, ReusedTextHoldsOnlyTheNewLines)
{
    TextLines text = SplitLines("one\r\ntwo\r\nthree long enough to leave the small buffer\r\nfour\r\n");
    SplitLinesInto("x\ny", text);
    EXPECT_EQ(text, SplitLines("x\ny"));
    SplitLinesInto("", text);
    EXPECT_EQ(text, SplitLines(""));
    SplitLinesInto("a\r\n\r\nb\r", text);
    EXPECT_EQ(text, (TextLines{{"a", "", "b"}, true}));
}

TEST(SplitThenJoin, TenMegabyteLine)
{
    std::string big(10 * 1024 * 1024, 'v');
    big[0] = '\0';
    big[big.size() / 2] = '\xFF';
    const std::string bytes = "key " + big + "\nnext";
    const TextLines text = SplitLines(bytes);
    ASSERT_EQ(text.lines.size(), 2u);
    EXPECT_EQ(text.lines[0].size(), big.size() + 4);
    EXPECT_TRUE(text.lines[0] == "key " + big);
    EXPECT_TRUE(JoinLines(text) == "key " + big + "\r\nnext");
}

}  // namespace
}  // namespace dravik
