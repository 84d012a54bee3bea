#include "tools/process_runner.h"

#include "core/errors.h"
#include "core/files/file_handle.h"
#include "core/files/file_io.h"
#include "core/text/text_lines.h"
#include "tools/process_runner_system.h"

#include <iterator>
#include <utility>

namespace dravik {

namespace {

constexpr TextId kCapturedErrorCaption = DRAVIK_TR("Tools", "RunCaptured Error");
constexpr TextId kPipedErrorMessage = DRAVIK_TR("Tools", "Could not execute command line!");
// The size of one read from the pipe; a NUL byte ends the text of its read.
constexpr size_t kPipeChunk = 255;
// Removing what bears the capture file's name and creating it anew races
// with whoever puts something there again; past a few rounds that is no
// accident, and the run goes on without a capture file.
constexpr int kCreateAttempts = 8;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// One read from the pipe: its text ends at its first NUL byte.
void AppendChunk(std::string& text, std::string_view chunk)
{
    text.append(chunk.substr(0, chunk.find('\0')));
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

// "Test.tmp" lives only for one run; whatever way the run ends, it goes.
class CaptureFile {
public:
    CaptureFile() : path_(sys::InDirectory(sys::CurrentDirectory(), kCaptureFileName)) { create(); }
    ~CaptureFile() { remove(); }
    CaptureFile(const CaptureFile&) = delete;
    CaptureFile& operator=(const CaptureFile&) = delete;

    // Empty when the file could not be made.
    const FileHandle& file() const { return file_; }

    void remove()
    {
        if (!file_)
            return;
        file_.reset();
        sys::RemoveName(path_);
    }

    // What the child wrote, read through our own handle: the name may mean
    // something else by now.
    std::string readBack() const
    {
        if (!file_)
            ThrowCannotOpen(path_, error_);
        std::string bytes;
        FileError err;
        if (!Rewind(file_, err) || !ReadToEnd(file_, bytes, err))
            ThrowCannotOpen(path_, err.code);
        return bytes;
    }

private:
    void create()
    {
        for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
            error_ = sys::CreateCaptureFile(path_, file_);
            if (file_ || !sys::IsNameTaken(error_))
                return;
            if ((error_ = sys::RemoveEntry(path_)) != 0)
                return;
        }
    }

    std::string path_;
    FileHandle file_;
    int error_ = sys::NameTakenError();
};

void RunPipedCommand(const std::string& directory, const std::string& command, bool programOnly,
                     std::string& output)
{
    output.clear();
    std::string text;
    const bool started = sys::RunWithPipe(directory, command, programOnly, [&](const FileHandle& readEnd) {
        // A failed read ends the output as the end of the pipe does.
        FileError ignored;
        ReadChunks(readEnd, kPipeChunk, [&](std::string_view chunk) { AppendChunk(text, chunk); }, ignored);
    });
    if (!started)
        throw DravikError(Message(kPipedErrorMessage));
    output = std::move(text);
}

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
    bool succeeded = false;
    int error = 0;
    if (!sys::RunTool(directory, program, arguments, capture.file(), succeeded, error)) {
        capture.remove();
        showMessage(Message(kCapturedErrorCaption), Message(SystemErrorText(error)));
        return false;
    }
    AppendCapturedLines(capture.readBack(), memoLines);
    return succeeded;
}

void RunPiped(const std::string& directory, const std::string& commandLine, std::string& output)
{
    RunPipedCommand(directory, commandLine, false, output);
}

void RunPipedProgram(const std::string& directory, const std::string& path, std::string& output)
{
    RunPipedCommand(directory, path, true, output);
}

}  // namespace dravik
