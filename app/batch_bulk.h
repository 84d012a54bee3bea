// The batch's bulk edits: "set" (one key set by expression across the
// files) and "find" (the cells that match a pattern), on the same engines
// as the window's Set selection and Find.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace dravik {

bool IsBulkBatchCommand(const std::string& command);

// Runs "set ..." or "find ..."; the exit code as RunBatchCommand's.
int RunBulkBatchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace dravik
