#include "app/batch_mod.h"

#include "app/batch_arguments.h"
#include "app/batch_command.h"
#include "app/batch_document.h"
#include "app/batch_files.h"
#include "app/standard_output.h"
#include "core/document/edit_history.h"
#include "core/errors.h"
#include "core/files/file_io.h"
#include "core/files/folder_listing.h"
#include "core/files/native_path.h"
#include "core/mod/base_comparison.h"
#include "core/mod/base_diff.h"
#include "core/mod/patch_file.h"
#include "core/mod/patch_plan.h"

#include <ostream>
#include <set>

namespace dravik {

namespace {

struct ModOptions {
    std::string command;
    std::string vars;
    std::string base;
    std::string patch;
    std::string codePage;
    bool theirs = false;
    bool dryRun = false;
    bool onlyChanged = false;
    std::string filePattern = kEveryName;  // the names a folder stands for
    std::vector<std::string> descs;
};

bool ParseMod(const std::vector<std::string>& args, ModOptions& options)
{
    options.command = args.at(0);
    const bool diff = options.command == "diff";
    std::vector<BatchOption> known = {
        BatchOption::Value("--vars", options.vars),
        BatchOption::Value("--patch", options.patch),
        BatchOption::Value("--codepage", options.codePage),
        BatchOption::Value("--pattern", options.filePattern),
    };
    if (diff) {
        known.push_back(BatchOption::Value("--base", options.base));
    } else {
        known.push_back(BatchOption::Switch("--theirs", options.theirs));
        known.push_back(BatchOption::Switch("--dry-run", options.dryRun));
        known.push_back(BatchOption::Switch("--only-changed", options.onlyChanged));
    }
    if (!ParseBatchArguments(args, 1, known, [&](const std::string& word, bool) { options.descs.push_back(word); }))
        return false;
    options.codePage = PathText(options.codePage);  // a name, not a path
    if (options.vars.empty() || options.descs.empty())
        return false;
    return diff ? !options.base.empty() : !options.patch.empty();
}

// The mod's files, and their paths relative to the folder given when one
// folder was: a patch names "units/tiger.desc" for "mod/units/tiger.desc"
// even when every file lies in "mod/units", as the window's Open folder does.
std::unique_ptr<DescDocument> LoadMod(const ModOptions& options, const CodePage& codePage, std::ostream& err)
{
    auto document = LoadDocument(options.vars, ExpandFileArguments(options.descs, options.filePattern), codePage, err);
    if (options.descs.size() == 1 && IsFolder(options.descs.front()))
        document->setOpenedRoot(options.descs.front());
    return document;
}

int RunDiff(const ModOptions& options, const CodePage& codePage, std::ostream& out, std::ostream& err)
{
    auto document = LoadMod(options, codePage, err);
    const BaseComparison base(*document, options.base);
    if (!base.unreadableMessage().empty())
        err << "warning: " << ErrorBoxText(base.unreadableMessage().english()) << "; its files count as new\n";
    const BaseDiff diff = DiffAgainstBase(*document, base);
    const std::string patch = PatchFileText(diff.lines);
    if (options.patch.empty())
        PrintBytes(out, patch);  // the bytes --patch writes, line ends and all
    else
        WriteFileOrThrow(options.patch, patch);
    for (const Message& note : diff.uncarried)
        err << note << "; a patch cannot carry it\n";
    err << "diff: " << Counted(diff.lines.size(), "value", "values") << " in " << diff.differingFiles << " of "
        << Counted(static_cast<size_t>(document->descFileCount()), "file", "files")
        << (diff.lines.size() == 1 ? " differs" : " differ") << " from the base";
    if (diff.newFiles > 0)
        err << "; " << Counted(static_cast<size_t>(diff.newFiles), "file", "files") << " new in this mod";
    err << '\n';
    return diff.lines.empty() && diff.uncarried.empty() ? 0 : 1;
}

// What became of a line, as one fixed word a script can look for.
const char* Kind(PatchOutcome outcome, bool theirs)
{
    return outcome == PatchOutcome::Conflict && theirs ? "conflict-taken" : PatchOutcomeWord(outcome);
}

// The conflicts and the lines not applied, in the patch's order, one a line
// with the same eight TAB-separated fields whatever became of it: path, key,
// value number, the patch's base value, the value found (empty when none
// was), the patch's value, the kind and why.
void ReportLeftLines(const PatchPlan& plan, bool theirs, std::ostream& err)
{
    for (size_t i = 0; i < plan.lines.size(); ++i) {
        const PatchLine& line = plan.lines[i];
        const PatchResult& result = plan.results[i];
        const bool conflict = result.outcome == PatchOutcome::Conflict;
        if (!conflict && result.why.empty())
            continue;
        const std::string why = !conflict ? result.why.english()
                                : theirs  ? "this mod changed it too; given the patch's value"
                                          : "this mod changed it too; left as it was";
        err << line.path << '\t' << line.key << '\t' << line.value << '\t' << line.base << '\t' << result.found
            << '\t' << line.mod << '\t' << Kind(result.outcome, theirs) << '\t' << why << '\n';
    }
}

int RunApply(const ModOptions& options, const CodePage& codePage, std::ostream& out, std::ostream& err)
{
    PatchFile patch = ReadPatchFile(options.patch);
    auto document = LoadMod(options, codePage, err);
    const PatchPlan plan = PlanPatch(*document, std::move(patch));
    const std::vector<bool> takePatch(plan.lines.size(), options.theirs);
    const std::vector<CellEdit> edits = plan.edits(takePatch);
    std::set<int> touched;
    for (const CellEdit& edit : edits)
        touched.insert(edit.row);
    // Through the history, as the window makes it: one step, kept for reading back.
    EditHistory history(*document);
    history.apply(EditStep::ApplyPatch, [&](DescDocument& d) { return d.setCells(edits); });

    // Only the files a value changed in are written, as Save all writes them.
    const SavePlan save = document->planSaveAll({}, false, RespellingOf(options.onlyChanged));
    std::set<int> skip;
    for (const FileSave& file : save.files)
        if (!touched.count(file.row))
            skip.insert(file.row);
    const int written = WritePlannedFiles(*document, save, skip, options.dryRun, out);

    ReportLeftLines(plan, options.theirs, err);
    const int conflicts = plan.count(PatchOutcome::Conflict);
    const int namedTwice = plan.count(PatchOutcome::NamedTwice);
    const int cannotHold = plan.count(PatchOutcome::CannotHold);
    const size_t conflicted = static_cast<size_t>(conflicts);
    err << "apply: " << Counted(static_cast<size_t>(plan.count(PatchOutcome::Applies)), "value", "values")
        << " applied; " << plan.count(PatchOutcome::AlreadyThere) << " already held the patch's value; "
        << (options.theirs ? Counted(conflicted, "conflict", "conflicts") + " given the patch's value; "
                           : Counted(conflicted, "conflict left as it was; ", "conflicts left as they were; "))
        << Counted(static_cast<size_t>(plan.missing() - namedTwice - cannotHold), "line", "lines")
        << " naming what is not there; ";
    if (namedTwice > 0)
        err << Counted(static_cast<size_t>(namedTwice), "line", "lines")
            << " naming a value another line names otherwise; ";
    if (cannotHold > 0)
        err << Counted(static_cast<size_t>(cannotHold), "value", "values") << " no key line can hold; ";
    err << written << " of " << Counted(static_cast<size_t>(document->descFileCount()), "file ", "files ")
        << (options.dryRun ? "would be written" : "written") << '\n';
    return plan.missing() > 0 || (conflicts > 0 && !options.theirs) ? 1 : 0;
}

}  // namespace

bool IsModBatchCommand(const std::string& command) { return command == "diff" || command == "apply"; }

int RunModBatchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const bool diff = args.at(0) == "diff";
    return RunParsedCommand<ModOptions>(args, err, ParseMod, [&](ModOptions& options, const CodePage& codePage) {
        return diff ? RunDiff(options, codePage, out, err) : RunApply(options, codePage, out, err);
    });
}

}  // namespace dravik
