// The analyzer's key list as a check list: the core's list of distinct key
// entries, shown as decoded text with a tick box each. The rows are the
// core's rows in the core's order; nothing here sorts or compares display
// text, so two entries that decode alike stay two entries.
#pragma once

#include "core/text/code_page.h"
#include "core/schema/key_entries.h"

#include <QAbstractListModel>
#include <string>
#include <vector>

namespace dravik::ui {

class KeyListModel : public QAbstractListModel {
    Q_OBJECT
public:
    // The entry's own bytes, as a QByteArray.
    static constexpr int EntryBytesRole = Qt::UserRole;

    KeyListModel(const CodePage& codePage, QObject* parent = nullptr);

    const KeyList& keyList() const { return list_; }
    void setKeyList(KeyList list);
    // Removes the ticked entries and returns them in list order.
    std::vector<std::string> takeTicked();

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    const CodePage* codePage_;
    KeyList list_;
};

}  // namespace dravik::ui
