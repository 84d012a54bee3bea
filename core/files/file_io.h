// Whole-file reads and durable writes.
//
// Every file the program writes goes through WriteFileSafely or a
// DurableWriteBatch: the bytes are written to a new file beside the target,
// flushed to the disk, and renamed over the target, whose folder is flushed
// in turn. A failed write, a killed process, a system crash or a power cut
// therefore leaves each file wholly old or wholly new.
//
// Where a rename would take from the user what the old file had (the folder
// may not be written but the file may, the file has other hard links, its
// owner or group cannot be given to a new file), the file is rewritten in
// place instead: a backup of the old bytes is kept beside it until the new
// bytes are on the disk, when the folder lets one be made, and a failed write
// puts the old bytes back. An existing character device or FIFO is written
// into as a stream (--out /dev/null); other files that are not regular files
// are refused, never replaced.
#pragma once

#include "core/files/file_error.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace dravik {

// The reason given for a file that is not a regular file (a device, a FIFO, a
// socket) where only a regular file will do.
inline constexpr TextId kNotARegularFile = DRAVIK_TR("Files", "Not a regular file");

// Reads the whole file as bytes. False (and err filled) when it cannot be read.
// Only regular files are read: a FIFO, device or socket is refused at once
// (never waited on, never read without end).
bool ReadWholeFile(const std::string& path, std::string& bytes, FileError& err);

// Replaces the file with the bytes durably, keeping an existing target's
// permission bits, owner and group. A target that exists but may not be
// written is refused like a plain open for writing would refuse it. False
// (and err filled) on failure; the old file is then unchanged.
bool WriteFileSafely(const std::string& path, std::string_view bytes, FileError& err);

// A file's bytes made a piece at a time, for a file too big to be worth
// holding whole: calls `put` with each piece in order, and stops, returning
// false, when `put` does. It may be asked more than once.
using PieceWriter = std::function<bool(std::string_view piece)>;
using BytePieces = std::function<bool(const PieceWriter& put)>;

// WriteFileSafely of the bytes the pieces make.
bool WriteFileSafely(const std::string& path, const BytePieces& pieces, FileError& err);

struct BatchEntry;  // one file added to a batch, as file_io_system.h describes it

// What a file must still hold when a batch replaces it: called with the
// file's bytes as they are right then, true when they are still the bytes the
// new ones were made from. A program that takes no lock (an editor saving on
// its own) may change the file at any moment; its change is never written
// over.
using StillAsRead = std::function<bool(std::string_view now)>;

// Whether WriteFileSafely could replace the file now, asked without writing
// anything: false (err filled as a write would fill it) for a folder, a file
// the user may not write, a socket or a block device.
bool CanReplace(const std::string& path, FileError& err);

// WriteFileSafely for many files at once, paying one flush pass for all of
// them instead of one per file:
//
//     DurableWriteBatch batch;
//     for (each file)
//         batch.addOrThrow(path, bytes);  // written beside the target; target untouched
//     batch.commitOrThrow();              // every target replaced, in the order added
//
// Until commit() no target changes; files added but never committed leave no
// trace (discard() or the destructor removes what add() wrote). A commit is
// all or nothing as far as the system lets it be: a new file that cannot be
// flushed, or a target that changed since it was read, leaves every target
// as it was; a save whose add() fails discards the batch to keep it so.
class DurableWriteBatch {
public:
    DurableWriteBatch();
    ~DurableWriteBatch();
    DurableWriteBatch(const DurableWriteBatch&) = delete;
    DurableWriteBatch& operator=(const DurableWriteBatch&) = delete;

    // Writes the bytes for the path now, beside it; the path is checked as
    // WriteFileSafely checks it. False (and err filled, naming why the target
    // cannot be written) on failure; the batch then holds what it held.
    // With `stillAsRead`, the target is read again right before it is
    // replaced, and left alone when it no longer holds what it was read as.
    bool add(const std::string& path, std::string_view bytes, FileError& err, StillAsRead stillAsRead = {});
    bool add(const std::string& path, const BytePieces& pieces, FileError& err, StillAsRead stillAsRead = {});
    // Puts every added file in place, in the order added, once every new
    // file is on the disk. First every target that has a StillAsRead is read
    // again: when one of them changed, none is replaced (changed() names
    // them). Then each is read once more right before it is replaced, and one
    // that changed in between is left as it is while the others go on.
    // False when a file was left as it was for either reason, or failed:
    // failedPath() then names the file that could not be written; the files
    // before it are written (a failure to flush the new files writes none),
    // it and the later ones are unchanged. The batch is empty afterwards
    // either way.
    bool commit(FileError& err);
    const std::string& failedPath() const;
    // After commit: the files left as they were because they changed since
    // they were read, in the order added.
    const std::vector<std::string>& changed() const { return changed_; }
    // After commit: for each file, in the order added, whether it now holds
    // its new bytes.
    const std::vector<bool>& replaced() const { return replaced_; }
    // Drops every file added since the last commit; no target changes.
    void discard();
    bool empty() const;

    // Throwing forms with the message "Cannot create file "%s". %s".
    void addOrThrow(const std::string& path, std::string_view bytes);
    void commitOrThrow();

private:
    // The steps of commit: every new file on the disk and every target as
    // it was read, else all discarded; then the targets replaced in turn.
    bool readyToReplace(FileError& err);
    bool replaceAll(FileError& err);

    using Entry = BatchEntry;
    std::vector<Entry> entries_;
    std::string failedPath_;
    std::vector<std::string> changed_;
    std::vector<bool> replaced_;
};

// The messages of a file that cannot be read or written, with the system's
// reason. Messages are text: a path in them is its rendering (PathText).
Message CannotOpenFileMessage(const std::string& path, const Message& reason);
Message CannotCreateFileMessage(const std::string& path, const Message& reason);

// Throwing forms with the desc-file messages:
// "Cannot open file "%s". %s" and "Cannot create file "%s". %s".
std::string ReadFileOrThrow(const std::string& path);
void WriteFileOrThrow(const std::string& path, std::string_view bytes);

// The text-file error of a failed table text file operation:
// "File not found", "File access denied", "Disk full", "Invalid filename",
// "Too many open files" or "I/O error %d".
Message TextFileErrorMessage(const FileError& err);

// Test seam: when set, every write fails with this error code after writing
// this many bytes of the next writes (a full disk, a yanked drive). Negative
// disables it.
void SetWriteFailureAfterBytesForTesting(long long bytes, int errorCode);

// Lets this process hold as many files open at once as the system allows it
// (the soft limit raised to the hard one), where it may. Called at start.
void RaiseOpenFileLimit();

// Test seam: called during a commit once every new file is written and
// flushed, with "" right before the targets are read again, then with each
// target's path right before it is read again and replaced. Empty to stop.
void SetBeforeReplacingForTesting(std::function<void(const std::string& path)> hook);

// Test seam: the names of the files written beside a target start again from
// this seed, as in a new process whose id and clock repeat (a container).
// Returns the first `count` names the next writes will try, in order.
std::vector<std::string> RestartTemporaryNamesForTesting(std::uint64_t seed, int count);

}  // namespace dravik
