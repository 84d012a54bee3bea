// The questions about the variables text: before its unsaved edits are
// dropped, and whether to lay the tables out by a new one.
#pragma once

#include "ui/common/dialogs.h"

class QWidget;

namespace dravik::ui {

enum class UnsavedAnswer { Save, Discard, Cancel };

// "Save variables / Discard / Cancel".
UnsavedAnswer AskAboutVariablesEdits(Dialogs& dialogs, QWidget* parent);

// After the variables text was replaced with files open (by Open variables,
// or by the analyzer when `drafted`): true when the user has the files laid
// out again by it at once.
bool MayLayOutAgain(Dialogs& dialogs, QWidget* parent, int files, bool drafted);

}  // namespace dravik::ui
