// The variables text: for each of the ten sections of a desc file, the keys
// laid out in that section's table and how many values each carries.
#pragma once

#include "core/numbered.h"
#include "core/text/code_page.h"
#include "core/message.h"
#include "core/text/text_lines.h"

#include <cstddef>
#include <string>
#include <vector>

namespace dravik {

inline constexpr int kSectionCount = 10;

// Sections are numbered from 1; section 10 is the text section.
using SectionNumber = Numbered<struct SectionKind>;
inline constexpr SectionNumber kTextSection{kSectionCount};
constexpr bool IsSection(SectionNumber section) { return section.number() >= 1 && section.number() <= kSectionCount; }
constexpr SectionNumber::Range AllSections() { return {SectionNumber(1), SectionNumber(kSectionCount)}; }
constexpr size_t SectionIndex(SectionNumber section) { return section.index(); }

// "section1" ... "section9", and "section_text" for section 10.
std::string SectionName(SectionNumber section);

// The entry lines of one section, unchanged and in text order. A section
// starts at a line equal to "[" + name + "]" (case and blanks exact) and ends
// at the next line that starts with "["; empty lines are skipped. A header
// that occurs twice contributes both of its blocks.
std::vector<std::string> GetSectionLines(const TextLines& variables, const std::string& sectionName);

// One section's entries read once, in schema order. An entry's name is
// everything before its first "=" (the empty text when there is none); its
// count is read from the first entry whose name equals it ignoring case under
// the code page. Reading stops at the first count that is not a whole number:
// `error` then holds "'%s' is not a valid integer value" for its text, and
// `entries` the ones before it.
struct SectionEntry {
    std::string name;
    int count = 0;
};
struct SectionSchema {
    std::vector<SectionEntry> entries;
    Message error;  // empty when every count was valid
};
SectionSchema ReadSectionSchema(const TextLines& variables, SectionNumber section, const CodePage& codePage);

}  // namespace dravik
