// Times a mod against its base game on the benchmark corpus, each figure
// beside its reference measured in the same run:
//   dravik2-batch diff of the mod's files against a base folder of as many
//       files   <= 2 x dravik2-batch export of the mod's files
//   dravik2-batch apply of a patch changing 50,000 values (ten in each of
//       5,000 files)   <= 2 x dravik2-batch export of the files it changes
//   the window's Compare with base   <= 1.5 x its Open desc of the mod
//   with base marks on: switching to a section tab, scrolling a table by one
//       screen down or across   <= 50 ms each, beside the same with the marks off
// The machine may be shared: each timed command runs --runs times (3 by
// default), and the median is checked, printed with the fastest and the
// slowest run. Exit code 1 when a bound is missed.
//
// Usage: dravik2-mod-bench [--files N] [--lines N] [--keys N] [--dir D] [--runs N] [--no-bounds]
#include "bench/bench_clock.h"
#include "bench/bench_window.h"
#include "bench/corpus.h"

#include "app/batch_command.h"
#include "core/document/desc_document.h"
#include "core/files/file_io.h"
#include "ui/main_unit.h"
#include "ui/tables/grid_view.h"
#include "ui/mod/mod_actions.h"

#include <QAction>
#include <QApplication>
#include <QTabWidget>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

using namespace dravik;
using dravik::bench::BenchDialogs;
using dravik::bench::ScrollScreens;
using dravik::bench::Settle;
using dravik::bench::Steps;
using dravik::bench::Table;
using dravik::bench::Tabs;
using dravik::bench::Time;

namespace {

constexpr double kBatchFactor = 2.0;
constexpr double kCompareFactor = 1.5;
constexpr double kStepBound = 0.050;  // s
constexpr int kValuesPerFile = 10;
constexpr int kScreens = 20;

struct Options {
    bench::CorpusShape shape;
    std::string folder = (std::filesystem::temp_directory_path() / "dravik2-mod-bench").string();
    int runs = 3;
    bool checkBounds = true;
};

Options ParseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto next = [&] { return i + 1 < argc ? std::stoi(argv[++i]) : 0; };
        if (arg == "--files") options.shape.files = next();
        else if (arg == "--lines") options.shape.linesPerFile = next();
        else if (arg == "--keys") options.shape.keys = next();
        else if (arg == "--runs") options.runs = std::max(next(), 1);
        else if (arg == "--dir" && i + 1 < argc) options.folder = argv[++i];
        else if (arg == "--no-bounds") options.checkBounds = false;
    }
    return options;
}

// The runs of one figure: checked by their median, shown with their spread.
struct Runs {
    std::vector<double> seconds;
    void add(double s) { seconds.push_back(s); }
    double median() const
    {
        std::vector<double> sorted = seconds;
        std::sort(sorted.begin(), sorted.end());
        return sorted.empty() ? 0 : sorted[sorted.size() / 2];
    }
    double fastest() const { return seconds.empty() ? 0 : *std::min_element(seconds.begin(), seconds.end()); }
    double slowest() const { return seconds.empty() ? 0 : *std::max_element(seconds.begin(), seconds.end()); }
};

bool Report(const char* what, const Runs& runs, const char* against, const Runs& reference, double factor, bool check)
{
    const double bound = factor * reference.median();
    const bool ok = !check || runs.median() <= bound;
    std::printf("%-34s %8.3f s (%.3f..%.3f)   %s %8.3f s (%.3f..%.3f)   bound %8.3f s  %s\n", what, runs.median(),
                runs.fastest(), runs.slowest(), against, reference.median(), reference.fastest(), reference.slowest(),
                bound, check ? (ok ? "ok" : "MISSED") : "-");
    return ok;
}

// The mod: the corpus with ten values of every file changed and saved, as a
// modder's Save all leaves it.
void MakeMod(const std::string& variables, const std::vector<std::string>& files)
{
    DescDocument document;
    document.startUp();
    document.loadVariables(variables);
    document.openDesc(files);
    std::vector<CellEdit> edits;
    for (int r = 1; r <= document.descFileCount(); ++r) {
        int changed = 0;
        for (int n = 1; n < kSectionCount && changed < kValuesPerFile; ++n)
            for (int c = 2; c < document.grid(dravik::GridNumber(n)).colCount() && changed < kValuesPerFile; ++c, ++changed)
                edits.push_back({dravik::GridNumber(n), c, r, std::string(document.grid(dravik::GridNumber(n)).cell(c, r)) + "1"});
    }
    static_cast<void>(document.setCells(edits));
    document.saveAll();
}

int Batch(std::vector<std::string> args, const std::vector<std::string>& files)
{
    args.insert(args.end(), files.begin(), files.end());
    std::ostringstream out, err;
    const int code = RunBatchCommand(args, out, err);
    if (code == 2 || (code == 1 && args.front() != "diff"))
        std::fprintf(stderr, "%s: %s", args.front().c_str(), err.str().c_str());
    return code;
}

struct BatchFigures {
    Runs exportMod, diff, exportTarget, apply;
    size_t patchLines = 0;
};

