// How Windows starts the tools and waits for them: the command line goes to
// the system as it is, in wide characters as every name does.
#include "tools/process_runner_system.h"

#include "core/files/native_path.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace dravik::sys {

namespace {

struct Child {
    FileHandle process;
    FileHandle thread;
};

// Starts the command line with the given standard handles and window state,
// inheriting our inheritable handles; an idle child gets the processor only
// when nothing else wants it, from its first instruction on. The system's
// error code when it fails.
DWORD StartChild(const std::string& commandLine, const std::string& directory, bool idle, WORD showState, HANDLE input,
                 HANDLE output, HANDLE error, Child& child)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.wShowWindow = showState;
    startup.hStdInput = input;
    startup.hStdOutput = output;
    startup.hStdError = error;
    PROCESS_INFORMATION started{};
    // Not every system (Wine) takes the class from the creation flags, so an
    // idle child starts suspended and gets it set before its first step.
    const DWORD flags = idle ? IDLE_PRIORITY_CLASS | CREATE_SUSPENDED : 0;
    std::wstring line = WidePath(commandLine);
    const std::wstring folder = WidePath(directory);
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, flags, nullptr,
                        directory.empty() ? nullptr : folder.c_str(), &startup, &started))
        return GetLastError();
    child.process = FileHandle(started.hProcess);
    child.thread = FileHandle(started.hThread);
    if (idle) {
        SetPriorityClass(child.process.get(), IDLE_PRIORITY_CLASS);
        ResumeThread(child.thread.get());
    }
    return ERROR_SUCCESS;
}

DWORD WaitForExit(const Child& child)
{
    WaitForSingleObject(child.process.get(), INFINITE);
    DWORD code = 1;
    if (!GetExitCodeProcess(child.process.get(), &code))
        code = 1;
    return code;
}

}  // namespace

std::string CurrentDirectory()
{
    std::wstring directory(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(directory.size()), directory.data());
        if (length == 0)
            return ".";
        if (length < directory.size()) {
            directory.resize(length);
            return PathOfWide(directory);
        }
        directory.resize(length);
    }
}

std::string InDirectory(const std::string& directory, const char* name)
{
    if (!directory.empty() && directory.back() != '\\' && directory.back() != '/')
        return directory + '\\' + name;
    return directory + name;
}

int CreateCaptureFile(const std::string& path, FileHandle& file)
{
    // The child gets the handle as its standard output. Deleting the file
    // while a process the child started still has it open only marks it.
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    file = FileHandle(CreateFileW(WidePath(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inheritable, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    return file ? 0 : static_cast<int>(GetLastError());
}

int NameTakenError() { return ERROR_FILE_EXISTS; }
bool IsNameTaken(int error) { return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS; }

// Looked at without following it: a file, or a symbolic link or junction
// (its target untouched), goes. A plain directory stays.
int RemoveEntry(const std::string& path)
{
    const FileHandle entry(CreateFileW(WidePath(path).c_str(), DELETE | FILE_READ_ATTRIBUTES,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                       FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!entry) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND ? 0 : static_cast<int>(error);
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(entry.get(), &info))
        return static_cast<int>(GetLastError());
    const DWORD attributes = info.dwFileAttributes;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return ERROR_ACCESS_DENIED;
    // The entry this handle has open goes, not whatever the name means by now.
    FILE_DISPOSITION_INFO disposition{TRUE};
    if (!SetFileInformationByHandle(entry.get(), FileDispositionInfo, &disposition, sizeof disposition))
        return static_cast<int>(GetLastError());
    return 0;
}

void RemoveName(const std::string& path) { DeleteFileW(WidePath(path).c_str()); }

bool RunTool(const std::string& directory, const std::string& program, const std::string& arguments,
             const FileHandle& output, bool& succeeded, int& error)
{
    Child child;
    // The tools pack whole archives; they should only get the processor when
    // nothing else wants it.
    const DWORD code =
        StartChild(program + " " + arguments, directory, true, SW_MINIMIZE, nullptr, output.get(), nullptr, child);
    if (code != ERROR_SUCCESS) {
        error = static_cast<int>(code);
        return false;
    }
    succeeded = WaitForExit(child) == 0;
    return true;
}

bool RunWithPipe(const std::string& directory, const std::string& command, bool programOnly,
                 const std::function<void(const FileHandle& readEnd)>& read)
{
    HANDLE readHandle = nullptr;
    HANDLE writeHandle = nullptr;
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    if (!CreatePipe(&readHandle, &writeHandle, &inheritable, 0))
        return false;
    const FileHandle readEnd(readHandle);
    FileHandle writeEnd(writeHandle);
    // The child needs only the write end.
    SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);

    Child child;
    const DWORD error = StartChild(programOnly ? "\"" + command + "\"" : command, directory, false, SW_HIDE,
                                   GetStdHandle(STD_INPUT_HANDLE), writeEnd.get(), writeEnd.get(), child);
    // From now on only the child, and whoever it hands the pipe on to, holds
    // the write end: the end of data means that all of them have closed it.
    writeEnd.reset();
    if (error != ERROR_SUCCESS)
        return false;
    read(readEnd);
    WaitForExit(child);
    return true;
}

}  // namespace dravik::sys
