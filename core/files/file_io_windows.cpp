// The file layer's calls into Windows, which take every name as its wide
// characters (see native_path.h), so a name the code page cannot write opens.
#include "core/files/file_io.h"
#include "core/files/file_io_system.h"
#include "core/files/native_path.h"
#include "core/text/code_page.h"

#include <utility>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace dravik {

FileHandle::FileHandle(Native handle) : handle_(handle == INVALID_HANDLE_VALUE ? kNone : handle) {}

bool FileHandle::close(FileError& err)
{
    if (handle_ == kNone)
        return true;
    const bool ok = CloseHandle(std::exchange(handle_, kNone)) != 0;
    if (!ok)
        err = sys::LastError();
    return ok;
}

std::string sys::ErrorText(int code)
{
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<char*>(&buffer), 0,
                                        nullptr);
    std::string text = length ? std::string(buffer, length) : std::string();
    if (buffer)
        LocalFree(buffer);
    return text;
}

Message TextFileErrorMessage(const FileError& err)
{
    switch (err.code) {
    case ERROR_FILE_NOT_FOUND: return Message(DRAVIK_TR("Files", "File not found"));
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE: return Message(DRAVIK_TR("Files", "Invalid filename"));
    case ERROR_TOO_MANY_OPEN_FILES: return Message(DRAVIK_TR("Files", "Too many open files"));
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_WRITE_PROTECT: return Message(DRAVIK_TR("Files", "File access denied"));
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return Message(DRAVIK_TR("Files", "Disk full"));
    default: return Message(DRAVIK_TR("Files", "I/O error %1"), {std::to_string(err.code)});
    }
}

std::string PathText(std::string_view path) { return RenderEscapedPath(path); }
bool PathFitsText(std::string_view path) { return !HoldsEscapes(path); }
std::filesystem::path FileSystemPath(std::string_view path) { return std::filesystem::path(WidePath(path)); }
std::string PathOfFileSystemPath(const std::filesystem::path& path) { return PathOfWide(path.native()); }

std::wstring WidePath(std::string_view path)
{
    const std::u16string units = DecodePathUnits(path, CodePage::Default());
    return std::wstring(units.begin(), units.end());
}

std::string PathOfWide(std::wstring_view wide)
{
    return EncodePathUnits(std::u16string(wide.begin(), wide.end()), CodePage::Default());
}

bool IsPathSeparator(char c) { return c == '\\' || c == '/'; }

bool SameNameChar(char a, char b)
{
    if (IsPathSeparator(a) && IsPathSeparator(b))
        return true;
    const CodePage& codePage = CodePage::Default();
    return codePage.lower(static_cast<unsigned char>(a)) == codePage.lower(static_cast<unsigned char>(b));
}

size_t NameStart(std::string_view path)
{
    size_t start = path.size();
    while (start > 0 && !IsPathSeparator(path[start - 1]) && path[start - 1] != ':')
        --start;
    return start;
}

std::string PathOfUtf16(std::u16string_view units) { return EncodePathUnits(units, CodePage::Default()); }

