// What the fuzz targets share: a scratch folder per process, whole-file
// bytes that bypass the code under test, and a loud failure that libFuzzer
// records as a crash with the input that caused it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace dravik::fuzz {

[[noreturn]] inline void Fail(const char* what, const std::string& detail = {})
{
    std::fprintf(stderr, "property violated: %s\n%s\n", what, detail.c_str());
    std::abort();
}

#define FUZZ_CHECK(condition, detail)                 \
    do {                                              \
        if (!(condition))                             \
            ::dravik::fuzz::Fail(#condition, detail); \
    } while (0)

// One folder for the whole run; each input empties it first.
inline const std::filesystem::path& Scratch()
{
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() / ("dravik-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

inline void EmptyScratch()
{
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(Scratch(), ec))
        std::filesystem::remove_all(entry.path(), ec);
}

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline void WriteBytes(const std::string& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        Fail("scratch file written", path);
}

// Bytes shown so that a failing input can be read in the log.
inline std::string Shown(std::string_view bytes)
{
    std::string text;
    for (unsigned char c : bytes) {
        if (c >= 32 && c < 127 && c != '\\') {
            text += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            text += hex;
        }
    }
    return text;
}

}  // namespace dravik::fuzz
