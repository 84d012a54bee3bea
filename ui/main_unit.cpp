#include "ui/main_unit.h"

#include "core/modset/mod_set.h"
#include "core/text/code_page.h"
#include "core/text/dravik2_auxillary.h"
#include "core/errors.h"
#include "core/files/settings_file.h"
#include "core/exchange/table_exchange.h"
#include "tools/process_runner.h"
#include "ui/about_unit.h"
#include "ui/common/application_title.h"
#include "ui/edits/bulk_edit_actions.h"
#include "ui/files/file_drop.h"
#include "ui/files/folder_actions.h"
#include "ui/files/table_import.h"
#include "ui/common/child_wait.h"
#include "ui/conman.h"
#include "ui/dan.h"
#include "ui/checks/check_pane.h"
#include "ui/mod/mod_actions.h"
#include "ui/modset/mod_set_actions.h"
#include "ui/common/error_box.h"
#include "ui/common/display_text.h"
#include "ui/tables/grid_model.h"
#include "ui/tables/grid_view.h"
#include "ui/tables/edit_history.h"
#include "ui/views/filter_bar.h"
#include "ui/common/language.h"
#include "ui/common/live_text.h"
#include "ui/common/long_work.h"
#include "ui/common/menu_shortcuts.h"
#include "ui/common/program_icon.h"
#include "ui/files/save_all.h"
#include "ui/files/save_questions.h"
#include "ui/files/table_export.h"
#include "ui/files/save_review.h"
#include "ui/common/status_panels.h"
#include "ui/common/window_font.h"
#include "ui/common/window_geometry.h"
#include "ui/tables/table_selection.h"
#include "ui/views/summary_panel.h"
#include "ui/views/table_filter.h"
#include "ui/variables/variables_hint.h"
#include "ui/variables/variables_questions.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <optional>

using dravik::EditStep;
using dravik::ui::GridModel;
using dravik::ui::GridView;
using dravik::ui::MemoLines;
using dravik::ui::MemoText;
using dravik::ui::NativeBytes;
using dravik::ui::NativeText;

namespace {

//: The window's caption: the program's name and version.
const char* const kCaption = QT_TRANSLATE_NOOP("TMainForm", "Dravik 2 v1.3 beta");
constexpr int kInitialWidth = 767;
constexpr int kInitialHeight = 481;
constexpr int kSplitterWidth = 8;
constexpr int kPathPanel = 2;

const char* const kDefaultEditorPath = "c:\\edit.exe";
const char* const kDefaultGamePath = "c:\\game.exe";
const char* const kDefaultFontName = "MS Sans Serif";
const char* const kDefaultVariablesPath = "c:\\variables.var";
constexpr int kDefaultFontSize = 12;
constexpr int kFileListColumnWidth = 100;
// A column of paths or descriptions widens to its texts up to this many font
// sizes; a longer path gives up the middle of its folder.
constexpr int kWidestTextColumn = 40;

QPlainTextEdit* NewMemo(const char* name, QWidget* parent)
{
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(QLatin1String(name));
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    dravik::ui::MenuShortcutsFirst::Install(memo, dravik::ui::MenuShortcutsFirst::Undo::Own);
    return memo;
}

QWidget* NewPage(const QString& name, QWidget* content)
{
    auto* page = new QWidget;
    page->setObjectName(name);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
    return page;
}

}  // namespace

TMainForm::TMainForm(const QString& settingsPath, dravik::ui::Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), settingsPath_(NativeBytes(settingsPath))
{
    setObjectName(QStringLiteral("MainForm"));
    // The language first: every text made below is in it. Only a language
    // chosen in the menu is stored; until then the system's is followed.
    if (const auto stored = dravik::SettingsFile(settingsPath_).readRaw("Form", "Language")) {
        storedLanguage_ = QString::fromStdString(*stored);
        languageStored_ = true;
    }
    dravik::ui::UseLanguage(dravik::ui::StartLanguage(storedLanguage_));
    history_ = new dravik::EditHistory(document_);
    documentConnection_ = document_.connect(*this);
    historyConnection_ = history_->connect(*this);
    layouts_[dravik::kFileListGrid.index()] = dravik::ui::GridLayout(kFileListColumnWidth);
    createControls();
    createTableViews();
    createMenus();
    createBulkEditActions();
    createFolderActions();
    // Its "Column summary" item is the summary dock's own.
    createViewMenu();
    modActions_ = new dravik::ui::ModActions(commandHost(), this, N1, EditMenu, ViewMenu);
    connect(modActions_, &dravik::ui::ModActions::baseChanged, tableFilter_.get(), &dravik::ui::TableFilter::setBase);
    // Over the base game's marks, which it draws as before.
    checkPane_ = new dravik::ui::CheckPane(commandHost(), profiles_, this, ViewMenu, [this] { return VarPath; });
    connect(modActions_, &dravik::ui::ModActions::baseChanged, checkPane_, &dravik::ui::CheckPane::setBase);
    modSetActions_ = new dravik::ui::ModSetActions(
        commandHost(),
        {[this] { return VarPath; }, [this](const QString& path) { return openVariablesFile(path); },
         [this] { return mayDropTableEdits(tr("opening a mod set")) && mayDropPreviewEdits(); }},
        this, N1);
    connect(modSetActions_, &dravik::ui::ModSetActions::modSetChanged, tableFilter_.get(),
            &dravik::ui::TableFilter::setModSet);
    FormCreate();
    dravik::ui::ShowTranslated(this, this, [this] { retranslateUi(); });
}

TMainForm::~TMainForm()
{
    // The views and the history go before the document they show: closing
    // the window would otherwise commit an open cell editor into a document
    // already destroyed.
    delete summaryDock_;
    tableFilter_.reset();
    delete takeCentralWidget();
    for (auto*& model : models_) {
        delete model;
        model = nullptr;
    }
    delete history_;
}

