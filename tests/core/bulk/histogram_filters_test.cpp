#include "core/bulk/histogram_filters.h"

#include <gtest/gtest.h>

namespace dravik {
namespace {

TEST(HistogramFilters, EachBarFiltersExactlyItsRows)
{
    struct Case {
        const char* what;
        Histogram histogram;
        std::vector<std::string_view> values;
        std::vector<std::string> filters;
    };
    const Case cases[] = {
        {"whole numbers: the bin's range, an empty bar none", {{50, 60, 70, 71}, {2, 0, 1}, true},
         {"50", "59", "70"}, {"50..59", "", "= 70"}},
        {"other numbers: the lowest and highest as the cells write them",
         {{0, 5, 10}, {3, 0}, false}, {" 1.50 ", "4.0", "2.25", "abc", ""}, {"1.50..4.0", ""}},
        {"one number in a bar; the last bar holds its upper bound", {{0, 5, 10}, {2, 1}, false},
         {"0.5", "0.50", "10"}, {"= 0.5", "= 10"}},
        {"a number written with a closing point is written as a number", {{0, 5, 10}, {2, 0}, false},
         {"1.", "3."}, {"1..3", ""}},
        {"no bars", {}, {}, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HistogramBarFilters(c.histogram, c.values), c.filters) << c.what;
}

}  // namespace
}  // namespace dravik
