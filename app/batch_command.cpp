#include "app/batch_command.h"

#include "app/batch_arguments.h"
#include "app/batch_bulk.h"
#include "app/batch_checks.h"
#include "app/batch_document.h"
#include "app/batch_merge.h"
#include "app/batch_mod.h"
#include "app/batch_files.h"

#include "core/text/code_page.h"
#include "core/text/message_format.h"
#include "core/document/desc_document.h"
#include "core/errors.h"
#include "core/files/file_io.h"
#include "core/files/folder_listing.h"
#include "core/files/native_path.h"
#include "core/schema/key_entries.h"
#include "core/exchange/import_review.h"
#include "core/exchange/table_checks.h"
#include "core/exchange/table_exchange.h"
#include "core/exchange/table_text_file.h"

#include <memory>
#include <ostream>

namespace dravik {

const char* const kBatchUsage =
    "usage: dravik2-batch export --vars VARS --out TABLE [--codepage NAME] DESC...\n"
    "       dravik2-batch import --vars VARS --table TABLE [--codepage NAME] [--keep-spelling]\n"
    "                     [--allow KIND,...] [--force] [--dry-run] [--only-changed] DESC...\n"
    "       dravik2-batch analyze [--codepage NAME] DESC...\n"
    "       dravik2-batch set --vars VARS --key NAME [--value N] [--where FILTER\n"
    "                     [--where-key NAME]] --expr EXPR [--dry-run] [--only-changed]\n"
    "                     [--codepage NAME] DESC...\n"
    "       dravik2-batch find --vars VARS [--regex] [--match-case] [--whole-cell]\n"
    "                     [--codepage NAME] PATTERN DESC...\n"
    "       dravik2-batch diff --vars VARS --base FOLDER [--patch PATCH] [--codepage NAME] DESC...\n"
    "       dravik2-batch apply --vars VARS --patch PATCH [--theirs] [--dry-run]\n"
    "                     [--only-changed] [--codepage NAME] DESC...\n"
    "       dravik2-batch check --vars VARS (--base FOLDER [--rules OUT] | --rules IN)\n"
    "                     [--accepted FILE] [--codepage NAME] DESC...\n"
    "       dravik2-batch merge --vars VARS --base FOLDER --out FOLDER [--choices MODSET]\n"
    "                     [--dry-run] [--pattern NAMES] [--codepage NAME] MOD...\n"
    "       dravik2-batch --help\n"
    "\n"
    "DESC... are desc files, folders and @LIST files. A folder stands for every\n"
    "file below it, in all its subfolders, whose name matches --pattern NAMES\n"
    "(default *.*, every name; \"*.desc;*.txt\" for two kinds; letter case\n"
    "aside), in path order; @LIST for the paths in the file LIST, one a line.\n"
    "On Windows the program expands * and ? in a file name itself, as cmd\n"
    "does not (\"C:\\mod\\units\\*.desc\").\n"
    "\n"
    "export   loads the variables file, opens the desc files as Open desc does\n"
    "         and writes every table into one tab-separated table text file.\n"
    "         Cells that cannot be read back are listed: exit 1 for byte 26 or a\n"
    "         line break, a warning for a TAB or \"~\".\n"
    "import   loads the variables file and the desc files, reads the table text\n"
    "         file into the tables and writes them back as Save all does.\n"
    "         It refuses a table whose \"File list\" block does not name exactly\n"
    "         the desc files given, and a block that lacks a column of the\n"
    "         tables. What a spreadsheet did to the table is refused, each kind\n"
    "         unless --allow names it (the cells are then imported as the table\n"
    "         has them): character-set (UTF-8, replacement characters),\n"
    "         question-marks (letters turned into \"?\"), quotes (added or taken\n"
    "         away), wide-rows (a value that held a TAB), converted (2.250 ->\n"
    "         2250, 0.5 -> 0,5, 50% -> 50.00%, false -> FALSE, dates, times,\n"
    "         money), respelled (the same number written otherwise, 010 -> 10;\n"
    "         --keep-spelling keeps the files' spelling of those instead).\n"
    "         --force lets every kind through. Rows go to the file they name and\n"
    "         columns to the key their header names, so rows sorted or deleted\n"
    "         and columns inserted in a spreadsheet move no value; a section\n"
    "         whose block names none of the files, or that has no block, is left\n"
    "         as it was. Only files whose bytes change are written; --dry-run\n"
    "         prints the changes as a unified diff and writes nothing.\n"
    "analyze  prints the key entries of the desc files, one per line, sorted.\n"
    "set      sets the values of one key (value N of it, 1 for the first; all\n"
    "         without --value; a text-section key has one) by an expression, as\n"
    "         Edit > Set selection does:\n"
    "         =5, +10, *1.1, x*2-1, +10%, {x}_old; a result from a whole number\n"
    "         is rounded to a whole number, half away from zero. Cells holding no\n"
    "         number are left as they are and counted. --where takes the filter\n"
    "         bar's syntax (> 100, 50..80, tank, /regex/, empty) and sets only the\n"
    "         files where one of the cells being set matches, or one of the\n"
    "         cells of the key named by --where-key. Writes, as Save all does,\n"
    "         the files a value changed in; --dry-run prints their unified diff\n"
    "         and writes nothing. The counts go to standard error.\n"
    "find     prints each value cell that matches, as FILE<TAB>KEY<TAB>VALUE.\n"
    "diff     compares the desc files with the files at the same path below the\n"
    "         base game's folder (as below the desc files' own folder) and prints\n"
    "         each value that differs as a patch line: path, key, value number,\n"
    "         base value, mod value, TAB-separated, after a header line; --patch\n"
    "         writes the patch file instead. What a patch cannot carry (a key line\n"
    "         in one file only, a file the base lacks) goes to standard error.\n"
    "         Exit 0 when nothing differs, 1 when something does, 2 for trouble.\n"
    "apply    applies a patch file: a value still as the patch's base takes the\n"
    "         patch's value; one that differs from both is a conflict, reported\n"
    "         and left as it is unless --theirs is given; lines naming a file or\n"
    "         key line that is not there are reported, and so are values the\n"
    "         patch names twice otherwise and values no key line can hold: one\n"
    "         a line on standard error, path, key, value number, base value, value\n"
    "         found, patch value, kind and why, TAB-separated. Writes, as Save all\n"
    "         does, only the files that change; --dry-run prints their unified\n"
    "         diff and writes nothing. Exit 0 when every line was applied, 1 when\n"
    "         a line was left unapplied, 2 for trouble (a patch refused, a file\n"
    "         that cannot be read or written).\n"
    "check    learns from the base game's desc files below FOLDER (the names of\n"
    "         --pattern) what each value column holds: whole or decimal numbers\n"
    "         in a range, a word of a small set, a path to a file that exists,\n"
    "         per folder or kind of unit where the base game sorts its files so.\n"
    "         Prints each value of the desc files those rules reject as file,\n"
    "         key, value number, value and reason, TAB-separated. --rules OUT\n"
    "         writes the rules learned; without --base, --rules IN checks\n"
    "         against them. Values accepted in the window are read from\n"
    "         VARS.accepted, or from --accepted FILE. Exit 0 when no value is\n"
    "         rejected, 1 when some are, 2 for trouble.\n"
    "merge    merges mods over the base game's folder into one mod in the --out\n"
    "         folder: MOD... are folders of desc files and patch files, in\n"
    "         order; the last mod that changes a value wins it, unless a choice\n"
    "         of the mod set file --choices says otherwise. Writes only the\n"
    "         files whose values differ from the base, and the files only mods\n"
    "         have, with a report .merge-report.txt; --dry-run lists what would\n"
    "         be written and writes nothing. Conflicts the order resolved and\n"
    "         values that could not be carried go to standard error, one a line,\n"
    "         TAB-separated. Exit 0 when there were none, 1 when there were, 2\n"
    "         for trouble.\n"
    "\n"
    "import, set and apply rebuild every key line of a file they write, as Save\n"
    "all does (armor 45 45 40 -> armor  45 45 40 ); --only-changed rewrites only\n"
    "the key lines whose values change, keeping every other byte of their files.\n"
    "No writer cuts a value past a key's count or makes one up where a line has\n"
    "fewer.\n"
    "\n"
    "Text stays in its code page (default windows-1251 off Windows, the ANSI code\n"
    "page on Windows); --codepage picks the one used to fold letter case.\n";

namespace {

struct Options {
    std::string command;
    std::string vars;
    std::string out;
    std::string table;
    std::string codePage;
    std::vector<std::string> descs;
    std::string filePattern = kEveryName;  // the names a folder stands for
    bool help = false;
    bool force = false;
    bool keepSpelling = false;
    bool dryRun = false;
    std::vector<std::string> allowNames;  // as given, a comma-separated list each
    unsigned allowed = 0;                  // the ImportCheck bits they name
    bool onlyChanged = false;
};

// --allow's lists of check names; false for a name no check has.
bool TakeAllowed(Options& options)
{
    for (const std::string& list : options.allowNames) {
        size_t start = 0;
        for (;;) {
            const size_t comma = list.find(',', start);
            const std::string name = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
            const auto check = ImportCheckNamed(name);
            if (!check)
                return false;
            options.allowed |= static_cast<unsigned>(*check);
            if (comma == std::string::npos)
                break;
            start = comma + 1;
        }
    }
    return true;
}

// Parses the arguments; false for bad usage.
bool Parse(const std::vector<std::string>& args, Options& options)
{
    const std::vector<BatchOption> known = {
        BatchOption::Switch("--help", options.help),    BatchOption::Switch("-h", options.help),
        BatchOption::Value("--vars", options.vars),     BatchOption::Value("--out", options.out),
        BatchOption::Value("--table", options.table),   BatchOption::Switch("--force", options.force),
        BatchOption::Switch("--dry-run", options.dryRun), BatchOption::Value("--codepage", options.codePage),
        BatchOption::Value("--pattern", options.filePattern),
        BatchOption::Switch("--keep-spelling", options.keepSpelling),
        BatchOption::Taken("--allow", [&](const std::string& names) { options.allowNames.push_back(names); }),
        BatchOption::Switch("--only-changed", options.onlyChanged),
    };
    // The first word is the command; after "--" every word is a desc file.
    const bool parsed = ParseBatchArguments(args, 0, known, [&](const std::string& word, bool afterOptions) {
        if (options.command.empty() && !afterOptions)
            options.command = word;
        else
            options.descs.push_back(word);
    });
    if (!parsed)
        return false;
    options.codePage = PathText(options.codePage);  // a name, not a path
    if (options.help)
        return true;
    const bool importOnly = options.force || options.keepSpelling || options.dryRun || options.onlyChanged ||
                            !options.allowNames.empty();
    if (importOnly && options.command != "import")
        return false;
    if (!TakeAllowed(options))
        return false;
    if (options.command == "export")
        return !options.vars.empty() && !options.out.empty() && options.table.empty() && !options.descs.empty();
    if (options.command == "import")
        return !options.vars.empty() && !options.table.empty() && options.out.empty() && !options.descs.empty();
    if (options.command == "analyze")
        return options.vars.empty() && options.out.empty() && options.table.empty() && !options.descs.empty();
    return false;
}

// Export: the table is written as it is; what it cannot carry is told.
int ReportUnreadableCells(const DescDocument& document, std::ostream& err)
{
    int status = 0;
    const UnreadableCells cells = FindUnreadableCells(document);
    if (cells.cutsTable()) {
        err << cells.message() << "The table was written, but importing it would lose rows.\n";
        status = 1;
    } else if (cells.any()) {
        err << "Warning: " << cells.message();
    }
    if (const UnwritablePaths paths = FindUnwritablePaths(document); paths.any()) {
        err << paths.exportMessage() << "The table was written, but it cannot be imported while they are open.\n";
        status = 1;
    }
    return status;
}

// Import, before anything is written: a table that does not name the files
// given. Throws DravikError for a table that cannot be placed at all.
bool NamesTheFilesGiven(const std::vector<std::string>& descs, const DescDocument& document, const TableText& table,
                        std::ostream& err)
{
    if (const UnwritablePaths paths = FindUnwritablePaths(document); paths.any()) {
        err << paths.importMessage() << "\n";
        return false;
    }
    if (const Message mismatch = FileListMismatch(table, descs); !mismatch.empty()) {
        err << mismatch << "\nNothing was written.\n";
        return false;
    }
    return true;
}

// What another program did to the table: reported, and refused unless
// the user lets that kind through (--allow; --keep-spelling for respelled
// numbers) or every kind (--force).
bool MayImport(const Options& options, const DescDocument& document, const CharacterSetDamage& damage,
               PreparedImport& import, std::ostream& err)
{
    const std::string& codePage = document.codePage().name();
    const ImportReview review = ReviewImport(document, import);
    const unsigned allowed = options.force ? kEveryImportCheck : options.allowed;
    std::vector<ImportCheck> refused;
    auto check = [&](bool found, ImportCheck kind) {
        if (found && (allowed & static_cast<unsigned>(kind)) == 0)
            refused.push_back(kind);
    };
    err << damage.message(codePage) << review.damageMessage(codePage) << import.placement.wideRowsMessage()
        << review.conversionMessage();
    check(damage.any(), ImportCheck::CharacterSet);
    check(review.questionMarks.count > 0 || review.lostLetters.count > 0, ImportCheck::QuestionMarks);
    check(review.quoting.count > 0, ImportCheck::Quotes);
    check(import.placement.wideRowCount > 0, ImportCheck::WideRows);
    check(review.converted.count > 0, ImportCheck::Converted);
    // Told, never refused: the columns are left out, no value moves.
    err << import.placement.foreignColumnsMessage();
    bool respellingRefused = false;
    if (review.respelled.count > 0) {
        err << review.respellingMessage();
        if (options.keepSpelling) {
            KeepSpelling(import, review);
            err << "Those cells keep the files' spelling.\n";
        } else {
            check(true, ImportCheck::Respelled);
            respellingRefused = !refused.empty() && refused.back() == ImportCheck::Respelled;
        }
    }
    if (refused.empty())
        return true;
    std::string names;
    for (ImportCheck kind : refused)
        names += (names.empty() ? "" : ",") + std::string(ImportCheckName(kind));
    err << FillMessage(respellingRefused
                             ? "Nothing was written. --keep-spelling keeps the files' spelling of the respelled "
                               "cells; --allow %1 imports the cells named above as the table has them; --force "
                               "switches off every check.\n"
                             : "Nothing was written. --allow %1 imports the cells named above as the table has "
                               "them; --force switches off every check.\n",
                         {names});
    return false;
}

// Where the import put rows that the table did not hold in file-list order,
// and which sections it left alone.
void ReportPlacement(const ImportPlacement& placement, const std::vector<std::string>& descs, std::ostream& err)
{
    if (const int moved = placement.movedRows(); moved > 0)
        err << "Placed " << moved << (moved == 1 ? " row" : " rows") << " by the desc file it names, away from "
            << (moved == 1 ? "its" : "their") << " position in the table.\n";
    auto fileOf = [&](int row) {
        return row >= 1 && static_cast<size_t>(row) <= descs.size() ? PathText(descs[static_cast<size_t>(row) - 1])
                                                                    : std::string();
    };
    for (const BlockPlacement& block : placement.blocks) {
        if (block.unnamed.empty())
            continue;
        err << SummaryLabel(block.grid) << " (line " << block.labelRow + 1 << ") does not name "
            << block.unnamed.size() << " of " << descs.size() << " desc files:\n";
        for (size_t i = 0; i < block.unnamed.size() && i < kNamedCells; ++i)
            err << "  " << fileOf(block.unnamed[i].row)
                << (block.unnamed[i].kept ? " (keeps its values)" : " (takes the row at its position)") << "\n";
        if (block.unnamed.size() > kNamedCells)
            err << "  and " << block.unnamed.size() - kNamedCells << " more\n";
    }
    err << placement.leftAloneMessage();
}

// Reads the table into the tables, told and checked as above; false, with
// the tables as they were, when it is refused. The table is let go before
// Save all makes its plan.
bool ImportInto(DescDocument& document, const Options& options, std::ostream& err)
{
    // The files as opened: a file given twice, or by two paths, is one row.
    const std::vector<std::string> descs = OpenedFiles(document);
    std::string bytes = ReadTableTextFile(options.table);
    const CharacterSetDamage damage = FindCharacterSetDamage(bytes, document);
    TableText table(std::move(bytes));
    if (!NamesTheFilesGiven(descs, document, table, err))
        return false;
    PreparedImport import = PrepareImport(document, std::move(table));
    if (!MayImport(options, document, damage, import, err))
        return false;
    const ImportPlacement placement = import.placement;
    ApplyImportWithoutHistory(document, std::move(import));
    ReportPlacement(placement, descs, err);
    return true;
}

}  // namespace

CodePage CodePageOption(const std::string& name) { return name.empty() ? CodePage::Default() : CodePage::Named(name); }

int RunBatchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (!args.empty() && IsBulkBatchCommand(args.front()))
        return RunBulkBatchCommand(args, out, err);
    if (!args.empty() && IsModBatchCommand(args.front()))
        return RunModBatchCommand(args, out, err);
    if (!args.empty() && IsCheckBatchCommand(args.front()))
        return RunCheckBatchCommand(args, out, err);
    if (!args.empty() && IsMergeBatchCommand(args.front()))
        return RunMergeBatchCommand(args, out, err);
    Options options;
    if (!Parse(args, options)) {
        err << kBatchUsage;
        return 2;
    }
    if (options.help) {
        out << kBatchUsage;
        return 0;
    }
    try {
        const CodePage codePage = CodePageOption(options.codePage);
        options.descs = ExpandFileArguments(options.descs, options.filePattern);
        if (options.command == "export") {
            auto document = LoadDocument(options.vars, options.descs, codePage, err);
            // Written straight from the tables: the batch shows no summary table.
            WriteExportedTable(*document, options.out);
            return ReportUnreadableCells(*document, err);
        } else if (options.command == "import") {
            auto document = LoadDocument(options.vars, options.descs, codePage, err);
            if (!ImportInto(*document, options, err))
                return 1;
            if (!WarnOfProblemCells(*document, {"imported cell", "imported cells"}, options.dryRun, err))
                return 1;
            const SavePlan plan = document->planSaveAll({}, false, RespellingOf(options.onlyChanged));
            const int files = WritePlannedFiles(*document, plan, {}, options.dryRun, out);
            if (options.dryRun)
                err << files << " of " << plan.files.size() << " files would change; nothing was written.\n";
        } else {
            KeyList keys;
            for (const auto& path : options.descs)
                keys.addLinesOf(SplitLines(ReadFileOrThrow(path)));
            for (const auto& item : keys.items())
                out << item.entry << '\n';
        }
    } catch (const DravikError& e) {
        err << ErrorBoxText(e.what()) << '\n';
        return 1;
    } catch (const std::exception& e) {
        err << ErrorBoxText(e.what()) << '\n';
        return 1;
    }
    return 0;
}

}  // namespace dravik
