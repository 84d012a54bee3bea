// What a cell's text holds: nothing, a number, a whole number.
//
// One rule for every bulk operation (expressions, filters, column summaries,
// value checks), so that a value one of them calls a number is a number to
// all of them. It is the form desc values take: an optional "+" or "-",
// decimal digits, and an optional decimal point with more digits ("12",
// "-0.5", ".5", "5."). Characters 0 to 32 around it are allowed, as they are
// trimmed from values when a desc file is read; nothing may stand between the
// sign and the digits. No exponent ("1e5" is a name, not a number), no
// thousands separators, no hexadecimal: a "$FF" cell is text here even though
// schema counts accept it, since an expression could not write it back in
// its own form.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dravik {

// Whole numbers beyond this a double cannot hold exactly.
inline constexpr double kLargestExactWhole = 9007199254740992.0;  // 2^53

struct CellNumber {
    double value = 0;
    // Written without a decimal point ("12", "-3"): results computed from
    // it are rounded back to a whole number.
    bool whole = false;
};

// The number a cell's text holds; nothing for any other text and for numbers
// too large for a double.
std::optional<CellNumber> ReadCellNumber(std::string_view text);
inline bool IsCellNumber(std::string_view text) { return ReadCellNumber(text).has_value(); }

// Empty or only characters 0 to 32: what a key missing from a file reads as.
bool IsBlankCell(std::string_view text);

// A value with a CR or LF in it would split its key line in two when Save
// all writes it; no desc file can hold one.
bool HasLineBreak(std::string_view text);
// The control characters of a value, worst first: a line break splits its
// key line; a NUL (byte 0) ends the line for every program that reads text as
// C strings, the game among them, and a Ctrl+Z (byte 26) ends the file for
// one that reads it as DOS text (the C runtime's text mode; the table text
// file's import stops there too), so the values and lines after it are lost
// to them. Bytes 1 to 31 and 127 otherwise are invisible in every view,
// and dropped when they stand at a value's ends; and a TAB, which the tables
// read as part of a word, separates two values for a program that takes
// blanks and TABs alike. A TAB is ordinary text in the text section, whose
// value is the rest of its line.
enum class ValueControl { None, Tab, Other, NulOrCtrlZ, LineBreak };
struct ControlFound {
    ValueControl kind = ValueControl::None;
    unsigned char byte = 0;  // the first byte of that kind
};
// The worst control character of the value; a TAB counts only when `words`
// (a value of sections 1 to 9).
ControlFound FindControl(std::string_view text, bool words);

// Each CR LF pair, lone CR and lone LF becomes one blank, as the words on
// either side were meant to stay in the value; the count of breaks.
size_t BlankLineBreaks(std::string& text);

// Whether a cell differs from its column's most common value. Blank cells all
// count as the one value "", as the column's counts take them.
bool DiffersFromCommon(std::string_view text, std::string_view common);

// Short decimal text for a finite value, the same on every locale: at most
// 15 significant digits (so 3 * 1.1 gives "3.3") except for whole numbers up
// to 2^53, which keep every digit; never an exponent, no trailing zeros or
// point, and zero is always "0", never "-0". Not for NaN or infinities
// (callers refuse those first).
std::string FormatCellNumber(double value);

// Rounds half away from zero: 2.5 -> 3, -2.5 -> -3, 0.49 -> 0.
double RoundToWhole(double value);

}  // namespace dravik
