// A step of a mod set's choices or order, as one step of the edit history:
// the set decides the winners again, and the merged view's tables show them.
#pragma once

#include "core/document/edit_history.h"
#include "core/modset/mod_set.h"

#include <functional>

namespace dravik {

class ModSetStep : public HistoryStep {
public:
    // Makes the change on the set, when the history takes the step.
    using Make = std::function<MergeChange(ModSet&)>;

    // The set and the document must outlive the step: whoever replaces the
    // set clears the history first.
    ModSetStep(EditStep kind, ModSet& set, DescDocument& document, Make make)
        : HistoryStep(kind), set_(set), document_(document), make_(std::move(make))
    {
    }
    void redo() override;
    void undo() override;
    const TableChange& tableChange() const override { return table_; }
    const MergeChange& mergeChange() const { return change_; }

private:
    ModSet& set_;
    DescDocument& document_;
    Make make_;  // until the first redo
    MergeChange change_;
    TableChange table_;
};

}  // namespace dravik
