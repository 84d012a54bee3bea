// A text as the program keeps it: its own lines, as the file separated them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dravik {

struct TextLines {
    std::vector<std::string> lines;
    // Whether the last line was followed by a line break. Writing keeps it, so
    // a last line without a break stays without one.
    bool finalBreak = false;

    bool operator==(const TextLines&) const = default;
};

// A CR LF pair, a lone CR and a lone LF each end a line.
TextLines SplitLines(std::string_view bytes);
// The same into an existing text, reusing its lines' storage: loading many
// files one after another then allocates little.
void SplitLinesInto(std::string_view bytes, TextLines& text);
// The same lines as views into the bytes, for a text read once and not kept.
void SplitLineViewsInto(std::string_view bytes, std::vector<std::string_view>& lines);

// Lines joined with CR LF, and one after the last line when finalBreak is set.
std::string JoinLines(const TextLines& text);

}  // namespace dravik