void TMainForm::createMenus()
{
    // Captions are the catalogue's sources; retranslateUi shows them in the
    // user's language, now and whenever it changes.
    auto menu = [this](const char* name, const char* caption) {
        QMenu* m = menuBar()->addMenu(QString());
        m->setObjectName(QLatin1String(name));
        menuTexts_.emplace_back(m, caption);
        return m;
    };
    auto item = [this](QMenu* m, const char* name, const char* caption, const QKeySequence& key,
                       void (TMainForm::*handler)()) {
        QAction* action = m->addAction(QString());
        action->setObjectName(QLatin1String(name));
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, handler);
        actionTexts_.emplace_back(action, caption);
        return action;
    };
    const QKeySequence none;

    N1 = menu("N1", QT_TR_NOOP("&File"));
    N2 = item(N1, "N2", QT_TR_NOOP("&Open desc"), QKeySequence(Qt::CTRL | Qt::Key_O), &TMainForm::N2Click);
    N10 = item(N1, "N10", QT_TR_NOOP("&Save all"), QKeySequence(Qt::CTRL | Qt::Key_E), &TMainForm::N10Click);
    N3 = item(N1, "N3", QT_TR_NOOP("Save c&urrent"), QKeySequence(Qt::CTRL | Qt::Key_S), &TMainForm::N3Click);
    Exporttable1 = item(N1, "Exporttable1", QT_TR_NOOP("Export table"), none, &TMainForm::Exporttable1Click);
    //: The caption ends in 17 blanks, as the original program's did.
    Importtable1 = item(N1, "Importtable1", QT_TR_NOOP("Import table                 "), none,
                        &TMainForm::Importtable1Click);
    N1->addSeparator();
    ReviewChanges = item(N1, "ReviewChanges", QT_TR_NOOP("Review changes\u2026"), none, &TMainForm::ReviewChangesClick);

    // Alt+E is the access key of "S&ettings".
    EditMenu = menu("EditMenu", QT_TR_NOOP("E&dit"));
    Undo = item(EditMenu, "Undo", QT_TR_NOOP("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z), &TMainForm::UndoClick);
    Redo = item(EditMenu, "Redo", QT_TR_NOOP("&Redo"), QKeySequence(Qt::CTRL | Qt::Key_Y), &TMainForm::RedoClick);
    Redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    EditMenu->addSeparator();
    Revert = item(EditMenu, "Revert", QT_TR_NOOP("Re&vert to disk values"), none, &TMainForm::RevertClick);

    N5 = menu("N5", QT_TR_NOOP("S&ettings"));
    N6 = item(N5, "N6", QT_TR_NOOP("Open va&riables"), none, &TMainForm::N6Click);
    N7 = item(N5, "N7", QT_TR_NOOP("Save var&iables"), none, &TMainForm::N7Click);
    SelectFont = item(N5, "SelectFont", QT_TR_NOOP("Fon&t"), none, &TMainForm::SelectFontClick);
    Pathtoeditor1 = item(N5, "Pathtoeditor1", QT_TR_NOOP("Path to editor"), none, &TMainForm::Pathtoeditor1Click);
    Pathtogame1 = item(N5, "Pathtogame1", QT_TR_NOOP("Path to game"), none, &TMainForm::Pathtogame1Click);
    createLanguageMenu();

    //: The menu's name is spelt so in the original program; keep the user's
    //: language's plain word for utilities.
    Utitlit1 = menu("Utitlit1", QT_TR_NOOP("Utitlities"));
    ConMAN2 = item(Utitlit1, "ConMAN2", QT_TR_NOOP("Co&nMAN"), QKeySequence(Qt::CTRL | Qt::Key_N), &TMainForm::ConMan1Click);
    //: The caption ends in 20 blanks, as the original program's did.
    DAN2 = item(Utitlit1, "DAN2", QT_TR_NOOP("D&AN                    "), QKeySequence(Qt::CTRL | Qt::Key_D),
                &TMainForm::DAN1Click);

    asks1 = menu("asks1", QT_TR_NOOP("Tasks"));
    //: The caption ends in 13 blanks, as the original program's did.
    QuickPack1 = item(asks1, "QuickPack1", QT_TR_NOOP("QuickPack             "), none, &TMainForm::QuickPack1Click);
    StartEditor1 = item(asks1, "StartEditor1", QT_TR_NOOP("Start Editor"), QKeySequence(Qt::Key_F8),
                        &TMainForm::StartEditor1Click);
    StartGame1 = item(asks1, "StartGame1", QT_TR_NOOP("Start Game"), QKeySequence(Qt::Key_F9),
                      &TMainForm::StartGame1Click);

    N11 = menu("N11", QT_TR_NOOP("Ab&out"));
    N12 = item(N11, "N12", QT_TR_NOOP("Version"), none, &TMainForm::N12Click);
}

void TMainForm::createLanguageMenu()
{
    languageMenu_ = N5->addMenu(QString());
    languageMenu_->setObjectName(QStringLiteral("LanguageMenu"));
    menuTexts_.emplace_back(languageMenu_, QT_TR_NOOP("&Language"));
    auto* group = new QActionGroup(languageMenu_);
    // Each language is named in itself, whatever language the menu is in.
    for (const dravik::ui::Language& language : dravik::ui::Languages()) {
        QAction* action = languageMenu_->addAction(language.name);
        action->setObjectName(QStringLiteral("Language_%1").arg(language.code));
        action->setCheckable(true);
        action->setData(language.code);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, code = language.code] { chooseLanguage(code); });
    }
    // The windows take their texts as they are made, so a new language shows
    // from the next start; the note says so in both languages, as the user
    // may not read the one the menu is in.
    languageMenu_->addSeparator();
    QAction* note = languageMenu_->addAction(
        QStringLiteral("Takes effect at the next start \u00b7 "
                       "\u0412\u0441\u0442\u0443\u043f\u0430\u0435\u0442 \u0432 \u0441\u0438\u043b\u0443 "
                       "\u043f\u0440\u0438 \u0441\u043b\u0435\u0434\u0443\u044e\u0449\u0435\u043c "
                       "\u0437\u0430\u043f\u0443\u0441\u043a\u0435"));
    note->setObjectName(QStringLiteral("LanguageNote"));
    note->setEnabled(false);
}

