#include "core/files/file_lock.h"

#include "core/files/file_io_system.h"

#include <algorithm>
#include <thread>

namespace dravik {

namespace {

constexpr std::chrono::milliseconds kLookAgainAfter{20};

}  // namespace

FileLocks::FileLocks() = default;
FileLocks::~FileLocks() { release(); }

void FileLocks::release()
{
    for (const Held& lock : held_)
        sys::Unlock(lock.handle, lock.id);
    held_.clear();
}

bool FileLocks::lock(std::vector<std::string> paths, FileError& err)
{
    std::sort(paths.begin(), paths.end());
    paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
    failedPath_.clear();
    sys::AllowOpenFiles(held_.size() + paths.size());
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
        lock.handle = sys::OpenToLock(path, lock.id, err);
        if (!lock.handle)
            return false;
        // The same file by another name (a link, "..") is locked already: a
        // second lock of ours would wait for the first.
        if (std::any_of(held_.begin(), held_.end(), [&](const Held& other) { return other.id == lock.id; }))
            return true;
        switch (sys::TryLock(lock.handle, lock.id, err)) {
        case sys::Locking::Failed: return false;
        case sys::Locking::Locked: {
            // While we waited, the other process may have renamed a new file
            // over the one we locked: that one is the file to lock now.
            sys::FileIdentity now;
            if (sys::IdentityOf(path, now, err) && now == lock.id) {
                held_.push_back(std::move(lock));
                return true;
            }
            sys::Unlock(lock.handle, lock.id);
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
