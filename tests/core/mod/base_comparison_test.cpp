#include "core/mod/base_comparison.h"

#include "core/errors.h"
#include "core/mod/base_diff.h"
#include "core/mod/patch_plan.h"
#include "tests/core/mod/mod_folders.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace dravik {
namespace {

class BaseComparisonTest : public ::testing::Test {
protected:
    std::unique_ptr<DescDocument> Open(const std::vector<std::string>& files)
    {
        auto document = std::make_unique<DescDocument>();
        document->startUp();
        document->loadVariables(folders.vars);
        document->openDesc(files);
        return document;
    }
    static constexpr int kTank = 2;  // the rows of the mods' files: gun, then tank
    static constexpr int kGun = 1;
    // Section 1: armor in columns 2 to 4, hp in 5; section 2: speed in 2.
    test::ModFolders folders;
};

TEST_F(BaseComparisonTest, MatchesEachFileByItsPathBelowBothFoldersAndComparesItsValues)
{
    const std::string fresh = folders.write("X", "units/new.desc", "hp 7\r\n");
    // A mod unpacked from the game's archives may name its files in capitals.
    const std::string capitals = folders.write("X", "GUNS/GUN.DESC", merge::kBaseGun);
    auto x = Open({capitals, folders.path("X", "units/tank.desc"), fresh});
    const BaseComparison base(*x, folders.folder("B"));

    EXPECT_EQ(base.basePath(1), folders.path("B", "guns/gun.desc"));
    EXPECT_EQ(base.basePath(2), folders.path("B", "units/tank.desc"));
    EXPECT_FALSE(base.hasBase(3));
    EXPECT_EQ(base.newFiles(), 1);
    EXPECT_EQ(base.differingFiles(), 1);
    EXPECT_TRUE(base.rowDiffers(2));
    EXPECT_FALSE(base.rowDiffers(1));
    EXPECT_EQ(base.compare(1, 2, 2), BaseComparison::Cell::Differs);  // armor 50 against 45
    EXPECT_EQ(*base.baseValue(1, 2, 2), "45");
    EXPECT_EQ(base.compare(1, 3, 2), BaseComparison::Cell::Same);
    EXPECT_EQ(base.compare(1, 5, 3), BaseComparison::Cell::NotCompared);
    EXPECT_FALSE(base.baseValue(1, 5, 3));
    // Neither gun has an armor line: blanks in both, no difference.
    EXPECT_EQ(base.compare(1, 2, 1), BaseComparison::Cell::Same);
}

TEST_F(BaseComparisonTest, FollowsTheEditsOfTheTablesAndSurvivesSaveAll)
{
    auto x = Open(folders.files("X"));
    const BaseComparison base(*x, folders.folder("B"));
    ASSERT_EQ(base.differingFiles(), 1);
    const TableChange armor = x->setCell(1, 2, kTank, "45");
    EXPECT_TRUE(base.rowDiffers(kTank));  // hp still differs
    x->setCell(1, 5, kTank, "100");
    EXPECT_EQ(base.differingFiles(), 0);
    x->undo(armor);
    EXPECT_EQ(base.differingFiles(), 1);
    x->setCell(1, 5, kGun, "51");
    EXPECT_EQ(base.differingFiles(), 2);

    x->saveAll();
    EXPECT_EQ(base.differingFiles(), 2);
    EXPECT_EQ(*base.baseValue(1, 5, kGun), "50");
    EXPECT_EQ(test::ReadBytes(folders.path("B", "guns/gun.desc")), merge::kBaseGun);
    EXPECT_EQ(test::ReadBytes(folders.path("B", "units/tank.desc")), merge::kBaseTank);
}

TEST_F(BaseComparisonTest, RefusesTablesLaidOutByAnotherVariablesText)
{
    auto x = Open(folders.files("X"));
    x->setVariablesText(SplitLines("[section1]\r\nhp =1\r\n"));
    try {
        BaseComparison base(*x, folders.folder("B"));
        FAIL() << "compared tables laid out by another schema";
    } catch (const DravikError& e) {
        EXPECT_STREQ(e.what(), "The section tables are not laid out as the variables text now says; open the files "
                               "again with it first");
    }
}

TEST_F(BaseComparisonTest, DiffIsThePatchInPathAndSchemaOrderAndNamesWhatItCannotCarry)
{
    auto y = Open({folders.path("Y", "units/tank.desc"), folders.path("Y", "guns/gun.desc")});
    const BaseComparison base(*y, folders.folder("B"));
    const BaseDiff diff = DiffAgainstBase(*y, base);
    EXPECT_EQ(PatchFileText(diff.lines), merge::kYPatch);
    EXPECT_EQ(diff.differingFiles, 2);
    EXPECT_TRUE(diff.uncarried.empty());

    // A key line the base file lacks, and a file it lacks.
    folders.write("Y", "guns/gun.desc", "hp 60\r\narmor 5 5 5\r\nspeed 5\r\n");
    folders.write("Y", "units/new.desc", "hp 1\r\n");
    auto changed = Open({folders.path("Y", "guns/gun.desc"), folders.path("Y", "units/new.desc")});
    const BaseDiff notes = DiffAgainstBase(*changed, BaseComparison(*changed, folders.folder("B")));
    EXPECT_EQ(notes.uncarried, (std::vector<std::string>{
                                   "guns/gun.desc: the key \"armor \" has a line only in this mod's file",
                                   "guns/gun.desc: the key \"name \" has a line only in the base file",
                                   "units/new.desc: new in this mod, the base has no such file",
                               }));
    EXPECT_EQ(notes.newFiles, 1);
}

TEST_F(BaseComparisonTest, AValueOnlyOneOfTheTwoLinesHasDiffersAndNoPatchCarriesIt)
{
    folders.write("B", "units/short.desc", "armor 45 45 40\r\nhp 100\r\n");
    const std::string mod = folders.write("Y", "units/short.desc", "armor 45\r\nhp 100\r\n");
    auto y = Open({folders.path("Y", "guns/gun.desc"), mod});
    const BaseComparison base(*y, folders.folder("B"));
    constexpr int kShort = 2;
    EXPECT_EQ(base.compare(1, 2, kShort), BaseComparison::Cell::Same);
    EXPECT_EQ(base.compare(1, 3, kShort), BaseComparison::Cell::Differs);
    EXPECT_TRUE(base.baseHasValue(1, 3, kShort));
    EXPECT_FALSE(y->valueRead(1, 3, kShort));

    const BaseDiff diff = DiffAgainstBase(*y, base);
    for (const PatchLine& line : diff.lines)
        EXPECT_NE(line.path, "units/short.desc") << line.key << line.value;
    const std::string only = "units/short.desc: value %v of \"armor \" is only in the base file, whose line of the key "
                             "has more values";
    for (const char* value : {"2", "3"}) {
        std::string note = only;
        note.replace(note.find("%v"), 2, value);
        EXPECT_NE(std::find(diff.uncarried.begin(), diff.uncarried.end(), note), diff.uncarried.end()) << note;
    }
    // A patch naming that value finds none to apply to.
    const PatchPlan plan = PlanPatch(*y, {{"units/short.desc", "armor ", 2, "45", "50"}});
    EXPECT_EQ(plan.results.at(0).outcome, PatchOutcome::NoValueInLine);
    EXPECT_TRUE(plan.edits().empty());
}

TEST_F(BaseComparisonTest, PlanTakesWhatOnlyThePatchChangedAndNamesConflictsAndWhatIsNotThere)
{
    auto x = Open(folders.files("X"));
    std::vector<PatchLine> lines = ReadPatchText(merge::kYPatch, "y.txt");
    lines.push_back({"units/tank.desc", "armor ", 1, "45", "50"});  // X's own change
    lines.push_back({"units/jeep.desc", "hp ", 1, "1", "2"});
    lines.push_back({"units/tank.desc", "crew ", 1, "1", "2"});
    lines.push_back({"units/tank.desc", "armor ", 4, "1", "2"});
    lines.push_back({"guns/gun.desc", "armor ", 1, "", "2"});
    lines.push_back({"UNITS\\TANK.DESC", "speed", 1, "30", "36"});  // Windows' names, a trimmed key
    const PatchPlan plan = PlanPatch(*x, lines);

    std::vector<PatchOutcome> outcomes;
    for (const PatchResult& result : plan.results)
        outcomes.push_back(result.outcome);
    EXPECT_EQ(outcomes, (std::vector<PatchOutcome>{
                            PatchOutcome::Applies, PatchOutcome::Applies, PatchOutcome::Conflict,
                            PatchOutcome::Applies, PatchOutcome::AlreadyThere, PatchOutcome::NoFile,
                            PatchOutcome::NoKey, PatchOutcome::NoValue, PatchOutcome::NoKeyLine,
                            PatchOutcome::Applies}));
    EXPECT_EQ(plan.results[2].found, "110");
    EXPECT_EQ(plan.missing(), 4);
    EXPECT_EQ(plan.filesChanged(), 2);
    const auto edits = plan.edits();
    EXPECT_EQ(edits.size(), 4u);
    EXPECT_EQ(edits.front().row, kGun);
    EXPECT_EQ(edits.front().text, "60");
    std::vector<bool> take(plan.lines.size(), false);
    take[2] = true;
    EXPECT_EQ(plan.edits(take).size(), 5u);
}

TEST_F(BaseComparisonTest, PlanSetsEveryColumnThatShowsTheValue)
{
    folders.root.write("v.var", "[section1]\r\nhp =1\r\n[section2]\r\nhp =1\r\n[section_text]\r\nname =2\r\n");
    auto x = Open(folders.files("X"));
    const PatchPlan plan = PlanPatch(
        *x, {{"guns/gun.desc", "hp ", 1, "50", "60"}, {"guns/gun.desc", "name ", 1, "ZiS-3", "ZiS-3 (1942)"}});
    std::vector<std::pair<int, int>> cells;
    for (const CellEdit& edit : plan.edits())
        cells.emplace_back(edit.grid, edit.col);
    EXPECT_EQ(cells, (std::vector<std::pair<int, int>>{{1, 2}, {2, 2}, {10, 2}, {10, 3}}));
}

}  // namespace
}  // namespace dravik