void TMainForm::chooseLanguage(const QString& code)
{
    storedLanguage_ = code;
    languageStored_ = true;
}

void TMainForm::retranslateUi()
{
    for (const auto& [m, caption] : menuTexts_)
        m->setTitle(tr(caption));
    for (const auto& [action, caption] : actionTexts_)
        action->setText(tr(caption));
    for (QAction* action : languageMenu_->actions())
        if (action->isCheckable())
            action->setChecked(action->data().toString() == dravik::ui::CurrentLanguage());
    showUndoSteps();
    PageControl1->setTabText(PageControl1->indexOf(StringGrid(dravik::kFileListGrid)->parentWidget()), tr("File List"));
    for (dravik::GridNumber n : dravik::SectionTables())
        PageControl1->setTabText(PageControl1->indexOf(StringGrid(n)->parentWidget()),
                                 n == dravik::kTextSectionTable ? tr("Text section") : tr("Section %1").arg(n.number()));
    showVariablesTabCaption();
    PageControl1->setTabText(PageControl1->indexOf(StringGrid(dravik::kSummaryGrid)->parentWidget()),
                             tr("Export/Import table"));
    updateTitle();
}

void TMainForm::showUndoSteps()
{
    const std::optional<EditStep> undo = history_->undoStep();
    const std::optional<EditStep> redo = history_->redoStep();
    Undo->setEnabled(undo.has_value());
    Undo->setText(undo ? tr("&Undo %1").arg(dravik::ui::StepName(*undo)) : tr("&Undo"));
    Redo->setEnabled(redo.has_value());
    Redo->setText(redo ? tr("&Redo %1").arg(dravik::ui::StepName(*redo)) : tr("&Redo"));
}

void TMainForm::showVariablesTabCaption()
{
    // "File of variables :" before the first Open variables, then with the
    // file's path straight after the colon.
    PageControl1->setTabText(PageControl1->indexOf(TabSheet11),
                             tr("File of variables :") + NativeText(variablesTabPath_));
}

dravik::ui::CommandHost TMainForm::commandHost()
{
    return {
        document_,
        *history_,
        dialogs_,
        this,
        [this](dravik::GridNumber n) { return StringGrid(n); },
        [this] { return currentTable(); },
        [this](dravik::GridNumber n) { PageControl1->setCurrentWidget(StringGrid(n)->parentWidget()); },
        [this](const std::function<void()>& command) { return run(command); },
        [this] { takeEdits(); },
    };
}

void TMainForm::createBulkEditActions()
{
    bulkEdits_ = new dravik::ui::BulkEditActions(commandHost(), this, EditMenu);
}

void TMainForm::createFolderActions()
{
    const dravik::ui::FolderHost host{
        dialogs_,
        this,
        [this] {
            takeEdits();
            return mayDropTableEdits(tr("opening other files")) && mayDropPreviewEdits();
        },
        [this](const std::vector<std::string>& files, const std::string& root) { return loadDescFiles(files, root); },
        [this] { return VarPath; },
        [this](const std::string& path) { return openVariablesFile(NativeText(path)); },
        [this] { return document_.openedRoot(); },
    };
    folderActions_ = new dravik::ui::FolderActions(host, N1, N10);
    new dravik::ui::FileDrop(this, [this](const QStringList& paths) { folderActions_->openPaths(paths); });
}

void TMainForm::createControls()
{
    Memo1 = NewMemo("Memo1", this);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo2 = NewMemo("Memo2", this);

    for (dravik::GridNumber n : dravik::AllGrids()) {
        auto* model = new GridModel(*history_, n);
        const auto kind = n == dravik::kSummaryGrid ? GridView::Kind::Summary : GridView::Kind::Working;
        auto* view = new GridView(model, &layouts_[n.index()], kind);
        view->setObjectName(QStringLiteral("StringGrid%1").arg(n.number()));
        models_[n.index()] = model;
        grids_[n.index()] = view;
    }

    PageControl1 = new QTabWidget;
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    // Captions come with retranslateUi.
    PageControl1->addTab(NewPage(QStringLiteral("TabSheet12"), StringGrid(dravik::kFileListGrid)), QString());
    for (dravik::GridNumber n : dravik::SectionTables())
        PageControl1->addTab(NewPage(QStringLiteral("TabSheet%1").arg(n.number()), StringGrid(n)), QString());
    TabSheet11 = NewPage(QStringLiteral("TabSheet11"), Memo2);
    PageControl1->addTab(TabSheet11, QString());
    PageControl1->addTab(NewPage(QStringLiteral("TabSheet13"), StringGrid(dravik::kSummaryGrid)), QString());
    PageControl1->setCurrentIndex(0);

    // The filter bar stands over the tab control.
    auto* tables = new QWidget;
    tables->setObjectName(QStringLiteral("TablesPane"));
    auto* layout = new QVBoxLayout(tables);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    filterBar_ = new dravik::ui::FilterBar;
    filterBar_->hide();
    layout->addWidget(filterBar_);
    layout->addWidget(PageControl1, 1);

    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->addWidget(Memo1);
    Splitter1->addWidget(tables);
    Splitter1->setHandleWidth(kSplitterWidth);
    Splitter1->setChildrenCollapsible(false);
    // The tab control keeps its width when the window is resized.
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    QWidget* handle = Splitter1->handle(1);
    QPalette shadow = handle->palette();
    shadow.setColor(QPalette::Window, shadow.color(QPalette::Dark));
    handle->setPalette(shadow);
    handle->setAutoFillBackground(true);
    setCentralWidget(Splitter1);

    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    dravik::ui::AddStatusPanels(bar, statusPanels_, {100, 100, 50});

    connect(StringGrid(dravik::kFileListGrid)->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TMainForm::fileListCurrentChanged);
    GridView* summary = StringGrid(dravik::kSummaryGrid);
    connect(summary, &QAbstractItemView::doubleClicked, this, &TMainForm::StringGrid12DblClick);
    connect(summary->horizontalHeader(), &QHeaderView::sectionDoubleClicked, this, &TMainForm::StringGrid12DblClick);
    connect(summary->verticalHeader(), &QHeaderView::sectionDoubleClicked, this, &TMainForm::StringGrid12DblClick);
}

