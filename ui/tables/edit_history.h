// The undo history of the tables. Every change the window makes to the
// document's tables passes through here as one step with a name ("Import
// table", "Typing"); the document has made the change already, the step
// keeps what it replaced.
#pragma once

#include "core/document/desc_document.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

namespace dravik::ui {

class EditHistory : public QObject {
    Q_OBJECT
public:
    // Older steps are dropped beyond this many; each keeps only the cells it
    // changed, compactly, so the history stays small even for bulk edits.
    static constexpr int kStepLimit = 100;

    EditHistory(DescDocument& document, QObject* parent = nullptr);

    DescDocument& document() { return document_; }
    QUndoStack* stack() { return &stack_; }

    // A value typed into one cell. Typing into the same cell again, with no
    // other step in between, merges into the same step.
    void typeCell(int grid, int col, int row, std::string text);
    // A change the document has already made, as one step; nothing is
    // recorded when it changed nothing.
    void push(const QString& name, TableChange change);
    // Open desc starts a fresh history.
    void clear() { stack_.clear(); }

private:
    DescDocument& document_;
    QUndoStack stack_;
};

}  // namespace dravik::ui
