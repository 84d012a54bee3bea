// The runners against small programs that stand in for the archive tools,
// the game and the editor, each run in a fresh folder that is also the
// program's current directory for the test: shell scripts off Windows, and
// on Windows this test program itself, started with "--child" and a list of
// steps (see ChildMain).
#include "tools/process_runner.h"

#include "core/errors.h"
#include "core/files/file_io.h"
#include "core/files/native_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace dravik {
namespace {

using Words = std::vector<std::string>;

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

TEST(SplitAtBlanks, RunsOfBlanksSeparateAndNothingElseIsSpecial)
{
    EXPECT_EQ(SplitAtBlanks("maps.sue __maps.sue/"), (Words{"maps.sue", "__maps.sue/"}));
    EXPECT_EQ(SplitAtBlanks("  a \t\t b  "), (Words{"a", "b"}));
    EXPECT_EQ(SplitAtBlanks(""), Words{});
    EXPECT_EQ(SplitAtBlanks(" \t "), Words{});
    EXPECT_EQ(SplitAtBlanks("\"a b\" x;y $(z) `w` 'q\" *"),
              (Words{"\"a", "b\"", "x;y", "$(z)", "`w`", "'q\"", "*"}));
}

TEST(SplitCommandLine, DoubleQuotesGroupBlanksSeparate)
{
    EXPECT_EQ(SplitCommandLine("\"/path with space/game\""), Words{"/path with space/game"});
    EXPECT_EQ(SplitCommandLine("\"/my games/ss\"  -x\t\"two words\" "),
              (Words{"/my games/ss", "-x", "two words"}));
    // Quotes group inside a word too, and a quoted nothing is still a word.
    EXPECT_EQ(SplitCommandLine("a\"b c\"d \"\" e"), (Words{"ab cd", "", "e"}));
    // An unclosed quote runs to the end.
    EXPECT_EQ(SplitCommandLine("run \"open end  "), (Words{"run", "open end  "}));
    EXPECT_EQ(SplitCommandLine("  "), Words{});
    EXPECT_EQ(SplitCommandLine("x;y $(z) `w` 'q a|b \\ *"),
              (Words{"x;y", "$(z)", "`w`", "'q", "a|b", "\\", "*"}));
}

int ProcessId()
{
#ifdef _WIN32
    return static_cast<int>(GetCurrentProcessId());
#else
    return static_cast<int>(getpid());
#endif
}

class ProcessRunnerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static int folders = 0;
        previous_ = fs::current_path();
        folder_ = fs::temp_directory_path() /
                  ("dravik2-runner-" + std::to_string(ProcessId()) + "-" + std::to_string(folders++));
        fs::remove_all(folder_);
        ASSERT_TRUE(fs::create_directories(folder_));
        fs::current_path(folder_);
        here_ = fs::current_path().string();
    }
    void TearDown() override
    {
        fs::current_path(previous_);
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    std::string Path(const std::string& name) const { return here_ + kSeparator + name; }
    void MakeFolder(const std::string& name) const { ASSERT_TRUE(fs::create_directory(Path(name))); }

    // An executable /bin/sh script; returns its full path.
    std::string Script(const std::string& name, const std::string& body) const
    {
        const std::string path = Path(name);
        WriteFile(path, "#!/bin/sh\n" + body);
        fs::permissions(path, fs::perms::owner_all);
        return path;
    }

    static void WriteFile(const std::string& path, const std::string& bytes)
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        ASSERT_TRUE(file) << path;
        file << bytes;
    }

    static std::string ReadFile(const std::string& path)
    {
        std::ifstream file(path, std::ios::binary);
        if (!file)
            return "<missing>";
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    static Words Lines(const std::string& text)
    {
        Words lines;
        size_t start = 0;
        for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
            lines.push_back(text.substr(start, end - start));
        return lines;
    }

    // Whether anything bears the name, a dangling link included.
    bool Exists(const std::string& name) const
    {
        std::error_code ignored;
        return fs::symlink_status(Path(name), ignored).type() != fs::file_type::not_found;
    }

    bool Captured(const std::string& program, const std::string& arguments, const std::string& directory = ".")
    {
        return RunCaptured(memo_, directory, program, arguments,
                           [this](const Message& caption, const Message& text) {
                               messages_.emplace_back(caption.english(), text.english());
                           });
    }

    fs::path previous_;
    fs::path folder_;
    std::string here_;
    Words memo_{"earlier line"};
    std::vector<std::pair<std::string, std::string>> messages_;
};

