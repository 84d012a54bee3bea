// The document the editor works on: the twelve tables, the desc text of the
// current file, the variables text, and what each table cell holds on disk.
//
// Outside code reads it through const access. Every change goes through one
// of its operations, which tell the listeners what changed; the edits of the
// tables return what they replaced, so that they can be undone and redone.
#pragma once

#include "core/text/code_page.h"
#include "core/errors.h"
#include "core/document/document_listener.h"
#include "core/document/grid.h"
#include "core/document/grid_numbers.h"
#include "core/schema/schema.h"
#include "core/document/table_change.h"
#include "core/files/folder_listing.h"
#include "core/text/text_lines.h"

#include <algorithm>
#include <array>
#include <climits>
#include <compare>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

namespace dravik {

struct LoadedSchema;
class DurableWriteBatch;

// The headers the program writes into row 0 of the file list and the
// section tables. They are the tables' text, which Export table writes as
// it is; the window shows them in the user's language.
inline constexpr TextId kFileNumberHeader = DRAVIK_TR("Tables", "File number");
inline constexpr TextId kFileNameHeader = DRAVIK_TR("Tables", "File name");
inline constexpr TextId kPathHeader = DRAVIK_TR("Tables", "Path");

// Called after each file of a long command: files done, files in all.
using Progress = std::function<void(int done, int total)>;

struct CellEdit {
    GridNumber grid;
    int col;
    int row;
    std::string text;
};

// Open desc calls `fitColumnWidths` where the column widths follow the new
// headers: at the end, and before an error leaves a section half filled
// when an earlier section had been finished.
struct LoadHooks {
    Progress progress;
    std::function<void()> fitColumnWidths;
};

// Test seam: Open desc runs out of memory half way through the row of file
// `row` (from 1), as a load of huge files may; 0 turns it off.
void SetLoadFailureAtFileForTesting(int row);

// A value cell of a file's row: its section table and column.
struct RowCell {
    GridNumber grid;
    int col;
    auto operator<=>(const RowCell&) const = default;
};

// A key line of a file that holds another number of values than its
// entry's count (sections 1 to 9): entry `entry` (from 0) of section
// `section` has `values` values in the file's line.
struct LineLength {
    SectionNumber section;
    int entry;
    int values;
    auto operator<=>(const LineLength&) const = default;
};

// One key line that Save all rewrites.
struct KeyLineChange {
    size_t line;  // from 0
    std::string before;
    std::string after;
    bool valuesChanged = true;  // false: the same values, spelled anew
};

// What Save all does with a key line whose values did not change: rebuild it
// as every key line is rebuilt (single blanks, one after the last value), or
// leave the file's own spelling, so that only the lines and files whose
// values change are written.
enum class Respelling { AllKeyLines, OnlyChangedLines };

// What Save all would write into one file.
struct FileSave {
    int row = 0;
    std::string path;
    bool changed = false;        // the new bytes differ from the file's bytes
    bool changedOnDisk = false;  // the file changed since it was last read or written here
    // Why the file cannot be saved ("Cannot open file ...", "Cannot create
    // file ..."); empty when it can.
    Message error;
    std::string bytes;           // the new bytes, when changed
    std::uint64_t fingerprint = 0;  // of the bytes the file holds once saved
    std::uint64_t readFingerprint = 0;  // of the bytes on disk the new bytes were built from
    std::vector<KeyLineChange> keyLines;
    // The cells of the keys the file has no line for: Save all never adds a
    // key line, so their values are not written.
    std::vector<RowCell> withoutKeyLine;
    // The row's key lines once saved that hold another number of values than
    // their entry's count, sorted.
    std::vector<LineLength> lineLengths;
    bool valuesChanged = false;  // a key line's values change
    size_t respelledLines = 0;   // key lines rebuilt with the values they had
};

// Save all, worked out before anything is written.
struct SavePlan {
    std::vector<FileSave> files;  // in row order
    Message error;                // what stops the save before any file; empty when nothing does
    std::int64_t madeAt = -1;     // the document's modification count when planned
    Respelling respelling = Respelling::AllKeyLines;
    int changedFiles() const;
    size_t changedLines() const;
    // Files the save changes whose values all stay as they are: only their
    // key lines' spelling (or their line breaks) changes.
    int spellingOnlyFiles() const;
    // Key lines, in any file, that the save rebuilds with the same values.
    size_t respelledLines() const;
    std::vector<std::string> changedOnDisk() const;
    // The files that cannot be saved: they cannot be read, or they would
    // change and cannot be written.
    std::vector<const FileSave*> blocked() const;
};

// What Save current would write, worked out before anything is written.
struct CurrentSave {
    std::string path;
    std::string bytes;           // the desc text as the file is to hold it
    bool read = false;           // the file was there to read; else it is made anew
    std::uint64_t readFingerprint = 0;  // of the bytes read
    bool changedOnDisk = false;  // they are not what the desc text was loaded from or saved to
};

struct SaveOutcome {
    int written = 0;  // files whose bytes changed
    int files = 0;    // files of the save
};

// Right before replacing them, a save found files that changed on disk
// after it had read them, and left them as they were. Found before the first
// rename, nothing was written; found at a file's own rename, the other files
// were written.
class ChangedOnDiskError : public DravikError {
public:
    explicit ChangedOnDiskError(std::vector<std::string> paths, std::vector<std::string> written = {},
                                int toWrite = 0);
    const std::vector<std::string>& paths() const { return paths_; }
    // The files that hold their new bytes, in row order.
    const std::vector<std::string>& written() const { return written_; }
    // How many files the save was to write in all.
    int toWrite() const { return toWrite_; }

private:
    std::vector<std::string> paths_;
    std::vector<std::string> written_;
    int toWrite_;
};

// Save all stopped at a file it could not write: before any file was put in
// place when it could not be written beside its target, else after putting
// the files before it in place.
class SaveStoppedError : public DravikError {
public:
    SaveStoppedError(Message message, std::vector<std::string> written, int toWrite);
    // The files that hold their new bytes, in row order.
    const std::vector<std::string>& written() const { return written_; }
    // How many files the save was to write in all.
    int toWrite() const { return toWrite_; }

private:
    std::vector<std::string> written_;
    int toWrite_;
};

class DescDocument {
public:
    explicit DescDocument(const CodePage& codePage = CodePage::Default());
    // The document keeps a reference: a temporary code page would dangle.
    explicit DescDocument(CodePage&&) = delete;
    DescDocument(const DescDocument&) = delete;
    DescDocument& operator=(const DescDocument&) = delete;

