// A mod and its base game in the window: File > Compare with base…, Export
// patch… and Apply patch…, Edit > Revert to base values, View > Base marks,
// the marks on the tables and the status bar's count of files that differ
// from the base.
//
// The base stays while the same set of files is open, through Save all and
// the edits; Open desc of another set asks whether to keep comparing it with
// the same base folder.
#pragma once

#include "core/mod/base_comparison.h"
#include "ui/common/command_host.h"
#include "ui/mod/mod_marks.h"

#include <QObject>
#include <QTimer>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QMainWindow;
class QMenu;

namespace dravik {
class SettingsFile;
struct PatchPlan;
}  // namespace dravik

namespace dravik::ui {

class ModActions : public QObject, private DocumentListener {
    Q_OBJECT
public:
    ModActions(const CommandHost& host, QMainWindow* window, QMenu* fileMenu, QMenu* editMenu, QMenu* viewMenu);
    ~ModActions() override;

    const BaseComparison* base() const { return base_.get(); }
    // After Open desc, failed or not: a comparison of another set is made
    // anew for the set now open, or dropped.
    void filesOpened();
    // What the mod changes against its base, for Review changes; nothing
    // while there is no base.
    std::optional<ReviewPage> reviewPage() const;

    // "BaseMarks" in [Form]: written only once the file has it or the marks
    // are switched off, so that an untouched settings file keeps its bytes.
    void readSettings(const SettingsFile& ini);
    bool writeSettings(SettingsFile& ini) const;

    QAction* compareWithBase = nullptr;
    QAction* exportPatch = nullptr;
    QAction* applyPatch = nullptr;
    QAction* revertToBase = nullptr;
    QAction* baseMarks = nullptr;
    QLabel* status = nullptr;

signals:
    // The base game compared with changed; null when there is none.
    void baseChanged(const dravik::BaseComparison* base);

private:
    void compareClick();
    void exportPatchClick();
    void applyPatchClick();
    void revertToBaseClick();
    // Reads the base for the open files; false when that failed.
    bool compareWith(const std::string& folder);
    void setBase(std::unique_ptr<BaseComparison> base);
    // Asks which conflicts take the patch's value; nothing when cancelled.
    std::optional<std::vector<bool>> resolveConflicts(const PatchPlan& plan);
    void markPatch(const PatchPlan& plan);
    void tellPatchApplied(const PatchPlan& plan, const std::vector<bool>& takePatch, bool changed);
    void repaintMarks();
    // Once the document's notices are over.
    void repaintMarksLater();
    void showStatus();

    void cellsChanged(GridNumber grid, int firstCol, int firstRow, int lastCol, int lastRow) override;
    void diskValuesChanged(GridNumber grid) override;

    CommandHost host_;
    ModMarks marks_;
    std::unique_ptr<BaseComparison> base_;
    bool marksStored_ = false;
    // The count is shown once the edits' notices are over.
    QTimer statusLater_;
    DocumentConnection connection_;
};

}  // namespace dravik::ui
