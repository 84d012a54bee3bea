// The file layer's calls into the system: file_io.cpp holds what every
// system shares (durable replacement, writing in place, the batch), and
// file_io_posix.cpp or file_io_windows.cpp, chosen by the build,
// what each system does its own way. Nothing outside core/files uses it.
#pragma once

#include "core/files/file_error.h"
#include "core/files/file_handle.h"
#include "core/files/file_lock.h"

#include <cstddef>
#include <compare>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace dravik {

// How a target is written.
enum class Method {
    Replace,  // a new file beside it, renamed over it
    InPlace,  // rewritten where it stands, with a backup while it is written
    Stream,   // a character device or FIFO: the bytes are written into it
};

struct BatchEntry {
    std::string path;    // as given: what messages name
    std::string target;  // the file really written (links followed)
    Method method = Method::Replace;
    std::string temp;    // Replace: the new file beside the target, written and closed
    std::string bytes;   // InPlace, Stream: written at commit
    std::uint64_t device = 0;  // of the new file: one flush per file system
    StillAsRead stillAsRead;   // what the target must hold when it is replaced; empty: anything
};

namespace sys {

// What add() learns about a target before it writes anything.
struct Plan {
    Method method = Method::Replace;
    std::string target;
    bool exists = false;
    // An existing target's owner, group and permission bits, where the
    // system has them.
    std::uint32_t owner = 0;
    std::uint32_t group = 0;
    std::uint32_t mode = 0;
};

FileError ErrorOf(int code);
// The system's own text for an error code, as the system words it.
std::string ErrorText(int code);
// The error of the last failed call of this thread.
FileError LastError();
// Access denied, as the system says it when a folder refuses a new file.
bool IsAccessDenied(int code);
// The error of a name that stays taken however often a fresh one is drawn.
FileError NamesExhausted();
// A device, FIFO, socket or console where only a regular file will do.
FileError NotARegularFile();

// ---- Open files

// At most `size` bytes; `got` 0 at the end (of a pipe too).
bool ReadSome(const FileHandle& file, char* buffer, size_t size, size_t& got, FileError& err);
// Some of the bytes; `put` says how many. On failure LastError() tells why.
bool WriteSome(const FileHandle& file, const char* data, size_t size, size_t& put);
// The bytes written so far are on the disk. On failure LastError() tells why.
bool SyncData(const FileHandle& file);
// Starts putting bytes already written on the disk without waiting for them,
// so that a large file's flush finds less left to do; nothing where the
// system has no such call.
void StartWriteback(const FileHandle& file, size_t offset, size_t size);
bool Rewind(const FileHandle& file);
// The file ends at the current position.
bool TruncateHere(const FileHandle& file);
// Takes the blocks `size` bytes need before the old bytes are touched, so a
// full disk refuses the write instead of cutting it short.
bool Reserve(const FileHandle& file, size_t size, FileError& err);

// ---- Names

// The part of a path up to and including its last separator: where a file
// beside the target is made ("" for the current folder).
std::string FolderPrefix(const std::string& path);
bool RemoveFile(const std::string& path);
bool Rename(const std::string& from, const std::string& to, FileError& err);
// Makes the renames into the folder durable.
bool SyncFolder(const std::string& prefix, FileError& err);

enum class Creation { Made, Taken, Failed };
// Creates the file exclusively for reading and writing, never opening what
// bears the name already: Taken then, whatever it is (a stray, a link, a
// folder). `mode` holds the permission bits where the system has them.
Creation CreateNew(const std::string& path, unsigned mode, FileHandle& file, FileError& err);

// ---- Targets

// Looks at the target without writing anything: how it is to be written,
// or why it cannot be (err).
bool Inspect(const std::string& path, Plan& plan, FileError& err);
// Gives the new file written beside an existing target what the target had
// (owner, group, permission bits) and notes its file system. False with
// `inPlace` set when only a write in place keeps them; else err tells why.
bool TakeOver(const Plan& plan, const FileHandle& file, std::uint64_t& device, bool& inPlace, FileError& err);
// Whether each new file is flushed as it is written; otherwise
// SyncNewFiles flushes them all before the renames.
bool SyncsEachNewFile();
// Makes the new files of the batch durable before any rename. How many
// entries may be put in place: all, or those before the first that failed.
size_t SyncNewFiles(const std::vector<BatchEntry>& entries, FileError& err);

// A regular file for reading; `size` its size, to reserve room for. Anything
// else is refused at once, never waited for.
FileHandle OpenForReading(const std::string& path, size_t& size, FileError& err);
// The target for rewriting in place, for reading too when the user may read
// it (`readable`); only a regular file.
FileHandle OpenInPlace(const std::string& target, bool& readable, FileError& err);
// A character device or FIFO for writing into, without waiting for a reader.
FileHandle OpenStream(const std::string& path, FileError& err);

// ---- Locks between processes (file_lock.h)

// One file, by whichever name it is reached.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t file = 0;
    auto operator<=>(const FileIdentity&) const = default;
};

// The file the path names now.
bool IdentityOf(const std::string& path, FileIdentity& id, FileError& err);
// Whether the system marks the file hidden, beside a name starting with a dot.
bool IsHidden(const std::filesystem::path& path);
// The one file every Dravik 2 of this user takes its locks in, a byte for
// each file saved: a save holds one handle however many files it saves.
FileHandle OpenLockFile(FileError& err);
enum class Locking { Locked, Busy, Failed };
// Takes the byte at `offset` of the lock file without waiting; Busy while
// another process holds it.
Locking TryLock(const FileHandle& lockFile, std::uint64_t offset, FileError& err);
void Unlock(const FileHandle& lockFile, std::uint64_t offset);

}  // namespace sys

struct FileLocks::Held {
    sys::FileIdentity id;
    std::uint64_t offset = 0;  // its byte in the lock file
};
}  // namespace dravik
