// The document's record of change: what an edit replaced, what each cell
// holds on disk, whom it tells, and which files a Save all touches.
#include "core/document/desc_document.h"

#include "core/errors.h"
#include "core/exchange/table_exchange.h"
#include "core/files/file_io.h"
#include "tests/core/test_files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace dravik {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;

// What a listener hears, in order; a size notice with the grid's size as
// the listener sees it then.
struct Recorder : DocumentListener {
    explicit Recorder(DescDocument& document) : doc(document), connection(document.connect(*this)) {}

    void cellsChanged(GridNumber grid, int firstCol, int firstRow, int lastCol, int lastRow) override
    {
        events.push_back("cells " + std::to_string(grid.number()) + " " + std::to_string(firstCol) + "," +
                         std::to_string(firstRow) + "-" + std::to_string(lastCol) + "," + std::to_string(lastRow));
    }
    void modifiedChanged(bool modified) override { events.push_back(modified ? "modified" : "clean"); }
    void rowsAboutToBeInserted(GridNumber grid, int first, int last) override { size("rows+? ", grid, first, last); }
    void rowsInserted(GridNumber grid, int first, int last) override { size("rows+ ", grid, first, last); }
    void rowsAboutToBeRemoved(GridNumber grid, int first, int last) override { size("rows-? ", grid, first, last); }
    void rowsRemoved(GridNumber grid, int first, int last) override { size("rows- ", grid, first, last); }
    void columnsAboutToBeInserted(GridNumber grid, int first, int last) override { size("cols+? ", grid, first, last); }
    void columnsInserted(GridNumber grid, int first, int last) override { size("cols+ ", grid, first, last); }
    void columnsAboutToBeRemoved(GridNumber grid, int first, int last) override { size("cols-? ", grid, first, last); }
    void columnsRemoved(GridNumber grid, int first, int last) override { size("cols- ", grid, first, last); }

    void size(const char* what, GridNumber grid, int first, int last)
    {
        const Grid& g = doc.grid(grid);
        events.push_back(what + std::to_string(grid.number()) + " " + std::to_string(first) + "-" + std::to_string(last) +
                         " in " + std::to_string(g.colCount()) + "x" + std::to_string(g.rowCount()));
    }
    // Only the notices of one kind ("cells", "rows", ...).
    std::vector<std::string> only(const std::string& kind) const
    {
        std::vector<std::string> found;
        for (const auto& e : events)
            if (e.rfind(kind, 0) == 0)
                found.push_back(e);
        return found;
    }

    const DescDocument& doc;
    std::vector<std::string> events;
    DocumentConnection connection;
};

// What Save all writes for these files is their own bytes: an unedited save
// leaves them alone.
std::string Saved(const std::string& hp, const std::string& name)
{
    return "hp  " + hp + " \r\nname  " + name + " \r\n";
}

class Document : public ::testing::Test {
protected:
    Document() : doc(test::Cyrillic())
    {
        doc.startUp();
        doc.setVariablesText(TextLines{{"[section1]", "hp =2", "[section_text]", "name =1"}, true});
        for (const char* name : {"a", "b", "c"})
            paths.push_back(dir.write(std::string(name) + ".desc", Saved("1 2", name)));
        doc.openDesc(paths);
    }
    std::vector<Grid> tables() const
    {
        std::vector<Grid> grids;
        for (GridNumber n : AllGrids())
            grids.push_back(doc.grid(n));
        return grids;
    }
    void expectTables(const std::vector<Grid>& want, const std::string& when) const
    {
        for (GridNumber n : AllGrids()) {
            const Grid& g = doc.grid(n);
            const Grid& w = want[n.index()];
            EXPECT_EQ(g.colCount(), w.colCount()) << when << ": grid " << n;
            EXPECT_EQ(g.rowCount(), w.rowCount()) << when << ": grid " << n;
            EXPECT_TRUE(g == w) << when << ": grid " << n;
        }
    }
    std::string saveError(const SavePlan& plan, const std::set<int>& skip = {})
    {
        try {
            doc.saveAll(plan, skip);
        } catch (const DravikError& e) {
            return e.what();
        }
        return "no error";
    }

