// Copying all section tables and the file list into the summary table, block
// by block under label rows, and back.
#pragma once

#include "core/desc_document.h"

#include <array>
#include <optional>
#include <string>

namespace dravik {

// "Section 1" ... "Section 9", "Section text", "File list".
std::string SummaryLabel(int gridNumber);

// Which table a summary label row names: 1 to 10 for a section label, 11 for
// the file list, nothing for any other row. Only a section pass or a file
// pass looks for its own kind.
std::optional<int> SectionLabelTarget(const std::string& label);
bool IsFileListLabel(const std::string& label);

// The section tables and the file list, by grid number less one.
using TableGrids = std::array<Grid, kFileListGrid>;

// Export without the file: the summary table gets one label row and one block
// per table. Cells the export does not write keep what they held.
void BuildSummaryTable(const DescDocument& document, Grid& summary);

// Import without the file: clears the section tables, copies each labelled
// block of the summary table into the table it names (section labels first,
// then file-list labels). Table sizes never change; a label that names no
// table is skipped.
void ApplySummaryTable(const Grid& summary, TableGrids& tables);

// The three commands on the document, each one edit.
TableChange ExportTable(DescDocument& document);
// `tableBytes` is the table text file read in; none when the file dialog was
// cancelled, which still clears the section tables and copies the summary
// table's blocks back.
TableChange ImportTable(DescDocument& document, const std::string* tableBytes);
// Double-click on the summary table, answered Yes: every cell empty.
TableChange ClearSummaryTable(DescDocument& document);

}  // namespace dravik
