#include "app/batch_command.h"
#include "core/files/native_path.h"

#include "tests/core/mod/mod_folders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace dravik {
namespace {

using Args = std::vector<std::string>;

class BatchMod : public ::testing::Test {
protected:
    int run(Args args, const std::vector<std::string>& files)
    {
        args.insert(args.end(), files.begin(), files.end());
        out.str("");
        err.str("");
        return RunBatchCommand(args, out, err);
    }
    std::string read(const std::string& mod, const std::string& file) const
    {
        return test::ReadBytes(folders.path(mod, file));
    }

    test::ModFolders folders;
    std::ostringstream out, err;
};

TEST_F(BatchMod, DiffPrintsThePatchAndExitsAsDiffDoes)
{
    EXPECT_EQ(run({"diff", "--vars", folders.vars, "--base", folders.folder("B")}, folders.files("Y")), 1)
        << err.str();
    EXPECT_EQ(out.str(), merge::kYPatch) << "without --patch, on standard output";
    // The mod given as its folder: the patch's paths are relative to it.
    EXPECT_EQ(run({"diff", "--vars", folders.vars, "--base", folders.folder("B"), "--pattern", "*.desc"},
                  {folders.folder("Y")}),
              1);
    EXPECT_EQ(out.str(), merge::kYPatch);

    EXPECT_EQ(run({"diff", "--vars", folders.vars, "--base", folders.folder("B")}, folders.files("B")), 0);
    EXPECT_EQ(out.str(), "Dravik 2 patch\tversion 1\r\n");
    // A file the base lacks differs, though no patch line carries it.
    const std::string fresh = folders.root.write("new.desc", "hp 1\r\n");
    EXPECT_EQ(run({"diff", "--vars", folders.vars, "--base", folders.folder("X")}, {fresh}), 1);
    EXPECT_EQ(err.str(), "new.desc: new in this mod, the base has no such file; a patch cannot carry it\n"
                         "diff: 0 values in 0 of 1 file differ from the base; 1 file new in this mod\n");

    EXPECT_EQ(run({"diff", "--vars", folders.vars}, folders.files("Y")), 2);
    EXPECT_EQ(run({"diff", "--vars", folders.vars, "--base", folders.folder("B"), "--theirs"}, folders.files("Y")), 2);
    EXPECT_EQ(run({"diff", "--vars", folders.vars, "--base", folders.folder("B")}, {folders.path("Y", "units/jeep.desc")}),
              2);
}

TEST_F(BatchMod, ApplyRefusesAPatchItCannotReadAndWritesNothing)
{
    const std::string header = "Dravik 2 patch\tversion 1\r\n";
    const struct {
        const char* what;
        std::string patch;
        std::string err;  // how the message begins
    } cases[] = {
        {"saved by Notepad in UTF-8", header + "guns/gun.desc\tname \t1\tZiS-3\t\xD0\x97\xD0\xB8\xD0\xA1-3\r\n",
         "\"" + folders.root.file("p.txt") + "\" is in UTF-8 while the desc files are not"},
        {"saved with a byte order mark",
         "\xEF\xBB\xBF" + header + "guns/gun.desc\tname \t1\tZiS-3\t\xD0\x97\xD0\xB8\xD0\xA1-3\r\n",
         "\"" + folders.root.file("p.txt") + "\" is in UTF-8 (it begins with UTF-8's byte order mark)"},
        {"a line cut short", header + "guns/gun.desc\thp \r\n", "Line 2 of"},
        {"no patch at all", "File list\t\r\n", "\"" + folders.root.file("p.txt") + "\" is not a patch"},
    };
    for (const auto& c : cases) {
        const std::string patch = folders.root.write("p.txt", c.patch);
        EXPECT_EQ(run({"apply", "--vars", folders.vars, "--patch", patch}, folders.files("X")), 2) << c.what;
        EXPECT_EQ(err.str().substr(0, c.err.size()), c.err) << c.what << '\n' << err.str();
        EXPECT_EQ(read("X", "guns/gun.desc"), merge::kXGun) << c.what;
    }
    EXPECT_EQ(run({"apply", "--vars", folders.vars, "--patch", folders.root.file("none.txt")}, folders.files("X")), 2);
    EXPECT_EQ(run({"apply", "--vars", folders.vars}, folders.files("X")), 2);
}

// The program's form of a path given in Unicode: UTF-8 bytes off Windows,
// the system's code page (with escapes) on Windows.
std::string Native(const std::filesystem::path& path)
{
#ifdef _WIN32
    return PathOfWide(path.native());
#else
    return path.native();
#endif
}

TEST_F(BatchMod, NamesInOtherCapitalsBeyondAToZMatchForDiffApplyAndThePattern)
{
    // The base game spells the folder and the file one way; the mod, as
    // unpacked from the game's archives, another.
    auto put = [&](const char8_t* relative, std::string_view bytes) {
        const std::filesystem::path path = folders.root.path() / std::filesystem::path(relative);
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    };
    put(u8"base/Танки/Т34.desc", merge::kBaseTank);
    put(u8"mod/ТАНКИ/т34.DESC", merge::kXTank);
    put(u8"mod/ТАНКИ/readme.txt", "hp 1\r\n");
    const std::string base = Native(folders.root.path() / "base");
    const std::string mod = Native(folders.root.path() / "mod");
    const std::string pattern = Native(u8"Т*.desc");
    // A patch is text in the code page: a Windows whose code page has no
    // Cyrillic letters cannot write these names into one.
    if (!PathFitsText(pattern))
        GTEST_SKIP() << "the system's code page has no Cyrillic letters";

    EXPECT_EQ(run({"diff", "--vars", folders.vars, "--base", base, "--pattern", pattern}, {mod}), 1) << err.str();
    const std::string path = Native(u8"ТАНКИ/т34.DESC");
    EXPECT_EQ(out.str(), "Dravik 2 patch\tversion 1\r\n" + path + "\tarmor \t1\t45\t50\r\n" + path +
                             "\thp \t1\t100\t110\r\n");
    EXPECT_EQ(err.str(), "diff: 2 values in 1 of 1 file differ from the base\n");

    const std::string patch =
        folders.root.write("p.txt", "Dravik 2 patch\tversion 1\r\n" + Native(u8"Танки/Т34.desc") + "\thp \t1\t110\t120\r\n");
    EXPECT_EQ(run({"apply", "--vars", folders.vars, "--patch", patch, "--pattern", pattern}, {mod}), 0) << err.str();
    std::ifstream written(folders.root.path() / std::filesystem::path(u8"mod/ТАНКИ/т34.DESC"), std::ios::binary);
    EXPECT_NE(std::string(std::istreambuf_iterator<char>(written), {}).find("hp  120 \r\n"), std::string::npos);
}

}  // namespace
}  // namespace dravik
