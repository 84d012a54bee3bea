#include "core/files/settings_file.h"

#include "core/text/code_page.h"
#include "core/text/dravik2_auxillary.h"
#include "core/files/file_io.h"
#include "core/files/native_path.h"
#include "core/text/whole_number.h"

#include <filesystem>
#include <system_error>
#include <utility>

namespace dravik {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Only spaces and TABs: a key or value keeps any other character at its ends.
std::string_view TrimBlanks(std::string_view text) { return TrimWhere(text, IsBlank); }

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

// The name of a "[name]" line, or nothing for any other line. Whatever
// follows the "]" is ignored, so "[Main] ; comment" still opens Main.
std::optional<std::string_view> SectionNameOf(std::string_view line)
{
    const std::string_view text = TrimBlanks(line);
    if (text.empty() || text.front() != '[')
        return std::nullopt;
    const size_t close = text.find(']', 1);
    if (close == std::string_view::npos)
        return std::nullopt;
    return TrimBlanks(text.substr(1, close - 1));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;  // everything after the first "=", untouched
};

// Comments, header-like lines, lines without "=" and lines with an empty key
// are not keys; they stay in the file as they are but are never read.
std::optional<KeyLine> KeyLineOf(std::string_view line)
{
    const std::string_view text = TrimBlanks(line);
    if (text.empty() || text.front() == ';' || text.front() == '[')
        return std::nullopt;
    const size_t equals = text.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    const std::string_view key = TrimBlanks(text.substr(0, equals));
    if (key.empty())
        return std::nullopt;
    return KeyLine{key, text.substr(equals + 1)};
}

// Windows' own profile reader drops a pair of single quotes as well as a pair
// of double ones; the file must read the same through either reader.
bool IsQuoted(std::string_view value)
{
    return value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
}

std::string DecodeValue(std::string_view raw)
{
    const std::string_view value = TrimBlanks(raw);
    if (IsQuoted(value))
        return std::string(value.substr(1, value.size() - 2));
    return std::string(value);
}

// Reading drops the blanks around a value and one pair of enclosing quotes,
// so such a value is written in quotes to read back as it was given.
std::string EncodeValue(std::string_view value)
{
    const bool needsQuotes = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) || IsQuoted(value));
    std::string encoded;
    if (needsQuotes)
        encoded += '"';
    encoded += value;
    if (needsQuotes)
        encoded += '"';
    return encoded;
}

bool IsWritable(std::string_view section, std::string_view key, std::string_view value)
{
    if (HasLineBreak(section) || section.find(']') != std::string_view::npos)
        return false;
    const std::string_view trimmedKey = TrimBlanks(key);
    if (trimmedKey.empty() || HasLineBreak(key) || key.find('=') != std::string_view::npos ||
        trimmedKey.front() == ';' || trimmedKey.front() == '[')
        return false;
    return !HasLineBreak(value);
}

}  // namespace

SettingsFile::SettingsFile(std::string path) : path_(std::move(path)) { load(); }

std::string SettingsFile::PathForExecutable(const std::string& exePath)
{
    const size_t separator = exePath.rfind(kPathSeparator);
    const size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
    const size_t dot = exePath.rfind('.');
    if (dot == std::string::npos || dot < nameStart)
        return exePath + ".INI";
    return exePath.substr(0, dot) + ".INI";
}

void SettingsFile::load()
{
    std::string bytes;
    FileError err;
    if (!ReadWholeFile(path_, bytes, err))
        bytes.clear();
    contents_ = Index(SplitLines(bytes));
}

SettingsFile::Contents SettingsFile::Index(TextLines text)
{
    Contents contents;
    contents.text = std::move(text);
    const auto& lines = contents.text.lines;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::optional<std::string_view> name = SectionNameOf(lines[i]);
        if (!name)
            continue;
        if (!contents.sections.empty())
            contents.sections.back().end = i;
        contents.sections.push_back(Section{i, lines.size()});
        // A later section of the same name is kept in the file but never used.
        contents.firstByName.try_emplace(AsciiLowered(*name), contents.sections.size() - 1);
    }
    return contents;
}

const SettingsFile::Section* SettingsFile::FindSection(const Contents& contents, std::string_view section)
{
    const auto found = contents.firstByName.find(AsciiLowered(TrimBlanks(section)));
    if (found == contents.firstByName.end())
        return nullptr;
    return &contents.sections[found->second];
}

