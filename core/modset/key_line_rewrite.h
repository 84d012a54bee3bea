// Rewriting some lines of a file and not one other byte: a merged mod's file
// is its copy with only the key lines whose values change rebuilt, each
// other line, line break and blank as the copy holds it.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dravik {

// The bytes with some of their lines replaced. `lines` are the bytes' lines
// as views into them (SplitLineViewsInto); each replacement names a line by
// its number and gives its new text, which takes the place of the line's
// text while the line break that ended it stays.
std::string ReplaceLines(std::string_view bytes, const std::vector<std::string_view>& lines,
                         std::vector<std::pair<size_t, std::string>> replacements);

// A key line as Save all writes it: the name as the variables file writes
// it, a blank, and each value followed by a blank.
std::string KeyLineOf(std::string_view name, const std::vector<std::string_view>& values);

}  // namespace dravik
