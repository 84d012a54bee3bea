// The Mods pane beside the tables: for the current cell of a mod set's
// merged view, the original game's value, each mod's in the order and who
// wins, with the choice of another winner for the cell or for its key in
// every file; and the mods in their order, moved with Up and Down. Each
// choice and each move is a step of Edit > Undo.
#pragma once

#include "core/modset/mod_set_step.h"
#include "ui/common/command_host.h"

#include <QDockWidget>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace dravik::ui {

class GridView;
class ModSetMarks;

class ModsPane : public QDockWidget, private DocumentListener {
    Q_OBJECT
public:
    ModsPane(const CommandHost& host, const ModSetMarks& marks, QWidget* parent);

    // The set shown; null for none.
    void setModSet(ModSet* set);
    // Tells the pane the current cell moved or its values changed.
    void refresh();
    // The menu of a conflicting cell of a section table: take one of the
    // mods that set it, or the original game.
    void showCellMenu(GridView* table, const QPoint& position);

private:
    void choose();
    // A mod (by id) or, with none, the original game wins the value, or
    // the value's key in every file.
    void chooseFor(int file, int slot, std::optional<int> mod, bool everyFile);
    void move(int by);
    // A value typed into a cell of the merged view: a choice. False for a
    // cell that shows no value of the set.
    bool typeValue(GridNumber grid, int col, int row, const std::string& text);
    // Makes a step of the set, shows it in the tables and records it; false
    // when it failed, as the error box told.
    bool record(EditStep kind, const ModSetStep::Make& make);
    void historyChanged() override;

    CommandHost host_;
    const ModSetMarks& marks_;
    ModSet* set_ = nullptr;
    int file_ = -1;
    int slot_ = -1;
    QLabel* story_ = nullptr;
    QComboBox* winner_ = nullptr;
    QCheckBox* everyFile_ = nullptr;
    QPushButton* choose_ = nullptr;
    QListWidget* order_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
    DocumentConnection historyConnection_;
};

}  // namespace dravik::ui
