#include "tests/core/test_files.h"

#include "core/file_io.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

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

std::string Reason(int errorCode) { return std::strerror(errorCode); }

}  // namespace dravik::test
