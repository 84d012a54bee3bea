// The questions about the variables text: before its unsaved edits are
// dropped, and before Save all when it no longer matches the layout of the
// tables (Save all writes by that layout, not by the text as it now reads).
#pragma once

#include "ui/common/dialogs.h"

class QWidget;

namespace dravik::ui {

enum class UnsavedAnswer { Save, Discard, Cancel };

// "Save variables / Discard / Cancel".
UnsavedAnswer AskAboutVariablesEdits(Dialogs& dialogs, QWidget* parent);

// True when the user saves with the tables' own layout.
bool MaySaveWithTablesLayout(Dialogs& dialogs, QWidget* parent);

}  // namespace dravik::ui
