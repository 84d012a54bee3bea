#include "core/checks/rules_file.h"

#include "core/errors.h"
#include "core/files/file_io.h"
#include "core/files/native_path.h"
#include "core/text/record_file.h"
#include "core/text/utf8_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <unordered_map>

namespace dravik {

namespace {

const std::array<const char*, 5> kKinds = {"whole", "decimal", "word", "path", "text"};

// The shortest text that reads back as the same number.
std::string NumberText(double value)
{
    std::array<char, 64> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return error == std::errc() ? std::string(buffer.data(), end) : std::string();
}

void Append(std::string& text, std::string_view field)
{
    text += '\t';
    text += field;
}

void AppendRule(std::string& text, const ValueRule& rule)
{
    Append(text, std::to_string(rule.files));
    for (const double number : {rule.min, rule.max, rule.low, rule.high})
        Append(text, rule.isNumber() ? NumberText(number) : std::string());
    text += '\t';
    for (std::uint32_t k = 0, written = 0; k < 32; ++k) {
        if (rule.places >> k & 1) {
            if (written++)
                text += ',';
            text += std::to_string(k);
        }
    }
    for (const std::string& word : rule.words)
        Append(text, word);
}

std::string GroupingText(const Grouping& grouping)
{
    switch (grouping.by) {
    case Grouping::By::Folder: return "folder\t" + std::to_string(grouping.depth);
    case Grouping::By::Key:
        return "key\t" + SectionName(grouping.key.section) + '\t' + grouping.key.key + '\t' +
               std::to_string(grouping.key.value);
    case Grouping::By::Nothing: break;
    }
    return "none";
}

class Reader {
public:
    Reader(const std::string& name, const CodePage& codePage) : file_(PathText(name)), codePage_(codePage)
    {
        file_.insert(file_.begin(), '"');
        file_ += '"';
    }

    std::shared_ptr<LearnedRules> read(std::string_view bytes)
    {
        if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark)
            bytes.remove_prefix(kUtf8Mark.size());
        const RecordLines records = ReadRecordLines(bytes, kRulesFormat);
        header(records.version);
        rules_ = std::make_shared<LearnedRules>(codePage_);
        files_ = std::make_shared<FileNames>(codePage_);
        rules_->fileNames = files_;
        records.forEachRecord([&](size_t line, const std::vector<std::string_view>& fields) {
            line_ = line;
            entry(fields);
        });
        rules_->finish();
        return rules_;
    }

private:
    [[noreturn]] void fail(const std::string& why) const
    {
        throw DravikError("Line " + std::to_string(line_) + " of " + file_ + " " + why);
    }

    void header(int version) const
    {
        if (version == 0)
            throw DravikError(file_ + " is not a rules file: its first line should read \"" + kRulesFormat +
                              "\", a TAB and \"" + VersionField(kRulesVersion) + "\"");
        if (version > kRulesVersion)
            throw DravikError(file_ + " holds rules of " + VersionField(version) +
                              ", written by a later Dravik 2; this one reads " + VersionField(kRulesVersion));
    }

    int count(std::string_view field, int least) const
    {
        int value = 0;
        const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
        if (error != std::errc() || end != field.data() + field.size() || value < least)
            fail("has \"" + std::string(field) + "\" where a count should be");
        return value;
    }

    double number(std::string_view field) const
    {
        double value = 0;
        const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
        if (error != std::errc() || end != field.data() + field.size() || !std::isfinite(value))
            fail("has \"" + std::string(field) + "\" where a number should be");
        return value;
    }

    CheckColumn column(const std::vector<std::string_view>& fields, size_t at) const
    {
        CheckColumn column;
        for (SectionNumber section : AllSections())
            if (SectionName(section) == fields[at])
                column.section = section;
        if (!IsSection(column.section))
            fail("names no section (section1 to section9, section_text): \"" + std::string(fields[at]) + "\"");
        column.key = fields[at + 1];
        column.value = count(fields[at + 2], 1);
        return column;
    }

    // A rule's files, numbers, decimal places and words from field `at` on.
    ValueRule rule(ValueKind kind, const std::vector<std::string_view>& fields, size_t at) const
    {
        if (fields.size() < at + 6)
            fail("is cut short: a rule holds its values, four numbers, its decimal places and its words");
        ValueRule rule;
        rule.kind = kind;
        rule.files = count(fields[at], 0);
        if (rule.isNumber()) {
            rule.min = number(fields[at + 1]);
            rule.max = number(fields[at + 2]);
            rule.low = number(fields[at + 3]);
            rule.high = number(fields[at + 4]);
        }
        for (std::string_view places = fields[at + 5]; !places.empty();) {
            const size_t comma = std::min(places.find(','), places.size());
            rule.places |= std::uint32_t{1} << std::min(count(places.substr(0, comma), 0), 31);
            places.remove_prefix(std::min(comma + 1, places.size()));
        }
        for (size_t i = at + 6; i < fields.size(); ++i)
            rule.words.emplace_back(fields[i]);
        return rule;
    }

