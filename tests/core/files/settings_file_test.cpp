#include "core/files/settings_file.h"

#include "core/text/dravik2_auxillary.h"
#include "core/files/file_io.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <random>
#include <string>

namespace dravik {
namespace {

namespace fs = std::filesystem;

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device seed;
        folder_ = fs::temp_directory_path() / ("dravik-settings-" + std::to_string(seed()) + "-" +
                                               std::to_string(seed()));
        fs::create_directories(folder_);
        path_ = (folder_ / "DRAVIK2.INI").string();
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

    void put(const std::string& bytes)
    {
        FileError err;
        ASSERT_TRUE(WriteFileSafely(path_, bytes, err)) << err.reason;
    }
    std::string contents() const
    {
        std::string bytes;
        FileError err;
        EXPECT_TRUE(ReadWholeFile(path_, bytes, err)) << err.reason;
        return bytes;
    }

    fs::path folder_;
    std::string path_;
};

TEST(SettingsFilePath, ReplacesOnlyTheNamesExtension)
{
    const std::string s(1, kPathSeparator);
    EXPECT_EQ(SettingsFile::PathForExecutable("C:" + s + "Games" + s + "dravik2.exe"),
              "C:" + s + "Games" + s + "dravik2.INI");
    EXPECT_EQ(SettingsFile::PathForExecutable(s + "opt" + s + "dravik2"), s + "opt" + s + "dravik2.INI");
    EXPECT_EQ(SettingsFile::PathForExecutable(s + "my.tools" + s + "dravik2"), s + "my.tools" + s + "dravik2.INI");
    EXPECT_EQ(SettingsFile::PathForExecutable(s + "my.tools" + s + "d.v2.bin"), s + "my.tools" + s + "d.v2.INI");
    EXPECT_EQ(SettingsFile::PathForExecutable("dravik2.exe"), "dravik2.INI");
}

TEST_F(SettingsFileTest, EveryValueFormReadsBackAsWritten)
{
    SettingsFile writer(path_);  // the file does not exist yet
    ASSERT_TRUE(writer.writeString("Main", "Folder", "D:\\SS\\desc"));
    ASSERT_TRUE(writer.writeString("Main", "Padded", "  two blanks  "));
    ASSERT_TRUE(writer.writeString("Main", "Quoted", "\"in quotes\""));
    ASSERT_TRUE(writer.writeString("Main", "SingleQuoted", "'in quotes'"));
    ASSERT_TRUE(writer.writeString("Main", "Empty", ""));
    ASSERT_TRUE(writer.writeString("Main", "HighBytes", "\xC4\xF0\xE0\xE2\xE8\xEA"));
    ASSERT_TRUE(writer.writeInteger("Main", "Left", -120));
    ASSERT_TRUE(writer.writeInteger("Main", "Lowest", INT_MIN));
    ASSERT_TRUE(writer.writeBool("Console", "Visible", true));
    ASSERT_TRUE(writer.writeBool("Console", "Docked", false));

    SettingsFile reader(path_);
    EXPECT_EQ(reader.readString("Main", "Folder", "?"), "D:\\SS\\desc");
    EXPECT_EQ(reader.readString("Main", "Padded", "?"), "  two blanks  ");
    EXPECT_EQ(reader.readString("Main", "Quoted", "?"), "\"in quotes\"");
    EXPECT_EQ(reader.readString("Main", "SingleQuoted", "?"), "'in quotes'");
    EXPECT_EQ(reader.readString("Main", "Empty", "?"), "");
    EXPECT_EQ(reader.readString("Main", "HighBytes", "?"), "\xC4\xF0\xE0\xE2\xE8\xEA");
    EXPECT_EQ(reader.readInteger("Main", "Left", 0), -120);
    EXPECT_EQ(reader.readInteger("Main", "Lowest", 0), INT_MIN);
    EXPECT_TRUE(reader.readBool("Console", "Visible", false));
    EXPECT_FALSE(reader.readBool("Console", "Docked", true));
    // The writer's own reads follow its writes too.
    EXPECT_EQ(writer.readInteger("Main", "Left", 0), -120);
}

TEST_F(SettingsFileTest, MissingOrUnreadableValuesGiveTheDefault)
{
    SettingsFile missing(path_);
    EXPECT_EQ(missing.readRaw("Main", "Left"), std::nullopt);
    EXPECT_EQ(missing.readString("Main", "Left", "dflt"), "dflt");
    EXPECT_EQ(missing.readInteger("Main", "Left", 7), 7);

    put("[Main]\r\nEmpty=\r\nBlank=   \r\nWord=wide\r\nNum=12px\r\nTwo=2\r\nZero=0\r\nHex=$1F\r\n"
        "Single='x y'\r\nDouble=\"x y\"\r\nUnmatched='x y\"\r\n");
    SettingsFile file(path_);
    EXPECT_EQ(file.readString("Other", "Word", "dflt"), "dflt");
    EXPECT_EQ(file.readString("Main", "Absent", "dflt"), "dflt");
    EXPECT_EQ(file.readString("Main", "Empty", "dflt"), "");
    EXPECT_EQ(file.readString("Main", "Blank", "dflt"), "");
    // One pair of enclosing quotes of either kind is dropped, as Windows does.
    EXPECT_EQ(file.readString("Main", "Single", "dflt"), "x y");
    EXPECT_EQ(file.readString("Main", "Double", "dflt"), "x y");
    EXPECT_EQ(file.readString("Main", "Unmatched", "dflt"), "'x y\"");
    EXPECT_EQ(file.readInteger("Main", "Empty", 7), 7);
    EXPECT_EQ(file.readInteger("Main", "Word", 7), 7);
    EXPECT_EQ(file.readInteger("Main", "Num", 7), 7);
    EXPECT_EQ(file.readInteger("Main", "Hex", 7), 31);
    EXPECT_TRUE(file.readBool("Main", "Two", false));
    EXPECT_FALSE(file.readBool("Main", "Zero", true));
    EXPECT_TRUE(file.readBool("Main", "Word", true));
    EXPECT_FALSE(file.readBool("Main", "Empty", false));
}

TEST_F(SettingsFileTest, NamesMatchLooselyAndTheFirstOccurrenceWins)
{
    put("Stray=before any section\n"
        "  [ Main ] ; the main window\n"
        "; Left=1\n"
        "  Left  =  10  \n"
        "LEFT=11\n"
        "Caption=\" spaced \"\n"
        "Eq=a=b\n"
        "[main]\n"
        "Top=5\n");
    SettingsFile file(path_);
    EXPECT_EQ(file.readInteger("MAIN", "left", 0), 10);
    EXPECT_EQ(file.readString(" main ", " Caption ", "?"), " spaced ");
    EXPECT_EQ(file.readString("Main", "Eq", "?"), "a=b");
    EXPECT_EQ(file.readRaw("Main", "Top"), std::nullopt);     // only in the second [main]
    EXPECT_EQ(file.readRaw("", "Stray"), std::nullopt);

    ASSERT_TRUE(file.writeInteger("main", "TOP", 6));
    EXPECT_EQ(contents(),
              "Stray=before any section\r\n  [ Main ] ; the main window\r\n; Left=1\r\n  Left  =  10  \r\n"
              "LEFT=11\r\nCaption=\" spaced \"\r\nEq=a=b\r\nTOP=6\r\n[main]\r\nTop=5\r\n");
}

TEST_F(SettingsFileTest, WritingAKeyKeepsEveryOtherLine)
{
    put("; Dravik settings\r\n"
        "[Main]\r\n"
        "Left=1\r\n"
        "ForeignKey = kept as is \r\n"
        "\r\n"
        "; console follows\r\n"
        "[Console]\r\n"
        "Top=2\r\n"
        "garbage line without equals\r\n"
        "\r\n"
        "[OtherProgram]\r\n"
        "Left=99\r\n");
    SettingsFile file(path_);
    ASSERT_TRUE(file.writeInteger("main", "left", 300));  // the caller's spelling is written
    ASSERT_TRUE(file.writeInteger("Main", "Width", 640));
    ASSERT_TRUE(file.writeInteger("Console", "Height", 200));
    ASSERT_TRUE(file.writeBool("Grid", "Lines", true));
    EXPECT_EQ(contents(),
              "; Dravik settings\r\n[Main]\r\nleft=300\r\nForeignKey = kept as is \r\nWidth=640\r\n\r\n"
              "; console follows\r\n[Console]\r\nTop=2\r\nHeight=200\r\ngarbage line without equals\r\n\r\n"
              "[OtherProgram]\r\nLeft=99\r\n\r\n[Grid]\r\nLines=1\r\n");
}

TEST_F(SettingsFileTest, SeveralKeysGoInOneWriteOrNotAtAll)
{
    put("[Main]\r\nLeft=1\r\n\r\n[Console]\r\nTop=2\r\n");
    SettingsFile file(path_);
    ASSERT_TRUE(file.writeStrings("Console", {{"A", "x"}, {"Top", "3"}, {"B", "y"}}));
    ASSERT_TRUE(file.writeStrings("Folders", {{"Folder1", "C:\\mod"}, {"Pattern1", "*.desc"}}));
    const std::string written = "[Main]\r\nLeft=1\r\n\r\n[Console]\r\nTop=3\r\nA=x\r\nB=y\r\n\r\n"
                                "[Folders]\r\nFolder1=C:\\mod\r\nPattern1=*.desc\r\n";
    EXPECT_EQ(contents(), written);
    EXPECT_EQ(file.readString("Folders", "Pattern1", ""), "*.desc");
    EXPECT_FALSE(file.writeStrings("Folders", {{"Folder2", "D:\\x"}, {"Bad", "two\nlines"}}));
    EXPECT_EQ(contents(), written);
}

TEST_F(SettingsFileTest, LineEndsAreNormalisedButNoTextChanges)
{
    put("[Main]\nLeft=1\rTop=2\r\n;end");  // mixed breaks, no break at the end
    SettingsFile file(path_);
    ASSERT_TRUE(file.writeInteger("Main", "Top", 3));
    EXPECT_EQ(contents(), "[Main]\r\nLeft=1\r\nTop=3\r\n;end\r\n");
}

TEST_F(SettingsFileTest, EachWriteKeepsKeysTheOtherWindowWroteMeanwhile)
{
    SettingsFile mainWindow(path_);
    SettingsFile console(path_);
    ASSERT_TRUE(mainWindow.writeInteger("Main", "Left", 1));
    ASSERT_TRUE(console.writeInteger("Console", "Left", 2));
    ASSERT_TRUE(mainWindow.writeInteger("Main", "Top", 3));

    SettingsFile after(path_);
    EXPECT_EQ(after.readInteger("Main", "Left", 0), 1);
    EXPECT_EQ(after.readInteger("Console", "Left", 0), 2);
    EXPECT_EQ(after.readInteger("Main", "Top", 0), 3);
}

TEST_F(SettingsFileTest, UnwritableTargetsFailAndChangeNothing)
{
    SettingsFile onFolder(folder_.string());
    EXPECT_EQ(onFolder.readInteger("Main", "Left", 5), 5);
    EXPECT_FALSE(onFolder.writeInteger("Main", "Left", 1));
    EXPECT_TRUE(fs::is_directory(folder_));

    SettingsFile inMissingFolder((folder_ / "absent" / "DRAVIK2.INI").string());
    EXPECT_FALSE(inMissingFolder.writeInteger("Main", "Left", 1));

    // Text that would read back as something else is refused, not written.
    put("[Main]\r\nLeft=1\r\n");
    SettingsFile file(path_);
    EXPECT_FALSE(file.writeString("Main", "Folder", "two\nlines"));
    EXPECT_FALSE(file.writeString("Main", "A=B", "x"));
    EXPECT_FALSE(file.writeString("Ma]in", "Left", "x"));
    EXPECT_FALSE(file.writeString("Main", "  ", "x"));
    EXPECT_EQ(contents(), "[Main]\r\nLeft=1\r\n");
}

TEST_F(SettingsFileTest, BinaryAndHugeFilesAreReadAndWritten)
{
    std::mt19937 random(12345);
    std::string noise(64 * 1024, '\0');
    for (char& c : noise)
        c = static_cast<char>(random() & 0xFF);
    noise[100] = '\0';
    put(noise);
    {
        SettingsFile file(path_);
        EXPECT_EQ(file.readInteger("Main", "Left", 4), 4);
        ASSERT_TRUE(file.writeInteger("Main", "Left", 8));
        EXPECT_EQ(SettingsFile(path_).readInteger("Main", "Left", 0), 8);
    }

    std::string many;
    for (int i = 0; i < 10000; ++i)
        many += "[S" + std::to_string(i) + "]\r\nKey=" + std::to_string(i) + "\r\n";
    put(many);
    SettingsFile file(path_);
    long long sum = 0;
    for (int i = 0; i < 10000; ++i)
        sum += file.readInteger("s" + std::to_string(i), "key", -1);
    EXPECT_EQ(sum, 9999LL * 10000 / 2);
    ASSERT_TRUE(file.writeInteger("S5000", "Key", -5));
    ASSERT_TRUE(file.writeInteger("S10000", "Key", 10000));
    SettingsFile reread(path_);
    EXPECT_EQ(reread.readInteger("S5000", "Key", 0), -5);
    EXPECT_EQ(reread.readInteger("S9999", "Key", 0), 9999);
    EXPECT_EQ(reread.readInteger("S10000", "Key", 0), 10000);
}

}  // namespace
}  // namespace dravik
