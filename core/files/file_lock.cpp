#include "core/files/file_lock.h"

#include "core/files/file_io_system.h"

#include <algorithm>
#include <thread>

namespace dravik {

namespace {

constexpr std::chrono::milliseconds kLookAgainAfter{20};

// The byte of the lock file that stands for a file: its identity mixed
// (FNV-1a), kept well below the largest offset any system takes.
std::uint64_t LockOffsetOf(const sys::FileIdentity& id)
{
    std::uint64_t mixed = 14695981039346656037ull;
    for (std::uint64_t part : {id.volume, id.file}) {
        for (int b = 0; b < 8; ++b) {
            mixed ^= (part >> (8 * b)) & 0xFF;
            mixed *= 1099511628211ull;
        }
    }
    return mixed & ((std::uint64_t{1} << 62) - 1);
}

}  // namespace

FileLocks::FileLocks() = default;
FileLocks::~FileLocks() { release(); }

void FileLocks::release()
{
    for (const Held& lock : held_)
        sys::Unlock(lockFile_, lock.offset);
    held_.clear();
}

bool FileLocks::lock(std::vector<std::string> paths, FileError& err)
{
    std::sort(paths.begin(), paths.end());
    paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
    failedPath_.clear();
    if (paths.empty())
        return true;
    if (!lockFile_ && !(lockFile_ = sys::OpenLockFile(err))) {
        failedPath_ = paths.front();
        return false;
    }
    for (const std::string& path : paths) {
        if (!lockOne(path, err)) {
            failedPath_ = path;
            release();
            return false;
        }
    }
    return true;
}

bool FileLocks::lockOne(const std::string& path, FileError& err)
{
    const auto deadline = std::chrono::steady_clock::now() + kLockWait;
    for (;;) {
        Held lock;
        if (!sys::IdentityOf(path, lock.id, err))
            return false;
        // The same file by another name (a link, "..") is locked already.
        if (std::any_of(held_.begin(), held_.end(), [&](const Held& other) { return other.id == lock.id; }))
            return true;
        lock.offset = LockOffsetOf(lock.id);
        switch (sys::TryLock(lockFile_, lock.offset, err)) {
        case sys::Locking::Failed: return false;
        case sys::Locking::Locked: {
            // While we waited, the other process may have renamed a new file
            // over the one we locked: that one is the file to lock now.
            sys::FileIdentity now;
            if (sys::IdentityOf(path, now, err) && now == lock.id) {
                held_.push_back(lock);
                return true;
            }
            sys::Unlock(lockFile_, lock.offset);
            break;
        }
        case sys::Locking::Busy: break;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            err = OwnFileError(0, kLockedByAnother);
            return false;
        }
        std::this_thread::sleep_for(kLookAgainAfter);
    }
}

}  // namespace dravik
