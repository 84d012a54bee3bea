// How the value text of a key line becomes the cells of its entry: Open desc
// lays a file's values out this way, and a file saved from the preview is
// read back into its rows the same way.
#pragma once

#include "core/text/dravik2_auxillary.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace dravik {

// Word j of a value text for the blank delimiter, as GetWord gives it: words
// are split once per value instead of once per column, into storage that
// may be kept from one value to the next.
class ValueWords {
public:
    ValueWords() = default;
    explicit ValueWords(std::string_view value) { split(value); }

    void split(std::string_view value)
    {
        words_.clear();
        std::string_view text = Trim(value);
        size_t i = 0;
        while (i < text.size()) {
            while (i < text.size() && text[i] == ' ')
                ++i;
            size_t start = i;
            while (i < text.size() && text[i] != ' ')
                ++i;
            if (i > start)
                words_.push_back(text.substr(start, i - start));
        }
    }
    std::string_view word(int j) const
    {
        if (words_.empty())
            return " ";
        return words_[std::min(static_cast<size_t>(j), words_.size() - 1)];
    }

private:
    std::vector<std::string_view> words_;
};

// Calls put(j, cell) for each of an entry's `columns` cells: in the text
// section every cell holds the whole value text, elsewhere cell j holds word j.
template <class Put>
void PutEntryValues(const std::string& value, int columns, bool textSection, Put&& put)
{
    if (textSection) {
        for (int j = 0; j < columns; ++j)
            put(j, value);
        return;
    }
    const ValueWords words(value);
    for (int j = 0; j < columns; ++j)
        put(j, std::string(words.word(j)));
}

}  // namespace dravik
