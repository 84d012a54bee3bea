#include "app/batch_arguments.h"
#include "app/batch_command.h"

#include "tests/core/test_files.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sstream>

namespace dravik {
namespace {

using Args = std::vector<std::string>;

class Batch : public ::testing::Test {
protected:
    int run(const Args& args)
    {
        out.str("");
        err.str("");
        return RunBatchCommand(args, out, err);
    }
    // One line of a table text file: the cells, then empty cells up to
    // `columns`, each followed by a TAB.
    static std::string Line(const std::vector<std::string>& cells, int columns = 11)
    {
        std::string line;
        for (int c = 0; c < columns; ++c)
            line += (c < static_cast<int>(cells.size()) ? cells[static_cast<size_t>(c)] : "") + "\t";
        return line + "\r\n";
    }

    test::TempFolder dir;
    std::ostringstream out, err;
};

TEST_F(Batch, ExportWritesTheSummaryTableOfAFreshWindow)
{
    const std::string vars = dir.write("v.var", "[section1]\r\nhp =2\r\n[section_text]\r\nname =1\r\n");
    const std::string desc = dir.write("t34.desc", "hp 10 20\r\nname \xD2-34\r\n");
    const std::string table = dir.file("out.txt");
    ASSERT_EQ(run({"export", "--vars", vars, "--out", table, desc}), 0) << err.str();

    std::string expected = Line({});
    expected += Line({"Section 1"}) + Line({"", "File name", "hp ", "hp "}) + Line({"", desc, "10", "20"});
    for (int n = 2; n <= 9; ++n)
        expected += Line({"Section " + std::to_string(n)}) + Line({"", "File name"}) + Line({"", desc});
    expected += Line({"Section text"}) + Line({"", "File name", "name "}) + Line({"", desc, "\xD2-34"});
    expected += Line({"File list"}) + Line({"", "File name", "Path"}) + Line({"", "t34.desc", desc});
    EXPECT_EQ(test::ReadBytes(table), expected);
    EXPECT_EQ(out.str(), "");
}

TEST_F(Batch, ImportReadsTheTableAndSavesAll)
{
    const std::string vars = dir.write("v.var", "[section1]\r\nhp =2\r\n[section2]\r\nspeed =1\r\n");
    const std::string desc = dir.write("a.desc", "hp 1 2\nspeed 5\rrest\r\n");
    const std::string table = dir.write("t.txt", "Section 1\t\r\n\tFile name\thp \thp \t\r\n\t" + desc +
                                                     "\t7\t\xFF\t\r\nFile list\t\r\n\tFile name\tPath\t\r\n\ta.desc\t" +
                                                     desc + "\t\r\n");
    ASSERT_EQ(run({"import", "--vars", vars, "--table", table, desc}), 0) << err.str();
    EXPECT_EQ(test::ReadBytes(desc), "hp  7 \xFF \r\nspeed  5 \r\nrest\r\n")
        << "section 2 has no block: it is left as it was";
    EXPECT_EQ(err.str().rfind("Left as it was, since the table names none of the desc files in it: Section 2.\n", 0), 0u)
        << err.str();
}

TEST_F(Batch, ImportOfAMissingTableChangesNoFile)
{
    const std::string vars = dir.write("v.var", "[section1]\r\nhp =1\r\n");
    const std::string desc = dir.write("a.desc", "hp 1\n");
    EXPECT_EQ(run({"import", "--vars", vars, "--table", dir.file("none.txt"), desc}), 1);
    EXPECT_EQ(err.str(), "File not found.\n");
    EXPECT_EQ(test::ReadBytes(desc), "hp 1\n");
}

TEST_F(Batch, CodePageChoosesWhatFolds)
{
    const std::string vars = dir.write("v.var", "[section1]\r\n\xA8lka =1\r\n");
    const std::string desc = dir.write("a.desc", "\xB8LKA 5\r\n");
    const std::string table = dir.file("out.txt");
    Args folding{"export", "--vars", vars, "--out", table, desc};
#ifdef _WIN32
    // The default there is the system's ANSI code page, which need not be Cyrillic.
    folding.insert(folding.begin() + 1, {"--codepage", "windows-1251"});
#endif
    ASSERT_EQ(run(folding), 0);
    EXPECT_NE(test::ReadBytes(table).find("\t5\t"), std::string::npos);
    ASSERT_EQ(run({"export", "--codepage", "windows-1252", "--vars", vars, "--out", table, desc}), 0);
    EXPECT_EQ(test::ReadBytes(table).find("\t5\t"), std::string::npos);
    EXPECT_EQ(run({"analyze", "--codepage", "no-such-page", desc}), 1);
    EXPECT_NE(err.str().find("no-such-page"), std::string::npos);
}

TEST_F(Batch, AnalyzePrintsTheSortedKeyList)
{
    const std::string a = dir.write("a.desc", "Health 100\rArmor 1 2\n-skip me\r\n  \r\nWeapon Gun 1 2 3");
    const std::string b = dir.write("b.desc", "HEALTH 250\r\narmor 1 2 3\r\n\xC0\xE1 1\r\n");
    ASSERT_EQ(run({"analyze", a, b}), 0) << err.str();
    EXPECT_EQ(out.str(), "  =-1\narmor =2\narmor =3\nhealth =1\nweapon gun=3\n\xC0\xE1 =1\n");
}

TEST_F(Batch, ErrorsGoToStandardErrorAsTheErrorBoxShowsThem)
{
    const std::string missing = dir.file("missing.desc");
    EXPECT_EQ(run({"analyze", missing}), 1);
    EXPECT_EQ(err.str(), "Cannot open file \"" + missing + "\". " + test::Reason(test::kFileNotFound) + ".\n");
    EXPECT_EQ(out.str(), "");

    const std::string vars = dir.write("v.var", "[section3]\r\nhp =2 \r\n");
    const std::string desc = dir.write("a.desc", "hp 1\r\n");
    EXPECT_EQ(run({"export", "--vars", vars, "--out", dir.file("t.txt"), desc}), 1);
    EXPECT_EQ(err.str(), "'2 ' is not a valid integer value.\n");

    EXPECT_EQ(run({"export", "--vars", dir.file("none.var"), "--out", dir.file("t.txt"), desc}), 1);
    EXPECT_EQ(err.str(), "Cannot open file \"" + dir.file("none.var") + "\". " + test::Reason(test::kFileNotFound) + ".\n");
}

TEST_F(Batch, BadUsagePrintsTheUsage)
{
    const std::string usage = kBatchUsage;
    for (const Args& args : {Args{}, Args{"frobnicate", "a"}, Args{"export", "--vars", "v", "a"},
                             Args{"export", "--vars", "v", "--out", "o"}, Args{"import", "--vars", "v", "--out", "o", "a"},
                             Args{"analyze", "--vars", "v", "a"}, Args{"analyze"}, Args{"analyze", "--vars"},
                             Args{"analyze", "--bogus", "a"}}) {
        EXPECT_EQ(run(args), 2) << ::testing::PrintToString(args);
        EXPECT_EQ(err.str(), usage);
        EXPECT_EQ(out.str(), "");
    }
    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_EQ(out.str(), usage);
}

TEST(BatchArguments, OptionsUntilTheDoubleDashAndWordsInOrder)
{
    std::string vars, expr;
    bool force = false;
    const std::vector<BatchOption> known = {
        BatchOption::Value("--vars", vars),
        BatchOption::Switch("--force", force),
        BatchOption::Taken("--expr", [&](const std::string& e) { expr = e; }),
    };
    std::vector<std::pair<std::string, bool>> words;
    auto word = [&](const std::string& w, bool after) { words.emplace_back(w, after); };
    // A value is the next word, whatever it looks like; "-x" is a word.
    EXPECT_TRUE(ParseBatchArguments({"skipped", "a", "--vars", "--force", "-x", "--expr", "+1", "--", "--force", "b"},
                                    1, known, word));
    EXPECT_EQ(vars, "--force");
    EXPECT_FALSE(force);
    EXPECT_EQ(expr, "+1");
    EXPECT_EQ(words, (std::vector<std::pair<std::string, bool>>{{"a", false}, {"-x", false}, {"--force", true},
                                                                 {"b", true}}));
    EXPECT_FALSE(ParseBatchArguments({"--vars"}, 0, known, word));
    EXPECT_FALSE(ParseBatchArguments({"a", "--bogus", "b"}, 0, known, word));
}

}  // namespace
}  // namespace dravik