BatchFigures RunBatch(const Options& options, const std::string& vars, const std::vector<std::string>& mod)
{
    BatchFigures figures;
    const std::string table = options.folder + "/table.txt";
    const std::string patch = options.folder + "/patch.txt";
    for (int run = 0; run < options.runs; ++run) {
        figures.exportMod.add(Time([&] { Batch({"export", "--vars", vars, "--out", table}, mod); }));
        figures.diff.add(
            Time([&] { Batch({"diff", "--vars", vars, "--base", options.folder + "/base", "--patch", patch}, mod); }));
        // A fresh copy of the base game each time, the patch's target.
        std::filesystem::remove_all(options.folder + "/target");
        const auto target = bench::WriteCorpus(options.folder + "/target", options.shape);
        figures.exportTarget.add(Time([&] { Batch({"export", "--vars", vars, "--out", table}, target); }));
        figures.apply.add(Time([&] { Batch({"apply", "--vars", vars, "--patch", patch}, target); }));
    }
    const std::string written = ReadFileOrThrow(patch);
    figures.patchLines = static_cast<size_t>(std::count(written.begin(), written.end(), '\n')) - 1;  // less the header
    return figures;
}

struct WindowFigures {
    Runs open, compare;
    Steps tabsOn, tabsOff, downOn, downOff, acrossOn, acrossOff;
    int differing = 0;
    int errors = 0;
};

// Every section tab switched to, then the first table scrolled down and
// across screen by screen.
void LookThrough(TMainForm& window, Steps& tabs, Steps& down, Steps& across)
{
    for (int tab = 1; tab <= kSectionCount; ++tab)
        tabs.add(Time([&] {
            Tabs(window)->setCurrentIndex(tab);
            Settle();
        }));
    Tabs(window)->setCurrentIndex(1);
    Settle();
    ScrollScreens(Table(window, 1), kScreens, down, across);
}

WindowFigures RunWindow(const Options& options, const std::string& vars, const std::vector<std::string>& mod)
{
    WindowFigures figures;
    QStringList paths;
    for (const std::string& path : mod)
        paths << QString::fromStdString(path);
    for (int run = 0; run < options.runs; ++run) {
        BenchDialogs dialogs;
        TMainForm window(QString::fromStdString(options.folder + "/settings.ini"), dialogs);
        window.show();
        Settle();
        window.openVariablesFile(QString::fromStdString(vars));
        figures.open.add(Time([&] {
            window.openDescFiles(paths);
            Settle();
        }));
        const bool last = run + 1 == options.runs;
        if (last) {
            window.modActions()->baseMarks->setChecked(false);
            LookThrough(window, figures.tabsOff, figures.downOff, figures.acrossOff);
        }
        dialogs.baseFolderAnswers.enqueue(QString::fromStdString(options.folder + "/base"));
        figures.compare.add(Time([&] {
            window.modActions()->compareWithBase->trigger();
            Settle();
        }));
        if (last) {
            window.modActions()->baseMarks->setChecked(true);
            LookThrough(window, figures.tabsOn, figures.downOn, figures.acrossOn);
            figures.differing = window.modActions()->base()->differingFiles();
        }
        figures.errors += dialogs.errors;
    }
    return figures;
}

bool ReportStep(const char* what, const Steps& on, const Steps& off, bool check)
{
    const bool ok = !check || on.worst <= kStepBound;
    auto mean = [](const Steps& steps) { return steps.count ? steps.total / steps.count * 1000 : 0; };
    std::printf("%-34s %8.1f ms (mean %.1f)   marks off %8.1f ms (mean %.1f)   bound %8.1f ms  %s  (%d steps)\n", what,
                on.worst * 1000, mean(on), off.worst * 1000, mean(off), kStepBound * 1000,
                check ? (ok ? "ok" : "MISSED") : "-", on.count);
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    const Options options = ParseOptions(argc, argv);
    std::filesystem::remove_all(options.folder);
    bench::WriteCorpus(options.folder + "/base", options.shape);
    const auto mod = bench::WriteCorpus(options.folder + "/mod", options.shape);
    const std::string vars = options.folder + "/mod/variables.var";
    MakeMod(vars, mod);

    const BatchFigures batch = RunBatch(options, vars, mod);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const WindowFigures window = RunWindow(options, vars, mod);
    std::filesystem::remove_all(options.folder);

    const auto& shape = options.shape;
    std::printf("corpus: %d files x %d lines, %d keys; a mod of it with %d values changed in each file; "
                "medians of %d runs (fastest..slowest)\n",
                shape.files, shape.linesPerFile, shape.keys, kValuesPerFile, options.runs);
    const bool check = options.checkBounds;
    bool ok = window.errors == 0;
    ok &= Report("batch diff against the base", batch.diff, "export", batch.exportMod, kBatchFactor, check);
    std::printf("%-34s %8zu values in the patch\n", "", batch.patchLines);
    ok &= Report("batch apply of the patch", batch.apply, "export", batch.exportTarget, kBatchFactor, check);
    ok &= Report("window: Compare with base", window.compare, "Open desc", window.open, kCompareFactor, check);
    std::printf("%-34s %8d files differ from the base\n", "", window.differing);
    ok &= ReportStep("base marks on: tab switch, worst", window.tabsOn, window.tabsOff, check);
    ok &= ReportStep("base marks on: screen down, worst", window.downOn, window.downOff, check);
    ok &= ReportStep("base marks on: screen across, worst", window.acrossOn, window.acrossOff, check);
    if (window.errors)
        std::printf("the window showed %d error box(es)\n", window.errors);
    return ok ? 0 : 1;
}
