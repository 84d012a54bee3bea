#include "core/schema/key_entries.h"

#include "core/text/code_page.h"
#include "core/text/dravik2_auxillary.h"
#include "core/text/whole_number.h"

#include <algorithm>

namespace dravik {

std::optional<std::string> KeyEntryOfLine(const std::string& line)
{
    if (line.empty() || line[0] == '-')
        return std::nullopt;
    const int words = WordCount(line);
    const std::string name = GetWord(' ', line, 0);
    std::string second;
    int count = words - 1;
    if (count > 1 && !ParseWholeNumber(GetWord(' ', line, 1))) {
        second = GetWord(' ', line, 1);
        count = words - 2;
    }
    return AsciiLowered(name + " " + second + "=" + std::to_string(count));
}

std::string SectionHeaderFor(const std::string& sectionBoxText)
{
    if (auto number = ParseWholeNumber(sectionBoxText))
        return "[section" + std::to_string(*number) + "]";
    return "[section_text]";
}

namespace {
bool EntryBefore(const KeyList::Item& item, const std::string& entry) { return item.entry < entry; }
}  // namespace

void KeyList::add(const std::string& entry)
{
    auto place = std::lower_bound(items_.begin(), items_.end(), entry, EntryBefore);
    if (place != items_.end() && place->entry == entry)
        return;
    items_.insert(place, Item{entry, false});
}

void KeyList::addLinesOf(const TextLines& text)
{
    for (const auto& line : text.lines)
        if (auto entry = KeyEntryOfLine(line))
            add(*entry);
}

int KeyList::indexOf(const std::string& entry) const
{
    auto place = std::lower_bound(items_.begin(), items_.end(), entry, EntryBefore);
    return place != items_.end() && place->entry == entry ? static_cast<int>(place - items_.begin()) : -1;
}

std::vector<std::string> KeyList::takeTicked()
{
    std::vector<std::string> taken;
    std::vector<Item> kept;
    for (auto& item : items_)
        (item.ticked ? taken.emplace_back(std::move(item.entry)) : (kept.push_back(std::move(item)), kept.back().entry));
    items_ = std::move(kept);
    return taken;
}

}  // namespace dravik
