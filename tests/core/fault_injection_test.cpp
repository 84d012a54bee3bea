// Faults from outside the program: files that change under it between Open
// desc and Save all, folders and disks that refuse writes, a process killed in
// the middle of a save, and inputs far larger or stranger than any real one.
// Every case must end in the command's message, never a crash, a hang or a
// file that silently lost bytes.
#include "app/batch_command.h"
#include "core/errors.h"
#include "core/files/file_io.h"
#include "core/schema/schema.h"
#include "core/files/settings_file.h"
#include "core/exchange/table_exchange.h"
#include "core/exchange/table_text_file.h"
#include "core/document/desc_document.h"
#include "tests/core/exchange/table_text_of.h"
#include "tests/core/test_files.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <sstream>

#ifndef _WIN32
#include <csignal>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace dravik {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using test::ReadBytes;
using test::Reason;
using test::TempFolder;

bool IsTemporaryName(const std::string& name)
{
    const size_t mark = name.find(".dravik-");
    return mark != std::string::npos && name.size() > 4 && name.compare(name.size() - 4, 4, ".tmp") == 0;
}

std::vector<std::string> StrayTemporaries(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (IsTemporaryName(entry.path().filename().string()))
            names.push_back(entry.path().string());
    return names;
}

template <typename Command>
std::string ErrorOf(Command command)
{
    try {
        command();
    } catch (const DravikError& e) {
        return e.what();
    }
    return "no error";
}

class Faults : public ::testing::Test {
protected:
    Faults() : ws(test::Cyrillic()) { ws.startUp(); }

    void vars(Lines lines) { ws.setVariablesText(TextLines{std::move(lines), true}); }
    void schema() { vars({"[section1]", "hp =2", "[section_text]", "name =1"}); }
    // Three opened files, each with an edited hp value waiting to be saved.
    std::vector<std::string> openThreeAndEdit(const fs::path& folder)
    {
        schema();
        std::vector<std::string> paths;
        for (int i = 1; i <= 3; ++i) {
            const std::string path = (folder / ("u" + std::to_string(i) + ".desc")).string();
            test::WriteBytes(path, old(i));
            paths.push_back(path);
        }
        ws.openDesc(paths);
        for (int r = 1; r <= 3; ++r)
            ws.setCell(dravik::GridNumber(1), 2, r, "99");
        return paths;
    }
    static std::string old(int i) { return "hp " + std::to_string(i) + " 5\r\nname T-" + std::to_string(i) + "\r\n"; }
    static std::string edited(int i) { return "hp  99 5 \r\nname  T-" + std::to_string(i) + " \r\n"; }

    TempFolder dir;
    DescDocument ws;
};

// --- Files that change between Open desc and Save all ---------------------

TEST_F(Faults, AVanishedFileStopsTheSaveBeforeAnythingIsWritten)
{
    const auto paths = openThreeAndEdit(dir.path());
    fs::remove(paths[1]);
    EXPECT_EQ(ErrorOf([&] { ws.saveAll(); }), "Cannot open file \"" + paths[1] + "\". " + Reason(ENOENT));
    EXPECT_EQ(ReadBytes(paths[0]), old(1));
    EXPECT_FALSE(fs::exists(paths[1]));
    EXPECT_EQ(ReadBytes(paths[2]), old(3));
    EXPECT_TRUE(StrayTemporaries(dir.path()).empty());
    // The preview still holds the current file's text, not a stranger's.
    EXPECT_EQ(ws.currentDescFile(), paths[2]);
    EXPECT_EQ(ws.descText(), SplitLines(old(3)));
}

TEST_F(Faults, AFileTurnedIntoAFolderOrADanglingLinkIsReportedAndLeftAlone)
{
    const auto paths = openThreeAndEdit(dir.path());
    fs::remove(paths[0]);
    fs::create_directory(paths[0]);
    test::WriteBytes(paths[0] + "/inside", "kept");
    EXPECT_EQ(ErrorOf([&] { ws.saveAll(); }), "Cannot open file \"" + paths[0] + "\". " + Reason(test::kIsAFolder));
    EXPECT_EQ(ReadBytes(paths[0] + "/inside"), "kept");
    EXPECT_EQ(ReadBytes(paths[1]), old(2));

#ifndef _WIN32
    fs::remove_all(paths[0]);
    test::WriteBytes(paths[0], old(1));
    fs::remove(paths[1]);
    fs::create_symlink(dir.file("nowhere.desc"), paths[1]);
    EXPECT_EQ(ErrorOf([&] { ws.saveAll(); }), "Cannot open file \"" + paths[1] + "\". " + Reason(ENOENT));
    EXPECT_EQ(ReadBytes(paths[0]), old(1));
    EXPECT_TRUE(fs::is_symlink(paths[1]));
    EXPECT_FALSE(fs::exists(dir.file("nowhere.desc")));
    EXPECT_EQ(ReadBytes(paths[2]), old(3));
#endif
    EXPECT_TRUE(StrayTemporaries(dir.path()).empty());
}

