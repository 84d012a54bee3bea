#include "core/mod/base_diff.h"

#include "core/mod/mod_paths.h"
#include "core/mod/table_keys.h"
#include "core/text/record_file.h"

namespace dravik {

namespace {

// One file's lines, and what of it a patch cannot carry.
void DiffFile(const DescDocument& mod, const BaseComparison& base, const std::vector<TableKey>& keys, int row,
              const std::string& path, BaseDiff& diff)
{
    bool differs = false;
    for (const TableKey& key : keys) {
        const GridNumber grid = key.written().grid;
        for (int value = 1; value <= key.values; ++value) {
            const int col = key.writtenColumn(value);
            if (!base.differs(grid, col, row))
                continue;
            differs = true;
            const bool modLine = mod.keyLineRead(grid, col, row);
            if (modLine != base.baseHasKeyLine(grid, col, row)) {
                diff.uncarried.push_back(
                    modLine ? Message(DRAVIK_TR("Base game", "%1: the key \"%2\" has a line only in this mod's file"),
                                      {path, key.name})
                            : Message(DRAVIK_TR("Base game", "%1: the key \"%2\" has a line only in the base file"),
                                      {path, key.name}));
                break;
            }
            // A value past the end of one file's line: neither value of a
            // patch line could stand for it.
            if (const bool modValue = mod.valueRead(grid, col, row); modValue != base.baseHasValue(grid, col, row)) {
                diff.uncarried.push_back(path + ": value " + std::to_string(value) + " of \"" + key.name +
                                         "\" is only in " + (modValue ? "this mod's file" : "the base file") +
                                         ", whose line of the key has more values");
                continue;
            }
            PatchLine line{path, key.name, value, std::string(*base.baseValue(grid, col, row)),
                           std::string(mod.grid(grid).cell(col, row))};
            if (!FitsField(line.base) || !FitsField(line.mod)) {
                diff.uncarried.push_back(
                    Message(DRAVIK_TR("Base game", "%1: value %2 of \"%3\" holds a TAB or a line break"),
                            {path, std::to_string(value), key.name}));
                continue;
            }
            diff.lines.push_back(std::move(line));
        }
    }
    diff.differingFiles += differs ? 1 : 0;
}

}  // namespace

BaseDiff DiffAgainstBase(const DescDocument& mod, const BaseComparison& base)
{
    BaseDiff diff;
    const std::vector<TableKey> keys = TableKeys(mod);
    const std::vector<std::string> paths = OpenModPaths(mod);
    for (const size_t i : InPathOrder(paths, mod.codePage())) {
        const int row = static_cast<int>(i) + 1;
        if (!base.hasBase(row)) {
            ++diff.newFiles;
            diff.uncarried.push_back(
                Message(DRAVIK_TR("Base game", "%1: new in this mod, the base has no such file"), {paths[i]}));
            continue;
        }
        DiffFile(mod, base, keys, row, paths[i], diff);
    }
    return diff;
}

}  // namespace dravik
