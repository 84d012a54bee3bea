// Key lines whose number of values differs from the variables file's count:
// the tables show what a line has, and no save cuts a value or makes one up.
// And Save all's choice to rewrite only the key lines whose values change.
#include "core/document/desc_document.h"

#include "core/bulk/bulk_edits.h"
#include "core/bulk/column_profiles.h"
#include "core/bulk/table_rows.h"
#include "core/bulk/value_checks.h"
#include "tests/core/test_files.h"

#include <gtest/gtest.h>

#include <cctype>

namespace dravik {
namespace {

using test::ReadBytes;

constexpr const char* kAbsent = "(absent)";

struct CountCase {
    const char* what;
    int count;                                      // armor's in the variables file
    std::string line;                               // armor's line in the file
    std::vector<std::string> shown;                 // armor's cells after Open desc
    std::vector<std::pair<int, std::string>> typed;  // value (from 0) and text, in order
    std::string written;                            // armor's line after Save all
    // Read again and saved, the file stays as it is: not so with an empty
    // value, which reads as none.
    bool settles = true;
};

void PrintTo(const CountCase& c, std::ostream* out) { *out << c.what; }

class ValueCounts : public ::testing::TestWithParam<CountCase> {
protected:
    ValueCounts() : ws(test::Cyrillic()) { ws.startUp(); }

    // armor's cells of row 1 of section 1, kAbsent for a value its line lacks.
    std::vector<std::string> armorCells() const
    {
        std::vector<std::string> cells;
        for (int c = 3; c < ws.grid(dravik::GridNumber(1)).colCount(); ++c)
            cells.push_back(ws.valueAbsent(dravik::GridNumber(1), c, 1) ? kAbsent : std::string(ws.grid(dravik::GridNumber(1)).cell(c, 1)));
        return cells;
    }

