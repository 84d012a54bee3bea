#include "ui/grid_view.h"

#include "ui/menu_shortcuts.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QPaintEvent>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>
#include <QStylePainter>

namespace dravik::ui {

namespace {

const QColor kCream(255, 251, 240);

class CellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        MenuShortcutsFirst::Install(editor);
        return editor;
    }
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
    connect(model, &QAbstractItemModel::modelReset, this, &GridView::applySizes);

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
    applyingSizes_ = true;
    const int rowHeight = grid.defaultRowHeight();
    verticalHeader()->setDefaultSectionSize(rowHeight);
    horizontalHeader()->setFixedHeight(rowHeight);
    verticalHeader()->setFixedWidth(grid.colWidth(0));
    for (int c = 1; c < grid.colCount(); ++c)
        horizontalHeader()->resizeSection(c - 1, grid.colWidth(c));
    applyingSizes_ = false;
}

bool GridView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == corner_ && event->type() == QEvent::Paint) {
        paintCorner(corner_);
        return true;
    }
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
