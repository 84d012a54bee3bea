// The bytes GridToTextFile writes of a grid, made in memory by the same
// pieces, for the tests that read a table text back.
#pragma once

#include "core/exchange/table_text_file.h"

#include <string>
#include <string_view>

namespace dravik::test {

inline std::string TableTextOf(const Grid& grid)
{
    const StoredCells table{grid};
    std::string text;
    PiecesOfTable(table)([&](std::string_view piece) {
        text += piece;
        return true;
    });
    return text;
}

}  // namespace dravik::test
