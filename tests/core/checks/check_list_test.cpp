#include "core/checks/check_list.h"

#include "core/checks/rules_file.h"
#include "core/errors.h"
#include "tests/core/checks/game_folders.h"

#include <gtest/gtest.h>

namespace dravik {
namespace {

class CheckListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const BaseGameRead base = ReadBaseGame(SplitLines(test::kGameVariables), game.folder("base"),
                                               NamePattern("*.desc"), CodePage::Default());
        rules = LearnRules(*base.document, game.folder("base"), base.files, test::SmallGameOptions());
        // The mod: six files with a fault each, one without.
        files = {
            mod("units/tanks/tank01.desc", "4500", "30.5", "diesel", "tank", "sprites\\tank01.spr"),
            mod("units/tanks/tank02.desc", "100", "1,5", "diesel", "tank", "sprites\\tank02.spr"),
            mod("units/infantry/man03.desc", "3", "3.5", "diesle", "man", "sprites\\man03.spr"),
            mod("units/tanks/tank04.desc", "120", "33.5", "petrol", "tank", "sprites\\tnak04.spr"),
            mod("units/infantry/man05.desc", "45", "4.5", "none", "man", "sprites\\man05.spr"),
            mod("units/tanks/tank06.desc", "150.5", "35.5", "petrol", "tank", "sprites\\tank06.spr"),
            mod("units/infantry/man07.desc", "7", "5.5", "none", "man", "SPRITES\\MAN07.SPR"),
        };
        document.startUp();
        document.loadVariables(game.vars);
        document.openDesc(files);
    }
    std::string mod(const std::string& file, const std::string& armor, const std::string& speed,
                    const std::string& engine, const std::string& type, const std::string& sprite)
    {
        return game.write("mod", file, test::UnitText(armor, speed, engine, type, sprite, "A unit"));
    }
    // Each check as "row key value: reason", furthest outside first.
    static std::vector<std::string> Listed(const CheckList& list)
    {
        std::vector<std::string> lines;
        for (const Check& check : list.checks())
            lines.push_back(std::to_string(check.row) + " " + check.column.key + check.value + ": " +
                            check.reasonText());
        return lines;
    }

    test::GameFolders game;
    std::shared_ptr<LearnedRules> rules;
    std::vector<std::string> files;
    DescDocument document;
};

TEST_F(CheckListTest, ListsEveryRejectedValueWithItsReasonFurthestOutsideFirst)
{
    const CheckList list(document, rules);
    // Both numbers beyond their ranges come last, the furthest first; the
    // others, of another kind altogether, in file order.
    EXPECT_EQ(Listed(list), (std::vector<std::string>{
        "2 speed 1,5: speed: the base game's files hold numbers (24 files); this is \"1,5\"",
        "3 engine diesle: engine: the base game's infantry hold one of none (12 files); this is \"diesle\"",
        "4 sprite sprites\\tnak04.spr: sprite: the base game's files name files that exist (24 files); "
        "\"sprites\\tnak04.spr\" names none in the base game or this mod",
        "6 armor 150.5: armor: the base game's files hold whole numbers (24 files); this is 150.5",
        "1 armor 4500: armor: the base game's tanks have 100 to 210 (12 files); this is 4500",
        "5 armor 45: armor: the base game's infantry have 1 to 12 (12 files); this is 45",
    }));
    EXPECT_EQ(list.size(), 6u);
    const Check* check = list.find(dravik::GridNumber(1), 2, 1);
    ASSERT_TRUE(check);
    EXPECT_EQ(check->column, (CheckColumn{SectionNumber(1), "armor ", 1}));
    EXPECT_EQ(check->reason.scope, CheckReason::Scope::Folder);
    EXPECT_NEAR(check->outside, (4500 - 231) / (231 - 100 / 1.1), 1e-9);
    EXPECT_FALSE(list.find(dravik::GridNumber(1), 2, 2));
    EXPECT_EQ(list.fileName(1), "tanks/tank01.desc");

    // The same checks from the rules file, without the base game.
    const CheckList again(document, ReadRulesText(RulesText(*rules), "r", CodePage::Default()));
    EXPECT_EQ(Listed(again), Listed(list));
}

