#include "core/files/file_io.h"

#include "core/errors.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <unordered_set>

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

using Handle = HANDLE;
const Handle kNoHandle = INVALID_HANDLE_VALUE;
constexpr int kAccessDenied = ERROR_ACCESS_DENIED;

FileError ErrorOf(DWORD code) { return FileError{static_cast<int>(code), SystemErrorText(static_cast<int>(code))}; }
FileError LastError() { return ErrorOf(GetLastError()); }
void Close(Handle file) { CloseHandle(file); }
bool RemoveFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

#else

using Handle = int;
constexpr Handle kNoHandle = -1;
constexpr int kAccessDenied = EACCES;

FileError ErrorOf(int code) { return FileError{code, SystemErrorText(code)}; }
FileError LastError() { return ErrorOf(errno); }
void Close(Handle fd) { ::close(fd); }
bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

#endif

FileError NotARegularFile() { return FileError{kAccessDenied, kNotARegularFile}; }

#ifdef _WIN32
// What CreateFileA gave, if it is a file on a disk; a console, NUL or a pipe
// has no end to read up to and is closed and refused.
Handle DiskFileOrNone(Handle file, FileError& err)
{
    if (file == kNoHandle) {
        err = LastError();
        return kNoHandle;
    }
    if (GetFileType(file) != FILE_TYPE_DISK) {
        Close(file);
        err = NotARegularFile();
        return kNoHandle;
    }
    return file;
}
#endif

// ---- Names of the files written beside a target ------------------------
//
// Short, so that a target whose name is as long as the file system allows
// still gets one, and random, so that a stray left by a killed process (whose
// id may well repeat in a container) is not hit again; a name that exists
// anyway is passed over, never opened.

std::atomic<std::uint64_t> gNameSeed{0};
std::atomic<std::uint64_t> gNameCounter{0};

std::uint64_t Mix(std::uint64_t x)
{
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

std::uint64_t NameSeed()
{
    std::uint64_t seed = gNameSeed.load();
    if (seed == 0) {
        std::random_device device;
        std::uint64_t fresh = (std::uint64_t{device()} << 32) ^ device() ^
                              static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        fresh |= 1;  // never 0, which means "not yet chosen"
        std::uint64_t expected = 0;
        gNameSeed.compare_exchange_strong(expected, fresh);
        seed = gNameSeed.load();
    }
    return seed;
}

std::string NameFor(std::uint64_t seed, std::uint64_t index, const char* suffix)
{
    static const char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::uint64_t value = Mix(seed ^ Mix(index));
    std::string name = ".dravik-";
    for (int i = 0; i < 6; ++i) {
        name += kDigits[value % 36];
        value /= 36;
    }
    return name + suffix;
}

std::string NextName(const char* suffix) { return NameFor(NameSeed(), gNameCounter++, suffix); }

// A name that exists already means this sequence was used before (a process
// restarted with the same id and clock, or a fork): leave it for a fresh one.
void NameTaken()
{
    std::random_device device;
    gNameSeed = Mix(gNameSeed.load() ^ (std::uint64_t{device()} << 32) ^ device()) | 1;
}

// The part of a path up to and including its last separator: where a file
// beside the target is made ("" for the current folder).
std::string FolderPrefix(const std::string& path)
{
#ifdef _WIN32
    const size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos)
        return path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : std::string();
#else
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return std::string();
#endif
    return path.substr(0, slash + 1);
}

// ---- Raw file operations --------------------------------------------------

#ifdef _WIN32

bool WriteChunk(Handle file, const char* data, size_t size, size_t& put)
{
    DWORD done = 0;
    if (!WriteFile(file, data, static_cast<DWORD>(size), &done, nullptr))
        return false;
    put = done;
    return true;
}
bool SyncData(Handle file) { return FlushFileBuffers(file) != 0; }
bool Rewind(Handle file)
{
    LARGE_INTEGER zero{};
    return SetFilePointerEx(file, zero, nullptr, FILE_BEGIN) != 0;
}
bool TruncateHere(Handle file) { return SetEndOfFile(file) != 0; }

#else

