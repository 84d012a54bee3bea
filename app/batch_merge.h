// The batch's "merge": many mods over one base game, built into one merged
// mod as the window's Build merged mod builds it.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace dravik {

bool IsMergeBatchCommand(const std::string& command);

// Runs "merge ...". Exits 0 when no conflict was left to the order and every
// mod's values reached the merged mod, 1 when conflicts were resolved by the
// order or values could not be carried (each listed on standard error), 2
// for bad usage or trouble (a file that cannot be read or written, a folder
// refused).
int RunMergeBatchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace dravik