void TMainForm::FormCreate()
{
    updateTitle();
    // Every window of the program, and the task bar, show it.
    QApplication::setWindowIcon(dravik::ui::ProgramIcon());

    const dravik::SettingsFile ini(settingsPath_);
    EditorPath = ini.readString("Other", "EditorPath", kDefaultEditorPath);
    GamePath = ini.readString("Other", "GamePath", kDefaultGamePath);
    const QString fontName = NativeText(ini.readString("Form", "FontName", kDefaultFontName));
    const int left = ini.readInteger("Form", "Left", 100);
    const int fontSize = ini.readInteger("Form", "FontSize", kDefaultFontSize);
    const int top = ini.readInteger("Form", "Top", 100);
    storedDiv_ = ini.readInteger("Form", "Div", 520);
    VarPath = ini.readString("Path", "Var", kDefaultVariablesPath);
    const bool initMax = ini.readBool("Form", "InitMax", false);
    const bool diffColours = ini.readBool("Form", "DiffColours", true);
    diffColoursStored_ = ini.readRaw("Form", "DiffColours").has_value();
    if (ini.readRaw("Other", "RespellKeyLines"))
        respelling_ = ini.readBool("Other", "RespellKeyLines", true) ? dravik::Respelling::AllKeyLines
                                                                     : dravik::Respelling::OnlyChangedLines;
    // The size is stored only once it is not the designed one.
    QSize size(ini.readInteger("Form", "Width", kInitialWidth), ini.readInteger("Form", "Height", kInitialHeight));
    sizeStored_ = ini.readRaw("Form", "Width").has_value() || ini.readRaw("Form", "Height").has_value();
    if (size.width() <= 0 || size.height() <= 0)
        size = QSize(kInitialWidth, kInitialHeight);
    folderActions_->readSettings(ini);
    modSetActions_->readSettings(ini);

    resize(size);
    move(left, top);
    // A tab width stored for a wider window, or a wider screen, leaves the
    // preview its share; a maximized window is as wide as its screen.
    int panes = size.width();
    if (initMax) {
        const QScreen* screen = QGuiApplication::screenAt(QPoint(left, top));
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        if (screen)
            panes = screen->availableGeometry().width();
    }
    panes -= kSplitterWidth;
    const int div = dravik::ui::ClampedPaneWidth(storedDiv_, panes);
    Splitter1->setSizes({panes - div, div});
    dravik::ui::KeepPanesUsable(Splitter1);
    dravik::ui::FitOnScreenWhenShown(this);
    setWindowState(initMax ? Qt::WindowMaximized : Qt::WindowNoState);

    // Every window and dialog takes the application's font.
    dravik::ui::UseDrawnApplicationFont();
    QFont font(fontName);
    if (fontSize > 0)
        font.setPointSize(fontSize);
    ApplyFont(font);
    InitSectionHeaders();
    showTexts();

    StartEditor1->setEnabled(dravik::AsciiLowered(EditorPath) != kDefaultEditorPath);
    StartGame1->setEnabled(dravik::AsciiLowered(GamePath) != kDefaultGamePath);
    // The pack folder comes from a console manager window, and none exists yet.
    QuickPack1->setEnabled(!conman::PackPath.empty());
    DiffColours->setChecked(diffColours);
    DiffColoursClick(diffColours);
    modActions_->readSettings(ini);
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    takeEdits();
    if (!mayDropTableEdits(tr("closing")) || !mayDropPreviewEdits() || !mayDropVariablesEdits()) {
        event->ignore();
        return;
    }
    FormClose();
    // The settings are the only thing lost when they cannot be written; the
    // user asked to close and the window closes.
    event->accept();
}

void TMainForm::FormClose()
{
    dravik::SettingsFile ini(settingsPath_);
    const bool maximized = isMaximized();
    const std::function<bool()> writes[] = {
        [&] { return ini.writeString("Form", "FontName", NativeBytes(fontDialogFont_.family())); },
        [&] { return ini.writeInteger("Form", "Left", x()); },
        [&] { return ini.writeBool("Form", "InitMax", maximized); },
        [&] { return ini.writeInteger("Form", "FontSize", fontDialogFont_.pointSize()); },
        [&] { return ini.writeInteger("Form", "Top", y()); },
        [&] { return ini.writeInteger("Form", "Div", tabControlWidth()); },
        [&] { return ini.writeString("Path", "Var", VarPath); },
        [&] { return ini.writeString("Other", "GamePath", GamePath); },
        [&] { return ini.writeString("Other", "EditorPath", EditorPath); },
        // Only once the user has switched it: a file never touched keeps its bytes.
        [&] {
            const bool on = DiffColours->isChecked();
            return (!diffColoursStored_ && on) || ini.writeBool("Form", "DiffColours", on);
        },
        [&] {
            return !respelling_ ||
                   ini.writeBool("Other", "RespellKeyLines", *respelling_ == dravik::Respelling::AllKeyLines);
        },
        [&] { return modActions_->writeSettings(ini); },
        // The size the window comes back to when it is no longer maximized.
        [&] {
            const QSize size = normalGeometry().size();
            if (!sizeStored_ && size == QSize(kInitialWidth, kInitialHeight))
                return true;
            return ini.writeInteger("Form", "Width", size.width()) && ini.writeInteger("Form", "Height", size.height());
        },
        [&] { return folderActions_->writeSettings(ini); },
        [&] { return modSetActions_->writeSettings(ini); },
        // Only once chosen in the menu, as the system's language is followed till then.
        [&] { return !languageStored_ || ini.writeString("Form", "Language", storedLanguage_.toStdString()); },
    };
    for (const auto& write : writes) {
        if (!write()) {
            showError(dravik::UnableToWriteMessage(settingsPath_));
            return;
        }
    }
}

