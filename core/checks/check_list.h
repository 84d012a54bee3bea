// The checks of the open files: every value cell that the rules learned
// from the base game reject, with the reason, kept current as the tables
// change (each edit, undo, import, patch and load).
//
// The rules come from the base game's folder (ReadBaseGame, then
// LearnRules: rule_learning.h) or from a rules file (ReadRulesFile:
// rules_file.h), and are shared, never changed, by whoever checks with them.
//
// For a window's Checks pane:
// - checks() lists them, furthest outside first; find() gives a cell's check
//   for its mark; size() counts them for the status bar.
// - Accept this value (acceptValue), relax its group's rule to let it pass
//   (relaxGroup: a range widened to it, a word added) or stop checking its
//   column (relaxColumn) are entries of the accepted file; accept() adds one
//   and unaccept() takes it away again, so an undoable step is the entry
//   added, and its undoing the entry removed. The checks follow at once.
// - AcceptedFilePath of the variables file, ReadAcceptedFile and
//   WriteAcceptedFile (accepted_checks.h) keep the entries between sessions.
// - setChanged() hears every change of the checks. It is called while the
//   document tells its listeners of a change, when the tables may be between
//   sizes: ask for the checks after that notice has ended.
#pragma once

#include "core/checks/accepted_checks.h"
#include "core/checks/check_reason.h"
#include "core/checks/learned_rules.h"
#include "core/checks/table_columns.h"
#include "core/document/desc_document.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace dravik {

struct Check {
    int row = 0;   // the file's row, from 1
    GridNumber grid{0};  // the section table
    int col = 0;   // the column there
    CheckColumn column;  // the key and value number
    std::string value;   // the cell's text, without blanks around it
    CheckReason reason;
    // How far outside the rule the value is, for sorting (Verdict::outside):
    // a number's distance from its range in widths of the range; infinity
    // for a value of the wrong kind, a word outside the set, a missing file.
    double outside = 0;
    int group = -1;  // the rule's group; -1 for the rule of all the column's files

    std::string reasonText() const { return ReasonText(reason); }
};

class CheckList : private DocumentListener {
public:
    // Checks every open file at once, and listens to the document from then
    // on. `rules` may not be null.
    CheckList(DescDocument& document, std::shared_ptr<const LearnedRules> rules, AcceptedChecks accepted = {});
    ~CheckList() override;
    CheckList(const CheckList&) = delete;
    CheckList& operator=(const CheckList&) = delete;

    const LearnedRules& rules() const { return *rules_; }

    // Every check, furthest outside first, then by file, table and column.
    std::vector<Check> checks() const;
    // In file order: by row, table, column.
    template <typename Visit>
    void eachCheck(const Visit& visit) const
    {
        refresh();
        for (const auto& [cell, check] : checks_)
            visit(check);
    }
    size_t size() const
    {
        refresh();
        return checks_.size();
    }
    // The check of a cell; null when it has none.
    const Check* find(GridNumber grid, int col, int row) const;
    // Raised by every change of the checks.
    std::int64_t revision() const { return revision_; }
    void setChanged(std::function<void()> changed) { changed_ = std::move(changed); }

    // The name the accepted file gives the file of a row: its path below the
    // open files' folder, "/" between folders.
    std::string fileName(int row) const;

    AcceptedEntry acceptValue(const Check& check) const;
    AcceptedEntry relaxGroup(const Check& check) const;
    AcceptedEntry relaxColumn(const Check& check) const;
    // False when the entry was already there (accept) or was not (unaccept).
    bool accept(const AcceptedEntry& entry);
    bool unaccept(const AcceptedEntry& entry);
    const AcceptedChecks& accepted() const { return accepted_; }
    void setAccepted(AcceptedChecks accepted);

    // The group as the accepted file names it: "folder=units/tanks",
    // "key=tank"; empty for none.
    std::string groupField(int group) const;

private:
    using Cell = std::tuple<int, GridNumber, int>;  // row, grid, col

    void refresh() const;
    void rebuild() const;
    void readAccepted() const;
    void checkCell(GridNumber grid, int col, int row) const;
    void judge(int index, GridNumber grid, int col, int row, std::string_view cell) const;
    void checkRow(int row) const;
    void placeRow(int row) const;
    void changed();

    void cellsChanged(GridNumber grid, int firstCol, int firstRow, int lastCol, int lastRow) override;
    void rowsInserted(GridNumber grid, int first, int last) override;
    void rowsRemoved(GridNumber grid, int first, int last) override;
    void columnsInserted(GridNumber grid, int first, int last) override;
    void columnsRemoved(GridNumber grid, int first, int last) override;
    void diskValuesChanged(GridNumber grid) override;
    void stale();

    DescDocument& document_;
    std::shared_ptr<const LearnedRules> rules_;
    AcceptedChecks accepted_;
    std::function<void()> changed_;
    std::int64_t revision_ = 0;

    // Worked out again after a load and after the tables change shape.
    mutable bool stale_ = true;
    mutable TableColumns columns_;
    mutable std::vector<const ColumnRules*> columnRules_;  // by column index
    // Per section table, its columns with a rule: col, column index.
    mutable std::array<std::vector<std::pair<int, int>>, kSectionCount> gridColumns_;
    mutable bool fresh_ = false;  // checking every cell afresh: no check to take away
    mutable std::vector<int> rowGroups_;                   // by row
    mutable std::string modFolder_;
    mutable std::unique_ptr<FilesBelow> modFiles_;
    // The accepted entries as the checks use them, by column index.
    mutable std::vector<bool> columnsOff_;
    mutable std::map<std::pair<int, int>, Relaxation> relaxed_;  // column index, group (-1: the column's rule)
    mutable std::set<std::tuple<std::string, int, std::string>> valuesAccepted_;  // file, column index, value
    mutable std::map<Cell, Check> checks_;
    DocumentConnection connection_;
};

}  // namespace dravik
