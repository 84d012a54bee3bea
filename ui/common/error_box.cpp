#include "ui/common/error_box.h"

#include "core/errors.h"
#include "ui/common/application_title.h"
#include "ui/common/display_text.h"

namespace dravik::ui {

void ShowErrorBox(Dialogs& dialogs, QWidget* parent, const std::string& message)
{
    dialogs.errorBox(parent, ApplicationTitle(), MessageText(ErrorBoxText(message)));
}

}  // namespace dravik::ui
