#include "ui/mod/mod_marks.h"

#include "ui/common/display_text.h"

#include <QCoreApplication>

namespace dravik::ui {

namespace {

const QColor kDiffersFromBase(0, 150, 150);  // teal
const QColor kNewInMod(40, 170, 60);         // green
const QColor kPatchApplied(40, 170, 60);
const QColor kPatchConflict(200, 0, 200);  // magenta

// Its texts, filed under their own context in the catalogues.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(ModMarks)
};

}  // namespace

std::uint64_t ModMarks::Key(GridNumber grid, int col, int row)
{
    return static_cast<std::uint64_t>(grid.number()) << 56 | static_cast<std::uint64_t>(static_cast<std::uint32_t>(row)) << 24 |
           static_cast<std::uint64_t>(static_cast<std::uint32_t>(col) & 0xFFFFFF);
}

void ModMarks::markPatched(GridNumber grid, int col, int row, PatchMark mark)
{
    patched_[Key(grid, col, row)] = std::move(mark);
}

const ModMarks::PatchMark* ModMarks::patchMark(GridNumber grid, int col, int row) const
{
    if (patched_.empty())
        return nullptr;
    const auto found = patched_.find(Key(grid, col, row));
    return found == patched_.end() ? nullptr : &found->second;
}

bool ModMarks::showsPatch(const PatchMark& mark, GridNumber grid, int col, int row) const
{
    return mark.conflict || document_.grid(grid).cell(col, row) == mark.patch;
}

QString ModMarks::text(std::string_view bytes) const { return CellText(bytes, document_.codePage()); }

QColor ModMarks::edgeMark(GridNumber grid, int col, int row) const
{
    if (!base_ || !showBase_)
        return {};
    if (grid == kFileListGrid) {
        // The file's name says what the base game makes of it.
        if (col != 1 || row > document_.descFileCount())
            return {};
        if (!base_->hasBase(row))
            return kNewInMod;
        return base_->rowDiffers(row) ? kDiffersFromBase : QColor();
    }
    return base_->differs(grid, col, row) ? kDiffersFromBase : QColor();
}

QColor ModMarks::cornerMark(GridNumber grid, int col, int row) const
{
    const PatchMark* mark = patchMark(grid, col, row);
    if (!mark || !showsPatch(*mark, grid, col, row))
        return {};
    return mark->conflict ? kPatchConflict : kPatchApplied;
}

QStringList ModMarks::tips(GridNumber grid, int col, int row) const
{
    QStringList tips;
    if (edgeMark(grid, col, row).isValid()) {
        if (grid == kFileListGrid)
            tips << (base_->hasBase(row) ? Tr::tr("Differs from the base file %1").arg(NativeText(base_->basePath(row)))
                                         : Tr::tr("New in this mod: the base game has no such file"));
        else if (!base_->baseHasKeyLine(grid, col, row))
            tips << Tr::tr("Base: no line for this key");
        else if (!document_.keyLineRead(grid, col, row))
            tips << Tr::tr("Base: %1 (this file has no line for the key)").arg(text(*base_->baseValue(grid, col, row)));
        else if (!base_->baseHasValue(grid, col, row))
            tips << Tr::tr("Base: no such value (its line of the key has fewer values)");
        else if (!document_.valueRead(grid, col, row))
            tips << Tr::tr("Base: %1 (this file's line of the key has fewer values)")
                        .arg(text(*base_->baseValue(grid, col, row)));
        else
            tips << Tr::tr("Base: %1").arg(text(*base_->baseValue(grid, col, row)));
    }
    if (const PatchMark* mark = patchMark(grid, col, row); mark && showsPatch(*mark, grid, col, row)) {
        if (!mark->conflict)
            tips << Tr::tr("From the patch: %1 (was %2)").arg(text(mark->patch), text(mark->mine));
        else if (document_.grid(grid).cell(col, row) == mark->patch)
            tips << Tr::tr("Patch conflict, the patch's value taken: %1 (base %2, this mod %3)")
                        .arg(text(mark->patch), text(mark->base), text(mark->mine));
        else
            tips << Tr::tr("Patch conflict, this mod's value kept (base %1, the patch %2)")
                        .arg(text(mark->base), text(mark->patch));
    }
    return tips;
}

}  // namespace dravik::ui
