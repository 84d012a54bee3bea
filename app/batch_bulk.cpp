#include "app/batch_bulk.h"

#include "app/batch_arguments.h"
#include "app/batch_command.h"
#include "app/batch_document.h"
#include "app/batch_files.h"
#include "core/document/edit_history.h"
#include "core/bulk/bulk_edits.h"
#include "core/text/code_page.h"
#include "core/bulk/column_profiles.h"
#include "core/document/desc_document.h"
#include "core/text/dravik2_auxillary.h"
#include "core/errors.h"
#include "core/files/file_io.h"
#include "core/files/folder_listing.h"
#include "core/files/native_path.h"
#include "core/bulk/row_filter.h"
#include "core/bulk/table_rows.h"
#include "core/text/text_lines.h"
#include "core/bulk/text_search.h"
#include "core/bulk/unified_diff.h"

#include <array>
#include <charconv>
#include <memory>
#include <optional>
#include <ostream>
#include <set>

namespace dravik {

namespace {

struct BulkOptions {
    std::string command;
    std::string vars;
    std::string codePage;
    // set
    std::string key;
    int value = 0;  // 1 and on; 0 for every value of the key
    std::string where;
    std::string whereKey;
    std::string expr;
    bool hasExpr = false;
    bool dryRun = false;
    bool onlyChanged = false;
    // find
    std::string pattern;
    SearchOptions search;

    std::vector<std::string> descs;
    std::string filePattern = kEveryName;  // --pattern: the names a folder stands for
};

// A bad argument that is not the usage's fault: its own message, exit 2.
struct BadArgument {
    std::string message;
};

bool ParseBulk(const std::vector<std::string>& args, BulkOptions& options)
{
    options.command = args.at(0);
    const bool set = options.command == "set";
    std::vector<BatchOption> known = {
        BatchOption::Value("--vars", options.vars),
        BatchOption::Value("--codepage", options.codePage),
        BatchOption::Value("--pattern", options.filePattern),
    };
    if (set) {
        known.push_back(BatchOption::Value("--key", options.key));
        known.push_back(BatchOption::Taken("--value", [&](const std::string& number) {
            const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), options.value);
            if (error != std::errc() || end != number.data() + number.size() || options.value < 1)
                throw BadArgument{"--value takes a value's number, 1 for the first: \"" + number + "\""};
        }));
        known.push_back(BatchOption::Value("--where", options.where));
        known.push_back(BatchOption::Value("--where-key", options.whereKey));
        known.push_back(BatchOption::Taken("--expr", [&](const std::string& expr) {
            options.expr = expr;
            options.hasExpr = true;
        }));
        known.push_back(BatchOption::Switch("--dry-run", options.dryRun));
        known.push_back(BatchOption::Switch("--only-changed", options.onlyChanged));
    } else {
        known.push_back(BatchOption::Switch("--regex", options.search.regex));
        known.push_back(BatchOption::Switch("--match-case", options.search.matchCase));
        known.push_back(BatchOption::Switch("--whole-cell", options.search.wholeCell));
    }
    // Find's first word is its pattern, wherever it stands.
    bool patternTaken = false;
    const bool parsed = ParseBatchArguments(args, 1, known, [&](const std::string& word, bool) {
        if (!set && !patternTaken) {
            options.pattern = word;
            patternTaken = true;
        } else {
            options.descs.push_back(word);
        }
    });
    if (!parsed)
        return false;
    // Text, not paths: what the code page cannot write is "?", as in the tables.
    for (std::string* text : {&options.codePage, &options.key, &options.where, &options.whereKey, &options.expr,
                              &options.pattern})
        *text = PathText(*text);
    if (options.vars.empty() || options.descs.empty())
        return false;
    if (set)
        return !options.key.empty() && options.hasExpr && (options.whereKey.empty() || !options.where.empty());
    return patternTaken;
}