    const CodePage& codePage() const { return *codePage_; }
    const Grid& grid(GridNumber number) const { return grids_.at(number.index()); }
    const Grid& fileList() const { return grid(kFileListGrid); }
    const Grid& summary() const { return grid(kSummaryGrid); }
    const TextLines& descText() const { return descText_; }
    const TextLines& variablesText() const { return variablesText_; }
    const std::string& currentDescFile() const { return currentDescFile_; }
    // The file of file-list row r: the path Open desc was given while the
    // row's path cell still holds its text (PathText), else what the cell
    // holds, typed or imported. Cells hold text, which on Windows may not
    // carry every letter of a path; this carries the path itself.
    std::string filePath(FileRow row) const;
    int descFileCount() const { return descFileCount_; }
    // The folder the open files are named from, as a mod names its files
    // from its own folder: the folder Open folder opened, or the deepest
    // folder holding every file of an Open desc. A path's name below it is
    // RelativeToRoot (core/files/folder_listing.h).
    const std::string& openedRoot() const { return openedRoot_; }

    // The listener hears every change until the connection ends.
    DocumentConnection connect(DocumentListener& listener) { return listeners_.connect(listener); }
    // Listeners are hearing of a change: the tables may be between sizes.
    bool notifying() const { return listeners_.notifying(); }

