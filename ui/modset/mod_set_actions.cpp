#include "ui/modset/mod_set_actions.h"

#include "core/modset/merged_build.h"
#include "core/modset/mod_set.h"
#include "core/modset/mod_set_setup.h"
#include "ui/common/display_text.h"
#include "ui/common/long_work.h"
#include "ui/common/menu_item.h"
#include "ui/common/recent_menu.h"
#include "ui/modset/conflict_review.h"
#include "ui/modset/mods_pane.h"
#include "ui/tables/grid_model.h"
#include "ui/tables/grid_view.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>

namespace dravik::ui {

namespace {

const char* const kRecentSection = "Mod sets";

std::string RecentKey(int n) { return "ModSet" + std::to_string(n); }

const char* const kModSetFilter =
    QT_TRANSLATE_NOOP("dravik::ui::ModSetActions", "mod sets (*.modset)|*.modset|all files (*.*)|*.*");

}  // namespace

ModSetActions::ModSetActions(const CommandHost& host, ModSetWindow window, QMainWindow* mainWindow, QMenu* fileMenu)
    : QObject(mainWindow), host_(host), window_(std::move(window))
{
    fileMenu->addSeparator();
    newModSet = AddNamedItem(fileMenu, "NewModSet", tr("&New mod set\u2026"));
    openModSet = AddNamedItem(fileMenu, "OpenModSet", tr("Open &mod set\u2026"));
    recentMenu_ = fileMenu->addMenu(tr("Recent mod se&ts"));
    recentMenu_->setObjectName(QStringLiteral("RecentModSets"));
    AddRecentItems(recentMenu_, QStringLiteral("RecentModSet"), kRecentCount, this, [this](int i) { openRecent(i); });
    showRecent();
    saveModSet = AddNamedItem(fileMenu, "SaveModSet", tr("Save mod se&t"));
    saveModSet->setEnabled(false);
    buildMergedMod = AddNamedItem(fileMenu, "BuildMergedMod", tr("B&uild merged mod…"));
    buildMergedMod->setEnabled(false);
    reviewConflicts = AddNamedItem(fileMenu, "ReviewConflicts", tr("Review con&flicts…"));
    reviewConflicts->setEnabled(false);

    status = new QLabel;
    status->setObjectName(QStringLiteral("ModSetStatus"));
    mainWindow->statusBar()->addPermanentWidget(status);
    status->hide();

    // Over the marks the tables have (a base comparison's), which show
    // where a merged value has none.
    marks_ = std::make_unique<ModSetMarks>(host_.table(GridNumber(1))->gridModel()->marks());
    for (GridNumber n : FileRowTables())
        host_.table(n)->gridModel()->setMarks(marks_.get());

    pane_ = new ModsPane(host_, *marks_, mainWindow);
    mainWindow->addDockWidget(Qt::RightDockWidgetArea, pane_);
    pane_->hide();
    // Queued: the pane reads the tables once the move is over, and never
    // while the window takes its tables and history down.
    for (GridNumber n : SectionTables())
        connect(host_.table(n)->selectionModel(), &QItemSelectionModel::currentChanged, pane_, &ModsPane::refresh,
                Qt::QueuedConnection);
    for (GridNumber n : SectionTables()) {
        GridView* table = host_.table(n);
        table->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(table, &QWidget::customContextMenuRequested, pane_,
                [this, table](const QPoint& position) { pane_->showCellMenu(table, position); });
    }

    connect(newModSet, &QAction::triggered, this, &ModSetActions::newClick);
    connect(openModSet, &QAction::triggered, this, &ModSetActions::openClick);
    connect(saveModSet, &QAction::triggered, this, &ModSetActions::saveClick);
    connect(buildMergedMod, &QAction::triggered, this, &ModSetActions::buildClick);
    connect(reviewConflicts, &QAction::triggered, this, &ModSetActions::reviewClick);
}

ModSetActions::~ModSetActions() = default;

QDockWidget* ModSetActions::modsPane() const { return pane_; }

void ModSetActions::filesOpened()
{
    if (!set_)
        return;
    marks_->setModSet(nullptr);
    pane_->setModSet(nullptr);
    // The views let go of the set before it goes.
    emit modSetChanged(nullptr);
    set_.reset();
    path_.clear();
    saved_.reset();
    showStatus();
    repaintMarks();
}

void ModSetActions::newClick()
{
    host_.takeEdits();
    const std::string variables = window_.variablesPath();
    if (variables.empty() || !QFileInfo::exists(NativeText(variables))) {
        host_.dialogs.errorBox(host_.window, tr("New mod set"),
                               tr("Open a variables file first: the mod set reads every file by it"));
        return;
    }
    ModSetChoice initial;
    if (set_) {
        const ModSetSetup setup = set_->setup();
        initial.base = NativeText(setup.base);
        for (const ModSource& mod : setup.mods)
            initial.mods.append({mod.kind == ModSource::Kind::Patch, NativeText(mod.path)});
    }
    const std::optional<ModSetChoice> chosen = host_.dialogs.chooseModSet(host_.window, initial);
    if (!chosen || !window_.mayDropEdits())
        return;
    ModSetSetup setup;
    setup.variables = variables;
    setup.base = NativeBytes(QDir::toNativeSeparators(chosen->base));
    for (const ModSetMod& mod : chosen->mods)
        setup.mods.push_back(
            {mod.patch ? ModSource::Kind::Patch : ModSource::Kind::Folder, {}, NativeBytes(QDir::toNativeSeparators(mod.path))});
    NameModsUniquely(setup.mods);
    load(std::move(setup), QString());
}

void ModSetActions::openClick()
{
    host_.takeEdits();
    FileDialogRequest request;
    request.title = tr("Open mod set");
    request.filter = tr(kModSetFilter);
    request.multiple = false;
    const QStringList files = host_.dialogs.openFiles(host_.window, request);
    if (!files.isEmpty())
        openFile(files.first());
}

void ModSetActions::openRecent(int index)
{
    if (index < 0 || index >= static_cast<int>(recent_.size()))
        return;
    host_.takeEdits();
    openFile(NativeText(recent_[static_cast<size_t>(index)]));
}

void ModSetActions::openFile(const QString& path)
{
    if (!window_.mayDropEdits())
        return;
    ModSetSetup setup;
    if (!host_.run([&] { setup = ReadModSetFile(NativeBytes(path)); }))
        return;
    // The set's tables are laid out by its own variables file, and the
    // window shows and edits by the one it has open: they must be one.
    if (QFileInfo(NativeText(setup.variables)) != QFileInfo(NativeText(window_.variablesPath())) &&
        !window_.openVariables(NativeText(setup.variables)))
        return;
    if (load(std::move(setup), path))
        remember(path);
}

bool ModSetActions::load(ModSetSetup setup, const QString& path)
{
    std::unique_ptr<ModSet> set;
    const bool loaded = host_.run([&] {
        LongWork work(host_.window, tr("Open mod set"));
        ModSetOptions options;
        options.progress = work.progress();
        options.tables = true;
        set = std::make_unique<ModSet>(std::move(setup), host_.document.codePage(), options);
        host_.document.showMergedView(set->takeTables());
    });
    if (!loaded)
        return false;
    // The tables were replaced whole: nothing before can be undone into them.
    host_.history.clear();
    // The set shown before goes once every view has let go of it.
    const std::unique_ptr<ModSet> before = std::move(set_);
    set_ = std::move(set);
    path_ = path;
    saved_ = std::make_unique<ModSetSetup>(set_->setup());
    marks_->setModSet(set_.get());
    pane_->setModSet(set_.get());
    showStatus();
    repaintMarks();
    emit modSetChanged(set_.get());
    return true;
}

bool ModSetActions::modSetModified() const
{
    return set_ && (path_.isEmpty() || !saved_ || set_->setup() != *saved_);
}

bool ModSetActions::mayDropModSet(const QString& what)
{
    if (!modSetModified())
        return true;
    const QString text = tr("The mod set has unsaved changes. Save it before %1?").arg(what);
    switch (host_.dialogs.ask(host_.window, tr("Unsaved changes"), text, {tr("&Save mod set"), tr("&Discard"), tr("Cancel")})) {
    case 0: return saveClick();
    case 1: return true;
    default: return false;
    }
}

bool ModSetActions::saveClick()
{
    if (!set_)
        return false;
    host_.takeEdits();
    QString path = path_;
    if (path.isEmpty()) {
        FileDialogRequest request;
        request.title = tr("Save mod set");
        request.filter = tr(kModSetFilter);
        request.defaultSuffix = QStringLiteral("modset");
        const std::optional<QString> chosen = host_.dialogs.saveFile(host_.window, request);
        if (!chosen)
            return false;
        path = *chosen;
    }
    const ModSetSetup setup = set_->setup();
    if (!host_.run([&] { WriteModSetFile(NativeBytes(path), setup); }))
        return false;
    path_ = path;
    saved_ = std::make_unique<ModSetSetup>(setup);
    showStatus();
    remember(path);
    return true;
}

void ModSetActions::buildClick()
{
    if (!set_)
        return;
    host_.takeEdits();
    const std::optional<QString> chosen =
        host_.dialogs.chooseBaseFolder(host_.window, tr("Build merged mod: the folder to write it into"));
    if (!chosen)
        return;
    BuildOptions options;
    options.out = NativeBytes(QDir::toNativeSeparators(*chosen));
    // The engine refuses the base's and the mods' folders: a merged mod
    // written there would mix with what it was made from.
    if (const std::string problem = OutFolderProblem(*set_, options.out); !problem.empty()) {
        host_.dialogs.errorBox(host_.window, tr("Build merged mod"), QString::fromUtf8(problem));
        return;
    }
    BuildResult result;
    const bool built = host_.run([&] {
        LongWork work(host_.window, tr("Build merged mod"));
        options.progress = work.progress();
        result = BuildMergedMod(*set_, options);
    });
    if (!built)
        return;
    host_.dialogs.messageBox(
        host_.window, tr("Build merged mod"),
        tr("%n file written, %1 unchanged, %2 removed; the report is %3",
           "%n files written, %1 unchanged, %2 removed; the report is %3", result.written())
            .arg(result.count(BuiltFile::What::Unchanged))
            .arg(result.count(BuiltFile::What::Removed))
            .arg(NativeText(result.reportPath)));
}

void ModSetActions::reviewClick()
{
    if (!set_)
        return;
    // Modal: the set it lists stays while it is open.
    ConflictReview review(host_.window, *set_, host_.dialogs);
    review.exec();
}

void ModSetActions::remember(const QString& path)
{
    const QFileInfo chosen(path);
    std::erase_if(recent_, [&](const std::string& entry) { return QFileInfo(NativeText(entry)) == chosen; });
    PutFirst(recent_, NativeBytes(QDir::toNativeSeparators(chosen.absoluteFilePath())), kRecentCount);
    showRecent();
}

void ModSetActions::showRecent()
{
    std::vector<RecentItem> items;
    for (const std::string& entry : recent_) {
        const QString path = NativeText(entry);
        items.push_back({QFileInfo(path).fileName(), path});
    }
    ShowRecentItems(recentMenu_, items);
}

void ModSetActions::readSettings(const SettingsFile& settings)
{
    recent_.clear();
    recentStored_ = false;
    for (int n = 1; n <= kRecentCount; ++n) {
        const std::optional<std::string> path = settings.readRaw(kRecentSection, RecentKey(n));
        recentStored_ = recentStored_ || path.has_value();
        if (path && !path->empty())
            recent_.push_back(*path);
    }
    showRecent();
}

bool ModSetActions::writeSettings(SettingsFile& settings) const
{
    if (!recentStored_ && recent_.empty())
        return true;
    std::vector<std::pair<std::string, std::string>> values;
    for (const std::string& path : recent_)
        values.emplace_back(RecentKey(static_cast<int>(values.size()) + 1), path);
    return settings.writeStrings(kRecentSection, values);
}

void ModSetActions::repaintMarks()
{
    for (GridNumber n : FileRowTables())
        host_.table(n)->gridModel()->marksChanged();
}

void ModSetActions::showStatus()
{
    saveModSet->setEnabled(set_ != nullptr);
    buildMergedMod->setEnabled(set_ != nullptr);
    reviewConflicts->setEnabled(set_ != nullptr);
    if (!set_) {
        status->hide();
        return;
    }
    const QString name = path_.isEmpty() ? tr("new mod set") : QFileInfo(path_).fileName();
    status->setText(tr("%1: %n conflict", "%1: %n conflicts", set_->conflictCount()).arg(name));
    status->show();
}

}  // namespace dravik::ui