    test::TempFolder dir;
    DescDocument doc;
    std::vector<std::string> paths;
};

// ---- Edits taken back

TEST_F(Document, UndoAndRedoRestoreEveryCellAndSize)
{
    std::vector<std::vector<Grid>> states{tables()};
    std::vector<TableChange> history;
    auto step = [&](TableChange change) {
        history.push_back(std::move(change));
        states.push_back(tables());
    };
    step(doc.setCells({{dravik::GridNumber(1), 2, 1, "10"}, {dravik::GridNumber(1), 3, 2, std::string("\0\xFF\t\r\n~", 6)}, {dravik::GridNumber(1), 2, 1, "11"},
                       {kFileListGrid, 2, 3, "moved"},
                       {kSummaryGrid, 4, 4, "s"}, {dravik::GridNumber(1), 40, 1, "outside"}}));
    EXPECT_EQ(history.back().cellCount(), 5u) << "a cell written twice is recorded twice; none outside the grid";
    step(ExportTable(doc));  // the summary grows
    ASSERT_EQ(doc.summary().rowCount(), 1 + 11 + 10 * 4 + 4);
    const std::string narrow = "Section 1\t\r\n\tFile name\thp \thp \t\r\n\t" + paths[0] + "\t7\t8\t\r\n";
    step(ImportTable(doc, &narrow));  // ... narrows to four columns, and shrinks to the file's rows
    ASSERT_EQ(doc.summary().colCount(), 5);
    ASSERT_EQ(doc.summary().rowCount(), 3);
    ASSERT_EQ(doc.grid(dravik::GridNumber(1)).cell(2, 1), "7");
    ASSERT_EQ(doc.grid(dravik::GridNumber(1)).cell(3, 1), "8");
    step(ClearSummaryTable(doc));
    // Tables whose size changes: cells the new size drops must come back.
    Grid smaller = doc.grid(dravik::GridNumber(1));
    smaller.setSize(3, 2);
    Grid larger = doc.fileList();
    larger.setSize(5, 7);
    larger.setCell(4, 6, "far");
    step(doc.replaceGrids({{dravik::GridNumber(10), doc.grid(dravik::GridNumber(10))}, {dravik::GridNumber(1), smaller}, {kFileListGrid, larger}}));

    for (size_t k = history.size(); k-- > 0;) {
        doc.undo(history[k]);
        expectTables(states[k], "undo " + std::to_string(k));
    }
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(doc.changedCellCount(), 0u);
    // The count only rises: every edit, undo and redo is a change of the tables.
    EXPECT_EQ(doc.modificationCount(), static_cast<std::int64_t>(2 * history.size()));
    for (size_t k = 0; k < history.size(); ++k) {
        doc.redo(history[k]);
        expectTables(states[k + 1], "redo " + std::to_string(k));
    }
    EXPECT_TRUE(doc.isModified());
    EXPECT_TRUE(doc.cellChanged(kFileListGrid, 4, 6));
    doc.undo(history.back());
    EXPECT_FALSE(doc.cellChanged(kFileListGrid, 4, 6));
}

TEST_F(Document, ALargeChangeStaysSmall)
{
    Grid summary(100, 1000);
    size_t texts = 0;
    for (int r = 0; r < 1000; ++r)
        for (int c = 0; c < 100; ++c) {
            summary.setCell(c, r, std::to_string(r * 100 + c));
            texts += summary.cell(c, r).size();
        }
    const TableChange change = doc.replaceGrids({{kSummaryGrid, summary}});
    EXPECT_EQ(change.cellCount(), 100000u);
    // A table replaced whole (an export) is held as the table it replaced,
    // not a step a cell.
    EXPECT_LE(change.memoryUsed(), 2 * change.cellCount() + texts);
}

// ---- What differs from the disk

