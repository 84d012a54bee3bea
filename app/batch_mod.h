// The batch's commands for a mod and its base game: "diff" (what the mod
// changes, as a patch) and "apply" (a patch applied to desc files).
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace dravik {

bool IsModBatchCommand(const std::string& command);

// Runs "diff ..." or "apply ...". diff exits as diff does: 0 when nothing
// differs, 1 when something does, 2 for bad usage or an error. apply exits
// 0 when every line found its value, 1 when a line was left unapplied (a
// conflict without --theirs, a line that found nothing), 2 for bad usage or
// an error (a patch refused, a file that cannot be read or written).
int RunModBatchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace dravik
