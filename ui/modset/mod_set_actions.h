// Many mods over one game in the window: File > New mod set…, Open mod
// set… and Save mod set. Opening a set reads the base game and every mod
// and shows, in the tables, the value that wins in each cell; the set (its
// base, mods, order and choices) is kept in a small file of its own.
#pragma once

#include "core/files/settings_file.h"
#include "ui/common/command_host.h"
#include "ui/modset/mod_set_marks.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QDockWidget;
class QLabel;
class QMainWindow;
class QMenu;

namespace dravik {
class ModSet;
struct ModSetSetup;
}  // namespace dravik

namespace dravik::ui {

// What the mod set commands need of the window beyond the edit host.
struct ModSetWindow {
    // The variables file open now; empty when none.
    std::function<std::string()> variablesPath;
    // Opens another variables file as Open variables does; false when it failed.
    std::function<bool(const QString& path)> openVariables;
    // Whether the tables' and the preview's edits may be dropped (asking the user).
    std::function<bool()> mayDropEdits;
};

class ModSetActions : public QObject {
    Q_OBJECT
public:
    ModSetActions(const CommandHost& host, ModSetWindow window, QMainWindow* mainWindow, QMenu* fileMenu);
    ~ModSetActions() override;

    // The set the tables show; null while they show files opened otherwise.
    const ModSet* modSet() const { return set_.get(); }
    // The file the set was last opened from or saved to; empty for a new set.
    const QString& modSetPath() const { return path_; }
    // Whether the set shown has choices, an order or mods not yet saved (a
    // new set never saved has).
    bool modSetModified() const;
    // Asks whether to save the set before `what` (the tables' question
    // while they show a set: its changes are the set's, not the files');
    // true when the set may go.
    bool mayDropModSet(const QString& what);
    // After Open desc: the tables show those files now.
    void filesOpened();

    // The mod set files opened or saved last, newest first, as File >
    // Recent mod sets lists them.
    static constexpr int kRecentCount = 8;
    const std::vector<std::string>& recentModSets() const { return recent_; }
    void openRecent(int index);
    // The keys of the section "Mod sets", written only once there is
    // something to keep, so that a file never touched keeps its bytes.
    void readSettings(const SettingsFile& settings);
    bool writeSettings(SettingsFile& settings) const;

    QAction* newModSet = nullptr;
    QAction* openModSet = nullptr;
    QAction* saveModSet = nullptr;
    QAction* buildMergedMod = nullptr;
    QAction* reviewConflicts = nullptr;
    QLabel* status = nullptr;
    QDockWidget* modsPane() const;

signals:
    // The set shown changed; null when there is none.
    void modSetChanged(const dravik::ModSet* set);

private:
    void newClick();
    void openClick();
    // Opens the mod set file at `path`, after the unsaved work's questions.
    void openFile(const QString& path);
    // Saves the set; false when it was not saved.
    bool saveClick();
    void buildClick();
    void reviewClick();
    // Reads the set and shows its merged view; false when that failed.
    bool load(ModSetSetup setup, const QString& path);
    void showStatus();
    void repaintMarks();
    void remember(const QString& path);
    void showRecent();

    CommandHost host_;
    std::unique_ptr<ModSetMarks> marks_;
    class ModsPane* pane_ = nullptr;
    ModSetWindow window_;
    std::unique_ptr<ModSet> set_;
    QString path_;
    // The set as it was last opened or saved.
    std::unique_ptr<ModSetSetup> saved_;
    QMenu* recentMenu_ = nullptr;
    std::vector<std::string> recent_;
    bool recentStored_ = false;  // the settings file held the keys
};

}  // namespace dravik::ui
