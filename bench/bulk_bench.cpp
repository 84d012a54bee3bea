// Times the bulk engines on generated cell texts, each figure next to its
// bound (the best of five runs; the processor time of that run is printed beside it):
//   row filter over 5,000 rows x 500 columns, text and numbers   <= 50 ms
//   replace all, plain text, over 750,000 cells                   <= 0.5 s
//   set by expression over a column of 5,000 cells                <= 50 ms
//   reading a pasted block of 5,000 x 100 cells                   <= 0.3 s
// Regular expressions (with their ratio to the plain text's figure of the
// same run) and the most common values of every column are timed without a
// bound. So are, once each, counted repetitions over one long cell of letters
// (a tenth of --long-cell-kb, then all of it; 10,240 KB unless given): the
// worst case of a regular expression, whose work grows with the pattern's
// compiled size times the cell's length. Exit code 1 when a bound is missed.
//
// Usage: dravik2-bulk-bench [--rows N] [--columns N] [--long-cell-kb N] [--no-bounds]
#include "bench/bench_clock.h"

#include "core/bulk/cell_expression.h"
#include "core/bulk/clipboard_text.h"
#include "core/text/code_page.h"
#include "core/bulk/column_summary.h"
#include "core/bulk/row_filter.h"
#include "core/bulk/text_search.h"
#include "core/errors.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace dravik;
using dravik::bench::Seconds;

namespace {

double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The best of five runs: wall-clock seconds, and the processor time of the
// same run to tell a busy machine from slow code.
struct Timing {
    double wall = 1e9;
    double cpu = 0;
};

template <typename F>
Timing BestOfFive(F&& work)
{
    Timing best;
    for (int i = 0; i < 5; ++i) {
        const double cpuStart = ThreadSeconds();
        const auto start = std::chrono::steady_clock::now();
        work();
        const double wall = Seconds(start);
        if (wall < best.wall)
            best = {wall, ThreadSeconds() - cpuStart};
    }
    return best;
}

// Milliseconds, the bound (none when 0) checked against the wall clock.
bool Report(const std::string& what, Timing timing, double boundMs, bool check)
{
    const double ms = timing.wall * 1000;
    const bool ok = !check || boundMs <= 0 || ms <= boundMs;
    const std::string bound = boundMs > 0 ? std::to_string(static_cast<int>(boundMs)) + " ms" : "none";
    std::printf("%-52s %9.2f ms (cpu %8.2f)   bound %6s   %s\n", what.c_str(), ms, timing.cpu * 1000, bound.c_str(),
                check && boundMs > 0 ? (ok ? "ok" : "MISSED") : "-");
    return ok;
}

// A regular expression's figure against the plain text's of the same run,
// which the machine's load touches alike.
void Beside(Timing regex, Timing plain, const char* what)
{
    std::printf("  %.1f times %s of this run (%.2f ms)\n", regex.wall / plain.wall, what, plain.wall * 1000);
}

// Cell texts as desc values look: mostly whole numbers, some decimals, some
// names (a few Cyrillic), some keys missing from their file.
class Cells {
public:
    Cells(size_t rows, size_t columns) : rows_(rows), columns_(columns)
    {
        std::mt19937 random(2026);
        std::vector<std::string> texts;
        texts.reserve(rows * columns);
        size_t bytes = 0;
        for (size_t i = 0; i < rows * columns; ++i) {
            const unsigned kind = random() % 100;
            std::string text;
            if (kind < 70)
                text = std::to_string(random() % 1000);
            else if (kind < 85)
                text = std::to_string(random() % 100) + "." + std::to_string(random() % 100);
            else if (kind < 95)
                text = (kind % 2 ? "tank_" : "\xF2\xE0\xED\xEA_") + std::to_string(random() % 50);
            else
                text = " ";
            bytes += text.size();
            texts.push_back(std::move(text));
        }
        pool_.reserve(bytes);
        std::vector<std::pair<size_t, size_t>> spans;
        for (const auto& text : texts) {
            spans.emplace_back(pool_.size(), text.size());
            pool_ += text;
        }
        for (const auto& [at, size] : spans)
            views_.push_back(std::string_view(pool_).substr(at, size));
    }
    size_t rows() const { return rows_; }
    size_t columns() const { return columns_; }
    const std::string_view* row(size_t r) const { return views_.data() + r * columns_; }
    std::span<const std::string_view> first(size_t count) const { return std::span(views_).first(count); }

private:
    size_t rows_, columns_;
    std::string pool_;
    std::vector<std::string_view> views_;
};

struct Row : FilterRow {
    const std::string_view* cells = nullptr;
    std::string_view text(int column) const override { return cells[column]; }
};

// One search of a long cell: the time, or the reason the pattern is refused.
void LongCellSearch(const std::string& pattern, size_t kilobytes, const CodePage& codePage)
{
    // Letters a to t: each one can start the pattern's match and go on with
    // it, and none ends it.
    std::string cell(kilobytes * 1024, 'a');
    std::mt19937 random(30);
    for (char& c : cell)
        c = static_cast<char>('a' + random() % 20);
    const std::string what = "regex /" + pattern + "/ over one cell of " + std::to_string(kilobytes) + " KB";
    try {
        const TextSearch search(pattern, codePage, {true});
        const double cpuStart = ThreadSeconds();
        const auto start = std::chrono::steady_clock::now();
        const bool found = search.found(cell);
        const Timing timing{Seconds(start), ThreadSeconds() - cpuStart};
        Report(what + (found ? " (found)" : ""), timing, 0, false);
        std::printf("  %.2f us a character (cpu)\n", timing.cpu * 1e6 / static_cast<double>(cell.size()));
    } catch (const SyntaxError& error) {
        std::printf("%-52s refused: %s\n", what.c_str(), error.what());
    }
}

size_t FilterRows(const Cells& cells, const std::string& text, const CodePage& codePage)
{
    const RowFilter filter = RowFilter::Parse(text, codePage);
    std::vector<int> columns(cells.columns());
    for (size_t c = 0; c < columns.size(); ++c)
        columns[c] = static_cast<int>(c);
    std::vector<char> shown(cells.rows());
    Row row;
    size_t count = 0;
    for (size_t r = 0; r < cells.rows(); ++r) {
        row.cells = cells.row(r);
        shown[r] = filter.matches(row, columns);
        count += shown[r];
    }
    return count;
}

}  // namespace

