// How a spreadsheet reads a cell's text as a value and writes the value back
// (LibreOffice Calc or Excel with the Standard column type, in English or in
// another locale): what the import uses to tell the spreadsheet's doing
// from the modder's edits.
#pragma once

#include <memory>
#include <string_view>

namespace dravik {

class CodePage;

// The same number written otherwise, as a spreadsheet's Standard column
// type rewrites it: 010 -> 10, 1.50 -> 1.5, -0 -> 0, 1e5 -> 1.00E+05 (the
// same value exactly: 2.5e-3 -> 3E-03 is another value), a day and month or
// a fraction turned into a date as a spreadsheet writes one (3/4 ->
// 03/04/26, 04.03.26 or 2026-03-04), and a formula's true result (=1+1 -> 2;
// a formula that uses more than arithmetic, whose result cannot be told,
// takes any number, error or truth value for it).
bool SameNumberRespelled(std::string_view before, std::string_view after);

// The ways a spreadsheet turns a text into a value of another kind, or
// writes a number the way its locale does.
enum class Conversion {
    None,
    Separators,  // thousands separators or a decimal comma: 2.250 -> 2250, 0.5 -> 0,5, 1,500 -> 1500
    Percent,     // 50% -> 50.00%, 0,5 or 50,00 %
    Time,        // 12:30 -> 12:30:00 PM
    Date,        // 1/2/2024 -> 01/02/24
    Currency,    // $5 -> $5.00, 5,00 DM
    Truth,       // false -> FALSE, FALSCH
    Overflow,    // 1e400 -> 1.79769313486232E+308
};

// How `after` came from `before` when a spreadsheet converted it: the same
// value in another kind or another locale's writing, or a number written
// with a decimal comma or thousands separators where the file held a plain
// number or a formula (what a German spreadsheet writes for any number
// typed into it). None for anything else, and for the respellings above.
// The code page gives the bytes of currency signs and of truth words in
// other alphabets.
Conversion SpreadsheetConversion(std::string_view before, std::string_view after, const CodePage& codePage);

// The same for many cells: what the code page gives is worked out once.
class SpreadsheetConversions {
public:
    explicit SpreadsheetConversions(const CodePage& codePage);
    ~SpreadsheetConversions();
    Conversion operator()(std::string_view before, std::string_view after) const;

private:
    struct Words;
    int truth(std::string_view text) const;

    const CodePage& codePage_;
    std::unique_ptr<Words> words_;
};

}  // namespace dravik
