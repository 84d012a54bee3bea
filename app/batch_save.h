// How the batch commands that change desc files end: as Save all, writing
// only the files whose bytes change; or, for a dry run, printing what would
// change as a unified diff and writing nothing.
#pragma once

#include "core/desc_document.h"

#include <iosfwd>
#include <set>

namespace dravik {

// Writes the files of the plan whose bytes change, except the rows in
// `skip`, or prints their changes on `out` when `dryRun` is set. Throws
// DravikError, with nothing written, when the plan stops at an error or a
// file changed on disk since it was read. Returns how many files were
// written (or would be).
int WritePlannedFiles(DescDocument& document, const SavePlan& plan, const std::set<int>& skip, bool dryRun,
                      std::ostream& out);

}  // namespace dravik
