// What the window's commands kept outside the main window (the Edit menu's
// bulk edits, copy and paste, Import table, the mod's, the mod set's and the
// checks' commands) use of it.
#pragma once

#include "core/document/desc_document.h"
#include "ui/common/dialogs.h"
#include "core/document/edit_history.h"

#include <functional>

class QWidget;

namespace dravik::ui {

class GridView;

struct CommandHost {
    DescDocument& document;
    EditHistory& history;
    Dialogs& dialogs;
    QWidget* window;
    // StringGrid1 ... StringGrid12.
    std::function<GridView*(GridNumber grid)> table;
    // The section table or file list of the current tab; none on the others.
    std::function<GridView*()> currentTable;
    // Brings the table's tab to the front.
    std::function<void(GridNumber grid)> showTable;
    // Runs a command as the window's menu commands run: the open cell
    // editor's text goes into the document first, a failure is shown in the
    // error box. False when it failed.
    std::function<bool(const std::function<void()>&)> run;
    // Puts the open cell editor's text, and what was typed into the texts,
    // into the document, as each command does first.
    std::function<void()> takeEdits;
};

}  // namespace dravik::ui
