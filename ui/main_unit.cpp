#include "ui/main_unit.h"

#include "core/code_page.h"
#include "core/dravik2_auxillary.h"
#include "core/errors.h"
#include "core/settings_file.h"
#include "core/table_exchange.h"
#include "core/table_text_file.h"
#include "tools/process_runner.h"
#include "ui/about_unit.h"
#include "ui/application_title.h"
#include "ui/child_wait.h"
#include "ui/conman.h"
#include "ui/dan.h"
#include "ui/error_box.h"
#include "ui/display_text.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"
#include "ui/long_work.h"
#include "ui/menu_shortcuts.h"
#include "ui/status_panels.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

using dravik::ui::GridModel;
using dravik::ui::GridView;
using dravik::ui::MemoLines;
using dravik::ui::MemoText;
using dravik::ui::NativeBytes;
using dravik::ui::NativeText;

namespace {

const char* const kCaption = "Dravik 2 v1.3 beta";
const char* const kVariablesTabCaption = "File of variables :";
constexpr int kInitialWidth = 767;
constexpr int kInitialHeight = 481;
constexpr int kSplitterWidth = 8;
constexpr int kPathPanel = 2;

const char* const kDefaultEditorPath = "c:\\edit.exe";
const char* const kDefaultGamePath = "c:\\game.exe";
const char* const kDefaultFontName = "MS Sans Serif";
const char* const kDefaultVariablesPath = "c:\\variables.var";

QPlainTextEdit* NewMemo(const char* name, QWidget* parent)
{
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(QLatin1String(name));
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    dravik::ui::MenuShortcutsFirst::Install(memo);
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
    createControls();
    createMenus();
    FormCreate();
}

TMainForm::~TMainForm()
{
    // The views go before the workspace they show: closing the window would
    // otherwise commit an open cell editor into a grid already destroyed.
    delete takeCentralWidget();
}

void TMainForm::createMenus()
{
    auto menu = [this](const char* name, const QString& caption) {
        QMenu* m = menuBar()->addMenu(caption);
        m->setObjectName(QLatin1String(name));
        return m;
    };
    auto item = [this](QMenu* m, const char* name, const QString& caption, const QKeySequence& key,
                       void (TMainForm::*handler)()) {
        QAction* action = m->addAction(caption);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    const QKeySequence none;

    N1 = menu("N1", QStringLiteral("&File"));
    N2 = item(N1, "N2", QStringLiteral("&Open desc"), QKeySequence(Qt::CTRL | Qt::Key_O), &TMainForm::N2Click);
    N10 = item(N1, "N10", QStringLiteral("&Save all"), QKeySequence(Qt::CTRL | Qt::Key_E), &TMainForm::N10Click);
    N3 = item(N1, "N3", QStringLiteral("Save c&urrent"), QKeySequence(Qt::CTRL | Qt::Key_S), &TMainForm::N3Click);
    Exporttable1 = item(N1, "Exporttable1", QStringLiteral("Export table"), none, &TMainForm::Exporttable1Click);
    Importtable1 = item(N1, "Importtable1", QStringLiteral("Import table                 "), none,
                        &TMainForm::Importtable1Click);

    N5 = menu("N5", QStringLiteral("S&ettings"));
    N6 = item(N5, "N6", QStringLiteral("Open va&riables"), none, &TMainForm::N6Click);
    N7 = item(N5, "N7", QStringLiteral("Save var&iables"), none, &TMainForm::N7Click);
    SelectFont = item(N5, "SelectFont", QStringLiteral("Fon&t"), none, &TMainForm::SelectFontClick);
    Pathtoeditor1 = item(N5, "Pathtoeditor1", QStringLiteral("Path to editor"), none, &TMainForm::Pathtoeditor1Click);
    Pathtogame1 = item(N5, "Pathtogame1", QStringLiteral("Path to game"), none, &TMainForm::Pathtogame1Click);

    Utitlit1 = menu("Utitlit1", QStringLiteral("Utitlities"));
    ConMAN2 = item(Utitlit1, "ConMAN2", QStringLiteral("Co&nMAN"), QKeySequence(Qt::CTRL | Qt::Key_N),
                   &TMainForm::ConMan1Click);
    DAN2 = item(Utitlit1, "DAN2", QStringLiteral("D&AN                    "), QKeySequence(Qt::CTRL | Qt::Key_D),
                &TMainForm::DAN1Click);

    asks1 = menu("asks1", QStringLiteral("Tasks"));
    QuickPack1 = item(asks1, "QuickPack1", QStringLiteral("QuickPack             "), none, &TMainForm::QuickPack1Click);
    StartEditor1 = item(asks1, "StartEditor1", QStringLiteral("Start Editor"), QKeySequence(Qt::Key_F8),
                        &TMainForm::StartEditor1Click);
    StartGame1 = item(asks1, "StartGame1", QStringLiteral("Start Game"), QKeySequence(Qt::Key_F9),
                      &TMainForm::StartGame1Click);

    N11 = menu("N11", QStringLiteral("Ab&out"));
    N12 = item(N11, "N12", QStringLiteral("Version"), none, &TMainForm::N12Click);
}

void TMainForm::createControls()
{
    Memo1 = NewMemo("Memo1", this);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo2 = NewMemo("Memo2", this);

    for (int n = 1; n <= dravik::kGridCount; ++n) {
        auto* model = new GridModel(workspace_.grid(n), workspace_.codePage(), this);
        const auto kind = n == dravik::kSummaryGrid ? GridView::Kind::Summary : GridView::Kind::Working;
        auto* view = new GridView(model, kind);
        view->setObjectName(QStringLiteral("StringGrid%1").arg(n));
        models_[static_cast<size_t>(n - 1)] = model;
        grids_[static_cast<size_t>(n - 1)] = view;
    }

    PageControl1 = new QTabWidget;
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->addTab(NewPage(QStringLiteral("TabSheet12"), StringGrid(dravik::kFileListGrid)),
                         QStringLiteral("File List"));
    for (int n = 1; n <= 9; ++n)
        PageControl1->addTab(NewPage(QStringLiteral("TabSheet%1").arg(n), StringGrid(n)),
                             QStringLiteral("Section %1").arg(n));
    PageControl1->addTab(NewPage(QStringLiteral("TabSheet10"), StringGrid(10)), QStringLiteral("Text section"));
    TabSheet11 = NewPage(QStringLiteral("TabSheet11"), Memo2);
    PageControl1->addTab(TabSheet11, QLatin1String(kVariablesTabCaption));
    PageControl1->addTab(NewPage(QStringLiteral("TabSheet13"), StringGrid(dravik::kSummaryGrid)),
                         QStringLiteral("Export/Import table"));
    PageControl1->setCurrentIndex(0);

    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->addWidget(Memo1);
    Splitter1->addWidget(PageControl1);
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
    setWindowTitle(QLatin1String(kCaption));
    resize(kInitialWidth, kInitialHeight);

    const dravik::SettingsFile ini(settingsPath_);
    EditorPath = ini.readString("Other", "EditorPath", kDefaultEditorPath);
    GamePath = ini.readString("Other", "GamePath", kDefaultGamePath);
    const QString fontName = NativeText(ini.readString("Form", "FontName", kDefaultFontName));
    const int left = ini.readInteger("Form", "Left", 100);
    const int fontSize = ini.readInteger("Form", "FontSize", dravik::kDefaultFontSize);
    const int top = ini.readInteger("Form", "Top", 100);
    storedDiv_ = ini.readInteger("Form", "Div", 520);
    VarPath = ini.readString("Path", "Var", kDefaultVariablesPath);
    const bool initMax = ini.readBool("Form", "InitMax", false);

    move(left, top);
    Splitter1->setSizes({std::max(kInitialWidth - kSplitterWidth - storedDiv_, 0), storedDiv_});
    setWindowState(initMax ? Qt::WindowMaximized : Qt::WindowNoState);

    QFont font(fontName);
    if (fontSize > 0)
        font.setPointSize(fontSize);
    ApplyFont(font);
    InitSectionHeaders();
    workspace_.writeFileListHeaders();
    showWorkspace();

    StartEditor1->setEnabled(dravik::AsciiLowered(EditorPath) != kDefaultEditorPath);
    StartGame1->setEnabled(dravik::AsciiLowered(GamePath) != kDefaultGamePath);
    // The pack folder comes from a console manager window, and none exists yet.
    QuickPack1->setEnabled(!conman::PackPath.empty());
}

void TMainForm::closeEvent(QCloseEvent* event)
{
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
    workspace_.initSectionHeaders();
    showWorkspace();
}

void TMainForm::ApplyFont(const QFont& font)
{
    fontDialogFont_ = font;
    // The menus keep the system's font, as the window's font is the tables'.
    menuBar()->setFont(QApplication::font(menuBar()));
    setFont(font);
    for (GridView* grid : grids_)
        grid->setFont(font);
    if (font.pointSize() > 0)
        workspace_.fontSize = font.pointSize();
    workspace_.fitColumnWidths();
    showWorkspace();
}

bool TMainForm::run(const std::function<void()>& command)
{
    std::string failure;
    try {
        takeEdits();
        command();
    } catch (const std::exception& error) {
        failure = error.what();
    }
    try {
        showWorkspace();
    } catch (const std::exception& error) {
        if (failure.empty())
            failure = error.what();
    }
    if (failure.empty())
        return true;
    showError(failure);
    return false;
}

void TMainForm::takeEdits()
{
    for (GridView* grid : grids_)
        grid->commitEdit();
    if (Memo1->document()->isModified()) {
        workspace_.descText = MemoLines(Memo1->toPlainText(), workspace_.codePage());
        shownDescText_ = workspace_.descText;
        Memo1->document()->setModified(false);
    }
    if (Memo2->document()->isModified()) {
        workspace_.variablesText = MemoLines(Memo2->toPlainText(), workspace_.codePage());
        shownVariablesText_ = workspace_.variablesText;
        Memo2->document()->setModified(false);
    }
}

void TMainForm::showWorkspace()
{
    // Moving the file list's current cell here is the model's doing, not a
    // selection by the user.
    const bool wasSelecting = selectingFileListCell_;
    selectingFileListCell_ = true;
    for (GridView* grid : grids_)
        grid->showGrid();
    selectingFileListCell_ = wasSelecting;

    if (workspace_.descText != shownDescText_)
        showDescText();
    if (workspace_.variablesText != shownVariablesText_) {
        Memo2->setPlainText(MemoText(workspace_.variablesText, workspace_.codePage()));
        Memo2->document()->setModified(false);
        shownVariablesText_ = workspace_.variablesText;
    }
    setStatusText(workspace_.currentDescFile);
}

void TMainForm::showDescText()
{
    Memo1->setPlainText(MemoText(workspace_.descText, workspace_.codePage()));
    Memo1->document()->setModified(false);
    shownDescText_ = workspace_.descText;
}

void TMainForm::showError(const std::string& message)
{
    dravik::ui::ShowErrorBox(dialogs_, this, message);
}

void TMainForm::setStatusText(const std::string& path)
{
    statusPanels_[kPathPanel]->setText(NativeText(path));
}

QString TMainForm::statusPanelText(int panel) const
{
    return statusPanels_.at(static_cast<size_t>(panel))->text();
}

QStringList TMainForm::askOpenFiles() { return dialogs_.openFiles(this, openDialog1_); }

void TMainForm::N2Click()
{
    openDialog1_.title = QStringLiteral("Select the desc files");
    openDialog1_.filter = QStringLiteral("all files (*.*)|*.*");
    const QStringList paths = askOpenFiles();
    if (!paths.isEmpty())
        openDescFiles(paths);
}

void TMainForm::openDescFiles(const QStringList& paths)
{
    std::vector<std::string> files;
    files.reserve(static_cast<size_t>(paths.size()));
    for (const QString& path : paths)
        files.push_back(NativeBytes(path));
    Memo1->setEnabled(false);
    run([&] {
        dravik::ui::LongWork work(this, QStringLiteral("Open desc"));
        workspace_.openDesc(files, work.progress());
    });
    // Also after a failed load: the preview shows the file that was loaded last.
    Memo1->setEnabled(true);
}

void TMainForm::N10Click()
{
    run([&] {
        dravik::ui::LongWork work(this, QStringLiteral("Save all"));
        workspace_.saveAll(work.progress());
    });
}

void TMainForm::N3Click()
{
    run([&] { workspace_.saveCurrent(); });
}

void TMainForm::Exporttable1Click()
{
    if (!run([&] { dravik::BuildSummaryTable(workspace_); }))
        return;
    const auto path = dialogs_.saveFile(
        this, {QString(), QStringLiteral("tabulated text files|*.txt"), QStringLiteral("txt")});
    if (path)
        run([&] { dravik::GridToTextFile(workspace_.summary(), NativeBytes(*path)); });
}

void TMainForm::Importtable1Click()
{
    const QStringList files = askOpenFiles();
    run([&] {
        if (!files.isEmpty())
            dravik::TextFileToGrid(workspace_.summary(), NativeBytes(files.first()));
        dravik::ApplySummaryTable(workspace_);
    });
}

void TMainForm::StringGrid12DblClick()
{
    if (dialogs_.confirm(this, QStringLiteral("Clear summary table?")))
        run([&] { dravik::ClearSummaryTable(workspace_); });
}

void TMainForm::N6Click()
{
    openDialog1_.title = QStringLiteral("Select the variable file");
    const QStringList files = askOpenFiles();
    if (!files.isEmpty())
        openVariablesFile(files.first());
}

void TMainForm::openVariablesFile(const QString& path)
{
    VarPath = NativeBytes(path);
    run([&] {
        workspace_.loadVariables(VarPath);
        PageControl1->setTabText(PageControl1->indexOf(TabSheet11),
                                 QLatin1String(kVariablesTabCaption) + NativeText(VarPath));
    });
}

void TMainForm::N7Click()
{
    const auto path = dialogs_.saveFile(this, {});
    if (!path)
        return;
    const std::string file = NativeBytes(*path);
    run([&] {
        workspace_.saveVariables(file);
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
    return run([&] { workspace_.selectFileListRow(row); });
}

void TMainForm::fileListCurrentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    if (selectingFileListCell_ || !current.isValid())
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

void TMainForm::Pathtoeditor1Click()
{
    openDialog1_.title = QStringLiteral("Select the executable file of map editor");
    const QStringList files = askOpenFiles();
    if (files.isEmpty())
        return;
    EditorPath = NativeBytes(QDir::toNativeSeparators(files.first()));
    StartEditor1->setEnabled(true);
}

void TMainForm::Pathtogame1Click()
{
    openDialog1_.title = QStringLiteral("Select the SuddenStrike executable file");
    const QStringList files = askOpenFiles();
    if (files.isEmpty())
        return;
    GamePath = NativeBytes(QDir::toNativeSeparators(files.first()));
    StartGame1->setEnabled(true);
}

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
    // it before belongs to the workspace first.
    takeEdits();
    dan_ = std::make_unique<TdanForm>(*this, dialogs_);
    dan_->show();
    hide();
}
