#include "core/errors.h"

namespace dravik {

std::string ErrorBoxText(const std::string& message)
{
    if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.'))
        return message + ".";
    return message;
}

std::string CannotOpenFileMessage(const std::string& path, const std::string& reason)
{
    return "Cannot open file \"" + path + "\". " + reason;
}

std::string CannotCreateFileMessage(const std::string& path, const std::string& reason)
{
    return "Cannot create file \"" + path + "\". " + reason;
}

std::string NotAValidIntegerMessage(const std::string& text)
{
    return "'" + text + "' is not a valid integer value";
}

std::string UnableToWriteMessage(const std::string& path)
{
    return "Unable to write to " + path;
}

}  // namespace dravik