#ifndef _WIN32

constexpr char kHostileArguments[] = "a;touch PWNED $(touch PWNED) `touch PWNED` x|y 'q\"";
const Words kHostileWords{"a;touch", "PWNED", "$(touch", "PWNED)", "`touch", "PWNED`", "x|y", "'q\""};

using RunCapturedTest = ProcessRunnerTest;

TEST_F(RunCapturedTest, AppendsEveryKindOfLineButNotStandardError)
{
    const std::string tool = Script("tool", "printf 'one\\r\\ntwo\\nthree\\rfour\\r\\n'\necho noise >&2\n");
    EXPECT_TRUE(Captured(tool, ""));
    EXPECT_EQ(memo_, (Words{"earlier line", "one", "two", "three", "four"}));

    const std::string unfinished = Script("unfinished", "printf 'last'\n");
    EXPECT_TRUE(Captured(unfinished, ""));
    EXPECT_EQ(memo_.back(), "last");
    EXPECT_EQ(memo_.size(), 6u);

    const std::string silent = Script("silent", "echo only noise >&2\n");
    EXPECT_TRUE(Captured(silent, ""));
    EXPECT_EQ(memo_.size(), 6u);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(RunCapturedTest, ReadingStopsAtNulByte)
{
    const std::string tool = Script("tool", "printf 'a\\nb\\000c\\nd\\n'\n");
    EXPECT_TRUE(Captured(tool, ""));
    EXPECT_EQ(memo_, (Words{"earlier line", "a", "b"}));
}

TEST_F(RunCapturedTest, NonZeroExitKeepsOutputAndReturnsFalse)
{
    const std::string tool = Script("tool", "echo first\necho second\nexit 1\n");
    EXPECT_FALSE(Captured(tool, ""));
    EXPECT_EQ(memo_, (Words{"earlier line", "first", "second"}));
    EXPECT_TRUE(messages_.empty());
    EXPECT_FALSE(Exists("Test.tmp"));
}

TEST_F(RunCapturedTest, CaptureFileIsEmptiedUsedAndDeleted)
{
    WriteFile(Path("Test.tmp"), "stale one\nstale two\n");
    // The tool sees its own output going into the emptied file in our
    // directory: 6 bytes, where leftovers would make it 20.
    const std::string tool = Script("tool", "echo fresh\nwc -c < Test.tmp | tr -d ' '\n");
    EXPECT_TRUE(Captured(tool, ""));
    EXPECT_EQ(memo_, (Words{"earlier line", "fresh", "6"}));
    EXPECT_FALSE(Exists("Test.tmp"));
}

TEST_F(RunCapturedTest, RunsInRelativeDirectoryWhileCaptureFileStaysInCurrentOne)
{
    MakeFolder("work");
    const std::string tool =
        Script("tool", "pwd > pwd.txt\n[ -f \"$1/Test.tmp\" ] && echo captured beside caller\n");
    EXPECT_TRUE(Captured(tool, here_, "work"));
    EXPECT_EQ(ReadFile(Path("work/pwd.txt")), here_ + "/work\n");
    EXPECT_EQ(memo_.back(), "captured beside caller");
    EXPECT_FALSE(Exists("work/Test.tmp"));
    EXPECT_FALSE(Exists("Test.tmp"));
}

TEST_F(RunCapturedTest, HostileNamesReachTheToolLiterally)
{
    MakeFolder("work");
    const std::string tool = Script("tool;touch PWNED", "printf '%s\\n' \"$@\" > args.txt\n");
    EXPECT_TRUE(Captured(tool, kHostileArguments, "work"));
    EXPECT_EQ(Lines(ReadFile(Path("work/args.txt"))), kHostileWords);
    EXPECT_FALSE(Exists("PWNED"));
    EXPECT_FALSE(Exists("work/PWNED"));
    EXPECT_TRUE(messages_.empty());
}

TEST_F(RunCapturedTest, ProgramPathWithBlanksIsTakenWhole)
{
    MakeFolder("my tools");
    const std::string tool = Script("my tools/unsue", "echo \"$#:$1\"\n");
    EXPECT_TRUE(Captured(tool, "maps.sue"));
    EXPECT_EQ(memo_.back(), "1:maps.sue");
}

TEST_F(RunCapturedTest, ToolRunsAtLowestPriority)
{
    const std::string tool = Script("tool", "ps -o ni= -p $$ | tr -d ' '\n");
    EXPECT_TRUE(Captured(tool, ""));
    EXPECT_EQ(memo_.back(), "19");
}

TEST_F(RunCapturedTest, FailedStartShowsSystemTextAndLeavesNothing)
{
    WriteFile(Path("Test.tmp"), "stale\n");
    WriteFile(Path("not-executable"), "#!/bin/sh\necho ran\n");
    const std::string noFormat = Script("no-format", "");
    WriteFile(noFormat, "echo ran without interpreter line\n");
    const std::string tool = Script("tool", "echo ran\n");
    MakeFolder("folder");

    struct Case {
        std::string program, directory, text;
    };
    const std::vector<Case> cases{
        {Path("missing"), ".", "No such file or directory"},
        {"no-such-tool-on-the-path", ".", "No such file or directory"},
        {tool, "no-such-folder", "No such file or directory"},
        {tool, "not-executable", "Not a directory"},
        {Path("not-executable"), ".", "Permission denied"},
        {Path("folder"), ".", "Permission denied"},
        {noFormat, ".", "Exec format error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.program + " in " + c.directory);
        messages_.clear();
        WriteFile(Path("Test.tmp"), "stale\n");
        EXPECT_FALSE(Captured(c.program, "", c.directory));
        ASSERT_EQ(messages_.size(), 1u);
        EXPECT_EQ(messages_[0].first, "RunCaptured Error");
        EXPECT_EQ(messages_[0].second, c.text);
        EXPECT_EQ(memo_, Words{"earlier line"});
        EXPECT_FALSE(Exists("Test.tmp"));
    }
}

TEST_F(RunCapturedTest, UnusableCaptureFileStillRunsToolThenFails)
{
    MakeFolder("Test.tmp");
    const std::string tool = Script("tool", "touch ran.txt\necho lost\n");
    try {
        Captured(tool, "");
        ADD_FAILURE() << "no error";
    } catch (const DravikError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot open file \"", 0), 0u) << e.what();
    }
    EXPECT_TRUE(Exists("ran.txt"));
    EXPECT_EQ(memo_, Words{"earlier line"});
    EXPECT_TRUE(messages_.empty());
    EXPECT_TRUE(fs::is_directory(Path("Test.tmp")));
}


