#include "ui/qt_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPushButton>

namespace dravik::ui {

QString QtNameFilters(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
#ifndef Q_OS_WIN
        // "*.*" means every file on Windows; elsewhere it would hide the
        // names without a dot.
        if (pattern == QLatin1String("*.*"))
            pattern = QStringLiteral("*");
#endif
        filters.append(parts[i] + QLatin1String(" (") + pattern + QLatin1Char(')'));
    }
    return filters.join(QLatin1String(";;"));
}

namespace {

void Prepare(QFileDialog& dialog, const FileDialogRequest& request)
{
    dialog.setWindowTitle(request.title);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setSizeGripEnabled(true);
    if (!request.filter.isEmpty())
        dialog.setNameFilter(QtNameFilters(request.filter));
    dialog.setDefaultSuffix(request.defaultSuffix);
}

// The program's paths use the system's separators: on Windows the file list
// names a file by what follows the last backslash, and the settings file
// keeps paths as Windows writes them.
QStringList NativePaths(QStringList paths)
{
    for (QString& path : paths)
        path = QDir::toNativeSeparators(path);
    return paths;
}

}  // namespace

QStringList QtDialogs::openFiles(QWidget* parent, const FileDialogRequest& request)
{
    QFileDialog dialog(parent);
    Prepare(dialog, request);
    dialog.setFileMode(request.multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return NativePaths(dialog.selectedFiles());
}

std::optional<QString> QtDialogs::saveFile(QWidget* parent, const FileDialogRequest& request)
{
    QFileDialog dialog(parent);
    Prepare(dialog, request);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // An existing file is replaced without a question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().first());
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
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), text, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.exec();
    return box.clickedButton() == yes;
}

}  // namespace dravik::ui
