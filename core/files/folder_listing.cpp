#include "core/files/folder_listing.h"

#include "core/errors.h"
#include "core/files/file_io_system.h"
#include "core/files/name_folding.h"
#include "core/files/native_path.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>
#include <utility>

namespace dravik {

namespace fs = std::filesystem;

namespace {

// What makes a folder (or a file) the same however it was reached.
using FolderId = sys::FileIdentity;

bool Identify(const fs::path& folder, FolderId& id)
{
    FileError ignored;
    return sys::IdentityOf(PathOfFileSystemPath(folder), id, ignored);
}

// "*" and "?" against a case-folded name, "?" standing for one character.
bool WildcardMatch(std::u32string_view pattern, std::u32string_view name)
{
    size_t p = 0;
    size_t n = 0;
    size_t star = std::u32string_view::npos;
    size_t resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (star != std::u32string_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool Hidden(const fs::path& path, const std::string& name) { return name.front() == '.' || sys::IsHidden(path); }

FolderListing Walk(const std::string& root, const NamePattern& pattern, bool below, const CodePage& codePage,
                   size_t maxEntries)
{
    FolderListing listing;
    size_t entryCount = 0;
    std::set<FolderId> seen;
    std::vector<fs::path> folders;
    auto list = [&](const fs::path& folder) {
        std::error_code ec;
        fs::directory_iterator entries(folder, ec);
        for (; !ec && entries != fs::directory_iterator(); entries.increment(ec)) {
            const fs::directory_entry& entry = *entries;
            if (maxEntries > 0 && ++entryCount > maxEntries)
                throw DravikError(CannotOpenFolderMessage(
                    root, Message(DRAVIK_TR("Files", "It holds more than %1 files and folders"),
                                  {std::to_string(maxEntries)})));
            const std::string name = PathOfFileSystemPath(entry.path().filename());
            if (name.empty() || Hidden(entry.path(), name))
                continue;
            std::error_code typeError;
            if (entry.is_directory(typeError)) {
                // A folder reached again, through a link or by a link to one
                // above, is not listed twice.
                FolderId id;
                if (below && Identify(entry.path(), id) && seen.insert(id).second)
                    folders.push_back(entry.path());
            } else if (entry.is_regular_file(typeError) && pattern.matches(name)) {
                listing.files.push_back(PathOfFileSystemPath(entry.path()));
            }
        }
        return ec;
    };

    const fs::path top = FileSystemPath(root);
    if (FolderId id; Identify(top, id))
        seen.insert(id);
    if (const std::error_code ec = list(top))
        throw DravikError(CannotOpenFolderMessage(root, ec.message()));
    while (!folders.empty()) {
        const fs::path folder = std::move(folders.back());
        folders.pop_back();
        if (const std::error_code ec = list(folder))
            listing.unreadableFolders.push_back({PathOfFileSystemPath(folder), ec.message()});
    }
    SortInPathOrder(listing.files, codePage);
    return listing;
}

}  // namespace

Message CannotOpenFolderMessage(const std::string& folder, const Message& reason)
{
    // Messages are text: the path as the code page renders it.
    return Message(DRAVIK_TR("Files", "Cannot open folder \"%1\". %2"), {PathText(folder), reason});
}

Message FolderListing::unreadableMessage() const
{
    if (unreadableFolders.empty())
        return {};
    return CannotOpenFolderMessage(unreadableFolders.front().folder, unreadableFolders.front().reason);
}

NamePattern::NamePattern(std::string_view text, const CodePage& codePage) : codePage_(&codePage)
{
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(';', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view part = text.substr(start, end - start);
        while (!part.empty() && (part.front() == ' ' || part.front() == '\t'))
            part.remove_prefix(1);
        while (!part.empty() && (part.back() == ' ' || part.back() == '\t'))
            part.remove_suffix(1);
        if (!part.empty())
            patterns_.push_back(FoldedName(part, codePage));
        start = end + 1;
    }
    if (patterns_.empty())
        patterns_.push_back(U"*.*");
}

bool NamePattern::matches(std::string_view name) const
{
    const std::u32string folded = FoldedName(name, *codePage_);
    const bool dotless = folded.find(U'.') == std::u32string::npos;
    for (const std::u32string& pattern : patterns_) {
        if (WildcardMatch(pattern, folded))
            return true;
        const std::u32string_view stem(pattern.data(), pattern.size() >= 2 ? pattern.size() - 2 : 0);
        if (dotless && pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, U".*") == 0 &&
            WildcardMatch(stem, folded))
            return true;
    }
    return false;
}

bool NamePattern::HasWildcards(std::string_view text) { return text.find_first_of("*?") != std::string_view::npos; }

FolderListing ListFolder(const std::string& folder, const NamePattern& pattern, const CodePage& codePage,
                         size_t maxEntries)
{
    return Walk(folder, pattern, true, codePage, maxEntries);
}

FolderListing ListFolderFiles(const std::string& folder, const NamePattern& pattern, const CodePage& codePage)
{
    return Walk(folder, pattern, false, codePage, 0);
}

FolderEntries ListFolderEntries(const std::string& folder)
{
    FolderEntries entries;
    std::error_code ec;
    for (fs::directory_iterator at(FileSystemPath(folder), ec); !ec && at != fs::directory_iterator(); at.increment(ec)) {
        const std::string name = PathOfFileSystemPath(at->path().filename());
        if (name.empty() || Hidden(at->path(), name))
            continue;
        std::error_code typeError;
        if (at->is_directory(typeError))
            entries.folders.push_back(name);
        else if (at->is_regular_file(typeError))
            entries.files.push_back(name);
    }
    return entries;
}

bool IsFolder(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && fs::is_directory(FileSystemPath(path), ec);
}

std::vector<std::string> WithoutAliases(const std::vector<std::string>& paths, std::vector<PathAlias>& aliases)
{
    aliases.clear();
    std::vector<FolderId> ids(paths.size());
    std::vector<bool> known(paths.size());
    std::map<FolderId, size_t> taker;  // the path each file is taken by
    auto isLink = [&](size_t i) {
        std::error_code ec;
        return fs::is_symlink(fs::symlink_status(FileSystemPath(paths[i]), ec));
    };
    for (size_t i = 0; i < paths.size(); ++i) {
        known[i] = Identify(FileSystemPath(paths[i]), ids[i]);
        if (!known[i])
            continue;
        const auto [at, first] = taker.try_emplace(ids[i], i);
        if (!first && isLink(at->second) && !isLink(i))
            at->second = i;
    }
    std::vector<std::string> distinct;
    distinct.reserve(paths.size());
    for (size_t i = 0; i < paths.size(); ++i) {
        const size_t by = known[i] ? taker[ids[i]] : i;
        if (by == i)
            distinct.push_back(paths[i]);
        else
            aliases.push_back({paths[i], paths[by]});
    }
    return distinct;
}

void SortInPathOrder(std::vector<std::string>& paths, const CodePage& codePage)
{
    // A separator sorts before every character a name may hold, so that the
    // comparison goes name by name: "a\b" before "a.txt", as "a" is before it.
    std::vector<std::pair<std::u32string, std::string>> keyed;
    keyed.reserve(paths.size());
    for (std::string& path : paths) {
        std::u32string key = FoldedName(path, codePage);
        for (char32_t& c : key)
            if (c < 0x80 && IsPathSeparator(static_cast<char>(c)))
                c = U'\x01';
        keyed.emplace_back(std::move(key), std::move(path));
    }
    std::sort(keyed.begin(), keyed.end());
    for (size_t i = 0; i < paths.size(); ++i)
        paths[i] = std::move(keyed[i].second);
}

std::string CommonFolder(const std::vector<std::string>& paths)
{
    // Each path's folder with its trailing separator; the common part is cut
    // back to the last separator both share.
    auto folderOf = [](const std::string& path) {
        size_t end = path.size();
        while (end > 0 && !IsPathSeparator(path[end - 1]))
            --end;
        return std::string_view(path).substr(0, end);
    };
    if (paths.empty())
        return {};
    std::string_view common = folderOf(paths.front());
    for (size_t i = 1; i < paths.size() && !common.empty(); ++i) {
        const std::string_view folder = folderOf(paths[i]);
        size_t n = 0;
        while (n < common.size() && n < folder.size() && SameNameChar(common[n], folder[n]))
            ++n;
        while (n > 0 && !IsPathSeparator(common[n - 1]))
            --n;
        common = common.substr(0, n);
    }
    if (common.size() > 1 && common[common.size() - 2] != ':')
        common.remove_suffix(1);
    return std::string(common);
}

std::string RelativeToRoot(const std::string& root, const std::string& path)
{
    if (root.empty() || path.size() <= root.size())
        return path;
    for (size_t i = 0; i < root.size(); ++i)
        if (!SameNameChar(root[i], path[i]))
            return path;
    if (IsPathSeparator(root.back()))
        return path.substr(root.size());
    if (!IsPathSeparator(path[root.size()]))
        return path;
    return path.substr(root.size() + 1);
}

}  // namespace dravik
