#include "ui/tables/edit_history.h"

#include <QCoreApplication>

namespace dravik::ui {

QString StepName(EditStep step)
{
    const TextId name = dravik::StepName(step);
    return QCoreApplication::translate(name.context, name.source);
}

}  // namespace dravik::ui