TEST_F(Faults, AFailingWriteKeepsTheOldFileWholeWhereverItFails)
{
    const auto paths = openThreeAndEdit(dir.path());
    for (long long after : {0LL, 1LL, 7LL, 20LL}) {
#ifdef _WIN32
        const std::initializer_list<int> codes = {112 /* disk full */, 29 /* write fault */, 39 /* handle disk full */};
#else
        const std::initializer_list<int> codes = {ENOSPC, EIO, EDQUOT};
#endif
        for (int code : codes) {
            test::WriteFailure failure(after, code);
            EXPECT_EQ(ErrorOf([&] { ws.saveAll(); }), "Cannot create file \"" + paths[0] + "\". " + Reason(code));
            for (int i = 1; i <= 3; ++i)
                EXPECT_EQ(ReadBytes(paths[static_cast<size_t>(i) - 1]), old(i)) << after << " " << code;
            EXPECT_TRUE(StrayTemporaries(dir.path()).empty());
        }
    }
    ws.saveAll();  // the disk is back: nothing was lost in between
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(ReadBytes(paths[static_cast<size_t>(i) - 1]), edited(i));
}

TEST_F(Faults, ATableWrittenInPiecesIsWholeOrNotWrittenAtAll)
{
    // Several megabytes: the table text file is written a piece at a time.
    Grid big(30, 30000);
    for (int r = 0; r < big.rowCount(); ++r)
        for (int c = 0; c < big.colCount(); ++c)
            big.setCell(c, r, std::to_string(r * c));
    const std::string path = (dir.path() / "t.txt").string();
    test::WriteBytes(path, "old table\r\n");
    {
#ifdef _WIN32
        const int diskFull = 112;
#else
        const int diskFull = ENOSPC;
#endif
        test::WriteFailure failure(3 << 20, diskFull);  // within a later piece
        EXPECT_EQ(ErrorOf([&] { GridToTextFile(big, path); }), "Disk full");
    }
    EXPECT_EQ(ReadBytes(path), "old table\r\n");
    EXPECT_TRUE(StrayTemporaries(dir.path()).empty());
    GridToTextFile(big, path);
    EXPECT_EQ(ReadBytes(path), test::TableTextOf(big));
}

TEST_F(Faults, AFolderRemovedAfterTheLoadFailsCleanly)
{
#ifdef _WIN32
    const int kNotAFolder = test::kFolderNotFound;
#else
    const int kNotAFolder = ENOTDIR;
#endif
    fs::create_directory(dir.path() / "units");
    const auto paths = openThreeAndEdit(dir.path() / "units");
    ws.selectFileListRow(2);
    fs::remove_all(dir.path() / "units");
    EXPECT_EQ(ErrorOf([&] { ws.saveAll(); }), "Cannot open file \"" + paths[0] + "\". " + Reason(test::kFolderNotFound));
    EXPECT_EQ(ErrorOf([&] { ws.saveCurrent(); }), "Cannot create file \"" + paths[1] + "\". " + Reason(test::kFolderNotFound));
    EXPECT_FALSE(fs::exists(dir.path() / "units"));

    // A folder that became a file in the meantime.
    test::WriteBytes((dir.path() / "units").string(), "a file now");
    EXPECT_EQ(ErrorOf([&] { ws.saveCurrent(); }), "Cannot create file \"" + paths[1] + "\". " + Reason(kNotAFolder));
    EXPECT_EQ(ReadBytes((dir.path() / "units").string()), "a file now");
}

#ifndef _WIN32

