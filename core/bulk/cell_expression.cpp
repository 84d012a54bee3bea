#include "core/bulk/cell_expression.h"

#include "core/text/cell_value.h"
#include "core/text/code_page.h"
#include "core/text/dravik2_auxillary.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace dravik {

namespace {

using Step = CellExpression::Step;

constexpr int kMaxNesting = 64;

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }
bool IsNameStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9'); }

bool HasX(std::string_view text)
{
    for (size_t i = 0; i < text.size(); ++i)
        if ((text[i] == 'x' || text[i] == 'X') && (i == 0 || !IsNameChar(text[i - 1])) &&
            (i + 1 == text.size() || !IsNameChar(text[i + 1])))
            return true;
    return false;
}

// A text the user can only have meant as an expression, so that a fault in
// it is reported instead of being written into the cells.
bool LooksLikeExpression(std::string_view text)
{
    return text.find_first_of("()*/+%,") != std::string_view::npos || HasX(text);
}

size_t FindTemplateMark(std::string_view text)
{
    const size_t lower = text.find("{x}");
    const size_t upper = text.find("{X}");
    return std::min(lower, upper);
}

}  // namespace

// Recursive descent over text[pos, end), writing a postfix program.
class ExpressionParser {
public:
    ExpressionParser(std::string_view text, size_t begin, size_t end, std::vector<Step>& steps)
        : text_(text), pos_(begin), end_(end), steps_(steps)
    {
    }

    void parseAll()
    {
        parseSum(0);
        skipBlanks();
        if (pos_ < end_)
            fail(pos_, Message(DRAVIK_TR("Expressions", "Unexpected \"%1\""), {text_.substr(pos_, 1)}));
    }

    bool usesX = false;
    int depth = 0;

private:
    std::string_view text_;
    size_t pos_;
    size_t end_;
    std::vector<Step>& steps_;
    int height_ = 0;

    [[noreturn]] void fail(size_t at, Message what) const { throw SyntaxError(at + 1, std::move(what)); }

    void skipBlanks()
    {
        while (pos_ < end_ && IsBlank(text_[pos_]))
            ++pos_;
    }

