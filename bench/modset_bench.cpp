// Times many mods over one game on the benchmark corpus, each figure beside
// its reference measured in the same run:
//   opening the mod set (base + 5 mods)   <= 1.5 x Open folder of the six
//       folders one after another (listed, then Open desc)
//   moving a mod to another place in the order, and choosing a mod for a
//       key in every file   <= 200 ms each
//   Build merged mod into an empty folder   <= 1.2 x a durable Save all of
//       the files it writes (opened with Open desc, every file changed)
//   the memory of opening the mod set   <= 2 x that of Open desc of the base
//       alone; also shown: the same with the merged view's tables filled, as
//       the window opens it
// Each mod changes 10 % of the values of 20 % of the base's files (drawn
// apart for each mod, so that mods overlap; half of a value's changes are
// alike in every mod that makes them, half differ) and adds 50 files of its
// own. Opening and the two references are the best of --runs runs (3 by
// default): the machine may be shared. Each memory figure is taken in a
// fresh process of this program (--measure), so that memory an earlier
// figure freed does not hide what the next one takes. Exit code 1 when a
// bound is missed.
//
// Usage: dravik2-modset-bench [--files N] [--lines N] [--keys N] [--dir D] [--runs N] [--no-bounds]
#include "bench/bench_clock.h"
#include "bench/corpus.h"

#include "core/document/desc_document.h"
#include "core/files/file_io.h"
#include "core/files/folder_listing.h"
#include "core/modset/merged_build.h"
#include "core/modset/mod_set.h"
#include "core/text/text_lines.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

using namespace dravik;
using dravik::bench::Time;
using dravik::bench::WorkPeakMegabytes;

