// The table text file read into a grid, and the import passes over it: no
// input may crash them, the import never resizes a table and is undone and
// redone exactly, and a grid written as a table text file reads back cell for
// cell.
#include "core/text/code_page.h"
#include "core/document/desc_document.h"
#include "core/document/grid.h"
#include "core/errors.h"
#include "tests/core/exchange/table_text_of.h"
#include "core/exchange/table_exchange.h"
#include "core/exchange/table_text_file.h"
#include "tests/fuzz/fuzz_support.h"

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

std::vector<Grid> Tables(const DescDocument& document)
{
    std::vector<Grid> grids;
    for (GridNumber n : AllGrids())
        grids.push_back(document.grid(n));
    return grids;
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

    DescDocument document(cyrillic);
    document.startUp();
    document.replaceGrids({{kSummaryGrid, Grid(columns, rows)}});
    // Cells for the import to clear and the undo to bring back.
    std::vector<CellEdit> values;
    for (GridNumber n : FileRowTables())
        for (int r = 1; r <= 3; ++r)
            values.push_back({n, r, r, "v" + std::to_string(n.number() * 10 + r)});
    document.setCells(values);
    Grid summary = document.summary();
    const int rowsBefore = summary.rowCount();
    TextToGrid(summary, bytes);
    FUZZ_CHECK(summary.colCount() >= 1, "");
    FUZZ_CHECK(summary.rowCount() >= rowsBefore, "");

    // Written and read back into a fresh grid: every cell as it was.
    const Grid clean = Writable(summary);
    Grid back(1, 1);
    TextToGrid(back, dravik::test::TableTextOf(clean));
    FUZZ_CHECK(back.rowCount() == 1 + clean.rowCount(), std::to_string(back.rowCount()));
    FUZZ_CHECK(back.colCount() >= clean.colCount(), std::to_string(back.colCount()));
    for (int r = 0; r < clean.rowCount(); ++r)
        for (int c = 0; c < back.colCount(); ++c)
            FUZZ_CHECK(back.cell(c, r) == clean.cell(c, r), fuzz::Shown(clean.cell(c, r)) + " / " + fuzz::Shown(back.cell(c, r)));

    // The import: table sizes stay, whatever the summary holds, and undoing
    // it gives every table back exactly, redoing gives the import again.
    const std::vector<Grid> before = Tables(document);
    const std::size_t marksBefore = document.changedCellCount();
    const std::string text(bytes);
    TableChange imported;
    try {
        imported = ImportTable(document, &text);
    } catch (const DravikError&) {
        // A file list naming files that are not open: refused, nothing changed.
        FUZZ_CHECK(Tables(document) == before, "a refused import changes nothing");
        return 0;
    }
    const std::vector<Grid> after = Tables(document);
    Grid read(1, 1);
    TextToGrid(read, bytes);
    if (read.rowCount() > 1) {
        read.setRowCount(read.rowCount() - 1);  // the fresh grid's own row
        FUZZ_CHECK(document.summary() == read, "the import holds the file's rows as TextToGrid reads them");
    }
    for (GridNumber n : FileRowTables()) {
        const Grid& g = document.grid(n);
        const Grid& old = before[n.index()];
        FUZZ_CHECK(g.colCount() == old.colCount() && g.rowCount() == old.rowCount(), std::to_string(n.number()));
        for (int r = 1; r < g.rowCount(); ++r)
            FUZZ_CHECK(g.cell(0, r) == std::to_string(r) || n == kFileListGrid, std::to_string(n.number()));
    }
    document.undo(imported);
    FUZZ_CHECK(Tables(document) == before, "undo of the import");
    FUZZ_CHECK(document.changedCellCount() == marksBefore, "undo of the import restores the marks");
    document.redo(imported);
    FUZZ_CHECK(Tables(document) == after, "redo of the import");

    // Export after import, and import of that export, still hold together.
    ExportTable(document);
    ImportTable(document, nullptr);
    return 0;
}
