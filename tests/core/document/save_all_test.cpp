#include "core/document/desc_document.h"

#include "core/text/dravik2_auxillary.h"
#include "core/errors.h"
#include "core/schema/schema.h"
#include "tests/core/schema/literal_reference.h"
#include "tests/core/test_files.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <map>
#include <tuple>
#include <random>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace dravik {
namespace {

using Lines = std::vector<std::string>;
using test::ReadBytes;

class SaveAll : public ::testing::Test {
protected:
    SaveAll() : ws(test::Cyrillic()) { ws.startUp(); }

    void vars(Lines lines) { ws.setVariablesText(TextLines{std::move(lines), true}); }
    std::string desc(const std::string& name, const std::string& bytes) { return dir.write(name, bytes); }
    std::string saveError()
    {
        try {
            ws.saveAll();
        } catch (const DravikError& e) {
            return e.what();
        }
        return "no error";
    }

    test::TempFolder dir;
    DescDocument ws;
};

TEST_F(SaveAll, KeysTheFileLacksAreNotAddedAndTheirValuesStayUnsaved)
{
    vars({"[section1]", "hp =1", "missing =2"});
    const std::string path = desc("a.desc", "hp 1");
    ws.openDesc({path});
    EXPECT_TRUE(ws.keyLineMissing(dravik::GridNumber(1), 4, 1));
    EXPECT_FALSE(ws.keyLineMissing(dravik::GridNumber(1), 2, 1));
    ws.setCell(dravik::GridNumber(1), 3, 1, "5");
    ws.setCell(dravik::GridNumber(1), 2, 1, "2");
    ws.saveAll();
    EXPECT_EQ(ReadBytes(path), "hp  2 ");
    EXPECT_TRUE(ws.cellChanged(dravik::GridNumber(1), 3, 1)) << "the file still lacks the value";
    EXPECT_FALSE(ws.cellChanged(dravik::GridNumber(1), 2, 1));
    EXPECT_EQ(ws.changedCellCount(), 1u);
}

TEST_F(SaveAll, WritesByTheSchemaTheTablesWereLaidOutBy)
{
    vars({"[section1]", "armor =3", "", "speed =1"});
    const std::string path = desc("a.desc", "armor 1 2 3\r\nspeed 9\r\n");
    ws.openDesc({path});
    vars({"[section1]", "armor =3", "speed =1", "[section5]"});
    EXPECT_FALSE(ws.variablesChangedSinceOpen()) << "the same keys and counts";
    vars({"[section1]", "armor =2", "speed =1"});
    EXPECT_TRUE(ws.variablesChangedSinceOpen());
    ws.saveAll();
    EXPECT_EQ(ReadBytes(path), "armor  1 2 3 \r\nspeed  9 \r\n");
}

TEST_F(SaveAll, SaveCurrentLeavesTheFilesRowsAgreeingWithIt)
{
    vars({"[section1]", "hp =2", "[section_text]", "name =1"});
    const std::string a = desc("a.desc", "hp 1 2\r\nname A\r\n");
    const std::string b = desc("b.desc", "hp 3 4\r\n");
    ws.openDesc({a, b});
    ws.selectFileListRow(1);
    ws.setCell(dravik::GridNumber(1), 3, 1, "9");
    ws.setCell(dravik::GridNumber(1), 3, 2, "8");
    ws.setDescText(TextLines{{"hp 5 6", "name A B"}, true});
    const TableChange change = ws.saveCurrent();
    EXPECT_EQ(ReadBytes(a), "hp 5 6\r\nname A B\r\n");
    EXPECT_EQ(ws.grid(dravik::GridNumber(1)).cell(2, 1), "5");
    EXPECT_FALSE(ws.cellChanged(dravik::GridNumber(1), 2, 1));
    EXPECT_EQ(ws.grid(dravik::GridNumber(10)).cell(2, 1), "A B");
    EXPECT_EQ(ws.grid(dravik::GridNumber(1)).cell(3, 1), "9") << "an edit stays";
    EXPECT_EQ(ws.diskValue(dravik::GridNumber(1), 3, 1), "6");
    EXPECT_EQ(ws.grid(dravik::GridNumber(1)).cell(3, 2), "8") << "another file's row is left alone";

    // Undone, the old values are edits against the file as it now is.
    ws.undo(change);
    EXPECT_EQ(ws.grid(dravik::GridNumber(1)).cell(2, 1), "1");
    EXPECT_TRUE(ws.cellChanged(dravik::GridNumber(1), 2, 1));
    ws.redo(change);
    ws.saveAll();
    EXPECT_EQ(ReadBytes(a), "hp  5 9 \r\nname  A B \r\n");
    EXPECT_EQ(ReadBytes(b), "hp  3 8 \r\n");
}

TEST_F(SaveAll, KeysWithoutAColumnKeepTheirLine)
{
    vars({"[section1]", "a =2", "z =0"});
    const std::string path = desc("a.desc", "a 1 2\r\nz 9\r\n");
    ws.openDesc({path});
    ws.setCell(dravik::GridNumber(1), 2, 0, "renamed");
    ws.setCell(dravik::GridNumber(1), 3, 0, "renamed");
    ws.saveAll();
    EXPECT_EQ(ReadBytes(path), "a 1 2\r\nz  9 \r\n") << "a count of 0 needs no column, and keeps the values";

    // A schema entry new since the load finds no column either.
    vars({"[section1]", "z =0", "[section3]", "late =1"});
    desc("a.desc", "late 7\r\n");
    ws.saveAll();
    EXPECT_EQ(ReadBytes(path), "late 7\r\n");
}

TEST_F(SaveAll, NothingOpenedDoesNothing)
{
    vars({"[section1]", "a =1"});
    ws.setDescText(TextLines{{"kept"}, false});
    ws.saveAll();
    EXPECT_EQ(ws.descText().lines, Lines{"kept"});
    EXPECT_EQ(dir.names(), std::vector<std::string>{});
}

TEST_F(SaveAll, ThePreviewFollowsTheCurrentFileAfterwards)
{
    vars({"[section1]", "a =1"});
    const std::string a = desc("a.desc", "a 1\r\n");
    const std::string b = desc("b.desc", "a 2\r\n");
    ws.openDesc({a, b});
    ws.selectFileListRow(1);
    ws.setCell(dravik::GridNumber(1), 2, 1, "10");
    ws.saveAll();
    EXPECT_EQ(ws.currentDescFile(), a);
    EXPECT_EQ(ws.descText(), SplitLines("a  10 \r\n"));
    TextLines typed = ws.descText();
    typed.lines.push_back("typed");
    ws.setDescText(typed);
    ws.saveCurrent();
    EXPECT_EQ(ReadBytes(a), "a  10 \r\ntyped\r\n");
    EXPECT_EQ(ReadBytes(b), "a  2 \r\n");
}

TEST_F(SaveAll, AFileListedTwiceTakesItsRowsInTurn)
{
    // Row 1 rewrites the last "ab" line into an "a" line, so row 2 finds its
    // "ab" line higher up: only a save that builds row 2 on row 1's bytes
    // writes what saving one file after the other always wrote.
    vars({"[section1]", "ab=1", "a=1"});
    const std::string path = desc("a.desc", "ab 1\r\nab 2\r\n");
    ws.openDesc({path, desc("copy.desc", "ab 1\r\nab 2\r\n")});
    // Opened once, a file reaches a second row by its path typed there.
    ws.setCell(kFileListGrid, 2, 2, path);
    ws.setCell(dravik::GridNumber(1), 2, 2, "9");
    const SavePlan plan = ws.planSaveAll();
    EXPECT_TRUE(plan.changedOnDisk().empty()) << "a row's own earlier row is no change behind the document's back";
    ws.saveAll(plan);
    EXPECT_EQ(ReadBytes(path), "ab 9 \r\na b 2 \r\n") << "\"a\" keeps its line's value past its count";
    EXPECT_FALSE(ws.planSaveAll().files.at(0).changedOnDisk);
}

// Found before anything is written, not half way through the writing.
TEST_F(SaveAll, AFileThatCannotBeReadStopsTheSaveBeforeAnythingIsWritten)
{
    vars({"[section1]", "a =1"});
    const std::string a = desc("a.desc", "a 1\r\n");
    const std::string b = desc("b.desc", "a 2\r\n");
    const std::string c = desc("c.desc", "a 3\r\n");
    ws.openDesc({a, b, c});
    std::filesystem::remove(b);
    EXPECT_EQ(saveError(), "Cannot open file \"" + b + "\". " + test::Reason(test::kFileNotFound));
    EXPECT_EQ(ReadBytes(a), "a 1\r\n");
    EXPECT_EQ(ReadBytes(c), "a 3\r\n");
    EXPECT_EQ(ws.descText(), SplitLines("a 3\r\n")) << "the preview is the current file's";
}

// A file that cannot be written beside its target (a full disk) writes no
// file at all; the next save writes them all.
TEST_F(SaveAll, FailedWriteWritesNoFileAndLeavesEachWhole)
{
    vars({"[section1]", "a =1"});
    const std::string a = desc("a.desc", "a 1\r\n");
    const std::string b = desc("b.desc", "a 2\r\n" + std::string(4096, '#'));
    const std::string c = desc("c.desc", "a 3\r\n");
    ws.openDesc({a, b, c});
    std::string message;
    {
        test::WriteFailure full(100, test::kDiskFull);  // a.desc fits, b.desc does not
        message = saveError();
    }
    EXPECT_EQ(message, "Cannot create file \"" + b + "\". " + test::Reason(test::kDiskFull));
    EXPECT_EQ(ReadBytes(a), "a 1\r\n");
    EXPECT_EQ(ReadBytes(b), "a 2\r\n" + std::string(4096, '#'));
    EXPECT_EQ(ReadBytes(c), "a 3\r\n");
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"a.desc", "b.desc", "c.desc"}));
    ws.saveAll();
    EXPECT_EQ(ReadBytes(a), "a  1 \r\n");
    EXPECT_EQ(ReadBytes(b), "a  2 \r\n" + std::string(4096, '#'));
}

