#include "app/batch_merge.h"

#include "app/batch_arguments.h"
#include "app/batch_command.h"
#include "core/errors.h"
#include "core/files/folder_listing.h"
#include "core/files/native_path.h"
#include "core/modset/merged_build.h"
#include "core/modset/mod_set.h"

#include <filesystem>
#include <ostream>

namespace dravik {

namespace {

struct MergeOptions {
    std::string vars;
    std::string base;
    std::string out;
    std::string choices;
    std::string codePage;
    std::string filePattern = kEveryName;
    bool dryRun = false;
    std::vector<std::string> mods;
};

bool ParseMerge(const std::vector<std::string>& args, MergeOptions& options)
{
    const std::vector<BatchOption> known = {
        BatchOption::Value("--vars", options.vars),       BatchOption::Value("--base", options.base),
        BatchOption::Value("--out", options.out),         BatchOption::Value("--choices", options.choices),
        BatchOption::Value("--codepage", options.codePage), BatchOption::Value("--pattern", options.filePattern),
        BatchOption::Switch("--dry-run", options.dryRun),
    };
    if (!ParseBatchArguments(args, 1, known, [&](const std::string& word, bool) { options.mods.push_back(word); }))
        return false;
    options.codePage = PathText(options.codePage);  // a name, not a path
    return !options.vars.empty() && !options.base.empty() && !options.out.empty() && !options.mods.empty();
}

bool SameFile(const std::string& a, const std::string& b)
{
    std::error_code ec;
    return std::filesystem::equivalent(FileSystemPath(a), FileSystemPath(b), ec);
}

// The mods in the order given, a folder as a folder of desc files and a
// file as a patch; with a mod set file, each mod it names by the same path
// keeps its name there, which its choices use.
ModSetSetup SetupOf(const MergeOptions& options)
{
    ModSetSetup setup;
    setup.variables = options.vars;
    setup.base = options.base;
    setup.names = options.filePattern;
    ModSetSetup chosen;
    if (!options.choices.empty())
        chosen = ReadModSetFile(options.choices);
    for (const std::string& path : options.mods) {
        ModSource mod{IsFolder(path) ? ModSource::Kind::Folder : ModSource::Kind::Patch, {}, path};
        for (const ModSource& named : chosen.mods)
            if (SameFile(named.path, path))
                mod.name = named.name;
        setup.mods.push_back(std::move(mod));
    }
    NameModsUniquely(setup.mods);
    setup.choices = chosen.choices;
    return setup;
}

const char* WhatWord(BuiltFile::What what)
{
    switch (what) {
    case BuiltFile::What::New: return "new";
    case BuiltFile::What::Changed: return "changed";
    case BuiltFile::What::Unchanged: return "unchanged";
    case BuiltFile::What::Removed: return "removed";
    }
    return "";
}

int RunMerge(const MergeOptions& options, const CodePage& codePage, std::ostream& out, std::ostream& err)
{
    const ModSet set(SetupOf(options), codePage);
    BuildOptions build;
    build.out = options.out;
    build.dryRun = options.dryRun;
    const BuildResult result = BuildMergedMod(set, build);
    if (options.dryRun)
        for (const BuiltFile& file : result.files)
            if (file.what != BuiltFile::What::Unchanged)
                out << WhatWord(file.what) << '\t' << PathText(file.path) << '\n';
    int byOrder = 0;
    for (const ValueDetail& conflict : result.conflicts)
        if (conflict.mark.origin == Origin::Conflict && conflict.mark.decidedBy == DecidedBy::Order) {
            err << "conflict\t" << ConflictFields(set, conflict) << '\n';
            ++byOrder;
        }
    for (const MergeNote& note : result.notes)
        err << "note\t" << NoteFields(note) << '\n';
    err << "merge: " << result.written() << " file(s) " << (options.dryRun ? "would be written" : "written") << " ("
        << result.count(BuiltFile::What::New) << " new), " << result.count(BuiltFile::What::Unchanged)
        << " unchanged, " << result.count(BuiltFile::What::Removed) << (options.dryRun ? " would be" : "")
        << " removed; " << set.conflictCount() << " conflict(s), " << byOrder << " resolved by the order; report "
        << PathText(result.reportPath) << '\n';
    return byOrder > 0 || result.losesValues() ? 1 : 0;
}

}  // namespace

bool IsMergeBatchCommand(const std::string& command) { return command == "merge"; }

int RunMergeBatchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    return RunParsedCommand<MergeOptions>(args, err, ParseMerge, [&](MergeOptions& options, const CodePage& codePage) {
        return RunMerge(options, codePage, out, err);
    });
}

}  // namespace dravik
