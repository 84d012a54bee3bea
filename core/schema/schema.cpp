#include "core/schema/schema.h"

#include "core/errors.h"
#include "core/text/whole_number.h"

#include <unordered_map>

namespace dravik {

std::string SectionName(SectionNumber section)
{
    return section == kTextSection ? std::string("section_text") : "section" + std::to_string(section.number());
}

std::vector<std::string> GetSectionLines(const TextLines& variables, const std::string& sectionName)
{
    const std::string header = "[" + sectionName + "]";
    std::vector<std::string> entries;
    const auto& lines = variables.lines;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] != header)
            continue;
        for (size_t j = i + 1; j < lines.size() && (lines[j].empty() || lines[j][0] != '['); ++j)
            if (!lines[j].empty())
                entries.push_back(lines[j]);
    }
    return entries;
}

namespace {
std::string NameOf(const std::string& entry)
{
    const size_t eq = entry.find('=');
    return eq == std::string::npos ? std::string() : entry.substr(0, eq);
}
}  // namespace

SectionSchema ReadSectionSchema(const TextLines& variables, SectionNumber section, const CodePage& codePage)
{
    SectionSchema schema;
    const auto lines = GetSectionLines(variables, SectionName(section));

    // The count text of each folded name, from its first entry, so that
    // each entry's count is found without a scan of the section.
    std::unordered_map<std::string, std::string> countTexts;
    for (const auto& line : lines) {
        const size_t eq = line.find('=');
        if (eq != std::string::npos)
            countTexts.emplace(codePage.lowered(std::string_view(line).substr(0, eq)), line.substr(eq + 1));
    }

    schema.entries.reserve(lines.size());
    for (const auto& line : lines) {
        SectionEntry entry;
        entry.name = NameOf(line);
        auto found = countTexts.find(codePage.lowered(entry.name));
        const std::string text = found == countTexts.end() ? std::string() : found->second;
        auto count = ParseWholeNumber(text);
        if (!count) {
            schema.error = NotAValidIntegerMessage(text);
            break;
        }
        entry.count = *count;
        schema.entries.push_back(std::move(entry));
    }
    return schema;
}

}  // namespace dravik
