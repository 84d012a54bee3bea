#include "core/files/file_io.h"

#include "core/errors.h"
#include "core/exchange/table_text_file.h"
#include "tests/core/test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace dravik {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::Reason;
using test::TempFolder;

std::vector<std::string> NamesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

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

// ---- Writing many files at once ----

TEST(DurableWriteBatch, NothingChangesBeforeCommitAndADiscardLeavesNoTrace)
{
    TempFolder dir;
    const std::string a = dir.write("a.desc", "old a");
    const std::string b = dir.file("b.desc");
    {
        DurableWriteBatch batch;
        batch.addOrThrow(a, "new a");
        batch.addOrThrow(b, "new b");
        batch.addOrThrow(a, "newer a");
        EXPECT_EQ(ReadBytes(a), "old a");
        EXPECT_FALSE(fs::exists(b));
        batch.commitOrThrow();
        EXPECT_TRUE(batch.empty());
    }
    EXPECT_EQ(ReadBytes(a), "newer a");
    EXPECT_EQ(ReadBytes(b), "new b");
    {
        DurableWriteBatch batch;
        batch.addOrThrow(a, "dropped");
    }
    EXPECT_EQ(ReadBytes(a), "newer a");
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"a.desc", "b.desc"}));
}

TEST(DurableWriteBatch, AFailureInCommitKeepsTheEarlierFilesAndLeavesTheLaterOnesWhole)
{
    TempFolder dir;
    fs::create_directory(dir.path() / "one");
    fs::create_directory(dir.path() / "two");
    const std::string first = dir.write("one/1.desc", "old 1");
    const std::string second = dir.write("two/2.desc", "old 2");
    const std::string third = dir.write("one/3.desc", "old 3");
    DurableWriteBatch batch;
    for (const auto& path : {first, second, third})
        batch.addOrThrow(path, "new");
    // The folder goes once the new files are written, before its file is put in place.
    SetBeforeReplacingForTesting([&](const std::string& path) {
        if (path == second)
            fs::remove_all(dir.path() / "two");
    });
    FileError err;
    EXPECT_FALSE(batch.commit(err));
    SetBeforeReplacingForTesting({});
    EXPECT_EQ(batch.failedPath(), second);
    EXPECT_EQ(err.code, test::kFolderNotFound);
    EXPECT_EQ(batch.replaced(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(ReadBytes(first), "new");
    EXPECT_EQ(ReadBytes(third), "old 3");
    EXPECT_EQ(NamesIn(dir.path() / "one"), (std::vector<std::string>{"1.desc", "3.desc"}));
}

// Another program that takes no lock saves one of the files while the batch
// writes: found once every new file is written, nothing is replaced; found
// right before the file's own replacement, that file is left and the others
// are written. A file with a second name is rewritten in place, and checked
// as well.
TEST(DurableWriteBatch, AFileChangedSinceItWasReadIsNeverWrittenOver)
{
    TempFolder dir;
    const std::string a = dir.file("a.desc"), b = dir.file("b.desc"), c = dir.file("c.desc");
    const std::vector<std::string> paths = {a, b, c};
    struct Case {
        std::string changed;  // the file another program saves
        bool beforeAnyRename;
        std::vector<bool> replaced;
    };
    for (const Case& when : {Case{b, true, {false, false, false}}, Case{b, false, {true, false, true}},
                             Case{c, false, {true, true, false}}}) {
        for (const std::string& path : paths)
            test::WriteBytes(path, "old");
        fs::remove(dir.file("c-link.desc"));
        fs::create_hard_link(c, dir.file("c-link.desc"));
        DurableWriteBatch batch;
        FileError err;
        for (const std::string& path : paths)
            ASSERT_TRUE(batch.add(path, "new", err, [](std::string_view now) { return now == "old"; })) << err.reason;
        SetBeforeReplacingForTesting([&](const std::string& path) {
            if (path == (when.beforeAnyRename ? std::string() : when.changed))
                test::WriteBytes(when.changed, "another program's");
        });
        EXPECT_FALSE(batch.commit(err));
        SetBeforeReplacingForTesting({});
        EXPECT_EQ(batch.failedPath(), "");
        EXPECT_EQ(batch.changed(), std::vector<std::string>{when.changed});
        EXPECT_EQ(batch.replaced(), when.replaced);
        for (size_t i = 0; i < paths.size(); ++i)
            EXPECT_EQ(ReadBytes(paths[i]), paths[i] == when.changed ? "another program's" : when.replaced[i] ? "new" : "old")
                << paths[i];
        EXPECT_EQ(dir.names(), (std::vector<std::string>{"a.desc", "b.desc", "c-link.desc", "c.desc"}));
    }
}

// ---- What a rename would take from the user ----

TEST(WriteFileSafely, AHardLinkedFileIsRewrittenInPlaceAndAFailureRestoresIt)
{
    TempFolder dir;
    const std::string path = dir.write("a.desc", "old text");
    fs::create_hard_link(path, dir.path() / "b.desc");
    WriteFileOrThrow(path, "new, longer text");
    EXPECT_EQ(ReadBytes(dir.file("b.desc")), "new, longer text");
    {
        test::WriteFailure full(3, test::kDiskFull);
        FileError err;
        EXPECT_FALSE(WriteFileSafely(path, "something else entirely", err));
        EXPECT_EQ(err.code, test::kDiskFull);
    }
    EXPECT_EQ(ReadBytes(dir.file("b.desc")), "new, longer text");
    WriteFileOrThrow(dir.file("b.desc"), "short");
    EXPECT_EQ(ReadBytes(path), "short");
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"a.desc", "b.desc"})) << "no backup or temporary file left";
}

