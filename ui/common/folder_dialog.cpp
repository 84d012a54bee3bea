#include "ui/common/folder_dialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dravik::ui {

namespace {

constexpr int kTypingPauseMs = 200;

}  // namespace

FolderDialog::FolderDialog(QWidget* parent, const FolderRequest& request) : QDialog(parent), request_(request)
{
    setWindowTitle(request.title);
    resize(560, 200);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    folder_ = new QLineEdit(request.folder);
    folder_->setObjectName(QStringLiteral("Folder"));
    auto* browse = new QPushButton(tr("&Browse\u2026"));
    browse->setObjectName(QStringLiteral("Browse"));
    browse->setAutoDefault(false);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(folder_, 1);
    folderRow->addWidget(browse);
    // A row of several widgets gets no buddy of its own: Alt+F needs one.
    auto* folderLabel = new QLabel(tr("&Folder:"));
    folderLabel->setBuddy(folder_);
    form->addRow(folderLabel, folderRow);
    pattern_ = new QLineEdit(request.pattern);
    pattern_->setObjectName(QStringLiteral("Pattern"));
    pattern_->setToolTip(tr("* stands for any characters, ? for one; several patterns separated by ;"));
    form->addRow(tr("&Names:"), pattern_);
    layout->addLayout(form);
    count_ = new QLabel(tr("Counting\u2026"));
    count_->setObjectName(QStringLiteral("Count"));
    count_->setTextFormat(Qt::PlainText);
    count_->setWordWrap(true);
    layout->addWidget(count_, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    open_ = buttons->button(QDialogButtonBox::Ok);
    open_->setText(tr("&Open"));
    // Enter in either field opens.
    open_->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &FolderDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    // The names follow the folder; Browse comes after them.
    setTabOrder(folder_, pattern_);
    setTabOrder(pattern_, browse);
    pause_.setSingleShot(true);
    pause_.setInterval(kTypingPauseMs);
    connect(&pause_, &QTimer::timeout, this, &FolderDialog::showCount);
    connect(folder_, &QLineEdit::textChanged, this, &FolderDialog::typed);
    connect(pattern_, &QLineEdit::textChanged, this, &FolderDialog::typed);
    connect(browse, &QPushButton::clicked, this, &FolderDialog::browse);
    // The dialog shows at once, even over a folder that takes long to count.
    pause_.start();
    folder_->setFocus();
    folder_->selectAll();
}

std::optional<FolderChoice> FolderDialog::choose()
{
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    // The folder becomes the current one, as a file chosen in a file dialog
    // leaves its folder current.
    const QString folder = QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(folder_->text()).absoluteFilePath()));
    QDir::setCurrent(folder);
    return FolderChoice{folder, pattern_->text()};
}

void FolderDialog::accept()
{
    // Enter pressed before the count came counts at once.
    if (pause_.isActive()) {
        pause_.stop();
        showCount();
    }
    if (open_->isEnabled())
        QDialog::accept();
}

void FolderDialog::typed()
{
    open_->setEnabled(true);
    pause_.start();
}

void FolderDialog::showCount()
{
    const FolderRequest::Count shown = request_.count(folder_->text(), pattern_->text());
    count_->setText(shown.text);
    open_->setEnabled(shown.any);
}

void FolderDialog::browse()
{
    const QString chosen = QFileDialog::getExistingDirectory(this, request_.title, folder_->text());
    if (!chosen.isEmpty())
        folder_->setText(QDir::toNativeSeparators(chosen));
}

}  // namespace dravik::ui
