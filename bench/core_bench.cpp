// Times the engine's long commands on a generated corpus, each next to its
// bound measured in the same run:
//   Open desc  <= 2 x reading the same files and splitting them into lines
//   Export table after it (the table text file written) <= 0.5 x Open desc
//   Save all   <= 3 x writing the same bytes to the same number of files,
//                 then one sync (Save all leaves every file on the disk)
//   the unified diff of every file against what Save all writes, the file
//                 read again, as import --dry-run prints them <= 2 x reading
//                 and splitting the files
//   Save all after edits in 50 files <= 1.5 x Open desc of all of them
//   undo and redo of a 100,000-cell edit <= 0.1 s each, and 20 such edits
//   held for undoing <= 100 MB
//   peak memory after Open desc of 5,000 files <= 200 MB
//   Import of a table 100,000 columns wide <= 3 x reading it into a grid
//   memory of importing the exported table <= 3 x the table's size, as the
//   batch does it and as the window does (which also shows the table in the
//   summary table and keeps the one it replaces for undoing); and of a table
//   holding one value as long as a table line may be, as the batch does
//   Open desc and Save all of 10 files over keys that are prefixes of one
//   another: 4 times the keys take <= 6 times as long (linear work: 4)
// The same files replaced by rename without any flush (how saves were written
// before they were made durable) show what durability costs. Import is timed
// too. Reading, Open desc and Export are the best of three runs, taken in
// turn: the machine may be shared, and a busy moment is not the program's.
// Exit code 1 when a bound is missed.
//
// Usage: dravik2-core-bench [--files N] [--lines N] [--keys N] [--prefix-keys N] [--dir D] [--no-bounds]
#include "bench/bench_clock.h"
#include "bench/corpus.h"

#include "core/document/desc_document.h"
#include "core/files/file_io.h"
#include "core/exchange/import_review.h"
#include "core/exchange/table_checks.h"
#include "core/exchange/table_exchange.h"
#include "core/exchange/table_text_file.h"
#include "core/text/text_lines.h"
#include "core/bulk/unified_diff.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <streambuf>
#include <string>

#include <sys/resource.h>
#include <unistd.h>

using namespace dravik;
using dravik::bench::PeakMegabytes;
using dravik::bench::Seconds;
using dravik::bench::Time;
using dravik::bench::WorkPeakMegabytes;

