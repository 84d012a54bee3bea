// Listeners that come and go, or fail, while the document tells of a change.
#include "core/document/desc_document.h"

#include "core/errors.h"
#include "core/exchange/table_exchange.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>

namespace dravik {
namespace {

// Records what it hears under its name into a shared log, and runs `onCells`
// when it hears of cells.
struct Named : DocumentListener {
    Named(std::string name, std::vector<std::string>& log) : name(std::move(name)), log(log) {}
    void cellsChanged(GridNumber, int, int, int, int) override
    {
        log.push_back(name + " cells");
        if (onCells)
            onCells();
    }
    void modifiedChanged(bool) override { log.push_back(name + " modified"); }
    void rowsAboutToBeInserted(GridNumber, int, int) override
    {
        log.push_back(name + " rows?");
        if (onRows)
            onRows();
    }
    void rowsInserted(GridNumber, int, int) override { log.push_back(name + " rows"); }

    std::string name;
    std::vector<std::string>& log;
    std::function<void()> onCells;
    std::function<void()> onRows;
    DocumentConnection connection;
};

TEST(DocumentListeners, OnesThatLeaveOrJoinDuringANoticeHearNoMoreOrOnlyTheNextChange)
{
    DescDocument doc;
    std::vector<std::string> log;
    Named a("a", log), b("b", log), c("c", log), d("d", log);
    b.connection = doc.connect(b);
    a.connection = doc.connect(a);
    d.connection = doc.connect(d);
    // A setCell is heard as two notices, cells then modified. During the
    // first, a leaves and takes b, which has heard it already, along; c
    // joins; d, after a, still hears it.
    a.onCells = [&] {
        a.connection.disconnect();
        b.connection.disconnect();
        c.connection = doc.connect(c);
    };
    doc.setCell(dravik::GridNumber(1), 2, 1, "x");
    EXPECT_EQ(log, (std::vector<std::string>{"b cells", "a cells", "d cells", "d modified"}));
    EXPECT_FALSE(a.connection.connected());
    EXPECT_TRUE(c.connection.connected());

    log.clear();
    doc.setCell(dravik::GridNumber(1), 2, 1, "");
    EXPECT_EQ(log, (std::vector<std::string>{"d cells", "c cells", "d modified", "c modified"}));
}

TEST(DocumentListeners, AConnectionEndsWithItsScopeAndMayOutliveTheDocument)
{
    std::vector<std::string> log;
    Named listener("l", log);
    auto doc = std::make_unique<DescDocument>();
    {
        DocumentConnection connection = doc->connect(listener);
        DocumentConnection moved = std::move(connection);
        EXPECT_FALSE(connection.connected());
        doc->setCell(dravik::GridNumber(1), 2, 1, "x");
        EXPECT_EQ(log, (std::vector<std::string>{"l cells", "l modified"}));
    }
    doc->setCell(dravik::GridNumber(1), 2, 1, "y");
    EXPECT_EQ(log.size(), 2u) << "gone with its connection";

    listener.connection = doc->connect(listener);
    doc.reset();
    EXPECT_FALSE(listener.connection.connected());
    listener.connection.disconnect();  // nothing to leave: no harm done
}

TEST(DocumentListeners, OneThatThrowsLetsTheOthersHearAndTheChangeFinish)
{
    DescDocument doc;
    std::vector<std::string> log;
    Named failing("f", log), other("o", log);
    failing.connection = doc.connect(failing);
    other.connection = doc.connect(other);
    failing.onCells = [] { throw std::runtime_error("listener failed"); };
    EXPECT_THROW(doc.setCell(dravik::GridNumber(1), 2, 1, "x"), std::runtime_error);
    EXPECT_EQ(log, (std::vector<std::string>{"f cells", "o cells", "f modified", "o modified"}));
    EXPECT_EQ(doc.grid(dravik::GridNumber(1)).cell(2, 1), "x");
    EXPECT_TRUE(doc.isModified());

    // Failing between "about to" and "done": the grid still gets its size,
    // and everyone hears both.
    log.clear();
    failing.onRows = [] { throw std::runtime_error("listener failed"); };
    Grid summary(5, 9);
    EXPECT_THROW((void)doc.replaceGrids({{kSummaryGrid, summary}}), std::runtime_error);
    EXPECT_EQ(log, (std::vector<std::string>{"f rows?", "o rows?", "f rows", "o rows"}));
    EXPECT_EQ(doc.summary().rowCount(), 9);
}

}  // namespace
}  // namespace dravik
