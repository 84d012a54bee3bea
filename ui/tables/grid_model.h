// A table of the document seen by a Qt view. Row 0 and column 0 of the grid
// are its fixed cells; they are the view's header sections, so the model's
// cell (r, c) is the grid's cell (c + 1, r + 1) and the fixed cells cannot
// be edited. The model follows the document's change notices with precise
// updates (rows and columns that come or go are inserted and removed, so the
// views keep their current cell, selection and scroll position); an edit asks
// the history to change the cell.
#pragma once

#include "core/bulk/column_profiles.h"
#include "core/document/desc_document.h"
#include "ui/tables/cell_marks.h"

#include <QAbstractTableModel>
#include <QTimer>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dravik {
class EditHistory;
}  // namespace dravik

namespace dravik::ui {

class GridModel : public QAbstractTableModel, public DocumentListener {
    Q_OBJECT
public:
    GridModel(EditHistory& history, GridNumber gridNumber, QObject* parent = nullptr);

    const DescDocument& document() const { return document_; }
    GridNumber gridNumber() const { return gridNumber_; }
    const Grid& grid() const { return document_.grid(gridNumber_); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The fixed cell both headers meet at (the file list's "File number").
    QString cornerText() const;

    // The column that holds each file's full path: kSectionPathColumn of a
    // section table, kFilePathColumn ("Path") of the file list; none elsewhere.
    bool isPathColumn(int gridCol) const;
    // A section table's path only says which file the row is: typing there
    // would change no file, so its editor opens read-only. The file list's
    // paths take typing.
    bool isReadOnly(int gridCol) const;

    // The section tables' colours for values that differ from their column's
    // most common value, and for problem cells (value_checks.h); without
    // profiles there are neither.
    void setProfiles(ColumnProfiles* profiles);
    void setShowDifferences(bool show);
    // The marks drawn over the cells; none by default.
    void setMarks(const CellMarks* marks);
    const CellMarks* marks() const { return marks_; }
    // The marks changed: every cell is painted again.
    void marksChanged();

    // The grid cell of a model index, and back.
    static int gridCol(const QModelIndex& index) { return index.column() + 1; }
    static int gridRow(const QModelIndex& index) { return index.row() + 1; }

signals:
    void cornerChanged();

private:
    void cellsChanged(GridNumber grid, int firstCol, int firstRow, int lastCol, int lastRow) override;
    void rowsAboutToBeInserted(GridNumber grid, int first, int last) override;
    void rowsInserted(GridNumber grid, int first, int last) override;
    void rowsAboutToBeRemoved(GridNumber grid, int first, int last) override;
    void rowsRemoved(GridNumber grid, int first, int last) override;
    void columnsAboutToBeInserted(GridNumber grid, int first, int last) override;
    void columnsInserted(GridNumber grid, int first, int last) override;
    void columnsAboutToBeRemoved(GridNumber grid, int first, int last) override;
    void columnsRemoved(GridNumber grid, int first, int last) override;
    // Rows that came or went change every column's most common value.
    void commonValuesChanged();
    bool isSectionValue(int col, int row) const;
    // What the tool tip says of a value cell whose file's line holds another
    // number of values than its count: at a value the line does not have,
    // and at the last one shown of a line that holds more.
    QString valueCountTip(int col, int row) const;
    void colorsChanged();
    // Whether the cell differs from its column's most common value as the
    // column was last painted.
    bool differs(int col, int row) const;
    std::string_view shownCommon(int col) const;
    void checkCommonValues();
    void commonValuesMayChange(int firstCol, int lastCol);

    DescDocument& document_;
    EditHistory& history_;
    GridNumber gridNumber_;
    int shownColumns_;
    int shownRows_;
    ColumnProfiles* profiles_ = nullptr;
    bool showDifferences_ = false;
    const CellMarks* marks_ = nullptr;
    // The most common value each column was painted with. An edit does not
    // drop it: once the edit's notices are over, the column's value is
    // worked out again and the column repainted only when it changed, so
    // that typing (and the cell editor's own look-ups) does not work out a
    // 5,000-row column at every cell.
    mutable std::vector<std::optional<std::string>> shownCommon_;
    std::vector<int> commonToCheck_;
    QTimer commonCheck_;
    DocumentConnection connection_;
};

}  // namespace dravik::ui
