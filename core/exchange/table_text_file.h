// The table text file: one line per grid row, every cell followed by a TAB,
// every line ended by CR LF; no quoting, cells written byte for byte.
#pragma once

#include "core/document/grid.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace dravik {

std::string GridToText(const Grid& grid);
// The same of any table that answers colCount and rowCount as a Grid does,
// and forEachStoredCell(row, each): `each` called with the row's stored
// cells from column 0 on, no more of them than the width.
template <typename Table>
std::string TableText(const Table& table);
// Reads the lines into the grid from row 0 down (see TextFileToGrid).
void TextToGrid(Grid& grid, std::string_view bytes);

// These throw DravikError with the text-file error ("File not found",
// "File access denied", "Disk full", ...).
void GridToTextFile(const Grid& grid, const std::string& path);
void WriteTableTextFile(std::string_view bytes, const std::string& path);
std::string ReadTableTextFile(const std::string& path);
void TextFileToGrid(Grid& grid, const std::string& path);

template <typename Table>
std::string TableText(const Table& table)
{
    // Sized first and written in place: the table of a large load is tens
    // of megabytes, written cell by cell. Every byte starts as a TAB, so the
    // cells' TABs are there already and only the texts and line ends are copied.
    const size_t columns = static_cast<size_t>(table.colCount());
    const int rows = table.rowCount();
    size_t size = (columns + 2) * static_cast<size_t>(rows);
    for (int r = 0; r < rows; ++r)
        table.forEachStoredCell(r, [&](const std::string& cell) { size += cell.size(); });
    std::string bytes(size, '\t');
    char* out = bytes.data();
    for (int r = 0; r < rows; ++r) {
        size_t stored = 0;
        table.forEachStoredCell(r, [&](const std::string& cell) {
            out = std::copy(cell.begin(), cell.end(), out) + 1;
            ++stored;
        });
        out += columns - stored;
        *out++ = '\r';
        *out++ = '\n';
    }
    return bytes;
}

}  // namespace dravik
