#include "ui/common/application_title.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace dravik::ui {

QString ApplicationTitle()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

}  // namespace dravik::ui