namespace {

constexpr int kRuns = 3;

bool Report(const char* what, double value, double bound, const char* unit, bool check)
{
    const bool ok = !check || value <= bound;
    std::printf("%-40s %9.3f %s   bound %9.3f %s   %s\n", what, value, unit, bound, unit, check ? (ok ? "ok" : "MISSED") : "-");
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    bench::CorpusShape shape;
    std::string folder = (std::filesystem::temp_directory_path() / "dravik2-bench").string();
    bool checkBounds = true;
    int prefixKeys = 10000;
    for (int i = 1; i < argc; ++i)
        if (!bench::ReadCorpusOption(argc, argv, i, shape, folder, checkBounds) &&
            std::string(argv[i]) == "--prefix-keys" && i + 1 < argc)
            prefixKeys = std::stoi(argv[++i]);

    std::filesystem::remove_all(folder);
    const auto paths = bench::WriteCorpus(folder + "/desc", shape);
    std::printf("corpus: %d files x %d lines, %d keys in %s\n", shape.files, shape.linesPerFile, shape.keys, folder.c_str());

    // The reference for Open desc: read every file and split it into lines.
    size_t lineTotal = 0;
    auto readAndSplit = [&] {
        lineTotal = 0;
        for (const auto& path : paths) {
            std::string bytes;
            FileError err;
            ReadWholeFile(path, bytes, err);
            lineTotal += SplitLines(bytes).lines.size();
        }
    };

    DescDocument document;
    document.startUp();
    document.loadVariables(folder + "/desc/variables.var");
    double readSplit = 1e9, openDesc = 1e9, peakAfterLoad = 0;
    for (int run = 0; run < kRuns; ++run) {
        readSplit = std::min(readSplit, Time(readAndSplit));
        openDesc = std::min(openDesc, Time([&] { document.openDesc(paths); }));
        if (run == 0)
            peakAfterLoad = PeakMegabytes();
    }

    // The reference for Save all: the same bytes written plainly over as
    // many existing files, as an in-place rewrite would.
    std::filesystem::create_directories(folder + "/plain");
    std::vector<std::string> contents;
    contents.reserve(paths.size());
    for (const auto& path : paths)
        contents.push_back(ReadFileOrThrow(path));
    auto writePlain = [&] {
        for (size_t i = 0; i < paths.size(); ++i) {
            std::FILE* file = std::fopen((folder + "/plain/" + std::to_string(i) + ".txt").c_str(), "wb");
            if (!file)
                continue;
            std::fwrite(contents[i].data(), 1, contents[i].size(), file);
            std::fclose(file);
        }
    };
    writePlain();
    const double plainWrite = Time(writePlain);
    const double plainWriteSync = Time([&] {
        writePlain();
        ::sync();
    });
    // What durability costs beside that: the same files replaced by rename
    // without any flush, as saves were written before.
    const double renameNoFlush = Time([&] {
        for (size_t i = 0; i < paths.size(); ++i) {
            const std::string path = folder + "/plain/" + std::to_string(i) + ".txt";
            const std::string temp = path + ".new";
            std::FILE* file = std::fopen(temp.c_str(), "wbx");
            if (!file)
                continue;
            std::fwrite(contents[i].data(), 1, contents[i].size(), file);
            std::fclose(file);
            std::rename(temp.c_str(), path.c_str());
        }
    });
    contents.clear();
    contents.shrink_to_fit();

    // What `import --dry-run` prints for every file: the file read again and
    // its unified diff against the bytes Save all would write (the corpus
    // is not in the saved form yet: half of every file's lines change).
    double dryRunDiffs = 0;
    size_t diffBytes = 0;
    {
        const SavePlan plan = document.planSaveAll();
        struct Counting : std::streambuf {
            size_t bytes = 0;
            int_type overflow(int_type c) override { return ++bytes, c; }
            std::streamsize xsputn(const char*, std::streamsize n) override
            {
                bytes += static_cast<size_t>(n);
                return n;
            }
        } counting;
        std::ostream out(&counting);
        std::vector<std::string_view> before, after;
        dryRunDiffs = Time([&] {
            for (const FileSave& file : plan.files) {
                if (!file.changed)
                    continue;
                const std::string bytes = ReadFileOrThrow(file.path);
                SplitLineViewsInto(bytes, before);
                SplitLineViewsInto(file.bytes, after);
                WriteUnifiedDiff(out, file.path, before, after);
            }
        });
        diffBytes = counting.bytes;
    }

    // The corpus is not in the saved form yet: every file is rewritten.
    const double saveAll = Time([&] { document.saveAll(); });

    // A few files edited: only they are written, but every file is read.
    const int editedFiles = std::min(50, document.descFileCount());
    for (int k = 0; k < editedFiles; ++k)
        document.setCell(dravik::GridNumber(1), 2, 1 + k * document.descFileCount() / editedFiles, "edited");
    SaveOutcome fewSaved;
    const double saveFew = Time([&] { fewSaved = document.saveAll(); });

    // One edit of many cells across the section tables, taken back and redone.
    std::vector<CellEdit> edits;
    for (int n = 1; n <= 9 && edits.size() < 100000; ++n) {
        const Grid& table = document.grid(dravik::GridNumber(n));
        for (int r = 1; r < table.rowCount() && edits.size() < 100000; ++r)
            for (int c = 2; c < table.colCount() && edits.size() < 100000; ++c)
                edits.push_back({dravik::GridNumber(n), c, r, "v" + std::to_string(edits.size())});
    }
    const TableChange bulk = document.setCells(edits);
    const double undoBulk = Time([&] { document.undo(bulk); });
    const double redoBulk = Time([&] { document.redo(bulk); });
    document.undo(bulk);
    const double historyMegabytes = 20.0 * static_cast<double>(bulk.memoryUsed()) / (1024.0 * 1024.0);

    // Each export starts from the summary table the load left: the one
    // before is undone.
    const std::string table = folder + "/table.txt";
    double exportTable = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        TableChange exported;
        exportTable = std::min(exportTable, Time([&] {
            exported = ExportTable(document);
            GridToTextFile(document.summary(), table);
        }));
        if (run + 1 < kRuns)
            document.undo(exported);
    }
    const double importTable = Time([&] {
        const std::string bytes = ReadTableTextFile(table);
        ImportTable(document, &bytes);
    });