TEST_F(Document, DiskValuesAreWhatTheFilesHoldThroughEditsAndLoads)
{
    doc.setCell(dravik::GridNumber(1), 2, 1, "7");
    EXPECT_EQ(doc.diskValue(dravik::GridNumber(1), 2, 1), "1");
    EXPECT_EQ(doc.diskValue(dravik::GridNumber(1), 3, 1), "2") << "an unchanged cell's disk value is its text";
    doc.setCell(dravik::GridNumber(1), 2, 1, "8");
    EXPECT_EQ(doc.diskValue(dravik::GridNumber(1), 2, 1), "1") << "a second edit keeps the file's value";
    EXPECT_EQ(doc.diskValue(kSummaryGrid, 0, 0), "") << "the summary table has no file";

    test::WriteBytes(paths[0], Saved("4 5", "a"));
    doc.openDesc(paths);
    EXPECT_EQ(doc.diskValue(dravik::GridNumber(1), 2, 1), "4") << "a load takes the files' values, edited or not";
    doc.setCell(dravik::GridNumber(1), 2, 1, "9");
    EXPECT_EQ(doc.diskValue(dravik::GridNumber(1), 2, 1), "4");
}

TEST_F(Document, MarksFollowTheEditsAndATextTypedBackIsClean)
{
    Recorder heard(doc);
    EXPECT_FALSE(doc.isModified());
    const std::int64_t start = doc.modificationCount();

    const TableChange first = doc.setCell(dravik::GridNumber(1), 2, 2, "7");
    EXPECT_TRUE(doc.cellChanged(dravik::GridNumber(1), 2, 2));
    EXPECT_EQ(doc.diskValue(dravik::GridNumber(1), 2, 2), "1");
    EXPECT_TRUE(doc.rowChanged(2));
    EXPECT_FALSE(doc.rowChanged(1));
    EXPECT_TRUE(doc.isModified());
    doc.setCell(dravik::GridNumber(1), 3, 2, "8");
    doc.setCell(kFileListGrid, 1, 3, "renamed");
    EXPECT_EQ(doc.changedCellCount(), 3u);
    EXPECT_TRUE(doc.rowChanged(3)) << "the file list row is the file's row too";
    EXPECT_EQ(doc.modificationCount(), start + 3);

    doc.setCell(dravik::GridNumber(1), 2, 2, "1");
    EXPECT_FALSE(doc.cellChanged(dravik::GridNumber(1), 2, 2)) << "typed back to what the file holds";
    EXPECT_TRUE(doc.rowChanged(2));
    doc.setCell(dravik::GridNumber(1), 3, 2, "2");
    doc.setCell(kFileListGrid, 1, 3, "c.desc");
    EXPECT_FALSE(doc.rowChanged(2));
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(doc.changedCellCount(), 0u);

    doc.setCell(kSummaryGrid, 1, 1, "x");
    EXPECT_FALSE(doc.isModified()) << "the summary table is no file's";
    EXPECT_FALSE(doc.cellChanged(kSummaryGrid, 1, 1));

    doc.redo(first);
    EXPECT_TRUE(doc.cellChanged(dravik::GridNumber(1), 2, 2));
    doc.undo(first);
    EXPECT_FALSE(doc.isModified());

    std::vector<std::string> transitions;
    for (const auto& e : heard.events)
        if (e == "modified" || e == "clean")
            transitions.push_back(e);
    EXPECT_EQ(transitions, (std::vector<std::string>{"modified", "clean", "modified", "clean"}));
}

TEST_F(Document, ListenersHearTheTouchedRectangle)
{
    Recorder heard(doc);
    doc.setCells({{dravik::GridNumber(1), 3, 1, "a"}, {dravik::GridNumber(1), 2, 3, "b"}, {dravik::GridNumber(10), 2, 2, "c"}});
    EXPECT_EQ(heard.events, (std::vector<std::string>{"cells 1 2,1-3,3", "cells 10 2,2-2,2", "modified"}));

    heard.events.clear();
    const TableChange none = doc.setCells({{dravik::GridNumber(1), 3, 1, "a"}, {dravik::GridNumber(1), 99, 1, "outside"}});
    EXPECT_TRUE(none.empty());
    EXPECT_TRUE(heard.events.empty()) << "nothing changed, nothing to tell";
}

