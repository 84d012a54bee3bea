// How the value text of a key line becomes the cells of its entry: Open desc
// lays a file's values out this way, and a file saved from the preview is
// read back into its rows the same way.
#pragma once

#include "core/text/dravik2_auxillary.h"

#include <string>
#include <string_view>
#include <vector>

namespace dravik {

// What the cells of a key the file has no line for hold.
inline constexpr std::string_view kNoKeyLineCell = " ";

// The words of a value text for the blank delimiter, as GetWord delimits
// them: split once per value instead of once per column, into storage that
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
    int size() const { return static_cast<int>(words_.size()); }
    std::string_view operator[](int j) const { return words_[static_cast<size_t>(j)]; }
    // Cell j of the entry: word j, or nothing past the line's last value.
    // Unlike GetWord, a word beyond the last is not the last one again: the
    // tables show only the values the line has.
    std::string_view cell(int j) const { return j < size() ? (*this)[j] : std::string_view(); }
    bool operator==(const ValueWords&) const = default;

private:
    std::vector<std::string_view> words_;
};

// Calls put(j, cell) for each of an entry's `columns` cells: in the text
// section every cell holds the whole value text, elsewhere cell j holds word
// j of the line, nothing past its last value, and one blank for a key the
// file has no line for. Returns how many values the line holds (sections 1
// to 9).
template <class Put>
int PutEntryValues(const std::string& value, bool lineFound, int columns, bool textSection, Put&& put)
{
    if (textSection) {
        for (int j = 0; j < columns; ++j)
            put(j, value);
        return columns;
    }
    const ValueWords words(value);
    for (int j = 0; j < columns; ++j)
        put(j, std::string(lineFound ? words.cell(j) : kNoKeyLineCell));
    return words.size();
}

}  // namespace dravik
