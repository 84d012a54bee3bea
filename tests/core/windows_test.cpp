// What only Windows decides: its path separator, its ANSI code page, its file
// names, its rename, its error texts, its profile functions and the version
// record of the executables. Each test checks our code against the system's
// own functions rather than against texts copied from one Windows version.
#include "core/text/code_page.h"
#include "core/text/dravik2_auxillary.h"
#include "core/errors.h"
#include "core/files/file_io.h"
#include "core/files/settings_file.h"
#include "tests/core/test_files.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace dravik {
namespace {

using test::ReadBytes;
using test::TempFolder;

// The system's raw text for an error code, line end and all.
std::string RawSystemText(DWORD code)
{
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length ? std::string(buffer, length) : std::string();
    if (buffer)
        LocalFree(buffer);
    return text;
}

std::string InFolder(const TempFolder& dir, const std::string& name) { return dir.path().string() + "\\" + name; }

// The names in a folder as the system lists them, wide so that no code page
// stands between the test and the file system.
std::vector<std::wstring> WideNames(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

// ---- Path routines: only the backslash separates ----

TEST(WindowsPaths, OnlyTheBackslashSplits)
{
    EXPECT_EQ(kPathSeparator, '\\');
    EXPECT_EQ(PathOfFile("C:\\SS\\desc\\tank.desc"), "C:\\SS\\desc\\");
    EXPECT_EQ(NameOfFile("C:\\SS\\desc\\tank.desc"), "tank.desc");

    // A forward slash is an ordinary character, although the system would
    // accept it as a separator.
    EXPECT_EQ(PathOfFile("C:/SS/desc/tank.desc"), "");
    EXPECT_EQ(NameOfFile("C:/SS/desc/tank.desc"), "C:/SS/desc/tank.desc");
    EXPECT_EQ(PathOfFile("C:\\SS/desc\\a/b.desc"), "C:\\SS/desc\\");
    EXPECT_EQ(NameOfFile("C:\\SS/desc\\a/b.desc"), "a/b.desc");

    // So is the drive's colon.
    EXPECT_EQ(PathOfFile("C:tank.desc"), "");
    EXPECT_EQ(NameOfFile("C:tank.desc"), "C:tank.desc");
    EXPECT_EQ(NameOfFile("C:\\"), "");
    EXPECT_EQ(PathOfFile("\\\\server\\share\\x"), "\\\\server\\share\\");

    // The settings file's name follows the same split.
    EXPECT_EQ(SettingsFile::PathForExecutable("C:\\Games\\dravik2.exe"), "C:\\Games\\dravik2.INI");
    EXPECT_EQ(SettingsFile::PathForExecutable("C:\\my.tools\\dravik2"), "C:\\my.tools\\dravik2.INI");
    EXPECT_EQ(SettingsFile::PathForExecutable("C:\\my.tools/dravik2"), "C:\\my.INI");
}

// ---- The default code page is the system's ANSI code page ----

TEST(WindowsCodePage, DefaultIsTheAnsiCodePage)
{
    const UINT acp = GetACP();
    CPINFO info{};
    ASSERT_TRUE(GetCPInfo(acp, &info));
    const CodePage& page = CodePage::Default();
    if (info.MaxCharSize != 1) {
        // A multi-byte system code page cannot hold the program's text.
        EXPECT_EQ(page.name(), "windows-1252");
        return;
    }
    EXPECT_EQ(page.name(), "windows-" + std::to_string(acp));
    for (int b = 0x80; b < 0x100; ++b) {
        const char byte = static_cast<char>(b);
        wchar_t wide = 0;
        if (MultiByteToWideChar(acp, MB_ERR_INVALID_CHARS, &byte, 1, &wide, 1) == 1) {
            EXPECT_EQ(page.toUnicode(static_cast<unsigned char>(b)), static_cast<char32_t>(wide)) << "byte " << b;
        }
    }
}

TEST(WindowsCodePage, CaseFoldingAgreesWithTheSystem)
{
    for (const char* name : {"1250", "1251", "1252", "cp866"}) {
        const CodePage page = CodePage::Named(name);
        const std::string digits = std::string(name).substr(name[0] == 'c' ? 2 : 0);
        const UINT cp = static_cast<UINT>(std::stoul(digits));
        for (int b = 0x80; b < 0x100; ++b) {
            const char byte = static_cast<char>(b);
            wchar_t wide = 0;
            if (MultiByteToWideChar(cp, MB_ERR_INVALID_CHARS, &byte, 1, &wide, 1) != 1)
                continue;
            wchar_t lowerWide = wide;
            CharLowerBuffW(&lowerWide, 1);
            char lowerByte = 0;
            BOOL lossy = FALSE;
            if (WideCharToMultiByte(cp, WC_NO_BEST_FIT_CHARS, &lowerWide, 1, &lowerByte, 1, nullptr, &lossy) != 1 ||
                lossy)
                continue;
            EXPECT_EQ(static_cast<int>(page.lower(static_cast<unsigned char>(b))),
                      static_cast<int>(static_cast<unsigned char>(lowerByte)))
                << name << " byte " << b;
        }
    }
}

TEST(WindowsCodePage, OtherNumbersComeFromTheSystemsTables)
{
    const CodePage dos = CodePage::Named("cp866");
    EXPECT_EQ(dos.name(), "windows-866");
    EXPECT_EQ(dos.toUnicode(0x80), U'\u0410');
    EXPECT_EQ(dos.lower(0x80), 0xA0);
    EXPECT_EQ(CodePage::Named("1250").name(), "windows-1250");
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(static_cast<unsigned char>(dos.fromUnicode(dos.toUnicode(static_cast<unsigned char>(b)))), b);

    EXPECT_THROW(CodePage::Named("65001"), DravikError) << "multi-byte";
    EXPECT_THROW(CodePage::Named("99999999999999999999"), DravikError);
    EXPECT_THROW(CodePage::Named("cp"), DravikError);
}

// ---- File names go to the system in the ANSI code page ----

TEST(WindowsFileNames, ANonAsciiNameInTheCodePageOpens)
{
    const char letter = '\xE9';
    wchar_t wideLetter = 0;
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, &letter, 1, &wideLetter, 1) != 1 || wideLetter < 0x80)
        GTEST_SKIP() << "byte E9 is no character of code page " << GetACP();

