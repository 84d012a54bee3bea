// Text editors claim some Ctrl keys for themselves (on X11 a line edit takes
// Ctrl+E for End and Ctrl+D for Delete). Installed on an editor, this filter
// gives the keys of the window's menu items to the menu instead. An editor
// installed as keeping its own undo keeps Undo and Redo, Copy, Cut, Paste
// and Select all for its text: the preview and the variables text undo and
// copy their own text, while a table cell's editor leaves these keys to the
// tables' history and clipboard commands (see cell_editor_keys.h).
#pragma once

#include <QObject>

namespace dravik::ui {

class MenuShortcutsFirst : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Installs one shared filter on the editor.
    enum class Undo { Menu, Own };
    static void Install(QWidget* editor, Undo undo = Undo::Menu);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace dravik::ui
