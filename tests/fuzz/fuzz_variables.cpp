// The variables text: gathering a section's lines and reading its entries
// once (ReadSectionSchema) must give the answers of the entry-by-entry reads
// (the literal EntryName and EntryCount) that the desc commands are defined by.
#include "core/text/code_page.h"
#include "core/errors.h"
#include "core/schema/schema.h"
#include "core/text/text_lines.h"
#include "tests/core/schema/literal_reference.h"
#include "tests/fuzz/fuzz_support.h"

#include <cstddef>
#include <cstdint>

using namespace dravik;

namespace {

// The section's lines by the plain rule: after every exact header, the lines
// up to the next one starting with "[", empty ones left out.
std::vector<std::string> Reference(const TextLines& text, const std::string& header)
{
    std::vector<std::string> lines;
    bool inside = false;
    for (const auto& line : text.lines) {
        if (!line.empty() && line[0] == '[') {
            inside = line == header;
            continue;
        }
        if (inside && !line.empty())
            lines.push_back(line);
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const CodePage cyrillic = CodePage::Named("windows-1251");
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const TextLines text = SplitLines(bytes);

    std::size_t gathered = 0;
    for (SectionNumber section : AllSections()) {
        const std::string name = SectionName(section);
        const std::vector<std::string> lines = GetSectionLines(text, name);
        FUZZ_CHECK(lines == Reference(text, "[" + name + "]"), name);
        gathered += lines.size();

        const SectionSchema schema = ReadSectionSchema(text, section, cyrillic);
        FUZZ_CHECK(schema.entries.size() <= lines.size(), name);
        FUZZ_CHECK(schema.error.empty() == (schema.entries.size() == lines.size()), name);
        for (std::size_t k = 0; k < schema.entries.size(); ++k) {
            const std::string entryName = literal::EntryName(lines, k);
            FUZZ_CHECK(schema.entries[k].name == entryName, fuzz::Shown(lines[k]));
            FUZZ_CHECK(entryName.find('=') == std::string::npos, fuzz::Shown(lines[k]));
            int count = 0;
            try {
                count = literal::EntryCount(lines, entryName, cyrillic);
            } catch (const DravikError& e) {
                fuzz::Fail("a count read once is valid when read alone", fuzz::Shown(lines[k]) + " " + e.what());
            }
            FUZZ_CHECK(schema.entries[k].count == count, fuzz::Shown(lines[k]));
        }
        if (!schema.error.empty()) {
            const std::string error = schema.error.english();
            const std::size_t bad = schema.entries.size();
            try {
                literal::EntryCount(lines, literal::EntryName(lines, bad), cyrillic);
                fuzz::Fail("the entry that stopped the schema fails alone too", fuzz::Shown(lines[bad]));
            } catch (const DravikError& e) {
                // what() ends at a NUL byte; the message itself keeps it.
                FUZZ_CHECK(error.substr(0, error.find('\0')) == e.what(), fuzz::Shown(error));
            }
            FUZZ_CHECK(error.rfind("'", 0) == 0, error);
            const std::string tail = "' is not a valid integer value";
            FUZZ_CHECK(error.size() > tail.size() && error.compare(error.size() - tail.size(), tail.size(), tail) == 0,
                       fuzz::Shown(error));
        }
    }
    // A line belongs to at most one section block.
    FUZZ_CHECK(gathered <= text.lines.size(), "");
    return 0;
}
