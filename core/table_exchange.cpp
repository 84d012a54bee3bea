#include "core/table_exchange.h"

#include "core/code_page.h"
#include "core/dravik2_auxillary.h"
#include "core/schema.h"
#include "core/table_text_file.h"

#include <algorithm>

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

void BuildSummaryTable(const DescDocument& document, Grid& summary)
{
    int rows = 1;
    int columns = summary.colCount();
    for (int n = 1; n <= kFileListGrid; ++n) {
        rows += 1 + document.grid(n).rowCount();
        columns = std::max(columns, document.grid(n).colCount());
    }
    summary.setSize(columns, rows);

    int r = 1;
    for (int n = 1; n <= kFileListGrid; ++n) {
        const Grid& source = document.grid(n);
        summary.setCell(0, r++, SummaryLabel(n));
        for (int s = 0; s < source.rowCount(); ++s, ++r)
            for (int c = 1; c < source.colCount(); ++c)
                summary.setCell(c, r, source.cell(c, s));
    }
}

namespace {

void CopyBlock(const Grid& summary, int labelRow, Grid& target)
{
    // Columns past the target's width would be dropped: a block under one
    // very long line costs no more than the target's cells.
    const int columns = std::min(summary.colCount(), target.colCount());
    for (int k = 0; labelRow + 1 + k < summary.rowCount() && !summary.cell(1, labelRow + 1 + k).empty(); ++k)
        for (int c = 1; c < columns; ++c)
            target.setCell(c, k, summary.cell(c, labelRow + 1 + k));
}

TableGrids CopyTables(const DescDocument& document)
{
    TableGrids tables;
    for (int n = 1; n <= kFileListGrid; ++n)
        tables[static_cast<size_t>(n - 1)] = document.grid(n);
    return tables;
}

}  // namespace

void ApplySummaryTable(const Grid& summary, TableGrids& tables)
{
    for (int n = 1; n <= kSectionCount; ++n)
        tables[static_cast<size_t>(n - 1)].clearCells(1, 1);
    for (int i = 0; i < summary.rowCount(); ++i)
        if (auto target = SectionLabelTarget(summary.cell(0, i)))
            CopyBlock(summary, i, tables[static_cast<size_t>(*target - 1)]);
    for (int i = 0; i < summary.rowCount(); ++i)
        if (IsFileListLabel(summary.cell(0, i)))
            CopyBlock(summary, i, tables[kFileListGrid - 1]);
}

TableChange ExportTable(DescDocument& document)
{
    Grid summary = document.summary();
    BuildSummaryTable(document, summary);
    std::vector<std::pair<int, Grid>> contents;
    contents.emplace_back(kSummaryGrid, std::move(summary));
    return document.replaceGrids(std::move(contents));
}

TableChange ImportTable(DescDocument& document, const std::string* tableBytes)
{
    Grid summary = document.summary();
    if (tableBytes)
        TextToGrid(summary, *tableBytes);
    TableGrids tables = CopyTables(document);
    ApplySummaryTable(summary, tables);

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
