// The tables' marks with the checks' own added: an orange triangle in the
// bottom right corner of a cell the rules learned from the base game reject,
// and the reason in its tip. The marks already placed (the base game's, an
// applied patch's) are drawn as before, so the two never hide each other.
#pragma once

#include "core/checks/check_list.h"
#include "ui/tables/cell_marks.h"

namespace dravik::ui {

// The reason in the user's language.
QString CheckReasonText(const CheckReason& reason, const CodePage& codePage);

class CheckMarks : public CellMarks {
public:
    explicit CheckMarks(const CellMarks* others) : others_(others) {}
    void setChecks(const CheckList* checks, const CodePage* codePage)
    {
        checks_ = checks;
        codePage_ = codePage;
    }

    QColor edgeMark(GridNumber grid, int col, int row) const override;
    QColor cornerMark(GridNumber grid, int col, int row) const override;
    QColor checkMark(GridNumber grid, int col, int row) const override;
    QStringList tips(GridNumber grid, int col, int row) const override;

private:
    const CellMarks* others_;
    const CheckList* checks_ = nullptr;
    const CodePage* codePage_ = nullptr;
};

}  // namespace dravik::ui
