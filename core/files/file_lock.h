// Locks that keep two Dravik 2 processes from writing one file at the same
// time. They are advisory: they hold off only programs that ask for them.
//
// On POSIX the lock is a flock() on the file itself. It stays with the old
// file when a new one is renamed over it, so a process that waited for it
// looks again and locks the file the name holds now.
// On Windows a file cannot be replaced while any handle holds it open, so
// the lock is a byte of one lock file in the user's temporary folder, one
// byte for each file (chosen by its volume and file number), taken with
// LockFileEx.
#pragma once

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

    std::vector<Held> held_;
    std::string failedPath_;
};

}  // namespace dravik
