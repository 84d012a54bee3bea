// How a POSIX system starts the tools and waits for them: no shell, the
// words handed to exec as they are.
#include "tools/process_runner.h"
#include "tools/process_runner_system.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace dravik::sys {

namespace {

// Our descriptors are closed on exec, so no child inherits one unasked, and
// lie above 0 to 2, so that setting up a child's standard descriptors never
// overwrites one of them. Empty (errno set) when `fd` is -1 or cannot be
// moved.
FileHandle Private(int fd)
{
    if (fd < 0)
        return {};
    if (fd > STDERR_FILENO) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        return FileHandle(fd);
    }
    const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
    const int error = errno;
    ::close(fd);
    errno = error;
    return FileHandle(moved);
}

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
    const FileHandle reportRead = Private(ends[0]);
    FileHandle reportWrite = Private(ends[1]);
    if (!reportRead || !reportWrite) {
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

}  // namespace

std::string CurrentDirectory()
{
    std::error_code error;
    const std::filesystem::path directory = std::filesystem::current_path(error);
    return error ? std::string(".") : directory.string();
}

std::string InDirectory(const std::string& directory, const char* name) { return directory + "/" + name; }

int CreateCaptureFile(const std::string& path, FileHandle& file)
{
    // Exclusive creation never follows a link, O_NOFOLLOW or not, and never
    // opens a FIFO or a device that bears the name.
    file = Private(::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    return file ? 0 : errno;
}

int NameTakenError() { return EEXIST; }
bool IsNameTaken(int error) { return error == EEXIST; }

// unlink takes a file, a FIFO, a device node or a symbolic link (never its
// target), and refuses a directory.
int RemoveEntry(const std::string& path)
{
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        return errno;
    return 0;
}

void RemoveName(const std::string& path) { ::unlink(path.c_str()); }

bool RunTool(const std::string& directory, const std::string& program, const std::string& arguments,
             const FileHandle& output, bool& succeeded, int& error)
{
    std::vector<std::string> words{program};
    for (std::string& word : SplitAtBlanks(arguments))
        words.push_back(std::move(word));
    error = ResolveProgram(words.front());
    if (error != 0)
        return false;
    const FileHandle null = Private(::open("/dev/null", O_RDWR | O_CLOEXEC));
    ChildSetup setup;
    setup.directory = directory.empty() ? nullptr : directory.c_str();
    setup.input = null.get();
    // Without a capture file the output is lost, as the caller is told.
    setup.output = output ? output.get() : null.get();
    setup.error = null.get();
    // The tools pack whole archives; they should only get the processor when
    // nothing else wants it.
    setup.idle = true;
    const pid_t pid = StartChild(words, setup, error);
    if (pid < 0)
        return false;
    const int status = WaitForExit(pid);
    succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return true;
}

bool RunWithPipe(const std::string& directory, const std::string& command, bool programOnly,
                 const std::function<void(const FileHandle& readEnd)>& read)
{
    std::vector<std::string> words = programOnly ? std::vector<std::string>{command} : SplitCommandLine(command);
    if (words.empty() || ResolveProgram(words.front()) != 0)
        return false;
    int ends[2];
    if (::pipe(ends) != 0)
        return false;
    const FileHandle readEnd = Private(ends[0]);
    FileHandle writeEnd = Private(ends[1]);
    if (!readEnd || !writeEnd)
        return false;

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
        return false;
    read(readEnd);
    WaitForExit(pid);
    return true;
}

}  // namespace dravik::sys
