// Applies the filter bar's filter to the tables: the files whose row does not
// match are hidden in every working view (the section tables and the file
// list), so that row r is file r in every one of them.
//
// Which table the filter reads: the one chosen in the bar. While no filter
// is typed, the choice follows the tab on screen; once one is, it stays with
// its table when the user looks at other tabs (the rows stay as they are). On
// the file list the filter reads the file's name and path and every section
// table ("any column"), or the name or the path alone.
//
// After a command that changed the tables (an undo, an import, a bulk
// edit, Open desc) the filter is applied again, so it shows what it says.
// Typing into a cell does not: the row being worked on stays in view until
// the next command or change of the filter.
#pragma once

#include "core/bulk/column_profiles.h"
#include "core/document/desc_document.h"
#include "core/mod/base_comparison.h"
#include "core/bulk/table_rows.h"
#include "ui/views/filter_bar.h"

#include <QObject>
#include <QString>
#include <array>
#include <memory>
#include <vector>

namespace dravik {
class ModSet;
class RowFilter;
struct FilterColumns;
}

namespace dravik::ui {

class GridView;

class TableFilter : public QObject, private DocumentListener {
    Q_OBJECT
public:
    // `views` are the grids 1 to 11, in order.
    TableFilter(DescDocument& document, ColumnProfiles& profiles, const std::array<GridView*, kFileListGrid.number()>& views,
                FilterBar* bar, QObject* parent = nullptr);

    FilterBar* bar() const { return bar_; }
    // "n of N files shown" while a filter is on; empty otherwise.
    QString statusText() const;

    // The tab on screen shows this grid (0: no table).
    void followTab(GridNumber grid);
    // Applies the bar's filter now.
    void apply();
    // After a command: applies the filter again when the tables changed.
    void refresh();
    // Empties the filter and shows every row.
    void clear();
    // The column chooser's entries for a grid.
    QList<FilterColumn> columnsOf(GridNumber grid) const;
    // The base game the words "modded", "vanilla" and "new" compare with;
    // none to stop comparing. The filter is applied again.
    void setBase(const BaseComparison* base);
    // The mod set whose merged view the tables show, for the words
    // "conflict", "lost" and "mod:NAME"; none when they show no set. The
    // filter is applied again.
    void setModSet(const ModSet* set);
    // Filters on columns of a grid (a histogram bar clicked): one column,
    // all columns of a key, or any column when they are neither.
    void filterColumns(GridNumber grid, const std::vector<int>& cols, const QString& text);

signals:
    // The rows shown changed, or may have.
    void applied();

private:
    void cellsChanged(GridNumber grid, int firstCol, int firstRow, int lastCol, int lastRow) override;
    void rowsInserted(GridNumber grid, int first, int last) override;
    void rowsRemoved(GridNumber grid, int first, int last) override;
    void columnsInserted(GridNumber grid, int first, int last) override;
    void columnsRemoved(GridNumber grid, int first, int last) override;
    void diskValuesChanged(GridNumber grid) override;
    void offerColumns();
    // The bar's filter, ready to apply: false when it cannot be (the bar
    // says why).
    bool readFilter(RowFilter& filter) const;
    // The columns of each table the filter reads: the column chosen, all
    // columns of the key chosen, or every value column (of every section
    // too, from the file list).
    std::vector<FilterColumns> tablesFiltered(GridNumber grid, const FilterColumn& column) const;
    void showRows(const std::vector<bool>& passing, bool all);

    DescDocument& document_;
    ColumnProfiles& profiles_;
    std::array<GridView*, kFileListGrid.number()> views_;
    FilterBar* bar_;
    const BaseComparison* base_ = nullptr;
    std::unique_ptr<MergedCells> merged_;
    bool active_ = false;
    // Under way, and asked for again meanwhile.
    bool applying_ = false;
    bool again_ = false;
    int shown_ = 0;
    // The tables changed since the filter was applied; their headers did.
    bool stale_ = false;
    bool headersStale_ = false;
    DocumentConnection connection_;
};

}  // namespace dravik::ui
