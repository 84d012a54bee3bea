#include "core/modset/mod_set_setup.h"

#include "core/errors.h"
#include "tests/core/test_files.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace dravik {
namespace {

namespace fs = std::filesystem;

std::string In(const fs::path& folder, const std::string& name) { return (folder / name).lexically_normal().string(); }

TEST(ModSetFile, KeepsEverythingAndReadsItBack)
{
    test::TempFolder root;
    const fs::path work = root.path() / "work";
    ModSetSetup setup;
    setup.variables = In(work, "v.var");
    setup.base = In(root.path(), "game/desc");
    setup.names = "*.desc";
    setup.mods = {{ModSource::Kind::Folder, "Tanks", In(work, "mods/tanks")},
                 {ModSource::Kind::Patch, "Balance (2)", In(root.path(), "balance.txt")}};
    setup.choices = {{"units/t34.desc", "armor ", 2, {Winner::Kind::Mod, "Tanks"}},
                    {"units/t34.desc", "name ", 1, {Winner::Kind::Value, "T-34 \xc2\xe5\xf0"}},
                    {"", "speed ", 0, {Winner::Kind::Base, {}}},
                    {"units/t34.desc", "hp ", 0, {Winner::Kind::Base, {}}}};
    const std::string file = In(work, "set.d2mods");
    const std::string text = ModSetFileText(setup, file);
    EXPECT_EQ(text, "Dravik 2 mod set\tversion 1\r\n"
                    "variables\tv.var\r\n"
                    "base\t../game/desc\r\n"
                    "names\t*.desc\r\n"
                    "mod\tTanks\tmods/tanks\r\n"
                    "patch\tBalance (2)\t../balance.txt\r\n"
                    "take\tunits/t34.desc\tarmor \t2\tmod\tTanks\r\n"
                    "take\tunits/t34.desc\tname \t1\tvalue\tT-34 \xc2\xe5\xf0\r\n"
                    "take\t*\tspeed \t*\tbase\r\n"
                    "take\tunits/t34.desc\thp \t*\tbase\r\n");
    EXPECT_EQ(ReadModSetText(text, file), setup);
    // Moved with its folders, the set still names them.
    const std::string moved = In(root.path(), "elsewhere/work/set.d2mods");
    EXPECT_EQ(ReadModSetText(text, moved).mods[0].path, In(root.path(), "elsewhere/work/mods/tanks"));
    // LF line breaks and empty lines, as an editor may leave them.
    std::string edited = text;
    for (size_t at; (at = edited.find("\r\n")) != std::string::npos;)
        edited.replace(at, 2, "\n\n");
    EXPECT_EQ(ReadModSetText(edited, file), setup);

    fs::create_directories(work);
    WriteModSetFile(file, setup);
    EXPECT_EQ(ReadModSetFile(file), setup);
}

TEST(ModSetFile, PathsAreRelativeWhereTheyShareAFolder)
{
#ifdef _WIN32
    EXPECT_EQ(PathRelativeTo("C:\\mods\\work", "C:\\mods\\tanks\\units"), "../tanks/units");
    EXPECT_EQ(PathRelativeTo("C:\\mods\\work", "D:\\game"), "D:\\game");
    EXPECT_EQ(PathFrom("C:\\mods\\work", "../tanks"), "C:\\mods\\tanks");
#else
    EXPECT_EQ(PathRelativeTo("/home/me/work", "/home/me/work/tanks"), "tanks");
    EXPECT_EQ(PathRelativeTo("/home/me/work", "/home/me/tanks/units"), "../tanks/units");
    EXPECT_EQ(PathRelativeTo("/home/me/work", "/opt/game"), "/opt/game");  // nothing shared but the root
    EXPECT_EQ(PathFrom("/home/me/work", "../tanks"), "/home/me/tanks");
    EXPECT_EQ(PathFrom("/home/me/work", "/opt/game"), "/opt/game");
#endif
}

TEST(ModSetFile, RefusesWhatItCannotRead)
{
    const std::string head = "Dravik 2 mod set\tversion 1\r\nvariables\tv.var\r\nbase\tb\r\n";
    const struct {
        std::string text;
        const char* says;
    } cases[] = {
        {"Dravik 2 patch\tversion 1\r\n", "is not a mod set"},
        {"Dravik 2 mod set\tversion 2\r\nvariables\tv\r\nbase\tb\r\n", "version 2, written by a later Dravik 2"},
        {"Dravik 2 mod set\tversion 1\r\nbase\tb\r\n", "names no variables file"},
        {head + "base\tc\r\n", "Line 4 of"},
        {head + "mod\tA\r\n", "the mod's name and its path"},
        {head + "mods\tA\ta\r\n", "begins with \"mods\""},
        {head + "take\t*\tarmor \tx\tbase\r\n", "no value number"},
        {head + "take\t*\tarmor \t1\tvalue\t5\r\n", "for more than one value"},
        {head + "take\tu.desc\tarmor \t1\tmod\r\n", "should end in"},
        {head + "mod\tA\ta\r\npatch\ta\tp.txt\r\n", "Two mods are named \"a\""},
    };
    for (const auto& c : cases) {
        try {
            ReadModSetText(c.text, "set.d2mods");
            ADD_FAILURE() << c.text;
        } catch (const DravikError& e) {
            EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
        }
    }
}

TEST(ModSetFile, NamesModsByTheirFoldersAndKeepsThemApart)
{
    std::vector<ModSource> mods = {{ModSource::Kind::Folder, {}, "/a/tanks/"},
                                   {ModSource::Kind::Patch, {}, "/b/balance.txt"},
                                   {ModSource::Kind::Folder, {}, "/c/Tanks"},
                                   {ModSource::Kind::Folder, "Mine", "/d/x"}};
    NameModsUniquely(mods);
    EXPECT_EQ(mods[0].name, "tanks");
    EXPECT_EQ(mods[1].name, "balance");
    EXPECT_EQ(mods[2].name, "Tanks (2)");
    EXPECT_EQ(mods[3].name, "Mine");
}

}  // namespace
}  // namespace dravik
