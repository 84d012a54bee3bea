// An open file, pipe or process of the system's, closed when it goes, and
// the one loop that reads one to its end. The file layer and the process
// runner share them.
#pragma once

#include "core/files/file_error.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace dravik {

class FileHandle {
public:
    // What no open handle is. On Windows INVALID_HANDLE_VALUE, which the
    // creating functions give on failure, is taken as null.
#ifdef _WIN32
    using Native = void*;  // a HANDLE
    static constexpr Native kNone = nullptr;
#else
    using Native = int;  // a file descriptor
    static constexpr Native kNone = -1;
#endif

    FileHandle() = default;
    explicit FileHandle(Native handle);
    ~FileHandle() { reset(); }
    FileHandle(FileHandle&& other) noexcept;
    FileHandle& operator=(FileHandle&& other) noexcept;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    Native get() const { return handle_; }
    explicit operator bool() const { return handle_ != kNone; }
    // Closes now. False (err filled) when the system reports a failure, which
    // for a file just written may mean its last bytes were not kept.
    bool close(FileError& err);
    void reset();

private:
    Native handle_ = kNone;
};

// Reads until the end, handing each read of at most `chunk` bytes to `take`.
// The end of a pipe whose writers have all gone is the end, not a failure.
// False (err filled) when a read fails.
bool ReadChunks(const FileHandle& file, size_t chunk, const std::function<void(std::string_view)>& take,
                FileError& err);

// Everything from the current position on.
bool ReadToEnd(const FileHandle& file, std::string& bytes, FileError& err);

// Back to the first byte. False (err filled) on failure.
bool Rewind(const FileHandle& file, FileError& err);

}  // namespace dravik