    // The start-up headers and row numbers; the tables are as on disk after it.
    void startUp();

    // ---- Edits of the tables: each returns what it changed.
    [[nodiscard]] TableChange setCells(const std::vector<CellEdit>& edits);
    [[nodiscard]] TableChange setCell(GridNumber grid, int col, int row, std::string text);
    // Replaces the contents (and size) of whole tables, then sets cells of
    // others: one change. An edit is anything with the grid, col, row and
    // text of a CellEdit; its text may lie in one of `contents`, which are
    // moved in without moving their rows.
    template <typename Edit = CellEdit>
    [[nodiscard]] TableChange replaceGrids(std::vector<std::pair<GridNumber, Grid>> contents,
                                           const std::vector<Edit>& edits = {});
    void undo(const TableChange& change);
    void redo(const TableChange& change);
    // Edits as replaceGrids makes them, for a command that keeps no history
    // (the batch): nothing records what they replaced, so a long text is not
    // held twice.
    template <typename Edit>
    void setCellsUnrecorded(std::span<const Edit> edits);

    // ---- Change state of the tables (the file list and the section tables).
    bool isModified() const { return changedCells_ > 0; }
    size_t changedCellCount() const { return changedCells_; }
    bool cellChanged(GridNumber grid, int col, int row) const;
    // What the cell held when its file was last read or written.
    std::string_view diskValue(GridNumber grid, int col, int row) const;
    // Whether the file of the cell's row had no line for the cell's key when
    // it was last read or written. A key it lacks shows blanks, as does a key
    // line without values; Save all never adds the line, so such a cell
    // reaches no file.
    bool keyLineMissing(GridNumber grid, int col, int row) const;
    // The other way round, and true for the tables without keys.
    bool keyLineRead(GridNumber grid, int col, int row) const;

    // ---- Key lines with another number of values than the variables text
    // counts (sections 1 to 9). The tables show the values a line has; a cell
    // beyond them is absent: it holds no text and stands for no value, unlike
    // a value emptied by an edit. Values beyond the count are not shown, and
    // every save keeps them after the values it writes.
    struct KeyLineValues {
        int entry;    // of the section, from 0
        int first;    // the column of its first value
        int columns;  // its count
        int values;   // in the file's line
    };
    // Where the cell's key line holds another number of values than its
    // count; nothing where it holds as many, and where the file has no line.
    std::optional<KeyLineValues> lineValues(GridNumber grid, int col, int row) const;
    // The column Open desc laid out the first value of entry `entry` (from
    // 0) of the section in; -1 when it has none.
    int laidOutColumn(SectionNumber section, int entry) const;
    // The values the file's line of entry `entry` of the section holds, as
    // last read or written; `count` when as many, or when there is no line.
    int lineValueCount(SectionNumber section, int entry, int row, int count) const;
    // A value cell beyond the values of its file's line, into which (and
    // into every later cell of its key) nothing has been typed: Save all
    // writes no value for it.
    bool valueAbsent(GridNumber grid, int col, int row) const;
    // A value cell beyond the values its file's line had, which Save all
    // writes all the same, since a later cell of the key, or this one, holds
    // a value typed in: the line grows to that value.
    bool valueAppended(GridNumber grid, int col, int row) const;
    // The file has the cell's value: its key line was read and holds it. True
    // for the tables without keys.
    bool valueRead(GridNumber grid, int col, int row) const
    {
        return keyLineRead(grid, col, row) && !valueAbsent(grid, col, row);
    }
    // Whether a file's row has a changed cell in any table.
    bool rowChanged(int row) const;
    // Raised by every edit, undo and redo of the tables: while it stays the
    // same, the tables have not changed.
    std::int64_t modificationCount() const { return modificationCount_; }

