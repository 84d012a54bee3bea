// Values that look wrong after editing, pointed out before Save all writes
// them: a number column's cell edited into something else, and a cell of a
// section table (1 to 9) holding several words, which Save all writes as
// that many values, so that the key's later values move along by one in the
// file. The text section holds free text and is checked for numbers only. In
// every table, a value typed for a key its file has no line for is pointed
// out too: Save all never adds a key line, so it cannot write that value.
// A value holding a line break, whatever put it there, would split its key
// line in two: Save all does not write it at all (StopsSaveAll). A value
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

enum class ValueProblem { None, NotANumber, SeveralWords, NoKeyLine, LineBreak, EmptyValue };

inline bool StopsSaveAll(ValueProblem problem) { return problem == ValueProblem::LineBreak; }

ValueProblem CheckCell(const DescDocument& document, ColumnProfiles& profiles, int grid, int col, int row);

// Why a cell is a problem, in one line for the user; `key` is the cell's
// header without its blanks.
std::string ProblemReason(ValueProblem problem, std::string_view key);

struct ProblemCell {
    int grid;
    int col;
    int row;
    ValueProblem problem;
};

// Every problem cell, table by table, row by row; at most `limit` of them.
std::vector<ProblemCell> FindProblemCells(const DescDocument& document, ColumnProfiles& profiles,
                                          size_t limit = SIZE_MAX);

// How many problem cells there are, and the first few as
// "file<TAB>key<TAB>value<TAB>reason" lines (the key without its blanks).
struct ProblemReport {
    size_t count = 0;
    std::vector<std::string> lines;
    bool stopsSaveAll = false;  // one of them at least
};
ProblemReport ReportProblemCells(const DescDocument& document, ColumnProfiles& profiles, size_t named = 5);

}  // namespace dravik
