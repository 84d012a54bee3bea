#include "core/exchange/table_exchange.h"

#include "core/errors.h"
#include "core/text/cell_value.h"
#include "core/text/code_page.h"
#include "core/text/message_format.h"
#include "core/text/dravik2_auxillary.h"
#include "core/schema/schema.h"
#include "core/exchange/table_checks.h"
#include "core/exchange/table_text_file.h"
#include "core/files/native_path.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

namespace dravik {

std::string SummaryLabel(GridNumber gridNumber)
{
    if (gridNumber == kFileListGrid)
        return "File list";
    if (gridNumber == kTextSectionTable)
        return "Section text";
    return "Section " + std::to_string(gridNumber.number());
}

std::optional<GridNumber> SectionLabelTarget(const std::string& label)
{
    if (AsciiLowered(GetWord(' ', label, 0)) != "section")
        return std::nullopt;
    const std::string second = GetWord(' ', label, 1);
    if (AsciiLowered(second) == "text")
        return kTextSectionTable;
    // A plain decimal number: the label rows the export writes, and nothing
    // that merely reads as a number elsewhere ("$A", "+3").
    if (second.empty() || second.size() > 9 || !std::all_of(second.begin(), second.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const GridNumber number(std::stoi(second));
    if (IsSectionTable(number))
        return number;
    return std::nullopt;
}

bool IsFileListLabel(const std::string& label)
{
    return AsciiLowered(GetWord(' ', label, 0)) == "file";
}

ExportedSummary::ExportedSummary(const DescDocument& document)
    : old_(document.summary()), columns_(document.summary().colCount())
{
    rows_.emplace_back();
    for (GridNumber n : FileRowTables()) {
        const Grid& source = document.grid(n);
        labels_[n.index()] = GridRow{SummaryLabel(n)};
        rows_.push_back({nullptr, 0, n});
        for (int s = 0; s < source.rowCount(); ++s)
            rows_.push_back({&source, s, GridNumber(0)});
        columns_ = std::max(columns_, source.colCount());
    }
}

int ExportedSummary::storedCells(int row) const
{
    const Row& what = rows_[static_cast<size_t>(row)];
    const int written = what.source ? what.source->storedCells(what.sourceRow) : (what.label != GridNumber(0) ? 1 : 0);
    return std::max(old_.storedCells(row), written);
}

Grid BuildSummaryTable(const DescDocument& document)
{
    const ExportedSummary exported(document);
    Grid summary(exported.colCount(), exported.rowCount());
    // Each row is built whole and moved in: the export copies every cell of
    // the tables once.
    for (int r = 0; r < exported.rowCount(); ++r) {
        size_t count = 0;
        size_t bytes = 0;
        exported.forEachStoredRun(r, [&](const Grid::Cells& run, size_t from, size_t to) {
            if (from < to) {
                count += to - from;
                bytes += run.end(to - 1) - run.begin(from);
            }
        });
        GridRow cells;
        cells.reserve(count, bytes);
        exported.forEachStoredRun(r, [&](const Grid::Cells& run, size_t from, size_t to) { cells.add(run, from, to); });
        summary.setRow(r, std::move(cells));
    }
    return summary;
}

void WriteExportedTable(const DescDocument& document, const std::string& path)
{
    const ExportedSummary exported(document);
    WriteTableTextFile(PiecesOfTable(exported), path);
}

namespace {

std::string WithoutTildes(std::string_view path)
{
    std::string text(path);
    text.erase(std::remove(text.begin(), text.end(), '~'), text.end());
    return text;
}

// The opened files by path: the file list's rows that hold one, grouped by
// what their paths resolve to, each group in row order. A table read from a
// file has lost its "~", so paths are compared without them on both sides.
class FileRows {
public:
    FileRows(const Grid& files, const PathKey& key) : key_(key)
    {
        for (int r = 1; r < files.rowCount(); ++r) {
            const std::string_view path = files.cell(2, r);
            if (path.empty())
                continue;
            auto [it, added] = groups_.try_emplace(keyOf(path), groupRows_.size());
            if (added)
                groupRows_.emplace_back();
            groupRows_[it->second].push_back(r);
            rows_.push_back(r);
        }
    }
    // The group of the files a path names; -1 for none.
    long groupOf(std::string_view path)
    {
        if (path.empty() || groupRows_.empty())
            return -1;
        auto it = groups_.find(keyOf(path));
        return it == groups_.end() ? -1 : static_cast<long>(it->second);
    }
    const std::vector<int>& group(long g) const { return groupRows_[static_cast<size_t>(g)]; }
    size_t groupCount() const { return groupRows_.size(); }
    const std::vector<int>& rows() const { return rows_; }

private:
    std::string keyOf(std::string_view path)
    {
        std::string text = WithoutTildes(path);
        if (!key_)
            return text;
        auto it = keys_.find(text);
        if (it == keys_.end())
            it = keys_.emplace(text, key_(text)).first;
        return it->second;
    }

    const PathKey& key_;
    std::unordered_map<std::string, std::string> keys_;  // the key is asked once per path
    std::unordered_map<std::string, size_t> groups_;
    std::vector<std::vector<int>> groupRows_;
    std::vector<int> rows_;
};

// The target row of each row of one block; -1 for a row that is not stored.
struct BlockRows {
    int labelRow;
    int headerRow = -1;  // the block's own header row, when it has one
    std::vector<int> target;
    std::vector<bool> byPath;  // placed by the file its path names
    // For each column of the table, the block's column that holds it; -1
    // for none.
    std::vector<int> source;
};

BlockRows PlaceBlock(const SummaryRows& summary, int labelRow, int pathCol, const Grid& target, FileRows& files,
                     BlockPlacement& report)
{
    BlockRows block{labelRow, -1, {}, {}, {}};
    for (int r = labelRow + 1; r < summary.rowCount() && !summary.cell(1, r).empty(); ++r)
        block.target.push_back(-1);
    const int count = static_cast<int>(block.target.size());
    const int targetRows = target.rowCount();
    block.byPath.assign(static_cast<size_t>(count), false);

    // Rows that name a file take that file's row; several rows naming the
    // same path (a file opened twice) take its rows in turn.
    std::vector<size_t> taken(files.groupCount());
    std::vector<bool> claimed(static_cast<size_t>(std::max(targetRows, 0)));
    std::vector<bool> named;
    for (int k = 0; k < count; ++k) {
        const std::string_view path = summary.cell(pathCol, labelRow + 1 + k);
        if (block.headerRow < 0 && path == target.cell(pathCol, 0))
            block.headerRow = labelRow + 1 + k;
        const long g = files.groupOf(path);
        if (g < 0 || taken[static_cast<size_t>(g)] >= files.group(g).size())
            continue;
        const int row = files.group(g)[taken[static_cast<size_t>(g)]++];
        block.target[static_cast<size_t>(k)] = row;
        block.byPath[static_cast<size_t>(k)] = true;
        if (row < targetRows)
            claimed[static_cast<size_t>(row)] = true;
        if (named.size() <= static_cast<size_t>(row))
            named.resize(static_cast<size_t>(row) + 1);
        named[static_cast<size_t>(row)] = true;
        report.namedAny = true;
        if (row != k)
            ++report.movedRows;
    }
    // The others by position, where no named row went: a moved row is never
    // overwritten by whatever now sits at its old place. The header row
    // holds no values.
    for (int k = 0; k < count; ++k)
        if (!block.byPath[static_cast<size_t>(k)] && k < targetRows && !claimed[static_cast<size_t>(k)] &&
            labelRow + 1 + k != block.headerRow)
            block.target[static_cast<size_t>(k)] = k;
    for (int row : files.rows())
        if (static_cast<size_t>(row) >= named.size() || !named[static_cast<size_t>(row)])
            report.unnamed.push_back({row, false});
    return block;
}

// A key's name and which of its columns (from 0) a header cell is.
struct HeaderCell {
    std::string_view name;
    int occurrence;
    bool operator==(const HeaderCell&) const = default;
};

struct HeaderCellHash {
    size_t operator()(const HeaderCell& h) const
    {
        return std::hash<std::string_view>()(h.name) * 31 + static_cast<size_t>(h.occurrence);
    }
};

// The names of header cells from `first` on, each with its occurrence;
// `trim` compares them without the blanks around them, as a spreadsheet
// told to trim spaces writes them.
std::vector<HeaderCell> HeaderCells(const std::vector<std::string_view>& names, size_t first, bool trim)
{
    std::vector<HeaderCell> cells(names.size(), HeaderCell{{}, -1});
    std::unordered_map<std::string_view, int> seen;
    for (size_t c = first; c < names.size(); ++c) {
        const std::string_view name = trim ? Trim(names[c]) : names[c];
        if (!name.empty())
            cells[c] = {name, seen[name]++};
    }
    return cells;
}

// The block's columns under the table's keys: exactly as written first; a
// header that matches only without the blanks around it next.
void MatchHeaders(const std::vector<std::string_view>& keys, const std::vector<std::string_view>& header, int width,
                  BlockRows& block)
{
    for (const bool trim : {false, true}) {
        const std::vector<HeaderCell> tableCells = HeaderCells(keys, 2, trim);
        const std::vector<HeaderCell> blockCells = HeaderCells(header, 2, trim);
        std::unordered_map<HeaderCell, int, HeaderCellHash> columnOf;
        for (int c = 2; c < width; ++c)
            if (tableCells[static_cast<size_t>(c)].occurrence >= 0 && block.source[static_cast<size_t>(c)] < 0)
                columnOf.emplace(tableCells[static_cast<size_t>(c)], c);
        std::vector<bool> used(header.size());
        for (int c = 0; c < width; ++c)
            if (block.source[static_cast<size_t>(c)] >= 0)
                used[static_cast<size_t>(block.source[static_cast<size_t>(c)])] = true;
        for (size_t h = 2; h < header.size(); ++h) {
            if (used[h] || blockCells[h].occurrence < 0)
                continue;
            if (auto it = columnOf.find(blockCells[h]); it != columnOf.end()) {
                block.source[static_cast<size_t>(it->second)] = static_cast<int>(h);
                columnOf.erase(it);
            }
        }
    }
}

// A column of the table without a header (a section without keys keeps its
// columns) goes by position, where the block has no column of its own.
// Which of the block's columns are taken.
std::vector<bool> PlaceUnheadedColumns(const std::vector<std::string_view>& keys,
                                       const std::vector<std::string_view>& header, int width, BlockRows& block)
{
    std::vector<bool> used(std::max(header.size(), static_cast<size_t>(std::max(width, 0))));
    for (int c = 0; c < width; ++c)
        if (block.source[static_cast<size_t>(c)] >= 0)
            used[static_cast<size_t>(block.source[static_cast<size_t>(c)])] = true;
    for (int c = 2; c < width; ++c) {
        if (!keys[static_cast<size_t>(c)].empty() || block.source[static_cast<size_t>(c)] >= 0)
            continue;
        const bool headed = static_cast<size_t>(c) < header.size() && !header[static_cast<size_t>(c)].empty();
        if (!headed && !used[static_cast<size_t>(c)]) {
            block.source[static_cast<size_t>(c)] = c;
            used[static_cast<size_t>(c)] = true;
        }
    }
    return used;
}

// The block's columns within its header row that hold no value of the
// tables: named when they have a header or hold any text.
void NoteForeignColumns(const SummaryRows& summary, const BlockRows& block, GridNumber grid,
                        const std::vector<std::string_view>& header, const std::vector<bool>& used,
                        ImportPlacement& placement)
{
    int headerWidth = static_cast<int>(header.size());
    while (headerWidth > 0 && header[static_cast<size_t>(headerWidth) - 1].empty())
        --headerWidth;
    for (int h = 2; h < headerWidth; ++h) {
        if (used[static_cast<size_t>(h)])
            continue;
        size_t filled = 0;
        for (int r = block.labelRow + 1; r < block.labelRow + 1 + static_cast<int>(block.target.size()); ++r)
            if (r != block.headerRow && !summary.cell(h, r).empty())
                ++filled;
        if (header[static_cast<size_t>(h)].empty() && filled == 0)
            continue;
        if (placement.foreignColumns.size() < kNamedCells)
            placement.foreignColumns.push_back(
                {grid, block.labelRow + 1, h, std::string(header[static_cast<size_t>(h)]), filled});
        ++placement.foreignColumnCount;
    }
}

// Which column of the block holds each column of the table, by the block's
// header row; reports the block's columns the tables do not have, and the
// table's value columns the block lacks.
void MapColumns(const SummaryRows& summary, BlockRows& block, GridNumber grid, const Grid& target, ImportPlacement& placement)
{
    const int width = target.colCount();
    block.source.assign(static_cast<size_t>(std::max(width, 0)), -1);
    if (width > 1)
        block.source[1] = 1;  // the path
    std::vector<std::string_view> keys(static_cast<size_t>(std::max(width, 0)));
    for (int c = 2; c < width; ++c)
        keys[static_cast<size_t>(c)] = target.cell(c, 0);
    // Only a block that writes rows needs every column.
    const bool writes = std::any_of(block.target.begin(), block.target.end(), [](int row) { return row >= 0; });
    auto missing = [&](std::string key, int value) {
        if (!writes)
            return;
        if (placement.missingColumns.size() < kNamedCells)
            placement.missingColumns.push_back({grid, block.labelRow + 1, std::move(key), value});
        ++placement.missingColumnCount;
    };
    if (block.headerRow < 0) {
        // Nothing tells which column is which: a table without value
        // columns goes by position, as it holds no values.
        bool anyKey = false;
        for (int c = 2; c < width; ++c) {
            anyKey = anyKey || !keys[static_cast<size_t>(c)].empty();
            block.source[static_cast<size_t>(c)] = c;
        }
        if (anyKey)
            missing({}, 0);
        return;
    }
    std::vector<std::string_view> header;
    summary.cells(block.headerRow, header);
    MatchHeaders(keys, header, width, block);
    const std::vector<bool> used = PlaceUnheadedColumns(keys, header, width, block);

    // The table's values the block has no column for.
    std::unordered_map<std::string_view, int> columnsOfKey;
    for (int c = 2; c < width; ++c)
        if (!keys[static_cast<size_t>(c)].empty())
            ++columnsOfKey[keys[static_cast<size_t>(c)]];
    std::unordered_map<std::string_view, int> seen;
    for (int c = 2; c < width; ++c) {
        const std::string_view key = keys[static_cast<size_t>(c)];
        if (key.empty())
            continue;
        const int value = ++seen[key];
        if (block.source[static_cast<size_t>(c)] < 0)
            missing(std::string(key), columnsOfKey[key] > 1 ? value : 0);
    }
    NoteForeignColumns(summary, block, grid, header, used, placement);
}

// How many cells a row has up to its last one holding text.
int UsedWidth(const std::vector<std::string_view>& cells)
{
    int width = static_cast<int>(cells.size());
    while (width > 0 && cells[static_cast<size_t>(width) - 1].empty())
        --width;
    return width;
}

// Whether a cell read from a table holds what the tables hold. A value a
// file lacks shows as a blank, which a spreadsheet writes back as an empty
// cell at the end of a line (Calc drops the line's last TAB, and reading
// drops the blanks left at its end): both are the same absent value.
bool SameCell(std::string_view held, std::string_view read)
{
    return held == read || (read.empty() && IsBlankCell(held));
}

// The cells an import changes. A cell written twice (a label that occurs
// twice: the later block wins) keeps one edit, with its last text.
class ImportEdits {
public:
    ImportEdits(const DescDocument& document, std::vector<ImportEdit>& edits) : document_(document), edits_(edits) {}

    // The tables are placed one after another. Only a table with several
    // blocks can have a cell written twice: one block writes each of its
    // rows once, so only then are the edits indexed.
    void startTable(bool severalBlocks)
    {
        index_.clear();
        indexed_ = severalBlocks;
    }

    void put(GridNumber grid, int col, int row, std::string_view text, int summaryRow = -1, int summaryCol = -1)
    {
        // A value the file's line does not have exports as an empty cell; the
        // blank a key the file lacks exports as, put there, is no value either.
        if (text == " " && document_.valueAbsent(grid, col, row))
            text = {};
        const std::uint64_t key = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(row)) << 32) |
                                  static_cast<std::uint32_t>(col);
        if (auto it = index_.find(key); it != index_.end()) {
            edits_[it->second].text = text;
            edits_[it->second].summaryRow = summaryRow;
            edits_[it->second].summaryCol = summaryCol;
        } else if (!SameCell(document_.grid(grid).cell(col, row), text)) {
            if (indexed_)
                index_.emplace(key, edits_.size());
            edits_.push_back({grid, col, row, text, summaryRow, summaryCol});
        }
    }
    // Drops the edits that came back to the text the cell holds. They are
    // kept until the import is applied, beside the table: at their size.
    void finish()
    {
        std::erase_if(edits_, [&](const ImportEdit& e) { return SameCell(document_.grid(e.grid).cell(e.col, e.row), e.text); });
        edits_.shrink_to_fit();
    }

private:
    const DescDocument& document_;
    std::vector<ImportEdit>& edits_;
    bool indexed_ = false;
    std::unordered_map<std::uint64_t, size_t> index_;  // by row and column
};

void NoteWideRow(ImportPlacement& placement, GridNumber grid, int summaryRow, std::string_view path, int extra)
{
    if (placement.wideRows.size() < kNamedCells)
        placement.wideRows.push_back({grid, summaryRow + 1, std::string(path), extra});
    ++placement.wideRowCount;
}

// Whether a section table has columns of values: a section without
// entries keeps the columns it had, under empty headers.
bool HasKeys(const Grid& table)
{
    for (int c = kFirstValueColumn; c < table.colCount(); ++c)
        if (!table.cell(c, 0).empty())
            return true;
    return false;
}

// How wide a block's header row is: its own, or the table's when the block
// has none.
int HeaderWidth(const SummaryRows& summary, const BlockRows& block, const Grid& target,
                std::vector<std::string_view>& cells)
{
    if (block.headerRow >= 0) {
        summary.cells(block.headerRow, cells);
        return UsedWidth(cells);
    }
    int width = 0;
    for (int c = 0; c < target.colCount(); ++c)
        if (!target.cell(c, 0).empty())
            width = c + 1;
    return width;
}

// The cells of one block's rows, each into the row it was placed at.
void WriteBlock(const SummaryRows& summary, const BlockRows& block, GridNumber grid, const Grid& target, ImportEdits& edits,
                ImportPlacement& placement)
{
    // Columns past the target's width would be dropped: a block under one
    // very long line costs no more than the target's cells.
    const int columns = target.colCount();
    std::vector<std::string_view> cells;
    const int headerWidth = HeaderWidth(summary, block, target, cells);
    for (size_t k = 0; k < block.target.size(); ++k) {
        const int summaryRow = block.labelRow + 1 + static_cast<int>(k);
        summary.cells(summaryRow, cells);
        if (const int width = UsedWidth(cells); summaryRow != block.headerRow && width > headerWidth)
            NoteWideRow(placement, grid, summaryRow, cells.size() > 1 ? cells[1] : std::string_view(), width - headerWidth);
        const int row = block.target[k];
        // The header row only tells where the columns are.
        if (row < 0 || summaryRow == block.headerRow)
            continue;
        // A row placed by its file keeps the path the tables show when it
        // is the one the row names, with the "~" that reading the table
        // dropped. A file's cells past the table's width are emptied, as
        // its missing cells are.
        const int end = row == 0 ? columns : std::max(columns, std::min(target.storedCells(row), target.colCount()));
        for (int c = 1; c < end; ++c) {
            const int from = block.source[static_cast<size_t>(c)];
            const bool held = from >= 0 && static_cast<size_t>(from) < cells.size();
            const std::string_view text = held ? cells[static_cast<size_t>(from)] : std::string_view();
            if (c > 1 || !block.byPath[k] || WithoutTildes(target.cell(1, row)) != text)
                edits.put(grid, c, row, text, held ? summaryRow : -1, from);
        }
    }
}

// Places the blocks of one section table, or leaves the table as it was.
void PlaceSection(const SummaryRows& summary, const std::vector<int>& labelRows, GridNumber grid, const DescDocument& document,
                  FileRows& files, ImportEdits& edits, ImportPlacement& placement)
{
    const Grid& target = document.grid(grid);
    edits.startTable(labelRows.size() > 1);
    const size_t firstReport = placement.blocks.size();
    std::vector<BlockRows> blocks;
    bool namedAny = false;
    for (int labelRow : labelRows) {
        BlockPlacement report;
        report.grid = grid;
        report.labelRow = labelRow;
        blocks.push_back(PlaceBlock(summary, labelRow, 1, target, files, report));
        namedAny = namedAny || report.namedAny;
        placement.blocks.push_back(std::move(report));
    }
    if (!namedAny) {
        for (size_t b = firstReport; b < placement.blocks.size(); ++b)
            placement.blocks[b].unnamed.clear();
        if (HasKeys(target))
            placement.leftAlone.push_back(grid);
        return;
    }
    for (BlockRows& block : blocks)
        MapColumns(summary, block, grid, target, placement);

    std::vector<bool> written(static_cast<size_t>(target.rowCount()));
    for (const BlockRows& block : blocks)
        for (int row : block.target)
            if (row >= 0 && row < target.rowCount())
                written[static_cast<size_t>(row)] = true;
    for (size_t b = firstReport; b < placement.blocks.size(); ++b)
        for (auto& file : placement.blocks[b].unnamed)
            file.kept = file.row < target.rowCount() && !written[static_cast<size_t>(file.row)];
    // A row that is no file's and that no block row reaches is emptied, as
    // an import always emptied the section tables before filling them.
    std::vector<bool> isFile(static_cast<size_t>(target.rowCount()));
    for (int row : files.rows())
        if (row < target.rowCount())
            isFile[static_cast<size_t>(row)] = true;
    for (int r = 1; r < target.rowCount(); ++r)
        if (!written[static_cast<size_t>(r)] && !isFile[static_cast<size_t>(r)])
            for (int c = target.storedCells(r) - 1; c >= 1; --c)
                edits.put(grid, c, r, {});

    for (const BlockRows& block : blocks)
        WriteBlock(summary, block, grid, target, edits, placement);
}

// The "File list" blocks: never written, but every file they name must be open.
void CheckFileListBlocks(const SummaryRows& summary, const std::vector<int>& labelRows, const DescDocument& document,
                         FileRows& files, ImportPlacement& placement)
{
    const std::string_view header = document.fileList().cell(kFilePathColumn, 0);
    for (int labelRow : labelRows) {
        for (int r = labelRow + 1; r < summary.rowCount() && !summary.cell(1, r).empty(); ++r) {
            const std::string_view path = summary.cell(2, r);
            if (path.empty() || path == header || files.groupOf(path) >= 0)
                continue;
            if (placement.unopened.size() < kNamedCells)
                placement.unopened.emplace_back(path);
            ++placement.unopenedCount;
        }
    }
}

// "  and 3 more", a list's last line, for the entries it does not name.
Message AndMore(size_t count, size_t shown)
{
    if (count <= shown)
        return {};
    return Message(std::string("  ")) + Message(DRAVIK_TR("Lists", "and %1 more"), {std::to_string(count - shown)}) +
           Message(std::string("\n"));
}

// A line of a list under a sentence: indented, ending in a line break.
Message ListLine(Message line) { return Message(std::string("  ")) + line + Message(std::string("\n")); }

}  // namespace

std::string SpreadsheetColumnName(int column)
{
    std::string name;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
    return name;
}

Message ImportPlacement::foreignColumnsMessage() const
{
    if (foreignColumnCount == 0)
        return {};
    Message text(DRAVIK_TR_N("Import",
                             "%n column of the table has a header that the tables do not have, and the import left it "
                             "out: it places each column by its header (a key's name in the block's header row), so a "
                             "column inserted for notes moves no value. Type values into their key's own column.\n",
                             "%n columns of the table have headers that the tables do not have, and the import left "
                             "them out: it places each column by its header (a key's name in the block's header row), "
                             "so a column inserted for notes moves no value. Type values into their key's own "
                             "column.\n"),
                 static_cast<long long>(foreignColumnCount));
    for (const ForeignColumn& column : foreignColumns) {
        const auto cells = static_cast<long long>(column.cells);
        text += ListLine(
            column.header.empty()
                ? Message(DRAVIK_TR_N("Import", "%1 (line %2), column %3, without a header: %n cell with text",
                                      "%1 (line %2), column %3, without a header: %n cells with text"),
                          cells, {SummaryLabel(column.grid), std::to_string(column.line), SpreadsheetColumnName(column.column)})
                : Message(DRAVIK_TR_N("Import", "%1 (line %2), column %3, \"%4\": %n cell with text",
                                      "%1 (line %2), column %3, \"%4\": %n cells with text"),
                          cells,
                          {SummaryLabel(column.grid), std::to_string(column.line), SpreadsheetColumnName(column.column),
                           column.header}));
    }
    return text + AndMore(foreignColumnCount, foreignColumns.size());
}

Message ImportPlacement::missingColumnsMessage() const
{
    if (missingColumnCount == 0)
        return {};
    Message text(DRAVIK_TR_N("Import",
                             "The table lacks the column of %n value that the tables have, and nothing was imported: "
                             "the import places each column by its header (a key's name in the block's header row, the "
                             "row whose column B reads \"File name\"), so it cannot tell where that value went:\n",
                             "The table lacks the columns of %n values that the tables have, and nothing was imported: "
                             "the import places each column by its header (a key's name in the block's header row, the "
                             "row whose column B reads \"File name\"), so it cannot tell where those values went:\n"),
                 static_cast<long long>(missingColumnCount));
    for (const MissingColumn& column : missingColumns) {
        const std::string line = std::to_string(column.line);
        if (column.key.empty())
            text += ListLine(Message(DRAVIK_TR("Import", "%1 (line %2): the block has no header row"),
                                     {SummaryLabel(column.grid), line}));
        else if (column.value > 0)
            text += ListLine(Message(DRAVIK_TR("Import", "%1 (line %2): \"%3\" value %4"),
                                     {SummaryLabel(column.grid), line, column.key, std::to_string(column.value)}));
        else
            text += ListLine(Message(DRAVIK_TR("Import", "%1 (line %2): \"%3\""), {SummaryLabel(column.grid), line, column.key}));
    }
    return text + AndMore(missingColumnCount, missingColumns.size()) +
           Message(DRAVIK_TR("Import", "Take back the deletion, or the change of the header, in the spreadsheet (Edit > "
                                       "Undo), or export the table again and redo the edits, leaving each block's "
                                       "header row and columns as they were"));
}

int ImportPlacement::movedRows() const
{
    int moved = 0;
    for (const BlockPlacement& block : blocks)
        moved += block.movedRows;
    return moved;
}

Message ImportPlacement::leftAloneMessage() const
{
    if (leftAlone.empty())
        return {};
    std::string names;
    for (GridNumber grid : leftAlone)
        names += (names.empty() ? "" : ", ") + SummaryLabel(grid);
    return Message(DRAVIK_TR_N("Import", "Left as it was, since the table names none of the desc files in it: %1.\n",
                               "Left as they were, since the table names none of the desc files in them: %1.\n"),
                   static_cast<long long>(leftAlone.size()), {names});
}

Message ImportPlacement::wideRowsMessage() const
{
    if (wideRowCount == 0)
        return {};
    Message text(DRAVIK_TR_N("Import",
                             "%n row of the table is wider than the header row of its block: a value holding a TAB was "
                             "split in two, and every later value of the row moved one column on.\n",
                             "%n rows of the table are wider than the header row of its block: a value holding a TAB "
                             "was split in two, and every later value of the row moved one column on.\n"),
                 static_cast<long long>(wideRowCount));
    for (const WideRow& row : wideRows)
        text += ListLine(Message(DRAVIK_TR_N("Import", "%1 (line %2), %3: %n cell too many", "%1 (line %2), %3: %n cells too many"),
                                 row.extraCells, {SummaryLabel(row.grid), std::to_string(row.line), row.path}));
    return text + AndMore(wideRowCount, wideRows.size());
}

Message ImportPlacement::unopenedMessage() const
{
    if (unopenedCount == 0)
        return {};
    Message text(DRAVIK_TR_N("Import",
                             "The \"File list\" of the table names %n file that is not open, and Import table writes "
                             "only into the open desc files; nothing was imported:",
                             "The \"File list\" of the table names %n files that are not open, and Import table writes "
                             "only into the open desc files; nothing was imported:"),
                 static_cast<long long>(unopenedCount));
    for (const std::string& path : unopened)
        text += Message("\n  " + path);
    if (unopenedCount > unopened.size())
        text += Message(std::string("\n  ")) +
                Message(DRAVIK_TR("Lists", "and %1 more"), {std::to_string(unopenedCount - unopened.size())});
    return text;
}

void PlaceSummaryRows(const SummaryRows& summary, const DescDocument& document, const PathKey& key,
                      PreparedImport& import)
{
    FileRows files(document.fileList(), key);
    std::array<std::vector<int>, kFileListGrid.number()> labels;
    for (int i = 0; i < summary.rowCount(); ++i) {
        const std::string_view label = summary.cell(0, i);
        if (label.empty())
            continue;
        if (auto target = SectionLabelTarget(std::string(label)))
            labels[target->index()].push_back(i);
        else if (IsFileListLabel(std::string(label)))
            labels[kFileListGrid.index()].push_back(i);
    }
    ImportEdits edits(document, import.edits);
    for (GridNumber n : SectionTables())
        PlaceSection(summary, labels[n.index()], n, document, files, edits, import.placement);
    CheckFileListBlocks(summary, labels[kFileListGrid.index()], document, files, import.placement);
    edits.finish();
}

PreparedImport PrepareImport(const DescDocument& document, std::optional<TableText> table)
{
    // Rows go to the files their paths name; a path the tables show with "?"
    // could name the wrong one.
    if (const UnwritablePaths unwritable = FindUnwritablePaths(document); unwritable.any())
        throw DravikError(unwritable.importMessage());
    PreparedImport import;
    import.table = std::move(table);
    if (import.table) {
        if (Message layout = TableLayoutProblem(*import.table); !layout.empty())
            throw DravikError(layout);
        PlaceSummaryRows(*import.table, document, ResolvedPathKey, import);
    } else {
        PlaceSummaryRows(GridRows(document.summary()), document, ResolvedPathKey, import);
    }
    if (import.placement.unopenedCount > 0)
        throw DravikError(import.placement.unopenedMessage());
    if (import.placement.missingColumnCount > 0)
        throw DravikError(import.placement.missingColumnsMessage());
    return import;
}

TableChange ApplyImport(DescDocument& document, PreparedImport&& import)
{
    // The summary table holds the file's rows and nothing of what it held
    // before: an older, longer table's tail would read as blocks.
    std::vector<std::pair<GridNumber, Grid>> contents;
    if (import.table) {
        Grid summary = GridOf(*import.table);
        // The cells' texts lie in the summary table now as well: the table
        // read is let go before the edit, so that the two are never held
        // together with it.
        for (ImportEdit& edit : import.edits)
            if (edit.summaryRow >= 0)
                edit.text = summary.cell(edit.summaryCol, edit.summaryRow);
        import.table.reset();
        contents.emplace_back(kSummaryGrid, std::move(summary));
    }
    return document.replaceGrids(std::move(contents), import.edits);
}

void ApplyImportWithoutHistory(DescDocument& document, PreparedImport&& import)
{
    // Straight from the table read into the tables: no copy of the texts,
    // and no record of what they replaced.
    document.setCellsUnrecorded(std::span<const ImportEdit>(import.edits));
    import = {};
}

TableChange ExportTable(DescDocument& document)
{
    std::vector<std::pair<GridNumber, Grid>> contents;
    contents.emplace_back(kSummaryGrid, BuildSummaryTable(document));
    return document.replaceGrids(std::move(contents));
}

TableChange ImportTable(DescDocument& document, const std::string* tableBytes, ImportPlacement* placement)
{
    PreparedImport import =
        PrepareImport(document, tableBytes ? std::optional<TableText>(std::in_place, *tableBytes) : std::nullopt);
    if (placement)
        *placement = import.placement;
    return ApplyImport(document, std::move(import));
}

TableChange ClearSummaryTable(DescDocument& document)
{
    Grid summary(document.summary().colCount(), document.summary().rowCount());
    std::vector<std::pair<GridNumber, Grid>> contents;
    contents.emplace_back(kSummaryGrid, std::move(summary));
    return document.replaceGrids(std::move(contents));
}

}  // namespace dravik
