#include "core/text/text_lines.h"

#include <cstring>

namespace dravik {

TextLines SplitLines(std::string_view bytes)
{
    TextLines text;
    SplitLinesInto(bytes, text);
    return text;
}

namespace {

// Hands each line of the bytes to `take`; returns whether the last line was
// followed by a break. Line ends are found with memchr, many bytes a step:
// every file of an Open desc and a Save all is split here.
template <typename Take>
bool ForEachLine(std::string_view bytes, Take&& take)
{
    const char* at = bytes.data();
    const char* const end = at + bytes.size();
    // The first LF at or after `at`, or `end`: searched again only once
    // passed, so that a text of lone CRs is not searched to its end per line.
    const char* lf = nullptr;
    while (at < end) {
        if (!lf || lf < at) {
            lf = static_cast<const char*>(std::memchr(at, '\n', static_cast<size_t>(end - at)));
            if (!lf)
                lf = end;
        }
        const char* cr = static_cast<const char*>(std::memchr(at, '\r', static_cast<size_t>(lf - at)));
        const char* stop = cr ? cr : lf;
        take(std::string_view(at, static_cast<size_t>(stop - at)));
        if (stop == end)
            return false;
        at = stop + 1;
        if (cr && at < end && *at == '\n')
            ++at;
    }
    return !bytes.empty();
}

}  // namespace

void SplitLinesInto(std::string_view bytes, TextLines& text)
{
    size_t used = 0;
    const bool finalBreak = ForEachLine(bytes, [&](std::string_view line) {
        if (used < text.lines.size())
            text.lines[used].assign(line);
        else
            text.lines.emplace_back(line);
        ++used;
    });
    text.lines.resize(used);
    text.finalBreak = finalBreak;
}

void SplitLineViewsInto(std::string_view bytes, std::vector<std::string_view>& lines)
{
    lines.clear();
    ForEachLine(bytes, [&](std::string_view line) { lines.push_back(line); });
}

std::string JoinLines(const TextLines& text)
{
    size_t total = 0;
    for (const auto& line : text.lines)
        total += line.size() + 2;
    std::string bytes;
    bytes.reserve(total);
    for (size_t i = 0; i < text.lines.size(); ++i) {
        if (i > 0)
            bytes += "\r\n";
        bytes += text.lines[i];
    }
    if (text.finalBreak && !text.lines.empty())
        bytes += "\r\n";
    return bytes;
}

}  // namespace dravik