    test::TempFolder dir;
    DescDocument ws;
};

TEST_P(ValueCounts, TheTablesShowWhatTheLineHasAndSaveAllKeepsIt)
{
    const CountCase& c = GetParam();
    ws.setVariablesText(SplitLines("[section1]\nhealth =1\narmor =" + std::to_string(c.count) + "\n"));
    const std::string path = dir.write("a.desc", "health 100\r\n" + c.line + "\r\n");
    ws.openDesc({path});
    EXPECT_EQ(armorCells(), c.shown);
    // Only health changes; armor is written all the same, as every key line is.
    static_cast<void>(ws.setCell(dravik::GridNumber(1), 2, 1, "120"));
    for (const auto& [value, text] : c.typed)
        static_cast<void>(ws.setCell(dravik::GridNumber(1), 3 + value, 1, text));
    ws.saveAll();
    EXPECT_EQ(ReadBytes(path), "health  120 \r\n" + c.written + "\r\n");
    EXPECT_FALSE(ws.isModified());

    // Read again, the file shows what was written, and a second save keeps it.
    DescDocument again(test::Cyrillic());
    again.startUp();
    again.setVariablesText(ws.variablesText());
    again.openDesc({path});
    EXPECT_EQ(again.saveAll().written, c.settles ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ValueCounts,
    ::testing::Values(
        CountCase{"agreeing", 3, "armor 45 45 40", {"45", "45", "40"}, {}, "armor  45 45 40 "},
        CountCase{"fewer", 4, "armor 7", {"7", kAbsent, kAbsent, kAbsent}, {}, "armor  7 "},
        CountCase{"more", 2, "armor 36 30 12 7", {"36", "30"}, {}, "armor  36 30 12 7 "},
        CountCase{"more, one edited", 2, "armor 36 30 12 7", {"36", "30"}, {{1, "31"}}, "armor  36 31 12 7 "},
        CountCase{"no values", 3, "armor ", {kAbsent, kAbsent, kAbsent}, {}, "armor  "},
        CountCase{"no values, typed", 3, "armor ", {kAbsent, kAbsent, kAbsent}, {{0, "5"}}, "armor  5 "},
        CountCase{"count 0", 0, "armor 1 2", {}, {}, "armor  1 2 "},
        CountCase{"more, a control character among them", 2, "armor 10 \x1B 20 30", {"10", "\x1B"}, {},
                  "armor  10 \x1B 20 30 "},
        CountCase{"typed next", 4, "armor 7", {"7", kAbsent, kAbsent, kAbsent}, {{1, "8"}}, "armor  7 8 "},
        CountCase{"typed past, cells between", 4, "armor 7", {"7", kAbsent, kAbsent, kAbsent}, {{3, "9"}},
                  "armor  7   9 ", false},
        CountCase{"typed past, between filled", 4, "armor 7", {"7", kAbsent, kAbsent, kAbsent},
                  {{3, "9"}, {1, "8"}, {2, "8"}}, "armor  7 8 8 9 "},
        CountCase{"typed and emptied again", 4, "armor 7", {"7", kAbsent, kAbsent, kAbsent}, {{3, "9"}, {3, ""}},
                  "armor  7 "}),
    [](const ::testing::TestParamInfo<CountCase>& info) {
        std::string name;
        for (const char* p = info.param.what; *p; ++p)
            if (std::isalnum(static_cast<unsigned char>(*p)))
                name += *p;
        return name;
    });

class ValueCountDocument : public ::testing::Test {
protected:
    ValueCountDocument() : ws(test::Cyrillic()) { ws.startUp(); }

    void open(const std::string& bytes)
    {
        ws.setVariablesText(SplitLines("[section1]\narmor =4\nspeed =2\n[section_text]\nname =1\n"));
        path = dir.write("a.desc", bytes);
        ws.openDesc({path});
    }

    test::TempFolder dir;
    DescDocument ws;
    std::string path;
};

TEST_F(ValueCountDocument, TypingPastTheLineAppendsTheCellsBetweenAsProblemsAndUndoTakesThemBack)
{
    open("armor 7\r\nspeed 36 30 12 7\r\nname Tiger\r\n");
    ColumnProfiles profiles(ws);
    // armor is columns 2 to 5, speed 6 and 7.
    ASSERT_TRUE(ws.lineValues(dravik::GridNumber(1), 4, 1));
    EXPECT_EQ(ws.lineValues(dravik::GridNumber(1), 4, 1)->values, 1);
    EXPECT_EQ(ws.lineValues(dravik::GridNumber(1), 7, 1)->values, 4);
    EXPECT_FALSE(ws.lineValues(dravik::GridNumber(1), 2, 0)) << "the header row";
    EXPECT_TRUE(ws.valueRead(dravik::GridNumber(1), 2, 1));
    EXPECT_FALSE(ws.valueRead(dravik::GridNumber(1), 3, 1));
    EXPECT_EQ(ws.diskValue(dravik::GridNumber(1), 3, 1), "");

    const TableChange typed = ws.setCell(dravik::GridNumber(1), 5, 1, "9");
    EXPECT_FALSE(ws.valueAbsent(dravik::GridNumber(1), 3, 1));
    EXPECT_TRUE(ws.valueAppended(dravik::GridNumber(1), 3, 1));
    EXPECT_TRUE(ws.valueAppended(dravik::GridNumber(1), 5, 1));
    EXPECT_EQ(CheckCell(ws, profiles, dravik::GridNumber(1), 3, 1), ValueProblem::EmptyValue);
    EXPECT_EQ(CheckCell(ws, profiles, dravik::GridNumber(1), 4, 1), ValueProblem::EmptyValue);
    EXPECT_EQ(CheckCell(ws, profiles, dravik::GridNumber(1), 5, 1), ValueProblem::None);
    EXPECT_EQ(FindProblemCells(ws, profiles).size(), 2u);

    ws.undo(typed);
    for (int c = 3; c <= 5; ++c)
        EXPECT_TRUE(ws.valueAbsent(dravik::GridNumber(1), c, 1)) << c;
    EXPECT_TRUE(FindProblemCells(ws, profiles).empty());
    ws.redo(typed);
    EXPECT_TRUE(ws.valueAppended(dravik::GridNumber(1), 4, 1));

    // Saved, the line holds the values typed and the empty ones between.
    ws.saveAll();
    EXPECT_EQ(ReadBytes(path), "armor  7   9 \r\nspeed  36 30 12 7 \r\nname  Tiger \r\n");
    EXPECT_FALSE(ws.lineValues(dravik::GridNumber(1), 3, 1)) << "the line now holds four values";
}

TEST_F(ValueCountDocument, SaveCurrentReadsTheLinesCountsBackAndSaveAllThenKeepsThem)
{
    open("armor 7 8 9 10\r\nspeed 36 30\r\nname Tiger\r\n");
    ws.setDescText(SplitLines("armor 7\r\nspeed 1 2 3\r\nname Tiger\r\n"));
    static_cast<void>(ws.saveCurrent());
    EXPECT_EQ(ws.grid(dravik::GridNumber(1)).cell(2, 1), "7");
    EXPECT_TRUE(ws.valueAbsent(dravik::GridNumber(1), 3, 1));
    EXPECT_EQ(ws.lineValues(dravik::GridNumber(1), 6, 1)->values, 3);
    EXPECT_FALSE(ws.isModified());
    static_cast<void>(ws.setCell(dravik::GridNumber(1), 6, 1, "4"));
    ws.saveAll();
    EXPECT_EQ(ReadBytes(path), "armor  7 \r\nspeed  4 2 3 \r\nname  Tiger \r\n");
}

TEST_F(ValueCountDocument, ValuesSavedEmptyOrAsSeveralWordsLeaveTheLinesOtherValuesInPlaceForLaterSaves)
{
    open("armor 1 2 3 4\r\nspeed 36 30 12 7\r\nname Tiger\r\n");
    static_cast<void>(ws.setCell(dravik::GridNumber(1), 7, 1, ""));     // speed's second value emptied
    static_cast<void>(ws.setCell(dravik::GridNumber(1), 2, 1, "1 5"));  // armor's first, two words
    ws.saveAll();
    EXPECT_EQ(ReadBytes(path), "armor  1 5 2 3 4 \r\nspeed  36  12 7 \r\nname  Tiger \r\n");
    static_cast<void>(ws.setCell(dravik::GridNumber(1), 6, 1, "40"));
    static_cast<void>(ws.setCell(dravik::GridNumber(1), 2, 1, "9"));
    ws.saveAll();
    EXPECT_EQ(ReadBytes(path), "armor  9 2 3 4 \r\nspeed  40  12 7 \r\nname  Tiger \r\n");
}

TEST_F(ValueCountDocument, AKeyTheFileLacksShowsBlanksAsBefore)
{
    open("speed 1 2\r\n");
    EXPECT_EQ(ws.grid(dravik::GridNumber(1)).cell(2, 1), " ");
    EXPECT_FALSE(ws.valueAbsent(dravik::GridNumber(1), 2, 1));
    EXPECT_FALSE(ws.lineValues(dravik::GridNumber(1), 2, 1));
    EXPECT_TRUE(ws.keyLineMissing(dravik::GridNumber(1), 2, 1));
}

TEST_F(ValueCountDocument, AnAbsentValueIsNoValueToFiltersSummariesOrBulkEdits)
{
    const std::string b = dir.write("b.desc", "armor 7 8 9 10\r\n");
    open("armor 7\r\n");
    ws.openDesc({path, b});
    ColumnProfiles profiles(ws);
    EXPECT_EQ(profiles.mostCommon(dravik::GridNumber(1), 3), "8") << "not the blank of a's absent value";
    EXPECT_FALSE(profiles.differs(dravik::GridNumber(1), 3, 1));
    const std::vector<int> columns{3};
    for (const char* typed : {"empty", "<> 8", "/^$/", "differs"})
        EXPECT_EQ(RowsPassing(RowFilter::Parse(typed, ws.codePage()), ws, profiles, GridNumber(1), columns),
                  (std::vector<bool>{false, false, false}))
            << typed;

    const CellScope scope{CellBlock{dravik::GridNumber(1), {1, 2}, {2, 3, 4, 5}}};
    const ExpressionEdit set = ExpressionEdits(ws, scope, CellExpression::Parse("=5"));
    EXPECT_EQ(set.edits.size(), 5u) << "a's one value and b's four";
    EXPECT_TRUE(ReplaceAllEdits(ws, scope, TextSearch("^$", ws.codePage(), {.regex = true}), "0").edits.empty());
    EXPECT_TRUE(FindCells(ws, scope, TextSearch("^$", ws.codePage(), {.regex = true})).empty());
    const PasteEdit fill = PasteEdits(ws, scope.front(), {{"6"}});
    EXPECT_EQ(fill.edits.size(), 5u);
}

// ---- Write only what changed

class OnlyWhatChanged : public ::testing::Test {
protected:
    OnlyWhatChanged() : ws(test::Cyrillic()) { ws.startUp(); }

    void SetUp() override
    {
        ws.setVariablesText(SplitLines("[section1]\nhealth =1\narmor =3\n[section_text]\nname =1\n"));
        a = dir.write("a.desc", "health 100\nArmor 45 45 40\nname Tiger\n");
        b = dir.write("b.desc", "health  90 \r\narmor  1 2 3 \r\nname  T34 \r\n");
        c = dir.write("c.desc", "health 80\r\narmor 4 5 6\r\nname KV\r\n");
        ws.openDesc({a, b, c});
    }

    test::TempFolder dir;
    DescDocument ws;
    std::string a, b, c;
};

TEST_F(OnlyWhatChanged, AnUneditedSaveRespellsByDefaultAndWritesNothingWhenAsked)
{
    const SavePlan respell = ws.planSaveAll({}, true);
    EXPECT_EQ(respell.changedFiles(), 2);  // b is spelled as Save all spells
    EXPECT_EQ(respell.spellingOnlyFiles(), 2);
    EXPECT_EQ(respell.respelledLines(), 6u);
    EXPECT_FALSE(respell.files[0].keyLines.front().valuesChanged);

    const SavePlan only = ws.planSaveAll({}, true, Respelling::OnlyChangedLines);
    EXPECT_EQ(only.changedFiles(), 0);
    EXPECT_EQ(only.changedLines(), 0u);
    EXPECT_EQ(ws.saveAll(only).written, 0);
    EXPECT_EQ(ReadBytes(a), "health 100\nArmor 45 45 40\nname Tiger\n");
}

TEST_F(OnlyWhatChanged, OnlyTheLinesWhoseValuesChangeAreWrittenAndTheRestKeepsItsBytes)
{
    static_cast<void>(ws.setCell(dravik::GridNumber(1), 3, 1, "46"));   // a's armor
    static_cast<void>(ws.setCell(dravik::GridNumber(10), 2, 3, "KV"));  // c's name, as it was
    static_cast<void>(ws.setCell(dravik::GridNumber(1), 2, 3, "80"));   // c's health, as it was
    const SavePlan respell = ws.planSaveAll();
    EXPECT_EQ(respell.spellingOnlyFiles(), 1);  // c
    EXPECT_EQ(respell.respelledLines(), 5u);    // a's health and name, c's three
    EXPECT_TRUE(respell.files[0].valuesChanged);

    const SavePlan only = ws.planSaveAll({}, true, Respelling::OnlyChangedLines);
    ASSERT_EQ(only.changedFiles(), 1);
    ASSERT_EQ(only.files[0].keyLines.size(), 1u);
    EXPECT_EQ(only.files[0].keyLines[0].before, "Armor 45 45 40");
    EXPECT_EQ(only.files[0].keyLines[0].after, "armor  46 45 40 ");
    EXPECT_EQ(ws.saveAll(only).written, 1);
    // The other lines keep their bytes, LF line ends included.
    EXPECT_EQ(ReadBytes(a), "health 100\narmor  46 45 40 \nname Tiger\n");
    EXPECT_EQ(ReadBytes(c), "health 80\r\narmor 4 5 6\r\nname KV\r\n");
    EXPECT_FALSE(ws.isModified());
}

TEST_F(OnlyWhatChanged, AValueTypedPastALinesEndChangesItsValues)
{
    ws.setVariablesText(SplitLines("[section1]\narmor =3\n"));
    const std::string d = dir.write("d.desc", "armor 7\n");
    ws.openDesc({d});
    static_cast<void>(ws.setCell(dravik::GridNumber(1), 3, 1, "8"));
    const SavePlan only = ws.planSaveAll({}, false, Respelling::OnlyChangedLines);
    ws.saveAll(only);
    EXPECT_EQ(ReadBytes(d), "armor  7 8 \n");
}

}  // namespace
}  // namespace dravik
