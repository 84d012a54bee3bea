#include "ui/qt_dialogs.h"

#include "ui/mod/conflict_dialog.h"
#include "ui/common/folder_dialog.h"
#include "ui/modset/mod_set_dialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QCheckBox>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace dravik::ui {

QtFileFilters QtNameFilters(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QtFileFilters qt;
    QStringList filters;
    bool named = true;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        QString pattern = parts[i + 1];
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        named = named && description.endsWith(QLatin1Char('(') + pattern + QLatin1Char(')'));
#ifndef Q_OS_WIN
        // "*.*" means every file on Windows; elsewhere it would hide the
        // names without a dot.
        if (pattern == QLatin1String("*.*"))
            pattern = QStringLiteral("*");
#endif
        filters.append(description + QLatin1String(" (") + pattern + QLatin1Char(')'));
    }
    qt.filters = filters.join(QLatin1String(";;"));
    qt.hideDetails = named && !filters.isEmpty();
    return qt;
}

void SetNameFilters(QFileDialog& dialog, const QString& filter)
{
    const QtFileFilters qt = QtNameFilters(filter);
    dialog.setOption(QFileDialog::HideNameFilterDetails, qt.hideDetails);
    dialog.setNameFilter(qt.filters);
}

namespace {

void Prepare(QFileDialog& dialog, const FileDialogRequest& request)
{
    dialog.setWindowTitle(request.title);
    // Every file dialog starts where the last one left the user.
    dialog.setDirectory(QDir::currentPath());
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setSizeGripEnabled(true);
    if (!request.filter.isEmpty())
        SetNameFilters(dialog, request.filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
}

// A chosen file leaves its folder as the program's current directory, as
// the console manager's commands expect, and the next dialog starts there.
// The paths use the system's separators: on Windows the file list names a
// file by what follows the last backslash, and the settings file keeps
// paths as Windows writes them.
QStringList Chosen(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted)
        return {};
    QStringList files = dialog.selectedFiles();
    if (!files.isEmpty())
        QDir::setCurrent(QFileInfo(files.first()).absolutePath());
    for (QString& path : files)
        path = QDir::toNativeSeparators(path);
    return files;
}

}  // namespace

QStringList QtDialogs::openFiles(QWidget* parent, const FileDialogRequest& request)
{
    QFileDialog dialog(parent);
    Prepare(dialog, request);
    dialog.setFileMode(request.multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    return Chosen(dialog);
}

std::optional<QString> QtDialogs::saveFile(QWidget* parent, const FileDialogRequest& request)
{
    QFileDialog dialog(parent);
    Prepare(dialog, request);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // An existing file is replaced without a question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    const QStringList files = Chosen(dialog);
    if (files.isEmpty())
        return std::nullopt;
    return files.first();
}

std::optional<QFont> QtDialogs::chooseFont(QWidget* parent, const QFont& initial)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, parent);
    if (!ok)
        return std::nullopt;
    return font;
}

void QtDialogs::errorBox(QWidget* parent, const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

void QtDialogs::messageBox(QWidget* parent, const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtDialogs::confirm(QWidget* parent, const QString& text)
{
    // Qt's own Yes and No: "&Yes" and "&No" in English, and in another
    // language as Qt's catalogue for it has them.
    QMessageBox box(QMessageBox::Question, QCoreApplication::translate("QtDialogs", "Confirm"), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    box.exec();
    return box.clickedButton() == box.button(QMessageBox::Yes);
}

namespace {

int AskIn(QMessageBox& box, const QStringList& buttons)
{
    QList<QAbstractButton*> added;
    for (int i = 0; i < buttons.size(); ++i) {
        // The last button is the one that changes nothing: Escape presses it.
        const bool last = i + 1 == buttons.size();
        added.append(box.addButton(buttons[i], last ? QMessageBox::RejectRole : QMessageBox::AcceptRole));
    }
    if (!added.isEmpty()) {
        box.setDefaultButton(qobject_cast<QPushButton*>(added.first()));
        box.setEscapeButton(added.last());
    }
    box.exec();
    return static_cast<int>(added.indexOf(box.clickedButton()));
}

}  // namespace

int QtDialogs::ask(QWidget* parent, const QString& title, const QString& text, const QStringList& buttons)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    return AskIn(box, buttons);
}

int QtDialogs::askWithCheckBox(QWidget* parent, const QString& title, const QString& text, const QStringList& buttons,
                               const QString& checkBox, bool& checked)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    auto* check = new QCheckBox(checkBox, &box);
    box.setCheckBox(check);
    const int answer = AskIn(box, buttons);
    checked = answer >= 0 && check->isChecked();
    return answer;
}

namespace {

QWidget* ReviewPageWidget(const ReviewPage& page)
{
    auto* widget = new QWidget;
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(page.summary));
    auto* text = new QPlainTextEdit(page.details);
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(text);
    return widget;
}

}  // namespace

