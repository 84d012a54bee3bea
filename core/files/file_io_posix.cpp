// The file layer's calls into a POSIX system.
#include "core/files/file_io.h"
#include "core/files/file_io_system.h"
#include "core/files/native_path.h"
#include "core/text/utf8_text.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <unordered_set>
#include <utility>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dravik {

FileHandle::FileHandle(Native handle) : handle_(handle < 0 ? kNone : handle) {}

bool FileHandle::close(FileError& err)
{
    if (handle_ == kNone)
        return true;
    const bool ok = ::close(std::exchange(handle_, kNone)) == 0;
    if (!ok)
        err = sys::LastError();
    return ok;
}

std::string sys::ErrorText(int code) { return std::strerror(code); }

Message TextFileErrorMessage(const FileError& err)
{
    switch (err.code) {
    case ENOENT: return Message(DRAVIK_TR("Files", "File not found"));
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
    case ELOOP: return Message(DRAVIK_TR("Files", "Invalid filename"));
    case EMFILE:
    case ENFILE: return Message(DRAVIK_TR("Files", "Too many open files"));
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case ETXTBSY: return Message(DRAVIK_TR("Files", "File access denied"));
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return Message(DRAVIK_TR("Files", "Disk full"));
    case ENXIO: return err.why();  // a FIFO nobody reads: its number would tell the user nothing
    default: return Message(DRAVIK_TR("Files", "I/O error %1"), {std::to_string(err.code)});
    }
}

// The file system takes the bytes as they are: every path is its own text.
std::string PathText(std::string_view path) { return std::string(path); }
bool PathFitsText(std::string_view) { return true; }
std::filesystem::path FileSystemPath(std::string_view path) { return std::filesystem::path(std::string(path)); }
std::string PathOfFileSystemPath(const std::filesystem::path& path) { return path.native(); }

bool IsPathSeparator(char c) { return c == '/'; }
bool SameNameChar(char a, char b) { return a == b; }

size_t NameStart(std::string_view path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? 0 : slash + 1;
}

std::string PathOfUtf16(std::u16string_view units)
{
    std::string bytes;
    for (size_t i = 0; i < units.size(); ++i) {
        char32_t c = units[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
        else if (c >= 0xD800 && c < 0xE000)
            c = 0xFFFD;  // half a pair names no character
        AppendUtf8(bytes, c);
    }
    return bytes;
}

std::string ResolvedPathKey(const std::string& path)
{
    namespace fs = std::filesystem;
    if (path.empty())
        return path;
    std::error_code ec;
    const fs::path absolute = fs::absolute(fs::path(path), ec);
    if (ec)
        return path;
    fs::path resolved = fs::weakly_canonical(absolute, ec);
    return ec ? absolute.lexically_normal().native() : resolved.native();
}

namespace sys {

namespace {

// The file a write really replaces: a symbolic link is followed, so the link
// stays a link and its target gets the new bytes.
std::string ResolveLinks(const std::string& path)
{
    namespace fs = std::filesystem;
    std::string current = path;
    for (int depth = 0; depth < 40; ++depth) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(current, ec)))
            return current;
        std::string target = fs::read_symlink(current, ec).native();
        if (ec)
            return current;
        if (!target.empty() && target[0] != '/') {
            const size_t slash = current.rfind('/');
            if (slash != std::string::npos)
                target = current.substr(0, slash + 1) + target;
        }
        current = target;
    }
    return current;
}

// What a FIFO opened for writing while no process reads it gets.
constexpr TextId kNoReader = DRAVIK_TR("Files", "No program is reading from the FIFO");

// A FIFO or device is opened without waiting for its other end, then used
// blocking as any file.
void Blocking(int fd) { ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK); }

}  // namespace