bool WriteChunk(Handle fd, const char* data, size_t size, size_t& put)
{
    for (;;) {
        const ssize_t done = ::write(fd, data, size);
        if (done >= 0) {
            put = static_cast<size_t>(done);
            return true;
        }
        if (errno != EINTR)
            return false;
    }
}
bool SyncData(Handle fd)
{
#if defined(__linux__)
    return ::fdatasync(fd) == 0;
#else
    return ::fsync(fd) == 0;
#endif
}
bool Rewind(Handle fd) { return ::lseek(fd, 0, SEEK_SET) == 0; }
bool TruncateHere(Handle fd)
{
    const off_t here = ::lseek(fd, 0, SEEK_CUR);
    return here >= 0 && ::ftruncate(fd, here) == 0;
}

#endif

// Writes every byte; the test seam may cut the write short.
bool WriteAll(Handle file, std::string_view bytes, FileError& err, bool seam = true)
{
    const long long failAfter = seam ? gFailAfterBytes : -1;
    size_t done = 0;
    while (done < bytes.size()) {
        const size_t chunk = std::min<size_t>(bytes.size() - done, size_t{1} << 20);
        size_t put = 0;
        if (failAfter >= 0 && static_cast<long long>(done + chunk) > failAfter) {
            const size_t allowed = static_cast<size_t>(failAfter) > done ? static_cast<size_t>(failAfter) - done : 0;
            if (allowed > 0 && !WriteChunk(file, bytes.data() + done, allowed, put)) {
                err = LastError();
                return false;
            }
            err = ErrorOf(gFailErrorCode);
            return false;
        }
        if (!WriteChunk(file, bytes.data() + done, chunk, put)) {
            err = LastError();
            return false;
        }
        done += put;
    }
    return true;
}

bool ReadAll(Handle file, std::string& bytes, FileError& err)
{
    bytes.clear();
    char buffer[1 << 16];
    for (;;) {
#ifdef _WIN32
        DWORD got = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            err = LastError();
            return false;
        }
#else
        const ssize_t got = ::read(file, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            err = LastError();
            return false;
        }
#endif
        if (got == 0)
            return true;
        bytes.append(buffer, static_cast<size_t>(got));
    }
}

// Creates a new file with a fresh name in the folder, never opening one that
// exists (a stray, a link, anything). `created` gets its path.
Handle CreateBeside(const std::string& prefix, const char* suffix, std::string& created, FileError& err,
                    unsigned mode = 0666)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        created = prefix + NextName(suffix);
#ifdef _WIN32
        (void)mode;
        Handle file = CreateFileA(created.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != kNoHandle)
            return file;
        const DWORD code = GetLastError();
        // A folder of that name is refused as access denied.
        const bool taken = code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS ||
                           (code == ERROR_ACCESS_DENIED && GetFileAttributesA(created.c_str()) != INVALID_FILE_ATTRIBUTES);
        if (!taken) {
            err = ErrorOf(code);
            return kNoHandle;
        }
        NameTaken();
#else
        const int fd = ::open(created.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
        if (fd >= 0)
            return fd;
        if (errno != EEXIST) {
            err = LastError();
            return kNoHandle;
        }
        NameTaken();
#endif
    }
#ifdef _WIN32
    err = ErrorOf(ERROR_FILE_EXISTS);
#else
    err = ErrorOf(EEXIST);
#endif
    return kNoHandle;
}

// ---- How a target is written -----------------------------------------------

enum class Method {
    Replace,  // a new file beside it, renamed over it
    InPlace,  // rewritten where it stands, with a backup while it is written
    Stream,   // a character device or FIFO: the bytes are written into it
};

#ifndef _WIN32

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

#endif

}  // namespace


struct DurableWriteBatch::Entry {
    std::string path;    // as given: what messages name
    std::string target;  // the file really written (links followed)
    Method method = Method::Replace;
    std::string temp;    // Replace: the new file beside the target, written and closed
    std::string bytes;   // InPlace, Stream: written at commit
    std::uint64_t device = 0;  // of the new file: one flush per file system
};

