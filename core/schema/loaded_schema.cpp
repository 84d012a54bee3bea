#include "core/schema/loaded_schema.h"

#include "core/errors.h"

#include <algorithm>

namespace dravik {

LoadedSchema::LoadedSchema(const TextLines& variables, const CodePage& codePage)
{
    for (SectionNumber i : AllSections()) {
        const size_t s = i.index();
        firstNumber[s] = numberedNames.size();
        sections[s] = ReadSectionSchema(variables, i, codePage);
        for (const auto& entry : sections[s].entries) {
            foldedNames[s].push_back(codePage.lowered(entry.name));
            const std::string& name = foldedNames[s].back();
            longestKey = std::max(longestKey, name.size());
            if (!name.empty())
                firstBytes[static_cast<unsigned char>(name[0])] = true;
            numberedNames.push_back(name);
        }
    }
    std::vector<std::string> all = numberedNames;
    std::sort(all.begin(), all.end());
    for (int i = 0; i < kSectionCount; ++i) {
        for (const auto& name : foldedNames[static_cast<size_t>(i)]) {
            auto after = std::upper_bound(all.begin(), all.end(), name);
            hasLongerName[static_cast<size_t>(i)].push_back(after != all.end() &&
                                                            after->compare(0, name.size(), name) == 0);
        }
    }
}

Message LoadedSchema::firstError() const
{
    for (const auto& section : sections)
        if (!section.error.empty())
            return section.error;
    return {};
}

Message LoadedSchema::tooLargeError(int files) const
{
    const long long rows = static_cast<long long>(files) + 1;
    long long cells = 0;
    const SectionEntry* largest = nullptr;
    for (const auto& section : sections) {
        long long columns = 2;
        for (const auto& entry : section.entries) {
            if (!largest || entry.count > largest->count)
                largest = &entry;
            columns += ColumnsOf(entry);
            if (columns > kMaxValueCells)
                break;
        }
        cells += columns * rows;
        if (cells > kMaxValueCells)
            return largest ? TooManyColumnsMessage(largest->name, largest->count) : TooManyColumnsMessage("", 0);
    }
    return {};
}

}  // namespace dravik
