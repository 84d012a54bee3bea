// How a path travels through the program.
//
// A path is a byte string. Off Windows it is the bytes the file system
// takes. On Windows, whose file names are UTF-16, it is the name's
// characters in the code page (CodePage::Default(), the system's ANSI code
// page), so that a path the code page can write is the same text in the
// tables, the table text file, the settings file and the messages as it is
// to the file system. A character the code page cannot write (a Cyrillic
// letter under windows-1252) is carried without loss as "<", four hex digits
// per UTF-16 unit, ">" ("<041c0438>"); "<" itself, which no Windows name
// may hold, is carried as "<003c>". The file layer and the process runner
// hand the system the wide-character name.
//
// Text shown or written for the user (the tables' path cells, the table text
// file, messages) holds a path's rendering, PathText: each character the
// code page cannot write becomes "?", which no Windows name holds either, so
// a rendering never names another file.
#pragma once

#include "core/text/code_page.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace dravik {

// ---- The Windows form, on every system (the tests check it everywhere).

// The UTF-16 name as a path: code-page bytes, the rest escaped.
std::string EncodePathUnits(std::u16string_view units, const CodePage& codePage);
// The UTF-16 name of a path. An "<" that starts no well-formed escape stays
// an "<".
std::u16string DecodePathUnits(std::string_view path, const CodePage& codePage);
// The path with each escaped character (a surrogate pair is one) as "?".
std::string RenderEscapedPath(std::string_view path);
// Whether the path holds a character the code page cannot write.
bool HoldsEscapes(std::string_view path);

// ---- This system's paths.

// What a path is shown and written as in text: on Windows its rendering,
// elsewhere the path itself.
std::string PathText(std::string_view path);
// Whether PathText gives the path back as it is, so that a table naming it
// by its text names this file.
bool PathFitsText(std::string_view path);

// The path for the standard library's file system calls.
std::filesystem::path FileSystemPath(std::string_view path);
// The other way: the path of a file system path.
std::string PathOfFileSystemPath(const std::filesystem::path& path);

// Whether a character separates a path's names: "/", on Windows "\\" too.
bool IsPathSeparator(char c);
// Where a path's last name starts: after its last separator, on Windows
// also after a drive ("C:*.desc" is in drive C's current folder).
size_t NameStart(std::string_view path);
// Whether two characters of paths stand for the same as the system compares
// names: on Windows without regard to letter case, either separator for
// either; elsewhere only the same byte.
bool SameNameChar(char a, char b);
// Whether two paths are spelled alike as the system compares names.
bool SamePathText(std::string_view a, std::string_view b);

// A UTF-16 name (as Windows PowerShell writes a list of files) as a path:
// on Windows its path form above, elsewhere UTF-8.
std::string PathOfUtf16(std::u16string_view units);

// A path as the system resolves it: absolute, with "." and ".." and links
// resolved as far as the path exists; on Windows without regard to letter
// case, as its file systems compare names. Two paths name the same file when
// their keys are equal. The key is for comparing only, never for display.
std::string ResolvedPathKey(const std::string& path);

// Windows only (file_io_windows.cpp): the name the system's wide-character
// functions take, and back.
std::wstring WidePath(std::string_view path);
std::string PathOfWide(std::wstring_view wide);

}  // namespace dravik
