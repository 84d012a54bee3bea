#include "core/file_io.h"

#include "core/errors.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace dravik {

namespace {

long long gFailAfterBytes = -1;
int gFailErrorCode = 0;

#ifdef _WIN32

FileError ErrorOf(DWORD code) { return FileError{static_cast<int>(code), SystemErrorText(static_cast<int>(code))}; }
FileError LastError() { return ErrorOf(GetLastError()); }

#else

FileError ErrorOf(int code) { return FileError{code, SystemErrorText(code)}; }
FileError LastError() { return ErrorOf(errno); }

#endif

}  // namespace

std::string SystemErrorText(int code)
{
#ifdef _WIN32
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<char*>(&buffer), 0,
                                        nullptr);
    std::string text = length ? std::string(buffer, length) : std::string();
    if (buffer)
        LocalFree(buffer);
#else
    std::string text = std::strerror(code);
#endif
    // Windows' texts end in ".\r\n"; the messages add their own full stop.
    while (!text.empty() && (static_cast<unsigned char>(text.back()) <= 32 || text.back() == '.'))
        text.pop_back();
    return text;
}

void SetWriteFailureAfterBytesForTesting(long long bytes, int errorCode)
{
    gFailAfterBytes = bytes;
    gFailErrorCode = errorCode;
}

#ifdef _WIN32

bool ReadWholeFile(const std::string& path, std::string& bytes, FileError& err)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        err = LastError();
        return false;
    }
    bytes.clear();
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0)
        bytes.reserve(static_cast<size_t>(size.QuadPart));
    char buffer[1 << 16];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            err = LastError();
            CloseHandle(file);
            return false;
        }
        if (got == 0)
            break;
        bytes.append(buffer, got);
    }
    CloseHandle(file);
    return true;
}

bool WriteFileSafely(const std::string& path, std::string_view bytes, FileError& err)
{
    if (path.empty()) {
        err = ErrorOf(ERROR_PATH_NOT_FOUND);
        return false;
    }
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            err = ErrorOf(ERROR_ACCESS_DENIED);
            return false;
        }
        if (attributes & FILE_ATTRIBUTE_READONLY) {
            err = ErrorOf(ERROR_ACCESS_DENIED);
            return false;
        }
    }
    static std::atomic<unsigned> counter{0};
    const std::string temp = path + ".dravik-" + std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(counter++) + ".tmp";
    HANDLE file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        // The file beside the target fails for the target's own reasons
        // (missing or read-only folder, bad name); probing the target instead
        // would create it.
        err = LastError();
        return false;
    }
    size_t done = 0;
    bool ok = true;
    while (done < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
        if (gFailAfterBytes >= 0 && static_cast<long long>(done + chunk) > gFailAfterBytes) {
            err = ErrorOf(static_cast<DWORD>(gFailErrorCode));
            ok = false;
            break;
        }
        DWORD put = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &put, nullptr)) {
            err = LastError();
            ok = false;
            break;
        }
        done += put;
    }
    if (ok && gFailAfterBytes >= 0 && static_cast<long long>(bytes.size()) > gFailAfterBytes) {
        err = ErrorOf(static_cast<DWORD>(gFailErrorCode));
        ok = false;
    }
    if (!CloseHandle(file) && ok) {
        err = LastError();
        ok = false;
    }
    if (ok && !MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        err = LastError();
        ok = false;
    }
    if (!ok)
        DeleteFileA(temp.c_str());
    return ok;
}

#else

bool ReadWholeFile(const std::string& path, std::string& bytes, FileError& err)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        err = LastError();
        return false;
    }
    bytes.clear();
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0)
        bytes.reserve(static_cast<size_t>(info.st_size));
    char buffer[1 << 16];
    for (;;) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            err = LastError();
            ::close(fd);
            return false;
        }
        if (got == 0)
            break;
        bytes.append(buffer, static_cast<size_t>(got));
    }
    ::close(fd);
    return true;
}

namespace {

// The file a write really replaces: a symbolic link is followed, so the link
// stays a link and its target gets the new bytes.
std::string ResolveLinks(const std::string& path)
{
    std::string current = path;
    for (int depth = 0; depth < 40; ++depth) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        std::string target(static_cast<size_t>(info.st_size > 0 ? info.st_size : 4096) + 1, '\0');
        ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
        if (length < 0)
            return current;
        target.resize(static_cast<size_t>(length));
        if (!target.empty() && target[0] != '/') {
            size_t slash = current.rfind('/');
            if (slash != std::string::npos)
                target = current.substr(0, slash + 1) + target;
        }
        current = target;
    }
    return current;
}

