// The runners against small shell scripts that stand in for the archive
// tools, the game and the editor, each in a fresh folder that is also the
// program's current directory for the test.
#include "tools/process_runner.h"

#include "core/errors.h"
#include "core/file_io.h"
#include "stand_in_tool.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <iostream>
#include <string>
#include <utility>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace dravik {
namespace {

using Words = std::vector<std::string>;

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

#ifndef _WIN32

constexpr char kHostileArguments[] = "a;touch PWNED $(touch PWNED) `touch PWNED` x|y 'q\"";
const Words kHostileWords{"a;touch", "PWNED", "$(touch", "PWNED)", "`touch", "PWNED`", "x|y", "'q\""};

class ProcessRunnerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp_.isValid());
        previous_ = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(temp_.path()));
        here_ = QDir::currentPath().toStdString();
    }
    void TearDown() override { QDir::setCurrent(previous_); }

    std::string Path(const std::string& name) const { return here_ + "/" + name; }

    // An executable /bin/sh script; returns its full path.
    std::string Script(const std::string& name, const std::string& body) const
    {
        const std::string path = Path(name);
        WriteFile(path, "#!/bin/sh\n" + body);
        QFile::setPermissions(QString::fromStdString(path),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }

    static void WriteFile(const std::string& path, const std::string& bytes)
    {
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }

    static std::string ReadFile(const std::string& path)
    {
        QFile file(QString::fromStdString(path));
        if (!file.open(QIODevice::ReadOnly))
            return "<missing>";
        return file.readAll().toStdString();
    }

    static Words Lines(const std::string& text)
    {
        Words lines;
        size_t start = 0;
        for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
            lines.push_back(text.substr(start, end - start));
        return lines;
    }

    bool Exists(const std::string& name) const { return QFile::exists(QString::fromStdString(Path(name))); }

    bool Captured(const std::string& program, const std::string& arguments, const std::string& directory = ".")
    {
        return RunCaptured(memo_, directory, program, arguments,
                           [this](const std::string& caption, const std::string& text) {
                               messages_.emplace_back(caption, text);
                           });
    }

    QTemporaryDir temp_;
    QString previous_;
    std::string here_;
    Words memo_{"earlier line"};
    std::vector<std::pair<std::string, std::string>> messages_;
};

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
    ASSERT_TRUE(QDir().mkdir("work"));
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
    ASSERT_TRUE(QDir().mkdir("work"));
    const std::string tool = Script("tool;touch PWNED", "printf '%s\\n' \"$@\" > args.txt\n");
    EXPECT_TRUE(Captured(tool, kHostileArguments, "work"));
    EXPECT_EQ(Lines(ReadFile(Path("work/args.txt"))), kHostileWords);
    EXPECT_FALSE(Exists("PWNED"));
    EXPECT_FALSE(Exists("work/PWNED"));
    EXPECT_TRUE(messages_.empty());
}

TEST_F(RunCapturedTest, ProgramPathWithBlanksIsTakenWhole)
{
    ASSERT_TRUE(QDir().mkdir("my tools"));
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
    ASSERT_TRUE(QDir().mkdir("folder"));

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
    ASSERT_TRUE(QDir().mkdir("Test.tmp"));
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
    EXPECT_TRUE(QFileInfo(QString::fromStdString(Path("Test.tmp"))).isDir());
}

using RunPipedTest = ProcessRunnerTest;

TEST_F(RunPipedTest, MergesStandardErrorAndIgnoresExitCode)
{
    ASSERT_TRUE(QDir().mkdir("game dir"));
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
    ASSERT_TRUE(QDir().mkdir("my games"));
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

// The Windows road: the command line reaches the system as built, the tools
// run minimized at idle priority, the game and editor hidden at ours. A copy
// of the stand-in program records what the system handed it.
class WindowsRunnerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp_.isValid());
        previous_ = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(temp_.path()));
        here_ = QDir::toNativeSeparators(QDir::currentPath());
    }
    void TearDown() override { QDir::setCurrent(previous_); }

    // A copy of the stand-in at `name` below the test folder; its native path.
    QString Tool(const QString& name) const
    {
        const QString path = here_ + QLatin1Char('\\') + name;
        EXPECT_TRUE(stand_in::CopyTo(QDir::fromNativeSeparators(path))) << path.toStdString();
        return path;
    }
    static std::string Bytes(const QString& text) { return text.toLocal8Bit().toStdString(); }

    QTemporaryDir temp_;
    QString previous_;
    QString here_;
    Words memo_{"earlier line"};
    std::vector<std::pair<std::string, std::string>> messages_;
    ShowMessage show_ = [this](const std::string& caption, const std::string& text) {
        messages_.emplace_back(caption, text);
    };
};

