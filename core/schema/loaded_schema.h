// The variables text read once for a whole load or save: every section's
// entries, their names folded for the key lookup, and what the lookup index
// of each desc file needs to know about them.
#pragma once

#include "core/text/code_page.h"
#include "core/schema/key_lookup.h"
#include "core/schema/schema.h"
#include "core/text/text_lines.h"

#include <array>
#include <string>
#include <vector>

namespace dravik {

struct LoadedSchema {
    LoadedSchema(const TextLines& variables, const CodePage& codePage);

    const SectionSchema& section(SectionNumber i) const { return sections[i.index()]; }
    const std::string& folded(SectionNumber i, size_t k) const { return foldedNames[i.index()][k]; }
    // Entry k of section i in numberedNames.
    size_t number(SectionNumber i, size_t k) const { return firstNumber[i.index()] + k; }
    // The first invalid count of any section, in section order; empty when none.
    Message firstError() const;
    // Why the tables cannot hold the values of `files` files; empty when they can.
    Message tooLargeError(int files) const;

    std::array<SectionSchema, kSectionCount> sections;
    std::array<std::vector<std::string>, kSectionCount> foldedNames;
    // The same names numbered section after section, for finding every
    // entry's line in one pass over a text.
    std::vector<std::string> numberedNames;
    std::array<size_t, kSectionCount> firstNumber{};
    size_t longestKey = 0;
    FirstBytes firstBytes{};
    // Whether some other name is longer and starts with this one. Only then
    // can rewriting this name's line change which line another name finds:
    // a rewritten line keeps its first characters, which are the name itself.
    std::array<std::vector<bool>, kSectionCount> hasLongerName;
};

// Columns an entry takes: a negative count gets none, like a zero.
inline int ColumnsOf(const SectionEntry& entry) { return entry.count > 0 ? entry.count : 0; }

// The most value columns the tables hold for all sections and files
// together; a schema that asks for more is refused before anything is loaded.
inline constexpr long long kMaxValueCells = 50'000'000;

}  // namespace dravik
