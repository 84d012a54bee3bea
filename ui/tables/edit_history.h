// The undo history of the tables. Every change the window makes to the
// document's tables is made through here, as one step with a name ("Import
// table", "Typing"): the history makes the edit and keeps what it replaced,
// so no edit goes unrecorded.
#pragma once

#include "core/document/desc_document.h"

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <functional>

namespace dravik::ui {

// The steps, each named as the Edit menu shows it ("Undo Import table").
enum class EditStep {
    Typing,
    Paste,
    SetSelection,
    Replace,
    ReplaceAll,
    ExportTable,
    ImportTable,
    ClearSummaryTable,
    Revert,
    RevertToBase,
    ApplyPatch,
    SaveCurrent,
};
QString StepName(EditStep step);

class EditHistory : public QObject {
    Q_OBJECT
public:
    // Older steps are dropped beyond this many; each keeps only the cells it
    // changed, compactly, so the history stays small even for bulk edits.
    static constexpr int kStepLimit = 100;

    // Makes its change on the document and returns it.
    using Edit = std::function<TableChange(DescDocument&)>;

    EditHistory(DescDocument& document, QObject* parent = nullptr);

    DescDocument& document() { return document_; }
    QUndoStack* stack() { return &stack_; }

    // Makes the edit and records it as one step; nothing is recorded when it
    // changed nothing. Typing into the same cell again, with no other step in
    // between, merges into the step before.
    void apply(EditStep step, const Edit& edit);
    // A value typed into one cell.
    void typeCell(GridNumber grid, int col, int row, std::string text);
    // Takes a value typed into a cell in place of the tables (true when it
    // took it): a merged view turns it into a choice of its own. None: the
    // tables take it.
    using TypingHandler = std::function<bool(GridNumber grid, int col, int row, const std::string& text)>;
    void setTypingHandler(TypingHandler handler) { typing_ = std::move(handler); }
    // Open desc starts a fresh history.
    void clear() { stack_.clear(); }

private:
    DescDocument& document_;
    QUndoStack stack_;
    TypingHandler typing_;
};

}  // namespace dravik::ui
