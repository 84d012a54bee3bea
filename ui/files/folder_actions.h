// Whole folders into the tables: File > Open folder…, File > Recent folders,
// and the files and folders dropped on the window or named on its command
// line. A folder stands for every file below it whose name matches a
// pattern (core/files/folder_listing.h); what is opened is then opened as
// Open desc opens its selection, with the same questions first.
#pragma once

#include "core/files/settings_file.h"
#include "ui/common/dialogs.h"

#include <QObject>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace dravik::ui {

struct FolderHost {
    Dialogs& dialogs;
    QWidget* window;
    // Puts what the user typed into the document, then asks before unsaved
    // work goes; false when the user cancels.
    std::function<bool()> mayDropEdits;
    // Open desc of the files, without its questions, naming the files from
    // `root`; false when it failed (the error was shown).
    std::function<bool(const std::vector<std::string>& files, const std::string& root)> load;
    // The variables file path the window holds, and Open variables of
    // another; false when that failed (the error was shown).
    std::function<std::string()> variablesPath;
    std::function<bool(const std::string& path)> openVariables;
    // The folder the open files are named from (DescDocument::openedRoot).
    std::function<std::string()> openedRoot;
};

// A folder opened before, as File > Recent folders lists it.
struct RecentFolder {
    std::string folder;
    std::string pattern;
    std::string variables;  // the variables file it was opened with; empty: none
};

class FolderActions : public QObject {
    Q_OBJECT
public:
    static constexpr int kRecentCount = 8;

    // Adds "Open folder…" and "Recent folders" to the menu, before `before`.
    FolderActions(const FolderHost& host, QMenu* fileMenu, QAction* before);

    QAction* openFolderAction() const { return openFolder_; }
    const std::vector<RecentFolder>& recentFolders() const { return recentFolders_; }
    // The pattern the dialog last opened with; dropped folders use it too.
    const std::string& pattern() const { return pattern_; }

    // Files and folders (a drop), folders with the last pattern.
    void openPaths(const QStringList& paths) { openPaths(paths, pattern_); }
    // The program's arguments: as a drop, with the variables file last used
    // loaded first, as none is at start.
    void openCommandLine(const QStringList& paths);
    void openRecent(int index);

    // The keys of the section "Folders". They are written only once there
    // is something to keep, so that a file never touched keeps its bytes.
    void readSettings(const SettingsFile& settings);
    bool writeSettings(SettingsFile& settings) const;

public slots:
    void chooseFolder();

private:
    // What a set of paths stands for.
    struct Listed {
        std::vector<std::string> files;
        std::string root;
        bool oneFolder = false;
        QStringList unreadable;  // folders below that could not be read
    };
    // False when there is nothing to open (the user was told why).
    bool list(const QStringList& paths, const std::string& pattern, Listed& listed);
    void openPaths(const QStringList& paths, const std::string& pattern);
    void load(const Listed& listed, const std::string& pattern);
    void remember(const std::string& folder, const std::string& pattern);
    void showRecent();
    FolderRequest::Count count(const QString& folder, const QString& pattern) const;

    FolderHost host_;
    QAction* openFolder_ = nullptr;
    QMenu* recent_ = nullptr;
    std::string pattern_;
    std::vector<RecentFolder> recentFolders_;
    bool stored_ = false;  // the settings file held the keys
};

}  // namespace dravik::ui
