// The application's title: the executable's file name without its extension.
// The program sets no title of its own, so this is what the task bar and the
// standard error box carry.
#pragma once

#include <QString>

namespace dravik::ui {

QString ApplicationTitle();

}  // namespace dravik::ui
