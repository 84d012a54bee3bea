// What the tables mark of a mod set's merged view: where each value comes
// from, as a bar at the cell's left edge (one mod, several mods alike, a
// conflict), and in the tip the base's value, each mod's and who wins. The
// marks of a base comparison or an applied patch still show where a merged
// value has none.
#pragma once

#include "ui/tables/cell_marks.h"

#include <QString>
#include <optional>
#include <string>

namespace dravik {
class ModSet;
struct ValueDetail;
}  // namespace dravik

namespace dravik::ui {

class ModSetMarks : public CellMarks {
public:
    // `others` are the marks the tables had before; they may be null.
    explicit ModSetMarks(const CellMarks* others) : others_(others) {}

    void setModSet(const ModSet* set) { set_ = set; }

    QColor edgeMark(GridNumber grid, int col, int row) const override;
    QColor cornerMark(GridNumber grid, int col, int row) const override;
    QColor checkMark(GridNumber grid, int col, int row) const override;
    QStringList tips(GridNumber grid, int col, int row) const override;

    // The merged value's story, a line each: the base's, each mod's in the
    // order, and who wins. Empty for a value no mod changes.
    static QStringList Story(const ModSet& set, const ValueDetail& detail);
    // The file and slot the cell shows; nothing for a cell of no value.
    std::optional<std::pair<int, int>> valueOf(GridNumber grid, int col, int row) const;

private:
    const CellMarks* others_;
    const ModSet* set_ = nullptr;
};

}  // namespace dravik::ui
