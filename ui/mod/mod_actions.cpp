#include "ui/mod/mod_actions.h"

#include "core/files/file_io.h"
#include "core/files/settings_file.h"
#include "core/mod/base_diff.h"
#include "core/mod/patch_plan.h"
#include "ui/common/application_title.h"
#include "ui/common/display_text.h"
#include "ui/common/long_work.h"
#include "ui/common/menu_item.h"
#include "ui/mod/base_review.h"
#include "ui/tables/grid_view.h"
#include "ui/tables/table_selection.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>

namespace dravik::ui {

namespace {

// How many lines a message names before it only counts the rest.
constexpr int kNamedLines = 8;
const char* const kPatchFilter =
    QT_TRANSLATE_NOOP("dravik::ui::ModActions", "patch files (*.txt)|*.txt|all files (*.*)|*.*");

// The first lines, one a line, and how many more there are.
QString Named(const std::vector<Message>& lines)
{
    QString text;
    for (size_t i = 0; i < lines.size() && i < kNamedLines; ++i)
        text += QStringLiteral("\n") + MessageText(lines[i]);
    if (lines.size() > kNamedLines)
        text += QStringLiteral("\n") + QObject::tr("and %1 more").arg(lines.size() - kNamedLines);
    return text;
}

}  // namespace

ModActions::ModActions(const CommandHost& host, QMainWindow* window, QMenu* fileMenu, QMenu* editMenu,
                       QMenu* viewMenu)
    : QObject(window), host_(host), marks_(host.document), connection_(host.document.connect(*this))
{
    fileMenu->addSeparator();
    compareWithBase = AddNamedItem(fileMenu, "CompareWithBase", tr("Compare with &base\u2026"));
    exportPatch = AddNamedItem(fileMenu, "ExportPatch", tr("Export &patch\u2026"));
    applyPatch = AddNamedItem(fileMenu, "ApplyPatch", tr("Appl&y patch\u2026"));

    // Beside the other revert.
    revertToBase = new QAction(tr("Revert to &base values"), editMenu);
    revertToBase->setObjectName(QStringLiteral("RevertToBase"));
    const QList<QAction*> edits = editMenu->actions();
    const auto revert = std::find_if(edits.begin(), edits.end(),
                                     [](const QAction* a) { return a->objectName() == QLatin1String("Revert"); });
    editMenu->insertAction(revert != edits.end() && revert + 1 != edits.end() ? *(revert + 1) : nullptr, revertToBase);

    baseMarks = AddNamedItem(viewMenu, "BaseMarks", tr("&Base marks"));
    baseMarks->setCheckable(true);
    baseMarks->setChecked(true);
    baseMarks->setToolTip(tr("Values that differ from the base game's with a bar at the cell's left edge"));

    status = new QLabel;
    status->setObjectName(QStringLiteral("BaseStatus"));
    window->statusBar()->addPermanentWidget(status);
    status->hide();

    for (GridNumber n : FileRowTables())
        host_.table(n)->gridModel()->setMarks(&marks_);

    connect(compareWithBase, &QAction::triggered, this, &ModActions::compareClick);
    connect(exportPatch, &QAction::triggered, this, &ModActions::exportPatchClick);
    connect(applyPatch, &QAction::triggered, this, &ModActions::applyPatchClick);
    connect(revertToBase, &QAction::triggered, this, &ModActions::revertToBaseClick);
    connect(baseMarks, &QAction::toggled, this, [this](bool on) {
        marks_.showBase(on);
        repaintMarks();
    });
    statusLater_.setSingleShot(true);
    statusLater_.setInterval(0);
    connect(&statusLater_, &QTimer::timeout, this, &ModActions::showStatus);
    setBase(nullptr);
}

ModActions::~ModActions()
{
    // The filter and the tables stop reading the comparison before it goes.
    marks_.setBase(nullptr);
}

void ModActions::readSettings(const SettingsFile& ini)
{
    marksStored_ = ini.readRaw("Form", "BaseMarks").has_value();
    baseMarks->setChecked(ini.readBool("Form", "BaseMarks", true));
}

bool ModActions::writeSettings(SettingsFile& ini) const
{
    const bool on = baseMarks->isChecked();
    return (!marksStored_ && on) || ini.writeBool("Form", "BaseMarks", on);
}

void ModActions::compareClick()
{
    host_.takeEdits();
    if (const auto folder = host_.dialogs.chooseBaseFolder(host_.window, tr("Compare with base: the base game's folder")))
        compareWith(NativeBytes(*folder));
}

bool ModActions::compareWith(const std::string& folder)
{
    std::unique_ptr<BaseComparison> comparison;
    if (!host_.run([&] {
            LongWork work(host_.window, tr("Compare with base"));
            comparison = std::make_unique<BaseComparison>(host_.document, folder, work.progress());
        }))
        return false;
    setBase(std::move(comparison));
    QStringList notes;
    if (!base_->unreadableMessage().empty())
        notes << tr("%1. Its files count as new in this mod.").arg(MessageText(base_->unreadableMessage()));
    // The folder one level off: every file would count as new.
    if (base_->newFiles() == host_.document.descFileCount())
        notes << tr("None of the open files is at the same path below \"%1\" as below \"%2\", so each counts as new "
                    "in this mod. The base game's folder is the one that holds what the mod's folder holds.")
                     .arg(NativeText(folder), NativeText(host_.document.openedRoot()));
    if (!notes.isEmpty())
        host_.dialogs.messageBox(host_.window, ApplicationTitle(), notes.join(QStringLiteral("\n\n")));
    return true;
}

void ModActions::setBase(std::unique_ptr<BaseComparison> base)
{
    std::unique_ptr<BaseComparison> old = std::exchange(base_, std::move(base));
    marks_.setBase(base_.get());
    emit baseChanged(base_.get());
    exportPatch->setEnabled(base_ != nullptr);
    revertToBase->setEnabled(base_ != nullptr);
    repaintMarks();
    showStatus();
}

void ModActions::filesOpened()
{
    if (!base_)
        return;
    std::vector<std::string> files;
    for (int r = 1; r <= host_.document.descFileCount(); ++r)
        files.push_back(host_.document.filePath(FileRow(r)));
    const bool sameSet = files == base_->comparedFiles();
    if (sameSet && base_->variablesText() == host_.document.variablesText()) {
        showStatus();
        return;
    }
    const std::string folder = base_->folder();
    if (!sameSet) {
        const QString text = tr("Keep comparing the files just opened with the base game in \"%1\"?")
                                 .arg(NativeText(folder));
        if (host_.dialogs.ask(host_.window, tr("Compare with base"), text,
                              {tr("&Keep comparing"), tr("&Stop comparing")}) != 0) {
            setBase(nullptr);
            return;
        }
    }
    // Read for the files and the columns now open, or dropped.
    if (!compareWith(folder))
        setBase(nullptr);
}

std::optional<ReviewPage> ModActions::reviewPage() const
{
    if (!base_)
        return std::nullopt;
    return ReviewAgainstBase(host_.document, *base_);
}

void ModActions::exportPatchClick()
{
    if (!base_)
        return;
    BaseDiff diff;
    if (!host_.run([&] { diff = DiffAgainstBase(host_.document, *base_); }))
        return;
    const auto path =
        host_.dialogs.saveFile(host_.window, {tr("Export patch"), tr(kPatchFilter), QStringLiteral("txt")});
    if (!path || !host_.run([&] { WriteFileOrThrow(NativeBytes(*path), PatchFileText(diff.lines)); }))
        return;
    QString text =
        tr("Exported %n changed value of %1 into %2.", "Exported %n changed values of %1 into %2.",
           static_cast<int>(diff.lines.size()))
            .arg(tr("%n file", "%n files", static_cast<int>(diff.differingFiles)), QFileInfo(*path).fileName());
    if (!diff.uncarried.empty())
        text += QStringLiteral("\n\n") + tr("A patch cannot carry these differences:") + Named(diff.uncarried);
    host_.dialogs.messageBox(host_.window, ApplicationTitle(), text);
}

void ModActions::applyPatchClick()
{
    host_.takeEdits();
    const QStringList files = host_.dialogs.openFiles(
        host_.window, {tr("Apply patch"), tr(kPatchFilter), QStringLiteral("txt"), false});
    if (files.isEmpty())
        return;
    PatchPlan plan;
    if (!host_.run([&] { plan = PlanPatch(host_.document, ReadPatchFile(NativeBytes(files.first()))); }))
        return;
    const std::optional<std::vector<bool>> takePatch = resolveConflicts(plan);
    if (!takePatch)
        return;
    const std::vector<CellEdit> edits = plan.edits(*takePatch);
    if (!host_.run([&] {
            host_.history.apply(EditStep::ApplyPatch, [&](DescDocument& document) { return document.setCells(edits); });
        }))
        return;
    markPatch(plan);
    tellPatchApplied(plan, *takePatch, !edits.empty());
}

std::optional<std::vector<bool>> ModActions::resolveConflicts(const PatchPlan& plan)
{
    std::vector<bool> takePatch(plan.lines.size(), false);
    std::vector<size_t> conflicts;
    ConflictRequest request;
    const CodePage& codePage = host_.document.codePage();
    for (size_t i = 0; i < plan.lines.size(); ++i) {
        if (plan.results[i].outcome != PatchOutcome::Conflict)
            continue;
        const PatchLine& line = plan.lines[i];
        conflicts.push_back(i);
        request.conflicts.append({CellText(line.path, codePage), CellText(line.key, codePage), line.value,
                                  CellText(line.base, codePage), CellText(plan.results[i].found, codePage),
                                  CellText(line.mod, codePage)});
    }
    if (conflicts.empty())
        return takePatch;
    request.title = tr("Apply patch: conflicts");
    request.summary =
        tr("This mod and the patch both changed %n value from the base. For each, take the patch's value or "
           "keep this mod's; the rest of the patch is applied either way.",
           "This mod and the patch both changed %n values from the base. For each, take the patch's "
           "value or keep this mod's; the rest of the patch is applied either way.",
           static_cast<int>(conflicts.size()));
    const std::optional<QList<bool>> answers = host_.dialogs.resolveConflicts(host_.window, request);
    if (!answers)
        return std::nullopt;
    for (size_t k = 0; k < conflicts.size() && k < static_cast<size_t>(answers->size()); ++k)
        takePatch[conflicts[k]] = (*answers)[static_cast<qsizetype>(k)];
    return takePatch;
}

void ModActions::markPatch(const PatchPlan& plan)
{
    for (size_t i = 0; i < plan.lines.size(); ++i) {
        const PatchResult& result = plan.results[i];
        const bool conflict = result.outcome == PatchOutcome::Conflict;
        if (!conflict && result.outcome != PatchOutcome::Applies)
            continue;
        const PatchLine& line = plan.lines[i];
        for (const CellEdit& cell : result.edits)
            marks_.markPatched(cell.grid, cell.col, cell.row, {conflict, line.base, result.found, line.mod});
    }
    repaintMarks();
}

void ModActions::tellPatchApplied(const PatchPlan& plan, const std::vector<bool>& takePatch, bool changed)
{
    const int conflicts = plan.count(PatchOutcome::Conflict);
    const auto taken = std::count(takePatch.begin(), takePatch.end(), true);
    QString text = tr("Applied %n value in %1; %2 already held the patch's value.",
                       "Applied %n values in %1; %2 already held the patch's value.",
                       static_cast<int>(plan.count(PatchOutcome::Applies) + taken))
                       .arg(tr("%n file", "%n files", static_cast<int>(plan.filesChanged(takePatch))),
                            QString::number(plan.count(PatchOutcome::AlreadyThere)));
    if (conflicts > 0)
        text += QStringLiteral(" ") + tr("Of %n conflict, %1 took the patch's value and %2 kept this mod's.",
                                             "Of %n conflicts, %1 took the patch's value and %2 kept this mod's.",
                                             conflicts)
                                          .arg(taken)
                                          .arg(conflicts - taken);
    std::vector<Message> missing;
    for (size_t i = 0; i < plan.lines.size(); ++i)
        if (const Message& why = plan.results[i].why; !why.empty())
            missing.push_back(Message(DRAVIK_TR("Patches", "%1, \"%2\" value %3: %4"),
                                      {plan.lines[i].path, plan.lines[i].key, std::to_string(plan.lines[i].value), why}));
    if (!missing.empty())
        text += QStringLiteral("\n\n") +
                tr("%n line of the patch could not be applied:", "%n lines of the patch could not be applied:",
                   static_cast<int>(missing.size())) +
                Named(missing);
    // Nothing to take back when every value already held the patch's or
    // every conflict kept this mod's.
    if (changed)
        text += QStringLiteral("\n\n") + tr("Edit > Undo takes the patch back.");
    host_.dialogs.messageBox(host_.window, ApplicationTitle(), text);
}

void ModActions::revertToBaseClick()
{
    if (!base_)
        return;
    host_.run([&] {
        GridView* view = host_.currentTable();
        if (!view || !IsSectionTable(view->gridModel()->gridNumber()))
            return;
        // The selected rectangle's shown rows, as every bulk edit takes them.
        // A key line in one file only stays: Save all neither adds nor
        // removes a line. So does a value one of the two lines lacks.
        const CellBlock block = SelectedBlock(view);
        std::vector<CellEdit> edits;
        for (int row : block.rows)
            for (int col : block.columns)
                if (base_->differs(block.grid, col, row) && base_->baseHasValue(block.grid, col, row) &&
                    host_.document.valueRead(block.grid, col, row))
                    edits.push_back({block.grid, col, row, std::string(*base_->baseValue(block.grid, col, row))});
        host_.history.apply(EditStep::RevertToBase, [&](DescDocument& document) { return document.setCells(edits); });
    });
}

void ModActions::repaintMarks()
{
    for (GridNumber n : FileRowTables())
        host_.table(n)->gridModel()->marksChanged();
}

void ModActions::repaintMarksLater()
{
    QTimer::singleShot(0, this, &ModActions::repaintMarks);
}

void ModActions::showStatus()
{
    status->setVisible(base_ != nullptr);
    if (!base_)
        return;
    const int differing = base_->differingFiles();
    QString text = tr("%n file differs from the base", "%n files differ from the base", differing);
    if (base_->newFiles() > 0)
        text += tr(", %1 new in this mod").arg(base_->newFiles());
    status->setText(text);
    status->setToolTip(tr("Compared with the base game in %1").arg(NativeText(base_->folder())));
}

void ModActions::cellsChanged(GridNumber grid, int, int, int, int)
{
    if (base_ && IsSectionTable(grid))
        statusLater_.start();
}

void ModActions::diskValuesChanged(GridNumber)
{
    // Applied and conflicting cells are marked until the next save (or load).
    if (!marks_.hasPatchMarks())
        return;
    marks_.clearPatchMarks();
    repaintMarksLater();
}

}  // namespace dravik::ui
