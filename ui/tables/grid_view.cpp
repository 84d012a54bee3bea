#include "ui/tables/grid_view.h"

#include "core/files/folder_listing.h"
#include "core/files/native_path.h"
#include "ui/tables/cell_editor_keys.h"
#include "ui/common/display_text.h"
#include "ui/common/menu_shortcuts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>
#include <QStylePainter>
#include <algorithm>
#include <limits>
#include <utility>

namespace dravik::ui {

namespace {

const QColor kCream(255, 251, 240);
const QChar kEllipsis(0x2026);
constexpr qsizetype kLongestShownText = 2000;

// The file name stays whole and the folder gives up its middle; a name too
// long even for that keeps its end.
QString ElidePath(const QString& path, const QFontMetrics& metrics, int width)
{
    if (metrics.horizontalAdvance(path) <= width)
        return path;
    const qsizetype slash = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    if (slash > 0) {
        const QString name = path.mid(slash);
        const int room = width - metrics.horizontalAdvance(name);
        if (room >= 2 * metrics.horizontalAdvance(kEllipsis)) {
            const QString shown = metrics.elidedText(path.left(slash), Qt::ElideMiddle, room) + name;
            if (metrics.horizontalAdvance(shown) <= width)
                return shown;
        }
    }
    return metrics.elidedText(path, Qt::ElideLeft, width);
}

// The marks stay clear of the text: a bar narrower than the text's margin,
// a corner smaller than a letter.
void PaintMarks(QPainter* painter, const QRect& cell, const QModelIndex& index)
{
    constexpr int kBarWidth = 3;
    constexpr int kCornerSize = 7;
    const QColor edge = index.data(kEdgeMarkRole).value<QColor>();
    if (edge.isValid())
        painter->fillRect(QRect(cell.left(), cell.top(), kBarWidth, cell.height()), edge);
    const QColor corner = index.data(kCornerMarkRole).value<QColor>();
    if (corner.isValid()) {
        const QPoint right = cell.topRight();
        const QPoint triangle[] = {right, right - QPoint(kCornerSize, 0), right + QPoint(0, kCornerSize)};
        painter->save();
        painter->setPen(Qt::NoPen);
        painter->setBrush(corner);
        painter->drawPolygon(triangle, 3);
        painter->restore();
    }
    const QColor check = index.data(kCheckMarkRole).value<QColor>();
    if (check.isValid()) {
        const QPoint right = cell.bottomRight();
        const QPoint triangle[] = {right, right - QPoint(kCornerSize, 0), right - QPoint(0, kCornerSize)};
        painter->save();
        painter->setPen(Qt::NoPen);
        painter->setBrush(check);
        painter->drawPolygon(triangle, 3);
        painter->restore();
    }
}

class CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(GridView* view) : QStyledItemDelegate(view), view_(view) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = nullptr;
        if (isPath(index)) {
            // The default editor widens with its text over the value columns
            // beside it; a path scrolls inside its own column instead.
            auto* line = new QLineEdit(parent);
            line->setFrame(line->style()->styleHint(QStyle::SH_ItemView_DrawDelegateFrame, nullptr, line));
            line->setReadOnly(view_->gridModel()->isReadOnly(GridModel::gridCol(index)));
            editor = line;
        } else {
            editor = QStyledItemDelegate::createEditor(parent, option, index);
        }
        // A line edit keeps 32,767 characters by default: a longer value
        // (a modder's description) would come back cut short from any
        // command that takes the open editor's text.
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->setMaxLength(std::numeric_limits<int>::max());
        MenuShortcutsFirst::Install(editor);
        // The view tells from the editor's focus loss where its focus comes from.
        editor->installEventFilter(view_);
        CellEditorKeys::Install(editor, view_, view_->kind() == GridView::Kind::Working);
        return editor;
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem cell = option;
        prepare(cell, index);
        const QWidget* widget = cell.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
        PaintMarks(painter, option.rect, index);
    }

    QString shownText(QStyleOptionViewItem cell, const QModelIndex& index) const
    {
        prepare(cell, index);
        return cell.text;
    }

    // A section table's path is as wide as the part of it shown.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (!isSectionPath(index))
            return QStyledItemDelegate::sizeHint(option, index);
        QStyleOptionViewItem cell = option;
        initStyleOption(&cell, index);
        cell.text = pathBelowRoot(index, cell.text);
        const QWidget* widget = cell.widget;
        const QStyle* style = widget ? widget->style() : QApplication::style();
        return style->sizeFromContents(QStyle::CT_ItemViewItem, &cell, QSize(), widget);
    }

