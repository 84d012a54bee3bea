// Text editors claim some Ctrl keys for themselves (on X11 a line edit takes
// Ctrl+E for End and Ctrl+D for Delete). Installed on an editor, this filter
// gives the keys of the window's menu items to the menu instead.
#pragma once

#include <QObject>

namespace dravik::ui {

class MenuShortcutsFirst : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Installs one shared filter on the editor.
    static void Install(QWidget* editor);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace dravik::ui
