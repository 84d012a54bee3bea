// The table text file: one line per grid row, every cell followed by a TAB,
// every line ended by CR LF; no quoting, cells written byte for byte.
#pragma once

#include "core/document/grid.h"
#include "core/exchange/summary_rows.h"
#include "core/files/file_io.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace dravik {

// The table text file of any table that answers colCount and rowCount as a
// Grid does, and forEachStoredRun(row, each): `each(cells, from, to)` called
// with runs of the row's stored cells from column 0 on, no more of them than
// the width. Made a piece at a time for a durable write
// (core/files/file_io.h); the table must outlive the pieces.
template <typename Table>
BytePieces PiecesOfTable(const Table& table);

// A grid as PiecesOfTable reads it: row by row, without checking each cell's
// place.
struct StoredCells {
    const Grid& grid;
    int colCount() const { return grid.colCount(); }
    int rowCount() const { return grid.rowCount(); }
    template <typename Each>
    void forEachStoredRun(int row, Each&& each) const
    {
        const Grid::Cells cells = grid.storedRow(row);
        each(cells, 0, cells.size());
    }
};
// Reads the lines into the grid from row 0 down (see TextFileToGrid).
void TextToGrid(Grid& grid, std::string_view bytes);

// The longest line a table text file may hold: a row of one section of one
// desc file. No desc file holds values that long; a longer line is a file of
// another kind, or damaged, and taking it whole would only fill the memory.
inline constexpr size_t kLongestTableLine = size_t{16} << 20;

// A table text file as the import reads it, held as its own bytes: what
// reading drops (CRs, "~", the blanks and control characters at the ends of
// a line, everything after byte 26) is squeezed out in place, and each line
// is found by where it begins. A big table thus costs its size and a few
// bytes a line, not a string for every cell.
class TableText final : public SummaryRows {
public:
    // Throws DravikError, naming the line, for a line longer than
    // kLongestTableLine.
    explicit TableText(std::string bytes);

    int rowCount() const override { return static_cast<int>(begins_.size()) - 1; }
    // The width a grid gets from reading these lines (see TextToGrid).
    int colCount() const override { return columns_; }
    // The pieces of a row that a grid stores: those within the width the
    // grid had when its line was read.
    void cells(int row, std::vector<std::string_view>& out) const override;
    std::string_view cell(int col, int row) const override;

private:
    std::string_view line(int row) const
    {
        const size_t begin = begins_[static_cast<size_t>(row)];
        return std::string_view(bytes_).substr(begin, begins_[static_cast<size_t>(row) + 1] - begin);
    }

    std::string bytes_;
    std::vector<size_t> begins_;  // one more than the lines: where the next would begin
    int columns_ = 0;
};

// A grid of exactly the table's lines and width.
Grid GridOf(const TableText& table);

// These throw DravikError with the text-file error ("File not found",
// "File access denied", "Disk full", ...).
void GridToTextFile(const Grid& grid, const std::string& path);
void WriteTableTextFile(std::string_view bytes, const std::string& path);
void WriteTableTextFile(const BytePieces& pieces, const std::string& path);
std::string ReadTableTextFile(const std::string& path);
void TextFileToGrid(Grid& grid, const std::string& path);

namespace table_text {

// The bytes of row `r`'s line.
template <typename Table>
size_t LineSize(const Table& table, int r)
{
    size_t size = static_cast<size_t>(table.colCount()) + 2;
    table.forEachStoredRun(r, [&](const Grid::Cells& cells, size_t from, size_t to) {
        if (from < to)
            size += cells.end(to - 1) - cells.begin(from);
    });
    return size;
}

// Writes row `r`'s line, LineSize bytes, into room that holds TABs: only
// the texts and the line end are copied, a run of cells at a time.
template <typename Table>
char* PutLine(const Table& table, int r, char* out)
{
    size_t stored = 0;
    table.forEachStoredRun(r, [&](const Grid::Cells& cells, size_t from, size_t to) {
        const char* text = cells.text().data();
        for (size_t c = from; c < to; ++c)
            out = std::copy(text + cells.begin(c), text + cells.end(c), out) + 1;
        stored += to > from ? to - from : 0;
    });
    out += static_cast<size_t>(table.colCount()) - stored;
    *out++ = '\r';
    *out++ = '\n';
    return out;
}

}  // namespace table_text

template <typename Table>
BytePieces PiecesOfTable(const Table& table)
{
    return [&table](const PieceWriter& put) {
        // Lines gathered into a piece of about a megabyte, written, and the
        // room used again: the whole text is never held, and the piece stays
        // in memory the process has touched already.
        constexpr size_t kPiece = size_t{1} << 20;
        std::string piece;
        piece.reserve(kPiece);
        for (int r = 0; r < table.rowCount(); ++r) {
            const size_t line = table_text::LineSize(table, r);
            if (!piece.empty() && piece.size() + line > kPiece) {
                if (!put(piece))
                    return false;
                piece.clear();
            }
            const size_t at = piece.size();
            piece.append(line, '\t');
            table_text::PutLine(table, r, piece.data() + at);
        }
        return piece.empty() || put(piece);
    };
}

}  // namespace dravik