    // ---- The texts.
    void setDescText(TextLines text);
    void setVariablesText(TextLines text);
    // The desc text differs from what it was last loaded from or saved to.
    bool descTextModified() const { return descText_ != diskDescText_; }
    // The same for the variables text: it differs from the variables file
    // last opened or saved (empty before either).
    bool variablesTextModified() const { return variablesText_ != diskVariablesText_; }
    // The tables were laid out by the variables text of the last Open desc;
    // Save all and Save current read and write the files by that one. True
    // when the variables text now names other keys or counts.
    bool variablesChangedSinceOpen() const;

    // ---- Commands on files (not edits: Open desc starts afresh).
    // Throws DravikError; the files read before the error stay loaded, and
    // the rows of the others go, so that no row stands for a file unread.
    // A file named by several paths gets one row (WithoutAliases).
    void openDesc(const std::vector<std::string>& paths, const LoadHooks& hooks = {});
    // The row (from 1) of the file the last Open desc stopped at, and its
    // path; 0 and empty when it read every file.
    int loadStoppedAt() const { return loadStoppedAt_; }
    const std::string& loadStoppedFile() const { return loadStoppedFile_; }
    // The paths the last Open desc left out, as another path names their file.
    const std::vector<PathAlias>& openedAliases() const { return openedAliases_; }
    // After Open desc: the folder that was opened, when the files were
    // listed from one (its files may all lie in one subfolder).
    void setOpenedRoot(std::string folder) { openedRoot_ = std::move(folder); }
    // Shows tables no file holds as they are (the merged view of a mod set,
    // filled by its engine), one row per file, as a load does: the history
    // starts afresh. Save all refuses them until the next Open desc, since
    // writing them back would put other mods' values into the files read.
    void showMergedView(std::vector<std::pair<GridNumber, Grid>> tables);
    bool showsMergedView() const { return mergedView_; }
    // Reads every file and builds its new text; writes nothing. The key
    // lines before and after are kept for a review only when asked for.
    SavePlan planSaveAll(const Progress& progress = {}, bool withKeyLines = false,
                         Respelling respelling = Respelling::AllKeyLines) const;
    // Writes the files of the plan whose bytes change, except the rows in
    // `skip`. Afterwards the desc text is the current desc file's again. A
    // plan made before the tables last changed is made anew: its bytes would
    // miss those edits. Writes nothing, and throws, when the plan has an
    // error, when a file of it that is not skipped cannot be saved, when
    // another Dravik 2 keeps saving one of the files (see file_lock.h), when
    // one cannot be written beside its target (SaveStoppedError, nothing
    // written), or when one changed on disk since the plan read it, found
    // once every new file is written (ChangedOnDiskError). A file found
    // changed right before its own rename is left as it is while the others
    // are written (ChangedOnDiskError, naming those written); a rename that
    // fails part way throws SaveStoppedError.
    SaveOutcome saveAll(const SavePlan& plan, const std::set<int>& skip = {}, const Progress& progress = {});
    // Plans and writes in one go; `progress` counts the files as each is
    // written beside its target, or found to need no writing.
    SaveOutcome saveAll(const Progress& progress = {});
    // Reads the current desc file and builds what Save current would write;
    // writes nothing.
    CurrentSave planSaveCurrent() const;
    // Writes the desc text to the current desc file, under the same lock as
    // Save all. The rows of that file then agree with it: their unedited
    // cells take the values it now holds, and edited ones are compared with
    // those. Returns that change of the tables, for the edit history. Throws
    // ChangedOnDiskError, with nothing written, when the file no longer holds
    // what the plan read (right up to its replacement), or, for a plan made
    // before the desc text last changed, what the desc text was loaded from.
    [[nodiscard]] TableChange saveCurrent(const CurrentSave& planned);
    // Plans and writes in one go; a file changed on disk since the desc text
    // was loaded from it is not overwritten (ChangedOnDiskError).
    [[nodiscard]] TableChange saveCurrent();
    // The file list's cell selection: loads the row's file into the desc text
    // when its name and path are set, and makes its path current. On a read
    // error nothing changes.
    void selectFileListRow(int row);
    void loadVariables(const std::string& path);
    void saveVariables(const std::string& path);

private:
    // The cells an operation touched, per grid, for the listeners.
    struct Touched {
        struct Area {
            bool any = false;
            int firstCol = INT_MAX, firstRow = INT_MAX, lastCol = -1, lastRow = -1;
        };
        std::array<Area, kGridCount> areas;
        std::array<bool, kGridCount> disk{};

