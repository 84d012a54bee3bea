// Edit > Copy and Edit > Paste on the tables, as spreadsheets exchange
// cells: TAB-separated rows, quoted where a cell holds a TAB, a line break
// or a leading quote.
#pragma once

#include "core/bulk/bulk_edits.h"
#include "ui/common/command_host.h"

#include <QString>

namespace dravik::ui {

// The selected rectangle's shown cells onto the clipboard.
void CopyCells(const CommandHost& host, const GridView* view);

// The clipboard's rows pasted with their first cell at the selection's first
// (top-left) cell, over shown rows only; a single value fills the whole
// selection instead. Only value cells are pasted into; the pasted cells are
// selected afterwards. One step of the history.
void PasteCells(const CommandHost& host, GridView* view);

// What a paste tells the user after it: the cells that found no place ("Pasted
// 3 of 12 cells; 9 lie outside the table.") and the line breaks that became
// blanks; empty when every cell went in as copied.
QString PasteNotice(const PasteEdit& edit);

}  // namespace dravik::ui
