#include "core/files/folder_listing.h"

#include "core/errors.h"
#include "core/files/native_path.h"
#include "tests/core/test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace dravik {
namespace {

namespace fs = std::filesystem;

TEST(NamePatternTest, MatchesAsWindowsDoesWithoutRegardToCase)
{
    const NamePattern every(kEveryName);
    EXPECT_TRUE(every.matches("README"));
    EXPECT_TRUE(every.matches("tank.desc"));
    EXPECT_TRUE(NamePattern("").matches("README"));

    const NamePattern desc("*.desc");
    EXPECT_TRUE(desc.matches("TANK.DESC"));
    EXPECT_TRUE(desc.matches(".desc"));
    EXPECT_FALSE(desc.matches("tank.desc.bak"));
    EXPECT_FALSE(desc.matches("tank"));

    EXPECT_TRUE(NamePattern("tank.*").matches("tank"));
    EXPECT_FALSE(NamePattern("tank.*").matches("tanks"));
    EXPECT_TRUE(NamePattern("t?nk*").matches("Tonk_2.txt"));
    EXPECT_FALSE(NamePattern("t?nk").matches("tnk"));
    EXPECT_TRUE(NamePattern("a*b*c").matches("aXbYbZc"));
    EXPECT_FALSE(NamePattern("a*b*c").matches("aXbYcZ"));

    const NamePattern several(" *.desc ;;*.TXT ");
    EXPECT_TRUE(several.matches("gun.txt"));
    EXPECT_TRUE(several.matches("gun.desc"));
    EXPECT_FALSE(several.matches("gun.var"));

    // Letters beyond A to Z fold through the code page.
    EXPECT_TRUE(NamePattern("\xF2\xE0\xED\xEA.*", test::Cyrillic()).matches("\xD2\xC0\xCD\xCA.DESC"));
}

class FolderListingTest : public ::testing::Test {
protected:
    test::TempFolder root;
    std::string put(const std::string& relative)
    {
        const fs::path path = root.path() / fs::path(relative).make_preferred();
        fs::create_directories(path.parent_path());
        test::WriteBytes(path.string(), "[section1]\r\n");
        return path.string();
    }
    std::string folder() const { return root.path().string(); }
    std::vector<std::string> relative(const std::vector<std::string>& files) const
    {
        std::vector<std::string> names;
        for (const std::string& file : files)
            names.push_back(fs::path(RelativeToRoot(folder(), file)).generic_string());
        return names;
    }
};

TEST_F(FolderListingTest, ListsEveryMatchingFileBelowInPathOrderLeavingHiddenOnesOut)
{
    for (const char* name : {"b.desc", "A.desc", "a/x.DESC", "a/Y/z.desc", "units/tank.desc", "units/notes.txt",
                             "Units2/gun.desc", ".hidden.desc", ".git/objects/o.desc", "a.desc.bak"})
        put(name);
    fs::create_directories(root.path() / "empty");

    const FolderListing listing = ListFolder(folder(), NamePattern("*.desc"));
    EXPECT_EQ(relative(listing.files),
              (std::vector<std::string>{"a/x.DESC", "a/Y/z.desc", "A.desc", "b.desc", "units/tank.desc",
                                        "Units2/gun.desc"}));
    EXPECT_TRUE(listing.unreadableFolders.empty());
    EXPECT_EQ(listing.files.front(), (root.path() / "a" / "x.DESC").string());

    EXPECT_EQ(relative(ListFolderFiles(folder(), NamePattern(kEveryName)).files),
              (std::vector<std::string>{"A.desc", "a.desc.bak", "b.desc"}));
    EXPECT_TRUE(ListFolder(folder(), NamePattern("*.var")).files.empty());
}

TEST_F(FolderListingTest, AFolderThatCannotBeReadIsAnError)
{
    const std::string file = put("tank.desc");
    for (const std::string& path : {root.file("missing"), file}) {
        try {
            ListFolder(path, NamePattern(kEveryName));
            ADD_FAILURE() << path;
        } catch (const DravikError& e) {
            EXPECT_EQ(std::string(e.what()).rfind("Cannot open folder \"" + path + "\". ", 0), 0u) << e.what();
        }
    }
    put("a/b/c.desc");
    try {
        ListFolder(folder(), NamePattern(kEveryName), CodePage::Default(), 3);
        ADD_FAILURE() << "four entries below, three allowed";
    } catch (const DravikError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot open folder \"" + folder() + "\". It holds more than 3 files and folders");
    }
    EXPECT_EQ(ListFolder(folder(), NamePattern(kEveryName), CodePage::Default(), 4).files.size(), 2u);
    EXPECT_TRUE(IsFolder(folder()));
    EXPECT_FALSE(IsFolder(file));
    EXPECT_FALSE(IsFolder(root.file("missing")));
}

// The program's form of a name given in Unicode: UTF-8 bytes off Windows,
// the system's code page (with escapes) on Windows.
std::string Native(const fs::path& path)
{
#ifdef _WIN32
    return PathOfWide(path.native());
#else
    return path.native();
#endif
}

