// Before Save all writes edited values that look wrong (value_checks.h): how
// many there are, the first few, and whether to go on.
#pragma once

#include "core/bulk/column_profiles.h"
#include "core/document/desc_document.h"
#include "ui/common/dialogs.h"

class QWidget;

namespace dravik::ui {

// True when there are none or the user goes on. A value holding a line
// break (it would split its key line), a NUL or a Ctrl+Z (they cut the line
// or the file short for the programs that read it) is named and Save all
// refused.
bool MaySaveProblemCells(Dialogs& dialogs, QWidget* parent, const DescDocument& document, ColumnProfiles& profiles);

}  // namespace dravik::ui
