// The patch file: what a mod changes against its base game, one value a
// line, readable in a spreadsheet and by diff.
//
//     Dravik 2 patch<TAB>version 1
//     units/t34.desc<TAB>armor <TAB>2<TAB>45<TAB>50
//
// After the header, each line names a file by its path below the mod's
// folder ("/" between folders), a key exactly as the variables text writes
// it (a trailing blank included), the value's number from 1, the base
// game's value and the mod's. Text is in the desc files' code page, lines
// end in CR LF, and the lines stand in path order, then schema order, so
// that the same mod always gives the same file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dravik {

struct PatchLine {
    std::string path;
    std::string key;
    int value = 0;  // from 1
    std::string base;
    std::string mod;
    bool operator==(const PatchLine&) const = default;
};

inline constexpr const char* kPatchFormat = "Dravik 2 patch";
inline constexpr int kPatchVersion = 1;

// The file's bytes. Every field must fit (FitsField).
std::string PatchFileText(const std::vector<PatchLine>& lines);

// A patch as read, before it meets the open files.
struct PatchFile {
    std::string name;  // the file's path, for messages
    // It began with UTF-8's byte order mark (skipped): an editor saved it as
    // UTF-8, so its non-ASCII text is not in the desc files' code page.
    bool utf8Mark = false;
    std::vector<PatchLine> lines;
};

// The lines of a patch file, in its order. Line breaks may be CR LF, LF or
// CR, and empty lines are skipped, as a spreadsheet may leave them. Throws
// DravikError naming the file (`name`) and the first line that is not a
// patch line, or a header of another kind or a later version.
PatchFile ReadPatchText(std::string_view bytes, const std::string& name);
PatchFile ReadPatchFile(const std::string& path);

}  // namespace dravik
