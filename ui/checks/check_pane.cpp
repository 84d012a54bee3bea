#include "ui/checks/check_pane.h"

#include "core/checks/accept_step.h"
#include "core/checks/rule_learning.h"
#include "core/text/dravik2_auxillary.h"
#include "core/errors.h"
#include "core/files/folder_listing.h"
#include "core/mod/base_comparison.h"
#include "ui/common/display_text.h"
#include "ui/tables/grid_model.h"
#include "ui/tables/grid_view.h"

#include <QAction>
#include <QDockWidget>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <array>

namespace dravik::ui {

namespace {

enum Column { kFile, kKey, kValueNumber, kValue, kKind, kReason, kColumns };

// The value number of a table's column: its place in the run of columns
// under the same key.
int ValueNumber(const Grid& table, int col)
{
    int first = col;
    while (first > 1 && table.cell(first - 1, 0) == table.cell(col, 0))
        --first;
    return col - first + 1;
}

}  // namespace

CheckPane::CheckPane(const CommandHost& host, ColumnProfiles& profiles, QMainWindow* window, QMenu* viewMenu,
                     std::function<std::string()> variablesFile)
    : QObject(window), host_(host), variablesFile_(std::move(variablesFile)),
      marks_(host.table(GridNumber(1))->gridModel()->marks()), profiles_(profiles), connection_(host.document.connect(*this))
{
    auto* pane = new QWidget;
    table = new QTableWidget(0, kColumns, pane);
    table->setObjectName(QStringLiteral("ChecksTable"));
    table->setHorizontalHeaderLabels(
        {tr("File"), tr("Key"), tr("Value number"), tr("Value"), tr("Kind"), tr("Reason")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    table->setContextMenuPolicy(Qt::ActionsContextMenu);

    acceptValue = new QAction(tr("&Accept this value"), table);
    acceptValue->setObjectName(QStringLiteral("AcceptValue"));
    acceptValue->setToolTip(tr("This value of this file is meant as it is"));
    relaxGroup = new QAction(tr("Relax the &group's rule"), table);
    relaxGroup->setObjectName(QStringLiteral("RelaxGroup"));
    relaxGroup->setToolTip(tr("The rule of these files lets this value pass (a range widened to it, a word added)"));
    relaxColumn = new QAction(tr("Stop checking this &column"), table);
    relaxColumn->setObjectName(QStringLiteral("RelaxColumn"));
    table->addActions({acceptValue, relaxGroup, relaxColumn});

    auto button = [pane](QAction* action, const char* name) {
        auto* b = new QPushButton(action->text(), pane);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(action->toolTip());
        connect(b, &QPushButton::clicked, action, &QAction::trigger);
        return b;
    };
    acceptButton = button(acceptValue, "AcceptValueButton");
    relaxGroupButton = button(relaxGroup, "RelaxGroupButton");
    relaxColumnButton = button(relaxColumn, "RelaxColumnButton");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(acceptButton);
    buttons->addWidget(relaxGroupButton);
    buttons->addWidget(relaxColumnButton);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table);
    layout->addLayout(buttons);

    dock = new QDockWidget(tr("Checks"), window);
    dock->setObjectName(QStringLiteral("ChecksDock"));
    dock->setAllowedAreas(Qt::BottomDockWidgetArea | Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    dock->setWidget(pane);
    window->addDockWidget(Qt::BottomDockWidgetArea, dock);
    dock->hide();
    QAction* show = dock->toggleViewAction();
    show->setObjectName(QStringLiteral("ChecksPane"));
    show->setText(tr("&Checks"));
    viewMenu->addAction(show);

    status = new QLabel;
    status->setObjectName(QStringLiteral("ChecksStatus"));
    status->setContentsMargins(12, 0, 0, 0);  // apart from the base game's count before it
    window->statusBar()->addPermanentWidget(status);
    status->hide();

    for (GridNumber n : FileRowTables())
        host_.table(n)->gridModel()->setMarks(&marks_);

    connect(table, &QTableWidget::cellDoubleClicked, this, [this](int line, int) { goToCheck(line); });
    connect(table, &QTableWidget::itemSelectionChanged, this, &CheckPane::enableChoices);
    connect(acceptValue, &QAction::triggered, this, [this] { choose(Choice::Value); });
    connect(relaxGroup, &QAction::triggered, this, [this] { choose(Choice::Group); });
    connect(relaxColumn, &QAction::triggered, this, [this] { choose(Choice::Column); });
    later_.setSingleShot(true);
    later_.setInterval(0);
    connect(&later_, &QTimer::timeout, this, &CheckPane::showChecks);
    showChecks();
}

CheckPane::~CheckPane()
{
    // The tables stop asking the checks before they go.
    marks_.setChecks(nullptr, nullptr);
}

void CheckPane::setBase(const BaseComparison* base)
{
    marks_.setChecks(nullptr, nullptr);
    checks_.reset();
    if (base) {
        // Learned silently: no question, no progress. A base game the rules
        // cannot be learned from leaves the window without checks, as before;
        // the comparison itself has told of what it could not read.
        try {
            const CodePage& codePage = host_.document.codePage();
            const BaseGameRead read = ReadBaseGame(host_.document.variablesText(), base->folder(),
                                                   NamePattern(kEveryName, codePage), codePage);
            std::shared_ptr<const LearnedRules> rules = LearnRules(*read.document, base->folder(), read.files);
            checks_ = std::make_unique<CheckList>(host_.document, std::move(rules));
            checks_->setChanged([this] { showChecksLater(); });
            marks_.setChecks(checks_.get(), &host_.document.codePage());
        } catch (const std::exception&) {
            checks_.reset();
        }
    }
    // An accepted file that cannot be read is told of, and left as it is:
    // writing the choices made from now on over it would lose those in it.
    acceptedReadable_ = true;
    if (const std::string vars = variablesFile_(); checks_ && !vars.empty())
        acceptedReadable_ = host_.run([&] { checks_->setAccepted(ReadAcceptedFile(AcceptedFilePath(vars))); });
    showChecks();
    if (checks_ && checks_->size() > 0)
        dock->show();
}

void CheckPane::acceptedChanged()
{
    if (const std::string vars = variablesFile_(); !vars.empty())
        host_.run([&] { WriteAcceptedFile(AcceptedFilePath(vars), checks_->accepted()); });
    showChecks();
}

void CheckPane::choose(Choice choice)
{
    const Check* check = currentCheck();
    if (!check || !checks_ || !acceptedReadable_)
        return;
    AcceptedEntry entry;
    switch (choice) {
    case Choice::Value: entry = checks_->acceptValue(*check); break;
    case Choice::Group: entry = checks_->relaxGroup(*check); break;
    case Choice::Column: entry = checks_->relaxColumn(*check); break;
    }
    if (checks_->accepted().contains(entry))
        return;
    host_.history.perform(std::make_unique<AcceptStep>(
        std::move(entry), [this] { return checks_.get(); }, [this] { acceptedChanged(); }));
}

void CheckPane::enableChoices()
{
    const bool chosen = acceptedReadable_ && currentCheck() != nullptr;
    for (QAction* action : {acceptValue, relaxGroup, relaxColumn})
        action->setEnabled(chosen);
    for (QPushButton* b : {acceptButton, relaxGroupButton, relaxColumnButton})
        b->setEnabled(chosen);
}

const Check* CheckPane::currentCheck() const
{
    const int line = table->currentRow();
    if (line < 0 || static_cast<size_t>(line) >= shown_.size() || table->selectedItems().isEmpty())
        return nullptr;
    return &shown_[static_cast<size_t>(line)];
}

void CheckPane::goToCheck(int line)
{
    if (line < 0 || static_cast<size_t>(line) >= shown_.size() + problems_.size())
        return;
    const auto at = static_cast<size_t>(line);
    const ProblemCell* problem = at < shown_.size() ? nullptr : &problems_[at - shown_.size()];
    const GridNumber grid = problem ? problem->grid : shown_[at].grid;
    const int col = problem ? problem->col : shown_[at].col;
    const int row = problem ? problem->row : shown_[at].row;
    host_.showTable(grid);
    GridView* view = host_.table(grid);
    const QModelIndex cell = view->model()->index(row - 1, col - 1);
    view->setCurrentIndex(cell);
    view->scrollTo(cell);
    view->setFocus();
}

void CheckPane::showChecks()
{
    const int current = table->currentRow();
    shown_ = checks_ ? checks_->checks() : std::vector<Check>{};
    problems_ = FindProblemCells(host_.document, profiles_);
    const CodePage& codePage = host_.document.codePage();
    table->setRowCount(static_cast<int>(shown_.size() + problems_.size()));
    auto fill = [this](int line, const std::array<QString, kColumns>& texts) {
        for (int c = 0; c < kColumns; ++c)
            table->setItem(line, c, new QTableWidgetItem(texts[static_cast<size_t>(c)]));
    };
    int line = 0;
    for (const Check& check : shown_)
        fill(line++, {NativeText(checks_->fileName(check.row)), CellText(check.column.key, codePage),
                      QString::number(check.column.value), CellText(check.value, codePage),
                      tr("Base game"), CheckReasonText(check.reason, codePage)});
    for (const ProblemCell& cell : problems_) {
        const Grid& grid = host_.document.grid(cell.grid);
        const std::string_view key = Trim(grid.cell(cell.col, 0));
        const std::string_view value = grid.cell(cell.col, cell.row);
        const std::string file = checks_ ? checks_->fileName(cell.row)
                                         : std::string(host_.document.fileList().cell(kFilePathColumn, cell.row));
        fill(line++, {NativeText(file),
                      CellText(key, codePage), QString::number(ValueNumber(grid, cell.col)),
                      CellText(value, codePage), tr("Edited value"),
                      MessageText(ProblemReason(cell.problem, key, value))});
    }
    // The reason, last, takes the room the others leave.
    table->resizeColumnsToContents();
    if (current >= 0 && current < table->rowCount())
        table->selectRow(current);
    else
        table->clearSelection();
    enableChoices();
    status->setVisible(checks_ != nullptr);
    if (checks_)
        status->setText(tr("%n check", "%n checks", static_cast<int>(shown_.size())));
    repaintTables();
}

void CheckPane::repaintTables()
{
    for (GridNumber n : FileRowTables())
        host_.table(n)->gridModel()->marksChanged();
}

}  // namespace dravik::ui
