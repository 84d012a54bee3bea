#include "app/batch_command.h"
#include "core/modset/merged_build.h"
#include "core/modset/mod_set_setup.h"

#include "tests/core/modset/five_mods.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace dravik {
namespace {

using Args = std::vector<std::string>;

class BatchMerge : public ::testing::Test {
protected:
    int run(Args extra)
    {
        Args args = {"merge", "--vars", mods.vars, "--base", mods.folder("base"), "--out", mods.folder("out")};
        args.insert(args.end(), extra.begin(), extra.end());
        out.str("");
        err.str("");
        return RunBatchCommand(args, out, err);
    }
    Args Mods() const { return {mods.folder("A"), mods.folder("B"), mods.folder("C"), mods.patch, mods.folder("E")}; }
    std::vector<std::string> ErrLines(const std::string& kind) const
    {
        std::vector<std::string> lines;
        std::istringstream in(err.str());
        for (std::string line; std::getline(in, line);)
            if (line.rfind(kind + "\t", 0) == 0)
                lines.push_back(line.substr(kind.size() + 1));
        return lines;
    }

    test::FiveMods mods;
    std::ostringstream out, err;
};

TEST_F(BatchMerge, ExitsOneListingTheConflictsTheOrderResolved)
{
    Args args = Mods();
    args.insert(args.begin(), "--dry-run");
    EXPECT_EQ(run(args), 1) << err.str();
    EXPECT_EQ(mods.contents("out").size(), 0u);
    EXPECT_NE(out.str().find("new\t" + mods.path("out", "units/t34.desc") + "\n"), std::string::npos) << out.str();

    EXPECT_EQ(run(Mods()), 1) << err.str();
    EXPECT_EQ(ErrLines("conflict"), test::five::kConflicts);
    EXPECT_NE(err.str().find("merge: 5 file(s) written (5 new), 0 unchanged, 0 removed; 3 conflict(s), 3 resolved by "
                             "the order; report "),
              std::string::npos)
        << err.str();
    auto merged = mods.contents("out");
    std::erase_if(merged, [](const auto& file) { return file.first == kMergeReportName; });
    EXPECT_EQ(merged, test::FiveMods::Listed("expected"));
    EXPECT_EQ(out.str(), "");
}

TEST_F(BatchMerge, ExitsZeroWhenChoicesOfAModSetDecideEveryConflict)
{
    // The mods of the set by their paths and their own names: the choices name them so.
    ModSetSetup setup;
    setup.variables = mods.vars;
    setup.base = mods.folder("base");
    setup.mods = {{ModSource::Kind::Folder, "Heavy", mods.folder("B")}, {ModSource::Kind::Patch, "Patch", mods.patch}};
    setup.choices = {{"", "hp ", 0, {Winner::Kind::Mod, "Heavy"}},
                    {"units/tiger.desc", "armor ", 2, {Winner::Kind::Value, "85"}},
                    {"", "speed ", 0, {Winner::Kind::Mod, "Gone"}}};
    const std::string set = mods.root.file("set.d2mods");
    WriteModSetFile(set, setup);
    Args args = Mods();
    args.insert(args.begin(), {"--choices", set});
    EXPECT_EQ(run(args), 0) << err.str();
    EXPECT_EQ(ErrLines("conflict").size(), 0u);
    // A choice naming a mod not given is named, and kept out of the way.
    const auto notes = ErrLines("note");
    EXPECT_EQ(std::count(notes.begin(), notes.end(),
                         "unused-choice\t\tspeed \t\tA choice about speed  in every file is not used: no mod is named "
                         "\"Gone\""),
              1)
        << err.str();
    EXPECT_NE(test::ReadBytes(mods.path("out", "units/tiger.desc")).find("armor  100 85 80 \r\n"), std::string::npos);
    EXPECT_NE(test::ReadBytes(mods.path("out", "units/t34.desc")).find("hp  120 \r\n"), std::string::npos);
}

TEST_F(BatchMerge, ExitsTwoForTroubleAndBadUsage)
{
    EXPECT_EQ(run({}), 2);  // no mod
    Args intoBase = {"merge", "--vars", mods.vars, "--base", mods.folder("base"), "--out", mods.path("base", "merged"),
                     mods.folder("A")};
    EXPECT_EQ(RunBatchCommand(intoBase, out, err), 2);
    EXPECT_NE(err.str().find("cannot be written into"), std::string::npos) << err.str();
    EXPECT_EQ(run({mods.folder("A"), mods.folder("missing")}), 2);
    EXPECT_EQ(mods.contents("out").size(), 0u);
}

}  // namespace
}  // namespace dravik
