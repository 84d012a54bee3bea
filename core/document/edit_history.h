// The document's edit history. Every change the user makes to the tables,
// to a mod set's choices and order, or to the accepted checks is made
// through here as one step with a kind ("Import table", "Typing"): the
// history does the step and records it, so no change goes unrecorded, and
// undo and redo take the steps back and do them again. The window and the
// batch make their edits the same way; the window's Undo and Redo are a
// view of this history.
//
// Each recorded step can be read back: its kind, and for a change of the
// tables its cells with their texts before and after (TableChange).
//
// The clean point is where the history stood when the files were last read
// or written (a load, Save all, Save current): isClean() answers "has
// anything been done since?". The tables' "modified" (the caption's star,
// the cells' marks, the question about unsaved changes) stays with the
// document, which compares each cell with its file: a cell typed back to its
// file's value is not modified, though a step was done, and a step of the
// accepted checks or of a mod set's order changes nothing Save all writes.
#pragma once

#include "core/document/desc_document.h"
#include "core/document/document_listener.h"
#include "core/document/table_change.h"
#include "core/message.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace dravik {

// The kinds of step, each named as the Edit menu shows it ("Undo Import
// table").
enum class EditStep : std::uint8_t {
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
    AcceptValue,
    RelaxRule,
    StopCheckingColumn,
    ChooseValue,
    ChooseForKey,
    ReorderMods,
};
// The step's name, in English; the window shows it in the user's language.
TextId StepName(EditStep step);

// One recorded step: done once when the history takes it (its first redo),
// then undone and redone in turn.
class HistoryStep {
public:
    explicit HistoryStep(EditStep kind) : kind_(kind) {}
    virtual ~HistoryStep() = default;
    HistoryStep(const HistoryStep&) = delete;
    HistoryStep& operator=(const HistoryStep&) = delete;

    EditStep kind() const { return kind_; }
    virtual void redo() = 0;
    virtual void undo() = 0;
    // The tables' cells the step changed, with their texts before and
    // after; empty for a step that has changed no table (yet).
    virtual const TableChange& tableChange() const;

private:
    EditStep kind_;
};

// A step that changes the tables only: what an edit of the document returned.
class TableStep : public HistoryStep {
public:
    TableStep(EditStep kind, DescDocument& document, TableChange change)
        : HistoryStep(kind), document_(document), change_(std::move(change))
    {
    }
    // The change is made before the step is: see EditHistory::apply.
    void redo() override { document_.redo(change_); }
    void undo() override { document_.undo(change_); }
    const TableChange& tableChange() const override { return change_; }

    // Typing into the same cell again: the step then goes from what the cell
    // held before the first typing to what it holds now.
    bool mergeTyping(const TableChange& later);

private:
    DescDocument& document_;
    TableChange change_;
};

class EditHistory {
public:
    // Older steps are dropped beyond this many; each keeps only the cells it
    // changed, compactly, so the history stays small even for bulk edits.
    static constexpr size_t kStepLimit = 100;

    // Makes its change on the document and returns it.
    using Edit = std::function<TableChange(DescDocument&)>;

    explicit EditHistory(DescDocument& document);
    EditHistory(const EditHistory&) = delete;
    EditHistory& operator=(const EditHistory&) = delete;

    DescDocument& document() const { return document_; }

    // Makes the edit and records it as one step; nothing is recorded when it
    // changed nothing, or when it throws. Typing into the same cell again,
    // with no other step in between and no save, merges into the step
    // before; typed back to where it started, the step is gone.
    void apply(EditStep kind, const Edit& edit);
    // Does the step and records it; a step that throws is not recorded.
    void perform(std::unique_ptr<HistoryStep> step);
    // A value typed into one cell.
    void typeCell(GridNumber grid, int col, int row, std::string text);
    // Takes a value typed into a cell in place of the tables (true when it
    // took it): a merged view turns it into a choice of its own. None: the
    // tables take it.
    using TypingHandler = std::function<bool(GridNumber grid, int col, int row, const std::string& text)>;
    void setTypingHandler(TypingHandler handler) { typing_ = std::move(handler); }

    bool canUndo() const { return index_ > 0; }
    bool canRedo() const { return index_ < steps_.size(); }
    // The kind of the step Undo or Redo would take; none when there is none.
    std::optional<EditStep> undoStep() const;
    std::optional<EditStep> redoStep() const;
    // A step that throws stays where it was: neither undone nor redone.
    void undo();
    void redo();

    // Drops every step; the history is clean. A load starts it afresh.
    void clear();
    // The files hold what the document holds now.
    void setClean();
    bool isClean() const { return clean_ == index_; }

    // The recorded steps, oldest first; those before `done()` are done (Undo
    // takes back the last of them), the others undone (Redo does the first).
    size_t size() const { return steps_.size(); }
    size_t done() const { return index_; }
    const HistoryStep& step(size_t i) const { return *steps_.at(i); }

    // The listener hears historyChanged() after every change of the history.
    DocumentConnection connect(DocumentListener& listener) { return listeners_.connect(listener); }

private:
    void push(std::unique_ptr<HistoryStep> step);
    bool mergeTyping(const TableChange& change);
    void changed();

    DescDocument& document_;
    std::vector<std::unique_ptr<HistoryStep>> steps_;
    size_t index_ = 0;
    // Where the history was clean; none once that place is gone.
    std::optional<size_t> clean_ = 0;
    TypingHandler typing_;
    ListenerList listeners_;
};

}  // namespace dravik