    TempFolder dir;
    const std::string path = InFolder(dir, std::string("caf") + letter + ".desc");
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD put = 0;
    ASSERT_TRUE(WriteFile(file, "hp 1\r\n", 6, &put, nullptr));
    CloseHandle(file);
    const std::wstring wideName = std::wstring(L"caf") + wideLetter + L".desc";
    ASSERT_EQ(WideNames(dir.path().wstring()), std::vector<std::wstring>{wideName});

    EXPECT_EQ(ReadFileOrThrow(path), "hp 1\r\n");
    WriteFileOrThrow(path, "hp 2\r\n");
    EXPECT_EQ(WideNames(dir.path().wstring()), std::vector<std::wstring>{wideName})
        << "the same file was replaced, under the same name";
    EXPECT_EQ(ReadFileOrThrow(path), "hp 2\r\n");

    // A new file in a folder of such a name.
    const std::string folder = InFolder(dir, std::string("d") + letter);
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string inside = folder + "\\" + letter + ".var";
    WriteFileOrThrow(inside, "[section1]\r\n");
    EXPECT_EQ(WideNames(dir.path().wstring() + L"\\d" + wideLetter), std::vector<std::wstring>{std::wstring(1, wideLetter) + L".var"});
    EXPECT_EQ(ReadFileOrThrow(inside), "[section1]\r\n");
}

// ---- Replacing a file by rename ----

TEST(WindowsReplace, RenameOverAnExistingTarget)
{
    TempFolder dir;
    const std::string path = dir.write("a.desc", std::string(100000, 'o'));
    WriteFileOrThrow(path, "new\r\n");
    EXPECT_EQ(ReadBytes(path), "new\r\n");
    WriteFileOrThrow(path, "newer\r\n");
    EXPECT_EQ(ReadBytes(path), "newer\r\n");
    EXPECT_EQ(dir.names(), std::vector<std::string>{"a.desc"}) << "no file left beside the target";
}

