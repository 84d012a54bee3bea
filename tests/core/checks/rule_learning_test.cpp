#include "core/checks/rule_learning.h"

#include "core/checks/rules_file.h"
#include "core/errors.h"
#include "core/text/cell_value.h"
#include "tests/core/checks/game_folders.h"

#include <gtest/gtest.h>

#include <cmath>

namespace dravik {
namespace {

std::shared_ptr<LearnedRules> Learn(const test::GameFolders& game, LearnOptions options = test::SmallGameOptions())
{
    const BaseGameRead base =
        ReadBaseGame(SplitLines(test::kGameVariables), game.folder("base"), NamePattern("*.desc"), CodePage::Default());
    return LearnRules(*base.document, game.folder("base"), base.files, options);
}

const ColumnRules& Column(const LearnedRules& rules, const std::string& key)
{
    const ColumnRules* column = rules.find({SectionNumber(1), key, 1});
    if (!column)
        column = rules.find({kTextSection, key, 1});
    EXPECT_TRUE(column) << key;
    static const ColumnRules none;
    return column ? *column : none;
}

// What a rule holds, for comparing at a glance.
std::string Shown(const ValueRule& rule)
{
    static const char* const kinds[] = {"whole", "decimal", "word", "path", "text"};
    std::string text = kinds[static_cast<int>(rule.kind)];
    text.append(" ").append(std::to_string(rule.files));
    if (rule.isNumber())
        text.append(" ").append(FormatCellNumber(rule.min)).append("..").append(FormatCellNumber(rule.max));
    for (const std::string& word : rule.words)
        text.append(" ").append(word);
    return text;
}

TEST(RuleLearning, LearnsEachColumnsKindRangeAndWordsAndTheGroupsTheBaseSortsItsFilesInto)
{
    struct Layout {
        bool flat;
        Grouping::By by;
        const char* tanks;
        const char* infantry;
    };
    for (const Layout& layout : {Layout{false, Grouping::By::Folder, "units/tanks", "units/infantry"},
                                 Layout{true, Grouping::By::Key, "tank", "man"}}) {
        SCOPED_TRACE(layout.flat ? "all in one folder" : "in folders");
        const test::GameFolders game(layout.flat);
        const auto rules = Learn(game);
        EXPECT_EQ(rules->files, 24);  // the pictures hold no key
        ASSERT_EQ(rules->grouping.by, layout.by);
        if (layout.by == Grouping::By::Folder)
            EXPECT_EQ(rules->grouping.depth, 2);  // "units" alone sorts nothing
        else
            EXPECT_EQ(rules->grouping.key, (CheckColumn{SectionNumber(1), "type ", 1}));
        ASSERT_EQ(rules->groups.size(), 2u);
        const int tanks = rules->groups[0].name == layout.tanks ? 0 : 1;
        EXPECT_EQ(rules->groups[static_cast<size_t>(tanks)].name, layout.tanks);
        EXPECT_EQ(rules->groups[static_cast<size_t>(1 - tanks)].name, layout.infantry);
        EXPECT_EQ(rules->groups[0].files, 12);

        struct Expected {
            const char* key;
            const char* column;
            const char* tanks;     // the group's own rule; empty for none
            const char* infantry;
        };
        for (const Expected& e : {
                 Expected{"armor ", "whole 24 1..210", "whole 12 100..210", "whole 12 1..12"},
                 Expected{"speed ", "decimal 24 3.5..41.5", "decimal 12 30.5..41.5", "decimal 12 3.5..5.5"},
                 Expected{"engine ", "word 24 diesel none petrol", "word 12 diesel petrol", "word 12 none"},
                 Expected{"type ", "word 24 man tank", "word 12 tank", "word 12 man"},
                 Expected{"sprite ", "path 24", "", ""},
                 Expected{"name ", "text 24", "", ""},
             }) {
            SCOPED_TRACE(e.key);
            const ColumnRules& column = Column(*rules, e.key);
            EXPECT_EQ(Shown(column.rule), e.column);
            bool own = false;
            const ValueRule& tank = column.ruleOf(tanks, &own);
            EXPECT_EQ(own ? Shown(tank) : "", e.tanks);
            const ValueRule& man = column.ruleOf(1 - tanks, &own);
            EXPECT_EQ(own ? Shown(man) : "", e.infantry);
        }
        // Ranges are widened, by ratios for numbers above zero: a tenth of
        // their width, by 1.1 times at least.
        const ValueRule& armor = *Column(*rules, "armor ").groups[static_cast<size_t>(tanks)];
        EXPECT_NEAR(armor.low, 100 / 1.1, 1e-9);
        EXPECT_NEAR(armor.high, 210 * 1.1, 1e-9);
        const ValueRule& all = Column(*rules, "armor ").rule;
        EXPECT_NEAR(all.low, std::pow(210.0, -0.1), 1e-9);
        EXPECT_NEAR(all.high, 210 * std::pow(210.0, 0.1), 1e-9);
        // The pictures the paths name, for checking without the base game.
        EXPECT_EQ(rules->pathKinds, std::set<std::string>{"spr"});
        const NamedFiles files = rules->baseFiles();
        EXPECT_TRUE(files.names("SPRITES\\TANK01.SPR"));
        EXPECT_TRUE(files.names("data\\sprites\\man12.spr"));
        EXPECT_FALSE(files.names("sprites\\tank13.spr"));
        EXPECT_FALSE(files.names("units\\tanks\\tank01.desc"));  // no path of the base names a desc file
    }
}

TEST(RuleLearning, TooFewFilesMakeNoRuleAndGroupsTooSmallNoGrouping)
{
    const test::GameFolders game;
    LearnOptions options = test::SmallGameOptions();
    options.leastFiles = 25;  // more than the base game holds
    auto rules = Learn(game, options);
    for (const ColumnRules& column : rules->columns)
        EXPECT_EQ(column.rule.kind, ValueKind::Text) << column.column.key;

    options = test::SmallGameOptions();
    options.groupBy = LearnOptions::GroupBy::Nothing;
    rules = Learn(game, options);
    EXPECT_EQ(rules->grouping.by, Grouping::By::Nothing);
    EXPECT_TRUE(rules->groups.empty());
    EXPECT_EQ(Shown(Column(*rules, "armor ").rule), "whole 24 1..210");

    // Groups of 13 files at least: none is big enough.
    options = test::SmallGameOptions();
    options.leastGroupFiles = 13;
    EXPECT_EQ(Learn(game, options)->grouping.by, Grouping::By::Nothing);
}

TEST(RuleLearning, TheRulesFileReadsBackAsTheSameRulesAndRefusesOtherFiles)
{
    for (const bool flat : {false, true}) {
        const test::GameFolders game(flat);
        const auto rules = Learn(game);
        const std::string text = RulesText(*rules);
        const auto read = ReadRulesText(text, "rules.txt", CodePage::Default());
        EXPECT_EQ(RulesText(*read), text);
        EXPECT_EQ(read->grouping, rules->grouping);
        EXPECT_EQ(read->displayName(0), rules->displayName(0));
        EXPECT_EQ(text.substr(0, 47), "Dravik 2 rules\tversion 1\r\nlearned\t24\r\ngrouping\t");
    }

    struct Bad {
        const char* text;
        const char* message;
    };
    for (const Bad& bad : {
             Bad{"", "\"r.txt\" is not a rules file: its first line should read \"Dravik 2 rules\", a TAB and "
                     "\"version 1\""},
             Bad{"Dravik 2 rules\tversion 2\r\n",
                 "\"r.txt\" holds rules of version 2, written by a later Dravik 2; this one reads version 1"},
             Bad{"Dravik 2 rules\tversion 1\r\ncolumn\tsection1\tarmor \t1\twhole\t5\t1\t2\t1\tx\t\r\n",
                 "Line 2 of \"r.txt\" has \"x\" where a number should be"},
             Bad{"Dravik 2 rules\tversion 1\r\ncolumn\tsection1\tarmor \t1\twhole\t5\t1\t2\t1\t3\r\n",
                 "Line 2 of \"r.txt\" is cut short: a rule holds its values, four numbers, its decimal places and "
                 "its words"},
             Bad{"Dravik 2 rules\tversion 1\r\ncolumn\tsection11\tarmor \t1\ttext\t5\t\t\t\t\r\n",
                 "Line 2 of \"r.txt\" names no section (section1 to section9, section_text): \"section11\""},
             Bad{"Dravik 2 rules\tversion 1\r\ncolumn\tsection1\tarmor \t1\ttext\t5\t\t\t\t\t\r\nin\ttanks\t5\t\t\t\t\t\r\n",
                 "Line 3 of \"r.txt\" names the group \"tanks\", which no group line names"},
             Bad{"Dravik 2 rules\tversion 1\r\nrule\tx\r\n",
                 "Line 2 of \"r.txt\" begins with \"rule\"; a line of rules begins with learned, grouping, group, "
                 "column, in or file"},
         }) {
        try {
            ReadRulesText(bad.text, "r.txt", CodePage::Default());
            ADD_FAILURE() << bad.text;
        } catch (const DravikError& e) {
            EXPECT_EQ(std::string(e.what()), bad.message);
        }
    }
}

}  // namespace
}  // namespace dravik
