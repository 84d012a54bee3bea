// The table text file: one line per grid row, every cell followed by a TAB,
// every line ended by CR LF; no quoting, cells written byte for byte.
#pragma once

#include "core/document/grid.h"

#include <string>
#include <string_view>

namespace dravik {

std::string GridToText(const Grid& grid);
// Reads the lines into the grid from row 0 down (see TextFileToGrid).
void TextToGrid(Grid& grid, std::string_view bytes);

// These throw DravikError with the text-file error ("File not found",
// "File access denied", "Disk full", ...).
void GridToTextFile(const Grid& grid, const std::string& path);
std::string ReadTableTextFile(const std::string& path);
void TextFileToGrid(Grid& grid, const std::string& path);

}  // namespace dravik
