// Whole-file reads and safe replace-by-rename writes.
//
// Every file the program writes goes through WriteFileSafely: the bytes are
// written to a new file beside the target and renamed over it, so a failed or
// interrupted write leaves the old file whole.
#pragma once

#include <string>
#include <string_view>

namespace dravik {

// What the system said when a file operation failed.
struct FileError {
    int code = 0;          // errno (POSIX) or the Windows error code
    std::string reason;    // the system's own text for the code
};

// The system's own text for an error code (errno on POSIX, a Windows error
// code on Windows), without the full stop and line break it may end in.
std::string SystemErrorText(int code);

// Reads the whole file as bytes. False (and err filled) when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& bytes, FileError& err);

// Replaces the file with the bytes, keeping an existing target's permission
// bits. A target that exists but may not be written is refused like a plain
// open for writing would refuse it. False (and err filled) on failure; the old
// file is then unchanged.
bool WriteFileSafely(const std::string& path, std::string_view bytes, FileError& err);

// Throwing forms with the desc-file messages:
// "Cannot open file "%s". %s" and "Cannot create file "%s". %s".
std::string ReadFileOrThrow(const std::string& path);
void WriteFileOrThrow(const std::string& path, std::string_view bytes);

// The text-file error of a failed table text file operation:
// "File not found", "File access denied", "Disk full", "Invalid filename",
// "Too many open files" or "I/O error %d".
std::string TextFileErrorMessage(const FileError& err);

// Test seam: when set, WriteFileSafely fails with this error code after
// writing this many bytes of the next writes (a full disk, a yanked drive).
// Negative disables it.
void SetWriteFailureAfterBytesForTesting(long long bytes, int errorCode);

}  // namespace dravik
