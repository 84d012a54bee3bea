// The File menu's lists of what was opened last (Recent folders, Recent mod
// sets): the newest first, each once, a few at most, shown as numbered items.
#pragma once

#include <QAction>
#include <QLatin1Char>
#include <QList>
#include <QMenu>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

namespace dravik::ui {

// Puts `entry` first; the caller has taken out its earlier place. Entries
// beyond `limit` drop off the end.
template <typename Entry>
void PutFirst(std::vector<Entry>& entries, Entry entry, std::size_t limit)
{
    entries.insert(entries.begin(), std::move(entry));
    if (entries.size() > limit)
        entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(limit), entries.end());
}

// Gives the menu its fixed set of `count` items, named `itemName` and a
// number from 1 ("RecentFolder1"), hidden until the list fills them: an item
// is never deleted while its own click is being handled. A click opens the
// item's place in the list, while `receiver` lives.
inline void AddRecentItems(QMenu* menu, const QString& itemName, int count, QObject* receiver,
                           const std::function<void(int)>& open)
{
    menu->setToolTipsVisible(true);
    for (int i = 0; i < count; ++i) {
        QAction* item = menu->addAction(QString());
        item->setObjectName(itemName + QString::number(i + 1));
        QObject::connect(item, &QAction::triggered, receiver, [open, i] { open(i); });
    }
}

// What one item of the menu shows, and its tool tip.
struct RecentItem {
    QString text;
    QString tip;
};

// The menu's items show the entries in order ("&1 …", an ampersand of the
// text kept as it is), items without an entry are hidden, and the menu is
// off while there is none.
inline void ShowRecentItems(QMenu* menu, const std::vector<RecentItem>& entries)
{
    const QList<QAction*> items = menu->actions();
    for (int i = 0; i < items.size(); ++i) {
        const bool used = i < static_cast<int>(entries.size());
        items[i]->setVisible(used);
        if (!used)
            continue;
        const RecentItem& entry = entries[static_cast<std::size_t>(i)];
        QString shown = entry.text;
        shown.replace(QLatin1Char('&'), QLatin1String("&&"));
        items[i]->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        items[i]->setToolTip(entry.tip);
    }
    menu->setEnabled(!entries.empty());
}

}  // namespace dravik::ui