TEST_F(Document, AnExportCountsTheCellsItChanges)
{
    const TableChange first = ExportTable(doc);  // into the empty summary table
    size_t filled = 0;
    for (int r = 0; r < doc.summary().rowCount(); ++r)
        for (int c = 0; c < doc.summary().colCount(); ++c)
            filled += doc.summary().cell(c, r).empty() ? 0 : 1;
    EXPECT_EQ(first.cellCount(), filled);
    const TableChange edit = doc.setCell(dravik::GridNumber(1), 2, 2, "7");
    const TableChange again = ExportTable(doc);
    EXPECT_EQ(again.cellCount(), 1u) << "only the edited value differs";
    doc.undo(again);
    doc.undo(edit);
    doc.undo(first);
    EXPECT_TRUE(doc.summary() == Grid(5, 5));
}

TEST_F(Document, SizeChangesAreToldBeforeAndAfterWithTheSizeOfTheMoment)
{
    Recorder heard(doc);
    const TableChange exported = ExportTable(doc);  // the 5 x 5 summary grows
    EXPECT_EQ(heard.events, (std::vector<std::string>{"cols+? 12 5-10 in 5x5", "cols+ 12 5-10 in 11x5",
                                                      "rows+? 12 5-55 in 11x5", "rows+ 12 5-55 in 11x56",
                                                      "cells 12 0,1-3,55"}));
    heard.events.clear();
    doc.undo(exported);
    EXPECT_EQ(heard.events, (std::vector<std::string>{"cols-? 12 5-10 in 11x56", "cols- 12 5-10 in 5x56",
                                                      "rows-? 12 5-55 in 5x56", "rows- 12 5-55 in 5x5",
                                                      "cells 12 0,1-3,55"}))
        << "the cells the export wrote are emptied before the size goes back";

    // One file of three: the file list and every section table lose two
    // rows, one table after the other; the text section gains a column.
    heard.events.clear();
    doc.setVariablesText(TextLines{{"[section1]", "hp =2", "[section_text]", "name =2"}, true});
    doc.openDesc({paths[0]});
    std::vector<std::string> rows{"rows-? 11 2-3 in 3x4", "rows- 11 2-3 in 3x2"};
    for (GridNumber n : SectionTables()) {
        const std::string cols = n == GridNumber(1) ? "4" : n == kTextSectionTable ? "3" : "11";
        rows.push_back("rows-? " + std::to_string(n.number()) + " 2-3 in " + cols + "x4");
        rows.push_back("rows- " + std::to_string(n.number()) + " 2-3 in " + cols + "x2");
    }
    EXPECT_EQ(heard.only("rows"), rows);
    EXPECT_EQ(heard.only("cols"), (std::vector<std::string>{"cols+? 10 3-3 in 3x2", "cols+ 10 3-3 in 4x2"}));
    EXPECT_EQ(heard.only("cells").size(), static_cast<size_t>(kFileListGrid.number())) << "every cell of a load is new";
    EXPECT_EQ(heard.only("cells").back(), "cells 11 0,0-2,1");
    EXPECT_EQ(heard.events.back(), "cells 11 0,0-2,1") << "the cells after every size";
}

// ---- Save all

#ifndef _WIN32
ino_t InodeOf(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}
#endif

TEST_F(Document, TheVariablesTextIsModifiedUntilOpenedOrSaved)
{
    EXPECT_TRUE(doc.variablesTextModified()) << "typed, never saved";
    const std::string file = dir.write("v.var", "[section1]\r\nhp =2\r\n");
    doc.loadVariables(file);
    EXPECT_FALSE(doc.variablesTextModified());
    doc.setVariablesText(TextLines{{"[section1]", "hp =3"}, false});
    EXPECT_TRUE(doc.variablesTextModified());
    doc.saveVariables(dir.file("w.var"));
    EXPECT_FALSE(doc.variablesTextModified());
}

