#include "core/bulk/clipboard_text.h"

#include <gtest/gtest.h>

namespace dravik {
namespace {

using Rows = std::vector<std::vector<std::string>>;

std::string Format(const Rows& rows, std::string_view lineEnd = "\n")
{
    return FormatClipboardText(rows.size(), rows.empty() ? 0 : rows[0].size(),
                               [&](size_t r, size_t c) -> std::string_view { return rows[r][c]; }, lineEnd);
}

TEST(ClipboardText, QuotesOnlyWhatSpreadsheetsQuote)
{
    const Rows rows = {{"a", "b\tc", "x\"y"}, {"say \"hi\"", "\"q", ""}, {"line1\nline2", "cr\r", " "}};
    EXPECT_EQ(Format(rows), "a\t\"b\tc\"\tx\"y\n"
                            "say \"hi\"\t\"\"\"q\"\t\n"
                            "\"line1\nline2\"\t\"cr\r\"\t \n");
    EXPECT_EQ(Format({{"1", "2"}}, "\r\n"), "1\t2\r\n");
}

TEST(ClipboardText, RoundTrip)
{
    const Rows rows = {{"plain", "", "\"", "\"\""},
                       {"a\r\nb", "\t", "tail\"", " lead"},
                       {"\xD2\xC0\xCD\xCA", "\n", "\r", "x\"\ty"},
                       {"", "", "", ""}};
    EXPECT_EQ(ParseClipboardText(Format(rows)), rows);
    EXPECT_EQ(ParseClipboardText(Format(rows, "\r\n")), rows);
    EXPECT_EQ(ParseClipboardText(Format({{""}})), (Rows{{""}}));
}

TEST(ClipboardText, ReadsWhatSpreadsheetsWrite)
{
    // Excel: CR LF rows, a line break inside a cell as LF, quotes doubled.
    EXPECT_EQ(ParseClipboardText("a\t\"b\nc\"\t\"say \"\"hi\"\"\"\r\n1\t2\t3\r\n"),
              (Rows{{"a", "b\nc", "say \"hi\""}, {"1", "2", "3"}}));
    // LibreOffice Calc on Linux: LF rows, empty cells at the end kept.
    EXPECT_EQ(ParseClipboardText("x\ty\t\n\"multi\nline\"\tz\t\n"), (Rows{{"x", "y", ""}, {"multi\nline", "z", ""}}));
    // One cell, with and without its line end.
    EXPECT_EQ(ParseClipboardText("42\r\n"), (Rows{{"42"}}));
    EXPECT_EQ(ParseClipboardText("42"), (Rows{{"42"}}));
}

TEST(ClipboardText, EdgesOfTheText)
{
    EXPECT_TRUE(ParseClipboardText("").empty());
    EXPECT_EQ(ParseClipboardText("\n"), (Rows{{""}}));
    EXPECT_EQ(ParseClipboardText("a\n\n"), (Rows{{"a"}, {""}}));  // only the last line end is dropped
    EXPECT_EQ(ParseClipboardText("a\tb\tc\nd\n"), (Rows{{"a", "b", "c"}, {"d", "", ""}}));
    EXPECT_EQ(ParseClipboardText("a\rb"), (Rows{{"a"}, {"b"}}));
    EXPECT_EQ(ParseClipboardText("a\"b\tc"), (Rows{{"a\"b", "c"}}));  // a quote inside is text
    EXPECT_EQ(ParseClipboardText("\"ab\"cd\te"), (Rows{{"abcd", "e"}}));
    // A quote never closed does not swallow the rest.
    EXPECT_EQ(ParseClipboardText("\"abc\tdef\nx"), (Rows{{"\"abc", "def"}, {"x", ""}}));
}

}  // namespace
}  // namespace dravik
