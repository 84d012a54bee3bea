// What the table text file cannot carry and what an import would damage:
// the checks the window and the batch command share.
#pragma once

#include "core/desc_document.h"

#include <string>
#include <string_view>
#include <vector>

namespace dravik {

// A path as the system resolves it: absolute, with "." and ".." and links
// resolved as far as the path exists; on Windows without regard to letter
// case, as its file systems compare names. Two paths name the same file when
// their keys are equal. The key is for comparing only, never for display.
std::string ResolvedPathKey(const std::string& path);

}  // namespace dravik
