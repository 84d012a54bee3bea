// The batch's writers on key lines with fewer or more values than the
// variables file counts, and --only-changed.
#include "app/batch_command.h"

#include "tests/core/test_files.h"

#include <gtest/gtest.h>

#include <sstream>

namespace dravik {
namespace {

using Args = std::vector<std::string>;

constexpr const char* kA = "health 100\r\narmor 7\r\nspeed 36 30 12 7\r\n";
constexpr const char* kB = "health 90\r\narmor 1 2 3 4\r\nspeed 5 6\r\n";

class BatchValueCounts : public ::testing::Test {
protected:
    BatchValueCounts()
    {
        vars = dir.write("v.var", "[section1]\r\nhealth =1\r\narmor =4\r\nspeed =2\r\n");
        a = dir.write("a.desc", kA);
        b = dir.write("b.desc", kB);
        table = dir.file("table.txt");
    }
    int run(Args args)
    {
        out.str("");
        err.str("");
        args.insert(args.end(), {a, b});
        return RunBatchCommand(args, out, err);
    }

    test::TempFolder dir;
    std::string vars, a, b, table;
    std::ostringstream out, err;
};

TEST_F(BatchValueCounts, SetKeepsEveryValueOfALineAndSetsNoneItLacks)
{
    ASSERT_EQ(run({"set", "--vars", vars, "--key", "health", "--where", "100", "--expr", "+10"}), 0) << err.str();
    EXPECT_EQ(test::ReadBytes(a), "health  110 \r\narmor  7 \r\nspeed  36 30 12 7 \r\n");
    // Every value of armor: a's line has one, and gets no other.
    ASSERT_EQ(run({"set", "--vars", vars, "--key", "armor", "--expr", "=5"}), 0) << err.str();
    EXPECT_EQ(test::ReadBytes(a), "health  110 \r\narmor  5 \r\nspeed  36 30 12 7 \r\n");
    EXPECT_EQ(test::ReadBytes(b), "health  90 \r\narmor  5 5 5 5 \r\nspeed  5 6 \r\n");
    EXPECT_NE(err.str().find("5 cells changed in 2 files"), std::string::npos) << err.str();
}

TEST_F(BatchValueCounts, OnlyChangedWritesOnlyTheLinesWhoseValuesChange)
{
    ASSERT_EQ(run({"set", "--vars", vars, "--key", "speed", "--value", "1", "--where", "36", "--expr", "+1",
                   "--only-changed"}),
              0)
        << err.str();
    EXPECT_EQ(test::ReadBytes(a), "health 100\r\narmor 7\r\nspeed  37 30 12 7 \r\n");
    EXPECT_EQ(test::ReadBytes(b), kB);

    // An unchanged table: nothing to write with --only-changed, every file
    // respelled without it.
    ASSERT_EQ(run({"export", "--vars", vars, "--out", table}), 0) << err.str();
    ASSERT_EQ(run({"import", "--vars", vars, "--table", table, "--only-changed"}), 0) << err.str();
    EXPECT_EQ(test::ReadBytes(a), "health 100\r\narmor 7\r\nspeed  37 30 12 7 \r\n");
    EXPECT_EQ(test::ReadBytes(b), kB);
    ASSERT_EQ(run({"import", "--vars", vars, "--table", table}), 0) << err.str();
    EXPECT_EQ(test::ReadBytes(a), "health  100 \r\narmor  7 \r\nspeed  37 30 12 7 \r\n");
    EXPECT_EQ(test::ReadBytes(b), "health  90 \r\narmor  1 2 3 4 \r\nspeed  5 6 \r\n");
}

TEST_F(BatchValueCounts, ATableCarriesAnAbsentValueAsAnEmptyCellAndAValueTypedThereIsAppended)
{
    ASSERT_EQ(run({"export", "--vars", vars, "--out", table}), 0) << err.str();
    const std::string exported = test::ReadBytes(table);
    const std::string row = "\t" + a + "\t100\t7\t\t\t\t36\t30\t";
    const size_t at = exported.find(row);
    ASSERT_NE(at, std::string::npos) << exported;
    // Unchanged, as Calc saves it (no last TAB, LF), and with the single
    // blank a key the file lacks exports as: no change.
    std::string calc;
    for (size_t start = 0; start < exported.size();) {
        const size_t end = exported.find("\r\n", start);
        calc += exported.substr(start, end - start - 1) + "\n";
        start = end + 2;
    }
    test::WriteBytes(table, calc);
    ASSERT_EQ(run({"import", "--vars", vars, "--table", table, "--only-changed"}), 0) << err.str();
    std::string blanks = exported;
    blanks.replace(at, row.size(), "\t" + a + "\t100\t7\t \t \t \t36\t30\t");
    test::WriteBytes(table, blanks);
    ASSERT_EQ(run({"import", "--vars", vars, "--table", table, "--only-changed"}), 0) << err.str();
    EXPECT_EQ(test::ReadBytes(a), kA);

    std::string typed = exported;
    typed.replace(at, row.size(), "\t" + a + "\t100\t7\t\t8\t\t36\t30\t");
    test::WriteBytes(table, typed);
    ASSERT_EQ(run({"import", "--vars", vars, "--table", table, "--only-changed"}), 0) << err.str();
    EXPECT_EQ(test::ReadBytes(a), "health 100\r\narmor  7  8 \r\nspeed 36 30 12 7\r\n");
    EXPECT_EQ(test::ReadBytes(b), kB);
    EXPECT_NE(err.str().find("an empty value"), std::string::npos) << err.str();
}

TEST_F(BatchValueCounts, ApplyNamesAValueTheLineLacksAndWritesNoneThere)
{
    const std::string patch = dir.write("p.txt", "Dravik 2 patch\tversion 1\r\n"
                                                 "a.desc\tarmor \t2\t1\t9\r\n"
                                                 "a.desc\thealth \t1\t100\t120\r\n");
    EXPECT_EQ(run({"apply", "--vars", vars, "--patch", patch}), 1);
    EXPECT_NE(err.str().find("the file's line of the key has fewer values"), std::string::npos) << err.str();
    EXPECT_EQ(test::ReadBytes(a), "health  120 \r\narmor  7 \r\nspeed  36 30 12 7 \r\n");
    EXPECT_EQ(test::ReadBytes(b), kB);
}

}  // namespace
}  // namespace dravik
