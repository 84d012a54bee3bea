#include "app/batch_command.h"

#include "core/code_page.h"
#include "core/column_profiles.h"
#include "core/desc_document.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/key_entries.h"
#include "core/table_exchange.h"
#include "core/table_text_file.h"
#include "core/value_checks.h"

#include <memory>
#include <ostream>

namespace dravik {

const char* const kBatchUsage =
    "usage: dravik2-batch export --vars VARS --out TABLE [--codepage NAME] DESC...\n"
    "       dravik2-batch import --vars VARS --table TABLE [--codepage NAME] DESC...\n"
    "       dravik2-batch analyze [--codepage NAME] DESC...\n"
    "       dravik2-batch --help\n"
    "\n"
    "export   loads the variables file, opens the desc files as Open desc does\n"
    "         and writes every table into one tab-separated table text file.\n"
    "import   loads the variables file and the desc files, reads the table text\n"
    "         file into the tables and writes them back as Save all does.\n"
    "analyze  prints the key entries of the desc files, one per line, sorted.\n"
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
    bool help = false;
};

// Parses the arguments; false for bad usage.
bool Parse(const std::vector<std::string>& args, Options& options)
{
    bool onlyFiles = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size())
                return false;
            into = args[++i];
            return true;
        };
        if (!onlyFiles && arg == "--") {
            onlyFiles = true;
        } else if (!onlyFiles && (arg == "--help" || arg == "-h")) {
            options.help = true;
        } else if (!onlyFiles && arg == "--vars") {
            if (!value(options.vars)) return false;
        } else if (!onlyFiles && arg == "--out") {
            if (!value(options.out)) return false;
        } else if (!onlyFiles && arg == "--table") {
            if (!value(options.table)) return false;
        } else if (!onlyFiles && arg == "--codepage") {
            if (!value(options.codePage)) return false;
        } else if (!onlyFiles && arg.size() > 1 && arg.rfind("--", 0) == 0) {
            return false;
        } else if (options.command.empty() && !onlyFiles) {
            options.command = arg;
        } else {
            options.descs.push_back(arg);
        }
    }
    if (options.help)
        return true;
    if (options.command == "export")
        return !options.vars.empty() && !options.out.empty() && options.table.empty() && !options.descs.empty();
    if (options.command == "import")
        return !options.vars.empty() && !options.table.empty() && options.out.empty() && !options.descs.empty();
    if (options.command == "analyze")
        return options.vars.empty() && options.out.empty() && options.table.empty() && !options.descs.empty();
    return false;
}

// A fresh window state with the variables text and the desc files loaded.
std::unique_ptr<DescDocument> Loaded(const Options& options, const CodePage& codePage)
{
    auto document = std::make_unique<DescDocument>(codePage);
    document->startUp();
    document->loadVariables(options.vars);
    document->openDesc(options.descs);
    return document;
}

// Imported values that look wrong are written as they are, with a warning
// naming the first few as file, key, value and why.
void WarnOfProblemCells(DescDocument& document, std::ostream& err)
{
    ColumnProfiles profiles(document);
    const ProblemReport report = ReportProblemCells(document, profiles);
    if (report.count == 0)
        return;
    err << "warning: " << report.count << (report.count == 1 ? " imported cell looks" : " imported cells look")
        << " wrong; written as they are:\n";
    for (const std::string& line : report.lines)
        err << "  " << line << '\n';
    if (report.count > report.lines.size())
        err << "  and " << report.count - report.lines.size() << " more\n";
}

}  // namespace

int RunBatchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
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
        const CodePage codePage = options.codePage.empty() ? CodePage::Default() : CodePage::Named(options.codePage);
        if (options.command == "export") {
            auto document = Loaded(options, codePage);
            ExportTable(*document);
            GridToTextFile(document->summary(), options.out);
        } else if (options.command == "import") {
            auto document = Loaded(options, codePage);
            const std::string table = ReadTableTextFile(options.table);
            ImportTable(*document, &table);
            WarnOfProblemCells(*document, err);
            document->saveAll();
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
