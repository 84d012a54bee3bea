// A system crash right after the writes: the file system is shut down the way
// a power cut leaves it (the journal as committed, unflushed data lost), then
// mounted again. Every file must read wholly old or wholly new, and everything
// a finished command wrote must be there.
//
// Needs a scratch ext4 file system on a loop device, so root, a loop device and
// mkfs.ext4 (e2fsprogs); elsewhere the test says why it skips.
#include "core/files/file_io.h"
#include "core/files/settings_file.h"
#include "core/exchange/table_text_file.h"
#include "core/document/desc_document.h"
#include "tests/core/test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#ifdef __linux__
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <linux/loop.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <unistd.h>
#endif

namespace dravik {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempFolder;

#ifdef __linux__

// From the kernel's fs/ext4/ext4.h: shut down after committing the journal,
// without writing back dirty data.
constexpr unsigned long kExt4ShutDown = _IOR('X', 125, unsigned int);
constexpr unsigned int kGoingFlagsLogFlush = 0x1;

// A small ext4 file system in an image file, mounted on a loop device.
class ScratchExt4 {
public:
    explicit ScratchExt4(const fs::path& folder) : image_(folder / "disk.img"), at_(folder / "mnt") {}
    ~ScratchExt4()
    {
        if (mounted_)
            ::umount2(at_.c_str(), MNT_DETACH);
        if (loop_ >= 0)
            ::close(loop_);  // the loop device clears itself when closed
    }

