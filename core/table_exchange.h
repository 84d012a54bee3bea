// Copying all section tables and the file list into the summary table, block
// by block under label rows, and back.
#pragma once

#include "core/workspace.h"

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

// Export without the file: the summary table gets one label row and one block
// per table. Cells the export does not write keep what they held.
void BuildSummaryTable(Workspace& workspace);

// Import without the file: clears the section tables, copies each labelled
// block of the summary table into the table it names (section labels first,
// then file-list labels), then fits the column widths. Table sizes never
// change; a label that names no table is skipped.
void ApplySummaryTable(Workspace& workspace);

// Double-click on the summary table, answered Yes: every cell empty.
void ClearSummaryTable(Workspace& workspace);

}  // namespace dravik
