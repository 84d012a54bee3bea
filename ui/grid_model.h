// A core grid seen by a Qt view. Row 0 and column 0 of the grid are its fixed
// cells; they are the view's header sections, so the model's cell (r, c) is
// the grid's cell (c + 1, r + 1) and the fixed cells cannot be edited.
#pragma once

#include "core/code_page.h"
#include "core/grid.h"

#include <QAbstractTableModel>

namespace dravik::ui {

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    GridModel(Grid& grid, const CodePage& codePage, QObject* parent = nullptr);

    Grid& grid() { return grid_; }
    const Grid& grid() const { return grid_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The fixed cell both headers meet at (the file list's "File number").
    QString cornerText() const;

    // The grid was changed behind the model's back. Same size: the views keep
    // their scroll position and moved sections; a new size resets them.
    void refresh();

private:
    Grid& grid_;
    const CodePage& codePage_;
    int shownColumns_;
    int shownRows_;
};

}  // namespace dravik::ui
