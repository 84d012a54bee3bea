#include "ui/modset/mods_pane.h"

#include "core/modset/mod_set.h"
#include "core/modset/mod_set_step.h"
#include "ui/common/display_text.h"
#include "ui/modset/mod_set_marks.h"
#include "ui/tables/grid_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace dravik::ui {

ModsPane::ModsPane(const CommandHost& host, const ModSetMarks& marks, QWidget* parent)
    : QDockWidget(tr("Mods"), parent), host_(host), marks_(marks)
{
    setObjectName(QStringLiteral("ModsPane"));
    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    story_ = new QLabel(content);
    story_->setObjectName(QStringLiteral("story"));
    story_->setTextFormat(Qt::PlainText);
    layout->addWidget(story_);
    auto* row = new QHBoxLayout;
    winner_ = new QComboBox(content);
    winner_->setObjectName(QStringLiteral("winner"));
    row->addWidget(winner_, 1);
    choose_ = new QPushButton(tr("&Take"), content);
    choose_->setObjectName(QStringLiteral("take"));
    row->addWidget(choose_);
    layout->addLayout(row);
    everyFile_ = new QCheckBox(tr("For this key in every file"), content);
    everyFile_->setObjectName(QStringLiteral("everyFile"));
    layout->addWidget(everyFile_);
    layout->addWidget(new QLabel(tr("Order (the last wins):"), content));
    order_ = new QListWidget(content);
    order_->setObjectName(QStringLiteral("order"));
    layout->addWidget(order_);
    auto* moves = new QHBoxLayout;
    up_ = new QPushButton(tr("&Up"), content);
    up_->setObjectName(QStringLiteral("up"));
    down_ = new QPushButton(tr("&Down"), content);
    down_->setObjectName(QStringLiteral("down"));
    moves->addWidget(up_);
    moves->addWidget(down_);
    layout->addLayout(moves);
    layout->addStretch();
    setWidget(content);

    connect(choose_, &QPushButton::clicked, this, &ModsPane::choose);
    connect(up_, &QPushButton::clicked, this, [this] { move(-1); });
    connect(down_, &QPushButton::clicked, this, [this] { move(1); });
    setModSet(nullptr);
    historyConnection_ = host_.history.connect(*this);
}

void ModsPane::historyChanged()
{
    // Later: the pane reads the tables once the step is over, and never
    // while the window takes its tables and history down.
    QMetaObject::invokeMethod(this, &ModsPane::refresh, Qt::QueuedConnection);
}

void ModsPane::setModSet(ModSet* set)
{
    set_ = set;
    // A value typed into the merged view is the user's choice for it, kept
    // by Save mod set and used by Build merged mod: as a plain edit of the
    // tables it would reach no file.
    host_.history.setTypingHandler(set_ ? EditHistory::TypingHandler([this](GridNumber grid, int col, int row,
                                                                           const std::string& text) {
        return typeValue(grid, col, row, text);
    })
                                        : EditHistory::TypingHandler());
    order_->clear();
    if (set_)
        for (int id : set_->order())
            order_->addItem(CellText(set_->mod(id).name, set_->codePage()));
    setVisible(set_ != nullptr);
    refresh();
}

void ModsPane::refresh()
{
    file_ = slot_ = -1;
    QStringList story;
    if (GridView* table = set_ ? host_.currentTable() : nullptr) {
        const QModelIndex current = table->currentIndex();
        if (const auto value = marks_.valueOf(table->gridModel()->gridNumber(), current.column() + 1, current.row() + 1)) {
            file_ = value->first;
            slot_ = value->second;
            try {
                story = ModSetMarks::Story(*set_, set_->detail(file_, slot_));
            } catch (const std::exception& error) {
                story << QString::fromLocal8Bit(error.what());
            }
        }
    }
    story_->setText(story.isEmpty() && file_ >= 0 ? tr("As the original game: no mod changes it") : story.join('\n'));
    winner_->clear();
    if (file_ >= 0) {
        winner_->addItem(tr("the original game"));
        for (int id : set_->order())
            winner_->addItem(CellText(set_->mod(id).name, set_->codePage()), id);
    }
    choose_->setEnabled(file_ >= 0);
    up_->setEnabled(set_ != nullptr);
    down_->setEnabled(set_ != nullptr);
}

