#include "core/exchange/table_text_file.h"

#include "core/errors.h"
#include "core/files/file_io.h"

#include <algorithm>
#include <vector>

namespace dravik {

namespace {

bool IsBlankOrControlButTab(char c) { return static_cast<unsigned char>(c) <= 32 && c != '\t'; }

// A line's cells: the pieces between TABs; the text after the last TAB is a
// piece only when it is not empty.
void SplitCells(std::string_view line, std::vector<std::string_view>& out)
{
    out.clear();
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos) {
            if (start < line.size())
                out.push_back(line.substr(start));
            return;
        }
        out.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
}

std::string Megabytes(size_t bytes) { return std::to_string((bytes + (size_t{1} << 20) - 1) >> 20); }

Message TooLongLineMessage(size_t line, size_t bytes)
{
    return Message(DRAVIK_TR("Import", "Line %1 of the table is %2 MB long: no desc file holds values that long (a "
                                       "line may hold %3 MB), so the file is no table of desc files, or is damaged. "
                                       "Nothing was imported"),
                   {std::to_string(line), Megabytes(bytes), Megabytes(kLongestTableLine)});
}

}  // namespace

TableText::TableText(std::string bytes) : bytes_(std::move(bytes))
{
    // A line ends at LF; a CR anywhere is dropped (so CR LF ends one too),
    // and a lone CR still begins a line. Byte 26 ends the file.
    const size_t end = std::min(bytes_.find('\x1A'), bytes_.size());
    begins_.reserve(static_cast<size_t>(std::count(bytes_.begin(), bytes_.begin() + static_cast<long>(end), '\n')) + 2);
    size_t out = 0;
    int widest = 0;
    for (size_t at = 0; at < end;) {
        const size_t lineEnd = std::min(bytes_.find('\n', at), end);
        if (lineEnd - at > kLongestTableLine)
            throw DravikError(TooLongLineMessage(begins_.size() + 1, lineEnd - at));
        // The line without its CRs: its first and last bytes decide the
        // width and what is trimmed.
        size_t first = at;
        while (first < lineEnd && bytes_[first] == '\r')
            ++first;
        size_t last = lineEnd;
        while (last > first && bytes_[last - 1] == '\r')
            --last;
        int tabs = static_cast<int>(std::count(bytes_.begin() + static_cast<long>(first),
                                               bytes_.begin() + static_cast<long>(last), '\t'));
        if (first < last && bytes_[first] == '\t')
            ++tabs;
        widest = std::max(widest, tabs);

        size_t from = first;
        while (from < last && IsBlankOrControlButTab(bytes_[from]))
            ++from;
        size_t to = last;
        if (to == from || bytes_[to - 1] != '\t')
            while (to > from && IsBlankOrControlButTab(bytes_[to - 1]))
                --to;
        // The grid is as wide as the widest line so far: pieces past that
        // width are not stored, even when a later line is wider.
        begins_.push_back(out);
        for (int pieces = 1, width = std::max(widest, 1); from < to; ++from) {
            const char c = bytes_[from];
            if (c == '\t' && ++pieces > width)
                break;
            if (c != '\r' && c != '~')
                bytes_[out++] = c;
        }
        at = lineEnd + 1;
    }
    begins_.push_back(out);
    // Kept at its size: a copy into a smaller string would hold both at once.
    bytes_.resize(out);
    columns_ = std::max(widest, 1);
}

void TableText::cells(int row, std::vector<std::string_view>& out) const { SplitCells(line(row), out); }

std::string_view TableText::cell(int col, int row) const
{
    if (col < 0 || row < 0 || row >= rowCount())
        return {};
    std::string_view rest = line(row);
    for (int c = 0; c < col; ++c) {
        const size_t tab = rest.find('\t');
        if (tab == std::string_view::npos)
            return {};
        rest.remove_prefix(tab + 1);
    }
    return rest.substr(0, rest.find('\t'));
}

namespace {

// Writes a table's lines into grid rows 0 on; the grid already has the rows.
void FillRows(Grid& grid, const TableText& table)
{
    std::vector<std::string_view> cells;
    for (int row = 0; row < table.rowCount(); ++row) {
        table.cells(row, cells);
        // Only the cells up to the last one holding text are stored: a
        // narrow row of a wide table costs no more than its own cells.
        while (!cells.empty() && cells.back().empty())
            cells.pop_back();
        GridRow stored;
        // The cells' bytes, which lie in the line with a TAB between each two.
        stored.reserve(cells.size(), cells.empty() ? 0 : static_cast<size_t>(cells.back().end() - cells.front().begin()) -
                                                             (cells.size() - 1));
        for (const std::string_view cell : cells)
            stored.add(cell);
        grid.setRow(row, std::move(stored));
    }
}

}  // namespace

void TextToGrid(Grid& grid, std::string_view bytes)
{
    const TableText table{std::string(bytes)};
    if (table.rowCount() == 0)
        return;
    // Every line sets the width, which only grows within a file: after the
    // file it is the widest line's, even when the grid was wider before.
    grid.setColCount(table.colCount());
    grid.setRowCount(grid.rowCount() + table.rowCount());
    FillRows(grid, table);
}

Grid GridOf(const TableText& table)
{
    Grid grid(table.colCount(), table.rowCount());
    FillRows(grid, table);
    return grid;
}

void GridToTextFile(const Grid& grid, const std::string& path)
{
    const StoredCells table{grid};
    WriteTableTextFile(PiecesOfTable(table), path);
}

void WriteTableTextFile(std::string_view bytes, const std::string& path)
{
    WriteTableTextFile([bytes](const PieceWriter& put) { return put(bytes); }, path);
}

void WriteTableTextFile(const BytePieces& pieces, const std::string& path)
{
    FileError err;
    if (WriteFileSafely(path, pieces, err))
        return;
    // A block device or a socket (--out) is named for what it is, not
    // "File access denied".
    throw DravikError(err.reason == kNotARegularFile.source ? err.why() : TextFileErrorMessage(err));
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
