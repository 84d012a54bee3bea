#include "tools/process_runner.h"

#include "core/errors.h"
#include "core/files/file_io.h"
#include "core/text/text_lines.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <utility>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

extern char** environ;
#endif

namespace dravik {

namespace {

constexpr char kCapturedErrorCaption[] = "RunCaptured Error";
constexpr char kPipedErrorMessage[] = "Could not execute command line!";
// The size of one read from the pipe; a NUL byte ends the text of its read.
constexpr size_t kPipeChunk = 255;
// Removing what bears the capture file's name and creating it anew races
// with whoever puts something there again; past a few rounds that is no
// accident, and the run goes on without a capture file.
constexpr int kCreateAttempts = 8;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// One read from the pipe: its text ends at its first NUL byte.
void AppendChunk(std::string& text, const char* bytes, size_t count)
{
    const void* nul = std::memchr(bytes, '\0', count);
    text.append(bytes, nul ? static_cast<size_t>(static_cast<const char*>(nul) - bytes) : count);
}

// The capture file's bytes as memo lines; reading stops at the first NUL byte.
void AppendCapturedLines(std::string bytes, std::vector<std::string>& memoLines)
{
    if (const size_t nul = bytes.find('\0'); nul != std::string::npos)
        bytes.resize(nul);
    TextLines captured = SplitLines(bytes);
    memoLines.insert(memoLines.end(), std::make_move_iterator(captured.lines.begin()),
                     std::make_move_iterator(captured.lines.end()));
}

[[noreturn]] void ThrowCannotOpen(const std::string& path, int code)
{
    throw DravikError(CannotOpenFileMessage(path, SystemErrorText(code)));
}

#ifdef _WIN32

class Handle {
public:
    Handle() = default;
    explicit Handle(HANDLE handle) : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    ~Handle() { reset(); }
    Handle(Handle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Handle& operator=(Handle&& other) noexcept
    {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }

    HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void reset()
    {
        if (handle_)
            CloseHandle(handle_);
        handle_ = nullptr;
    }

private:
    HANDLE handle_ = nullptr;
};

std::string CurrentDirectory()
{
    std::string directory(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(directory.size()), directory.data());
        if (length == 0)
            return ".";
        if (length < directory.size()) {
            directory.resize(length);
            return directory;
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

// Removes what bears the name, looked at without following it: a file, or a
// symbolic link or junction (its target untouched). A plain directory stays.
// ERROR_SUCCESS when the name is free now.
DWORD RemoveEntry(const std::string& path)
{
    const Handle entry(CreateFileA(path.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!entry) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(entry.get(), &info))
        return GetLastError();
    const DWORD attributes = info.dwFileAttributes;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return ERROR_ACCESS_DENIED;
    // The entry this handle has open goes, not whatever the name means by now.
    FILE_DISPOSITION_INFO disposition{TRUE};
    if (!SetFileInformationByHandle(entry.get(), FileDispositionInfo, &disposition, sizeof disposition))
        return GetLastError();
    return ERROR_SUCCESS;
}

// "Test.tmp" lives only for one run; whatever way the run ends, it goes.
class CaptureFile {
public:
    CaptureFile() : path_(InDirectory(CurrentDirectory(), kCaptureFileName)) { create(); }
    ~CaptureFile() { remove(); }
    CaptureFile(const CaptureFile&) = delete;
    CaptureFile& operator=(const CaptureFile&) = delete;

    // Null when the file could not be made.
    HANDLE handle() const { return handle_.get(); }

    void remove()
    {
        if (!handle_)
            return;
        handle_.reset();
        DeleteFileA(path_.c_str());
    }

    // What the child wrote.
    std::string readBack() const
    {
        if (!handle_)
            ThrowCannotOpen(path_, static_cast<int>(error_));
        LARGE_INTEGER start{};
        if (!SetFilePointerEx(handle_.get(), start, nullptr, FILE_BEGIN))
            ThrowCannotOpen(path_, static_cast<int>(GetLastError()));
        std::string bytes;
        char buffer[1 << 16];
        for (;;) {
            DWORD got = 0;
            if (!ReadFile(handle_.get(), buffer, sizeof buffer, &got, nullptr))
                ThrowCannotOpen(path_, static_cast<int>(GetLastError()));
            if (got == 0)
                return bytes;
            bytes.append(buffer, got);
        }
    }

private:
    void create()
    {
        // The child gets the handle as its standard output. Deleting the file
        // while a process the child started still has it open only marks it.
        SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
        for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
            handle_ = Handle(CreateFileA(path_.c_str(), GENERIC_READ | GENERIC_WRITE,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inheritable,
                                         CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
            if (handle_)
                return;
            error_ = GetLastError();
            if (error_ != ERROR_FILE_EXISTS && error_ != ERROR_ALREADY_EXISTS)
                return;
            if ((error_ = RemoveEntry(path_)) != ERROR_SUCCESS)
                return;
        }
    }

    std::string path_;
    Handle handle_;
    DWORD error_ = ERROR_FILE_EXISTS;
};

struct Child {
    Handle process;
    Handle thread;
};

// Starts the command line with the given standard handles and window state,
// inheriting our inheritable handles; an idle child gets the processor only
// when nothing else wants it, from its first instruction on. The system's
// error code when it fails.
DWORD StartChild(std::string commandLine, const std::string& directory, bool idle, WORD showState, HANDLE input,
                 HANDLE output, HANDLE error, Child& child)
{
    STARTUPINFOA startup{};
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
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, flags, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &started))
        return GetLastError();
    child.process = Handle(started.hProcess);
    child.thread = Handle(started.hThread);
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

#else

class Descriptor {
public:
    Descriptor() = default;
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept
    {
        if (this != &other) {
            reset();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }

    int get() const { return fd_; }
    void reset()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_ = -1;
};

// Our descriptors are closed on exec, so no child inherits one unasked, and
// lie above 0 to 2, so that setting up a child's standard descriptors never
// overwrites one of them. -1 (errno set) when `fd` is -1 or cannot be moved.
Descriptor Private(int fd)
{
    if (fd < 0)
        return {};
    if (fd > STDERR_FILENO) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        return Descriptor(fd);
    }
    const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
    const int error = errno;
    ::close(fd);
    errno = error;
    return Descriptor(moved);
}

std::string CurrentDirectory()
{
    std::error_code error;
    const std::filesystem::path directory = std::filesystem::current_path(error);
    return error ? std::string(".") : directory.string();
}

// Removes what bears the name: unlink takes a file, a FIFO, a device node or
// a symbolic link (never its target), and refuses a directory.
int RemoveEntry(const std::string& path)
{
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        return errno;
    return 0;
}

// "Test.tmp" lives only for one run; whatever way the run ends, it goes.
class CaptureFile {
public:
    CaptureFile() : path_(CurrentDirectory() + "/" + kCaptureFileName) { create(); }
    ~CaptureFile() { remove(); }
    CaptureFile(const CaptureFile&) = delete;
    CaptureFile& operator=(const CaptureFile&) = delete;

    // -1 when the file could not be made.
    int descriptor() const { return fd_.get(); }

    void remove()
    {
        if (fd_.get() < 0)
            return;
        fd_.reset();
        ::unlink(path_.c_str());
    }

    // What the child wrote, read through our own descriptor: the name may
    // mean something else by now.
    std::string readBack() const
    {
        if (fd_.get() < 0)
            ThrowCannotOpen(path_, error_);
        if (::lseek(fd_.get(), 0, SEEK_SET) != 0)
            ThrowCannotOpen(path_, errno);
        std::string bytes;
        char buffer[1 << 16];
        for (;;) {
            const ssize_t got = ::read(fd_.get(), buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                ThrowCannotOpen(path_, errno);
            if (got == 0)
                return bytes;
            bytes.append(buffer, static_cast<size_t>(got));
        }
    }

private:
    void create()
    {
        for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
            // Exclusive creation never follows a link, O_NOFOLLOW or not, and
            // never opens a FIFO or a device that bears the name.
            fd_ = Private(::open(path_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
            if (fd_.get() >= 0)
                return;
            error_ = errno;
            if (error_ != EEXIST)
                return;
            if ((error_ = RemoveEntry(path_)) != 0)
                return;
        }
    }

    std::string path_;
    Descriptor fd_;
    int error_ = EEXIST;
};

// The file exec is to run. A path with a slash is taken against our current
// directory, as the Windows system takes it, not against the child's working
// directory; a bare name is looked up in PATH. 0, or ENOENT when there is
// none.
int ResolveProgram(std::string& program)
{
    if (program.empty())
        return ENOENT;
    if (program.find('/') != std::string::npos) {
        if (program.front() != '/')
            program = CurrentDirectory() + "/" + program;
        return 0;
    }
    const char* variable = std::getenv("PATH");
    const std::string_view path = variable ? variable : "/usr/local/bin:/usr/bin:/bin";
    for (size_t start = 0; start <= path.size();) {
        size_t end = path.find(':', start);
        if (end == std::string_view::npos)
            end = path.size();
        const std::string_view folder = path.substr(start, end - start);
        std::string candidate = (folder.empty() ? std::string(".") : std::string(folder)) + "/" + program;
        struct stat info;
        if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(candidate.c_str(), X_OK) == 0) {
            program = candidate.front() == '/' ? std::move(candidate) : CurrentDirectory() + "/" + candidate;
            return 0;
        }
        start = end + 1;
    }
    return ENOENT;
}

// How a child starts: -1 keeps what we have.
struct ChildSetup {
    const char* directory = nullptr;
    int input = -1;
    int output = -1;
    int error = -1;
    bool idle = false;
};

[[noreturn]] void ReportAndExit(int report)
{
    const int error = errno;
    const ssize_t written = ::write(report, &error, sizeof error);
    static_cast<void>(written);
    ::_exit(127);
}

// In the child, between fork and exec: only calls that are safe there.
[[noreturn]] void ExecChild(char* const argv[], const ChildSetup& setup, int report)
{
    // What we ignore or block is no business of the child's: a process whose
    // reader has gone should end by SIGPIPE, as the system would have it.
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    sigemptyset(&standard.sa_mask);
    ::sigaction(SIGPIPE, &standard, nullptr);
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);

    if ((setup.input >= 0 && ::dup2(setup.input, STDIN_FILENO) < 0) ||
        (setup.output >= 0 && ::dup2(setup.output, STDOUT_FILENO) < 0) ||
        (setup.error >= 0 && ::dup2(setup.error, STDERR_FILENO) < 0))
        ReportAndExit(report);
    if (setup.directory && ::chdir(setup.directory) != 0)
        ReportAndExit(report);
    // A failed change leaves normal priority, no harm.
    if (setup.idle)
        ::setpriority(PRIO_PROCESS, 0, 19);
    ::execve(argv[0], argv, environ);
    ReportAndExit(report);
}

int WaitForExit(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// Starts `words` (the first an absolute path) set up as asked. The process
// id, or -1 with `error` the errno of the step that failed: making the
// directory current, or exec itself.
pid_t StartChild(const std::vector<std::string>& words, const ChildSetup& setup, int& error)
{
    std::vector<char*> argv;
    for (const std::string& word : words)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);

    // The child reports a failure before exec through this pipe; exec closes
    // it, so reading nothing means the program runs.
    int ends[2];
    if (::pipe(ends) != 0) {
        error = errno;
        return -1;
    }
    const Descriptor reportRead = Private(ends[0]);
    Descriptor reportWrite = Private(ends[1]);
    if (reportRead.get() < 0 || reportWrite.get() < 0) {
        error = errno;
        return -1;
    }
    const pid_t pid = ::fork();
    if (pid < 0) {
        error = errno;
        return -1;
    }
    if (pid == 0)
        ExecChild(argv.data(), setup, reportWrite.get());
    reportWrite.reset();
    int childError = 0;
    ssize_t got = 0;
    do
        got = ::read(reportRead.get(), &childError, sizeof childError);
    while (got < 0 && errno == EINTR);
    if (got == static_cast<ssize_t>(sizeof childError)) {
        WaitForExit(pid);
        error = childError;
        return -1;
    }
    return pid;
}

void RunPipedWords(const std::string& directory, std::vector<std::string> words, std::string& output)
{
    output.clear();
    if (words.empty() || ResolveProgram(words.front()) != 0)
        throw DravikError(kPipedErrorMessage);
    int ends[2];
    if (::pipe(ends) != 0)
        throw DravikError(kPipedErrorMessage);
    const Descriptor readEnd = Private(ends[0]);
    Descriptor writeEnd = Private(ends[1]);
    if (readEnd.get() < 0 || writeEnd.get() < 0)
        throw DravikError(kPipedErrorMessage);

    ChildSetup setup;
    setup.directory = directory.empty() ? nullptr : directory.c_str();
    setup.output = writeEnd.get();
    setup.error = writeEnd.get();
    int error = 0;
    const pid_t pid = StartChild(words, setup, error);
    // From now on only the child, and whoever it hands the pipe on to, holds
    // the write end: the end of data means that all of them have closed it.
    writeEnd.reset();
    if (pid < 0)
        throw DravikError(kPipedErrorMessage);

    std::string text;
    char chunk[kPipeChunk];
    for (;;) {
        const ssize_t got = ::read(readEnd.get(), chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        AppendChunk(text, chunk, static_cast<size_t>(got));
    }
    WaitForExit(pid);
    output = std::move(text);
}

#endif

}  // namespace

std::vector<std::string> SplitAtBlanks(std::string_view text)
{
    std::vector<std::string> words;
    size_t i = 0;
    while (i < text.size()) {
        if (IsBlank(text[i])) {
            ++i;
            continue;
        }
        const size_t start = i;
        while (i < text.size() && !IsBlank(text[i]))
            ++i;
        words.emplace_back(text.substr(start, i - start));
    }
    return words;
}

std::vector<std::string> SplitCommandLine(std::string_view commandLine)
{
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (const char c : commandLine) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (IsBlank(c) && !quoted) {
            if (inWord)
                words.push_back(std::move(word));
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(std::move(word));
    return words;
}

#ifdef _WIN32

bool RunCaptured(std::vector<std::string>& memoLines, const std::string& directory,
                 const std::string& program, const std::string& arguments,
                 const ShowMessage& showMessage)
{
    CaptureFile capture;
    Child child;
    // The tools pack whole archives; they should only get the processor when
    // nothing else wants it.
    const DWORD error =
        StartChild(program + " " + arguments, directory, true, SW_MINIMIZE, nullptr, capture.handle(), nullptr, child);
    if (error != ERROR_SUCCESS) {
        capture.remove();
        showMessage(kCapturedErrorCaption, SystemErrorText(static_cast<int>(error)));
        return false;
    }
    const bool succeeded = WaitForExit(child) == 0;
    AppendCapturedLines(capture.readBack(), memoLines);
    return succeeded;
}

void RunPiped(const std::string& directory, const std::string& commandLine, std::string& output)
{
    output.clear();
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0))
        throw DravikError(kPipedErrorMessage);
    const Handle reader(readEnd);
    Handle writer(writeEnd);
    // The child needs only the write end.
    SetHandleInformation(reader.get(), HANDLE_FLAG_INHERIT, 0);

    Child child;
    const DWORD error = StartChild(commandLine, directory, false, SW_HIDE, GetStdHandle(STD_INPUT_HANDLE),
                                   writer.get(), writer.get(), child);
    // From now on only the child, and whoever it hands the pipe on to, holds
    // the write end: the end of data means that all of them have closed it.
    writer.reset();
    if (error != ERROR_SUCCESS)
        throw DravikError(kPipedErrorMessage);

    std::string text;
    char chunk[kPipeChunk];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(reader.get(), chunk, sizeof chunk, &got, nullptr) || got == 0)
            break;
        AppendChunk(text, chunk, got);
    }
    WaitForExit(child);
    output = std::move(text);
}

void RunPipedProgram(const std::string& directory, const std::string& path, std::string& output)
{
    RunPiped(directory, "\"" + path + "\"", output);
}

#else

bool RunCaptured(std::vector<std::string>& memoLines, const std::string& directory,
                 const std::string& program, const std::string& arguments,
                 const ShowMessage& showMessage)
{
    CaptureFile capture;
    std::vector<std::string> words{program};
    for (std::string& word : SplitAtBlanks(arguments))
        words.push_back(std::move(word));

    int error = ResolveProgram(words.front());
    pid_t pid = -1;
    if (error == 0) {
        const Descriptor null = Private(::open("/dev/null", O_RDWR | O_CLOEXEC));
        ChildSetup setup;
        setup.directory = directory.empty() ? nullptr : directory.c_str();
        setup.input = null.get();
        // Without a capture file the output is lost, as the caller is told.
        setup.output = capture.descriptor() >= 0 ? capture.descriptor() : null.get();
        setup.error = null.get();
        // The tools pack whole archives; they should only get the processor
        // when nothing else wants it.
        setup.idle = true;
        pid = StartChild(words, setup, error);
    }
    if (pid < 0) {
        capture.remove();
        showMessage(kCapturedErrorCaption, SystemErrorText(error));
        return false;
    }
    const int status = WaitForExit(pid);
    const bool succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    AppendCapturedLines(capture.readBack(), memoLines);
    return succeeded;
}

void RunPiped(const std::string& directory, const std::string& commandLine, std::string& output)
{
    RunPipedWords(directory, SplitCommandLine(commandLine), output);
}

void RunPipedProgram(const std::string& directory, const std::string& path, std::string& output)
{
    RunPipedWords(directory, {path}, output);
}

#endif

}  // namespace dravik