int TMainForm::tabControlWidth() const
{
    // Before the window is first laid out the tab control has no real width.
    return isVisible() ? PageControl1->width() : storedDiv_;
}

void TMainForm::InitSectionHeaders()
{
    // The start-up headers and row numbers; the file list's headers with them.
    document_.startUp();
    for (dravik::GridNumber n : dravik::SectionTables()) {
        layouts_[n.index()].setWidth(1, 18 * fontSize_);
        StringGrid(n)->applyLayout();
    }
}

void TMainForm::ApplyFont(const QFont& font)
{
    fontDialogFont_ = font;
    // The menus keep the system's font, as the window's font is the tables'.
    menuBar()->setFont(QApplication::font(menuBar()));
    // A font the system cannot draw is kept as the chosen one, and drawn in
    // the system's face.
    const QFont drawn = dravik::ui::DrawnFont(font);
    setFont(drawn);
    for (GridView* grid : grids_)
        grid->setFont(drawn);
    if (font.pointSize() > 0)
        fontSize_ = font.pointSize();
    FitColumnWidths();
}

void TMainForm::FitColumnWidths()
{
    for (dravik::GridNumber n : dravik::FileRowTables()) {
        layouts_[n.index()].fitToHeaders(document_.grid(n), fontSize_);
        // Paths and descriptions are read whole, not by their headers' width.
        StringGrid(n)->widenToTexts(kWidestTextColumn * fontSize_);
        StringGrid(n)->applyLayout();
    }
}

bool TMainForm::run(const std::function<void()>& command)
{
    // A long command lets the event loop run; nothing reached meanwhile
    // starts another one on its half-done tables.
    if (dravik::ui::LongWork::Running())
        return false;
    std::optional<dravik::Message> failure;
    try {
        takeEdits();
        command();
    } catch (const std::exception& error) {
        failure = dravik::ui::FailureMessage(error);
    }
    try {
        showTexts();
        showTableViews();
    } catch (const std::exception& error) {
        if (!failure)
            failure = dravik::ui::FailureMessage(error);
    }
    if (!failure)
        return true;
    showError(*failure);
    return false;
}

void TMainForm::takeEdits()
{
    for (GridView* grid : grids_)
        grid->commitEdit();
    if (Memo1->document()->isModified()) {
        shownDescText_ = MemoLines(Memo1->toPlainText(), document_.codePage());
        document_.setDescText(shownDescText_);
        Memo1->document()->setModified(false);
    }
    if (Memo2->document()->isModified()) {
        shownVariablesText_ = MemoLines(Memo2->toPlainText(), document_.codePage());
        document_.setVariablesText(shownVariablesText_);
        Memo2->document()->setModified(false);
    }
}

void TMainForm::showTexts()
{
    if (document_.descText() != shownDescText_)
        showDescText();
    if (document_.variablesText() != shownVariablesText_) {
        Memo2->setPlainText(MemoText(document_.variablesText(), document_.codePage()));
        Memo2->document()->setModified(false);
        shownVariablesText_ = document_.variablesText();
    }
    setStatusText(document_.currentDescFile());
}

void TMainForm::showDescText()
{
    Memo1->setPlainText(MemoText(document_.descText(), document_.codePage()));
    Memo1->document()->setModified(false);
    shownDescText_ = document_.descText();
}

void TMainForm::modifiedChanged(bool) { updateTitle(); }

void TMainForm::updateTitle()
{
    // The caption carries a star while the tables differ from the files.
    setWindowTitle(tr(kCaption) + (document_.isModified() ? QStringLiteral(" *") : QString()));
}

void TMainForm::showError(const dravik::Message& message)
{
    dravik::ui::ShowErrorBox(dialogs_, this, message);
}

void TMainForm::setStatusText(const std::string& path)
{
    statusPanels_[kPathPanel]->setText(NativeText(path));
}

QStringList TMainForm::askOpenFiles() { return dialogs_.openFiles(this, openDialog1_); }

void TMainForm::N2Click()
{
    openDialog1_.title = tr("Select the desc files");
    openDialog1_.filter = tr("all files (*.*)|*.*");
    const QStringList paths = askOpenFiles();
    if (!paths.isEmpty())
        openDescFiles(paths);
}

void TMainForm::openDescFiles(const QStringList& paths)
{
    takeEdits();
    if (!mayDropTableEdits(tr("opening other files")) || !mayDropPreviewEdits())
        return;
    std::vector<std::string> files;
    files.reserve(static_cast<size_t>(paths.size()));
    for (const QString& path : paths)
        files.push_back(NativeBytes(path));
    loadDescFiles(files, {});
}

