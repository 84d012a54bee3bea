// The headless companion: export, import and analyze on the window's engine,
// for scripted bulk edits.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace dravik {

// Runs one batch command line (without the program name). Returns the exit
// code: 0 done, 1 an error (its message on `err`), 2 bad usage.
int RunBatchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

extern const char* const kBatchUsage;

}  // namespace dravik
