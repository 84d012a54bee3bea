#include "core/bulk/column_summary.h"

#include "core/text/cell_value.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <unordered_map>

namespace dravik {

namespace {

struct Tally {
    size_t count = 0;
    size_t first = 0;  // index of the first appearance
};

// Counts of every value, blanks folded into "", in order of first appearance.
std::vector<std::pair<std::string_view, Tally>> CountValues(std::span<const std::string_view> values)
{
    std::unordered_map<std::string_view, size_t> slot;
    slot.reserve(values.size());
    std::vector<std::pair<std::string_view, Tally>> counts;
    for (size_t i = 0; i < values.size(); ++i) {
        const std::string_view value = IsBlankCell(values[i]) ? std::string_view() : values[i];
        const auto [it, added] = slot.try_emplace(value, counts.size());
        if (added)
            counts.push_back({value, Tally{0, i}});
        ++counts[it->second].second.count;
    }
    return counts;
}

bool MoreCommon(const std::pair<std::string_view, Tally>& a, const std::pair<std::string_view, Tally>& b)
{
    return a.second.count != b.second.count ? a.second.count > b.second.count : a.second.first < b.second.first;
}

double NiceWidth(double rough)
{
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double step : {1.0, 2.0, 5.0, 10.0})
        if (step * power >= rough)
            return step * power;
    return 10 * power;
}

}  // namespace

Histogram MakeHistogram(std::span<const double> numbers)
{
    Histogram histogram;
    if (numbers.empty())
        return histogram;
    const auto [lowest, highest] = std::minmax_element(numbers.begin(), numbers.end());
    const double min = *lowest, max = *highest;
    const bool whole = std::all_of(numbers.begin(), numbers.end(), [](double v) { return v == std::floor(v); });

    histogram.wholeBins = whole;
    if (whole && max - min < 20) {
        for (double edge = min; edge <= max + 1; ++edge)
            histogram.edges.push_back(edge);
    } else if (max > min) {
        const size_t wanted = static_cast<size_t>(std::ceil(std::log2(static_cast<double>(numbers.size())))) + 1;
        const double width = NiceWidth((max - min) / static_cast<double>(std::clamp<size_t>(wanted, 1, 20)));
        // Each edge is the double nearest its decimal (0.06 is 6 / 100, not
        // 0.04 + 2 * 0.01), as a cell's number is the double nearest its
        // text, so that a value on an edge falls in the bar the labels say.
        const double perUnit = width < 1 ? std::round(1 / width) : 0;
        auto edge = [&](double index) { return perUnit > 0 ? index / perUnit : index * width; };
        double first = std::floor(min / width);
        if (edge(first + 1) <= min)
            ++first;
        else if (edge(first) > min)
            --first;
        // Counted in whole bars: near 2^53 adding one to an index may leave
        // it as it was. The width makes about `wanted` bars; a few more at
        // the most come from rounding the ends to the width.
        constexpr int kMostBars = 32;
        int bars = 1;
        while (bars < kMostBars && edge(first + bars) < max)
            ++bars;
        // A maximum on an edge closes the last bar; whole numbers keep bars
        // of whole values instead.
        if (whole && edge(first + bars) == max)
            ++bars;
        for (int i = 0; i <= bars; ++i)
            histogram.edges.push_back(edge(first + i));
    } else {
        histogram.edges = {min, min + 1};
    }
    histogram.counts.assign(histogram.edges.size() - 1, 0);
    for (double v : numbers)
        ++histogram.counts[histogram.binOf(v)];
    return histogram;
}

size_t Histogram::binOf(double value) const
{
    // Bars hold their lower edge, not their upper one; the last bar holds both.
    const auto above = std::upper_bound(edges.begin(), edges.end(), value);
    const auto bin = std::max<std::ptrdiff_t>(above - edges.begin() - 1, 0);
    return std::min(static_cast<size_t>(bin), counts.size() - 1);
}

ColumnSummary SummarizeColumn(std::span<const std::string_view> values, size_t topCount)
{
    ColumnSummary summary;
    summary.values = values.size();
    std::vector<double> numbers;
    for (std::string_view value : values) {
        if (IsBlankCell(value))
            continue;
        ++summary.filled;
        if (const auto number = ReadCellNumber(value))
            numbers.push_back(number->value);
    }
    auto counts = CountValues(values);
    summary.distinct = counts.size();
    if (summary.filled < summary.values)
        --summary.distinct;  // the blank cells' ""
    const size_t top = std::min(topCount, counts.size());
    std::partial_sort(counts.begin(), counts.begin() + static_cast<std::ptrdiff_t>(top), counts.end(), MoreCommon);
    for (size_t i = 0; i < top; ++i)
        summary.mostCommon.push_back({std::string(counts[i].first), counts[i].second.count});

    summary.numbers = numbers.size();
    summary.numeric = summary.filled > 0 && summary.numbers == summary.filled;
    if (numbers.empty())
        return summary;
    summary.histogram = MakeHistogram(numbers);
    const auto [lowest, highest] = std::minmax_element(numbers.begin(), numbers.end());
    summary.min = *lowest;
    summary.max = *highest;
    summary.mean = std::accumulate(numbers.begin(), numbers.end(), 0.0) / static_cast<double>(numbers.size());
    const size_t middle = numbers.size() / 2;
    std::nth_element(numbers.begin(), numbers.begin() + static_cast<std::ptrdiff_t>(middle), numbers.end());
    summary.median = numbers[middle];
    if (numbers.size() % 2 == 0)
        summary.median = (summary.median + *std::max_element(numbers.begin(), numbers.begin() + static_cast<std::ptrdiff_t>(middle))) / 2;
    return summary;
}

std::string_view MostCommonValue(std::span<const std::string_view> values)
{
    const auto counts = CountValues(values);
    if (counts.empty())
        return {};
    return std::min_element(counts.begin(), counts.end(), MoreCommon)->first;
}

bool IsNumericColumn(std::span<const std::string_view> values)
{
    bool filled = false;
    for (std::string_view value : values) {
        if (IsBlankCell(value))
            continue;
        if (!IsCellNumber(value))
            return false;
        filled = true;
    }
    return filled;
}

}  // namespace dravik
