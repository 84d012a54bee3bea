#include "core/bulk/column_summary.h"

#include <gtest/gtest.h>

#include <numeric>

namespace dravik {
namespace {

using Views = std::vector<std::string_view>;

TEST(ColumnSummary, CountsValuesAndNumbers)
{
    const Views values = {"5", "7", " ", "5", "abc", "", "10"};
    const ColumnSummary s = SummarizeColumn(values);
    EXPECT_EQ(s.values, 7u);
    EXPECT_EQ(s.filled, 5u);
    EXPECT_EQ(s.distinct, 4u);
    EXPECT_EQ(s.mostCommon, (std::vector<ValueCount>{{"5", 2}, {"", 2}, {"7", 1}, {"abc", 1}, {"10", 1}}));
    EXPECT_EQ(s.numbers, 4u);
    EXPECT_FALSE(s.numeric);
    EXPECT_EQ(s.min, 5);
    EXPECT_EQ(s.max, 10);
    EXPECT_DOUBLE_EQ(s.mean, 6.75);
    EXPECT_EQ(s.median, 6);  // 5 5 7 10

    const ColumnSummary odd = SummarizeColumn(Views{"3", "1", "2", " "});
    EXPECT_TRUE(odd.numeric);
    EXPECT_EQ(odd.median, 2);
    EXPECT_EQ(SummarizeColumn(Views{"a", "b", "c"}, 2).mostCommon.size(), 2u);
    EXPECT_EQ(SummarizeColumn(Views{}).mostCommon.size(), 0u);
}

TEST(ColumnSummary, MostCommonValueTiesGoToTheFirst)
{
    EXPECT_EQ(MostCommonValue(Views{"b", "a", "a", "b"}), "b");
    EXPECT_EQ(MostCommonValue(Views{" ", "", "5"}), "");  // blanks are one value
    EXPECT_EQ(MostCommonValue(Views{}), "");
}

TEST(ColumnSummary, NumericColumns)
{
    EXPECT_TRUE(IsNumericColumn(Views{"1", " ", "2.5"}));
    EXPECT_FALSE(IsNumericColumn(Views{" ", ""}));
    EXPECT_FALSE(IsNumericColumn(Views{"1", "x"}));
}

size_t Total(const Histogram& h) { return std::accumulate(h.counts.begin(), h.counts.end(), size_t{0}); }

TEST(Histogram, OneBinPerValueOverASmallWholeRange)
{
    const std::vector<double> numbers = {1, 2, 2, 5};
    const Histogram h = MakeHistogram(numbers);
    EXPECT_TRUE(h.wholeBins);
    EXPECT_EQ(h.edges, (std::vector<double>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(h.counts, (std::vector<size_t>{1, 2, 0, 0, 1}));
    EXPECT_EQ(MakeHistogram(std::vector<double>{3.5, 3.5}).counts, (std::vector<size_t>{2}));
    EXPECT_TRUE(MakeHistogram(std::vector<double>{}).counts.empty());
}

TEST(Histogram, RoundEdgesOverAWideRange)
{
    std::vector<double> decimals;
    for (int i = 0; i <= 100; ++i)
        decimals.push_back(i + (i < 100 ? 0.5 : 0));
    const Histogram h = MakeHistogram(decimals);  // 8 bins wanted, width 20
    EXPECT_FALSE(h.wholeBins);
    EXPECT_EQ(h.edges, (std::vector<double>{0, 20, 40, 60, 80, 100}));
    EXPECT_EQ(Total(h), decimals.size());
    EXPECT_EQ(h.counts.back(), 21u);  // 80.5 .. 99.5 and 100 closing the last bin

    std::vector<double> whole;
    for (int i = -7; i <= 1000; ++i)
        whole.push_back(i);
    const Histogram w = MakeHistogram(whole);
    EXPECT_TRUE(w.wholeBins);
    EXPECT_LE(w.counts.size(), 21u);
    EXPECT_EQ(Total(w), whole.size());
    for (double edge : w.edges)
        EXPECT_EQ(edge, static_cast<long>(edge));
    EXPECT_LE(w.edges.front(), -7);
    EXPECT_GT(w.edges.back(), 1000);

    // 0.04 + 2 * 0.01 is not the 0.06 a cell reads as: 0.06 belongs to the
    // bar that starts there, as its label and its filter say.
    const std::vector<double> small = {0.048, 0.06, 0.067};
    const Histogram s = MakeHistogram(small);
    EXPECT_EQ(s.edges, (std::vector<double>{0.04, 0.05, 0.06, 0.07}));
    EXPECT_EQ(s.counts, (std::vector<size_t>{1, 0, 2}));
    EXPECT_EQ(s.binOf(0.06), 2u);
}

}  // namespace
}  // namespace dravik
