// The table text file: one line per grid row, every cell followed by a TAB,
// every line ended by CR LF; no quoting, cells written byte for byte.
#pragma once

#include "core/document/grid.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace dravik {

std::string GridToText(const Grid& grid);
// The same of any table that answers colCount, rowCount, storedCells and
// cell as a Grid does.
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
    const int columns = table.colCount();
    size_t size = 0;
    for (int r = 0; r < table.rowCount(); ++r) {
        size += static_cast<size_t>(columns) + 2;
        for (int c = 0, stored = std::min(table.storedCells(r), columns); c < stored; ++c)
            size += table.cell(c, r).size();
    }
    std::string bytes(size, '\t');
    char* out = bytes.data();
    for (int r = 0; r < table.rowCount(); ++r) {
        const int stored = std::min(table.storedCells(r), columns);
        for (int c = 0; c < stored; ++c) {
            const std::string& cell = table.cell(c, r);
            out = std::copy(cell.begin(), cell.end(), out) + 1;
        }
        out += columns - stored;
        *out++ = '\r';
        *out++ = '\n';
    }
    return bytes;
}

}  // namespace dravik
