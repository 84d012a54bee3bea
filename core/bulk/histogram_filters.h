// What a click on a bar of the column summary's histogram filters the rows
// by: exactly the rows the bar counts.
#pragma once

#include "core/bulk/column_summary.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dravik {

// One filter text per bar of `histogram`, made of `values` (the cells it was
// made of), in the code page's bytes: a bar of whole numbers is exactly its
// range ("50..59", or "= 7" for one number); any other bar goes from its
// lowest to its highest number as the cells write them ("1.50..2.25"), so
// that the filter shows exactly the bar's rows. Empty for an empty bar.
std::vector<std::string> HistogramBarFilters(const Histogram& histogram, std::span<const std::string_view> values);

}  // namespace dravik
