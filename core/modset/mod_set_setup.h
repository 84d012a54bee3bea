// A mod set: the variables file, the base game's folder, an ordered list of
// mods, and every choice made about who wins a value. It is kept in a small
// text file of its own, so that a modder reopens it where they stopped:
//
//     Dravik 2 mod set<TAB>version 1
//     variables<TAB>variables.var
//     base<TAB>../SuddenStrike/desc
//     mod<TAB>Tanks<TAB>mods/tanks
//     patch<TAB>Balance<TAB>balance.txt
//     take<TAB>units/t34.desc<TAB>armor <TAB>2<TAB>mod<TAB>Tanks
//     take<TAB>units/t34.desc<TAB>hp <TAB>1<TAB>value<TAB>480
//     take<TAB>*<TAB>speed <TAB>*<TAB>base
//
// Each line starts with what it says: `variables` and `base` name those
// (once each); `names` the names taken below the folders when not every
// name ("*.desc"); `mod` a mod that is a folder of desc files, `patch` one
// that is a patch file, each with its name and path, in the order of loading
// (the last wins). A `take` line is a choice: the file (its path below the
// mod's folder, "/" between folders, or "*" for every file), the key exactly
// as the variables file writes it, the value's number (from 1, or "*" for
// every value of the key), then who wins: `base`, `mod` and the mod's name,
// or `value` and the value itself (for one value of one file only).
//
// Paths are stored relative to the mod set file where they can be (with "/"
// between folders, so that the set moves with its folders and between
// systems), else as they are. Text is in the desc files' code page; fields
// are separated by TABs and lines end in CR LF, as in a patch file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dravik {

// A mod: a folder of desc files, the base game's files it changes and the
// files it adds, or a patch file, a mod that changes only values.
struct ModSource {
    enum class Kind { Folder, Patch };
    Kind kind = Kind::Folder;
    // How choices, filters and reports name the mod; unique in its set.
    std::string name;
    std::string path;
    bool operator==(const ModSource&) const = default;
};

// Who a choice makes the winner of a value.
struct Winner {
    enum class Kind { Base, Mod, Value };
    Kind kind = Kind::Base;
    // The mod's name for Mod, the value itself for Value; empty for Base.
    std::string text;
    bool operator==(const Winner&) const = default;
};

// A choice about one value of one file, about every value of a key in one
// file (value 0), about one value of a key in every file (file empty), or
// about a key in every file ("take mod B for armor"). The most particular
// choice that applies wins: this value of this file, then the key in this
// file, then this value of the key everywhere, then the key everywhere. A
// choice of a mod applies where that mod changes the value; elsewhere the
// next choice, or the order, decides.
struct Choice {
    std::string file;  // the path below the mods' folders, "/" between folders; empty: every file
    std::string key;   // as the variables file writes it
    int value = 0;     // from 1; 0: every value of the key
    Winner winner;
    // Whether the other choice is about the same values.
    bool samePlace(const Choice& other) const
    {
        return file == other.file && key == other.key && value == other.value;
    }
    bool operator==(const Choice&) const = default;
};

struct ModSetSetup {
    std::string variables;  // the variables file
    std::string base;       // the base game's folder
    // The names taken below the base's and the mods' folders (NamePattern).
    std::string names = "*.*";
    std::vector<ModSource> mods;  // in the order of loading: the last wins
    std::vector<Choice> choices;
    bool operator==(const ModSetSetup&) const = default;
};

inline constexpr const char* kModSetFormat = "Dravik 2 mod set";
inline constexpr int kModSetVersion = 1;

// The name a mod gets from its path: the folder's name, or the patch file's
// name without its extension.
std::string DefaultModName(const ModSource& mod);
// Gives every mod without a name its default name, and makes names unique by
// adding " (2)", " (3)" ... to the later of two alike (letter case aside).
void NameModsUniquely(std::vector<ModSource>& mods);

// Why the mod set cannot be kept in its file as it is (a TAB or a line break
// in a name, a key or a typed value; two mods of one name); empty when it can.
std::string ModSetSetupProblem(const ModSetSetup& setup);

// The file's bytes, paths made relative to the folder of `modSetPath` where
// they can be. Throws DravikError for a set ModSetSetupProblem refuses.
std::string ModSetFileText(const ModSetSetup& setup, const std::string& modSetPath);
// The set a mod set file holds, its relative paths made whole against the
// folder of `modSetPath`. Line breaks may be CR LF, LF or CR, and empty
// lines are skipped. Throws DravikError naming the file and the first line
// that cannot be read, or a header of another kind or a later version.
ModSetSetup ReadModSetText(std::string_view bytes, const std::string& modSetPath);
ModSetSetup ReadModSetFile(const std::string& path);
// Writes the file durably (core/files).
void WriteModSetFile(const std::string& path, const ModSetSetup& setup);

// ---- Paths as the mod set file keeps them (exposed for the tests).

// `path` relative to `folder` ("../mods/tanks", "/" between folders) when
// both are whole paths on the same drive; else `path` as it is.
std::string PathRelativeTo(const std::string& folder, const std::string& path);
// The whole path of what `stored` names, relative paths read against `folder`.
std::string PathFrom(const std::string& folder, const std::string& stored);

}  // namespace dravik
