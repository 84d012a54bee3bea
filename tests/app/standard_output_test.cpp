// The batch command's standard output and error on Windows: bytes into a
// file or pipe, the code page's letters onto a console.
#define NTDDI_VERSION 0x0A000006  // the pseudo console's declarations
#include "app/standard_output.h"

#include "app/batch_command.h"
#include "tests/core/mod/mod_folders.h"
#include "tests/core/test_files.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace dravik {
namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

// The system's own reading of the code page's bytes, not the program's.
std::wstring AsTheSystemReadsIt(const std::string& bytes)
{
    std::wstring wide(bytes.size(), L'\0');
    const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(),
                                           static_cast<int>(wide.size()));
    wide.resize(static_cast<size_t>(length));
    return wide;
}

// The standard handle `which` is `handle` for the scope.
class StandardHandle {
public:
    StandardHandle(DWORD which, HANDLE handle) : which_(which), previous_(GetStdHandle(which))
    {
        SetStdHandle(which, handle);
    }
    ~StandardHandle() { SetStdHandle(which_, previous_); }

private:
    DWORD which_;
    HANDLE previous_;
};

TEST(BatchConsole, RedirectedOutputIsTheBytesAsTheCLibraryWroteThem)
{
    test::TempFolder dir;
    const std::string path = dir.file("out.txt");
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    ASSERT_TRUE(CreatePipe(&readEnd, &writeEnd, nullptr, 0));
    {
        const StandardHandle out(STD_OUTPUT_HANDLE, file);
        const StandardHandle err(STD_ERROR_HANDLE, writeEnd);
        StandardOutput output;
        output.out() << "\xD4\xE0\xE9\xEB\tkey\r\n" << std::string(5000, 'x') << '\n';
        output.err() << "\xED\xE5 \xED\xE0\xE9\xE4\xE5\xED\n";
    }
    CloseHandle(file);
    CloseHandle(writeEnd);
    EXPECT_EQ(test::ReadBytes(path), "\xD4\xE0\xE9\xEB\tkey\r\r\n" + std::string(5000, 'x') + "\r\n");
    char piped[64] = {};
    DWORD got = 0;
    ReadFile(readEnd, piped, sizeof piped, &got, nullptr);
    CloseHandle(readEnd);
    EXPECT_EQ(std::string(piped, got), "\xED\xE5 \xED\xE0\xE9\xE4\xE5\xED\r\n");
}