namespace sys {

namespace {

// The file or folder at the path, opened only to look at it: no access is
// asked, so it opens whoever holds the file, and a folder opens too.
FileHandle LookAt(const std::string& path)
{
    return FileHandle(CreateFileW(WidePath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

// What CreateFile gave, if it is a file on a disk; a console, NUL or a pipe
// has no end to read up to and is closed and refused.
FileHandle DiskFileOrNone(HANDLE handle, FileError& err)
{
    FileHandle file(handle);
    if (!file) {
        err = LastError();
        return {};
    }
    if (GetFileType(file.get()) != FILE_TYPE_DISK) {
        err = NotARegularFile();
        return {};
    }
    return file;
}

}  // namespace

FileError ErrorOf(int code) { return FileError{code, SystemErrorText(code), {}}; }
FileError LastError() { return ErrorOf(static_cast<int>(GetLastError())); }
bool IsAccessDenied(int code) { return code == ERROR_ACCESS_DENIED; }
FileError NamesExhausted() { return ErrorOf(ERROR_FILE_EXISTS); }
FileError NotARegularFile() { return OwnFileError(static_cast<int>(ERROR_ACCESS_DENIED), kNotARegularFile); }

bool ReadSome(const FileHandle& file, char* buffer, size_t size, size_t& got, FileError& err)
{
    DWORD done = 0;
    if (!ReadFile(file.get(), buffer, static_cast<DWORD>(size), &done, nullptr)) {
        // What a pipe whose writers have all gone gives.
        if (GetLastError() == ERROR_BROKEN_PIPE) {
            got = 0;
            return true;
        }
        err = LastError();
        return false;
    }
    got = done;
    return true;
}

bool WriteSome(const FileHandle& file, const char* data, size_t size, size_t& put)
{
    DWORD done = 0;
    if (!WriteFile(file.get(), data, static_cast<DWORD>(size), &done, nullptr))
        return false;
    put = done;
    return true;
}

bool SyncData(const FileHandle& file) { return FlushFileBuffers(file.get()) != 0; }

void StartWriteback(const FileHandle&, size_t, size_t) {}

bool Rewind(const FileHandle& file)
{
    LARGE_INTEGER zero{};
    return SetFilePointerEx(file.get(), zero, nullptr, FILE_BEGIN) != 0;
}

bool TruncateHere(const FileHandle& file) { return SetEndOfFile(file.get()) != 0; }

bool Reserve(const FileHandle&, size_t, FileError&) { return true; }

std::string FolderPrefix(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos)
        return path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : std::string();
    return path.substr(0, slash + 1);
}

bool RemoveFile(const std::string& path) { return DeleteFileW(WidePath(path).c_str()) != 0; }

bool Rename(const std::string& from, const std::string& to, FileError& err)
{
    if (MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    err = LastError();
    return false;
}

// MOVEFILE_WRITE_THROUGH has made the rename durable.
bool SyncFolder(const std::string&, FileError&) { return true; }

Creation CreateNew(const std::string& path, unsigned, FileHandle& file, FileError& err)
{
    file = FileHandle(CreateFileW(WidePath(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file)
        return Creation::Made;
    const DWORD code = GetLastError();
    // A folder of that name is refused as access denied.
    if (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS ||
        (code == ERROR_ACCESS_DENIED && GetFileAttributesW(WidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES))
        return Creation::Taken;
    err = ErrorOf(static_cast<int>(code));
    return Creation::Failed;
}

bool Inspect(const std::string& path, Plan& plan, FileError& err)
{
    if (path.empty()) {
        err = ErrorOf(ERROR_PATH_NOT_FOUND);
        return false;
    }
    plan.target = path;
    // No access asked: this only looks, whoever holds the file open.
    const FileHandle probe = LookAt(path);
    if (!probe)
        return true;  // missing, or out of reach: making the new file tells why
    const DWORD type = GetFileType(probe.get());
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(probe.get(), &info) != 0;
    if (type == FILE_TYPE_CHAR || type == FILE_TYPE_PIPE) {
        plan.method = Method::Stream;
        return true;
    }
    if (type != FILE_TYPE_DISK) {
        err = NotARegularFile();
        return false;
    }
    if (known && (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) {
        err = ErrorOf(ERROR_ACCESS_DENIED);
        return false;
    }
    // A file the user may not write stays refused, even though a rename in a
    // folder that lets them make files would get past it; this writes nothing.
    if (!FileHandle(CreateFileW(WidePath(path).c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr))) {
        err = LastError();
        return false;
    }
    plan.exists = true;
    if (known && info.nNumberOfLinks > 1)
        plan.method = Method::InPlace;  // a rename would cut the other names off
    return true;
}

// A new file of Windows takes its permissions from its folder, as the old
// one did.
bool TakeOver(const Plan&, const FileHandle&, std::uint64_t&, bool&, FileError&) { return true; }

bool SyncsEachNewFile() { return true; }

size_t SyncNewFiles(const std::vector<BatchEntry>& entries, FileError&) { return entries.size(); }

FileHandle OpenForReading(const std::string& path, size_t& size, FileError& err)
{
    FileHandle file = DiskFileOrNone(CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr),
                                     err);
    LARGE_INTEGER length{};
    if (file && GetFileSizeEx(file.get(), &length) && length.QuadPart > 0)
        size = static_cast<size_t>(length.QuadPart);
    return file;
}

FileHandle OpenInPlace(const std::string& target, bool& readable, FileError& err)
{
    readable = true;
    HANDLE file = CreateFileW(WidePath(target).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED) {
        readable = false;
        file = CreateFileW(WidePath(target).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    return DiskFileOrNone(file, err);
}

FileHandle OpenStream(const std::string& path, FileError& err)
{
    FileHandle file(CreateFileW(WidePath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        err = LastError();
        return {};
    }
    const DWORD type = GetFileType(file.get());
    if (type != FILE_TYPE_CHAR && type != FILE_TYPE_PIPE) {
        err = ErrorOf(ERROR_SHARING_VIOLATION);  // replaced by something else meanwhile
        return {};
    }
    return file;
}

namespace {

OVERLAPPED At(std::uint64_t offset)
{
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return at;
}

}  // namespace

bool IsHidden(const std::filesystem::path& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
}

bool IdentityOf(const std::string& path, FileIdentity& id, FileError& err)
{
    // Held for no longer than this look.
    const FileHandle file = LookAt(path);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file || !GetFileInformationByHandle(file.get(), &info)) {
        err = LastError();
        return false;
    }
    id.volume = info.dwVolumeSerialNumber;
    id.file = std::uint64_t{info.nFileIndexHigh} << 32 | info.nFileIndexLow;
    return true;
}

FileHandle OpenLockFile(FileError& err)
{
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH) {
        err = LastError();
        return {};
    }
    const std::wstring lockFile = std::wstring(folder, length) + L"dravik2-save.lock";
    FileHandle lock(CreateFileW(lockFile.c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!lock)
        err = LastError();
    return lock;
}

Locking TryLock(const FileHandle& lockFile, std::uint64_t offset, FileError& err)
{
    OVERLAPPED at = At(offset);
    if (LockFileEx(lockFile.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at))
        return Locking::Locked;
    if (GetLastError() == ERROR_LOCK_VIOLATION || GetLastError() == ERROR_IO_PENDING)
        return Locking::Busy;
    err = LastError();
    return Locking::Failed;
}

void Unlock(const FileHandle& lockFile, std::uint64_t offset)
{
    OVERLAPPED at = At(offset);
    UnlockFileEx(lockFile.get(), 0, 1, 0, &at);
}

namespace {

// The final path of an existing file or folder: links, short names and the
// letter case of each name as the file system holds them.
bool FinalPath(const std::string& path, std::wstring& final)
{
    const FileHandle file = LookAt(path);
    if (!file)
        return false;
    std::wstring buffer(MAX_PATH, L'\0');
    DWORD length = GetFinalPathNameByHandleW(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), VOLUME_NAME_DOS);
    if (length >= buffer.size()) {
        buffer.resize(length);
        length = GetFinalPathNameByHandleW(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), VOLUME_NAME_DOS);
    }
    if (length == 0 || length >= buffer.size())
        return false;
    buffer.resize(length);
    final = std::move(buffer);
    return true;
}

}  // namespace

}  // namespace sys

std::string ResolvedPathKey(const std::string& path)
{
    const std::wstring wide = WidePath(path);
    std::wstring resolved;
    if (!sys::FinalPath(path, resolved)) {
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
}

// Windows has no small limit on open handles.
void RaiseOpenFileLimit() {}

}  // namespace dravik
