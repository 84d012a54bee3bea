// How the twelve tables and their rows and columns are numbered.
//
// Grids are numbered from 1, as the tabs show them: the section tables
// first (1 to 9 for sections 1 to 9, 10 for the text section, as the
// sections themselves are numbered), then the file list and the summary
// table. In every grid row 0 holds the headers and column 0 the row
// numbers. Row r of the section tables and of the file list is the r-th
// file of the last Open desc.
#pragma once

#include "core/numbered.h"
#include "core/schema/schema.h"

namespace dravik {

using GridNumber = Numbered<struct GridKind>;

inline constexpr GridNumber kFileListGrid{11};
inline constexpr GridNumber kSummaryGrid{12};
inline constexpr int kGridCount = 12;

constexpr GridNumber::Range AllGrids() { return {GridNumber(1), GridNumber(kGridCount)}; }
// The section tables come first, section by section.
constexpr GridNumber::Range SectionTables() { return {GridNumber(1), GridNumber(kSectionCount)}; }
// The tables with a row for each file: the section tables and the file list.
constexpr GridNumber::Range FileRowTables() { return {GridNumber(1), kFileListGrid}; }
constexpr bool IsSectionTable(GridNumber grid) { return grid.number() >= 1 && grid.number() <= kSectionCount; }
constexpr GridNumber TableOf(SectionNumber section) { return GridNumber(section.number()); }
inline constexpr GridNumber kTextSectionTable{kSectionCount};
// The section a section table shows.
constexpr SectionNumber SectionOf(GridNumber table) { return SectionNumber(table.number()); }

// The grids with disk values: a cell there holds what a file holds.
constexpr bool HasFileRows(GridNumber grid) { return grid.number() >= 1 && grid <= kFileListGrid; }

// A file's row in the section tables and the file list: the file's place,
// from 1, in the list of files opened.
using FileRow = Numbered<struct FileRowKind>;
constexpr FileRow::Range FileRowRange(int count) { return {FileRow(1), FileRow(count)}; }

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
