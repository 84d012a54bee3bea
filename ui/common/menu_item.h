// A menu item with the object name the window's tests and helpers find it
// by, and the keys that choose it.
#pragma once

#include <QAction>
#include <QKeySequence>
#include <QList>
#include <QMenu>
#include <QString>

namespace dravik::ui {

inline QAction* AddNamedItem(QMenu* menu, const char* name, const QString& caption,
                             const QList<QKeySequence>& keys = {})
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setShortcuts(keys);
    return action;
}

}  // namespace dravik::ui
