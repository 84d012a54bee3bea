#include "ui/grid_view.h"

#include "ui/menu_shortcuts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QPaintEvent>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>
#include <QStylePainter>
#include <utility>

namespace dravik::ui {

namespace {

const QColor kCream(255, 251, 240);

class CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(GridView* view) : QStyledItemDelegate(view), view_(view) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        MenuShortcutsFirst::Install(editor);
        // The view tells from the editor's focus loss where its focus comes from.
        editor->installEventFilter(view_);
        return editor;
    }

private:
    GridView* view_;
};

}  // namespace

GridView::GridView(GridModel* model, GridLayout* layout, Kind kind, QWidget* parent)
    : QTableView(parent), model_(model), layout_(layout)
{
    setModel(model);
    setItemDelegate(new CellDelegate(this));
    setWordWrap(false);
    setCornerButtonEnabled(false);

    for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
        header->setMinimumSectionSize(1);
        header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        header->setSectionResizeMode(QHeaderView::Interactive);
        header->setSectionsMovable(kind == Kind::Working);
        header->setHighlightSections(false);
    }
    horizontalHeader()->setStretchLastSection(false);

    if (kind == Kind::Working) {
        // The cell editor stays open on the focused cell, as the tables are
        // worked through with Tab and the arrow keys.
        setEditTriggers(QAbstractItemView::AllEditTriggers);
        setSelectionMode(QAbstractItemView::SingleSelection);
        QPalette cells = palette();
        cells.setColor(QPalette::Base, kCream);
        setPalette(cells);
    } else {
        // A double-click belongs to the clear question, not to the editor.
        setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed |
                        QAbstractItemView::SelectedClicked);
        setSelectionMode(QAbstractItemView::ContiguousSelection);
    }
    setSelectionBehavior(QAbstractItemView::SelectItems);

    // The user's own resizing becomes the layout's width, like any other;
    // it is no edit of the table.
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
        if (!applyingSizes_) {
            layout_->setWidth(logical + 1, size);
            shownLayout_.setWidth(logical + 1, size);
        }
    });
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        layout_->fitToColumns(model_->grid().colCount());
        layoutShown_ = false;
        applyLayout();
    });
    connect(model, &GridModel::cornerChanged, this, [this] {
        if (corner_)
            corner_->update();
    });

    corner_ = findChild<QAbstractButton*>();
    if (corner_)
        corner_->installEventFilter(this);
    applyLayout();
}

void GridView::commitEdit()
{
    if (state() == QAbstractItemView::EditingState)
        if (QWidget* editor = indexWidget(currentIndex()))
            commitData(editor);
}

void GridView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles)
{
    QTableView::dataChanged(topLeft, bottomRight, roles);
    // The editor stays open on the focused cell: an undo or a bulk change
    // under it shows in it at once (the base class does so for one cell).
    const QModelIndex current = currentIndex();
    if (topLeft == bottomRight || state() != QAbstractItemView::EditingState || !current.isValid())
        return;
    // Colours alone leave the text being typed alone.
    if (!roles.isEmpty() && !roles.contains(Qt::DisplayRole) && !roles.contains(Qt::EditRole))
        return;
    if (current.row() < topLeft.row() || current.row() > bottomRight.row() || current.column() < topLeft.column() ||
        current.column() > bottomRight.column())
        return;
    if (QWidget* editor = indexWidget(current))
        itemDelegateForIndex(current)->setEditorData(editor, current);
}

void GridView::applyLayout()
{
    const GridLayout& layout = *layout_;
    if (!layoutShown_ || layout.rowHeight() != shownLayout_.rowHeight()) {
        verticalHeader()->setDefaultSectionSize(layout.rowHeight());
        horizontalHeader()->setFixedHeight(layout.rowHeight());
    }
    if (!layoutShown_ || layout.width(0) != shownLayout_.width(0))
        verticalHeader()->setFixedWidth(layout.width(0));

    // Most commands leave the widths alone; when they do change, the header
    // is repainted once for all its sections.
    if (layoutShown_ && layout == shownLayout_)
        return;
    QHeaderView* header = horizontalHeader();
    applyingSizes_ = true;
    header->setUpdatesEnabled(false);
    for (int c = 1; c < model_->grid().colCount(); ++c)
        if (!layoutShown_ || layout.width(c) != shownLayout_.width(c))
            header->resizeSection(c - 1, layout.width(c));
    header->setUpdatesEnabled(true);
    applyingSizes_ = false;
    shownLayout_ = layout;
    layoutShown_ = true;
}

// The tables are worked through with the editor open on the focused cell, so
// focus goes from the view to a new editor and back at every cell. The base
// class repaints the whole view each time, for a focus frame the editor
// covers anyway; only the current cell needs painting.
void GridView::focusOutEvent(QFocusEvent* event)
{
    QWidget* now = QApplication::focusWidget();
    if (now && viewport()->isAncestorOf(now)) {
        update(currentIndex());
        return;
    }
    QTableView::focusOutEvent(event);
}

void GridView::focusInEvent(QFocusEvent* event)
{
    const bool fromEditor = std::exchange(focusFromEditor_, false);
    const QModelIndex current = currentIndex();
    if (fromEditor && current.isValid()) {
        setAttribute(Qt::WA_InputMethodEnabled, current.flags().testFlag(Qt::ItemIsEditable));
        update(current);
        return;
    }
    QTableView::focusInEvent(event);
}

// A cell editor shown, hidden or resized asks the viewport for a new layout,
// which the base class hands on to the scroll area: it lays out and repaints
// both scroll bars and the headers, at every cell. Nothing there depends on
// the editors.
bool GridView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::LayoutRequest)
        return false;
    return QTableView::viewportEvent(event);
}

bool GridView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == corner_ && event->type() == QEvent::Paint) {
        paintCorner(corner_);
        return true;
    }
    // A cell editor loses focus before the view gains it.
    if (event->type() == QEvent::FocusOut && watched != corner_ && watched->parent() == viewport())
        focusFromEditor_ = QApplication::focusWidget() == this;
    return QTableView::eventFilter(watched, event);
}

void GridView::paintCorner(QWidget* corner)
{
    QStyleOptionHeader option;
    option.initFrom(corner);
    option.rect = corner->rect();
    // Painted as a header, not as the disabled button it is.
    option.state |= QStyle::State_Enabled;
    option.palette = palette();
    option.palette.setCurrentColorGroup(QPalette::Active);
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.text = model_->cornerText();
    option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    QStylePainter painter(corner);
    painter.drawControl(QStyle::CE_Header, option);
}

}  // namespace dravik::ui