// A file's bytes printed on standard output are the file's bytes: a patch's
// CR LF line ends gain no second CR in "dravik2-batch diff ... > mod.patch".
TEST(BatchConsole, APatchOnStandardOutputIsTheBytesItsFileHolds)
{
    test::ModFolders folders;
    const std::string patch = folders.root.file("y.patch");
    std::vector<std::string> args = {"diff", "--vars", folders.vars, "--base", folders.folder("B"), "--patch", patch};
    const std::vector<std::string> files = folders.files("Y");
    args.insert(args.end(), files.begin(), files.end());
    std::ostringstream ignored;
    ASSERT_EQ(RunBatchCommand(args, ignored, ignored), 1);
    args.erase(args.begin() + 5, args.begin() + 7);  // the same without --patch
    const std::string printed = folders.root.file("printed.patch");
    HANDLE file = CreateFileA(printed.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    {
        const StandardHandle out(STD_OUTPUT_HANDLE, file);
        StandardOutput output;
        EXPECT_EQ(RunBatchCommand(args, output.out(), ignored), 1);
    }
    CloseHandle(file);
    EXPECT_EQ(test::ReadBytes(printed), test::ReadBytes(patch));
    EXPECT_EQ(test::ReadBytes(printed), merge::kYPatch);
}

// Run by the test below in a console of its own: what two batch commands
// write (a key list on standard output, an error on standard error) against
// what the console shows, read back from its screen.
TEST(BatchConsole, ChildWritesToItsConsole)
{
    const char* report = std::getenv("DRAVIK_CONSOLE_CHILD");
    if (!report)
        GTEST_SKIP() << "run in a console by AConsoleShowsTheCodePagesLetters";
    // Windows gives a console's child its console as standard handles; Wine
    // hands on the parent's, so the console is opened by name.
    HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    DWORD mode = 0;
    ASSERT_TRUE(GetConsoleMode(console, &mode));
    const StandardHandle out(STD_OUTPUT_HANDLE, console);
    const StandardHandle err(STD_ERROR_HANDLE, console);

    test::TempFolder dir;
    ASSERT_TRUE(SetCurrentDirectoryA(dir.path().string().c_str()));
    // Letters of the upper half: Cyrillic under windows-1251, accented Latin
    // under windows-1252.
    dir.write("k.desc", "\xC1\xF0\xEE\xED\xFF 5\r\n\xE8\xEC\xFF 1 2\r\n");
    const std::vector<std::string> list{"analyze", "k.desc"};
    const std::vector<std::string> missing{"analyze", "\xC0\xC1.desc"};

    std::ostringstream expectedOut, expectedErr;
    RunBatchCommand(list, expectedOut, expectedErr);
    RunBatchCommand(missing, expectedOut, expectedErr);
    const std::vector<std::string> expected = Lines(expectedOut.str() + expectedErr.str());
    ASSERT_EQ(expected.size(), 3u) << expectedOut.str() << expectedErr.str();

    CONSOLE_SCREEN_BUFFER_INFO info{};
    ASSERT_TRUE(GetConsoleScreenBufferInfo(console, &info));
    {
        StandardOutput output;
        RunBatchCommand(list, output.out(), output.err());
        output.out().flush();
        RunBatchCommand(missing, output.out(), output.err());
    }
    for (size_t i = 0; i < expected.size(); ++i) {
        std::wstring shown(static_cast<size_t>(info.dwSize.X), L'\0');
        DWORD got = 0;
        const COORD at{0, static_cast<SHORT>(info.dwCursorPosition.Y + static_cast<SHORT>(i))};
        ASSERT_TRUE(ReadConsoleOutputCharacterW(console, shown.data(), static_cast<DWORD>(shown.size()), at, &got));
        shown.resize(got);
        shown.erase(shown.find_last_not_of(L' ') + 1);
        EXPECT_EQ(shown, AsTheSystemReadsIt(expected[i])) << "line " << i;
    }
    CloseHandle(console);
    // The parent learns that the lines were compared, not skipped.
    test::WriteBytes(report, std::to_string(expected.size()) + " lines compared");
}

TEST(BatchConsole, AConsoleShowsTheCodePagesLetters)
{
    using Create = HRESULT(WINAPI*)(COORD, HANDLE, HANDLE, DWORD, HPCON*);
    using Close = void(WINAPI*)(HPCON);
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    const auto create = reinterpret_cast<Create>(reinterpret_cast<void*>(GetProcAddress(kernel, "CreatePseudoConsole")));
    const auto close = reinterpret_cast<Close>(reinterpret_cast<void*>(GetProcAddress(kernel, "ClosePseudoConsole")));
    if (!create || !close)
        GTEST_SKIP() << "this system has no pseudo console";

    HANDLE inputRead = nullptr, inputWrite = nullptr, outputRead = nullptr, outputWrite = nullptr;
    ASSERT_TRUE(CreatePipe(&inputRead, &inputWrite, nullptr, 0));
    ASSERT_TRUE(CreatePipe(&outputRead, &outputWrite, nullptr, 0));
    HPCON pseudoConsole = nullptr;
    ASSERT_EQ(create(COORD{120, 200}, inputRead, outputWrite, 0, &pseudoConsole), S_OK);
    CloseHandle(inputRead);
    CloseHandle(outputWrite);
    // What the console sends on to its terminal is read and dropped, so that
    // it never waits for a reader.
    std::thread drain([outputRead] {
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(outputRead, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        }
    });

    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    std::vector<char> attributes(size);
    auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributes.data());
    ASSERT_TRUE(InitializeProcThreadAttributeList(list, 1, 0, &size));
    ASSERT_TRUE(UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_PSEUDOCONSOLE, pseudoConsole,
                                          sizeof pseudoConsole, nullptr, nullptr));
    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof startup;
    startup.lpAttributeList = list;
    wchar_t self[MAX_PATH * 4] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
    std::wstring line = L"\"" + std::wstring(self) + L"\" --gtest_filter=BatchConsole.ChildWritesToItsConsole";
    test::TempFolder dir;
    const std::string report = dir.file("report.txt");
    SetEnvironmentVariableA("DRAVIK_CONSOLE_CHILD", report.c_str());
    PROCESS_INFORMATION child{};
    const bool started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, EXTENDED_STARTUPINFO_PRESENT,
                                        nullptr, nullptr, &startup.StartupInfo, &child);
    SetEnvironmentVariableW(L"DRAVIK_CONSOLE_CHILD", nullptr);
    DWORD code = 255;
    if (started) {
        WaitForSingleObject(child.hProcess, INFINITE);
        GetExitCodeProcess(child.hProcess, &code);
        CloseHandle(child.hProcess);
        CloseHandle(child.hThread);
    }
    DeleteProcThreadAttributeList(list);
    close(pseudoConsole);
    CloseHandle(inputWrite);
    drain.join();
    CloseHandle(outputRead);
    ASSERT_TRUE(started) << GetLastError();
    EXPECT_EQ(code, 0u) << "the console did not show what was written (the child's report is above)";
    EXPECT_EQ(test::ReadBytes(report), "3 lines compared");
}

}  // namespace
}  // namespace dravik
