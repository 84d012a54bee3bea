// Values that look wrong after editing, pointed out before Save all writes
// them: a number column's cell edited into something else, and a cell of a
// section table (1 to 9) holding several words, which Save all writes as
// that many values, so that the key's later values move along by one in the
// file. The text section holds free text and is checked for numbers only. In
// every table, a value typed for a key its file has no line for is pointed
// out too: Save all never adds a key line, so it cannot write that value.
// A value holding a line break, whatever put it there, would split its key
// line in two, and one holding a NUL or a Ctrl+Z (byte 26) would cut its
// line or its file short for the programs that read it: Save all does not
// write them at all (StopsSaveAll). Other control characters, and a TAB in
// a value of sections 1 to 9, are pointed out (see FindControl). A value
// typed past the last value of a file's line appends to the line the cells
// between as well; while they are empty, each is pointed out as an empty
// value, which the line would hold as two blanks in a row.
//
// Only edited cells are checked, and the cells between that an edit appends:
// what a file holds is what Open desc read.
#pragma once

#include "core/bulk/column_profiles.h"
#include "core/document/desc_document.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dravik {

enum class ValueProblem { None, NotANumber, SeveralWords, NoKeyLine, LineBreak, NulOrCtrlZ, ControlCharacter, EmptyValue };

inline bool StopsSaveAll(ValueProblem problem)
{
    return problem == ValueProblem::LineBreak || problem == ValueProblem::NulOrCtrlZ;
}

ValueProblem CheckCell(const DescDocument& document, ColumnProfiles& profiles, GridNumber grid, int col, int row);

// What a value's control characters make of it, wherever it is to go into a
// desc line (a cell, a patch's value): LineBreak, NulOrCtrlZ (both
// StopsSaveAll), ControlCharacter or None. `section` is its table, 1 to 10:
// a TAB counts in sections 1 to 9 only.
ValueProblem ControlProblem(std::string_view value, SectionNumber section);

// Why a cell is a problem, in one line for the user; `key` is the cell's
// header without its blanks, `value` its text (the control characters are
// named by their bytes).
Message ProblemReason(ValueProblem problem, std::string_view key, std::string_view value = {});

struct ProblemCell {
    GridNumber grid;
    int col;
    int row;
    ValueProblem problem;
};

// Every problem cell, table by table, row by row; at most `limit` of them.
std::vector<ProblemCell> FindProblemCells(const DescDocument& document, ColumnProfiles& profiles,
                                          size_t limit = SIZE_MAX);

// How many problem cells there are, and the first few as
// "file<TAB>key<TAB>value<TAB>reason" lines (the key without its blanks, the
// value's control characters in caret notation: "^@" for a NUL).
struct ProblemReport {
    size_t count = 0;
    std::vector<std::string> lines;
    bool stopsSaveAll = false;  // one of them at least
    std::string stoppedBy;      // StoppedBy of them
};

// What the cells that stop Save all hold, for a sentence: "a line break",
// "a NUL or a Ctrl+Z", or "a line break, a NUL or a Ctrl+Z"; empty when
// none does.
std::string StoppedBy(const std::vector<ProblemCell>& cells);
ProblemReport ReportProblemCells(const DescDocument& document, ColumnProfiles& profiles, size_t named = 5);

}  // namespace dravik
