// What a mod changes against its base game, as the lines of a patch.
#pragma once

#include "core/mod/base_comparison.h"
#include "core/mod/patch_file.h"

#include <string>
#include <vector>

namespace dravik {

struct BaseDiff {
    // The values of the tables that differ from their base file's.
    std::vector<PatchLine> lines;
    // What differs but no patch line can carry, one sentence each: a key
    // line in only one of the two files (Save all adds and removes no line),
    // a value holding a TAB or a line break, a file without a base file.
    std::vector<Message> uncarried;
    int differingFiles = 0;
    int newFiles = 0;
};

// The open files' values as the tables hold them (edits not yet saved
// included) against their base files, in path order, then schema order,
// each key once with every value number.
BaseDiff DiffAgainstBase(const DescDocument& mod, const BaseComparison& base);

}  // namespace dravik
