#include "ui/common/menu_shortcuts.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenuBar>
#include <QWidget>

namespace dravik::ui {

namespace {

const char* const kOwnUndo = "dravikOwnUndo";

// A text box of its own keeps its editing keys: undo and redo of its
// typing, and copy and paste of its text (the menu's Copy and Paste are the
// tables').
bool IsOwnUndo(QWidget* editor, const QKeyEvent* key)
{
    if (!editor->property(kOwnUndo).toBool())
        return false;
    for (const auto standard : {QKeySequence::Undo, QKeySequence::Redo, QKeySequence::Copy, QKeySequence::Cut,
                                QKeySequence::Paste, QKeySequence::SelectAll})
        if (key->matches(standard))
            return true;
    return false;
}

bool IsMenuShortcut(QWidget* editor, const QKeyEvent* key)
{
    const QKeySequence pressed(key->keyCombination());
    const QWidget* window = editor->window();
    for (QAction* action : window->findChildren<QAction*>())
        if (!action->shortcut().isEmpty() && action->shortcut() == pressed)
            return true;
    return false;
}

}  // namespace

void MenuShortcutsFirst::Install(QWidget* editor, Undo undo)
{
    if (undo == Undo::Own)
        editor->setProperty(kOwnUndo, true);
    static MenuShortcutsFirst* filter = new MenuShortcutsFirst(QCoreApplication::instance());
    editor->installEventFilter(filter);
}

bool MenuShortcutsFirst::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        auto* editor = qobject_cast<QWidget*>(watched);
        auto* key = static_cast<QKeyEvent*>(event);
        if (editor && IsOwnUndo(editor, key)) {
            // Accepted here, the key reaches the editor as a key press.
            event->accept();
            return true;
        }
        if (editor && IsMenuShortcut(editor, key)) {
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace dravik::ui