TEST_F(RunCapturedTest, WhatBearsTheCaptureNameIsReplacedNeverWrittenThrough)
{
    WriteFile(Path("precious"), "the user's own text\n");
    const std::string tool = Script("tool", "echo fresh\n");
    struct Stray {
        std::string kind;
        std::function<void()> make;
    };
    const std::vector<Stray> strays{
        {"link to a file", [&] { fs::create_symlink(Path("precious"), Path("Test.tmp")); }},
        {"dangling link", [&] { fs::create_symlink(Path("made through the link"), Path("Test.tmp")); }},
        {"FIFO", [&] { ASSERT_EQ(mkfifo(Path("Test.tmp").c_str(), 0600), 0); }},
    };
    for (const Stray& stray : strays) {
        for (const bool starts : {true, false}) {
            SCOPED_TRACE(stray.kind + (starts ? ", the tool runs" : ", the start fails"));
            stray.make();
            memo_ = {"earlier line"};
            messages_.clear();
            EXPECT_EQ(Captured(starts ? tool : Path("missing"), ""), starts);
            EXPECT_EQ(memo_, starts ? (Words{"earlier line", "fresh"}) : Words{"earlier line"});
            EXPECT_EQ(messages_.size(), starts ? 0u : 1u);
            EXPECT_FALSE(Exists("Test.tmp"));
            EXPECT_EQ(ReadFile(Path("precious")), "the user's own text\n");
            EXPECT_FALSE(Exists("made through the link"));
        }
    }
}

