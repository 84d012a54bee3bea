// Helpers shared by the core tests: a fresh folder per test and whole-file
// byte access that does not go through the code under test.
#pragma once

#include "core/text/code_page.h"

#include <cerrno>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace dravik::test {

// A new, empty folder under the system's temporary folder, removed with
// everything in it when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The full path of a name inside the folder (the file need not exist).
    std::string file(const std::string& name) const;
    // Writes the bytes to the named file and returns its full path.
    std::string write(const std::string& name, std::string_view bytes) const;
    // The names in the folder, sorted.
    std::vector<std::string> names() const;

private:
    std::filesystem::path path_;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, std::string_view bytes);

// Makes every write of the scope fail after `bytes` bytes with `errorCode`.
class WriteFailure {
public:
    WriteFailure(long long bytes, int errorCode);
    ~WriteFailure();
};

// The windows-1251 code page, alive for the whole run (a document keeps a
// reference to its code page).
const CodePage& Cyrillic();

// The system's codes for the failures the tests provoke or simulate.
#ifdef _WIN32
inline constexpr int kFileNotFound = 2;    // ERROR_FILE_NOT_FOUND
inline constexpr int kFolderNotFound = 3;  // ERROR_PATH_NOT_FOUND
inline constexpr int kIsAFolder = 5;       // ERROR_ACCESS_DENIED: Windows has no code of its own
inline constexpr int kDiskFull = 112;      // ERROR_DISK_FULL
#else
inline constexpr int kFileNotFound = ENOENT;
inline constexpr int kFolderNotFound = ENOENT;
inline constexpr int kIsAFolder = EISDIR;
inline constexpr int kDiskFull = ENOSPC;
#endif

// The system's text for an error code (errno, or a Windows error code on
// Windows), as error messages carry it.
std::string Reason(int errorCode);

}  // namespace dravik::test
