// Marks drawn on a table's cells besides their colours: a bar at the cell's
// left edge and triangles in its top and bottom right corners, each with what it means
// in the cell's tool tip. The tables ask whoever placed them (the base game
// comparison, an applied patch) cell by cell as they paint.
#pragma once

#include "core/document/grid_numbers.h"

#include <QColor>
#include <QStringList>

namespace dravik::ui {

// The roles a table model answers the marks' colours in.
inline constexpr int kEdgeMarkRole = Qt::UserRole + 1;
inline constexpr int kCornerMarkRole = Qt::UserRole + 2;
inline constexpr int kCheckMarkRole = Qt::UserRole + 3;

class CellMarks {
public:
    virtual ~CellMarks() = default;
    // Grid coordinates; an invalid colour for no mark.
    virtual QColor edgeMark(GridNumber grid, int col, int row) const = 0;
    virtual QColor cornerMark(GridNumber grid, int col, int row) const = 0;
    // A triangle in the bottom right corner: a value the checks learned from
    // the base game reject.
    virtual QColor checkMark(GridNumber, int, int) const { return {}; }
    // Lines for the cell's tool tip.
    virtual QStringList tips(GridNumber grid, int col, int row) const = 0;
};

}  // namespace dravik::ui
