#include "ui/tables/grid_model.h"

#include "core/text/cell_value.h"
#include "core/text/dravik2_auxillary.h"
#include "core/schema/schema.h"
#include "core/bulk/value_checks.h"
#include "ui/common/display_text.h"
#include "ui/common/long_work.h"
#include "ui/tables/edit_history.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QStringList>
#include <algorithm>

namespace dravik::ui {

namespace {

// The background marks edits: amber, or red for a problem cell (always an
// edit). A value unlike most of its column is blue text, which an edit's
// background leaves readable; a blank one, with no text to colour, gets a
// small blue square instead.
const QColor kChangedCell(255, 226, 153);
const QColor kDifferingText(0, 78, 168);
const QColor kProblemCell(255, 180, 176);
// A value the file's line does not have: hatched grey, with no text, unlike
// a value that is there and empty.
const QColor kAbsentValue(150, 150, 150);

const QPixmap& DifferingBlankMark()
{
    static const QPixmap mark = [] {
        QPixmap square(8, 8);
        square.fill(kDifferingText);
        return square;
    }();
    return mark;
}

}  // namespace

GridModel::GridModel(EditHistory& history, GridNumber gridNumber, QObject* parent)
    : QAbstractTableModel(parent),
      document_(history.document()),
      history_(history),
      gridNumber_(gridNumber),
      shownColumns_(grid().colCount()),
      shownRows_(grid().rowCount()),
      connection_(document_.connect(*this))
{
    commonCheck_.setSingleShot(true);
    commonCheck_.setInterval(0);
    connect(&commonCheck_, &QTimer::timeout, this, &GridModel::checkCommonValues);
}

int GridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::max(shownRows_ - 1, 0);
}

int GridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::max(shownColumns_ - 1, 0);
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int col = gridCol(index);
    const int row = gridRow(index);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return CellText(grid().cell(col, row), document_.codePage());
    case Qt::BackgroundRole:
        if (isSectionValue(col, row) && CheckCell(document_, *profiles_, gridNumber_, col, row) != ValueProblem::None)
            return QBrush(kProblemCell);
        if (document_.cellChanged(gridNumber_, col, row))
            return QBrush(kChangedCell);
        if (document_.valueAbsent(gridNumber_, col, row))
            return QBrush(kAbsentValue, Qt::BDiagPattern);
        return {};
    case Qt::ForegroundRole:
        if (showDifferences_ && isSectionValue(col, row) && differs(col, row))
            return QBrush(kDifferingText);
        return {};
    case Qt::DecorationRole:
        if (showDifferences_ && isSectionValue(col, row) && IsBlankCell(grid().cell(col, row)) && differs(col, row))
            return DifferingBlankMark();
        return {};
    case kEdgeMarkRole:
        return marks_ ? marks_->edgeMark(gridNumber_, col, row) : QVariant();
    case kCornerMarkRole:
        return marks_ ? marks_->cornerMark(gridNumber_, col, row) : QVariant();
    case kCheckMarkRole:
        return marks_ ? marks_->checkMark(gridNumber_, col, row) : QVariant();
    case Qt::FontRole:
        // The file list marks the files that Save all would change.
        if (gridNumber_ == kFileListGrid && document_.rowChanged(row)) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::ToolTipRole: {
        // A path is shown shortened; its tip gives it whole, above what the
        // tip says of a changed or checked cell.
        QStringList tips;
        if (isPathColumn(col) && !grid().cell(col, row).empty())
            tips << CellText(grid().cell(col, row), document_.codePage());
        if (isSectionValue(col, row))
            if (const ValueProblem problem = CheckCell(document_, *profiles_, gridNumber_, col, row);
                problem != ValueProblem::None)
                tips << tr("Check this value: %1")
                            .arg(MessageText(ProblemReason(problem, Trim(grid().cell(col, 0)), grid().cell(col, row))));
        // An edit's tip tells what the file holds; an untouched value's, why it is blue.
        if (document_.cellChanged(gridNumber_, col, row))
            tips << tr("On disk: \"%1\"").arg(CellText(document_.diskValue(gridNumber_, col, row), document_.codePage()));
        else if (showDifferences_ && isSectionValue(col, row) && differs(col, row))
            tips << tr("The column's most common value: \"%1\"")
                        .arg(CellText(std::string(shownCommon(col)), document_.codePage()));
        else if (gridNumber_ == kFileListGrid && document_.rowChanged(row))
            tips << tr("This file has unsaved changes");
        if (const QString counted = valueCountTip(col, row); !counted.isEmpty())
            tips << counted;
        if (marks_)
            tips << marks_->tips(gridNumber_, col, row);
        if (tips.isEmpty())
            return {};
        return tips.join(QLatin1Char('\n'));
    }
    default:
        return {};
    }
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || isReadOnly(gridCol(index)))
        return false;
    // A cell editor losing its focus to a long command's progress box hands
    // in text typed for the tables as they were before the command.
    if (LongWork::Running())
        return false;
    std::string text = CellBytes(value.toString(), document_.codePage());
    // A line break pasted into the editor would split the key line on saving;
    // the words on either side stay, a blank apart.
    BlankLineBreaks(text);
    history_.typeCell(gridNumber_, gridCol(index), gridRow(index), std::move(text));
    return true;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal) {
        if (isPathColumn(section + 1) || (gridNumber_ == kFileListGrid && section + 1 == kFileNameColumn))
            return ProgramHeaderText(grid().cell(section + 1, 0));
        return CellText(grid().cell(section + 1, 0), document_.codePage());
    }
    return CellText(grid().cell(kRowNumberColumn, section + 1), document_.codePage());
}

