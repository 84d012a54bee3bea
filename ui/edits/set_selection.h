// Edit > Set selection: the selected value cells of a section table (their
// shown rows) set by one value or expression, after a preview of what it
// does; one step of the history.
#pragma once

#include "ui/common/command_host.h"

#include <QString>

namespace dravik::ui {

void SetSelection(const CommandHost& host);

// What the dialog says about the forms and the rounding rule.
QString SetSelectionHelp(size_t cells);

}  // namespace dravik::ui
