#include "core/document/desc_document.h"

#include "core/errors.h"
#include "core/files/folder_listing.h"
#include "tests/core/test_files.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

namespace dravik {
namespace {

using Lines = std::vector<std::string>;
using Row = std::vector<std::string>;

class OpenDesc : public ::testing::Test {
protected:
    OpenDesc() : ws(test::Cyrillic()) { ws.startUp(); }

    void vars(Lines lines) { ws.setVariablesText(TextLines{std::move(lines), true}); }
    std::string desc(const std::string& name, const std::string& bytes) { return dir.write(name, bytes); }
    // Row `r` of a grid from column `from` to its last column.
    Row row(int grid, int r, int from = 0) const { return row(GridNumber(grid), r, from); }
    Row row(GridNumber grid, int r, int from = 0) const
    {
        Row cells;
        for (int c = from; c < ws.grid(grid).colCount(); ++c)
            cells.emplace_back(ws.grid(grid).cell(c, r));
        return cells;
    }
    std::string errorOf(const std::vector<std::string>& paths)
    {
        try {
            ws.openDesc(paths, hooks);
        } catch (const DravikError& e) {
            return e.what();
        }
        return "no error";
    }

    test::TempFolder dir;
    DescDocument ws;
    // The window fits its column widths to the headers when the load asks.
    int fits = 0;
    LoadHooks hooks{{}, [this] { ++fits; }};
};

TEST_F(OpenDesc, StartUpStateIsTheDesignedWindow)
{
    for (GridNumber n : SectionTables()) {
        const Grid& g = ws.grid(n);
        EXPECT_EQ(g.colCount(), n == kTextSectionTable ? 3 : 11) << n.number();
        EXPECT_EQ(g.rowCount(), 50);
        EXPECT_EQ(g.cell(0, 0), "");
        EXPECT_EQ(g.cell(1, 0), "File name");
        for (int r = 1; r < 50; ++r)
            EXPECT_EQ(g.cell(0, r), std::to_string(r));
    }
    const Grid& files = ws.grid(kFileListGrid);
    EXPECT_EQ(files.colCount(), 3);
    EXPECT_EQ(files.rowCount(), 50);
    EXPECT_EQ(row(kFileListGrid, 0), (Row{"File number", "File name", "Path"}));
    EXPECT_EQ(files.cell(0, 1), "");
    EXPECT_EQ(ws.grid(kSummaryGrid).colCount(), 5);
    EXPECT_EQ(ws.grid(kSummaryGrid).rowCount(), 5);
    EXPECT_EQ(ws.descFileCount(), 0);
    EXPECT_EQ(ws.currentDescFile(), "");
    EXPECT_TRUE(ws.variablesText().lines.empty());
    EXPECT_FALSE(ws.isModified()) << "the start-up headers are no edit";
}

TEST_F(OpenDesc, LaysOutOneRowPerFileAndOneColumnPerValue)
{
    vars({"[section1]", "hp =2", "crew =0", "armor =3", "[section_text]", "name =2"});
    const std::string a = desc("a.desc", "hp 10 20\r\narmor 1 2 3\r\nname Tiger  I\r\n");
    const std::string b = desc("b.desc", "hp 30\narmor 4 5 6 7\n");
    ws.openDesc({a, b});

    const Grid& s1 = ws.grid(dravik::GridNumber(1));
    EXPECT_EQ(s1.colCount(), 7);
    EXPECT_EQ(s1.rowCount(), 3);
    EXPECT_EQ(row(1, 0), (Row{"", "File name", "hp ", "hp ", "armor ", "armor ", "armor "}));
    EXPECT_EQ(row(1, 1), (Row{"1", a, "10", "20", "1", "2", "3"}));
    EXPECT_EQ(row(1, 2), (Row{"2", b, "30", "", "4", "5", "6"})) << "no value shown twice; more are out of sight";
    EXPECT_TRUE(ws.valueAbsent(dravik::GridNumber(1), 3, 2));
    EXPECT_FALSE(ws.valueAbsent(dravik::GridNumber(1), 3, 1));
    EXPECT_EQ(ws.lineValues(dravik::GridNumber(1), 6, 2)->values, 4);
    EXPECT_EQ(row(10, 0), (Row{"", "File name", "name ", "name "}));
    EXPECT_EQ(row(10, 1, 2), (Row{"Tiger  I", "Tiger  I"})) << "the text section's value is whole in every column";
    EXPECT_EQ(row(10, 2, 2), (Row{" ", " "}));
    // Sections without entries keep their designed columns and get numbers and paths.
    EXPECT_EQ(ws.grid(dravik::GridNumber(5)).colCount(), 11);
    EXPECT_EQ(row(5, 2), (Row{"2", b, "", "", "", "", "", "", "", "", ""}));

    EXPECT_EQ(ws.fileList().rowCount(), 3);
    EXPECT_EQ(row(kFileListGrid, 1), (Row{"1", "a.desc", a}));
    EXPECT_EQ(row(kFileListGrid, 2), (Row{"2", "b.desc", b}));
    EXPECT_EQ(ws.descFileCount(), 2);
    EXPECT_EQ(ws.currentDescFile(), b);
    EXPECT_EQ(ws.descText().lines, (Lines{"hp 30", "armor 4 5 6 7"}));
    EXPECT_EQ(RelativeToRoot(ws.openedRoot(), b), "b.desc") << "the files are named from their common folder";
}

TEST_F(OpenDesc, MissingAndEmptyValues)
{
    vars({"[section2]", "gone =2", "bare=2", "  lead =1", "[section_text]", "gone =1", "bare=1"});
    ws.openDesc({desc("a.desc", "bare\r\n  lead 5\r\n")});
    EXPECT_EQ(row(2, 1, 2), (Row{" ", " ", "", "", "5"})) << "a key the file lacks gives blanks, a bare one nothing";
    EXPECT_FALSE(ws.valueAbsent(dravik::GridNumber(2), 2, 1));
    EXPECT_TRUE(ws.valueAbsent(dravik::GridNumber(2), 4, 1));
    EXPECT_EQ(row(10, 1, 2), (Row{" ", ""})) << "absent gives one blank, a bare key the empty text";
}

TEST_F(OpenDesc, KeysMatchAsCaseBlindPrefixesAnywhereAndTheLastLineWins)
{
    vars({"[section1]", "abc=1", "abcd=1", "health =1", "\xC0\xE1 =1", "Hp =1", "[section3]", "HP =1"});
    Lines lines(25, "x");
    lines[0] = "[section1]";
    lines[2] = "abcd 4";
    lines[3] = "abc 3";
    lines[5] = "HealthBar 100";
    lines[6] = "health 7";
    lines[7] = "\xE0\xC1 \xC0";
    lines[10] = "HP 1";
    lines[20] = "hp 2";
    lines[22] = "[section3]";
    ws.openDesc({desc("a.desc", JoinLines(TextLines{lines, true}))});
    EXPECT_EQ(row(1, 1, 2), (Row{"3", "4", "7", "\xC0", "2"}));
    EXPECT_EQ(row(3, 1, 2), (Row{"2"})) << "the lookup ignores the sections of the desc";
}

TEST_F(OpenDesc, CountsOfZeroAndBelowTakeNoColumn)
{
    vars({"[section4]", "a =1", "none =0", "neg =-1", "b =2", "[section6]", "only =0"});
    ws.openDesc({desc("a.desc", "a 1\r\nnone 9\r\nneg 8\r\nb 2 3\r\n")});
    EXPECT_EQ(row(4, 0, 2), (Row{"a ", "b ", "b "}));
    EXPECT_EQ(row(4, 1, 2), (Row{"1", "2", "3"}));
    EXPECT_EQ(ws.grid(dravik::GridNumber(6)).colCount(), 2) << "entries that all take no column still set the count";
}

TEST_F(OpenDesc, EmptyVariablesTextFillsOnlyNumbersPathsAndFileList)
{
    const std::string a = desc("a.desc", "hp 1\r\n");
    ws.openDesc({a});
    for (GridNumber n : SectionTables()) {
        EXPECT_EQ(ws.grid(n).rowCount(), 2);
        EXPECT_EQ(ws.grid(n).colCount(), n == kTextSectionTable ? 3 : 11);
        EXPECT_EQ(ws.grid(n).cell(1, 1), a);
        EXPECT_EQ(ws.grid(n).cell(2, 1), "");
    }
    EXPECT_EQ(row(kFileListGrid, 1), (Row{"1", "a.desc", a}));
}

TEST_F(OpenDesc, ColumnWidthsAreFittedOnceAtTheEndWithEveryHeaderInPlace)
{
    vars({"[section1]", "hp =1", "weapon gun=1", "[section_text]", "name =1"});
    const std::string a = desc("a.desc", "");
    Row headersWhenFitted;
    hooks.fitColumnWidths = [&] {
        ++fits;
        headersWhenFitted = row(1, 0);
        headersWhenFitted.emplace_back(ws.grid(dravik::GridNumber(10)).cell(2, 0));
    };
    ws.openDesc({a, a}, hooks);
    EXPECT_EQ(fits, 1);
    EXPECT_EQ(headersWhenFitted, (Row{"", "File name", "hp ", "weapon gun", "name "}));
    ws.openDesc({}, hooks);
    EXPECT_EQ(fits, 1) << "a cancelled Open desc changes no header";
}

TEST_F(OpenDesc, ASecondSmallerLoadLeavesNothingOfTheFirst)
{
    vars({"[section1]", "a =2", "b =3", "[section2]", "c =1"});
    const std::string x = desc("x.desc", "a 1 2\r\nb 3 4 5\r\nc 6\r\n");
    ws.openDesc({x, x, x});
    ws.setCell(dravik::GridNumber(1), 6, 3, "edited");

    vars({"[section1]", "z =1"});
    const std::string y = desc("y.desc", "z 9\r\n");
    ws.openDesc({y});
    EXPECT_EQ(ws.grid(dravik::GridNumber(1)).colCount(), 3);
    EXPECT_EQ(row(1, 0), (Row{"", "File name", "z "}));
    EXPECT_EQ(row(1, 1), (Row{"1", y, "9"}));
    EXPECT_EQ(row(2, 0, 2), (Row{"c "})) << "a section without entries keeps its old headers";
    EXPECT_EQ(row(2, 1, 2), (Row{""}));
    EXPECT_EQ(ws.fileList().rowCount(), 2);
    EXPECT_FALSE(ws.isModified()) << "the edit went with the first load";
    for (GridNumber n : {GridNumber(1), GridNumber(2), kFileListGrid}) {
        Grid widened = ws.grid(n);
        widened.setSize(8, 5);
        for (int r = 0; r < 5; ++r)
            for (int c = 3; c < 8; ++c)
                EXPECT_EQ(widened.cell(c, r), "") << n << ":" << c << "," << r;
        for (int r = 2; r < 5; ++r)
            EXPECT_EQ(widened.cell(1, r), "") << n << ": row " << r;
    }
}

TEST_F(OpenDesc, EveryFileKeepsAllItsValuesWhenLaterFilesRebuildTheColumns)
{
    vars({"[section1]", "a =1", "b =2", "c =3"});
    std::vector<std::string> paths;
    for (int f = 0; f < 4; ++f)
        paths.push_back(desc("f" + std::to_string(f), "a " + std::to_string(f) + "\r\nb 1 2\r\nc 7 8 9\r\n"));
    ws.openDesc(paths);
    for (int r = 1; r <= 4; ++r)
        EXPECT_EQ(row(1, r, 2), (Row{std::to_string(r - 1), "1", "2", "7", "8", "9"})) << r;
}

TEST_F(OpenDesc, BytesOfAnyValueReachTheCells)
{
    vars({"[section1]", "\xC0\xC1 =2", "[section_text]", "note =1"});
    const std::string big(10 * 1024 * 1024, '\xFF');
    const std::string bytes = std::string("\xE0\xE1 a") + '\0' + "b \xFF\r\nnote " + big + "\r\n";
    ws.openDesc({desc("a.desc", bytes)});
    EXPECT_EQ(row(1, 1, 2), (Row{std::string("a") + '\0' + "b", "\xFF"}));
    EXPECT_TRUE(ws.grid(dravik::GridNumber(10)).cell(2, 1) == big);
}

TEST_F(OpenDesc, UnreadableFileStopsTheLoadAndOnlyTheRowsReadStay)
{
    vars({"[section1]", "hp =1"});
    const std::string old = desc("old.desc", "hp 0\r\n");
    ws.openDesc({old, old, old});
    vars({"[section1]", "hpx =1"});
    const std::string a = desc("a.desc", "hpx 1\r\n");
    const std::string missing = dir.file("missing.desc");

    EXPECT_EQ(errorOf({a, missing, a}), "Cannot open file \"" + missing + "\". " + test::Reason(test::kFileNotFound));
    EXPECT_EQ(ws.loadStoppedAt(), 2);
    EXPECT_EQ(ws.descFileCount(), 1);
    EXPECT_EQ(row(1, 1), (Row{"1", a, "1"}));
    // Neither the failing file's row nor an earlier load's is left for Save all.
    EXPECT_EQ(ws.grid(dravik::GridNumber(1)).rowCount(), 2);
    EXPECT_EQ(ws.fileList().rowCount(), 2);
    EXPECT_EQ(ws.currentDescFile(), a);
    EXPECT_EQ(ws.descText().lines, Lines{"hpx 1"});
    EXPECT_EQ(fits, 1) << "finished sections were fitted";
    EXPECT_FALSE(ws.isModified()) << "what was loaded is what the files hold";

    EXPECT_EQ(errorOf({missing, a}), "Cannot open file \"" + missing + "\". " + test::Reason(test::kFileNotFound));
    EXPECT_EQ(fits, 1) << "no section was finished before the first file failed";
    EXPECT_EQ(ws.descFileCount(), 0);
    EXPECT_EQ(ws.fileList().rowCount(), 1);
    ws.openDesc({a});
    EXPECT_EQ(ws.loadStoppedAt(), 0);
}

TEST_F(OpenDesc, AnyErrorHalfWayThroughAFileKeepsOnlyTheRowsFilledWhole)
{
    vars({"[section1]", "hp =1", "[section9]", "crew =1", "[section_text]", "name =1"});
    std::vector<std::string> paths;
    for (int f = 1; f <= 5; ++f)
        paths.push_back(desc("f" + std::to_string(f) + ".desc",
                             "hp  " + std::to_string(f) + " \r\ncrew  3 \r\nname  unit " + std::to_string(f) + " \r\n"));
    ws.openDesc({paths[0], paths[1], paths[2], paths[3], paths[4], paths[0]});

    struct Seam {
        Seam() { SetLoadFailureAtFileForTesting(3); }
        ~Seam() { SetLoadFailureAtFileForTesting(0); }
    } seam;
    EXPECT_THROW(ws.openDesc(paths, hooks), std::bad_alloc);
    EXPECT_EQ(ws.loadStoppedAt(), 3);
    EXPECT_EQ(ws.descFileCount(), 2);
    for (GridNumber n : {GridNumber(1), GridNumber(9), GridNumber(10), kFileListGrid})
        EXPECT_EQ(ws.grid(n).rowCount(), 3) << n;
    EXPECT_EQ(row(10, 2), (Row{"2", paths[1], "unit 2"}));
    EXPECT_EQ(ws.currentDescFile(), paths[1]) << "the preview shows a file whose row stayed";
    EXPECT_EQ(ws.descText().lines, (Lines{"hp  2 ", "crew  3 ", "name  unit 2 "}));
    EXPECT_EQ(fits, 1);
    EXPECT_FALSE(ws.isModified());

    // Save all writes the rows that stayed and never touches the file the
    // load stopped in.
    ws.setCell(dravik::GridNumber(1), 2, 2, "20");
    EXPECT_EQ(ws.saveAll().written, 1);
    EXPECT_EQ(test::ReadBytes(paths[1]), "hp  20 \r\ncrew  3 \r\nname  unit 2 \r\n");
    EXPECT_EQ(test::ReadBytes(paths[2]), "hp  3 \r\ncrew  3 \r\nname  unit 3 \r\n");
}

TEST_F(OpenDesc, AFileNamedByTwoPathsGetsOneRowAndKeepsItsEdit)
{
    vars({"[section1]", "hp =1"});
    const std::string a = desc("a.desc", "hp  1 \r\n");
    const std::string b = desc("b.desc", "hp  2 \r\n");
    const std::string hard = dir.file("hard.desc");
    std::filesystem::create_hard_link(a, hard);
    ws.openDesc({a, hard, b, a}, hooks);
    EXPECT_EQ(ws.descFileCount(), 2);
    EXPECT_EQ(row(kFileListGrid, 2), (Row{"2", "b.desc", b}));
    EXPECT_EQ(ws.openedAliases(), (std::vector<PathAlias>{{hard, a}, {a, a}}));
    // Two rows of one file would each write it, the later one last.
    ws.setCell(dravik::GridNumber(1), 2, 1, "10");
    EXPECT_EQ(ws.saveAll().written, 1);
    EXPECT_EQ(test::ReadBytes(hard), "hp  10 \r\n");
    ws.openDesc({b});
    EXPECT_TRUE(ws.openedAliases().empty());
}

TEST_F(OpenDesc, AListenerThatFailsWhileTheLoadFinishesLeavesTheLoadsOwnErrorAndAConsistentDocument)
{
    struct Failing : DocumentListener {
        void currentDescFileChanged() override { throw DravikError(std::string("the listener failed")); }
    } failing;
    struct Told : DocumentListener {
        int texts = 0, files = 0;
        void descTextChanged() override { ++texts; }
        void currentDescFileChanged() override { ++files; }
    } told;
    const DocumentConnection first = ws.connect(failing);
    const DocumentConnection second = ws.connect(told);
    vars({"[section1]", "hp =1"});
    const std::string a = desc("a.desc", "hp 1\r\n");
    const std::string missing = dir.file("missing.desc");

    EXPECT_EQ(errorOf({a, missing}), "Cannot open file \"" + missing + "\". " + test::Reason(test::kFileNotFound));
    EXPECT_EQ(row(1, 1), (Row{"1", a, "1"}));
    EXPECT_EQ(ws.currentDescFile(), a);
    EXPECT_FALSE(ws.isModified());
    EXPECT_FALSE(ws.cellChanged(dravik::GridNumber(1), 2, 1)) << "the loaded cells are what the file holds";
    EXPECT_FALSE(ws.descTextModified());
    EXPECT_EQ(told.texts, 1) << "the others heard the end of the load";
    EXPECT_EQ(told.files, 1);

    // A load that succeeds: the listener's error comes once the load is whole.
    const std::string b = desc("b.desc", "hp 1\r\n");
    EXPECT_EQ(errorOf({a, b}), "the listener failed");
    EXPECT_EQ(ws.descFileCount(), 2);
    EXPECT_EQ(row(1, 2), (Row{"2", b, "1"}));
    EXPECT_EQ(ws.grid(dravik::GridNumber(1)).rowCount(), 3);
    EXPECT_EQ(told.files, 2);
}

TEST_F(OpenDesc, InvalidCountStopsAtTheFirstFileInsideItsSection)
{
    vars({"[section1]", "a =1", "[section3]", "b =1", "bad =2 ", "c =1", "[section4]", "d =1"});
    const std::string f = desc("f.desc", "a 1\r\nb 2\r\nbad 3\r\nc 4\r\nd 5\r\n");
    const Row section4Before = row(4, 0);
    EXPECT_EQ(errorOf({f, f}), "'2 ' is not a valid integer value");
    EXPECT_EQ(row(1, 1), (Row{"1", f, "1"}));
    EXPECT_EQ(row(3, 0), (Row{"", "File name", "b "}));
    EXPECT_EQ(row(3, 1), (Row{"1", f, "2"}));
    EXPECT_EQ(row(4, 0), section4Before);
    EXPECT_EQ(row(4, 1), (Row{"1", "", "", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(ws.grid(dravik::GridNumber(1)).rowCount(), 2) << "the second file is never read, and its row goes";
    EXPECT_EQ(ws.descFileCount(), 1);
    EXPECT_EQ(ws.currentDescFile(), f);
    EXPECT_EQ(fits, 1) << "sections 1 and 2 had been finished";

    vars({"[section1]", "bad =x"});
    EXPECT_EQ(errorOf({f}), "'x' is not a valid integer value");
    EXPECT_EQ(fits, 1) << "the first section failed: nothing was finished";
}

TEST_F(OpenDesc, BlankEntryLineFailsWithAnEmptyCount)
{
    vars({"[section2]", "a =1", "   "});
    EXPECT_EQ(errorOf({desc("f.desc", "a 1\r\n")}), "'' is not a valid integer value");
    EXPECT_EQ(ws.grid(dravik::GridNumber(2)).cell(2, 1), "1");
    EXPECT_EQ(fits, 1);
}

TEST_F(OpenDesc, CountsTooLargeForTheTablesAreRefusedBeforeAnythingLoads)
{
    vars({"[section1]", "hp =1"});
    const std::string a = desc("a.desc", "hp 1\r\nhuge 2\r\n");
    ws.openDesc({a});
    ws.setCell(dravik::GridNumber(1), 2, 1, "edited");
    const Grid before = ws.grid(dravik::GridNumber(1));
    struct Case {
        std::string count;
        long long value;
        int files;
    };
    for (const Case& c : {Case{"2147483647", 2147483647, 1}, Case{"100000000", 100000000, 1},
                          Case{"$7FFFFFFF", 2147483647, 1}, Case{"20000000", 20000000, 3}}) {
        vars({"[section1]", "hp =1", "[section4]", "huge =" + c.count, "small =1"});
        std::vector<std::string> paths = {a};
        for (int f = 2; f <= c.files; ++f)
            paths.push_back(desc("a" + std::to_string(f) + ".desc", "hp 1\r\nhuge 2\r\n"));
        EXPECT_EQ(errorOf(paths), TooManyColumnsMessage("huge ", c.value)) << c.count;
        EXPECT_TRUE(ws.grid(dravik::GridNumber(1)) == before) << "nothing of the load happens";
        EXPECT_EQ(ws.grid(dravik::GridNumber(4)).colCount(), 11);
        EXPECT_EQ(ws.descFileCount(), 1);
        EXPECT_TRUE(ws.cellChanged(dravik::GridNumber(1), 2, 1)) << "the unsaved edit is kept";
        EXPECT_EQ(ws.planSaveAll().error, "") << "a save writes by the layout the tables have";
    }
    EXPECT_EQ(fits, 0);
}

TEST_F(OpenDesc, NoPathsIsACancel)
{
    vars({"[section1]", "a =1"});
    ws.openDesc({desc("f.desc", "a 1\r\n")});
    ws.setCell(dravik::GridNumber(1), 2, 1, "edited");
    std::vector<Grid> before;
    for (GridNumber n : AllGrids())
        before.push_back(ws.grid(n));
    const std::string current = ws.currentDescFile();
    ws.openDesc({});
    for (GridNumber n : AllGrids())
        EXPECT_TRUE(ws.grid(n) == before[n.index()]) << n;
    EXPECT_EQ(ws.descFileCount(), 1);
    EXPECT_EQ(ws.currentDescFile(), current);
    EXPECT_TRUE(ws.cellChanged(dravik::GridNumber(1), 2, 1)) << "the edit is still unsaved";
}

}  // namespace
}  // namespace dravik
