#include "ui/tables/edit_history.h"

#include <QUndoCommand>

namespace dravik::ui {

namespace {

// A change already applied: the first redo (QUndoStack::push calls it) has
// nothing to do.
class TableChangeCommand : public QUndoCommand {
public:
    TableChangeCommand(DescDocument& document, const QString& name, TableChange change)
        : QUndoCommand(name), document_(document), change_(std::move(change))
    {
    }
    void undo() override { document_.undo(change_); }
    void redo() override
    {
        if (!applied_)
            applied_ = true;
        else
            document_.redo(change_);
    }

protected:
    DescDocument& document_;
    TableChange change_;
    bool applied_ = false;
};

// Typing into one cell: repeated typing into it merges, so undo takes the
// cell back to what it held before the typing began.
class TypingCommand : public TableChangeCommand {
public:
    static constexpr int kId = 1;

    TypingCommand(DescDocument& document, TableChange change)
        : TableChangeCommand(document, QObject::tr("Typing"), std::move(change))
    {
    }
    int id() const override { return kId; }
    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* typing = static_cast<const TypingCommand*>(other);
        const auto& mine = change_.steps().front();
        const auto& theirs = typing->change_.steps().front();
        if (mine.grid != theirs.grid || mine.col != theirs.col || mine.row != theirs.row)
            return false;
        TableChange merged;
        merged.addCell(mine.grid, mine.col, mine.row, change_.before(mine), typing->change_.after(theirs));
        change_ = std::move(merged);
        // Typed back to where it started: the step is gone.
        if (change_.before(change_.steps().front()) == change_.after(change_.steps().front()))
            setObsolete(true);
        return true;
    }
};

}  // namespace

EditHistory::EditHistory(DescDocument& document, QObject* parent) : QObject(parent), document_(document)
{
    stack_.setUndoLimit(kStepLimit);
}

void EditHistory::typeCell(int grid, int col, int row, std::string text)
{
    TableChange change = document_.setCell(grid, col, row, std::move(text));
    if (!change.empty())
        stack_.push(new TypingCommand(document_, std::move(change)));
}

void EditHistory::push(const QString& name, TableChange change)
{
    if (!change.empty())
        stack_.push(new TableChangeCommand(document_, name, std::move(change)));
}

}  // namespace dravik::ui
