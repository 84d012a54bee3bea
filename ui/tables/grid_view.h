// A table view of one core grid: the grid's fixed row and column are the
// frozen headers (the fixed cell where they meet is painted on the corner),
// column widths and the row height come from the table's layout, and
// dragging a header moves the section on screen only, so the logical cells
// never move.
#pragma once

#include "ui/tables/grid_layout.h"
#include "ui/tables/grid_model.h"

#include <QTableView>
#include <array>
#include <vector>

namespace dravik::ui {

class GridView : public QTableView {
    Q_OBJECT
public:
    enum class Kind {
        Working,  // the section tables and the file list
        Summary,  // the export/import table
    };

    GridView(GridModel* model, GridLayout* layout, Kind kind, QWidget* parent = nullptr);

    using QTableView::edit;

    GridModel* gridModel() const { return model_; }
    Kind kind() const { return kind_; }

    GridLayout& layout() const { return *layout_; }

    // Writes a cell edit still open in the editor into the grid.
    void commitEdit();
    // Shows the layout's widths and row height.
    void applyLayout();
    // Widens the columns that are read as whole texts rather than compared
    // at a glance (the file list's names and paths, the section tables'
    // paths as shown, the text section's values) to their widest cell, up to
    // `limit` pixels; a column the layout makes wider keeps its width. Call
    // applyLayout() after it.
    void widenToTexts(int limit);
    // The text a cell shows in its present width: a path too long for its
    // column gives up the middle of its folder before its file name.
    QString shownText(const QModelIndex& index) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = QList<int>()) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void paintCorner(QWidget* corner);
    // The fixed column is at least as wide as its widest text and the
    // corner's, whatever width the layout gives it.
    void fitFixedColumn();
    void applyFixedColumnWidth();
    void measureBytes();
    // The row whose text in `gridCol` is widest, by its bytes' widths, from
    // `firstRow` on; row -1 when all are empty.
    struct WidestCell {
        int row = -1;
        int width = 0;
    };
    WidestCell widestCell(int gridCol, int firstRow);
    // The width the column's widest text needs to show whole.
    int widestText(int gridCol);

    GridModel* model_;
    GridLayout* layout_;
    Kind kind_;
    QWidget* corner_ = nullptr;
    bool applyingSizes_ = false;
    // The layout the headers were last given; forgotten when columns come or
    // go, as new sections start at the default width.
    GridLayout shownLayout_;
    bool layoutShown_ = false;
    // Focus is coming back from this view's own cell editor.
    bool focusFromEditor_ = false;
    int fixedTextWidth_ = 0;
    // The advance of each byte's character in the header font: a table of
    // thousands of rows is measured without laying out thousands of texts.
    std::array<int, 256> byteWidths_{};
    bool byteWidthsKnown_ = false;
    // The left button is down on a cell: the editor waits for its release,
    // as an editor open under the mouse would stop a drag from selecting.
    bool mouseSelecting_ = false;
};

}  // namespace dravik::ui