TEST_F(FolderListingTest, FoldsLettersBeyondAToZAsTheFileSystemSpellsNames)
{
    for (const char8_t* name : {u8"Танки/Т34.desc", u8"Танки/т35.DESC", u8"Танки/КВ-1.desc", u8"ЁЖ.desc",
                                u8"ТАНКИ2/т36.desc", u8"units/tank.desc"}) {
        const fs::path path = root.path() / fs::path(name);
        fs::create_directories(path.parent_path());
        std::ofstream(path) << "[section1]\r\n";
    }
    // The names below the folder, as UTF-8 bytes.
    auto listed = [&](const fs::path& pattern) {
        std::vector<std::string> names;
        for (const std::string& file : ListFolder(folder(), NamePattern(Native(pattern))).files) {
            const std::u8string name = FileSystemPath(RelativeToRoot(folder(), file)).generic_u8string();
            names.emplace_back(name.begin(), name.end());
        }
        return names;
    };
    // Path order folds the letters too: "ТАНКИ2" and "Танки" are neighbours,
    // as "units2" and "Units" are.
    EXPECT_EQ(listed(u8"т*.desc"),
              (std::vector<std::string>{"Танки/Т34.desc", "Танки/т35.DESC", "ТАНКИ2/т36.desc"}));
    EXPECT_EQ(listed(u8"ё?.*;кв-?.DESC"), (std::vector<std::string>{"Танки/КВ-1.desc", "ЁЖ.desc"}));
    EXPECT_EQ(listed(u8"T*.desc"), (std::vector<std::string>{"units/tank.desc"}));  // Latin T is no Cyrillic Т
}

#ifndef _WIN32
TEST_F(FolderListingTest, FollowsLinksButListsEveryFolderOnce)
{
    put("units/tank.desc");
    put("other/gun.desc");
    fs::create_directory_symlink(root.path(), root.path() / "units" / "loop");
    fs::create_directory_symlink(root.path() / "units", root.path() / "again");
    fs::create_symlink(root.path() / "other" / "gun.desc", root.path() / "linked.desc");
    fs::create_symlink(root.path() / "gone.desc", root.path() / "broken.desc");

    const std::vector<std::string> files = relative(ListFolder(folder(), NamePattern(kEveryName)).files);
    // "units" is reached as "again" or as itself, whichever comes first; once.
    const std::vector<std::string> throughLink{"again/tank.desc", "linked.desc", "other/gun.desc"};
    const std::vector<std::string> direct{"linked.desc", "other/gun.desc", "units/tank.desc"};
    EXPECT_TRUE(files == throughLink || files == direct) << ::testing::PrintToString(files);
}
#endif

TEST_F(FolderListingTest, PathsOfOneFileAreTakenOnceByTheFirstThatIsNoLink)
{
    const std::string a = put("a.desc");
    const std::string b = put("b.desc");
    const std::string hard = (root.path() / "hard.desc").string();
    fs::create_hard_link(a, hard);
    const std::string dotted = (root.path() / "." / "b.desc").string();
    const std::string missing = root.file("missing.desc");
    std::vector<PathAlias> aliases;
    EXPECT_EQ(WithoutAliases({a, b, hard, dotted, missing, missing, a}, aliases),
              (std::vector<std::string>{a, b, missing, missing}))
        << "a path that names nothing is left for the load to name";
    EXPECT_EQ(aliases, (std::vector<PathAlias>{{hard, a}, {dotted, b}, {a, a}}));
#ifndef _WIN32
    // A mod's file keeps its own name, wherever a link to it stands.
    const std::string link = (root.path() / "0-link.desc").string();
    const std::string link2 = (root.path() / "1-link.desc").string();
    fs::create_symlink(b, link);
    fs::create_symlink(b, link2);
    EXPECT_EQ(WithoutAliases({link, a, b, link2}, aliases), (std::vector<std::string>{a, b}));
    EXPECT_EQ(aliases, (std::vector<PathAlias>{{link, b}, {link2, b}}));
    EXPECT_EQ(WithoutAliases({link2, link}, aliases), (std::vector<std::string>{link2}));
    EXPECT_EQ(aliases, (std::vector<PathAlias>{{link, link2}}));
#endif
}

TEST(PathOrderTest, SortsNameByNameFoldingCase)
{
    std::vector<std::string> paths{"/m/b", "/m/a.txt", "/m/A/z", "/m/a/Y", "/m/B.desc"};
    SortInPathOrder(paths);
    EXPECT_EQ(paths, (std::vector<std::string>{"/m/a/Y", "/m/A/z", "/m/a.txt", "/m/b", "/m/B.desc"}));
}

TEST(PathOrderTest, CommonFolderAndRelativePath)
{
#ifdef _WIN32
    EXPECT_EQ(CommonFolder({"C:\\mod\\units\\a.desc", "c:\\MOD\\b.desc"}), "C:\\mod");
    EXPECT_EQ(CommonFolder({"C:\\a\\x", "C:\\b\\y"}), "C:\\");
    EXPECT_EQ(RelativeToRoot("C:\\mod", "c:\\Mod\\units\\a.desc"), "units\\a.desc");
    EXPECT_EQ(RelativeToRoot("C:\\", "C:\\a.desc"), "a.desc");
#else
    EXPECT_EQ(CommonFolder({"/mod/units/a.desc", "/mod/b.desc", "/mod/units/deep/c.desc"}), "/mod");
    EXPECT_EQ(CommonFolder({"/mod/units/a.desc"}), "/mod/units");
    EXPECT_EQ(CommonFolder({"/ab/x", "/abc/y"}), "/");
    EXPECT_EQ(CommonFolder({"/Mod/x", "/mod/y"}), "/");
    EXPECT_EQ(RelativeToRoot("/mod", "/mod/units/a.desc"), "units/a.desc");
    EXPECT_EQ(RelativeToRoot("/mod/", "/mod/a.desc"), "a.desc");
    EXPECT_EQ(RelativeToRoot("/", "/a.desc"), "a.desc");
    EXPECT_EQ(RelativeToRoot("/mo", "/mod/a.desc"), "/mod/a.desc");
#endif
    EXPECT_EQ(CommonFolder({"a.desc", "b.desc"}), "");
    EXPECT_EQ(CommonFolder({}), "");
}

}  // namespace
}  // namespace dravik
