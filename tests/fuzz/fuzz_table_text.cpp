// The table text file read into a grid, and the import passes over it: no
// input may crash them, the import never resizes a table, and a grid written
// as a table text file reads back cell for cell.
#include "core/code_page.h"
#include "core/grid.h"
#include "core/table_exchange.h"
#include "core/table_text_file.h"
#include "core/workspace.h"
#include "tests/fuzz/fuzz_support.h"

#include <array>
#include <cstddef>
#include <cstdint>

using namespace dravik;

namespace {

// The cells the file format can carry unchanged: no TAB, line break, "~" or
// Ctrl+Z anywhere, and nothing of codes 0 to 32 at the start of a line.
Grid Writable(const Grid& grid)
{
    Grid clean(grid.colCount(), grid.rowCount());
    for (int r = 0; r < grid.rowCount(); ++r)
        for (int c = 0; c < grid.colCount(); ++c) {
            std::string text;
            for (char ch : grid.cell(c, r))
                if (ch != '\t' && ch != '\r' && ch != '\n' && ch != '~' && ch != '\x1A')
                    text += ch;
            if (c == 0) {
                std::size_t lead = 0;
                while (lead < text.size() && static_cast<unsigned char>(text[lead]) <= 32)
                    ++lead;
                text.erase(0, lead);
            }
            clean.setCell(c, r, text);
        }
    return clean;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const CodePage cyrillic = CodePage::Named("windows-1251");
    if (size < 2)
        return 0;
    const int columns = data[0] % 16;
    const int rows = data[1] % 64;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 2, size - 2);

    Workspace workspace(cyrillic);
    workspace.startUp();
    Grid& summary = workspace.summary();
    summary.setSize(columns, rows);
    const int rowsBefore = summary.rowCount();
    TextToGrid(summary, bytes);
    FUZZ_CHECK(summary.colCount() >= 1, "");
    FUZZ_CHECK(summary.rowCount() >= rowsBefore, "");

    // Written and read back into a fresh grid: every cell as it was.
    const Grid clean = Writable(summary);
    Grid back(1, 1);
    TextToGrid(back, GridToText(clean));
    FUZZ_CHECK(back.rowCount() == 1 + clean.rowCount(), std::to_string(back.rowCount()));
    FUZZ_CHECK(back.colCount() >= clean.colCount(), std::to_string(back.colCount()));
    for (int r = 0; r < clean.rowCount(); ++r)
        for (int c = 0; c < back.colCount(); ++c)
            FUZZ_CHECK(back.cell(c, r) == clean.cell(c, r), fuzz::Shown(clean.cell(c, r)) + " / " + fuzz::Shown(back.cell(c, r)));

    // The import passes: table sizes stay, whatever the summary holds.
    std::array<std::pair<int, int>, kFileListGrid> sizes;
    for (int n = 1; n <= kFileListGrid; ++n)
        sizes[static_cast<std::size_t>(n - 1)] = {workspace.grid(n).colCount(), workspace.grid(n).rowCount()};
    ApplySummaryTable(workspace);
    for (int n = 1; n <= kFileListGrid; ++n) {
        const Grid& g = workspace.grid(n);
        FUZZ_CHECK(sizes[static_cast<std::size_t>(n - 1)] == std::make_pair(g.colCount(), g.rowCount()), std::to_string(n));
        for (int r = 1; r < g.rowCount(); ++r)
            FUZZ_CHECK(g.cell(0, r) == std::to_string(r) || n == kFileListGrid, std::to_string(n));
    }
    // Export after import, and import of that export, still hold together.
    BuildSummaryTable(workspace);
    ApplySummaryTable(workspace);
    return 0;
}