    // Empty when mounted, else why not.
    std::string setUp()
    {
        if (::geteuid() != 0)
            return "needs root to attach a loop device and mount ext4";
        const char* mkfs = nullptr;
        for (const char* candidate : {"/usr/sbin/mkfs.ext4", "/sbin/mkfs.ext4"})
            if (::access(candidate, X_OK) == 0)
                mkfs = candidate;
        if (!mkfs)
            return "mkfs.ext4 not found (e2fsprogs)";
        fs::create_directories(at_);
        {
            const int image = ::open(image_.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
            if (image < 0 || ::ftruncate(image, 64 << 20) != 0)
                return "cannot make the disk image: " + std::string(std::strerror(errno));
            ::close(image);
        }
        const std::string command = std::string(mkfs) + " -q -F '" + image_.string() + "' >/dev/null 2>&1";
        if (std::system(command.c_str()) != 0)
            return "mkfs.ext4 failed on " + image_.string();
        if (std::string why = attachLoop(); !why.empty())
            return why;
        return mount();
    }

    const fs::path& root() const { return at_; }

    // Flushes the journal, then stops the file system as a power cut would:
    // dirty data in memory never reaches the disk.
    std::string cutPower()
    {
        const int fd = ::open(at_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        unsigned int flags = kGoingFlagsLogFlush;
        const bool ok = fd >= 0 && ::ioctl(fd, kExt4ShutDown, &flags) == 0;
        const std::string why = ok ? "" : "EXT4_IOC_SHUTDOWN: " + std::string(std::strerror(errno));
        if (fd >= 0)
            ::close(fd);
        return why;
    }

    std::string remount()
    {
        if (::umount2(at_.c_str(), 0) != 0)
            return "umount: " + std::string(std::strerror(errno));
        mounted_ = false;
        return mount();
    }

private:
    std::string attachLoop()
    {
        const int control = ::open("/dev/loop-control", O_RDWR | O_CLOEXEC);
        if (control < 0)
            return "no loop devices here (/dev/loop-control: " + std::string(std::strerror(errno)) + ")";
        const int image = ::open(image_.c_str(), O_RDWR | O_CLOEXEC);
        std::string why;
        // Other processes may take the free device first.
        for (int attempt = 0; attempt < 10 && loop_ < 0; ++attempt) {
            const int number = ::ioctl(control, LOOP_CTL_GET_FREE);
            if (number < 0) {
                why = "no free loop device: " + std::string(std::strerror(errno));
                break;
            }
            device_ = "/dev/loop" + std::to_string(number);
            const int loop = ::open(device_.c_str(), O_RDWR | O_CLOEXEC);
            if (loop < 0) {
                why = device_ + ": " + std::strerror(errno);
                break;
            }
            if (::ioctl(loop, LOOP_SET_FD, image) == 0) {
                loop_ = loop;
                loop_info64 info{};
                info.lo_flags = LO_FLAGS_AUTOCLEAR;
                ::ioctl(loop_, LOOP_SET_STATUS64, &info);
            } else {
                why = "cannot attach " + device_ + ": " + std::strerror(errno);
                ::close(loop);
            }
        }
        ::close(image);
        ::close(control);
        return loop_ >= 0 ? "" : why;
    }

    // Without ext4's guess that a renamed file wants its data first
    // (auto_da_alloc), as on file systems that make no such guess: only the
    // program's own flushes keep the data.
    std::string mount()
    {
        if (::mount(device_.c_str(), at_.c_str(), "ext4", 0, "noauto_da_alloc") != 0)
            return "cannot mount ext4 from " + device_ + ": " + std::strerror(errno);
        mounted_ = true;
        return "";
    }

    fs::path image_;
    fs::path at_;
    std::string device_;
    int loop_ = -1;
    bool mounted_ = false;
};

constexpr int kFiles = 200;

std::string Filler(int i)
{
    std::string text;
    for (int k = 0; k < 40 + i % 50; ++k)
        text += "; line " + std::to_string(k) + " of unit " + std::to_string(i) + ", kept as it stands\r\n";
    return text;
}
std::string OldText(int i) { return "hp " + std::to_string(i) + " 5\r\n" + Filler(i) + "name T-" + std::to_string(i) + "\r\n"; }
std::string NewText(int i) { return "hp  " + std::to_string(1000 + i) + " 5 \r\n" + Filler(i) + "name  T-" + std::to_string(i) + " \r\n"; }

TEST(PowerCut, AfterSaveAllEveryFileIsWhollyNew)
{
    TempFolder dir;
    ScratchExt4 disk(dir.path());
    if (const std::string why = disk.setUp(); !why.empty())
        GTEST_SKIP() << why;

    const fs::path units = disk.root() / "units";
    fs::create_directories(units);
    std::vector<std::string> paths;
    for (int i = 0; i < kFiles; ++i) {
        paths.push_back((units / ("unit" + std::to_string(i) + ".desc")).string());
        test::WriteBytes(paths.back(), OldText(i));
    }
    const std::string table = (disk.root() / "table.txt").string();
    const std::string vars = (disk.root() / "variables.var").string();
    const std::string ini = (disk.root() / "DRAVIK2.INI").string();
    test::WriteBytes(table, "old table\r\n");
    test::WriteBytes(vars, "; old\r\n");
    test::WriteBytes(ini, "[Other]\r\nGamePath=old\r\n");
    ::sync();  // the old files are on the disk before the test begins

    DescDocument ws(test::Cyrillic());
    ws.startUp();
    ws.setVariablesText(TextLines{{"[section1]", "hp =2", "[section_text]", "name =1"}, true});
    ws.openDesc(paths);
    for (int r = 1; r <= kFiles; ++r)
        ws.setCell(dravik::GridNumber(1), 2, r, std::to_string(1000 + r - 1));
    ws.saveAll();
    // The single writes: the table text file, the variables file, the settings.
    Grid grid(2, 1);
    grid.setCell(0, 0, "new");
    GridToTextFile(grid, table);
    ws.saveVariables(vars);
    ASSERT_TRUE(SettingsFile(ini).writeString("Other", "GamePath", "new"));

    ASSERT_EQ(disk.cutPower(), "");
    ASSERT_EQ(disk.remount(), "");

    int sawNew = 0, sawOld = 0, torn = 0;
    for (int i = 0; i < kFiles; ++i) {
        const std::string now = ReadBytes(paths[static_cast<size_t>(i)]);
        if (now == NewText(i))
            ++sawNew;
        else if (now == OldText(i))
            ++sawOld;
        else
            ++torn;
    }
    std::printf("[ power cut] %d files after Save all: %d new, %d old, %d torn\n", kFiles, sawNew, sawOld, torn);
    EXPECT_EQ(torn, 0) << "files neither old nor new (a NUL-filled file is the typical loss)";
    EXPECT_EQ(sawNew, kFiles) << "Save all had finished before the power cut";
    EXPECT_EQ(ReadBytes(table), "new\t\t\r\n");
    EXPECT_EQ(ReadBytes(vars), "[section1]\r\nhp =2\r\n[section_text]\r\nname =1\r\n");
    EXPECT_EQ(ReadBytes(ini), "[Other]\r\nGamePath=new\r\n");
}

#else

TEST(PowerCut, AfterSaveAllEveryFileIsWhollyNew)
{
    GTEST_SKIP() << "needs Linux: an ext4 loop device and EXT4_IOC_SHUTDOWN simulate the power cut";
}

#endif

}  // namespace
}  // namespace dravik
