#include "core/bulk/clipboard_text.h"

#include <algorithm>

namespace dravik {

std::string FormatClipboardText(size_t rows, size_t columns,
                                const std::function<std::string_view(size_t row, size_t column)>& cell,
                                std::string_view lineEnd)
{
    std::string text;
    for (size_t r = 0; r < rows; ++r) {
        for (size_t c = 0; c < columns; ++c) {
            if (c > 0)
                text += '\t';
            const std::string_view value = cell(r, c);
            if (value.find_first_of("\t\r\n") == std::string_view::npos && (value.empty() || value[0] != '"')) {
                text += value;
                continue;
            }
            text += '"';
            for (char ch : value) {
                if (ch == '"')
                    text += '"';
                text += ch;
            }
            text += '"';
        }
        text += lineEnd;
    }
    return text;
}

std::vector<std::vector<std::string>> ParseClipboardText(std::string_view text)
{
    std::vector<std::vector<std::string>> rows;
    if (text.empty())
        return rows;
    rows.emplace_back();
    const size_t n = text.size();
    size_t i = 0;
    for (;;) {
        // One cell from i.
        std::string value;
        if (i < n && text[i] == '"') {
            // The closing quote is the first single quote; a doubled one is a
            // quote inside the cell. A search that finds none runs to the end
            // only once: every later quote then belongs to a doubled pair, so
            // a later cell opening with one closes within its run of quotes.
            std::string inner;
            size_t k = i + 1;
            for (; k < n; ++k) {
                if (text[k] != '"') {
                    inner += text[k];
                } else if (k + 1 < n && text[k + 1] == '"') {
                    inner += '"';
                    ++k;
                } else {
                    break;
                }
            }
            if (k < n) {
                value = std::move(inner);
                i = k + 1;
            }
        }
        // The rest of the cell up to the next TAB or line end, taken as it is
        // (after a closing quote it is appended, as other readers do).
        const size_t stop = std::min(text.find_first_of("\t\r\n", i), n);
        value.append(text.substr(i, stop - i));
        rows.back().push_back(std::move(value));
        i = stop;
        if (i >= n)
            break;
        if (text[i] == '\t') {
            ++i;
            continue;
        }
        // A line end: CR LF, LF or a lone CR.
        i += (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') ? 2 : 1;
        if (i >= n)
            break;  // the trailing line end
        rows.emplace_back();
    }
    size_t width = 0;
    for (const auto& row : rows)
        width = std::max(width, row.size());
    for (auto& row : rows)
        row.resize(width);
    return rows;
}

}  // namespace dravik
