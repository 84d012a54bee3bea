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

QString tr(const char* text, int n = -1) { return QCoreApplication::translate("ProblemCells", text, nullptr, n); }

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
        lines << tr("and %1 more").arg(static_cast<int>(cells.size() - kNamedCells));
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
            lines << tr("%1 edited %2 a line break, which would split the key line in two:")
                         .arg(count)
                         .arg(count == 1 ? tr("cell holds") : tr("cells hold"));
        else
            lines << tr("%1 edited %2 %3, which no desc line can hold:")
                         .arg(count)
                         .arg(count == 1 ? tr("cell holds") : tr("cells hold"))
                         .arg(QString::fromStdString(StoppedBy(stopping)));
        lines << Listed(document, stopping) << QString()
              << (lineBreaksOnly ? tr("Save all writes nothing while a value holds a line break. Put a blank in its "
                                      "place, or undo the edit, and save again.")
                                 : tr("Save all writes nothing while a value holds one. Take it out, or undo the "
                                      "edit, and save again."));
        dialogs.messageBox(parent, tr("Save all"), lines.join(QLatin1Char('\n')));
        return false;
    }
    const int count = static_cast<int>(cells.size());
    QStringList lines;
    lines << tr("%1 edited %2 values that look wrong:").arg(count).arg(count == 1 ? tr("cell holds") : tr("cells hold"));
    const bool unwritable = std::any_of(cells.begin(), cells.end(), [](const ProblemCell& cell) {
        return cell.problem == ValueProblem::NoKeyLine;
    });
    lines << Listed(document, cells) << QString()
          << (unwritable ? tr("Save all writes them as they are, but for the values of keys a file has no line for, "
                              "which stay in the tables only. Go on?")
                         : tr("Save all writes them as they are. Go on?"));
    return dialogs.ask(parent, tr("Save all"), lines.join(QLatin1Char('\n')), {tr("&Go on"), tr("Cancel")}) == 0;
}

}  // namespace dravik::ui