int main(int argc, char** argv)
{
    size_t rows = 5000, columns = 500, longCellKb = 10240;
    bool checkBounds = true;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto next = [&] { return i + 1 < argc ? std::stoul(argv[++i]) : 0ul; };
        if (arg == "--rows") rows = next();
        else if (arg == "--columns") columns = next();
        else if (arg == "--long-cell-kb") longCellKb = next();
        else if (arg == "--no-bounds") checkBounds = false;
    }
    const CodePage codePage = CodePage::Named("windows-1251");
    const Cells cells(rows, columns);
    std::printf("cells: %zu rows x %zu columns\n", rows, columns);
    bool ok = true;

    // Filters that match no row read every cell: the slowest case.
    struct FilterCase {
        const char* label;
        std::string text;
        bool bounded;
    };
    const FilterCase filters[] = {
        {"filter, text (no row matches)", "tiger", true},
        {"filter, Cyrillic text folded (no row matches)", "\xD2\xC8\xC3\xD0", true},
        {"filter, number > 5000 (no row matches)", "> 5000", true},
        {"filter, range 2000..3000 (no row matches)", "2000..3000", true},
        {"filter, = tank_99 (no row matches)", "= tank_99", true},
        {"filter, regular expression (no row matches)", "/^tiger\\d+$/", false},
        {"filter, regular expression, Cyrillic folded (none)", "/^\xD2\xC8\xC3\xD0\\d+$/", false},
    };
    Timing plainFilter;
    for (const FilterCase& f : filters) {
        size_t shown = 0;
        const Timing timing = BestOfFive([&] { shown = FilterRows(cells, f.text, codePage); });
        if (shown != 0)
            std::printf("  (%zu rows matched)\n", shown);
        ok &= Report(f.label, timing, f.bounded ? 50 : 0, checkBounds);
        if (&f == &filters[0])
            plainFilter = timing;
        else if (f.text.front() == '/')
            Beside(timing, plainFilter, "the text filter");
    }

    // Replace all over 150 columns of every row, keeping the new texts as
    // the document would.
    const auto replaced = cells.first(std::min<size_t>(rows * columns, rows * 150));
    Timing plainReplace;
    for (const auto& [label, pattern] : {std::pair{"replace all, plain folded (750,000 cells)", "TANK_1"},
                                         std::pair{"replace all, plain \"5\" -> \"6\" (750,000 cells)", "5"}}) {
        const TextSearch search(pattern, codePage);
        size_t changed = 0;
        const Timing timing = BestOfFive([&] {
            std::vector<std::pair<size_t, std::string>> changes;
            std::string out;
            for (size_t i = 0; i < replaced.size(); ++i)
                if (search.replaceAll(replaced[i], "6", out))
                    changes.emplace_back(i, out);
            changed = changes.size();
        });
        ok &= Report(std::string(label) + ", " + std::to_string(changed) + " changed", timing, 500, checkBounds);
        if (plainReplace.wall > 1e8)
            plainReplace = timing;
    }
    {
        const TextSearch search("t(\\w+)_(\\d)", codePage, {true});
        const Timing timing = BestOfFive([&] {
            std::string out;
            for (std::string_view cell : replaced)
                search.replaceAll(cell, "$2$1", out);
        });
        Report("replace all, regular expression (750,000 cells)", timing, 0, false);
        Beside(timing, plainReplace, "the plain folded replace all");
    }

    // Set by expression over one column of every row.
    const auto column = cells.first(std::min<size_t>(rows * columns, 5000));
    for (const char* text : {"x*1.1", "+10%", "round(x/10)*10+1", "{x}_old"}) {
        const CellExpression expression = CellExpression::Parse(text);
        const Timing timing = BestOfFive([&] {
            std::vector<std::string> changes;
            ExpressionTally tally;
            std::string text;
            for (std::string_view cell : column)
                if (tally.count(expression.apply(cell, text)))
                    changes.push_back(std::exchange(text, {}));
        });
        ok &= Report(std::string("set by expression ") + text + " (5,000 cells)", timing, 50, checkBounds);
    }

    // A pasted block: copy 5,000 x 100 and read it back.
    const size_t pasteColumns = std::min<size_t>(columns, 100);
    const std::string clipboard = FormatClipboardText(
        rows, pasteColumns, [&](size_t r, size_t c) { return cells.row(r)[c]; }, "\r\n");
    const Timing paste = BestOfFive([&] { ParseClipboardText(clipboard); });
    ok &= Report("paste, reading 5,000 x 100 cells", paste, 300, checkBounds);

    // The most common value of every column, for "differs" and the colours.
    const Timing common = BestOfFive([&] {
        std::vector<std::string_view> values(rows);
        for (size_t c = 0; c < columns; ++c) {
            for (size_t r = 0; r < rows; ++r)
                values[r] = cells.row(r)[c];
            MostCommonValue(values);
        }
    });
    Report("most common value of all 500 columns", common, 0, false);

    // The largest count of this kind that is taken, and the one that is not.
    for (const char* pattern : {"[a-q][^u-z]{500}x", "[a-q][^u-z]{999}x"})
        for (size_t kilobytes : {longCellKb / 10, longCellKb})
            LongCellSearch(pattern, kilobytes, codePage);
    return ok ? 0 : 1;
}
