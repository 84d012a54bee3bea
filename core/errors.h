// Errors that reach the user as the standard error box.
#pragma once

#include <stdexcept>
#include <string>

namespace dravik {

// Every failure of a command is thrown as a DravikError carrying the exact
// message the user is shown (without the box's full stop, see ErrorBoxText).
class DravikError : public std::runtime_error {
public:
    explicit DravikError(const std::string& message) : std::runtime_error(message) {}
};

// The text of the standard error box: the message, with a full stop appended
// when its last character sorts after "." (so "...denied" gets one, "...1." not).
std::string ErrorBoxText(const std::string& message);

std::string CannotOpenFileMessage(const std::string& path, const std::string& reason);
std::string CannotCreateFileMessage(const std::string& path, const std::string& reason);
std::string NotAValidIntegerMessage(const std::string& text);
std::string UnableToWriteMessage(const std::string& path);
// A schema whose counts ask for more table cells than can be held.
std::string TooManyColumnsMessage(const std::string& entryName, long long count);

}  // namespace dravik
