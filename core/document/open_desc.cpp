// Open desc: the chosen files laid out side by side, one row per file and one
// column per value, in the ten section tables and the file list.
#include "core/document/desc_document.h"

#include "core/document/entry_values.h"
#include "core/text/dravik2_auxillary.h"
#include "core/errors.h"
#include "core/files/file_io.h"
#include "core/files/folder_listing.h"
#include "core/files/native_path.h"
#include "core/schema/loaded_schema.h"

#include <algorithm>
#include <new>

namespace dravik {

namespace {

int gLoadFailsAtFile = 0;

}  // namespace

void SetLoadFailureAtFileForTesting(int row) { gLoadFailsAtFile = row; }

// One desc file as the load reads it: its bytes, its lines as views into
// them, and the line of every entry found in one pass. The storage is kept
// from one file to the next; the last file whose rows stay becomes the desc
// text.
struct DescDocument::LoadedFile {
    explicit LoadedFile(const LoadedSchema& schema) : schema(schema), keys(schema.numberedNames) {}
    void findKeys(const CodePage& codePage)
    {
        SplitLineViewsInto(bytes, lines);
        keys.find(lines, codePage, keyLines);
    }
    // The line of entry k of a section; kNoLine when the file has none.
    long line(SectionNumber section, size_t k) const { return keyLines[schema.number(section, k)]; }
    // The value text of entry k of a section, as ValueOfKeyLine gives it.
    std::string_view value(SectionNumber section, size_t k, size_t nameLength) const
    {
        return KeyValueView(lines, line(section, k), nameLength);
    }

    const LoadedSchema& schema;
    const KeyLineScan keys;
    // The last file whose rows were filled whole, and its bytes.
    std::string shownPath;
    std::string shownBytes;
    std::string bytes;
    std::vector<std::string_view> lines;
    std::vector<long> keyLines;
    ValueWords words;
    GridRow row;  // built here, then copied at its size into its table

