// The standard error box for a command's failure message, shared by the
// windows so that each reports a failure the same way.
#pragma once

#include "core/message.h"
#include "ui/common/dialogs.h"

#include <exception>

class QWidget;

namespace dravik::ui {

// Caption: the application's title; text: the message, in the user's
// language, with the box's full stop.
void ShowErrorBox(Dialogs& dialogs, QWidget* parent, const Message& message);

// The box's text: a full stop appended when the last character sorts after
// "." (as ErrorBoxText does for the engine's English).
QString ErrorBoxText(const QString& message);

// What a command that failed tells the user: the program's own message with
// its sentence and values, or whatever else a library threw.
Message FailureMessage(const std::exception& error);

}  // namespace dravik::ui
