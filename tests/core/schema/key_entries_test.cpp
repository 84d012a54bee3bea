#include "core/schema/key_entries.h"

#include <gtest/gtest.h>

namespace dravik {
namespace {

struct EntryCase {
    std::string line;
    std::optional<std::string> entry;
};

class KeyEntryOfDescLine : public ::testing::TestWithParam<EntryCase> {};

TEST_P(KeyEntryOfDescLine, Entry)
{
    EXPECT_EQ(KeyEntryOfLine(GetParam().line), GetParam().entry) << ::testing::PrintToString(GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, KeyEntryOfDescLine,
    ::testing::Values(EntryCase{"Health 100", "health =1"}, EntryCase{"Armor 10 20 30", "armor =3"},
                      EntryCase{"Weapon Gun 1 2 3", "weapon gun=3"}, EntryCase{"Name Tank", "name =1"},
                      EntryCase{"Speed 1.5 2.0", "speed 1.5=1"}, EntryCase{"Crew", "crew =0"},
                      EntryCase{"[section1]", "[section1] =0"}, EntryCase{"-x 1 2", std::nullopt},
                      EntryCase{"", std::nullopt}, EntryCase{" -x 1", "-x =1"},
                      EntryCase{"   ", "  =-1"}, EntryCase{"\t", "  =-1"},
                      EntryCase{"HEALTH   250  ", "health =1"},
                      EntryCase{"Weapon $1F 2", "weapon =2"},    // a hex number is a value
                      EntryCase{"Mix 100% 2", "mix 100%=1"}, EntryCase{"Big 2147483648 1", "big 2147483648=1"},
                      EntryCase{"a\tb 1 2", "a\tb =2"},          // a tab is no separator
                      EntryCase{"\xC0\xE1 \xC2\xC3 5", "\xC0\xE1 \xC2\xC3=1"},  // only A to Z fold
                      EntryCase{std::string("K\0 1", 4), std::string("k\0 =1", 5)}));

struct HeaderCase {
    std::string box;
    std::string header;
};

class SectionBox : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(SectionBox, Header)
{
    EXPECT_EQ(SectionHeaderFor(GetParam().box), GetParam().header) << GetParam().box;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SectionBox,
    ::testing::Values(HeaderCase{"3", "[section3]"}, HeaderCase{"07", "[section7]"}, HeaderCase{"-2", "[section-2]"},
                      HeaderCase{"+3", "[section3]"}, HeaderCase{"$A", "[section10]"}, HeaderCase{" 5", "[section5]"},
                      HeaderCase{"5 ", "[section_text]"}, HeaderCase{"", "[section_text]"},
                      HeaderCase{"text", "[section_text]"}, HeaderCase{"1.0", "[section_text]"}));

std::vector<std::string> Entries(const KeyList& list)
{
    std::vector<std::string> entries;
    for (const auto& item : list.items())
        entries.push_back(item.entry);
    return entries;
}

TEST(KeyList, DistinctSortedByByteValue)
{
    KeyList list;
    for (const char* e : {"health =1", "armor =3", "\xC0\xE1 =1", "armor =2", "health =1", "Zeta =1", "armor =2"})
        list.add(e);
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"Zeta =1", "armor =2", "armor =3", "health =1", "\xC0\xE1 =1"}));
    EXPECT_EQ(list.indexOf("armor =3"), 2);
    EXPECT_EQ(list.indexOf("armor =4"), -1);
}

TEST(KeyList, LinesOfADescTextMergeOnlyEqualEntries)
{
    KeyList list;
    list.addLinesOf(TextLines{{"Health 100", "HEALTH 250", "Armor 1 2", "armor 1 2 3", "-comment", "", "  "}, true});
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"  =-1", "armor =2", "armor =3", "health =1"}));
}

TEST(KeyList, AnEqualEntryKeepsItsTick)
{
    KeyList list;
    list.add("b =1");
    list.setTicked(0, true);
    list.add("b =1");
    list.add("a =1");
    EXPECT_FALSE(list.at(0).ticked);
    EXPECT_TRUE(list.at(1).ticked);
}

TEST(KeyList, TakeTickedMovesThemOutInListOrder)
{
    KeyList list;
    for (const char* e : {"d =1", "a =1", "c =1", "b =1", "e =1"})
        list.add(e);
    list.setTicked(list.indexOf("d =1"), true);
    list.setTicked(list.indexOf("a =1"), true);
    list.setTicked(list.indexOf("c =1"), true);
    EXPECT_EQ(list.takeTicked(), (std::vector<std::string>{"a =1", "c =1", "d =1"}));
    EXPECT_EQ(Entries(list), (std::vector<std::string>{"b =1", "e =1"}));
    EXPECT_FALSE(list.at(0).ticked);
    EXPECT_FALSE(list.at(1).ticked);
    EXPECT_TRUE(list.takeTicked().empty()) << "nothing ticked takes nothing";
    EXPECT_EQ(list.size(), 2);
}

}  // namespace
}  // namespace dravik
