#include "core/modset/merged_build.h"

#include "core/errors.h"
#include "core/files/file_io.h"
#include "core/files/native_path.h"
#include "core/modset/key_line_rewrite.h"
#include "core/text/dravik2_auxillary.h"
#include "core/text/text_lines.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>
#include <system_error>
#include <unordered_map>

namespace dravik {

namespace fs = std::filesystem;

namespace {

std::string Field(std::optional<std::string_view> value) { return value ? std::string(*value) : std::string(); }

// Whether `inner` is `outer` or lies below it, as the file system sees them
// (letter case, links and "..").
bool Within(const std::string& inner, const std::string& outer)
{
    std::error_code ec;
    const fs::path container = FileSystemPath(outer);
    if (outer.empty() || !fs::exists(container, ec))
        return false;
    fs::path path = fs::weakly_canonical(FileSystemPath(inner), ec);
    if (ec)
        path = fs::absolute(FileSystemPath(inner), ec).lexically_normal();
    for (;; path = path.parent_path()) {
        std::error_code err;
        if (fs::exists(path, err) && fs::equivalent(path, container, err))
            return true;
        if (path == path.parent_path() || path.empty())
            return false;
    }
}

// A path an earlier report names as a file of the folder: one below it.
bool SafeModPath(const std::string& modPath)
{
    if (modPath.empty() || modPath.front() == '/' || modPath.front() == '\\' || modPath.find(':') != std::string::npos)
        return false;
    size_t start = 0;
    while (start <= modPath.size()) {
        size_t end = modPath.find_first_of("/\\", start);
        if (end == std::string::npos)
            end = modPath.size();
        const std::string_view part = std::string_view(modPath).substr(start, end - start);
        if (part.empty() || part == "." || part == "..")
            return false;
        start = end + 1;
    }
    return true;
}

std::string OutPath(const std::string& out, const std::string& modPath)
{
    std::string path = out;
    if (!path.empty() && path.back() != '/' && path.back() != kPathSeparator)
        path += kPathSeparator;
    std::string below = modPath;
    std::replace(below.begin(), below.end(), '/', kPathSeparator);
    return path + below;
}

// The files an earlier build's report names.
std::vector<std::string> EarlierFiles(const std::string& reportPath)
{
    std::string bytes;
    FileError err;
    if (!ReadWholeFile(reportPath, bytes, err))
        return {};
    const TextLines text = SplitLines(bytes);
    if (text.lines.empty() || text.lines.front().rfind(kMergeReportFormat, 0) != 0)
        return {};
    std::vector<std::string> files;
    for (const std::string& line : text.lines) {
        if (line.rfind("file\t", 0) != 0)
            continue;
        const size_t end = line.find('\t', 5);
        files.push_back(line.substr(5, end == std::string::npos ? std::string::npos : end - 5));
    }
    return files;
}

// Builds the files of a merged mod, one after another.
class FileBuilder {
public:
    FileBuilder(const ModSet& set, std::vector<MergeNote>& notes) : set_(set), schema_(set.schema()), reader_(schema_), notes_(notes) {}

    // The bytes of file f in the merged mod; false when it is not part of it.
    bool build(int f, std::string& out, int& from);

private:
    const MergedFile::Copy* writtenCopy(const MergedFile& file) const;
    std::string readChecked(const std::string& path, std::uint64_t fingerprint);
    void note(MergeNote::Kind kind, int f, int key, int mod, Message message);
    void noteOtherLines(int f, const MergedFile::Copy& copy, const std::string& copyBytes);
    void noteKeyLinesInSome(int f);
    using MergedValues = std::unordered_map<int, std::optional<std::string_view>>;
    // The merged key line of file f, as the line number and its text, where
    // it differs from the copy read and can be written; notes why not where
    // it cannot. `from` and `fromName`: the copy read.
    std::optional<std::pair<size_t, std::string>> mergedLine(int f, int key, const MergedValues& mergedOf,
                                                             const MergedFile::Copy* copy, int from,
                                                             const std::string& fromName);

