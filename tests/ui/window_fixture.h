// A fresh main window for each test function, with the dialogs answered by
// the test and the files in a temporary folder; and the ways the tests read
// and write its tables. A test class derives from it and adds its own test
// functions as private slots.
#pragma once

#include "scripted_dialogs.h"
#include "test_folder.h"
#include "ui/common/long_work.h"
#include "ui/tables/grid_view.h"
#include "ui/main_unit.h"
#include "window_parts.h"

#include <QObject>
#include <memory>

class QAction;

class WindowFixture : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<TestFolder> folder;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<TMainForm> window;

    // The sample variables and its two desc files (tank.txt, gun.txt),
    // opened through the menu.
    void openSample();

    // The user's hands. Keys go to the widget with the focus and clicks to
    // where a widget is drawn, and the event loop runs after each as it would
    // between the user's keys. Widgets are found by their object names.
    template <class Widget = QWidget>
    Widget* named(const QString& name) const
    {
        return window->findChild<Widget*>(name);
    }
    // StringGrid1 ... StringGrid12.
    dravik::ui::GridView* grid(dravik::GridNumber number) const;
    dravik::ui::GridView* grid(int number) const { return grid(dravik::GridNumber(number)); }
    // The window in front, so that its shortcuts reach it.
    void activate();
    // The tab that holds the widget, the tab bar scrolled to it first.
    void clickTabOf(QWidget* content);
    // On the cell's tab, scrolled into view.
    void clickCell(dravik::ui::GridView* grid, int col, int row, Qt::KeyboardModifiers modifiers = {});
    void doubleClickCell(dravik::ui::GridView* grid, int col, int row);
    // Clicks the cell, types over the text its editor opens with, and Enter.
    void typeIntoCell(dravik::ui::GridView* grid, int col, int row, const QString& text);
    // A line break is the Return key.
    static void type(const QString& text);
    static void press(int key, Qt::KeyboardModifiers modifiers = {});
    // The item's menu on the menu bar, then the item.
    void clickMenuItem(QAction* item);

    // Cells by the grid's own numbering: column 1 is the first after the
    // row numbers, row 1 the first after the headers.
    static QString Cell(dravik::ui::GridView* grid, int col, int row);
    // The cells at (column, row), in order, so that a difference names its cell.
    static QStringList Cells(dravik::ui::GridView* grid, const QList<QPoint>& cells);
    static bool SetCell(dravik::ui::GridView* grid, int col, int row, const QString& text);
    static QString Header(dravik::ui::GridView* grid, int col);
    static QString RowNumber(dravik::ui::GridView* grid, int row);
    // The standard error box's text for a file that is not there.
    static QString OpenFailure(const QString& path);
    // The file rows a table shows, from 1.
    static QList<int> Shown(dravik::ui::GridView* view);
    // A filter typed into the bar, over the text it had, and Enter.
    void typeFilter(const QString& text);
    // The base game and mods of tests/core/mod/merge_scenario.h written into
    // the folder; the variables file's path.
    QString writeMergeFolders();

    // While one lives, every search and filter counts as long from its
    // first step on, and shows its progress box at once.
    struct LongWorkAtOnce {
        LongWorkAtOnce() { dravik::ui::StoppableWork::SetLongAtOnceForTesting(true); }
        ~LongWorkAtOnce() { dravik::ui::StoppableWork::SetLongAtOnceForTesting(false); }
    };

protected slots:
    // Not test functions: Qt Test calls them around each one.
    void init();
    void cleanup();
};
