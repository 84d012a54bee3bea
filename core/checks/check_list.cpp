#include "core/checks/check_list.h"

#include "core/mod/mod_paths.h"
#include "core/text/cell_value.h"
#include "core/text/dravik2_auxillary.h"

#include <algorithm>

namespace dravik {

namespace {

constexpr std::string_view kFolderGroup = "folder=";
constexpr std::string_view kKeyGroup = "key=";

}  // namespace

CheckList::CheckList(DescDocument& document, std::shared_ptr<const LearnedRules> rules, AcceptedChecks accepted)
    : document_(document), rules_(std::move(rules)), accepted_(std::move(accepted))
{
    refresh();
    connection_ = document_.connect(*this);
}

CheckList::~CheckList() = default;

std::vector<Check> CheckList::checks() const
{
    refresh();
    std::vector<Check> list;
    list.reserve(checks_.size());
    for (const auto& [cell, check] : checks_)
        list.push_back(check);
    // File order stays among checks as far outside.
    std::stable_sort(list.begin(), list.end(), [](const Check& a, const Check& b) { return a.outside > b.outside; });
    return list;
}

const Check* CheckList::find(GridNumber grid, int col, int row) const
{
    refresh();
    const auto found = checks_.find({row, grid, col});
    return found == checks_.end() ? nullptr : &found->second;
}

std::string CheckList::fileName(int row) const
{
    return row >= 1 && row <= document_.descFileCount() ? ModPath(document_.openedRoot(), document_.filePath(FileRow(row)))
                                                        : std::string();
}

std::string CheckList::groupField(int group) const
{
    if (group < 0 || static_cast<size_t>(group) >= rules_->groups.size())
        return {};
    const std::string& name = rules_->groups[static_cast<size_t>(group)].name;
    return std::string(rules_->grouping.by == Grouping::By::Key ? kKeyGroup : kFolderGroup) + name;
}

AcceptedEntry CheckList::acceptValue(const Check& check) const
{
    return {AcceptedEntry::What::Value, fileName(check.row), {}, check.column, check.value};
}

AcceptedEntry CheckList::relaxGroup(const Check& check) const
{
    return {AcceptedEntry::What::Group, {}, groupField(check.group), check.column, check.value};
}

AcceptedEntry CheckList::relaxColumn(const Check& check) const
{
    return {AcceptedEntry::What::Column, {}, {}, check.column, {}};
}

bool CheckList::accept(const AcceptedEntry& entry)
{
    if (!accepted_.add(entry))
        return false;
    stale();
    return true;
}

bool CheckList::unaccept(const AcceptedEntry& entry)
{
    if (!accepted_.remove(entry))
        return false;
    stale();
    return true;
}

void CheckList::setAccepted(AcceptedChecks accepted)
{
    accepted_ = std::move(accepted);
    stale();
}

void CheckList::refresh() const
{
    if (stale_)
        rebuild();
}

// The group of a row's file.
void CheckList::placeRow(int row) const
{
    const size_t r = static_cast<size_t>(row);
    int group = -1;
    const Grouping& grouping = rules_->grouping;
    if (grouping.by == Grouping::By::Folder) {
        const std::string path = document_.filePath(FileRow(row));
        group = rules_->groupOfFile(ModPath(document_.openedRoot(), path), path);
    } else if (grouping.by == Grouping::By::Key) {
        if (const int index = columns_.find(grouping.key); index >= 0) {
            const RowCell place = columns_.place(index);
            if (HoldsValue(document_, place.grid, place.col, row))
                group = rules_->groupOfValue(Trim(document_.grid(place.grid).cell(place.col, row)));
        }
    }
    rowGroups_[r] = group;
}

void CheckList::readAccepted() const
{
    const size_t count = columns_.columns().size();
    columnsOff_.assign(count, false);
    relaxed_.clear();
    valuesAccepted_.clear();
    const CodePage& codePage = rules_->codePage();
    for (const AcceptedEntry& entry : accepted_.entries()) {
        const int index = columns_.find(entry.column);
        if (index < 0)
            continue;
        switch (entry.what) {
        case AcceptedEntry::What::Column: columnsOff_[static_cast<size_t>(index)] = true; break;
        case AcceptedEntry::What::Value: valuesAccepted_.emplace(entry.file, index, entry.value); break;
        case AcceptedEntry::What::Group: {
            int group = -1;
            if (!entry.group.empty()) {
                for (size_t g = 0; g < rules_->groups.size() && group < 0; ++g)
                    if (codePage.lowered(groupField(static_cast<int>(g))) == codePage.lowered(entry.group))
                        group = static_cast<int>(g);
                if (group < 0)
                    continue;  // a group these rules do not have
            }
            Relaxation& relaxation = relaxed_[{index, group}];
            relaxation.words.insert(codePage.lowered(entry.value));
            if (const std::optional<CellNumber> number = ReadCellNumber(entry.value)) {
                relaxation.low = relaxation.numbers ? std::min(relaxation.low, number->value) : number->value;
                relaxation.high = relaxation.numbers ? std::max(relaxation.high, number->value) : number->value;
                relaxation.numbers = true;
            }
            break;
        }
        }
    }
}

void CheckList::rebuild() const
{
    stale_ = false;
    columns_ = TableColumns(document_);
    columnRules_.clear();
    for (auto& columns : gridColumns_)
        columns.clear();
    for (int i = 0; i < static_cast<int>(columns_.columns().size()); ++i) {
        columnRules_.push_back(rules_->find(columns_.columns()[static_cast<size_t>(i)]));
        const RowCell place = columns_.place(i);
        if (columnRules_.back())
            gridColumns_[place.grid.index()].emplace_back(place.col, i);
    }
    const int rows = document_.descFileCount();
    rowGroups_.assign(static_cast<size_t>(rows) + 1, -1);
    for (int r = 1; r <= rows; ++r)
        placeRow(r);
    // A mod's paths may name its own new files, looked for as they are named.
    if (!modFiles_ || modFolder_ != document_.openedRoot()) {
        modFolder_ = document_.openedRoot();
        modFiles_ = std::make_unique<FilesBelow>(modFolder_, rules_->codePage());
    }
    readAccepted();
    checks_.clear();
    fresh_ = true;
    for (int r = 1; r <= rows; ++r)
        checkRow(r);
    fresh_ = false;
}

void CheckList::checkRow(int row) const
{
    for (GridNumber grid : SectionTables()) {
        const Grid::Cells cells = document_.grid(grid).storedRow(row);
        for (const auto& [col, index] : gridColumns_[grid.index()])
            judge(index, grid, col, row,
                  static_cast<size_t>(col) < cells.size() ? cells[static_cast<size_t>(col)] : std::string_view());
    }
}

void CheckList::checkCell(GridNumber grid, int col, int row) const
{
    const int index = columns_.at(grid, col);
    if (index < 0 || row < 1 || row > document_.descFileCount()) {
        checks_.erase({row, grid, col});
        return;
    }
    judge(index, grid, col, row, document_.grid(grid).cell(col, row));
}

void CheckList::judge(int index, GridNumber grid, int col, int row, std::string_view cell) const
{
    const Cell at{row, grid, col};
    const std::string_view value = Trim(cell);
    const ColumnRules* rules = columnRules_[static_cast<size_t>(index)];
    // A blank, or a value its file has no key line for, is no value.
    if (!rules || value.empty() || columnsOff_[static_cast<size_t>(index)] ||
        !document_.keyLineRead(grid, col, row)) {
        if (!fresh_)
            checks_.erase(at);
        return;
    }
    const int rowGroup = rowGroups_[static_cast<size_t>(row)];
    bool own = false;
    const ValueRule& rule = rules->ruleOf(rowGroup, &own);
    const int group = own ? rowGroup : -1;
    const Relaxation* relaxed = nullptr;
    if (!relaxed_.empty())
        if (const auto found = relaxed_.find({index, group}); found != relaxed_.end())
            relaxed = &found->second;
    NamedFiles files = rules_->baseFiles();
    files.mod = modFiles_.get();
    const std::optional<Verdict> verdict = Judge(rule, value, rules_->codePage(), files, relaxed);
    if (!verdict || (!valuesAccepted_.empty() && valuesAccepted_.count({fileName(row), index, std::string(value)}))) {
        if (!fresh_)
            checks_.erase(at);
        return;
    }
    Check check;
    check.row = row;
    check.grid = grid;
    check.col = col;
    check.column = columns_.columns()[static_cast<size_t>(index)];
    check.value = value;
    check.outside = verdict->outside;
    check.group = group;
    CheckReason& reason = check.reason;
    reason.kind = verdict->kind;
    reason.key = Trim(check.column.key);
    reason.value = value;
    const bool groupRule = verdict->kind == CheckKind::OutOfRange || verdict->kind == CheckKind::NotInSet;
    const ValueRule& shown = groupRule ? rule : rules->rule;
    reason.files = shown.files;
    reason.min = shown.min;
    reason.max = shown.max;
    if (verdict->kind == CheckKind::NotInSet)
        reason.words = shown.words;
    if (verdict->kind == CheckKind::OtherPlaces)
        reason.places = shown.places;
    if (groupRule && own) {
        const bool byKey = rules_->grouping.by == Grouping::By::Key;
        reason.scope = byKey ? CheckReason::Scope::Key : CheckReason::Scope::Folder;
        reason.group = rules_->displayName(group);
        if (byKey)
            reason.sortKey = Trim(rules_->grouping.key.key);
    } else {
        check.group = -1;
    }
    checks_.insert_or_assign(at, std::move(check));
}

void CheckList::changed()
{
    ++revision_;
    if (changed_)
        changed_();
}

void CheckList::stale()
{
    stale_ = true;
    changed();
}

void CheckList::cellsChanged(GridNumber grid, int firstCol, int firstRow, int lastCol, int lastRow)
{
    if (stale_)
        return;  // checked whole when next asked
    const int rows = document_.descFileCount();
    firstRow = std::max(firstRow, 1);
    lastRow = std::min(lastRow, rows);
    if (firstRow > lastRow)
        return;
    if (grid == kFileListGrid) {
        // A file's path: its name and folder group.
        for (int r = firstRow; r <= lastRow; ++r) {
            placeRow(r);
            checkRow(r);
        }
        changed();
        return;
    }
    if (!IsSectionTable(grid))
        return;
    const Grouping& grouping = rules_->grouping;
    if (grouping.by == Grouping::By::Key) {
        const int index = columns_.find(grouping.key);
        if (index >= 0) {
            const RowCell place = columns_.place(index);
            if (place.grid == grid && place.col >= firstCol && place.col <= lastCol) {
                // The sorting value moves the file to another group.
                for (int r = firstRow; r <= lastRow; ++r) {
                    placeRow(r);
                    checkRow(r);
                }
                changed();
                return;
            }
        }
    }
    firstCol = std::max(firstCol, kFirstValueColumn);
    lastCol = std::min(lastCol, document_.grid(grid).colCount() - 1);
    for (int r = firstRow; r <= lastRow; ++r)
        for (int c = firstCol; c <= lastCol; ++c)
            checkCell(grid, c, r);
    changed();
}

void CheckList::rowsInserted(GridNumber, int, int) { stale(); }
void CheckList::rowsRemoved(GridNumber, int, int) { stale(); }
void CheckList::columnsInserted(GridNumber, int, int) { stale(); }
void CheckList::columnsRemoved(GridNumber, int, int) { stale(); }
void CheckList::diskValuesChanged(GridNumber) { stale(); }

}  // namespace dravik