    const ModSet& set_;
    const MergeSchema& schema_;
    DescValuesReader reader_;
    std::vector<MergeNote>& notes_;
    SlotValues values_;
    std::vector<std::optional<std::string_view>> target_;  // one key's merged values
};

const MergedFile::Copy* FileBuilder::writtenCopy(const MergedFile& file) const
{
    const MergedFile::Copy* copy = nullptr;
    int best = -1;
    for (const MergedFile::Copy& c : file.copies) {
        const int place = static_cast<int>(std::find(set_.order().begin(), set_.order().end(), c.mod) - set_.order().begin());
        if (place > best) {
            best = place;
            copy = &c;
        }
    }
    return copy;
}

std::string FileBuilder::readChecked(const std::string& path, std::uint64_t fingerprint)
{
    std::string bytes = ReadFileOrThrow(path);
    // The merged values were worked out from the bytes read then: a file
    // changed since would be written with values of neither.
    if (BytesFingerprint(bytes) != fingerprint)
        throw DravikError("\"" + PathText(path) +
                          "\" changed since the mod set was read; open the mod set again and build it anew. Nothing "
                          "was written");
    return bytes;
}

void FileBuilder::note(MergeNote::Kind kind, int f, int key, int mod, Message message)
{
    MergeNote note;
    note.kind = kind;
    note.file = f;
    note.mod = mod;
    note.path = PathText(set_.file(f).modPath);
    if (key >= 0)
        note.key = schema_.keyName(key);
    note.message = std::move(message);
    notes_.push_back(std::move(note));
}

bool FileBuilder::build(int f, std::string& out, int& from)
{
    const MergedFile& file = set_.file(f);
    const MergedFile::Copy* copy = writtenCopy(file);
    const std::vector<ModSet::ChangedValue> changed = set_.changedValues(f);
    if (!file.isNew()) {
        bool differs = copy && copy->otherLines != file.baseOtherLines;
        for (const ModSet::ChangedValue& value : changed)
            differs = differs || value.merged != value.base;
        if (!differs)
            return false;
    }
    from = copy ? copy->mod : kBaseWins;
    const std::string& fromName = copy ? set_.mod(copy->mod).name : std::string("(base)");
    const std::string bytes = copy ? readChecked(copy->path, copy->fingerprint) : readChecked(file.basePath, file.baseFingerprint);
    reader_.read(bytes, values_);

    MergedValues mergedOf;
    for (const ModSet::ChangedValue& value : changed)
        mergedOf.emplace(value.slot, value.merged);
    std::vector<std::pair<size_t, std::string>> replacements;
    for (int key = 0; key < schema_.keyCount(); ++key)
        if (auto line = mergedLine(f, key, mergedOf, copy, from, fromName))
            replacements.push_back(std::move(*line));
    out = ReplaceLines(bytes, reader_.lines(), std::move(replacements));
    if (copy)
        noteOtherLines(f, *copy, bytes);
    if (file.isNew() && file.copies.size() > 1)
        noteKeyLinesInSome(f);
    return true;
}

std::optional<std::pair<size_t, std::string>> FileBuilder::mergedLine(int f, int key, const MergedValues& mergedOf,
                                                                     const MergedFile::Copy* copy, int from,
                                                                     const std::string& fromName)
{
    const MergedFile& file = set_.file(f);
    const int count = schema_.keys()[static_cast<size_t>(key)].values;
    std::vector<std::optional<std::string_view>>& target = target_;
    target.clear();
    bool differs = false, neededPresent = false;
    for (int v = 1; v <= count; ++v) {
        const int slot = schema_.slot(key, v);
        const auto found = mergedOf.find(slot);
        target.push_back(found != mergedOf.end() ? found->second : values_.value(slot));
        differs = differs || target.back() != values_.value(slot);
        neededPresent = neededPresent || (found != mergedOf.end() && found->second);
    }
    const std::string& name = schema_.keyName(key);
    if (!values_.hasLine(key)) {
        // Save all adds no line, and neither does a merge: the values are
        // named instead.
        if (neededPresent || (copy && set_.copyLacksLine(f, copy->mod, key)))
            note(MergeNote::Kind::NoKeyLine, f, key, from,
                 Message(DRAVIK_TR("Mod set",
                                   "%1: the copy written (%2's) has no line for %3, so its merged values are not written"),
                         {PathText(file.modPath), fromName, name}));
        return std::nullopt;
    }
    if (!differs)
        return std::nullopt;
    const long line = reader_.lineOfKey(key);
    bool shared = false;
    for (int other = 0; other < schema_.keyCount() && !shared; ++other)
        shared = other != key && reader_.lineOfKey(other) == line;
    if (shared) {
        note(MergeNote::Kind::SharedLine, f, key, from,
             Message(DRAVIK_TR("Mod set",
                               "%1: the line of %2 is also the line of another key, so it is kept as %3's copy holds it"),
                     {PathText(file.modPath), name, fromName}));
        return std::nullopt;
    }
    const std::vector<std::string_view> onLine = reader_.lineValues(key);
    size_t present = 0;
    while (present < target.size() && target[present])
        ++present;
    const bool gap = std::any_of(target.begin() + static_cast<std::ptrdiff_t>(present), target.end(),
                                 [](const auto& value) { return value.has_value(); });
    const bool beyond = onLine.size() > static_cast<size_t>(count);
    if (gap || (present < target.size() && (beyond || schema_.textKey(key)))) {
        note(MergeNote::Kind::CannotWrite, f, key, from,
             Message(DRAVIK_TR("Mod set",
                               "%1: the merged values of %2 would leave a value out before another, so the line is "
                               "kept as %3's copy holds it"),
                     {PathText(file.modPath), name, fromName}));
        return std::nullopt;
    }
    std::vector<std::string_view> words;
    for (size_t v = 0; v < present; ++v)
        words.push_back(*target[v]);
    // Values beyond the variables file's count stay on the line.
    if (beyond && !schema_.textKey(key))
        words.insert(words.end(), onLine.begin() + count, onLine.end());
    return std::pair<size_t, std::string>{static_cast<size_t>(line), KeyLineOf(name, words)};
}

// Lines outside the variables file that a mod's copy holds and the copy
// written lacks: the written copy's lines are kept, and the others named.
void FileBuilder::noteOtherLines(int f, const MergedFile::Copy& written, const std::string& writtenBytes)
{
    const MergedFile& file = set_.file(f);
    std::multiset<std::string_view> kept;
    bool read = false;
    for (const MergedFile::Copy& copy : file.copies) {
        if (&copy == &written || copy.otherLines == written.otherLines ||
            (!file.isNew() && copy.otherLines == file.baseOtherLines))
            continue;
        if (!read) {
            reader_.read(writtenBytes, values_);
            for (const std::string_view line : reader_.otherLineTexts())
                kept.insert(line);
            read = true;
        }
        const std::string bytes = readChecked(copy.path, copy.fingerprint);
        DescValuesReader reader(schema_);
        SlotValues values;
        reader.read(bytes, values);
        std::multiset<std::string_view> left = kept;
        std::vector<std::string> missing;
        for (const std::string_view line : reader.otherLineTexts()) {
            const auto found = left.find(line);
            if (found != left.end())
                left.erase(found);
            else
                missing.emplace_back(line);
        }
        if (missing.empty())
            continue;
        std::string named;
        for (size_t i = 0; i < missing.size() && i < 3; ++i)
            named += (i > 0 ? ", \"" : "\"") + missing[i] + "\"";
        if (missing.size() > 3)
            named += " and " + std::to_string(missing.size() - 3) + " more";
        note(MergeNote::Kind::OtherLines, f, -1, copy.mod,
             Message(DRAVIK_TR("Mod set",
                               "%1: %2's copy holds %3 line(s) outside the variables file that the copy written (%4's) "
                               "does not: %5"),
                     {PathText(file.modPath), set_.mod(copy.mod).name, std::to_string(missing.size()),
                      set_.mod(written.mod).name, named}));
    }
}

// A file only mods have: the key lines some of its copies hold and others lack.
void FileBuilder::noteKeyLinesInSome(int f)
{
    const MergedFile& file = set_.file(f);
    std::vector<std::vector<bool>> lines;
    for (const MergedFile::Copy& copy : file.copies) {
        const std::string bytes = readChecked(copy.path, copy.fingerprint);
        SlotValues values;
        reader_.read(bytes, values);
        std::vector<bool> has;
        for (int key = 0; key < schema_.keyCount(); ++key)
            has.push_back(values.hasLine(key));
        lines.push_back(std::move(has));
    }
    for (int key = 0; key < schema_.keyCount(); ++key) {
        std::string with, without;
        for (size_t c = 0; c < file.copies.size(); ++c) {
            std::string& list = lines[c][static_cast<size_t>(key)] ? with : without;
            list += (list.empty() ? "" : ", ") + set_.mod(file.copies[c].mod).name;
        }
        if (!with.empty() && !without.empty())
            note(MergeNote::Kind::KeyLineInSome, f, key, -1,
                 Message(DRAVIK_TR("Mod set", "%1: the line of %2 is in the copies of %3, not in those of %4"),
                  {PathText(file.modPath), schema_.keyName(key), with, without}));
    }
}

std::string ReportText(const ModSet& set, const BuildResult& result)
{
    std::string text = std::string(kMergeReportFormat) + "\tversion " + std::to_string(kMergeReportVersion) + "\r\n";
    for (size_t place = 0; place < set.order().size(); ++place) {
        const ModSource& mod = set.mod(set.order()[place]);
        text += "mod\t" + std::to_string(place + 1) + '\t' + mod.name + '\t' + PathText(mod.path) + "\r\n";
    }
    for (const BuiltFile& file : result.files)
        if (file.what != BuiltFile::What::Removed)
            text += "file\t" + file.modPath + '\t' + (file.from >= 0 ? set.mod(file.from).name : "(base)") + "\r\n";
    for (const ValueDetail& conflict : result.conflicts)
        text += std::string(conflict.mark.origin == Origin::Conflict ? "conflict\t" : "overridden\t") +
                ConflictFields(set, conflict) + "\r\n";
    for (const MergeNote& note : result.notes)
        text += "note\t" + NoteFields(note) + "\r\n";
    return text;
}

}  // namespace

int BuildResult::count(BuiltFile::What what) const
{
    return static_cast<int>(std::count_if(files.begin(), files.end(), [&](const BuiltFile& f) { return f.what == what; }));
}

bool BuildResult::losesValues() const
{
    return std::any_of(notes.begin(), notes.end(), [](const MergeNote& note) { return note.losesValues(); });
}

const char* ConflictWhy(DecidedBy decidedBy)
{
    switch (decidedBy) {
    case DecidedBy::Order: return "order";
    case DecidedBy::ValueChoice: return "choice";
    case DecidedBy::FileKeyChoice: return "file-choice";
    case DecidedBy::KeyValueChoice: return "key-value-choice";
    case DecidedBy::KeyChoice: return "key-choice";
    }
    return "order";
}

std::string ConflictFields(const ModSet& set, const ValueDetail& conflict)
{
    const MergeSchema& schema = set.schema();
    const int winner = conflict.mark.winner;
    std::string line = PathText(set.file(conflict.file).modPath) + '\t' +
                       schema.keyName(schema.keyOfSlot(conflict.slot)) + '\t' +
                       std::to_string(schema.valueOfSlot(conflict.slot)) + '\t' + Field(conflict.base) + '\t' +
                       Field(conflict.merged) + '\t' +
                       (winner >= 0 ? set.mod(winner).name : winner == kBaseWins ? "(base)" : "(typed)") + '\t' +
                       ConflictWhy(conflict.mark.decidedBy);
    for (const ModValue& value : conflict.mods)
        if (value.state == ModValue::State::Changed)
            line += '\t' + set.mod(value.mod).name + '\t' + Field(value.value);
    return line;
}

std::string NoteFields(const MergeNote& note)
{
    return std::string(NoteWord(note)) + '\t' + note.path + '\t' + note.key + '\t' +
           (note.value > 0 ? std::to_string(note.value) : std::string()) + '\t' + note.message.english();
}

std::string OutFolderProblem(const ModSet& set, const std::string& out)
{
    if (out.empty())
        return "Name the folder the merged mod is written into";
    std::vector<std::pair<std::string, std::string>> sources = {{set.setup().base, "the base game's folder"}};
    for (int id : set.order())
        if (set.mod(id).kind == ModSource::Kind::Folder)
            sources.emplace_back(set.mod(id).path, "the folder of the mod " + set.mod(id).name);
    for (const auto& [folder, what] : sources)
        if (Within(out, folder) || Within(folder, out))
            return "The merged mod cannot be written into \"" + PathText(out) + "\": it would mix with " + what +
                   " (\"" + PathText(folder) + "\"), which is only ever read. Choose a folder of its own";
    // A patch or the variables file inside it could be written over too.
    std::vector<std::string> files = {set.setup().variables};
    for (int id : set.order())
        if (set.mod(id).kind == ModSource::Kind::Patch)
            files.push_back(set.mod(id).path);
    for (const std::string& file : files)
        if (Within(file, out))
            return "The merged mod cannot be written into \"" + PathText(out) + "\": it holds \"" + PathText(file) +
                   "\", which the mod set reads. Choose a folder of its own";
    std::error_code ec;
    if (fs::exists(FileSystemPath(out), ec) && !fs::is_directory(FileSystemPath(out), ec))
        return "\"" + PathText(out) + "\" is a file, not a folder";
    return {};
}

BuildResult BuildMergedMod(const ModSet& set, const BuildOptions& options)
{
    if (std::string problem = OutFolderProblem(set, options.out); !problem.empty())
        throw DravikError(problem);
    BuildResult result;
    result.notes = set.notes();
    result.conflicts = set.conflicts();
    result.reportPath = OutPath(options.out, kMergeReportName);

    std::vector<MergeNote> buildNotes;
    FileBuilder builder(set, buildNotes);
    DurableWriteBatch batch;
    std::set<fs::path> made;  // folders made or known to be there
    auto put = [&](const std::string& path, const std::string& bytes) {
        if (options.dryRun)
            return;
        const fs::path folder = FileSystemPath(path).parent_path();
        if (made.insert(folder).second) {
            std::error_code ec;
            fs::create_directories(folder, ec);
            if (ec)
                throw DravikError(CannotCreateFileMessage(path, ec.message()));
        }
        batch.addOrThrow(path, bytes);
    };

    std::set<std::string> ours;
    std::string bytes, existing;
    for (int f = 0; f < set.fileCount(); ++f) {
        BuiltFile built;
        if (builder.build(f, bytes, built.from)) {
            built.file = f;
            built.modPath = PathText(set.file(f).modPath);
            built.path = OutPath(options.out, set.file(f).modPath);
            FileError err;
            const bool there = ReadWholeFile(built.path, existing, err);
            built.what = !there ? BuiltFile::What::New : existing == bytes ? BuiltFile::What::Unchanged
                                                                            : BuiltFile::What::Changed;
            if (built.what != BuiltFile::What::Unchanged)
                put(built.path, bytes);
            ours.insert(set.codePage().lowered(set.file(f).modPath));
            result.files.push_back(std::move(built));
        }
        if (options.progress)
            options.progress(f + 1, set.fileCount());
    }
    // The files an earlier build wrote that are no longer part of the merged
    // mod would bring back what the set no longer says.
    for (const std::string& modPath : EarlierFiles(result.reportPath)) {
        if (!SafeModPath(modPath) || ours.count(set.codePage().lowered(modPath)))
            continue;
        const std::string path = OutPath(options.out, modPath);
        std::error_code ec;
        if (fs::is_regular_file(FileSystemPath(path), ec))
            result.files.push_back({BuiltFile::What::Removed, -1, modPath, path, kBaseWins});
    }
    result.notes.insert(result.notes.end(), buildNotes.begin(), buildNotes.end());

    const std::string report = ReportText(set, result);
    FileError err;
    result.reportWritten = !ReadWholeFile(result.reportPath, existing, err) || existing != report;
    if (result.reportWritten)
        put(result.reportPath, report);
    if (options.dryRun)
        return result;
    batch.commitOrThrow();
    std::string failed;
    for (const BuiltFile& file : result.files) {
        std::error_code ec;
        if (file.what == BuiltFile::What::Removed && !fs::remove(FileSystemPath(file.path), ec) && ec)
            failed += "\n  " + PathText(file.path) + ": " + ec.message();
    }
    if (!failed.empty())
        throw DravikError("The merged mod was written, but files an earlier build wrote could not be removed:" + failed);
    return result;
}

}  // namespace dravik
