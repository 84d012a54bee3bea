// Unified diff text ("diff -u") of one file's lines: the batch's --dry-run
// and the review of changes show what a save would write this way.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace dravik {

// "--- path" / "+++ path" headers, then hunks with `context` unchanged lines
// around each change ("@@ -a,b +c,d @@", a count of 1 left out as diff does).
// Lines are compared and written as bytes, without their line ends; every
// line of the result ends with LF. Empty when the lines are equal.
std::string UnifiedDiff(std::string_view path, std::span<const std::string> oldLines,
                        std::span<const std::string> newLines, size_t context = 3);

}  // namespace dravik