QString GridModel::cornerText() const { return CellText(grid().cell(0, 0), document_.codePage()); }

bool GridModel::isPathColumn(int gridCol) const
{
    if (gridNumber_ == kFileListGrid)
        return gridCol == kFilePathColumn;
    return gridNumber_ < kFileListGrid && gridCol == kSectionPathColumn;
}

bool GridModel::isReadOnly(int gridCol) const { return gridNumber_ != kFileListGrid && isPathColumn(gridCol); }

void GridModel::setProfiles(ColumnProfiles* profiles)
{
    profiles_ = profiles;
    if (!profiles_)
        showDifferences_ = false;
    colorsChanged();
}

void GridModel::setShowDifferences(bool show)
{
    show = show && profiles_;
    if (show == showDifferences_)
        return;
    showDifferences_ = show;
    colorsChanged();
}

void GridModel::setMarks(const CellMarks* marks)
{
    marks_ = marks;
    marksChanged();
}

void GridModel::marksChanged()
{
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                         {kEdgeMarkRole, kCornerMarkRole, Qt::ToolTipRole});
}

bool GridModel::isSectionValue(int col, int row) const
{
    return profiles_ && IsSectionTable(gridNumber_) && col >= kFirstValueColumn && row >= 1;
}

std::string_view GridModel::shownCommon(int col) const
{
    if (static_cast<size_t>(col) >= shownCommon_.size())
        shownCommon_.resize(static_cast<size_t>(col) + 1);
    auto& common = shownCommon_[static_cast<size_t>(col)];
    if (!common)
        common = std::string(profiles_->mostCommon(gridNumber_, col));
    return *common;
}

QString GridModel::valueCountTip(int col, int row) const
{
    const std::optional<DescDocument::KeyLineValues> line = document_.lineValues(gridNumber_, col, row);
    if (!line)
        return {};
    const int j = col - line->first;
    const bool absent = document_.valueAbsent(gridNumber_, col, row);
    const bool appended = !absent && j >= line->values;
    const bool lastShown = j == line->columns - 1 && line->values > line->columns;
    if (!absent && !appended && !lastShown)
        return {};
    const QString key = CellText(std::string(Trim(grid().cell(col, 0))), document_.codePage());
    QString tip =
        tr("This file's line of %1 has %n value", "This file's line of %1 has %n values", line->values).arg(key);
    tip += tr("; the variables file counts %1.").arg(line->columns);
    if (absent)
        tip += QLatin1Char(' ') + tr("No value %1 here: typing one adds it to the line, with the values before it.")
                                      .arg(j + 1);
    else if (appended)
        tip += QLatin1Char(' ') + tr("Value %1 is added to the line by Save all.").arg(j + 1);
    else
        tip += QLatin1Char(' ') + (line->values - line->columns == 1
                                       ? tr("The 1 value after this one is not shown; Save all keeps it.")
                                       : tr("The %1 values after this one are not shown; Save all keeps them.")
                                             .arg(line->values - line->columns));
    return tip;
}

bool GridModel::differs(int col, int row) const
{
    if (document_.valueAbsent(gridNumber_, col, row))
        return false;
    return DiffersFromCommon(grid().cell(col, row), shownCommon(col));
}

void GridModel::checkCommonValues()
{
    const std::vector<int> columns = std::move(commonToCheck_);
    commonToCheck_.clear();
    for (int col : columns) {
        auto& common = shownCommon_[static_cast<size_t>(col)];
        if (!common || col >= grid().colCount() || rowCount() == 0)
            continue;
        const std::string_view now = profiles_->mostCommon(gridNumber_, col);
        if (now == *common)
            continue;
        common = std::string(now);
        emit dataChanged(index(0, col - 1), index(rowCount() - 1, col - 1),
                         {Qt::ForegroundRole, Qt::DecorationRole, Qt::ToolTipRole});
    }
}

void GridModel::colorsChanged()
{
    shownCommon_.clear();
    commonToCheck_.clear();
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                         {Qt::BackgroundRole, Qt::ForegroundRole, Qt::DecorationRole, Qt::ToolTipRole});
}

