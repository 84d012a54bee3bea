#include "ui/menu_shortcuts.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenuBar>
#include <QWidget>

namespace dravik::ui {

namespace {

const char* const kOwnUndo = "dravikOwnUndo";

bool IsOwnUndo(QWidget* editor, const QKeyEvent* key)
{
    return editor->property(kOwnUndo).toBool() && (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo));
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
