#include "ui/tables/key_list_model.h"

#include "ui/common/display_text.h"

namespace dravik::ui {

KeyListModel::KeyListModel(const CodePage& codePage, QObject* parent)
    : QAbstractListModel(parent), codePage_(&codePage)
{
}

void KeyListModel::setKeyList(KeyList list)
{
    beginResetModel();
    list_ = std::move(list);
    endResetModel();
}

std::vector<std::string> KeyListModel::takeTicked()
{
    beginResetModel();
    std::vector<std::string> taken = list_.takeTicked();
    endResetModel();
    return taken;
}

int KeyListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : list_.size(); }

QVariant KeyListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= list_.size())
        return {};
    const KeyList::Item& item = list_.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return CellText(item.entry, *codePage_);
    case Qt::CheckStateRole:
        return item.ticked ? Qt::Checked : Qt::Unchecked;
    case EntryBytesRole:
        return QByteArray::fromStdString(item.entry);
    default:
        return {};
    }
}

bool KeyListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.row() >= list_.size() || role != Qt::CheckStateRole)
        return false;
    list_.setTicked(index.row(), static_cast<Qt::CheckState>(value.toInt()) == Qt::Checked);
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags KeyListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemNeverHasChildren;
}

}  // namespace dravik::ui
