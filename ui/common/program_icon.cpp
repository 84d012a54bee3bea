#include "ui/common/program_icon.h"

// The pictures live in a static library, whose resources are registered only
// when asked for by name.
static void RegisterIconResources() { Q_INIT_RESOURCE(resources); }

namespace dravik::ui {

QIcon ProgramIcon()
{
    RegisterIconResources();
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 256})
        icon.addFile(QStringLiteral(":/dravik/icon/dravik2-%1.png").arg(size), QSize(size, size));
    return icon;
}

}  // namespace dravik::ui
