#include "core/table_checks.h"

#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#endif

namespace dravik {

namespace {

#ifdef _WIN32
std::wstring Wide(const std::string& bytes)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), length);
    return wide;
}

// The final path of an existing file or folder: links, short names and the
// letter case of each name as the file system holds them.
bool FinalPath(const std::wstring& path, std::wstring& final)
{
    HANDLE handle = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    std::wstring buffer(MAX_PATH, L'\0');
    DWORD length = GetFinalPathNameByHandleW(handle, buffer.data(), static_cast<DWORD>(buffer.size()), VOLUME_NAME_DOS);
    if (length >= buffer.size()) {
        buffer.resize(length);
        length = GetFinalPathNameByHandleW(handle, buffer.data(), static_cast<DWORD>(buffer.size()), VOLUME_NAME_DOS);
    }
    CloseHandle(handle);
    if (length == 0 || length >= buffer.size())
        return false;
    buffer.resize(length);
    final = std::move(buffer);
    return true;
}
#endif

}  // namespace

std::string ResolvedPathKey(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code ec;
#ifdef _WIN32
    const std::wstring wide = Wide(path);
    std::wstring resolved;
    if (!FinalPath(wide, resolved)) {
        // A file that is not there: its full path, as far as it can be told.
        const DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
        resolved.assign(length, L'\0');
        const DWORD written = GetFullPathNameW(wide.c_str(), length, resolved.data(), nullptr);
        resolved.resize(written < length ? written : 0);
        if (resolved.empty())
            resolved = wide;
    }
    // The file systems of Windows compare names through the invariant upper case.
    std::wstring upper(resolved.size(), L'\0');
    if (!resolved.empty() &&
        LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, resolved.data(), static_cast<int>(resolved.size()),
                      upper.data(), static_cast<int>(upper.size()), nullptr, nullptr, 0) == 0)
        upper = resolved;
    return std::string(reinterpret_cast<const char*>(upper.data()), upper.size() * sizeof(wchar_t));
#else
    if (path.empty())
        return path;
    const fs::path absolute = fs::absolute(fs::path(path), ec);
    if (ec)
        return path;
    fs::path resolved = fs::weakly_canonical(absolute, ec);
    return ec ? absolute.lexically_normal().native() : resolved.native();
#endif
}

}  // namespace dravik