        void cell(GridNumber grid, int col, int row)
        {
            Area& a = areas[grid.index()];
            a.any = true;
            a.firstCol = std::min(a.firstCol, col);
            a.firstRow = std::min(a.firstRow, row);
            a.lastCol = std::max(a.lastCol, col);
            a.lastRow = std::max(a.lastRow, row);
        }
        void row(GridNumber grid, const Grid& g, int row)
        {
            cell(grid, 0, row);
            cell(grid, g.colCount() - 1, row);
        }
        void everyCell(GridNumber grid, const Grid& g)
        {
            cell(grid, 0, 0);
            cell(grid, g.colCount() - 1, g.rowCount() - 1);
        }
        void diskChanged(GridNumber grid) { disk[grid.index()] = true; }
    };
    using Notice = ListenerList::Notice;
    Grid& mutableGrid(GridNumber number) { return grids_.at(number.index()); }
    void putCell(GridNumber grid, int col, int row, std::string_view text, TableChange* record, Touched& touched);
    // Gives a grid a new size, telling the listeners before and after.
    void resizeGrid(GridNumber grid, int columns, int rows);
    void recordReplace(GridNumber grid, Grid contents, TableChange& record, Touched& touched);
    // A grid without disk values replaced whole, its size first so that the
    // listeners hear of it; swapGrid touches the cells that differ, and
    // `contents` becomes the grid it replaced.
    void swapGrid(GridNumber grid, Grid& contents, Touched& touched);
    void exchangeGrid(GridNumber grid, Grid& contents);
    void moveGridIn(GridNumber grid, Grid contents);
    void apply(const TableChange& change, bool forward);
    void notify(const Touched& touched, bool wasModified);
    void countChanged(int row, int delta);
    static std::uint64_t CellKey(int col, int row)
    {
        return static_cast<std::uint64_t>(static_cast<std::uint32_t>(row)) << 32 | static_cast<std::uint32_t>(col);
    }
    static int RowOfKey(std::uint64_t key) { return static_cast<int>(key >> 32); }
    static int ColOfKey(std::uint64_t key) { return static_cast<int>(static_cast<std::uint32_t>(key)); }
    void takeDiskBaseline(Touched& touched);
    // The row's file now holds the row's values, but for `unwritten`.
    void markRowSaved(int row, const std::vector<RowCell>& unwritten, Touched& touched);
    // Writes each file of Save all beside its target, in row order; returns
    // them in that order. A file that cannot be written there writes none: a
    // second save, once the disk has room, then makes each change once.
    static std::vector<const FileSave*> writeBesideTargets(
        const SavePlan& plan, const std::set<int>& skip,
        const std::unordered_map<std::string, const FileSave*>& lastOfFile, DurableWriteBatch& batch,
        const Progress& progress);
    // Save all's rows whose files now hold the rows' values: those not
    // skipped whose file was written (`replaced`) or needed no writing.
    void markFilesSaved(const SavePlan& plan, const std::set<int>& skip,
                        const std::unordered_map<std::string, const FileSave*>& lastOfFile,
                        const std::set<std::string>& replaced, Touched& touched);
    // Save all wrote every file: what is left marked outside the files'
    // rows is settled too.
    void markEveryFileSaved(Touched& touched);
    void setKeyLinesMissing(int row, std::vector<RowCell> cells);
    void setLineLengths(int row, std::vector<LineLength> lengths);
    // What the cell's file now holds: an unedited cell shows it, an edited
    // one is compared with it.
    void putDiskValue(GridNumber grid, int col, int row, const std::string& value, TableChange& record, Touched& touched);
    // The rows of the current desc file take their values from the desc text.
    TableChange readRowsFromDescText();
    void reloadCurrentDescText();
    void setCurrentDescFile(std::string path);
    void loadDescText(std::string_view bytes);

