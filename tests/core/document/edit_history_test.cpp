// The document's edit history without a window: steps done, undone and
// redone, typing merged, the limit, the clean point, and steps read back.
#include "core/document/edit_history.h"

#include "tests/core/test_files.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace dravik {
namespace {

class History : public ::testing::Test {
public:
    History() : doc(test::Cyrillic()), history(doc)
    {
        doc.startUp();
        doc.setVariablesText(TextLines{{"[section1]", "hp =2"}, true});
        doc.openDesc({dir.write("a.desc", "hp  1 2 \r\n"), dir.write("b.desc", "hp  3 4 \r\n")});
    }
    void type(int col, int row, const std::string& text) { history.typeCell(GridNumber(1), col, row, text); }
    void paste(int col, int row, const std::string& text)
    {
        history.apply(EditStep::Paste, [&](DescDocument& d) { return d.setCells({{GridNumber(1), col, row, text}}); });
    }
    std::string cell(int col, int row) const { return std::string(doc.grid(GridNumber(1)).cell(col, row)); }
    void undoAll()
    {
        while (history.canUndo())
            history.undo();
    }

    test::TempFolder dir;
    DescDocument doc;
    EditHistory history;
};

// Counts its redos and undos; throws while told to.
struct CountingStep : HistoryStep {
    CountingStep(int& done, bool& fail) : HistoryStep(EditStep::ReorderMods), done(done), fail(fail) {}
    void redo() override
    {
        if (fail)
            throw std::runtime_error("cannot");
        ++done;
    }
    void undo() override
    {
        if (fail)
            throw std::runtime_error("cannot");
        --done;
    }
    int& done;
    bool& fail;
};

struct HistoryHeard : DocumentListener {
    void historyChanged() override { ++times; }
    int times = 0;
};

TEST_F(History, UndoAndRedoTakeStepsBackAndForthByName)
{
    HistoryHeard heard;
    const DocumentConnection connection = history.connect(heard);
    EXPECT_FALSE(history.canUndo());
    EXPECT_EQ(history.undoStep(), std::nullopt);
    type(2, 1, "10");
    paste(3, 1, "20");
    history.apply(EditStep::Revert, [](DescDocument&) { return TableChange(); });  // changes nothing: no step
    EXPECT_EQ(history.size(), 2u);
    EXPECT_EQ(history.undoStep(), EditStep::Paste);
    EXPECT_EQ(std::string(StepName(*history.undoStep()).source), "Paste");
    history.undo();
    EXPECT_EQ(cell(3, 1), "2");
    EXPECT_EQ(history.undoStep(), EditStep::Typing);
    EXPECT_EQ(history.redoStep(), EditStep::Paste);
    history.redo();
    EXPECT_EQ(cell(3, 1), "20");
    EXPECT_FALSE(history.canRedo());
    undoAll();
    EXPECT_EQ(cell(2, 1), "1");
    // A new step after undoing drops the steps that could have been redone.
    paste(2, 2, "30");
    EXPECT_EQ(history.size(), 1u);
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(heard.times, 7);
}

TEST_F(History, TypingIntoTheSameCellAgainIsOneStepUntilSomethingComesBetween)
{
    struct Case {
        const char* name;
        std::function<void(History&)> between;  // after typing "5" into the cell, before "6"
        size_t steps;
    };
    const std::vector<Case> cases = {
        {"nothing", [](History&) {}, 1},
        {"typing into another cell", [](History& t) { t.type(3, 1, "x"); }, 3},
        {"another kind of step", [](History& t) { t.paste(3, 1, "x"); }, 3},
        {"a save", [](History& t) { t.history.setClean(); }, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        history.clear();
        type(2, 1, "5");
        c.between(*this);
        type(2, 1, "6");
        EXPECT_EQ(history.size(), c.steps);
        const TableChange& last = history.step(history.size() - 1).tableChange();
        EXPECT_EQ(last.after(last.steps().front()), "6");
        undoAll();
        EXPECT_EQ(cell(2, 1), "1");
        EXPECT_EQ(cell(3, 1), "2");
    }
    // Typed back to where it started: no step is left.
    history.clear();
    type(2, 1, "5");
    type(2, 1, "1");
    EXPECT_EQ(history.size(), 0u);
}

TEST_F(History, StepsBeyondTheLimitAreDroppedOldestFirst)
{
    history.setClean();
    for (size_t i = 1; i <= EditHistory::kStepLimit + 5; ++i)
        paste(2, 1, std::to_string(i));
    EXPECT_EQ(history.size(), EditHistory::kStepLimit);
    undoAll();
    EXPECT_EQ(cell(2, 1), "5");
    EXPECT_FALSE(history.isClean()) << "the clean point was dropped with the oldest steps";
}

TEST_F(History, TheCleanPointIsWhereTheLastSaveLeftTheHistory)
{
    EXPECT_TRUE(history.isClean());
    type(2, 1, "5");
    EXPECT_FALSE(history.isClean());
    history.setClean();
    paste(3, 1, "6");
    history.undo();
    EXPECT_TRUE(history.isClean());
    history.undo();
    EXPECT_FALSE(history.isClean());
    // The saved state can be reached no more once another step replaces it.
    paste(3, 2, "7");
    EXPECT_FALSE(history.isClean());
    history.clear();
    EXPECT_TRUE(history.isClean());
    // A cell typed back is not modified: the cells answer that, not the history.
    type(2, 1, "5");
    paste(2, 1, "1");
    EXPECT_FALSE(history.isClean());
    EXPECT_FALSE(doc.cellChanged(GridNumber(1), 2, 1));
}

TEST_F(History, AStepOfAnotherKindGoesThroughTheSameHistoryAndAFailingStepStaysPut)
{
    int done = 0;
    bool fail = true;
    EXPECT_THROW(history.perform(std::make_unique<CountingStep>(done, fail)), std::runtime_error);
    EXPECT_EQ(history.size(), 0u) << "a step that failed is not recorded";
    fail = false;
    type(2, 1, "5");
    history.perform(std::make_unique<CountingStep>(done, fail));
    EXPECT_EQ(done, 1);
    EXPECT_EQ(history.undoStep(), EditStep::ReorderMods);
    EXPECT_TRUE(history.step(1).tableChange().empty());
    fail = true;
    EXPECT_THROW(history.undo(), std::runtime_error);
    EXPECT_EQ(history.undoStep(), EditStep::ReorderMods) << "neither undone nor moved past";
    fail = false;
    history.undo();
    history.undo();
    EXPECT_EQ(done, 0);
    EXPECT_EQ(cell(2, 1), "1");
}

TEST_F(History, EachStepReadsBackItsKindCellsAndTexts)
{
    type(2, 1, "5");
    history.apply(EditStep::ReplaceAll,
                  [](DescDocument& d) { return d.setCells({{GridNumber(1), 2, 2, "30"}, {GridNumber(1), 3, 2, "40"}}); });
    struct Cell {
        int grid, col, row;
        std::string before, after;
        bool operator==(const Cell&) const = default;
    };
    std::vector<std::pair<EditStep, std::vector<Cell>>> read;
    for (size_t i = 0; i < history.size(); ++i) {
        const TableChange& change = history.step(i).tableChange();
        std::vector<Cell> cells;
        for (const TableChange::Step& s : change.steps())
            cells.push_back({s.grid, s.col, s.row, std::string(change.before(s)), std::string(change.after(s))});
        read.emplace_back(history.step(i).kind(), cells);
    }
    const std::vector<std::pair<EditStep, std::vector<Cell>>> want = {
        {EditStep::Typing, {{1, 2, 1, "1", "5"}}},
        {EditStep::ReplaceAll, {{1, 2, 2, "3", "30"}, {1, 3, 2, "4", "40"}}},
    };
    EXPECT_TRUE(read == want);
}

}  // namespace
}  // namespace dravik
