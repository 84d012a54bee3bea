#include "tools/process_runner.h"

#include "core/errors.h"
#include "core/file_io.h"
#include "core/text_lines.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <optional>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace dravik {

namespace {

constexpr char kCaptureFileName[] = "Test.tmp";
constexpr char kCapturedErrorCaption[] = "RunCaptured Error";
constexpr char kPipedErrorMessage[] = "Could not execute command line!";
// The size of one read from the pipe; a NUL byte ends the text of its read.
constexpr size_t kPipeChunk = 255;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Names and arguments are bytes; QProcess wants QStrings and turns them back
// into the same bytes with QFile::encodeName when it builds the child's argv.
QString FromBytes(const std::string& bytes) { return QFile::decodeName(QByteArray::fromStdString(bytes)); }
std::string ToBytes(const QString& text) { return QFile::encodeName(text).toStdString(); }

// The system's texts may end in ".\r\n"; the box shows them without.
std::string Tidy(std::string text)
{
    while (!text.empty() && (static_cast<unsigned char>(text.back()) <= ' ' || text.back() == '.'))
        text.pop_back();
    return text;
}

#ifdef Q_OS_WIN

// CreateProcess would refuse a missing directory with ERROR_DIRECTORY; saying
// so before QProcess gets there keeps the text the system's own.
std::optional<std::string> DirectoryProblem(const QString& directory)
{
    const DWORD attributes = GetFileAttributesW(reinterpret_cast<const wchar_t*>(directory.utf16()));
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return SystemErrorText(ERROR_DIRECTORY);
    return std::nullopt;
}

// The command line reaches CreateProcess exactly as built, without QProcess's
// quoting of the program, and the child gets the given show state and
// priority. CREATE_NO_WINDOW, which QProcess adds for a GUI parent, would
// leave nothing to minimize.
std::function<void(QProcess::CreateProcessArguments*)> WindowsStart(QString commandLine, DWORD priority,
                                                                    WORD showState)
{
    return [commandLine, priority, showState](QProcess::CreateProcessArguments* args) mutable {
        args->arguments = reinterpret_cast<wchar_t*>(commandLine.data());
        args->flags = (args->flags & ~static_cast<DWORD>(CREATE_NO_WINDOW)) | priority;
        args->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
        args->startupInfo->wShowWindow = showState;
    };
}

#else

// QProcess may start a child in our own directory when the given one is
// missing (older versions ignore a failed chdir), and its error strings are
// not the system's; so the directory is tried here first.
std::optional<std::string> DirectoryProblem(const QString& directory)
{
    struct stat info;
    if (::stat(QFile::encodeName(directory).constData(), &info) != 0)
        return SystemErrorText(errno);
    if (!S_ISDIR(info.st_mode))
        return SystemErrorText(ENOTDIR);
    return std::nullopt;
}

// Finds the file that exec would run and asks the system whether it may be
// run, so a failed start is told with the errno exec itself would give.
// A path with a slash is taken relative to our current directory, as the
// Windows system takes it, not relative to the child's working directory;
// a bare name is looked up in PATH.
std::optional<std::string> ResolveProgram(QString& program)
{
    if (!program.contains(u'/')) {
        const QString found = QStandardPaths::findExecutable(program);
        if (found.isEmpty())
            return SystemErrorText(ENOENT);
        program = found;
        return std::nullopt;
    }
    program = QDir::current().absoluteFilePath(program);
    const QByteArray path = QFile::encodeName(program);
    struct stat info;
    if (::stat(path.constData(), &info) != 0)
        return SystemErrorText(errno);
    if (S_ISDIR(info.st_mode))
        return SystemErrorText(EACCES);
    if (::access(path.constData(), X_OK) != 0)
        return SystemErrorText(errno);
    return std::nullopt;
}

QStringList ToArguments(const std::vector<std::string>& words)
{
    QStringList arguments;
    for (const auto& word : words)
        arguments << FromBytes(word);
    return arguments;
}

#endif

QString WorkingDirectory(const std::string& directory)
{
    if (directory.empty())
        return QDir::currentPath();
    return QDir::current().absoluteFilePath(FromBytes(directory));
}

// Starts the prepared child in `directory`. Nothing when it runs, otherwise
// the system's text for why it does not.
std::optional<std::string> Start(QProcess& process, const QString& directory)
{
    if (auto problem = DirectoryProblem(directory))
        return problem;
    process.setWorkingDirectory(directory);
    process.start();
    if (process.waitForStarted(-1))
        return std::nullopt;
    // What the checks above cannot foresee (a file exec does not understand,
    // no pipes or processes left): QProcess words it "what: system text".
    const QString reason = process.errorString();
    const qsizetype colon = reason.lastIndexOf(QStringLiteral(": "));
    return ToBytes(colon < 0 ? reason : reason.mid(colon + 2));
}

// "Test.tmp" lives only for one run; whatever way the run ends, it goes.
class CaptureFile {
public:
    CaptureFile() : path_(QDir::current().absoluteFilePath(QString::fromLatin1(kCaptureFileName))) {}
    ~CaptureFile() { Remove(); }
    CaptureFile(const CaptureFile&) = delete;
    CaptureFile& operator=(const CaptureFile&) = delete;

