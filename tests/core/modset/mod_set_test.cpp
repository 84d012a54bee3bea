#include "core/modset/mod_set.h"

#include "core/errors.h"
#include "tests/core/modset/five_mods.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace dravik {
namespace {

class ModSetTest : public ::testing::Test {
protected:
    ModSetSetup Setup() const
    {
        ModSetSetup setup;
        setup.variables = mods.vars;
        setup.base = mods.folder("base");
        for (const char* name : {"A", "B", "C"})
            setup.mods.push_back({ModSource::Kind::Folder, name, mods.folder(name)});
        setup.mods.push_back({ModSource::Kind::Patch, "D", mods.patch});
        setup.mods.push_back({ModSource::Kind::Folder, "E", mods.folder("E")});
        return setup;
    }
    // The winning value of a file's key value, as the tables show it.
    std::string Shown(const ModSet& set, const std::string& file, const std::string& key, int value)
    {
        return set.detail(set.findFile(file), Slot(set, key, value)).merged.value_or("(none)");
    }
    static int Slot(const ModSet& set, const std::string& key, int value)
    {
        return set.schema().slot(set.schema().findKey(key), value);
    }

    test::FiveMods mods;
};

TEST_F(ModSetTest, EveryValueKnowsWhereItComesFrom)
{
    ModSetOptions options;
    options.tables = true;
    ModSet set(Setup(), CodePage::Default(), options);
    ASSERT_EQ(set.fileCount(), 7);  // five base files and two only mods have
    const int t34 = set.findFile("UNITS/T34.desc");
    ASSERT_GE(t34, 0);
    const int armor = Slot(set, "armor ", 1), hp = Slot(set, "hp ", 1), speed = Slot(set, "speed ", 1);
    const struct {
        const char* file;
        int slot;
        Origin origin;
        int winner;
        bool lost;
    } cases[] = {
        {"units/t34.desc", armor, Origin::Same, 1, false},     // A and B alike: no conflict
        {"units/t34.desc", hp, Origin::Conflict, 4, true},     // B 120, C and E 110: E last
        {"units/t34.desc", speed, Origin::Same, 4, false},     // C's copy, and E's copy of C's
        {"guns/zis3.desc", hp, Origin::Base, kBaseWins, false},  // copies of the base, one respelled
        {"guns/pak40.desc", hp, Origin::OneMod, 3, false},     // the patch
        {"units/jeep.desc", speed, Origin::Base, kBaseWins, false},
        {"units/kv1.desc", Slot(set, "armor ", 3), Origin::OneMod, 1, false},  // only B's line has it
    };
    for (const auto& c : cases) {
        const ValueMark mark = set.mark(set.findFile(c.file), c.slot);
        EXPECT_EQ(mark.origin, c.origin) << c.file << " " << c.slot;
        EXPECT_EQ(mark.lost, c.lost) << c.file << " " << c.slot;
        if (c.origin != Origin::Same) {
            EXPECT_EQ(mark.winner, c.winner) << c.file << " " << c.slot;
        }
    }
    EXPECT_EQ(set.conflictCount(), 3);
    EXPECT_TRUE(set.changes(2, t34, hp));
    EXPECT_FALSE(set.changes(0, t34, hp));

    // The Mods pane: the base's value and each mod's, in the order.
    const ValueDetail detail = set.detail(t34, hp);
    EXPECT_EQ(detail.base, "100");
    EXPECT_EQ(detail.merged, "110");
    ASSERT_EQ(detail.mods.size(), 5u);
    EXPECT_EQ(detail.mods[0].state, ModValue::State::AsBase);
    EXPECT_EQ(detail.mods[1].value, "120");
    EXPECT_EQ(detail.mods[3].state, ModValue::State::NoFile);  // the patch has no line for it

    // The tables: one row per file, the winners in them.
    const auto tables = set.takeTables();
    ASSERT_EQ(tables.size(), 11u);
    const Grid& section1 = tables[1].second;
    EXPECT_EQ(section1.cell(2, 0), "armor ");
    EXPECT_EQ(section1.cell(5, t34 + 1), "110");
    EXPECT_EQ(section1.cell(2, t34 + 1), "50");
    EXPECT_EQ(tables[0].second.cell(2, t34 + 1), mods.path("base", "units/t34.desc"));
}

// Reordering and choosing decide again without reading a file: every file
// is gone before the first of them. Each step comes back by undo and redo.
TEST_F(ModSetTest, ChoicesAndReorderingDecideAgainAtOnceAndComeBack)
{
    ModSet set(Setup());
    std::filesystem::remove_all(mods.root.path() / "A");
    std::filesystem::remove_all(mods.root.path() / "B");
    std::filesystem::remove_all(mods.root.path() / "C");
    std::filesystem::remove_all(mods.root.path() / "E");
    const int t34 = set.findFile("units/t34.desc"), hp = Slot(set, "hp ", 1);

    // B last: B wins the T-34's hit points, D still the Tiger's armour.
    const MergeChange moved = set.moveMod(1, 4);
    EXPECT_EQ(set.order(), (std::vector<int>{0, 2, 3, 4, 1}));
    EXPECT_EQ(Shown(set, "units/t34.desc", "hp ", 1), "120");
    EXPECT_EQ(Shown(set, "units/tiger.desc", "armor ", 2), "90");
    EXPECT_EQ(moved.values.size(), 3u);  // the T-34's and KV-1's hit points, the Tiger's armour
    EXPECT_EQ(moved.values[1], (ValueChange{t34, hp, "110", "120"}));
    EXPECT_EQ(set.cellEdits({moved.values[1]}).at(0).text, "120");
    EXPECT_EQ(set.cellEdits({moved.values[1]}, false).at(0).row, t34 + 1);

    // "Take C for hp" in every file, in one step; then this one value typed.
    const MergeChange key = set.choose({"", "hp ", 0, {Winner::Kind::Mod, "C"}});
    EXPECT_EQ(Shown(set, "units/t34.desc", "hp ", 1), "110");
    EXPECT_EQ(Shown(set, "units/kv1.desc", "hp ", 1), "320");
    EXPECT_EQ(set.mark(t34, hp).decidedBy, DecidedBy::KeyChoice);
    EXPECT_EQ(set.conflictsByOrder(), 1);
    const MergeChange typed = set.choose({"units/t34.desc", "hp", 1, {Winner::Kind::Value, "115"}});
    EXPECT_EQ(Shown(set, "units/t34.desc", "hp ", 1), "115");
    EXPECT_EQ(set.mark(t34, hp).winner, kTypedWins);
    // A choice of a mod that does not change the value leaves it to the next.
    const MergeChange none = set.choose({"units/t34.desc", "hp ", 1, {Winner::Kind::Mod, "A"}});
    EXPECT_EQ(Shown(set, "units/t34.desc", "hp ", 1), "110");
    EXPECT_EQ(none.removed.size(), 1u);  // it replaced the typed value

    // The same steps taken back, the last first, and done again.
    set.undo(none);
    EXPECT_EQ(Shown(set, "units/t34.desc", "hp ", 1), "115");
    set.undo(typed);
    set.undo(key);
    EXPECT_EQ(Shown(set, "units/t34.desc", "hp ", 1), "120");
    EXPECT_EQ(set.undo(moved), (std::vector<ValueChange>{{moved.values[0].file, moved.values[0].slot,
                                                          moved.values[0].after, moved.values[0].before},
                                                         {t34, hp, "120", "110"},
                                                         {moved.values[2].file, moved.values[2].slot,
                                                          moved.values[2].after, moved.values[2].before}}));
    EXPECT_EQ(set.order(), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_TRUE(set.setup().choices.empty());
    set.redo(moved);
    set.redo(key);
    set.redo(typed);
    EXPECT_EQ(Shown(set, "units/t34.desc", "hp ", 1), "115");
    EXPECT_EQ(set.setup().mods[4].name, "B");
    EXPECT_EQ(set.setup().choices.size(), 2u);

    // What cannot be chosen is refused, and nothing changes.
    for (const Choice& bad : {Choice{"", "crew ", 0, {}}, Choice{"units/t34.desc", "hp ", 2, {}},
                              Choice{"nowhere.desc", "hp ", 1, {}}, Choice{"", "hp ", 0, {Winner::Kind::Mod, "Z"}},
                              Choice{"", "hp ", 0, {Winner::Kind::Value, "1"}},
                              Choice{"units/t34.desc", "hp ", 1, {Winner::Kind::Value, "1 2"}}}) {
        EXPECT_NE(set.choiceProblem(bad), "") << bad.key;
        EXPECT_THROW(set.choose(bad), DravikError);
    }
    EXPECT_EQ(set.setup().choices.size(), 2u);
}

TEST_F(ModSetTest, AValueTypedWhereNoModChangesOneReadsTheBase)
{
    ModSet set(Setup());
    const int jeep = set.findFile("units/jeep.desc"), speed = Slot(set, "speed ", 1);
    const MergeChange typed = set.choose({"units/jeep.desc", "speed ", 1, {Winner::Kind::Value, "70"}});
    EXPECT_EQ(typed.values, (std::vector<ValueChange>{{jeep, speed, "60", "70"}}));
    EXPECT_EQ(set.mark(jeep, speed).origin, Origin::Base);
    EXPECT_EQ(set.changedValues(jeep).size(), 1u);
    EXPECT_EQ(set.undo(typed), (std::vector<ValueChange>{{jeep, speed, "70", "60"}}));
}

TEST_F(ModSetTest, APatchNamingAValueTwiceOtherwiseAppliesNeitherLine)
{
    mods.root.write("D.txt", std::string(test::five::kPatchD) +
                                 "units/tiger.desc\tarmor \t2\t80\t96\r\n"
                                 "guns/pak40.desc\thp \t1\t60\t65\r\n"  // the same line again: taken once
                                 "units/jeep.desc\tcrew \t1\t1\t2\r\n"
                                 "units/new.desc\thp \t1\t1\t2\r\n");
    const ModSet set(Setup());
    std::vector<std::string> words;
    for (const MergeNote& note : set.notes())
        words.push_back(std::string(NoteWord(note)) + " " + note.path);
    EXPECT_EQ(words, (std::vector<std::string>{"named-twice units/tiger.desc", "named-twice units/tiger.desc",
                                               "no-key units/jeep.desc", "no-file units/new.desc"}));
    EXPECT_EQ(Shown(set, "units/tiger.desc", "armor ", 2), "90");
    EXPECT_EQ(Shown(set, "guns/pak40.desc", "hp ", 1), "65");
}

// An empty text is a value like any other, and a line without values is
// a change from one with values.
TEST(ModSetValues, AnEmptyValueIsAValue)
{
    test::TempFolder root;
    std::filesystem::create_directories(root.path() / "base");
    std::filesystem::create_directories(root.path() / "M");
    root.write("v.var", "[section1]\r\narmor =2\r\n[section_text]\r\nname =1\r\n");
    root.write("base/a.desc", "armor 1 2\r\nname X\r\n");
    root.write("M/a.desc", "armor \r\nname \r\n");
    ModSetSetup setup;
    setup.variables = root.file("v.var");
    setup.base = root.file("base");
    setup.mods = {{ModSource::Kind::Folder, "M", root.file("M")}};
    const ModSet set(setup);
    const ValueDetail name = set.detail(0, set.schema().slot(1, 1));
    EXPECT_EQ(name.merged, "");
    EXPECT_EQ(name.mark.origin, Origin::OneMod);
    EXPECT_EQ(set.detail(0, set.schema().slot(0, 2)).merged, std::nullopt);
    EXPECT_EQ(set.conflictCount(), 0);
}

TEST_F(ModSetTest, AModSetIsRefusedWhenAModCannotBeRead)
{
    ModSetSetup setup = Setup();
    setup.mods.push_back({ModSource::Kind::Folder, "F", mods.folder("F")});
    EXPECT_THROW(ModSet{setup}, DravikError);
    setup.mods.back() = {ModSource::Kind::Patch, "F", mods.vars};  // no patch
    EXPECT_THROW(ModSet{setup}, DravikError);
    setup.mods.back() = {ModSource::Kind::Folder, "a", mods.folder("E")};  // A's name again
    EXPECT_THROW(ModSet{setup}, DravikError);
}

}  // namespace
}  // namespace dravik
