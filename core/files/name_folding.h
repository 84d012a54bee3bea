// File names compared without regard to letter case, every letter folded
// the way the file system spells names: on Windows a name is UTF-16 and the
// system folds it; elsewhere a name is bytes, UTF-8 by convention, folded by
// the C library's Unicode tables. A mod unpacked from the game's archives
// names its files in any case ("ТАНКИ/т34.DESC"), and the modder means the
// same file as "Танки/Т34.desc" on every system.
#pragma once

#include "core/text/code_page.h"

#include <string>
#include <string_view>

namespace dravik {

// The characters of a name or path with their letters in lower case, for
// comparing and sorting names only, never for display. "?" in a pattern
// stands for one of these characters. Off Windows a name (the part between
// two "/") that is not UTF-8, as an old archive tool may write one, is read
// through `codePage`; on Windows, where paths are the system's code page
// with escapes (native_path.h), `codePage` is not used.
std::u32string FoldedName(std::string_view path, const CodePage& codePage);

}  // namespace dravik
