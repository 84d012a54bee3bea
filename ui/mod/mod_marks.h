// What the tables mark of a mod: values that differ from the base game's
// (a bar at the cell's left edge, "Base: 45" in its tip), files the base
// game lacks or differs in (a bar in the file list), and the cells an
// applied patch set or found in conflict (a corner, until the next save).
// Colours apart from the amber of edits, the blue of outliers and the red
// of problem cells.
#pragma once

#include "core/mod/base_comparison.h"
#include "ui/tables/cell_marks.h"

#include <cstdint>
#include <string>
#include <unordered_map>

namespace dravik::ui {

class ModMarks : public CellMarks {
public:
    explicit ModMarks(const DescDocument& document) : document_(document) {}

    void setBase(const BaseComparison* base) { base_ = base; }
    void showBase(bool show) { showBase_ = show; }

    // A cell an applied patch gave its value, or found in conflict.
    struct PatchMark {
        bool conflict = false;
        std::string base;   // the patch's base value
        std::string mine;   // what the cell held
        std::string patch;  // the patch's value
    };
    void markPatched(GridNumber grid, int col, int row, PatchMark mark);
    bool hasPatchMarks() const { return !patched_.empty(); }
    void clearPatchMarks() { patched_.clear(); }

    QColor edgeMark(GridNumber grid, int col, int row) const override;
    QColor cornerMark(GridNumber grid, int col, int row) const override;
    QStringList tips(GridNumber grid, int col, int row) const override;

private:
    static std::uint64_t Key(GridNumber grid, int col, int row);
    const PatchMark* patchMark(GridNumber grid, int col, int row) const;
    // A patched cell still holding the patch's value.
    bool showsPatch(const PatchMark& mark, GridNumber grid, int col, int row) const;
    QString text(std::string_view bytes) const;

    const DescDocument& document_;
    const BaseComparison* base_ = nullptr;
    bool showBase_ = true;
    std::unordered_map<std::uint64_t, PatchMark> patched_;
};

}  // namespace dravik::ui
