// Which keys typed into a table's cell editor belong to the table.
//
// A working table keeps its editor open on the focused cell, so every key
// would otherwise go to the cell's text. As in a spreadsheet, whose cells
// take the keys until the user starts typing into one:
//  - Shift+Up/Down/PageUp/PageDown extend the selected rectangle; so do
//    Shift+Left/Right and Ctrl+A (select the whole table) while nothing has
//    been typed into the cell; after typing they select characters;
//  - Ctrl+C copies the text the user selected in the editor, and the
//    selected cells otherwise (Edit > Copy; an editor opens with its whole
//    text selected, which does not count);
//  - Ctrl+V pastes into the cell's text once something has been typed into
//    it, when the clipboard holds one value and one cell is selected; in
//    every other case it pastes into the table (Edit > Paste).
// The summary table's editor opens only to type, and keeps all these keys.
#pragma once

#include <QObject>

class QKeyEvent;
class QLineEdit;

namespace dravik::ui {

class GridView;

class CellEditorKeys : public QObject {
    Q_OBJECT
public:
    // Installed on each new editor; goes with it.
    static void Install(QWidget* editor, GridView* view, bool working);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CellEditorKeys(QWidget* editor, GridView* view, bool working);
    // Whether the key goes to the table rather than to the text.
    bool forTable(const QLineEdit* editor, const QKeyEvent* key) const;
    bool pastesIntoText(const QLineEdit* editor) const;

    GridView* view_;
    bool working_;
};

}  // namespace dravik::ui