FileError ErrorOf(int code)
{
    // The limit that stopped it, so that the user knows what to raise.
    struct rlimit limit {};
    if (code == EMFILE && ::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        return OwnFileError(code, Message(DRAVIK_TR("Files", "%1 (at most %2 files may be open at once)"),
                                          {SystemErrorText(code), std::to_string(limit.rlim_cur)}));
    return FileError{code, SystemErrorText(code), {}};
}
FileError LastError() { return ErrorOf(errno); }
bool IsAccessDenied(int code) { return code == EACCES || code == EPERM; }
FileError NamesExhausted() { return ErrorOf(EEXIST); }
FileError NotARegularFile() { return OwnFileError(EACCES, kNotARegularFile); }

bool ReadSome(const FileHandle& file, char* buffer, size_t size, size_t& got, FileError& err)
{
    for (;;) {
        const ssize_t done = ::read(file.get(), buffer, size);
        if (done >= 0) {
            got = static_cast<size_t>(done);
            return true;
        }
        if (errno != EINTR) {
            err = LastError();
            return false;
        }
    }
}

bool WriteSome(const FileHandle& file, const char* data, size_t size, size_t& put)
{
    for (;;) {
        const ssize_t done = ::write(file.get(), data, size);
        if (done >= 0) {
            put = static_cast<size_t>(done);
            return true;
        }
        if (errno != EINTR)
            return false;
    }
}

bool SyncData(const FileHandle& file)
{
#if defined(__linux__)
    return ::fdatasync(file.get()) == 0;
#else
    return ::fsync(file.get()) == 0;
#endif
}

void StartWriteback(const FileHandle& file, size_t offset, size_t size)
{
#if defined(__linux__)
    static_cast<void>(::sync_file_range(file.get(), static_cast<off64_t>(offset), static_cast<off64_t>(size),
                                        SYNC_FILE_RANGE_WRITE));
#else
    static_cast<void>(file);
    static_cast<void>(offset);
    static_cast<void>(size);
#endif
}

bool Rewind(const FileHandle& file) { return ::lseek(file.get(), 0, SEEK_SET) == 0; }

bool TruncateHere(const FileHandle& file)
{
    const off_t here = ::lseek(file.get(), 0, SEEK_CUR);
    return here >= 0 && ::ftruncate(file.get(), here) == 0;
}

bool Reserve(const FileHandle& file, size_t size, FileError& err)
{
#ifdef __linux__
    struct stat info {};
    if (::fstat(file.get(), &info) == 0 && static_cast<size_t>(info.st_size) < size &&
        ::fallocate(file.get(), FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size)) != 0 &&
        (errno == ENOSPC || errno == EDQUOT)) {
        err = LastError();
        return false;
    }
#else
    (void)file;
    (void)size;
    (void)err;
#endif
    return true;
}

std::string FolderPrefix(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool Rename(const std::string& from, const std::string& to, FileError& err)
{
    if (::rename(from.c_str(), to.c_str()) == 0)
        return true;
    err = LastError();
    return false;
}

bool SyncFolder(const std::string& prefix, FileError& err)
{
    const FileHandle folder(::open(prefix.empty() ? "." : prefix.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder)
        return true;  // a folder we may not read cannot be flushed by us
    // Some file systems cannot flush a folder at all; their renames are as
    // durable as they get.
    const bool ok = ::fsync(folder.get()) == 0 || errno == EINVAL || errno == ENOTSUP;
    if (!ok)
        err = LastError();
    return ok;
}

Creation CreateNew(const std::string& path, unsigned mode, FileHandle& file, FileError& err)
{
    file = FileHandle(::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode));
    if (file)
        return Creation::Made;
    if (errno == EEXIST)
        return Creation::Taken;
    err = LastError();
    return Creation::Failed;
}

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
    plan.owner = info.st_uid;
    plan.group = info.st_gid;
    plan.mode = info.st_mode & 07777;
    if (info.st_nlink > 1)
        plan.method = Method::InPlace;  // a rename would cut the other names off
    return true;
}

bool TakeOver(const Plan& plan, const FileHandle& file, std::uint64_t& device, bool& inPlace, FileError& err)
{
    struct stat made {};
    if (::fstat(file.get(), &made) != 0) {
        err = LastError();
        return false;
    }
    device = static_cast<std::uint64_t>(made.st_dev);
    if (!plan.exists)
        return true;
    if ((made.st_uid != plan.owner || made.st_gid != plan.group) && ::fchown(file.get(), plan.owner, plan.group) != 0) {
        // Only root may give a file away: the old file keeps its owner by
        // being rewritten where it stands.
        inPlace = true;
        return false;
    }
    if (::fchmod(file.get(), plan.mode) != 0) {  // after fchown, which drops set-id bits
        err = LastError();
        return false;
    }
    return true;
}

bool SyncsEachNewFile()
{
#ifdef __linux__
    return false;  // one syncfs per file system in SyncNewFiles does them all
#else
    return true;
#endif
}

size_t SyncNewFiles(const std::vector<BatchEntry>& entries, FileError& err)
{
    size_t usable = entries.size();
#ifdef __linux__
    // One syncfs per file system when many new files share one.
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
            const FileHandle file(::open(entry.temp.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
            if (!file)
                break;  // flushed one by one below, which tells why
            const bool ok = ::syncfs(file.get()) == 0;
            const int code = errno;
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
        const FileHandle file(::open(entry.temp.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
        if (!file || !SyncData(file)) {
            err = LastError();
            usable = i;
        }
    }
#else
    (void)entries;
    (void)err;
#endif
    return usable;
}

FileHandle OpenForReading(const std::string& path, size_t& size, FileError& err)
{
    // Not waiting for a writer: a FIFO opens at once, and is then refused.
    FileHandle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!file) {
        err = LastError();
        // A socket cannot be opened at all, and the system's reason for that
        // ("No such device or address") would hide what it is.
        struct stat info {};
        if (err.code == ENXIO && ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
            err = NotARegularFile();
        return {};
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        // A device such as /dev/zero would be read without end.
        err = S_ISDIR(info.st_mode) ? ErrorOf(EISDIR) : NotARegularFile();
        return {};
    }
    Blocking(file.get());
    size = info.st_size > 0 ? static_cast<size_t>(info.st_size) : 0;
    return file;
}

FileHandle OpenInPlace(const std::string& target, bool& readable, FileError& err)
{
    readable = true;
    FileHandle file(::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY));
    if (!file && errno == EACCES) {
        readable = false;
        file = FileHandle(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY));
    }
    if (!file) {
        err = LastError();
        return {};
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        err = NotARegularFile();
        return {};
    }
    Blocking(file.get());
    return file;
}

FileHandle OpenStream(const std::string& path, FileError& err)
{
    // Not waiting for a reader: a FIFO nobody reads is refused at once.
    FileHandle file(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!file) {
        err = errno == ENXIO ? OwnFileError(ENXIO, kNoReader) : LastError();
        return {};
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !(S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode))) {
        err = ErrorOf(EAGAIN);  // replaced by something else meanwhile
        return {};
    }
    Blocking(file.get());
    return file;
}

