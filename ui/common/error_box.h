// The standard error box for a command's failure message, shared by the
// windows so that each reports a failure the same way.
#pragma once

#include "ui/common/dialogs.h"

#include <string>

class QWidget;

namespace dravik::ui {

// Caption: the application's title; text: the message with the box's full stop.
void ShowErrorBox(Dialogs& dialogs, QWidget* parent, const std::string& message);

}  // namespace dravik::ui
