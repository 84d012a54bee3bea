#include "ui/common/status_panels.h"

#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace dravik::ui {

StatusPanel::StatusPanel(int width, bool last) : width_(width), last_(last)
{
    setSizePolicy(last ? QSizePolicy::Expanding : QSizePolicy::Fixed, QSizePolicy::Preferred);
}

QSize StatusPanel::sizeHint() const
{
    QSize size = QLabel::sizeHint();
    size.setWidth(std::max(size.width(), width_));
    return size;
}

QSize StatusPanel::minimumSizeHint() const
{
    if (!last_)
        return sizeHint();
    QSize size = QLabel::minimumSizeHint();
    size.setWidth(width_);
    return size;
}

void StatusPanel::paintEvent(QPaintEvent* event)
{
    const QRect room = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    if (fontMetrics().horizontalAdvance(text()) <= room.width()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideMiddle, room.width());
    style()->drawItemText(&painter, room, QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                          isEnabled(), shown, foregroundRole());
}

}  // namespace dravik::ui
