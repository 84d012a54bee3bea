#include "core/document/edit_history.h"

#include <array>

namespace dravik {

namespace {

// In the order of EditStep.
constexpr std::array<TextId, 18> kStepNames = {
    DRAVIK_TR("EditHistory", "Typing"),
    DRAVIK_TR("EditHistory", "Paste"),
    DRAVIK_TR("EditHistory", "Set selection"),
    DRAVIK_TR("EditHistory", "Replace"),
    DRAVIK_TR("EditHistory", "Replace all"),
    DRAVIK_TR("EditHistory", "Export table"),
    DRAVIK_TR("EditHistory", "Import table"),
    DRAVIK_TR("EditHistory", "Clear summary table"),
    DRAVIK_TR("EditHistory", "Revert"),
    DRAVIK_TR("EditHistory", "Revert to base values"),
    DRAVIK_TR("EditHistory", "Apply patch"),
    DRAVIK_TR("EditHistory", "Save current"),
    DRAVIK_TR("EditHistory", "Accept value"),
    DRAVIK_TR("EditHistory", "Relax rule"),
    DRAVIK_TR("EditHistory", "Stop checking column"),
    DRAVIK_TR("EditHistory", "Choose a value"),
    DRAVIK_TR("EditHistory", "Choose for a key"),
    DRAVIK_TR("EditHistory", "Reorder mods"),
};
static_assert(kStepNames.size() == static_cast<size_t>(EditStep::ReorderMods) + 1);

bool OneCell(const TableChange& change)
{
    return change.steps().size() == 1 && change.steps().front().kind == TableChange::Kind::Cell;
}

}  // namespace

TextId StepName(EditStep step)
{
    return kStepNames.at(static_cast<size_t>(step));
}

const TableChange& HistoryStep::tableChange() const
{
    static const TableChange none;
    return none;
}

bool TableStep::mergeTyping(const TableChange& later)
{
    if (kind() != EditStep::Typing || !OneCell(change_) || !OneCell(later))
        return false;
    const TableChange::Step& mine = change_.steps().front();
    const TableChange::Step& theirs = later.steps().front();
    if (mine.grid != theirs.grid || mine.col != theirs.col || mine.row != theirs.row)
        return false;
    TableChange merged;
    merged.addCell(mine.gridNumber(), mine.col, mine.row, change_.before(mine), later.after(theirs));
    change_ = std::move(merged);
    return true;
}

EditHistory::EditHistory(DescDocument& document) : document_(document) {}

void EditHistory::apply(EditStep kind, const Edit& edit)
{
    TableChange change = edit(document_);
    if (change.empty())
        return;
    if (kind == EditStep::Typing && mergeTyping(change)) {
        changed();
        return;
    }
    push(std::make_unique<TableStep>(kind, document_, std::move(change)));
}

void EditHistory::perform(std::unique_ptr<HistoryStep> step)
{
    step->redo();
    push(std::move(step));
}

void EditHistory::typeCell(GridNumber grid, int col, int row, std::string text)
{
    if (typing_ && typing_(grid, col, row, text))
        return;
    apply(EditStep::Typing, [&](DescDocument& document) { return document.setCell(grid, col, row, std::move(text)); });
}

// The typing merges into the step before the place the history stands, as
// long as that is not where the files were last saved: Undo then takes the
// cell back to what it held before the typing began.
bool EditHistory::mergeTyping(const TableChange& change)
{
    if (index_ == 0 || clean_ == index_)
        return false;
    auto* typing = dynamic_cast<TableStep*>(steps_[index_ - 1].get());
    if (!typing || !typing->mergeTyping(change))
        return false;
    // The steps undone before the typing can be redone no more.
    steps_.resize(index_);
    if (clean_ && *clean_ > index_)
        clean_.reset();
    // Typed back to where it started: the step is gone.
    const TableChange& merged = typing->tableChange();
    if (merged.before(merged.steps().front()) == merged.after(merged.steps().front())) {
        steps_.pop_back();
        --index_;
    }
    return true;
}

void EditHistory::push(std::unique_ptr<HistoryStep> step)
{
    steps_.resize(index_);
    if (clean_ && *clean_ > index_)
        clean_.reset();
    steps_.push_back(std::move(step));
    ++index_;
    if (steps_.size() > kStepLimit) {
        const size_t dropped = steps_.size() - kStepLimit;
        steps_.erase(steps_.begin(), steps_.begin() + static_cast<std::ptrdiff_t>(dropped));
        index_ -= dropped;
        if (clean_ && *clean_ < dropped)
            clean_.reset();
        else if (clean_)
            *clean_ -= dropped;
    }
    changed();
}

std::optional<EditStep> EditHistory::undoStep() const
{
    return canUndo() ? std::optional(steps_[index_ - 1]->kind()) : std::nullopt;
}

std::optional<EditStep> EditHistory::redoStep() const
{
    return canRedo() ? std::optional(steps_[index_]->kind()) : std::nullopt;
}

void EditHistory::undo()
{
    if (!canUndo())
        return;
    steps_[index_ - 1]->undo();
    --index_;
    changed();
}

void EditHistory::redo()
{
    if (!canRedo())
        return;
    steps_[index_]->redo();
    ++index_;
    changed();
}

void EditHistory::clear()
{
    steps_.clear();
    index_ = 0;
    clean_ = 0;
    changed();
}

void EditHistory::setClean()
{
    if (clean_ == index_)
        return;
    clean_ = index_;
    changed();
}

void EditHistory::changed()
{
    listeners_.notify([](DocumentListener& listener) { listener.historyChanged(); });
}

}  // namespace dravik
