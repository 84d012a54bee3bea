// File > Save all once the desc preview's own edits are dealt with: the
// questions asked before anything is written (the variables text changed
// since Open desc, values that look wrong or break the checks, files that
// cannot be saved, changed on disk or would change only in spelling), the
// write behind a progress box, and how many files it wrote, on the status
// bar.
#pragma once

#include "core/bulk/column_profiles.h"
#include "core/checks/check_list.h"
#include "ui/common/command_host.h"

#include <optional>

class QLabel;

namespace dravik::ui {

struct SaveAllRequest {
    ColumnProfiles& profiles;
    // The checks of the open files; none before the base game is compared.
    const CheckList* checks;
    // What to do with key lines whose values did not change, when the user
    // asked for the answer to be remembered; none: Save all asks, and sets
    // it when the user asks so.
    std::optional<Respelling>& rememberedRespelling;
    QLabel* statusPanel;
};

// False when the user cancelled or the save failed (the error box said why).
// Files another program changes while the questions are open, or while they
// are being saved, are asked about again as they now are.
bool SaveAllTables(const CommandHost& host, const SaveAllRequest& request);

}  // namespace dravik::ui