    // The memory of importing the exported table, beside the table's size,
    // with 100,000 cells to change back: as the batch imports (no summary
    // table, no history) and as the window does.
    const double tableMegabytes = static_cast<double>(std::filesystem::file_size(table)) / (1024.0 * 1024.0);
    document.redo(bulk);
    // As the batch reads, checks and places the table, then applies it.
    auto importAsTheBatchDoes = [](DescDocument& into, const std::string& path) {
        std::string bytes = ReadTableTextFile(path);
        static_cast<void>(FindCharacterSetDamage(bytes, into));
        PreparedImport import = PrepareImport(into, TableText(std::move(bytes)));
        static_cast<void>(ReviewImport(into, import));
        ApplyImportWithoutHistory(into, std::move(import));
    };
    const double batchImportMemory = WorkPeakMegabytes([&] { importAsTheBatchDoes(document, table); });
    document.redo(bulk);
    const double windowImportMemory = WorkPeakMegabytes([&] {
        // As the window reads, checks and places the table, then applies it.
        std::string bytes = ReadTableTextFile(table);
        static_cast<void>(FindCharacterSetDamage(bytes, document));
        PreparedImport import = PrepareImport(document, TableText(std::move(bytes)));
        const ImportReview review = ReviewImport(document, import);
        const TableChange change = ApplyImport(document, std::move(import));
    });

    // A table whose one value is as long as a table line may be, into ten
    // files: the import holds the value once as read, once in the tables.
    double longValueMegabytes = 0, longValueImportMemory = 0;
    {
        DescDocument few;
        few.startUp();
        few.loadVariables(folder + "/desc/variables.var");
        few.openDesc(std::vector<std::string>(paths.begin(), paths.begin() + std::min<size_t>(10, paths.size())));
        const std::string longTable = folder + "/long-value.txt";
        WriteExportedTable(few, longTable);
        std::string text = ReadTableTextFile(longTable);
        // The first value of the "Section 1" block's first file row, whose
        // line reads TAB, path, TAB, value.
        const size_t row = text.find("\r\n", text.find("\tFile name\t", text.find("Section 1"))) + 2;
        const size_t value = text.find('\t', row + 1) + 1;
        text.insert(value, std::string(kLongestTableLine - (text.find('\n', row) - row) - 8, 'v'));
        WriteTableTextFile(text, longTable);
        longValueMegabytes = static_cast<double>(text.size()) / (1024.0 * 1024.0);
        text = {};
        longValueImportMemory = WorkPeakMegabytes([&] { importAsTheBatchDoes(few, longTable); });
    }

    // Keys that are prefixes of one another, over 10 files: Open desc and
    // Save all at three sizes.
    std::vector<double> prefixTimes;
    for (int keys : {prefixKeys, 2 * prefixKeys, 4 * prefixKeys}) {
        const std::string prefixFolder = folder + "/prefix" + std::to_string(keys);
        const auto prefixPaths = bench::WritePrefixCorpus(prefixFolder, keys, 10);
        DescDocument prefixed;
        prefixed.startUp();
        prefixed.loadVariables(prefixFolder + "/variables.var");
        prefixTimes.push_back(Time([&] {
            prefixed.openDesc(prefixPaths);
            prefixed.saveAll();
        }));
    }

