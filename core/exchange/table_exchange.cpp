#include "core/exchange/table_exchange.h"

#include "core/errors.h"
#include "core/text/code_page.h"
#include "core/text/dravik2_auxillary.h"
#include "core/schema/schema.h"
#include "core/exchange/table_checks.h"
#include "core/exchange/table_text_file.h"

#include <algorithm>
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
        labels_[static_cast<size_t>(n - 1)] = SummaryLabel(n);
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
        std::vector<std::string> cells;
        cells.reserve(static_cast<size_t>(exported.storedCells(r)));
        exported.forEachStoredCell(r, [&](const std::string& cell) { cells.push_back(cell); });
        summary.setRow(r, std::move(cells));
    }
    return summary;
}

std::string ExportTableText(const DescDocument& document) { return TableText(ExportedSummary(document)); }

namespace {

// The opened files by path: the file list's rows that hold one, grouped by
// what their paths resolve to, each group in row order.
class FileRows {
public:
    FileRows(const Grid& files, const PathKey& key) : key_(key)
    {
        for (int r = 1; r < files.rowCount(); ++r) {
            std::string path = files.cell(2, r);
            if (path.empty())
                continue;
            // A path read back from a table has lost its "~".
            path.erase(std::remove(path.begin(), path.end(), '~'), path.end());
            auto [it, added] = groups_.try_emplace(keyOf(path), groupRows_.size());
            if (added)
                groupRows_.emplace_back();
            groupRows_[it->second].push_back(r);
            rows_.push_back(r);
        }
    }
    // The group of the files a path names; -1 for none.
    long groupOf(const std::string& path)
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
    const std::string& keyOf(const std::string& path)
    {
        if (!key_)
            return path;
        auto it = keys_.find(path);
        if (it == keys_.end())
            it = keys_.emplace(path, key_(path)).first;
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
    std::vector<int> target;
};

BlockRows PlaceBlock(const Grid& summary, int labelRow, int pathCol, int targetRows, FileRows& files,
                     BlockPlacement& report)
{
    BlockRows block{labelRow, {}};
    for (int r = labelRow + 1; r < summary.rowCount() && !summary.cell(1, r).empty(); ++r)
        block.target.push_back(-1);
    const int count = static_cast<int>(block.target.size());

    // Rows that name a file take that file's row; several rows naming the
    // same path (a file opened twice) take its rows in turn.
    std::vector<size_t> taken(files.groupCount());
    std::vector<bool> byPath(static_cast<size_t>(count));
    std::vector<bool> claimed(static_cast<size_t>(std::max(targetRows, 0)));
    std::vector<bool> named;
    for (int k = 0; k < count; ++k) {
        const long g = files.groupOf(summary.cell(pathCol, labelRow + 1 + k));
        if (g < 0 || taken[static_cast<size_t>(g)] >= files.group(g).size())
            continue;
        const int row = files.group(g)[taken[static_cast<size_t>(g)]++];
        block.target[static_cast<size_t>(k)] = row;
        byPath[static_cast<size_t>(k)] = true;
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
        if (!byPath[static_cast<size_t>(k)] && k < targetRows && !claimed[static_cast<size_t>(k)])
            block.target[static_cast<size_t>(k)] = k;
    for (int row : files.rows())
        if (static_cast<size_t>(row) >= named.size() || !named[static_cast<size_t>(row)])
            report.unnamed.push_back({row, false});
    return block;
}

void ClearRow(Grid& grid, int row)
{
    for (int c = grid.storedCells(row) - 1; c >= 1; --c)
        grid.setCell(c, row, std::string());
}

// Applies the blocks of one table. Section tables are cleared first, except
// the rows of files that the blocks do not name when they name any.
void ApplyBlocks(const Grid& summary, const std::vector<int>& labelRows, int grid, Grid& target, bool clears,
                 FileRows& files, ImportPlacement& placement)
{
    const int pathCol = grid == kFileListGrid ? 2 : 1;
    const size_t firstReport = placement.blocks.size();
    std::vector<BlockRows> blocks;
    bool namedAny = false;
    for (int labelRow : labelRows) {
        BlockPlacement report;
        report.grid = grid;
        report.labelRow = labelRow;
        blocks.push_back(PlaceBlock(summary, labelRow, pathCol, target.rowCount(), files, report));
        namedAny = namedAny || report.namedAny;
        placement.blocks.push_back(std::move(report));
    }

    std::vector<bool> written(static_cast<size_t>(target.rowCount()));
    for (const BlockRows& block : blocks)
        for (int row : block.target)
            if (row >= 0 && row < target.rowCount())
                written[static_cast<size_t>(row)] = true;
    if (clears) {
        if (!namedAny) {
            target.clearCells(1, 1);
        } else {
            std::vector<bool> keep(static_cast<size_t>(target.rowCount()));
            for (int row : files.rows())
                if (row < target.rowCount() && !written[static_cast<size_t>(row)])
                    keep[static_cast<size_t>(row)] = true;
            for (int r = 1; r < target.rowCount(); ++r)
                if (!keep[static_cast<size_t>(r)])
                    ClearRow(target, r);
        }
    }
    for (size_t b = firstReport; b < placement.blocks.size(); ++b)
        for (auto& file : placement.blocks[b].unnamed)
            file.kept = file.row < target.rowCount() && !written[static_cast<size_t>(file.row)] && (namedAny || !clears);

    for (const BlockRows& block : blocks)
        for (size_t k = 0; k < block.target.size(); ++k)
            if (block.target[k] >= 0)
                // Columns past the target's width would be dropped: a block
                // under one very long line costs no more than the target's cells.
                for (int c = 1, columns = std::min(summary.colCount(), target.colCount()); c < columns; ++c)
                    target.setCell(c, block.target[k], summary.cell(c, block.labelRow + 1 + static_cast<int>(k)));
}

TableGrids CopyTables(const DescDocument& document)
{
    TableGrids tables;
    for (int n = 1; n <= kFileListGrid; ++n)
        tables[static_cast<size_t>(n - 1)] = document.grid(n);
    return tables;
}

}  // namespace

int ImportPlacement::movedRows() const
{
    int moved = 0;
    for (const BlockPlacement& block : blocks)
        moved += block.movedRows;
    return moved;
}

ImportPlacement ApplySummaryTable(const Grid& summary, TableGrids& tables, const PathKey& key)
{
    // The files as they stood before the import: the file list's own block
    // is placed by them too.
    FileRows files(tables[kFileListGrid - 1], key);
    std::array<std::vector<int>, kFileListGrid> labels;
    for (int i = 0; i < summary.rowCount(); ++i)
        if (auto target = SectionLabelTarget(summary.cell(0, i)))
            labels[static_cast<size_t>(*target - 1)].push_back(i);
    for (int i = 0; i < summary.rowCount(); ++i)
        if (IsFileListLabel(summary.cell(0, i)))
            labels[kFileListGrid - 1].push_back(i);

    ImportPlacement placement;
    for (int n = 1; n <= kFileListGrid; ++n)
        ApplyBlocks(summary, labels[static_cast<size_t>(n - 1)], n, tables[static_cast<size_t>(n - 1)],
                    n != kFileListGrid, files, placement);
    return placement;
}

TableChange ExportTable(DescDocument& document)
{
    std::vector<std::pair<int, Grid>> contents;
    contents.emplace_back(kSummaryGrid, BuildSummaryTable(document));
    return document.replaceGrids(std::move(contents));
}

TableChange ImportTable(DescDocument& document, const std::string* tableBytes, ImportPlacement* placement)
{
    // Rows go to the files their paths name; a path the tables show with "?"
    // could name the wrong one.
    if (const UnwritablePaths unwritable = FindUnwritablePaths(document); unwritable.any())
        throw DravikError(unwritable.importMessage());
    Grid summary = document.summary();
    if (tableBytes)
        TextToGrid(summary, *tableBytes);
    TableGrids tables = CopyTables(document);
    ImportPlacement placed = ApplySummaryTable(summary, tables, ResolvedPathKey);
    if (placement)
        *placement = std::move(placed);

    std::vector<std::pair<int, Grid>> contents;
    contents.emplace_back(kSummaryGrid, std::move(summary));
    for (int n = 1; n <= kFileListGrid; ++n)
        contents.emplace_back(n, std::move(tables[static_cast<size_t>(n - 1)]));
    return document.replaceGrids(std::move(contents));
}

TableChange ClearSummaryTable(DescDocument& document)
{
    Grid summary(document.summary().colCount(), document.summary().rowCount());
    std::vector<std::pair<int, Grid>> contents;
    contents.emplace_back(kSummaryGrid, std::move(summary));
    return document.replaceGrids(std::move(contents));
}

}  // namespace dravik
