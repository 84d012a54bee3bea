// Messages with numbered places: "%1 cells hold ..." filled in one pass.
// A message stays one whole sentence with its places, never glued from
// pieces, so that a translation can reorder the places as its language needs.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace dravik {

// Each "%1" to "%9" becomes the argument of that number (from 1); a place
// without an argument, and any other "%", stay as they are. The arguments'
// own text is never read for places.
std::string FillMessage(std::string_view pattern, std::initializer_list<std::string_view> args);

// Picks the sentence for one or for many: English has two forms, and a
// translation may bring more.
inline std::string_view OneOrMany(size_t count, std::string_view one, std::string_view many)
{
    return count == 1 ? one : many;
}

}  // namespace dravik
