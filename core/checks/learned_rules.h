// The rules learned from the base game's files: for every value column, a
// rule over all its files and, where the base game sorts its files into
// groups and a group holds enough of them, a rule of the group's own (the
// armor of its tanks apart from that of its infantry).
#pragma once

#include "core/checks/file_names.h"
#include "core/checks/table_columns.h"
#include "core/checks/value_rule.h"
#include "core/text/code_page.h"

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace dravik {

// How the base game's files are sorted into groups.
struct Grouping {
    enum class By : std::uint8_t {
        Nothing,
        Folder,  // by their first `depth` folders below the base game's folder ("units/tanks")
        Key,     // by the value of `key` ("tank", "gun")
    };
    By by = By::Nothing;
    int depth = 0;
    CheckColumn key;
    bool operator==(const Grouping&) const = default;
};

struct RuleGroup {
    std::string name;  // the folders, "/" between them, or the sorting value, as the base game spells it
    int files = 0;
};

struct ColumnRules {
    CheckColumn column;
    ValueRule rule;  // over all the files
    // Per group (by index); a group without a rule of its own takes `rule`.
    std::vector<std::optional<ValueRule>> groups;

    // The rule a file of group `group` (-1 for none) is held to, and whether
    // it is the group's own.
    const ValueRule& ruleOf(int group, bool* own = nullptr) const
    {
        const bool found = group >= 0 && static_cast<size_t>(group) < groups.size() &&
                           groups[static_cast<size_t>(group)].has_value();
        if (own)
            *own = found;
        return found ? *groups[static_cast<size_t>(group)] : rule;
    }
};

class LearnedRules {
    const CodePage* codePage_;

public:
    explicit LearnedRules(const CodePage& codePage = CodePage::Default()) : codePage_(&codePage) {}
    // Keeps a reference to the code page: a temporary one would dangle.
    explicit LearnedRules(CodePage&&) = delete;

    const CodePage& codePage() const { return *codePage_; }

    Grouping grouping;
    int files = 0;  // the base game's desc files learned from
    std::vector<RuleGroup> groups;
    std::vector<ColumnRules> columns;  // section by section, in table order
    // The base game's files, and the kinds of them (their extensions,
    // folded) that the base game's paths name: a path names one of those.
    std::shared_ptr<const FileNames> fileNames;
    std::set<std::string> pathKinds;
    NamedFiles baseFiles() const { return {fileNames.get(), &pathKinds, nullptr}; }

    // Builds the lookups once the rules are filled in, and folds their words.
    void finish();

    const ColumnRules* find(const CheckColumn& column) const;
    // The group of the files whose sorting value is `value`; -1 for none.
    int groupOfValue(std::string_view value) const;
    // The group of a file whose path below its set's folder is `relative`
    // (a mod's own folder, or the base game's): its first folders as the
    // groups go; else, for a set opened below the folder that matches the
    // base game's, the last run of folders of its full path `path` that
    // names a group. -1 for none.
    int groupOfFile(std::string_view relative, std::string_view path) const;
    // What a reason calls a group: a folder group by its last folder ("tanks")
    // unless another group ends in the same name.
    std::string displayName(int group) const;

private:
    std::unordered_map<std::string, size_t> byColumn_;
    std::unordered_map<std::string, int> byValue_;       // folded sorting value
    std::unordered_map<std::u32string, int> byFolders_;  // folded folders
    std::vector<std::string> displayNames_;
};

// A column as one text, for lookups and for files: section, key, value.
std::string ColumnText(const CheckColumn& column);

// The folders of a path ("units/tanks" for "units\tanks\t34.desc"), "/"
// between them.
std::vector<std::string> FoldersOf(std::string_view path);

}  // namespace dravik
