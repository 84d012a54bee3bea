#include "core/text/text_lines.h"

namespace dravik {

TextLines SplitLines(std::string_view bytes)
{
    TextLines text;
    SplitLinesInto(bytes, text);
    return text;
}

void SplitLinesInto(std::string_view bytes, TextLines& text)
{
    size_t used = 0;
    auto add = [&](std::string_view line) {
        if (used < text.lines.size())
            text.lines[used].assign(line);
        else
            text.lines.emplace_back(line);
        ++used;
    };
    size_t start = 0;
    const size_t size = bytes.size();
    size_t i = 0;
    while (i < size) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            add(bytes.substr(start, i - start));
            i += (c == '\r' && i + 1 < size && bytes[i + 1] == '\n') ? 2 : 1;
            start = i;
            continue;
        }
        ++i;
    }
    if (start < size) {
        add(bytes.substr(start));
        text.finalBreak = false;
    } else {
        text.finalBreak = used > 0;
    }
    text.lines.resize(used);
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