bool WriteAll(int fd, std::string_view bytes, FileError& err)
{
    size_t done = 0;
    while (done < bytes.size()) {
        size_t chunk = std::min<size_t>(bytes.size() - done, size_t{1} << 20);
        if (gFailAfterBytes >= 0 && static_cast<long long>(done + chunk) > gFailAfterBytes) {
            size_t allowed = static_cast<size_t>(gFailAfterBytes) > done ? static_cast<size_t>(gFailAfterBytes) - done : 0;
            if (allowed > 0 && ::write(fd, bytes.data() + done, allowed) < 0) {
                err = LastError();
                return false;
            }
            err = ErrorOf(gFailErrorCode);
            return false;
        }
        ssize_t put = ::write(fd, bytes.data() + done, chunk);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            err = LastError();
            return false;
        }
        done += static_cast<size_t>(put);
    }
    return true;
}

}  // namespace

bool WriteFileSafely(const std::string& requestedPath, std::string_view bytes, FileError& err)
{
    if (requestedPath.empty()) {
        err = ErrorOf(ENOENT);
        return false;
    }
    const std::string path = ResolveLinks(requestedPath);

    struct stat info {};
    const bool exists = ::stat(path.c_str(), &info) == 0;
    if (exists) {
        if (S_ISDIR(info.st_mode)) {
            err = ErrorOf(EISDIR);
            return false;
        }
        // A file the user may not write stays refused, even though a rename
        // in a writable folder would get past it.
        if (::access(path.c_str(), W_OK) != 0) {
            err = LastError();
            return false;
        }
    }

    static std::atomic<unsigned> counter{0};
    const std::string temp = path + ".dravik-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
    const mode_t mode = exists ? (info.st_mode & 07777) : 0666;
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0) {
        // Report why the target itself cannot be created when that is the
        // cause (missing folder, read-only folder, bad name).
        err = LastError();
        return false;
    }
    if (exists)
        (void)::fchmod(fd, mode);  // open() applied the umask; keep the old bits
#ifdef __linux__
    // Reserving the blocks up front spares the file system the allocation it
    // would otherwise force when the file is renamed over the old one.
    if (!bytes.empty())
        (void)::fallocate(fd, 0, 0, static_cast<off_t>(bytes.size()));
#endif

    bool ok = WriteAll(fd, bytes, err);
    if (ok && gFailAfterBytes >= 0 && static_cast<long long>(bytes.size()) > gFailAfterBytes) {
        err = ErrorOf(gFailErrorCode);
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        err = LastError();
        ok = false;
    }
    if (ok && ::rename(temp.c_str(), path.c_str()) != 0) {
        err = LastError();
        ok = false;
    }
    if (!ok)
        ::unlink(temp.c_str());
    return ok;
}

#endif

std::string ReadFileOrThrow(const std::string& path)
{
    std::string bytes;
    FileError err;
    if (!ReadWholeFile(path, bytes, err))
        throw DravikError(CannotOpenFileMessage(path, err.reason));
    return bytes;
}

void WriteFileOrThrow(const std::string& path, std::string_view bytes)
{
    FileError err;
    if (!WriteFileSafely(path, bytes, err))
        throw DravikError(CannotCreateFileMessage(path, err.reason));
}

std::string TextFileErrorMessage(const FileError& err)
{
#ifdef _WIN32
    switch (err.code) {
    case ERROR_FILE_NOT_FOUND: return "File not found";
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE: return "Invalid filename";
    case ERROR_TOO_MANY_OPEN_FILES: return "Too many open files";
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_WRITE_PROTECT: return "File access denied";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return "Disk full";
    default: return "I/O error " + std::to_string(err.code);
    }
#else
    switch (err.code) {
    case ENOENT: return "File not found";
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
    case ELOOP: return "Invalid filename";
    case EMFILE:
    case ENFILE: return "Too many open files";
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case ETXTBSY: return "File access denied";
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return "Disk full";
    default: return "I/O error " + std::to_string(err.code);
    }
#endif
}

}  // namespace dravik
