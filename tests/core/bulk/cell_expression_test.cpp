#include "core/bulk/cell_expression.h"

#include <gtest/gtest.h>

namespace dravik {
namespace {

struct Case {
    const char* expression;
    const char* cell;
    const char* result;  // nullptr: the cell stays as it is
    CellOutcome outcome = CellOutcome::Changed;
};

void Check(const Case& c)
{
    const CellExpression expression = CellExpression::Parse(c.expression);
    std::string result = "untouched";
    EXPECT_EQ(expression.apply(c.cell, result), c.outcome) << c.expression << " on " << c.cell;
    EXPECT_EQ(result, c.result ? c.result : "untouched") << c.expression << " on " << c.cell;
}

TEST(CellExpression, SettingAValue)
{
    for (const Case& c : {Case{"=5", "3", "5"},
                          Case{"5", "abc", "5"},            // a value needs no number in the cell
                          Case{"=-3", "1", "-3"},
                          Case{"  05 ", "5", "05"},         // a number as typed
                          Case{"=2*3", "1", "6"},
                          Case{"=2.5", "7", "2.5"},         // constants are not rounded
                          Case{"=tank", "1", "tank"},
                          Case{"=T-34", "1", "T-34"},
                          Case{"=x2", "1", "x2"},
                          Case{"'x*2", "1", "x*2"},
                          Case{"=5", "5", nullptr, CellOutcome::Same}})
        Check(c);
}

TEST(CellExpression, OperatorsAndPercentApplyToTheCell)
{
    for (const Case& c : {Case{"+10", "5", "15"},
                          Case{"-3", "5", "2"},             // a leading minus subtracts
                          Case{"*1.1", "3.0", "3.3"},
                          Case{"/2", "7.0", "3.5"},
                          Case{"*(1+1)", "2.25", "4.5"},
                          Case{"+10%", "200", "220"},
                          Case{"-10%", "200", "180"},
                          Case{"+10%", "2.5", "2.75"},
                          Case{"*50%", "9.0", "4.5"},
                          Case{"/50%", "3.0", "6"},
                          Case{"+0", "5", nullptr, CellOutcome::Same}})
        Check(c);
}

TEST(CellExpression, WholeCellsAreRoundedHalfAwayFromZero)
{
    for (const Case& c : {Case{"*1.1", "3", nullptr, CellOutcome::Same},  // 3.3
                          Case{"/2", "7", "4"},
                          Case{"/2", "-7", "-4"},
                          Case{"+10%", "15", "17"},                       // 16.5
                          Case{"*0.1", "-4", "0"},                        // -0.4, never "-0"
                          Case{"*0", "-5", "0"},
                          Case{"x/4", "10", "3"},                         // 2.5
                          Case{"+1", "1234567890123456", "1234567890123457"},
                          // too long for a double: "+0" would change its digits
                          Case{"+0", "12345678901234567", nullptr, CellOutcome::NotANumber}})
        Check(c);
}

TEST(CellExpression, ExpressionsInX)
{
    for (const Case& c : {Case{"x*2-1", "4", "7"},
                          Case{"(x+1)/2", "2.5", "1.75"},
                          Case{"=-x", "4", "-4"},
                          Case{"X * -2", "1.5", "-3"},
                          Case{"max(x, 10)", "3", "10"},
                          Case{"MIN(x, 5, 2)", "3", "2"},
                          Case{"round(x/10)*10", "15.0", "20"},
                          Case{"floor(x) + ceil(x) + abs(-x)", "1.5", "4.5"},
                          Case{"x*1", "5.50", nullptr, CellOutcome::Same}})
        Check(c);
}

// A result worth the cell's number keeps the cell's text as written.
TEST(CellExpression, AnUnchangedNumberKeepsItsSpelling)
{
    for (const Case& c : {Case{"min(x,100)", "010", nullptr, CellOutcome::Same},
                          Case{"min(x,100)", "0120", "100"},
                          Case{"max(x,0)", "1.0", nullptr, CellOutcome::Same},
                          Case{"max(x,0)", "+5", nullptr, CellOutcome::Same},
                          Case{"abs(x)", "-0", nullptr, CellOutcome::Same},
                          Case{"x*3/3", "0.10", nullptr, CellOutcome::Same},  // 0.1 * 3 / 3 is not 0.1 exactly
                          Case{"x+0.001", "1.50", "1.501"}})
        Check(c);
}

// Text that is no value, expression or template needs "=" or "'": it is a
// typo for an expression more often than a text for every cell.
TEST(CellExpression, PlainTextIsRefusedWithAHint)
{
    struct Refused {
        const char* text;
        const char* reason;
    };
    for (const Refused& r : {Refused{"x2", "Unknown name \"x2\" at position 1"},
                             Refused{"abc", "Unknown name \"abc\" at position 1"},
                             Refused{"Tiger II", "Unknown name \"Tiger\" at position 1"},
                             Refused{"5 tanks", "Unexpected \"t\" at position 3"}}) {
        try {
            CellExpression::Parse(r.text);
            ADD_FAILURE() << r.text << " was accepted";
        } catch (const PlainTextError& error) {
            EXPECT_STREQ(error.what(), r.reason);
            EXPECT_EQ(error.hint(), std::string("to set a text, write '") + r.text);
        }
        // Written as the hint says, the text is set as it stands.
        const std::string quoted = "'" + std::string(r.text);
        Check(Case{quoted.c_str(), "old", r.text});
    }
}

TEST(CellExpression, TemplatesNeedNoNumber)
{
    for (const Case& c : {Case{"{x}_old", "tank", "tank_old"},
                          Case{"pre_{x}", "", "pre_"},
                          Case{"={X}{x}", "a", "aa"},
                          Case{"{x}", "5", nullptr, CellOutcome::Same}})
        Check(c);
    EXPECT_EQ(CellExpression::Parse("{x}_old").kind(), CellExpression::Kind::Template);
}

TEST(CellExpression, CellsWithoutANumberOrWithoutAResultStayAsTheyAre)
{
    static const std::string huge = "1" + std::string(300, '0') + ".5";
    for (const Case& c : {Case{"+1", "abc", nullptr, CellOutcome::NotANumber},
                          Case{"x*2", " ", nullptr, CellOutcome::NotANumber},
                          Case{"+1", "1e5", nullptr, CellOutcome::NotANumber},
                          Case{"/0", "5", nullptr, CellOutcome::NoFiniteResult},
                          Case{"x/(x-5)", "5", nullptr, CellOutcome::NoFiniteResult},
                          Case{"min(1/(x-x), 5)", "2", nullptr, CellOutcome::NoFiniteResult},
                          Case{"x*x", huge.c_str(), nullptr, CellOutcome::NoFiniteResult}})
        Check(c);
}

TEST(CellExpression, FaultsNameTheirPosition)
{
    struct Fault {
        const char* text;
        size_t position;
        const char* words;
    };
    for (const Fault& f : {Fault{"", 1, "Expected a value"},
                           Fault{"x*", 3, "Expected a number"},
                           Fault{"  x*", 5, "Expected a number"},
                           Fault{"x 2", 3, "Unexpected \"2\""},
                           Fault{"max(x", 6, "Expected \")\""},
                           Fault{"foo(x)", 1, "Unknown name \"foo\""},
                           Fault{"round(x, 2)", 1, "takes one value"},
                           Fault{"=", 2, "Expected a value"},
                           Fault{"+", 2, "Expected a number"},
                           Fault{"x*10%", 5, "Unexpected \"%\""},
                           Fault{"=1/0", 2, "Division by zero"},
                           Fault{"1.2.3*x", 1, "Not a number"},
                           Fault{"x*\xF2", 3, "Expected a number"},
                           Fault{"'Two\nlines", 5, "A value cannot hold a line break"},
                           Fault{"=a\rb", 3, "A value cannot hold a line break"},
                           Fault{"{x}\r\nold", 4, "A value cannot hold a line break"}}) {
        try {
            CellExpression::Parse(f.text);
            ADD_FAILURE() << f.text << " was accepted";
        } catch (const SyntaxError& error) {
            EXPECT_EQ(error.position(), f.position) << f.text;
            EXPECT_NE(std::string(error.what()).find(f.words), std::string::npos) << error.what();
            EXPECT_NE(std::string(error.what()).find("at position " + std::to_string(f.position)), std::string::npos);
        }
    }
    EXPECT_THROW(CellExpression::Parse(std::string(200, '(') + "x" + std::string(200, ')')), SyntaxError);
    // Deep but allowed: more values than the evaluator keeps on its own stack.
    std::string wide = "max(x";
    for (int i = 0; i < 100; ++i)
        wide += ", " + std::to_string(i);
    std::string result;
    EXPECT_EQ(CellExpression::Parse(wide + ")").apply("5", result), CellOutcome::Changed);
    EXPECT_EQ(result, "99");
}

}  // namespace
}  // namespace dravik
