#include "core/document/desc_document.h"

#include "core/errors.h"
#include "core/files/file_io.h"
#include "core/files/native_path.h"

#include <algorithm>
#include <utility>
#include <climits>
#include <cstdint>
#include <functional>

namespace dravik {

namespace {

constexpr int kSectionColumns = 11;
constexpr int kTextSectionColumns = 3;
constexpr int kDesignedRows = 50;

std::array<Grid, kGridCount> DesignedGrids()
{
    std::array<Grid, kGridCount> grids;
    for (GridNumber n : SectionTables())
        grids[n.index()] = Grid(n == TableOf(kTextSection) ? kTextSectionColumns : kSectionColumns, kDesignedRows);
    grids[kFileListGrid.index()] = Grid(kFilePathColumn + 1, kDesignedRows);
    grids[kSummaryGrid.index()] = Grid(5, 5);
    return grids;
}

bool HasDiskValues(GridNumber grid) { return grid >= GridNumber(1) && grid <= kFileListGrid; }

// Calls `each(col, before, after)` for every cell whose text differs between
// two rows.
template <typename Each>
void ForEachCellDifference(const Grid::Cells& before, const Grid::Cells& after, Each&& each)
{
    constexpr std::string_view kEmpty;
    const size_t common = std::min(before.size(), after.size());
    for (size_t c = 0; c < common; ++c)
        if (before[c] != after[c])
            each(c, before[c], after[c]);
    for (size_t c = common; c < before.size(); ++c)
        if (!before[c].empty())
            each(c, before[c], kEmpty);
    for (size_t c = common; c < after.size(); ++c)
        if (!after[c].empty())
            each(c, kEmpty, after[c]);
}

// Calls `each(col, row, before, after)` for every cell whose text differs
// between two grids, over both their sizes. Row by row: an export compares
// millions of cells.
template <typename Each>
void ForEachDifference(const Grid& current, const Grid& contents, Each&& each)
{
    for (int r = 0, rows = std::max(current.rowCount(), contents.rowCount()); r < rows; ++r)
        if (!current.sameRow(r, contents, r))
            ForEachCellDifference(current.storedRow(r), contents.storedRow(r),
                                  [&](size_t c, std::string_view before, std::string_view after) {
                                      each(static_cast<int>(c), r, before, after);
                                  });
}

// The cells that differ between two grids: how many, and what recording
// them one by one would cost.
struct Differences {
    size_t cells = 0;
    size_t cellWise = 0;
};

// Counts the cells that differ between two grids, over both their sizes,
// calling `touch(col, row)` with the first and last of them in each row. A
// row whose cells are all empty on one side is told from the other's cell
// ends alone: an export fills an empty summary table with millions of cells,
// and undoing it empties it again.
template <typename Touch>
Differences CountDifferences(const Grid& current, const Grid& contents, Touch&& touch)
{
    Differences found;
    for (int r = 0, rows = std::max(current.rowCount(), contents.rowCount()); r < rows; ++r) {
        if (current.sameRow(r, contents, r))
            continue;
        const Grid::Cells before = current.storedRow(r);
        const Grid::Cells after = contents.storedRow(r);
        size_t first = SIZE_MAX;
        size_t last = 0;
        if (before.text().empty() || after.text().empty()) {
            const Grid::Cells& filled = before.text().empty() ? after : before;
            size_t cells = 0;
            for (size_t c = 0; c < filled.size(); ++c)
                if (filled.end(c) != filled.begin(c)) {
                    first = std::min(first, c);
                    last = c;
                    ++cells;
                }
            found.cells += cells;
            found.cellWise += cells * TableChange::CellCost({}, {}) + filled.text().size();
        } else {
            ForEachCellDifference(before, after, [&](size_t c, std::string_view was, std::string_view is) {
                first = std::min(first, c);
                last = c;
                ++found.cells;
                found.cellWise += TableChange::CellCost(was, is);
            });
        }
        if (first != SIZE_MAX) {
            touch(static_cast<int>(first), r);
            touch(static_cast<int>(last), r);
        }
    }
    return found;
}

}  // namespace

int SavePlan::changedFiles() const
{
    return static_cast<int>(std::count_if(files.begin(), files.end(), [](const FileSave& f) { return f.changed; }));
}

size_t SavePlan::changedLines() const
{
    size_t lines = 0;
    for (const FileSave& file : files)
        lines += file.keyLines.size();
    return lines;
}

int SavePlan::spellingOnlyFiles() const
{
    return static_cast<int>(
        std::count_if(files.begin(), files.end(), [](const FileSave& f) { return f.changed && !f.valuesChanged; }));
}

size_t SavePlan::respelledLines() const
{
    size_t lines = 0;
    for (const FileSave& file : files)
        lines += file.respelledLines;
    return lines;
}

std::vector<std::string> SavePlan::changedOnDisk() const
{
    std::vector<std::string> paths;
    for (const FileSave& file : files)
        if (file.changedOnDisk)
            paths.push_back(file.path);
    return paths;
}

std::vector<const FileSave*> SavePlan::blocked() const
{
    std::vector<const FileSave*> found;
    for (const FileSave& file : files)
        if (!file.error.empty())
            found.push_back(&file);
    return found;
}

namespace {

Message ChangedOnDiskMessage(const std::vector<std::string>& paths, size_t written, int toWrite)
{
    const std::string first = PathText(paths.front());
    const auto count = static_cast<long long>(paths.size());
    const std::string more = std::to_string(paths.size() - 1);
    if (written == 0) {
        if (paths.size() == 1)
            return Message(
                DRAVIK_TR("Save all", "The desc file \"%1\" changed on disk since it was read; nothing was written"),
                {first});
        return Message(DRAVIK_TR_N("Save all",
                                   "%n desc file changed on disk since it was read (\"%1\" and %2 more); nothing was "
                                   "written",
                                   "%n desc files changed on disk since they were read (\"%1\" and %2 more); nothing "
                                   "was written"),
                       count, {first, more});
    }
    const std::vector<Message> others = {std::to_string(written), std::to_string(toWrite)};
    if (paths.size() == 1)
        return Message(DRAVIK_TR("Save all", "The desc file \"%1\" changed on disk while it was being saved and was "
                                             "left as it is; %2 of %3 files were written"),
                       {first, others[0], others[1]});
    return Message(DRAVIK_TR_N("Save all",
                               "%n desc file changed on disk while it was being saved and was left as it is (\"%1\" "
                               "and %2 more); %3 of %4 files were written",
                               "%n desc files changed on disk while they were being saved and were left as they are "
                               "(\"%1\" and %2 more); %3 of %4 files were written"),
                   count, {first, more, others[0], others[1]});
}

}  // namespace

ChangedOnDiskError::ChangedOnDiskError(std::vector<std::string> paths, std::vector<std::string> written, int toWrite)
    : DravikError(ChangedOnDiskMessage(paths, written.size(), toWrite)),
      paths_(std::move(paths)),
      written_(std::move(written)),
      toWrite_(toWrite)
{
}

SaveStoppedError::SaveStoppedError(Message message, std::vector<std::string> written, int toWrite)
    : DravikError(std::move(message)), written_(std::move(written)), toWrite_(toWrite)
{
}

DescDocument::DescDocument(const CodePage& codePage) : codePage_(&codePage), grids_(DesignedGrids())
{
    Touched nobodyListensYet;
    takeDiskBaseline(nobodyListensYet);
}

void DescDocument::startUp()
{
    Notice notice(listeners_);
    const bool wasModified = isModified();
    Touched touched;
    for (GridNumber n : SectionTables()) {
        Grid& table = mutableGrid(n);
        table.setCell(kSectionPathColumn, 0, kFileNameHeader.source);
        for (int r = 1; r < table.rowCount(); ++r)
            table.setCell(kRowNumberColumn, r, std::to_string(r));
        touched.cell(n, kRowNumberColumn, 0);
        touched.cell(n, kSectionPathColumn, table.rowCount() - 1);
    }
    Grid& files = mutableGrid(kFileListGrid);
    files.setCell(kRowNumberColumn, 0, kFileNumberHeader.source);
    files.setCell(kFileNameColumn, 0, kFileNameHeader.source);
    files.setCell(kFilePathColumn, 0, kPathHeader.source);
    touched.cell(kFileListGrid, kRowNumberColumn, 0);
    touched.cell(kFileListGrid, kFilePathColumn, 0);
    takeDiskBaseline(touched);
    notify(touched, wasModified);
    notice.end();
}

// ---- Edits

void DescDocument::putCell(GridNumber grid, int col, int row, std::string_view text, TableChange* record, Touched& touched)
{
    const Grid& g = this->grid(grid);
    if (col < 0 || row < 0 || col >= g.colCount() || row >= g.rowCount())
        return;
    const std::string_view old = g.cell(col, row);
    if (old == text)
        return;
    if (record)
        record->addCell(grid, col, row, old, text);
    if (HasDiskValues(grid)) {
        auto& changed = diskOfChanged_[grid.index()];
        const std::uint64_t key = CellKey(col, row);
        if (auto found = changed.find(key); found == changed.end()) {
            changed.emplace(key, old);  // the text it had was its disk value
            countChanged(row, 1);
        } else if (found->second == text) {
            changed.erase(found);
            countChanged(row, -1);
        }
    }
    mutableGrid(grid).setCell(col, row, text);
    touched.cell(grid, col, row);
}

TableChange DescDocument::setCells(const std::vector<CellEdit>& edits) { return replaceGrids({}, edits); }

TableChange DescDocument::setCell(GridNumber grid, int col, int row, std::string text)
{
    return setCells({CellEdit{grid, col, row, std::move(text)}});
}

void DescDocument::resizeGrid(GridNumber grid, int columns, int rows)
{
    Grid& g = mutableGrid(grid);
    // A grid keeps its fixed row and column.
    columns = std::max(columns, 1);
    rows = std::max(rows, 1);
    if (const int old = g.colCount(); columns > old) {
        listeners_.notify([&](DocumentListener& l) { l.columnsAboutToBeInserted(grid, old, columns - 1); });
        g.setColCount(columns);
        listeners_.notify([&](DocumentListener& l) { l.columnsInserted(grid, old, columns - 1); });
    } else if (columns < old) {
        listeners_.notify([&](DocumentListener& l) { l.columnsAboutToBeRemoved(grid, columns, old - 1); });
        g.setColCount(columns);
        listeners_.notify([&](DocumentListener& l) { l.columnsRemoved(grid, columns, old - 1); });
    }
    if (const int old = g.rowCount(); rows > old) {
        listeners_.notify([&](DocumentListener& l) { l.rowsAboutToBeInserted(grid, old, rows - 1); });
        g.setRowCount(rows);
        listeners_.notify([&](DocumentListener& l) { l.rowsInserted(grid, old, rows - 1); });
    } else if (rows < old) {
        listeners_.notify([&](DocumentListener& l) { l.rowsAboutToBeRemoved(grid, rows, old - 1); });
        g.setRowCount(rows);
        listeners_.notify([&](DocumentListener& l) { l.rowsRemoved(grid, rows, old - 1); });
    }
}

void DescDocument::recordReplace(GridNumber grid, Grid contents, TableChange& record, Touched& touched)
{
    Grid& current = mutableGrid(grid);
    // A table without disk values (the summary) is moved in whole, its rows
    // staying where they are (an import's edits read their texts from
    // them). The record holds the cells that differ or, when that is
    // smaller, the grid replaced: an export fills millions of cells, which
    // cell by cell would cost a step each.
    const int oldCols = current.colCount();
    const int oldRows = current.rowCount();
    const int newCols = contents.colCount();
    const int newRows = contents.rowCount();
    const bool resized = oldCols != newCols || oldRows != newRows;
    if (!HasDiskValues(grid)) {
        const Differences differences =
            CountDifferences(current, contents, [&](int c, int r) { touched.cell(grid, c, r); });
        const size_t cellWise = differences.cellWise + (resized ? sizeof(TableChange::Step) : 0);
        if (cellWise > 0 && cellWise >= current.memoryUsed()) {
            exchangeGrid(grid, contents);
            record.addGrid(grid, std::move(contents), differences.cells);
            return;
        }
        // As they would be put one by one: the cells the new size drops are
        // emptied before it, the others set after it, so that undoing
        // restores the size first and then the cells.
        auto recordCells = [&](bool dropped) {
            ForEachDifference(current, contents, [&](int c, int r, std::string_view before, std::string_view after) {
                if ((c >= newCols || r >= newRows) == dropped)
                    record.addCell(grid, c, r, before, after);
            });
        };
        recordCells(true);
        if (resized)
            record.addResize(grid, oldCols, oldRows, newCols, newRows);
        recordCells(false);
        exchangeGrid(grid, contents);
        return;
    }
    if (resized) {
        // The cells the new size drops are recorded as emptied before it, so
        // that undoing restores the size first and then the cells.
        for (int r = 0; r < oldRows; ++r)
            for (int c = 0; c < current.storedCells(r); ++c)
                if ((c >= contents.colCount() || r >= contents.rowCount()) && !current.cell(c, r).empty())
                    putCell(grid, c, r, "", &record, touched);
        record.addResize(grid, oldCols, oldRows, contents.colCount(), contents.rowCount());
        resizeGrid(grid, contents.colCount(), contents.rowCount());
    }
    for (int r = 0; r < contents.rowCount(); ++r) {
        const int stored = std::max(contents.storedCells(r), current.storedCells(r));
        for (int c = 0; c < stored; ++c)
            if (current.cell(c, r) != contents.cell(c, r))
                putCell(grid, c, r, contents.cell(c, r), &record, touched);
    }
}

void DescDocument::swapGrid(GridNumber grid, Grid& contents, Touched& touched)
{
    CountDifferences(this->grid(grid), contents, [&](int c, int r) { touched.cell(grid, c, r); });
    exchangeGrid(grid, contents);
}

void DescDocument::exchangeGrid(GridNumber grid, Grid& contents)
{
    // The grid left behind while the new one's size is announced is empty
    // and of the old size: nothing is copied.
    Grid& current = mutableGrid(grid);
    Grid replaced = std::exchange(current, Grid(current.colCount(), current.rowCount()));
    moveGridIn(grid, std::move(contents));
    contents = std::move(replaced);
}

void DescDocument::moveGridIn(GridNumber grid, Grid contents)
{
    resizeGrid(grid, contents.colCount(), contents.rowCount());
    mutableGrid(grid) = std::move(contents);
}

void DescDocument::apply(const TableChange& change, bool forward)
{
    Notice notice(listeners_);
    const bool wasModified = isModified();
    Touched touched;
    auto step = [&](const TableChange::Step& s) {
        if (s.kind == TableChange::Kind::Grid) {
            swapGrid(s.gridNumber(), change.heldGrid(s), touched);
        } else if (s.kind == TableChange::Kind::Resize) {
            // Only empty cells fall outside: the change emptied the others
            // before it narrowed the grid, and fills them after it widens it.
            const auto size = forward ? TableChange::sizeAfter(s) : TableChange::sizeBefore(s);
            resizeGrid(s.gridNumber(), size.cols, size.rows);
        } else {
            putCell(s.gridNumber(), s.col, s.row, forward ? change.after(s) : change.before(s), nullptr, touched);
        }
    };
    const auto& steps = change.steps();
    if (forward)
        std::for_each(steps.begin(), steps.end(), step);
    else
        std::for_each(steps.rbegin(), steps.rend(), step);
    ++modificationCount_;
    notify(touched, wasModified);
    notice.end();
}

void DescDocument::undo(const TableChange& change) { apply(change, false); }
void DescDocument::redo(const TableChange& change) { apply(change, true); }

void DescDocument::notify(const Touched& touched, bool wasModified)
{
    for (GridNumber n : AllGrids()) {
        const auto& area = touched.areas[n.index()];
        // The disk values first: a listener redrawing the changed cells
        // then compares them with the new ones.
        if (touched.disk[n.index()])
            listeners_.notify([&](DocumentListener& l) { l.diskValuesChanged(n); });
        if (area.any)
            listeners_.notify([&](DocumentListener& l) {
                l.cellsChanged(n, area.firstCol, area.firstRow, area.lastCol, area.lastRow);
            });
    }
    if (const bool modified = isModified(); modified != wasModified)
        listeners_.notify([&](DocumentListener& l) { l.modifiedChanged(modified); });
}

// ---- Change state

std::string_view DescDocument::diskValue(GridNumber grid, int col, int row) const
{
    if (!HasDiskValues(grid))
        return {};
    const auto& changed = diskOfChanged_[grid.index()];
    const auto found = changed.find(CellKey(col, row));
    return found == changed.end() ? this->grid(grid).cell(col, row) : found->second;
}

bool DescDocument::cellChanged(GridNumber grid, int col, int row) const
{
    return HasDiskValues(grid) && diskOfChanged_[grid.index()].count(CellKey(col, row)) > 0;
}

bool DescDocument::keyLineRead(GridNumber grid, int col, int row) const
{
    return !IsSectionTable(grid) || !keyLineMissing(grid, col, row);
}

bool DescDocument::rowChanged(int row) const
{
    return row >= 0 && static_cast<size_t>(row) < changedInRow_.size() && changedInRow_[static_cast<size_t>(row)] > 0;
}

bool DescDocument::keyLineMissing(GridNumber grid, int col, int row) const
{
    if (row < 0 || static_cast<size_t>(row) >= keyLinesMissing_.size())
        return false;
    const auto& cells = keyLinesMissing_[static_cast<size_t>(row)];
    return std::binary_search(cells.begin(), cells.end(), RowCell{grid, col});
}

std::optional<DescDocument::KeyLineValues> DescDocument::lineValues(GridNumber grid, int col, int row) const
{
    // Most rows hold every key line at its count: nothing to look up.
    if (!IsSectionTable(grid) || grid == TableOf(kTextSection) || row < 1 || static_cast<size_t>(row) >= lineLengths_.size() ||
        lineLengths_[static_cast<size_t>(row)].empty())
        return std::nullopt;
    const auto& entries = laidOut_[grid.index()];
    auto entry = std::upper_bound(entries.begin(), entries.end(), col,
                                  [](int c, const LaidOutEntry& e) { return c < e.first; });
    if (entry == entries.begin())
        return std::nullopt;
    --entry;
    if (col >= entry->first + entry->columns)
        return std::nullopt;
    const int values = lineValueCount(SectionOf(grid), entry->entry, row, entry->columns);
    if (values == entry->columns)
        return std::nullopt;
    return KeyLineValues{entry->entry, entry->first, entry->columns, values};
}

int DescDocument::laidOutColumn(SectionNumber section, int entry) const
{
    if (!IsSection(section))
        return -1;
    const auto& entries = laidOut_[section.index()];
    const auto found = std::lower_bound(entries.begin(), entries.end(), entry,
                                        [](const LaidOutEntry& e, int wanted) { return e.entry < wanted; });
    return found != entries.end() && found->entry == entry ? found->first : -1;
}

int DescDocument::lineValueCount(SectionNumber section, int entry, int row, int count) const
{
    if (row < 1 || static_cast<size_t>(row) >= lineLengths_.size())
        return count;
    const auto& lengths = lineLengths_[static_cast<size_t>(row)];
    const auto found = std::lower_bound(lengths.begin(), lengths.end(), LineLength{section, entry, INT_MIN});
    return found != lengths.end() && found->section == section && found->entry == entry ? found->values : count;
}

bool DescDocument::valueAbsent(GridNumber grid, int col, int row) const
{
    const std::optional<KeyLineValues> line = lineValues(grid, col, row);
    if (!line || col - line->first < line->values || keyLineMissing(grid, col, row))
        return false;
    // A value typed into this cell or a later one of the key makes the line
    // reach it.
    const Grid& table = this->grid(grid);
    for (int c = col; c < line->first + line->columns; ++c)
        if (!table.cell(c, row).empty())
            return false;
    return true;
}

bool DescDocument::valueAppended(GridNumber grid, int col, int row) const
{
    const std::optional<KeyLineValues> line = lineValues(grid, col, row);
    return line && col - line->first >= line->values && !keyLineMissing(grid, col, row) &&
           !valueAbsent(grid, col, row);
}

void DescDocument::setLineLengths(int row, std::vector<LineLength> lengths)
{
    if (static_cast<size_t>(row) >= lineLengths_.size())
        lineLengths_.resize(static_cast<size_t>(row) + 1);
    std::sort(lengths.begin(), lengths.end());
    lineLengths_[static_cast<size_t>(row)] = std::move(lengths);
}

void DescDocument::setKeyLinesMissing(int row, std::vector<RowCell> cells)
{
    if (static_cast<size_t>(row) >= keyLinesMissing_.size())
        keyLinesMissing_.resize(static_cast<size_t>(row) + 1);
    std::sort(cells.begin(), cells.end());
    keyLinesMissing_[static_cast<size_t>(row)] = std::move(cells);
}

void DescDocument::takeDiskBaseline(Touched& touched)
{
    for (GridNumber n : FileRowTables()) {
        diskOfChanged_[n.index()].clear();
        touched.diskChanged(n);
    }
    changedInRow_.clear();
    changedCells_ = 0;
}

void DescDocument::countChanged(int row, int delta)
{
    changedCells_ = static_cast<size_t>(static_cast<long long>(changedCells_) + delta);
    if (static_cast<size_t>(row) >= changedInRow_.size())
        changedInRow_.resize(static_cast<size_t>(row) + 1);
    changedInRow_[static_cast<size_t>(row)] += delta;
}

std::uint64_t DescDocument::Fingerprint(std::string_view bytes)
{
    // The standard library's hash of the bytes, mixed with their length:
    // equal for the same bytes, and different for any change a user or a tool
    // makes in practice. Every file of a load and a save is hashed, so the
    // hash takes eight bytes a step (libstdc++'s does), not one.
    const std::uint64_t hash = std::hash<std::string_view>{}(bytes);
    return hash ^ (static_cast<std::uint64_t>(bytes.size()) * 0x9E3779B97F4A7C15ull);
}

// ---- The texts

void DescDocument::setDescText(TextLines text)
{
    if (text == descText_)
        return;
    descText_ = std::move(text);
    listeners_.notify([](DocumentListener& l) { l.descTextChanged(); });
}

void DescDocument::loadDescText(std::string_view bytes)
{
    SplitLinesInto(bytes, descText_);
    diskDescText_ = descText_;
    listeners_.notify([](DocumentListener& l) { l.descTextChanged(); });
}

void DescDocument::setVariablesText(TextLines text)
{
    if (text == variablesText_)
        return;
    variablesText_ = std::move(text);
    listeners_.notify([](DocumentListener& l) { l.variablesTextChanged(); });
}

void DescDocument::setCurrentDescFile(std::string path)
{
    if (path == currentDescFile_)
        return;
    currentDescFile_ = std::move(path);
    listeners_.notify([](DocumentListener& l) { l.currentDescFileChanged(); });
}

bool DescDocument::variablesChangedSinceOpen() const
{
    if (descFileCount_ <= 0 || variablesText_ == layoutVariablesText_)
        return false;
    // Blank lines, sections without entries and the order of the sections
    // change no cell.
    for (SectionNumber i : AllSections()) {
        const SectionSchema now = ReadSectionSchema(variablesText_, i, codePage());
        const SectionSchema laidOut = ReadSectionSchema(layoutVariablesText_, i, codePage());
        if (now.error != laidOut.error || now.entries.size() != laidOut.entries.size())
            return true;
        for (size_t k = 0; k < now.entries.size(); ++k)
            if (now.entries[k].name != laidOut.entries[k].name || now.entries[k].count != laidOut.entries[k].count)
                return true;
    }
    return false;
}

// ---- Commands on single files

std::string DescDocument::filePath(FileRow row) const
{
    const std::string_view cell = fileList().cell(kFilePathColumn, row.number());
    if (row >= FileRow(1) && row.index() < openedPaths_.size()) {
        const std::string& opened = openedPaths_[row.index()];
        if (cell == PathText(opened))
            return opened;
    }
    return std::string(cell);
}

void DescDocument::selectFileListRow(int row)
{
    const std::string name(fileList().cell(kFileNameColumn, row));
    const std::string path = filePath(FileRow(row));
    Notice notice(listeners_);
    if (!name.empty() && !path.empty())
        loadDescText(ReadFileOrThrow(path));
    setCurrentDescFile(path);
    notice.end();
}

void DescDocument::loadVariables(const std::string& path)
{
    TextLines text = SplitLines(ReadFileOrThrow(path));
    diskVariablesText_ = text;
    setVariablesText(std::move(text));
}

void DescDocument::saveVariables(const std::string& path)
{
    WriteFileOrThrow(path, JoinLines(variablesText_));
    diskVariablesText_ = variablesText_;
}

}  // namespace dravik
