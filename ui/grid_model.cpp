#include "ui/grid_model.h"

#include "ui/display_text.h"

#include <algorithm>

namespace dravik::ui {

GridModel::GridModel(Grid& grid, const CodePage& codePage, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), codePage_(codePage),
      shownColumns_(grid.colCount()), shownRows_(grid.rowCount())
{
}

int GridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::max(shownRows_ - 1, 0);
}

int GridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::max(shownColumns_ - 1, 0);
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return CellText(grid_.cell(index.column() + 1, index.row() + 1), codePage_);
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    grid_.setCell(index.column() + 1, index.row() + 1, CellBytes(value.toString(), codePage_));
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return CellText(grid_.cell(section + 1, 0), codePage_);
    return CellText(grid_.cell(0, section + 1), codePage_);
}

QString GridModel::cornerText() const { return CellText(grid_.cell(0, 0), codePage_); }

void GridModel::refresh()
{
    if (grid_.colCount() != shownColumns_ || grid_.rowCount() != shownRows_) {
        beginResetModel();
        shownColumns_ = grid_.colCount();
        shownRows_ = grid_.rowCount();
        endResetModel();
        return;
    }
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    if (columnCount() > 0)
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    if (rowCount() > 0)
        emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

}  // namespace dravik::ui
