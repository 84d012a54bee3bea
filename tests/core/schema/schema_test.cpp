#include "core/schema/schema.h"

#include "core/errors.h"
#include "core/text/whole_number.h"
#include "tests/core/schema/literal_reference.h"

#include <gtest/gtest.h>

#include <random>

namespace dravik {
namespace {

using Lines = std::vector<std::string>;
const CodePage& cp1251() { static const CodePage page = CodePage::Named("windows-1251"); return page; }

TextLines Vars(Lines lines) { return TextLines{std::move(lines), true}; }

TEST(SectionNames, NineNumberedAndTheTextSection)
{
    EXPECT_EQ(SectionName(dravik::SectionNumber(1)), "section1");
    EXPECT_EQ(SectionName(SectionNumber(9)), "section9");
    EXPECT_EQ(SectionName(SectionNumber(10)), "section_text");
}

struct GatherCase {
    const char* what;
    Lines variables;
    std::string section;
    Lines entries;
};

class GatherSection : public ::testing::TestWithParam<GatherCase> {};

TEST_P(GatherSection, Entries)
{
    EXPECT_EQ(GetSectionLines(Vars(GetParam().variables), GetParam().section), GetParam().entries) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Headers, GatherSection,
    ::testing::Values(
        GatherCase{"plain", {"[section1]", "hp =1", "armor =3"}, "section1", {"hp =1", "armor =3"}},
        GatherCase{"header with a trailing blank", {"[section_text] ", "name =1"}, "section_text", {}},
        GatherCase{"header in another case", {"[Section1]", "hp =1"}, "section1", {}},
        GatherCase{"header with a leading blank", {" [section1]", "hp =1"}, "section1", {}},
        GatherCase{"section10 is no header of section 1", {"[section10]", "hp =1"}, "section1", {}},
        GatherCase{"twice: both blocks in text order",
                   {"[section2]", "a =1", "[section3]", "x =1", "[section2]", "b =2"}, "section2", {"a =1", "b =2"}},
        GatherCase{"empty lines skipped, blank lines kept", {"[section1]", "", "a =1", " ", "", "b =2"}, "section1",
                   {"a =1", " ", "b =2"}},
        GatherCase{"any line starting with [ ends it", {"[section1]", "a =1", "[comment", "b =2"}, "section1", {"a =1"}},
        GatherCase{"lines before the first header are never read", {"a =1", "[section1]"}, "section1", {}},
        GatherCase{"untrimmed", {"[section1]", "  padded name =2"}, "section1", {"  padded name =2"}},
        GatherCase{"empty text", {}, "section_text", {}}));

TEST(EntryName, EverythingBeforeTheFirstEquals)
{
    const Lines entries{"hp =1", "  two words  =2", "a=b=3", "no equals", "=4", ""};
    EXPECT_EQ(literal::EntryName(entries, 0), "hp ");
    EXPECT_EQ(literal::EntryName(entries, 1), "  two words  ");
    EXPECT_EQ(literal::EntryName(entries, 2), "a");
    EXPECT_EQ(literal::EntryName(entries, 3), "");
    EXPECT_EQ(literal::EntryName(entries, 4), "");
    EXPECT_EQ(literal::EntryName(entries, 5), "");
}

TEST(EntryCount, FirstEntryOfTheNameIgnoringCaseGivesTheCount)
{
    const Lines entries{"Armor =2", "ARMOR =3", "\xC0\xE1 =4", "\xE0\xC1 =5", "lead = 6", "hex =$10", "neg =-1"};
    EXPECT_EQ(literal::EntryCount(entries, "armor ", cp1251()), 2);
    EXPECT_EQ(literal::EntryCount(entries, "ARMOR ", cp1251()), 2);
    EXPECT_EQ(literal::EntryCount(entries, "\xE0\xC1 ", cp1251()), 4) << "Cyrillic folds too";
    EXPECT_EQ(literal::EntryCount(entries, "lead ", cp1251()), 6);
    EXPECT_EQ(literal::EntryCount(entries, "hex ", cp1251()), 16);
    EXPECT_EQ(literal::EntryCount(entries, "neg ", cp1251()), -1);
}

TEST(EntryCount, InvalidCountCarriesItsTextInTheMessage)
{
    auto messageFor = [](const Lines& entries, const std::string& name) -> std::string {
        try {
            literal::EntryCount(entries, name, cp1251());
        } catch (const DravikError& e) {
            return e.what();
        }
        return "no error";
    };
    EXPECT_EQ(messageFor({"hp =2 "}, "hp "), "'2 ' is not a valid integer value");
    EXPECT_EQ(messageFor({"hp =1.5"}, "hp "), "'1.5' is not a valid integer value");
    EXPECT_EQ(messageFor({"hp ="}, "hp "), "'' is not a valid integer value");
    EXPECT_EQ(messageFor({"   "}, ""), "'' is not a valid integer value");
    // A line without "=" has the empty name, which an entry starting with "=" carries.
    EXPECT_EQ(messageFor({"   ", "=3"}, ""), "no error");
    EXPECT_EQ(literal::EntryCount({"   ", "=3"}, "", cp1251()), 3);
}

struct NumberCase {
    std::string text;
    std::optional<std::int32_t> value;
};

class WholeNumbers : public ::testing::TestWithParam<NumberCase> {};

TEST_P(WholeNumbers, Read)
{
    EXPECT_EQ(ParseWholeNumber(GetParam().text), GetParam().value) << ::testing::PrintToString(GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Rule, WholeNumbers,
    ::testing::Values(NumberCase{"100", 100}, NumberCase{"-5", -5}, NumberCase{"+3", 3}, NumberCase{"007", 7},
                      NumberCase{"   2", 2}, NumberCase{"0", 0}, NumberCase{"2147483647", 2147483647},
                      NumberCase{"-2147483648", INT32_MIN}, NumberCase{"2147483648", std::nullopt},
                      NumberCase{"-2147483649", std::nullopt}, NumberCase{"99999999999999999999", std::nullopt},
                      NumberCase{"$1F", 31}, NumberCase{"x1f", 31}, NumberCase{"X10", 16}, NumberCase{"0x10", 16},
                      NumberCase{"0XfF", 255}, NumberCase{"$FFFFFFFF", -1}, NumberCase{"-$10", -16},
                      NumberCase{"$7FFFFFFF", INT32_MAX}, NumberCase{"$100000000", std::nullopt},
                      NumberCase{"$", std::nullopt}, NumberCase{"0x", std::nullopt}, NumberCase{"$G", std::nullopt},
                      NumberCase{"", std::nullopt}, NumberCase{" ", std::nullopt}, NumberCase{"+", std::nullopt},
                      NumberCase{"-", std::nullopt}, NumberCase{"2 ", std::nullopt}, NumberCase{"2\t", std::nullopt},
                      NumberCase{"\t2", std::nullopt}, NumberCase{"1.5", std::nullopt},
                      NumberCase{"1e3", std::nullopt}, NumberCase{"100%", std::nullopt},
                      NumberCase{"--1", std::nullopt}, NumberCase{"+-1", std::nullopt},
                      NumberCase{"- 1", std::nullopt}, NumberCase{"\xB3", std::nullopt}));

// The schema as the load and the save read it must agree with the entry
// routines read one entry at a time.
TEST(ReadSectionSchema, AgreesWithTheEntryRoutines)
{
    std::mt19937 random(77);
    const std::vector<std::string> names{"hp ", "HP ", "hp", "\xC0\xE1 ", "\xE0\xC1 ", "weapon gun", "", " "};
    const std::vector<std::string> counts{"1", "2", " 3", "0", "-1", "$2", "x", "2 ", ""};
    for (int round = 0; round < 300; ++round) {
        Lines lines;
        const SectionNumber section(1 + static_cast<int>(random() % kSectionCount));
        lines.push_back("[" + SectionName(section) + "]");
        const int entries = static_cast<int>(random() % 6);
        for (int k = 0; k < entries; ++k) {
            const std::string& name = names[random() % names.size()];
            if (random() % 8 == 0)
                lines.push_back(name);  // no "="
            else
                lines.push_back(name + "=" + counts[random() % counts.size()]);
        }
        const TextLines vars = Vars(lines);
        const SectionSchema schema = ReadSectionSchema(vars, section, cp1251());

        const Lines gathered = GetSectionLines(vars, SectionName(section));
        std::vector<SectionEntry> expected;
        std::string expectedError;
        for (size_t k = 0; k < gathered.size(); ++k) {
            const std::string name = literal::EntryName(gathered, k);
            try {
                expected.push_back(SectionEntry{name, literal::EntryCount(gathered, name, cp1251())});
            } catch (const DravikError& e) {
                expectedError = e.what();
                break;
            }
        }
        ASSERT_EQ(schema.entries.size(), expected.size()) << ::testing::PrintToString(lines);
        for (size_t k = 0; k < expected.size(); ++k) {
            EXPECT_EQ(schema.entries[k].name, expected[k].name);
            EXPECT_EQ(schema.entries[k].count, expected[k].count);
        }
        EXPECT_EQ(schema.error, expectedError) << ::testing::PrintToString(lines);
    }
}

TEST(ReadSectionSchema, EmptyVariablesTextGivesTenEmptySections)
{
    for (SectionNumber i : AllSections()) {
        const SectionSchema schema = ReadSectionSchema(TextLines{}, i, cp1251());
        EXPECT_TRUE(schema.entries.empty());
        EXPECT_TRUE(schema.error.empty());
    }
}

}  // namespace
}  // namespace dravik
