#include "ui/modset/mod_set_dialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace dravik::ui {

namespace {
constexpr int kPatchRole = Qt::UserRole;
constexpr int kPathRole = Qt::UserRole + 1;
}  // namespace

ModSetDialog::ModSetDialog(QWidget* parent, const ModSetChoice& initial, Dialogs& dialogs)
    : QDialog(parent), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("ModSetDialog"));
    setWindowTitle(tr("New mod set"));
    auto* layout = new QGridLayout(this);

    layout->addWidget(new QLabel(tr("Original game folder:"), this), 0, 0);
    base_ = new QLineEdit(QDir::toNativeSeparators(initial.base), this);
    base_->setObjectName(QStringLiteral("base"));
    layout->addWidget(base_, 0, 1);
    auto* browse = new QPushButton(tr("&Browse\u2026"), this);
    browse->setObjectName(QStringLiteral("browseBase"));
    layout->addWidget(browse, 0, 2);

    layout->addWidget(new QLabel(tr("Mods, in their order (the last wins):"), this), 1, 0, 1, 3);
    mods_ = new QListWidget(this);
    mods_->setObjectName(QStringLiteral("mods"));
    mods_->setDragDropMode(QAbstractItemView::InternalMove);
    mods_->setDefaultDropAction(Qt::MoveAction);
    mods_->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(mods_, 2, 0, 1, 2);

    auto* buttons = new QVBoxLayout;
    auto button = [&](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        buttons->addWidget(b);
        return b;
    };
    QPushButton* addFolder = button("addFolder", tr("Add mod &folder\u2026"));
    QPushButton* addPatch = button("addPatch", tr("Add &patch\u2026"));
    remove_ = button("remove", tr("&Remove"));
    up_ = button("up", tr("&Up"));
    down_ = button("down", tr("&Down"));
    buttons->addStretch();
    layout->addLayout(buttons, 2, 2);

    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = box->button(QDialogButtonBox::Ok);
    ok_->setText(tr("&Open"));
    box->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
    layout->addWidget(box, 3, 0, 1, 3);

    for (const ModSetMod& mod : initial.mods)
        addMod(mod);

    connect(browse, &QPushButton::clicked, this, &ModSetDialog::browseBase);
    connect(addFolder, &QPushButton::clicked, this, &ModSetDialog::addFolder);
    connect(addPatch, &QPushButton::clicked, this, &ModSetDialog::addPatch);
    connect(remove_, &QPushButton::clicked, this, &ModSetDialog::remove);
    connect(up_, &QPushButton::clicked, this, [this] { move(-1); });
    connect(down_, &QPushButton::clicked, this, [this] { move(1); });
    connect(base_, &QLineEdit::textChanged, this, &ModSetDialog::showState);
    connect(mods_, &QListWidget::currentRowChanged, this, &ModSetDialog::showState);
    connect(mods_->model(), &QAbstractItemModel::rowsMoved, this, &ModSetDialog::showState);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showState();
}

std::optional<ModSetChoice> ModSetDialog::choose()
{
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return choice();
}

ModSetChoice ModSetDialog::choice() const
{
    ModSetChoice chosen;
    chosen.base = QDir::fromNativeSeparators(base_->text().trimmed());
    for (int i = 0; i < mods_->count(); ++i) {
        const QListWidgetItem* item = mods_->item(i);
        chosen.mods.append({item->data(kPatchRole).toBool(), item->data(kPathRole).toString()});
    }
    return chosen;
}

void ModSetDialog::addMod(const ModSetMod& mod)
{
    const QString shown = QDir::toNativeSeparators(mod.path);
    auto* item = new QListWidgetItem(mod.patch ? tr("%1 (patch)").arg(shown) : shown, mods_);
    item->setData(kPatchRole, mod.patch);
    item->setData(kPathRole, QDir::fromNativeSeparators(mod.path));
    mods_->setCurrentItem(item);
    showState();
}

void ModSetDialog::browseBase()
{
    if (const std::optional<QString> folder = dialogs_.chooseBaseFolder(this, tr("Original game folder")))
        base_->setText(QDir::toNativeSeparators(*folder));
}

void ModSetDialog::addFolder()
{
    if (const std::optional<QString> folder = dialogs_.chooseBaseFolder(this, tr("Mod folder")))
        addMod({false, *folder});
}

void ModSetDialog::addPatch()
{
    FileDialogRequest request;
    request.title = tr("Patch files");
    request.filter = tr("patch files (*.txt)|*.txt|all files (*.*)|*.*");
    for (const QString& path : dialogs_.openFiles(this, request))
        addMod({true, path});
}

void ModSetDialog::remove()
{
    delete mods_->takeItem(mods_->currentRow());
    showState();
}

void ModSetDialog::move(int by)
{
    const int from = mods_->currentRow();
    const int to = from + by;
    if (from < 0 || to < 0 || to >= mods_->count())
        return;
    QListWidgetItem* item = mods_->takeItem(from);
    mods_->insertItem(to, item);
    mods_->setCurrentRow(to);
}

void ModSetDialog::showState()
{
    const int row = mods_->currentRow();
    remove_->setEnabled(row >= 0);
    up_->setEnabled(row > 0);
    down_->setEnabled(row >= 0 && row + 1 < mods_->count());
    ok_->setEnabled(!base_->text().trimmed().isEmpty() && mods_->count() > 0);
}

}  // namespace dravik::ui
