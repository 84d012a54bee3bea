#include "core/table_exchange.h"

#include "core/code_page.h"
#include "core/dravik2_auxillary.h"
#include "core/schema.h"

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

void BuildSummaryTable(Workspace& workspace)
{
    Grid& summary = workspace.summary();
    int rows = 1;
    int columns = summary.colCount();
    for (int n = 1; n <= kFileListGrid; ++n) {
        rows += 1 + workspace.grid(n).rowCount();
        columns = std::max(columns, workspace.grid(n).colCount());
    }
    // Sized once: growing row by row would drop and refill what lies below.
    summary.setSize(columns, rows);

    int r = 1;
    for (int n = 1; n <= kFileListGrid; ++n) {
        const Grid& source = workspace.grid(n);
        summary.setCell(0, r++, SummaryLabel(n));
        for (int s = 0; s < source.rowCount(); ++s, ++r)
            for (int c = 1; c < source.colCount(); ++c)
                summary.setCell(c, r, source.cell(c, s));
    }
}

namespace {

void CopyBlock(const Grid& summary, int labelRow, Grid& target)
{
    for (int k = 0; labelRow + 1 + k < summary.rowCount() && !summary.cell(1, labelRow + 1 + k).empty(); ++k)
        for (int c = 1; c < summary.colCount(); ++c)
            target.setCell(c, k, summary.cell(c, labelRow + 1 + k));
}

}  // namespace

void ApplySummaryTable(Workspace& workspace)
{
    workspace.clearSectionTables();
    const Grid& summary = workspace.summary();
    for (int i = 0; i < summary.rowCount(); ++i)
        if (auto target = SectionLabelTarget(summary.cell(0, i)))
            CopyBlock(summary, i, workspace.grid(*target));
    for (int i = 0; i < summary.rowCount(); ++i)
        if (IsFileListLabel(summary.cell(0, i)))
            CopyBlock(summary, i, workspace.fileList());
    workspace.fitColumnWidths();
}

void ClearSummaryTable(Workspace& workspace)
{
    workspace.summary().clearCells(0, 0);
}

}  // namespace dravik
