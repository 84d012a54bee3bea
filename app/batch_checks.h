// The batch's "check": every value of the desc files held against the rules
// learned from the base game's own files, for a mod team's own automated
// checks.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace dravik {

bool IsCheckBatchCommand(const std::string& command);

// Runs "check ...": prints each check as file, key, value number, value and
// reason, TAB-separated, in file order. Exits 1 when there are checks, 0
// when there are none, 2 for bad usage or trouble (a file that cannot be
// read, a rules file that cannot be read or written).
int RunCheckBatchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace dravik