TEST(WindowsReplace, AReadOnlyTargetIsRefusedAndStaysReadOnly)
{
    TempFolder dir;
    const std::string path = dir.write("ro.desc", "old");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    try {
        WriteFileOrThrow(path, "new");
        ADD_FAILURE() << "no error";
    } catch (const DravikError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + path + "\". " + test::Reason(ERROR_ACCESS_DENIED));
    }
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(dir.names(), std::vector<std::string>{"ro.desc"});
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(WindowsReplace, ATargetHeldOpenWithoutSharingIsLeftWhole)
{
    TempFolder dir;
    const std::string path = dir.write("held.desc", "old");
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    FileError err;
    const bool written = WriteFileSafely(path, "new", err);
    CloseHandle(held);
    EXPECT_FALSE(written);
    EXPECT_NE(err.code, 0);
    EXPECT_EQ(err.reason, test::Reason(err.code));
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(dir.names(), std::vector<std::string>{"held.desc"});
    WriteFileOrThrow(path, "new");  // released, it can be replaced
    EXPECT_EQ(ReadBytes(path), "new");
}

// ---- Error texts are the system's, without its line end ----

TEST(WindowsErrorTexts, TheSystemsTextWithoutItsClosingStopAndLineEnd)
{
    TempFolder dir;
    struct Case {
        std::string path;
        DWORD code;
    };
    for (const Case& c : {Case{InFolder(dir, "missing.desc"), ERROR_FILE_NOT_FOUND},
                          Case{InFolder(dir, "nowhere\\a.desc"), ERROR_PATH_NOT_FOUND}}) {
        std::string bytes;
        FileError err;
        ASSERT_FALSE(ReadWholeFile(c.path, bytes, err));
        EXPECT_EQ(err.code, static_cast<int>(c.code));
        const std::string raw = RawSystemText(c.code);
        ASSERT_FALSE(err.reason.empty());
        EXPECT_EQ(raw.rfind(err.reason, 0), 0u) << raw;
        EXPECT_EQ(raw.substr(err.reason.size()).find_first_not_of(".\r\n "), std::string::npos) << raw;
        EXPECT_EQ(err.reason.find_first_of("\r\n"), std::string::npos);
        EXPECT_NE(err.reason.back(), '.');
        try {
            ReadFileOrThrow(c.path);
            ADD_FAILURE() << "no error";
        } catch (const DravikError& e) {
            EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + c.path + "\". " + err.reason);
            EXPECT_EQ(ErrorBoxText(e.what()), std::string(e.what()) + ".") << "one full stop, the box's";
        }
    }
    FileError err;
    EXPECT_FALSE(WriteFileSafely(InFolder(dir, "nowhere\\a.desc"), "x", err));
    EXPECT_EQ(err.code, static_cast<int>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(err.reason, test::Reason(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(TextFileErrorMessage(err), "Invalid filename");
    EXPECT_TRUE(dir.names().empty());
}

// ---- The settings file and the system's profile functions ----

class WindowsProfile : public ::testing::Test {
protected:
    TempFolder dir_;
    std::string path_ = InFolder(dir_, "Dravik2.INI");

    // The system keeps a parsed copy of a profile file; dropping it makes the
    // next call read what is on disk now.
    void forgetCachedCopy() const { WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str()); }

    std::string systemRead(const char* section, const char* key, const char* fallback = "<default>") const
    {
        char buffer[1024] = {};
        const DWORD length = GetPrivateProfileStringA(section, key, fallback, buffer, sizeof buffer, path_.c_str());
        return std::string(buffer, length);
    }
    void systemWrite(const char* section, const char* key, const char* value) const
    {
        ASSERT_TRUE(WritePrivateProfileStringA(section, key, value, path_.c_str())) << section << "/" << key;
        forgetCachedCopy();
    }
};

TEST_F(WindowsProfile, WhatWeWriteTheSystemReadsBack)
{
    const std::vector<std::pair<std::string, std::string>> values = {
        {"EditorPath", "D:\\Games\\SS\\edit.exe"},
        {"FontName", "MS Sans Serif"},
        {"Padded", "  two blanks  "},
        {"Tabbed", "\tx\t"},
        {"DoubleQuoted", "\"in quotes\""},
        {"SingleQuoted", "'in quotes'"},
        {"OneQuote", "\""},
        {"OpenQuote", "\"open"},
        {"Mixed", "'a\""},
        {"Empty", ""},
        {"Equals", "a=b"},
        {"Semicolon", "x ; y"},
        {"HighBytes", "\xC4\xF0\xE0\xE2\xE8\xEA"},
    };
    {
        SettingsFile ours(path_);
        for (const auto& [key, value] : values)
            ASSERT_TRUE(ours.writeString("Other", key, value)) << key;
        ASSERT_TRUE(ours.writeInteger("Form", "Left", -120));
        ASSERT_TRUE(ours.writeInteger("Form", "Div", 520));
        ASSERT_TRUE(ours.writeBool("Form", "InitMax", true));
        ASSERT_TRUE(ours.writeString("Path", "Var", "c:\\variables.var"));
        // Rewriting a key keeps one line for it.
        ASSERT_TRUE(ours.writeInteger("Form", "Div", 300));
    }
    forgetCachedCopy();
    for (const auto& [key, value] : values)
        EXPECT_EQ(systemRead("Other", key.c_str()), value) << key;
    EXPECT_EQ(systemRead("form", "LEFT"), "-120") << "names match without regard to case";
    EXPECT_EQ(GetPrivateProfileIntA("Form", "Left", 100, path_.c_str()), static_cast<UINT>(-120));
    EXPECT_EQ(GetPrivateProfileIntA("Form", "Div", 520, path_.c_str()), 300u);
    EXPECT_EQ(GetPrivateProfileIntA("Form", "InitMax", 0, path_.c_str()), 1u);
    EXPECT_EQ(systemRead("Path", "Var"), "c:\\variables.var");
    EXPECT_EQ(systemRead("Path", "SUEPath"), "<default>");

    char keys[2048] = {};
    const DWORD length = GetPrivateProfileStringA("Form", nullptr, "", keys, sizeof keys, path_.c_str());
    EXPECT_EQ(std::string(keys, length), std::string("Left\0Div\0InitMax\0", 17));
}

TEST_F(WindowsProfile, WhatTheSystemWritesWeReadAndKeep)
{
    systemWrite("Other", "GamePath", "C:\\SS\\game.exe");
    systemWrite("Form", "Top", "250");
    systemWrite("Form", "FontSize", "  14  ");
    systemWrite("Path", "SUEPath", "C:\\SS\\sue.exe");
    systemWrite("Path", "UNSUEPath", "'C:\\SS\\unsue.exe'");
    systemWrite("Path", "PackPath", "\"C:\\SS\\pack\"");
    systemWrite("Path", "Empty", "");
    systemWrite("Foreign", "Key", "kept as it was");

    {
        const SettingsFile ours(path_);
        EXPECT_EQ(ours.readString("Other", "GamePath", "c:\\game.exe"), "C:\\SS\\game.exe");
        EXPECT_EQ(ours.readInteger("Form", "Top", 100), 250);
        EXPECT_EQ(ours.readInteger("form", "fontsize", 12), 14);
        EXPECT_EQ(ours.readString("Path", "Empty", "default"), "");
        for (const char* key : {"SUEPath", "UNSUEPath", "PackPath", "Empty"})
            EXPECT_EQ(ours.readString("Path", key, "<default>"), systemRead("Path", key)) << key;
        EXPECT_EQ(ours.readString("Path", "PackPath", ""), "C:\\SS\\pack");
        EXPECT_EQ(ours.readString("Path", "Var", "c:\\variables.var"), "c:\\variables.var");
    }

    // Our writer changes its own keys and leaves the system's alone.
    {
        SettingsFile ours(path_);
        ASSERT_TRUE(ours.writeInteger("Form", "Top", 300));
        ASSERT_TRUE(ours.writeString("Path", "Var", "D:\\vars\\tanks.var"));
        ASSERT_TRUE(ours.writeString("New", "Key", " padded"));
    }
    forgetCachedCopy();
    EXPECT_EQ(systemRead("Form", "Top"), "300");
    EXPECT_EQ(systemRead("Form", "FontSize"), "14");
    EXPECT_EQ(systemRead("Other", "GamePath"), "C:\\SS\\game.exe");
    EXPECT_EQ(systemRead("Path", "SUEPath"), "C:\\SS\\sue.exe");
    EXPECT_EQ(systemRead("Path", "UNSUEPath"), "C:\\SS\\unsue.exe");
    EXPECT_EQ(systemRead("Path", "PackPath"), "C:\\SS\\pack");
    EXPECT_EQ(systemRead("Path", "Var"), "D:\\vars\\tanks.var");
    EXPECT_EQ(systemRead("Path", "Empty"), "");
    EXPECT_EQ(systemRead("Foreign", "Key"), "kept as it was");
    EXPECT_EQ(systemRead("New", "Key"), " padded");

    // And the system, writing after us, keeps ours.
    systemWrite("Path", "SUEPath", "E:\\sue.exe");
    const SettingsFile ours(path_);
    EXPECT_EQ(ours.readString("Path", "Var", ""), "D:\\vars\\tanks.var");
    EXPECT_EQ(ours.readString("New", "Key", ""), " padded");
    EXPECT_EQ(ours.readString("Path", "SUEPath", ""), "E:\\sue.exe");
}

TEST_F(WindowsProfile, AHandWrittenFileReadsAsTheSystemReadsIt)
{
    test::WriteBytes(path_,
                     "; written by hand\r\n"
                     "[Other]\r\n"
                     "  EditorPath  =  C:\\edit.exe  \r\n"
                     "GamePath=\"\"\r\n"
                     "Quoted=''\r\n"
                     "Twice=first\r\n"
                     "twice=second\r\n"
                     "NoEquals\r\n"
                     "\r\n"
                     "[form]\n"
                     "Left=\t-5\t\n"
                     "Top=12 ; not a comment\n"
                     "[FORM]\r"
                     "Div=1\r"
                     "[Path] trailing words\r\n"
                     "Var=c:\\v.var");
    const SettingsFile ours(path_);
    forgetCachedCopy();
    const std::vector<std::pair<const char*, const char*>> keys = {
        {"Other", "EditorPath"}, {"Other", "GamePath"}, {"Other", "Quoted"}, {"Other", "Twice"},
        {"Other", "Missing"},    {"Form", "Left"},      {"Form", "Top"},     {"Form", "Div"},
        {"Path", "Var"},         {"Nowhere", "Var"},
    };
    for (const auto& [section, key] : keys)
        EXPECT_EQ(ours.readString(section, key, "<default>"), systemRead(section, key)) << section << "/" << key;
    EXPECT_EQ(ours.readString("Other", "EditorPath", ""), "C:\\edit.exe");
    EXPECT_EQ(ours.readString("Other", "Twice", ""), "first");
    EXPECT_EQ(ours.readInteger("Form", "Left", 100), -5);
}

// ---- The version record of the executables ----

// The path CMake knows, as the system sees it: under Wine a host path needs
// the drive Wine maps the host's folders to.
std::string SystemPath(std::string path)
{
    if (!path.empty() && path.front() == '/') {
        using DosName = WCHAR*(CDECL*)(const char*);
        auto toDos = reinterpret_cast<DosName>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
        if (WCHAR* wide = toDos ? toDos(path.c_str()) : nullptr) {
            char narrow[MAX_PATH * 4] = {};
            WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
            HeapFree(GetProcessHeap(), 0, wide);
            return narrow;
        }
    }
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

TEST(WindowsVersionRecord, TheBatchCommandCarriesIt)
{
    const std::string exe = SystemPath(DRAVIK_BATCH_EXE);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &ignored);
    ASSERT_GT(size, 0u) << exe;
    std::vector<char> record(size);
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, size, record.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(record.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(3, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(3, 1));
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, static_cast<DWORD>(VS_FF_PRERELEASE | VS_FF_PRIVATEBUILD));
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(record.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &length));
    ASSERT_EQ(length, 4u) << "one language";
    EXPECT_EQ(translation[0], 0x0809) << "English (United Kingdom)";
    EXPECT_EQ(translation[1], 1252);

    const std::vector<std::pair<std::string, std::string>> fields = {
        {"FileVersion", "1.3.0.0"},      {"ProductVersion", "1.3"},  {"FileDescription", "Desc editor"},
        {"InternalName", "Dravik 2"},    {"ProductName", "Dravik 2"}, {"PrivateBuild", "beta version"},
    };
    for (const auto& [name, value] : fields) {
        char* text = nullptr;
        const std::string query = "\\StringFileInfo\\080904E4\\" + name;
        ASSERT_TRUE(VerQueryValueA(record.data(), query.c_str(), reinterpret_cast<void**>(&text), &length)) << name;
        EXPECT_EQ(std::string(text), value) << name;
    }
}

}  // namespace
}  // namespace dravik