TEST_F(CheckListTest, FollowsEveryEditAndItsUndoAtOnce)
{
    CheckList list(document, rules);
    int heard = 0;
    list.setChanged([&] { ++heard; });
    const TableChange fix = document.setCells({{dravik::GridNumber(1), 2, 1, "200"}, {dravik::GridNumber(1), 2, 7, "-7"}});
    EXPECT_GT(heard, 0);
    EXPECT_FALSE(list.find(dravik::GridNumber(1), 2, 1));
    ASSERT_TRUE(list.find(dravik::GridNumber(1), 2, 7));
    EXPECT_EQ(list.find(dravik::GridNumber(1), 2, 7)->reasonText(), "armor: the base game's infantry have 1 to 12 (12 files); this is -7");
    document.undo(fix);
    EXPECT_TRUE(list.find(dravik::GridNumber(1), 2, 1));
    EXPECT_FALSE(list.find(dravik::GridNumber(1), 2, 7));
    // Written with more decimal places than the base game ever writes.
    static_cast<void>(document.setCell(dravik::GridNumber(1), 3, 1, "30.25"));
    ASSERT_TRUE(list.find(dravik::GridNumber(1), 3, 1));
    EXPECT_EQ(list.find(dravik::GridNumber(1), 3, 1)->reasonText(),
              "speed: decimal places in the base game's files: 1 (24 files); this is 30.25");
    // A blank is no value: nothing to judge.
    static_cast<void>(document.setCell(dravik::GridNumber(1), 2, 1, ""));
    EXPECT_FALSE(list.find(dravik::GridNumber(1), 2, 1));
    // Opening other files checks them afresh.
    document.openDesc({files[6], files[0]});
    EXPECT_EQ(list.size(), 1u);
    EXPECT_TRUE(list.find(dravik::GridNumber(1), 2, 2));
}

TEST_F(CheckListTest, AGroupBySortingKeyFollowsTheKeysValue)
{
    test::GameFolders flat(true);
    const BaseGameRead base =
        ReadBaseGame(SplitLines(test::kGameVariables), flat.folder("base"), NamePattern("*.desc"), CodePage::Default());
    const CheckList list(document, LearnRules(*base.document, flat.folder("base"), base.files, test::SmallGameOptions()));
    EXPECT_EQ(list.find(dravik::GridNumber(1), 2, 1)->reasonText(),
              "armor: the base game's files with type tank have 100 to 210 (12 files); this is 4500");
    // A soldier of 150 armor is out of place; a tank of 150 is not.
    EXPECT_FALSE(list.find(dravik::GridNumber(1), 2, 4));
    static_cast<void>(document.setCell(dravik::GridNumber(1), 5, 4, "man"));
    ASSERT_TRUE(list.find(dravik::GridNumber(1), 2, 4));
    EXPECT_EQ(list.find(dravik::GridNumber(1), 2, 4)->reason.group, "man");
    static_cast<void>(document.setCell(dravik::GridNumber(1), 5, 4, "tank"));
    EXPECT_FALSE(list.find(dravik::GridNumber(1), 2, 4));
}

TEST_F(CheckListTest, AcceptingAValueRelaxingAGroupOrAColumnAreEntriesAddedAndTakenAway)
{
    CheckList list(document, rules);
    const Check tank = *list.find(dravik::GridNumber(1), 2, 1);  // armor 4500
    const Check man = *list.find(dravik::GridNumber(1), 2, 5);   // armor 45

    const AcceptedEntry value = list.acceptValue(tank);
    EXPECT_EQ(value.what, AcceptedEntry::What::Value);
    EXPECT_EQ(value.file, "tanks/tank01.desc");
    EXPECT_EQ(value.column, (CheckColumn{SectionNumber(1), "armor ", 1}));
    EXPECT_EQ(value.value, "4500");
    EXPECT_TRUE(list.accept(value));
    EXPECT_FALSE(list.accept(value));
    EXPECT_FALSE(list.find(dravik::GridNumber(1), 2, 1));
    // Only that value of that file: another tank of 4500 is still a check.
    static_cast<void>(document.setCell(dravik::GridNumber(1), 2, 2, "4500"));
    EXPECT_TRUE(list.find(dravik::GridNumber(1), 2, 2));
    static_cast<void>(document.setCell(dravik::GridNumber(1), 2, 1, "4501"));
    EXPECT_TRUE(list.find(dravik::GridNumber(1), 2, 1));
    EXPECT_TRUE(list.unaccept(value));
    EXPECT_FALSE(list.unaccept(value));
    static_cast<void>(document.setCell(dravik::GridNumber(1), 2, 1, "4500"));

    // The tanks' range widened to 4500: both tanks pass, and every value between.
    const AcceptedEntry group = list.relaxGroup(tank);
    EXPECT_EQ(group.group, "folder=units/tanks");
    list.accept(group);
    EXPECT_FALSE(list.find(dravik::GridNumber(1), 2, 2));
    EXPECT_FALSE(list.find(dravik::GridNumber(1), 2, 1));
    EXPECT_TRUE(list.find(dravik::GridNumber(1), 2, 5));  // the infantry's is not widened
    list.unaccept(group);
    EXPECT_TRUE(list.find(dravik::GridNumber(1), 2, 2));

    const AcceptedEntry column = list.relaxColumn(man);
    list.accept(column);
    EXPECT_FALSE(list.find(dravik::GridNumber(1), 2, 1));
    EXPECT_FALSE(list.find(dravik::GridNumber(1), 2, 5));
    EXPECT_TRUE(list.find(dravik::GridNumber(1), 3, 2));  // speed is still checked

    // The accepted file holds them all and reads back as they were.
    list.accept(value);
    list.accept(group);
    list.accept(list.acceptValue(*list.find(dravik::GridNumber(1), 4, 3)));
    const std::string path = AcceptedFilePath(game.vars);
    EXPECT_EQ(path, game.vars + ".accepted");
    WriteAcceptedFile(path, list.accepted());
    EXPECT_EQ(test::ReadBytes(path), "Dravik 2 accepted checks\tversion 1\r\n"
                                     "value\tinfantry/man03.desc\t\tsection1\tengine \t1\tdiesle\r\n"
                                     "value\ttanks/tank01.desc\t\tsection1\tarmor \t1\t4500\r\n"
                                     "group\t\tfolder=units/tanks\tsection1\tarmor \t1\t4500\r\n"
                                     "column\t\t\tsection1\tarmor \t1\t\r\n");
    EXPECT_EQ(ReadAcceptedFile(path), list.accepted());
    CheckList fresh(document, rules, ReadAcceptedFile(path));
    EXPECT_EQ(fresh.size(), list.size());
    // No file accepts nothing.
    EXPECT_TRUE(ReadAcceptedFile(game.root.file("none.accepted")).empty());
}

