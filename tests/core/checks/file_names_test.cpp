#include "core/checks/file_names.h"

#include "tests/core/test_files.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace dravik {
namespace {

TEST(FileNames, APathNamesAFileFromEitherEndLetterCaseAside)
{
    test::TempFolder folder;
    for (const char* file : {"data/sprites/t34.spr", "data/sounds/Move.WAV", "readme.txt"}) {
        std::filesystem::create_directories((folder.path() / file).parent_path());
        test::WriteBytes((folder.path() / file).string(), "x");
    }
    FileNames base;  // the files below the folder, known in advance
    base.addListing(folder.path().string(), ListFolder(folder.path().string(), NamePattern(kEveryName)));
    const FilesBelow mod((folder.path() / "data").string(), CodePage::Default());  // looked up as asked
    struct Case {
        const char* value;
        bool inBase;  // named below the folder
        bool inMod;   // named below its data folder
    };
    for (const Case& c : {
             Case{"data\\sprites\\t34.spr", true, true},  // from above the mod's folder
             Case{"sprites/T34.SPR", true, true},
             Case{"game\\data\\sprites\\t34.spr", true, true},
             Case{"./data//sprites/t34.spr", true, true},
             Case{"t34.spr", true, false},  // a name alone names it from its end only
             Case{"SOUNDS\\move.wav", true, true},
             Case{"sprites\\t35.spr", false, false},
             Case{"sprites", false, false},  // a folder is no file
             Case{"readme.txt", true, false},
             Case{"", false, false},
         }) {
        EXPECT_EQ(base.names(c.value), c.inBase) << c.value;
        EXPECT_EQ(mod.names(c.value), c.inMod) << c.value;
    }
    EXPECT_EQ(base.extension("a\\b.Spr"), "spr");
    EXPECT_EQ(base.extension("a.b\\c"), "");
    EXPECT_EQ(base.paths().size(), 3u);
}

}  // namespace
}  // namespace dravik
