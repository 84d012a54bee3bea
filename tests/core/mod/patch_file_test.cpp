#include "core/mod/patch_file.h"

#include "core/errors.h"
#include "core/text/record_file.h"
#include "tests/core/mod/merge_scenario.h"

#include <gtest/gtest.h>

namespace dravik {
namespace {

std::string ReadError(std::string_view bytes)
{
    try {
        ReadPatchText(bytes, "p.txt");
    } catch (const DravikError& e) {
        return e.what();
    }
    return {};
}

TEST(PatchFile, WritesAndReadsBackEveryField)
{
    const std::vector<PatchLine> lines = {
        {"units/gun.desc", "hp ", 1, "50", "60"},
        {"units/tank.desc", "name ", 1, "T-34 \xEE\xE1\xF0.", ""},  // windows-1251 bytes, an emptied value
    };
    const std::string text = PatchFileText(lines);
    EXPECT_EQ(text, "Dravik 2 patch\tversion 1\r\nunits/gun.desc\thp \t1\t50\t60\r\n"
                    "units/tank.desc\tname \t1\tT-34 \xEE\xE1\xF0.\t\r\n");
    EXPECT_EQ(ReadPatchText(text, "p.txt").lines, lines);
    EXPECT_FALSE(ReadPatchText(text, "p.txt").utf8Mark);
    // As a spreadsheet may save it: LF line ends and an empty last line.
    EXPECT_EQ(ReadPatchText("Dravik 2 patch\tversion 1\nunits/gun.desc\thp \t1\t50\t60\n\n", "p.txt").lines,
              std::vector<PatchLine>{lines.front()});
    EXPECT_EQ(ReadPatchText(merge::kYPatch, "p.txt").lines.size(), 4u);
    // As Notepad saves it in UTF-8: the mark is noted, for the open files to judge.
    const PatchFile marked = ReadPatchText("\xEF\xBB\xBF" + text, "p.txt");
    EXPECT_TRUE(marked.utf8Mark);
    EXPECT_EQ(marked.lines, lines);
    EXPECT_FALSE(FitsField("a\tb"));
    EXPECT_FALSE(FitsField("a\rb"));
    EXPECT_TRUE(FitsField("a b"));
}

TEST(PatchFile, NamesWhatItCannotRead)
{
    EXPECT_EQ(ReadError("File name\tarmor\r\n"),
              "\"p.txt\" is not a patch: its first line should read \"Dravik 2 patch\", a TAB and \"version 1\"");
    EXPECT_EQ(ReadError(""), ReadError("File name\tarmor\r\n"));
    EXPECT_EQ(ReadError("Dravik 2 patch\tversion 2\r\n"),
              "\"p.txt\" is a patch of version 2, written by a later Dravik 2; this one reads version 1");
    EXPECT_EQ(ReadError("Dravik 2 patch\tversion 1\r\na\thp \t1\t50\r\n"),
              "Line 2 of \"p.txt\" has 4 fields; a patch line has five: path, key, value number, base value, mod value");
    EXPECT_EQ(ReadError("Dravik 2 patch\tversion 1\r\n\r\na\thp \tfirst\t50\t60\r\n"),
              "Line 3 of \"p.txt\" has no value number (1 for a key's first value): \"first\"");
    EXPECT_EQ(ReadError("Dravik 2 patch\tversion 1\r\na\thp \t0\t50\t60\r\n"),
              "Line 2 of \"p.txt\" has no value number (1 for a key's first value): \"0\"");
    EXPECT_EQ(ReadError("Dravik 2 patch\tversion 1\r\n\thp \t1\t50\t60\r\n"), "Line 2 of \"p.txt\" names no file");
}

}  // namespace
}  // namespace dravik
