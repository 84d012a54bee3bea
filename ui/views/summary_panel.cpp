#include "ui/views/summary_panel.h"


#include "core/bulk/histogram_filters.h"
#include "core/bulk/table_rows.h"
#include "core/text/cell_value.h"
#include "core/text/dravik2_auxillary.h"
#include "core/schema/schema.h"
#include "ui/common/display_text.h"
#include "ui/tables/grid_view.h"
#include "ui/views/histogram_view.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

namespace dravik::ui {

namespace {

// Edits, filter changes and selections come in bursts: one summary after them.
constexpr int kRefreshDelayMs = 30;
constexpr size_t kMostCommonShown = 5;

QString Number(double value) { return QString::fromStdString(FormatCellNumber(value)); }

// Mean and median need not show every digit a division gives.
QString Rounded(double value)
{
    return QString::fromStdString(FormatCellNumber(std::round(value * 1e6) / 1e6));
}

}  // namespace

SummaryPanel::SummaryPanel(DescDocument& document, QWidget* parent) : QWidget(parent), document_(document)
{
    setObjectName(QStringLiteral("ColumnSummary"));
    title_ = new QLabel;
    title_->setObjectName(QStringLiteral("SummaryTitle"));
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    title_->setWordWrap(true);
    facts_ = new QLabel;
    facts_->setObjectName(QStringLiteral("SummaryFacts"));
    facts_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    mostCommon_ = new QLabel;
    mostCommon_->setObjectName(QStringLiteral("SummaryMostCommon"));
    mostCommon_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    histogram_ = new HistogramView;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title_);
    layout->addWidget(facts_);
    layout->addWidget(mostCommon_);
    layout->addWidget(histogram_, 1);

    refresh_.setSingleShot(true);
    refresh_.setInterval(kRefreshDelayMs);
    connect(&refresh_, &QTimer::timeout, this, &SummaryPanel::refresh);
    connect(histogram_, &HistogramView::barClicked, this, &SummaryPanel::barClicked);
    connection_ = document_.connect(*this);
    refresh();
}

void SummaryPanel::setView(GridView* view)
{
    for (const auto& connection : viewConnections_)
        disconnect(connection);
    viewConnections_.clear();
    view_ = view;
    if (view) {
        QItemSelectionModel* selection = view->selectionModel();
        viewConnections_.push_back(
            connect(selection, &QItemSelectionModel::currentChanged, this, &SummaryPanel::refreshLater));
        viewConnections_.push_back(
            connect(selection, &QItemSelectionModel::selectionChanged, this, &SummaryPanel::refreshLater));
    }
    refreshLater();
}

void SummaryPanel::refreshLater()
{
    // Hidden, the panel works nothing out; it does when shown again.
    if (isVisible())
        refresh_.start();
}

void SummaryPanel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refresh_.start();
}

void SummaryPanel::refresh()
{
    refresh_.stop();
    grid_ = GridNumber(0);
    columns_.clear();
    std::vector<std::string_view> values;
    const GridNumber grid = view_ ? view_->gridModel()->gridNumber() : GridNumber(0);
    if (!IsSectionTable(grid)) {
        showSummary(values);
        return;
    }
    const Grid& table = document_.grid(grid);
    const int files = std::min(document_.descFileCount(), table.rowCount() - 1);
    auto shown = [&](int row) { return row >= 1 && row <= files && !view_->isRowHidden(row - 1); };

    // The selected cells when there are several, else the current cell's column.
    std::vector<std::pair<int, int>> cells;  // (col, row), grid numbering
    const QItemSelection selection = view_->selectionModel()->selection();
    size_t selected = 0;
    for (const QItemSelectionRange& range : selection)
        selected += static_cast<size_t>(range.width()) * static_cast<size_t>(range.height());
    if (selected > 1) {
        for (const QItemSelectionRange& range : selection)
            for (int c = std::max(range.left() + 1, kFirstValueColumn); c <= range.right() + 1; ++c)
                for (int r = range.top() + 1; r <= range.bottom() + 1; ++r)
                    if (shown(r))
                        cells.emplace_back(c, r);
        if (selection.size() > 1) {
            std::sort(cells.begin(), cells.end());
            cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
        }
    } else if (const QModelIndex current = view_->currentIndex(); current.isValid() && GridModel::gridCol(current) >= 2) {
        const int col = GridModel::gridCol(current);
        columns_.push_back(col);
        for (int r = 1; r <= files; ++r)
            if (shown(r) && !document_.valueAbsent(grid, col, r))
                values.push_back(table.cell(col, r));
    }
    std::set<int> columns;
    // A value a file's line does not have is left out, not counted as blank.
    for (const auto& [col, row] : cells) {
        columns.insert(col);
        if (!document_.valueAbsent(grid, col, row))
            values.push_back(table.cell(col, row));
    }
    if (!cells.empty())
        columns_.assign(columns.begin(), columns.end());
    if (!columns_.empty())
        grid_ = grid;
    showSummary(values);
}

