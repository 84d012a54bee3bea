// The Checks pane: every value of the open files that the rules learned
// from the base game reject, furthest outside first, with its file, key,
// value number, value and reason; after them the edited values that look
// wrong whatever the base game holds (value_checks.h), of their own kind. Double-click goes to the cell; Accept
// value, Relax group and Relax column (buttons and context menu) let the
// modder say a value is meant, each one step of Edit > Undo.
//
// The window learns the rules silently whenever a base game is compared
// (File > Compare with base...) and keeps the checks over the open files from
// then on: they follow every edit, undo, import and patch by themselves. What
// was accepted is kept in the accepted file beside the variables file, which
// the batch's check reads too.
#pragma once

#include "core/bulk/value_checks.h"
#include "core/checks/check_list.h"
#include "ui/checks/check_marks.h"
#include "ui/common/command_host.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QDockWidget;
class QLabel;
class QMainWindow;
class QMenu;
class QPushButton;
class QTableWidget;

namespace dravik {
class BaseComparison;
}

namespace dravik::ui {

class CheckPane : public QObject, private DocumentListener {
    Q_OBJECT
public:
    // `variablesFile` gives the variables file's path, beside which the
    // accepted file is kept.
    CheckPane(const CommandHost& host, ColumnProfiles& profiles, QMainWindow* window, QMenu* viewMenu,
              std::function<std::string()> variablesFile);
    ~CheckPane() override;

    const CheckList* checks() const { return checks_.get(); }
    QDockWidget* dock = nullptr;
    QTableWidget* table = nullptr;
    QPushButton* acceptButton = nullptr;
    QPushButton* relaxGroupButton = nullptr;
    QPushButton* relaxColumnButton = nullptr;
    QAction* acceptValue = nullptr;
    QAction* relaxGroup = nullptr;
    QAction* relaxColumn = nullptr;
    QLabel* status = nullptr;

public slots:
    // A base game compared: the rules learned from it; none: no checks.
    void setBase(const dravik::BaseComparison* base);

private:
    // An accepted entry was added or taken away: the accepted file keeps
    // the entries, and the checks show it.
    void acceptedChanged();
    enum class Choice { Value, Group, Column };
    void choose(Choice choice);
    void goToCheck(int line);
    void showChecks();
    void showChecksLater() { later_.start(); }
    void repaintTables();
    void cellsChanged(GridNumber, int, int, int, int) override { showChecksLater(); }
    void diskValuesChanged(GridNumber) override { showChecksLater(); }
    const Check* currentCheck() const;
    void enableChoices();

    CommandHost host_;
    std::function<std::string()> variablesFile_;
    std::unique_ptr<CheckList> checks_;
    CheckMarks marks_;
    ColumnProfiles& profiles_;
    bool acceptedReadable_ = true;
    std::vector<Check> shown_;
    std::vector<ProblemCell> problems_;  // listed after shown_
    // The pane is filled once the document's notices are over.
    QTimer later_;
    DocumentConnection connection_;
};

}  // namespace dravik::ui
