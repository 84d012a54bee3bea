// The process runner's calls into the system: process_runner.cpp holds what
// every system shares (the capture file's life, reading the pipe), and
// process_runner_posix.cpp or process_runner_windows.cpp, chosen by the
// build, how each system starts a child and waits for it.
#pragma once

#include "core/files/file_handle.h"

#include <functional>
#include <string>

namespace dravik::sys {

// "." when the system cannot tell it.
std::string CurrentDirectory();
// The name in the directory, with the system's separator between.
std::string InDirectory(const std::string& directory, const char* name);

// Creates the capture file exclusively, never opening what bears the name,
// ready to be a child's standard output. 0, or the system's error code.
int CreateCaptureFile(const std::string& path, FileHandle& file);
// The error code of a name that is taken.
int NameTakenError();
bool IsNameTaken(int error);
// Removes what bears the name without following it: a file, a link (its
// target untouched), a FIFO or device node. A directory stays. 0 when the
// name is free now, else the system's error code.
int RemoveEntry(const std::string& path);
// Deletes the file of that name, as far as the system lets us.
void RemoveName(const std::string& path);

// Starts the archive tool as RunCaptured says, its standard output `output`
// (the null device, or none on Windows, when `output` is empty), and waits
// for it. False with `error` the system's code when it cannot be started.
bool RunTool(const std::string& directory, const std::string& program, const std::string& arguments,
             const FileHandle& output, bool& succeeded, int& error);

// Starts the command as RunPiped says (`programOnly`: as RunPipedProgram
// says), hands the pipe's read end to `read` once only the child and those
// it hands the pipe on to hold its write end, then waits for the child.
// False when the pipe or the child cannot be made.
bool RunWithPipe(const std::string& directory, const std::string& command, bool programOnly,
                 const std::function<void(const FileHandle& readEnd)>& read);

}  // namespace dravik::sys