#ifndef _WIN32
TEST(WriteFileSafely, KeepsOwnerAndGroupWhenRunAsRoot)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a file to another user; not root here";
    TempFolder dir;
    const std::string path = dir.write("a.desc", "old");
    ASSERT_EQ(::chown(path.c_str(), 4321, 4322), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    WriteFileOrThrow(path, "new");
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 4321u);
    EXPECT_EQ(info.st_gid, 4322u);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadBytes(path), "new");
}

// A user who may write a file but not its folder, or whose rename could not
// keep the file's owner, still saves it; the file keeps its inode and owner.
TEST(WriteFileSafely, AWritableFileInAReadOnlyFolderOrOfAnotherOwnerIsSaved)
{
    TempFolder dir;
    fs::create_directory(dir.path() / "ro");
    fs::create_directory(dir.path() / "shared");
    const std::string inReadOnly = dir.write("ro/a.desc", "old a");
    const std::string othersFile = dir.write("shared/b.desc", "old b");
    const bool root = ::geteuid() == 0;
    uid_t user = ::geteuid();
    gid_t group = ::getegid();
    if (root) {
        const passwd* nobody = ::getpwnam("nobody");
        user = nobody ? nobody->pw_uid : 65534;
        group = nobody ? nobody->pw_gid : 65534;
        ASSERT_EQ(::chown(inReadOnly.c_str(), user, group), 0);
        ASSERT_EQ(::chmod(othersFile.c_str(), 0666), 0);  // root's, writable by all
        ASSERT_EQ(::chmod((dir.path() / "shared").c_str(), 0777), 0);
    }
    ASSERT_EQ(::chmod((dir.path() / "ro").c_str(), 0555), 0);
    struct stat before {};
    ASSERT_EQ(::stat(inReadOnly.c_str(), &before), 0);

    auto save = [&] {
        FileError err;
        bool ok = WriteFileSafely(inReadOnly, "new a, longer", err);
        if (ok && root)
            ok = WriteFileSafely(othersFile, "new b", err);
        if (!ok)
            std::fprintf(stderr, "%s\n", err.reason.c_str());
        return ok;
    };
    if (root) {
        // As an ordinary user: root may write any folder.
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            ::_exit(::setgid(group) == 0 && ::setuid(user) == 0 && save() ? 0 : 1);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    } else {
        EXPECT_TRUE(save());
    }
    ::chmod((dir.path() / "ro").c_str(), 0755);
    struct stat after {};
    ASSERT_EQ(::stat(inReadOnly.c_str(), &after), 0);
    EXPECT_EQ(ReadBytes(inReadOnly), "new a, longer");
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_uid, user);
    EXPECT_EQ(NamesIn(dir.path() / "ro"), std::vector<std::string>{"a.desc"});
    if (root) {
        ASSERT_EQ(::stat(othersFile.c_str(), &after), 0);
        EXPECT_EQ(ReadBytes(othersFile), "new b");
        EXPECT_EQ(after.st_uid, 0u) << "the file stays root's";
        EXPECT_EQ(NamesIn(dir.path() / "shared"), std::vector<std::string>{"b.desc"});
    }
}

// ---- Files that are not regular files ----

TEST(NonRegularFiles, AreNeverReadAndNeverReplaced)
{
    TempFolder dir;
    const std::string fifo = dir.file("pipe.desc");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    // A socket cannot even be opened; it is named for what it is all the same.
    const std::string socketPath = dir.file("socket.desc");
    const int listening = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    socketPath.copy(address.sun_path, socketPath.size());
    ASSERT_EQ(::bind(listening, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& path : {fifo, std::string("/dev/zero"), socketPath}) {
        try {
            ReadFileOrThrow(path);
            ADD_FAILURE() << path << " was read";
        } catch (const DravikError& e) {
            EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + path + "\". Not a regular file");
        }
    }
    // A FIFO nobody reads is refused at once; one with a reader gets the bytes.
    FileError err;
    EXPECT_FALSE(WriteFileSafely(fifo, "table", err));
    EXPECT_EQ(err.code, ENXIO);
    EXPECT_EQ(TextFileErrorMessage(err), "No program is reading from the FIFO");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << "no wait for a writer or reader";
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_TRUE(WriteFileSafely(fifo, "table", err)) << err.reason;
    char got[16] = {};
    EXPECT_EQ(::read(reader, got, sizeof got), 5);
    ::close(reader);
    EXPECT_EQ(std::string(got), "table");
    EXPECT_TRUE(fs::is_fifo(fifo));

    // A device is written into and stays a device. Our own null device when
    // root may make one, so that a fault never replaces the system's.
    std::string device = dir.file("null");
    if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        device = "/dev/null";
    EXPECT_TRUE(WriteFileSafely(device, "table", err)) << err.reason;
    EXPECT_TRUE(fs::is_character_file(device));
    std::vector<std::string> names{"pipe.desc", "socket.desc"};
    if (device != "/dev/null")
        names.insert(names.begin(), "null");
    EXPECT_EQ(dir.names(), names);

    // A table (--out) is refused by a socket or a block device for what they are.
    std::string block = dir.file("disk");
    if (::mknod(block.c_str(), S_IFBLK | 0600, makedev(7, 0)) != 0)
        block.clear();
    for (const std::string& path : {socketPath, block}) {
        if (path.empty())
            continue;
        try {
            WriteTableTextFile("table", path);
            ADD_FAILURE() << path << " was written";
        } catch (const DravikError& e) {
            EXPECT_EQ(std::string(e.what()), "Not a regular file") << path;
        }
    }
    ::close(listening);
}

