#include "core/files/file_lock.h"

#include "app/batch_command.h"
#include "core/document/desc_document.h"
#include "tests/core/test_files.h"

#include <gtest/gtest.h>

#include <sstream>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace dravik {
namespace {

using test::ReadBytes;
using test::TempFolder;

// Another Dravik 2 that saves the file meanwhile: Save current waits for it,
// as Save all does, then refuses and writes nothing.
TEST(FileLocks, SaveCurrentWaitsForTheLockSaveAllTakes)
{
    TempFolder dir;
    const std::string path = dir.write("a.desc", "hp 1\r\n");
    DescDocument ws(test::Cyrillic());
    ws.startUp();
    ws.setVariablesText(TextLines{{"[section1]", "hp =1"}, true});
    ws.openDesc({path});
    ws.setDescText(TextLines{{"hp 2"}, true});
    FileLocks other;
    FileError err;
    ASSERT_TRUE(other.lock({path}, err)) << err.reason;
    const auto start = std::chrono::steady_clock::now();
    try {
        static_cast<void>(ws.saveCurrent());
        ADD_FAILURE() << "saved over the lock";
    } catch (const DravikError& e) {
        EXPECT_EQ(std::string(e.what()), CannotCreateFileMessage(path, kLockedByAnother));
    }
    EXPECT_GE(std::chrono::steady_clock::now() - start, kLockWait);
    EXPECT_EQ(ReadBytes(path), "hp 1\r\n");
    other.release();
    static_cast<void>(ws.saveCurrent());
    EXPECT_EQ(ReadBytes(path), "hp 2\r\n");
}

#ifndef _WIN32

// Runs `body` in a child process whose limit on open files is `limit`, soft
// and hard, so that it cannot raise it; what the child writes into `report`
// comes back, and its exit code.
int InChildWithOpenFileLimit(rlim_t limit, const std::function<int(std::string& report)>& body, std::string& report)
{
    int ends[2];
    if (::pipe(ends) != 0)
        return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ends[0]);
        const struct rlimit low {limit, limit};
        int code = 99;
        std::string said = "cannot lower the limit";
        if (::setrlimit(RLIMIT_NOFILE, &low) == 0)
            code = body(said);
        for (size_t done = 0; done < said.size();) {
            const ssize_t put = ::write(ends[1], said.data() + done, said.size() - done);
            if (put <= 0)
                break;
            done += static_cast<size_t>(put);
        }
        ::_exit(code);
    }
    ::close(ends[1]);
    char buffer[4096];
    for (ssize_t got; (got = ::read(ends[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, static_cast<size_t>(got));
    ::close(ends[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A desktop lets a process hold 1,024 files open unless it asks for more,
// and some systems do not let it ask: a save of thousands of files holds one
// lock file, however many it saves.
TEST(FileLocks, ASaveOfMoreFilesThanTheOpenFileLimitWritesThemAll)
{
    TempFolder dir;
    const std::string vars = dir.write("v.var", "[section1]\r\nhp =1\r\n");
    std::vector<std::string> args = {"set", "--vars", vars, "--key", "hp", "--expr", "+1"};
    for (int i = 0; i < 300; ++i)
        args.push_back(dir.write("unit" + std::to_string(i) + ".desc", "hp " + std::to_string(i) + "\r\n"));
    std::string report;
    const int code = InChildWithOpenFileLimit(
        64,
        [&](std::string& said) {
            std::ostringstream out, errors;
            const int batch = RunBatchCommand(args, out, errors);
            said = errors.str();
            return batch;
        },
        report);
    EXPECT_EQ(code, 0) << report;
    for (int i = 0; i < 300; ++i)
        EXPECT_EQ(ReadBytes(args[static_cast<size_t>(7 + i)]), "hp  " + std::to_string(i + 1) + " \r\n");
}

// A limit so low that even one file more cannot be opened: the message says
// what the limit was, and nothing is written.
TEST(FileLocks, ALimitThatStillStopsASaveIsNamed)
{
    TempFolder dir;
    const std::string vars = dir.write("v.var", "[section1]\r\nhp =1\r\n");
    const std::string a = dir.write("a.desc", "hp 1\r\n");
    // Every descriptor below the lowest free one is taken: a limit of one
    // more lets the child open a single file at a time.
    const int free = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    ASSERT_GE(free, 0);
    ::close(free);
    const rlim_t limit = static_cast<rlim_t>(free) + 1;
    std::string report;
    const int code = InChildWithOpenFileLimit(
        limit,
        [&](std::string& said) {
            std::ostringstream out, errors;
            const int batch = RunBatchCommand({"set", "--vars", vars, "--key", "hp", "--expr", "+1", a}, out, errors);
            said = errors.str();
            return batch;
        },
        report);
    EXPECT_EQ(code, 1);
    EXPECT_NE(report.find("Too many open files (at most " + std::to_string(limit) + " files may be open at once)"),
              std::string::npos)
        << report;
    EXPECT_EQ(ReadBytes(a), "hp 1\r\n");
}

TEST(FileLocks, TheSoftLimitIsRaisedToTheHardOne)
{
    std::string report;
    const int code = InChildWithOpenFileLimit(
        4096,
        [](std::string& said) {
            struct rlimit limit {};
            ::getrlimit(RLIMIT_NOFILE, &limit);
            limit.rlim_cur = 64;
            ::setrlimit(RLIMIT_NOFILE, &limit);
            RaiseOpenFileLimit();
            ::getrlimit(RLIMIT_NOFILE, &limit);
            said = std::to_string(limit.rlim_cur);
            return 0;
        },
        report);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(report, "4096");
}

#endif

}  // namespace
}  // namespace dravik
