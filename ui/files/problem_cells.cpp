#include "ui/files/problem_cells.h"

#include "core/text/dravik2_auxillary.h"
#include "core/bulk/value_checks.h"
#include "ui/common/display_text.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <iterator>

namespace dravik::ui {

namespace {

constexpr size_t kNamedCells = 5;

// Its texts, filed under their own context in the catalogues.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(ProblemCells)
};

// What stops Save all, in the user's words (the engine's StoppedBy says it
// in English for dravik2-batch).
QString StoppedByText(const std::vector<ProblemCell>& cells)
{
    const auto has = [&](ValueProblem problem) {
        return std::any_of(cells.begin(), cells.end(), [&](const ProblemCell& cell) { return cell.problem == problem; });
    };
    const bool lineBreak = has(ValueProblem::LineBreak), cutShort = has(ValueProblem::NulOrCtrlZ);
    if (lineBreak && cutShort)
        return Tr::tr("a line break, a NUL or a Ctrl+Z");
    return lineBreak ? Tr::tr("a line break") : cutShort ? Tr::tr("a NUL or a Ctrl+Z") : QString();
}

// A line break in a value listed would break the list; it shows as a mark.
// Other control characters would not show at all (a NUL may end the text
// there): each shows as its picture, "\u2400" for a NUL.
QString ShownOnOneLine(QString text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    text.replace(lineBreak, QStringLiteral("\u21b5"));
    for (QChar& c : text) {
        if (c.unicode() < 32)
            c = QChar(0x2400 + c.unicode());
        else if (c.unicode() == 127)
            c = QChar(0x2421);
    }
    return text;
}

// The first few cells as "file, key: "value" (why)", and how many more.
QStringList Listed(const DescDocument& document, const std::vector<ProblemCell>& cells)
{
    const CodePage& codePage = document.codePage();
    QStringList lines;
    for (size_t i = 0; i < cells.size() && i < kNamedCells; ++i) {
        const ProblemCell& cell = cells[i];
        const Grid& table = document.grid(cell.grid);
        const std::string key(Trim(table.cell(cell.col, 0)));
        lines << QStringLiteral("%1, %2: \"%3\" (%4)")
                     .arg(NativeText(NameOfFile(document.fileList().cell(kFilePathColumn, cell.row))),
                          CellText(key, codePage), ShownOnOneLine(CellText(table.cell(cell.col, cell.row), codePage)),
                          MessageText(ProblemReason(cell.problem, key, table.cell(cell.col, cell.row))));
    }
    if (cells.size() > kNamedCells)
        lines << Tr::tr("and %1 more").arg(static_cast<int>(cells.size() - kNamedCells));
    return lines;
}

}  // namespace

bool MaySaveProblemCells(Dialogs& dialogs, QWidget* parent, const DescDocument& document, ColumnProfiles& profiles)
{
    std::vector<ProblemCell> cells = FindProblemCells(document, profiles);
    if (cells.empty())
        return true;
    std::vector<ProblemCell> stopping;
    std::copy_if(cells.begin(), cells.end(), std::back_inserter(stopping),
                 [](const ProblemCell& cell) { return StopsSaveAll(cell.problem); });
    if (!stopping.empty()) {
        const int count = static_cast<int>(stopping.size());
        const bool lineBreaksOnly = std::all_of(stopping.begin(), stopping.end(), [](const ProblemCell& cell) {
            return cell.problem == ValueProblem::LineBreak;
        });
        QStringList lines;
        if (lineBreaksOnly)
            lines << Tr::tr("%n edited cell holds a line break, which would split the key line in two:",
                        "%n edited cells hold a line break, which would split the key line in two:", count);
        else
            lines << Tr::tr("%n edited cell holds %1, which no desc line can hold:",
                        "%n edited cells hold %1, which no desc line can hold:", count)
                         .arg(StoppedByText(stopping));
        lines << Listed(document, stopping) << QString()
              << (lineBreaksOnly
                      ? Tr::tr("Save all writes nothing while a value holds a line break. Put a blank in its "
                               "place, or undo the edit, and save again.")
                      : Tr::tr("Save all writes nothing while a value holds one. Take it out, or undo the "
                               "edit, and save again."));
        dialogs.messageBox(parent, Tr::tr("Save all"), lines.join(QLatin1Char('\n')));
        return false;
    }
    const int count = static_cast<int>(cells.size());
    QStringList lines;
    lines << Tr::tr(
        "%n edited cell holds values that look wrong:", "%n edited cells hold values that look wrong:", count);
    const bool unwritable = std::any_of(cells.begin(), cells.end(), [](const ProblemCell& cell) {
        return cell.problem == ValueProblem::NoKeyLine;
    });
    lines << Listed(document, cells) << QString()
          << (unwritable
                  ? Tr::tr("Save all writes them as they are, but for the values of keys a file has no line for, "
                           "which stay in the tables only. Go on?")
                  : Tr::tr("Save all writes them as they are. Go on?"));
    return dialogs.ask(parent, Tr::tr("Save all"), lines.join(QLatin1Char('\n')),
                       {Tr::tr("&Go on"), Tr::tr("Cancel")}) == 0;
}

}  // namespace dravik::ui
