// The analyzer's key entries: each line's entry follows the word rule, and
// the key list stays sorted and distinct through adds, ticks and takes.
#include "core/text/code_page.h"
#include "core/text/dravik2_auxillary.h"
#include "core/schema/key_entries.h"
#include "core/text/text_lines.h"
#include "core/text/whole_number.h"
#include "tests/core/schema/literal_reference.h"
#include "tests/fuzz/fuzz_support.h"

#include <cstddef>
#include <cstdint>

using namespace dravik;

namespace {

std::string ReferenceEntry(const std::string& line)
{
    const std::vector<std::string> words = literal::BlankWords(line);
    const int c = static_cast<int>(words.size());
    const std::string name = words.empty() ? std::string(" ") : words[0];
    std::string second;
    int count = c - 1;
    if (count > 1 && !ParseWholeNumber(words[1])) {
        second = words[1];
        count = c - 2;
    }
    std::string entry = name + " " + second + "=" + std::to_string(count);
    for (char& ch : entry)
        if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
    return entry;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const TextLines text = SplitLines(bytes);

    std::vector<std::string> entries;
    for (const auto& line : text.lines) {
        const std::optional<std::string> entry = KeyEntryOfLine(line);
        FUZZ_CHECK(entry.has_value() == !(line.empty() || line[0] == '-'), fuzz::Shown(line));
        if (!entry)
            continue;
        FUZZ_CHECK(*entry == ReferenceEntry(line), fuzz::Shown(line) + " -> " + fuzz::Shown(*entry));
        FUZZ_CHECK(*entry == AsciiLowered(*entry), fuzz::Shown(*entry));
        entries.push_back(*entry);

        const std::string header = SectionHeaderFor(line);
        if (auto number = ParseWholeNumber(line))
            FUZZ_CHECK(header == "[section" + std::to_string(*number) + "]", fuzz::Shown(line));
        else
            FUZZ_CHECK(header == "[section_text]", fuzz::Shown(line));
    }

    KeyList list;
    list.addLinesOf(text);
    auto sortedAndDistinct = [&] {
        for (int i = 1; i < list.size(); ++i)
            FUZZ_CHECK(list.at(i - 1).entry < list.at(i).entry, fuzz::Shown(list.at(i).entry));
    };
    sortedAndDistinct();
    for (const auto& entry : entries)
        FUZZ_CHECK(list.indexOf(entry) >= 0, fuzz::Shown(entry));
    FUZZ_CHECK(list.size() <= static_cast<int>(entries.size()), "");

    // Tick by the input's bytes; adding again keeps the ticks; take them.
    std::vector<std::string> ticked;
    for (int i = 0; i < list.size(); ++i)
        if (size > 0 && (data[static_cast<std::size_t>(i) % size] & 1)) {
            list.setTicked(i, true);
            ticked.push_back(list.at(i).entry);
        }
    const int before = list.size();
    list.addLinesOf(text);
    FUZZ_CHECK(list.size() == before, "");
    const std::vector<std::string> taken = list.takeTicked();
    FUZZ_CHECK(taken == ticked, "");
    FUZZ_CHECK(list.size() + static_cast<int>(taken.size()) == before, "");
    sortedAndDistinct();
    for (const auto& entry : taken)
        FUZZ_CHECK(list.indexOf(entry) < 0, fuzz::Shown(entry));
    for (int i = 0; i < list.size(); ++i)
        FUZZ_CHECK(!list.at(i).ticked, "");
    return 0;
}
