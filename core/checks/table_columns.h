// The value columns a check is about, named as the variables file names
// them: a key of a section and the number of one of its values. A rule
// learned from the base game's files holds for that column wherever the
// section table places it, in the base game's tables and in the mod's.
#pragma once

#include "core/document/desc_document.h"

#include <compare>
#include <string>
#include <vector>

namespace dravik {

struct CheckColumn {
    SectionNumber section{0};  // 1 to 10
    std::string key;  // exactly as the variables text writes it, its blanks included
    int value = 0;    // from 1; a text-section key has one, its whole text
    auto operator<=>(const CheckColumn&) const = default;
};

// The columns of a document's section tables that reach a file, read from
// their headers: for each key, the run of columns Save all writes its values
// from (its first one in the table; a later run of the same header is never
// written), value 1 in the first column. A text-section key repeats its whole
// text in each of its columns: only the first is a value. Nameless entries
// are left out, as Save all writes none.
class TableColumns {
public:
    TableColumns() = default;
    explicit TableColumns(const DescDocument& document);

    const std::vector<CheckColumn>& columns() const { return columns_; }
    // The index in columns() of a table's column; -1 when it carries no value.
    int at(GridNumber grid, int col) const
    {
        if (!IsSectionTable(grid) || col < 0)
            return -1;
        const auto& indexes = indexes_[grid.index()];
        return static_cast<size_t>(col) < indexes.size() ? indexes[static_cast<size_t>(col)] : -1;
    }
    // Where column `index` stands.
    RowCell place(int index) const { return places_[static_cast<size_t>(index)]; }
    // The index of a column; -1 when the tables do not hold it.
    int find(const CheckColumn& column) const;

private:
    std::vector<CheckColumn> columns_;
    std::vector<RowCell> places_;
    std::array<std::vector<int>, kSectionCount> indexes_;
};

// Whether a value cell holds a value of its file: the file has the key's
// line and the value is not blank. A key line a file lacks shows blanks that
// reach no file, and a blank is no value to learn from or to judge.
bool HoldsValue(const DescDocument& document, GridNumber grid, int col, int row);

}  // namespace dravik
