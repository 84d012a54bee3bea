#include "core/bulk/bulk_edits.h"

#include "core/bulk/clipboard_text.h"
#include "core/text/cell_value.h"

#include <algorithm>

namespace dravik {

namespace {

// Counts the files a list of edits touches.
class FileCounter {
public:
    explicit FileCounter(const DescDocument& document) : seen_(static_cast<size_t>(document.descFileCount()) + 1) {}
    void add(int row)
    {
        char& seen = seen_[static_cast<size_t>(row)];
        if (!seen) {
            seen = 1;
            ++count_;
        }
    }
    size_t count() const { return count_; }

private:
    std::vector<char> seen_;
    size_t count_ = 0;
};

int ScopeRows(const CellScope& scope)
{
    size_t rows = 0;
    for (const CellBlock& block : scope)
        rows += block.rows.size();
    return static_cast<int>(rows);
}

// Calls `visit(grid, col, row, text)` for each cell of the scope that `take`
// accepts and that holds a value, and `progress` after each row: a cell past
// the last value of its file's line is no value to find, replace in or
// compute from, and setting it would add values to the line.
template <typename Take, typename Visit>
void ForEachScopeCell(const DescDocument& document, const CellScope& scope, Take&& take, Visit&& visit,
                      const Progress& progress)
{
    const int total = progress ? ScopeRows(scope) : 0;
    int done = 0;
    for (const CellBlock& block : scope) {
        const Grid& table = document.grid(block.grid);
        for (int row : block.rows) {
            for (int col : block.columns) {
                const std::string_view text = table.cell(col, row);
                if (take(block.grid, col, row, text) && !document.valueAbsent(block.grid, col, row))
                    visit(block.grid, col, row, text);
            }
            if (progress)
                progress(++done, total);
        }
    }
}

// The same for each value cell of the scope.
template <typename Visit>
void ForEachValueCell(const DescDocument& document, const CellScope& scope, Visit&& visit,
                      const Progress& progress = {})
{
    auto isValue = [&](GridNumber grid, int col, int row, std::string_view) { return IsValueCell(document, grid, col, row); };
    ForEachScopeCell(document, scope, isValue, visit, progress);
}

}  // namespace

bool IsValueCell(const DescDocument& document, GridNumber grid, int col, int row)
{
    return IsSectionTable(grid) && col >= 2 && col < document.grid(grid).colCount() && row >= 1 &&
           row <= document.descFileCount() && row < document.grid(grid).rowCount();
}

CellBlock SearchBlock(const DescDocument& document, GridNumber grid, const std::function<bool(int row)>& shown)
{
    CellBlock block;
    block.grid = grid;
    const Grid& table = document.grid(grid);
    const int lastRow = std::min(document.descFileCount(), table.rowCount() - 1);
    for (int r = 1; r <= lastRow; ++r)
        if (!shown || shown(r))
            block.rows.push_back(r);
    for (int c = grid == kFileListGrid ? 1 : 2; c < table.colCount(); ++c)
        block.columns.push_back(c);
    return block;
}

std::vector<CellRef> FindCells(const DescDocument& document, const CellScope& scope, const TextSearch& search,
                               const Progress& progress)
{
    std::vector<CellRef> found;
    ForEachScopeCell(
        document, scope, [&](GridNumber, int, int, std::string_view text) { return search.found(text); },
        [&](GridNumber grid, int col, int row, std::string_view) { found.push_back({grid, col, row}); }, progress);
    return found;
}

BulkEdit ReplaceAllEdits(const DescDocument& document, const CellScope& scope, const TextSearch& search,
                         std::string_view replacement, const Progress& progress)
{
    BulkEdit result;
    FileCounter files(document);
    std::string out;
    ForEachValueCell(document, scope, [&](GridNumber grid, int col, int row, std::string_view text) {
        if (search.replaceAll(text, replacement, out) && out != text) {
            result.edits.push_back({grid, col, row, std::move(out)});
            files.add(row);
            out.clear();
        }
    }, progress);
    result.files = files.count();
    return result;
}

namespace {

ExpressionEdit ApplyToScope(const DescDocument& document, const CellScope& scope, const CellExpression& expression,
                            size_t examples, bool keepEdits)
{
    ExpressionEdit result;
    FileCounter files(document);
    std::string out;
    ForEachValueCell(document, scope, [&](GridNumber grid, int col, int row, std::string_view text) {
        if (!result.tally.count(expression.apply(text, out)))
            return;
        if (result.examples.size() < examples)
            result.examples.emplace_back(std::string(text), out);
        if (keepEdits)
            result.edits.push_back({grid, col, row, std::move(out)});
        files.add(row);
        out.clear();
    });
    result.files = files.count();
    return result;
}

}  // namespace

ExpressionEdit ExpressionEdits(const DescDocument& document, const CellScope& scope,
                               const CellExpression& expression, size_t examples)
{
    return ApplyToScope(document, scope, expression, examples, true);
}

ExpressionEdit ExpressionPreview(const DescDocument& document, const CellScope& scope,
                                 const CellExpression& expression, size_t examples)
{
    return ApplyToScope(document, scope, expression, examples, false);
}

std::string CopyText(const DescDocument& document, const CellBlock& block, std::string_view lineEnd)
{
    const Grid& table = document.grid(block.grid);
    return FormatClipboardText(
        block.rows.size(), block.columns.size(),
        [&](size_t r, size_t c) -> std::string_view { return table.cell(block.columns[c], block.rows[r]); }, lineEnd);
}

PasteEdit PasteEdits(const DescDocument& document, const CellBlock& target,
                     const std::vector<std::vector<std::string>>& cells)
{
    PasteEdit result;
    if (cells.empty() || cells.front().empty())
        return result;
    FileCounter files(document);
    const Grid& table = document.grid(target.grid);
    const bool fill = cells.size() == 1 && cells.front().size() == 1;
    const size_t rows = fill ? target.rows.size() : std::min(cells.size(), target.rows.size());
    const size_t columns = fill ? target.columns.size() : std::min(cells.front().size(), target.columns.size());
    if (!fill)
        result.cells = cells.size() * cells.front().size();
    std::string text;
    for (size_t i = 0; i < rows; ++i) {
        const int row = target.rows[i];
        for (size_t j = 0; j < columns; ++j) {
            const int col = target.columns[j];
            if (!IsValueCell(document, target.grid, col, row)) {
                if (!fill && row >= 1 && row <= document.descFileCount())
                    ++result.onPaths;
                continue;
            }
            if (!fill)
                ++result.placed;
            // One value filling a selection fills the values it covers; a
            // file's line is not lengthened by it where it has fewer values.
            if (fill && (rows > 1 || columns > 1) && document.valueAbsent(target.grid, col, row))
                continue;
            text = fill ? cells.front().front() : cells[i][j];
            if (BlankLineBreaks(text) > 0)
                ++result.lineBreaks;
            if (table.cell(col, row) == text)
                continue;
            result.edits.push_back({target.grid, col, row, text});
            files.add(row);
        }
    }
    result.files = files.count();
    return result;
}

}  // namespace dravik
