#include "core/errors.h"

namespace dravik {

std::string ErrorBoxText(const std::string& message)
{
    if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.'))
        return message + ".";
    return message;
}

SyntaxError::SyntaxError(size_t position, Message what)
    : DravikError(Message(DRAVIK_TR("Errors", "%1 at position %2"), {what, std::to_string(position)})),
      position_(position),
      reason_(std::move(what))
{
}

Message NotAValidIntegerMessage(const std::string& text)
{
    return Message(DRAVIK_TR("Errors", "'%1' is not a valid integer value"), {text});
}

Message TooManyColumnsMessage(const std::string& entryName, long long count)
{
    return Message(DRAVIK_TR("Errors", "The tables cannot hold the values of \"%1\": its count %2 is too large"),
                   {entryName, std::to_string(count)});
}

}  // namespace dravik
