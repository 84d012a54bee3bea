#include "core/text/cell_value.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>

namespace dravik {
namespace {

TEST(CellNumber, TheFormOfDescValuesAndNothingElse)
{
    for (const char* text : {"12", "-0.5", "+3", ".5", "5.", " 7\t", "007", "-0", "\r\n42 "}) {
        EXPECT_TRUE(IsCellNumber(text)) << text;
    }
    for (const char* text : {"", " ", "-", ".", "+.", "1e5", "1,5", "$FF", "0x10", "- 5", "5 6", "1.2.3", "inf", "nan",
                             "5-", "\xB9" "5"}) {
        EXPECT_FALSE(IsCellNumber(text)) << text;
    }
    EXPECT_FALSE(IsCellNumber("1" + std::string(400, '0')));  // beyond a double
}

TEST(CellNumber, WholeMeansWrittenWithoutAPoint)
{
    EXPECT_TRUE(ReadCellNumber("-12")->whole);
    EXPECT_FALSE(ReadCellNumber("12.0")->whole);
    EXPECT_FALSE(ReadCellNumber("5.")->whole);
}

TEST(CellNumber, ReadsTheNearestDouble)
{
    // Short cells take the quick way, long ones the library's; both must
    // give the double the library gives for the same digits.
    std::mt19937 random(7);
    for (int i = 0; i < 2000; ++i) {
        std::string digits = std::to_string(random() % 100000000) + std::to_string(random());
        digits.resize(1 + random() % digits.size());
        const size_t point = random() % (digits.size() + 1);
        std::string text = digits.substr(0, point) + "." + digits.substr(point);
        double expected = 0;
        std::from_chars(text.data(), text.data() + text.size(), expected);
        EXPECT_EQ(ReadCellNumber(text)->value, expected) << text;
        EXPECT_EQ(ReadCellNumber("-" + text)->value, -expected) << text;
    }
    EXPECT_EQ(ReadCellNumber("0.1")->value, 0.1);
    EXPECT_EQ(ReadCellNumber("123456789012345678901234.5")->value, 123456789012345678901234.5);
}

TEST(FormatCellNumber, ShortDecimalWithoutSurprises)
{
    EXPECT_EQ(FormatCellNumber(1e6), "1000000");
    EXPECT_EQ(FormatCellNumber(3 * 1.1), "3.3");
    EXPECT_EQ(FormatCellNumber(0.1 + 0.2), "0.3");
    EXPECT_EQ(FormatCellNumber(-0.0), "0");
    EXPECT_EQ(FormatCellNumber(-1e-300 * 1e-300), "0");
    EXPECT_EQ(FormatCellNumber(1e-7), "0.0000001");
    EXPECT_EQ(FormatCellNumber(-2.5), "-2.5");
    EXPECT_EQ(FormatCellNumber(1e20), "100000000000000000000");
    EXPECT_EQ(FormatCellNumber(2.0 / 3), "0.666666666666667");
    EXPECT_EQ(FormatCellNumber(1234567890123456789.0), "1234567890123460000");
    EXPECT_EQ(FormatCellNumber(100.5), "100.5");
    EXPECT_EQ(FormatCellNumber(9007199254740991.0), "9007199254740991");  // whole: every digit
}

TEST(FormatCellNumber, GivesBackWhatWasRead)
{
    for (const char* text : {"0", "5", "-17", "0.25", "12.5", "-0.001", "99999999999999.9", "2147483647"})
        EXPECT_EQ(FormatCellNumber(ReadCellNumber(text)->value), text);
}

TEST(RoundToWhole, HalfAwayFromZero)
{
    EXPECT_EQ(RoundToWhole(2.5), 3);
    EXPECT_EQ(RoundToWhole(-2.5), -3);
    EXPECT_EQ(RoundToWhole(0.49), 0);
    EXPECT_EQ(FormatCellNumber(RoundToWhole(-0.4)), "0");
}

}  // namespace
}  // namespace dravik