namespace {

// The folders the lock file may lie in, the first usable one taken: the
// user's own runtime folder, else the temporary folder under a name of the
// user's.
std::vector<std::string> LockFileCandidates()
{
    std::vector<std::string> paths;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && runtime[0] == '/')
        paths.push_back(std::string(runtime) + "/dravik2-save.lock");
    const char* temporary = std::getenv("TMPDIR");
    const std::string folder = temporary && temporary[0] == '/' ? temporary : "/tmp";
    const std::string mine = "dravik2-save-" + std::to_string(::geteuid()) + ".lock";
    paths.push_back(folder + "/" + mine);
    if (folder != "/tmp")
        paths.push_back("/tmp/" + mine);
    return paths;
}

}  // namespace

// Off Windows a hidden file is one whose name starts with a dot, which the
// caller sees in the name.
bool IsHidden(const std::filesystem::path&) { return false; }

bool IdentityOf(const std::string& path, FileIdentity& id, FileError& err)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        err = LastError();
        return false;
    }
    id = {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
    return true;
}

FileHandle OpenLockFile(FileError& err)
{
    err = ErrorOf(ENOENT);
    for (const std::string& path : LockFileCandidates()) {
        FileHandle file(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK, 0600));
        struct stat info {};
        if (!file || ::fstat(file.get(), &info) != 0) {
            err = LastError();
            continue;
        }
        // Another user's file of that name (planted in a shared temporary
        // folder) would let them hold our saves off.
        if (!S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
            err = ErrorOf(EACCES);
            continue;
        }
        return file;
    }
    return {};
}

Locking TryLock(const FileHandle& lockFile, std::uint64_t offset, FileError& err)
{
    struct flock range {};
    range.l_type = F_WRLCK;
    range.l_whence = SEEK_SET;
    range.l_start = static_cast<off_t>(offset);
    range.l_len = 1;
    for (;;) {
        // Locks of the open file, not of the process, where the system has
        // them: two saves in one process exclude each other as two processes do.
#ifdef F_OFD_SETLK
        if (::fcntl(lockFile.get(), F_OFD_SETLK, &range) == 0)
            return Locking::Locked;
        // A kernel older than open file locks.
        if (errno == EINVAL && ::fcntl(lockFile.get(), F_SETLK, &range) == 0)
            return Locking::Locked;
#else
        if (::fcntl(lockFile.get(), F_SETLK, &range) == 0)
            return Locking::Locked;
#endif
        if (errno == EAGAIN || errno == EACCES)
            return Locking::Busy;
        // A file system that keeps no locks (a temporary folder on a network
        // share): the check of each file right before it is replaced is all
        // there is.
        if (errno == ENOLCK || errno == EOPNOTSUPP)
            return Locking::Locked;
        if (errno != EINTR) {
            err = LastError();
            return Locking::Failed;
        }
    }
}

void Unlock(const FileHandle& lockFile, std::uint64_t offset)
{
    struct flock range {};
    range.l_type = F_UNLCK;
    range.l_whence = SEEK_SET;
    range.l_start = static_cast<off_t>(offset);
    range.l_len = 1;
#ifdef F_OFD_SETLK
    if (::fcntl(lockFile.get(), F_OFD_SETLK, &range) == 0 || errno != EINVAL)
        return;
#endif
    ::fcntl(lockFile.get(), F_SETLK, &range);
}

}  // namespace sys

void RaiseOpenFileLimit()
{
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == limit.rlim_max)
        return;
    const rlim_t soft = limit.rlim_cur;
    limit.rlim_cur = limit.rlim_max;
    if (::setrlimit(RLIMIT_NOFILE, &limit) == 0 || limit.rlim_max != RLIM_INFINITY)
        return;
    // No hard limit, but the kernel has one of its own.
    limit.rlim_cur = std::max<rlim_t>(soft, 65536);
    ::setrlimit(RLIMIT_NOFILE, &limit);
}

}  // namespace dravik
