// A table view of one core grid: the grid's fixed row and column are the
// frozen headers (the fixed cell where they meet is painted on the corner),
// column widths and the row height come from the grid, and dragging a header
// moves the section on screen only, so the logical cells never move.
#pragma once

#include "ui/grid_model.h"

#include <QTableView>
#include <vector>

namespace dravik::ui {

class GridView : public QTableView {
    Q_OBJECT
public:
    enum class Kind {
        Working,  // the section tables and the file list
        Summary,  // the export/import table
    };

    GridView(GridModel* model, Kind kind, QWidget* parent = nullptr);

    GridModel* gridModel() const { return model_; }

    // Writes a cell edit still open in the editor into the grid.
    void commitEdit();
    // Shows the grid as it now is, sizes included.
    void showGrid();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void applySizes();
    void paintCorner(QWidget* corner);

    GridModel* model_;
    QWidget* corner_ = nullptr;
    bool applyingSizes_ = false;
    // The widths the header was last given; empty after a reset, which puts
    // every section back to the default.
    std::vector<int> shownWidths_;
    int shownRowHeight_ = -1;
    // Focus is coming back from this view's own cell editor.
    bool focusFromEditor_ = false;
};

}  // namespace dravik::ui
