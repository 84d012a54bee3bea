// The cells a bulk operation takes from a working table: its selected
// rectangle as the user sees it. Rows and columns come in the order shown
// (a header dragged elsewhere moves its cells on screen only), and rows the
// filter hides are left out: an operation on a selection acts on the shown
// rows only.
#pragma once

#include "core/bulk/bulk_edits.h"

namespace dravik::ui {

class GridView;

// A row is shown while no filter hides it in this view.
bool RowShown(const GridView* view, int gridRow);

// The selected cells, or the current cell when nothing is selected; grid
// coordinates.
CellBlock SelectedBlock(const GridView* view);

// `rows` shown rows from `fromRow` down and `columns` columns from `fromCol`
// right, in the order shown, as far as the table reaches.
CellBlock BlockFrom(const GridView* view, int fromCol, int fromRow, size_t rows, size_t columns);

// Selects the cells from the first row and column of the block to its last,
// and makes the first the current cell.
void SelectBlock(GridView* view, const CellBlock& block);

// The cells of the table a search reads, over its shown rows.
CellBlock ShownSearchBlock(const DescDocument& document, const GridView* view);

}  // namespace dravik::ui
