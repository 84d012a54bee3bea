// The main window's controls and menu items as a test reaches them: by the
// names the window gives them (QObject::objectName), which are the names the
// program has always had: "N10" is File > Save all, "Memo1" the desc preview,
// "StringGrid3" the Section 3 table. The window keeps them to itself.
#pragma once

#include "ui/tables/grid_view.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QtGlobal>

// The part of that type and name; the test run stops at once, naming it,
// when there is none, rather than failing later on a null pointer.
template <class Part = QWidget>
Part* Named(const QObject& window, const QString& name)
{
    Part* part = window.findChild<Part*>(name);
    if (!part)
        qFatal("no %s named %s", Part::staticMetaObject.className(), qPrintable(name));
    return part;
}

// A menu item ("N10", "Undo") or a menu ("N1", "EditMenu").
inline QAction* Action(const QObject& window, const char* name) { return Named<QAction>(window, QLatin1String(name)); }
inline QMenu* Menu(const QObject& window, const char* name) { return Named<QMenu>(window, QLatin1String(name)); }

// StringGrid1 ... StringGrid12.
inline dravik::ui::GridView* Table(const QObject& window, int number)
{
    return Named<dravik::ui::GridView>(window, QStringLiteral("StringGrid%1").arg(number));
}
inline dravik::ui::GridView* Table(const QObject& window, dravik::GridNumber number)
{
    return Table(window, number.number());
}

inline QTabWidget* Tabs(const QObject& window) { return Named<QTabWidget>(window, QStringLiteral("PageControl1")); }
inline QSplitter* Panes(const QObject& window) { return Named<QSplitter>(window, QStringLiteral("Splitter1")); }
// Memo1 and Memo2.
inline QPlainTextEdit* Preview(const QObject& window) { return Named<QPlainTextEdit>(window, QStringLiteral("Memo1")); }
inline QPlainTextEdit* VariablesText(const QObject& window)
{
    return Named<QPlainTextEdit>(window, QStringLiteral("Memo2"));
}

// The text of the status bar's panel, counted from 0.
inline QString StatusText(const QObject& window, int panel)
{
    return Named<QLabel>(window, QStringLiteral("StatusPanel%1").arg(panel))->text();
}