    // A table text file whose first line is 100,000 columns wide, over a
    // block of 10,000 short rows: reading it is the reference for importing it.
    std::string wideTable = "Section 1";
    wideTable.append(100000, '\t');
    wideTable += "\r\n";
    for (int r = 0; r < 10000; ++r)
        wideTable += "\tf" + std::to_string(r) + "\tv\r\n";
    const double readWide = Time([&] {
        Grid grid;
        TextToGrid(grid, wideTable);
    });
    DescDocument fresh;
    fresh.startUp();
    const double importWide = Time([&] { ImportTable(fresh, &wideTable); });

    std::printf("lines read: %zu\n", lineTotal);
    bool ok = true;
    ok &= Report("read + split (reference)", readSplit, readSplit, "s", false);
    ok &= Report("Open desc", openDesc, 2 * readSplit, "s", checkBounds);
    ok &= Report("plain rewrite (reference)", plainWrite, plainWrite, "s", false);
    ok &= Report("plain rewrite + sync (reference)", plainWriteSync, plainWriteSync, "s", false);
    ok &= Report("rename, no flush (reference)", renameNoFlush, renameNoFlush, "s", false);
    ok &= Report("Save all (durable)", saveAll, 3 * plainWriteSync, "s", checkBounds);
    std::printf("unified diffs: %.1f MB\n", static_cast<double>(diffBytes) / (1024.0 * 1024.0));
    ok &= Report("unified diffs, as import --dry-run", dryRunDiffs, 2 * readSplit, "s", checkBounds);
    std::printf("Save all after edits: %d of %d files written\n", fewSaved.written, fewSaved.files);
    ok &= Report("Save all after edits in 50 files", saveFew, 1.5 * openDesc, "s", checkBounds);
    std::printf("bulk edit: %zu cells\n", bulk.cellCount());
    ok &= Report("undo of the bulk edit", undoBulk, 0.1, "s", checkBounds && bulk.cellCount() >= 100000);
    ok &= Report("redo of the bulk edit", redoBulk, 0.1, "s", checkBounds && bulk.cellCount() >= 100000);
    ok &= Report("20 bulk edits held for undo", historyMegabytes, 100, "MB", checkBounds && bulk.cellCount() >= 100000);
    ok &= Report("Export table, after Open desc", exportTable, 0.5 * openDesc, "s", checkBounds);
    ok &= Report("Import table", importTable, importTable, "s", false);
    ok &= Report("read a 100,000-column table (reference)", readWide, readWide, "s", false);
    ok &= Report("Import it", importWide, 3 * readWide, "s", checkBounds);
    ok &= Report("peak memory after Open desc", peakAfterLoad, 200, "MB", checkBounds && shape.files >= 5000);
    ok &= Report("the exported table's size (reference)", tableMegabytes, tableMegabytes, "MB", false);
    ok &= Report("memory of importing it, as the batch does", batchImportMemory, 3 * tableMegabytes, "MB",
                 checkBounds && tableMegabytes >= 1);
    ok &= Report("memory of importing it, as the window does", windowImportMemory, 3 * tableMegabytes, "MB",
                 checkBounds && tableMegabytes >= 1);
    ok &= Report("a table holding one 16 MB value (reference)", longValueMegabytes, longValueMegabytes, "MB", false);
    ok &= Report("memory of importing it, as the batch does", longValueImportMemory, 3 * longValueMegabytes, "MB",
                 checkBounds);
    for (size_t i = 0; i < prefixTimes.size(); ++i) {
        const std::string what = "Open desc + Save all, " + std::to_string(prefixKeys << i) + " prefix keys";
        ok &= Report(what.c_str(), prefixTimes[i], i == 0 ? prefixTimes[0] : 1.5 * (2 << (i - 1)) * prefixTimes[0], "s",
                     checkBounds && i == 2);
    }
    std::filesystem::remove_all(folder);
    return ok ? 0 : 1;
}
