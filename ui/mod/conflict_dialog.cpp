#include "ui/mod/conflict_dialog.h"

#include <algorithm>
#include <iterator>

#include <QAbstractTableModel>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
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
        // A column narrowed to fit the screen shows its whole text here.
        if (role == Qt::ToolTipRole && index.column() < ConflictDialog::kTakePatchColumn && index.column() != 2)
            return data(index, Qt::DisplayRole);
        if (role != Qt::DisplayRole)
            return {};
        switch (index.column()) {
        case 0: return conflict.file;
        case 1: return conflict.key;
        case 2: return conflict.value;
        case 3: return conflict.base;
        case 4: return conflict.mine;
        case 5: return conflict.patch;
        case ConflictDialog::kTakePatchColumn: return ConflictDialog::tr("Take the patch's");
        default: return ConflictDialog::tr("Keep mine");
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        static const char* const kHeaders[] = {QT_TRANSLATE_NOOP("dravik::ui::ConflictDialog", "File"),
                                               QT_TRANSLATE_NOOP("dravik::ui::ConflictDialog", "Key"),
                                               QT_TRANSLATE_NOOP("dravik::ui::ConflictDialog", "Value"),
                                               QT_TRANSLATE_NOOP("dravik::ui::ConflictDialog", "Base"),
                                               QT_TRANSLATE_NOOP("dravik::ui::ConflictDialog", "This mod"),
                                               QT_TRANSLATE_NOOP("dravik::ui::ConflictDialog", "The patch"),
                                               "",
                                               ""};
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        return *kHeaders[section] ? ConflictDialog::tr(kHeaders[section]) : QString();
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
    auto* layout = new QVBoxLayout(this);
    auto* summary = new QLabel(request.summary);
    summary->setWordWrap(true);
    layout->addWidget(summary);

    table_->setObjectName(QStringLiteral("Conflicts"));
    table_->setModel(model_);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->setTextElideMode(Qt::ElideMiddle);
    table_->resizeColumnsToContents();
    layout->addWidget(table_, 1);
    connect(table_, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (index.column() >= kTakePatchColumn)
            model_->choose(index.row(), index.column() == kTakePatchColumn);
    });

    auto* buttons = new QDialogButtonBox;
    QPushButton* takeAll = buttons->addButton(tr("&Take the patch's for all"), QDialogButtonBox::ActionRole);
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
    fitToScreen(parent);
}

void ConflictDialog::fitToScreen(QWidget* parent)
{
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QRect room = screen->availableGeometry();
    // Room for the window's frame around the dialog.
    const int widest = room.width() * 9 / 10;
    const int tallest = room.height() * 8 / 10;

    // The style's frame and margins are the ones it will draw with.
    ensurePolished();
    table_->ensurePolished();
    const QMargins margins = layout()->contentsMargins();
    // A pixel or two of rounding to spare: the last column takes what is left.
    constexpr int kSpare = 4;
    const int chrome = margins.left() + margins.right() + 2 * table_->frameWidth() +
                       style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, table_) + kSpare;
    QHeaderView* header = table_->horizontalHeader();
    int needed = chrome;
    for (int c = 0; c < model_->columnCount(); ++c)
        needed += header->sectionSize(c);
    // Where the screen is too narrow for every column, the texts give up
    // width, the widest first, so that both answers stay in sight.
    if (needed > widest) {
        const int narrowest = fontMetrics().horizontalAdvance(QLatin1Char('M')) * 6;
        const int texts[] = {0, 1, 3, 4, 5};
        int fixed = chrome;
        for (int c = 0; c < model_->columnCount(); ++c)
            if (std::find(std::begin(texts), std::end(texts), c) == std::end(texts))
                fixed += header->sectionSize(c);
        auto widthAt = [&](int cap) {
            int sum = 0;
            for (int c : texts)
                sum += std::min(header->sectionSize(c), cap);
            return sum;
        };
        int cap = narrowest;
        for (int step = room.width(); step > 0; step /= 2)
            if (widthAt(cap + step) <= widest - fixed)
                cap += step;
        for (int c : texts)
            header->resizeSection(c, std::min(header->sectionSize(c), cap));
        needed = fixed + widthAt(cap);
    }
    const int height = std::min(tallest, std::max(360, sizeHint().height()));
    resize(std::min(widest, std::max(needed, sizeHint().width())), height);
}

QList<bool> ConflictDialog::choices() const { return model_->choices(); }

}  // namespace dravik::ui
