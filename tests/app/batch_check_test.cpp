#include "app/batch_command.h"
#include "core/checks/accepted_checks.h"
#include "core/files/native_path.h"

#include "tests/core/checks/game_folders.h"

#include <gtest/gtest.h>

#include <sstream>

namespace dravik {
namespace {

using Args = std::vector<std::string>;

class BatchCheck : public ::testing::Test {
protected:
    void SetUp() override
    {
        tank = game.write("mod", "units/tanks/tank01.desc",
                          test::UnitText("4500", "30.5", "diesel", "tank", "sprites\\tank01.spr", "Tank"));
        man = game.write("mod", "units/infantry/man02.desc",
                         test::UnitText("2", "3.5", "none", "man", "sprites\\man02.spr", "Man"));
    }
    int run(Args args)
    {
        out.str("");
        err.str("");
        return RunBatchCommand(args, out, err);
    }

    test::GameFolders game;
    std::string tank, man;
    std::ostringstream out, err;
};

TEST_F(BatchCheck, PrintsEachCheckAndExitsOneWhenThereAreAnyZeroWhenNone)
{
    const std::string line = PathText(tank) +
                             "\tarmor \t1\t4500\tarmor: the base game's files have 1 to 210 (24 files); this is 4500\n";
    EXPECT_EQ(run({"check", "--vars", game.vars, "--base", game.folder("base"), "--pattern", "*.desc",
                   game.folder("mod")}),
              1)
        << err.str();
    EXPECT_EQ(out.str(), line);
    EXPECT_EQ(err.str(), "check: 1 value(s) in 1 of 2 file(s) look wrong against the rules learned from 24 desc "
                         "file(s) of the base game\n");
    EXPECT_EQ(run({"check", "--vars", game.vars, "--base", game.folder("base"), man}), 0);
    EXPECT_EQ(out.str(), "");

    // The rules written, then checked against without the base game.
    const std::string rules = game.root.file("rules.txt");
    EXPECT_EQ(run({"check", "--vars", game.vars, "--base", game.folder("base"), "--rules", rules, tank}), 1);
    EXPECT_EQ(out.str(), line);
    EXPECT_EQ(run({"check", "--vars", game.vars, "--rules", rules, tank, man}), 1);
    EXPECT_EQ(out.str(), line);

    // What was accepted beside the variables file, or in a file named.
    AcceptedEntry tankArmor;
    tankArmor.file = "units/tanks/tank01.desc";
    tankArmor.column = {dravik::SectionNumber(1), "armor ", 1};
    tankArmor.value = "4500";
    AcceptedChecks accepted;
    accepted.add(tankArmor);
    WriteAcceptedFile(AcceptedFilePath(game.vars), accepted);
    EXPECT_EQ(run({"check", "--vars", game.vars, "--rules", rules, game.folder("mod")}), 0);
    EXPECT_EQ(run({"check", "--vars", game.vars, "--rules", rules, "--accepted", game.root.file("none"),
                   game.folder("mod")}),
              1);
}

TEST_F(BatchCheck, ExitsTwoForBadUsageAndTrouble)
{
    for (const Args& args : {
             Args{"check", "--vars", game.vars, tank},
             Args{"check", "--base", game.folder("base"), tank},
             Args{"check", "--vars", game.vars, "--base", game.folder("base")},
             Args{"check", "--vars", game.vars, "--base", game.folder("base"), "--theirs", tank},
         }) {
        EXPECT_EQ(run(args), 2);
        EXPECT_EQ(err.str().substr(0, 7), "usage: ");
    }
    EXPECT_EQ(run({"check", "--vars", game.vars, "--rules", game.root.file("none.txt"), tank}), 2);
    EXPECT_EQ(err.str().substr(0, 18), "Cannot open file \"");
    EXPECT_EQ(run({"check", "--vars", game.vars, "--rules", game.vars, tank}), 2);
    EXPECT_EQ(err.str(), "\"" + PathText(game.vars) +
                             "\" is not a rules file: its first line should read \"Dravik 2 rules\", a TAB and "
                             "\"version 1\"\n");
    EXPECT_EQ(run({"check", "--vars", game.vars, "--base", game.folder("nowhere"), tank}), 2);
}

}  // namespace
}  // namespace dravik
