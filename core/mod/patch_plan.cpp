#include "core/mod/patch_plan.h"

#include "core/errors.h"
#include "core/files/native_path.h"
#include "core/mod/mod_paths.h"
#include "core/mod/table_keys.h"
#include "core/text/cell_value.h"
#include "core/text/dravik2_auxillary.h"
#include "core/text/utf8_text.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>
#include <unordered_map>

namespace dravik {

PatchKeyIndex::PatchKeyIndex(const std::vector<TableKey>& keys) : keys_(keys)
{
    for (size_t i = 0; i < keys.size(); ++i) {
        exact_.emplace(keys[i].name, i);
        const auto [slot, added] = trimmed_.emplace(std::string(Trim(keys[i].name)), i);
        if (!added)
            slot->second = kAmbiguous;
    }
}

const TableKey* PatchKeyIndex::find(const std::string& name) const
{
    if (const auto found = exact_.find(name); found != exact_.end())
        return &keys_[found->second];
    const auto found = trimmed_.find(std::string(Trim(name)));
    return found == trimmed_.end() || found->second == kAmbiguous ? nullptr : &keys_[found->second];
}

Message PatchValueProblem(std::string_view value, bool words)
{
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 26)
            return Message(DRAVIK_TR("Patches", "byte 26 (Ctrl+Z), which older programs read as the end of a text file"));
        if (byte < 32 || byte == 127)
            return Message(DRAVIK_TR("Patches", "a control character (byte %1), which no desc file holds"),
                           {std::to_string(byte)});
    }
    if (!words)
        return {};
    if (IsBlankCell(value))
        return Message(DRAVIK_TR("Patches", "an empty value, which a key line cannot hold: it would be lost and the "
                                            "key's later values move along"));
    if (Trim(value).find(' ') != std::string_view::npos)
        return Message(DRAVIK_TR("Patches", "several words: each would be a value of its own, and the key's later "
                                            "values would move along"));
    return {};
}

namespace {

PatchResult Plan(const DescDocument& document, const ModPathIndex& files, const PatchKeyIndex& keys,
                 const PatchLine& line)
{
    PatchResult result;
    result.row = files.find(line.path);
    if (result.row < 0) {
        result.row = 0;
        return result;
    }
    const TableKey* key = keys.find(line.key);
    if (!key) {
        result.outcome = PatchOutcome::NoKey;
        return result;
    }
    if (line.value > key->values) {
        result.outcome = PatchOutcome::NoValue;
        return result;
    }
    const GridNumber grid = key->written().grid;
    const int col = key->writtenColumn(line.value);
    if (!document.keyLineRead(grid, col, result.row)) {
        result.outcome = PatchOutcome::NoKeyLine;
        return result;
    }
    if (!document.valueRead(grid, col, result.row)) {
        result.outcome = PatchOutcome::NoValueInLine;
        return result;
    }
    result.found = document.grid(grid).cell(col, result.row);
    if (result.found == line.mod) {
        result.outcome = PatchOutcome::AlreadyThere;
        return result;
    }
    result.why = PatchValueProblem(line.mod, grid < kTextSectionTable);
    if (!result.why.empty()) {
        result.outcome = PatchOutcome::CannotHold;
        return result;
    }
    result.outcome = result.found == line.base ? PatchOutcome::Applies : PatchOutcome::Conflict;
    for (const auto& [cellGrid, cellCol] : key->cellsOf(line.value))
        result.edits.push_back({cellGrid, cellCol, result.row, line.mod});
    return result;
}

// The lines naming one value: the same line again is taken once; lines
// that disagree are none of them applied.
void SettleRepeats(PatchPlan& plan, const PatchKeyIndex& index)
{
    std::map<std::tuple<int, GridNumber, int>, std::vector<size_t>> byCell;
    for (size_t i = 0; i < plan.lines.size(); ++i) {
        const PatchResult& result = plan.results[i];
        if (result.outcome != PatchOutcome::Applies && result.outcome != PatchOutcome::AlreadyThere &&
            result.outcome != PatchOutcome::Conflict && result.outcome != PatchOutcome::CannotHold)
            continue;
        const TableKey* key = index.find(plan.lines[i].key);
        byCell[{result.row, key->written().grid, key->writtenColumn(plan.lines[i].value)}].push_back(i);
    }
    for (const auto& [cell, lines] : byCell) {
        if (lines.size() < 2)
            continue;
        const PatchLine& first = plan.lines[lines.front()];
        const bool same = std::all_of(lines.begin(), lines.end(), [&](size_t i) {
            return plan.lines[i].base == first.base && plan.lines[i].mod == first.mod;
        });
        for (size_t k = same ? 1 : 0; k < lines.size(); ++k) {
            PatchResult& result = plan.results[lines[k]];
            result.outcome = same ? PatchOutcome::Repeated : PatchOutcome::NamedTwice;
            result.why = MissingReason(result.outcome);
            result.edits.clear();
        }
    }
}

// The desc files' values as the tables hold them, scanned for UTF-8.
Utf8Scan ScanTableValues(const DescDocument& document)
{
    Utf8Scan values;
    for (GridNumber n : SectionTables()) {
        if (!values.valid)
            break;
        const Grid& grid = document.grid(n);
        for (int r = 1; r < grid.rowCount() && values.valid; ++r) {
            const int stored = std::min(grid.storedCells(r), grid.colCount());
            for (int c = kFirstValueColumn; c < stored && values.valid; ++c)
                values += ScanUtf8(grid.cell(c, r));
        }
    }
    return values;
}

bool Taken(const PatchResult& result, size_t i, const std::vector<bool>& takePatch)
{
    return result.outcome == PatchOutcome::Applies ||
           (result.outcome == PatchOutcome::Conflict && i < takePatch.size() && takePatch[i]);
}

}  // namespace

