#include "ui/tables/edit_history.h"

#include <QCoreApplication>
#include <QUndoCommand>
#include <array>

namespace dravik::ui {

namespace {

// In the order of EditStep.
constexpr std::array<const char*, 12> kStepNames = {
    QT_TRANSLATE_NOOP("EditHistory", "Typing"),
    QT_TRANSLATE_NOOP("EditHistory", "Paste"),
    QT_TRANSLATE_NOOP("EditHistory", "Set selection"),
    QT_TRANSLATE_NOOP("EditHistory", "Replace"),
    QT_TRANSLATE_NOOP("EditHistory", "Replace all"),
    QT_TRANSLATE_NOOP("EditHistory", "Export table"),
    QT_TRANSLATE_NOOP("EditHistory", "Import table"),
    QT_TRANSLATE_NOOP("EditHistory", "Clear summary table"),
    QT_TRANSLATE_NOOP("EditHistory", "Revert"),
    QT_TRANSLATE_NOOP("EditHistory", "Revert to base values"),
    QT_TRANSLATE_NOOP("EditHistory", "Apply patch"),
    QT_TRANSLATE_NOOP("EditHistory", "Save current"),
};
static_assert(kStepNames.size() == static_cast<size_t>(EditStep::SaveCurrent) + 1);

// A change already applied: the first redo (QUndoStack::push calls it) has
// nothing to do.
class TableChangeCommand : public QUndoCommand {
public:
    TableChangeCommand(DescDocument& document, EditStep step, TableChange change)
        : QUndoCommand(StepName(step)), document_(document), change_(std::move(change))
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
        : TableChangeCommand(document, EditStep::Typing, std::move(change))
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
        merged.addCell(mine.gridNumber(), mine.col, mine.row, change_.before(mine), typing->change_.after(theirs));
        change_ = std::move(merged);
        // Typed back to where it started: the step is gone.
        if (change_.before(change_.steps().front()) == change_.after(change_.steps().front()))
            setObsolete(true);
        return true;
    }
};

bool OneCell(const TableChange& change)
{
    return change.steps().size() == 1 && change.steps().front().kind == TableChange::Kind::Cell;
}

}  // namespace

QString StepName(EditStep step)
{
    return QCoreApplication::translate("EditHistory", kStepNames.at(static_cast<size_t>(step)));
}

EditHistory::EditHistory(DescDocument& document, QObject* parent) : QObject(parent), document_(document)
{
    stack_.setUndoLimit(kStepLimit);
}

void EditHistory::apply(EditStep step, const Edit& edit)
{
    TableChange change = edit(document_);
    if (change.empty())
        return;
    if (step == EditStep::Typing && OneCell(change))
        stack_.push(new TypingCommand(document_, std::move(change)));
    else
        stack_.push(new TableChangeCommand(document_, step, std::move(change)));
}

void EditHistory::typeCell(GridNumber grid, int col, int row, std::string text)
{
    if (typing_ && typing_(grid, col, row, text))
        return;
    apply(EditStep::Typing, [&](DescDocument& document) { return document.setCell(grid, col, row, std::move(text)); });
}

}  // namespace dravik::ui
