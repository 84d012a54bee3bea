#include "core/modset/mod_set_setup.h"

#include "core/errors.h"
#include "core/files/file_io.h"
#include "core/files/native_path.h"
#include "core/text/code_page.h"
#include "core/text/dravik2_auxillary.h"
#include "core/text/record_file.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>

namespace dravik {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kEvery = "*";

// A whole path, "." and ".." taken out as far as they go.
fs::path Whole(const std::string& path)
{
    fs::path whole = FileSystemPath(path);
    std::error_code ec;
    if (!whole.is_absolute()) {
        const fs::path absolute = fs::absolute(whole, ec);
        if (!ec)
            whole = absolute;
    }
    return whole.lexically_normal();
}

fs::path FolderOf(const std::string& modSetPath) { return Whole(modSetPath).parent_path(); }

}  // namespace

std::string DefaultModName(const ModSource& mod)
{
    std::string_view path = mod.path;
    while (path.size() > 1 && (path.back() == '/' || path.back() == kPathSeparator))
        path.remove_suffix(1);
    const size_t slash = path.find_last_of(std::string("/") + kPathSeparator);
    std::string name(slash == std::string_view::npos ? path : path.substr(slash + 1));
    if (mod.kind == ModSource::Kind::Patch) {
        const size_t dot = name.rfind('.');
        if (dot != std::string::npos && dot > 0)
            name.resize(dot);
    }
    std::replace_if(name.begin(), name.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    return name.empty() ? "mod" : PathText(name);
}

void NameModsUniquely(std::vector<ModSource>& mods)
{
    std::set<std::string> taken;
    for (ModSource& mod : mods) {
        if (mod.name.empty())
            mod.name = DefaultModName(mod);
        const std::string stem = mod.name;
        for (int n = 2; !taken.insert(CodePage::Default().lowered(mod.name)).second; ++n)
            mod.name = stem + " (" + std::to_string(n) + ")";
    }
}

std::string ModSetSetupProblem(const ModSetSetup& setup)
{
    std::set<std::string> names;
    for (const ModSource& mod : setup.mods) {
        if (mod.name.empty() || !FitsField(mod.name))
            return "The name of a mod may not be empty nor hold a TAB or a line break: \"" + mod.name + "\"";
        if (!names.insert(CodePage::Default().lowered(mod.name)).second)
            return "Two mods are named \"" + mod.name + "\"; each mod needs a name of its own";
        if (!FitsField(mod.path))
            return "The path of the mod \"" + mod.name + "\" holds a TAB or a line break";
    }
    if (!FitsField(setup.variables) || !FitsField(setup.base) || !FitsField(setup.names))
        return "A path of the mod set holds a TAB or a line break";
    for (const Choice& choice : setup.choices)
        if (!FitsField(choice.file) || !FitsField(choice.key) || !FitsField(choice.winner.text) ||
            choice.key.empty() || choice.file == kEvery)
            return "A choice about \"" + choice.key + "\" cannot be kept in a mod set file: a TAB or a line break "
                   "in its file, key or value, or no key";
    return {};
}

std::string PathRelativeTo(const std::string& folder, const std::string& path)
{
    if (path.empty())
        return path;
    const fs::path whole = Whole(path);
    const fs::path from = Whole(folder);
    // Relative only where the two share a folder below the root: a path
    // elsewhere on the disk is kept whole, so that moving the mod set file
    // does not lose it.
    auto a = whole.begin(), b = from.begin();
    int shared = 0;
    while (a != whole.end() && b != from.end() && *a == *b) {
        ++a, ++b;
        ++shared;
    }
    const int rootParts = (whole.has_root_name() ? 1 : 0) + (whole.has_root_directory() ? 1 : 0);
    const fs::path relative = whole.lexically_relative(from);
    if (shared <= rootParts || relative.empty())
        return PathOfFileSystemPath(whole);
    std::string text = PathOfFileSystemPath(relative);
    std::replace(text.begin(), text.end(), '\\', '/');
    return text;
}

std::string PathFrom(const std::string& folder, const std::string& stored)
{
    if (stored.empty())
        return stored;
    const fs::path path = FileSystemPath(stored);
    if (path.is_absolute())
        return PathOfFileSystemPath(path.lexically_normal());
    return PathOfFileSystemPath((Whole(folder) / path).lexically_normal());
}

std::string ModSetFileText(const ModSetSetup& setup, const std::string& modSetPath)
{
    if (std::string problem = ModSetSetupProblem(setup); !problem.empty())
        throw DravikError(problem);
    const std::string folder = PathOfFileSystemPath(FolderOf(modSetPath));
    auto relative = [&](const std::string& path) { return PathRelativeTo(folder, path); };
    std::string text = RecordHeader(kModSetFormat, kModSetVersion);
    text += "variables\t" + relative(setup.variables) + "\r\n";
    text += "base\t" + relative(setup.base) + "\r\n";
    if (setup.names != "*.*")
        text += "names\t" + setup.names + "\r\n";
    for (const ModSource& mod : setup.mods)
        text += std::string(mod.kind == ModSource::Kind::Folder ? "mod\t" : "patch\t") + mod.name + '\t' +
                relative(mod.path) + "\r\n";
    for (const Choice& choice : setup.choices) {
        text += "take\t" + (choice.file.empty() ? std::string(kEvery) : choice.file) + '\t' + choice.key + '\t' +
                (choice.value == 0 ? std::string(kEvery) : std::to_string(choice.value)) + '\t';
        switch (choice.winner.kind) {
        case Winner::Kind::Base: text += "base"; break;
        case Winner::Kind::Mod: text += "mod\t" + choice.winner.text; break;
        case Winner::Kind::Value: text += "value\t" + choice.winner.text; break;
        }
        text += "\r\n";
    }
    return text;
}

ModSetSetup ReadModSetText(std::string_view bytes, const std::string& modSetPath)
{
    const RecordLines records = ReadRecordLines(bytes, kModSetFormat);
    const std::string file = "\"" + PathText(modSetPath) + "\"";
    const int version = records.version;
    if (version == 0)
        throw DravikError(file + " is not a mod set: its first line should read \"" + kModSetFormat +
                          "\", a TAB and \"" + VersionField(kModSetVersion) + "\"");
    if (version > kModSetVersion)
        throw DravikError(file + " is a mod set of " + VersionField(version) + ", written by a later Dravik 2; this one reads " +
                          VersionField(kModSetVersion));
    const std::string folder = PathOfFileSystemPath(FolderOf(modSetPath));
    ModSetSetup setup;
    bool variables = false, base = false;
    records.forEachRecord([&](size_t number, const std::vector<std::string_view>& fields) {
        const std::string where = "Line " + std::to_string(number) + " of " + file;
        auto expect = [&](bool ok, const std::string& what) {
            if (!ok)
                throw DravikError(where + " " + what);
        };
        const std::string_view kind = fields[0];
        if (kind == "variables" || kind == "base" || kind == "names") {
            expect(fields.size() == 2 && !fields[1].empty(), "should hold \"" + std::string(kind) + "\", a TAB and " +
                                                                  (kind == "names" ? "the names" : "a path"));
            bool& seen = kind == "variables" ? variables : base;
            if (kind != "names") {
                expect(!seen, "names the " + std::string(kind == "base" ? "base folder" : "variables file") +
                                  " a second time");
                seen = true;
            }
            std::string& target = kind == "variables" ? setup.variables : kind == "base" ? setup.base : setup.names;
            target = kind == "names" ? std::string(fields[1]) : PathFrom(folder, std::string(fields[1]));
        } else if (kind == "mod" || kind == "patch") {
            expect(fields.size() == 3 && !fields[1].empty() && !fields[2].empty(),
                   "should hold \"" + std::string(kind) + "\", the mod's name and its path, TAB-separated");
            setup.mods.push_back({kind == "mod" ? ModSource::Kind::Folder : ModSource::Kind::Patch,
                                 std::string(fields[1]), PathFrom(folder, std::string(fields[2]))});
        } else if (kind == "take") {
            expect(fields.size() >= 5 && !fields[1].empty() && !fields[2].empty(),
                   "should hold \"take\", a file (or \"*\"), a key, a value number (or \"*\") and who wins");
            Choice choice;
            choice.file = fields[1] == kEvery ? std::string() : std::string(fields[1]);
            choice.key = std::string(fields[2]);
            if (fields[3] != kEvery) {
                choice.value = PositiveNumber(fields[3]);
                expect(choice.value > 0,
                       "has no value number (1 for a key's first value, \"*\" for all): \"" + std::string(fields[3]) +
                           "\"");
            }
            const std::string_view who = fields[4];
            if (who == "base" && fields.size() == 5) {
                choice.winner = {Winner::Kind::Base, {}};
            } else if (who == "mod" && fields.size() == 6 && !fields[5].empty()) {
                choice.winner = {Winner::Kind::Mod, std::string(fields[5])};
            } else if (who == "value" && fields.size() == 6) {
                expect(!choice.file.empty() && choice.value > 0, "gives a value for more than one value");
                choice.winner = {Winner::Kind::Value, std::string(fields[5])};
            } else {
                expect(false, "should end in \"base\", in \"mod\" and a mod's name, or in \"value\" and a value");
            }
            setup.choices.push_back(std::move(choice));
        } else {
            expect(false, "begins with \"" + std::string(kind) +
                              "\"; a line of a mod set begins with variables, base, names, mod, patch or take");
        }
    });
    if (!variables || !base)
        throw DravikError(file + " names no " + (variables ? "base folder" : "variables file"));
    if (std::string problem = ModSetSetupProblem(setup); !problem.empty())
        throw DravikError(file + ": " + problem);
    return setup;
}

ModSetSetup ReadModSetFile(const std::string& path) { return ReadModSetText(ReadFileOrThrow(path), path); }

void WriteModSetFile(const std::string& path, const ModSetSetup& setup)
{
    WriteFileOrThrow(path, ModSetFileText(setup, path));
}

}  // namespace dravik
