#include "ui/common/error_box.h"

#include "core/errors.h"
#include "ui/common/application_title.h"
#include "ui/common/display_text.h"

namespace dravik::ui {

void ShowErrorBox(Dialogs& dialogs, QWidget* parent, const Message& message)
{
    dialogs.errorBox(parent, ApplicationTitle(), ErrorBoxText(MessageText(message)));
}

QString ErrorBoxText(const QString& message)
{
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + QLatin1Char('.');
    return message;
}

Message FailureMessage(const std::exception& error)
{
    if (const auto* own = dynamic_cast<const DravikError*>(&error))
        return own->message();
    return Message(std::string(error.what()));
}

}  // namespace dravik::ui
