#include "ui/edits/find_replace.h"

#include "core/errors.h"
#include "core/text/cell_value.h"
#include "ui/common/display_text.h"
#include "ui/common/long_work.h"
#include "ui/tables/grid_view.h"
#include "ui/tables/table_selection.h"

#include <QApplication>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <algorithm>

namespace dravik::ui {

namespace {

// Places count in halves: an element at position p is 2p + 1, the gap
// before it 2p, so a cell that is not in the scope (a hidden row) still
// sorts between its neighbours.
int PlaceIn(const std::vector<int>& places, const std::vector<int>& listed, int number)
{
    if (number >= 0 && static_cast<size_t>(number) < places.size() && places[static_cast<size_t>(number)] >= 0)
        return 2 * places[static_cast<size_t>(number)] + 1;
    const auto after = std::find_if(listed.begin(), listed.end(), [number](int n) { return n > number; });
    return 2 * static_cast<int>(after - listed.begin());
}

std::vector<int> Places(const std::vector<int>& numbers)
{
    std::vector<int> places;
    for (size_t i = 0; i < numbers.size(); ++i) {
        const auto number = static_cast<size_t>(numbers[i]);
        if (number >= places.size())
            places.resize(number + 1, -1);
        places[number] = static_cast<int>(i);
    }
    return places;
}

}  // namespace

FindReplace::FindReplace(CommandHost host, FindBar* bar, QObject* parent)
    : QObject(parent), host_(std::move(host)), bar_(bar)
{
    connect(bar_, &FindBar::findNext, this, &FindReplace::findNext);
    connect(bar_, &FindBar::findPrevious, this, &FindReplace::findPrevious);
    connect(bar_, &FindBar::replaceOne, this, &FindReplace::replaceOne);
    connect(bar_, &FindBar::replaceAll, this, &FindReplace::replaceAll);
    connect(bar_, &FindBar::searchChanged, this, [this] {
        shown_.reset();
        bar_->setStatus(QString());
    });
    connect(bar_->scopeBox, &QComboBox::activated, this, [this] {
        if (bar_->scope() == FindBar::Scope::Selection)
            captureSelection();
    });
}

void FindReplace::captureSelection()
{
    selection_.clear();
    GridView* view = host_.currentTable();
    if (view)
        selection_.push_back(SelectedBlock(view));
}

void FindReplace::opened()
{
    GridView* view = host_.currentTable();
    if (view && SelectedBlock(view).size() > 1) {
        captureSelection();
        bar_->setScope(FindBar::Scope::Selection);
    } else if (bar_->scope() == FindBar::Scope::Selection) {
        bar_->setScope(FindBar::Scope::CurrentTable);
    }
}

bool FindReplace::currentScope(CellScope& scope)
{
    switch (bar_->scope()) {
    case FindBar::Scope::CurrentTable:
        if (GridView* view = host_.currentTable()) {
            scope = {ShownSearchBlock(host_.document, view)};
            return true;
        }
        bar_->setStatus(tr("No table on this tab to search."));
        return false;
    case FindBar::Scope::AllSectionTables:
        scope.clear();
        for (GridNumber grid : SectionTables())
            scope.push_back(ShownSearchBlock(host_.document, host_.table(grid)));
        return true;
    case FindBar::Scope::Selection:
        if (selection_.empty())
            captureSelection();
        scope = selection_;
        // Rows the filter hid since the selection was taken are left out now.
        for (CellBlock& block : scope)
            std::erase_if(block.rows, [&](int row) { return !RowShown(host_.table(block.grid), row); });
        return true;
    }
    return false;
}

bool FindReplace::refresh(bool withMatches)
{
    // What is typed into the open cell editor belongs to the document first.
    host_.takeEdits();
    const CodePage& codePage = host_.document.codePage();
    const std::string pattern = CellBytes(bar_->pattern(), codePage);
    if (pattern.empty()) {
        bar_->setStatus(tr("Type what to find."));
        return false;
    }
    const SearchOptions options = bar_->options();
    if (!search_ || pattern != pattern_ || options.regex != options_.regex || options.matchCase != options_.matchCase ||
        options.wholeCell != options_.wholeCell) {
        try {
            search_.emplace(pattern, codePage, options);
        } catch (const SyntaxError& error) {
            search_.reset();
            bar_->setStatus(tr("Cannot search for this: %1.").arg(MessageText(error.message())));
            return false;
        }
        pattern_ = pattern;
        options_ = options;
        matched_ = false;
    }
    CellScope scope;
    if (!currentScope(scope))
        return false;
    if (scope != scope_ || searchedModification_ != host_.document.modificationCount()) {
        scope_ = std::move(scope);
        searchedModification_ = host_.document.modificationCount();
        matched_ = false;
    }
    if (withMatches && !matched_) {
        try {
            StoppableWork work(host_.window, tr("Find"), tr("table rows"));
            matches_ = FindCells(host_.document, scope_, *search_, work.progress());
        } catch (const WorkStopped&) {
            bar_->setStatus(tr("The search was stopped."));
            return false;
        }
        rowPlaces_.clear();
        columnPlaces_.clear();
        for (const CellBlock& block : scope_) {
            rowPlaces_.push_back(Places(block.rows));
            columnPlaces_.push_back(Places(block.columns));
        }
        matched_ = true;
        shown_.reset();
    }
    return true;
}

std::optional<CellRef> FindReplace::currentCell() const
{
    GridView* view = host_.currentTable();
    if (!view || !view->currentIndex().isValid())
        return std::nullopt;
    const QModelIndex current = view->currentIndex();
    return CellRef{view->gridModel()->gridNumber(), GridModel::gridCol(current), GridModel::gridRow(current)};
}

std::optional<FindReplace::Place> FindReplace::place(const CellRef& cell) const
{
    for (size_t b = 0; b < scope_.size(); ++b) {
        if (scope_[b].grid != cell.grid)
            continue;
        return Place{b, PlaceIn(rowPlaces_[b], scope_[b].rows, cell.row),
                     PlaceIn(columnPlaces_[b], scope_[b].columns, cell.col)};
    }
    return std::nullopt;
}

QString FindReplace::position(size_t index) const
{
    return tr("%1 of %2").arg(index + 1).arg(matches_.size());
}

void FindReplace::step(bool forward)
{
    if (!refresh())
        return;
    if (matches_.empty()) {
        bar_->setStatus(tr("Not found."));
        return;
    }
    const size_t count = matches_.size();
    const std::optional<CellRef> current = currentCell();
    size_t index = forward ? 0 : count - 1;
    if (shown_ && current && matches_[*shown_] == *current) {
        index = forward ? (*shown_ + 1) % count : (*shown_ + count - 1) % count;
    } else if (const auto here = current ? place(*current) : std::nullopt) {
        // From the current cell on, round to the start at the end.
        const auto first = std::partition_point(matches_.begin(), matches_.end(), [&](const CellRef& match) {
            return forward ? *place(match) <= *here : *place(match) < *here;
        });
        const auto at = static_cast<size_t>(first - matches_.begin());
        index = forward ? at % count : (at + count - 1) % count;
    }
    select(index);
}

void FindReplace::select(size_t index)
{
    const CellRef& match = matches_[index];
    QWidget* focus = QApplication::focusWidget();
    host_.showTable(match.grid);
    GridView* view = host_.table(match.grid);
    const QModelIndex cell = view->model()->index(match.row - 1, match.col - 1);
    // Through the view: the match is where a Shift+click extends from.
    view->setCurrentIndex(cell);
    view->scrollTo(cell);
    // Typing Enter in the bar again goes on to the next match.
    if (focus && bar_->isAncestorOf(focus))
        focus->setFocus();
    shown_ = index;
    bar_->setStatus(position(index));
}

void FindReplace::replaceOne()
{
    if (!refresh())
        return;
    const std::optional<CellRef> current = currentCell();
    const bool onMatch = shown_ && current && matches_[*shown_] == *current;
    if (onMatch && IsValueCell(host_.document, current->grid, current->col, current->row)) {
        const std::optional<std::string> replacement = usableReplacement();
        if (!replacement)
            return;
        host_.run([&] {
            std::string text;
            if (search_->replaceAll(host_.document.grid(current->grid).cell(current->col, current->row),
                                    *replacement, text))
                host_.history.apply(EditStep::Replace, [&](DescDocument& document) {
                    return document.setCell(current->grid, current->col, current->row, std::move(text));
                });
        });
    }
    step(true);
}

std::optional<std::string> FindReplace::usableReplacement()
{
    std::string replacement = CellBytes(bar_->replacement(), host_.document.codePage());
    if (!HasLineBreak(replacement))
        return replacement;
    bar_->setStatus(tr("Nothing replaced: the replacement holds a line break, which would split the key lines."));
    return std::nullopt;
}

void FindReplace::replaceAll()
{
    if (!refresh(false))
        return;
    const std::optional<std::string> replacement = usableReplacement();
    if (!replacement)
        return;
    BulkEdit edit;
    bool stopped = false;
    if (!host_.run([&] {
            try {
                StoppableWork work(host_.window, tr("Replace all"), tr("table rows"));
                edit = ReplaceAllEdits(host_.document, scope_, *search_, *replacement, work.progress());
            } catch (const WorkStopped&) {
                stopped = true;
                return;
            }
            host_.history.apply(EditStep::ReplaceAll,
                                [&](DescDocument& document) { return document.setCells(edit.edits); });
        }))
        return;
    if (stopped)
        bar_->setStatus(tr("Nothing replaced: stopped."));
    else if (edit.edits.empty())
        bar_->setStatus(tr("Nothing replaced: no value cell here holds a match."));
    else
        bar_->setStatus(
            tr("Replaced in %n cell of %1.", "Replaced in %n cells of %1.", static_cast<int>(edit.edits.size()))
                .arg(tr("%n file", "%n files", static_cast<int>(edit.files))));
}

}  // namespace dravik::ui
