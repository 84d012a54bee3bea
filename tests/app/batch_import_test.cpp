// The batch import and export against tables that are not what they seem:
// not the exported table of the files given, cut short, sorted in a
// spreadsheet, or in another character set.
#include "app/batch_command.h"

#include "tests/calc/calc_tables.h"
#include "tests/core/test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>

namespace dravik {
namespace {

using Args = std::vector<std::string>;
using Lines = std::vector<std::string>;

Lines SplitCrLf(const std::string& text)
{
    Lines lines;
    for (size_t start = 0; start < text.size();) {
        const size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// How Python's csv module writes the cells of each line back (a script that
// split the lines at TABs, then csv.writer with the excel-tab dialect): a
// cell holding a quote is quoted, its quotes doubled; lines end in CR LF.
std::string PythonCsvWritten(const std::string& exported)
{
    std::string written;
    for (const std::string& line : SplitCrLf(exported)) {
        size_t start = 0;
        for (size_t tab = line.find('\t'); start <= line.size(); tab = line.find('\t', start)) {
            const std::string cell = line.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
            if (cell.find('"') == std::string::npos) {
                written += cell;
            } else {
                written += '"';
                for (char c : cell)
                    written += c == '"' ? std::string("\"\"") : std::string(1, c);
                written += '"';
            }
            if (tab == std::string::npos)
                break;
            written += '\t';
            start = tab + 1;
        }
        written += "\r\n";
    }
    return written;
}

// Lines ended by LF, as Calc writes them, and the cells of a line.
Lines SplitLf(const std::string& text)
{
    Lines lines;
    for (size_t start = 0; start < text.size();) {
        const size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

Lines SplitTabs(const std::string& line)
{
    Lines cells;
    for (size_t start = 0;;) {
        const size_t tab = line.find('\t', start);
        cells.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos)
            return cells;
        start = tab + 1;
    }
}

std::string JoinTabs(const Lines& cells)
{
    std::string line;
    for (size_t i = 0; i < cells.size(); ++i)
        line += (i ? "\t" : "") + cells[i];
    return line;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

class BatchImport : public ::testing::Test {
protected:
    BatchImport()
    {
        vars = dir.write("v.var", "[section1]\r\nhp =1\r\narmor =2\r\n[section_text]\r\nname =1\r\n");
        // As Save all writes them, so that an unchanged table rewrites none.
        for (const char* name : {"a", "b", "c"})
            descs.push_back(dir.write(std::string(name) + ".desc", std::string("hp  ") + name + "1 \r\narmor  1 2 \r\n"
                                                                                          "name  \xD2-" + name + " \r\n"));
        table = dir.file("table.txt");
    }
    int run(const Args& args)
    {
        out.str("");
        err.str("");
        return RunBatchCommand(args, out, err);
    }
    int exportTable(const Args& files)
    {
        Args args{"export", "--vars", vars, "--out", table};
        args.insert(args.end(), files.begin(), files.end());
        return run(args);
    }
    int importTable(const Args& files, bool force = false, bool dryRun = false)
    {
        Args args{"import", "--vars", vars, "--table", table};
        if (force)
            args.push_back("--force");
        if (dryRun)
            args.push_back("--dry-run");
        args.insert(args.end(), files.begin(), files.end());
        return run(args);
    }
    std::map<std::string, std::string> folder() const
    {
        std::map<std::string, std::string> bytes;
        for (const std::string& name : dir.names())
            if (std::filesystem::is_regular_file(dir.file(name)))  // Windows opens no folder as a file
                bytes[name] = test::ReadBytes(dir.file(name));
        return bytes;
    }

    test::TempFolder dir;
    std::string vars, table;
    std::vector<std::string> descs;
    std::ostringstream out, err;
};

struct Damage {
    const char* what;
    std::function<std::string(const std::string& exported)> table;
};

void PrintTo(const Damage& d, std::ostream* out) { *out << d.what; }

class RefusedTables : public BatchImport, public ::testing::WithParamInterface<Damage> {};

TEST_P(RefusedTables, NothingIsWritten)
{
    ASSERT_EQ(exportTable(descs), 0) << err.str();
    test::WriteBytes(table, GetParam().table(test::ReadBytes(table)));
    const auto before = folder();
    EXPECT_EQ(importTable(descs), 1);
    EXPECT_NE(err.str().find("Nothing was written.\n"), std::string::npos) << err.str();
    EXPECT_TRUE(folder() == before);
}

std::string Utf16(const std::string& bytes)
{
    std::string wide = "\xFF\xFE";
    for (char c : bytes)
        wide += std::string{c, '\0'};
    return wide;
}

INSTANTIATE_TEST_SUITE_P(
    Tables, RefusedTables,
    ::testing::Values(Damage{"empty", [](const std::string&) { return std::string(); }},
                      Damage{"lone CRs", [](const std::string&) { return std::string("\r\r\r\r"); }},
                      Damage{"UTF-16", Utf16},
                      Damage{"cut short by byte 26",
                             [](std::string t) { return t.insert(t.find("\ta1\t") + 2, "\x1A"); }},
                      Damage{"a file-list row deleted",
                             [](std::string t) {
                                 const size_t row = t.find("\tc.desc\t");
                                 return t.erase(row, t.find("\r\n", row) + 2 - row);
                             }},
                      Damage{"exported from another folder", [](std::string t) {
                                 const size_t row = t.find("\ta.desc\t") + 8;
                                 const std::string folder = t.substr(row, t.find("a.desc", row) - row);
                                 for (size_t at = t.find(folder); at != std::string::npos; at = t.find(folder, at + 1))
                                     t.insert(at + folder.size(), "other/");
                                 return t;
                             }}));

TEST_F(BatchImport, RefusalNamesWhatDiffers)
{
    ASSERT_EQ(exportTable({descs[0], descs[1]}), 0);
    EXPECT_EQ(importTable({descs[0], descs[2]}), 1);
    EXPECT_EQ(err.str(), "The \"File list\" block of the table (line 42) does not name exactly the desc files given:\n"
                         "  1 desc file given is not in it:\n    " + descs[2] + "\n"
                         "  1 file it names is not given:\n    " + descs[1] + "\nNothing was written.\n");
    test::WriteBytes(table, "");
    EXPECT_EQ(importTable(descs), 1);
    EXPECT_EQ(err.str().rfind("The table is empty: it has no \"File list\" block", 0), 0u) << err.str();

    // Saved with every cell in quotes: the quotes are to blame, not the character set.
    ASSERT_EQ(exportTable(descs), 0);
    std::string quoted;
    for (const std::string& line : SplitCrLf(test::ReadBytes(table))) {
        std::string cells = "\"";
        for (char c : line.substr(0, line.size() - 1))
            cells += c == '\t' ? std::string("\"\t\"") : std::string(1, c);
        quoted += cells + "\"\r\n";
    }
    test::WriteBytes(table, quoted);
    EXPECT_EQ(importTable(descs), 1);
    EXPECT_EQ(err.str(), "The table's cells are in double quotes (the spreadsheet saved it with a string delimiter): "
                         "the import takes quotes as part of a cell, so it finds no \"File list\" block naming the "
                         "desc files. Save the table with an empty string delimiter\nNothing was written.\n");
}

#ifndef _WIN32
TEST_F(BatchImport, ADescNameHoldingATabNeverRewritesAnotherFile)
{
    const std::string tabbed = dir.write("x\ty.desc", "hp 5\r\n");
    const std::string other = dir.write("y.desc", "hp 6\r\n");
    ASSERT_EQ(exportTable({tabbed}), 0);
    EXPECT_EQ(importTable({tabbed}), 1);
    EXPECT_EQ(test::ReadBytes(other), "hp 6\r\n");
    EXPECT_EQ(test::ReadBytes(tabbed), "hp 5\r\n");
}
#endif

TEST_F(BatchImport, TheFilesMayBeGivenInAnyOrderAndSpelling)
{
    ASSERT_EQ(exportTable(descs), 0);
    std::filesystem::create_directory(dir.path() / "sub");
    Args files{descs[2], (dir.path() / "sub" / ".." / "a.desc").string(), descs[1]};
#ifdef _WIN32
    // The system compares names without regard to case.
    std::string& upper = files[2];
    std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) { return c == 'b' ? 'B' : c; });
#endif
    const auto before = folder();
    EXPECT_EQ(importTable(files), 0) << err.str();
    EXPECT_EQ(err.str().rfind("Placed 30 rows by the desc file it names", 0), 0u) << err.str();
    EXPECT_TRUE(folder() == before) << "an unchanged table rewrites nothing";
}

TEST_F(BatchImport, ATableInAnotherCharacterSetNeedsForce)
{
    ASSERT_EQ(exportTable(descs), 0);
    std::string utf8 = test::ReadBytes(table);
    for (size_t at = utf8.find('\xD2'); at != std::string::npos; at = utf8.find('\xD2', at))
        utf8.replace(at, 1, "\xD0\xA2");  // "Т" as UTF-8
    test::WriteBytes(table, utf8);
    const auto before = folder();
    EXPECT_EQ(importTable(descs), 1);
    EXPECT_NE(err.str().find("The table is in UTF-8"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("--force"), std::string::npos);
    EXPECT_TRUE(folder() == before);

    EXPECT_EQ(importTable(descs, true), 0);
    EXPECT_NE(err.str().find("The table is in UTF-8"), std::string::npos);
    EXPECT_EQ(test::ReadBytes(descs[0]), "hp  a1 \r\narmor  1 2 \r\nname  \xD0\xA2-a \r\n");
}

// A path holding "~" (a folder "mod~1", beside a folder "mod1" with the same
// file names) loses it in the table; the import still writes the file opened.
TEST_F(BatchImport, APathWithATildeSurvivesExportAndImport)
{
    std::filesystem::create_directory(dir.path() / "mod~1");
    std::filesystem::create_directory(dir.path() / "mod1");
    const std::string tilde = dir.write("mod~1/a.desc", "hp  1 \r\n");
    const std::string other = dir.write("mod1/a.desc", "hp  1 \r\n");
    ASSERT_EQ(exportTable({tilde}), 0) << "the export only warns of the \"~\"";
    test::WriteBytes(table, Replaced(test::ReadBytes(table), tilde + "\t1\t", tilde + "\t7\t"));
    EXPECT_EQ(importTable({tilde}), 0) << err.str();
    EXPECT_EQ(test::ReadBytes(tilde), "hp  7 \r\n");
    EXPECT_EQ(test::ReadBytes(other), "hp  1 \r\n");
}

TEST_F(BatchImport, QuotesAddedByPythonsCsvModuleNeedForce)
{
    const std::string tiger = "\"\xD2\xE8\xE3\xF0\" \x97 \xF2\xE0\xED\xEA";  // "Тигр" — танк
    test::WriteBytes(descs[1], "hp  b1 \r\narmor  1 2 \r\nname  " + tiger + " \r\n");
    ASSERT_EQ(exportTable(descs), 0);
    test::WriteBytes(table, PythonCsvWritten(test::ReadBytes(table)));
    const auto before = folder();
    EXPECT_EQ(importTable(descs), 1);
    EXPECT_EQ(err.str().rfind("1 cell gained or lost the quotes a spreadsheet puts around a text", 0), 0u) << err.str();
    EXPECT_NE(err.str().find("\"name \": \"" + tiger + "\" -> \"\"\"\"\xD2\xE8\xE3\xF0\"\" \x97 \xF2\xE0\xED\xEA\"\"\n"),
              std::string::npos)
        << err.str();
    EXPECT_TRUE(folder() == before);
}

TEST_F(BatchImport, OnlyChangedFilesAreWrittenAndADryRunWritesNone)
{
    ASSERT_EQ(exportTable(descs), 0) << err.str();
    std::string edited = test::ReadBytes(table);
    const size_t at = edited.find("\tb1\t");
    ASSERT_NE(at, std::string::npos);
    edited.replace(at, 4, "\tb9\t");
    test::WriteBytes(table, edited);
    const auto before = folder();

    EXPECT_EQ(importTable(descs, false, true), 0) << err.str();
    EXPECT_TRUE(folder() == before);
    EXPECT_EQ(out.str(), "--- " + descs[1] + "\n+++ " + descs[1] + "\n@@ -1,3 +1,3 @@\n-hp  b1 \n+hp  b9 \n armor  1 2 \n"
                         " name  \xD2-b \n");
    EXPECT_NE(err.str().find("1 of 3 files would change; nothing was written."), std::string::npos) << err.str();

    const auto aTime = std::filesystem::last_write_time(descs[0]);
    EXPECT_EQ(importTable(descs), 0) << err.str();
    EXPECT_EQ(std::filesystem::last_write_time(descs[0]), aTime) << "an unchanged file is not written";
    EXPECT_EQ(test::ReadBytes(descs[1]), "hp  b9 \r\narmor  1 2 \r\nname  \xD2-b \r\n");
}


// Tables that LibreOffice Calc 7.4 made from the desc files of tests/calc
// (make_tables.py), in English and in German, with Standard and Text
// columns, other character sets, columns inserted, saved with commas and
// sorted as one sheet; and three more changed here as a spreadsheet would.
class CalcTables : public ::testing::Test {
protected:
    CalcTables()
    {
        vars = dir.write("variables.var", test::CalcFile("variables.var"));
        for (const char* name : {"a.desc", "b.desc", "c.desc", "d.desc"})
            descs.push_back(dir.write(name, test::CalcFile(name)));
        table = dir.file("table.txt");
    }
    // The table as Calc made it, naming this test's files.
    std::string calcTable(const std::string& name) const
    {
        std::string text = test::CalcFile(name);
        for (const char* desc : {"a.desc", "b.desc", "c.desc", "d.desc"}) {
            const std::string from = std::string(test::kCalcFolder) + desc;
            for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + 1))
                text.replace(at, from.size(), dir.file(desc));
        }
        return text;
    }
    // Imports into the desc files as they were exported.
    int import(const std::string& bytes, const Args& options = {})
    {
        for (const char* name : {"a.desc", "b.desc", "c.desc", "d.desc"})
            test::WriteBytes(dir.file(name), test::CalcFile(name));
        test::WriteBytes(table, bytes);
        Args args{"import", "--vars", vars, "--table", table};
        args.insert(args.end(), options.begin(), options.end());
        args.insert(args.end(), descs.begin(), descs.end());
        out.str("");
        err.str("");
        return RunBatchCommand(args, out, err);
    }
    std::string desc(const char* name) const { return test::ReadBytes(dir.file(name)); }
    bool untouched() const
    {
        for (const char* name : {"a.desc", "b.desc", "c.desc", "d.desc"})
            if (desc(name) != test::CalcFile(name))
                return false;
        return true;
    }

    test::TempFolder dir;
    std::string vars, table;
    Args descs;
    std::ostringstream out, err;
};

TEST_F(CalcTables, WhatTheSpreadsheetChangedIsRefusedByKind)
{
    struct Route {
        const char* table;
        const char* told;     // how the first kind of cells is counted
        const char* allow;    // the kinds refused, as --allow names them
        std::vector<const char*> named;
    };
    for (const Route& route : std::vector<Route>{
             {"english-standard.txt", "7 cells hold values the spreadsheet converted", "converted,respelled",
              {"\"1,500\" -> \"1500\" (thousands separator or decimal comma)", "\"50%\" -> \"50.00%\" (percent)",
               "\"12:30\" -> \"12:30:00 PM\" (time)", "\"1/2/2024\" -> \"01/02/24\" (date)", "\"$5\" -> \"$5.00\" (currency)",
               "11 cells changed only how a number is written", "\"2.250\" -> \"2.25\"", "\"010\" -> \"10\""}},
             {"german-standard.txt", "8 cells hold values the spreadsheet converted", "converted,respelled",
              {"\"2.250\" -> \"2250\" (thousands separator or decimal comma)",
               "\"1,500\" -> \"1,5\" (thousands separator or decimal comma)", "\"50%\" -> \"50,00\xA0%\" (percent)",
               "\"1\" -> \"2,5\" (thousands separator or decimal comma)",
               "\"1.125\" -> \"1125\" (thousands separator or decimal comma)", "4 cells changed only how a number",
               "\"=1+1\" -> \"2\""}},
             {"german-english-import.txt", "15 cells hold values the spreadsheet converted", "converted,respelled",
              {"\"2.250\" -> \"2,25\" (thousands separator or decimal comma)", "\"0.5\" -> \"0,5\" (thousands",
               "6 cells changed only how a number", "\"3/4\" -> \"04.03.26\""}},
             {"saved-western.txt", "2 cells hold \"?\" where the tables hold letters", "question-marks",
              {"\"\xD2-34\" -> \"?-34\"", "1 cell holds \"?\" in text typed into the table",
               "\"Pak 40\" -> \"????\"", "Choose the character set Cyrillic (Windows-1251) both when opening"}},
             {"opened-western.txt", "2 cells hold \"?\" where the tables hold letters", "question-marks",
              {"both when opening the table (Text Import: Character set) and when saving it"}},
         }) {
        SCOPED_TRACE(route.table);
        EXPECT_EQ(import(calcTable(route.table)), 1);
        const std::string said = err.str();
        EXPECT_EQ(said.rfind(route.told, 0), 0u) << said;
        for (const char* text : route.named)
            EXPECT_NE(said.find(text), std::string::npos) << text << "\n" << said;
        EXPECT_NE(said.find(std::string("Nothing was written. ") +
                            (std::string(route.allow).find("respelled") != std::string::npos
                                 ? "--keep-spelling keeps the files' spelling of the respelled cells; "
                                 : "") +
                            "--allow " + route.allow + " imports"),
                  std::string::npos)
            << said;
        EXPECT_TRUE(untouched());
    }

    // Each kind lets only itself through: the respelled numbers are kept,
    // the converted ones still refused.
    EXPECT_EQ(import(calcTable("german-standard.txt"), {"--keep-spelling"}), 1);
    EXPECT_NE(err.str().find("--allow converted imports"), std::string::npos) << err.str();
    EXPECT_EQ(import(calcTable("german-standard.txt"), {"--keep-spelling", "--allow", "converted"}), 0) << err.str();
    EXPECT_EQ(desc("a.desc"), "health  2250 \r\narmor  010 1.50 -0 0.5 \r\nspeed  1,5 50,00\xA0% \r\n"
                              "mass  2,5 2 3 \r\nname  \xD2-34 \r\n");
    EXPECT_EQ(import(calcTable("saved-western.txt"), {"--allow", "question-marks"}), 0) << err.str();
    EXPECT_EQ(desc("c.desc").substr(desc("c.desc").rfind("name")), "name  ???? \r\n");
}

// The README's recipe: Text columns, every cell Text, then the edits. The
// table comes back with exactly the edits, and a key a file lacks, which
// Calc writes back as an empty cell at a line's end, is no edit.
TEST_F(CalcTables, TheRecipesTableImportsExactlyTheEdits)
{
    EXPECT_EQ(import(calcTable("english-text.txt")), 0) << err.str();
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(desc("a.desc"), "health  2.250 \r\narmor  010 1.50 -0 0.5 \r\nspeed  1,500 50% \r\nmass  7 2 3 \r\n"
                              "name  \xD2-34 \r\n");
    EXPECT_EQ(desc("b.desc").substr(0, 15), "health  1.10 \r\n");
    EXPECT_EQ(desc("c.desc"), "health  =1+1 \r\narmor  3/4 6.02E23 1e5 008 \r\nspeed  1.10 1/2/3 \r\nmass  7 8 9 \r\n"
                              "name  \xD2\xE0\xED\xEA \r\n");
    EXPECT_EQ(desc("d.desc"), test::CalcFile("d.desc")) << "the blanks of the keys it lacks came back empty";
}

TEST_F(CalcTables, ColumnsArePlacedByTheirHeaders)
{
    // A note column inserted between armor's values and one without a
    // header before speed: every value stays with its key.
    EXPECT_EQ(import(calcTable("inserted-columns.txt")), 0) << err.str();
    EXPECT_EQ(desc("a.desc"), "health  2.250 \r\narmor  010 1.50 9 0.5 \r\nspeed  1,500 50% \r\nmass  1 2 3 \r\n"
                              "name  \xD2-34 \r\n");
    for (const char* name : {"b.desc", "c.desc", "d.desc"})
        EXPECT_EQ(desc(name), test::CalcFile(name)) << name;
    EXPECT_EQ(err.str(), "2 columns of the table have headers that the tables do not have, and the import left them "
                         "out: it places each column by its header (a key's name in the block's header row), so a "
                         "column inserted for notes moves no value. Type values into their key's own column.\n"
                         "  Section 1 (line 2), column F, \"note\": 0 cells with text\n"
                         "  Section 1 (line 2), column I, without a header: 1 cell with text\n");

    // A value column deleted: refused, naming it.
    std::string deleted;
    for (const std::string& line : SplitLf(calcTable("english-text.txt"))) {
        Lines cells = SplitTabs(line);
        if (cells.size() > 4)
            cells.erase(cells.begin() + 4);  // column E: armor's second value
        deleted += JoinTabs(cells) + "\n";
    }
    EXPECT_EQ(import(deleted), 1);
    EXPECT_EQ(err.str().rfind("The table lacks the column of 1 value that the tables have, and nothing was imported", 0),
              0u)
        << err.str();
    EXPECT_NE(err.str().find("  Section 1 (line 2): \"armor \" value 4\n"), std::string::npos) << err.str();
    EXPECT_TRUE(untouched());
}

TEST_F(CalcTables, TablesLaidOutOtherwiseAreRefusedWithTheirCause)
{
    std::string shifted, withoutFileList;
    bool inFileList = false;
    for (const std::string& line : SplitLf(calcTable("english-text.txt"))) {
        shifted += "\t" + line + "\n";  // a column inserted at A
        inFileList = inFileList || line.rfind("File list", 0) == 0;
        if (!inFileList)
            withoutFileList += line + "\n";
    }
    struct Case {
        std::string table;
        const char* said;
    };
    for (const Case& c : {Case{calcTable("comma-separated.txt"), "The table's cells are separated by \",\" instead of TABs"},
                          Case{calcTable("sorted-sheet.txt"), "The table's rows are no longer under their labels"},
                          Case{shifted, "The table's labels (\"Section 1\", \"File list\") are in column B instead of column A"},
                          Case{withoutFileList, "The table has section blocks but no \"File list\" block"}}) {
        EXPECT_EQ(import(c.table), 1);
        EXPECT_EQ(err.str().rfind(c.said, 0), 0u) << err.str();
        EXPECT_NE(err.str().find("Nothing was written.\n"), std::string::npos) << err.str();
        EXPECT_TRUE(untouched());
    }
}

}  // namespace
}  // namespace dravik
