#include "core/bulk/text_search.h"

#include <gtest/gtest.h>

#include <cctype>

namespace dravik {
namespace {

const CodePage& cp1251() { static const CodePage page = CodePage::Named("windows-1251"); return page; }

// windows-1251 bytes: "ТАНК" / "танк", "Ёж" / "ёж".
const std::string kTankUpper = "\xD2\xC0\xCD\xCA";
const std::string kTankLower = "\xF2\xE0\xED\xEA";
const std::string kYoUpper = "\xA8\xE6";
const std::string kYoLower = "\xB8\xE6";

std::string Replaced(const TextSearch& search, std::string_view text, std::string_view replacement)
{
    std::string out = "(nothing matched)";
    search.replaceAll(text, replacement, out);
    return out;
}

std::string Replaced(std::string_view pattern, std::string_view text, std::string_view replacement)
{
    return Replaced(TextSearch(pattern, cp1251(), {true}), text, replacement);
}

TEST(TextSearch, FoldsCyrillicThroughTheCodePageUnlessMatchingCase)
{
    for (bool regex : {false, true}) {
        const TextSearch folded(kTankUpper, cp1251(), {regex, false, false});
        EXPECT_TRUE(folded.found("T-" + kTankLower)) << regex;
        EXPECT_TRUE(TextSearch(kYoLower, cp1251(), {regex, false, false}).found(kYoUpper)) << regex;
        EXPECT_FALSE(TextSearch(kTankUpper, cp1251(), {regex, true, false}).found(kTankLower)) << regex;
        EXPECT_TRUE(TextSearch(kTankUpper, cp1251(), {regex, true, false}).found(kTankUpper)) << regex;
    }
    // Ranges, "." and classes take a byte of the cell for its character.
    EXPECT_TRUE(TextSearch("^\xF2[\xE0-\xFF]+$", cp1251(), {true, false, false}).found(kTankUpper));
    EXPECT_TRUE(TextSearch("^.{4}_1$", cp1251(), {true, true, false}).found(kTankLower + "_1"));
    EXPECT_TRUE(TextSearch("^\\pL+_\\d$", cp1251(), {true, true, false}).found(kTankLower + "_1"));
    EXPECT_TRUE(TextSearch("^\\p{Lu}+$", cp1251(), {true, true, false}).found(kTankUpper));
    EXPECT_FALSE(TextSearch("^\\p{Lu}+$", cp1251(), {true, true, false}).found(kTankLower));
}

// A one-letter pattern without "match case" finds exactly the bytes the
// code page folds together, as plain text does.
TEST(TextSearch, RegexFoldingAgreesWithTheCodePage)
{
    for (const char* name : {"windows-1251", "windows-1252", "iso-8859-1"}) {
        const CodePage page = CodePage::Named(name);
        for (int p = 0; p < 256; ++p) {
            std::string pattern(1, static_cast<char>(p));
            // Every ASCII byte but letters and digits, written as its code.
            if (p < 0x80 && !std::isalnum(p)) {
                static const char* hex = "0123456789ABCDEF";
                pattern = std::string("\\x") + hex[p / 16] + hex[p % 16];
            }
            const TextSearch search(pattern, page, {true, false, true});
            for (int t = 0; t < 256; ++t) {
                const std::string text(1, static_cast<char>(t));
                ASSERT_EQ(search.found(text), page.lower(static_cast<unsigned char>(p)) == page.lower(static_cast<unsigned char>(t)))
                    << name << ": pattern byte " << p << ", cell byte " << t;
            }
        }
    }
}

TEST(TextSearch, WholeCell)
{
    const TextSearch plain("TANK", cp1251(), {false, false, true});
    EXPECT_TRUE(plain.found("tank"));
    EXPECT_FALSE(plain.found("tanks"));
    EXPECT_EQ(Replaced(plain, "Tank", "gun"), "gun");
    const TextSearch regex("\\d+", cp1251(), {true, false, true});
    EXPECT_TRUE(regex.found("123"));
    EXPECT_FALSE(regex.found("12a"));
    EXPECT_EQ(Replaced(regex, "42", "<$&>"), "<42>");
    EXPECT_EQ(Replaced(regex, "42a", "<$&>"), "(nothing matched)");
}

TEST(TextSearch, ReplacesEveryMatchLeftToRight)
{
    std::string out = "untouched";
    EXPECT_FALSE(TextSearch("gun", cp1251()).replaceAll("tank", "x", out));
    EXPECT_EQ(out, "untouched");
    EXPECT_EQ(Replaced(TextSearch("Tank", cp1251()), "tank TANK tan", "Gun"), "Gun Gun tan");
    EXPECT_EQ(Replaced(TextSearch("aa", cp1251()), "aAaaa", "x"), "xxa");  // none overlapping
    EXPECT_EQ(Replaced(TextSearch(kTankLower, cp1251()), kTankUpper + "_1", "$1"), "$1_1");  // plain text: no groups
    EXPECT_EQ(Replaced("(\\d+)_(\\w+)", "12_ab 3_c", "$2-$1"), "ab-12 c-3");
    EXPECT_EQ(Replaced("\\d+", "a12b3", "<$&>"), "a<12>b<3>");
    EXPECT_EQ(Replaced("abc", "ab", "x"), "(nothing matched)");
    EXPECT_EQ(Replaced(TextSearch("a", cp1251(), {false, false, true}), "A", "b"), "b");
}

TEST(TextSearch, RegexReplacementSyntax)
{
    EXPECT_EQ(Replaced("b", "abc", "[$`|$'|$$|$]"), "a[a|c|$|$]c");
    EXPECT_EQ(Replaced("(b)", "abc", "$1$01$2$12$"), "abb$c");  // groups beyond the pattern's add nothing
    EXPECT_EQ(Replaced("(x)?b", "ab", "<$1>"), "a<>");          // nor one that took no part
    EXPECT_EQ(Replaced("(b)", "abc", "$0$x"), "ab$xc");
    // Empty matches: one at every character boundary not just after a match.
    EXPECT_EQ(Replaced("x*", "abc", "-"), "-a-b-c-");
    EXPECT_EQ(Replaced("a*", "baaa", "-"), "-b--");
    // Cyrillic groups and replacement come back as the code page's bytes.
    EXPECT_EQ(Replaced("(\\pL+)_(\\d)", kTankUpper + "_1 " + kYoLower, "$2" + kYoUpper + "$1"),
              "1" + kYoUpper + kTankUpper + " " + kYoLower);
    EXPECT_EQ(Replaced(TextSearch(kTankLower, cp1251(), {true}), "x" + kTankUpper + "y", "[$&]"), "x[" + kTankUpper + "]y");
}

TEST(TextSearch, PatternsThatCannotBeUsedAreSyntaxErrorsWithTheirPlace)
{
    EXPECT_THROW(TextSearch("", cp1251()), SyntaxError);
    const auto refusal = [](const std::string& pattern) -> std::string {
        try {
            TextSearch search(pattern, cp1251(), {true});
        } catch (const SyntaxError& error) {
            return error.what();
        }
        return "accepted";
    };
    EXPECT_EQ(refusal("ab("), "Not a regular expression (missing ): ab() at position 1");
    EXPECT_EQ(refusal(kTankLower + "[b-a]"), "Not a regular expression (invalid character class range: b-a) at position 6");
    EXPECT_EQ(refusal("(a)x\\1"), "Back references (\\1) are not supported in regular expressions at position 5");
    EXPECT_EQ(refusal("a(?=b)"), "Lookahead and lookbehind ((?=) are not supported in regular expressions at position 2");
    EXPECT_EQ(refusal("(?<!a)b"), "Lookahead and lookbehind ((?<) are not supported in regular expressions at position 1");
    const std::string nested = std::string(100000, '(') + "a" + std::string(100000, ')');
    EXPECT_EQ(refusal(nested), "The regular expression is too large at position 1");
    EXPECT_EQ(refusal("\\pL{300}"), "The regular expression is too large at position 1");
    // Programs so long that a cell of a megabyte would take seconds, the
    // largest count named as the likely reason. (The count of steps is the
    // RE2 version's.)
    const auto slow = [&](const std::string& pattern) {
        std::string message = refusal(pattern);
        const size_t steps = message.find(" steps long");
        if (steps != std::string::npos) {
            const size_t digits = message.find_last_not_of("0123456789", steps - 1) + 1;
            message.replace(digits, steps - digits, "N");
        }
        return message;
    };
    EXPECT_EQ(slow("[a-q][^u-z]{999}x"), "The regular expression would search too slowly ({999} makes it N steps "
                                         "long; at most 5000 are allowed) at position 12");
    EXPECT_EQ(slow(kTankLower + "\\pL{2}\\pL{5}"), "The regular expression would search too slowly ({5} makes it N "
                                                  "steps long; at most 5000 are allowed) at position 14");
    EXPECT_EQ(slow("\\pL\\PL\\pL\\PL\\pL"), "The regular expression would search too slowly (it is N steps long; "
                                                  "at most 5000 are allowed) at position 1");
    // Below the bound, both ways round: a replacement finds where matches start.
    for (const char* pattern : {"\\pL\\PL\\pL", "^\\p{Lu}\\pL+_\\d+$", "(.{550})$", "[a-q][^u-z]{500}x"})
        EXPECT_EQ(refusal(pattern), "accepted") << pattern;
    EXPECT_EQ(Replaced("(.{550})$", std::string(600, 'a'), "<$1>"), std::string(50, 'a') + "<" + std::string(550, 'a') + ">");
}

// Cells far longer than any desc file holds, and a pattern that takes a
// backtracking matcher exponential time: each is done at once, without
// exhausting the stack.
TEST(TextSearch, LongCellsAndBacktrackingPatterns)
{
    for (const std::string& cell : {std::string(1 << 20, 'y'), std::string(1 << 20, '\xF2')}) {
        EXPECT_TRUE(TextSearch(".*", cp1251(), {true}).found(cell));
        EXPECT_FALSE(TextSearch(".*x", cp1251(), {true}).found(cell));
        EXPECT_TRUE(TextSearch("^(.)*$", cp1251(), {true, false, true}).found(cell));
        std::string out;
        ASSERT_TRUE(TextSearch("(.*)", cp1251(), {true}).replaceAll(cell, "<$1>", out));
        EXPECT_TRUE(out == "<" + cell + "><>");  // and the empty match at the end
        // A match at every character: each is found from where the last ended.
        const std::string_view part(cell.data(), 100000);
        ASSERT_TRUE(TextSearch(cell.substr(0, 1), cp1251(), {true}).replaceAll(part, "ab", out));
        EXPECT_EQ(out.size(), 2 * part.size());
    }
    const std::string as(10000, 'a');
    const TextSearch backtracking("(a+)+b", cp1251(), {true});
    EXPECT_FALSE(backtracking.found(as));
    std::string out;
    EXPECT_FALSE(backtracking.replaceAll(as, "$1", out));
    EXPECT_TRUE(backtracking.found(as + "b"));
    EXPECT_TRUE(TextSearch("(a|aa)*c", cp1251(), {true}).replaceAll(as + "c", "$1", out));
    EXPECT_EQ(out, "a");
}

}  // namespace
}  // namespace dravik
