#include "core/checks/file_names.h"

#include "core/files/name_folding.h"
#include "core/mod/mod_paths.h"

#include <algorithm>

namespace dravik {

namespace {

// The names of a path as written, "." and empty ones left out.
std::vector<std::string_view> Names(std::string_view path)
{
    std::vector<std::string_view> names;
    size_t start = 0;
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/' || path[i] == '\\') {
            const std::string_view name = path.substr(start, i - start);
            if (!name.empty() && name != ".")
                names.push_back(name);
            start = i + 1;
        }
    }
    return names;
}

}  // namespace

std::uint64_t NameHash(std::string_view name, const CodePage& codePage)
{
    // FNV-1a over the folded characters, a character a step; ASCII, as
    // nearly every name is,
    // folded here.
    std::uint64_t hash = 0xCBF29CE484222325ull;
    auto mix = [&](char32_t c) {
        hash ^= c;
        hash *= 0x100000001B3ull;
    };
    if (std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        for (const char c : name)
            mix(static_cast<char32_t>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c));
    } else {
        for (const char32_t c : FoldedName(name, codePage))
            mix(c);
    }
    return hash;
}

void FileNames::HashSet::insert(std::uint64_t hash)
{
    hash = hash ? hash : 1;
    if (2 * (count_ + 1) > slots_.size()) {
        std::vector<std::uint64_t> old(std::max<size_t>(64, 2 * slots_.size()), 0);
        old.swap(slots_);
        count_ = 0;
        for (const std::uint64_t held : old)
            if (held)
                insert(held);
    }
    const size_t mask = slots_.size() - 1;
    for (size_t at = hash & mask;; at = (at + 1) & mask) {
        if (slots_[at] == hash)
            return;
        if (slots_[at] == 0) {
            slots_[at] = hash;
            ++count_;
            return;
        }
    }
}

bool FileNames::HashSet::contains(std::uint64_t hash) const
{
    if (slots_.empty())
        return false;
    hash = hash ? hash : 1;
    const size_t mask = slots_.size() - 1;
    for (size_t at = hash & mask;; at = (at + 1) & mask) {
        if (slots_[at] == hash)
            return true;
        if (slots_[at] == 0)
            return false;
    }
}

void FileNames::tailHashes(std::string_view path, std::vector<std::uint64_t>& hashes) const
{
    // The names from the last one back, each hash joined to the hash of
    // the names after it, and stirred.
    hashes.clear();
    std::uint64_t tail = 0x9E3779B97F4A7C15ull;
    size_t end = path.size();
    while (true) {
        size_t begin = end;
        while (begin > 0 && path[begin - 1] != '/' && path[begin - 1] != '\\')
            --begin;
        const std::string_view name = path.substr(begin, end - begin);
        if (!name.empty() && name != ".") {
            std::uint64_t h = tail ^ (NameHash(name, *codePage_) + 0x9E3779B97F4A7C15ull + (tail << 6) + (tail >> 2));
            h ^= h >> 33;
            h *= 0xFF51AFD7ED558CCDull;
            h ^= h >> 33;
            h *= 0xC4CEB9FE1A85EC53ull;
            h ^= h >> 33;
            hashes.push_back(tail = h);
        }
        if (begin == 0)
            break;
        end = begin - 1;
    }
    std::reverse(hashes.begin(), hashes.end());
}

void FileNames::add(std::string_view relativePath)
{
    std::vector<std::uint64_t> hashes;
    tailHashes(relativePath, hashes);
    if (hashes.empty())
        return;
    paths_.push_back(Slashed(relativePath));
    whole_.insert(hashes.front());
    for (const std::uint64_t hash : hashes)
        tails_.insert(hash);
}

void FileNames::addListing(const std::string& folder, const FolderListing& listing)
{
    for (const std::string& file : listing.files)
        add(RelativeToRoot(folder, file));
}

bool FileNames::names(std::string_view value) const
{
    thread_local std::vector<std::uint64_t> hashes;
    tailHashes(value, hashes);
    if (hashes.empty())
        return false;
    // The value is a file's path from one of its folders on...
    if (tails_.contains(hashes.front()))
        return true;
    // ...or its folders begin above the files' folder.
    for (size_t i = 1; i < hashes.size(); ++i)
        if (whole_.contains(hashes[i]))
            return true;
    return false;
}

std::string FileNames::extension(std::string_view path) const
{
    size_t dot = path.size();
    while (dot > 0 && path[dot - 1] != '.' && path[dot - 1] != '/' && path[dot - 1] != '\\')
        --dot;
    if (dot == 0 || path[dot - 1] != '.' || dot == path.size())
        return {};
    return codePage_->lowered(path.substr(dot));
}

const FilesBelow::Folder& FilesBelow::listed(const std::string& path) const
{
    const auto found = listed_.find(path);
    if (found != listed_.end())
        return found->second;
    Folder& folder = listed_[path];
    const FolderEntries entries = ListFolderEntries(path);
    for (const std::string& name : entries.folders)
        folder.folders.emplace(NameHash(name, *codePage_), name);
    for (const std::string& name : entries.files)
        folder.files.insert(NameHash(name, *codePage_));
    return folder;
}

bool FilesBelow::names(std::string_view value) const
{
    if (folder_.empty())
        return false;
    const char separator = folder_.find('\\') != std::string::npos ? '\\' : '/';
    const std::vector<std::string_view> names = Names(value);
    for (size_t from = 0; from < names.size(); ++from) {
        std::string path = folder_;
        size_t i = from;
        for (; i + 1 < names.size(); ++i) {
            const Folder& folder = listed(path);
            const auto found = folder.folders.find(NameHash(names[i], *codePage_));
            if (found == folder.folders.end())
                break;
            if (path.back() != separator)
                path += separator;
            path += found->second;
        }
        if (i + 1 == names.size() && listed(path).files.count(NameHash(names[i], *codePage_)))
            return true;
    }
    return false;
}

}  // namespace dravik
