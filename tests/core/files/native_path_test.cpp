#include "core/files/native_path.h"

#include "tests/core/test_files.h"

#include <gtest/gtest.h>

namespace dravik {
namespace {

const CodePage& Western()
{
    static const CodePage page = CodePage::Named("windows-1252");
    return page;
}

// "C:\Мои моды\танк.desc" as Windows names it.
const std::u16string kCyrillicPath = u"C:\\\u041c\u043e\u0438 \u043c\u043e\u0434\u044b\\\u0442\u0430\u043d\u043a.desc";

TEST(PathForm, WhatTheCodePageWritesStaysItsBytes)
{
    // Under windows-1251 the Cyrillic path is plain text, as before.
    const std::string path = EncodePathUnits(kCyrillicPath, test::Cyrillic());
    EXPECT_EQ(path, "C:\\\xCC\xEE\xE8 \xEC\xEE\xE4\xFB\\\xF2\xE0\xED\xEA.desc");
    EXPECT_FALSE(HoldsEscapes(path));
    EXPECT_EQ(RenderEscapedPath(path), path);
    EXPECT_EQ(DecodePathUnits(path, test::Cyrillic()), kCyrillicPath);

    // Every byte but "<" is a name character of its own.
    for (int b = 0; b < 256; ++b) {
        if (b == '<')
            continue;
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(EncodePathUnits(DecodePathUnits(byte, Western()), Western()), byte) << b;
    }
}

TEST(PathForm, WhatItCannotWriteTravelsWithoutLossAndRendersAsQuestionMarks)
{
    const std::string path = EncodePathUnits(kCyrillicPath, Western());
    EXPECT_EQ(path, "C:\\<041c043e0438> <043c043e0434044b>\\<04420430043d043a>.desc");
    EXPECT_TRUE(HoldsEscapes(path));
    EXPECT_EQ(DecodePathUnits(path, Western()), kCyrillicPath);
    EXPECT_EQ(RenderEscapedPath(path), "C:\\??? ????\\????.desc");

    // Mixed with letters the code page has: "Café ё".
    const std::u16string mixed = u"Caf\u00e9 \u0451";
    EXPECT_EQ(EncodePathUnits(mixed, Western()), "Caf\xE9 <0451>");
    EXPECT_EQ(DecodePathUnits("Caf\xE9 <0451>", Western()), mixed);

    // A character beyond the 16-bit range is one "?"; a lone surrogate, which
    // a Windows name may hold, comes back as it was.
    const std::u16string astral = u"a\U0001F600b\xD800";
    const std::string astralPath = EncodePathUnits(astral, Western());
    EXPECT_EQ(astralPath, "a<d83dde00>b<d800>");
    EXPECT_EQ(DecodePathUnits(astralPath, Western()), astral);
    EXPECT_EQ(RenderEscapedPath(astralPath), "a?b?");
}

TEST(PathForm, AnOpeningBracketIsOnlyAnEscapeWhenWellFormed)
{
    // "<" itself is escaped, so a name holding it cannot turn into another.
    EXPECT_EQ(EncodePathUnits(u"a<0041>", Western()), "a<003c>0041>");
    EXPECT_EQ(DecodePathUnits("a<003c>0041>", Western()), u"a<0041>");

    // Typed text: what is no escape is taken as it stands.
    for (const char* literal : {"<", "a<b>", "<041>", "<041c", "<041cz>", "<>", "x<12345>"}) {
        EXPECT_FALSE(HoldsEscapes(literal)) << literal;
        EXPECT_EQ(RenderEscapedPath(literal), literal);
        const std::u16string units = DecodePathUnits(literal, Western());
        EXPECT_EQ(units.size(), std::string_view(literal).size()) << literal;
    }
    EXPECT_EQ(DecodePathUnits("<041C>", Western()), u"\u041c") << "either case of hex digit";
}

TEST(PathText, IsThePathWhereTheSystemTakesBytes)
{
#ifndef _WIN32
    EXPECT_EQ(PathText("/m<041c>/a.desc"), "/m<041c>/a.desc");
    EXPECT_TRUE(PathFitsText("/m<041c>/a.desc"));
#else
    EXPECT_EQ(PathText("C:\\m<041c>\\a.desc"), "C:\\m?\\a.desc");
    EXPECT_FALSE(PathFitsText("C:\\m<041c>\\a.desc"));
    EXPECT_TRUE(PathFitsText("C:\\m\\a.desc"));
    EXPECT_EQ(WidePath("C:\\m<041c>\\a.desc"), L"C:\\m\u041c\\a.desc");
    EXPECT_EQ(WidePath(PathOfWide(L"C:\\m\u041c\\a.desc")), L"C:\\m\u041c\\a.desc");
#endif
}

}  // namespace
}  // namespace dravik