TEST_F(SaveAll, InvalidCountWritesNothing)
{
    // The tables were laid out by it, as far as the load got.
    vars({"[section1]", "a =1", "[section9]", "b =one"});
    const std::string a = desc("a.desc", "a 1\r\n");
    EXPECT_THROW(ws.openDesc({a, a}), DravikError);
    ws.setCell(dravik::GridNumber(1), 2, 1, "2");
    EXPECT_EQ(saveError(), "'one' is not a valid integer value");
    EXPECT_EQ(ReadBytes(a), "a 1\r\n");
}

TEST_F(SaveAll, BytesOfAnyValueSurviveALoadAndSave)
{
    vars({"[section1]", "k =2", "[section_text]", "t =1"});
    std::string big(10 * 1024 * 1024, 'x');
    big[1] = '\0';
    big[big.size() - 2] = '\xFF';
    const std::string other = std::string("\xFF\x00\x01 raw", 7);
    const std::string path = desc("a.desc", "k \xC0\xE0 \xFF\r\n" + other + "\n" + big + "\rt " + big);
    ws.openDesc({path});
    EXPECT_TRUE(ws.grid(dravik::GridNumber(10)).cell(2, 1) == big);
    ws.saveAll();
    EXPECT_TRUE(ReadBytes(path) == "k  \xC0\xE0 \xFF \r\n" + other + "\r\n" + big + "\r\nt  " + big + " ");
}

