#include "app/batch_command.h"
#include "app/batch_files.h"

#include "core/errors.h"
#include "core/files/folder_listing.h"
#include "tests/core/test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace dravik {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

// A mod folder: desc files in subfolders, in mixed case, and a file of
// another kind.
class BatchFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        vars = dir.write("v.var", "[section1]\r\nhp =1\r\n");
        mod = dir.file("mod");
        for (const char* name : {"units/Tank.DESC", "units/gun.desc", "Aircraft/plane.desc", "notes.txt"}) {
            const fs::path path = fs::path(mod) / fs::path(name).make_preferred();
            fs::create_directories(path.parent_path());
            test::WriteBytes(path.string(), "hp " + std::to_string(path.filename().string().size()) + "\r\n");
        }
    }
    std::string in(const std::string& relative) const
    {
        return (fs::path(mod) / fs::path(relative).make_preferred()).string();
    }
    int run(const Args& args)
    {
        err.str("");
        return RunBatchCommand(args, out, err);
    }
    std::string exported(const Args& files)
    {
        const std::string table = dir.file("table.txt");
        Args args{"export", "--vars", vars, "--out", table};
        args.insert(args.end(), files.begin(), files.end());
        EXPECT_EQ(run(args), 0) << err.str();
        return test::ReadBytes(table);
    }

    test::TempFolder dir;
    std::string vars;
    std::string mod;
    std::ostringstream out, err;
};

TEST_F(BatchFiles, AFolderStandsForItsMatchingFilesInPathOrder)
{
    const std::string explicitly = exported({in("Aircraft/plane.desc"), in("units/gun.desc"), in("units/Tank.DESC")});
    EXPECT_EQ(exported({"--pattern", "*.desc", mod}), explicitly);
    EXPECT_EQ(exported({mod, "--pattern", "*.DESC;*.desc"}), explicitly) << "the option may follow the folder";

    // Every name by default; a folder and a file side by side keep the order given.
    EXPECT_EQ(ExpandFileArguments({in("notes.txt"), in("units")}, kEveryName),
              (Args{in("notes.txt"), in("units/gun.desc"), in("units/Tank.DESC")}));
    EXPECT_EQ(ExpandFileArguments({mod}, "").size(), 4u);

    // Import through the folder finds the files the table names, and so do
    // the commands of the bulk engine.
    const std::string table = dir.write("edited.txt", explicitly);
    EXPECT_EQ(run({"import", "--vars", vars, "--table", table, "--pattern", "*.desc", mod}), 0) << err.str();
    out.str("");
    EXPECT_EQ(run({"find", "--vars", vars, "--pattern", "*.desc", "--whole-cell", "8", mod}), 0) << err.str();
    EXPECT_EQ(out.str(), in("units/gun.desc") + "\thp\t8\n");
}

TEST_F(BatchFiles, AFileGivenTwiceIsOpenedOnceAndNamed)
{
    const std::string gun = in("units/gun.desc");
    // The file, then its folder: gun.desc twice.
    EXPECT_EQ(run({"set", "--vars", vars, "--key", "hp", "--expr", "+1", gun, in("units")}), 0) << err.str();
    EXPECT_EQ(test::ReadBytes(gun), "hp  9 \r\n");
    EXPECT_EQ(err.str().rfind("note: " + gun + " is the same file as " + gun + "; opened once\n", 0), 0u) << err.str();
    EXPECT_NE(err.str().find("set: 2 cells changed in 2 files; "), std::string::npos) << err.str();

    // The table of a file given twice names it once, and imports so.
    const std::string table = dir.write("twice.txt", exported({gun, gun}));
    EXPECT_EQ(run({"import", "--vars", vars, "--table", table, gun, gun}), 0) << err.str();
    EXPECT_EQ(test::ReadBytes(gun), "hp  9 \r\n");
}

TEST_F(BatchFiles, AListFileNamesOnePathALine)
{
    const std::string list = dir.write("list.txt", in("units/gun.desc") + "\r\n\r\n" + in("Aircraft") + "\n");
    EXPECT_EQ(ExpandFileArguments({"@" + list}, kEveryName), (Args{in("units/gun.desc"), in("Aircraft/plane.desc")}));
    EXPECT_EQ(exported({"@" + list}), exported({in("units/gun.desc"), in("Aircraft/plane.desc")}));

    // As Windows PowerShell writes it: UTF-16 with its mark.
    std::string utf16 = "\xFF\xFE";
    for (const char c : in("units/gun.desc") + "\r\n" + in("notes.txt"))
        utf16 += std::string{c, '\0'};
    EXPECT_EQ(ListFilePaths(utf16), (Args{in("units/gun.desc"), in("notes.txt")}));
    EXPECT_EQ(ListFilePaths("\xEF\xBB\xBF" "a.desc\r\n"), Args{"a.desc"});

    EXPECT_EQ(run({"analyze", "@" + dir.file("missing.txt")}), 1);
    EXPECT_EQ(err.str().rfind("Cannot open file \"" + dir.file("missing.txt") + "\". ", 0), 0u) << err.str();
}

TEST_F(BatchFiles, NothingMatchingIsAnErrorNotAnEmptyRun)
{
    const std::string table = dir.file("none.txt");
    EXPECT_EQ(run({"export", "--vars", vars, "--out", table, "--pattern", "*.var", mod}), 1);
    EXPECT_EQ(err.str(), "No file below \"" + mod + "\" matches \"*.var\"\n");
    EXPECT_FALSE(fs::exists(table));
    EXPECT_EQ(run({"set", "--vars", vars, "--key", "hp ", "--expr", "+1", "--pattern", "*.var", mod}), 1);
    EXPECT_EQ(err.str(), "No file below \"" + mod + "\" matches \"*.var\"\n");
    EXPECT_EQ(run({"export", "--vars", vars, "--out", table, "--pattern"}), 2) << "--pattern takes a value";
}

// What the program does on Windows, where cmd passes the command line on
// as it was typed.
TEST_F(BatchFiles, ArgumentsAsTypedMatchWildcardsInTheirFolder)
{
    const std::string folder = in("units") + static_cast<char>(fs::path::preferred_separator);
    EXPECT_EQ(ExpandFileArguments({folder + "*.desc"}, kEveryName, true),
              (Args{folder + "gun.desc", folder + "Tank.DESC"}));
    EXPECT_EQ(ExpandFileArguments({folder + "t?nk.*"}, kEveryName, true), (Args{folder + "Tank.DESC"}));
    EXPECT_EQ(ExpandFileArguments({folder + "*.desc"}, kEveryName, false), (Args{folder + "*.desc"}));
    try {
        ExpandFileArguments({folder + "*.var"}, kEveryName, true);
        ADD_FAILURE();
    } catch (const DravikError& e) {
        EXPECT_EQ(std::string(e.what()), "No file matches \"" + folder + "*.var\"");
    }
    // "C:\my mod\" typed in cmd arrives with a quote for its backslash.
    EXPECT_EQ(ExpandFileArguments({in("units") + "\""}, kEveryName, true),
              (Args{folder + "gun.desc", folder + "Tank.DESC"}));
#ifdef _WIN32
    EXPECT_EQ(exported({folder + "*.desc"}), exported({folder + "gun.desc", folder + "Tank.DESC"}));
#endif
}

}  // namespace
}  // namespace dravik
