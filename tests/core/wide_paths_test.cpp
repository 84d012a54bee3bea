// A folder whose name the system's code page cannot write, driven as a user
// drives it: opened, saved, exported and imported by the document, and
// named on the batch command's command line. scripts/test-windows runs these
// as a Russian system (windows-1251) and again as an English one
// (windows-1252), where even the Cyrillic letters have no byte; the Greek
// letter has none in either.
#include "core/document/desc_document.h"
#include "core/errors.h"
#include "core/exchange/table_checks.h"
#include "core/exchange/table_exchange.h"
#include "core/files/file_io.h"
#include "core/files/native_path.h"
#include "tests/core/test_files.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace dravik {
namespace {

const std::wstring kFolderName = L"\u041c\u043e\u0438 \u043c\u043e\u0434\u044b \u03a9";  // "Мои моды Ω"

std::wstring WideOf(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

void WriteWide(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD put = 0;
    ASSERT_TRUE(WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr));
    CloseHandle(file);
}

std::string ReadWide(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

std::vector<std::wstring> WideNames(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (std::wstring(found.cFileName) != L"." && std::wstring(found.cFileName) != L"..")
            names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

class WidePaths : public ::testing::Test {
protected:
    WidePaths() : folder_(WideOf(dir_.path().string()) + L"\\" + kFolderName), document_(CodePage::Default())
    {
        CreateDirectoryW(folder_.c_str(), nullptr);
        WriteWide(folder_ + L"\\vars.var", "[section1]\r\narmor =2\r\n");
        WriteWide(folder_ + L"\\tank.desc", "; tank\r\narmor 45 40\r\n");
        document_.startUp();
    }

    // The path as the program carries it: what the file dialog gives, after
    // the window's conversion.
    std::string path(const std::wstring& name) const { return PathOfWide(folder_ + L"\\" + name); }
    std::wstring wide(const std::wstring& name) const { return folder_ + L"\\" + name; }

    test::TempFolder dir_;
    std::wstring folder_;
    DescDocument document_;
};

TEST_F(WidePaths, AFolderTheCodePageCannotWriteIsOpenedAndSaved)
{
    const std::string desc = path(L"tank.desc");
    EXPECT_FALSE(PathFitsText(desc)) << "the Greek letter has no byte";
    ASSERT_EQ(WidePath(desc), wide(L"tank.desc"));

    document_.loadVariables(path(L"vars.var"));
    document_.openDesc({desc});
    EXPECT_EQ(document_.grid(dravik::GridNumber(1)).cell(2, 1), "45");
    // The tables show the text; the document keeps the file.
    EXPECT_EQ(document_.fileList().cell(2, 1), PathText(desc));
    EXPECT_EQ(document_.fileList().cell(1, 1), "tank.desc");
    EXPECT_EQ(document_.grid(dravik::GridNumber(1)).cell(1, 1), PathText(desc));
    EXPECT_NE(PathText(desc).find('?'), std::string::npos);
    EXPECT_EQ(document_.filePath(FileRow(1)), desc);

    document_.setCell(dravik::GridNumber(1), 3, 1, "41");
    document_.saveAll();
    EXPECT_EQ(ReadWide(wide(L"tank.desc")), "; tank\r\narmor  45 41 \r\n");
    EXPECT_EQ(WideNames(folder_).size(), 2u) << "replaced by rename, nothing left beside it";

    document_.selectFileListRow(1);
    EXPECT_EQ(document_.currentDescFile(), desc);
    document_.setDescText(SplitLines("; edited\r\narmor 1 2\r\n"));
    document_.saveCurrent();
    EXPECT_EQ(ReadWide(wide(L"tank.desc")), "; edited\r\narmor 1 2\r\n");

    document_.saveVariables(path(L"copy.var"));
    EXPECT_EQ(ReadWide(wide(L"copy.var")), "[section1]\r\narmor =2\r\n");

    // A failure names the file as the tables do, with the system's reason.
    try {
        ReadFileOrThrow(path(L"missing.desc"));
        ADD_FAILURE() << "no error";
    } catch (const DravikError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot open file \"" + PathText(path(L"missing.desc")) + "\". " + test::Reason(ERROR_FILE_NOT_FOUND));
    }
}

TEST_F(WidePaths, ExportNamesTheFilesAndImportRefusesThem)
{
    const std::wstring plainWide = WideOf(dir_.path().string()) + L"\\plain.desc";
    WriteWide(plainWide, "armor 1 2\r\n");
    const std::string plain = PathOfWide(plainWide);
    document_.loadVariables(path(L"vars.var"));
    document_.openDesc({plain, path(L"tank.desc")});
    EXPECT_EQ(document_.filePath(FileRow(1)), plain);

    ExportTable(document_);
    const UnwritablePaths unwritable = FindUnwritablePaths(document_);
    ASSERT_EQ(unwritable.count, 1u);
    EXPECT_EQ(unwritable.first, std::vector<std::string>{PathText(path(L"tank.desc"))});
    EXPECT_NE(unwritable.exportMessage().english().find("cannot write"), std::string::npos);
    EXPECT_NE(unwritable.exportMessage().english().find(PathText(path(L"tank.desc"))), std::string::npos);

    document_.setCell(dravik::GridNumber(1), 2, 2, "99");
    const std::string table = "Section 1\t\r\n";
    try {
        ImportTable(document_, &table);
        ADD_FAILURE() << "imported";
    } catch (const DravikError& e) {
        EXPECT_EQ(std::string(e.what()), unwritable.importMessage());
    }
    EXPECT_EQ(document_.grid(dravik::GridNumber(1)).cell(2, 2), "99") << "nothing imported";

    // A path typed into the file list is text again, and names its file.
    document_.setCell(kFileListGrid, 2, 2, plain);
    EXPECT_EQ(document_.filePath(FileRow(2)), plain);
    EXPECT_FALSE(FindUnwritablePaths(document_).any());
}

// The batch command reads its arguments from the wide command line.
#ifdef DRAVIK_BATCH_EXE
std::wstring SystemPathOfExe()
{
    using DosName = WCHAR*(CDECL*)(const char*);
    auto toDos = reinterpret_cast<DosName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
    const std::string exe = DRAVIK_BATCH_EXE;
    if (exe.front() == '/' && toDos)
        if (WCHAR* wide = toDos(exe.c_str())) {
            std::wstring path = wide;
            HeapFree(GetProcessHeap(), 0, wide);
            return path;
        }
    return WideOf(exe);
}

// Runs the batch command; its standard error goes to `err`.
DWORD RunBatch(const std::wstring& arguments, const std::wstring& err)
{
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE errFile = CreateFileW(err.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inheritable, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = errFile;
    startup.hStdError = errFile;
    std::wstring line = L"\"" + SystemPathOfExe() + L"\" " + arguments;
    PROCESS_INFORMATION started{};
    DWORD code = 255;
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &started)) {
        WaitForSingleObject(started.hProcess, INFINITE);
        GetExitCodeProcess(started.hProcess, &code);
        CloseHandle(started.hProcess);
        CloseHandle(started.hThread);
    }
    CloseHandle(errFile);
    return code;
}

TEST_F(WidePaths, TheBatchCommandTakesThemFromItsCommandLine)
{
    const std::wstring vars = L"\"" + wide(L"vars.var") + L"\"";
    const std::wstring desc = L"\"" + wide(L"tank.desc") + L"\"";
    const std::wstring err = WideOf(dir_.path().string()) + L"\\err.txt";

    EXPECT_EQ(RunBatch(L"set --vars " + vars + L" --key armor --expr +1 " + desc, err), 0u) << ReadWide(err);
    EXPECT_EQ(ReadWide(wide(L"tank.desc")), "; tank\r\narmor  46 41 \r\n");

    EXPECT_EQ(RunBatch(L"export --vars " + vars + L" --out \"" + wide(L"table.txt") + L"\" " + desc, err), 1u);
    EXPECT_NE(ReadWide(wide(L"table.txt")).find("46\t41\t"), std::string::npos) << "the table is written";
    const std::string said = ReadWide(err);
    EXPECT_NE(said.find(PathText(path(L"tank.desc"))), std::string::npos) << said;

    EXPECT_EQ(RunBatch(L"import --vars " + vars + L" --table \"" + wide(L"table.txt") + L"\" " + desc, err), 1u);
    EXPECT_NE(ReadWide(err).find("nothing was imported"), std::string::npos) << ReadWide(err);
}
#endif

}  // namespace
}  // namespace dravik
