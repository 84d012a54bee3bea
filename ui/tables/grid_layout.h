// How one table is laid out on screen: its column widths and its row height,
// in pixels. The window keeps one per table; resizing a column changes only
// this, never the document.
#pragma once

#include "core/document/grid.h"

#include <vector>

namespace dravik::ui {

class GridLayout {
public:
    static constexpr int kDefaultColumnWidth = 64;
    static constexpr int kDefaultRowHeight = 24;

    explicit GridLayout(int defaultColumnWidth = kDefaultColumnWidth) : defaultWidth_(defaultColumnWidth) {}

    // Columns never given a width have the default one.
    int width(int col) const;
    void setWidth(int col, int width);
    int rowHeight() const { return rowHeight_; }
    // Columns past the grid's last one are forgotten: a column that comes
    // back starts at the default width again.
    void fitToColumns(int columns);

    // Row height twice the font size; every column but the first as wide as
    // its header text plus one, in font sizes.
    void fitToHeaders(const Grid& grid, int fontSize);

    bool operator==(const GridLayout&) const = default;

private:
    int defaultWidth_;
    int rowHeight_ = kDefaultRowHeight;
    std::vector<int> widths_;
};

}  // namespace dravik::ui
