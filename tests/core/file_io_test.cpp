#include "core/file_io.h"

#include "core/errors.h"
#include "tests/core/test_files.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace dravik {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::Reason;
using test::TempFolder;

std::string AllBytes()
{
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes += static_cast<char>(b);
    return bytes;
}

TEST(ReadWholeFile, EveryByteAsItIs)
{
    TempFolder dir;
    const std::string path = dir.write("all.bin", AllBytes() + AllBytes());
    EXPECT_EQ(ReadFileOrThrow(path), AllBytes() + AllBytes());
    EXPECT_EQ(ReadFileOrThrow(dir.write("empty", "")), "");
}

TEST(ReadWholeFile, MissingFileCarriesTheSystemsReason)
{
    TempFolder dir;
    const std::string path = dir.file("missing.desc");
    std::string bytes;
    FileError err;
    EXPECT_FALSE(ReadWholeFile(path, bytes, err));
    EXPECT_EQ(err.code, test::kFileNotFound);
    EXPECT_EQ(err.reason, Reason(test::kFileNotFound));
#ifndef _WIN32
    EXPECT_EQ(err.reason, "No such file or directory");
#endif
    try {
        ReadFileOrThrow(path);
        FAIL() << "no error";
    } catch (const DravikError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + path + "\". " + err.reason);
    }
}

TEST(WriteFileSafely, CreatesAndReplacesLeavingNoTemporaryFile)
{
    TempFolder dir;
    const std::string path = dir.file("a.desc");
    WriteFileOrThrow(path, "first");
    EXPECT_EQ(ReadBytes(path), "first");
    WriteFileOrThrow(path, AllBytes());
    EXPECT_EQ(ReadBytes(path), AllBytes());
    WriteFileOrThrow(path, "");
    EXPECT_EQ(ReadBytes(path), "");
    EXPECT_EQ(dir.names(), std::vector<std::string>{"a.desc"});
}

TEST(WriteFileSafely, FailedWriteLeavesTheOldFileWholeAndNoTemporaryFile)
{
    TempFolder dir;
    const std::string path = dir.write("a.desc", "old contents\r\n");
    for (long long after : {0LL, 3LL, 1LL << 20}) {
        test::WriteFailure full(after, test::kDiskFull);
        try {
            WriteFileOrThrow(path, std::string(3u << 20, 'n'));
            FAIL() << "no error after " << after;
        } catch (const DravikError& e) {
            EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + path + "\". " + Reason(test::kDiskFull));
        }
        EXPECT_EQ(ReadBytes(path), "old contents\r\n");
        EXPECT_EQ(dir.names(), std::vector<std::string>{"a.desc"});
    }
    {
        test::WriteFailure full(0, test::kDiskFull);
        FileError err;
        EXPECT_FALSE(WriteFileSafely(dir.file("new.desc"), "x", err));
        EXPECT_EQ(err.code, test::kDiskFull);
    }
    EXPECT_EQ(dir.names(), std::vector<std::string>{"a.desc"}) << "a failed new file is not created";
    WriteFileOrThrow(path, "after");  // the seam is off again
    EXPECT_EQ(ReadBytes(path), "after");
}

TEST(WriteFileSafely, RefusesAFolderAndAMissingFolder)
{
    TempFolder dir;
    fs::create_directory(dir.path() / "sub");
    FileError err;
    EXPECT_FALSE(WriteFileSafely(dir.file("sub"), "x", err));
    EXPECT_EQ(err.reason, Reason(test::kIsAFolder));
    EXPECT_TRUE(fs::is_directory(dir.path() / "sub"));
    EXPECT_FALSE(WriteFileSafely((dir.path() / "nowhere" / "a.desc").string(), "x", err));
    EXPECT_EQ(err.code, test::kFolderNotFound);
    EXPECT_EQ(dir.names(), std::vector<std::string>{"sub"});
}

#ifndef _WIN32
mode_t ModeOf(const std::string& path)
{
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0);
    return info.st_mode & 07777;
}

