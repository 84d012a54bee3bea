// Locks that keep two Dravik 2 processes from writing one file at the same
// time. They are advisory: they hold off only programs that ask for them.
//
// The lock of a file is a byte of one lock file of the user's, chosen by
// the file's identity (its device and inode, or its volume and file number
// on Windows): a save of thousands of files holds one handle, not one per
// file, and only Dravik 2 takes those bytes, so a file found locked is being
// saved by another Dravik 2. The lock file lies in the user's runtime folder
// ($XDG_RUNTIME_DIR) or the temporary folder (taken with fcntl) on POSIX,
// in the user's temporary folder (taken with LockFileEx) on Windows, where a
// file cannot be replaced while any handle holds it open.
// A new file renamed over a locked one has another identity: a process that
// waited for the old one looks again and locks the file the name holds now.
#pragma once

#include "core/files/file_handle.h"
#include "core/files/file_io.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace dravik {

// How long a save waits for another process to finish with a file before
// it gives up.
inline constexpr std::chrono::milliseconds kLockWait{3000};

// The reason given for a file another process holds locked.
inline constexpr TextId kLockedByAnother =
    DRAVIK_TR("Files", "Another Dravik 2 is saving this file; try again when it has finished");

class FileLocks {
public:
    FileLocks();
    ~FileLocks();  // releases every lock
    FileLocks(const FileLocks&) = delete;
    FileLocks& operator=(const FileLocks&) = delete;

    // Locks the file of each path, in path order, so that two saves of
    // overlapping files never each wait for a file the other holds. A file
    // another process holds is waited for up to kLockWait. False (err
    // filled, failedPath() naming it) when a file cannot be locked; no lock
    // is held then.
    bool lock(std::vector<std::string> paths, FileError& err);
    const std::string& failedPath() const { return failedPath_; }
    void release();

    struct Held;  // one lock, as the system keeps it

private:
    bool lockOne(const std::string& path, FileError& err);

    FileHandle lockFile_;
    std::vector<Held> held_;
    std::string failedPath_;
};

}  // namespace dravik
