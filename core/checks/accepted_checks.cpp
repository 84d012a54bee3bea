#include "core/checks/accepted_checks.h"

#include "core/errors.h"
#include "core/files/file_io.h"
#include "core/files/native_path.h"
#include "core/text/record_file.h"
#include "core/text/utf8_text.h"

#include <array>

namespace dravik {

namespace {

constexpr size_t kFields = 7;

const std::array<const char*, 3> kWhat = {"value", "group", "column"};

// Section 0, which is none, when the name is not a section's.
SectionNumber SectionNamed(std::string_view name)
{
    for (SectionNumber section : AllSections())
        if (SectionName(section) == name)
            return section;
    return SectionNumber(0);
}

}  // namespace

std::string AcceptedFilePath(const std::string& variablesFile) { return variablesFile + ".accepted"; }

std::string AcceptedText(const AcceptedChecks& accepted)
{
    std::string text = RecordHeader(kAcceptedFormat, kAcceptedVersion);
    for (const AcceptedEntry& entry : accepted.entries()) {
        if (!FitsField(entry.file) || !FitsField(entry.group) || !FitsField(entry.column.key) ||
            !FitsField(entry.value))
            continue;
        text += kWhat[static_cast<size_t>(entry.what)];
        text += '\t';
        text += entry.file;
        text += '\t';
        text += entry.group;
        text += '\t';
        text += SectionName(entry.column.section);
        text += '\t';
        text += entry.column.key;
        text += '\t';
        text += std::to_string(entry.column.value);
        text += '\t';
        text += entry.value;
        text += "\r\n";
    }
    return text;
}

AcceptedChecks ReadAcceptedText(std::string_view bytes, const std::string& name)
{
    if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark)
        bytes.remove_prefix(kUtf8Mark.size());
    const RecordLines records = ReadRecordLines(bytes, kAcceptedFormat);
    const std::string file = "\"" + PathText(name) + "\"";
    const int version = records.version;
    if (version == 0)
        throw DravikError(file + " is not a file of accepted checks: its first line should read \"" +
                          kAcceptedFormat + "\", a TAB and \"" + VersionField(kAcceptedVersion) + "\"");
    if (version > kAcceptedVersion)
        throw DravikError(file + " holds accepted checks of " + VersionField(version) +
                          ", written by a later Dravik 2; this one reads " + VersionField(kAcceptedVersion));
    AcceptedChecks accepted;
    records.forEachRecord([&](size_t number, const std::vector<std::string_view>& fields) {
        const std::string where = "Line " + std::to_string(number) + " of " + file;
        if (fields.size() != kFields)
            throw DravikError(where + " has " + std::to_string(fields.size()) +
                              " fields; an accepted check has seven: what, file, group, section, key, value "
                              "number, value");
        AcceptedEntry entry;
        size_t what = 0;
        while (what < kWhat.size() && fields[0] != kWhat[what])
            ++what;
        if (what == kWhat.size())
            throw DravikError(where + " accepts \"" + std::string(fields[0]) +
                              "\"; it should be value, group or column");
        entry.what = static_cast<AcceptedEntry::What>(what);
        entry.file = fields[1];
        entry.group = fields[2];
        entry.column.section = SectionNamed(fields[3]);
        entry.column.key = fields[4];
        entry.column.value = PositiveNumber(fields[5]);
        entry.value = fields[6];
        if (!IsSection(entry.column.section))
            throw DravikError(where + " names no section (section1 to section9, section_text): \"" +
                              std::string(fields[3]) + "\"");
        if (entry.column.value == 0)
            throw DravikError(where + " has no value number (1 for a key's first value): \"" + std::string(fields[5]) +
                              "\"");
        if (entry.what == AcceptedEntry::What::Value && entry.file.empty())
            throw DravikError(where + " accepts a value of no file");
        accepted.add(entry);
    });
    return accepted;
}

AcceptedChecks ReadAcceptedFile(const std::string& path)
{
    std::string bytes;
    FileError err;
    if (!ReadWholeFile(path, bytes, err)) {
        if (TextFileErrorMessage(err) == "File not found")
            return {};
        throw DravikError(CannotOpenFileMessage(path, err.why()));
    }
    return ReadAcceptedText(bytes, path);
}

void WriteAcceptedFile(const std::string& path, const AcceptedChecks& accepted)
{
    WriteFileOrThrow(path, AcceptedText(accepted));
}

}  // namespace dravik
