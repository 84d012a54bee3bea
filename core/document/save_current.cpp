// Save current: the desc text, as the user edited it in the preview, written
// to the current desc file; the file's rows of the tables then read back from
// it, so that a later Save all does not write the old values over the edit.
#include "core/document/desc_document.h"

#include "core/document/entry_values.h"
#include "core/document/value_columns.h"
#include "core/files/file_io.h"
#include "core/files/file_lock.h"
#include "core/schema/loaded_schema.h"

namespace dravik {

CurrentSave DescDocument::planSaveCurrent() const
{
    CurrentSave planned;
    planned.path = currentDescFile_;
    planned.bytes = JoinLines(descText_);
    // A file that cannot be read (gone, or never there) holds nothing to
    // lose; the write then says whether it can be made.
    std::string now;
    FileError ignored;
    if (!planned.path.empty() && ReadWholeFile(planned.path, now, ignored)) {
        planned.read = true;
        planned.readFingerprint = Fingerprint(now);
        // Line breaks aside, as the preview shows the file.
        planned.changedOnDisk = SplitLines(now) != diskDescText_;
    }
    return planned;
}

TableChange DescDocument::saveCurrent()
{
    const CurrentSave planned = planSaveCurrent();
    if (planned.changedOnDisk)
        throw ChangedOnDiskError({planned.path});
    return saveCurrent(planned);
}

TableChange DescDocument::saveCurrent(const CurrentSave& givenPlan)
{
    // The preview may show a base or mod file of the merged view; writing it
    // would change what the set was read from and re-read rows that show
    // merged values.
    if (mergedView_)
        throw DravikError(Message(DRAVIK_TR("Save all", "The tables show the merged values of a mod set: they are never written back into the files they were read from")));
    CurrentSave fresh;
    const bool stale = givenPlan.path != currentDescFile_ || givenPlan.bytes != JoinLines(descText_);
    if (stale && (fresh = planSaveCurrent()).changedOnDisk)
        throw ChangedOnDiskError({fresh.path});
    const CurrentSave& planned = stale ? fresh : givenPlan;
    // Another Dravik 2 that saves the file meanwhile waits for this save, as
    // for Save all, and a change another program makes up to the rename is
    // not written over.
    FileLocks locks;
    FileError err;
    if (planned.read && !locks.lock({planned.path}, err))
        throw DravikError(CannotCreateFileMessage(planned.path, err.why()));
    StillAsRead stillAsRead;
    if (planned.read)
        stillAsRead = [read = planned.readFingerprint](std::string_view now) { return Fingerprint(now) == read; };
    DurableWriteBatch batch;
    if (!batch.add(planned.path, planned.bytes, err, std::move(stillAsRead)))
        throw DravikError(CannotCreateFileMessage(planned.path, err.why()));
    if (!batch.commit(err)) {
        if (!batch.changed().empty())
            throw ChangedOnDiskError(batch.changed());
        throw DravikError(CannotCreateFileMessage(planned.path, err.why()));
    }
    fingerprints_[planned.path] = Fingerprint(planned.bytes);
    diskDescText_ = descText_;
    return readRowsFromDescText();
}

TableChange DescDocument::readRowsFromDescText()
{
    TableChange change;
    std::vector<int> rows;
    for (FileRow r : FileRowRange(descFileCount_))
        if (filePath(r) == currentDescFile_)
            rows.push_back(r.number());
    const LoadedSchema schema(layoutVariablesText_, codePage());
    // A schema that stopped the load is one Save all refuses: nothing to agree with.
    if (rows.empty() || !schema.firstError().empty())
        return change;

    Notice notice(listeners_);
    const bool wasModified = isModified();
    Touched touched;
    const KeyLineIndex keys(descText_.lines, schema.longestKey, codePage(), &schema.firstBytes);
    std::vector<RowCell> missing;
    std::vector<LineLength> lengths;
    for (SectionNumber i : AllSections()) {
        const GridNumber table = TableOf(i);
        // The cells Save all writes each entry from.
        const ValueColumns columns(grid(table));
        const auto& entries = schema.section(i).entries;
        for (size_t k = 0; k < entries.size(); ++k) {
            const int first = columns.firstOf(entries[k].name);
            if (entries[k].name.empty() || first < 0)
                continue;
            const long line = keys.findFolded(schema.folded(i, k));
            const std::string value = ValueOfKeyLine(descText_.lines, line, entries[k].name.size());
            const int count = ColumnsOf(entries[k]);
            const int values =
                PutEntryValues(value, line != kNoLine, count, i == kTextSection, [&](int j, const std::string& cell) {
                    if (line == kNoLine)
                        missing.push_back({table, first + j});
                    for (int row : rows)
                        putDiskValue(table, first + j, row, cell, change, touched);
                });
            if (i != kTextSection && line != kNoLine && count > 0 && values != count)
                lengths.push_back({i, static_cast<int>(k), values});
        }
    }
    for (int row : rows) {
        setKeyLinesMissing(row, missing);
        setLineLengths(row, lengths);
    }
    if (!change.empty())
        ++modificationCount_;
    notify(touched, wasModified);
    notice.end();
    return change;
}

void DescDocument::putDiskValue(GridNumber grid, int col, int row, const std::string& value, TableChange& record,
                                Touched& touched)
{
    const Grid& g = this->grid(grid);
    if (col < 0 || row < 0 || col >= g.colCount() || row >= g.rowCount())
        return;
    touched.diskChanged(grid);
    auto& changed = diskOfChanged_[grid.index()];
    const auto found = changed.find(CellKey(col, row));
    if (found == changed.end()) {
        if (g.cell(col, row) == value)
            return;
        record.addCell(grid, col, row, g.cell(col, row), value);
        mutableGrid(grid).setCell(col, row, value);
    } else if (g.cell(col, row) == value) {
        changed.erase(found);
        countChanged(row, -1);
    } else {
        found->second = value;
    }
    touched.cell(grid, col, row);
}

}  // namespace dravik