TEST_F(Document, SaveAllWritesOnlyFilesWhoseBytesChangeAndLeavesEveryCellClean)
{
    const auto past = fs::last_write_time(paths[0]) - std::chrono::hours(24);
    for (const auto& path : paths)
        fs::last_write_time(path, past);
#ifndef _WIN32
    const ino_t inodeA = InodeOf(paths[0]);
#endif
    doc.setCell(dravik::GridNumber(1), 2, 2, "7");
    doc.setCell(dravik::GridNumber(1), 0, 0, "renamed corner");  // no file holds it, yet a full save settles it
    Recorder heard(doc);

    const SaveOutcome outcome = doc.saveAll();
    EXPECT_EQ(outcome.written, 1);
    EXPECT_EQ(outcome.files, 3);
    EXPECT_EQ(ReadBytes(paths[1]), Saved("7 2", "b"));
    EXPECT_EQ(fs::last_write_time(paths[0]), past);
    EXPECT_EQ(fs::last_write_time(paths[2]), past);
    EXPECT_NE(fs::last_write_time(paths[1]), past);
#ifndef _WIN32
    EXPECT_EQ(InodeOf(paths[0]), inodeA) << "an unchanged file is not even replaced";
#endif
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(doc.changedCellCount(), 0u);
    EXPECT_FALSE(doc.rowChanged(2));
    EXPECT_EQ(doc.diskValue(dravik::GridNumber(1), 2, 2), "7");
    EXPECT_EQ(heard.events.back(), "clean");

    EXPECT_EQ(doc.saveAll().written, 0) << "a second save has nothing to write";
}

TEST_F(Document, AFileChangedBehindTheDocumentsBackIsReportedAndCanBeSkipped)
{
    for (int r = 1; r <= 3; ++r)
        doc.setCell(dravik::GridNumber(1), 2, r, "9");
    const std::string outside = Saved("5 5", "c") + "added by another program\r\n";
    test::WriteBytes(paths[2], outside);

    const SavePlan plan = doc.planSaveAll();
    EXPECT_EQ(plan.changedOnDisk(), std::vector<std::string>{paths[2]});
    EXPECT_FALSE(plan.files[0].changedOnDisk);
    const SaveOutcome outcome = doc.saveAll(plan, {3});
    EXPECT_EQ(outcome.written, 2);
    EXPECT_EQ(ReadBytes(paths[0]), Saved("9 2", "a"));
    EXPECT_EQ(ReadBytes(paths[2]), outside);
    EXPECT_FALSE(doc.rowChanged(1));
    EXPECT_TRUE(doc.rowChanged(3)) << "the skipped file's edits are still unsaved";
    EXPECT_TRUE(doc.cellChanged(dravik::GridNumber(1), 2, 3));
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(doc.planSaveAll().changedOnDisk(), std::vector<std::string>{paths[2]}) << "skipping is no reading";

    doc.saveAll(doc.planSaveAll());  // overwritten when the user says so
    EXPECT_EQ(ReadBytes(paths[2]), Saved("9 2", "c") + "added by another program\r\n");
    EXPECT_TRUE(doc.planSaveAll().changedOnDisk().empty());
    EXPECT_FALSE(doc.isModified());
}

TEST_F(Document, CellsANarrowingDroppedAreCleanOnceTheirRowIsSaved)
{
    Grid narrow = doc.grid(dravik::GridNumber(1));
    narrow.setColCount(3);  // the second hp value of every file is gone
    doc.replaceGrids({{dravik::GridNumber(1), narrow}});
    EXPECT_EQ(doc.changedCellCount(), 4u) << "three values and their header";
    EXPECT_TRUE(doc.cellChanged(dravik::GridNumber(1), 3, 2));
    EXPECT_EQ(doc.diskValue(dravik::GridNumber(1), 3, 2), "2");
    doc.saveAll(doc.planSaveAll(), {3});
    EXPECT_EQ(ReadBytes(paths[1]), "hp  1  \r\nname  b \r\n");
    EXPECT_FALSE(doc.rowChanged(2));
    EXPECT_FALSE(doc.cellChanged(dravik::GridNumber(1), 3, 2));
    EXPECT_TRUE(doc.cellChanged(dravik::GridNumber(1), 3, 3));
    EXPECT_EQ(doc.changedCellCount(), 2u);
}