std::size_t SettingsFile::FindKey(const Contents& contents, const Section& section, std::string_view key)
{
    const std::string wanted = AsciiLowered(TrimBlanks(key));
    for (size_t i = section.header + 1; i < section.end; ++i) {
        const std::optional<KeyLine> line = KeyLineOf(contents.text.lines[i]);
        if (line && line->key.size() == wanted.size() && AsciiLowered(line->key) == wanted)
            return i;
    }
    return std::string::npos;
}

std::optional<std::string> SettingsFile::readRaw(std::string_view section, std::string_view key) const
{
    const Section* found = FindSection(contents_, section);
    if (!found)
        return std::nullopt;
    const size_t line = FindKey(contents_, *found, key);
    if (line == std::string::npos)
        return std::nullopt;
    return DecodeValue(KeyLineOf(contents_.text.lines[line])->value);
}

std::string SettingsFile::readString(std::string_view section, std::string_view key,
                                     std::string_view defaultValue) const
{
    std::optional<std::string> value = readRaw(section, key);
    return value ? std::move(*value) : std::string(defaultValue);
}

int SettingsFile::readInteger(std::string_view section, std::string_view key, int defaultValue) const
{
    const std::optional<std::string> value = readRaw(section, key);
    if (!value)
        return defaultValue;
    const std::optional<std::int32_t> number = ParseWholeNumber(*value);
    return number ? *number : defaultValue;
}

bool SettingsFile::readBool(std::string_view section, std::string_view key, bool defaultValue) const
{
    const std::optional<std::string> value = readRaw(section, key);
    if (!value)
        return defaultValue;
    const std::optional<std::int32_t> number = ParseWholeNumber(*value);
    return number ? *number != 0 : defaultValue;
}

bool SettingsFile::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    return writeStrings(section, {{std::string(key), std::string(value)}});
}

bool SettingsFile::writeStrings(std::string_view section,
                                const std::vector<std::pair<std::string, std::string>>& values)
{
    for (const auto& [key, value] : values)
        if (!IsWritable(section, key, value))
            return false;

    // The file as it is now, not as it was when this window opened: the
    // other window may have written its keys since.
    std::string bytes;
    FileError err;
    if (!ReadWholeFile(path_, bytes, err)) {
        // Only a file that is not there starts empty; writing over one that
        // exists but cannot be read would lose its contents.
        std::error_code ec;
        if (std::filesystem::status(FileSystemPath(path_), ec).type() != std::filesystem::file_type::not_found)
            return false;
        bytes.clear();
    }
    Contents contents = Index(SplitLines(bytes));
    for (const auto& [key, value] : values) {
        SetKeyLine(contents, section, key + "=" + EncodeValue(value));
        // The sections' lines moved.
        contents = Index(std::move(contents.text));
    }
    contents.text.finalBreak = true;

    const std::string updated = JoinLines(contents.text);
    if (!WriteFileSafely(path_, updated, err))
        return false;
    // Reads now see the file as written, the other window's keys included.
    contents_ = Index(std::move(contents.text));
    return true;
}

void SettingsFile::SetKeyLine(Contents& contents, std::string_view section, std::string keyLine)
{
    auto& lines = contents.text.lines;
    const std::string_view key = std::string_view(keyLine).substr(0, keyLine.find('='));
    if (const Section* found = FindSection(contents, section)) {
        const size_t existing = FindKey(contents, *found, key);
        if (existing != std::string::npos) {
            lines[existing] = std::move(keyLine);
            return;
        }
        // After the section's last key, so comments and blank lines that
        // lead into the next section stay in front of it.
        size_t after = found->header;
        for (size_t i = found->header + 1; i < found->end; ++i)
            if (KeyLineOf(lines[i]))
                after = i;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(after + 1), std::move(keyLine));
        return;
    }
    if (!lines.empty() && !TrimBlanks(lines.back()).empty())
        lines.emplace_back();
    std::string header = "[";
    header.append(section).append("]");
    lines.push_back(std::move(header));
    lines.push_back(std::move(keyLine));
}

bool SettingsFile::writeInteger(std::string_view section, std::string_view key, int value)
{
    return writeString(section, key, std::to_string(value));
}

bool SettingsFile::writeBool(std::string_view section, std::string_view key, bool value)
{
    return writeString(section, key, value ? "1" : "0");
}

Message UnableToWriteMessage(const std::string& path)
{
    return Message(DRAVIK_TR("Files", "Unable to write to %1"), {PathText(path)});
}

}  // namespace dravik
