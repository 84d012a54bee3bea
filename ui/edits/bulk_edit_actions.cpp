#include "ui/edits/bulk_edit_actions.h"

#include "ui/common/menu_item.h"
#include "ui/edits/find_bar.h"
#include "ui/edits/find_replace.h"
#include "ui/tables/grid_view.h"
#include "ui/edits/set_selection.h"
#include "ui/tables/table_clipboard.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>

namespace dravik::ui {

namespace {

// A text box outside the tables that has the focus: Edit > Copy and Paste
// chosen from the menu act on its text.
template <typename Box>
Box* FocusedTextBox()
{
    QWidget* focus = QApplication::focusWidget();
    auto* box = qobject_cast<Box*>(focus);
    for (QWidget* up = focus; box && up; up = up->parentWidget())
        if (qobject_cast<GridView*>(up))
            return nullptr;
    return box;
}

}  // namespace

BulkEditActions::BulkEditActions(const CommandHost& host, QMainWindow* window, QMenu* editMenu)
    : QObject(window), host_(host)
{
    editMenu->addSeparator();
    copy = AddNamedItem(editMenu, "CopyCells", tr("&Copy"), {QKeySequence(Qt::CTRL | Qt::Key_C)});
    paste = AddNamedItem(editMenu, "PasteCells", tr("&Paste"), {QKeySequence(Qt::CTRL | Qt::Key_V)});
    editMenu->addSeparator();
    find = AddNamedItem(editMenu, "Find", tr("&Find\u2026"), {QKeySequence(Qt::CTRL | Qt::Key_F)});
    findNext = AddNamedItem(editMenu, "FindNext", tr("Find &next"), {QKeySequence(Qt::Key_F3)});
    findPrevious = AddNamedItem(editMenu, "FindPrevious", tr("Find pre&vious"), {QKeySequence(Qt::SHIFT | Qt::Key_F3)});
    replace = AddNamedItem(editMenu, "Replace", tr("R&eplace\u2026"), {QKeySequence(Qt::CTRL | Qt::Key_H)});
    editMenu->addSeparator();
    setSelection = AddNamedItem(editMenu, "SetSelection", tr("Set &selection\u2026"),
                        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E)});

    findBar_ = new FindBar;
    findPanel_ = new QDockWidget(tr("Find and replace"), window);
    findPanel_->setObjectName(QStringLiteral("FindPanel"));
    findPanel_->setAllowedAreas(Qt::TopDockWidgetArea | Qt::BottomDockWidgetArea);
    findPanel_->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    findPanel_->setWidget(findBar_);
    window->addDockWidget(Qt::BottomDockWidgetArea, findPanel_);
    findPanel_->hide();
    findReplace_ = new FindReplace(host_, findBar_, this);

    connect(copy, &QAction::triggered, this, [this] {
        if (auto* memo = FocusedTextBox<QPlainTextEdit>())
            memo->copy();
        else if (auto* line = FocusedTextBox<QLineEdit>())
            line->copy();
        else if (GridView* view = copiedTable())
            CopyCells(host_, view);
    });
    connect(paste, &QAction::triggered, this, [this] {
        if (auto* memo = FocusedTextBox<QPlainTextEdit>())
            memo->paste();
        else if (auto* line = FocusedTextBox<QLineEdit>())
            line->paste();
        else if (GridView* view = host_.currentTable())
            PasteCells(host_, view);
    });
    connect(find, &QAction::triggered, this, [this] { openFind(false); });
    connect(replace, &QAction::triggered, this, [this] { openFind(true); });
    connect(findNext, &QAction::triggered, this, [this] {
        findPanel_->show();
        findReplace_->findNext();
    });
    connect(findPrevious, &QAction::triggered, this, [this] {
        findPanel_->show();
        findReplace_->findPrevious();
    });
    connect(findBar_, &FindBar::closeRequested, findPanel_, &QDockWidget::hide);
    connect(setSelection, &QAction::triggered, this, [this] { SetSelection(host_); });
}

void BulkEditActions::openFind(bool replace)
{
    findReplace_->opened();
    findPanel_->show();
    findBar_->showReplace(replace);
}

GridView* BulkEditActions::copiedTable() const
{
    if (GridView* view = host_.currentTable())
        return view;
    GridView* summary = host_.table(kSummaryGrid);
    return summary->isVisibleTo(host_.window) ? summary : nullptr;
}

}  // namespace dravik::ui