    const QString& Path() const { return path_; }
    // Creates the file or empties the one there. False when it cannot be.
    bool Create()
    {
        QFile file(path_);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    }
    // Never removes a directory that happens to bear the name.
    void Remove() { QFile::remove(path_); }

private:
    QString path_;
};

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

bool RunCaptured(std::vector<std::string>& memoLines, const std::string& directory,
                 const std::string& program, const std::string& arguments,
                 const ShowMessage& showMessage)
{
    CaptureFile capture;
    QProcess process;
    // A capture file that cannot be made does not stop the tool; its output
    // is lost, and reading the file back below reports the problem.
    if (capture.Create())
        process.setStandardOutputFile(capture.Path(), QIODevice::Truncate);
    else
        process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());

    std::optional<std::string> problem;
#ifdef Q_OS_WIN
    process.setProgram(FromBytes(program));
    process.setCreateProcessArgumentsModifier(
        WindowsStart(FromBytes(program + " " + arguments), IDLE_PRIORITY_CLASS, SW_MINIMIZE));
#else
    QString programPath = FromBytes(program);
    problem = ResolveProgram(programPath);
    process.setProgram(programPath);
    process.setArguments(ToArguments(SplitAtBlanks(arguments)));
    // The tools pack whole archives; they should only get the processor when
    // nothing else wants it. A failed nice leaves normal priority, no harm.
    process.setChildProcessModifier([] {
        if (nice(19) == -1) {
        }
    });
#endif
    if (!problem)
        problem = Start(process, WorkingDirectory(directory));
    if (problem) {
        capture.Remove();
        showMessage(kCapturedErrorCaption, Tidy(*problem));
        return false;
    }

    process.waitForFinished(-1);
    const bool succeeded = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;

    std::string bytes = ReadFileOrThrow(ToBytes(capture.Path()));
    if (const size_t nul = bytes.find('\0'); nul != std::string::npos)
        bytes.resize(nul);
    TextLines captured = SplitLines(bytes);
    memoLines.insert(memoLines.end(), std::make_move_iterator(captured.lines.begin()),
                     std::make_move_iterator(captured.lines.end()));
    return succeeded;
}

void RunPiped(const std::string& directory, const std::string& commandLine, std::string& output)
{
    output.clear();
    // Let the menu that got us here close and the window repaint before we
    // block; user input stays queued, so no other command starts meanwhile.
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);

    const std::vector<std::string> words = SplitCommandLine(commandLine);
    std::optional<std::string> problem;
#ifdef Q_OS_WIN
    process.setProgram(FromBytes(words.empty() ? commandLine : words.front()));
    process.setCreateProcessArgumentsModifier(WindowsStart(FromBytes(commandLine), 0, SW_HIDE));
#else
    QString programPath = FromBytes(words.empty() ? std::string() : words.front());
    problem = ResolveProgram(programPath);
    process.setProgram(programPath);
    if (!words.empty())
        process.setArguments(ToArguments({words.begin() + 1, words.end()}));
#endif
    // QProcess sets up the merged pipe as part of the start, so a pipe that
    // cannot be made is a failed start too, with the same error.
    if (!problem)
        problem = Start(process, WorkingDirectory(directory));
    if (problem)
        throw DravikError(kPipedErrorMessage);

    process.waitForFinished(-1);
    const QByteArray bytes = process.readAll();
    std::string text;
    for (qsizetype at = 0; at < bytes.size(); at += static_cast<qsizetype>(kPipeChunk)) {
        const std::string_view chunk(bytes.constData() + at,
                                     std::min<size_t>(kPipeChunk, static_cast<size_t>(bytes.size() - at)));
        text.append(chunk.substr(0, chunk.find('\0')));
    }
    output = std::move(text);
}

}  // namespace dravik
