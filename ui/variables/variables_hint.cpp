#include "ui/variables/variables_hint.h"

#include "core/document/grid_numbers.h"
#include "ui/tables/grid_view.h"

#include <QEvent>
#include <algorithm>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace dravik::ui {

namespace {

constexpr int kMargin = 12;
constexpr int kWidest = 560;

bool NamesAnyKey(const TextLines& variables)
{
    for (GridNumber n : SectionTables())
        if (!GetSectionLines(variables, SectionName(SectionOf(n))).empty())
            return true;
    return false;
}

bool HasKeyColumns(const Grid& table)
{
    for (int c = kFirstValueColumn; c < table.colCount(); ++c)
        if (!table.cell(c, 0).empty())
            return true;
    return false;
}

}  // namespace

VariablesHint::VariablesHint(DescDocument& document, const std::array<GridView*, kSectionCount>& tables,
                             QObject* parent)
    : QObject(parent), document_(document), tables_(tables)
{
    for (GridNumber n : SectionTables()) {
        QWidget* viewport = tables_[n.index()]->viewport();
        auto* frame = new QFrame(viewport);
        frame->setObjectName(QStringLiteral("VariablesHint"));
        frame->setFrameShape(QFrame::StyledPanel);
        frame->setAutoFillBackground(true);
        auto* text = new QLabel(tr("No variables file yet. It names the keys of each section and how many values "
                                   "each has; the tables show those values, a row for each file."));
        text->setWordWrap(true);
        auto* open = new QPushButton(tr("Open variables\u2026"));
        open->setObjectName(QStringLiteral("HintOpenVariables"));
        auto* draft = new QPushButton;
        draft->setObjectName(QStringLiteral("HintDraftVariables"));
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(open);
        buttons->addWidget(draft);
        buttons->addStretch(1);
        auto* layout = new QVBoxLayout(frame);
        layout->addWidget(text);
        layout->addLayout(buttons);
        connect(open, &QPushButton::clicked, this, &VariablesHint::openVariables);
        connect(draft, &QPushButton::clicked, this, &VariablesHint::draftVariables);
        panels_[n.index()] = {frame, draft};
        viewport->installEventFilter(this);
    }
    // A load sends thousands of notices; the hint is worked out once after.
    later_.setSingleShot(true);
    later_.setInterval(0);
    connect(&later_, &QTimer::timeout, this, &VariablesHint::update);
    connection_ = document_.connect(*this);
    update();
}

void VariablesHint::update()
{
    const bool noKeys = !NamesAnyKey(document_.variablesText());
    const bool filesOpen = document_.descFileCount() > 0;
    for (GridNumber n : SectionTables()) {
        const Panel& panel = panels_[n.index()];
        panel.draft->setText(filesOpen ? tr("Draft one from the open files\u2026")
                                       : tr("Draft one with the analyzer\u2026"));
        panel.draft->setToolTip(filesOpen ? tr("The analyzer lists the keys of the open files, with their counts; "
                                               "tick those to edit, add them, and copy them here")
                                          : tr("The analyzer lists the keys of the desc files it opens"));
        const bool shown = noKeys && !HasKeyColumns(document_.grid(n));
        if (shown)
            place(SectionOf(n));
        panel.frame->setVisible(shown);
    }
}

void VariablesHint::place(SectionNumber section)
{
    QWidget* frame = panels_[section.index()].frame;
    const QWidget* viewport = tables_[section.index()]->viewport();
    const int width = std::max(std::min(viewport->width() - 2 * kMargin, kWidest), frame->minimumSizeHint().width());
    frame->setGeometry(kMargin, kMargin, width, frame->heightForWidth(width) > 0 ? frame->heightForWidth(width)
                                                                                 : frame->sizeHint().height());
}

bool VariablesHint::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize)
        for (GridNumber n : SectionTables())
            if (tables_[n.index()]->viewport() == watched && !panels_[n.index()].frame->isHidden())
                place(SectionOf(n));
    return QObject::eventFilter(watched, event);
}

void VariablesHint::cellsChanged(GridNumber grid, int, int firstRow, int, int)
{
    // Only the headers tell whether a table has key columns.
    if (IsSectionTable(grid) && firstRow == 0)
        later_.start();
}

void VariablesHint::rowsInserted(GridNumber grid, int, int)
{
    if (grid == kFileListGrid)
        later_.start();
}

void VariablesHint::rowsRemoved(GridNumber grid, int, int)
{
    if (grid == kFileListGrid)
        later_.start();
}

}  // namespace dravik::ui
