// An accepted entry added (accepted_checks.h), as one step of the edit
// history: undoing it takes the entry away again, and the check comes back.
#pragma once

#include "core/checks/check_list.h"
#include "core/document/edit_history.h"

#include <functional>

namespace dravik {

class AcceptStep : public HistoryStep {
public:
    // The checks may be learned anew (another base game) while the step is
    // in the history: it reaches the current ones through `checks`, and does
    // nothing while there are none. `changed` hears each change the step
    // makes, to keep the entries in their file and show the checks.
    AcceptStep(AcceptedEntry entry, std::function<CheckList*()> checks, std::function<void()> changed);
    void redo() override { set(true); }
    void undo() override { set(false); }
    const AcceptedEntry& entry() const { return entry_; }

private:
    void set(bool accepted);

    AcceptedEntry entry_;
    std::function<CheckList*()> checks_;
    std::function<void()> changed_;
};

}  // namespace dravik
