#include "core/bulk/histogram_filters.h"

#include "core/text/cell_value.h"
#include "core/text/dravik2_auxillary.h"

#include <utility>

namespace dravik {

namespace {

// A number and the text of the cell that holds it, trimmed.
using Written = std::pair<double, std::string_view>;

// "5." would run into the range's dots; it is a whole number, written
// exactly as a number.
std::string Bound(const Written& value)
{
    return value.second.back() == '.' ? FormatCellNumber(value.first) : std::string(value.second);
}

std::string WholeBinFilter(const Histogram& histogram, size_t bin)
{
    const double low = histogram.edges[bin], high = histogram.edges[bin + 1] - 1;
    return low == high ? "= " + FormatCellNumber(low) : FormatCellNumber(low) + ".." + FormatCellNumber(high);
}

}  // namespace

std::vector<std::string> HistogramBarFilters(const Histogram& histogram, std::span<const std::string_view> values)
{
    const size_t bins = histogram.counts.size();
    std::vector<std::string> filters(bins);
    if (histogram.wholeBins) {
        for (size_t i = 0; i < bins; ++i)
            if (histogram.counts[i] != 0)
                filters[i] = WholeBinFilter(histogram, i);
        return filters;
    }
    std::vector<Written> lowest(bins), highest(bins);
    for (std::string_view text : values) {
        const auto number = ReadCellNumber(text);
        if (!number)
            continue;
        const size_t bin = histogram.binOf(number->value);
        if (lowest[bin].second.empty() || number->value < lowest[bin].first)
            lowest[bin] = {number->value, Trim(text)};
        if (highest[bin].second.empty() || number->value > highest[bin].first)
            highest[bin] = {number->value, Trim(text)};
    }
    for (size_t i = 0; i < bins; ++i) {
        if (histogram.counts[i] == 0 || lowest[i].second.empty())
            continue;
        filters[i] = lowest[i].first == highest[i].first ? "= " + Bound(lowest[i])
                                                          : Bound(lowest[i]) + ".." + Bound(highest[i]);
    }
    return filters;
}

}  // namespace dravik