// A small tmpfs of our own, when this system lets the tests mount one.
class SmallFileSystem {
public:
    SmallFileSystem(const fs::path& at, const std::string& options) : at_(at)
    {
        fs::create_directories(at);
        if (::mount("dravik-test", at.c_str(), "tmpfs", 0, options.c_str()) == 0)
            mounted_ = true;
        else
            why_ = std::strerror(errno);
    }
    ~SmallFileSystem()
    {
        if (mounted_)
            ::umount2(at_.c_str(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }
    const std::string& why() const { return why_; }
    bool remount(unsigned long flags, const std::string& options)
    {
        return ::mount("dravik-test", at_.c_str(), "tmpfs", MS_REMOUNT | flags, options.c_str()) == 0;
    }

private:
    fs::path at_;
    bool mounted_ = false;
    std::string why_;
};

TEST_F(Faults, AFolderThatTurnsReadOnlyRefusesEveryWriteAndKeepsTheFiles)
{
    SmallFileSystem disk(dir.path() / "ro", "size=256k");
    if (!disk.mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here (" << disk.why() << "); the write seam covers refused writes";
    const auto paths = openThreeAndEdit(dir.path() / "ro");
    ASSERT_TRUE(disk.remount(MS_RDONLY, "size=256k")) << std::strerror(errno);
    EXPECT_EQ(ErrorOf([&] { ws.saveAll(); }), "Cannot create file \"" + paths[0] + "\". " + Reason(EROFS));
    EXPECT_EQ(ErrorOf([&] { ws.saveVariables((dir.path() / "ro" / "v.var").string()); }),
              "Cannot create file \"" + (dir.path() / "ro" / "v.var").string() + "\". " + Reason(EROFS));
    ws.setCell(kSummaryGrid, 1, 1, "x");
    EXPECT_EQ(ErrorOf([&] { GridToTextFile(ws.summary(), (dir.path() / "ro" / "t.txt").string()); }), "File access denied");
    SettingsFile settings((dir.path() / "ro" / "DRAVIK2.INI").string());
    EXPECT_FALSE(settings.writeString("Other", "GamePath", "c:\\game.exe"));
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(ReadBytes(paths[static_cast<size_t>(i) - 1]), old(i));
    ASSERT_TRUE(disk.remount(0, "size=256k"));
    EXPECT_TRUE(StrayTemporaries(dir.path()).empty());
}

// A batch run writes all of its files or none, so that running it again
// applies its edit to each file once: a file it may not write is named
// before any other is written.
TEST_F(Faults, ABatchRefusesAFileItCannotWriteAndWritesNoOther)
{
    SmallFileSystem disk(dir.path() / "ro", "size=64k");
    if (!disk.mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here (" << disk.why() << ")";
    const std::string vars = dir.write("v.var", "[section1]\r\nhp =2\r\n");
    const std::string a = dir.write("a.desc", old(1));
    const std::string b = (dir.path() / "ro" / "b.desc").string();
    test::WriteBytes(b, old(2));
    ASSERT_TRUE(disk.remount(MS_RDONLY, "size=64k")) << std::strerror(errno);
    std::ostringstream out, err;
    EXPECT_EQ(RunBatchCommand({"set", "--vars", vars, "--key", "hp", "--expr", "+1", a, b}, out, err), 1);
    EXPECT_EQ(err.str(), "1 desc file cannot be saved:\n  Cannot create file \"" + b + "\". " + Reason(EROFS) +
                             "\nNothing was written.\n");
    EXPECT_EQ(ReadBytes(a), old(1));
    EXPECT_EQ(ReadBytes(b), old(2));
    ASSERT_TRUE(disk.remount(0, "size=64k"));
}

TEST_F(Faults, AFullDiskKeepsEveryOldFileWhole)
{
    SmallFileSystem disk(dir.path() / "full", "size=64k");
    if (!disk.mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here (" << disk.why() << "); the write seam covers a full disk";
    // One file that takes most of the disk: its new text cannot be written
    // beside it before the rename.
    schema();
    const std::string big = (dir.path() / "full" / "big.desc").string();
    std::string text = "hp 1 2\r\n";
    while (text.size() < 40 * 1024)
        text += "; filler line that the save must keep exactly as it stands\r\n";
    test::WriteBytes(big, text);
    const std::string small = (dir.path() / "full" / "small.desc").string();
    test::WriteBytes(small, "hp 3 4\r\n");
    ws.openDesc({small, big});
    ws.setCell(dravik::GridNumber(1), 2, 2, "7");
    // Nothing is written, the file that had room included: a second save,
    // once there is room, writes both.
    EXPECT_EQ(ErrorOf([&] { ws.saveAll(); }), "Cannot create file \"" + big + "\". " + Reason(ENOSPC));
    EXPECT_EQ(ReadBytes(small), "hp 3 4\r\n");
    EXPECT_EQ(ReadBytes(big), text);
    EXPECT_TRUE(ws.rowChanged(2));
    EXPECT_TRUE(StrayTemporaries(dir.path()).empty());

    // The table text file and the settings file on the same full disk.
    Grid wide(400, 40);
    for (int r = 0; r < 40; ++r)
        for (int c = 0; c < 400; ++c)
            wide.setCell(c, r, "cell");
    EXPECT_EQ(ErrorOf([&] { GridToTextFile(wide, (dir.path() / "full" / "t.txt").string()); }), "Disk full");
    EXPECT_FALSE(fs::exists(dir.path() / "full" / "t.txt"));
    const std::string ini = (dir.path() / "full" / "DRAVIK2.INI").string();
    test::WriteBytes(ini, "[Other]\r\nGamePath=c:\\g.exe\r\n");
    SettingsFile settings(ini);
    EXPECT_FALSE(settings.writeString("Other", "EditorPath", std::string(30 * 1024, 'x')));
    EXPECT_EQ(ReadBytes(ini), "[Other]\r\nGamePath=c:\\g.exe\r\n");
    EXPECT_TRUE(StrayTemporaries(dir.path()).empty());
}

// A run of relative edits on a disk that fills half way: nothing is written,
// so that the run, given room, adds its 1000 to every file once.
TEST_F(Faults, ABatchOnADiskThatFillsWritesNothingAndItsSecondRunAddsOnce)
{
    SmallFileSystem disk(dir.path() / "full", "size=256k");
    if (!disk.mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here (" << disk.why() << "); the write seam covers a full disk";
    const std::string vars = dir.write("v.var", "[section1]\r\nhp =1\r\n");
    // Each file takes a page of the 64: the files fit, their new copies do not.
    std::vector<std::string> args = {"set", "--vars", vars, "--key", "hp", "--expr", "+1000"};
    for (int i = 0; i < 40; ++i) {
        args.push_back((dir.path() / "full" / ("u" + std::to_string(i) + ".desc")).string());
        test::WriteBytes(args.back(), "hp " + std::to_string(i) + "\r\n");
    }
    std::ostringstream out, err;
    EXPECT_EQ(RunBatchCommand(args, out, err), 1);
    EXPECT_NE(err.str().find(Reason(ENOSPC) + "; nothing was written.\n"), std::string::npos) << err.str();
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(ReadBytes(args[static_cast<size_t>(7 + i)]), "hp " + std::to_string(i) + "\r\n");
    EXPECT_TRUE(StrayTemporaries(dir.path()).empty());

    ASSERT_TRUE(disk.remount(0, "size=1m")) << std::strerror(errno);
    EXPECT_EQ(RunBatchCommand(args, out, err), 0) << err.str();
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(ReadBytes(args[static_cast<size_t>(7 + i)]), "hp  " + std::to_string(i + 1000) + " \r\n");
}

// --- The process killed in the middle of a Save all -------------------------

class KilledSave : public ::testing::Test {
protected:
    static constexpr int kFiles = 2000;

    static void Prepare(const fs::path& folder)
    {
        fs::create_directories(folder);
        for (int i = 0; i < kFiles; ++i) {
            std::string text = "; unit " + std::to_string(i) + "\r\n[section1]\r\nhp " + std::to_string(i) +
                               " 10\r\narmor 1 2 3\n[section_text]\rname \xD2\xE0\xED\xEA " + std::to_string(i) + "\r\n";
            for (int k = 0; k < i % 7; ++k)
                text += "filler " + std::string(static_cast<size_t>(k * 13), 'z') + "\r\n";
            test::WriteBytes((folder / Name(i)).string(), text);
        }
    }
    static std::string Name(int i) { return "unit" + std::to_string(i) + ".desc"; }
    static std::vector<std::string> Paths(const fs::path& folder)
    {
        std::vector<std::string> paths;
        for (int i = 0; i < kFiles; ++i)
            paths.push_back((folder / Name(i)).string());
        return paths;
    }
    // Open desc, the same edits in every run, Save all.
    static void Save(const fs::path& folder, const Progress& progress = {})
    {
        DescDocument ws(test::Cyrillic());
        ws.startUp();
        ws.setVariablesText(TextLines{{"[section1]", "hp =2", "armor =3", "[section_text]", "name =1"}, true});
        ws.openDesc(Paths(folder));
        std::vector<CellEdit> edits;
        for (int r = 1; r <= kFiles; ++r) {
            edits.push_back({dravik::GridNumber(1), 2, r, std::to_string(r * 3)});
            edits.push_back({dravik::GridNumber(1), 6, r, "armored"});
            edits.push_back({dravik::GridNumber(10), 2, r, "new name " + std::to_string(r)});
        }
        ws.setCells(edits);
        ws.saveAll(progress);
    }
};

TEST_F(KilledSave, EveryFileIsWhollyOldOrWhollyNew)
{
    TempFolder dir;
    const fs::path expected = dir.path() / "expected";
    Prepare(expected);
    std::map<std::string, std::string> oldText;
    for (int i = 0; i < kFiles; ++i)
        oldText[Name(i)] = ReadBytes((expected / Name(i)).string());
    Save(expected);
    std::map<std::string, std::string> newText;
    for (int i = 0; i < kFiles; ++i) {
        newText[Name(i)] = ReadBytes((expected / Name(i)).string());
        ASSERT_NE(newText[Name(i)], oldText[Name(i)]);
    }

    std::mt19937 random(std::random_device{}());
    int sawOld = 0, sawNew = 0, strays = 0;
    for (int round = 0; round < 3; ++round) {
        const fs::path folder = dir.path() / ("run" + std::to_string(round));
        Prepare(folder);
        // The child tells after which file it is; the kill then lands while
        // it goes on writing the next ones, after a short random pause. The
        // last round tells when it is about to put that file in place, so the
        // kill lands while the written files are renamed.
        const bool renaming = round == 2;
        const int signalAfter = std::uniform_int_distribution<int>(1, kFiles - 1)(random);
        const int pauseMicros = std::uniform_int_distribution<int>(0, 3000)(random);
        int pipeEnds[2];
        ASSERT_EQ(::pipe(pipeEnds), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(pipeEnds[0]);
            auto tell = [&](int done) {
                if (done == signalAfter) {
                    const char byte = 1;
                    (void)::write(pipeEnds[1], &byte, 1);
                }
            };
            int replacing = 0;
            if (renaming)
                SetBeforeReplacingForTesting([&](const std::string& path) { tell(path.empty() ? 0 : ++replacing); });
            try {
                Save(folder, [&](int done, int) {
                    if (!renaming)
                        tell(done);
                });
            } catch (...) {
                ::_exit(3);
            }
            ::_exit(0);
        }
        ::close(pipeEnds[1]);
        char byte = 0;
        const ssize_t got = ::read(pipeEnds[0], &byte, 1);
        ::close(pipeEnds[0]);
        ASSERT_EQ(got, 1) << "the child ended before it reached file " << signalAfter;
        ::usleep(static_cast<useconds_t>(pauseMicros));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);

        for (const auto& entry : fs::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            if (oldText.count(name)) {
                const std::string now = ReadBytes(entry.path().string());
                if (now == oldText[name])
                    ++sawOld;
                else if (now == newText[name])
                    ++sawNew;
                else
                    ADD_FAILURE() << name << " is neither its old nor its new text (" << now.size() << " bytes)";
            } else {
                EXPECT_TRUE(IsTemporaryName(name)) << "unexpected file " << name;
                ++strays;
            }
        }
        for (int i = 0; i < kFiles; ++i)
            EXPECT_TRUE(fs::exists(folder / Name(i))) << Name(i);
        // The selection names the desc files only, so a stray temporary file
        // is never opened; a new save over the same selection finishes the job.
        Save(folder);
        for (int i = 0; i < kFiles; ++i)
            EXPECT_EQ(ReadBytes((folder / Name(i)).string()), newText[Name(i)]);
    }
    EXPECT_GT(sawOld, 0);
    std::printf("[ killed  ] 3 kills: %d files old, %d new, %d stray temporary files, 0 torn\n", sawOld, sawNew, strays);
}

#endif  // !_WIN32

// --- Hostile settings files -------------------------------------------------

TEST(HostileSettings, AFolderABinaryFileAndTenThousandSections)
{
    TempFolder dir;
    const std::string folder = dir.file("DRAVIK2.INI");
    fs::create_directory(folder);
    SettingsFile onFolder(folder);
    EXPECT_EQ(onFolder.readString("Other", "EditorPath", "c:\\edit.exe"), "c:\\edit.exe");
    EXPECT_EQ(onFolder.readInteger("Form", "Left", 100), 100);
    EXPECT_FALSE(onFolder.writeInteger("Form", "Left", 5));
    EXPECT_EQ(ErrorBoxText(UnableToWriteMessage(folder).english()), "Unable to write to " + folder + ".");
    EXPECT_TRUE(fs::is_directory(folder));

    // Binary: NULs, lone CRs, bytes of every value, a bracket never closed.
    std::string binary("[Form]\r\nLeft=\x00\x01\r[Form\x00]\rTop=12\r[Form]\nTop=13\r\nJunk=", 50);
    for (int b = 0; b < 256; ++b)
        binary += static_cast<char>(b);
    binary += "\n[";
    const std::string path = dir.write("BINARY.INI", binary);
    SettingsFile file(path);
    EXPECT_EQ(file.readInteger("Form", "Left", 100), 100);  // a NUL is no digit
    EXPECT_EQ(file.readInteger("Form", "Top", 100), 100);   // only the first [Form] counts
    ASSERT_TRUE(file.writeInteger("Form", "Left", 30));
    const std::string written = ReadBytes(path);
    EXPECT_EQ(SettingsFile(path).readInteger("Form", "Left", 0), 30);
    // Every other line as it was: only line breaks became CR LF.
    std::string wanted = binary;
    wanted.replace(wanted.find("Left="), 7, "Left=30");
    EXPECT_EQ(written, JoinLines(TextLines{SplitLines(wanted).lines, true}));

    std::string many;
    for (int i = 0; i < 10000; ++i)
        many += "[Section" + std::to_string(i) + "]\r\nKey=" + std::to_string(i) + "\r\n; note " + std::to_string(i) + "\r\n";
    const std::string manyPath = dir.write("MANY.INI", many);
    SettingsFile large(manyPath);
    ASSERT_TRUE(large.writeString("Section9999", "Key", "last"));
    ASSERT_TRUE(large.writeString("Other", "GamePath", "c:\\game.exe"));
    const std::string after = ReadBytes(manyPath);
    std::string manyWanted = many;
    manyWanted.replace(manyWanted.rfind("Key=9999"), 8, "Key=last");
    EXPECT_EQ(after, manyWanted + "\r\n[Other]\r\nGamePath=c:\\game.exe\r\n");
}

// --- Inputs far beyond real ones --------------------------------------------

class LargeInputs : public ::testing::Test {
protected:
    LargeInputs() : ws(test::Cyrillic()) { ws.startUp(); }
    TempFolder dir;
    DescDocument ws;
};

TEST_F(LargeInputs, AFiftyMegabyteDescFileKeepsEveryByteButItsKeyLines)
{
    std::string text = "hp 1 2\r\n[section_text]\r\nname \xD2\xE0\xED\xEA\r\n";
    const std::string filler = "; a long comment line of a generated desc file, kept byte for byte \xC0\xC1\xC2\r\n";
    while (text.size() < 50u * 1024 * 1024)
        text += filler;
    text += "armor 7 8 9";  // the last line, without a break
    const std::string path = dir.write("big.desc", text);
    ws.setVariablesText(TextLines{{"[section1]", "hp =2", "armor =3", "[section_text]", "name =1"}, true});
    ws.openDesc({path});
    EXPECT_EQ(ws.grid(dravik::GridNumber(1)).cell(4, 1), "7");
    ws.setCell(dravik::GridNumber(1), 2, 1, "100");
    ws.saveAll();

    std::string wanted = text;
    wanted.replace(0, 6, "hp  100 2 ");
    wanted.replace(wanted.find("name \xD2"), 9, "name  \xD2\xE0\xED\xEA ");
    wanted.replace(wanted.size() - 11, 11, "armor  7 8 9 ");
    EXPECT_TRUE(ReadBytes(path) == wanted) << "the 50 MB file differs from what the save should write";
    EXPECT_TRUE(dir.names() == std::vector<std::string>{"big.desc"});

    // The batch export over the same file.
    const std::string vars = dir.write("v.var", "[section1]\r\nhp =2\r\n");
    std::ostringstream out, err;
    EXPECT_EQ(RunBatchCommand({"export", "--vars", vars, "--out", dir.file("t.txt"), path}, out, err), 0) << err.str();
    EXPECT_NE(ReadBytes(dir.file("t.txt")).find("\t100\t2\t"), std::string::npos);
}

TEST_F(LargeInputs, AMillionLinesWithMixedBreaksAndNulBytes)
{
    std::string text;
    text.reserve(16 * 1024 * 1024);
    const char* const breaks[] = {"\r\n", "\n", "\r"};
    text += std::string("k\0ey 1\r\n", 8);  // a key with a NUL in it
    for (int i = 1; i < 999999; ++i) {
        text += "line ";
        text += std::to_string(i);
        if (i % 10 == 5)
            text += std::string("\0nul\0", 5);
        text += breaks[i % 3];
    }
    text += "zz last 5\r";
    const std::string path = dir.write("lines.desc", text);
    ws.setVariablesText(TextLines{{"[section2]", std::string("k\0ey =1", 7), "zz last =1"}, true});
    ws.openDesc({path});
    EXPECT_EQ(ws.grid(dravik::GridNumber(2)).cell(2, 1), "1");
    EXPECT_EQ(ws.grid(dravik::GridNumber(2)).cell(3, 1), "5");
    ws.setCell(dravik::GridNumber(2), 3, 1, "6");
    ws.saveAll();

    const std::string bytes = ReadBytes(path);
    const TextLines before = SplitLines(text);
    const TextLines after = SplitLines(bytes);
    ASSERT_EQ(before.lines.size(), 1000000u);
    ASSERT_EQ(after.lines.size(), before.lines.size());
    EXPECT_EQ(after.lines[0], std::string("k\0ey  1 ", 8));
    EXPECT_EQ(after.lines[999999], "zz last  6 ");
    size_t differing = 0;
    for (size_t i = 1; i + 1 < before.lines.size(); ++i)
        differing += before.lines[i] != after.lines[i];
    EXPECT_EQ(differing, 0u);
    // Every break is CR LF now, and the last line keeps its break.
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 1000000);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), 1000000);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\0'), 1 + 2 * 100000);
}

TEST_F(LargeInputs, RowsPastSixtyFourKilobytesFileAfterFileOpenSaveAndExport)
{
    // Past 64 KB a row's cell ends take four bytes; each file's row is built
    // in the room the one before left.
    const Lines schema = {"[section1]", "hp =1", "[section_text]", "name =1", "description =1"};
    ws.setVariablesText(TextLines{schema, true});
    std::vector<std::string> paths;
    for (int f = 0; f < 40; ++f)
        paths.push_back(dir.write("f" + std::to_string(f) + ".desc",
                                  "hp  1 \r\nname  u" + std::to_string(f) + " \r\ndescription  " +
                                      std::string(70000, static_cast<char>('a' + f % 26)) + " \r\n"));
    ws.openDesc(paths);
    ASSERT_EQ(ws.descFileCount(), 40);
    EXPECT_TRUE(ws.grid(dravik::GridNumber(10)).cell(3, 40) == std::string(70000, 'n'));
    ws.setCell(dravik::GridNumber(1), 2, 40, "2");
    EXPECT_EQ(ws.saveAll().written, 1);
    EXPECT_TRUE(ReadBytes(paths[39]) == "hp  2 \r\nname  u39 \r\ndescription  " + std::string(70000, 'n') + " \r\n");

    std::string vars;
    for (const std::string& line : schema)
        vars += line + "\r\n";
    std::vector<std::string> args = {"export", "--vars", dir.write("v.var", vars), "--out", dir.file("t.txt")};
    args.insert(args.end(), paths.begin(), paths.end());
    std::ostringstream out, err;
    EXPECT_EQ(RunBatchCommand(args, out, err), 0) << err.str();

    // So does a row of 100,000 short cells.
    std::vector<std::string> keys = {"[section1]"};
    for (int k = 0; k < 100000; ++k)
        keys.push_back("k" + std::to_string(k) + " =1");
    ws.setVariablesText(TextLines{keys, true});
    ws.openDesc(std::vector<std::string>(paths.begin(), paths.begin() + 20));
    EXPECT_EQ(ws.descFileCount(), 20);
}

TEST_F(LargeInputs, ATableTextLineOfAHundredThousandColumns)
{
    const std::string desc = dir.write("a.desc", "hp 1 2\r\n");
    ws.setVariablesText(TextLines{{"[section1]", "hp =2"}, true});
    ws.openDesc({desc});

    std::string line = "Section 1\t";
    std::string header = "\tFile name\thp \thp \t";
    std::string row = "\t" + desc + "\t5\t6\t";
    for (int c = 0; c < 100000; ++c)
        line += "v" + std::to_string(c) + "\t";
    // The batch import takes only a table naming exactly the files given.
    const std::string fileList = "File list\t\r\n\tFile name\tPath\t\r\n\ta.desc\t" + desc + "\t\r\n";
    const std::string table = dir.write("t.txt", line + "\r\n" + header + "\r\n" + row + "\r\n" + fileList);
    const std::string bytes = ReadTableTextFile(table);
    ImportTable(ws, &bytes);
    EXPECT_EQ(ws.summary().colCount(), 100001);
    EXPECT_EQ(ws.summary().cell(100000, 0), "v99999");
    EXPECT_EQ(ws.grid(dravik::GridNumber(1)).colCount(), 4);  // the import never widens a table
    EXPECT_EQ(ws.grid(dravik::GridNumber(1)).cell(2, 1), "5");
    ws.saveAll();
    EXPECT_EQ(ReadBytes(desc), "hp  5 6 \r\n");

    // The same through the batch import.
    const std::string vars = dir.write("v.var", "[section1]\r\nhp =2\r\n");
    std::ostringstream out, err;
    EXPECT_EQ(RunBatchCommand({"import", "--vars", vars, "--table", table, desc}, out, err), 0) << err.str();
    EXPECT_EQ(ReadBytes(desc), "hp  5 6 \r\n");
}

TEST_F(LargeInputs, ATableLineLongerThanAnyDescFileHoldsIsRefusedByItsNumber)
{
    const std::string desc = dir.write("a.desc", "hp 1\r\n");
    const std::string vars = dir.write("v.var", "[section1]\r\nhp =1\r\n");
    std::ostringstream out, err;
    ASSERT_EQ(RunBatchCommand({"export", "--vars", vars, "--out", dir.file("t.txt"), desc}, out, err), 0);
    const std::string exported = ReadBytes(dir.file("t.txt"));
    // The value of a.desc's row made as long as a line may be, then one byte longer.
    const size_t value = exported.find("\t1\t");
    ASSERT_NE(value, std::string::npos);
    const size_t lineBegin = exported.rfind('\n', value) + 1;
    const size_t lineLength = exported.find('\n', value) - lineBegin;
    const size_t line = static_cast<size_t>(std::count(exported.begin(), exported.begin() + value, '\n')) + 1;
    std::string table = exported;
    table.replace(value + 1, 1, std::string(kLongestTableLine - lineLength + 1, '7'));
    EXPECT_EQ(TableText(table).cell(2, static_cast<int>(line) - 1).size(), kLongestTableLine - lineLength + 1);

    table.insert(value + 1, "7");
    EXPECT_EQ(RunBatchCommand({"import", "--vars", vars, "--table", dir.write("t.txt", table), desc}, out, err), 1);
    EXPECT_EQ(err.str(), "Line " + std::to_string(line) + " of the table is 17 MB long: no desc file holds values that "
                         "long (a line may hold 16 MB), so the file is no table of desc files, or is damaged. Nothing "
                         "was imported.\n");
    EXPECT_EQ(ReadBytes(desc), "hp 1\r\n");
}

// --- Hostile schemas ----------------------------------------------------------

TEST_F(Faults, NamesThatDifferOnlyInEndBlanksTakeTheirOwnColumns)
{
    // "armor\t" and "armor" trim to the same text, yet they are two keys with
    // their own lines; an unedited save must give each its own values back.
    vars({"[section1]", "armor\t=1", "armor=2", "[section_text]", "name\x01=1", "name=1"});
    const std::string path = dir.write("a.desc", "armor\t1\r\narmor 2 3\r\nname\x01" "a\r\nname b\r\n");
    ws.openDesc({path});
    ws.saveAll();
    const std::string first = ReadBytes(path);
    EXPECT_EQ(first, "armor\t 1 \r\narmor 2 3 \r\nname\x01 a \r\nname b \r\n");
    ws.openDesc({path});
    ws.saveAll();
    EXPECT_EQ(ReadBytes(path), first);
}

}  // namespace
}  // namespace dravik
