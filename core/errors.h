// Errors that reach the user as the standard error box.
#pragma once

#include "core/message.h"

#include <stdexcept>
#include <string>

namespace dravik {

// Every failure of a command is thrown as a DravikError carrying the exact
// message the user is shown (without the box's full stop, see ErrorBoxText):
// what() is its English, message() the sentence and its values, which the
// window shows in the user's language.
class DravikError : public std::runtime_error {
public:
    // A message that is not the program's own (a library's, the system's).
    explicit DravikError(const std::string& message) : DravikError(Message(message)) {}
    explicit DravikError(Message message) : std::runtime_error(message.english()), message_(std::move(message)) {}
    // The program's own words go through DRAVIK_TR, so that they are translated.
    explicit DravikError(const char*) = delete;
    const Message& message() const { return message_; }

private:
    Message message_;
};

// The text of the standard error box: the message, with a full stop appended
// when its last character sorts after "." (so "...denied" gets one, "...1." not).
std::string ErrorBoxText(const std::string& message);

// A filter, expression or search pattern the user typed that cannot be read.
// The message names the position (from 1) so the user can find the fault.
class SyntaxError : public DravikError {
public:
    SyntaxError(size_t position, Message what);
    // Where in the typed text the fault is, from 1; one past the end for a
    // text that stops too early.
    size_t position() const { return position_; }
    // The message without its position, for a caller that places the
    // fault in a longer text.
    const Message& reason() const { return reason_; }

private:
    size_t position_;
    Message reason_;
};

// The messages of a file that cannot be read or written are the file
// layer's (core/files), which knows how a path is shown.
Message NotAValidIntegerMessage(const std::string& text);
// A schema whose counts ask for more table cells than can be held.
Message TooManyColumnsMessage(const std::string& entryName, long long count);

}  // namespace dravik
