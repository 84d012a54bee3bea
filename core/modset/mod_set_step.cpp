#include "core/modset/mod_set_step.h"

namespace dravik {

void ModSetStep::redo()
{
    if (make_) {
        change_ = make_(set_);
        make_ = nullptr;
        table_ = document_.setCells(set_.cellEdits(change_.values));
        return;
    }
    set_.redo(change_);
    document_.redo(table_);
}

void ModSetStep::undo()
{
    set_.undo(change_);
    document_.undo(table_);
}

}  // namespace dravik