    bool take(char c)
    {
        skipBlanks();
        if (pos_ < end_ && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    void emit(Step step, int pushes, int pops)
    {
        steps_.push_back(step);
        height_ += pushes - pops;
        depth = std::max(depth, height_);
    }

    void parseSum(int nesting)
    {
        parseProduct(nesting);
        for (;;) {
            if (take('+')) {
                parseProduct(nesting);
                emit({Step::Add}, 1, 2);
            } else if (take('-')) {
                parseProduct(nesting);
                emit({Step::Subtract}, 1, 2);
            } else {
                return;
            }
        }
    }

    void parseProduct(int nesting)
    {
        parseUnary(nesting);
        for (;;) {
            if (take('*')) {
                parseUnary(nesting);
                emit({Step::Multiply}, 1, 2);
            } else if (take('/')) {
                parseUnary(nesting);
                emit({Step::Divide}, 1, 2);
            } else {
                return;
            }
        }
    }

    void parseUnary(int nesting)
    {
        if (nesting > kMaxNesting)
            fail(pos_, Message(DRAVIK_TR("Expressions", "Nested too deeply")));
        if (take('-')) {
            parseUnary(nesting + 1);
            emit({Step::Negate}, 1, 1);
        } else if (take('+')) {
            parseUnary(nesting + 1);
        } else {
            parsePrimary(nesting);
        }
    }

    void parsePrimary(int nesting)
    {
        skipBlanks();
        if (pos_ >= end_)
            fail(pos_, Message(DRAVIK_TR("Expressions", "Expected a number, x or \"(\"")));
        const size_t start = pos_;
        const char c = text_[pos_];
        if (c == '(') {
            ++pos_;
            parseSum(nesting + 1);
            if (!take(')'))
                fail(pos_, Message(DRAVIK_TR("Expressions", "Expected \")\"")));
            return;
        }
        if ((c >= '0' && c <= '9') || c == '.') {
            while (pos_ < end_ && ((text_[pos_] >= '0' && text_[pos_] <= '9') || text_[pos_] == '.'))
                ++pos_;
            const auto number = ReadCellNumber(text_.substr(start, pos_ - start));
            if (!number)
                fail(start, Message(DRAVIK_TR("Expressions", "Not a number: \"%1\""), {text_.substr(start, pos_ - start)}));
            emit({Step::Number, 0, number->value}, 1, 0);
            return;
        }
        if (!IsNameStart(c))
            fail(pos_, Message(DRAVIK_TR("Expressions", "Expected a number, x or \"(\" instead of \"%1\""),
                               {text_.substr(pos_, 1)}));
        while (pos_ < end_ && IsNameChar(text_[pos_]))
            ++pos_;
        const std::string name = AsciiLowered(text_.substr(start, pos_ - start));
        if (name == "x") {
            usesX = true;
            emit({Step::X}, 1, 0);
            return;
        }
        struct Function {
            const char* name;
            Step::Op op;
            bool many;
        };
        static constexpr Function kFunctions[] = {{"min", Step::Min, true},     {"max", Step::Max, true},
                                                  {"round", Step::Round, false}, {"floor", Step::Floor, false},
                                                  {"ceil", Step::Ceil, false},   {"abs", Step::Abs, false}};
        const Function* function = nullptr;
        for (const Function& f : kFunctions)
            if (name == f.name)
                function = &f;
        if (!function)
            fail(start, Message(DRAVIK_TR("Expressions", "Unknown name \"%1\""), {text_.substr(start, pos_ - start)}));
        if (!take('('))
            fail(pos_, Message(DRAVIK_TR("Expressions", "Expected \"(\" after \"%1\""), {std::string(function->name)}));
        unsigned count = 0;
        do {
            parseSum(nesting + 1);
            ++count;
        } while (take(','));
        if (!take(')'))
            fail(pos_, Message(DRAVIK_TR("Expressions", "Expected \")\"")));
        if (!function->many && count != 1)
            fail(start, Message(DRAVIK_TR("Expressions", "\"%1\" takes one value"), {std::string(function->name)}));
        emit({function->op, count}, 1, static_cast<int>(count));
    }
};

CellExpression CellExpression::Parse(std::string_view text)
{
    const std::string_view trimmed = Trim(text);
    const size_t begin = static_cast<size_t>(trimmed.data() - text.data());
    const size_t end = begin + trimmed.size();
    if (begin == end)
        throw SyntaxError(1, Message(DRAVIK_TR("Expressions", "Expected a value or an expression")));
    // Written into a cell, a line break would split the key line in two.
    if (const size_t lineBreak = trimmed.find_first_of("\r\n"); lineBreak != std::string_view::npos)
        throw SyntaxError(begin + lineBreak + 1, Message(DRAVIK_TR("Expressions", "A value cannot hold a line break")));

    CellExpression expression;
    if (text[begin] == '\'') {
        expression.text_ = text.substr(begin + 1, end - begin - 1);
        return expression;
    }
    const char first = text[begin];
    size_t bodyBegin = begin;
    if (first == '=') {
        bodyBegin = begin + 1;
        while (bodyBegin < end && IsBlank(text[bodyBegin]))
            ++bodyBegin;
    }
    const std::string_view body = text.substr(bodyBegin, end - bodyBegin);
    if (FindTemplateMark(body) != std::string_view::npos) {
        expression.kind_ = Kind::Template;
        expression.text_ = body;
        return expression;
    }
    if (first == '+' || first == '-' || first == '*' || first == '/')
        return ChangeOfX(text, begin, end);
    if (first == '=' && body.empty())
        throw SyntaxError(end - begin + 1, Message(DRAVIK_TR("Expressions", "Expected a value after \"=\"")));
    return ValueOrExpression(text, bodyBegin, end, first == '=');
}

// "+5", "*2", "-10%": the cell's value changed by what follows the sign.
CellExpression CellExpression::ChangeOfX(std::string_view text, size_t begin, size_t end)
{
    CellExpression expression;
    const char first = text[begin];
    size_t restEnd = end;
    const bool percent = text[end - 1] == '%';
    if (percent)
        --restEnd;
    std::vector<Step>& steps = expression.steps_;
    steps.push_back({Step::X});
    if (percent && (first == '+' || first == '-'))
        steps.push_back({Step::X});
    ExpressionParser parser(text, begin + 1, restEnd, steps);
    parser.parseAll();
    if (percent) {
        steps.push_back({Step::Number, 0, 100});
        steps.push_back({Step::Divide});
        if (first == '+' || first == '-')
            steps.push_back({Step::Multiply});
    }
    const Step::Op op = first == '+'   ? Step::Add
                        : first == '-' ? Step::Subtract
                        : first == '*' ? Step::Multiply
                                       : Step::Divide;
    steps.push_back({op});
    expression.kind_ = Kind::Compute;
    expression.depth_ = parser.depth + 2;
    return expression;
}

// text[bodyBegin, end): a number, an expression of x, a constant expression
// worked out once, or (after "=", or as the user is told) plain text.
CellExpression CellExpression::ValueOrExpression(std::string_view text, size_t bodyBegin, size_t end, bool equals)
{
    CellExpression expression;
    const std::string_view body = text.substr(bodyBegin, end - bodyBegin);
    if (IsCellNumber(body)) {
        expression.text_ = body;
        return expression;
    }
    try {
        ExpressionParser parser(text, bodyBegin, end, expression.steps_);
        parser.parseAll();
        expression.depth_ = parser.depth;
        if (parser.usesX) {
            expression.kind_ = Kind::Compute;
            return expression;
        }
    } catch (const SyntaxError& fault) {
        // Plain text is more often a mistyped expression ("x2" for "x*2")
        // than a text meant for every cell; "=" or "'" says it is meant.
        if (LooksLikeExpression(body))
            throw;
        if (!equals)
            throw PlainTextError(fault, body);
        expression.steps_.clear();
        expression.text_ = body;
        return expression;
    }
    // A constant: worked out once.
    const double value = expression.evaluate(0);
    expression.steps_.clear();
    if (!std::isfinite(value))
        throw SyntaxError(bodyBegin + 1, Message(DRAVIK_TR("Expressions", "Division by zero or a number too large")));
    expression.text_ = FormatCellNumber(value);
    return expression;
}

double CellExpression::evaluate(double x) const
{
    constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
    double local[32];
    std::vector<double> large;
    double* stack = local;
    if (depth_ > 32) {
        large.resize(static_cast<size_t>(depth_));
        stack = large.data();
    }
    size_t top = 0;  // number of values on the stack
    for (const Step& step : steps_) {
        switch (step.op) {
        case Step::Number: stack[top++] = step.value; break;
        case Step::X: stack[top++] = x; break;
        case Step::Add: --top; stack[top - 1] += stack[top]; break;
        case Step::Subtract: --top; stack[top - 1] -= stack[top]; break;
        case Step::Multiply: --top; stack[top - 1] *= stack[top]; break;
        case Step::Divide:
            --top;
            if (stack[top] == 0)
                return kNone;
            stack[top - 1] /= stack[top];
            break;
        case Step::Negate: stack[top - 1] = -stack[top - 1]; break;
        case Step::Min:
        case Step::Max: {
            double result = stack[top - step.count];
            for (size_t i = top - step.count + 1; i < top; ++i)
                result = step.op == Step::Min ? std::min(result, stack[i]) : std::max(result, stack[i]);
            top -= step.count;
            stack[top++] = result;
            break;
        }
        case Step::Round: stack[top - 1] = RoundToWhole(stack[top - 1]); break;
        case Step::Floor: stack[top - 1] = std::floor(stack[top - 1]); break;
        case Step::Ceil: stack[top - 1] = std::ceil(stack[top - 1]); break;
        case Step::Abs: stack[top - 1] = std::fabs(stack[top - 1]); break;
        }
    }
    return top == 1 && std::isfinite(stack[0]) ? stack[0] : kNone;
}

CellOutcome CellExpression::apply(std::string_view cell, std::string& result) const
{
    std::string text;
    switch (kind_) {
    case Kind::SetText:
        if (cell == text_)
            return CellOutcome::Same;
        result = text_;
        return CellOutcome::Changed;
    case Kind::Template: {
        std::string_view rest = text_;
        for (size_t mark; (mark = FindTemplateMark(rest)) != std::string_view::npos; rest.remove_prefix(mark + 3)) {
            text.append(rest.substr(0, mark));
            text.append(cell);
        }
        text.append(rest);
        break;
    }
    case Kind::Compute: {
        const auto number = ReadCellNumber(cell);
        // A whole number a double cannot hold would come back with other
        // digits even from "+0".
        if (!number || (number->whole && std::fabs(number->value) > kLargestExactWhole))
            return CellOutcome::NotANumber;
        double value = evaluate(number->value);
        if (std::isnan(value))
            return CellOutcome::NoFiniteResult;
        if (number->whole)
            value = RoundToWhole(value);
        text = FormatCellNumber(value);
        // The cell's number unchanged keeps the cell's spelling: "010" stays
        // "010" under min(x, 100), "1.50" stays "1.50" under max(x, 0).
        if (value == number->value || text == FormatCellNumber(number->value))
            return CellOutcome::Same;
        break;
    }
    }
    if (text == cell)
        return CellOutcome::Same;
    result = std::move(text);
    return CellOutcome::Changed;
}

PlainTextError::PlainTextError(const SyntaxError& fault, std::string_view text)
    : SyntaxError(fault.position(), fault.reason()),
      hint_(DRAVIK_TR("Expressions", "to set a text, write '%1"), {std::string(text)})
{
}

bool ExpressionTally::count(CellOutcome outcome)
{
    switch (outcome) {
    case CellOutcome::Changed: ++changed; return true;
    case CellOutcome::Same: ++same; break;
    case CellOutcome::NotANumber: ++notANumber; break;
    case CellOutcome::NoFiniteResult: ++noFiniteResult; break;
    }
    return false;
}

}  // namespace dravik