// The patch's text in UTF-8 while the desc files' values are not, as an
// editor saves it when told to (Notepad's default): its letters would reach
// the files as two or more bytes each. A byte order mark says so outright.
void RefusePatchInOtherCharacterSet(const PatchFile& patch, const std::function<Utf8Scan()>& scanValues,
                                    const CodePage& codePage)
{
    Utf8Scan text;
    bool nonAscii = false;
    // The paths are left out: off Windows they are the file system's names,
    // which are UTF-8 there whatever the desc files hold.
    for (const PatchLine& line : patch.lines)
        for (const std::string* field : {&line.key, &line.base, &line.mod}) {
            text += ScanUtf8(*field);
            nonAscii = nonAscii || std::any_of(field->begin(), field->end(),
                                               [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
        }
    if (!(patch.utf8Mark ? nonAscii : text.valid && text.multiByte))
        return;
    const Utf8Scan values = scanValues();
    if (values.valid && values.multiByte)
        return;
    if (patch.utf8Mark)
        throw DravikError(Message(
            DRAVIK_TR("Patches", "\"%1\" is in UTF-8 (it begins with UTF-8's byte order mark) while the desc files are "
                                 "not: each of its non-ASCII characters would become two or more bytes in them, whose "
                                 "code page is %2. Save the patch in that character set and apply it again"),
            {PathText(patch.name), codePage.name()}));
    throw DravikError(Message(
        DRAVIK_TR("Patches", "\"%1\" is in UTF-8 while the desc files are not: each of its non-ASCII characters would "
                             "become two or more bytes in them, whose code page is %2. Save the patch in that "
                             "character set and apply it again"),
        {PathText(patch.name), codePage.name()}));
}

Message MissingReason(PatchOutcome outcome)
{
    switch (outcome) {
    case PatchOutcome::NoFile: return Message(DRAVIK_TR("Patches", "no open file has this path"));
    case PatchOutcome::NoKey:
        return Message(DRAVIK_TR("Patches", "no table has a column for the key (see the variables file)"));
    case PatchOutcome::NoValue: return Message(DRAVIK_TR("Patches", "the key has fewer values"));
    case PatchOutcome::NoKeyLine: return Message(DRAVIK_TR("Patches", "the file has no line for the key"));
    case PatchOutcome::NamedTwice:
        return Message(DRAVIK_TR("Patches", "the patch names this value more than once, with different values"));
    case PatchOutcome::CannotHold: return Message(DRAVIK_TR("Patches", "a value no key line can hold"));
    case PatchOutcome::NoValueInLine: return Message(DRAVIK_TR("Patches", "the file's line of the key has fewer values"));
    default: return {};
    }
}

const char* PatchOutcomeWord(PatchOutcome outcome)
{
    switch (outcome) {
    case PatchOutcome::Conflict: return "conflict";
    case PatchOutcome::NoFile: return "no-file";
    case PatchOutcome::NoKey: return "no-key";
    case PatchOutcome::NoValue: return "no-value";
    case PatchOutcome::NoKeyLine: return "no-key-line";
    case PatchOutcome::NamedTwice: return "named-twice";
    case PatchOutcome::CannotHold: return "cannot-hold";
    case PatchOutcome::NoValueInLine: return "no-value-in-line";
    default: return "not-applied";
    }
}

int PatchPlan::count(PatchOutcome outcome) const
{
    return static_cast<int>(
        std::count_if(results.begin(), results.end(), [&](const PatchResult& r) { return r.outcome == outcome; }));
}

int PatchPlan::missing() const
{
    return static_cast<int>(
        std::count_if(results.begin(), results.end(), [](const PatchResult& r) { return !r.why.empty(); }));
}

std::vector<CellEdit> PatchPlan::edits(const std::vector<bool>& takePatch) const
{
    std::vector<CellEdit> all;
    for (size_t i = 0; i < results.size(); ++i)
        if (Taken(results[i], i, takePatch))
            all.insert(all.end(), results[i].edits.begin(), results[i].edits.end());
    return all;
}

int PatchPlan::filesChanged(const std::vector<bool>& takePatch) const
{
    std::set<int> rows;
    for (size_t i = 0; i < results.size(); ++i)
        if (Taken(results[i], i, takePatch))
            rows.insert(results[i].row);
    return static_cast<int>(rows.size());
}

PatchPlan PlanPatch(const DescDocument& document, PatchFile patch)
{
    RefusePatchInOtherCharacterSet(patch, [&] { return ScanTableValues(document); }, document.codePage());
    ModPathIndex files(document.codePage());
    const std::vector<std::string> paths = OpenModPaths(document);
    for (size_t i = 0; i < paths.size(); ++i)
        files.add(paths[i], static_cast<int>(i) + 1);
    const std::vector<TableKey> keys = TableKeys(document);
    const PatchKeyIndex index(keys);
    PatchPlan plan;
    plan.lines = std::move(patch.lines);
    for (const PatchLine& line : plan.lines) {
        plan.results.push_back(Plan(document, files, index, line));
        if (PatchResult& result = plan.results.back(); result.why.empty())
            result.why = MissingReason(result.outcome);
    }
    SettleRepeats(plan, index);
    return plan;
}

}  // namespace dravik