using RunPipedTest = ProcessRunnerTest;

TEST_F(RunPipedTest, WaitsForEveryProcessThatHoldsThePipe)
{
    // The game hands its output on to a process that outlives it, as a
    // launcher does; that one must neither lose its reader nor be left behind.
    const std::string game = Script("game", "echo early\n( sleep 0.5; echo late; touch survived ) &\n");
    std::string output;
    RunPiped(".", game, output);
    EXPECT_EQ(output, "early\nlate\n");
    EXPECT_TRUE(Exists("survived"));
}

TEST_F(RunPipedTest, MergesStandardErrorAndIgnoresExitCode)
{
    MakeFolder("game dir");
    const std::string game = Script("game", "echo out\necho err >&2\npwd\nexit 3\n");
    std::string output = "stale";
    RunPiped("game dir", "\"" + game + "\"", output);
    EXPECT_EQ(output, "out\nerr\n" + here_ + "/game dir\n");
    EXPECT_FALSE(Exists("Test.tmp"));

    const std::string silent = Script("silent", "");
    RunPiped(".", silent, output);
    EXPECT_EQ(output, "");
}

TEST_F(RunPipedTest, NulCutsTheRestOfItsChunkOnly)
{
    std::string data = std::string(10, 'A') + '\0' + std::string(244, 'B');  // the first 255 bytes
    data += std::string(20, 'C') + '\0' + "D\n";
    WriteFile(Path("data.bin"), data);
    const std::string game = Script("game", "cat data.bin\n");
    std::string output;
    RunPiped(here_, game, output);
    EXPECT_EQ(output, std::string(10, 'A') + std::string(20, 'C'));
}

TEST_F(RunPipedTest, QuotedProgramWithBlanksAndHostileArgumentsStayLiteral)
{
    MakeFolder("my games");
    const std::string game = Script("my games/ss game", "printf '%s\\n' \"$@\" > args.txt\n");
    std::string output;
    RunPiped("my games", "\"" + game + "\" \"two words\" " + kHostileArguments, output);
    Words expected{"two words"};
    expected.insert(expected.end(), kHostileWords.begin(), kHostileWords.end() - 1);
    expected.push_back("'q");  // its double quote opens a group that holds nothing more
    EXPECT_EQ(Lines(ReadFile(Path("my games/args.txt"))), expected);
    EXPECT_FALSE(Exists("PWNED"));
    EXPECT_FALSE(Exists("my games/PWNED"));
}

TEST_F(RunPipedTest, ChildKeepsOurPriority)
{
    const std::string game = Script("game", "ps -o ni= -p $$ | tr -d ' '\n");
    std::string output;
    RunPiped(".", game, output);
    EXPECT_EQ(output, std::to_string(getpriority(PRIO_PROCESS, 0)) + "\n");
}

TEST_F(RunPipedTest, FailedStartRaisesAndLeavesNoOutput)
{
    const std::string game = Script("game", "echo ran\n");
    WriteFile(Path("not-executable"), "#!/bin/sh\necho ran\n");
    const std::vector<std::pair<std::string, std::string>> cases{
        {".", "\"" + Path("missing game") + "\""},
        {"no-such-folder", game},
        {".", Path("not-executable")},
        {".", ""},
    };
    for (const auto& [directory, commandLine] : cases) {
        SCOPED_TRACE(commandLine + " in " + directory);
        std::string output = "stale";
        try {
            RunPiped(directory, commandLine, output);
            ADD_FAILURE() << "no error";
        } catch (const DravikError& e) {
            EXPECT_STREQ(e.what(), "Could not execute command line!");
        }
        EXPECT_EQ(output, "");
    }
}

#endif  // !_WIN32

#ifdef _WIN32

