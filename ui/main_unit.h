// The main window: the desc preview, the file list, the ten section tables,
// the variables text and the summary table, with the menus that run the
// commands on them. What the window shows is the document's state; the
// commands themselves are the document's, and every change of the tables is
// a step of the edit history.
#pragma once

#include "core/bulk/column_profiles.h"
#include "core/document/desc_document.h"
#include "ui/conman.h"
#include "ui/common/dialogs.h"
#include "ui/common/command_host.h"
#include "ui/tables/edit_history.h"
#include "ui/tables/grid_layout.h"

#include <QFont>
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QAction;
class QDockWidget;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QTabWidget;
class QWidget;
class TdanForm;

namespace dravik::ui {
class BulkEditActions;
class FilterBar;
class FolderActions;
class GridModel;
class GridView;
class ModActions;
class CheckPane;
class ModSetActions;
class SummaryPanel;
class TableFilter;
}  // namespace dravik::ui

class TMainForm : public QMainWindow, private dravik::DocumentListener {
    Q_OBJECT
public:
    // `settingsPath` is the settings file read now and written at close.
    TMainForm(const QString& settingsPath, dravik::ui::Dialogs& dialogs, QWidget* parent = nullptr);
    ~TMainForm() override;

    dravik::DescDocument& document() { return document_; }
    dravik::EditHistory& history() { return *history_; }
    // What each value column holds: the difference colours, the "differs"
    // filter and the value checks read it.
    dravik::ColumnProfiles& profiles() { return profiles_; }
    dravik::ui::FilterBar* filterBar() const { return filterBar_; }
    dravik::ui::SummaryPanel* summaryPanel() const { return summaryPanel_; }

    // The path values the window keeps for the other commands, as bytes.
    const std::string& editorPath() const { return EditorPath; }
    const std::string& gamePath() const { return GamePath; }
    const std::string& variablesFilePath() const { return VarPath; }
    const QFont& chosenFont() const { return fontDialogFont_; }
    // Copy, Paste, Find and replace, Set selection, and the find panel.
    dravik::ui::BulkEditActions* bulkEdits() const { return bulkEdits_; }
    // The base game compared with, and patches.
    dravik::ui::ModActions* modActions() const { return modActions_; }
    dravik::ui::CheckPane* checkPane() const { return checkPane_; }
    dravik::ui::ModSetActions* modSetActions() const { return modSetActions_; }
    // The console manager QuickPack packs with: the latest one created.
    TFormCM* consoleManager() const { return FormCM; }

    // The commands behind the dialogs, for callers that already know the files.
    void openDescFiles(const QStringList& paths);
    // False when the file could not be read (the error was shown).
    bool openVariablesFile(const QString& path);
    // Open folder, Recent folders, and the files and folders dropped here
    // or named on the command line.
    dravik::ui::FolderActions* folderActions() const { return folderActions_; }

    // Shows the document's texts and current file as they now are, after
    // another window changed them.
    void showTexts();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The controls and menu items keep the names the program has always
    // given them; from outside, they are found by those names
    // (QObject::objectName).
    QMenu* N1 = nullptr;
    QMenu* EditMenu = nullptr;
    QMenu* N5 = nullptr;
    QMenu* Utitlit1 = nullptr;
    QMenu* asks1 = nullptr;
    QMenu* N11 = nullptr;
    QAction* N2 = nullptr;
    QAction* N10 = nullptr;
    QAction* N3 = nullptr;
    QAction* Exporttable1 = nullptr;
    QAction* Importtable1 = nullptr;
    QAction* ReviewChanges = nullptr;
    QAction* Undo = nullptr;
    QAction* Redo = nullptr;
    QAction* Revert = nullptr;
    QAction* N6 = nullptr;
    QAction* N7 = nullptr;
    QAction* SelectFont = nullptr;
    QAction* Pathtoeditor1 = nullptr;
    QAction* Pathtogame1 = nullptr;
    QAction* ConMAN2 = nullptr;
    QAction* DAN2 = nullptr;
    QAction* QuickPack1 = nullptr;
    QAction* StartEditor1 = nullptr;
    QAction* StartGame1 = nullptr;
    QAction* N12 = nullptr;
    QMenu* ViewMenu = nullptr;
    QAction* FilterRows = nullptr;
    QAction* DiffColours = nullptr;
    QAction* ColumnSummary = nullptr;

    QPlainTextEdit* Memo1 = nullptr;
    QPlainTextEdit* Memo2 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet11 = nullptr;

    void N2Click();
    void N10Click();
    void N3Click();
    void Exporttable1Click();
    void Importtable1Click();
    void N6Click();
    void N7Click();
    void SelectFontClick();
    void N12Click();
    void StringGrid12DblClick();
    // Whether the selection may move to the cell.
    bool StringGrid11SelectCell(int col, int row);

    void Pathtoeditor1Click();
    void Pathtogame1Click();
    void StartEditor1Click();
    void StartGame1Click();
    void QuickPack1Click();
    void ConMan1Click();
    void DAN1Click();
    // The analyzer, listing the keys of the open files.
    void draftVariables();

    void ReviewChangesClick();
    void UndoClick();
    void RedoClick();
    void RevertClick();
    void FilterRowsClick();
    void DiffColoursClick(bool on);

    // StringGrid1 ... StringGrid12.
    dravik::ui::GridView* StringGrid(dravik::GridNumber number) const { return grids_.at(number.index()); }

    void InitSectionHeaders();
    void ApplyFont(const QFont& font);
    void FitColumnWidths();

