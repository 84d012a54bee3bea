// The analyzer's key entries: each desc line turned into its key and the
// number of values after it, and the sorted list of distinct entries from
// which the user composes a variables text.
#pragma once

#include "core/text/text_lines.h"

#include <optional>
#include <string>
#include <vector>

namespace dravik {

// The key entry of a desc line ("health =1", "weapon gun=3"), in lower case
// for the letters A to Z; nothing for an empty line or one that starts with "-".
std::optional<std::string> KeyEntryOfLine(const std::string& line);

// The header line the section box asks for: "[section" N "]" when the text
// is a whole number, "[section_text]" otherwise.
std::string SectionHeaderFor(const std::string& sectionBoxText);

// Distinct entries in ascending byte order, each with a tick.
class KeyList {
public:
    struct Item {
        std::string entry;
        bool ticked = false;
    };

    void clear() { items_.clear(); }
    // Adds an entry at its place, unticked; an equal entry keeps its tick.
    void add(const std::string& entry);
    // The entries of every line of a desc text.
    void addLinesOf(const TextLines& text);

    int size() const { return static_cast<int>(items_.size()); }
    const Item& at(int index) const { return items_.at(static_cast<size_t>(index)); }
    const std::vector<Item>& items() const { return items_; }
    int indexOf(const std::string& entry) const;  // -1 when not listed
    void setTicked(int index, bool ticked) { items_.at(static_cast<size_t>(index)).ticked = ticked; }

    // Removes the ticked entries and returns them in list order.
    std::vector<std::string> takeTicked();

private:
    std::vector<Item> items_;
};

}  // namespace dravik
