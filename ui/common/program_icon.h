// The program's icon, the same picture as the one in dravik2.exe's
// resources (scripts/make-pictures draws both).
#pragma once

#include <QIcon>

namespace dravik::ui {

QIcon ProgramIcon();

}  // namespace dravik::ui