TEST(SaveCurrent, BeforeAnyLoadCannotCreate)
{
    DescDocument ws(test::Cyrillic());
    ws.setDescText(TextLines{{"x"}, false});
    try {
        ws.saveCurrent();
        FAIL() << "no error";
    } catch (const DravikError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot create file \"\". ", 0), 0u) << e.what();
    }
}

#ifndef _WIN32
TEST_F(SaveAll, KeepsThePermissionBits)
{
    vars({"[section1]", "a =1"});
    const std::string a = desc("a.desc", "a 1\r\n");
    ASSERT_EQ(::chmod(a.c_str(), 0640), 0);
    ws.openDesc({a});
    ws.saveAll();
    struct stat info {};
    ASSERT_EQ(::stat(a.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadBytes(a), "a  1 \r\n");
}

TEST_F(SaveAll, RefusesAReadOnlyFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write a read-only file";
    vars({"[section1]", "a =1"});
    const std::string a = desc("a.desc", "a 1\r\n");
    ws.openDesc({a});
    ASSERT_EQ(::chmod(a.c_str(), 0444), 0);
    EXPECT_EQ(saveError(), "Cannot create file \"" + a + "\". " + test::Reason(EACCES));
    EXPECT_EQ(ReadBytes(a), "a 1\r\n");
}
#endif

// Open desc and Save all exactly as their steps read, with the decided mends:
// the last matching line for reading and writing, a column search over the
// whole header row, lines left alone when no column carries the name,
// negative counts and empty names never written, and in sections 1 to 9 no
// value cut or made up: a line's values past the count are written after the
// cells, and cells past a line's last value stay empty and are written only
// up to the last one typed into. Grids here never drop a cell while a command
// runs; cells outside the final size are cut at the end.
namespace reference {

struct Table {
    int cols = 1, rows = 1;
    std::map<std::pair<int, int>, std::string> cells;

    void set(int c, int r, const std::string& text)
    {
        if (c >= 0 && r >= 0 && c < cols && r < rows)
            cells[{c, r}] = text;
    }
    std::string get(int c, int r) const
    {
        if (c < 0 || r < 0 || c >= cols || r >= rows)
            return "";
        auto found = cells.find({c, r});
        return found == cells.end() ? "" : found->second;
    }
};

struct State {
    std::array<Table, kGridCount> grids;
    TextLines desc;
    std::string current;
    int count = 0;
    std::map<std::string, std::string> files;  // path -> bytes
    // The values of each key line read, by row, section and entry.
    std::map<std::tuple<int, int, size_t>, int> lineValues;
};

Table FromGrid(const Grid& grid)
{
    Table t;
    t.cols = grid.colCount();
    t.rows = grid.rowCount();
    for (int r = 0; r < t.rows; ++r)
        for (int c = 0; c < t.cols; ++c)
            if (!grid.cell(c, r).empty())
                t.cells[{c, r}] = grid.cell(c, r);
    return t;
}

Grid ToGrid(const Table& t)
{
    Grid grid(t.cols, t.rows);
    for (const auto& [at, text] : t.cells)
        grid.setCell(at.first, at.second, text);
    return grid;
}

void Open(State& s, const TextLines& vars, const std::vector<std::string>& paths, const CodePage& page)
{
    const int n = static_cast<int>(paths.size());
    s.count = n;
    for (int i = 1; i <= 10; ++i)
        std::erase_if(s.grids[i - 1].cells, [](const auto& cell) { return cell.first.first >= 1 && cell.first.second >= 1; });
    Table& files = s.grids[kFileListGrid.index()];
    files.rows = n + 1;
    for (int r = 1; r <= n; ++r) {
        const std::string& p = paths[static_cast<size_t>(r) - 1];
        files.set(2, r, p);
        files.set(0, r, std::to_string(r));
        files.set(1, r, NameOfFile(p));
        s.desc = SplitLines(s.files.at(p));
        s.current = p;
        for (int i = 1; i <= 10; ++i) {
            Table& t = s.grids[i - 1];
            const Lines entries = GetSectionLines(vars, SectionName(dravik::SectionNumber(i)));
            t.set(0, r, std::to_string(r));
            t.set(1, r, p);
            int pos = 2, total = 2;
            t.rows = n + 1;
            for (size_t k = 0; k < entries.size(); ++k) {
                const std::string name = literal::EntryName(entries, k);
                const int c = std::max(literal::EntryCount(entries, name, page), 0);
                total += c;
                t.cols = total;
                const std::string v = literal::GetKeyValue(s.desc.lines, name, page);
                const bool found = literal::KeyLine(s.desc.lines, name, page) >= 0;
                const std::vector<std::string> words = literal::BlankWords(v);
                if (found)
                    s.lineValues[{r, i, k}] = static_cast<int>(words.size());
                for (int j = 0; j < c; ++j, ++pos) {
                    t.set(pos, 0, name);
                    if (i == 10 || !found)
                        t.set(pos, r, i == 10 ? v : GetWord(' ', v, j));
                    else
                        t.set(pos, r, static_cast<size_t>(j) < words.size() ? words[static_cast<size_t>(j)] : "");
                }
            }
        }
    }
}

void Save(State& s, const TextLines& vars, const CodePage& page)
{
    if (s.count == 0)
        return;
    for (int r = 1; r <= s.count; ++r) {
        const std::string p = s.grids[kFileListGrid.index()].get(2, r);
        TextLines text = SplitLines(s.files.at(p));
        for (int i = 1; i <= 10; ++i) {
            const Table& t = s.grids[i - 1];
            const Lines entries = GetSectionLines(vars, SectionName(dravik::SectionNumber(i)));
            for (size_t k = 0; k < entries.size(); ++k) {
                const std::string name = literal::EntryName(entries, k);
                const int c = literal::EntryCount(entries, name, page);
                if (name.empty() || c < 0)
                    continue;
                std::string line = name + " ";
                const long at = literal::KeyLine(text.lines, name, page);
                if (c == 0 && i != 10 && at >= 0)
                    for (const std::string& word :
                         literal::BlankWords(std::string_view(text.lines[static_cast<size_t>(at)]).substr(name.size())))
                        line += word + " ";
                if (c > 0) {
                    // A header equal to the name as written first ("hp" beside "hp ").
                    int first = -1;
                    for (int col = 2; col < t.cols && first < 0; ++col)
                        if (t.get(col, 0) == name)
                            first = col;
                    for (int col = 2; col < t.cols && first < 0; ++col)
                        if (Trim(t.get(col, 0)) == Trim(name))
                            first = col;
                    if (first < 0)
                        continue;
                    if (i == 10) {
                        line += t.get(first, r) + " ";
                    } else if (at >= 0) {
                        const auto read = s.lineValues.find({r, i, k});
                        int values = std::min(read == s.lineValues.end() ? c : read->second, c);
                        for (int j = values; j < c; ++j)
                            if (!t.get(first + j, r).empty())
                                values = j + 1;
                        for (int j = 0; j < values; ++j)
                            line += t.get(first + j, r) + " ";
                        // The line's own words past the values written, unless
                        // the cells already give the line (a cell of several
                        // words then holds them all).
                        const std::string& current = text.lines[static_cast<size_t>(at)];
                        const std::vector<std::string> words =
                            literal::BlankWords(std::string_view(current).substr(name.size()));
                        if (line != current)
                            for (size_t j = static_cast<size_t>(values); j < words.size(); ++j)
                                line += words[j] + " ";
                    }
                }
                if (at >= 0)
                    text.lines[static_cast<size_t>(at)] = line;
            }
        }
        s.files[p] = JoinLines(text);
    }
    s.desc = SplitLines(s.files.at(s.current));
}

}  // namespace reference

class AgainstReference : public ::testing::TestWithParam<unsigned> {
protected:
    AgainstReference() : ws(test::Cyrillic()), random(GetParam()) { ws.startUp(); }

    template <typename T>
    const T& pick(const std::vector<T>& from) { return from[random() % from.size()]; }
    std::string caseMixed(std::string text)
    {
        for (char& c : text)
            if (random() % 2)
                c = static_cast<char>(test::Cyrillic().lower(static_cast<unsigned char>(c)));
        return text;
    }

    TextLines schema()
    {
        static const std::vector<std::string> names{"hp ", "HP", "hp", "Armor ", "arm", "\xC0\xE1 ", "\xE0\xC1",
                                                    "weapon gun", "weapon ", "  pad ", "x", ""};
        static const std::vector<std::string> counts{"0", "1", "2", "3", "4", "-1", " 2"};
        TextLines vars;
        vars.finalBreak = true;
        for (int i = 1; i <= 10; ++i) {
            if (random() % 5 == 0)
                continue;
            vars.lines.push_back("[" + SectionName(dravik::SectionNumber(i)) + "]");
            for (int k = static_cast<int>(random() % 5); k > 0; --k)
                vars.lines.push_back(pick(names) + "=" + pick(counts));
        }
        return vars;
    }

    std::string descBytes()
    {
        static const std::vector<std::string> keys{"hp", "HP ", "Armor", "arm", "\xC0\xE1", "\xE0\xC1\xC2", "weapon gun",
                                                   "weapon", "  pad", "x", "xx", "[section1]", "[section_text]"};
        static const std::vector<std::string> values{"1", "22", "-3", "\xFF", std::string("a\0b", 3), "\xC0\xC1",
                                                     "x~y", "a\tb", ""};
        static const std::vector<std::string> breaks{"\r\n", "\n", "\r"};
        std::string bytes;
        const int lines = static_cast<int>(random() % 14);
        for (int l = 0; l < lines; ++l) {
            if (l > 0)
                bytes += pick(breaks);
            bytes += caseMixed(pick(keys));
            for (int v = static_cast<int>(random() % 6); v > 0; --v)
                bytes += std::string(1 + random() % 2, ' ') + pick(values);
        }
        if (lines > 0 && random() % 2)
            bytes += pick(breaks);
        return bytes;
    }

    void edit(int fileCount, const std::vector<std::string>& paths)
    {
        static const std::vector<std::string> texts{"", " ", "9", "a b", "\xFF\xC0", "hp"};
        for (int e = static_cast<int>(random() % 8); e > 0; --e) {
            const GridNumber n(1 + static_cast<int>(random() % 10));
            const Grid& t = ws.grid(n);
            const int c = static_cast<int>(random() % t.colCount());
            const int choice = static_cast<int>(random() % 10);
            if (choice == 0) {
                ws.setCell(n, c, 0, pick(texts));  // a renamed header
            } else if (choice == 1 && t.colCount() > 3) {
                const int d = 2 + static_cast<int>(random() % (t.colCount() - 2));
                std::vector<CellEdit> swap;  // two columns swapped
                for (int r = 0; r < t.rowCount(); ++r) {
                    swap.push_back({dravik::GridNumber(n), c, r, std::string(t.cell(d, r))});
                    swap.push_back({dravik::GridNumber(n), d, r, std::string(t.cell(c, r))});
                }
                ws.setCells(swap);
            } else {
                ws.setCell(n, c, 1 + static_cast<int>(random() % fileCount), pick(texts));
            }
        }
        if (random() % 4 == 0)
            ws.setCell(kFileListGrid, 2, 1 + static_cast<int>(random() % fileCount), pick(paths));
        if (random() % 3 == 0)
            ws.selectFileListRow(1 + static_cast<int>(random() % fileCount));
    }

    void expectSameGrids(const reference::State& s, const char* when)
    {
        for (GridNumber n : FileRowTables())
            ASSERT_TRUE(ws.grid(n) == reference::ToGrid(s.grids[n.index()])) << when << ": grid " << n;
    }

    test::TempFolder dir;
    DescDocument ws;
    std::mt19937 random;
};

TEST_P(AgainstReference, OpenDescAndSaveAllGiveTheSameGridsAndBytes)
{
    for (int round = 0; round < 40; ++round) {
        std::vector<std::string> pool;
        for (int f = 0; f < 4; ++f)
            pool.push_back(dir.write("f" + std::to_string(f) + ".desc", descBytes()));
        std::vector<std::string> paths;
        for (int f = 1 + static_cast<int>(random() % 4); f > 0; --f)
            paths.push_back(pick(pool));
        // A file given twice is opened once; edits of the file list may
        // still name one file on two rows.
        std::vector<std::string> distinct;
        for (const std::string& p : paths)
            if (std::find(distinct.begin(), distinct.end(), p) == distinct.end())
                distinct.push_back(p);
        ws.setVariablesText(schema());

        reference::State s;
        for (GridNumber n : AllGrids())
            s.grids[n.index()] = reference::FromGrid(ws.grid(n));
        for (const auto& p : pool)
            s.files[p] = test::ReadBytes(p);
        try {
            reference::Open(s, ws.variablesText(), distinct, ws.codePage());
        } catch (const DravikError&) {
            continue;  // the schema has a bad count; failures are tested by hand
        }
        ws.openDesc(paths);
        expectSameGrids(s, "after Open desc");
        ASSERT_EQ(ws.descText(), s.desc);
        ASSERT_EQ(ws.currentDescFile(), s.current);

        edit(static_cast<int>(distinct.size()), pool);
        for (GridNumber n : AllGrids())
            s.grids[n.index()] = reference::FromGrid(ws.grid(n));
        s.current = ws.currentDescFile();
        const TextLines laidOutBy = ws.variablesText();
        if (random() % 4 == 0)
            ws.setVariablesText(schema());  // changed after the load: the tables' layout still holds
        try {
            reference::Save(s, laidOutBy, ws.codePage());
        } catch (const DravikError&) {
            continue;
        }
        ws.saveAll();
        for (const auto& p : pool)
            ASSERT_EQ(test::ReadBytes(p), s.files.at(p)) << "round " << round << " " << p;
        ASSERT_EQ(ws.descText(), s.desc);
        ASSERT_EQ(dir.names().size(), pool.size());
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, AgainstReference, ::testing::Values(1u, 7u, 99u, 1234u, 31337u, 4242u));

}  // namespace
}  // namespace dravik
