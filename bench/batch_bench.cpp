// Times `dravik2-batch export` of the generated corpus as a whole process,
// beside `wc -l` of the same files in the same run: the floor of any command
// that reads every file once.
//   dravik2-batch export <= 3 x wc -l
// Each is the best of five runs: the machine may be shared, and a busy
// moment is not the program's. Exit code 1 when the bound is missed or a
// run fails.
//
// Usage: dravik2-batch-bench [--files N] [--lines N] [--keys N] [--dir D] [--batch PROGRAM] [--no-bounds]
#include "bench/bench_clock.h"
#include "bench/corpus.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

using namespace dravik;
using dravik::bench::Seconds;

namespace {

constexpr int kRuns = 5;
constexpr double kBatchFactor = 3.0;  // x wc -l

// Runs the program with its output thrown away; false when it cannot be
// started or exits with anything but 0.
bool RunQuietly(const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int started = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0)
        return false;
    int status = 0;
    if (waitpid(child, &status, 0) != child)
        return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The best of kRuns whole runs, in seconds; negative when a run failed.
double BestRun(const std::vector<std::string>& args)
{
    double best = 1e9;
    for (int i = 0; i < kRuns; ++i) {
        bool ok = true;
        const double seconds = bench::Time([&] { ok = RunQuietly(args); });
        if (!ok)
            return -1;
        best = std::min(best, seconds);
    }
    return best;
}

}  // namespace

int main(int argc, char** argv)
{
    bench::CorpusShape shape;
    std::string folder = (std::filesystem::temp_directory_path() / "dravik2-batch-bench").string();
    std::string batch = DRAVIK_BATCH_PROGRAM;
    bool checkBounds = true;
    for (int i = 1; i < argc; ++i)
        if (!bench::ReadCorpusOption(argc, argv, i, shape, folder, checkBounds) &&
            std::string(argv[i]) == "--batch" && i + 1 < argc)
            batch = argv[++i];

    std::filesystem::remove_all(folder);
    const auto paths = bench::WriteCorpus(folder + "/desc", shape);
    std::printf("corpus: %d files x %d lines, %d keys in %s; best of %d runs\n", shape.files, shape.linesPerFile,
                shape.keys, folder.c_str(), kRuns);

    std::vector<std::string> count = {"wc", "-l"};
    count.insert(count.end(), paths.begin(), paths.end());
    std::vector<std::string> exporting = {batch, "export", "--vars", folder + "/desc/variables.var",
                                          "--out", folder + "/table.txt"};
    exporting.insert(exporting.end(), paths.begin(), paths.end());

    const double wc = BestRun(count);
    const double exported = BestRun(exporting);
    std::filesystem::remove_all(folder);
    if (wc < 0 || exported < 0) {
        std::fprintf(stderr, "%s failed\n", wc < 0 ? "wc -l" : "dravik2-batch export");
        return 1;
    }
    const double bound = kBatchFactor * wc;
    const bool ok = !checkBounds || exported <= bound;
    std::printf("%-40s %9.3f s   bound %9.3f s   %s\n", "wc -l (reference)", wc, wc, "-");
    std::printf("%-40s %9.3f s   bound %9.3f s   %s\n", "dravik2-batch export, whole process", exported, bound,
                checkBounds ? (ok ? "ok" : "MISSED") : "-");
    return ok ? 0 : 1;
}
