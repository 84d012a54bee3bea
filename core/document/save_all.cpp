// Save all: every opened file read again, the line of every schema key
// rebuilt from the file's row of the tables, and the file written back when
// that changes its bytes.
#include "core/document/desc_document.h"

#include "core/text/dravik2_auxillary.h"
#include "core/errors.h"
#include "core/files/file_io.h"
#include "core/files/file_lock.h"
#include "core/document/entry_values.h"
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
    for (SectionNumber i : AllSections()) {
        const ValueColumns found(document.grid(TableOf(i)));
        for (const SectionEntry& entry : schema.section(i).entries)
            columns[i.index()].push_back(found.firstOf(entry.name));
    }
    return columns;
}

// Whether Save all writes an entry's line: an empty name would match every
// line, a negative count has no columns to take values from, and an entry no
// column carries keeps the file's values.
bool Writable(const SectionEntry& entry, int first)
{
    return !entry.name.empty() && entry.count >= 0 && (entry.count == 0 || first >= 0);
}

// How many of a line's words a cell's text made when it was written into the
// line: runs of characters between blanks. A control character is a word
// there (only the line's ends are trimmed of them), unlike in WordCount.
int WordsInLine(std::string_view cell)
{
    int words = 0;
    for (size_t i = 0; i < cell.size(); ++i)
        if (cell[i] != ' ' && (i == 0 || cell[i - 1] == ' '))
            ++words;
    return words;
}

// The line Save all writes for an entry from a row of section table `grid`,
// whose values start at column `first`, in place of the file's line
// `current`: the name, a blank, and each value followed by a blank. In
// sections 1 to 9 the values are the cells up to the line's last value
// (`lineValues`, as last read or written) or up to the last cell typed into
// past it, whichever is later, followed by the line's own values past those
// its cells held: no value the line has beyond the count is lost, and none
// is made up where it had none. Returns how many values the line then holds
// in the table's terms: its cells written, and the values past its count.
int RebuildKeyLine(const DescDocument& document, SectionNumber section, int entryIndex, const SectionEntry& entry,
                   int first, int row, int lineValues, std::string_view current, ValueWords& words, std::string& line)
{
    const GridNumber grid = TableOf(section);
    const Grid& table = document.grid(grid);
    line = entry.name;
    line += ' ';
    if (section == kTextSection) {
        // The whole text is one value, written once whatever the count.
        if (entry.count > 0)
            line.append(table.cell(first, row)).append(1, ' ');
        return entry.count > 0 ? 1 : 0;
    }
    const int had = std::min(lineValues, entry.count);
    int written = had;
    for (int j = entry.count - 1; j >= written; --j)
        if (!table.cell(first + j, row).empty()) {
            written = j + 1;
            break;
        }
    for (int j = 0; j < written; ++j)
        line.append(table.cell(first + j, row)).append(1, ' ');
    // A line already as rebuilt holds no further value: most lines of a
    // file saved before, looked at without splitting them.
    if (line == current)
        return written;
    // The line's words past those of its cells as the file held them (a
    // cell saved with several words, or none, holds as many; cells that are
    // not the ones the entry was laid out in, their headers changed, say
    // nothing of its line: one word each), and past the values typed after
    // them, which take the places of any the line has there.
    int covered = had;
    if (first == document.laidOutColumn(section, entryIndex)) {
        covered = 0;
        for (int j = 0; j < had; ++j)
            covered += document.keyLineMissing(grid, first + j, row)
                           ? 1
                           : WordsInLine(document.diskValue(grid, first + j, row));
    }
    covered += written - had;
    words.split(current.substr(std::min(entry.name.size(), current.size())));
    int further = 0;
    for (int j = covered; j < words.size(); ++j, ++further)
        line.append(words[j]).append(1, ' ');
    // Values past a shorter line's cells (another program lengthened it)
    // are kept in the file, out of the table's sight.
    return written == entry.count ? written + further : written;
}

// Whether a key line, rebuilt, holds the values it held: the same words in
// the same order (in the text section, the same text), whatever the blanks
// between them.
bool SameValues(std::string_view before, std::string_view after, size_t nameLength, bool textSection)
{
    before.remove_prefix(std::min(nameLength, before.size()));
    after.remove_prefix(std::min(nameLength, after.size()));
    if (textSection)
        return Trim(before) == Trim(after);
    return ValueWords(before) == ValueWords(after);
}

