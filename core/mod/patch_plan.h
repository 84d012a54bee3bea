// Applying a patch to the open tables, worked out before anything changes:
// for each patch line, what the tables hold there and what becomes of it.
// A value still as the patch's base takes the patch's value; one that holds
// it already is left; any other is a conflict, the mod's own change, left
// as it is unless the patch's is taken. A line whose file, key or key line
// is not there is reported: the value could reach no file. So is a line
// whose value no key line can hold, and every line of a value the patch
// names more than once with different values (two patches joined into one):
// which of them was meant is not the program's to guess.
#pragma once

#include "core/document/desc_document.h"
#include "core/mod/patch_file.h"
#include "core/mod/table_keys.h"
#include "core/text/utf8_text.h"

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace dravik {

enum class PatchOutcome {
    Applies,       // the value is the patch's base value
    AlreadyThere,  // the value is the patch's value
    Conflict,      // the value is neither
    NoFile,        // no open file has the line's path
    NoKey,         // no table has a column for the key
    NoValue,       // the key has fewer values than the line's number
    NoKeyLine,     // the file has no line for the key, and Save all adds none
    Repeated,      // an earlier line names the same value with the same values: taken once
    NamedTwice,    // another line names the same value with other values: none of them is applied
    CannotHold,    // the patch's value is one no key line can hold (the result's `why` says which)
    NoValueInLine,  // the file's line of the key ends before the value
};

// Why a line could not be applied, as the user is told; empty for the
// outcomes that found their value.
Message MissingReason(PatchOutcome outcome);
// The outcome as one fixed word a script can look for ("no-key");
// "not-applied" for the outcomes that found their value.
const char* PatchOutcomeWord(PatchOutcome outcome);

struct PatchResult {
    PatchOutcome outcome = PatchOutcome::NoFile;
    int row = 0;        // the file's row, once found
    std::string found;  // the value the tables hold, once found
    // Why the line is not applied, as the user is told; empty for the lines
    // that apply, conflicts and repeats.
    Message why;
    // The cells taking the patch's value, for Applies and Conflict: every
    // column showing that value of the key.
    std::vector<CellEdit> edits;
};

struct PatchPlan {
    std::vector<PatchLine> lines;
    std::vector<PatchResult> results;  // one per line, in the patch's order

    int count(PatchOutcome outcome) const;
    // Lines that are not applied, conflicts aside: those that found no value
    // to apply to, those naming a value twice, those no key line can hold.
    int missing() const;
    // The edits of the lines that apply, and of the conflicts for which
    // `takePatch` is true (one flag per line; none: no conflict is taken).
    std::vector<CellEdit> edits(const std::vector<bool>& takePatch = {}) const;
    // The files the edits change.
    int filesChanged(const std::vector<bool>& takePatch = {}) const;
};

// Keys by the name a patch line gives: as the variables text writes them,
// else with the blanks at their ends left out (a spreadsheet may trim a
// cell), when that names one.
class PatchKeyIndex {
public:
    explicit PatchKeyIndex(const std::vector<TableKey>& keys);
    const TableKey* find(const std::string& name) const;

private:
    static constexpr size_t kAmbiguous = static_cast<size_t>(-1);
    const std::vector<TableKey>& keys_;
    std::unordered_map<std::string, size_t> exact_;
    std::unordered_map<std::string, size_t> trimmed_;
};

// Why no key line can hold the value; empty when one can. A key line of
// sections 1 to 9 holds its values as words between blanks (`words`), so
// there a value is one word; the text section's value is the rest of its line.
Message PatchValueProblem(std::string_view value, bool words);

// Throws DravikError when the patch's text is in UTF-8 while the desc files'
// values (scanned by `scanValues`, asked only when the patch looks like
// UTF-8) are not: its letters would reach the files as other bytes.
void RefusePatchInOtherCharacterSet(const PatchFile& patch, const std::function<Utf8Scan()>& scanValues,
                                    const CodePage& codePage);

// The lines' files are found by their path below the open set's folder.
// Throws DravikError when the patch's text is in UTF-8 while the desc files'
// values are not: its letters would reach the files as other bytes.
PatchPlan PlanPatch(const DescDocument& document, PatchFile patch);

}  // namespace dravik
