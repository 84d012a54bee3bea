// Where an entry's values stand in a section table, as Save all looks for
// them: every road that writes a file's values, or reads them back, takes
// the same cells.
#pragma once

#include "core/document/grid.h"
#include "core/text/dravik2_auxillary.h"

#include <string>
#include <unordered_map>

namespace dravik {

// The first column whose trimmed header equals the entry's trimmed name,
// wherever that column now stands in the header row. A header equal to the
// name as written is taken first: names that differ only in blanks or
// control characters at their ends ("hp" and "hp ") would otherwise all take
// the first one's columns and overwrite the others' values on a save without
// any edit.
class ValueColumns {
public:
    ValueColumns() = default;
    explicit ValueColumns(const Grid& table)
    {
        for (int c = table.colCount() - 1; c >= 2; --c) {
            trimmed_[std::string(Trim(table.cell(c, 0)))] = c;
            exact_[std::string(table.cell(c, 0))] = c;
        }
    }
    // None (-1) when no column carries the name.
    int firstOf(const std::string& name) const
    {
        if (const auto found = exact_.find(name); found != exact_.end())
            return found->second;
        const auto found = trimmed_.find(std::string(Trim(name)));
        return found == trimmed_.end() ? -1 : found->second;
    }

private:
    std::unordered_map<std::string, int> exact_;
    std::unordered_map<std::string, int> trimmed_;
};

}  // namespace dravik