    void createMenus();
    // Settings > Language: each language the program has a catalogue for.
    void createLanguageMenu();
    void chooseLanguage(const QString& code);
    // Every caption in the user's language: at start and after a change of it.
    void retranslateUi();
    void showUndoSteps();
    void showVariablesTabCaption();
    // What the commands kept outside this window use of it.
    dravik::ui::CommandHost commandHost();
    void createBulkEditActions();
    void createFolderActions();
    // Open desc of files already chosen, without its questions; the files are
    // named from `root` (empty: from their common folder).
    bool loadDescFiles(const std::vector<std::string>& files, const std::string& root);
    // The preview, the tables (the filter bar over the tab control) and the
    // status bar.
    void createControls();
    // What the filter bar, the column summary and the colours do.
    void createTableViews();
    void createViewMenu();
    // The filter and the summary follow a command's changes of the tables.
    void showTableViews();
    void FormCreate();
    void FormClose();

    // Runs one command: the user's pending edits go into the document first,
    // the window shows the outcome afterwards, and a failure is reported in
    // the standard error box. False when the command failed.
    bool run(const std::function<void()>& command);
    void takeEdits();
    // Save all with its questions, the desc preview's first: the save loads
    // the current file into the preview afresh. False when it was cancelled
    // or failed.
    bool saveAll();
    bool saveCurrentDesc();
    bool saveVariablesAs();
    // Before a command drops unsaved work: asks whether to save it first.
    // False when the user cancels (the command must not go on).
    bool mayDropTableEdits(const QString& what);
    bool mayDropPreviewEdits();
    bool mayDropVariablesEdits();
    // With files open and a variables text they were not laid out by: asks
    // whether to open them again by it, and does.
    void offerToLayOutAgain(bool drafted);
    void updateTitle();
    void showDescText();
    // The section table or file list on the current tab; none on the others.
    dravik::ui::GridView* currentTable() const;
    void showError(const dravik::Message& message);
    void setStatusText(const std::string& path);
    int tabControlWidth() const;
    void fileListCurrentChanged(const QModelIndex& current, const QModelIndex& previous);
    QStringList askOpenFiles();
    // Asks for a program to start; a chosen one becomes `path` and enables `start`.
    void chooseProgram(const QString& title, std::string& path, QAction* start);

    void modifiedChanged(bool modified) override;
    void historyChanged() override { showUndoSteps(); }

    dravik::DescDocument document_;
    dravik::DocumentConnection documentConnection_;
    dravik::ColumnProfiles profiles_{document_};
    // Both listen to the document: they go before it (the window's children
    // go only after its members).
    std::unique_ptr<dravik::ui::TableFilter> tableFilter_;
    dravik::ui::FilterBar* filterBar_ = nullptr;
    dravik::ui::SummaryPanel* summaryPanel_ = nullptr;
    QDockWidget* summaryDock_ = nullptr;
    // The "DiffColours" setting was in the file, so it is written back.
    bool diffColoursStored_ = false;
    // "Width" or "Height" was in the file, so both are written back.
    bool sizeStored_ = false;
    // "RespellKeyLines" in [Other]: what Save all does with key lines whose
    // values did not change, when the user asked for the answer to be
    // remembered; none: it asks. Written only once there is one.
    std::optional<dravik::Respelling> respelling_;
    dravik::EditHistory* history_ = nullptr;
    dravik::DocumentConnection historyConnection_;
    dravik::ui::Dialogs& dialogs_;
    std::string settingsPath_;
    int fontSize_ = 12;
    std::array<dravik::ui::GridLayout, dravik::kGridCount> layouts_;
    std::array<dravik::ui::GridModel*, dravik::kGridCount> models_{};
    std::array<dravik::ui::GridView*, dravik::kGridCount> grids_{};
    std::array<QLabel*, 3> statusPanels_{};
    dravik::ui::BulkEditActions* bulkEdits_ = nullptr;
    dravik::ui::ModActions* modActions_ = nullptr;
    dravik::ui::CheckPane* checkPane_ = nullptr;
    dravik::ui::ModSetActions* modSetActions_ = nullptr;
    dravik::ui::FolderActions* folderActions_ = nullptr;

    std::string EditorPath;
    std::string GamePath;
    std::string VarPath;
    QFont fontDialogFont_;
    int storedDiv_ = 0;
    // OpenDialog1 is shared: a command that sets no title or filter shows the
    // ones the previous command left.
    dravik::ui::FileDialogRequest openDialog1_;
    // What the memos were last given, so that showing does not throw away
    // the user's cursor and undo history when nothing changed.
    dravik::TextLines shownDescText_;
    dravik::TextLines shownVariablesText_;
    bool selectingFileListCell_ = false;
    // A closed console manager is only hidden; it goes when the next one
    // replaces it, or with this window, its parent.
    QPointer<TFormCM> FormCM;
    // The latest desc analyzer; a closed one is only hidden, and goes when
    // the next one replaces it or with this window.
    std::unique_ptr<TdanForm> dan_;
    // The analyzer's "Copy to Dravik2" replaced the variables text; once the
    // analyzer closes, the window offers to lay the open files out by it.
    bool variablesDrafted_ = false;
    void analyzerClosed();
    // The sources of the menus' and items' captions, for retranslateUi.
    std::vector<std::pair<QMenu*, const char*>> menuTexts_;
    std::vector<std::pair<QAction*, const char*>> actionTexts_;
    QMenu* languageMenu_ = nullptr;
    // The language the settings file names (or the menu chose), and whether
    // it is to be written back.
    QString storedLanguage_;
    bool languageStored_ = false;
    // The variables file the tab's caption names; empty before Open variables.
    std::string variablesTabPath_;
};
