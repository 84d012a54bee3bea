#include "core/exchange/table_text_file.h"

#include "core/errors.h"
#include "core/files/file_io.h"

#include <algorithm>
#include <vector>

namespace dravik {

namespace {

// A grid as TableText reads it: row by row, without checking each cell's place.
struct StoredCells {
    const Grid& grid;
    int colCount() const { return grid.colCount(); }
    int rowCount() const { return grid.rowCount(); }
    template <typename Each>
    void forEachStoredCell(int row, Each&& each) const
    {
        for (const std::string& cell : grid.storedRow(row))
            each(cell);
    }
};

bool IsBlankOrControlButTab(char c) { return static_cast<unsigned char>(c) <= 32 && c != '\t'; }

// The lines of a table text file: a line ends at LF or CR LF, a CR not
// followed by LF is dropped, and Ctrl+Z ends the file.
std::vector<std::string> ReadTableLines(std::string_view bytes)
{
    const size_t end = std::min(bytes.find('\x1A'), bytes.size());
    std::vector<std::string> lines;
    std::string line;
    bool open = false;
    for (size_t i = 0; i < end; ++i) {
        const char c = bytes[i];
        if (c == '\n') {
            lines.push_back(std::move(line));
            line.clear();
            open = false;
        } else if (c == '\r') {
            open = true;  // dropped, but a lone CR still begins a line
        } else {
            line += c;
            open = true;
        }
    }
    if (open)
        lines.push_back(std::move(line));
    return lines;
}

}  // namespace

std::string GridToText(const Grid& grid) { return TableText(StoredCells{grid}); }

void TextToGrid(Grid& grid, std::string_view bytes)
{
    int row = 0;
    int widest = 0;
    for (std::string& line : ReadTableLines(bytes)) {
        int tabs = static_cast<int>(std::count(line.begin(), line.end(), '\t'));
        if (!line.empty() && line[0] == '\t')
            ++tabs;
        widest = std::max(widest, tabs);
        grid.setColCount(std::max(widest, 1));

        size_t begin = 0;
        while (begin < line.size() && IsBlankOrControlButTab(line[begin]))
            ++begin;
        size_t finish = line.size();
        if (finish == 0 || line[finish - 1] != '\t')
            while (finish > begin && IsBlankOrControlButTab(line[finish - 1]))
                --finish;
        std::string_view text = std::string_view(line).substr(begin, finish - begin);

        std::vector<std::string> pieces;
        size_t start = 0;
        for (;;) {
            const size_t tab = text.find('\t', start);
            if (tab == std::string_view::npos) {
                if (start < text.size())
                    pieces.emplace_back(text.substr(start));
                break;
            }
            pieces.emplace_back(text.substr(start, tab - start));
            start = tab + 1;
        }
        for (auto& piece : pieces)
            piece.erase(std::remove(piece.begin(), piece.end(), '~'), piece.end());

        // The grid gains one row for every line, counted from the rows it had.
        // Cells past the line's pieces are emptied; only those the row holds
        // need it, so a wide table costs no more than the cells it has.
        grid.setRowCount(grid.rowCount() + 1);
        const int pieceCount = std::min(static_cast<int>(pieces.size()), grid.colCount());
        for (int c = 0; c < pieceCount; ++c)
            grid.setCell(c, row, std::move(pieces[static_cast<size_t>(c)]));
        for (int c = grid.storedCells(row) - 1; c >= pieceCount; --c)
            grid.setCell(c, row, std::string());
        ++row;
    }
}

void GridToTextFile(const Grid& grid, const std::string& path) { WriteTableTextFile(GridToText(grid), path); }

void WriteTableTextFile(std::string_view bytes, const std::string& path)
{
    FileError err;
    if (!WriteFileSafely(path, bytes, err))
        throw DravikError(TextFileErrorMessage(err));
}

std::string ReadTableTextFile(const std::string& path)
{
    std::string bytes;
    FileError err;
    if (!ReadWholeFile(path, bytes, err))
        throw DravikError(TextFileErrorMessage(err));
    return bytes;
}

void TextFileToGrid(Grid& grid, const std::string& path) { TextToGrid(grid, ReadTableTextFile(path)); }

}  // namespace dravik
