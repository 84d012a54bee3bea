#include "core/document/table_change.h"

#include <algorithm>
#include <stdexcept>

namespace dravik {

namespace {

// A packed grid: its column and row count, then per row its stored cells,
// each as its length and text. Numbers take seven bits a byte, low bits
// first, so that the short cells of a table cost a byte besides their text.
char* PutNumber(char* out, size_t n)
{
    for (; n >= 0x80; n >>= 7)
        *out++ = static_cast<char>((n & 0x7F) | 0x80);
    *out++ = static_cast<char>(n);
    return out;
}

size_t NumberSize(size_t n)
{
    if (n < 0x80)  // nearly every cell's length
        return 1;
    size_t bytes = 1;
    for (; n >= 0x80; n >>= 7)
        ++bytes;
    return bytes;
}

size_t TakeNumber(std::string_view packed, size_t& at)
{
    size_t n = 0;
    for (int shift = 0; at < packed.size(); shift += 7) {
        const auto byte = static_cast<unsigned char>(packed[at++]);
        n |= static_cast<size_t>(byte & 0x7F) << shift;
        if (byte < 0x80)
            break;
    }
    return n;
}

// The row's cells up to its last one that is not empty.
size_t CellsToPack(const Grid::Cells& cells)
{
    size_t count = cells.size();
    while (count > 0 && cells[count - 1].empty())
        --count;
    return count;
}

// Writes the packed grid from `out` on, into room PackedCost measured. Row
// by row: an export packs millions of cells.
char* Pack(const Grid& grid, char* out)
{
    out = PutNumber(out, static_cast<size_t>(grid.colCount()));
    out = PutNumber(out, static_cast<size_t>(grid.rowCount()));
    for (int r = 0; r < grid.rowCount(); ++r) {
        const Grid::Cells cells = grid.storedRow(r);
        const size_t count = CellsToPack(cells);
        out = PutNumber(out, count);
        for (size_t c = 0; c < count; ++c) {
            const std::string_view cell = cells[c];
            out = std::copy(cell.begin(), cell.end(), PutNumber(out, cell.size()));
        }
    }
    return out;
}

}  // namespace

void TableChange::checkRoom(size_t more) const
{
    // Offsets are 32-bit to keep each step small; one edit never holds 4 GB.
    if (text_.size() + more > UINT32_MAX)
        throw std::length_error("edit too large to be undone");
}

void TableChange::addCell(int grid, int col, int row, std::string_view before, std::string_view after)
{
    checkRoom(before.size() + after.size());
    steps_.push_back({static_cast<std::uint8_t>(grid), Kind::Cell, col, row, static_cast<std::uint32_t>(text_.size()),
                      static_cast<std::uint32_t>(before.size()), static_cast<std::uint32_t>(after.size())});
    text_.append(before);
    text_.append(after);
    ++cells_;
}

void TableChange::addResize(int grid, int colsBefore, int rowsBefore, int colsAfter, int rowsAfter)
{
    steps_.push_back({static_cast<std::uint8_t>(grid), Kind::Resize, colsBefore, rowsBefore,
                      static_cast<std::uint32_t>(colsAfter), static_cast<std::uint32_t>(rowsAfter), 0});
}

bool TableChange::addGridIfSmaller(int grid, const Grid& before, const Grid& after, size_t cells, size_t limit)
{
    const size_t beforeLength = PackedCost(before);
    const size_t afterLength = PackedCost(after);
    if (beforeLength + afterLength >= limit)
        return false;
    checkRoom(beforeLength + afterLength);
    const size_t offset = text_.size();
    text_.resize(offset + beforeLength + afterLength);
    Pack(after, Pack(before, text_.data() + offset));
    steps_.push_back({static_cast<std::uint8_t>(grid), Kind::Grid, 0, 0, static_cast<std::uint32_t>(offset),
                      static_cast<std::uint32_t>(beforeLength), static_cast<std::uint32_t>(afterLength)});
    cells_ += cells;
    return true;
}

size_t TableChange::PackedCost(const Grid& grid)
{
    size_t bytes = NumberSize(static_cast<size_t>(grid.colCount())) + NumberSize(static_cast<size_t>(grid.rowCount()));
    for (int r = 0; r < grid.rowCount(); ++r) {
        const Grid::Cells cells = grid.storedRow(r);
        const size_t count = CellsToPack(cells);
        bytes += NumberSize(count);
        for (size_t c = 0; c < count; ++c)
            bytes += NumberSize(cells[c].size()) + cells[c].size();
    }
    return bytes;
}

Grid TableChange::Unpacked(std::string_view packed)
{
    size_t at = 0;
    const int cols = static_cast<int>(TakeNumber(packed, at));
    const int rows = static_cast<int>(TakeNumber(packed, at));
    Grid grid(cols, rows);
    for (int r = 0; r < rows; ++r) {
        GridRow cells;
        for (size_t c = 0, count = TakeNumber(packed, at); c < count; ++c) {
            const size_t length = TakeNumber(packed, at);
            cells.add(packed.substr(at, length));
            at += length;
        }
        grid.setRow(r, std::move(cells));
    }
    return grid;
}

}  // namespace dravik
