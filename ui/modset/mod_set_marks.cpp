#include "ui/modset/mod_set_marks.h"

#include "core/document/grid_numbers.h"
#include "core/modset/mod_set.h"
#include "ui/common/display_text.h"

#include <QCoreApplication>

namespace dravik::ui {

namespace {

// Apart from the teal, green and magenta of a base comparison and a patch.
const QColor kOneMod(70, 110, 230);    // blue
const QColor kSameMods(130, 80, 190);  // violet
const QColor kConflict(230, 100, 0);   // orange

struct Tr {
    Q_DECLARE_TR_FUNCTIONS(dravik::ui::ModSetMarks)
};

QString Value(const ModSet& set, const std::optional<std::string>& value)
{
    return value ? CellText(*value, set.codePage()) : Tr::tr("no value");
}

QString Name(const ModSet& set, int winner)
{
    if (winner == kBaseWins)
        return Tr::tr("the original game");
    if (winner == kTypedWins)
        return Tr::tr("the value typed");
    return CellText(set.mod(winner).name, set.codePage());
}

}  // namespace

std::optional<std::pair<int, int>> ModSetMarks::valueOf(GridNumber grid, int col, int row) const
{
    if (!set_ || row < 1 || row > set_->fileCount())
        return std::nullopt;
    const int slot = set_->schema().slotOfCell(grid, col);
    if (slot < 0)
        return std::nullopt;
    return std::pair(row - 1, slot);
}

QColor ModSetMarks::edgeMark(GridNumber grid, int col, int row) const
{
    if (const auto value = valueOf(grid, col, row)) {
        switch (set_->mark(value->first, value->second).origin) {
        case Origin::Base:
            break;
        case Origin::OneMod:
            return kOneMod;
        case Origin::Same:
            return kSameMods;
        case Origin::Conflict:
            return kConflict;
        }
    }
    return others_ ? others_->edgeMark(grid, col, row) : QColor();
}

QColor ModSetMarks::cornerMark(GridNumber grid, int col, int row) const
{
    return others_ ? others_->cornerMark(grid, col, row) : QColor();
}

QColor ModSetMarks::checkMark(GridNumber grid, int col, int row) const
{
    return others_ ? others_->checkMark(grid, col, row) : QColor();
}

QStringList ModSetMarks::tips(GridNumber grid, int col, int row) const
{
    QStringList tips;
    if (const auto value = valueOf(grid, col, row); value && set_->mark(value->first, value->second).origin != Origin::Base) {
        // Only a value some mod changes: the others would read the base file.
        try {
            tips << Story(*set_, set_->detail(value->first, value->second));
        } catch (const std::exception&) {
            // A tip is no place for a read error; the pane shows it.
        }
    }
    if (others_)
        tips << others_->tips(grid, col, row);
    return tips;
}

QStringList ModSetMarks::Story(const ModSet& set, const ValueDetail& detail)
{
    QStringList lines;
    if (detail.mark.origin == Origin::Base && !detail.choice)
        return lines;
    lines << Tr::tr("Original game: %1").arg(Value(set, detail.base));
    for (const ModValue& mod : detail.mods) {
        const QString name = CellText(set.mod(mod.mod).name, set.codePage());
        switch (mod.state) {
        case ModValue::State::Changed:
            lines << Tr::tr("%1: %2").arg(name, Value(set, mod.value));
            break;
        case ModValue::State::AsBase:
        case ModValue::State::NoLine:
            lines << Tr::tr("%1: as the original game").arg(name);
            break;
        case ModValue::State::NoFile:
            break;
        }
    }
    const QString winner = Name(set, detail.mark.winner);
    switch (detail.mark.origin) {
    case Origin::Conflict:
        lines << (detail.mark.decidedBy == DecidedBy::Order ? Tr::tr("Conflict: %1 wins, last in the order").arg(winner)
                                                           : Tr::tr("Conflict: %1 wins, as chosen").arg(winner));
        break;
    case Origin::Same:
        lines << Tr::tr("Changed alike by several mods: no conflict");
        break;
    default:
        lines << Tr::tr("Wins: %1").arg(winner);
        break;
    }
    return lines;
}

}  // namespace dravik::ui