bool TMainForm::loadDescFiles(const std::vector<std::string>& files, const std::string& root)
{
    Memo1->setEnabled(false);
    const bool loaded = run([&] {
        dravik::ui::LongWork work(this, tr("Open desc"));
        dravik::LoadHooks hooks;
        hooks.progress = work.progress();
        hooks.fitColumnWidths = [&] {
            // The section tables show their paths below the folder opened,
            // and are as wide as that.
            if (!root.empty())
                document_.setOpenedRoot(root);
            FitColumnWidths();
        };
        document_.openDesc(files, hooks);
        if (!root.empty())
            document_.setOpenedRoot(root);
    });
    // A load replaces the tables, done or failed: the history starts afresh.
    history_->clear();
    // Also after a failed load: the preview shows the file that was loaded last.
    Memo1->setEnabled(true);
    // The rows of the files after it are gone; the error box gave the reason.
    const std::vector<dravik::PathAlias>& aliases = document_.openedAliases();
    QStringList status;
    if (document_.loadStoppedAt() != 0)
        status << tr("Open desc stopped at %1: %2 of %3 files loaded")
                      .arg(QFileInfo(NativeText(document_.loadStoppedFile())).fileName())
                      .arg(document_.descFileCount())
                      .arg(files.size() - aliases.size());
    // A file reached by two paths has one row; the other path is named.
    if (!aliases.empty()) {
        auto name = [this](const std::string& path) {
            return NativeText(dravik::RelativeToRoot(document_.openedRoot(), path));
        };
        const QString path = name(aliases.front().path);
        const QString file = name(aliases.front().file);
        const qsizetype more = static_cast<qsizetype>(aliases.size()) - 1;
        status << (more == 0 ? tr("%1 is the same file as %2: opened once").arg(path, file)
                             : tr("%1 is the same file as %2, and %3: each file opened once")
                                   .arg(path, file,
                                        tr("%n more path names a file opened already",
                                           "%n more paths name files opened already", static_cast<int>(more))));
    }
    statusPanels_[0]->setText(status.join(QStringLiteral("; ")));
    modSetActions_->filesOpened();
    modActions_->filesOpened();
    return loaded;
}

void TMainForm::N10Click() { saveAll(); }

bool TMainForm::saveAll()
{
    takeEdits();
    return mayDropPreviewEdits() &&
           dravik::ui::SaveAllTables(commandHost(), {profiles_, checkPane_->checks(), respelling_, statusPanels_[0]});
}

bool TMainForm::mayDropTableEdits(const QString& what)
{
    // The merged view's changes are the mod set's choices and order, which
    // Save mod set keeps and Save all never writes into the files read.
    if (modSetActions_ && modSetActions_->modSet())
        return modSetActions_->mayDropModSet(what);
    if (!document_.isModified())
        return true;
    int files = 0;
    for (int r = 1; r <= document_.descFileCount(); ++r)
        files += document_.rowChanged(r) ? 1 : 0;
    const QString text = tr("The tables have unsaved changes (%n cell in %1). Save them before %2?",
                                "The tables have unsaved changes (%n cells in %1). Save them before %2?",
                                static_cast<int>(document_.changedCellCount()))
                             .arg(tr("%n file", "%n files", static_cast<int>(files)), what);
    switch (dialogs_.ask(this, tr("Unsaved changes"), text, {tr("&Save all"), tr("&Discard"), tr("Cancel")})) {
    case 0: return saveAll() && !document_.isModified();
    case 1: return true;
    default: return false;
    }
}

bool TMainForm::mayDropPreviewEdits()
{
    if (!document_.descTextModified())
        return true;
    const QString text = tr("The desc preview of %1 has unsaved edits. Save them first?")
                             .arg(NativeText(document_.currentDescFile()));
    switch (dialogs_.ask(this, tr("Unsaved changes"), text, {tr("Save c&urrent"), tr("&Discard"), tr("Cancel")})) {
    case 0: return saveCurrentDesc();
    case 1: return true;
    default: return false;
    }
}

bool TMainForm::mayDropVariablesEdits()
{
    if (!document_.variablesTextModified())
        return true;
    switch (dravik::ui::AskAboutVariablesEdits(dialogs_, this)) {
    case dravik::ui::UnsavedAnswer::Save: return saveVariablesAs();
    case dravik::ui::UnsavedAnswer::Discard: return true;
    case dravik::ui::UnsavedAnswer::Cancel: break;
    }
    return false;
}

void TMainForm::N3Click() { saveCurrentDesc(); }

bool TMainForm::saveCurrentDesc()
{
    for (;;) {
        dravik::CurrentSave planned;
        if (!run([&] { planned = document_.planSaveCurrent(); }))
            return false;
        // Another program's change since the preview was loaded is not
        // written over unasked, as Save all asks.
        if (planned.changedOnDisk && !dravik::ui::MayOverwriteChangedCurrentFile(dialogs_, this, planned))
            return false;
        bool changedMeanwhile = false;
        const bool saved = run([&] {
            try {
                history_->apply(EditStep::SaveCurrent,
                                [&](dravik::DescDocument& d) { return d.saveCurrent(planned); });
            } catch (const dravik::ChangedOnDiskError&) {
                changedMeanwhile = true;  // nothing was written
            }
        });
        if (!changedMeanwhile) {
            if (saved)
                history_->setClean();
            return saved;
        }
    }
}

void TMainForm::Exporttable1Click() { dravik::ui::ExportTableFile(commandHost(), statusPanels_[0]); }

void TMainForm::Importtable1Click()
{
    dravik::ui::ImportTableFile(commandHost(), askOpenFiles(), [this] { FitColumnWidths(); });
}

void TMainForm::StringGrid12DblClick()
{
    if (dialogs_.confirm(this, tr("Clear summary table?")))
        run([&] { history_->apply(EditStep::ClearSummaryTable, dravik::ClearSummaryTable); });
}

