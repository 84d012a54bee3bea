// The batch import's warning of imported values that look wrong.
#include "app/batch_command.h"

#include "tests/core/test_files.h"

#include <gtest/gtest.h>

#include <sstream>

namespace dravik {
namespace {

TEST(BatchValueChecks, ImportWarnsOfProblemCellsAndWritesThem)
{
    test::TempFolder dir;
    const std::string vars = dir.write("v.var", "[section1]\r\nhp=1\r\narmor=2\r\n");
    const std::string a = dir.write("a.desc", "hp 10\r\narmor 1 2\r\n");
    const std::string b = dir.write("b.desc", "hp 20\r\narmor 3 4\r\n");
    const std::string table = dir.file("t.txt");
    std::ostringstream out, err;
    ASSERT_EQ(RunBatchCommand({"export", "--vars", vars, "--out", table, a, b}, out, err), 0) << err.str();

    // hp of b.desc becomes text; nothing else changes: no warning.
    std::string text = test::ReadBytes(table);
    ASSERT_EQ(RunBatchCommand({"import", "--vars", vars, "--table", table, a, b}, out, err), 0) << err.str();
    EXPECT_EQ(err.str(), "");
    const size_t at = text.find("\t20\t");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 4, "\tlots\t");
    const size_t armor = text.find("\t3\t4\t");
    ASSERT_NE(armor, std::string::npos);
    text.replace(armor, 5, "\t3 5\t4\t");
    test::WriteBytes(table, text);

    ASSERT_EQ(RunBatchCommand({"import", "--vars", vars, "--table", table, a, b}, out, err), 0) << err.str();
    EXPECT_EQ(err.str(), "warning: 2 imported cells look wrong; written as they are:\n"
                         "  " + b + "\thp\tlots\tnot a number, in a column whose files all hold numbers\n"
                         "  " + b + "\tarmor\t3 5\tseveral words: Save all writes each as a value of its own, "
                         "so the key's later values move along\n");
    EXPECT_EQ(test::ReadBytes(b), "hp lots \r\narmor 3 5 4 \r\n");
}

// A NUL from a spreadsheet would cut the game's line short: refused, as a
// line break is. Another control character is named and written.
TEST(BatchValueChecks, ImportRefusesANulAndNamesOtherControlCharacters)
{
    test::TempFolder dir;
    const std::string vars = dir.write("v.var", "[section1]\r\nhp=1\r\n[section_text]\r\ndescription=1\r\n");
    const std::string a = dir.write("a.desc", "hp 10\r\ndescription a tank\r\n");
    const std::string table = dir.file("t.txt");
    std::ostringstream out, err;
    ASSERT_EQ(RunBatchCommand({"export", "--vars", vars, "--out", table, a}, out, err), 0) << err.str();
    const std::string exported = test::ReadBytes(table);
    const size_t at = exported.find("a tank");
    ASSERT_NE(at, std::string::npos);

    std::string text = exported;
    test::WriteBytes(table, text.replace(at, 6, std::string("a\0tank", 6)));
    EXPECT_EQ(RunBatchCommand({"import", "--vars", vars, "--table", table, a}, out, err), 1);
    EXPECT_EQ(err.str(), "error: 1 imported cell looks wrong; a value holding a NUL or a Ctrl+Z cannot be written, "
                         "nothing was written:\n  " + a + "\tdescription\ta^@tank\ta NUL (byte 0): Save all cannot "
                         "write it, as the game and other programs end the line there\n");
    EXPECT_EQ(test::ReadBytes(a), "hp 10\r\ndescription a tank\r\n");

    text = exported;
    test::WriteBytes(table, text.replace(at, 6, "a\atank"));
    err.str("");
    EXPECT_EQ(RunBatchCommand({"import", "--vars", vars, "--table", table, a}, out, err), 0);
    EXPECT_EQ(err.str(), "warning: 1 imported cell looks wrong; written as it is:\n  " + a +
                             "\tdescription\ta^Gtank\ta control character (byte 7), invisible, which no desc line "
                             "should hold\n");
    EXPECT_EQ(test::ReadBytes(a), "hp 10 \r\ndescription a\atank \r\n");
}

// A dry run writes nothing, and says so; a set value that looks wrong is
// named as an imported one is.
TEST(BatchValueChecks, SetNamesTheCellsThatLookWrongAlsoInADryRun)
{
    test::TempFolder dir;
    const std::string vars = dir.write("v.var", "[section1]\r\nhp=1\r\n");
    const std::string a = dir.write("a.desc", "hp 10\r\n");
    const std::string b = dir.write("b.desc", "hp 20\r\n");
    std::ostringstream out, err;
    ASSERT_EQ(RunBatchCommand({"set", "--vars", vars, "--key", "hp", "--where", "> 15", "--expr", "{x}_old",
                               "--dry-run", a, b},
                              out, err),
              0)
        << err.str();
    EXPECT_EQ(err.str().rfind("warning: 1 cell set looks wrong; would be written as it is:\n"
                              "  " + b + "\thp\t20_old\tnot a number, in a column whose files all hold numbers\n",
                              0),
              0u)
        << err.str();
    EXPECT_EQ(test::ReadBytes(b), "hp 20\r\n");
}

}  // namespace
}  // namespace dravik
