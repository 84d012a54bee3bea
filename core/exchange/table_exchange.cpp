#include "core/exchange/table_exchange.h"

#include "core/errors.h"
#include "core/text/code_page.h"
#include "core/text/dravik2_auxillary.h"
#include "core/schema/schema.h"
#include "core/exchange/table_checks.h"
#include "core/exchange/table_text_file.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

namespace dravik {

std::string SummaryLabel(int gridNumber)
{
    if (gridNumber == kFileListGrid)
        return "File list";
    if (gridNumber == kSectionCount)
        return "Section text";
    return "Section " + std::to_string(gridNumber);
}

std::optional<int> SectionLabelTarget(const std::string& label)
{
    if (AsciiLowered(GetWord(' ', label, 0)) != "section")
        return std::nullopt;
    const std::string second = GetWord(' ', label, 1);
    if (AsciiLowered(second) == "text")
        return kSectionCount;
    // A plain decimal number: the label rows the export writes, and nothing
    // that merely reads as a number elsewhere ("$A", "+3").
    if (second.empty() || second.size() > 9 || !std::all_of(second.begin(), second.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int number = std::stoi(second);
    if (number >= 1 && number <= kSectionCount)
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
    for (int n = 1; n <= kFileListGrid; ++n) {
        const Grid& source = document.grid(n);
        labels_[static_cast<size_t>(n - 1)] = GridRow{SummaryLabel(n)};
        rows_.push_back({nullptr, 0, n});
        for (int s = 0; s < source.rowCount(); ++s)
            rows_.push_back({&source, s, 0});
        columns_ = std::max(columns_, source.colCount());
    }
}

int ExportedSummary::storedCells(int row) const
{
    const Row& what = rows_[static_cast<size_t>(row)];
    const int written = what.source ? what.source->storedCells(what.sourceRow) : (what.label ? 1 : 0);
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

std::string ExportTableText(const DescDocument& document) { return TextOfTable(ExportedSummary(document)); }

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
};

BlockRows PlaceBlock(const SummaryRows& summary, int labelRow, int pathCol, const Grid& target, FileRows& files,
                     BlockPlacement& report)
{
    BlockRows block{labelRow, -1, {}, {}};
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
    // overwritten by whatever now sits at its old place.
    for (int k = 0; k < count; ++k)
        if (!block.byPath[static_cast<size_t>(k)] && k < targetRows && !claimed[static_cast<size_t>(k)])
            block.target[static_cast<size_t>(k)] = k;
    for (int row : files.rows())
        if (static_cast<size_t>(row) >= named.size() || !named[static_cast<size_t>(row)])
            report.unnamed.push_back({row, false});
    return block;
}

// How many cells a row has up to its last one holding text.
int UsedWidth(const std::vector<std::string_view>& cells)
{
    int width = static_cast<int>(cells.size());
    while (width > 0 && cells[static_cast<size_t>(width) - 1].empty())
        --width;
    return width;
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

    void put(int grid, int col, int row, std::string_view text, int summaryRow = -1)
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
        } else if (document_.grid(grid).cell(col, row) != text) {
            if (indexed_)
                index_.emplace(key, edits_.size());
            edits_.push_back({grid, col, row, text, summaryRow});
        }
    }
    // Drops the edits that came back to the text the cell holds. They are
    // kept until the import is applied, beside the table: at their size.
    void finish()
    {
        std::erase_if(edits_, [&](const ImportEdit& e) { return document_.grid(e.grid).cell(e.col, e.row) == e.text; });
        edits_.shrink_to_fit();
    }

private:
    const DescDocument& document_;
    std::vector<ImportEdit>& edits_;
    bool indexed_ = false;
    std::unordered_map<std::uint64_t, size_t> index_;  // by row and column
};

void NoteWideRow(ImportPlacement& placement, int grid, int summaryRow, std::string_view path, int extra)
{
    if (placement.wideRows.size() < kNamedCells)
        placement.wideRows.push_back({grid, summaryRow + 1, std::string(path), extra});
    ++placement.wideRowCount;
}

// Whether a section table has columns of values: a section without
// entries keeps the columns it had, under empty headers.
bool HasKeys(const Grid& table)
{
    for (int c = 2; c < table.colCount(); ++c)
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
void WriteBlock(const SummaryRows& summary, const BlockRows& block, int grid, const Grid& target, ImportEdits& edits,
                ImportPlacement& placement)
{
    // Columns past the target's width would be dropped: a block under one
    // very long line costs no more than the target's cells.
    const int columns = std::min(summary.colCount(), target.colCount());
    std::vector<std::string_view> cells;
    const int headerWidth = HeaderWidth(summary, block, target, cells);
    for (size_t k = 0; k < block.target.size(); ++k) {
        const int summaryRow = block.labelRow + 1 + static_cast<int>(k);
        summary.cells(summaryRow, cells);
        if (const int width = UsedWidth(cells); summaryRow != block.headerRow && width > headerWidth)
            NoteWideRow(placement, grid, summaryRow, cells.size() > 1 ? cells[1] : std::string_view(), width - headerWidth);
        const int row = block.target[k];
        if (row < 0)
            continue;
        // A row placed by its file keeps the path the tables show when it
        // is the one the row names, with the "~" that reading the table
        // dropped. A file's cells past the table's width are emptied, as
        // its missing cells are.
        const int end = row == 0 ? columns : std::max(columns, std::min(target.storedCells(row), target.colCount()));
        for (int c = 1; c < end; ++c) {
            const std::string_view text =
                c < columns && static_cast<size_t>(c) < cells.size() ? cells[static_cast<size_t>(c)] : std::string_view();
            if (c > 1 || !block.byPath[k] || WithoutTildes(target.cell(1, row)) != text)
                edits.put(grid, c, row, text, summaryRow);
        }
    }
}

// Places the blocks of one section table, or leaves the table as it was.
void PlaceSection(const SummaryRows& summary, const std::vector<int>& labelRows, int grid, const DescDocument& document,
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
    const std::string_view header = document.fileList().cell(2, 0);
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

std::string Counted(size_t n, const char* one, const char* many) { return std::to_string(n) + " " + (n == 1 ? one : many); }

}  // namespace

int ImportPlacement::movedRows() const
{
    int moved = 0;
    for (const BlockPlacement& block : blocks)
        moved += block.movedRows;
    return moved;
}

std::string ImportPlacement::leftAloneMessage() const
{
    if (leftAlone.empty())
        return {};
    std::string names;
    for (int grid : leftAlone)
        names += (names.empty() ? "" : ", ") + SummaryLabel(grid);
    return (leftAlone.size() == 1 ? "Left as it was, since the table names none of the desc files in it: "
                                  : "Left as they were, since the table names none of the desc files in them: ") +
           names + ".\n";
}

std::string ImportPlacement::wideRowsMessage() const
{
    if (wideRowCount == 0)
        return {};
    std::string text = Counted(wideRowCount, "row of the table is", "rows of the table are") +
                       " wider than the header row of its block: a value holding a TAB was split in two, and every "
                       "later value of the row moved one column on.\n";
    for (const WideRow& row : wideRows)
        text += "  " + SummaryLabel(row.grid) + " (line " + std::to_string(row.line) + "), " + row.path + ": " +
                Counted(static_cast<size_t>(row.extraCells), "cell", "cells") + " too many\n";
    if (wideRowCount > wideRows.size())
        text += "  and " + std::to_string(wideRowCount - wideRows.size()) + " more\n";
    return text;
}

std::string ImportPlacement::unopenedMessage() const
{
    if (unopenedCount == 0)
        return {};
    std::string text = "The \"File list\" of the table names " +
                       Counted(unopenedCount, "file that is not open", "files that are not open") +
                       ", and Import table writes only into the open desc files; nothing was imported:";
    for (const std::string& path : unopened)
        text += "\n  " + path;
    if (unopenedCount > unopened.size())
        text += "\n  and " + std::to_string(unopenedCount - unopened.size()) + " more";
    return text;
}

void PlaceSummaryRows(const SummaryRows& summary, const DescDocument& document, const PathKey& key,
                      PreparedImport& import)
{
    FileRows files(document.fileList(), key);
    std::array<std::vector<int>, kFileListGrid> labels;
    for (int i = 0; i < summary.rowCount(); ++i) {
        const std::string_view label = summary.cell(0, i);
        if (label.empty())
            continue;
        if (auto target = SectionLabelTarget(std::string(label)))
            labels[static_cast<size_t>(*target - 1)].push_back(i);
        else if (IsFileListLabel(std::string(label)))
            labels[kFileListGrid - 1].push_back(i);
    }
    ImportEdits edits(document, import.edits);
    for (int n = 1; n <= kSectionCount; ++n)
        PlaceSection(summary, labels[static_cast<size_t>(n - 1)], n, document, files, edits, import.placement);
    CheckFileListBlocks(summary, labels[kFileListGrid - 1], document, files, import.placement);
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
        PlaceSummaryRows(*import.table, document, ResolvedPathKey, import);
    } else {
        PlaceSummaryRows(GridRows(document.summary()), document, ResolvedPathKey, import);
    }
    if (import.placement.unopenedCount > 0)
        throw DravikError(import.placement.unopenedMessage());
    return import;
}

namespace {

// The import's cells with their texts, a slice of them at a time.
std::vector<CellEdit> CellEdits(const std::vector<ImportEdit>& edits, size_t from, size_t count)
{
    std::vector<CellEdit> cells;
    cells.reserve(std::min(count, edits.size() - from));
    for (size_t i = from; i < edits.size() && i < from + count; ++i)
        cells.push_back({edits[i].grid, edits[i].col, edits[i].row, std::string(edits[i].text)});
    return cells;
}

}  // namespace

TableChange ApplyImport(DescDocument& document, PreparedImport&& import)
{
    // The summary table holds the file's rows and nothing of what it held
    // before: an older, longer table's tail would read as blocks.
    std::vector<std::pair<int, Grid>> contents;
    if (import.table) {
        Grid summary = GridOf(*import.table);
        // The cells' texts lie in the summary table now as well: the table
        // read is let go before the edit, so that the two are never held
        // together with it.
        for (ImportEdit& edit : import.edits)
            if (edit.summaryRow >= 0)
                edit.text = summary.cell(edit.col, edit.summaryRow);
        import.table.reset();
        contents.emplace_back(kSummaryGrid, std::move(summary));
    }
    return document.replaceGrids(std::move(contents), import.edits);
}

void ApplyImportWithoutHistory(DescDocument& document, PreparedImport&& import)
{
    constexpr size_t kSlice = 1 << 16;
    for (size_t from = 0; from < import.edits.size(); from += kSlice)
        static_cast<void>(document.setCells(CellEdits(import.edits, from, kSlice)));
}

TableChange ExportTable(DescDocument& document)
{
    std::vector<std::pair<int, Grid>> contents;
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
    std::vector<std::pair<int, Grid>> contents;
    contents.emplace_back(kSummaryGrid, std::move(summary));
    return document.replaceGrids(std::move(contents));
}

}  // namespace dravik
