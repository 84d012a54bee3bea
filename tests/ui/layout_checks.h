// What a user relies on in a window laid out control by control: each
// control whole inside its parent, none covering another, and every caption
// readable to its end.
#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QList>
#include <QRect>
#include <QString>
#include <QWidget>

// The controls' place in their window, whatever panel holds them.
inline QRect PlaceInWindow(const QWidget* control)
{
    return QRect(control->mapTo(control->window(), QPoint(0, 0)), control->size());
}

// What breaks the layout of the controls; empty when nothing does.
inline QString LayoutProblem(const QList<QWidget*>& controls)
{
    for (const QWidget* control : controls) {
        const QString name = control->objectName();
        if (!control->parentWidget()->rect().contains(control->geometry()))
            return name + QStringLiteral(" reaches out of ") + control->parentWidget()->objectName();
        for (const QWidget* other : controls)
            if (other != control && PlaceInWindow(other).intersects(PlaceInWindow(control)))
                return name + QStringLiteral(" and ") + other->objectName() + QStringLiteral(" overlap");
        QString caption;
        if (const auto* button = qobject_cast<const QAbstractButton*>(control))
            caption = button->text();
        else if (const auto* label = qobject_cast<const QLabel*>(control); label && !label->wordWrap())
            caption = label->text();
        if (control->fontMetrics().horizontalAdvance(caption) > control->contentsRect().width())
            return name + QStringLiteral(" cuts its caption \"") + caption + QStringLiteral("\"");
    }
    return {};
}