namespace {

constexpr int kMods = 5;
constexpr double kFileShare = 0.2;
constexpr double kValueShare = 0.1;
constexpr int kNewFiles = 50;

bool Report(const char* what, double value, double bound, const char* unit, bool check)
{
    const bool ok = !check || value <= bound;
    std::printf("%-52s %9.3f %s   bound %9.3f %s   %s\n", what, value, unit, bound, unit,
                check ? (ok ? "ok" : "MISSED") : "-");
    return ok;
}

// A mod's copy of a base file: some of the numbers on its key lines changed.
// Where a value changes, it becomes one of two values by the value's place:
// the same in every mod that changes it, or one of the mod's own.
std::string Modded(const std::string& bytes, int mod, int fileNumber, std::mt19937& random)
{
    TextLines text = SplitLines(bytes);
    for (size_t l = 0; l < text.lines.size(); ++l) {
        std::string& line = text.lines[l];
        if (line.rfind("key", 0) != 0 && line.rfind("weapon", 0) != 0)
            continue;
        std::string out;
        size_t start = 0, word = 0;
        while (start <= line.size()) {
            size_t end = line.find(' ', start);
            if (end == std::string::npos)
                end = line.size();
            std::string part = line.substr(start, end - start);
            const bool number = !part.empty() && std::all_of(part.begin(), part.end(), ::isdigit);
            if (number && word > 0 && std::uniform_real_distribution<>(0, 1)(random) < kValueShare) {
                const bool alike = (fileNumber + l + word) % 2 == 0;
                part = std::to_string(std::stoi(part) + (alike ? 1000 : 2000 + mod));
            }
            out += part;
            if (end < line.size())
                out += ' ';
            start = end + 1;
            ++word;
        }
        line = out;
    }
    return JoinLines(text);
}

// The mod set the corpus in `folder` makes.
ModSetSetup SetupOf(const std::string& folder)
{
    ModSetSetup setup;
    setup.variables = folder + "/variables.var";
    setup.base = folder + "/base";
    for (int m = 0; m < kMods; ++m)
        setup.mods.push_back({ModSource::Kind::Folder, "mod" + std::to_string(m), folder + "/mod" + std::to_string(m)});
    return setup;
}

// In a process of its own: the memory one piece of work takes, printed.
int Measure(const std::string& what, const std::string& folder)
{
    const ModSetSetup setup = SetupOf(folder);
    const std::vector<std::string> basePaths = ListFolder(setup.base, NamePattern(kEveryName)).files;
    double megabytes = 0;
    if (what == "base") {
        megabytes = WorkPeakMegabytes([&] {
            DescDocument base;
            base.startUp();
            base.loadVariables(setup.variables);
            base.openDesc(basePaths);
        });
    } else {
        ModSetOptions options;
        options.tables = what == "window";
        megabytes = WorkPeakMegabytes([&] {
            ModSet set(setup, CodePage::Default(), options);
            const auto tables = set.takeTables();
        });
    }
    std::printf("%.6f\n", megabytes);
    return 0;
}

double MeasuredApart(const char* self, const std::string& what, const std::string& folder)
{
    const std::string command = std::string(self) + " --measure " + what + " --dir '" + folder + "'";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return 0;
    std::array<char, 64> line{};
    const bool read = std::fgets(line.data(), static_cast<int>(line.size()), pipe) != nullptr;
    ::pclose(pipe);
    return read ? std::atof(line.data()) : 0;
}

}  // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i + 3 < argc; ++i)
        if (std::string(argv[i]) == "--measure" && std::string(argv[i + 2]) == "--dir")
            return Measure(argv[i + 1], argv[i + 3]);

    bench::CorpusShape shape;
    std::string folder = (std::filesystem::temp_directory_path() / "dravik2-modset-bench").string();
    bool checkBounds = true;
    int runs = 3;
    for (int i = 1; i < argc; ++i)
        if (!bench::ReadCorpusOption(argc, argv, i, shape, folder, checkBounds) && std::string(argv[i]) == "--runs" &&
            i + 1 < argc)
            runs = std::max(1, std::stoi(argv[++i]));

    std::filesystem::remove_all(folder);
    const std::vector<std::string> basePaths = bench::WriteCorpus(folder + "/base", shape);
    const std::string vars = folder + "/variables.var";
    std::filesystem::rename(folder + "/base/variables.var", vars);

    ModSetSetup setup = SetupOf(folder);
    setup.mods.clear();
    std::mt19937 random(20261209);
    size_t modFiles = 0;
    for (int m = 0; m < kMods; ++m) {
        const std::string modFolder = folder + "/mod" + std::to_string(m);
        DurableWriteBatch batch;
        std::filesystem::create_directories(modFolder);
        for (size_t f = 0; f < basePaths.size(); ++f) {
            if (std::uniform_real_distribution<>(0, 1)(random) >= kFileShare)
                continue;
            const std::string name = std::filesystem::path(basePaths[f]).filename().string();
            batch.addOrThrow(modFolder + "/" + name,
                             Modded(ReadFileOrThrow(basePaths[f]), m, static_cast<int>(f), random));
            ++modFiles;
        }
        for (int n = 0; n < kNewFiles; ++n) {
            batch.addOrThrow(modFolder + "/new" + std::to_string(m) + "_" + std::to_string(n) + ".txt",
                             ReadFileOrThrow(basePaths[static_cast<size_t>(n) % basePaths.size()]));
            ++modFiles;
        }
        batch.commitOrThrow();
        setup.mods.push_back({ModSource::Kind::Folder, "mod" + std::to_string(m), modFolder});
    }
    std::printf("corpus: base %d files x %d lines, %d keys; %d mods, %zu files in all, in %s\n", shape.files,
                shape.linesPerFile, shape.keys, kMods, modFiles, folder.c_str());

    // The reference: each folder opened as Open folder opens it.
    std::vector<std::string> folders = {setup.base};
    for (const ModSource& mod : setup.mods)
        folders.push_back(mod.path);
    DescDocument document;
    document.startUp();
    document.loadVariables(vars);
    double openSix = 1e9, openSet = 1e9;
    for (int run = 0; run < runs; ++run) {
        openSix = std::min(openSix, Time([&] {
            for (const std::string& f : folders)
                document.openDesc(ListFolder(f, NamePattern(kEveryName)).files);
        }));
        openSet = std::min(openSet, Time([&] { ModSet set(setup); }));
    }
    const double baseMemory = MeasuredApart(argv[0], "base", folder);
    const double setMemory = MeasuredApart(argv[0], "set", folder);
    const double windowMemory = MeasuredApart(argv[0], "window", folder);

    ModSet set(setup);
    std::printf("the mod set holds %.3f MB of what differs from the base\n",
                static_cast<double>(set.memoryUsed()) / (1024.0 * 1024.0));
    const std::string someKey = set.schema().keyName(0);
    MergeChange moved, chosen;
    const double reorder = Time([&] { moved = set.moveMod(0, kMods - 1); });
    const double choose = Time([&] { chosen = set.choose({"", someKey, 0, {Winner::Kind::Mod, "mod2"}}); });
    std::printf("values changed by the move: %zu; by the choice: %zu; conflicts: %d\n", moved.values.size(),
                chosen.values.size(), set.conflictCount());

    // Build merged mod into an empty folder, then Save all of what it wrote.
    const std::string out = folder + "/merged";
    BuildResult built;
    const double build = Time([&] {
        BuildOptions options;
        options.out = out;
        built = BuildMergedMod(set, options);
    });
    std::vector<std::string> written;
    for (const BuiltFile& file : built.files)
        written.push_back(file.path);
    double saveAll = 1e9;
    for (int run = 0; run < runs; ++run) {
        document.openDesc(written);
        // Every file changed, as each file of the build is.
        std::vector<CellEdit> edits;
        for (int r = 1; r <= document.descFileCount(); ++r)
            edits.push_back({dravik::GridNumber(1), 2, r, std::to_string(run * 7 + 1)});
        static_cast<void>(document.setCells(edits));
        saveAll = std::min(saveAll, Time([&] { document.saveAll(); }));
    }
    std::printf("the merged mod: %d files (%d new)\n", built.written(), built.count(BuiltFile::What::New));

    bool ok = true;
    const bool full = shape.files >= 5000;
    ok &= Report("Open folder of the six folders (reference)", openSix, openSix, "s", false);
    ok &= Report("opening the mod set", openSet, 1.5 * openSix, "s", checkBounds && full);
    ok &= Report("moving a mod in the order", reorder, 0.2, "s", checkBounds && full);
    ok &= Report("choosing a mod for a key in every file", choose, 0.2, "s", checkBounds && full);
    ok &= Report("durable Save all of the files built (reference)", saveAll, saveAll, "s", false);
    ok &= Report("Build merged mod", build, 1.2 * saveAll, "s", checkBounds && full);
    ok &= Report("memory of Open desc of the base (reference)", baseMemory, baseMemory, "MB", false);
    ok &= Report("memory of opening the mod set", setMemory, 2 * baseMemory, "MB", checkBounds && full);
    ok &= Report("the same with the merged view's tables", windowMemory, 2 * baseMemory, "MB", false);
    std::filesystem::remove_all(folder);
    return ok ? 0 : 1;
}