private:
    bool isPath(const QModelIndex& index) const { return view_->gridModel()->isPathColumn(GridModel::gridCol(index)); }
    bool isSectionPath(const QModelIndex& index) const
    {
        return isPath(index) && IsSectionTable(view_->gridModel()->gridNumber());
    }

    // A section table's path below the folder the files were opened from:
    // that folder is every row's, the part below it tells the rows apart.
    // The cell's text stays the full path (it is what copying and the
    // export take); only its display is shortened, and its tip gives it whole.
    QString pathBelowRoot(const QModelIndex& index, const QString& full) const
    {
        const DescDocument& document = view_->gridModel()->document();
        const std::string root = PathText(document.openedRoot());
        const std::string path(view_->gridModel()->grid().cell(kSectionPathColumn, GridModel::gridRow(index)));
        const std::string below = RelativeToRoot(root, path);
        return below.size() == path.size() ? full : CellText(below, document.codePage());
    }

    // The option a cell is painted with, its text fitted to the cell.
    void prepare(QStyleOptionViewItem& cell, const QModelIndex& index) const
    {
        initStyleOption(&cell, index);
        if (!isPath(index)) {
            // No cell shows more than a screenful; laying out a description
            // of a megabyte at every paint would stall the window.
            if (cell.text.size() > kLongestShownText)
                cell.text.truncate(kLongestShownText);
            return;
        }
        const QWidget* widget = cell.widget;
        const QStyle* style = widget ? widget->style() : QApplication::style();
        // The style draws the text this far inside its rectangle.
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
        const int room = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, widget).width() - 2 * margin;
        if (isSectionPath(index))
            cell.text = pathBelowRoot(index, cell.text);
        cell.text = ElidePath(cell.text, cell.fontMetrics, room);
        // Should the style still find it too long, it keeps the file name.
        cell.textElideMode = Qt::ElideLeft;
    }

    GridView* view_;
};

}  // namespace

GridView::GridView(GridModel* model, GridLayout* layout, Kind kind, QWidget* parent)
    : QTableView(parent), model_(model), layout_(layout), kind_(kind)
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
        // worked through with Tab and the arrow keys; a rectangle of cells
        // can be selected around it for the bulk edits.
        setEditTriggers(QAbstractItemView::AllEditTriggers);
        setSelectionMode(QAbstractItemView::ContiguousSelection);
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
    // Columns that come or go: the layout forgets the ones gone, and gives
    // the new ones their widths.
    for (auto columnsChanged : {&QAbstractItemModel::columnsInserted, &QAbstractItemModel::columnsRemoved})
        connect(model, columnsChanged, this, [this] {
            layout_->fitToColumns(model_->grid().colCount());
            layoutShown_ = false;
            applyLayout();
        });
    for (auto rowsChanged : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(model, rowsChanged, this, &GridView::fitFixedColumn);
    connect(model, &QAbstractItemModel::headerDataChanged, this, [this](Qt::Orientation orientation) {
        if (orientation == Qt::Vertical)
            fitFixedColumn();
    });
    connect(model, &GridModel::cornerChanged, this, [this] {
        fitFixedColumn();
        if (corner_)
            corner_->update();
    });

    corner_ = findChild<QAbstractButton*>();
    if (corner_)
        corner_->installEventFilter(this);
    fitFixedColumn();
    applyLayout();
}

QString GridView::shownText(const QModelIndex& index) const
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    return static_cast<const CellDelegate*>(itemDelegate())->shownText(option, index);
}

void GridView::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        byteWidthsKnown_ = false;
        fitFixedColumn();
    }
}

void GridView::measureBytes()
{
    if (byteWidthsKnown_)
        return;
    const QFontMetrics metrics = verticalHeader()->fontMetrics();
    const CodePage& codePage = model_->document().codePage();
    for (int b = 0; b < 256; ++b)
        byteWidths_[static_cast<size_t>(b)] =
            metrics.horizontalAdvance(QChar(static_cast<char16_t>(codePage.toUnicode(static_cast<unsigned char>(b)))));
    byteWidthsKnown_ = true;
}

GridView::WidestCell GridView::widestCell(int gridCol, int firstRow)
{
    measureBytes();
    const Grid& grid = model_->grid();
    WidestCell widest;
    for (int r = firstRow; r < grid.rowCount(); ++r) {
        int width = 0;
        for (const char byte : grid.cell(gridCol, r))
            width += byteWidths_[static_cast<unsigned char>(byte)];
        if (width > widest.width)
            widest = {r, width};
    }
    return widest;
}