TEST(AcceptedFile, RefusesWhatIsNoAcceptedFile)
{
    struct Bad {
        const char* text;
        const char* message;
    };
    for (const Bad& bad : {
             Bad{"Dravik 2 patch\tversion 1\r\n",
                 "\"a\" is not a file of accepted checks: its first line should read \"Dravik 2 accepted checks\", a "
                 "TAB and \"version 1\""},
             Bad{"Dravik 2 accepted checks\tversion 9\r\n",
                 "\"a\" holds accepted checks of version 9, written by a later Dravik 2; this one reads version 1"},
             Bad{"Dravik 2 accepted checks\tversion 1\r\nvalue\tx\r\n",
                 "Line 2 of \"a\" has 2 fields; an accepted check has seven: what, file, group, section, key, value "
                 "number, value"},
             Bad{"Dravik 2 accepted checks\tversion 1\r\nall\t\t\tsection1\tk\t1\t\r\n",
                 "Line 2 of \"a\" accepts \"all\"; it should be value, group or column"},
             Bad{"Dravik 2 accepted checks\tversion 1\r\ncolumn\t\t\tsection1\tk\t0\t\r\n",
                 "Line 2 of \"a\" has no value number (1 for a key's first value): \"0\""},
             Bad{"Dravik 2 accepted checks\tversion 1\r\nvalue\t\t\tsection1\tk\t1\t5\r\n",
                 "Line 2 of \"a\" accepts a value of no file"},
         }) {
        try {
            ReadAcceptedText(bad.text, "a");
            ADD_FAILURE() << bad.text;
        } catch (const DravikError& e) {
            EXPECT_EQ(std::string(e.what()), bad.message);
        }
    }
    // Lines a spreadsheet left empty or ended otherwise are read.
    EXPECT_EQ(ReadAcceptedText("Dravik 2 accepted checks\tversion 1\n\ncolumn\t\t\tsection_text\tname \t1\t\n", "a")
                  .entries()
                  .size(),
              1u);
}

TEST(CheckReasons, ReadAsWholeSentencesWithTheirNumbersAndNames)
{
    using Scope = CheckReason::Scope;
    struct Case {
        CheckReason reason;
        const char* text;
    };
    const std::vector<std::string> many = {"a", "b", "c", "d", "e", "f", "g", "h", "i"};
    for (const Case& c : {
             Case{{CheckKind::OutOfRange, Scope::Column, "armor", "", "", 1204, -5, 0.25, {}, "4500"},
                  "armor: the base game's files have -5 to 0.25 (1,204 files); this is 4500"},
             Case{{CheckKind::OutOfRange, Scope::Key, "armor", "tank", "type", 12, 10, 450, {}, "-1"},
                  "armor: the base game's files with type tank have 10 to 450 (12 files); this is -1"},
             Case{{CheckKind::NotInSet, Scope::Column, "nation", "", "", 1234567, 0, 0, many, "xx"},
                  "nation: the base game's files hold one of a, b, c, d, e, f, g, h, ... (1,234,567 files); "
                  "this is \"xx\""},
             Case{{CheckKind::NotInSet, Scope::Folder, "engine", "tanks", "", 999, 0, 0, {"diesel"}, "x"},
                  "engine: the base game's tanks hold one of diesel (999 files); this is \"x\""},
             Case{{CheckKind::OtherPlaces, Scope::Column, "weight", "", "", 40, 0, 0, {}, "25.371", 0b110},
                  "weight: decimal places in the base game's files: 1, 2 (40 files); this is 25.371"},
         }) {
        EXPECT_EQ(ReasonText(c.reason), c.text);
    }
    EXPECT_EQ(FillSentence("%2 %1 %% %9", {"a", "b"}), "b a % ");
}

}  // namespace
}  // namespace dravik
