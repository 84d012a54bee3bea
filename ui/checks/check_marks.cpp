#include "ui/checks/check_marks.h"

#include "ui/common/display_text.h"

#include <QCoreApplication>

namespace dravik::ui {

QString CheckReasonText(const CheckReason& reason, const CodePage& codePage)
{
    // The engine's sentence, looked up in the catalogue where the engine
    // files it, with the same arguments.
    const QString sentence = QCoreApplication::translate("Checks", ReasonSentence(reason.kind, reason.scope));
    const std::vector<std::string> arguments = ReasonArguments(reason);
    // By hand: QString::arg would number the places by their order, and a
    // sentence need not name every argument.
    QString text;
    for (qsizetype i = 0; i < sentence.size(); ++i) {
        const QChar c = sentence[i];
        const QChar next = i + 1 < sentence.size() ? sentence[i + 1] : QChar();
        if (c == QLatin1Char('%') && next == QLatin1Char('%')) {
            text += c;
            ++i;
        } else if (c == QLatin1Char('%') && next >= QLatin1Char('1') && next <= QLatin1Char('9') &&
                   static_cast<size_t>(next.unicode() - '1') < arguments.size()) {
            text += CellText(arguments[static_cast<size_t>(next.unicode() - '1')], codePage);
            ++i;
        } else {
            text += c;
        }
    }
    return text;
}

QColor CheckMarks::edgeMark(GridNumber grid, int col, int row) const
{
    return others_ ? others_->edgeMark(grid, col, row) : QColor();
}

QColor CheckMarks::cornerMark(GridNumber grid, int col, int row) const
{
    return others_ ? others_->cornerMark(grid, col, row) : QColor();
}

QColor CheckMarks::checkMark(GridNumber grid, int col, int row) const
{
    // Orange: apart from the amber of edits, the red of problem cells and
    // the base game's and patches' marks.
    return checks_ && checks_->find(grid, col, row) ? QColor(0xff, 0x80, 0x00) : QColor();
}

QStringList CheckMarks::tips(GridNumber grid, int col, int row) const
{
    QStringList lines = others_ ? others_->tips(grid, col, row) : QStringList();
    if (checks_)
        if (const Check* check = checks_->find(grid, col, row))
            lines << CheckReasonText(check->reason, *codePage_);
    return lines;
}

}  // namespace dravik::ui