int GridView::widestText(int gridCol)
{
    const int widestRow = widestCell(gridCol, 1).row;
    if (widestRow < 0)
        return 0;
    // The delegate knows the style's margins around the text; one more
    // pixel for the grid line.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    return itemDelegate()->sizeHint(option, model_->index(widestRow - 1, gridCol - 1)).width() + (showGrid() ? 1 : 0);
}

void GridView::widenToTexts(int limit)
{
    const GridNumber grid = model_->gridNumber();
    const int columns = model_->grid().colCount();
    // Every column of the file list and the text section; of the other
    // tables, whose values are short words, only the path.
    const int last = grid == kFileListGrid || grid == kTextSectionTable ? columns - 1 : kSectionPathColumn;
    for (int c = 1; c <= last && c < columns; ++c) {
        const int wanted = std::min(widestText(c), limit);
        if (wanted > layout_->width(c))
            layout_->setWidth(c, wanted);
    }
}

void GridView::fitFixedColumn()
{
    const QHeaderView* header = verticalHeader();
    const QFontMetrics metrics = header->fontMetrics();
    const CodePage& codePage = model_->document().codePage();
    // Row 0's text is the corner's, which takes the fixed column's width.
    const Grid& grid = model_->grid();
    const auto [widestRow, widest] = widestCell(0, 0);
    int needed = 0;
    if (widestRow >= 0) {
        // The header's margins come from the style, measured on the widest
        // text; kerning may make the text a little narrower than its letters.
        QStyleOptionHeader option;
        option.initFrom(header);
        option.orientation = Qt::Vertical;
        option.text = CellText(grid.cell(kRowNumberColumn, widestRow), codePage);
        const int text = metrics.horizontalAdvance(option.text);
        needed = header->style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), header).width() +
                 std::max(widest - text, 0);
    }
    if (needed == fixedTextWidth_)
        return;
    fixedTextWidth_ = needed;
    applyFixedColumnWidth();
}

void GridView::applyFixedColumnWidth()
{
    QHeaderView* header = verticalHeader();
    const int width = std::max(layout_->width(0), fixedTextWidth_);
    if (header->minimumWidth() != width || header->maximumWidth() != width)
        header->setFixedWidth(width);
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

QItemSelectionModel::SelectionFlags GridView::selectionCommand(const QModelIndex& index, const QEvent* event) const
{
    // The program moving the current cell (to a match, to a pasted block)
    // selects that cell alone, and a later Shift+click extends from it,
    // whatever keys the user holds meanwhile (Shift+F3).
    if (!event)
        return QItemSelectionModel::ClearAndSelect;
    return QTableView::selectionCommand(index, event);
}

bool GridView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    if (mouseSelecting_ && trigger == QAbstractItemView::CurrentChanged)
        return false;
    return QTableView::edit(index, trigger, event);
}

void GridView::mousePressEvent(QMouseEvent* event)
{
    mouseSelecting_ = kind_ == Kind::Working && event->button() == Qt::LeftButton;
    QTableView::mousePressEvent(event);
}

void GridView::mouseReleaseEvent(QMouseEvent* event)
{
    QTableView::mouseReleaseEvent(event);
    // The editor opens on the cell the press or the drag ended on.
    if (std::exchange(mouseSelecting_, false) && state() != QAbstractItemView::EditingState && currentIndex().isValid())
        edit(currentIndex());
}

void GridView::keyPressEvent(QKeyEvent* event)
{
    // A press whose release went elsewhere (a question asked meanwhile)
    // leaves no editor waiting for it.
    mouseSelecting_ = false;
    QTableView::keyPressEvent(event);
}

bool GridView::focusNextPrevChild(bool next)
{
    // The focused editor hidden with its row (a filter applied, by a click on
    // a histogram bar, say) hands its focus on, which the base class does as
    // Tab: the current cell would jump to the next shown row's path, and the
    // column summary with it. The focus stays with the table instead.
    const QModelIndex current = currentIndex();
    if (current.isValid() && isRowHidden(current.row())) {
        setFocus();
        return true;
    }
    return QTableView::focusNextPrevChild(next);
}

void GridView::applyLayout()
{
    const GridLayout& layout = *layout_;
    if (!layoutShown_ || layout.rowHeight() != shownLayout_.rowHeight()) {
        verticalHeader()->setDefaultSectionSize(layout.rowHeight());
        horizontalHeader()->setFixedHeight(layout.rowHeight());
    }
    applyFixedColumnWidth();

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
    mouseSelecting_ = false;
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