// The key's columns in each section table that has it (a key may stand in
// more than one section).
std::vector<std::pair<GridNumber, std::vector<int>>> ColumnsOfKey(const DescDocument& document, const std::string& key)
{
    std::vector<std::pair<GridNumber, std::vector<int>>> found;
    for (GridNumber grid : SectionTables()) {
        std::vector<int> columns = KeyColumns(document, grid, key);
        if (!columns.empty())
            found.emplace_back(grid, std::move(columns));
    }
    if (found.empty())
        throw DravikError("No table has a column for the key \"" + key + "\" (check the variables file)");
    return found;
}

// The typed texts, checked before any file is read.
std::pair<CellExpression, RowFilter> ParseSetTexts(const BulkOptions& options, const CodePage& codePage)
{
    std::optional<CellExpression> expression;
    try {
        expression = CellExpression::Parse(options.expr);
    } catch (const PlainTextError& e) {
        throw BadArgument{"--expr: " + std::string(e.what()) + "; " + e.hint().english()};
    } catch (const SyntaxError& e) {
        throw BadArgument{"--expr: " + std::string(e.what())};
    }
    try {
        return {std::move(*expression), RowFilter::Parse(options.where, codePage)};
    } catch (const SyntaxError& e) {
        throw BadArgument{"--where: " + std::string(e.what())};
    }
}

// The columns --key and --value name, in each section table that has the key.
CellScope SetColumns(const DescDocument& document, const BulkOptions& options)
{
    CellScope scope;
    for (auto& [grid, columns] : ColumnsOfKey(document, options.key)) {
        CellBlock block;
        block.grid = grid;
        if (grid == kTextSectionTable) {
            // A text key's columns all hold its one text, and Save all writes
            // the first: a later column would be set and never written.
            if (options.value > 1)
                throw DravikError("The key \"" + options.key + "\" is in the text section, which holds one text " +
                                  "per file: --value " + std::to_string(options.value) + " cannot be set, only 1");
            block.columns = {columns.front()};
        } else if (options.value == 0) {
            block.columns = columns;
        } else if (options.value <= static_cast<int>(columns.size())) {
            block.columns = {columns[static_cast<size_t>(options.value) - 1]};
        } else {
            throw DravikError("The key \"" + options.key + "\" has " + Counted(columns.size(), "value", "values") +
                              " in section table " + std::to_string(grid.number()) + ", not " + std::to_string(options.value));
        }
        scope.push_back(std::move(block));
    }
    return scope;
}

// The rows the filter passes, added to each block. The filter looks at the
// cells being set, or at another key's cells; a row passes when one of them
// matches.
void AddPassingRows(DescDocument& document, const BulkOptions& options, const RowFilter& filter, CellScope& scope)
{
    ColumnProfiles profiles(document);
    std::vector<bool> passing(static_cast<size_t>(document.descFileCount()) + 1, false);
    auto pass = [&](GridNumber grid, const std::vector<int>& columns) {
        const std::vector<bool> rows = RowsPassing(filter, document, profiles, grid, columns);
        for (size_t r = 1; r < rows.size(); ++r)
            passing[r] = passing[r] || rows[r];
    };
    if (options.whereKey.empty()) {
        for (const CellBlock& block : scope)
            pass(block.grid, block.columns);
    } else {
        for (const auto& [grid, columns] : ColumnsOfKey(document, options.whereKey))
            pass(grid, columns);
    }
    for (CellBlock& block : scope)
        for (int r = 1; r <= document.descFileCount(); ++r)
            if (passing[static_cast<size_t>(r)])
                block.rows.push_back(r);
}

void ReportSet(const ExpressionEdit& edit, int written, int files, bool dryRun, std::ostream& err)
{
    auto left = [](size_t cells) { return cells == 1 ? " left as it was" : " left as they were"; };
    err << "set: " << Counted(edit.tally.changed, "cell", "cells") << " changed in "
        << Counted(static_cast<size_t>(edit.files), "file", "files") << "; " << edit.tally.same
        << " already held the result";
    if (edit.tally.notANumber)
        err << "; " << edit.tally.notANumber << left(edit.tally.notANumber) << " (not a number)";
    if (edit.tally.noFiniteResult)
        err << "; " << edit.tally.noFiniteResult << left(edit.tally.noFiniteResult) << " (no finite result)";
    err << "; " << written << " of " << Counted(static_cast<size_t>(files), "file ", "files ")
        << (dryRun ? "would be written" : "written") << '\n';
}

