// Unified diff text ("diff -u") of one file's lines: the batch's --dry-run
// and the review of changes show what a save would write this way.
#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

namespace dravik {

// "--- path" / "+++ path" headers, then hunks with `context` unchanged lines
// around each change ("@@ -a,b +c,d @@", a count of 1 left out as diff does),
// written to `out`. Lines are compared and written as bytes, without their
// line ends; every line written ends with LF. Writes nothing, and returns
// false, when the lines are equal.
//
// As many new lines as old ones are taken as rewritten in place, as Save all
// rewrites a file's key lines: each differing line is one line removed and
// one added, found in one pass over the lines. Otherwise the lines are
// matched up by the shortest edit script.
bool WriteUnifiedDiff(std::ostream& out, std::string_view path, std::span<const std::string_view> oldLines,
                      std::span<const std::string_view> newLines, size_t context = 3);

// The same as text; empty when the lines are equal.
std::string UnifiedDiff(std::string_view path, std::span<const std::string> oldLines,
                        std::span<const std::string> newLines, size_t context = 3);

}  // namespace dravik
