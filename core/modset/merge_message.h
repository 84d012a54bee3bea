// A sentence the user reads, kept with its arguments apart: the window
// translates the pattern and puts the arguments in; the batch prints it in
// English as it stands.
#pragma once

#include <string>
#include <vector>

namespace dravik {

struct Message {
    // A whole sentence in English, without its full stop; "%1" to "%9" stand
    // for the arguments.
    std::string pattern;
    std::vector<std::string> args;

    // The pattern with each "%n" replaced by argument n.
    std::string english() const;
    bool operator==(const Message&) const = default;
};

}  // namespace dravik