TEST(WriteFileSafely, KeepsThePermissionBits)
{
    TempFolder dir;
    for (mode_t mode : {0600, 0640, 0755, 0604}) {
        const std::string path = dir.write("m.desc", "old");
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        WriteFileOrThrow(path, "new");
        EXPECT_EQ(ModeOf(path), mode);
        EXPECT_EQ(ReadBytes(path), "new");
    }
}

TEST(WriteFileSafely, ALinkStaysALinkAndItsTargetGetsTheBytes)
{
    TempFolder dir;
    const std::string target = dir.write("real.desc", "old");
    fs::create_symlink("real.desc", dir.path() / "link.desc");
    WriteFileOrThrow(dir.file("link.desc"), "new");
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.desc"));
    EXPECT_EQ(ReadBytes(target), "new");
}

TEST(WriteFileSafely, AReadOnlyFileIsRefused)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write any file";
    TempFolder dir;
    const std::string path = dir.write("ro.desc", "old");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    try {
        WriteFileOrThrow(path, "new");
        FAIL() << "no error";
    } catch (const DravikError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + path + "\". " + Reason(EACCES));
    }
    EXPECT_EQ(ReadBytes(path), "old");
}
#endif

struct TextFileErrorCase {
    int code;
    std::string message;
};

class TextFileErrors : public ::testing::TestWithParam<TextFileErrorCase> {};

TEST_P(TextFileErrors, Message)
{
    EXPECT_EQ(TextFileErrorMessage(FileError{GetParam().code, Reason(GetParam().code)}), GetParam().message);
}

#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(
    Windows, TextFileErrors,
    ::testing::Values(TextFileErrorCase{ERROR_FILE_NOT_FOUND, "File not found"},
                      TextFileErrorCase{ERROR_PATH_NOT_FOUND, "Invalid filename"},
                      TextFileErrorCase{ERROR_INVALID_NAME, "Invalid filename"},
                      TextFileErrorCase{ERROR_ACCESS_DENIED, "File access denied"},
                      TextFileErrorCase{ERROR_SHARING_VIOLATION, "File access denied"},
                      TextFileErrorCase{ERROR_DISK_FULL, "Disk full"},
                      TextFileErrorCase{ERROR_HANDLE_DISK_FULL, "Disk full"},
                      TextFileErrorCase{ERROR_TOO_MANY_OPEN_FILES, "Too many open files"},
                      TextFileErrorCase{ERROR_CRC, "I/O error 23"}));
#else
INSTANTIATE_TEST_SUITE_P(
    Posix, TextFileErrors,
    ::testing::Values(TextFileErrorCase{ENOENT, "File not found"}, TextFileErrorCase{EACCES, "File access denied"},
                      TextFileErrorCase{EISDIR, "File access denied"}, TextFileErrorCase{ENOSPC, "Disk full"},
                      TextFileErrorCase{ENAMETOOLONG, "Invalid filename"},
                      TextFileErrorCase{EMFILE, "Too many open files"}, TextFileErrorCase{EIO, "I/O error 5"}));
#endif

struct BoxCase {
    std::string message;
    std::string text;
};

class ErrorBox : public ::testing::TestWithParam<BoxCase> {};

TEST_P(ErrorBox, FullStopOnlyAfterCharactersSortingAfterTheStop)
{
    EXPECT_EQ(ErrorBoxText(GetParam().message), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ErrorBox,
    ::testing::Values(BoxCase{"File not found", "File not found."}, BoxCase{"ends.", "ends."},
                      BoxCase{"I/O error 5", "I/O error 5."}, BoxCase{"dash-", "dash-"},
                      BoxCase{"slash/", "slash/."}, BoxCase{"quote'", "quote'"},
                      BoxCase{"'2 ' is not a valid integer value", "'2 ' is not a valid integer value."},
                      BoxCase{"blank ", "blank "}, BoxCase{"\xE0", "\xE0."}, BoxCase{"", ""}));

}  // namespace
}  // namespace dravik
