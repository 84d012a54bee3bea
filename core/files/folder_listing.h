// The files below a folder, as Open folder, a dropped folder and the batch's
// folder arguments take them.
//
// Names match Windows-style patterns without regard to letter case, on every
// system and for every letter (name_folding.h): a mod unpacked from the
// game's archives names its files in any case ("TANK.DESC", "Tank.desc"),
// and a Linux modder means both. Hidden
// entries (a name starting with "."; on Windows also the hidden attribute)
// are left out, with their contents. Links are followed, to files and to
// folders, but every folder is listed once: a link back to a folder above
// cannot loop, and two links to one folder do not open its files twice.
//
// Paths are the program's byte strings: a folder given as "C:\mod" lists
// "C:\mod\units\tank.desc".
#pragma once

#include "core/text/code_page.h"
#include "core/message.h"

#include <string>
#include <string_view>
#include <vector>

namespace dravik {

inline constexpr const char* kEveryName = "*.*";

// "*" is any run of characters, "?" any one; several patterns are separated
// by ";" ("*.desc; *.txt"), blanks around each are dropped, and an empty
// text is "*.*". As on Windows, a pattern ending in ".*" also matches a name
// without a dot: "*.*" matches every name, "tank.*" matches "tank".
class NamePattern {
public:
    explicit NamePattern(std::string_view text, const CodePage& codePage = CodePage::Default());

    bool matches(std::string_view name) const;
    // Whether "*" or "?" is in the text (the batch's own wildcard expansion).
    static bool HasWildcards(std::string_view text);

private:
    std::vector<std::u32string> patterns_;  // case-folded
    const CodePage* codePage_;
};

struct FolderListing {
    std::vector<std::string> files;  // in path order
    // Folders below the root that could not be read, and why: their files
    // are missing.
    struct Unreadable {
        std::string folder;
        std::string reason;
    };
    std::vector<Unreadable> unreadableFolders;
    // "Cannot open folder "%s". %s" for the first of them; empty when none.
    Message unreadableMessage() const;
};

// Every file in the folder and all its subfolders whose name matches.
// Throws DravikError when the folder itself cannot be read, and when more
// than `maxEntries` files and folders (0: no limit) lie below it: a window
// counting as the user types must not walk a whole disk.
FolderListing ListFolder(const std::string& folder, const NamePattern& pattern,
                         const CodePage& codePage = CodePage::Default(), size_t maxEntries = 0);
// The matching files of the folder alone, its subfolders left out.
FolderListing ListFolderFiles(const std::string& folder, const NamePattern& pattern,
                              const CodePage& codePage = CodePage::Default());

Message CannotOpenFolderMessage(const std::string& folder, const Message& reason);

// The names of the files and of the folders right in a folder, hidden ones
// left out, for finding a name or two without walking a whole tree; none
// when it cannot be read.
struct FolderEntries {
    std::vector<std::string> files;
    std::vector<std::string> folders;
};
FolderEntries ListFolderEntries(const std::string& folder);

// Whether the path names an existing folder (a link to one included).
bool IsFolder(const std::string& path);

// A path left out because an earlier path names the same file: a link to
// it, a hard link, "./a.desc" beside "a.desc", the same path given twice.
struct PathAlias {
    std::string path;  // left out
    std::string file;  // the path the file is taken by
    bool operator==(const PathAlias&) const = default;
};

// The paths that name distinct files, in order; `aliases` gets the others.
// Files are told apart as the system knows them (device and inode; on
// Windows the volume and the file's number), whatever the path. Of the paths
// of one file the first that is not itself a symbolic link stays, so that a
// mod's file keeps the name it has below the mod's folder (the first path
// when every one is a link). A path that names nothing stays, for the load
// to name it.
std::vector<std::string> WithoutAliases(const std::vector<std::string>& paths, std::vector<PathAlias>& aliases);

// Path order: folder by folder, each name compared with its letters folded
// (name_folding.h; the bytes decide between names that fold alike), a
// folder's files among its subfolders by name.
void SortInPathOrder(std::vector<std::string>& paths, const CodePage& codePage = CodePage::Default());

// The deepest folder that holds every path, without a trailing separator
// unless it is a root ("/", "C:\"); empty when they share none. Names are
// compared as the system compares them (on Windows without regard to case).
std::string CommonFolder(const std::vector<std::string>& paths);

// The path below the root ("units\tank.desc"), or the path itself when it
// is not below the root.
std::string RelativeToRoot(const std::string& root, const std::string& path);

}  // namespace dravik
