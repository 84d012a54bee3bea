#include "ui/edits/set_selection.h"

#include "core/bulk/bulk_edits.h"
#include "core/errors.h"
#include "ui/common/display_text.h"
#include "ui/tables/grid_view.h"
#include "ui/tables/table_selection.h"

#include <QObject>

namespace dravik::ui {

namespace {

size_t ValueCells(const DescDocument& document, const CellBlock& block)
{
    size_t cells = 0;
    for (int row : block.rows)
        for (int col : block.columns)
            cells += IsValueCell(document, block.grid, col, row) ? 1 : 0;
    return cells;
}

ExpressionRequest::Preview Preview(const DescDocument& document, const CellScope& scope, const QString& typed)
{
    if (typed.trimmed().isEmpty())
        return {QObject::tr("Type a value or an expression."), false};
    const CodePage& codePage = document.codePage();
    ExpressionEdit edit;
    try {
        edit = ExpressionPreview(document, scope, CellExpression::Parse(CellBytes(typed, codePage)));
    } catch (const PlainTextError& error) {
        QString hint = MessageText(error.hint());
        hint[0] = hint[0].toUpper();
        return {QObject::tr("This cannot be applied: %1.").arg(MessageText(error.message())) + QLatin1Char('\n') + hint,
                false};
    } catch (const SyntaxError& error) {
        return {QObject::tr("This cannot be applied: %1.").arg(MessageText(error.message())), false};
    }
    const ExpressionTally& tally = edit.tally;
    const size_t cells = tally.changed + tally.same + tally.notANumber + tally.noFiniteResult;
    QString text = QObject::tr("%1 of %n cell change, in %2.", "%1 of %n cells change, in %2.", static_cast<int>(cells))
                       .arg(QString::number(tally.changed),
                            QObject::tr("%n file", "%n files", static_cast<int>(edit.files)));
    if (tally.same)
        text += QLatin1Char('\n') + QObject::tr("%n cell already hold the result.", "%n cells already hold the result.",
                                                    static_cast<int>(tally.same));
    if (tally.notANumber)
        text += QLatin1Char('\n') + QObject::tr("%1 left as they are: not a number.").arg(tally.notANumber);
    if (tally.noFiniteResult)
        text += QLatin1Char('\n') +
                QObject::tr("%1 left as they are: no finite result (division by zero).").arg(tally.noFiniteResult);
    if (!edit.examples.empty()) {
        text += QLatin1Char('\n') + QObject::tr("For example:");
        for (const auto& [before, after] : edit.examples)
            text += QStringLiteral("\n    %1  \u2192  %2").arg(CellText(before, codePage), CellText(after, codePage));
    }
    return {text, true};
}

}  // namespace

QString SetSelectionHelp(size_t cells)
{
    return QObject::tr("A value or an expression for %1 selected in the shown rows:\n"
                       "    =5 or 5  sets the value;  'text  sets the text as typed;  {x}_old  puts each "
                       "cell's text into a text\n"
                       "    +10  -3  *1.1  /2  +10%  change each cell's number x;  x*2-1, round(x/10)*10, "
                       "min(x, 100), max, floor, ceil, abs compute from it\n"
                       "Rounding: a result computed from a whole number is rounded to a whole number, half away "
                       "from zero (7/2 gives 4, -7/2 gives -4); one computed from a decimal number is written with "
                       "up to 15 significant digits (3*1.1 gives 3.3). A value set as such is written as typed. A "
                       "cell that holds no number is left as it is under a form with x, and counted.")
        .arg(QObject::tr("%n cell", "%n cells", static_cast<int>(cells)));
}

void SetSelection(const CommandHost& host)
{
    GridView* view = host.currentTable();
    CellScope scope;
    if (!host.run([&] {
            if (view && IsSectionTable(view->gridModel()->gridNumber()))
                scope.push_back(SelectedBlock(view));
        }))
        return;
    const size_t cells = scope.empty() ? 0 : ValueCells(host.document, scope.front());
    if (cells == 0) {
        host.dialogs.messageBox(host.window, QObject::tr("Set selection"),
                                QObject::tr("Select value cells of a section table first (the file names and "
                                            "paths are not set)."));
        return;
    }
    ExpressionRequest request;
    request.title = QObject::tr("Set selection");
    request.help = SetSelectionHelp(cells);
    request.preview = [&](const QString& typed) { return Preview(host.document, scope, typed); };
    const std::optional<QString> typed = host.dialogs.askExpression(host.window, request);
    if (!typed)
        return;
    host.run([&] {
        const CellExpression expression = CellExpression::Parse(CellBytes(*typed, host.document.codePage()));
        const ExpressionEdit edit = ExpressionEdits(host.document, scope, expression, 0);
        host.history.apply(EditStep::SetSelection,
                           [&](DescDocument& document) { return document.setCells(edit.edits); });
    });
}

}  // namespace dravik::ui
