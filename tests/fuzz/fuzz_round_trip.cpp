// Open desc and Save all with no edit in between, on files written to disk.
// The input is a variables text and up to four desc files, separated by the
// byte 0x1E (without one, a fixed schema is used and the whole input is one
// desc file). What must hold:
//   - each cell of a key's columns holds the word the literal lookup finds,
//     nothing past the line's last word, one blank for a key without a line;
//   - each file comes back as the same lines, with only the lines of schema
//     keys rebuilt (name, blank, values each followed by a blank, then the
//     line's own words past them), found as the literal algorithm finds them
//     one entry after another;
//   - lines are joined by CR LF, with a final break exactly when there was one;
//   - a second Open desc and Save all changes no byte (unless one name is a
//     prefix of another, when the lookup may find other lines the second time);
//   - a schema that fails stops the save before any file is touched.
#include "core/text/code_page.h"
#include "core/document/desc_document.h"
#include "core/text/dravik2_auxillary.h"
#include "core/errors.h"
#include "core/schema/schema.h"
#include "core/text/text_lines.h"
#include "tests/core/schema/literal_reference.h"
#include "tests/fuzz/fuzz_support.h"

#include <cstddef>
#include <cstdint>

using namespace dravik;

namespace {

constexpr char kSeparator = '\x1E';

const char* const kFixedSchema =
    "[section1]\nhp =2\narmor=3\n[section2]\nspeed =1\nSPEED =2\n[section5]\nw gun=3\nwx =1\n"
    "[section9]\ncrew =0\n[section_text]\nname =2\n\xCD\xE0\xE7\xE2\xE0\xED\xE8\xE5 =1\n";

std::vector<std::string> Split(std::string_view bytes)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = bytes.find(kSeparator, start);
        if (at == std::string_view::npos) {
            parts.emplace_back(bytes.substr(start));
            return parts;
        }
        parts.emplace_back(bytes.substr(start, at - start));
        start = at + 1;
    }
}

// The text Save all must write for row r when nothing was edited, by the
// literal algorithm: each entry writes the cells laid out for it at the load,
// into the line the literal lookup finds at that moment.
TextLines Expected(const TextLines& original, const DescDocument& ws, int r)
{
    TextLines text = original;
    for (SectionNumber i : AllSections()) {
        const Grid& table = ws.grid(TableOf(i));
        const std::vector<std::string> lines = GetSectionLines(ws.variablesText(), SectionName(i));
        int col = 2;
        for (std::size_t k = 0; k < lines.size(); ++k) {
            const std::string name = literal::EntryName(lines, k);
            const int count = literal::EntryCount(lines, name, ws.codePage());
            const int own = col;
            col += std::max(count, 0);
            if (name.empty() || count < 0)
                continue;
            std::string rebuilt = name + " ";
            const long line = literal::KeyLine(text.lines, name, ws.codePage());
            if (TableOf(i) == kTextSectionTable) {
                for (int j = 0; j < std::min(count, 1); ++j)
                    rebuilt.append(table.cell(own + j, r)).append(" ");
            } else {
                // The cells the line had values for (every cell of a key the
                // file lacked), then the line's own words past them.
                const bool read = literal::KeyLine(original.lines, name, ws.codePage()) >= 0;
                const int had =
                    static_cast<int>(literal::BlankWords(literal::GetKeyValue(original.lines, name, ws.codePage())).size());
                const int values = read ? std::min(had, count) : count;
                for (int j = 0; j < values; ++j)
                    rebuilt.append(table.cell(own + j, r)).append(" ");
                if (line >= 0) {
                    const std::vector<std::string> words =
                        literal::BlankWords(std::string_view(text.lines[static_cast<std::size_t>(line)]).substr(name.size()));
                    for (std::size_t j = static_cast<std::size_t>(values); j < words.size(); ++j)
                        rebuilt.append(words[j]).append(" ");
                }
            }
            if (line >= 0)
                text.lines[static_cast<std::size_t>(line)] = rebuilt;
        }
    }
    return text;
}

// Whether one folded name is a proper prefix of another. Then a rewritten
// line can stop matching the longer name, and a second save may find another
// line for it: the prefix rule of the lookup, not a fault of the save.
bool NamesNest(const DescDocument& ws)
{
    std::vector<std::string> names;
    for (SectionNumber i : AllSections()) {
        const std::vector<std::string> lines = GetSectionLines(ws.variablesText(), SectionName(i));
        for (std::size_t k = 0; k < lines.size(); ++k)
            names.push_back(ws.codePage().lowered(literal::EntryName(lines, k)));
    }
    for (const auto& a : names)
        for (const auto& b : names)
            if (!a.empty() && a.size() < b.size() && b.compare(0, a.size(), a) == 0)
                return true;
    return false;
}

// A value word made of control characters (a lone ESC, say) is a word of its
// own, but at the end of a rebuilt line the next load trims it away with the
// line's end blanks: such files settle only after a second save.
bool ValuesHoldControls(const DescDocument& ws)
{
    for (SectionNumber i : AllSections()) {
        const Grid& table = ws.grid(TableOf(i));
        for (int r = 1; r < table.rowCount(); ++r)
            for (int c = 2; c < table.colCount(); ++c)
                for (char ch : table.cell(c, r))
                    if (static_cast<unsigned char>(ch) < 32)
                        return true;
    }
    return false;
}