void SummaryPanel::showSummary(const std::vector<std::string_view>& values)
{
    summary_ = IsSectionTable(grid_) ? SummarizeColumn(values, kMostCommonShown) : ColumnSummary{};
    barFilters_.clear();
    if (!IsSectionTable(grid_)) {
        title_->setText(tr("Select a value column, or cells, of a section table"));
        facts_->clear();
        mostCommon_->clear();
        histogram_->setHistogram({}, {});
        return;
    }
    showTitle();
    showFacts();
    showMostCommon();
    showHistogram(values);
}

void SummaryPanel::showTitle()
{
    const QString tableName = grid_ == kTextSectionTable ? tr("Text section") : tr("Section %1").arg(grid_.number());
    if (columns_.size() != 1) {
        title_->setText(
            tr("%1: %n column selected", "%1: %n columns selected", static_cast<int>(columns_.size())).arg(tableName));
        return;
    }
    const int col = columns_.front();
    const std::string_view key = Trim(document_.grid(grid_).cell(col, 0));
    // Every column of the key, so that the title can say which value this is.
    const std::vector<int> keyColumns = KeyColumns(document_, grid_, key);
    QString name = CellText(std::string(key), document_.codePage());
    if (keyColumns.size() > 1) {
        const auto value = std::find(keyColumns.begin(), keyColumns.end(), col) - keyColumns.begin() + 1;
        name = tr("%1 (value %2 of %3)").arg(name).arg(value).arg(keyColumns.size());
    }
    title_->setText(tr("%1: %2").arg(tableName, name));
}

void SummaryPanel::showFacts()
{
    const QLocale locale;
    QStringList facts;
    facts << tr("Cells: %1 in the rows shown").arg(locale.toString(static_cast<qulonglong>(summary_.values)));
    facts << tr("With a value: %1").arg(locale.toString(static_cast<qulonglong>(summary_.filled)));
    facts << tr("Distinct values: %1").arg(locale.toString(static_cast<qulonglong>(summary_.distinct)));
    if (summary_.numbers > 0) {
        facts << (summary_.numeric ? tr("Numbers: all %1").arg(summary_.numbers)
                                   : tr("Numbers: %1 of them").arg(summary_.numbers));
        facts << tr("Minimum: %1   Maximum: %2").arg(Number(summary_.min), Number(summary_.max));
        facts << tr("Mean: %1   Median: %2").arg(Rounded(summary_.mean), Rounded(summary_.median));
    }
    facts_->setText(facts.join(QLatin1Char('\n')));
}

void SummaryPanel::showMostCommon()
{
    QStringList common;
    for (const ValueCount& value : summary_.mostCommon)
        common << tr("%1 \u00d7 %2")
                      .arg(value.count)
                      .arg(value.value.empty() ? tr("(blank)") : CellText(value.value, document_.codePage()));
    mostCommon_->setText(common.isEmpty() ? QString() : tr("Most common:") + QLatin1Char('\n') + common.join('\n'));
}

void SummaryPanel::showHistogram(const std::vector<std::string_view>& values)
{
    const Histogram& histogram = summary_.histogram;
    QStringList ranges;
    for (size_t i = 0; i < histogram.counts.size(); ++i) {
        if (histogram.wholeBins) {
            const double low = histogram.edges[i], high = histogram.edges[i + 1] - 1;
            ranges << (low == high ? Number(low) : Number(low) + QStringLiteral("..") + Number(high));
        } else {
            // The last bar holds its upper bound; the others stop under it.
            ranges << (i + 1 == histogram.counts.size() ? tr("%1 to %2") : tr("%1 to under %2"))
                          .arg(Number(histogram.edges[i]), Number(histogram.edges[i + 1]));
        }
    }
    for (const std::string& filter : HistogramBarFilters(histogram, values))
        barFilters_ << CellText(filter, document_.codePage());
    histogram_->setHistogram(histogram, ranges);
}

QSize SummaryPanel::sizeHint() const
{
    const QMargins margins = layout()->contentsMargins();
    return {histogram_->sizeHint().width() + margins.left() + margins.right(), QWidget::sizeHint().height()};
}

QString SummaryPanel::title() const { return title_->text(); }

QString SummaryPanel::facts() const { return facts_->text(); }

QString SummaryPanel::mostCommon() const { return mostCommon_->text(); }

QString SummaryPanel::barFilter(int bar) const { return bar >= 0 && bar < barFilters_.size() ? barFilters_[bar] : QString(); }

void SummaryPanel::barClicked(int bar)
{
    const QString filter = barFilter(bar);
    if (!filter.isEmpty() && IsSectionTable(grid_))
        emit filterRequested(grid_, columns_, filter);
}

void SummaryPanel::cellsChanged(GridNumber grid, int firstCol, int, int lastCol, int)
{
    if (grid != grid_)
        return;
    if (std::any_of(columns_.begin(), columns_.end(), [&](int c) { return c >= firstCol && c <= lastCol; }))
        refreshLater();
}

void SummaryPanel::sizeChanged(GridNumber grid)
{
    if (grid == grid_ || (view_ && view_->gridModel()->gridNumber() == grid))
        refreshLater();
}

}  // namespace dravik::ui
