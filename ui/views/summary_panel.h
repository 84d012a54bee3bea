// The column summary beside the tables: for the value column of the current
// cell, or for the cells selected when there are several, over the rows the
// filter shows: how many files hold a value, the distinct values, minimum,
// maximum, mean and median of the numbers, the five most common values and
// a histogram. It follows the selection, the filter and the edits of the
// cells it summarises (worked out again once the notices of an edit are
// over, and only while the panel is on screen).
#pragma once

#include "core/bulk/column_summary.h"
#include "core/document/desc_document.h"

#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <vector>

class QLabel;

namespace dravik::ui {

class GridView;
class HistogramView;

class SummaryPanel : public QWidget, private DocumentListener {
    Q_OBJECT
public:
    explicit SummaryPanel(DescDocument& document, QWidget* parent = nullptr);

    // The table on screen (none: nothing to summarise).
    void setView(GridView* view);
    // Summarises again soon: the rows shown or the selection changed.
    void refreshLater();
    // Summarises what is selected now.
    void refresh();

    // What the panel shows.
    GridNumber grid() const { return grid_; }
    const std::vector<int>& columns() const { return columns_; }
    const ColumnSummary& summary() const { return summary_; }
    QString title() const;
    QString facts() const;
    QString mostCommon() const;
    HistogramView* histogramView() const { return histogram_; }
    // The filter a click on the bar sets ("50..59"); empty for an empty bar.
    QString barFilter(int bar) const;

    // As wide as the histogram asks: the title wraps, and the dock's width
    // comes out of the tables'.
    QSize sizeHint() const override;

signals:
    // Show only the rows whose `columns` of `grid` match `text`.
    void filterRequested(GridNumber grid, const std::vector<int>& columns, const QString& text);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void cellsChanged(GridNumber grid, int firstCol, int firstRow, int lastCol, int lastRow) override;
    void rowsInserted(GridNumber grid, int, int) override { sizeChanged(grid); }
    void rowsRemoved(GridNumber grid, int, int) override { sizeChanged(grid); }
    void columnsInserted(GridNumber grid, int, int) override { sizeChanged(grid); }
    void columnsRemoved(GridNumber grid, int, int) override { sizeChanged(grid); }
    void sizeChanged(GridNumber grid);
    // Shows the summary of the values (the cells the panel summarises, save
    // the absent ones) in the title, facts, most common values and
    // histogram, each worked out by its step below.
    void showSummary(const std::vector<std::string_view>& values);
    void showTitle();
    void showFacts();
    void showMostCommon();
    // The bars, their ranges, and the filter a click on each sets.
    void showHistogram(const std::vector<std::string_view>& values);
    void barClicked(int bar);

    DescDocument& document_;
    QPointer<GridView> view_;
    std::vector<QMetaObject::Connection> viewConnections_;
    GridNumber grid_{0};
    std::vector<int> columns_;
    ColumnSummary summary_;
    QStringList barFilters_;
    QTimer refresh_;
    QLabel* title_;
    QLabel* facts_;
    QLabel* mostCommon_;
    HistogramView* histogram_;
    DocumentConnection connection_;
};

}  // namespace dravik::ui