void GridModel::cellsChanged(GridNumber grid, int firstCol, int firstRow, int lastCol, int lastRow)
{
    if (grid != gridNumber_) {
        // A change in any table can change which files the file list marks.
        if (gridNumber_ == kFileListGrid && grid < kFileListGrid && lastRow >= 1 && columnCount() > 0) {
            const int first = std::max(firstRow, 1) - 1;
            const int last = std::min(lastRow - 1, rowCount() - 1);
            if (first <= last)
                emit dataChanged(index(first, 0), index(last, columnCount() - 1));
        }
        return;
    }
    if (lastCol >= 1 && lastRow >= 1) {
        const int top = std::max(firstRow, 1) - 1;
        const int left = std::max(firstCol, 1) - 1;
        const int bottom = std::min(lastRow - 1, rowCount() - 1);
        const int right = std::min(lastCol - 1, columnCount() - 1);
        if (top <= bottom && left <= right) {
            if (gridNumber_ == kFileListGrid) {  // the row marks follow the cells
                emit dataChanged(index(top, 0), index(bottom, columnCount() - 1));
            } else {
                emit dataChanged(index(top, left), index(bottom, right));
                // A value typed past the end of a file's line makes the cells
                // before it part of the line, and emptying it makes them
                // absent again: their colours follow.
                if (gridNumber_ < kTextSectionTable)
                    emit dataChanged(index(top, 0), index(bottom, columnCount() - 1),
                                     {Qt::BackgroundRole, Qt::ToolTipRole});
            }
            // A changed cell can change its column's most common value, and
            // with it which of the column's cells differ from it.
            if (showDifferences_ && IsSectionTable(gridNumber_))
                commonValuesMayChange(left + 1, right + 1);
        }
    }
    if (firstRow == 0 && lastCol >= 1 && columnCount() > 0)
        emit headerDataChanged(Qt::Horizontal, std::max(firstCol, 1) - 1, std::min(lastCol - 1, columnCount() - 1));
    if (firstCol == 0 && lastRow >= 1 && rowCount() > 0)
        emit headerDataChanged(Qt::Vertical, std::max(firstRow, 1) - 1, std::min(lastRow - 1, rowCount() - 1));
    if (firstCol == 0 && firstRow == 0)
        emit cornerChanged();
}

void GridModel::commonValuesMayChange(int firstCol, int lastCol)
{
    // Beyond a screenful of columns (a bulk edit), the columns are worked
    // out again only as they are painted.
    constexpr int kColumnsChecked = 64;
    if (lastCol - firstCol >= kColumnsChecked) {
        for (int c = firstCol; c <= lastCol && static_cast<size_t>(c) < shownCommon_.size(); ++c)
            shownCommon_[static_cast<size_t>(c)].reset();
        emit dataChanged(index(0, firstCol - 1), index(rowCount() - 1, lastCol - 1),
                         {Qt::ForegroundRole, Qt::DecorationRole, Qt::ToolTipRole});
        return;
    }
    for (int c = firstCol; c <= lastCol && static_cast<size_t>(c) < shownCommon_.size(); ++c)
        if (shownCommon_[static_cast<size_t>(c)] &&
            std::find(commonToCheck_.begin(), commonToCheck_.end(), c) == commonToCheck_.end())
            commonToCheck_.push_back(c);
    if (!commonToCheck_.empty())
        commonCheck_.start();
}

// The model's rows and columns are the grid's less its fixed row and column,
// which never come or go.
void GridModel::rowsAboutToBeInserted(GridNumber grid, int first, int last)
{
    if (grid == gridNumber_)
        beginInsertRows({}, first - 1, last - 1);
}

void GridModel::rowsInserted(GridNumber grid, int, int last)
{
    if (grid != gridNumber_)
        return;
    shownRows_ = last + 1;
    endInsertRows();
    commonValuesChanged();
}

void GridModel::rowsAboutToBeRemoved(GridNumber grid, int first, int last)
{
    if (grid == gridNumber_)
        beginRemoveRows({}, first - 1, last - 1);
}

void GridModel::rowsRemoved(GridNumber grid, int first, int)
{
    if (grid != gridNumber_)
        return;
    shownRows_ = first;
    endRemoveRows();
    commonValuesChanged();
}

void GridModel::columnsAboutToBeInserted(GridNumber grid, int first, int last)
{
    if (grid == gridNumber_)
        beginInsertColumns({}, first - 1, last - 1);
}

void GridModel::columnsInserted(GridNumber grid, int, int last)
{
    if (grid != gridNumber_)
        return;
    shownColumns_ = last + 1;
    endInsertColumns();
}

void GridModel::columnsAboutToBeRemoved(GridNumber grid, int first, int last)
{
    if (grid == gridNumber_)
        beginRemoveColumns({}, first - 1, last - 1);
}

void GridModel::columnsRemoved(GridNumber grid, int first, int)
{
    if (grid != gridNumber_)
        return;
    shownColumns_ = first;
    if (static_cast<size_t>(first) < shownCommon_.size())
        shownCommon_.resize(static_cast<size_t>(first));
    std::erase_if(commonToCheck_, [&](int col) { return col >= first; });
    endRemoveColumns();
}

void GridModel::commonValuesChanged()
{
    commonToCheck_.clear();
    if (shownCommon_.empty())
        return;
    shownCommon_.clear();
    if (showDifferences_ && rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                         {Qt::ForegroundRole, Qt::DecorationRole, Qt::ToolTipRole});
}

}  // namespace dravik::ui
