#include "core/files/file_io.h"

#include "core/errors.h"
#include "core/files/file_handle.h"
#include "core/files/file_io_system.h"
#include "core/files/native_path.h"

#include <algorithm>
#include <chrono>
#include <mutex>
#include <random>
#include <utility>

namespace dravik {

namespace {

long long gFailAfterBytes = -1;
int gFailErrorCode = 0;
std::function<void(const std::string&)> gBeforeReplacing;

void BeforeReplacing(const std::string& path)
{
    if (gBeforeReplacing)
        gBeforeReplacing(path);
}

// ---- Names of the files written beside a target ------------------------
//
// Made as mkstemps makes them, a template's six places filled at random and
// the file created exclusively: short, so that a target whose name is as
// long as the file system allows still gets one, and random, so that a stray
// left by a killed process (whose id may well repeat in a container) is not
// hit again; a name that exists anyway is passed over, never opened.

constexpr int kNameAttempts = 100;

std::mutex gNamesMutex;
std::mt19937_64 gNames;
bool gNamesSeeded = false;

std::uint64_t FreshSeed()
{
    std::random_device device;
    return (std::uint64_t{device()} << 32) ^ device() ^
           static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

std::string NameFrom(std::mt19937_64& engine, const char* suffix)
{
    static const char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::uniform_int_distribution<int> digit(0, 35);
    std::string name = ".dravik-";
    for (int i = 0; i < 6; ++i)
        name += kDigits[digit(engine)];
    return name + suffix;
}

std::string NextName(const char* suffix)
{
    const std::lock_guard<std::mutex> lock(gNamesMutex);
    if (!gNamesSeeded) {
        gNames.seed(FreshSeed());
        gNamesSeeded = true;
    }
    return NameFrom(gNames, suffix);
}

// A name that exists already means this sequence was used before (a process
// restarted with the same id and clock, or a fork): leave it for a fresh one.
void NameTaken()
{
    const std::lock_guard<std::mutex> lock(gNamesMutex);
    gNames.seed(gNames() ^ FreshSeed());
}

// Creates a new file with a fresh name in the folder, never opening one that
// exists (a stray, a link, anything). `created` gets its path.
FileHandle CreateBeside(const std::string& prefix, const char* suffix, std::string& created, FileError& err,
                        unsigned mode = 0666)
{
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        created = prefix + NextName(suffix);
        FileHandle file;
        switch (sys::CreateNew(created, mode, file, err)) {
        case sys::Creation::Made: return file;
        case sys::Creation::Failed: return {};
        case sys::Creation::Taken: NameTaken(); break;
        }
    }
    err = sys::NamesExhausted();
    return {};
}

// ---- Writing ------------------------------------------------------------

// Writes every byte; the test seam may cut the write short. `before` bytes
// of the same file were written already, by earlier calls.
bool WriteAll(const FileHandle& file, std::string_view bytes, FileError& err, bool seam = true, size_t before = 0)
{
    const long long failAfter =
        seam && gFailAfterBytes >= 0 ? std::max(gFailAfterBytes - static_cast<long long>(before), 0LL) : -1;
    size_t done = 0;
    while (done < bytes.size()) {
        const size_t chunk = std::min<size_t>(bytes.size() - done, size_t{1} << 20);
        size_t put = 0;
        if (failAfter >= 0 && static_cast<long long>(done + chunk) > failAfter) {
            const size_t allowed = static_cast<size_t>(failAfter) > done ? static_cast<size_t>(failAfter) - done : 0;
            if (allowed > 0 && !sys::WriteSome(file, bytes.data() + done, allowed, put)) {
                err = sys::LastError();
                return false;
            }
            err = sys::ErrorOf(gFailErrorCode);
            return false;
        }
        if (!sys::WriteSome(file, bytes.data() + done, chunk, put)) {
            err = sys::LastError();
            return false;
        }
        done += put;
    }
    return true;
}

// Writes every piece, one after another. Each megabyte written is sent on
// to the disk while the next is made: the flush that makes a large table
// durable then waits for less.
bool WritePieces(const FileHandle& file, const BytePieces& pieces, FileError& err)
{
    constexpr size_t kWritebackEvery = size_t{1} << 20;
    size_t written = 0;
    size_t sent = 0;
    return pieces([&](std::string_view piece) {
        if (!WriteAll(file, piece, err, true, written))
            return false;
        written += piece.size();
        if (written - sent >= kWritebackEvery) {
            sys::StartWriteback(file, sent, written - sent);
            sent = written;
        }
        return true;
    });
}

// The bytes the pieces make, whole.
std::string Joined(const BytePieces& pieces)
{
    std::string bytes;
    pieces([&](std::string_view piece) {
        bytes.append(piece);
        return true;
    });
    return bytes;
}

bool Flushed(const FileHandle& file, FileError& err)
{
    if (sys::SyncData(file))
        return true;
    err = sys::LastError();
    return false;
}

// The new file beside the target, written (and flushed, where each is).
bool WriteBeside(const sys::Plan& plan, const BytePieces& pieces, BatchEntry& entry, bool& inPlace,
                 FileError& err)
{
    FileHandle file =
        CreateBeside(sys::FolderPrefix(plan.target), ".tmp", entry.temp, err, plan.exists ? 0600 : 0666);
    if (!file) {
        // A file the user may write in a folder that refuses new files.
        inPlace = plan.exists && sys::IsAccessDenied(err.code);
        return false;
    }
    bool ok = sys::TakeOver(plan, file, entry.device, inPlace, err) && WritePieces(file, pieces, err);
    if (ok && sys::SyncsEachNewFile())
        ok = Flushed(file, err);
    FileError closeErr;
    if (!file.close(closeErr) && ok) {
        err = closeErr;
        ok = false;
    }
    if (!ok)
        sys::RemoveFile(entry.temp);
    return ok;
}

// Rewrites a file where it stands, for the targets a rename would harm. The
// old bytes stay in a backup beside the file until the new ones are on the
// disk (when the folder takes one), and a failed write puts them back. A file
// that no longer holds what it was read as (`stillAsRead`) is left as it is,
// with `changed` set; one that cannot be read then counts as changed.
bool WriteInPlace(const std::string& target, std::string_view bytes, const StillAsRead& stillAsRead, bool& changed,
                  FileError& err)
{
    changed = false;
    bool readable = true;
    const FileHandle file = sys::OpenInPlace(target, readable, err);
    if (!file)
        return false;
    std::string old;
    if (readable && !ReadToEnd(file, old, err))
        return false;
    if (stillAsRead && (!readable || !stillAsRead(old))) {
        changed = true;
        return true;
    }
    std::string backup;
    if (readable) {
        const std::string prefix = sys::FolderPrefix(target);
        const std::string name = target.substr(prefix.size());
        // Named after the file when the name leaves room (255 bytes is the
        // common limit), so the user can tell whose old text it holds.
        FileError ignored;
        FileHandle copy = CreateBeside(name.size() + 18 <= 255 ? target : prefix, ".bak", backup, ignored, 0600);
        bool kept = static_cast<bool>(copy);
        if (kept) {
            kept = WriteAll(copy, old, ignored, false) && sys::SyncData(copy);
            copy.reset();
            kept = kept && sys::SyncFolder(prefix, ignored);
            if (!kept)
                sys::RemoveFile(backup);
        }
        if (!kept)
            backup.clear();  // the old bytes are still kept in memory for a failed write
    }
    if (!sys::Reserve(file, bytes.size(), err)) {
        if (!backup.empty())
            sys::RemoveFile(backup);
        return false;
    }
    bool ok = sys::Rewind(file);
    if (!ok)
        err = sys::LastError();
    ok = ok && WriteAll(file, bytes, err);
    if (ok && !(sys::TruncateHere(file) && sys::SyncData(file))) {
        err = sys::LastError();
        ok = false;
    }
    bool restored = ok;
    if (!ok && readable) {
        FileError ignored;
        restored = sys::Rewind(file) && WriteAll(file, old, ignored, false) && sys::TruncateHere(file) &&
                   sys::SyncData(file);
    }
    if (!backup.empty() && restored)
        sys::RemoveFile(backup);  // else it holds the only whole copy of the old text
    return ok;
}

bool WriteStream(const std::string& path, std::string_view bytes, FileError& err)
{
    const FileHandle file = sys::OpenStream(path, err);
    return file && WriteAll(file, bytes, err);
}

}  // namespace

std::string SystemErrorText(int code)
{
    std::string text = sys::ErrorText(code);
    // Windows' texts end in ".\r\n"; the messages add their own full stop.
    while (!text.empty() && (static_cast<unsigned char>(text.back()) <= 32 || text.back() == '.'))
        text.pop_back();
    return text;
}

// ---- Open handles ---------------------------------------------------------

FileHandle::FileHandle(FileHandle&& other) noexcept : handle_(std::exchange(other.handle_, kNone)) {}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept
{
    if (this != &other) {
        reset();
        handle_ = std::exchange(other.handle_, kNone);
    }
    return *this;
}

void FileHandle::reset()
{
    FileError ignored;
    close(ignored);
}

bool ReadChunks(const FileHandle& file, size_t chunk, const std::function<void(std::string_view)>& take,
                FileError& err)
{
    std::string buffer(chunk, '\0');
    for (;;) {
        size_t got = 0;
        if (!sys::ReadSome(file, buffer.data(), buffer.size(), got, err))
            return false;
        if (got == 0)
            return true;
        take(std::string_view(buffer.data(), got));
    }
}

bool ReadToEnd(const FileHandle& file, std::string& bytes, FileError& err)
{
    // Straight into the string, first into the room the caller reserved: a
    // file read whole is read without a buffer to clear and copy out of, and
    // whatever it gained since its size was taken is read on to its end.
    bytes.clear();
    size_t size = 0;
    for (;;) {
        bytes.resize(bytes.capacity() > size ? bytes.capacity() : size + (size_t{1} << 16));
        size_t got = 0;
        // At most 1 GB a read: a system may take a read's size in 32 bits.
        const size_t room = std::min(bytes.size() - size, size_t{1} << 30);
        if (!sys::ReadSome(file, bytes.data() + size, room, got, err))
            return false;
        size += got;
        if (got == 0) {
            bytes.resize(size);
            return true;
        }
    }
}

bool Rewind(const FileHandle& file, FileError& err)
{
    if (sys::Rewind(file))
        return true;
    err = sys::LastError();
    return false;
}

// ---- The batch --------------------------------------------------------------

DurableWriteBatch::DurableWriteBatch() = default;
DurableWriteBatch::~DurableWriteBatch() { discard(); }

bool DurableWriteBatch::empty() const { return entries_.empty(); }
const std::string& DurableWriteBatch::failedPath() const { return failedPath_; }

void DurableWriteBatch::discard()
{
    for (const auto& entry : entries_)
        if (entry.method == Method::Replace && !entry.temp.empty())
            sys::RemoveFile(entry.temp);
    entries_.clear();
}

bool DurableWriteBatch::add(const std::string& path, std::string_view bytes, FileError& err, StillAsRead stillAsRead)
{
    return add(path, [bytes](const PieceWriter& put) { return put(bytes); }, err, std::move(stillAsRead));
}

bool DurableWriteBatch::add(const std::string& path, const BytePieces& pieces, FileError& err, StillAsRead stillAsRead)
{
    sys::Plan plan;
    if (!sys::Inspect(path, plan, err))
        return false;
    Entry entry;
    entry.path = path;
    entry.target = plan.target;
    entry.method = plan.method;
    // A device or FIFO holds no bytes of its own to keep.
    if (plan.method != Method::Stream)
        entry.stillAsRead = std::move(stillAsRead);
    if (plan.method == Method::Replace) {
        bool inPlace = false;
        if (!WriteBeside(plan, pieces, entry, inPlace, err)) {
            if (!inPlace)
                return false;
            entry.method = Method::InPlace;
            entry.temp.clear();
        }
    }
    // Written at commit, from bytes held until then.
    if (entry.method != Method::Replace)
        entry.bytes = Joined(pieces);
    entries_.push_back(std::move(entry));
    return true;
}

namespace {

enum class Look { Holds, Changed, Failed };

// Whether the file still holds what it was read as. One that is gone (deleted
// or renamed meanwhile) does not; one that is there but cannot be read (no
// file may be opened any more) fails, with err filled.
Look StillHolds(const BatchEntry& entry, FileError& err)
{
    if (!entry.stillAsRead)
        return Look::Holds;
    std::string now;
    if (ReadWholeFile(entry.target, now, err))
        return entry.stillAsRead(now) ? Look::Holds : Look::Changed;
    sys::FileIdentity ignored;
    FileError gone;
    return sys::IdentityOf(entry.target, ignored, gone) ? Look::Failed : Look::Changed;
}

}  // namespace

bool DurableWriteBatch::commit(FileError& err)
{
    failedPath_.clear();
    changed_.clear();
    replaced_.assign(entries_.size(), false);
    return readyToReplace(err) && replaceAll(err);
}

bool DurableWriteBatch::readyToReplace(FileError& err)
{
    // Every new file on the disk before any target is replaced: one that
    // cannot be flushed leaves every target as it was.
    if (const size_t usable = sys::SyncNewFiles(entries_, err); usable < entries_.size()) {
        failedPath_ = entries_[usable].path;
        discard();
        return false;
    }
    // Writing and flushing thousands of files takes seconds, in which another
    // program may have saved one of them: then none is replaced.
    BeforeReplacing(std::string());
    for (const Entry& entry : entries_) {
        switch (StillHolds(entry, err)) {
        case Look::Holds: break;
        case Look::Changed: changed_.push_back(entry.path); break;
        case Look::Failed:
            failedPath_ = entry.path;
            discard();
            return false;
        }
    }
    if (!changed_.empty()) {
        discard();
        return false;
    }
    return true;
}

bool DurableWriteBatch::replaceAll(FileError& err)
{
    struct Folder {
        std::string prefix;
        std::string firstPath;  // named when flushing the folder fails
    };
    std::vector<Folder> folders;  // of the renamed files, each once
    bool ok = true;
    size_t done = 0;
    for (; done < entries_.size(); ++done) {
        Entry& entry = entries_[done];
        // Each file once more, right before its own replacement: a change
        // since the look above leaves this file alone, and the others go on.
        BeforeReplacing(entry.path);
        bool changed = false;
        switch (entry.method) {
        case Method::Replace: {
            const Look look = StillHolds(entry, err);
            changed = look == Look::Changed;
            ok = look != Look::Failed && (changed || sys::Rename(entry.temp, entry.target, err));
            if (changed) {
                sys::RemoveFile(entry.temp);
                entry.temp.clear();
            } else if (ok) {
                std::string prefix = sys::FolderPrefix(entry.target);
                if (std::none_of(folders.begin(), folders.end(), [&](const Folder& f) { return f.prefix == prefix; }))
                    folders.push_back({std::move(prefix), entry.path});
                entry.temp.clear();
            }
            break;
        }
        case Method::InPlace: ok = WriteInPlace(entry.target, entry.bytes, entry.stillAsRead, changed, err); break;
        case Method::Stream: ok = WriteStream(entry.target, entry.bytes, err); break;
        }
        if (!ok) {
            failedPath_ = entry.path;
            break;
        }
        if (changed)
            changed_.push_back(entry.path);
        else
            replaced_[done] = true;
    }
    entries_.erase(entries_.begin(), entries_.begin() + static_cast<std::ptrdiff_t>(done));  // in place now
    discard();  // what follows a failed file stays unwritten
    for (const Folder& folder : folders) {
        FileError folderErr;
        if (!sys::SyncFolder(folder.prefix, folderErr) && ok) {
            err = folderErr;
            failedPath_ = folder.firstPath;
            ok = false;
        }
    }
    return ok && changed_.empty();
}

void DurableWriteBatch::addOrThrow(const std::string& path, std::string_view bytes)
{
    FileError err;
    if (!add(path, bytes, err))
        throw DravikError(CannotCreateFileMessage(path, err.why()));
}

void DurableWriteBatch::commitOrThrow()
{
    FileError err;
    if (!commit(err))
        throw DravikError(CannotCreateFileMessage(failedPath_, err.why()));
}

// ---- Whole files ------------------------------------------------------------

bool WriteFileSafely(const std::string& path, std::string_view bytes, FileError& err)
{
    return WriteFileSafely(path, [bytes](const PieceWriter& put) { return put(bytes); }, err);
}

bool WriteFileSafely(const std::string& path, const BytePieces& pieces, FileError& err)
{
    // A device or FIFO (--out /dev/null) takes each piece as it is made: a
    // table of any size is never held whole for it.
    sys::Plan plan;
    if (!sys::Inspect(path, plan, err))
        return false;
    if (plan.method == Method::Stream) {
        const FileHandle file = sys::OpenStream(path, err);
        return file && WritePieces(file, pieces, err);
    }
    DurableWriteBatch batch;
    return batch.add(path, pieces, err) && batch.commit(err);
}

bool CanReplace(const std::string& path, FileError& err)
{
    sys::Plan plan;
    return sys::Inspect(path, plan, err);
}

bool ReadWholeFile(const std::string& path, std::string& bytes, FileError& err)
{
    size_t expected = 0;
    const FileHandle file = sys::OpenForReading(path, expected, err);
    if (!file)
        return false;
    std::string read;
    read.reserve(expected + 1);  // one byte more to meet the end in the same room
    if (!ReadToEnd(file, read, err))
        return false;
    bytes = std::move(read);
    return true;
}

Message CannotOpenFileMessage(const std::string& path, const Message& reason)
{
    return Message(DRAVIK_TR("Files", "Cannot open file \"%1\". %2"), {PathText(path), reason});
}

Message CannotCreateFileMessage(const std::string& path, const Message& reason)
{
    return Message(DRAVIK_TR("Files", "Cannot create file \"%1\". %2"), {PathText(path), reason});
}

std::string ReadFileOrThrow(const std::string& path)
{
    std::string bytes;
    FileError err;
    if (!ReadWholeFile(path, bytes, err))
        throw DravikError(CannotOpenFileMessage(path, err.why()));
    return bytes;
}

void WriteFileOrThrow(const std::string& path, std::string_view bytes)
{
    FileError err;
    if (!WriteFileSafely(path, bytes, err))
        throw DravikError(CannotCreateFileMessage(path, err.why()));
}

void SetBeforeReplacingForTesting(std::function<void(const std::string& path)> hook)
{
    gBeforeReplacing = std::move(hook);
}

void SetWriteFailureAfterBytesForTesting(long long bytes, int errorCode)
{
    gFailAfterBytes = bytes;
    gFailErrorCode = errorCode;
}

std::vector<std::string> RestartTemporaryNamesForTesting(std::uint64_t seed, int count)
{
    const std::lock_guard<std::mutex> lock(gNamesMutex);
    gNames.seed(seed);
    gNamesSeeded = true;
    std::mt19937_64 ahead = gNames;
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        names.push_back(NameFrom(ahead, ".tmp"));
    return names;
}

}  // namespace dravik
