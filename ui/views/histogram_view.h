// A histogram of a column's numbers, painted as bars: a balance modder sees
// the spread at a glance. A bar's tool tip gives its range and count;
// clicking a bar asks for the rows of that range.
#pragma once

#include "core/bulk/column_summary.h"

#include <QStringList>
#include <QWidget>

namespace dravik::ui {

class HistogramView : public QWidget {
    Q_OBJECT
public:
    explicit HistogramView(QWidget* parent = nullptr);

    // `ranges` names each bar's range for its tool tip.
    void setHistogram(const Histogram& histogram, const QStringList& ranges);
    const Histogram& histogram() const { return histogram_; }
    // The bar under a point, or -1.
    int barAt(const QPoint& point) const;
    QRect barRect(int bar) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void barClicked(int bar);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The area the bars stand in, above the axis labels.
    QRect plotArea() const;

    Histogram histogram_;
    QStringList ranges_;
};

}  // namespace dravik::ui
