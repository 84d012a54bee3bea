#include "core/mod/mod_paths.h"

#include "core/document/desc_document.h"
#include "core/files/folder_listing.h"
#include "core/files/name_folding.h"
#include "core/files/native_path.h"

#include <algorithm>

namespace dravik {

std::string Slashed(std::string_view path)
{
    std::string slashed(path);
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    return slashed;
}

std::string ModPath(const std::string& root, const std::string& path) { return Slashed(RelativeToRoot(root, path)); }

std::vector<std::string> OpenModPaths(const DescDocument& document)
{
    std::vector<std::string> paths;
    for (int r = 1; r <= document.descFileCount(); ++r)
        paths.push_back(PathText(ModPath(document.openedRoot(), document.filePath(FileRow(r)))));
    return paths;
}

void ModPathIndex::add(const std::string& modPath, int value)
{
    const std::string slashed = Slashed(modPath);
    folded_.emplace(folded(slashed), value);
    exact_.emplace(slashed, value);
}

int ModPathIndex::find(std::string_view modPath) const
{
    const std::string slashed = Slashed(modPath);
    if (const auto found = exact_.find(slashed); found != exact_.end())
        return found->second;
    const auto found = folded_.find(folded(slashed));
    return found == folded_.end() ? -1 : found->second;
}

std::u32string ModPathIndex::folded(std::string_view modPath) const { return FoldedName(modPath, *codePage_); }

std::vector<size_t> InPathOrder(const std::vector<std::string>& modPaths, const CodePage& codePage)
{
    std::vector<std::string> sorted = modPaths;
    SortInPathOrder(sorted, codePage);
    // Equal paths (a file opened twice) keep their own order.
    std::unordered_map<std::string, std::vector<size_t>> positions;
    for (size_t i = modPaths.size(); i-- > 0;)
        positions[modPaths[i]].push_back(i);
    std::vector<size_t> order;
    order.reserve(modPaths.size());
    for (const std::string& path : sorted) {
        auto& left = positions[path];
        order.push_back(left.back());
        left.pop_back();
    }
    return order;
}

}  // namespace dravik