// The key lines a file's save rewrites, in the order they were first
// rewritten, with what is needed to tell a change of values from a change of
// spelling once every entry is done.
class RewrittenLines {
public:
    void clear()
    {
        order_.clear();
        index_.clear();
    }
    void rewritten(size_t line, size_t nameLength, bool textSection)
    {
        auto [slot, added] = index_.emplace(line, order_.size());
        if (added)
            order_.push_back({line, nameLength, textSection});
        else
            order_[slot->second] = {line, nameLength, textSection};
    }
    struct Line {
        size_t line;
        size_t nameLength;  // of the name that rewrote it last
        bool textSection;
    };
    const std::vector<Line>& lines() const { return order_; }

private:
    std::vector<Line> order_;
    std::unordered_map<size_t, size_t> index_;  // line -> its place in order_
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
    long find(SectionNumber section, size_t k) const
    {
        return index_ ? index_->findFolded(schema_.folded(section, k)) : found_[schema_.number(section, k)];
    }
    // Line `at` of the text now holds entry k's rebuilt line.
    void rewritten(SectionNumber section, size_t k, size_t at)
    {
        if (!schema_.hasLongerName[section.index()][k])
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
                     SavedKeyLines& keys, int row, TextLines& text, RewrittenLines& rewritten, FileSave& file)
{
    keys.startText(text.lines);
    rewritten.clear();
    std::string line;  // one buffer for every rebuilt line that changes nothing
    ValueWords words;
    for (SectionNumber i : AllSections()) {
        const auto& entries = schema.section(i).entries;
        const std::vector<int>& firsts = columns[i.index()];
        for (size_t k = 0; k < entries.size(); ++k) {
            if (!Writable(entries[k], firsts[k]))
                continue;
            const long keyLine = keys.find(i, k);
            if (keyLine == kNoLine) {
                for (int j = 0; j < ColumnsOf(entries[k]); ++j)
                    file.withoutKeyLine.push_back({TableOf(i), firsts[k] + j});
                continue;
            }
            const size_t at = static_cast<size_t>(keyLine);
            std::string& current = text.lines[at];
            const int entry = static_cast<int>(k);
            const int values = RebuildKeyLine(document, i, entry, entries[k], firsts[k], row,
                                              document.lineValueCount(i, entry, row, entries[k].count), current,
                                              words, line);
            if (i != kTextSection && entries[k].count > 0 && values != entries[k].count)
                file.lineLengths.push_back({i, entry, values});
            if (current == line)
                continue;
            rewritten.rewritten(at, entries[k].name.size(), i == kTextSection);
            current.swap(line);
            keys.rewritten(i, k, at);
        }
    }
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

// The storage one file's rebuild needs, kept from one file to the next.
struct RebuildBuffers {
    TextLines text;
    std::vector<std::string_view> before;  // the lines as the bytes hold them
    RewrittenLines rewritten;
};

// A file's bytes with every key line rebuilt from row `row`; the lines that
// change go into `review` when it is given. Asked to rewrite only the lines
// whose values change, the rest of the file keeps its bytes, line breaks
// included, and a file with none keeps all of them.
std::string RebuiltText(const DescDocument& document, const LoadedSchema& schema, const EntryColumns& columns,
                        SavedKeyLines& keys, int row, const std::string& bytes, RebuildBuffers& buffers,
                        FileSave& file, std::vector<KeyLineChange>* review, Respelling respelling)
{
    TextLines& text = buffers.text;
    SplitLinesInto(bytes, text);
    RewriteKeyLines(document, schema, columns, keys, row, text, buffers.rewritten, file);
    if (buffers.rewritten.lines().empty())
        return JoinLines(text);
    SplitLineViewsInto(bytes, buffers.before);
    const std::vector<std::string_view>& before = buffers.before;
    std::vector<size_t> changedValues;
    for (const RewrittenLines::Line& line : buffers.rewritten.lines()) {
        std::string& after = text.lines[line.line];
        if (after == before[line.line])
            continue;  // rewritten and rewritten back
        const bool valuesChanged = !SameValues(before[line.line], after, line.nameLength, line.textSection);
        if (valuesChanged) {
            file.valuesChanged = true;
            changedValues.push_back(line.line);
        } else if (respelling == Respelling::OnlyChangedLines) {
            after.assign(before[line.line]);
            continue;
        } else {
            ++file.respelledLines;
        }
        if (review)
            review->push_back({line.line, std::string(before[line.line]), after, valuesChanged});
    }
    if (respelling == Respelling::AllKeyLines)
        return JoinLines(text);
    // Only the lines whose values change are put in, between the bytes the
    // file holds.
    std::sort(changedValues.begin(), changedValues.end());
    std::string out;
    size_t from = 0;
    for (size_t at : changedValues) {
        const size_t start = static_cast<size_t>(before[at].data() - bytes.data());
        out.append(bytes, from, start - from).append(text.lines[at]);
        from = start + before[at].size();
    }
    return out.append(bytes, from);
}

}  // namespace

SavePlan DescDocument::planSaveAll(const Progress& progress, bool withKeyLines, Respelling respelling) const
{
    SavePlan plan;
    plan.madeAt = modificationCount_;
    plan.respelling = respelling;
    if (mergedView_) {
        plan.error = Message(DRAVIK_TR("Save all", "The tables show the merged values of a mod set: they are never written back into the files they were read from"));
        return plan;
    }
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
    RebuildBuffers buffers;
    std::string bytes;
    for (int r = 1; r <= descFileCount_; ++r) {
        FileSave file;
        file.row = r;
        file.path = filePath(FileRow(r));
        const auto found = lastChange.find(file.path);
        const FileSave* earlier = found == lastChange.end() ? nullptr : &plan.files[found->second];
        // A file that cannot be saved is named with the others before
        // anything is written, never found half way through the writing.
        if (BytesBefore(file.path, earlier, bytes, file.error)) {
            std::string out = RebuiltText(*this, schema, columns, keys, r, bytes, buffers, file,
                                          withKeyLines ? &file.keyLines : nullptr, respelling);
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
    auto written = [&](GridNumber grid, int col) {
        return std::find(unwritten.begin(), unwritten.end(), RowCell{grid, col}) == unwritten.end();
    };
    int& left = changedInRow_[static_cast<size_t>(row)];
    for (GridNumber n : FileRowTables()) {
        if (left <= 0)
            break;
        auto& changed = diskOfChanged_[n.index()];
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
    for (GridNumber n : FileRowTables()) {
        if (left <= 0)
            break;
        const auto erased = std::erase_if(diskOfChanged_[n.index()], [&](const auto& entry) {
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

namespace {

// Every file Save all writes, once each: a file listed on several rows is
// written with the bytes of its last row, which start from what the earlier
// rows write.
using LastOfFile = std::unordered_map<std::string, const FileSave*>;

LastOfFile LastRowOfEachFile(const std::vector<const FileSave*>& writing)
{
    LastOfFile last;
    for (const FileSave* file : writing)
        last[file->path] = file;
    return last;
}

// The files the batch put in place: by path, and in row order.
struct Replaced {
    std::set<std::string> paths;
    std::vector<std::string> inOrder;
};

Replaced ReplacedFiles(const DurableWriteBatch& batch, const std::vector<const FileSave*>& added)
{
    Replaced replaced;
    for (size_t i = 0; i < added.size(); ++i) {
        if (batch.replaced()[i]) {
            replaced.paths.insert(added[i]->path);
            replaced.inOrder.push_back(added[i]->path);
        }
    }
    return replaced;
}

}  // namespace

std::vector<const FileSave*> DescDocument::writeBesideTargets(const SavePlan& plan, const std::set<int>& skip,
                                                             const LastOfFile& lastOfFile, DurableWriteBatch& batch,
                                                             const Progress& progress)
{
    std::vector<const FileSave*> added;
    const int files = static_cast<int>(plan.files.size());
    int done = 0;
    for (const FileSave& file : plan.files) {
        if (skip.count(file.row))
            continue;
        if (const auto last = lastOfFile.find(file.path); last != lastOfFile.end() && last->second == &file) {
            const std::uint64_t read = file.readFingerprint;
            FileError err;
            if (!batch.add(file.path, file.bytes, err, [read](std::string_view now) { return Fingerprint(now) == read; })) {
                batch.discard();
                throw SaveStoppedError(CannotCreateFileMessage(file.path, err.why()), {},
                                       static_cast<int>(lastOfFile.size()));
            }
            added.push_back(&file);
        }
        if (progress)
            progress(++done, files);
    }
    return added;
}

void DescDocument::markFilesSaved(const SavePlan& plan, const std::set<int>& skip,
                                  const std::unordered_map<std::string, const FileSave*>& lastOfFile,
                                  const std::set<std::string>& replaced, Touched& touched)
{
    for (const FileSave& file : plan.files) {
        if (skip.count(file.row) || (lastOfFile.count(file.path) && !replaced.count(file.path)))
            continue;
        fingerprints_[file.path] = file.fingerprint;
        setKeyLinesMissing(file.row, file.withoutKeyLine);
        setLineLengths(file.row, file.lineLengths);
        markRowSaved(file.row, file.withoutKeyLine, touched);
    }
}

void DescDocument::markEveryFileSaved(Touched& touched)
{
    // Every file holds what the tables show, but for the values of keys a
    // file has no line for: those were left marked, row by row. A cell
    // outside the files' rows (a header) is settled all the same.
    for (int r = 0; r < static_cast<int>(changedInRow_.size()); ++r)
        if (r == 0 || r > descFileCount_)
            markRowSaved(r, {}, touched);
    for (GridNumber n : FileRowTables()) {
        touched.diskChanged(n);
        touched.everyCell(n, grid(n));
    }
}

SaveOutcome DescDocument::saveAll(const SavePlan& givenPlan, const std::set<int>& skip, const Progress& progress)
{
    SavePlan fresh;
    if (givenPlan.madeAt != modificationCount_)
        fresh = planSaveAll({}, false, givenPlan.respelling);
    const SavePlan& plan = givenPlan.madeAt != modificationCount_ ? fresh : givenPlan;
    if (!plan.error.empty())
        throw DravikError(plan.error);
    const std::vector<const FileSave*> writing = FilesToWrite(plan, skip);
    // Another Dravik 2 that saves these files meanwhile waits for this save.
    FileLocks locks;
    LockForWriting(locks, writing);
    const LastOfFile lastOfFile = LastRowOfEachFile(writing);
    const int toWrite = static_cast<int>(lastOfFile.size());

    Notice notice(listeners_);
    const bool wasModified = isModified();
    Touched touched;
    // Every new file is written beside its target first, all are flushed at
    // once, and only then renamed over their targets: a crash leaves each
    // file wholly old or wholly new, without a flush per file. A change
    // another program makes to a file until right before its rename is not
    // written over: the plan's bytes were built without it.
    DurableWriteBatch batch;
    const std::vector<const FileSave*> added = writeBesideTargets(plan, skip, lastOfFile, batch, progress);
    FileError err;
    const bool committed = batch.commit(err);
    const Replaced replaced = ReplacedFiles(batch, added);
    // The rows whose files now hold what the tables show: every row of a
    // file written, or of a file the save did not need to write. When no
    // file was written because one had changed, no row is.
    if (committed || !replaced.inOrder.empty() || !batch.failedPath().empty())
        markFilesSaved(plan, skip, lastOfFile, replaced.paths, touched);
    if (!committed) {
        notify(touched, wasModified);
        if (!replaced.inOrder.empty())
            reloadCurrentDescText();
        if (!batch.failedPath().empty())
            throw SaveStoppedError(CannotCreateFileMessage(batch.failedPath(), err.why()), replaced.inOrder, toWrite);
        throw ChangedOnDiskError(batch.changed(), replaced.inOrder, toWrite);
    }
    if (skip.empty() && static_cast<int>(plan.files.size()) == descFileCount_)
        markEveryFileSaved(touched);
    notify(touched, wasModified);
    reloadCurrentDescText();
    notice.end();
    return {static_cast<int>(replaced.inOrder.size()), static_cast<int>(plan.files.size())};
}

SaveOutcome DescDocument::saveAll(const Progress& progress)
{
    return saveAll(planSaveAll(), {}, progress);
}

}  // namespace dravik