std::string SelfPath()
{
    char buffer[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    return std::string(buffer, length);
}

using WindowsRunnerTest = ProcessRunnerTest;

TEST_F(WindowsRunnerTest, CapturedToolRunsMinimizedAtIdlePriorityWithItsCommandLineAsGiven)
{
    MakeFolder("work");
    const std::string arguments = "--child out:one err:noise cwd state cmdline exit:3";
    EXPECT_FALSE(Captured(SelfPath(), arguments, "work"));
    EXPECT_EQ(memo_, (Words{"earlier line", "one", Path("work"),
                            "show " + std::to_string(SW_MINIMIZE) + " priority " + std::to_string(IDLE_PRIORITY_CLASS),
                            SelfPath() + " " + arguments}));
    EXPECT_TRUE(messages_.empty());
    EXPECT_FALSE(Exists("Test.tmp"));
    EXPECT_FALSE(Exists("work\\Test.tmp"));
}

TEST_F(WindowsRunnerTest, AStaleCaptureFileIsReplaced)
{
    WriteFile(Path("Test.tmp"), "stale one\r\nstale two\r\n");
    EXPECT_TRUE(Captured(SelfPath(), "--child out:fresh"));
    EXPECT_EQ(memo_, (Words{"earlier line", "fresh"}));
    EXPECT_FALSE(Exists("Test.tmp"));
}

TEST_F(WindowsRunnerTest, ALinkedCaptureNameLeavesItsTargetAlone)
{
    WriteFile(Path("precious"), "the user's own text");
    for (const bool starts : {true, false}) {
        SCOPED_TRACE(starts ? "the tool runs" : "the start fails");
        const bool made = CreateSymbolicLinkA(Path("Test.tmp").c_str(), Path("precious").c_str(),
                                              SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
        const DWORD attributes = GetFileAttributesA(Path("Test.tmp").c_str());
        if (!made || attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
            GTEST_SKIP() << "this system makes no symbolic link here (error " << GetLastError() << ")";
        memo_ = {"earlier line"};
        EXPECT_EQ(Captured(starts ? SelfPath() : Path("missing.exe"), "--child out:fresh"), starts);
        EXPECT_EQ(memo_, starts ? (Words{"earlier line", "fresh"}) : Words{"earlier line"});
        EXPECT_FALSE(Exists("Test.tmp"));
        EXPECT_EQ(ReadFile(Path("precious")), "the user's own text");
    }
}

TEST_F(WindowsRunnerTest, FailedStartsAreReported)
{
    WriteFile(Path("Test.tmp"), "stale");
    EXPECT_FALSE(Captured(Path("missing.exe"), ""));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].first, "RunCaptured Error");
    EXPECT_EQ(messages_[0].second, SystemErrorText(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(memo_, Words{"earlier line"});
    EXPECT_FALSE(Exists("Test.tmp"));

    std::string output = "stale";
    try {
        RunPiped(".", "\"" + Path("missing.exe") + "\"", output);
        ADD_FAILURE() << "no error";
    } catch (const DravikError& e) {
        EXPECT_STREQ(e.what(), "Could not execute command line!");
    }
    EXPECT_EQ(output, "");
}

TEST_F(WindowsRunnerTest, PipedRunIsHiddenMergedAndWaitsForEveryHolderOfThePipe)
{
    MakeFolder("game dir");
    std::string output;
    // The child hands the pipe on to a copy of itself that outlives it.
    const std::string self = SelfPath();
    RunPiped("game dir", "\"" + self + "\" --child out:early err:noise cwd state handon sleep:500 out:late touch:survived",
             output);
    EXPECT_EQ(output, "early\r\nnoise\r\n" + Path("game dir") + "\r\nshow " + std::to_string(SW_HIDE) + " priority " +
                          std::to_string(GetPriorityClass(GetCurrentProcess())) + "\r\nlate\r\n");
    EXPECT_TRUE(Exists("game dir\\survived"));
}

TEST_F(WindowsRunnerTest, AFolderTheCodePageCannotWriteHoldsTheToolAndTheCaptureFile)
{
    // "Мои моды Ω": the Greek letter has no byte in the code page, and under
    // windows-1252 neither have the Cyrillic ones.
    const std::wstring folder = fs::path(here_).wstring() + L"\\\u041c\u043e\u0438 \u043c\u043e\u0434\u044b \u03a9";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((folder + L"\\\u03a9").c_str(), nullptr));
    const std::wstring tool = folder + L"\\tool \u03a9.exe";
    wchar_t self[MAX_PATH * 4] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
    ASSERT_TRUE(CopyFileW(self, tool.c_str(), TRUE));
    ASSERT_TRUE(SetCurrentDirectoryW(folder.c_str()));

    EXPECT_TRUE(Captured(PathOfWide(L"\"" + tool + L"\""), "--child out:fresh wcwd", PathOfWide(L"\u03a9")));
    EXPECT_EQ(memo_, (Words{"earlier line", "fresh", PathOfWide(folder + L"\\\u03a9")}));
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(GetFileAttributesW((folder + L"\\Test.tmp").c_str()), INVALID_FILE_ATTRIBUTES);

    std::string output;
    RunPiped(PathOfWide(L"\u03a9"), PathOfWide(L"\"" + tool + L"\" --child wcwd"), output);
    EXPECT_EQ(output, PathOfWide(folder + L"\\\u03a9") + "\r\n");
}

#endif  // _WIN32

}  // namespace
}  // namespace dravik

