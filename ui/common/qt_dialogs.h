// The dialogs shown to a real user. A file dialog starts in the program's
// current directory, and the file chosen leaves its folder current.
#pragma once

#include "ui/common/dialogs.h"

namespace dravik::ui {

class QtDialogs : public Dialogs {
public:
    QStringList openFiles(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QString> saveFile(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) override;
    void errorBox(QWidget* parent, const QString& caption, const QString& text) override;
    void messageBox(QWidget* parent, const QString& caption, const QString& text) override;
    bool confirm(QWidget* parent, const QString& text) override;
    int ask(QWidget* parent, const QString& title, const QString& text, const QStringList& buttons) override;
    bool review(QWidget* parent, const QString& title, const QString& summary, const QString& details,
                const QString& accept, const QString& reject) override;
    std::optional<QString> askExpression(QWidget* parent, const ExpressionRequest& request) override;
};

// "all files (*.*)|*.*" as Qt writes filters: "all files (*.*)".
QString QtNameFilters(const QString& filter);

}  // namespace dravik::ui
