// How the twelve tables and their rows and columns are numbered.
//
// Grids are numbered from 1, as the tabs show them: the section tables
// first (1 to 9 for sections 1 to 9, 10 for the text section, as the
// sections themselves are numbered), then the file list and the summary
// table. In every grid row 0 holds the headers and column 0 the row
// numbers. Row r of the section tables and of the file list is the r-th
// file of the last Open desc.
#pragma once

#include "core/schema/schema.h"

#include <cstddef>

namespace dravik {

inline constexpr int kFileListGrid = 11;
inline constexpr int kSummaryGrid = 12;
inline constexpr int kGridCount = 12;

// Where grid `number` stands in an array of all the grids, or of the
// section tables alone, which come first.
constexpr std::size_t GridIndex(int number) { return static_cast<std::size_t>(number - 1); }

// Where the file of row `row` stands in the list of files opened.
constexpr std::size_t FileIndex(int row) { return static_cast<std::size_t>(row - 1); }

// The row numbers, in every grid.
inline constexpr int kRowNumberColumn = 0;
// A section table's columns: each file's path, then the values, entry by
// entry in the order of the variables text.
inline constexpr int kSectionPathColumn = 1;
inline constexpr int kFirstValueColumn = 2;
// The file list's columns: each file's name and its path.
inline constexpr int kFileNameColumn = 1;
inline constexpr int kFilePathColumn = 2;

}  // namespace dravik
