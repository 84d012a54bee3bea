#include "ui/views/histogram_view.h"


#include "core/text/cell_value.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

namespace dravik::ui {

namespace {

constexpr int kMargin = 4;
constexpr int kBarGap = 1;

QString EdgeText(double value) { return QString::fromStdString(FormatCellNumber(value)); }

}  // namespace

HistogramView::HistogramView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Histogram"));
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void HistogramView::setHistogram(const Histogram& histogram, const QStringList& ranges)
{
    histogram_ = histogram;
    ranges_ = ranges;
    update();
}

QSize HistogramView::sizeHint() const { return {220, 140}; }

QSize HistogramView::minimumSizeHint() const { return {80, 60}; }

QRect HistogramView::plotArea() const
{
    const int labels = fontMetrics().height() + kMargin;
    return rect().adjusted(kMargin, kMargin, -kMargin, -kMargin - labels);
}

QRect HistogramView::barRect(int bar) const
{
    const int bars = static_cast<int>(histogram_.counts.size());
    if (bar < 0 || bar >= bars)
        return {};
    const QRect area = plotArea();
    const size_t highest = *std::max_element(histogram_.counts.begin(), histogram_.counts.end());
    const int left = area.left() + area.width() * bar / bars;
    const int right = area.left() + area.width() * (bar + 1) / bars - kBarGap;
    const size_t count = histogram_.counts[static_cast<size_t>(bar)];
    int height = highest ? static_cast<int>(static_cast<double>(area.height()) * static_cast<double>(count) /
                                            static_cast<double>(highest))
                         : 0;
    // A bar with any value stays visible and clickable.
    if (count > 0)
        height = std::max(height, 2);
    return QRect(QPoint(left, area.bottom() - height + 1), QPoint(std::max(right, left), area.bottom()));
}

int HistogramView::barAt(const QPoint& point) const
{
    const QRect area = plotArea();
    const int bars = static_cast<int>(histogram_.counts.size());
    if (bars == 0 || point.x() < area.left() || point.x() > area.right() || point.y() > area.bottom() ||
        point.y() < area.top())
        return -1;
    // The whole column above a bar counts, so that short bars are easy to hit.
    return std::clamp((point.x() - area.left()) * bars / std::max(area.width(), 1), 0, bars - 1);
}

void HistogramView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect area = plotArea();
    painter.fillRect(rect(), palette().base());
    if (histogram_.counts.empty()) {
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(area, Qt::AlignCenter, tr("no numbers"));
        return;
    }
    const QColor bar = palette().color(QPalette::Highlight);
    for (int i = 0; i < static_cast<int>(histogram_.counts.size()); ++i)
        painter.fillRect(barRect(i), bar);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawLine(area.bottomLeft() + QPoint(0, 1), area.bottomRight() + QPoint(0, 1));
    const QRect labels(area.left(), area.bottom() + 2, area.width(), fontMetrics().height() + kMargin);
    const double last = histogram_.wholeBins ? histogram_.edges.back() - 1 : histogram_.edges.back();
    painter.drawText(labels, Qt::AlignLeft | Qt::AlignTop, EdgeText(histogram_.edges.front()));
    painter.drawText(labels, Qt::AlignRight | Qt::AlignTop, EdgeText(last));
}

bool HistogramView::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int bar = barAt(help->pos());
        if (bar < 0) {
            QToolTip::hideText();
            event->ignore();
            return true;
        }
        const QString range = bar < ranges_.size() ? ranges_[bar] : QString();
        QToolTip::showText(
            help->globalPos(),
            tr("%1: %n value\nClick to show only these rows", "%1: %n values\nClick to show only these rows",
               static_cast<int>(histogram_.counts[static_cast<size_t>(bar)]))
                .arg(range),
            this, barRect(bar));
        return true;
    }
    return QWidget::event(event);
}

void HistogramView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const int bar = barAt(event->position().toPoint());
        if (bar >= 0)
            emit barClicked(bar);
    }
    QWidget::mouseReleaseEvent(event);
}

}  // namespace dravik::ui
