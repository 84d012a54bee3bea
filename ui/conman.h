// The console manager: a window that drives the game's archive tools, UNSUE
// to unpack an archive and SUE to pack a folder back into one, and keeps what
// they print in its memo. The tools run through RunCaptured, so the program
// waits for each of them.
//
// The tools name the archive and the folder relative to their working
// directory, and the capture file lands in the process's current directory;
// so opening a folder in the list, like choosing a file in the window's
// dialog, changes the process's current directory.
#pragma once

#include "core/text/dravik2_auxillary.h"
#include "core/message.h"
#include "ui/common/dialogs.h"

#include <QListWidget>
#include <QPointer>
#include <QWidget>
#include <array>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QFrame;
class QKeyEvent;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QStatusBar;

// The console manager unit's values: one set for the whole program, shared
// by every console manager window and read by the main window at its start.
// Paths are bytes in the file-name encoding, with native separators.
namespace conman {

inline std::string SUEPath;    // the packing tool
inline std::string UNSUEPath;  // the unpacking tool
inline std::string PackPath;   // the folder last packed; where the list opens
inline std::string PackName;   // the last component of PackPath; not stored

// Where the three paths start when the settings file has none: a folder, so
// that a tool not yet chosen fails to start with the system's message.
inline const char* const kDefaultPath = dravik::kTopFolder;

// "maps.sue" gives "maps.sue __maps.sue/" ("\" on Windows): the archive and
// the folder to unpack it into.
std::string UnpackArguments(const std::string& archiveName);
// The archive the folder packs into is the folder's name without its first
// two characters, whatever they are: "__maps.sue" gives
// "maps.sue __maps.sue/", "maps" gives "ps maps/", "" gives " /".
std::string PackArguments(const std::string& packName);

}  // namespace conman

// The folders on the way down to one directory, then that directory's
// subfolders. A double click or Enter on a folder asks to open it; a single
// click only highlights it.
class DirectoryListBox : public QListWidget {
    Q_OBJECT
public:
    explicit DirectoryListBox(QWidget* parent = nullptr);

    // Absolute and clean, in Qt's form ("/" separators).
    const QString& directory() const { return directory_; }
    // Lists `directory` (absolute); changes nothing else.
    void showDirectory(const QString& directory);
    // The folder an item stands for.
    static QString folderOf(const QListWidgetItem* item);

signals:
    void folderOpened(const QString& folder);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString directory_;
};

class TFormCM : public QWidget {
    Q_OBJECT
public:
    // Reads its paths from `settingsPath` (the main window's settings file)
    // and opens the list at PackPath. `mainWindow`, its parent, is shown again
    // when this window closes; Pack enables `quickPack`. Either may be null.
    TFormCM(std::string settingsPath, dravik::ui::Dialogs& dialogs, QAction* quickPack, QWidget* mainWindow);

    QString statusPanelText(int panel) const;
    // Makes `folder` the list's directory and the process's current
    // directory. When it cannot be entered the standard error box says why,
    // nothing changes and the result is false.
    bool openFolder(const QString& folder);

    QFrame* Panel2 = nullptr;
    QFrame* Panel1 = nullptr;
    QComboBox* DriveComboBox1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button3 = nullptr;
    QSplitter* Splitter2 = nullptr;
    DirectoryListBox* DirectoryListBox1 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QPlainTextEdit* Memo2 = nullptr;
    QStatusBar* StatusBar1 = nullptr;

public slots:
    void Button1Click();  // Unpack
    void Button2Click();  // Pack; QuickPack calls it on a hidden window too
    void Button3Click();  // SUE
    void Button4Click();  // UNSUE

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    // Panel1: the drive list and the Unpack, Pack, SUE and UNSUE buttons.
    void createToolPanel();
    // Panel2: Panel1 over the folder list.
    void createFolderPanel();
    void FormCreate();
    void FormClose();
    void DriveComboBox1Change(int index);
    void showDriveOf(const QString& directory);
    // The chosen file as native bytes, its folder now the current directory;
    // nothing when cancelled.
    std::optional<std::string> askFile(const QString& title);
    // Runs a tool, the windows busy meanwhile (see ChildWait), and appends
    // its output to the memo, which then shows its end. False when an error
    // ended the run (it has been reported).
    bool runTool(const std::string& directory, const std::string& program, const std::string& arguments);
    void appendToMemo(const std::vector<std::string>& lines);
    void showError(const dravik::Message& message);

    std::string settingsPath_;
    dravik::ui::Dialogs& dialogs_;
    QPointer<QAction> quickPack_;
    QPointer<QWidget> mainWindow_;
    std::array<QLabel*, 2> statusPanels_{};
};