void ModsPane::choose()
{
    if (!set_ || file_ < 0)
        return;
    const QVariant mod = winner_->currentData();
    chooseFor(file_, slot_, mod.isValid() ? std::optional(mod.toInt()) : std::nullopt, everyFile_->isChecked());
}

void ModsPane::chooseFor(int file, int slot, std::optional<int> mod, bool everyFile)
{
    host_.takeEdits();
    Choice choice;
    const MergeSchema& schema = set_->schema();
    const int key = schema.keyOfSlot(slot);
    choice.key = schema.keyName(key);
    if (!everyFile) {
        choice.file = set_->file(file).modPath;
        choice.value = schema.valueOfSlot(slot);
    }
    if (mod)
        choice.winner = {Winner::Kind::Mod, set_->mod(*mod).name};
    const std::string problem = set_->choiceProblem(choice);
    if (!problem.empty()) {
        host_.dialogs.errorBox(host_.window, tr("Mods"), CellText(problem, set_->codePage()));
        return;
    }
    record(everyFile ? EditStep::ChooseForKey : EditStep::ChooseValue,
           [&choice](ModSet& set) { return set.choose(choice); });
}

void ModsPane::showCellMenu(GridView* table, const QPoint& position)
{
    const QModelIndex index = table->indexAt(position);
    const auto value = set_ && index.isValid()
                           ? marks_.valueOf(table->gridModel()->gridNumber(), index.column() + 1, index.row() + 1)
                           : std::nullopt;
    if (!value || set_->mark(value->first, value->second).origin != Origin::Conflict)
        return;
    const auto [file, slot] = *value;
    // Only the mods that set the value, in the order: the others are no
    // answer to this conflict.
    std::vector<int> changing;
    for (int id : set_->order())
        if (set_->changes(id, file, slot))
            changing.push_back(id);
    QMenu menu(table);
    for (int id : changing)
        connect(menu.addAction(tr("Take %1").arg(CellText(set_->mod(id).name, set_->codePage()))), &QAction::triggered,
                this, [this, file, slot, id] { chooseFor(file, slot, id, false); });
    connect(menu.addAction(tr("Take the original game")), &QAction::triggered, this,
            [this, file, slot] { chooseFor(file, slot, std::nullopt, false); });
    menu.exec(table->viewport()->mapToGlobal(position));
}

bool ModsPane::typeValue(GridNumber grid, int col, int row, const std::string& text)
{
    const auto value = marks_.valueOf(grid, col, row);
    if (!set_ || !value)
        return false;
    // Committing the editor unchanged is no choice.
    if (host_.document.grid(grid).cell(col, row) == text && !host_.document.valueAbsent(grid, col, row))
        return true;
    const MergeSchema& schema = set_->schema();
    const int slot = value->second;
    Choice choice;
    choice.file = set_->file(value->first).modPath;
    choice.key = schema.keyName(schema.keyOfSlot(slot));
    choice.value = schema.valueOfSlot(slot);
    choice.winner = {Winner::Kind::Value, text};
    if (const std::string problem = set_->choiceProblem(choice); !problem.empty()) {
        host_.dialogs.errorBox(host_.window, tr("Mods"), CellText(problem, set_->codePage()));
        return true;
    }
    record(EditStep::Typing, [&choice](ModSet& set) { return set.choose(choice); });
    return true;
}

void ModsPane::move(int by)
{
    const int from = order_->currentRow();
    const int to = from + by;
    if (!set_ || from < 0 || to < 0 || to >= set_->modCount())
        return;
    host_.takeEdits();
    if (!record(EditStep::ReorderMods, [from, to](ModSet& set) { return set.moveMod(from, to); }))
        return;
    order_->insertItem(to, order_->takeItem(from));
    order_->setCurrentRow(to);
}

bool ModsPane::record(EditStep kind, const ModSetStep::Make& make)
{
    if (!host_.run([&] { host_.history.perform(std::make_unique<ModSetStep>(kind, *set_, host_.document, make)); }))
        return false;
    refresh();
    return true;
}

}  // namespace dravik::ui