    // The file just read is the one to show; its storage takes the next.
    void shown(const std::string& path)
    {
        shownPath = path;
        shownBytes.swap(bytes);
    }
};

void DescDocument::openDesc(const std::vector<std::string>& given, const LoadHooks& hooks)
{
    if (given.empty())
        return;
    loadStoppedAt_ = 0;
    loadStoppedFile_.clear();
    mergedView_ = false;
    // One row per file: two rows of one file would each write it, and the
    // later row's values would undo the edits of the earlier one.
    const std::vector<std::string> paths = WithoutAliases(given, openedAliases_);
    const LoadedSchema schema(variablesText_, codePage());
    if (Message tooLarge = schema.tooLargeError(static_cast<int>(paths.size())); !tooLarge.empty())
        throw DravikError(tooLarge);

    Notice notice(listeners_);
    const bool wasModified = isModified();
    LoadedFile file(schema);
    try {
        loadFiles(paths, schema, hooks, file);
    } catch (...) {
        // What was loaded stays loaded, and the listeners hear of it; the
        // load's own error is the one to report.
        finishLoad(wasModified, file.shownPath, file.shownBytes);
        throw;
    }
    finishLoad(wasModified, file.shownPath, file.shownBytes);
    notice.end();
}

void DescDocument::loadFiles(const std::vector<std::string>& paths, const LoadedSchema& schema, const LoadHooks& hooks,
                             LoadedFile& file)
{
    const int count = static_cast<int>(paths.size());
    descFileCount_ = count;
    openedPaths_ = paths;
    openedRoot_ = CommonFolder(paths);
    layoutVariablesText_ = variablesText_;
    keyLinesMissing_.assign(static_cast<size_t>(count) + 1, {});
    lineLengths_.assign(static_cast<size_t>(count) + 1, {});
    for (auto& entries : laidOut_)
        entries.clear();
    for (GridNumber n : SectionTables())
        mutableGrid(n).clearCells(1, 1);
    resizeGrid(kFileListGrid, fileList().colCount(), count + 1);

    // Column widths follow the headers; they are fitted once at the end, and
    // before an error leaves a section half filled, so they come out as if
    // fitted after every finished section.
    bool sectionFinished = false;
    auto fitIfSectionFinished = [&] {
        if (sectionFinished && hooks.fitColumnWidths)
            hooks.fitColumnWidths();
    };

    int filled = 0;  // the rows whose file was read and whose every table row is filled
    try {
        for (FileRow row : FileRowRange(count)) {
            const int r = row.number();
            readDescFile(r, paths[row.index()], file);
            file.findKeys(codePage());
            for (SectionNumber i : AllSections()) {
                if (r == 1)
                    layOutSection(i, schema, count, fitIfSectionFinished);
                if (r == gLoadFailsAtFile && i == SectionNumber(kSectionCount / 2))
                    throw std::bad_alloc();
                fillSectionRow(i, r, std::string(fileList().cell(kFilePathColumn, r)), schema, file);
                if (const Message& error = schema.section(i).error; !error.empty()) {
                    // Save all refuses this schema: the half-filled row is never written.
                    loadStoppedAt_ = r;
                    loadStoppedFile_ = paths[row.index()];
                    keepLoadedRows(r);
                    file.shown(paths[row.index()]);
                    throw DravikError(error);
                }
                sectionFinished = true;
            }
            filled = r;
            file.shown(paths[row.index()]);
            if (hooks.progress)
                hooks.progress(r, count);
        }
    } catch (...) {
        // Whatever stopped the load (a file that cannot be read, memory that
        // ran out), only the rows filled whole stay: a half-filled row, or
        // one still naming a file of an earlier load, would be written back
        // as blanks by Save all.
        if (loadStoppedAt_ == 0) {
            if (filled < count) {
                loadStoppedAt_ = filled + 1;
                loadStoppedFile_ = paths[static_cast<size_t>(filled)];
            }
            keepLoadedRows(filled);
            fitIfSectionFinished();
        }
        throw;
    }
    if (hooks.fitColumnWidths)
        hooks.fitColumnWidths();
}

// The file's row of the file list, then the file itself.
void DescDocument::readDescFile(int row, const std::string& path, LoadedFile& file)
{
    // The tables hold text: the path as the code page writes it.
    const std::string text = PathText(path);
    Grid& files = mutableGrid(kFileListGrid);
    files.setCell(2, row, text);
    files.setCell(0, row, std::to_string(row));
    files.setCell(1, row, NameOfFile(text));
    file.bytes = ReadFileOrThrow(path);
    fingerprints_[path] = Fingerprint(file.bytes);
}

// The first file sets each section table's size and headers. A section whose
// schema fails stops the load inside it: its columns and headers are set
// after `beforeFailing`, so that the widths fitted then are those of the
// sections before it.
void DescDocument::layOutSection(SectionNumber section, const LoadedSchema& schema, int files,
                                 const std::function<void()>& beforeFailing)
{
    const SectionSchema& entries = schema.section(section);
    const GridNumber table = TableOf(section);
    resizeGrid(table, grid(table).colCount(), files + 1);
    if (!entries.error.empty())
        beforeFailing();
    // A section without entries keeps its columns and headers.
    if (entries.entries.empty())
        return;
    int total = kFirstValueColumn;
    for (const auto& entry : entries.entries)
        total += ColumnsOf(entry);
    resizeGrid(table, total, files + 1);
    Grid& cells = mutableGrid(table);
    int col = kFirstValueColumn;
    for (size_t k = 0; k < entries.entries.size(); ++k) {
        const SectionEntry& entry = entries.entries[k];
        if (ColumnsOf(entry) > 0)
            laidOut_[section.index()].push_back({col, ColumnsOf(entry), static_cast<int>(k)});
        for (int j = 0; j < ColumnsOf(entry); ++j)
            cells.setCell(col++, 0, entry.name);
    }
}

// A load that stopped keeps only the rows of the files it read: a row left
// empty, or still naming a file of an earlier load, would be written back as
// blanks by Save all.
void DescDocument::keepLoadedRows(int rows)
{
    descFileCount_ = rows;
    openedPaths_.resize(static_cast<size_t>(rows));
    keyLinesMissing_.resize(static_cast<size_t>(rows) + 1);
    lineLengths_.resize(static_cast<size_t>(rows) + 1);
    for (GridNumber n : SectionTables())
        resizeGrid(n, grid(n).colCount(), rows + 1);
    resizeGrid(kFileListGrid, fileList().colCount(), rows + 1);
}

// Row `row` of a section table: its number, its path as text, and the values
// of the file, built whole and moved in. A key line with fewer values than
// its count leaves the cells past its last value empty (absent), and one with
// more keeps the others out of sight; both are noted for Save all.
void DescDocument::fillSectionRow(SectionNumber section, int row, const std::string& path, const LoadedSchema& schema,
                                  LoadedFile& file)
{
    Grid& table = mutableGrid(TableOf(section));
    const auto& entries = schema.section(section).entries;
    GridRow& cells = file.row;
    cells.clear();
    cells.add(std::to_string(row));
    cells.add(path);
    for (size_t k = 0; k < entries.size(); ++k) {
        const int columns = ColumnsOf(entries[k]);
        if (columns == 0)
            continue;
        const bool lineFound = file.line(section, k) != kNoLine;
        if (!lineFound)
            for (int j = 0; j < columns; ++j)
                keyLinesMissing_[static_cast<size_t>(row)].push_back({TableOf(section), static_cast<int>(cells.size()) + j});
        const std::string_view value = file.value(section, k, entries[k].name.size());
        if (section == kTextSection) {
            for (int j = 0; j < columns; ++j)
                cells.add(value);
        } else if (!lineFound) {
            for (int j = 0; j < columns; ++j)
                cells.add(kNoKeyLineCell);
        } else {
            file.words.split(value);
            for (int j = 0; j < columns; ++j)
                cells.add(file.words.cell(j));
            if (file.words.size() != columns)
                lineLengths_[static_cast<size_t>(row)].push_back({section, static_cast<int>(k), file.words.size()});
        }
    }
    table.setRow(row, cells);
}

void DescDocument::showMergedView(std::vector<std::pair<GridNumber, Grid>> tables)
{
    Notice notice(listeners_);
    const bool wasModified = isModified();
    mergedView_ = true;
    loadStoppedAt_ = 0;
    loadStoppedFile_.clear();
    openedAliases_.clear();
    openedPaths_.clear();
    openedRoot_.clear();
    layoutVariablesText_ = variablesText_;
    for (auto& entries : laidOut_)
        entries.clear();
    int rows = 1;
    for (auto& [number, contents] : tables) {
        if (number == kFileListGrid)
            rows = contents.rowCount();
        moveGridIn(number, std::move(contents));
    }
    descFileCount_ = rows - 1;
    keyLinesMissing_.assign(static_cast<size_t>(rows), {});
    lineLengths_.assign(static_cast<size_t>(rows), {});
    // No file is current: Save current has nothing it may write.
    descText_ = TextLines{};
    currentDescFile_.clear();
    finishLoad(wasModified, {}, {});
    notice.end();
}

// Whatever the load got to, the tables are what was loaded, and that is what
// their files hold; the desc text is the last file whose rows stay, and the
// listeners hear of it and of the current file once, here.
void DescDocument::finishLoad(bool wasModified, const std::string& shownPath, std::string_view shownBytes)
{
    if (!shownPath.empty()) {
        SplitLinesInto(shownBytes, descText_);
        currentDescFile_ = shownPath;
    }
    diskDescText_ = descText_;
    Touched touched;
    for (GridNumber n : FileRowTables())
        touched.everyCell(n, grid(n));
    takeDiskBaseline(touched);
    notify(touched, wasModified);
    listeners_.notify([](DocumentListener& l) { l.descTextChanged(); });
    listeners_.notify([](DocumentListener& l) { l.currentDescFileChanged(); });
}

}  // namespace dravik
