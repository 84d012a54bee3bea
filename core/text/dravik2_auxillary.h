// The word and path routines every part of the program shares.
#pragma once

#include <string>
#include <string_view>

namespace dravik {

// Removes every character of code 0 to 32 from both ends.
std::string_view Trim(std::string_view text);
// Removes from both ends every character that `drop` names.
std::string_view TrimWhere(std::string_view text, bool (*drop)(char));

// Word n (from 0) of the trimmed text, words being maximal runs of
// non-delimiters. A word beyond the last gives the last word; a text that is
// empty after trimming gives the delimiter itself.
std::string GetWord(char delimiter, std::string_view text, int n);

// The number of blank-separated words of the trimmed text.
int WordCount(std::string_view text);

// The native path separator: the backslash on Windows, "/" elsewhere.
extern const char kPathSeparator;
// The top of the system's folders, where a path not yet chosen starts:
// "c:\" on Windows, "/" elsewhere.
extern const char kTopFolder[];

// The path up to and including its last separator; empty without one.
std::string PathOfFile(std::string_view path);
// The part after the last separator; the whole path without one.
std::string NameOfFile(std::string_view path);

}  // namespace dravik
