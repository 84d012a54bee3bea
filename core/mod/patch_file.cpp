#include "core/mod/patch_file.h"

#include "core/errors.h"
#include "core/files/file_io.h"
#include "core/files/native_path.h"
#include "core/text/record_file.h"
#include "core/text/utf8_text.h"


namespace dravik {

namespace {


}  // namespace

std::string PatchFileText(const std::vector<PatchLine>& lines)
{
    std::string text = RecordHeader(kPatchFormat, kPatchVersion);
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
    const RecordLines records = ReadRecordLines(bytes, kPatchFormat);
    const std::string file = PathText(name);
    const int version = records.version;
    if (version == 0)
        throw DravikError(Message(
            DRAVIK_TR("Patches", "\"%1\" is not a patch: its first line should read \"%2\", a TAB and \"%3\""),
            {file, std::string(kPatchFormat), VersionField(kPatchVersion)}));
    if (version > kPatchVersion)
        throw DravikError(Message(
            DRAVIK_TR("Patches", "\"%1\" is a patch of version %2, written by a later Dravik 2; this one reads version %3"),
            {file, std::to_string(version), std::to_string(kPatchVersion)}));
    std::vector<PatchLine>& lines = patch.lines;
    records.forEachRecord([&](size_t lineNumber, const std::vector<std::string_view>& fields) {
        const std::string number = std::to_string(lineNumber);
        if (fields.size() != 5)
            throw DravikError(Message(DRAVIK_TR("Patches", "Line %1 of \"%2\" has %3 fields; a patch line has five: "
                                                           "path, key, value number, base value, mod value"),
                                      {number, file, std::to_string(fields.size())}));
        const int value = PositiveNumber(fields[2]);
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
    });
    return patch;
}

PatchFile ReadPatchFile(const std::string& path) { return ReadPatchText(ReadFileOrThrow(path), path); }

}  // namespace dravik
