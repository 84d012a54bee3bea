// How a mod names its files: by their path below the mod's folder, which is
// the same path below the base game's folder, on any system.
#pragma once

#include "core/text/code_page.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace dravik {

class DescDocument;

// The path with each backslash a slash.
std::string Slashed(std::string_view path);

// The path below `root` with "/" between folders, on every system: a patch
// made on Linux applies on Windows and the other way round, and the same
// mod gives the same patch on both.
std::string ModPath(const std::string& root, const std::string& path);

// The open files' paths below the open set's folder, as text (a name the
// code page cannot write shows "?"), by row less one.
std::vector<std::string> OpenModPaths(const DescDocument& document);

// Files found by their mod path: the same path first, else the one whose
// letters differ only in case (folded as the file system spells names,
// name_folding.h), as a mod unpacked from the game's archives names its
// files in any case ("UNITS/TANK.DESC", "units/tank.desc").
class ModPathIndex {
public:
    explicit ModPathIndex(const CodePage& codePage) : codePage_(&codePage) {}

    // The first file added under a name keeps it.
    void add(const std::string& modPath, int value);
    // The value of the file named so ("\" taken as "/"); -1 when none.
    int find(std::string_view modPath) const;

private:
    std::u32string folded(std::string_view modPath) const;

    const CodePage* codePage_;
    std::unordered_map<std::string, int> exact_;
    std::unordered_map<std::u32string, int> folded_;
};

// The positions of `modPaths` in path order (folder by folder, letters
// folded), as Open folder lists a mod's files.
std::vector<size_t> InPathOrder(const std::vector<std::string>& modPaths, const CodePage& codePage);

}  // namespace dravik