void CheckLoadedCells(const TextLines& original, const DescDocument& ws, int r)
{
    for (SectionNumber i : AllSections()) {
        const Grid& table = ws.grid(TableOf(i));
        const std::vector<std::string> lines = GetSectionLines(ws.variablesText(), SectionName(i));
        int col = 2;
        for (std::size_t k = 0; k < lines.size(); ++k) {
            const std::string name = literal::EntryName(lines, k);
            const int count = std::max(literal::EntryCount(lines, name, ws.codePage()), 0);
            const std::string value = literal::GetKeyValue(original.lines, name, ws.codePage());
            const bool read = literal::KeyLine(original.lines, name, ws.codePage()) >= 0;
            const std::vector<std::string> words = literal::BlankWords(value);
            for (int j = 0; j < count; ++j, ++col) {
                const std::string want = TableOf(i) == kTextSectionTable ? value
                                         : !read ? GetWord(' ', value, j)
                                         : static_cast<std::size_t>(j) < words.size() ? words[static_cast<std::size_t>(j)]
                                                                                      : "";
                FUZZ_CHECK(table.cell(col, 0) == name, fuzz::Shown(name));
                FUZZ_CHECK(table.cell(col, r) == want, fuzz::Shown(name) + ": " + fuzz::Shown(table.cell(col, r)) + " / " + fuzz::Shown(want));
            }
        }
    }
}

bool LineBreaksAreCrLf(const std::string& bytes)
{
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n'))
            return false;
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'))
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const CodePage cyrillic = CodePage::Named("windows-1251");
    std::vector<std::string> parts = Split(std::string_view(reinterpret_cast<const char*>(data), size));
    std::string variables = kFixedSchema;
    if (parts.size() > 1) {
        variables = parts.front();
        parts.erase(parts.begin());
    }
    if (parts.size() > 4)
        parts.resize(4);

    fuzz::EmptyScratch();
    std::vector<std::string> paths;
    std::vector<std::string> before;
    for (std::size_t f = 0; f < parts.size(); ++f) {
        paths.push_back((fuzz::Scratch() / ("unit" + std::to_string(f) + ".desc")).string());
        fuzz::WriteBytes(paths.back(), parts[f]);
        before.push_back(parts[f]);
    }

    DescDocument ws(cyrillic);
    ws.startUp();
    ws.setVariablesText(SplitLines(variables));
    bool schemaFails = false;
    for (SectionNumber i : AllSections())
        schemaFails = schemaFails || !ReadSectionSchema(ws.variablesText(), i, cyrillic).error.empty();

    try {
        ws.openDesc(paths);
        FUZZ_CHECK(!schemaFails, "a failing schema loads");
    } catch (const DravikError& e) {
        FUZZ_CHECK(schemaFails, e.what());
        try {
            ws.saveAll();
            fuzz::Fail("Save all with a failing schema succeeds");
        } catch (const DravikError&) {
        }
        for (std::size_t f = 0; f < paths.size(); ++f)
            FUZZ_CHECK(fuzz::ReadBytes(paths[f]) == before[f], paths[f]);
        return 0;
    }

    std::vector<TextLines> expected;
    for (std::size_t f = 0; f < paths.size(); ++f) {
        const TextLines original = SplitLines(before[f]);
        CheckLoadedCells(original, ws, static_cast<int>(f) + 1);
        expected.push_back(Expected(original, ws, static_cast<int>(f) + 1));
    }
    const SaveOutcome saved = ws.saveAll();
    FUZZ_CHECK(!ws.isModified(), "a full Save all leaves no cell marked");
    FUZZ_CHECK(saved.files == static_cast<int>(paths.size()), std::to_string(saved.files));

    std::vector<std::string> first;
    for (std::size_t f = 0; f < paths.size(); ++f) {
        const std::string after = fuzz::ReadBytes(paths[f]);
        const TextLines original = SplitLines(before[f]);
        const TextLines saved = SplitLines(after);
        FUZZ_CHECK(LineBreaksAreCrLf(after), fuzz::Shown(after));
        FUZZ_CHECK(saved.lines.size() == original.lines.size(), fuzz::Shown(before[f]) + " -> " + fuzz::Shown(after));
        FUZZ_CHECK(saved.finalBreak == original.finalBreak, fuzz::Shown(after));
        FUZZ_CHECK(after == JoinLines(expected[f]), fuzz::Shown(before[f]) + " -> " + fuzz::Shown(after) +
                                                        " wanted " + fuzz::Shown(JoinLines(expected[f])));
        first.push_back(after);
    }
    FUZZ_CHECK(ws.currentDescFile() == paths.back(), ws.currentDescFile());
    FUZZ_CHECK(ws.descText() == SplitLines(first.back()), "the preview is the current file");

    if (NamesNest(ws) || ValuesHoldControls(ws))
        return 0;
    DescDocument again(cyrillic);
    again.startUp();
    again.setVariablesText(ws.variablesText());
    again.openDesc(paths);
    FUZZ_CHECK(again.saveAll().written == 0, "a second save rewrote a settled file");
    for (std::size_t f = 0; f < paths.size(); ++f)
        FUZZ_CHECK(fuzz::ReadBytes(paths[f]) == first[f], "second save changed " + fuzz::Shown(first[f]) + " -> " +
                                                           fuzz::Shown(fuzz::ReadBytes(paths[f])));
    return 0;
}
