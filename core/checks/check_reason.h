// Why a value is a check, kept as data (the kind, the numbers, the names)
// and put into words by one function, from whole sentences with numbered
// arguments, so that a window can put the same sentences into another
// language and fill in the same arguments.
#pragma once

#include "core/checks/value_rule.h"

#include <string>
#include <string_view>
#include <vector>

namespace dravik {

struct CheckReason {
    enum class Scope : std::uint8_t {
        Column,  // the rule of all the base game's files
        Folder,  // a folder group's rule
        Key,     // the rule of the files with one value of the sorting key
    };
    CheckKind kind = CheckKind::OutOfRange;
    Scope scope = Scope::Column;
    std::string key;      // the key, without its blanks
    std::string group;    // the group: its folder ("tanks") or the sorting value ("tank")
    std::string sortKey;  // Key: the sorting key, without its blanks
    int files = 0;        // the values the rule was learned from
    double min = 0, max = 0;          // OutOfRange: what the base game's files hold
    std::vector<std::string> words;   // NotInSet: the set, as the base game spells it
    std::string value;    // the value found
    std::uint32_t places = 0;  // OtherPlaces: the decimal places the base game writes, as DecimalPlaces bits
};

// The English sentence of a reason's kind and scope. Its arguments:
//   %1 the key        %2 the group       %3 the sorting key
//   %4 the files      %5 the value       %6 the least number, %7 the greatest
//   %8 the words      %9 the decimal places ("1, 2")
const char* ReasonSentence(CheckKind kind, CheckReason::Scope scope);
// The arguments %1 to %9, in order, as the English sentence shows them.
std::vector<std::string> ReasonArguments(const CheckReason& reason);
// The sentence with its arguments: "armor: the base game's tanks have 10 to
// 450 (1,204 files); this is 4500".
std::string ReasonText(const CheckReason& reason);

// A sentence's "%1" to "%9" replaced by the arguments; "%%" is "%".
std::string FillSentence(std::string_view sentence, const std::vector<std::string>& arguments);
// A count with a comma between thousands: "1,204".
std::string CountText(long long count);

}  // namespace dravik