TEST_F(WindowsRunnerTest, ToolRunsMinimizedAtIdlePriorityWithItsCommandLineUnchanged)
{
    const QString tool = Tool(QStringLiteral("sue.exe"));
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("data")));
    // Blanks, quotes and the trailing backslash reach the tool as typed.
    const std::string arguments = "maps.sue  __maps.sue\\ \"a b\"";
    EXPECT_TRUE(RunCaptured(memo_, "data", Bytes(tool), arguments, show_));
    const stand_in::Record record = stand_in::Read(tool);
    EXPECT_EQ(record.commandLine.toStdString(), Bytes(tool) + " " + arguments);
    EXPECT_EQ(record.directory, here_ + QStringLiteral("\\data"));
    // The capture file lies in our current directory, not the tool's.
    EXPECT_FALSE(record.captureHere);
    EXPECT_EQ(record.show, SW_MINIMIZE);
    if (stand_in::RunningOnWine())
        std::cout << "Wine ignores the priority class given to CreateProcess; not checked\n";
    else
        EXPECT_EQ(record.priority, static_cast<unsigned long>(IDLE_PRIORITY_CLASS));
    // The output's bytes are kept as they came, in the system's code page.
    EXPECT_EQ(memo_, (Words{"earlier line", "tool " + arguments, "\xC0 done"}));
    EXPECT_TRUE(messages_.empty());
    EXPECT_FALSE(QFile::exists(QStringLiteral("Test.tmp")));
}

TEST_F(WindowsRunnerTest, GameRunsHiddenAtOurPriorityWithItsCommandLineUnchanged)
{
    const QString game = Tool(QStringLiteral("my games\\ss game.exe"));
    const std::string commandLine = "\"" + Bytes(game) + "\"  -x \"two words\"";
    std::string output;
    RunPiped(Bytes(here_ + QStringLiteral("\\my games")), commandLine, output);
    const stand_in::Record record = stand_in::Read(game);
    EXPECT_EQ(record.commandLine.toStdString(), commandLine);
    EXPECT_EQ(record.directory, here_ + QStringLiteral("\\my games"));
    EXPECT_EQ(record.show, SW_HIDE);
    EXPECT_EQ(record.priority, GetPriorityClass(GetCurrentProcess()));
    EXPECT_NE(output.find("tool  -x \"two words\"\r\n\xC0 done\n"), std::string::npos) << output;
    EXPECT_NE(output.find("to standard error"), std::string::npos) << output;
}

TEST_F(WindowsRunnerTest, FailedStartsGiveTheSystemsText)
{
    const QString tool = Tool(QStringLiteral("sue.exe"));
    EXPECT_FALSE(RunCaptured(memo_, "", Bytes(here_ + QStringLiteral("\\missing.exe")), "", show_));
    EXPECT_FALSE(RunCaptured(memo_, "no such folder", Bytes(tool), "", show_));
    ASSERT_EQ(messages_.size(), 2u);
    EXPECT_EQ(messages_[0], std::make_pair(std::string("RunCaptured Error"), SystemErrorText(ERROR_FILE_NOT_FOUND)));
    EXPECT_EQ(messages_[1], std::make_pair(std::string("RunCaptured Error"), SystemErrorText(ERROR_DIRECTORY)));
    EXPECT_EQ(memo_, Words{"earlier line"});
    EXPECT_EQ(stand_in::Read(tool).show, -2);
    EXPECT_FALSE(QFile::exists(QStringLiteral("Test.tmp")));

    std::string output = "stale";
    EXPECT_THROW(RunPiped("", "\"" + Bytes(here_ + QStringLiteral("\\missing.exe")) + "\"", output), DravikError);
    EXPECT_EQ(output, "");
}

#endif  // _WIN32

}  // namespace
}  // namespace dravik

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
