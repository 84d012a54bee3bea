#include "core/mod/patch_plan.h"

#include "core/mod/mod_paths.h"
#include "core/mod/table_keys.h"
#include "core/text/dravik2_auxillary.h"

#include <algorithm>
#include <set>
#include <unordered_map>

namespace dravik {

namespace {

// Keys by name: as the variables text writes them, else with the blanks at
// their ends left out (a spreadsheet may trim a cell), when that names one.
class KeyIndex {
public:
    explicit KeyIndex(const std::vector<TableKey>& keys) : keys_(keys)
    {
        for (size_t i = 0; i < keys.size(); ++i) {
            exact_.emplace(keys[i].name, i);
            const auto [slot, added] = trimmed_.emplace(std::string(Trim(keys[i].name)), i);
            if (!added)
                slot->second = kAmbiguous;
        }
    }
    const TableKey* find(const std::string& name) const
    {
        if (const auto found = exact_.find(name); found != exact_.end())
            return &keys_[found->second];
        const auto found = trimmed_.find(std::string(Trim(name)));
        return found == trimmed_.end() || found->second == kAmbiguous ? nullptr : &keys_[found->second];
    }

private:
    static constexpr size_t kAmbiguous = static_cast<size_t>(-1);
    const std::vector<TableKey>& keys_;
    std::unordered_map<std::string, size_t> exact_;
    std::unordered_map<std::string, size_t> trimmed_;
};

PatchResult Plan(const DescDocument& document, const ModPathIndex& files, const KeyIndex& keys,
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
    const int grid = key->written().grid;
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
    result.outcome = result.found == line.base ? PatchOutcome::Applies : PatchOutcome::Conflict;
    for (const auto& [cellGrid, cellCol] : key->cellsOf(line.value))
        result.edits.push_back({cellGrid, cellCol, result.row, line.mod});
    return result;
}

bool Taken(const PatchResult& result, size_t i, const std::vector<bool>& takePatch)
{
    return result.outcome == PatchOutcome::Applies ||
           (result.outcome == PatchOutcome::Conflict && i < takePatch.size() && takePatch[i]);
}

}  // namespace

std::string MissingReason(PatchOutcome outcome)
{
    switch (outcome) {
    case PatchOutcome::NoFile: return "no open file has this path";
    case PatchOutcome::NoKey: return "no table has a column for the key (see the variables file)";
    case PatchOutcome::NoValue: return "the key has fewer values";
    case PatchOutcome::NoKeyLine: return "the file has no line for the key";
    case PatchOutcome::NoValueInLine: return "the file's line of the key has fewer values";
    default: return {};
    }
}

int PatchPlan::count(PatchOutcome outcome) const
{
    return static_cast<int>(
        std::count_if(results.begin(), results.end(), [&](const PatchResult& r) { return r.outcome == outcome; }));
}

int PatchPlan::missing() const
{
    return static_cast<int>(std::count_if(results.begin(), results.end(),
                                          [](const PatchResult& r) { return !MissingReason(r.outcome).empty(); }));
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

PatchPlan PlanPatch(const DescDocument& document, std::vector<PatchLine> lines)
{
    ModPathIndex files(document.codePage());
    const std::vector<std::string> paths = OpenModPaths(document);
    for (size_t i = 0; i < paths.size(); ++i)
        files.add(paths[i], static_cast<int>(i) + 1);
    const std::vector<TableKey> keys = TableKeys(document);
    const KeyIndex index(keys);
    PatchPlan plan;
    plan.lines = std::move(lines);
    for (const PatchLine& line : plan.lines)
        plan.results.push_back(Plan(document, files, index, line));
    return plan;
}

}  // namespace dravik
