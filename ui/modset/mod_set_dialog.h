// New mod set: the base game's folder and the mods over it, ordered by
// dragging or with Up and Down. The folders and patch files are chosen
// through the window's dialogs, so a test can answer them too.
#pragma once

#include "ui/common/dialogs.h"

#include <QDialog>
#include <optional>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace dravik::ui {

class ModSetDialog : public QDialog {
    Q_OBJECT
public:
    ModSetDialog(QWidget* parent, const ModSetChoice& initial, Dialogs& dialogs);

    // Shows the dialog; the choice, or nothing when cancelled.
    std::optional<ModSetChoice> choose();
    ModSetChoice choice() const;

private:
    void addMod(const ModSetMod& mod);
    void browseBase();
    void addFolder();
    void addPatch();
    void remove();
    // Moves the selected mod one place earlier (-1) or later (+1).
    void move(int by);
    void showState();

    Dialogs& dialogs_;
    QLineEdit* base_ = nullptr;
    QListWidget* mods_ = nullptr;
    QPushButton* remove_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
    QPushButton* ok_ = nullptr;
};

}  // namespace dravik::ui
