#include "core/text/code_page.h"

#include "core/errors.h"

#include <gtest/gtest.h>

#include <set>

namespace dravik {
namespace {

TEST(CodePageNames, AliasesAreCaseInsensitive)
{
    for (const char* name : {"windows-1251", "CP1251", "1251"})
        EXPECT_EQ(CodePage::Named(name).name(), "windows-1251") << name;
    for (const char* name : {"Windows-1252", "cp1252"})
        EXPECT_EQ(CodePage::Named(name).name(), "windows-1252") << name;
    for (const char* name : {"ISO-8859-1", "latin1"})
        EXPECT_EQ(CodePage::Named(name).name(), "iso-8859-1") << name;
}

TEST(CodePageNames, UnknownNameIsAnError)
{
    EXPECT_THROW(CodePage::Named("koi8-r-ish"), DravikError);
    EXPECT_THROW(CodePage::Named(""), DravikError);
}

#ifndef _WIN32
TEST(CodePageNames, DefaultOffWindowsIsCyrillic)
{
    EXPECT_EQ(CodePage::Default().name(), "windows-1251");
}
#endif

class EveryCodePage : public ::testing::TestWithParam<const char*> {};

TEST_P(EveryCodePage, EveryByteRoundTripsThroughItsCharacter)
{
    const CodePage page = CodePage::Named(GetParam());
    std::set<char32_t> seen;
    for (int b = 0; b < 256; ++b) {
        const char32_t ch = page.toUnicode(static_cast<unsigned char>(b));
        EXPECT_TRUE(seen.insert(ch).second) << "byte " << b << " shares its character";
        EXPECT_EQ(static_cast<unsigned char>(page.fromUnicode(ch)), b);
    }
    EXPECT_EQ(page.fromUnicode(U'\u4E2D'), '?');
}

TEST_P(EveryCodePage, FoldingIsStableAndKeepsAsciiOutsideLetters)
{
    const CodePage page = CodePage::Named(GetParam());
    for (int b = 0; b < 256; ++b) {
        const unsigned char lower = page.lower(static_cast<unsigned char>(b));
        EXPECT_EQ(page.lower(lower), lower) << "byte " << b;
        if (b >= 'A' && b <= 'Z') {
            EXPECT_EQ(lower, b + 32);
        } else if (b < 128) {
            EXPECT_EQ(lower, b);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Named, EveryCodePage, ::testing::Values("windows-1251", "windows-1252", "iso-8859-1"));

TEST(Windows1251, CyrillicCapitalsFoldToTheirSmallLetters)
{
    const CodePage page = CodePage::Named("windows-1251");
    for (int b = 0xC0; b <= 0xDF; ++b) {
        EXPECT_EQ(page.lower(static_cast<unsigned char>(b)), b + 0x20) << "byte " << b;
        EXPECT_EQ(page.lower(static_cast<unsigned char>(b + 0x20)), b + 0x20);
    }
    struct Pair { unsigned char upper, lower; };
    // Ё ё, Ђ ђ, Љ љ, Ў ў, І і, Ґ ґ: the capitals outside the main block.
    for (Pair p : {Pair{0xA8, 0xB8}, Pair{0x80, 0x90}, Pair{0x8A, 0x9A}, Pair{0xA1, 0xA2}, Pair{0xB2, 0xB3},
                   Pair{0xA5, 0xB4}})
        EXPECT_EQ(page.lower(p.upper), p.lower) << int(p.upper);
    // Signs and the undefined byte have no case.
    for (unsigned char b : {0x98, 0xB9, 0xAB, 0xA0})
        EXPECT_EQ(page.lower(b), b) << int(b);
}

TEST(Windows1252, WesternCapitalsFoldAndSignsStay)
{
    const CodePage page = CodePage::Named("windows-1252");
    EXPECT_EQ(page.lower(0xC0), 0xE0);  // À
    EXPECT_EQ(page.lower(0x8A), 0x9A);  // Š
    EXPECT_EQ(page.lower(0x9F), 0xFF);  // Ÿ
    EXPECT_EQ(page.lower(0xD7), 0xD7);  // ×
    EXPECT_EQ(page.lower(0xDF), 0xDF);  // ß has no capital here
    EXPECT_EQ(page.lower(0xA8), 0xA8);  // ¨, the byte of Ё in the Cyrillic page
}

TEST(CaseInsensitiveCompare, PrefixAndLowering)
{
    const CodePage page = CodePage::Named("windows-1251");
    EXPECT_TRUE(page.startsWithIgnoringCase("\xE0\xE1V 1", "\xC0\xC1v"));
    EXPECT_TRUE(page.startsWithIgnoringCase("anything", ""));
    EXPECT_FALSE(page.startsWithIgnoringCase("ab", "abc"));
    EXPECT_FALSE(page.startsWithIgnoringCase(" abc", "abc"));
    EXPECT_TRUE(page.startsWithIgnoringCase(std::string("a\0b", 3), std::string("A\0", 2)));
    EXPECT_TRUE(page.startsWithIgnoringCase("\xB8\xE6", "\xA8\xC6")) << "the letter Io folds too";
    EXPECT_EQ(page.lowered("Tank \xC0\xD1\xFF"), "tank \xE0\xF1\xFF");
}

TEST(AsciiFolding, OnlyLettersAToZ)
{
    EXPECT_EQ(AsciiLowered("HeALTH \xC0\xE1 Z[@"), "health \xC0\xE1 z[@");
    EXPECT_EQ(AsciiLowered(std::string("A\0B", 3)), std::string("a\0b", 3));
}

}  // namespace
}  // namespace dravik
