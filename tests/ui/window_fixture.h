// A fresh main window for each test function, with the dialogs answered by
// the test and the files in a temporary folder; and the ways the tests read
// and write its tables. A test class derives from it and adds its own test
// functions as private slots.
#pragma once

#include "scripted_dialogs.h"
#include "test_folder.h"
#include "ui/tables/grid_view.h"
#include "ui/main_unit.h"

#include <QObject>
#include <memory>

class WindowFixture : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<TestFolder> folder;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<TMainForm> window;

    // The sample variables and its two desc files (tank.txt, gun.txt),
    // opened through the menu.
    void openSample();

    // Cells by the grid's own numbering: column 1 is the first after the
    // row numbers, row 1 the first after the headers.
    static QString Cell(dravik::ui::GridView* grid, int col, int row);
    static bool SetCell(dravik::ui::GridView* grid, int col, int row, const QString& text);
    static QString Header(dravik::ui::GridView* grid, int col);
    static QString RowNumber(dravik::ui::GridView* grid, int row);
    // The standard error box's text for a file that is not there.
    static QString OpenFailure(const QString& path);

protected slots:
    // Not test functions: Qt Test calls them around each one.
    void init();
    void cleanup();
};
