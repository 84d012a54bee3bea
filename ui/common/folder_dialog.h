// The Open folder dialog: a folder, the names to take below it, and how
// many files that makes, counted before anything is loaded. From the
// keyboard: type the folder, Tab, type the names, Enter.
#pragma once

#include "ui/common/dialogs.h"

#include <QDialog>
#include <QTimer>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace dravik::ui {

class FolderDialog : public QDialog {
    Q_OBJECT
public:
    FolderDialog(QWidget* parent, const FolderRequest& request);

    // Shows the dialog; the choice, or nothing when cancelled.
    std::optional<FolderChoice> choose();

public slots:
    // Open: only once the count says there is something to open.
    void accept() override;

private:
    void typed();
    void showCount();
    void browse();

    FolderRequest request_;
    QLineEdit* folder_ = nullptr;
    QLineEdit* pattern_ = nullptr;
    QLabel* count_ = nullptr;
    QPushButton* open_ = nullptr;
    // Counting a large folder takes a moment: the count follows the typing
    // once the typing pauses.
    QTimer pause_;
};

}  // namespace dravik::ui
