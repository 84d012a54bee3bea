// The window's side of the document's edit history (core/document/
// edit_history.h): the steps' names in the user's language, as Edit > Undo
// and Redo show them ("Undo Import table").
#pragma once

#include "core/document/edit_history.h"

#include <QString>

namespace dravik::ui {

QString StepName(EditStep step);

}  // namespace dravik::ui
