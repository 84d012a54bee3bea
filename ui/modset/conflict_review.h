// Review conflicts: every value mods set differently, or that a choice
// overrides, in a table that sorts by any column and filters by a word,
// exported as TAB-separated text for a mod set's release notes.
#pragma once

#include "ui/common/dialogs.h"

#include <QDialog>
#include <string>

class QLineEdit;
class QTableWidget;

namespace dravik {
class ModSet;
}

namespace dravik::ui {

class ConflictReview : public QDialog {
    Q_OBJECT
public:
    ConflictReview(QWidget* parent, const ModSet& set, Dialogs& dialogs);

    // The export's bytes: a header line, then a line for each conflict, in
    // the desc files' code page, lines ending in CR LF.
    std::string exportText() const;

private:
    void filter(const QString& word);
    void exportClick();

    const ModSet& set_;
    Dialogs& dialogs_;
    QLineEdit* filter_ = nullptr;
    QTableWidget* table_ = nullptr;
    std::vector<std::string> lines_;
};

}  // namespace dravik::ui
