// The dialogs shown to a real user. A file dialog starts in the program's
// current directory, and the file chosen leaves its folder current.
#pragma once

#include "ui/common/dialogs.h"

class QFileDialog;

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
    int askWithCheckBox(QWidget* parent, const QString& title, const QString& text, const QStringList& buttons,
                        const QString& checkBox, bool& checked) override;
    bool review(QWidget* parent, const QString& title, const QList<ReviewPage>& pages, const QString& accept,
                const QString& reject) override;
    std::optional<QString> chooseBaseFolder(QWidget* parent, const QString& title) override;
    std::optional<QList<bool>> resolveConflicts(QWidget* parent, const ConflictRequest& request) override;
    std::optional<QString> askExpression(QWidget* parent, const ExpressionRequest& request) override;
    std::optional<FolderChoice> chooseFolder(QWidget* parent, const FolderRequest& request) override;
    std::optional<ModSetChoice> chooseModSet(QWidget* parent, const ModSetChoice& initial) override;
};

// A filter of the "description|pattern" form as Qt takes it. Qt shows the
// pattern beside each description, in its own dialog and in the system's,
// unless told not to: a description that names its pattern already
// ("all files (*.*)|*.*") is shown as it is, not as "all files (*.*) (*.*)".
struct QtFileFilters {
    QString filters;           // "all files (*.*) (*.*)", as Qt reads patterns
    bool hideDetails = false;  // every description names its pattern
};
QtFileFilters QtNameFilters(const QString& filter);
void SetNameFilters(QFileDialog& dialog, const QString& filter);

}  // namespace dravik::ui
