// The one whole-number rule of the program: schema counts, the analyzer's
// value test and the section box all read numbers this way.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace dravik {

// Accepts leading blanks, an optional "+" or "-", then either decimal digits
// whose value fits a signed 32-bit integer, or up to eight hexadecimal digits
// after "$", "x" or "0x" read as a 32-bit pattern. Nothing may follow.
std::optional<std::int32_t> ParseWholeNumber(std::string_view text);

}  // namespace dravik
