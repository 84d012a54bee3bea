// Starting the archive tools, the game and the map editor as child processes.
//
// Both runners block the calling (GUI) thread until the child has ended: the
// program takes no other command meanwhile, and there is no time-out. They
// use only the standard library and the system, so the windows hand in what
// they show as plain callbacks and byte strings, and whatever the windows do
// around a run (repainting first, a busy state) is theirs to do.
#pragma once

#include "core/message.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace dravik {

// Shows a modal message box with an OK button (the caller's window does it).
using ShowMessage = std::function<void(const Message& caption, const Message& text)>;

// The capture file's name, in the current directory of the call.
inline constexpr char kCaptureFileName[] = "Test.tmp";

// Runs `program` with `arguments` in `directory` (relative to the current
// directory; empty means the current directory), minimized and at idle
// priority, and waits for it. Its standard output goes to the capture file
// "Test.tmp" in the current directory; standard input and standard error are
// the null device.
//
// The capture file is always a new regular file, created exclusively: what
// bears the name before (a stale file, a symbolic link, a Windows reparse
// point, a FIFO or a device node) is removed first, a link without its target
// being touched. A directory of that name is left alone. The capture file is
// deleted before returning on every path.
//
// The captured lines (split at CR LF, lone CR and lone LF, stopping at the
// first NUL byte) are appended to `memoLines`. True exactly when the child
// ended normally with exit code 0; the output is appended either way.
//
// When the child cannot be started, `showMessage` gets the caption
// "RunCaptured Error" and the system's text for the error; the result is
// false and `memoLines` is left as it was. When the capture file cannot be
// created the child still runs (its output is lost), and then
// DravikError("Cannot open file ...") is thrown with the system's reason.
//
// On Windows the command line is `program`, a blank and `arguments`, handed to
// the system unquoted, so a program path with blanks is split by the system.
// Elsewhere `program` is taken whole and `arguments` is split at blanks (see
// SplitAtBlanks); no shell is involved.
bool RunCaptured(std::vector<std::string>& memoLines, const std::string& directory,
                 const std::string& program, const std::string& arguments,
                 const ShowMessage& showMessage);

// Runs `commandLine` in `directory` (resolved like RunCaptured's) with its
// window hidden, its standard input shared with this program, its standard
// output and standard error merged into one pipe, and waits for it. Reading
// goes on until every process holding the pipe has closed it, so a process
// the child hands the pipe on to is waited for as well (and never loses its
// reader). `output` receives what was written, read in chunks of at most 255
// bytes of which each loses everything from its first NUL byte on. The exit
// code is not looked at.
//
// Throws DravikError("Could not execute command line!") when the child cannot
// be started (also when its pipe cannot be made); `output` is then empty.
//
// On Windows the command line goes to the system unchanged. Elsewhere it is
// split by SplitCommandLine, without any shell.
void RunPiped(const std::string& directory, const std::string& commandLine, std::string& output);

// RunPiped for the program at `path` alone, without arguments. On Windows the
// command line is the path between double quotes; elsewhere the path is the
// program itself, never split, so a double quote in it is part of the name.
void RunPipedProgram(const std::string& directory, const std::string& path, std::string& output);

// The words of `text`: runs of blanks (space, tab) separate, every other byte
// is kept as it is.
std::vector<std::string> SplitAtBlanks(std::string_view text);

// The words of a command line: runs of blanks separate, and a double quote
// opens or closes a part in which blanks belong to the word; the quotes
// themselves are dropped and every other byte is kept as it is. So
// "\"/my games/ss.exe\" -x" gives "/my games/ss.exe" and "-x", and a quoted
// empty text gives an empty word.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

}  // namespace dravik