TEST_F(Document, ASaveThatFailsAtARowKeepsTheEarlierRowsSavedAndTheRestMarked)
{
    for (int r = 1; r <= 3; ++r)
        doc.setCell(dravik::GridNumber(1), 2, r, "9");
    fs::remove(paths[1]);
    const SavePlan unreadable = doc.planSaveAll();
    EXPECT_EQ(unreadable.files.size(), 3u);
    EXPECT_EQ(saveError(unreadable), "Cannot open file \"" + paths[1] + "\". " + test::Reason(test::kFileNotFound));
    EXPECT_EQ(ReadBytes(paths[0]), Saved("1 2", "a")) << "nothing is written unless that file is skipped";
    EXPECT_TRUE(doc.rowChanged(1));
    // Skipped, its row stays marked.
    doc.saveAll(unreadable, {2});
    EXPECT_EQ(ReadBytes(paths[0]), Saved("9 2", "a"));
    EXPECT_FALSE(doc.rowChanged(1));
    EXPECT_TRUE(doc.rowChanged(2));
    EXPECT_FALSE(doc.rowChanged(3));
    EXPECT_EQ(ReadBytes(paths[2]), Saved("9 2", "c"));

    // A file that cannot be written beside its target: none is written.
    test::WriteBytes(paths[1], Saved("1 2", "b") + std::string(4096, '#'));
    doc.setCell(dravik::GridNumber(1), 2, 1, "8");
    doc.setCell(dravik::GridNumber(1), 2, 3, "8");
    std::string message;
    {
        test::WriteFailure full(100, test::kDiskFull);
        message = saveError(doc.planSaveAll());
    }
    EXPECT_EQ(message, "Cannot create file \"" + paths[1] + "\". " + test::Reason(test::kDiskFull));
    EXPECT_EQ(ReadBytes(paths[0]), Saved("9 2", "a"));
    for (int r = 1; r <= 3; ++r)
        EXPECT_TRUE(doc.rowChanged(r)) << r;

    // Once every file is written beside its target, one that cannot be put
    // in place (it became a folder): the file before it is written, that one
    // and the next are not.
    SetBeforeReplacingForTesting([&](const std::string& path) {
        if (path == paths[1]) {
            fs::remove(paths[1]);
            fs::create_directory(paths[1]);
        }
    });
    message = saveError(doc.planSaveAll());
    SetBeforeReplacingForTesting({});
    EXPECT_EQ(message, "Cannot create file \"" + paths[1] + "\". " + test::Reason(test::kIsAFolder));
    EXPECT_EQ(ReadBytes(paths[0]), Saved("8 2", "a"));
    EXPECT_TRUE(fs::is_directory(paths[1]));
    EXPECT_FALSE(doc.rowChanged(1));
    EXPECT_TRUE(doc.rowChanged(2));
    EXPECT_TRUE(doc.rowChanged(3));
    EXPECT_TRUE(doc.isModified());
}

TEST_F(Document, APlanForReviewListsEachRewrittenKeyLine)
{
    doc.setCell(dravik::GridNumber(1), 3, 1, "20");
    doc.setCell(dravik::GridNumber(10), 2, 3, "Tiger");
    test::WriteBytes(paths[1], "; unsaved form\r\nhp 1 2\r\nname b\r\n");
    const SavePlan plan = doc.planSaveAll({}, true);
    ASSERT_EQ(plan.files.size(), 3u);
    auto lines = [&](size_t f) {
        std::vector<std::string> out;
        for (const KeyLineChange& k : plan.files[f].keyLines)
            out.push_back(std::to_string(k.line) + ": " + k.before + " -> " + k.after);
        return out;
    };
    EXPECT_EQ(lines(0), std::vector<std::string>{"0: hp  1 2  -> hp  1 20 "});
    EXPECT_EQ(lines(1), (std::vector<std::string>{"1: hp 1 2 -> hp  1 2 ", "2: name b -> name  b "}));
    EXPECT_EQ(lines(2), std::vector<std::string>{"1: name  c  -> name  Tiger "});
    EXPECT_EQ(plan.changedFiles(), 3);
    EXPECT_EQ(plan.changedLines(), 4u);
    EXPECT_TRUE(doc.planSaveAll().files[0].keyLines.empty()) << "kept only when asked for";
    EXPECT_EQ(ReadBytes(paths[0]), Saved("1 2", "a")) << "a plan writes nothing";
}

}  // namespace
}  // namespace dravik