bool QtDialogs::review(QWidget* parent, const QString& title, const QList<ReviewPage>& pages, const QString& accept,
                       const QString& reject)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.resize(760, 480);
    auto* layout = new QVBoxLayout(&dialog);
    if (pages.size() == 1) {
        layout->addWidget(ReviewPageWidget(pages.front()));
    } else {
        auto* tabs = new QTabWidget;
        for (const ReviewPage& page : pages)
            tabs->addTab(ReviewPageWidget(page), page.caption);
        layout->addWidget(tabs);
    }
    auto* buttons = new QDialogButtonBox;
    QPushButton* yes = buttons->addButton(accept, QDialogButtonBox::AcceptRole);
    buttons->addButton(reject, QDialogButtonBox::RejectRole);
    yes->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<QString> QtDialogs::chooseBaseFolder(QWidget* parent, const QString& title)
{
    QFileDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setDirectory(QDir::currentPath());
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    const QStringList chosen = Chosen(dialog);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen.first();
}

std::optional<QList<bool>> QtDialogs::resolveConflicts(QWidget* parent, const ConflictRequest& request)
{
    ConflictDialog dialog(request, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choices();
}

std::optional<QString> QtDialogs::askExpression(QWidget* parent, const ExpressionRequest& request)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(request.title);
    dialog.resize(560, 360);
    auto* layout = new QVBoxLayout(&dialog);
    auto* help = new QLabel(request.help);
    help->setWordWrap(true);
    layout->addWidget(help);
    auto* edit = new QLineEdit;
    edit->setObjectName(QStringLiteral("Expression"));
    layout->addWidget(edit);
    auto* preview = new QLabel;
    preview->setObjectName(QStringLiteral("Preview"));
    preview->setWordWrap(true);
    preview->setTextFormat(Qt::PlainText);
    preview->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(preview, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QPushButton* apply = buttons->button(QDialogButtonBox::Ok);
    apply->setText(QObject::tr("&Apply"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);

    // A large selection takes a moment to preview: it follows the typing
    // once the typing pauses.
    QTimer pause;
    pause.setSingleShot(true);
    pause.setInterval(150);
    auto update = [&] {
        const ExpressionRequest::Preview shown = request.preview(edit->text());
        preview->setText(shown.text);
        apply->setEnabled(shown.valid);
    };
    QObject::connect(&pause, &QTimer::timeout, &dialog, update);
    QObject::connect(edit, &QLineEdit::textChanged, &dialog, [&] {
        apply->setEnabled(false);
        pause.start();
    });
    update();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return edit->text();
}

std::optional<FolderChoice> QtDialogs::chooseFolder(QWidget* parent, const FolderRequest& request)
{
    FolderDialog dialog(parent, request);
    return dialog.choose();
}

std::optional<ModSetChoice> QtDialogs::chooseModSet(QWidget* parent, const ModSetChoice& initial)
{
    ModSetDialog dialog(parent, initial, *this);
    return dialog.choose();
}

}  // namespace dravik::ui
