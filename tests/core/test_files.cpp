#include "tests/core/test_files.h"

#include "core/files/file_io.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#endif

namespace dravik::test {

namespace fs = std::filesystem;

TempFolder::TempFolder()
{
    static std::atomic<unsigned> counter{0};
    std::random_device seed;
    path_ = fs::temp_directory_path() /
            ("dravik-test-" + std::to_string(seed()) + "-" + std::to_string(counter++));
    fs::create_directories(path_);
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

std::string TempFolder::file(const std::string& name) const { return (path_ / name).string(); }

std::string TempFolder::write(const std::string& name, std::string_view bytes) const
{
    const std::string full = file(name);
    WriteBytes(full, bytes);
    return full;
}

std::vector<std::string> TempFolder::names() const
{
    std::vector<std::string> result;
    for (const auto& entry : fs::directory_iterator(path_))
        result.push_back(entry.path().filename().string());
    std::sort(result.begin(), result.end());
    return result;
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("test cannot read " + path);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteBytes(const std::string& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("test cannot write " + path);
}

WriteFailure::WriteFailure(long long bytes, int errorCode) { SetWriteFailureAfterBytesForTesting(bytes, errorCode); }
WriteFailure::~WriteFailure() { SetWriteFailureAfterBytesForTesting(-1, 0); }

const CodePage& Cyrillic()
{
    static const CodePage page = CodePage::Named("windows-1251");
    return page;
}

#ifdef _WIN32
std::string Reason(int errorCode)
{
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, static_cast<DWORD>(errorCode), 0,
                                        reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length ? std::string(buffer, length) : std::string();
    if (buffer)
        LocalFree(buffer);
    // Messages carry the text without the system's closing ".\r\n".
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    return text;
}
#else
std::string Reason(int errorCode) { return std::strerror(errorCode); }
#endif

}  // namespace dravik::test
