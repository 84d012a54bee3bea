#include "core/checks/learned_rules.h"

#include "core/files/name_folding.h"

#include <map>

namespace dravik {

namespace {

std::string Joined(const std::vector<std::string>& names, size_t from, size_t to)
{
    std::string joined;
    for (size_t i = from; i < to; ++i) {
        if (i > from)
            joined += '/';
        joined += names[i];
    }
    return joined;
}

}  // namespace

std::string ColumnText(const CheckColumn& column)
{
    return std::to_string(column.section.number()) + '\t' + column.key + '\t' + std::to_string(column.value);
}

std::vector<std::string> FoldersOf(std::string_view path)
{
    std::vector<std::string> names;
    size_t start = 0;
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/' || path[i] == '\\') {
            if (i > start && path.substr(start, i - start) != ".")
                names.emplace_back(path.substr(start, i - start));
            start = i + 1;
        }
    }
    // The last name is the file's own.
    if (!names.empty() && !path.empty() && path.back() != '/' && path.back() != '\\')
        names.pop_back();
    return names;
}

void LearnedRules::finish()
{
    byColumn_.clear();
    for (size_t i = 0; i < columns.size(); ++i) {
        ColumnRules& column = columns[i];
        byColumn_.emplace(ColumnText(column.column), i);
        column.rule.fold(*codePage_);
        column.groups.resize(groups.size());
        for (auto& rule : column.groups)
            if (rule)
                rule->fold(*codePage_);
    }
    byValue_.clear();
    byFolders_.clear();
    std::map<std::u32string, int> lastNames;
    for (size_t g = 0; g < groups.size(); ++g) {
        const std::string& name = groups[g].name;
        if (grouping.by == Grouping::By::Key) {
            byValue_.emplace(codePage_->lowered(name), static_cast<int>(g));
        } else if (grouping.by == Grouping::By::Folder) {
            byFolders_.emplace(FoldedName(name, *codePage_), static_cast<int>(g));
            const size_t slash = name.rfind('/');
            ++lastNames[FoldedName(slash == std::string::npos ? name : name.substr(slash + 1), *codePage_)];
        }
    }
    displayNames_.clear();
    for (const RuleGroup& group : groups) {
        const size_t slash = group.name.rfind('/');
        const std::string last = slash == std::string::npos ? group.name : group.name.substr(slash + 1);
        const bool shared = grouping.by == Grouping::By::Folder && lastNames[FoldedName(last, *codePage_)] > 1;
        displayNames_.push_back(shared ? group.name : last);
    }
}

const ColumnRules* LearnedRules::find(const CheckColumn& column) const
{
    const auto found = byColumn_.find(ColumnText(column));
    return found == byColumn_.end() ? nullptr : &columns[found->second];
}

int LearnedRules::groupOfValue(std::string_view value) const
{
    if (grouping.by != Grouping::By::Key)
        return -1;
    const auto found = byValue_.find(codePage_->lowered(value));
    return found == byValue_.end() ? -1 : found->second;
}

int LearnedRules::groupOfFile(std::string_view relative, std::string_view path) const
{
    if (grouping.by != Grouping::By::Folder || grouping.depth <= 0)
        return -1;
    const size_t depth = static_cast<size_t>(grouping.depth);
    auto lookUp = [&](const std::vector<std::string>& folders, size_t from) {
        const auto found = byFolders_.find(FoldedName(Joined(folders, from, from + depth), *codePage_));
        return found == byFolders_.end() ? -1 : found->second;
    };
    const std::vector<std::string> below = FoldersOf(relative);
    if (below.size() >= depth)
        if (const int group = lookUp(below, 0); group >= 0)
            return group;
    const std::vector<std::string> all = FoldersOf(path);
    for (size_t from = all.size() >= depth ? all.size() - depth + 1 : 0; from-- > 0;)
        if (const int group = lookUp(all, from); group >= 0)
            return group;
    return -1;
}

std::string LearnedRules::displayName(int group) const
{
    return group >= 0 && static_cast<size_t>(group) < displayNames_.size() ? displayNames_[static_cast<size_t>(group)]
                                                                          : std::string();
}

}  // namespace dravik
