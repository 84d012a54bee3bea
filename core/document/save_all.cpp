// Save all: every opened file read again, the line of every schema key
// rebuilt from the file's row of the tables, and the file written back when
// that changes its bytes.
#include "core/document/desc_document.h"

#include "core/text/dravik2_auxillary.h"
#include "core/errors.h"
#include "core/files/file_io.h"
#include "core/files/file_lock.h"
#include "core/document/value_columns.h"
#include "core/schema/loaded_schema.h"

#include <algorithm>
#include <memory>
#include <unordered_map>

namespace dravik {

namespace {

// The first column of every entry's values, section by section, looked up
// once for the whole save; -1 where no column carries the entry's name.
using EntryColumns = std::array<std::vector<int>, kSectionCount>;

EntryColumns FindEntryColumns(const DescDocument& document, const LoadedSchema& schema)
{
    EntryColumns columns;
    for (int i = 1; i <= kSectionCount; ++i) {
        const ValueColumns found(document.grid(i));
        for (const SectionEntry& entry : schema.section(i).entries)
            columns[static_cast<size_t>(i - 1)].push_back(found.firstOf(entry.name));
    }
    return columns;
}

// The line Save all writes for an entry from a row of its table, whose
// values start at column `first`: the name, a blank, and each value
// followed by a blank. False, with `line` left as it was, when the entry is
// not written: an empty name would match every line, a negative count has
// no columns to take values from, and an entry no column carries keeps the
// file's values.
bool RebuiltKeyLine(const SectionEntry& entry, const Grid& table, int first, int row, bool textSection,
                    std::string& line)
{
    if (entry.name.empty() || entry.count < 0 || (entry.count > 0 && first < 0))
        return false;
    line = entry.name;
    line += ' ';
    const int values = entry.count == 0 ? 0 : textSection ? 1 : entry.count;
    for (int j = 0; j < values; ++j) {
        line += table.cell(first + j, row);
        line += ' ';
    }
    return true;
}

// The key lines a file's save rewrites, before and after, for a review.
class ReviewedLines {
public:
    explicit ReviewedLines(std::vector<KeyLineChange>* lines) : lines_(lines) {}
    void rewritten(size_t line, const std::string& before, const std::string& after)
    {
        if (!lines_)
            return;
        // A line rewritten twice (two entries find it) shows its first and its last text.
        auto [slot, added] = index_.emplace(line, lines_->size());
        if (added)
            lines_->push_back({line, before, after});
        else
            (*lines_)[slot->second].after = after;
    }
    // A line rewritten and then rewritten back is no change.
    void dropUnchanged()
    {
        if (lines_)
            std::erase_if(*lines_, [](const KeyLineChange& change) { return change.before == change.after; });
    }

private:
    std::vector<KeyLineChange>* lines_;
    std::unordered_map<size_t, size_t> index_;  // line -> its entry in lines_
};

// The key lines of the texts a save rewrites, one text after another. Every
// entry's line is found in one pass over the text, and those answers hold
// until a rewritten line might change which line another name finds (a name
// that begins a longer one); from then on an index of the text as it then
// stands answers.
class SavedKeyLines {
public:
    SavedKeyLines(const LoadedSchema& schema, const CodePage& codePage)
        : schema_(schema), codePage_(codePage), scan_(schema.numberedNames)
    {
    }
    void startText(const std::vector<std::string>& lines)
    {
        lines_ = &lines;
        index_.reset();
        views_.assign(lines.begin(), lines.end());
        scan_.find(views_, codePage_, found_);
    }
    long find(int section, size_t k) const
    {
        return index_ ? index_->findFolded(schema_.folded(section, k)) : found_[schema_.number(section, k)];
    }
    // Line `at` of the text now holds entry k's rebuilt line.
    void rewritten(int section, size_t k, size_t at)
    {
        if (!schema_.hasLongerName[static_cast<size_t>(section - 1)][k])
            return;
        if (index_)
            index_->lineChanged(at, (*lines_)[at]);
        else
            index_ = std::make_unique<KeyLineIndex>(*lines_, schema_.longestKey, codePage_, &schema_.firstBytes);
    }

private:
    const LoadedSchema& schema_;
    const CodePage& codePage_;
    const KeyLineScan scan_;
    const std::vector<std::string>* lines_ = nullptr;
    std::vector<std::string_view> views_;
    std::vector<long> found_;
    std::unique_ptr<KeyLineIndex> index_;
};

// Rebuilds, in a file's text, the line of every entry from the file's row of
// the tables. A key is never added to a file: the cells of a key the file
// has no line for go into `withoutKeyLine`, as values the save leaves out.
void RewriteKeyLines(const DescDocument& document, const LoadedSchema& schema, const EntryColumns& columns,
                     SavedKeyLines& keys, int row, TextLines& text, ReviewedLines& review,
                     std::vector<RowCell>& withoutKeyLine)
{
    keys.startText(text.lines);
    std::string line;  // one buffer for every rebuilt line that changes nothing
    for (int i = 1; i <= kSectionCount; ++i) {
        const auto& entries = schema.section(i).entries;
        const std::vector<int>& firsts = columns[static_cast<size_t>(i - 1)];
        for (size_t k = 0; k < entries.size(); ++k) {
            if (!RebuiltKeyLine(entries[k], document.grid(i), firsts[k], row, i == kSectionCount, line))
                continue;
            const long keyLine = keys.find(i, k);
            if (keyLine == kNoLine) {
                for (int j = 0; j < ColumnsOf(entries[k]); ++j)
                    withoutKeyLine.push_back({i, firsts[k] + j});
                continue;
            }
            const size_t at = static_cast<size_t>(keyLine);
            std::string& current = text.lines[at];
            if (current == line)
                continue;
            review.rewritten(at, current, line);
            current.swap(line);
            keys.rewritten(i, k, at);
        }
    }
    review.dropUnchanged();
}

// The bytes a row's save starts from: what an earlier row of the same file
// writes, else what the file holds. False, with the message, when the file
// cannot be read.
bool BytesBefore(const std::string& path, const FileSave* earlier, std::string& bytes, Message& error)
{
    if (earlier) {
        bytes = earlier->bytes;
        return true;
    }
    FileError err;
    if (ReadWholeFile(path, bytes, err))
        return true;
    error = CannotOpenFileMessage(path, err.why());
    return false;
}

// A file's bytes with every key line rebuilt from row `row`; the lines that
// change go into `review` when it is given.
std::string RebuiltText(const DescDocument& document, const LoadedSchema& schema, const EntryColumns& columns,
                        SavedKeyLines& keys, int row, const std::string& bytes, TextLines& text, FileSave& file,
                        std::vector<KeyLineChange>* review)
{
    SplitLinesInto(bytes, text);
    ReviewedLines reviewed(review);
    RewriteKeyLines(document, schema, columns, keys, row, text, reviewed, file.withoutKeyLine);
    return JoinLines(text);
}

}  // namespace

SavePlan DescDocument::planSaveAll(const Progress& progress, bool withKeyLines) const
{
    SavePlan plan;
    plan.madeAt = modificationCount_;
    if (descFileCount_ <= 0)
        return plan;
    // The keys and counts the tables were laid out by: a variables text
    // edited since would shift which cells go into which line.
    const LoadedSchema schema(layoutVariablesText_, codePage());
    if (Message tooLarge = schema.tooLargeError(descFileCount_); !tooLarge.empty()) {
        plan.error = tooLarge;
        return plan;
    }
    if (!(plan.error = schema.firstError()).empty())
        return plan;
    const EntryColumns columns = FindEntryColumns(*this, schema);

    // A file listed on several rows takes each row's lines in turn: a later
    // row starts from the bytes the earlier one writes, as when each file was
    // read again just before its row was written.
    std::unordered_map<std::string, size_t> lastChange;  // path -> its last changed entry in plan.files
    SavedKeyLines keys(schema, codePage());
    TextLines text;
    std::string bytes;
    for (int r = 1; r <= descFileCount_; ++r) {
        FileSave file;
        file.row = r;
        file.path = filePath(r);
        const auto found = lastChange.find(file.path);
        const FileSave* earlier = found == lastChange.end() ? nullptr : &plan.files[found->second];
        // A file that cannot be saved is named with the others before
        // anything is written, never found half way through the writing.
        if (BytesBefore(file.path, earlier, bytes, file.error)) {
            std::string out =
                RebuiltText(*this, schema, columns, keys, r, bytes, text, file, withKeyLines ? &file.keyLines : nullptr);
            settleFileSave(file, bytes, std::move(out), earlier);
            if (FileError err; file.changed && !CanReplace(file.path, err))
                file.error = CannotCreateFileMessage(file.path, err.why());
        }
        if (file.changed)
            lastChange[file.path] = plan.files.size();
        plan.files.push_back(std::move(file));
        if (progress)
            progress(r, descFileCount_);
    }
    return plan;
}

void DescDocument::settleFileSave(FileSave& file, const std::string& bytes, std::string out,
                                  const FileSave* earlier) const
{
    file.changed = out != bytes;
    const std::uint64_t onDisk = Fingerprint(bytes);
    file.readFingerprint = earlier ? earlier->readFingerprint : onDisk;
    if (earlier)
        file.changedOnDisk = earlier->changedOnDisk;
    else if (auto known = fingerprints_.find(file.path); known != fingerprints_.end())
        file.changedOnDisk = known->second != onDisk;
    file.fingerprint = file.changed ? Fingerprint(out) : onDisk;
    if (file.changed)
        file.bytes = std::move(out);
}

void DescDocument::markRowSaved(int row, const std::vector<RowCell>& unwritten, Touched& touched)
{
    if (!rowChanged(row))
        return;
    // A value the save could not write still differs from its file.
    auto written = [&](int grid, int col) {
        return std::find(unwritten.begin(), unwritten.end(), RowCell{grid, col}) == unwritten.end();
    };
    int& left = changedInRow_[static_cast<size_t>(row)];
    for (int n = 1; n <= kFileListGrid && left > 0; ++n) {
        auto& changed = diskOfChanged_[static_cast<size_t>(n - 1)];
        for (int c = 0, stored = grid(n).storedCells(row); c < stored && left > 0 && !changed.empty(); ++c) {
            if (written(n, c) && changed.erase(CellKey(c, row))) {
                --left;
                --changedCells_;
                touched.cell(n, c, row);
            }
        }
        touched.diskChanged(n);
    }
    // Changed cells that a narrowing dropped afterwards are stored no more.
    for (int n = 1; n <= kFileListGrid && left > 0; ++n) {
        const auto erased = std::erase_if(diskOfChanged_[static_cast<size_t>(n - 1)], [&](const auto& entry) {
            return RowOfKey(entry.first) == row && written(n, ColOfKey(entry.first));
        });
        left -= static_cast<int>(erased);
        changedCells_ -= erased;
        if (erased > 0)
            touched.row(n, grid(n), row);
    }
}

void DescDocument::reloadCurrentDescText()
{
    // A current file that cannot be read (the save skipped it, or failed
    // at it) leaves the text as it is; the save's outcome is what to report.
    std::string bytes;
    if (FileError ignored; !currentDescFile_.empty() && ReadWholeFile(currentDescFile_, bytes, ignored))
        loadDescText(bytes);
}

namespace {

// The files of the plan whose bytes change, in row order, but for the rows
// skipped. A file that cannot be saved must be skipped: otherwise nothing is
// written.
std::vector<const FileSave*> FilesToWrite(const SavePlan& plan, const std::set<int>& skip)
{
    std::vector<const FileSave*> files;
    for (const FileSave& file : plan.files) {
        if (skip.count(file.row))
            continue;
        if (!file.error.empty())
            throw DravikError(file.error);
        if (file.changed)
            files.push_back(&file);
    }
    return files;
}

void LockForWriting(FileLocks& locks, const std::vector<const FileSave*>& files)
{
    std::vector<std::string> paths;
    for (const FileSave* file : files)
        paths.push_back(file->path);
    FileError err;
    if (!locks.lock(std::move(paths), err))
        throw DravikError(CannotCreateFileMessage(locks.failedPath(), err.why()));
}

}  // namespace

void DescDocument::ThrowIfChangedSincePlanned(const std::vector<const FileSave*>& files)
{
    std::vector<std::string> changed;
    std::set<std::string> checked;  // a file listed on several rows is read once
    std::string bytes;
    for (const FileSave* file : files) {
        if (!checked.insert(file->path).second)
            continue;
        FileError err;
        if (!ReadWholeFile(file->path, bytes, err) || Fingerprint(bytes) != file->readFingerprint)
            changed.push_back(file->path);
    }
    if (!changed.empty())
        throw ChangedOnDiskError(std::move(changed));
}

SaveOutcome DescDocument::saveAll(const SavePlan& givenPlan, const std::set<int>& skip, const Progress& progress)
{
    SavePlan fresh;
    if (givenPlan.madeAt != modificationCount_)
        fresh = planSaveAll();
    const SavePlan& plan = givenPlan.madeAt != modificationCount_ ? fresh : givenPlan;
    if (!plan.error.empty())
        throw DravikError(plan.error);
    const std::vector<const FileSave*> writing = FilesToWrite(plan, skip);
    // Another Dravik 2 that saves these files meanwhile waits for this save,
    // and a change another program made since the plan read them is not
    // overwritten: the plan's bytes were built without it.
    FileLocks locks;
    LockForWriting(locks, writing);
    ThrowIfChangedSincePlanned(writing);

    Notice notice(listeners_);
    const bool wasModified = isModified();
    Touched touched;
    SaveOutcome outcome;
    outcome.files = static_cast<int>(plan.files.size());
    // Every new file is written beside its target first, all are flushed at
    // once, and only then renamed over their targets: a crash leaves each
    // file wholly old or wholly new, without a flush per file.
    DurableWriteBatch batch;
    std::vector<const FileSave*> queued;  // in row order, the files in the batch and the unchanged ones
    std::vector<std::string> written;
    auto markSaved = [&](size_t count) {
        for (size_t i = 0; i < count; ++i) {
            fingerprints_[queued[i]->path] = queued[i]->fingerprint;
            setKeyLinesMissing(queued[i]->row, queued[i]->withoutKeyLine);
            markRowSaved(queued[i]->row, queued[i]->withoutKeyLine, touched);
            if (queued[i]->changed)
                written.push_back(queued[i]->path);
        }
        outcome.written = static_cast<int>(written.size());
    };
    auto stopped = [&](const std::string& path, const FileError& err) {
        return SaveStoppedError(CannotCreateFileMessage(path, err.why()), written, static_cast<int>(writing.size()));
    };
    // Puts the batch in place; when one of its files fails, the ones before
    // it are written, and their rows are saved.
    auto commit = [&] {
        FileError err;
        if (batch.commit(err)) {
            markSaved(queued.size());
            return;
        }
        size_t before = 0;
        while (before < queued.size() && !(queued[before]->changed && queued[before]->path == batch.failedPath()))
            ++before;
        markSaved(before);
        throw stopped(batch.failedPath(), err);
    };
    int done = 0;
    try {
        for (const FileSave& file : plan.files) {
            if (skip.count(file.row))
                continue;
            if (file.changed) {
                FileError err;
                if (!batch.add(file.path, file.bytes, err)) {
                    commit();  // the rows before this one are written all the same
                    throw stopped(file.path, err);
                }
            }
            queued.push_back(&file);
            if (progress)
                progress(++done, outcome.files);
        }
        commit();
    } catch (const DravikError&) {
        notify(touched, wasModified);
        reloadCurrentDescText();
        throw;
    }
    if (skip.empty() && static_cast<int>(plan.files.size()) == descFileCount_) {
        // Every file holds what the tables show, but for the values of keys a
        // file has no line for: those were left marked, row by row. A cell
        // outside the files' rows (a header) is settled all the same.
        for (int r = 0; r < static_cast<int>(changedInRow_.size()); ++r)
            if (r == 0 || r > descFileCount_)
                markRowSaved(r, {}, touched);
        for (int n = 1; n <= kFileListGrid; ++n) {
            touched.diskChanged(n);
            touched.everyCell(n, grid(n));
        }
    }
    notify(touched, wasModified);
    reloadCurrentDescText();
    notice.end();
    return outcome;
}

SaveOutcome DescDocument::saveAll(const Progress& progress)
{
    return saveAll(planSaveAll(), {}, progress);
}

}  // namespace dravik
