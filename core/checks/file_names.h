// The files a value may name: a sprite, a sound, another desc file. Values
// write paths with "\" or "/" from a root the program cannot know (the
// game's folder, its data folder), so a value names a file when the two
// paths agree from their ends on: "sprites\t34.spr" names
// "<base>/data/sprites/t34.spr", and "data\sprites\t34.spr" names
// "<base>/sprites/t34.spr" when the base folder chosen was the data folder.
// Names are compared without regard to letter case, as the file system
// spells them (name_folding.h): the game runs on Windows.
#pragma once

#include "core/files/folder_listing.h"
#include "core/text/code_page.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace dravik {

// The files of a whole folder tree, known in advance: the base game's.
// Each path is kept as the hashes of its tails (64 bits: two paths of a
// game share one by chance less than once in a million million million
// lookups), so a base of tens of thousands of files is looked up without
// comparing any text.
class FileNames {
public:
    explicit FileNames(const CodePage& codePage = CodePage::Default()) : codePage_(&codePage) {}

    // A file by its path below the folder the names are of, "\" or "/"
    // between folders.
    void add(std::string_view relativePath);
    // Every file of a listing of `folder`.
    void addListing(const std::string& folder, const FolderListing& listing);

    // Whether the value names one of the files.
    bool names(std::string_view value) const;
    // The paths added, "/" between folders, in the order added.
    const std::vector<std::string>& paths() const { return paths_; }
    bool empty() const { return paths_.empty(); }

    // A value written as a path: it holds "\" or "/".
    static bool LooksLikePath(std::string_view value)
    {
        return std::any_of(value.begin(), value.end(), [](char c) { return c == '\\' || c == '/'; });
    }
    // The extension of a path's last name, folded, without its dot; empty
    // when it has none.
    std::string extension(std::string_view path) const;

private:
    // The hash of each tail of the path, from its name i on; "." and empty
    // names left out, letters folded as the file system folds them.
    void tailHashes(std::string_view path, std::vector<std::uint64_t>& hashes) const;

    // Hashes in one array, looked up in a step or two.
    class HashSet {
    public:
        void insert(std::uint64_t hash);
        bool contains(std::uint64_t hash) const;

    private:
        std::vector<std::uint64_t> slots_;  // 0 for none
        size_t count_ = 0;
    };

    const CodePage* codePage_;
    std::vector<std::string> paths_;
    HashSet whole_;  // each file's whole path
    HashSet tails_;  // every tail of each, from a name on
};

// A name's hash, its letters folded as the file system folds them.
std::uint64_t NameHash(std::string_view name, const CodePage& codePage);

// The files below a folder, looked up a folder at a time as values ask for
// them: a mod's own new files, without walking its whole tree. A value names
// a file when its path, or its path from one of its folders on, leads to a
// file from the folder down.
class FilesBelow {
public:
    FilesBelow(std::string folder, const CodePage& codePage) : folder_(std::move(folder)), codePage_(&codePage) {}
    bool names(std::string_view value) const;

private:
    struct Folder {
        std::unordered_map<std::uint64_t, std::string> folders;  // NameHash: as spelled
        std::unordered_set<std::uint64_t> files;                 // NameHash
    };
    const Folder& listed(const std::string& path) const;

    std::string folder_;
    const CodePage* codePage_;
    mutable std::unordered_map<std::string, Folder> listed_;
};

}  // namespace dravik