    // The steps of Open desc (open_desc.cpp).
    struct LoadedFile;
    void loadFiles(const std::vector<std::string>& paths, const LoadedSchema& schema, const LoadHooks& hooks,
                   LoadedFile& file);
    void readDescFile(int row, const std::string& path, LoadedFile& file);
    void layOutSection(SectionNumber section, const LoadedSchema& schema, int files, const std::function<void()>& beforeFailing);
    void keepLoadedRows(int rows);
    void fillSectionRow(SectionNumber section, int row, const std::string& path, const LoadedSchema& schema, LoadedFile& file);
    void finishLoad(bool wasModified, const std::string& shownPath, std::string_view shownBytes);

    // The last step of planning one file's save (save_all.cpp): whether its
    // bytes change, whether it changed behind the document's back, and the
    // fingerprint it has once saved.
    void settleFileSave(FileSave& file, const std::string& bytes, std::string out, const FileSave* earlier) const;
    // How the file's bytes looked when last read or written here.
    static std::uint64_t Fingerprint(std::string_view bytes);

    const CodePage* codePage_;
    std::array<Grid, kGridCount> grids_;
    // The file list and the section tables as their files hold them, kept
    // for the cells that differ: every other cell holds its disk value, so
    // a load costs no second copy of the tables. By grid, then CellKey.
    std::array<std::unordered_map<std::uint64_t, std::string>, kFileListGrid.number()> diskOfChanged_;
    std::vector<int> changedInRow_;
    size_t changedCells_ = 0;
    std::int64_t modificationCount_ = 0;
    std::unordered_map<std::string, std::uint64_t> fingerprints_;

    TextLines descText_;
    TextLines diskDescText_;
    TextLines variablesText_;
    TextLines diskVariablesText_;
    TextLines layoutVariablesText_;  // of the last Open desc
    std::string currentDescFile_;
    std::string openedRoot_;
    int descFileCount_ = 0;
    std::vector<std::string> openedPaths_;  // of the last Open desc, by FileIndex
    std::vector<std::vector<RowCell>> keyLinesMissing_;  // by row, sorted
    std::vector<std::vector<LineLength>> lineLengths_;   // by row, sorted
    // Where Open desc laid out each entry with columns, by section less one,
    // in column order.
    struct LaidOutEntry {
        int first;
        int columns;
        int entry;
    };
    std::array<std::vector<LaidOutEntry>, kSectionCount> laidOut_;
    int loadStoppedAt_ = 0;
    std::string loadStoppedFile_;
    std::vector<PathAlias> openedAliases_;
    bool mergedView_ = false;
    ListenerList listeners_;
};

template <typename Edit>
void DescDocument::setCellsUnrecorded(std::span<const Edit> edits)
{
    Notice notice(listeners_);
    const bool wasModified = isModified();
    Touched touched;
    for (const Edit& edit : edits)
        putCell(edit.grid, edit.col, edit.row, edit.text, nullptr, touched);
    if (!edits.empty())
        ++modificationCount_;
    notify(touched, wasModified);
    notice.end();
}

template <typename Edit>
TableChange DescDocument::replaceGrids(std::vector<std::pair<GridNumber, Grid>> contents, const std::vector<Edit>& edits)
{
    Notice notice(listeners_);
    const bool wasModified = isModified();
    TableChange change;
    Touched touched;
    for (auto& [number, grid] : contents)
        recordReplace(number, std::move(grid), change, touched);
    for (const Edit& edit : edits)
        putCell(edit.grid, edit.col, edit.row, edit.text, &change, touched);
    if (!change.empty())
        ++modificationCount_;
    notify(touched, wasModified);
    notice.end();
    return change;
}

}  // namespace dravik