namespace {

// What add() learns about a target before it writes anything.
struct Plan {
    Method method = Method::Replace;
    std::string target;
    bool exists = false;
#ifndef _WIN32
    struct stat info {};
#endif
};

#ifdef _WIN32

bool Inspect(const std::string& path, Plan& plan, FileError& err)
{
    if (path.empty()) {
        err = ErrorOf(ERROR_PATH_NOT_FOUND);
        return false;
    }
    plan.target = path;
    // No access asked: this only looks, whoever holds the file open.
    Handle probe = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (probe == kNoHandle)
        return true;  // missing, or out of reach: making the new file tells why
    const DWORD type = GetFileType(probe);
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(probe, &info) != 0;
    Close(probe);
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
    plan.exists = true;
    if (known && info.nNumberOfLinks > 1)
        plan.method = Method::InPlace;  // a rename would cut the other names off
    return true;
}

// The new file beside the target, written and flushed.
bool WriteBeside(const Plan& plan, std::string_view bytes, DurableWriteBatch::Entry& entry, bool& inPlace,
                 FileError& err)
{
    Handle file = CreateBeside(FolderPrefix(plan.target), ".tmp", entry.temp, err);
    if (file == kNoHandle) {
        // A file the user may write in a folder that refuses new files.
        inPlace = plan.exists && err.code == kAccessDenied;
        return false;
    }
    bool ok = WriteAll(file, bytes, err);
    if (ok && !SyncData(file)) {
        err = LastError();
        ok = false;
    }
    if (!CloseHandle(file) && ok) {
        err = LastError();
        ok = false;
    }
    if (!ok)
        RemoveFile(entry.temp);
    return ok;
}

bool Rename(const std::string& from, const std::string& to, FileError& err)
{
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    err = LastError();
    return false;
}

// MOVEFILE_WRITE_THROUGH has made the rename durable.
bool SyncFolder(const std::string&, FileError&) { return true; }

Handle OpenInPlace(const std::string& target, bool& readable, FileError& err)
{
    readable = true;
    Handle file = CreateFileA(target.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == kNoHandle && GetLastError() == ERROR_ACCESS_DENIED) {
        readable = false;
        file = CreateFileA(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    return DiskFileOrNone(file, err);
}

bool Reserve(Handle, size_t, FileError&) { return true; }

Handle OpenStream(const std::string& path, FileError& err)
{
    Handle file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == kNoHandle) {
        err = LastError();
        return kNoHandle;
    }
    const DWORD type = GetFileType(file);
    if (type != FILE_TYPE_CHAR && type != FILE_TYPE_PIPE) {
        Close(file);
        err = ErrorOf(ERROR_SHARING_VIOLATION);  // replaced by something else meanwhile
        return kNoHandle;
    }
    return file;
}

#else

bool Inspect(const std::string& path, Plan& plan, FileError& err)
{
    if (path.empty()) {
        err = ErrorOf(ENOENT);
        return false;
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        plan.target = ResolveLinks(path);
        return true;  // missing, or out of reach: making the new file tells why
    }
    if (S_ISDIR(info.st_mode)) {
        err = ErrorOf(EISDIR);
        return false;
    }
    if (S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode)) {
        // Written into, never replaced: --out /dev/null stays the device.
        plan.method = Method::Stream;
        plan.target = path;
        return true;
    }
    if (!S_ISREG(info.st_mode)) {
        err = NotARegularFile();  // a block device or a socket
        return false;
    }
    plan.target = ResolveLinks(path);
    // A file the user may not write stays refused, even though a rename in a
    // writable folder would get past it.
    if (::access(plan.target.c_str(), W_OK) != 0) {
        err = LastError();
        return false;
    }
    plan.exists = true;
    plan.info = info;
    if (info.st_nlink > 1)
        plan.method = Method::InPlace;  // a rename would cut the other names off
    return true;
}

// The new file beside the target, written with the target's owner, group and
// permission bits. Flushed at commit on Linux, where one pass does them all.
bool WriteBeside(const Plan& plan, std::string_view bytes, DurableWriteBatch::Entry& entry, bool& inPlace,
                 FileError& err)
{
    const int fd = CreateBeside(FolderPrefix(plan.target), ".tmp", entry.temp, err, plan.exists ? 0600 : 0666);
    if (fd < 0) {
        // A file the user may write in a folder that refuses new files.
        inPlace = plan.exists && (err.code == EACCES || err.code == EPERM);
        return false;
    }
    bool ok = true;
    struct stat made {};
    if (::fstat(fd, &made) != 0) {
        err = LastError();
        ok = false;
    }
    entry.device = static_cast<std::uint64_t>(made.st_dev);
    if (ok && plan.exists) {
        if ((made.st_uid != plan.info.st_uid || made.st_gid != plan.info.st_gid) &&
            ::fchown(fd, plan.info.st_uid, plan.info.st_gid) != 0) {
            // Only root may give a file away: the old file keeps its owner
            // by being rewritten where it stands.
            inPlace = true;
            ok = false;
        } else if (::fchmod(fd, plan.info.st_mode & 07777) != 0) {  // after fchown, which drops set-id bits
            err = LastError();
            ok = false;
        }
    }
    if (ok)
        ok = WriteAll(fd, bytes, err);
#ifndef __linux__
    if (ok && !SyncData(fd)) {
        err = LastError();
        ok = false;
    }
#endif
    if (::close(fd) != 0 && ok) {
        err = LastError();
        ok = false;
    }
    if (!ok)
        RemoveFile(entry.temp);
    return ok;
}

bool Rename(const std::string& from, const std::string& to, FileError& err)
{
    if (::rename(from.c_str(), to.c_str()) == 0)
        return true;
    err = LastError();
    return false;
}

// Makes the renames into the folder durable.
bool SyncFolder(const std::string& prefix, FileError& err)
{
    const int fd = ::open(prefix.empty() ? "." : prefix.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return true;  // a folder we may not read cannot be flushed by us
    // Some file systems cannot flush a folder at all; their renames are as
    // durable as they get.
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP;
    if (!ok)
        err = LastError();
    ::close(fd);
    return ok;
}

Handle OpenInPlace(const std::string& target, bool& readable, FileError& err)
{
    readable = true;
    int fd = ::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    if (fd < 0 && errno == EACCES) {
        readable = false;
        fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    }
    if (fd < 0) {
        err = LastError();
        return kNoHandle;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        err = NotARegularFile();
        ::close(fd);
        return kNoHandle;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

// Takes the blocks a longer text needs before the old bytes are touched, so
// a full disk refuses the write instead of cutting it short.
bool Reserve(Handle fd, size_t size, FileError& err)
{
#ifdef __linux__
    struct stat info {};
    if (::fstat(fd, &info) == 0 && static_cast<size_t>(info.st_size) < size &&
        ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size)) != 0 &&
        (errno == ENOSPC || errno == EDQUOT)) {
        err = LastError();
        return false;
    }
#else
    (void)fd;
    (void)size;
    (void)err;
#endif
    return true;
}

Handle OpenStream(const std::string& path, FileError& err)
{
    // Not waiting for a reader: a FIFO nobody reads is refused at once.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        err = LastError();
        return kNoHandle;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !(S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode))) {
        err = ErrorOf(EAGAIN);  // replaced by something else meanwhile
        ::close(fd);
        return kNoHandle;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

#endif

// Rewrites a file where it stands, for the targets a rename would harm. The
// old bytes stay in a backup beside the file until the new ones are on the
// disk (when the folder takes one), and a failed write puts them back.
bool WriteInPlace(const std::string& target, std::string_view bytes, FileError& err)
{
    bool readable = true;
    const Handle file = OpenInPlace(target, readable, err);
    if (file == kNoHandle)
        return false;
    std::string old;
    if (readable && !ReadAll(file, old, err)) {
        Close(file);
        return false;
    }
    std::string backup;
    if (readable) {
        const std::string prefix = FolderPrefix(target);
        const std::string name = target.substr(prefix.size());
        // Named after the file when the name leaves room (255 bytes is the
        // common limit), so the user can tell whose old text it holds.
        FileError ignored;
        const Handle copy = CreateBeside(name.size() + 18 <= 255 ? target : prefix, ".bak", backup, ignored, 0600);
        bool kept = copy != kNoHandle;
        if (kept) {
            kept = WriteAll(copy, old, ignored, false) && SyncData(copy);
            Close(copy);
            kept = kept && SyncFolder(prefix, ignored);
            if (!kept)
                RemoveFile(backup);
        }
        if (!kept)
            backup.clear();  // the old bytes are still kept in memory for a failed write
    }
    if (!Reserve(file, bytes.size(), err)) {
        Close(file);
        if (!backup.empty())
            RemoveFile(backup);
        return false;
    }
    bool ok = Rewind(file);
    if (!ok)
        err = LastError();
    ok = ok && WriteAll(file, bytes, err);
    if (ok && !(TruncateHere(file) && SyncData(file))) {
        err = LastError();
        ok = false;
    }
    bool restored = ok;
    if (!ok && readable) {
        FileError ignored;
        restored = Rewind(file) && WriteAll(file, old, ignored, false) && TruncateHere(file) && SyncData(file);
    }
    Close(file);
    if (!backup.empty() && restored)
        RemoveFile(backup);  // else it holds the only whole copy of the old text
    return ok;
}

bool WriteStream(const std::string& path, std::string_view bytes, FileError& err)
{
    const Handle file = OpenStream(path, err);
    if (file == kNoHandle)
        return false;
    const bool ok = WriteAll(file, bytes, err);
    Close(file);
    return ok;
}

// Makes the files written beside their targets durable before any rename.
// On Linux one syncfs per file system does it when many files share one;
// elsewhere add() flushed each file already. Returns how many entries may be
// put in place: all of them, or those before the first that failed (err).
size_t SyncTemps(const std::vector<DurableWriteBatch::Entry>& entries, FileError& err)
{
    size_t usable = entries.size();
#ifdef __linux__
    constexpr size_t kSyncFileSystemFrom = 8;
    std::vector<std::uint64_t> devices;
    std::vector<size_t> counts;
    for (const auto& entry : entries) {
        if (entry.method != Method::Replace)
            continue;
        auto at = std::find(devices.begin(), devices.end(), entry.device);
        if (at == devices.end()) {
            devices.push_back(entry.device);
            counts.push_back(1);
        } else {
            ++counts[static_cast<size_t>(at - devices.begin())];
        }
    }
    std::unordered_set<std::uint64_t> synced;
    for (size_t d = 0; d < devices.size(); ++d) {
        if (counts[d] < kSyncFileSystemFrom)
            continue;
        for (size_t i = 0; i < entries.size(); ++i) {
            const auto& entry = entries[i];
            if (entry.method != Method::Replace || entry.device != devices[d])
                continue;
            const int fd = ::open(entry.temp.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
            if (fd < 0)
                break;  // flushed one by one below, which tells why
            const bool ok = ::syncfs(fd) == 0;
            const int code = errno;
            ::close(fd);
            if (ok) {
                synced.insert(devices[d]);
            } else if (code != ENOSYS && i < usable) {
                err = ErrorOf(code);
                usable = i;
            }
            break;
        }
    }
    for (size_t i = 0; i < usable; ++i) {
        const auto& entry = entries[i];
        if (entry.method != Method::Replace || synced.count(entry.device))
            continue;
        const int fd = ::open(entry.temp.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        const bool ok = fd >= 0 && SyncData(fd);
        if (!ok) {
            err = LastError();
            usable = i;
        }
        if (fd >= 0)
            ::close(fd);
    }
#else
    (void)err;
#endif
    return usable;
}

}  // namespace

DurableWriteBatch::DurableWriteBatch() = default;
DurableWriteBatch::~DurableWriteBatch() { discard(); }

bool DurableWriteBatch::empty() const { return entries_.empty(); }
const std::string& DurableWriteBatch::failedPath() const { return failedPath_; }

void DurableWriteBatch::discard()
{
    for (const auto& entry : entries_)
        if (entry.method == Method::Replace)
            RemoveFile(entry.temp);
    entries_.clear();
}

bool DurableWriteBatch::add(const std::string& path, std::string_view bytes, FileError& err)
{
    Plan plan;
    if (!Inspect(path, plan, err))
        return false;
    Entry entry;
    entry.path = path;
    entry.target = plan.target;
    entry.method = plan.method;
    if (plan.method == Method::Replace) {
        bool inPlace = false;
        if (!WriteBeside(plan, bytes, entry, inPlace, err)) {
            if (!inPlace)
                return false;
            entry.method = Method::InPlace;
            entry.temp.clear();
        }
    }
    if (entry.method != Method::Replace)
        entry.bytes.assign(bytes.data(), bytes.size());
    entries_.push_back(std::move(entry));
    return true;
}

bool DurableWriteBatch::commit(FileError& err)
{
    failedPath_.clear();
    FileError syncErr;
    const size_t usable = SyncTemps(entries_, syncErr);
    struct Folder {
        std::string prefix;
        std::string firstPath;  // named when flushing the folder fails
    };
    std::vector<Folder> folders;  // of the renamed files, each once
    bool ok = true;
    size_t done = 0;
    for (; done < usable; ++done) {
        const Entry& entry = entries_[done];
        switch (entry.method) {
        case Method::Replace:
            ok = Rename(entry.temp, entry.target, err);
            if (ok) {
                std::string prefix = FolderPrefix(entry.target);
                if (std::none_of(folders.begin(), folders.end(), [&](const Folder& f) { return f.prefix == prefix; }))
                    folders.push_back({std::move(prefix), entry.path});
            }
            break;
        case Method::InPlace: ok = WriteInPlace(entry.target, entry.bytes, err); break;
        case Method::Stream: ok = WriteStream(entry.target, entry.bytes, err); break;
        }
        if (!ok) {
            failedPath_ = entry.path;
            break;
        }
    }
    if (ok && done < entries_.size()) {
        err = syncErr;
        failedPath_ = entries_[done].path;
        ok = false;
    }
    entries_.erase(entries_.begin(), entries_.begin() + static_cast<std::ptrdiff_t>(done));  // in place now
    discard();  // what follows a failed file stays unwritten
    for (const Folder& folder : folders) {
        FileError folderErr;
        if (!SyncFolder(folder.prefix, folderErr) && ok) {
            err = folderErr;
            failedPath_ = folder.firstPath;
            ok = false;
        }
    }
    return ok;
}

void DurableWriteBatch::addOrThrow(const std::string& path, std::string_view bytes)
{
    FileError err;
    if (!add(path, bytes, err))
        throw DravikError(CannotCreateFileMessage(path, err.reason));
}

void DurableWriteBatch::commitOrThrow()
{
    FileError err;
    if (!commit(err))
        throw DravikError(CannotCreateFileMessage(failedPath_, err.reason));
}

bool WriteFileSafely(const std::string& path, std::string_view bytes, FileError& err)
{
    DurableWriteBatch batch;
    return batch.add(path, bytes, err) && batch.commit(err);
}

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

bool ReadWholeFile(const std::string& path, std::string& bytes, FileError& err)
{
#ifdef _WIN32
    const Handle file = DiskFileOrNone(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr),
                                       err);
    if (file == kNoHandle)
        return false;
    LARGE_INTEGER size{};
    const size_t expected = GetFileSizeEx(file, &size) && size.QuadPart > 0 ? static_cast<size_t>(size.QuadPart) : 0;
#else
    // Not waiting for a writer: a FIFO opens at once, and is then refused.
    Handle file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (file < 0) {
        err = LastError();
        return false;
    }
    struct stat info {};
    if (::fstat(file, &info) != 0 || !S_ISREG(info.st_mode)) {
        // A device such as /dev/zero would be read without end.
        err = S_ISDIR(info.st_mode) ? ErrorOf(EISDIR) : NotARegularFile();
        Close(file);
        return false;
    }
    ::fcntl(file, F_SETFL, ::fcntl(file, F_GETFL) & ~O_NONBLOCK);
    const size_t expected = info.st_size > 0 ? static_cast<size_t>(info.st_size) : 0;
#endif
    std::string read;
    read.reserve(expected);
    const bool ok = ReadAll(file, read, err);
    Close(file);
    if (ok)
        bytes = std::move(read);
    return ok;
}

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

void SetWriteFailureAfterBytesForTesting(long long bytes, int errorCode)
{
    gFailAfterBytes = bytes;
    gFailErrorCode = errorCode;
}

std::vector<std::string> RestartTemporaryNamesForTesting(std::uint64_t seed, int count)
{
    gNameSeed = seed != 0 ? seed : 1;
    gNameCounter = 0;
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        names.push_back(NameFor(gNameSeed, static_cast<std::uint64_t>(i), ".tmp"));
    return names;
}

}  // namespace dravik
