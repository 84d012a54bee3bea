// Rectangles of cells as spreadsheets put them on the clipboard.
//
// A cell holding a TAB, CR or LF, or starting with a double quote, is put in
// double quotes with its inner quotes doubled, as Excel and LibreOffice Calc
// do; other cells go as they are. Cells are separated by TAB and every row,
// the last included, ends with the line end (LF by default: the toolkit makes
// it CR LF on the Windows clipboard). Reading accepts what spreadsheets
// write: CR LF, LF or a lone CR between rows, quoted cells spanning lines,
// one trailing line end, rows of different lengths.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace dravik {

// `cell(row, column)` gives the text of each cell of the rectangle.
std::string FormatClipboardText(size_t rows, size_t columns,
                                const std::function<std::string_view(size_t row, size_t column)>& cell,
                                std::string_view lineEnd = "\n");

// The rows of the text, each padded with empty cells to the longest row.
// Empty text gives no rows; a text that is only a line end gives one row of
// one empty cell. A quote that opens a cell but is never closed is taken as
// a plain character, so one stray quote cannot swallow the rest of the text.
std::vector<std::vector<std::string>> ParseClipboardText(std::string_view text);

}  // namespace dravik
