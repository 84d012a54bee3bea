#include "ui/mod/base_review.h"

#include "core/mod/base_diff.h"
#include "core/mod/mod_paths.h"
#include "core/mod/table_keys.h"
#include "ui/common/display_text.h"

#include <QCoreApplication>

namespace dravik::ui {

namespace {

// Its texts, filed under their own context in the catalogues.
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(BaseReview)
};

// A key line as Save all writes it from the values `cell` gives by column,
// but for those `has` says the file's line does not hold.
template <typename Cell, typename Has>
QString KeyLine(const TableKey& key, Cell&& cell, Has&& has, const CodePage& codePage)
{
    std::string line = key.name + ' ';
    for (int value = 1; value <= key.values; ++value)
        if (has(key.writtenColumn(value)))
            line.append(cell(key.writtenColumn(value))).append(1, ' ');
    return CellText(line, codePage);
}

// One file's differing key lines; empty when none differs.
QString FileLines(const DescDocument& mod, const BaseComparison& base, const std::vector<TableKey>& keys, int row)
{
    const CodePage& codePage = mod.codePage();
    QString lines;
    for (const TableKey& key : keys) {
        const GridNumber grid = key.written().grid;
        bool differs = false;
        for (int value = 1; value <= key.values && !differs; ++value)
            differs = base.differs(grid, key.writtenColumn(value), row);
        if (!differs)
            continue;
        const int col = key.writtenColumn(1);
        const QString noLine = Tr::tr("(no line for the key)");
        const auto baseValue = [&](int c) { return *base.baseValue(grid, c, row); };
        const auto modValue = [&](int c) { return mod.grid(grid).cell(c, row); };
        const auto baseHas = [&](int c) { return base.baseHasValue(grid, c, row); };
        const auto modHas = [&](int c) { return mod.valueRead(grid, c, row); };
        //: Review of a mod: the label before the base game's key line; keep the
        //: label for this mod's as wide, so that the two lines stand aligned.
        lines += Tr::tr("  base  ") +
                 (base.baseHasKeyLine(grid, col, row) ? KeyLine(key, baseValue, baseHas, codePage) : noLine) +
                 QStringLiteral("\n");
        //: Review of a mod: the label before this mod's key line, as wide as the base's.
        lines += Tr::tr("  mod   ") +
                 (mod.keyLineRead(grid, col, row) ? KeyLine(key, modValue, modHas, codePage) : noLine) +
                 QStringLiteral("\n");
    }
    return lines;
}

}  // namespace

ReviewPage ReviewAgainstBase(const DescDocument& mod, const BaseComparison& base)
{
    const std::vector<TableKey> keys = TableKeys(mod);
    const std::vector<std::string> paths = OpenModPaths(mod);
    ReviewPage page;
    page.caption = Tr::tr("Against the base game");
    int files = 0;
    for (const size_t i : InPathOrder(paths, mod.codePage())) {
        const int row = static_cast<int>(i) + 1;
        if (!base.hasBase(row)) {
            page.details += CellText(paths[i], mod.codePage()) + Tr::tr("  (new in this mod)") + QStringLiteral("\n\n");
            continue;
        }
        const QString lines = FileLines(mod, base, keys, row);
        if (lines.isEmpty())
            continue;
        ++files;
        page.details += CellText(paths[i], mod.codePage()) + QStringLiteral("\n") + lines + QStringLiteral("\n");
    }
    // The values a patch carries, as diff and Export patch count them: a key
    // line only one of the two files has is no value of either.
    const auto values = static_cast<qsizetype>(DiffAgainstBase(mod, base).lines.size());
    page.summary = Tr::tr("Against the base game in %1: %2 of %3 files differ, in %4; %5 are new in this mod.")
                       .arg(NativeText(base.folder()))
                       .arg(files)
                       .arg(mod.descFileCount())
                       .arg(Tr::tr("%n value", "%n values", static_cast<int>(values)))
                       .arg(base.newFiles());
    return page;
}

}  // namespace dravik::ui
