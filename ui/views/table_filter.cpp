#include "ui/views/table_filter.h"

#include "core/text/dravik2_auxillary.h"
#include "core/errors.h"
#include "core/bulk/files_passing.h"
#include "core/bulk/row_filter.h"
#include "core/bulk/table_rows.h"
#include "core/modset/merged_cells.h"
#include "ui/common/display_text.h"
#include "ui/common/error_box.h"
#include "ui/common/long_work.h"
#include "ui/tables/grid_view.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <map>

namespace dravik::ui {

TableFilter::TableFilter(DescDocument& document, ColumnProfiles& profiles,
                         const std::array<GridView*, kFileListGrid.number()>& views, FilterBar* bar, QObject* parent)
    : QObject(parent), document_(document), profiles_(profiles), views_(views), bar_(bar),
      connection_(document.connect(*this))
{
    connect(bar_, &FilterBar::filterChanged, this, &TableFilter::apply);
    connect(bar_, &FilterBar::tableChosen, this, &TableFilter::offerColumns);
    offerColumns();
}

QString TableFilter::statusText() const
{
    return active_ ? tr("%1 of %2 files shown").arg(shown_).arg(document_.descFileCount()) : QString();
}

QList<FilterColumn> TableFilter::columnsOf(GridNumber grid) const
{
    QList<FilterColumn> columns;
    const Grid& table = document_.grid(grid);
    const CodePage& codePage = document_.codePage();
    if (grid == kFileListGrid) {
        columns.append({tr("any column (and every section table)"), {}, 0});
        for (int c = kFileNameColumn; c <= kFilePathColumn && c < table.colCount(); ++c)
            columns.append({ProgramHeaderText(Trim(table.cell(c, 0))), {}, c});
        return columns;
    }
    columns.append({tr("any column"), {}, 0});
    // Each key once, with its values one by one when it has several.
    std::map<std::string_view, int> count;
    for (int c = kFirstValueColumn; c < table.colCount(); ++c)
        ++count[Trim(table.cell(c, 0))];
    std::map<std::string_view, int> seen;
    for (int c = kFirstValueColumn; c < table.colCount(); ++c) {
        const std::string_view name = Trim(table.cell(c, 0));
        const QString label = CellText(std::string(name), codePage);
        const int value = ++seen[name];
        if (value == 1)
            columns.append({label, label, 0});
        if (count[name] > 1)
            columns.append({tr("%1 (value %2)").arg(label).arg(value), {}, c});
    }
    return columns;
}

void TableFilter::offerColumns() { bar_->setColumns(columnsOf(bar_->table())); }

void TableFilter::followTab(GridNumber grid)
{
    if (!HasFileRows(grid) || grid == bar_->table() || !bar_->text().trimmed().isEmpty())
        return;
    bar_->setTable(grid);
    offerColumns();
}

bool TableFilter::readFilter(RowFilter& filter) const
{
    const CodePage& codePage = document_.codePage();
    try {
        filter = RowFilter::Parse(CellBytes(bar_->text(), codePage), codePage, bar_->matchCase());
    } catch (const SyntaxError& error) {
        // The rows stay as the last filter that could be read left them.
        bar_->showMessage(MessageText(error.message()));
        return false;
    }
    if (filter.readsBase() && !base_) {
        bar_->showMessage(tr("There is no base game to compare with: File > Compare with base\u2026"));
        return false;
    }
    if (!filter.readsModSet())
        return true;
    if (!merged_) {
        bar_->showMessage(tr("The tables show no mod set: File > Open mod set\u2026"));
        return false;
    }
    if (filter.kind() == RowFilter::Kind::Mod) {
        // The name is looked for as typed: a mod's name is the user's own.
        const int mod = merged_->findMod(filter.modName());
        if (mod < 0) {
            bar_->showMessage(tr("The mod set has no mod \"%1\"").arg(CellText(filter.modName(), codePage)));
            return false;
        }
        filter.setMod(mod);
    }
    return true;
}

std::vector<FilterColumns> TableFilter::tablesFiltered(GridNumber grid, const FilterColumn& column) const
{
    if (column.col > 0)
        return {{grid, {column.col}}};
    if (!column.key.isEmpty())
        return {{grid, KeyColumns(document_, grid, CellBytes(column.key, document_.codePage()))}};
    if (grid != kFileListGrid)
        return {{grid, ValueColumns(document_, grid)}};
    std::vector<FilterColumns> tables = {{grid, {kFileNameColumn, kFilePathColumn}}};
    for (GridNumber n : SectionTables())
        tables.push_back({n, ValueColumns(document_, n)});
    return tables;
}

void TableFilter::apply()
{
    // A timer that fires while a long filter lets the window paint.
    if (applying_) {
        again_ = true;
        return;
    }
    RowFilter filter;
    if (!readFilter(filter))
        return;
    stale_ = false;

    const FilterColumn column = bar_->column();
    const std::vector<FilterColumns> tables = tablesFiltered(bar_->table(), column);
    const bool noColumn = !column.any() && tables.front().columns.empty();
    if (filter.all()) {
        bar_->showMessage({});
        showRows({}, true);
        return;
    }
    std::vector<bool> passing;
    again_ = false;
    try {
        const QScopedValueRollback applying(applying_, true);
        StoppableWork work(views_.front()->window(), tr("Filter rows"), tr("files"));
        passing = FilesPassing(filter, document_, profiles_, tables, base_, work.progress(), merged_.get());
    } catch (const WorkStopped&) {
        // Every row, rather than rows that belong to no filter; and no
        // command applies it again until the user does.
        showRows({}, true);
        bar_->showMessage(tr("The filter was stopped: every file is shown (Enter applies it again)"));
        return;
    } catch (const std::exception& error) {
        // Running out of memory on a huge table leaves the rows as they
        // were, and the bar says so, as for a filter that cannot be read.
        bar_->showMessage(MessageText(FailureMessage(error)));
        return;
    }
    if (again_) {
        // The filter changed while it was being applied.
        apply();
        return;
    }
    bar_->showMessage(noColumn ? tr("The table has no column \"%1\"").arg(column.label) : QString());
    showRows(passing, false);
}

void TableFilter::setBase(const BaseComparison* base)
{
    base_ = base;
    if (active_ || !bar_->text().trimmed().isEmpty())
        apply();
}

void TableFilter::setModSet(const ModSet* set)
{
    merged_.reset(set ? new ModSetCells(*set) : nullptr);
    if (active_ || !bar_->text().trimmed().isEmpty())
        apply();
}

void TableFilter::showRows(const std::vector<bool>& passing, bool all)
{
    active_ = !all;
    const int files = document_.descFileCount();
    shown_ = 0;
    for (int r = 1; r <= files; ++r)
        shown_ += all || passing[static_cast<size_t>(r)] ? 1 : 0;
    for (GridView* view : views_) {
        QHeaderView* header = view->verticalHeader();
        const int rows = view->model()->rowCount();
        // Painted once, when every row is set.
        const bool updates = header->updatesEnabled();
        header->setUpdatesEnabled(false);
        for (int row = 0; row < rows; ++row) {
            // Rows past the files are no files: no filter shows them.
            const bool hidden = !all && (row + 1 > files || !passing[static_cast<size_t>(row) + 1]);
            if (view->isRowHidden(row) != hidden)
                view->setRowHidden(row, hidden);
        }
        header->setUpdatesEnabled(updates);
    }
    emit applied();
}

void TableFilter::refresh()
{
    if (headersStale_) {
        headersStale_ = false;
        offerColumns();
    }
    if (stale_ && active_)
        apply();
    stale_ = false;
}

void TableFilter::clear()
{
    bar_->textEdit()->clear();
    bar_->showMessage({});
    if (active_)
        showRows({}, true);
}

void TableFilter::filterColumns(GridNumber grid, const std::vector<int>& cols, const QString& text)
{
    if (!HasFileRows(grid) || cols.empty())
        return;
    const CodePage& codePage = document_.codePage();
    const QList<FilterColumn> columns = columnsOf(grid);
    // One value's own column when its key has several; a key when the
    // columns are all of its columns; else any column.
    const QString key = CellText(std::string(Trim(document_.grid(grid).cell(cols.front(), 0))), codePage);
    const bool wholeKey = grid != kFileListGrid && KeyColumns(document_, grid, CellBytes(key, codePage)) == cols;
    FilterColumn chosen = columns.front();
    for (const FilterColumn& column : columns) {
        if (cols.size() == 1 && column.col == cols.front()) {
            chosen = column;
            break;
        }
        if (wholeKey && column.key == key)
            chosen = column;
    }
    bar_->show();
    bar_->setFilter(grid, chosen, text);
}

void TableFilter::cellsChanged(GridNumber grid, int, int firstRow, int, int)
{
    if (grid > kFileListGrid)
        return;
    stale_ = true;
    if (firstRow == 0)
        headersStale_ = true;
}

// Rows that come are shown until the filter is applied again, after the
// command: while it runs, their cells are still to be filled.
void TableFilter::rowsInserted(GridNumber grid, int, int)
{
    if (grid <= kFileListGrid)
        stale_ = true;
}

void TableFilter::rowsRemoved(GridNumber grid, int, int)
{
    if (grid <= kFileListGrid)
        stale_ = true;
}

void TableFilter::columnsInserted(GridNumber grid, int, int)
{
    if (grid > kFileListGrid)
        return;
    stale_ = true;
    headersStale_ = true;
}

void TableFilter::columnsRemoved(GridNumber grid, int first, int last) { columnsInserted(grid, first, last); }

void TableFilter::diskValuesChanged(GridNumber grid)
{
    if (grid <= kFileListGrid)
        stale_ = true;
}

}  // namespace dravik::ui
