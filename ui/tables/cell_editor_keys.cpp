#include "ui/tables/cell_editor_keys.h"

#include "ui/tables/grid_view.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <optional>

namespace dravik::ui {

namespace {

// Nothing typed into the cell since its editor opened, and no characters
// selected in it but the whole text, which the view selects on opening.
bool Untouched(const QLineEdit* editor)
{
    return !editor->isModified() && (!editor->hasSelectedText() || editor->selectedText() == editor->text());
}

bool IsVerticalSelect(const QKeyEvent* key)
{
    if (key->modifiers() != Qt::ShiftModifier)
        return false;
    switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: return true;
    default: return false;
    }
}

bool IsHorizontalSelect(const QKeyEvent* key)
{
    return key->modifiers() == Qt::ShiftModifier && (key->key() == Qt::Key_Left || key->key() == Qt::Key_Right);
}

// The value of a clipboard text that is one value: no TAB, no line break
// but a final one, which ends the spreadsheet's row and is no part of it.
std::optional<QString> OneValue(QString text)
{
    if (text.endsWith(QLatin1String("\r\n")))
        text.chop(2);
    else if (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    if (text.contains(QLatin1Char('\t')) || text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')))
        return std::nullopt;
    return text;
}

}  // namespace

CellEditorKeys::CellEditorKeys(QWidget* editor, GridView* view, bool working)
    : QObject(editor), view_(view), working_(working)
{
}

void CellEditorKeys::Install(QWidget* editor, GridView* view, bool working)
{
    // The last filter installed is asked first: before the one that gives
    // the menu its keys.
    editor->installEventFilter(new CellEditorKeys(editor, view, working));
}

bool CellEditorKeys::pastesIntoText(const QLineEdit* editor) const
{
    if (Untouched(editor) || !OneValue(QGuiApplication::clipboard()->text()).has_value())
        return false;
    qsizetype cells = 0;
    for (const QItemSelectionRange& range : view_->selectionModel()->selection())
        cells += static_cast<qsizetype>(range.width()) * range.height();
    return cells <= 1;
}

bool CellEditorKeys::forTable(const QLineEdit* editor, const QKeyEvent* key) const
{
    if (IsVerticalSelect(key))
        return true;
    if (IsHorizontalSelect(key) || key->matches(QKeySequence::SelectAll))
        return Untouched(editor);
    return false;
}

bool CellEditorKeys::eventFilter(QObject* watched, QEvent* event)
{
    auto* editor = qobject_cast<QLineEdit*>(watched);
    if (!editor || (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress))
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);

    if (event->type() == QEvent::ShortcutOverride) {
        bool keep = false;
        if (!working_)
            keep = key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste) ||
                   key->matches(QKeySequence::Cut) || key->matches(QKeySequence::SelectAll);
        else if (key->matches(QKeySequence::Copy))
            keep = !Untouched(editor) && editor->hasSelectedText();
        else if (key->matches(QKeySequence::Paste))
            keep = pastesIntoText(editor);
        else
            keep = forTable(editor, key);  // no shortcut: the key press comes here
        if (!keep)
            return false;  // the menu's shortcut, or the editor's own handling
        event->accept();
        return true;
    }

    if (working_ && key->matches(QKeySequence::Paste) && pastesIntoText(editor)) {
        // The editor's own paste would take the row's line end into the value.
        editor->insert(*OneValue(QGuiApplication::clipboard()->text()));
        return true;
    }
    if (!working_ || !forTable(editor, key))
        return QObject::eventFilter(watched, event);
    if (key->matches(QKeySequence::SelectAll))
        view_->selectAll();
    else
        QCoreApplication::sendEvent(view_, key);
    return true;
}

}  // namespace dravik::ui
