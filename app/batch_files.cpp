#include "app/batch_files.h"

#include "core/errors.h"
#include "core/files/file_io.h"
#include "core/files/folder_listing.h"
#include "core/files/native_path.h"
#include "core/text/text_lines.h"

#include <filesystem>
#include <string_view>

namespace dravik {

namespace {

void AddFolder(const std::string& folder, const std::string& pattern, std::vector<std::string>& files)
{
    const FolderListing listing = ListFolder(folder, NamePattern(pattern));
    if (!listing.unreadableFolders.empty())
        throw DravikError(listing.unreadableMessage());
    if (listing.files.empty())
        throw DravikError("No file below \"" + PathText(folder) + "\" matches \"" + PathText(pattern) + "\"");
    files.insert(files.end(), listing.files.begin(), listing.files.end());
}

// The matches keep the folder as it was typed, as a shell gives them.
void AddWildcardMatches(const std::string& arg, std::vector<std::string>& files)
{
    const size_t nameStart = NameStart(arg);
    const std::string folder = arg.substr(0, nameStart);
    const FolderListing listing = ListFolderFiles(folder.empty() ? "." : folder, NamePattern(arg.substr(nameStart)));
    if (listing.files.empty())
        throw DravikError("No file matches \"" + PathText(arg) + "\"");
    for (const std::string& file : listing.files)
        files.push_back(folder + file.substr(NameStart(file)));
}

void Expand(std::string arg, const std::string& pattern, bool asTyped, std::vector<std::string>& files)
{
    if (asTyped && arg.size() > 1 && arg.back() == '"')
        arg.back() = static_cast<char>(std::filesystem::path::preferred_separator);
    if (IsFolder(arg))
        AddFolder(arg, pattern, files);
    else if (asTyped && NamePattern::HasWildcards(arg.substr(NameStart(arg))))
        AddWildcardMatches(arg, files);
    else
        files.push_back(std::move(arg));
}

std::vector<std::string> Utf16Lines(std::string_view bytes)
{
    std::vector<std::string> lines;
    std::u16string line;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                static_cast<unsigned char>(bytes[i + 1]) << 8);
        if (unit == u'\r' || unit == u'\n') {
            lines.push_back(PathOfUtf16(line));
            line.clear();
        } else {
            line += unit;
        }
    }
    lines.push_back(PathOfUtf16(line));
    return lines;
}

}  // namespace

std::vector<std::string> ListFilePaths(const std::string& bytes)
{
    constexpr std::string_view kUtf16Mark = "\xFF\xFE";
    constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
    const std::string_view text(bytes);
    std::vector<std::string> lines;
    if (text.substr(0, kUtf16Mark.size()) == kUtf16Mark)
        lines = Utf16Lines(text.substr(kUtf16Mark.size()));
    else if (text.substr(0, kUtf8Mark.size()) == kUtf8Mark)
        lines = SplitLines(bytes.substr(kUtf8Mark.size())).lines;
    else
        lines = SplitLines(bytes).lines;
    std::erase_if(lines, [](const std::string& line) { return line.empty(); });
    return lines;
}

std::vector<std::string> ExpandFileArguments(const std::vector<std::string>& args, const std::string& pattern,
                                             bool asTyped)
{
    std::vector<std::string> files;
    for (const std::string& arg : args) {
        if (arg.size() > 1 && arg.front() == '@') {
            for (const std::string& path : ListFilePaths(ReadFileOrThrow(arg.substr(1))))
                Expand(path, pattern, asTyped, files);
        } else {
            Expand(arg, pattern, asTyped, files);
        }
    }
    return files;
}

}  // namespace dravik
