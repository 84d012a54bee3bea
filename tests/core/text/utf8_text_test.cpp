#include "core/text/utf8_text.h"

#include <gtest/gtest.h>

namespace dravik {
namespace {

TEST(Utf8Text, ValidOnlyWithoutOverlongFormsSurrogatesOrCodePointsPastTheLast)
{
    struct Case {
        std::string text;
        bool valid;
        bool multiByte;
    };
    const Case cases[] = {
        {"plain", true, false},
        {"\xD0\x9C\xD0\xB8", true, true},    // Cyrillic
        {"\xF0\x9F\x98\x80", true, true},    // past U+FFFF
        {"\xC0\xAF", false, false},          // "/" overlong
        {"\xE0\x80\xAF", false, false},      // "/" overlong in three bytes
        {"\xED\xA0\x80", false, false},      // a surrogate
        {"\xF4\x90\x80\x80", false, false},  // past U+10FFFF
        {"\xD0", false, false},              // cut short
        {"\xCC\xE8", false, false},          // windows-1251
    };
    for (const Case& c : cases) {
        const Utf8Scan scan = ScanUtf8(c.text);
        EXPECT_EQ(scan.valid, c.valid) << ::testing::PrintToString(c.text);
        EXPECT_EQ(scan.multiByte, c.multiByte) << ::testing::PrintToString(c.text);
    }
    char32_t c = 0;
    EXPECT_EQ(ReadUtf8("a\xF0\x9F\x98\x80", 1, c), 4u);
    EXPECT_EQ(c, U'\U0001F600');
    std::string bytes;
    AppendUtf8(bytes, U'\u041C');
    AppendUtf8(bytes, U'\U0001F600');
    EXPECT_EQ(bytes, "\xD0\x9C\xF0\x9F\x98\x80");
}

}  // namespace
}  // namespace dravik
