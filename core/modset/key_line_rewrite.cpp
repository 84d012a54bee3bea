#include "core/modset/key_line_rewrite.h"

#include <algorithm>

namespace dravik {

std::string ReplaceLines(std::string_view bytes, const std::vector<std::string_view>& lines,
                         std::vector<std::pair<size_t, std::string>> replacements)
{
    std::sort(replacements.begin(), replacements.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::string out;
    out.reserve(bytes.size() + 64 * replacements.size());
    size_t copied = 0;  // bytes up to here are in `out`
    for (const auto& [line, text] : replacements) {
        if (line >= lines.size())
            continue;
        const size_t begin = static_cast<size_t>(lines[line].data() - bytes.data());
        if (begin < copied)
            continue;  // the same line twice: the first replacement stands
        out.append(bytes.substr(copied, begin - copied));
        out += text;
        copied = begin + lines[line].size();
    }
    out.append(bytes.substr(copied));
    return out;
}

std::string KeyLineOf(std::string_view name, const std::vector<std::string_view>& values)
{
    std::string line(name);
    line += ' ';
    for (const std::string_view value : values) {
        line += value;
        line += ' ';
    }
    return line;
}

}  // namespace dravik
