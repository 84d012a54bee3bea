#include "core/mod/base_comparison.h"

#include "core/errors.h"
#include "core/files/folder_listing.h"
#include "core/mod/mod_paths.h"
#include "core/mod/table_keys.h"

#include <algorithm>

namespace dravik {

namespace {

// Each open file's base file, found by its path below the two folders.
std::vector<std::string> BaseFilesOf(const std::vector<std::string>& files, const std::string& modRoot,
                                     const std::string& baseFolder, const FolderListing& listing,
                                     const CodePage& codePage)
{
    ModPathIndex index(codePage);
    for (size_t i = 0; i < listing.files.size(); ++i)
        index.add(ModPath(baseFolder, listing.files[i]), static_cast<int>(i));
    std::vector<std::string> bases;
    for (const std::string& file : files) {
        const int found = index.find(ModPath(modRoot, file));
        bases.push_back(found < 0 ? std::string() : listing.files[static_cast<size_t>(found)]);
    }
    return bases;
}

}  // namespace

BaseComparison::BaseComparison(DescDocument& mod, std::string folder, const Progress& progress)
    : mod_(mod), folder_(std::move(folder))
{
    if (mod_.descFileCount() <= 0)
        throw DravikError(Message(DRAVIK_TR("Base game", "Open the mod's desc files first, then compare them with the base")));
    for (const TableKey& key : TableKeys(mod_)) {
        for (const KeyPlace& place : key.places) {
            auto& columns = comparedColumns_[place.grid.index()];
            columns.resize(std::max(columns.size(), static_cast<size_t>(place.firstCol + place.columns)));
            std::fill_n(columns.begin() + place.firstCol, place.columns, true);
        }
    }
    const CodePage& codePage = mod_.codePage();
    const FolderListing listing = ListFolder(folder_, NamePattern(kEveryName, codePage), codePage);
    unreadable_ = listing.unreadableMessage();

    for (int r = 1; r <= mod_.descFileCount(); ++r)
        comparedFiles_.push_back(mod_.filePath(FileRow(r)));
    const std::vector<std::string> bases = BaseFilesOf(comparedFiles_, mod_.openedRoot(), folder_, listing, codePage);
    std::vector<std::string> read;
    baseRows_.assign(bases.size() + 1, 0);
    for (size_t i = 0; i < bases.size(); ++i) {
        if (bases[i].empty()) {
            ++newFiles_;
            continue;
        }
        read.push_back(bases[i]);
        baseRows_[i + 1] = static_cast<int>(read.size());
    }
    base_ = std::make_unique<DescDocument>(codePage);
    base_->startUp();
    variables_ = mod_.variablesText();
    base_->setVariablesText(variables_);
    LoadHooks hooks;
    hooks.progress = progress;
    base_->openDesc(read, hooks);

    for (GridNumber grid : SectionTables())
        recount(grid, 1, mod_.descFileCount());
    connection_ = mod_.connect(*this);
}

BaseComparison::~BaseComparison() = default;

int BaseComparison::baseRow(int row) const
{
    return row >= 1 && static_cast<size_t>(row) < baseRows_.size() ? baseRows_[static_cast<size_t>(row)] : 0;
}

std::string BaseComparison::basePath(int row) const
{
    const int base = baseRow(row);
    return base > 0 ? base_->filePath(FileRow(base)) : std::string();
}

bool BaseComparison::compared(GridNumber grid, int col) const
{
    if (!IsSectionTable(grid))
        return false;
    const auto& columns = comparedColumns_[grid.index()];
    return col >= 0 && static_cast<size_t>(col) < columns.size() && columns[static_cast<size_t>(col)];
}

std::optional<std::string_view> BaseComparison::baseValue(GridNumber grid, int col, int row) const
{
    const int base = baseRow(row);
    if (base == 0 || !compared(grid, col))
        return std::nullopt;
    return base_->grid(grid).cell(col, base);
}

bool BaseComparison::baseHasKeyLine(GridNumber grid, int col, int row) const
{
    const int base = baseRow(row);
    return base > 0 && base_->keyLineRead(grid, col, base);
}

bool BaseComparison::baseHasValue(GridNumber grid, int col, int row) const
{
    const int base = baseRow(row);
    return base > 0 && base_->valueRead(grid, col, base);
}

BaseComparison::Cell BaseComparison::compare(GridNumber grid, int col, int row) const
{
    const std::optional<std::string_view> base = baseValue(grid, col, row);
    if (!base)
        return Cell::NotCompared;
    // A value only one of the two files has differs, as does a key line
    // only one has.
    const bool modValue = mod_.valueRead(grid, col, row);
    const bool baseValue = base_->valueRead(grid, col, baseRow(row));
    if (modValue != baseValue)
        return Cell::Differs;
    // Two files without the line (or the value) hold the same nothing,
    // whatever was typed over it: Save all writes neither.
    if (!modValue)
        return Cell::Same;
    return mod_.grid(grid).cell(col, row) == *base ? Cell::Same : Cell::Differs;
}

bool BaseComparison::rowDiffers(int row) const
{
    return row >= 1 && static_cast<size_t>(row) < rowTotals_.size() && rowTotals_[static_cast<size_t>(row)] > 0;
}

void BaseComparison::recount(GridNumber grid, int firstRow, int lastRow)
{
    const int rows = static_cast<int>(baseRows_.size()) - 1;
    lastRow = std::min(lastRow, rows);
    firstRow = std::max(firstRow, 1);
    if (firstRow > lastRow)
        return;
    auto& counts = differingCells_[grid.index()];
    counts.resize(baseRows_.size());
    rowTotals_.resize(baseRows_.size());
    const auto& columns = comparedColumns_[grid.index()];
    const int width = std::min(static_cast<int>(columns.size()), mod_.grid(grid).colCount());
    for (int r = firstRow; r <= lastRow; ++r) {
        int differing = 0;
        if (baseRow(r) > 0)
            for (int c = kFirstValueColumn; c < width; ++c)
                differing += columns[static_cast<size_t>(c)] && differs(grid, c, r) ? 1 : 0;
        int& count = counts[static_cast<size_t>(r)];
        int& total = rowTotals_[static_cast<size_t>(r)];
        const bool before = total > 0;
        total += differing - count;
        count = differing;
        differingFiles_ += (total > 0 ? 1 : 0) - (before ? 1 : 0);
    }
}

void BaseComparison::cellsChanged(GridNumber grid, int, int firstRow, int, int lastRow)
{
    if (IsSectionTable(grid))
        recount(grid, firstRow, lastRow);
}

}  // namespace dravik
