#include "core/mod/base_comparison.h"

#include "core/errors.h"
#include "core/mod/base_diff.h"
#include "core/mod/patch_plan.h"
#include "tests/core/mod/mod_folders.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace dravik {
namespace {

// A patch of these lines, as read from a file of no name.
PatchFile Lines(std::vector<PatchLine> lines) { return {"", false, std::move(lines)}; }

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
    EXPECT_EQ(base.compare(dravik::GridNumber(1), 2, 2), BaseComparison::Cell::Differs);  // armor 50 against 45
    EXPECT_EQ(*base.baseValue(dravik::GridNumber(1), 2, 2), "45");
    EXPECT_EQ(base.compare(dravik::GridNumber(1), 3, 2), BaseComparison::Cell::Same);
    EXPECT_EQ(base.compare(dravik::GridNumber(1), 5, 3), BaseComparison::Cell::NotCompared);
    EXPECT_FALSE(base.baseValue(dravik::GridNumber(1), 5, 3));
    // Neither gun has an armor line: blanks in both, no difference.
    EXPECT_EQ(base.compare(dravik::GridNumber(1), 2, 1), BaseComparison::Cell::Same);
}

TEST_F(BaseComparisonTest, FollowsTheEditsOfTheTablesAndSurvivesSaveAll)
{
    auto x = Open(folders.files("X"));
    const BaseComparison base(*x, folders.folder("B"));
    ASSERT_EQ(base.differingFiles(), 1);
    const TableChange armor = x->setCell(dravik::GridNumber(1), 2, kTank, "45");
    EXPECT_TRUE(base.rowDiffers(kTank));  // hp still differs
    x->setCell(dravik::GridNumber(1), 5, kTank, "100");
    EXPECT_EQ(base.differingFiles(), 0);
    x->undo(armor);
    EXPECT_EQ(base.differingFiles(), 1);
    x->setCell(dravik::GridNumber(1), 5, kGun, "51");
    EXPECT_EQ(base.differingFiles(), 2);

    x->saveAll();
    EXPECT_EQ(base.differingFiles(), 2);
    EXPECT_EQ(*base.baseValue(dravik::GridNumber(1), 5, kGun), "50");
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
    EXPECT_EQ(notes.uncarried, (std::vector<Message>{
                                   std::string("guns/gun.desc: the key \"armor \" has a line only in this mod's file"),
                                   std::string("guns/gun.desc: the key \"name \" has a line only in the base file"),
                                   std::string("units/new.desc: new in this mod, the base has no such file"),
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
    EXPECT_EQ(base.compare(dravik::GridNumber(1), 2, kShort), BaseComparison::Cell::Same);
    EXPECT_EQ(base.compare(dravik::GridNumber(1), 3, kShort), BaseComparison::Cell::Differs);
    EXPECT_TRUE(base.baseHasValue(dravik::GridNumber(1), 3, kShort));
    EXPECT_FALSE(y->valueRead(GridNumber(1), 3, kShort));

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
    const PatchPlan plan = PlanPatch(*y, PatchFile{"", false, {{"units/short.desc", "armor ", 2, "45", "50"}}});
    EXPECT_EQ(plan.results.at(0).outcome, PatchOutcome::NoValueInLine);
    EXPECT_TRUE(plan.edits().empty());
}

TEST_F(BaseComparisonTest, PlanTakesWhatOnlyThePatchChangedAndNamesConflictsAndWhatIsNotThere)
{
    auto x = Open(folders.files("X"));
    std::vector<PatchLine> lines = ReadPatchText(merge::kYPatch, "y.txt").lines;
    lines.push_back({"units/tank.desc", "armor ", 1, "45", "50"});  // X's own change
    lines.push_back({"units/jeep.desc", "hp ", 1, "1", "2"});
    lines.push_back({"units/tank.desc", "crew ", 1, "1", "2"});
    lines.push_back({"units/tank.desc", "armor ", 4, "1", "2"});
    lines.push_back({"guns/gun.desc", "armor ", 1, "", "2"});
    lines.push_back({"UNITS\\TANK.DESC", "armor", 2, "45", "47"});  // Windows' names, a trimmed key
    const PatchPlan plan = PlanPatch(*x, Lines(lines));

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
        *x, Lines({{"guns/gun.desc", "hp ", 1, "50", "60"}, {"guns/gun.desc", "name ", 1, "ZiS-3", "ZiS-3 (1942)"}}));
    std::vector<std::pair<GridNumber, int>> cells;
    for (const CellEdit& edit : plan.edits())
        cells.emplace_back(edit.grid, edit.col);
    EXPECT_EQ(cells, (std::vector<std::pair<GridNumber, int>>{{GridNumber(1), 2}, {GridNumber(2), 2}, {GridNumber(10), 2}, {GridNumber(10), 3}}));
}

TEST_F(BaseComparisonTest, PlanRefusesValuesNoKeyLineHoldsAndValuesThePatchNamesTwiceOtherwise)
{
    auto x = Open(folders.files("X"));
    const struct {
        PatchLine line;
        PatchOutcome outcome;
        std::string why;
    } cases[] = {
        {{"units/tank.desc", "armor ", 1, "50", "6 0"}, PatchOutcome::CannotHold,
         "several words: each would be a value of its own, and the key's later values would move along"},
        {{"units/tank.desc", "armor ", 2, "45", ""}, PatchOutcome::CannotHold,
         "an empty value, which a key line cannot hold: it would be lost and the key's later values move along"},
        {{"units/tank.desc", "armor ", 3, "40", "4\x1A"}, PatchOutcome::CannotHold,
         "byte 26 (Ctrl+Z), which older programs read as the end of a text file"},
        {{"guns/gun.desc", "name ", 1, "ZiS-3", "ZiS\x01" "3"}, PatchOutcome::CannotHold,
         "a control character (byte 1), which no desc file holds"},
        // The text section's value is the rest of its line: words and all.
        {{"units/tank.desc", "name ", 1, "T-34", "T 34 obr. 1941"}, PatchOutcome::Applies, ""},
        // Two patches joined: the same line twice is taken once...
        {{"units/tank.desc", "speed ", 1, "30", "35"}, PatchOutcome::Applies, ""},
        {{"UNITS/TANK.DESC", "speed", 1, "30", "35"}, PatchOutcome::Repeated, ""},
        // ...but a value named with two different values is neither's.
        {{"guns/gun.desc", "speed ", 1, "5", "6"}, PatchOutcome::NamedTwice,
         "the patch names this value more than once, with different values"},
        {{"guns/gun.desc", "speed ", 1, "5", "7"}, PatchOutcome::NamedTwice,
         "the patch names this value more than once, with different values"},
        // Another base is another value too, though the gun holds 50 already.
        {{"guns/gun.desc", "hp ", 1, "40", "50"}, PatchOutcome::NamedTwice,
         "the patch names this value more than once, with different values"},
        {{"guns/gun.desc", "hp ", 1, "50", "60"}, PatchOutcome::NamedTwice,
         "the patch names this value more than once, with different values"},
    };
    std::vector<PatchLine> lines;
    for (const auto& c : cases)
        lines.push_back(c.line);
    const PatchPlan plan = PlanPatch(*x, Lines(lines));
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(plan.results[i].outcome, cases[i].outcome) << i;
        EXPECT_EQ(plan.results[i].why, cases[i].why) << i;
    }
    EXPECT_EQ(plan.missing(), 8);
    std::vector<std::string> applied;
    for (const CellEdit& edit : plan.edits())
        applied.push_back(edit.text);
    EXPECT_EQ(applied, (std::vector<std::string>{"T 34 obr. 1941", "35"}));
}

TEST_F(BaseComparisonTest, PlanRefusesAPatchInUtf8UnlessTheDescFilesAreInItToo)
{
    auto x = Open(folders.files("X"));
    const std::string name = folders.root.file("p.txt");
    auto refusal = [&](const PatchFile& patch, const DescDocument& document) -> std::string {
        try {
            PlanPatch(document, patch);
        } catch (const DravikError& e) {
            return e.what();
        }
        return {};
    };
    const PatchLine cyrillic{"units/tank.desc", "name ", 1, "T-34", "\xD0\xA2-34"};  // "Т-34" as UTF-8
    const std::string tail = " while the desc files are not: each of its non-ASCII characters would become two or more "
                             "bytes in them, whose code page is windows-1251. Save the patch in that character set "
                             "and apply it again";
    EXPECT_EQ(refusal({name, false, {cyrillic}}, *x), "\"" + name + "\" is in UTF-8" + tail);
    EXPECT_EQ(refusal({name, true, {cyrillic}}, *x),
              "\"" + name + "\" is in UTF-8 (it begins with UTF-8's byte order mark)" + tail);
    // Windows-1251 text ("Рўт-34") that is UTF-8 only as far as its second byte.
    EXPECT_EQ(refusal({name, false, {{"units/tank.desc", "name ", 1, "T-34", "\xD0\xA2\xF2-34"}}}, *x), "");
    // With the mark but nothing beyond ASCII, no byte could differ.
    EXPECT_EQ(refusal({name, true, {{"units/tank.desc", "hp ", 1, "110", "120"}}}, *x), "");
    // Desc files whose own text is UTF-8 take a patch in UTF-8.
    folders.write("X", "units/tank.desc", "hp 110\r\n[section_text]\r\nname \xD0\x9A\xD0\x92-1\r\n");
    auto utf8 = Open(folders.files("X"));
    EXPECT_EQ(refusal({name, true, {cyrillic}}, *utf8), "");
}

}  // namespace
}  // namespace dravik
