// Find and replace over the tables, driven by the find bar: the matching
// cells of the chosen scope (the current table, all section tables, or the
// selection; shown rows only), moving from match to match across the tabs
// with "k of n", and replacing one match or all of them as one step of the
// history.
#pragma once

#include "core/bulk/bulk_edits.h"
#include "ui/common/command_host.h"
#include "ui/edits/find_bar.h"

#include <QObject>
#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace dravik::ui {

class FindReplace : public QObject {
    Q_OBJECT
public:
    FindReplace(CommandHost host, FindBar* bar, QObject* parent = nullptr);

    // The bar opened (Ctrl+F, Ctrl+H): a selection of several cells becomes
    // the scope.
    void opened();
    void findNext() { step(true); }
    void findPrevious() { step(false); }
    void replaceOne();
    void replaceAll();

private:
    using Place = std::tuple<size_t, int, int>;  // block, row position, column position

    // Brings the search, its scope and (when asked for) its matches up to
    // date with the bar and the document; false, with the reason shown,
    // when there is nothing to search.
    bool refresh(bool withMatches = true);
    bool currentScope(CellScope& scope);
    void captureSelection();
    void step(bool forward);
    void select(size_t index);
    std::optional<CellRef> currentCell() const;
    std::optional<Place> place(const CellRef& cell) const;
    QString position(size_t index) const;
    // The replacement typed into the bar; none, with the bar saying why,
    // when it holds a line break (pasted there), which no value may hold.
    std::optional<std::string> usableReplacement();

    CommandHost host_;
    FindBar* bar_;

    std::optional<TextSearch> search_;
    std::string pattern_;
    SearchOptions options_;
    CellScope selection_;  // the selection when it became the scope
    CellScope scope_;
    std::vector<CellRef> matches_;
    bool matched_ = false;  // matches_ belong to the search and scope
    std::int64_t searchedModification_ = -1;
    // Per block, the position of each row and column in it (-1: not in it).
    std::vector<std::vector<int>> rowPlaces_;
    std::vector<std::vector<int>> columnPlaces_;
    // The match last selected, while it is still the current cell.
    std::optional<size_t> shown_;
};

}  // namespace dravik::ui
