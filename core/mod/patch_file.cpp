#include "core/mod/patch_file.h"

#include "core/errors.h"
#include "core/files/file_io.h"
#include "core/files/native_path.h"
#include "core/text/text_lines.h"
#include "core/text/utf8_text.h"

#include <charconv>

namespace dravik {

namespace {

std::vector<std::string_view> Fields(std::string_view line)
{
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (size_t tab = line.find('\t'); tab != std::string_view::npos; tab = line.find('\t', start)) {
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    fields.push_back(line.substr(start));
    return fields;
}

std::string VersionField(int version) { return "version " + std::to_string(version); }

// The version a header names; 0 when the line is no patch header.
int HeaderVersion(std::string_view line)
{
    const auto fields = Fields(line);
    constexpr std::string_view kVersion = "version ";
    if (fields.size() != 2 || fields[0] != kPatchFormat || fields[1].substr(0, kVersion.size()) != kVersion)
        return 0;
    const std::string_view number = fields[1].substr(kVersion.size());
    int version = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), version);
    return error == std::errc() && end == number.data() + number.size() && version > 0 ? version : 0;
}

// A line's value number; 0 when the field holds none.
int ValueNumber(std::string_view field)
{
    int value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    return error == std::errc() && end == field.data() + field.size() && value > 0 ? value : 0;
}

}  // namespace

bool FitsPatchField(std::string_view text) { return text.find_first_of("\t\r\n") == std::string_view::npos; }

std::string PatchFileText(const std::vector<PatchLine>& lines)
{
    std::string text = std::string(kPatchFormat) + '\t' + VersionField(kPatchVersion) + "\r\n";
    for (const PatchLine& line : lines) {
        text += line.path;
        text += '\t';
        text += line.key;
        text += '\t';
        text += std::to_string(line.value);
        text += '\t';
        text += line.base;
        text += '\t';
        text += line.mod;
        text += "\r\n";
    }
    return text;
}

PatchFile ReadPatchText(std::string_view bytes, const std::string& name)
{
    PatchFile patch{name, bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark, {}};
    if (patch.utf8Mark)
        bytes.remove_prefix(kUtf8Mark.size());
    const TextLines text = SplitLines(bytes);
    const std::string file = PathText(name);
    const int version = text.lines.empty() ? 0 : HeaderVersion(text.lines.front());
    if (version == 0)
        throw DravikError(Message(
            DRAVIK_TR("Patches", "\"%1\" is not a patch: its first line should read \"%2\", a TAB and \"%3\""),
            {file, std::string(kPatchFormat), VersionField(kPatchVersion)}));
    if (version > kPatchVersion)
        throw DravikError(Message(
            DRAVIK_TR("Patches", "\"%1\" is a patch of version %2, written by a later Dravik 2; this one reads version %3"),
            {file, std::to_string(version), std::to_string(kPatchVersion)}));
    std::vector<PatchLine>& lines = patch.lines;
    for (size_t i = 1; i < text.lines.size(); ++i) {
        const std::string& line = text.lines[i];
        if (line.empty())
            continue;
        const auto fields = Fields(line);
        const std::string number = std::to_string(i + 1);
        if (fields.size() != 5)
            throw DravikError(Message(DRAVIK_TR("Patches", "Line %1 of \"%2\" has %3 fields; a patch line has five: "
                                                           "path, key, value number, base value, mod value"),
                                      {number, file, std::to_string(fields.size())}));
        const int value = ValueNumber(fields[2]);
        if (value == 0)
            throw DravikError(Message(
                DRAVIK_TR("Patches", "Line %1 of \"%2\" has no value number (1 for a key's first value): \"%3\""),
                {number, file, std::string(fields[2])}));
        if (fields[0].empty())
            throw DravikError(Message(DRAVIK_TR("Patches", "Line %1 of \"%2\" names no file"), {number, file}));
        if (fields[1].empty())
            throw DravikError(Message(DRAVIK_TR("Patches", "Line %1 of \"%2\" names no key"), {number, file}));
        lines.push_back({std::string(fields[0]), std::string(fields[1]), value, std::string(fields[3]),
                         std::string(fields[4])});
    }
    return patch;
}

PatchFile ReadPatchFile(const std::string& path) { return ReadPatchText(ReadFileOrThrow(path), path); }

}  // namespace dravik
