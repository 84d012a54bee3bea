#include "ui/tables/grid_layout.h"

namespace dravik::ui {

int GridLayout::width(int col) const
{
    return col >= 0 && static_cast<size_t>(col) < widths_.size() ? widths_[static_cast<size_t>(col)] : defaultWidth_;
}

void GridLayout::setWidth(int col, int width)
{
    if (col < 0)
        return;
    if (static_cast<size_t>(col) >= widths_.size())
        widths_.resize(static_cast<size_t>(col) + 1, defaultWidth_);
    widths_[static_cast<size_t>(col)] = width;
}

void GridLayout::fitToColumns(int columns)
{
    if (columns >= 0 && static_cast<size_t>(columns) < widths_.size())
        widths_.resize(static_cast<size_t>(columns));
}

void GridLayout::fitToHeaders(const Grid& grid, int fontSize)
{
    rowHeight_ = 2 * fontSize;
    fitToColumns(grid.colCount());
    for (int c = 1; c < grid.colCount(); ++c)
        setWidth(c, (static_cast<int>(grid.cell(c, 0).size()) + 1) * fontSize);
}

}  // namespace dravik::ui
