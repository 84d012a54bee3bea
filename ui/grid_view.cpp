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

GridView::GridView(GridModel* model, Kind kind, QWidget* parent) : QTableView(parent), model_(model)
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

    // The user's own resizing becomes the grid's width, like any other.
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
        if (!applyingSizes_)
            model_->grid().setColWidth(logical + 1, size);
    });
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        shownWidths_.clear();
        shownRowHeight_ = -1;
        applySizes();
    });

    corner_ = findChild<QAbstractButton*>();
    if (corner_)
        corner_->installEventFilter(this);
    applySizes();
}

void GridView::commitEdit()
{
    if (state() == QAbstractItemView::EditingState)
        if (QWidget* editor = indexWidget(currentIndex()))
            commitData(editor);
}

void GridView::showGrid()
{
    if (state() == QAbstractItemView::EditingState)
        if (QWidget* editor = indexWidget(currentIndex()))
            closeEditor(editor, QAbstractItemDelegate::NoHint);
    model_->refresh();
    applySizes();
    if (corner_)
        corner_->update();
    viewport()->update();
}

void GridView::applySizes()
{
    const Grid& grid = model_->grid();
    const int rowHeight = grid.defaultRowHeight();
    if (rowHeight != shownRowHeight_) {
        verticalHeader()->setDefaultSectionSize(rowHeight);
        horizontalHeader()->setFixedHeight(rowHeight);
        shownRowHeight_ = rowHeight;
    }
    verticalHeader()->setFixedWidth(grid.colWidth(0));

    // Every command shows every grid again, and the widths change only when
    // a load or the font fits them: most passes have nothing to do. When
    // they do, the header is repainted once for all its sections.
    const std::vector<int>& widths = grid.colWidths();
    if (widths == shownWidths_)
        return;
    QHeaderView* header = horizontalHeader();
    applyingSizes_ = true;
    header->setUpdatesEnabled(false);
    for (int c = 1; c < grid.colCount(); ++c)
        header->resizeSection(c - 1, grid.colWidth(c));
    header->setUpdatesEnabled(true);
    applyingSizes_ = false;
    shownWidths_ = widths;
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
