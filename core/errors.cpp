#include "core/errors.h"

namespace dravik {

std::string ErrorBoxText(const std::string& message)
{
    if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.'))
        return message + ".";
    return message;
}

SyntaxError::SyntaxError(size_t position, const std::string& what)
    : DravikError(what + " at position " + std::to_string(position)), position_(position), reason_(what)
{
}

std::string NotAValidIntegerMessage(const std::string& text)
{
    std::string message = "'";
    message.append(text).append("' is not a valid integer value");
    return message;
}

std::string TooManyColumnsMessage(const std::string& entryName, long long count)
{
    std::string message = "The tables cannot hold the values of \"";
    message.append(entryName).append("\": its count ").append(std::to_string(count)).append(" is too large");
    return message;
}

}  // namespace dravik
