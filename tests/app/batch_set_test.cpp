#include "app/batch_command.h"

#include "tests/core/bulk/bulk_test_folder.h"
#include "tests/core/test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace dravik {
namespace {

using Args = std::vector<std::string>;

class BatchSet : public ::testing::Test {
protected:
    void SetUp() override
    {
        vars = dir.write("v.var", "[section1]\r\nhp=2\r\nname=1\r\n[section2]\r\nspeed=1\r\n");
        a = dir.write("a.desc", "hp 10 20\r\nname tank\r\n[section2]\r\nspeed 3\r\n");
        b = dir.write("b.desc", "hp 7 x\r\nname gun\r\nspeed 40\r\n");
        c = dir.write("c.desc", "hp  5 5 \r\nname truck \r\nspeed  1 \r\n");
    }
    int run(Args args)
    {
        out.str("");
        err.str("");
        return RunBatchCommand(args, out, err);
    }
    static std::string Read(const std::string& path) { return test::BulkFolder::read(path); }

    test::BulkFolder dir;
    std::string vars, a, b, c;
    std::ostringstream out, err;
};

TEST_F(BatchSet, SetsOneValueWhereTheFilterMatchesAndWritesOnlyThoseFiles)
{
    const auto untouched = std::filesystem::last_write_time(c);
    // Value 2 of hp, halved where it is over 10: only a.desc changes ("x" is no number).
    ASSERT_EQ(run({"set", "--vars", vars, "--key", "hp", "--value", "2", "--where", "> 10", "--expr", "/2", a, b, c}),
              0)
        << err.str();
    EXPECT_EQ(Read(a), "hp 10 10 \r\nname tank \r\n[section2]\r\nspeed 3 \r\n");
    EXPECT_EQ(Read(b), "hp 7 x\r\nname gun\r\nspeed 40\r\n");
    EXPECT_EQ(std::filesystem::last_write_time(c), untouched);
    EXPECT_NE(err.str().find("1 cell changed in 1 file;"), std::string::npos) << err.str();

    // Every value of the key, rows picked by another key; the whole numbers
    // are rounded half away from zero, the text is left and counted.
    ASSERT_EQ(run({"set", "--vars", vars, "--key", "hp", "--where", ">= 40", "--where-key", "speed", "--expr",
                   "x*1.5", a, b, c}),
              0)
        << err.str();
    EXPECT_EQ(Read(b), "hp 11 x \r\nname gun \r\nspeed 40 \r\n");
    EXPECT_NE(err.str().find("1 left as it was (not a number)"), std::string::npos) << err.str();
    EXPECT_EQ(std::filesystem::last_write_time(c), untouched);
}

TEST_F(BatchSet, DryRunPrintsTheDiffAndWritesNothing)
{
    ASSERT_EQ(run({"set", "--vars", vars, "--key", "speed", "--expr", "+1", "--dry-run", a, b}), 0) << err.str();
    EXPECT_EQ(out.str(), "--- " + a + "\n+++ " + a +
                             "\n@@ -1,4 +1,4 @@\n-hp 10 20\n-name tank\n+hp 10 20 \n+name tank \n [section2]\n"
                             "-speed 3\n+speed 4 \n--- " +
                             b + "\n+++ " + b + "\n@@ -1,3 +1,3 @@\n-hp 7 x\n-name gun\n-speed 40\n+hp 7 x \n"
                             "+name gun \n+speed 41 \n");
    EXPECT_EQ(Read(a), "hp 10 20\r\nname tank\r\n[section2]\r\nspeed 3\r\n");
    EXPECT_NE(err.str().find("2 of 2 files would be written"), std::string::npos) << err.str();
}

TEST_F(BatchSet, BadInputChangesNoFile)
{
    EXPECT_EQ(run({"set", "--vars", vars, "--key", "hp", "--expr", "x*(2", a}), 2);
    EXPECT_NE(err.str().find("--expr: "), std::string::npos) << err.str();
    EXPECT_EQ(run({"set", "--vars", vars, "--key", "hp", "--where", "> ten", "--expr", "+1", a}), 2);
    EXPECT_EQ(run({"set", "--vars", vars, "--key", "armor", "--expr", "+1", a}), 1);
    EXPECT_NE(err.str().find("\"armor\""), std::string::npos) << err.str();
    EXPECT_EQ(run({"set", "--vars", vars, "--key", "hp", "--value", "3", "--expr", "+1", a}), 1);
    EXPECT_EQ(run({"set", "--vars", vars, "--key", "hp", "--value", "0", "--expr", "+1", a}), 2);
    EXPECT_EQ(run({"set", "--vars", vars, "--key", "hp", a}), 2);  // no --expr
    // Plain text is a typo ("x2" for "x*2") until "=" or "'" says otherwise.
    EXPECT_EQ(run({"set", "--vars", vars, "--key", "hp", "--expr", "x2", a}), 2);
    EXPECT_EQ(err.str(), "dravik2-batch set: --expr: Unknown name \"x2\" at position 1; to set a text, write 'x2\n");
    EXPECT_EQ(Read(a), "hp 10 20\r\nname tank\r\n[section2]\r\nspeed 3\r\n");
}

// Every column of a text key holds its one text, and Save all writes only
// the first: a later one set would be reported and never written.
TEST_F(BatchSet, ATextKeyHasOneValueWhateverItsCount)
{
    const std::string textVars = dir.write("t.var", "[section_text]\r\nname=2\r\n");
    EXPECT_EQ(run({"set", "--vars", textVars, "--key", "name", "--value", "2", "--expr", "{x}_old", a}), 1);
    EXPECT_EQ(err.str(), "The key \"name\" is in the text section, which holds one text per file: --value 2 cannot "
                         "be set, only 1.\n");
    EXPECT_EQ(Read(a), "hp 10 20\r\nname tank\r\n[section2]\r\nspeed 3\r\n");
    ASSERT_EQ(run({"set", "--vars", textVars, "--key", "name", "--expr", "{x}_old", a}), 0) << err.str();
    EXPECT_NE(err.str().find("1 cell changed in 1 file;"), std::string::npos) << err.str();
    EXPECT_EQ(Read(a), "hp 10 20\r\nname tank_old \r\n[section2]\r\nspeed 3\r\n");
}

// A write that fails part way (a full disk) writes no file, so that a second
// run, given room, makes each change once.
TEST_F(BatchSet, AFailedWriteWritesNoFile)
{
    b = dir.write("b.desc", "hp 7 8\r\n" + std::string(200, '#'));
    const Args args = {"set", "--vars", vars, "--key", "hp", "--value", "1", "--expr", "+1", a, b, c};
    {
        test::WriteFailure full(100, test::kDiskFull);  // a.desc fits, b.desc does not
        EXPECT_EQ(run(args), 1);
    }
    EXPECT_EQ(err.str(), "Cannot create file \"" + b + "\". " + test::Reason(test::kDiskFull) +
                             "; nothing was written.\n");
    EXPECT_EQ(Read(a), "hp 10 20\r\nname tank\r\n[section2]\r\nspeed 3\r\n");
    EXPECT_EQ(Read(b), "hp 7 8\r\n" + std::string(200, '#'));
    EXPECT_EQ(run(args), 0) << err.str();
    EXPECT_EQ(Read(a), "hp 11 20 \r\nname tank \r\n[section2]\r\nspeed 3 \r\n");
    EXPECT_EQ(Read(b), "hp 8 8 \r\n" + std::string(200, '#'));
}

TEST_F(BatchSet, FindListsTheMatchingCells)
{
    ASSERT_EQ(run({"find", "--vars", vars, "T", a, b, c}), 0) << err.str();
    EXPECT_EQ(out.str(), a + "\tname\ttank\n" + c + "\tname\ttruck\n");
    ASSERT_EQ(run({"find", "--vars", vars, "--regex", "--whole-cell", "[0-9]{2}", a, b, c}), 0) << err.str();
    EXPECT_EQ(out.str(), a + "\thp\t10\n" + a + "\thp\t20\n" + b + "\tspeed\t40\n");
    EXPECT_EQ(run({"find", "--vars", vars, "--match-case", "T", a}), 0);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(run({"find", "--vars", vars, "--regex", "(", a}), 2);
}

// A cell of a megabyte, and patterns the engine refuses: bad usage, said
// on standard error, with no file written.
TEST_F(BatchSet, RegexOverAMegabyteCellAndRefusedPatterns)
{
    const std::string name(1 << 20, 'y');
    const std::string big = dir.write("big.desc", "hp 1 2\r\nname " + name + "\r\n");
    ASSERT_EQ(run({"find", "--vars", vars, "--regex", ".*", big}), 0) << err.str();
    EXPECT_NE(out.str().find(big + "\tname\t" + name + "\n"), std::string::npos);
    ASSERT_EQ(run({"set", "--vars", vars, "--key", "hp", "--where", "/.*x/", "--where-key", "name", "--expr", "+1", big}),
              0)
        << err.str();
    EXPECT_NE(err.str().find("0 of 1 file written"), std::string::npos) << err.str();
    ASSERT_EQ(run({"set", "--vars", vars, "--key", "hp", "--where", "/^(y|yy)*$/", "--where-key", "name", "--expr",
                   "+1", big}),
              0)
        << err.str();
    EXPECT_EQ(Read(big), "hp 2 3 \r\nname " + name + " \r\n");

    // A pattern a backtracking matcher takes exponential time for, over
    // 10,000 characters, and one of 100,000 nested groups.
    const std::string as = dir.write("as.desc", "hp 1 2\r\nname " + std::string(10000, 'a') + "\r\n");
    ASSERT_EQ(run({"find", "--vars", vars, "--regex", "(a+)+b", as}), 0) << err.str();
    EXPECT_EQ(out.str(), "");
    const std::string nested = std::string(100000, '(') + "a" + std::string(100000, ')');
    EXPECT_EQ(run({"set", "--vars", vars, "--key", "hp", "--where", "/" + nested + "/", "--expr", "+1", as}), 2);
    EXPECT_EQ(err.str(), "dravik2-batch set: --where: The regular expression is too large at position 2\n");
    EXPECT_EQ(run({"find", "--vars", vars, "--regex", "[a-q][^u-z]{999}x", as}), 2);
    EXPECT_TRUE(err.str().starts_with("dravik2-batch find: PATTERN: The regular expression would search too slowly "
                                      "({999} makes it "))
        << err.str();

    EXPECT_EQ(run({"find", "--vars", vars, "--regex", "(a)\\1", a}), 2);
    EXPECT_EQ(err.str(), "dravik2-batch find: PATTERN: Back references (\\1) are not supported in regular expressions "
                         "at position 4\n");
    EXPECT_EQ(run({"set", "--vars", vars, "--key", "hp", "--where", "/a(?=b)/", "--expr", "+1", a}), 2);
    EXPECT_EQ(err.str(), "dravik2-batch set: --where: Lookahead and lookbehind ((?=) are not supported in regular "
                         "expressions at position 3\n");
    EXPECT_EQ(Read(a), "hp 10 20\r\nname tank\r\n[section2]\r\nspeed 3\r\n");
}

}  // namespace
}  // namespace dravik
