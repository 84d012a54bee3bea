#include "ui/views/problem_cells.h"

#include "core/text/dravik2_auxillary.h"
#include "core/bulk/value_checks.h"
#include "ui/common/display_text.h"

#include <QCoreApplication>
#include <QStringList>

namespace dravik::ui {

namespace {

constexpr size_t kNamedCells = 5;

QString tr(const char* text, int n = -1) { return QCoreApplication::translate("ProblemCells", text, nullptr, n); }

}  // namespace

bool MaySaveProblemCells(Dialogs& dialogs, QWidget* parent, const DescDocument& document, ColumnProfiles& profiles)
{
    const std::vector<ProblemCell> cells = FindProblemCells(document, profiles);
    if (cells.empty())
        return true;
    const CodePage& codePage = document.codePage();
    const int count = static_cast<int>(cells.size());
    QStringList lines;
    lines << tr("%1 edited %2 values that look wrong:").arg(count).arg(count == 1 ? tr("cell holds") : tr("cells hold"));
    for (size_t i = 0; i < cells.size() && i < kNamedCells; ++i) {
        const ProblemCell& cell = cells[i];
        const Grid& table = document.grid(cell.grid);
        lines << QStringLiteral("%1, %2: \"%3\" (%4)")
                     .arg(NativeText(NameOfFile(document.fileList().cell(kFilePathColumn, cell.row))),
                          CellText(std::string(Trim(table.cell(cell.col, 0))), codePage),
                          CellText(table.cell(cell.col, cell.row), codePage),
                          QString::fromLatin1(ProblemReason(cell.problem)));
    }
    if (cells.size() > kNamedCells)
        lines << tr("and %1 more").arg(count - static_cast<int>(kNamedCells));
    lines << QString() << tr("Save all writes them as they are. Go on?");
    return dialogs.ask(parent, tr("Save all"), lines.join(QLatin1Char('\n')), {tr("&Go on"), tr("Cancel")}) == 0;
}

}  // namespace dravik::ui