    void entry(const std::vector<std::string_view>& fields)
    {
        const std::string_view what = fields[0];
        auto need = [&](size_t least) {
            if (fields.size() < least)
                fail("is cut short: a " + std::string(what) + " line holds " + std::to_string(least) + " fields");
        };
        if (what == "learned") {
            need(2);
            rules_->files = count(fields[1], 0);
        } else if (what == "grouping") {
            need(2);
            if (fields[1] == "folder") {
                need(3);
                rules_->grouping = {Grouping::By::Folder, count(fields[2], 1), {}};
            } else if (fields[1] == "key") {
                need(5);
                rules_->grouping = {Grouping::By::Key, 0, column(fields, 2)};
            } else if (fields[1] != "none") {
                fail("groups by \"" + std::string(fields[1]) + "\"; it should be none, folder or key");
            }
        } else if (what == "group") {
            need(3);
            groupIndex_.emplace(std::string(fields[1]), static_cast<int>(rules_->groups.size()));
            rules_->groups.push_back({std::string(fields[1]), count(fields[2], 0)});
        } else if (what == "column") {
            need(5);
            const CheckColumn named = column(fields, 1);
            size_t kind = 0;
            while (kind < kKinds.size() && fields[4] != kKinds[kind])
                ++kind;
            if (kind == kKinds.size())
                fail("has the kind \"" + std::string(fields[4]) + "\"; it should be whole, decimal, word, path or text");
            rules_->columns.push_back({named, rule(static_cast<ValueKind>(kind), fields, 5), {}});
            rules_->columns.back().groups.resize(rules_->groups.size());
        } else if (what == "in") {
            need(2);
            if (rules_->columns.empty())
                fail("holds a group's rule before any column");
            const auto found = groupIndex_.find(std::string(fields[1]));
            if (found == groupIndex_.end())
                fail("names the group \"" + std::string(fields[1]) + "\", which no group line names");
            ColumnRules& column = rules_->columns.back();
            column.groups[static_cast<size_t>(found->second)] = rule(column.rule.kind, fields, 2);
        } else if (what == "file") {
            need(2);
            files_->add(fields[1]);
            rules_->pathKinds.insert(files_->extension(fields[1]));
        } else {
            fail("begins with \"" + std::string(what) + "\"; a line of rules begins with learned, grouping, group, "
                 "column, in or file");
        }
    }

    std::string file_;
    const CodePage& codePage_;
    size_t line_ = 0;
    std::shared_ptr<LearnedRules> rules_;
    std::shared_ptr<FileNames> files_;
    std::unordered_map<std::string, int> groupIndex_;
};

}  // namespace

std::string RulesText(const LearnedRules& rules)
{
    std::string text = RecordHeader(kRulesFormat, kRulesVersion);
    text += "learned\t" + std::to_string(rules.files) + "\r\n";
    text += "grouping\t" + GroupingText(rules.grouping) + "\r\n";
    for (const RuleGroup& group : rules.groups)
        if (FitsField(group.name))
            text += "group\t" + group.name + '\t' + std::to_string(group.files) + "\r\n";
    for (const ColumnRules& column : rules.columns) {
        if (!FitsField(column.column.key))
            continue;
        text += "column\t" + SectionName(column.column.section) + '\t' + column.column.key + '\t' +
                std::to_string(column.column.value) + '\t' + kKinds[static_cast<size_t>(column.rule.kind)];
        AppendRule(text, column.rule);
        text += "\r\n";
        for (size_t g = 0; g < column.groups.size() && g < rules.groups.size(); ++g) {
            if (!column.groups[g] || !FitsField(rules.groups[g].name))
                continue;
            text += "in\t" + rules.groups[g].name;
            AppendRule(text, *column.groups[g]);
            text += "\r\n";
        }
    }
    if (rules.fileNames)
        for (const std::string& path : rules.fileNames->paths())
            if (rules.pathKinds.count(rules.fileNames->extension(path)) && FitsField(path))
                text += "file\t" + path + "\r\n";
    return text;
}

std::shared_ptr<LearnedRules> ReadRulesText(std::string_view bytes, const std::string& name, const CodePage& codePage)
{
    return Reader(name, codePage).read(bytes);
}

std::shared_ptr<LearnedRules> ReadRulesFile(const std::string& path, const CodePage& codePage)
{
    return ReadRulesText(ReadFileOrThrow(path), path, codePage);
}

void WriteRulesFile(const std::string& path, const LearnedRules& rules) { WriteFileOrThrow(path, RulesText(rules)); }

}  // namespace dravik