void TMainForm::ReviewChangesClick()
{
    takeEdits();
    dravik::SavePlan plan;
    if (!run([&] {
            dravik::ui::LongWork work(this, tr("Review changes"));
            plan = document_.planSaveAll(work.progress(), true, respelling_.value_or(dravik::Respelling::AllKeyLines));
        }))
        return;
    const dravik::ui::SaveReview review = dravik::ui::ReviewOfSave(plan, document_.codePage());
    QList<dravik::ui::ReviewPage> pages = {{tr("What Save all writes"), review.summary, review.details}};
    std::optional<dravik::ui::ReviewPage> againstBase;
    if (!run([&] { againstBase = modActions_->reviewPage(); }))
        return;
    if (againstBase)
        pages.append(*againstBase);
    if (dialogs_.review(this, tr("Review changes"), pages, tr("&Save all"), tr("&Back")))
        N10Click();
}

void TMainForm::UndoClick()
{
    run([&] { history_->undo(); });
}

void TMainForm::RedoClick()
{
    run([&] { history_->redo(); });
}

GridView* TMainForm::currentTable() const
{
    for (dravik::GridNumber n : dravik::FileRowTables())
        if (StringGrid(n)->isVisibleTo(this) && PageControl1->currentWidget()->isAncestorOf(StringGrid(n)))
            return StringGrid(n);
    return nullptr;
}

void TMainForm::RevertClick()
{
    run([&] {
        GridView* view = currentTable();
        if (!view)
            return;
        // The selected rectangle's shown rows, as every bulk edit takes them.
        const dravik::CellBlock block = dravik::ui::SelectedBlock(view);
        std::vector<dravik::CellEdit> edits;
        for (int row : block.rows)
            for (int col : block.columns)
                if (document_.cellChanged(block.grid, col, row))
                    edits.push_back({block.grid, col, row, std::string(document_.diskValue(block.grid, col, row))});
        history_->apply(EditStep::Revert, [&](dravik::DescDocument& document) { return document.setCells(edits); });
    });
}

void TMainForm::N6Click()
{
    openDialog1_.title = tr("Select the variable file");
    const QStringList files = askOpenFiles();
    takeEdits();
    if (!files.isEmpty() && mayDropVariablesEdits() && openVariablesFile(files.first()))
        offerToLayOutAgain(false);
}

void TMainForm::offerToLayOutAgain(bool drafted)
{
    // Open desc of the same files, with its question about unsaved changes;
    // files opened as a folder keep that folder as their root.
    if (document_.descFileCount() == 0 || !document_.variablesChangedSinceOpen() ||
        !dravik::ui::MayLayOutAgain(dialogs_, this, document_.descFileCount(), drafted))
        return;
    takeEdits();
    if (!mayDropTableEdits(tr("laying the files out again")) || !mayDropPreviewEdits())
        return;
    std::vector<std::string> files;
    for (int r = 1; r <= document_.descFileCount(); ++r)
        files.push_back(document_.filePath(dravik::FileRow(r)));
    loadDescFiles(files, std::string(document_.openedRoot()));
}

void TMainForm::draftVariables()
{
    DAN1Click();
    QStringList files;
    for (int r = 1; r <= document_.descFileCount(); ++r)
        files << NativeText(document_.filePath(dravik::FileRow(r)));
    if (!files.isEmpty())
        dan_->listKeysOf(files);
}

void TMainForm::analyzerClosed()
{
    show();
    // Asked once the analyzer's window is gone.
    if (std::exchange(variablesDrafted_, false))
        QTimer::singleShot(0, this, [this] { offerToLayOutAgain(true); });
}

bool TMainForm::openVariablesFile(const QString& path)
{
    VarPath = NativeBytes(path);
    return run([&] {
        document_.loadVariables(VarPath);
        variablesTabPath_ = VarPath;
        showVariablesTabCaption();
    });
}

void TMainForm::N7Click() { saveVariablesAs(); }

bool TMainForm::saveVariablesAs()
{
    const auto path = dialogs_.saveFile(this, {tr("Save variables"), QString(), QString()});
    if (!path)
        return false;
    const std::string file = NativeBytes(*path);
    return run([&] {
        document_.saveVariables(file);
        VarPath = file;
    });
}

void TMainForm::SelectFontClick()
{
    if (const auto font = dialogs_.chooseFont(this, fontDialogFont_))
        run([&] { ApplyFont(*font); });
}

void TMainForm::N12Click()
{
    auto* box = new TAboutBox(this);
    box->show();
}

bool TMainForm::StringGrid11SelectCell(int, int row)
{
    takeEdits();
    // Loading another file into the preview drops the preview's edits.
    const std::string name(document_.fileList().cell(dravik::kFileNameColumn, row));
    const std::string path(document_.fileList().cell(dravik::kFilePathColumn, row));
    if (!name.empty() && !path.empty() && !mayDropPreviewEdits())
        return false;
    return run([&] { document_.selectFileListRow(row); });
}

void TMainForm::fileListCurrentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    // The current cell also moves when the rows or columns under it go: that
    // chooses no file.
    if (selectingFileListCell_ || !current.isValid() || document_.notifying() || dravik::ui::LongWork::Running())
        return;
    if (StringGrid11SelectCell(current.column() + 1, current.row() + 1))
        return;
    // A file that cannot be read keeps the selection where it was.
    selectingFileListCell_ = true;
    StringGrid(dravik::kFileListGrid)
        ->selectionModel()
        ->setCurrentIndex(previous, QItemSelectionModel::ClearAndSelect);
    selectingFileListCell_ = false;
}

namespace {

// The program is started in its own folder and waited for, the windows busy
// meanwhile. Its path is one program whatever it holds: quoted on Windows,
// taken whole elsewhere.
void StartAndWait(const std::string& program)
{
    const dravik::ui::ChildWait wait(program);
    std::string output;
    dravik::RunPipedProgram(dravik::PathOfFile(program), program, output);
}

}  // namespace