#ifdef _WIN32

namespace {

void Put(DWORD stream, const std::string& text)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(stream), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// The stand-in child: runs its steps in order. "out:T" and "err:T" write a
// line to standard output or error, "cwd" the working directory, "state"
// ("wcwd" by its wide name, as the program carries a path), "state" the
// window state and priority class it was started with, "cmdline" its
// command line; "sleep:MS", "touch:FILE" and "exit:CODE" do what they say;
// "handon" starts a copy of this program with the remaining steps, sharing
// its standard handles, and ends at once.
int ChildMain(int argc, char** argv)
{
    int code = 0;
    for (int i = 2; i < argc; ++i) {
        const std::string step = argv[i];
        const size_t colon = step.find(':');
        const std::string verb = step.substr(0, colon);
        const std::string value = colon == std::string::npos ? std::string() : step.substr(colon + 1);
        if (verb == "out") {
            Put(STD_OUTPUT_HANDLE, value + "\r\n");
        } else if (verb == "err") {
            Put(STD_ERROR_HANDLE, value + "\r\n");
        } else if (verb == "cwd") {
            char directory[MAX_PATH * 4];
            const DWORD length = GetCurrentDirectoryA(sizeof directory, directory);
            Put(STD_OUTPUT_HANDLE, std::string(directory, length) + "\r\n");
        } else if (verb == "wcwd") {
            wchar_t directory[MAX_PATH * 4];
            const DWORD length = GetCurrentDirectoryW(MAX_PATH * 4, directory);
            Put(STD_OUTPUT_HANDLE, dravik::PathOfWide(std::wstring_view(directory, length)) + "\r\n");
        } else if (verb == "state") {
            STARTUPINFOA startup{};
            startup.cb = sizeof startup;
            GetStartupInfoA(&startup);
            Put(STD_OUTPUT_HANDLE, "show " + std::to_string(startup.wShowWindow) + " priority " +
                                       std::to_string(GetPriorityClass(GetCurrentProcess())) + "\r\n");
        } else if (verb == "cmdline") {
            Put(STD_OUTPUT_HANDLE, std::string(GetCommandLineA()) + "\r\n");
        } else if (verb == "sleep") {
            Sleep(static_cast<DWORD>(std::stoi(value)));
        } else if (verb == "touch") {
            CloseHandle(CreateFileA(value.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        } else if (verb == "exit") {
            code = std::stoi(value);
        } else if (verb == "handon") {
            const std::string self = dravik::SelfPath();
            std::string line = "\"" + self + "\" --child";
            for (int j = i + 1; j < argc; ++j)
                line += std::string(" ") + argv[j];
            STARTUPINFOA startup{};
            startup.cb = sizeof startup;
            startup.dwFlags = STARTF_USESTDHANDLES;
            startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
            startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
            startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
            PROCESS_INFORMATION started{};
            if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &started))
                return 99;
            CloseHandle(started.hThread);
            CloseHandle(started.hProcess);
            return code;
        }
    }
    return code;
}

}  // namespace

#endif

int main(int argc, char** argv)
{
#ifdef _WIN32
    if (argc > 1 && std::string(argv[1]) == "--child")
        return ChildMain(argc, argv);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
