// The desc files of a batch command line. A folder, a list file or a
// wildcard stands for the files it names, so that a whole mod, thousands of
// files, fits on one command line, also in cmd, which passes a command line
// on as it was typed.
#pragma once

#include "app/standard_output.h"

#include <string>
#include <vector>

namespace dravik {

// Each argument as the files it stands for, in the order given:
// - a folder: every file below it whose name matches `pattern` (see
//   NamePattern), in path order;
// - "@LIST": the paths in the file LIST, one a line (ListFilePaths), each
//   taken as an argument is, except that "@" is not read again;
// - with `asTyped`, a name holding "*" or "?" ("C:\mod\units\*.desc"): the
//   matching files of its folder, in path order; and a last quote left by a
//   folder typed with its backslash inside quotes ("C:\my mod\" reaches the
//   program as C:\my mod") is that backslash, as no name holds a quote;
// - anything else: itself ("./@name" names a file called "@name").
// Throws DravikError for a list or folder that cannot be read (a subfolder
// included), and for a folder or wildcard that matches no file: a script
// would otherwise go on with fewer files than it meant.
std::vector<std::string> ExpandFileArguments(const std::vector<std::string>& args, const std::string& pattern,
                                             bool asTyped = kArgumentsAsTyped);

// The paths of a list file: its lines, empty ones skipped, each a path as
// it is. Windows PowerShell's ">" writes UTF-16 with a byte order mark:
// such a list is read as UTF-16, each name as the file system knows it (on
// Windows the path form of core/files/native_path.h). A UTF-8 mark is
// skipped.
std::vector<std::string> ListFilePaths(const std::string& bytes);

}  // namespace dravik
