#include "core/bulk/value_checks.h"

#include "core/text/cell_value.h"
#include "core/text/dravik2_auxillary.h"
#include "core/schema/schema.h"

#include <algorithm>

namespace dravik {

namespace {

// The last section of words; the text section takes a line's whole rest.
constexpr SectionNumber kLastWordSection{kSectionCount - 1};

bool HoldsSeveralWords(std::string_view text) { return Trim(text).find(' ') != std::string_view::npos; }

}  // namespace

ValueProblem CheckCell(const DescDocument& document, ColumnProfiles& profiles, GridNumber grid, int col, int row)
{
    if (!IsSectionTable(grid) || col < 2 || row < 1)
        return ValueProblem::None;
    if (!document.cellChanged(grid, col, row)) {
        // A cell between a line's last value and one typed past it.
        const bool empty = document.grid(grid).cell(col, row).empty();
        return empty && document.valueAppended(grid, col, row) ? ValueProblem::EmptyValue : ValueProblem::None;
    }
    // The value would not reach the file at all.
    if (document.keyLineMissing(grid, col, row))
        return ValueProblem::NoKeyLine;
    const std::string_view text = document.grid(grid).cell(col, row);
    const ValueProblem control = ControlProblem(text, SectionOf(grid));
    if (StopsSaveAll(control))
        return control;
    // The shifted values are the worse outcome, and "1 2" is no number either.
    if (SectionOf(grid) <= kLastWordSection && HoldsSeveralWords(text))
        return ValueProblem::SeveralWords;
    // Before the number check: "5\0" reads as the number 5, its NUL trimmed.
    if (control != ValueProblem::None)
        return control;
    return profiles.problem(grid, col, row) ? ValueProblem::NotANumber : ValueProblem::None;
}

ValueProblem ControlProblem(std::string_view value, SectionNumber section)
{
    switch (FindControl(value, section <= kLastWordSection).kind) {
    case ValueControl::LineBreak: return ValueProblem::LineBreak;
    case ValueControl::NulOrCtrlZ: return ValueProblem::NulOrCtrlZ;
    case ValueControl::Other:
    case ValueControl::Tab: return ValueProblem::ControlCharacter;
    case ValueControl::None: break;
    }
    return ValueProblem::None;
}

Message ProblemReason(ValueProblem problem, std::string_view key, std::string_view value)
{
    switch (problem) {
    case ValueProblem::NotANumber:
        return Message(DRAVIK_TR("Value checks", "not a number, in a column whose files all hold numbers"));
    case ValueProblem::SeveralWords:
        return Message(DRAVIK_TR("Value checks", "several words: Save all writes each as a value of its own, so the "
                                                 "key's later values move along"));
    case ValueProblem::NoKeyLine:
        return Message(DRAVIK_TR("Value checks", "this file has no line for %1; Save all cannot write it"),
                       {std::string(key)});
    case ValueProblem::LineBreak:
        return Message(
            DRAVIK_TR("Value checks", "a line break: Save all cannot write it, as it would split the key line"));
    case ValueProblem::NulOrCtrlZ:
        return FindControl(value, false).byte == 26
                   ? Message(DRAVIK_TR("Value checks", "a Ctrl+Z (byte 26): Save all cannot write it, as programs "
                                                       "reading the file as text end it there"))
                   : Message(DRAVIK_TR("Value checks", "a NUL (byte 0): Save all cannot write it, as the game and "
                                                       "other programs end the line there"));
    case ValueProblem::ControlCharacter: {
        // Another control character is named before a TAB.
        const ControlFound found = FindControl(value, true);
        if (found.kind == ValueControl::Tab)
            return Message(DRAVIK_TR("Value checks",
                                     "a TAB: programs that separate values by blanks and TABs read two values there"));
        return Message(DRAVIK_TR("Value checks", "a control character (byte %1), invisible, which no desc line should hold"),
                       {std::to_string(found.byte)});
    }
    case ValueProblem::EmptyValue:
        return "an empty value: a later value of " + std::string(key) +
               " was typed past the end of this file's line, so Save all writes this one too, as nothing between two "
               "blanks, and the values after it move back";
    case ValueProblem::None: break;
    }
    return {};
}

std::string StoppedBy(const std::vector<ProblemCell>& cells)
{
    const bool lineBreak = std::any_of(cells.begin(), cells.end(),
                                       [](const ProblemCell& cell) { return cell.problem == ValueProblem::LineBreak; });
    const bool cutShort = std::any_of(cells.begin(), cells.end(),
                                      [](const ProblemCell& cell) { return cell.problem == ValueProblem::NulOrCtrlZ; });
    if (lineBreak && cutShort)
        return "a line break, a NUL or a Ctrl+Z";
    return lineBreak ? "a line break" : cutShort ? "a NUL or a Ctrl+Z" : "";
}

std::vector<ProblemCell> FindProblemCells(const DescDocument& document, ColumnProfiles& profiles, size_t limit)
{
    std::vector<ProblemCell> found;
    if (!document.isModified())
        return found;
    for (GridNumber n : SectionTables()) {
        const Grid& table = document.grid(n);
        for (int r = 1; r < table.rowCount(); ++r) {
            if (!document.rowChanged(r))
                continue;
            for (int c = kFirstValueColumn; c < table.colCount(); ++c) {
                const ValueProblem problem = CheckCell(document, profiles, n, c, r);
                if (problem == ValueProblem::None)
                    continue;
                if (found.size() == limit)
                    return found;
                found.push_back({n, c, r, problem});
            }
        }
    }
    return found;
}

namespace {

// A value as a line of a report shows it: each control character in caret
// notation ("^@" for a NUL, "^I" for a TAB, "^?" for byte 127), so that
// none of them splits the line or its TAB-separated fields, or reaches a
// terminal as a command.
std::string ShownOnOneLine(std::string_view value)
{
    std::string shown;
    shown.reserve(value.size());
    for (const char c : value) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 32 || byte == 127) {
            shown += '^';
            shown += static_cast<char>(byte ^ 0x40);
        } else {
            shown += c;
        }
    }
    return shown;
}

}  // namespace

ProblemReport ReportProblemCells(const DescDocument& document, ColumnProfiles& profiles, size_t named)
{
    ProblemReport report;
    const std::vector<ProblemCell> cells = FindProblemCells(document, profiles);
    report.count = cells.size();
    report.stopsSaveAll =
        std::any_of(cells.begin(), cells.end(), [](const ProblemCell& cell) { return StopsSaveAll(cell.problem); });
    report.stoppedBy = StoppedBy(cells);
    for (size_t i = 0; i < cells.size() && i < named; ++i) {
        const ProblemCell& cell = cells[i];
        const Grid& table = document.grid(cell.grid);
        const std::string_view key = Trim(table.cell(cell.col, 0));
        std::string line(document.fileList().cell(kFilePathColumn, cell.row));
        line.append("\t").append(key);
        line.append("\t").append(ShownOnOneLine(table.cell(cell.col, cell.row)));
        line.append("\t").append(ProblemReason(cell.problem, key, table.cell(cell.col, cell.row)).english());
        report.lines.push_back(std::move(line));
    }
    return report;
}

}  // namespace dravik
