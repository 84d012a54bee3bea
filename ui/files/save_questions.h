// The questions Save all asks once it knows what it would write: about the
// files it cannot save at all, and about the files that changed on disk
// since they were read.
#pragma once

#include "core/document/desc_document.h"
#include "ui/common/dialogs.h"

#include <optional>
#include <set>

class QWidget;

namespace dravik::ui {

// The rows Save all is to leave out, as the user answered; nothing when the
// user cancels.
std::optional<std::set<int>> RowsToSkip(Dialogs& dialogs, QWidget* parent, const SavePlan& plan);

}  // namespace dravik::ui
