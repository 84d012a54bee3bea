#include "app/batch_command.h"

#include "tests/core/mod/mod_folders.h"

#include <gtest/gtest.h>

#include <filesystem>
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
    EXPECT_EQ(out.str(), merge::kYPatch);
    EXPECT_EQ(err.str(), "diff: 4 values in 2 of 2 files differ from the base\n");

    const std::string patch = folders.root.file("y.txt");
    EXPECT_EQ(run({"diff", "--vars", folders.vars, "--base", folders.folder("B"), "--patch", patch},
                  folders.files("Y")),
              1);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(test::ReadBytes(patch), merge::kYPatch);
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

TEST_F(BatchMod, ApplyMergesAnotherModsPatchAndListsTheConflicts)
{
    const std::string patch = folders.root.write("y.txt", merge::kYPatch);
    EXPECT_EQ(run({"apply", "--vars", folders.vars, "--patch", patch}, folders.files("X")), 1);
    EXPECT_EQ(read("X", "units/tank.desc"), merge::kMergedTank);
    EXPECT_EQ(read("X", "guns/gun.desc"), merge::kMergedGun);
    EXPECT_EQ(err.str(), "Conflicts, left as they were (path, key, value, the patch's base value, the value found, "
                         "the patch's value):\nunits/tank.desc\thp \t1\t100\t110\t120\n"
                         "apply: 3 values applied; 0 already held the patch's value; 1 conflict left as it was; "
                         "0 lines naming what is not there; 2 of 2 files written\n");
    EXPECT_EQ(read("B", "units/tank.desc"), merge::kBaseTank);
    EXPECT_EQ(read("Y", "units/tank.desc"), merge::kYTank);

    // Again: only the conflict is left, and no file is written.
    const auto written = std::filesystem::last_write_time(folders.path("X", "guns/gun.desc"));
    EXPECT_EQ(run({"apply", "--vars", folders.vars, "--patch", patch}, folders.files("X")), 1);
    EXPECT_NE(err.str().find("3 already held the patch's value; 1 conflict left as it was; 0 lines naming "
                             "what is not there; 0 of 2 files written"),
              std::string::npos)
        << err.str();
    EXPECT_EQ(std::filesystem::last_write_time(folders.path("X", "guns/gun.desc")), written);

    EXPECT_EQ(run({"apply", "--vars", folders.vars, "--patch", patch, "--theirs"}, folders.files("X")), 0) << err.str();
    EXPECT_EQ(read("X", "units/tank.desc"), merge::kTheirsTank);
}

TEST_F(BatchMod, ApplyDryRunWritesNothingAndReportsLinesThatFindNothing)
{
    const std::string patch = folders.root.write(
        "p.txt", std::string(merge::kYPatch) + "units/jeep.desc\thp \t1\t1\t2\r\nguns/gun.desc\tarmor \t1\t1\t2\r\n");
    EXPECT_EQ(run({"apply", "--vars", folders.vars, "--patch", patch, "--dry-run", "--theirs"}, folders.files("X")),
              1);
    EXPECT_EQ(read("X", "units/tank.desc"), merge::kXTank);
    EXPECT_NE(out.str().find("-hp 110\n"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("+hp  120 \n [section2]"), std::string::npos) << out.str();
    EXPECT_NE(err.str().find("Lines naming what is not there, not applied (path, key, value, why):\n"
                             "units/jeep.desc\thp \t1\tno open file has this path\n"
                             "guns/gun.desc\tarmor \t1\tthe file has no line for the key\n"),
              std::string::npos)
        << err.str();
    EXPECT_NE(err.str().find("2 of 2 files would be written"), std::string::npos) << err.str();

    folders.root.write("bad.txt", "Dravik 2 patch\tversion 1\r\nguns/gun.desc\thp \r\n");
    EXPECT_EQ(run({"apply", "--vars", folders.vars, "--patch", folders.root.file("bad.txt")}, folders.files("X")), 1);
    EXPECT_NE(err.str().find("Line 2 of"), std::string::npos) << err.str();
    EXPECT_EQ(run({"apply", "--vars", folders.vars}, folders.files("X")), 2);
}

}  // namespace
}  // namespace dravik