int RunSet(const BulkOptions& options, const CodePage& codePage, std::ostream& out, std::ostream& err)
{
    const auto [expression, filter] = ParseSetTexts(options, codePage);
    auto document = LoadDocument(options.vars, options.descs, codePage, err);
    CellScope scope = SetColumns(*document, options);
    AddPassingRows(*document, options, filter, scope);

    const ExpressionEdit edit = ExpressionEdits(*document, scope, expression, 0);
    std::set<int> touched;
    for (const CellEdit& cell : edit.edits)
        touched.insert(cell.row);
    // Through the history, as the window makes it: one step, kept for reading back.
    EditHistory history(*document);
    history.apply(EditStep::SetSelection, [&](DescDocument& d) { return d.setCells(edit.edits); });
    if (!WarnOfProblemCells(*document, {"cell set", "cells set"}, options.dryRun, err))
        return 1;

    // Only the files a value changed in are written; their key lines are
    // rebuilt as Save all rebuilds them.
    const SavePlan plan = document->planSaveAll({}, false, RespellingOf(options.onlyChanged));
    std::set<int> skip;
    for (const FileSave& file : plan.files)
        if (!touched.count(file.row))
            skip.insert(file.row);
    const int written = WritePlannedFiles(*document, plan, skip, options.dryRun, out);
    ReportSet(edit, written, document->descFileCount(), options.dryRun, err);
    return 0;
}

int RunFind(const BulkOptions& options, const CodePage& codePage, std::ostream& out, std::ostream& err)
{
    std::optional<TextSearch> search;
    try {
        search.emplace(options.pattern, codePage, options.search);
    } catch (const SyntaxError& e) {
        throw BadArgument{"PATTERN: " + std::string(e.what())};
    }
    auto document = LoadDocument(options.vars, options.descs, codePage, err);
    // Every column of a text-section key holds the key's whole text: one
    // line for it is enough.
    std::array<std::vector<int>, kSectionCount> columns;
    for (GridNumber grid : SectionTables()) {
        const Grid& table = document->grid(grid);
        for (int c = kFirstValueColumn; c < table.colCount(); ++c)
            if (grid != kTextSectionTable || c == kFirstValueColumn || table.cell(c, 0) != table.cell(c - 1, 0))
                columns[grid.index()].push_back(c);
    }
    for (int r = 1; r <= document->descFileCount(); ++r) {
        const std::string path(document->fileList().cell(kFilePathColumn, r));
        for (GridNumber grid : SectionTables()) {
            const Grid& table = document->grid(grid);
            for (int c : columns[grid.index()]) {
                const std::string_view value = table.cell(c, r);
                if (search->found(value))
                    out << path << '\t' << Trim(table.cell(c, 0)) << '\t' << value << '\n';
            }
        }
    }
    return 0;
}

}  // namespace

bool IsBulkBatchCommand(const std::string& command) { return command == "set" || command == "find"; }

int RunBulkBatchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    try {
        BulkOptions options;
        if (!ParseBulk(args, options)) {
            err << kBatchUsage;
            return 2;
        }
        const CodePage codePage = CodePageOption(options.codePage);
        options.descs = ExpandFileArguments(options.descs, options.filePattern);
        return options.command == "set" ? RunSet(options, codePage, out, err) : RunFind(options, codePage, out, err);
    } catch (const BadArgument& bad) {
        err << "dravik2-batch " << args.at(0) << ": " << bad.message << '\n';
        return 2;
    } catch (const std::exception& e) {
        err << ErrorBoxText(e.what()) << '\n';
        return 1;
    }
}

}  // namespace dravik