void TMainForm::chooseProgram(const QString& title, std::string& path, QAction* start)
{
    openDialog1_.title = title;
    const QStringList files = askOpenFiles();
    if (files.isEmpty())
        return;
    path = NativeBytes(QDir::toNativeSeparators(files.first()));
    start->setEnabled(true);
}

void TMainForm::Pathtoeditor1Click()
{
    chooseProgram(tr("Select the executable file of map editor"), EditorPath, StartEditor1);
}

void TMainForm::Pathtogame1Click() { chooseProgram(tr("Select the SuddenStrike executable file"), GamePath, StartGame1); }

// Both block until the program has ended: no other command runs meanwhile.
void TMainForm::StartEditor1Click()
{
    if (!EditorPath.empty())
        run([&] { StartAndWait(EditorPath); });
}

void TMainForm::StartGame1Click()
{
    if (!GamePath.empty())
        run([&] { StartAndWait(GamePath); });
}

void TMainForm::QuickPack1Click()
{
    if (FormCM)
        FormCM->Button2Click();
}

void TMainForm::ConMan1Click()
{
    // Only the newest window is ever reached again (by QuickPack), so the one
    // before it, closed and hidden, goes.
    delete FormCM.data();
    FormCM = new TFormCM(settingsPath_, dialogs_, QuickPack1, this);
    FormCM->show();
    hide();
}

void TMainForm::DAN1Click()
{
    // The analyzer may replace the variables text; what the user typed into
    // it before belongs to the document first.
    takeEdits();
    dravik::ui::AnalyzerHost host{document_,
                                  [this] {
                                      showTexts();
                                      variablesDrafted_ = true;
                                  },
                                  [this] { analyzerClosed(); }};
    dan_ = std::make_unique<TdanForm>(std::move(host), dialogs_);
    dan_->show();
    hide();
}

void TMainForm::createTableViews()
{
    for (dravik::GridNumber n : dravik::SectionTables())
        StringGrid(n)->gridModel()->setProfiles(&profiles_);

    std::array<GridView*, dravik::kFileListGrid.number()> working{};
    for (dravik::GridNumber n : dravik::FileRowTables())
        working[n.index()] = StringGrid(n);
    tableFilter_ = std::make_unique<dravik::ui::TableFilter>(document_, profiles_, working, filterBar_);

    summaryPanel_ = new dravik::ui::SummaryPanel(document_);
    summaryDock_ = new QDockWidget(tr("Column summary"), this);
    summaryDock_->setObjectName(QStringLiteral("ColumnSummaryDock"));
    summaryDock_->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    summaryDock_->setWidget(summaryPanel_);
    addDockWidget(Qt::RightDockWidgetArea, summaryDock_);
    summaryDock_->hide();
    dravik::ui::KeepPaneWhileDocking(Splitter1, 0, summaryDock_);

    auto tabChanged = [this] {
        GridView* view = currentTable();
        tableFilter_->followTab(view ? view->gridModel()->gridNumber() : dravik::GridNumber(0));
        summaryPanel_->setView(view);
    };
    connect(PageControl1, &QTabWidget::currentChanged, this, tabChanged);
    tabChanged();
    connect(tableFilter_.get(), &dravik::ui::TableFilter::applied, this, [this] {
        statusPanels_[1]->setText(tableFilter_->statusText());
        summaryPanel_->refreshLater();
    });
    connect(filterBar_, &dravik::ui::FilterBar::closeRequested, this, [this] {
        tableFilter_->clear();
        filterBar_->hide();
        if (GridView* view = currentTable())
            view->setFocus();
    });
    connect(summaryPanel_, &dravik::ui::SummaryPanel::filterRequested, tableFilter_.get(),
            &dravik::ui::TableFilter::filterColumns);

    std::array<GridView*, dravik::kSectionCount> sections{};
    for (dravik::GridNumber n : dravik::SectionTables())
        sections[n.index()] = StringGrid(n);
    auto* hint = new dravik::ui::VariablesHint(document_, sections, this);
    connect(hint, &dravik::ui::VariablesHint::openVariables, this, &TMainForm::N6Click);
    connect(hint, &dravik::ui::VariablesHint::draftVariables, this, &TMainForm::draftVariables);
}

void TMainForm::createViewMenu()
{
    ViewMenu = new QMenu(tr("&View"), this);
    ViewMenu->setObjectName(QStringLiteral("ViewMenu"));
    menuBar()->insertMenu(N5->menuAction(), ViewMenu);
    FilterRows = ViewMenu->addAction(tr("&Filter rows\u2026"), this, &TMainForm::FilterRowsClick);
    FilterRows->setObjectName(QStringLiteral("FilterRows"));
    FilterRows->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F), QKeySequence(Qt::CTRL | Qt::Key_L)});
    FilterRows->setShortcutContext(Qt::WindowShortcut);
    DiffColours = ViewMenu->addAction(tr("&Difference colours"));
    DiffColours->setObjectName(QStringLiteral("DiffColours"));
    DiffColours->setCheckable(true);
    DiffColours->setToolTip(tr("Values that differ from their column's most common value in blue"));
    connect(DiffColours, &QAction::toggled, this, &TMainForm::DiffColoursClick);
    ColumnSummary = summaryDock_->toggleViewAction();
    ColumnSummary->setText(tr("Column &summary"));
    ColumnSummary->setObjectName(QStringLiteral("ColumnSummary"));
    ViewMenu->addAction(ColumnSummary);
}

void TMainForm::showTableViews()
{
    if (tableFilter_)
        tableFilter_->refresh();
}

void TMainForm::FilterRowsClick() { filterBar_->open(); }

void TMainForm::DiffColoursClick(bool on)
{
    for (dravik::GridNumber n : dravik::SectionTables())
        StringGrid(n)->gridModel()->setShowDifferences(on);
}
