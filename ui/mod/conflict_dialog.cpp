#include "ui/mod/conflict_dialog.h"


#include <QAbstractTableModel>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace dravik::ui {

// The conflicts and what is chosen for each; thousands of rows stay light.
class ConflictModel : public QAbstractTableModel {
public:
    explicit ConflictModel(const QList<ConflictRequest::Conflict>& conflicts, QObject* parent)
        : QAbstractTableModel(parent), conflicts_(conflicts), takePatch_(conflicts.size(), false)
    {
    }

    const QList<bool>& choices() const { return takePatch_; }

    void choose(int row, bool takePatch)
    {
        takePatch_[row] = takePatch;
        emit dataChanged(index(row, ConflictDialog::kTakePatchColumn), index(row, ConflictDialog::kKeepMineColumn));
    }
    void chooseAll(bool takePatch)
    {
        takePatch_.fill(takePatch);
        if (!conflicts_.isEmpty())
            emit dataChanged(index(0, ConflictDialog::kTakePatchColumn),
                             index(rowCount() - 1, ConflictDialog::kKeepMineColumn));
    }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(conflicts_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 8; }

    QVariant data(const QModelIndex& index, int role) const override
    {
        const ConflictRequest::Conflict& conflict = conflicts_[index.row()];
        const bool taken = takePatch_[index.row()];
        if (role == Qt::CheckStateRole && index.column() >= ConflictDialog::kTakePatchColumn)
            return (index.column() == ConflictDialog::kTakePatchColumn) == taken ? Qt::Checked : Qt::Unchecked;
        if (role != Qt::DisplayRole)
            return {};
        switch (index.column()) {
        case 0: return conflict.file;
        case 1: return conflict.key;
        case 2: return conflict.value;
        case 3: return conflict.base;
        case 4: return conflict.mine;
        case 5: return conflict.patch;
        case ConflictDialog::kTakePatchColumn: return tr("Take the patch's");
        default: return tr("Keep mine");
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        static const char* const kHeaders[] = {"File", "Key", "Value", "Base", "This mod", "The patch", "", ""};
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        return tr(kHeaders[section]);
    }

private:
    QList<ConflictRequest::Conflict> conflicts_;
    QList<bool> takePatch_;
};

ConflictDialog::ConflictDialog(const ConflictRequest& request, QWidget* parent)
    : QDialog(parent), model_(new ConflictModel(request.conflicts, this)), table_(new QTableView)
{
    setObjectName(QStringLiteral("ConflictDialog"));
    setWindowTitle(request.title);
    resize(900, 480);
    auto* layout = new QVBoxLayout(this);
    auto* summary = new QLabel(request.summary);
    summary->setWordWrap(true);
    layout->addWidget(summary);

    table_->setObjectName(QStringLiteral("Conflicts"));
    table_->setModel(model_);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->resizeColumnsToContents();
    layout->addWidget(table_, 1);
    connect(table_, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (index.column() >= kTakePatchColumn)
            model_->choose(index.row(), index.column() == kTakePatchColumn);
    });

    auto* buttons = new QDialogButtonBox;
    QPushButton* takeAll = buttons->addButton(tr("Take the patch's for &all"), QDialogButtonBox::ActionRole);
    takeAll->setObjectName(QStringLiteral("TakeAllPatch"));
    QPushButton* keepAll = buttons->addButton(tr("&Keep mine for all"), QDialogButtonBox::ActionRole);
    keepAll->setObjectName(QStringLiteral("KeepAllMine"));
    QPushButton* apply = buttons->addButton(tr("&Apply"), QDialogButtonBox::AcceptRole);
    apply->setObjectName(QStringLiteral("ApplyChoices"));
    apply->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(takeAll, &QPushButton::clicked, this, [this] { model_->chooseAll(true); });
    connect(keepAll, &QPushButton::clicked, this, [this] { model_->chooseAll(false); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QList<bool> ConflictDialog::choices() const { return model_->choices(); }

}  // namespace dravik::ui
