#include "app/batch_checks.h"

#include "app/batch_arguments.h"
#include "app/batch_command.h"
#include "app/batch_document.h"
#include "app/batch_files.h"
#include "core/checks/accepted_checks.h"
#include "core/checks/check_list.h"
#include "core/checks/check_reason.h"
#include "core/checks/rule_learning.h"
#include "core/checks/rules_file.h"
#include "core/errors.h"
#include "core/files/folder_listing.h"
#include "core/files/native_path.h"

#include <ostream>

namespace dravik {

namespace {

struct CheckOptions {
    std::string vars;
    std::string base;
    std::string rules;
    std::string accepted;
    std::string codePage;
    std::string filePattern = kEveryName;  // the names a folder stands for, the base game's too
    std::vector<std::string> descs;
};

bool ParseCheck(const std::vector<std::string>& args, CheckOptions& options)
{
    const std::vector<BatchOption> known = {
        BatchOption::Value("--vars", options.vars),         BatchOption::Value("--base", options.base),
        BatchOption::Value("--rules", options.rules),       BatchOption::Value("--accepted", options.accepted),
        BatchOption::Value("--codepage", options.codePage), BatchOption::Value("--pattern", options.filePattern),
    };
    if (!ParseBatchArguments(args, 1, known, [&](const std::string& word, bool) { options.descs.push_back(word); }))
        return false;
    options.codePage = PathText(options.codePage);  // a name, not a path
    return !options.vars.empty() && !options.descs.empty() && (!options.base.empty() || !options.rules.empty());
}

// The rules: learned from the base game's folder (and written to --rules
// when it is given too), or read from --rules.
std::shared_ptr<LearnedRules> Rules(const CheckOptions& options, const DescDocument& mod, const CodePage& codePage,
                                    std::ostream& err)
{
    if (options.base.empty())
        return ReadRulesFile(options.rules, codePage);
    const BaseGameRead base =
        ReadBaseGame(mod.variablesText(), options.base, NamePattern(options.filePattern, codePage), codePage);
    if (!base.unreadable.empty())
        err << "warning: " << ErrorBoxText(base.unreadable.english()) << "; nothing was learned from its files\n";
    std::shared_ptr<LearnedRules> rules = LearnRules(*base.document, options.base, base.files);
    if (!options.rules.empty())
        WriteRulesFile(options.rules, *rules);
    return rules;
}

int RunCheck(const CheckOptions& options, const CodePage& codePage, std::ostream& out, std::ostream& err)
{
    auto mod = LoadDocument(options.vars, ExpandFileArguments(options.descs, options.filePattern), codePage, err);
    // One folder given: the accepted file names its files below it, as the
    // window's Open folder does.
    if (options.descs.size() == 1 && IsFolder(options.descs.front()))
        mod->setOpenedRoot(options.descs.front());
    const std::shared_ptr<LearnedRules> rules = Rules(options, *mod, codePage, err);
    AcceptedChecks accepted =
        ReadAcceptedFile(options.accepted.empty() ? AcceptedFilePath(options.vars) : options.accepted);
    const CheckList checks(*mod, rules, std::move(accepted));
    int files = 0;
    int lastRow = 0;
    checks.eachCheck([&](const Check& check) {
        if (check.row != lastRow)
            ++files;
        lastRow = check.row;
        out << mod->fileList().cell(kFilePathColumn, check.row) << '\t' << check.column.key << '\t'
            << check.column.value << '\t' << check.value << '\t' << check.reasonText() << '\n';
    });
    err << "check: " << checks.size() << " value(s) in " << files << " of " << mod->descFileCount()
        << " file(s) look wrong against the rules learned from " << CountText(rules->files)
        << " desc file(s) of the base game\n";
    return checks.size() > 0 ? 1 : 0;
}

}  // namespace

bool IsCheckBatchCommand(const std::string& command) { return command == "check"; }

int RunCheckBatchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    return RunParsedCommand<CheckOptions>(args, err, ParseCheck, [&](CheckOptions& options, const CodePage& codePage) {
        return RunCheck(options, codePage, out, err);
    });
}

}  // namespace dravik
