#include "ui/tables/table_selection.h"

#include "ui/tables/grid_view.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <algorithm>

namespace dravik::ui {

namespace {

// Grid numbers (model index + 1) of the header's sections that are marked,
// in the order shown, leaving out hidden ones.
std::vector<int> ShownInOrder(const QHeaderView* header, const std::vector<char>& marked)
{
    std::vector<int> numbers;
    const int count = header->count();
    for (int visual = 0; visual < count; ++visual) {
        const int logical = header->logicalIndex(visual);
        if (logical >= 0 && marked[static_cast<size_t>(logical)] && !header->isSectionHidden(logical))
            numbers.push_back(logical + 1);
    }
    return numbers;
}

// Up to `count` grid numbers of shown sections from the section of `from`
// (a grid number) on, in the order shown.
std::vector<int> ShownFrom(const QHeaderView* header, int from, size_t count)
{
    std::vector<int> numbers;
    const int total = header->count();
    for (int visual = header->visualIndex(from - 1); visual >= 0 && visual < total && numbers.size() < count; ++visual) {
        const int logical = header->logicalIndex(visual);
        if (!header->isSectionHidden(logical))
            numbers.push_back(logical + 1);
    }
    return numbers;
}

// Model indexes (grid number - 1) of the sections shown from one section
// to another, both included, in runs of consecutive indexes.
std::vector<std::pair<int, int>> Runs(const QHeaderView* header, int firstLogical, int lastLogical)
{
    int from = header->visualIndex(firstLogical);
    int to = header->visualIndex(lastLogical);
    if (from > to)
        std::swap(from, to);
    std::vector<int> logical;
    for (int visual = from; visual <= to; ++visual)
        logical.push_back(header->logicalIndex(visual));
    std::sort(logical.begin(), logical.end());
    std::vector<std::pair<int, int>> runs;
    for (int index : logical) {
        if (!runs.empty() && runs.back().second + 1 == index)
            runs.back().second = index;
        else
            runs.emplace_back(index, index);
    }
    return runs;
}

}  // namespace

bool RowShown(const GridView* view, int gridRow) { return !view->isRowHidden(gridRow - 1); }

CellBlock SelectedBlock(const GridView* view)
{
    CellBlock block;
    block.grid = view->gridModel()->gridNumber();
    const QAbstractItemModel* model = view->model();
    std::vector<char> rows(static_cast<size_t>(model->rowCount()));
    std::vector<char> columns(static_cast<size_t>(model->columnCount()));
    const QItemSelection selection = view->selectionModel()->selection();
    for (const QItemSelectionRange& range : selection) {
        std::fill(rows.begin() + range.top(), rows.begin() + range.bottom() + 1, 1);
        std::fill(columns.begin() + range.left(), columns.begin() + range.right() + 1, 1);
    }
    if (selection.isEmpty()) {
        const QModelIndex current = view->currentIndex();
        if (!current.isValid())
            return block;
        rows[static_cast<size_t>(current.row())] = 1;
        columns[static_cast<size_t>(current.column())] = 1;
    }
    block.rows = ShownInOrder(view->verticalHeader(), rows);
    block.columns = ShownInOrder(view->horizontalHeader(), columns);
    return block;
}

CellBlock BlockFrom(const GridView* view, int fromCol, int fromRow, size_t rows, size_t columns)
{
    CellBlock block;
    block.grid = view->gridModel()->gridNumber();
    block.rows = ShownFrom(view->verticalHeader(), fromRow, rows);
    block.columns = ShownFrom(view->horizontalHeader(), fromCol, columns);
    return block;
}

void SelectBlock(GridView* view, const CellBlock& block)
{
    if (block.rows.empty() || block.columns.empty())
        return;
    const QAbstractItemModel* model = view->model();
    QItemSelection selection;
    for (const auto& [top, bottom] : Runs(view->verticalHeader(), block.rows.front() - 1, block.rows.back() - 1))
        for (const auto& [left, right] :
             Runs(view->horizontalHeader(), block.columns.front() - 1, block.columns.back() - 1))
            selection.select(model->index(top, left), model->index(bottom, right));
    const QModelIndex first = model->index(block.rows.front() - 1, block.columns.front() - 1);
    // Through the view, so that a Shift+click or Shift+arrow extends from it.
    view->setCurrentIndex(first);
    view->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    view->scrollTo(first);
}

CellBlock ShownSearchBlock(const DescDocument& document, const GridView* view)
{
    return SearchBlock(document, view->gridModel()->gridNumber(), [view](int row) { return RowShown(view, row); });
}

}  // namespace dravik::ui
