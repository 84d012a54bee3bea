// Text and paths off Windows.
#include "core/text/dravik2_auxillary.h"
#include "core/text/system_text.h"

namespace dravik {

const char kPathSeparator = '/';
const char kTopFolder[] = "/";

std::string sys::SystemCodePageName() { return "windows-1251"; }

bool sys::SystemCodePageTable(unsigned, std::array<char32_t, 128>&) { return false; }

}  // namespace dravik
