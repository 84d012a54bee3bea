// "Set selection by expression": a value or an expression typed once and
// applied to many cells, in the window and in the batch alike.
//
// What the user may type (blanks around it are ignored):
//   5, =5, =-3, =2*3     set every cell to the value. A number is written as
//                        typed ("05" stays "05"); a computed one as
//                        FormatCellNumber writes it. Constants are never
//                        rounded: the user said what to write.
//   =tank                set every cell to the text, when it is no expression
//                        (it has none of ( ) * / + % , and no word "x").
//                        Without the "=", such text is refused (a
//                        PlainTextError): "x2" is a typo for "x*2" far more
//                        often than a value meant for every cell.
//   'text                set every cell to the text after the apostrophe, as
//                        it is ("'x*2" writes "x*2").
//   {x}_old, pre_{x}     a template: every "{x}" becomes the cell's text; no
//                        number needed. A leading "=" is dropped.
//   +10, -3, *1.1, /2    the operator applied to the cell's value x, the
//                        right side being any expression ("*(1+2)").
//   +10%, -10%           x plus / minus 10 percent of x; *50% and /50% use
//                        0.5 as the factor.
//   x*2-1, (x+1)/2       an expression in x: numbers, x, + - * /, unary
//                        minus, parentheses, and the functions min(a, b, ...),
//                        max(a, b, ...), round(a) (half away from zero),
//                        floor(a), ceil(a), abs(a). Names ignore case.
//
// A result computed from x is rounded half away from zero when the cell held
// a whole number ("7" / 2 gives "4", "-7" / 2 gives "-4"), and otherwise
// written by FormatCellNumber. A result equal to the cell's number leaves the
// cell as it is, spelling and all ("010", "1.50"). No form may write a line
// break, which would split the key line. A cell that holds no number (or a whole
// number too long for a double to hold exactly) is left as it is under any
// form that uses x; so is one whose result divides by zero or is not
// finite. Both are counted.
#pragma once

#include "core/errors.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace dravik {

enum class CellOutcome {
    Changed,         // the new text differs from the old one
    Same,            // the result equals the cell's text
    NotANumber,      // the form uses x and the cell holds no number, or a
                     // whole number beyond 2^53 that computing would alter
    NoFiniteResult,  // division by zero, or a result too large for a double
};

class CellExpression {
public:
    enum class Kind { SetText, Template, Compute };

    // Throws SyntaxError naming the position of the fault.
    static CellExpression Parse(std::string_view text);

    Kind kind() const { return kind_; }

    // The outcome for one cell; `result` receives the new text when the
    // outcome is Changed (and is left alone otherwise).
    CellOutcome apply(std::string_view cell, std::string& result) const;

    // The raw result for x, before any rounding; NaN when it has none.
    double evaluate(double x) const;

    // One instruction of the postfix program.
    struct Step {
        enum Op : unsigned char { Number, X, Add, Subtract, Multiply, Divide, Negate, Min, Max, Round, Floor, Ceil, Abs };
        Op op;
        unsigned count = 0;  // arguments of Min and Max
        double value = 0;    // Number
    };

private:
    // The steps of Parse, over text[begin, end) trimmed.
    static CellExpression ChangeOfX(std::string_view text, size_t begin, size_t end);
    static CellExpression ValueOrExpression(std::string_view text, size_t bodyBegin, size_t end, bool equals);

    Kind kind_ = Kind::SetText;
    std::string text_;         // SetText: the value; Template: the pattern
    std::vector<Step> steps_;  // Compute: postfix program over x
    int depth_ = 0;            // Compute: stack the program needs

    friend class ExpressionParser;
};

// Text typed without "=" or "'" that is neither a value nor an expression.
class PlainTextError : public SyntaxError {
public:
    PlainTextError(const SyntaxError& fault, std::string_view text);
    // How to set the text on purpose: "to set a text, write 'abc".
    const Message& hint() const { return hint_; }

private:
    Message hint_;
};

// Counts of the outcomes over many cells.
struct ExpressionTally {
    size_t changed = 0;
    size_t same = 0;
    size_t notANumber = 0;
    size_t noFiniteResult = 0;

    // Counts one cell's outcome; true when the cell changes.
    bool count(CellOutcome outcome);
};

}  // namespace dravik
