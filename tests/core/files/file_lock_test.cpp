#include "core/files/file_lock.h"

#include "tests/core/test_files.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace dravik {
namespace {

#ifndef _WIN32
// A save holds a lock on each of its files: thousands of them, where a
// desktop lets a process hold 1,024 files open unless it asks for more.
TEST(FileLocks, ASaveOfMoreFilesThanTheOpenFileLimitLocksThemAll)
{
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
    if (saved.rlim_max != RLIM_INFINITY && saved.rlim_max < 2000)
        GTEST_SKIP() << "the hard limit on open files is " << saved.rlim_max;
    test::TempFolder dir;
    std::vector<std::string> paths;
    for (int i = 0; i < 1500; ++i)
        paths.push_back(dir.write("unit" + std::to_string(i) + ".desc", "hp 1\r\n"));
    struct rlimit low = saved;
    low.rlim_cur = 256;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &low), 0);
    FileLocks locks;
    FileError err;
    const bool locked = locks.lock(paths, err);
    locks.release();
    ::setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_TRUE(locked) << err.reason;
}
#endif

}  // namespace
}  // namespace dravik
