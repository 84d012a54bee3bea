#include "ui/modset/conflict_review.h"

#include "core/errors.h"
#include "core/files/file_io.h"
#include "core/modset/merged_build.h"
#include "core/modset/mod_set.h"
#include "ui/common/display_text.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace dravik::ui {

ConflictReview::ConflictReview(QWidget* parent, const ModSet& set, Dialogs& dialogs)
    : QDialog(parent), set_(set), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("ConflictReview"));
    setWindowTitle(tr("Review conflicts"));
    auto* layout = new QVBoxLayout(this);
    filter_ = new QLineEdit(this);
    filter_->setObjectName(QStringLiteral("filter"));
    filter_->setPlaceholderText(tr("Show only the rows holding this text"));
    layout->addWidget(filter_);

    // The report's fields: those before the mods' are fixed, then a name
    // and a value for each mod that sets the value.
    QStringList headers{tr("File"), tr("Key"), tr("Value"), tr("Original game"), tr("Merged"), tr("Winner"), tr("Why")};
    int columns = static_cast<int>(headers.size());
    std::vector<QStringList> rows;
    for (const ValueDetail& conflict : set_.conflicts()) {
        lines_.push_back(ConflictFields(set_, conflict));
        QStringList fields;
        for (const QString& field : CellText(lines_.back(), set_.codePage()).split(QLatin1Char('\t')))
            fields << field;
        columns = std::max(columns, static_cast<int>(fields.size()));
        rows.push_back(fields);
    }
    for (int n = 1; headers.size() < columns; ++n)
        headers << tr("Mod %1").arg(n) << tr("Its value");
    table_ = new QTableWidget(static_cast<int>(rows.size()), columns, this);
    table_->setObjectName(QStringLiteral("conflicts"));
    table_->setHorizontalHeaderLabels(headers.mid(0, columns));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (size_t r = 0; r < rows.size(); ++r)
        for (qsizetype c = 0; c < rows[r].size(); ++c)
            table_->setItem(static_cast<int>(r), static_cast<int>(c), new QTableWidgetItem(rows[r][c]));
    table_->setSortingEnabled(true);
    table_->resizeColumnsToContents();
    layout->addWidget(table_);

    auto* box = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* exportButton = box->addButton(tr("&Export\u2026"), QDialogButtonBox::ActionRole);
    exportButton->setObjectName(QStringLiteral("export"));
    box->button(QDialogButtonBox::Close)->setText(tr("Close"));
    layout->addWidget(box);
    connect(filter_, &QLineEdit::textChanged, this, &ConflictReview::filter);
    connect(exportButton, &QPushButton::clicked, this, &ConflictReview::exportClick);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(900, 500);
}

void ConflictReview::filter(const QString& word)
{
    for (int r = 0; r < table_->rowCount(); ++r) {
        bool holds = word.isEmpty();
        for (int c = 0; !holds && c < table_->columnCount(); ++c)
            holds = table_->item(r, c) && table_->item(r, c)->text().contains(word, Qt::CaseInsensitive);
        table_->setRowHidden(r, !holds);
    }
}

std::string ConflictReview::exportText() const
{
    // The report's own column order, so a script reads both alike.
    std::string text = "file\tkey\tvalue\tbase\tmerged\twinner\twhy\tmods\r\n";
    for (const std::string& line : lines_)
        text += line + "\r\n";
    return text;
}

void ConflictReview::exportClick()
{
    FileDialogRequest request;
    request.title = tr("Export conflicts");
    request.filter = tr("TAB-separated text (*.txt)|*.txt|all files (*.*)|*.*");
    request.defaultSuffix = QStringLiteral("txt");
    const std::optional<QString> path = dialogs_.saveFile(this, request);
    if (!path)
        return;
    try {
        WriteFileOrThrow(NativeBytes(*path), exportText());
    } catch (const DravikError& error) {
        dialogs_.errorBox(this, tr("Export conflicts"), MessageText(error.message()));
    }
}

}  // namespace dravik::ui
