// What a column of values holds: the column summary panel, the "differs"
// filter, the difference colours and the value checks all read it here.
//
// Blank cells (nothing but characters 0 to 32, as a key missing from a file
// reads) count as one value, the empty text, wherever values are counted by
// kind; they are not "filled" and not distinct values.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dravik {

struct ValueCount {
    std::string value;  // "" for the blank cells
    size_t count = 0;
    bool operator==(const ValueCount&) const = default;
};

// Bin i holds the numbers from edges[i] up to, not including, edges[i + 1];
// the last bin also holds edges.back(). With `wholeBins` every value is a
// whole number and bin i holds exactly edges[i] .. edges[i + 1] - 1 (one bin
// per value when the values span at most 20 whole numbers). Otherwise there
// are about 1 + log2(count) bins (at most 21), their width 1, 2 or 5 times a
// power of ten, so the edges read well.
struct Histogram {
    std::vector<double> edges;
    std::vector<size_t> counts;
    bool wholeBins = false;
    // The bar a number is counted in; numbers past either end go to the end
    // bar. Only for a histogram with at least one bar.
    size_t binOf(double value) const;
};

struct ColumnSummary {
    size_t values = 0;    // cells looked at
    size_t filled = 0;    // cells that are not blank
    size_t distinct = 0;  // different texts among the filled cells
    // The most common values, most frequent first; ties in the order the
    // values first appear. Blank cells take part as "".
    std::vector<ValueCount> mostCommon;
    size_t numbers = 0;    // filled cells holding a number
    bool numeric = false;  // at least one filled cell, and all of them numbers
    // Over the numbers, when there is at least one; the median of an even
    // count is the mean of the two middle values.
    double min = 0, max = 0, mean = 0, median = 0;
    Histogram histogram;
};

ColumnSummary SummarizeColumn(std::span<const std::string_view> values, size_t topCount = 5);

// The value "differs" and the difference colours compare with: the most
// frequent one, ties going to the one that appears first; "" when blanks
// win or there are no values. The view points into `values`.
std::string_view MostCommonValue(std::span<const std::string_view> values);

// A column whose filled cells all hold numbers, with at least one: after an
// edit, a filled cell of it without a number is a fault to point out.
bool IsNumericColumn(std::span<const std::string_view> values);

Histogram MakeHistogram(std::span<const double> numbers);

}  // namespace dravik
