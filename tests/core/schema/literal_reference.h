// The reading rules of desc and variables texts written the plain way, one
// scan per question: the oracle the core tests and the fuzzers hold the
// engine's indexed and read-once forms against. Nothing in the program calls
// these; they live with the tests so that the engine carries only what it uses.
#pragma once

#include "core/text/code_page.h"

#include <string>
#include <string_view>
#include <vector>

namespace dravik::literal {

// The line of a key: the last line whose first characters, as many as the
// key has, equal the key ignoring case under the code page; -1 (kNoLine)
// when none does or the key is empty. Folds whole texts rather than asking
// CodePage::startsWithIgnoringCase, so that it checks that routine too.
long KeyLine(const std::vector<std::string>& lines, std::string_view key, const CodePage& codePage);

// The value text of the key's line: the rest after the key's length with
// characters 0 to 32 removed at both ends; one blank when no line matches.
std::string GetKeyValue(const std::vector<std::string>& lines, std::string_view key, const CodePage& codePage);

// Entry k of a section's lines: everything before the first "="; the empty
// text when there is none.
std::string EntryName(const std::vector<std::string>& entries, size_t k);

// The count of the first entry whose name equals `name` ignoring case.
// Throws DravikError "'%s' is not a valid integer value" for a count text
// that is not a whole number.
int EntryCount(const std::vector<std::string>& entries, const std::string& name, const CodePage& codePage);

// The blank-separated words of the trimmed text (trimming drops codes 0 to
// 32 at both ends; inside, only the blank separates).
std::vector<std::string> BlankWords(std::string_view text);

}  // namespace dravik::literal