// A table written into a FIFO (or /dev/null) goes a piece at a time, each
// piece on its way before the next is made: never held whole.
TEST(NonRegularFiles, ADeviceTakesEachPieceAsItIsMade)
{
    TempFolder dir;
    const std::string fifo = dir.file("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    ::fcntl(reader, F_SETFL, ::fcntl(reader, F_GETFL) & ~O_NONBLOCK);
    std::atomic<size_t> received{0};
    std::atomic<bool> writerDone{false};
    std::thread reading([&] {
        char buffer[65536];
        for (;;) {
            const ssize_t got = ::read(reader, buffer, sizeof buffer);
            if (got > 0)
                received += static_cast<size_t>(got);
            else if (got < 0 || received > 0 || writerDone)
                break;  // the writer has gone
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(1));  // not there yet
        }
    });
    constexpr size_t kPiece = size_t{1} << 20;
    const std::string piece(kPiece, 'x');
    std::vector<size_t> receivedBeforePiece;
    FileError err;
    const bool written = WriteFileSafely(
        fifo,
        [&](const PieceWriter& put) {
            for (int i = 0; i < 4; ++i) {
                receivedBeforePiece.push_back(received);
                if (!put(piece))
                    return false;
            }
            return true;
        },
        err);
    writerDone = true;
    EXPECT_TRUE(written) << err.reason;
    // The FIFO holds far less than a piece: the reader had the first piece
    // before the second was made.
    ASSERT_EQ(receivedBeforePiece.size(), 4u);
    EXPECT_GT(receivedBeforePiece[1], 0u);
    EXPECT_GE(receivedBeforePiece[3], 2 * kPiece);
    reading.join();
    ::close(reader);
    EXPECT_EQ(received, 4 * kPiece);
}
#endif

#ifdef _WIN32
TEST(NonRegularFiles, AreNeverReadAndNeverReplaced)
{
    try {
        ReadFileOrThrow("NUL");
        ADD_FAILURE() << "NUL was read";
    } catch (const DravikError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file \"NUL\". Not a regular file");
    }
    FileError err;
    EXPECT_TRUE(WriteFileSafely("NUL", "table", err)) << err.reason;
}
#endif

// ---- The files written beside a target ----

TEST(WriteFileSafely, StraysWithTheNamesOfItsOwnFilesDoNotBlockIt)
{
    TempFolder dir;
    const std::string path = dir.write("a.desc", "old");
    const std::string victim = dir.write("victim.txt", "keep");
    // A killed earlier run of a process with the same id and clock left its
    // files behind: the names this one is about to try.
    const auto names = RestartTemporaryNamesForTesting(42, 3);
    test::WriteBytes(dir.file(names[0]), "stray");
    fs::create_directory(dir.path() / names[1]);
#ifndef _WIN32
    fs::create_symlink(victim, dir.path() / names[2]);
#endif
    RestartTemporaryNamesForTesting(42, 0);
    WriteFileOrThrow(path, "new");
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_EQ(ReadBytes(dir.file(names[0])), "stray");
    EXPECT_EQ(ReadBytes(victim), "keep");
    EXPECT_EQ(ReadFileOrThrow(path), "new");
}

TEST(WriteFileSafely, ANameAsLongAsTheFileSystemAllowsIsSaved)
{
    TempFolder dir;
#ifdef _WIN32
    // The whole path must stay within MAX_PATH.
    const size_t length = std::min<size_t>(250, 259 - dir.path().string().size() - 1);
#else
    const size_t length = 250;
#endif
    const std::string name = std::string(length - 5, 'n') + ".desc";
    const std::string path = dir.write(name, "old");
    WriteFileOrThrow(path, "new");
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_EQ(dir.names(), std::vector<std::string>{name});
}

struct TextFileErrorCase {
    int code;
    std::string message;
};

class TextFileErrors : public ::testing::TestWithParam<TextFileErrorCase> {};

TEST_P(TextFileErrors, Message)
{
    EXPECT_EQ(TextFileErrorMessage(FileError{GetParam().code, Reason(GetParam().code), {}}), GetParam().message);
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
