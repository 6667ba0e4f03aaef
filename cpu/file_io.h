// Every file the programs read or write goes through here: bounded reads of
// regular files, whole-file replacement that never leaves a half-written
// file behind, and appending to an existing file. Errors are operating-system
// error numbers (errno values on every platform), turned into messages by the
// caller. The operating system's part is file_io_<platform>.cpp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kest {

// The message for an operating-system error number: "Disk full",
// "File access denied", "File not found", "Path not found", or
// "I/O error <n> (<system text>)".
std::string IoErrorText(int err);

// Where a file operation stopped, and the error number it met there.
enum class FileStep {
    kNone,            // it succeeded
    kOpen,            // opening (reading) or checking the target (writing)
    kFolder,          // the target is a folder
    kNotRegular,      // not a regular file (a device, a pipe, a socket)
    kTooLarge,        // more bytes than the reader accepts
    kRead,
    kName,            // the path names no file ("", "dir/", "..")
    kOpenFolder,      // the folder the file is written in
    kFolderOwner,     // guarded folder: owned by neither root nor the running user
    kFolderWritable,  // guarded folder: writable by others
    kCreate,          // the temporary file
    kWrite,
    kMode,
    kSync,
    kClose,
    kRename,
};

struct FileResult {
    FileStep step = FileStep::kNone;
    int err = 0;
    explicit operator bool() const { return step == FileStep::kNone; }
};

struct InputFileOptions {
    // Only a regular file is read; false also admits devices (/dev/mem).
    bool regular_only = true;
    // A symbolic link as the last part of the path is refused (ELOOP) unless
    // this is set: files the programs find by themselves are never reached
    // through a link, files their user names may be.
    bool follow_links = false;
};

// A file open for reading at any offset. Opening never blocks (a pipe
// without a writer is refused when regular_only, or reads empty).
class InputFile {
public:
    InputFile(const std::string& path, InputFileOptions options);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool IsOpen() const { return handle_ != kClosed; }
    // Why the file is not open (kOpen, kFolder or kNotRegular).
    FileResult Error() const { return error_; }
    // The size when it was opened (0 for a device).
    uint64_t Size() const { return size_; }
    // Up to `length` bytes from `offset`, fewer only at the end of the file;
    // interrupted reads are resumed. Nothing when the read fails (err set).
    std::optional<size_t> ReadAt(uint64_t offset, void* buffer, size_t length, int& err);

private:
    static constexpr intptr_t kClosed = -1;
    // One read of at most `length` bytes at `offset` by the platform: the
    // count read (0 at the end), or nothing with `err` set.
    std::optional<size_t> ReadSome(uint64_t offset, char* bytes, size_t length, int& err);
    intptr_t handle_ = kClosed;  // the platform's descriptor or handle
    FileResult error_;
    uint64_t size_ = 0;
};

// The whole of a regular file of at most max_bytes bytes, read to its end
// (the size a file system reports is not trusted).
struct FileContents {
    std::string bytes;
    FileResult result;
};
FileContents ReadWholeFile(const std::string& path, uint64_t max_bytes, InputFileOptions options);

struct AtomicWriteOptions {
    // The new file's permission bits. Without them, a replaced regular file
    // keeps its own and a new one gets 0666 less the umask.
    std::optional<unsigned> mode;
    // The folder must be a real folder (not a link) owned by root or by the
    // running user and writable by nobody else, and a device or pipe at the
    // path is replaced, never written through. For files written by a
    // privileged program into a folder others might plant links in.
    bool guarded_folder = false;
};

// Replaces (or creates) the file at `path` with `bytes`: they go to a new
// file in the same folder that is synced and renamed over the target only
// when complete, so on failure the old file stays as it was and no
// temporary file remains. A symbolic link at `path` is replaced by the file
// (what it points to is never written); an existing file its user may not
// write is refused (EACCES). Without guarded_folder, a target that exists
// but is not a regular file (a device, a pipe with a reader) is written in
// place, and a pipe without a reader is refused (EACCES).
FileResult WriteFileAtomically(const std::string& path, std::string_view bytes, const AtomicWriteOptions& options);

// Appends `bytes` to the existing regular file at `path` and syncs it; the
// file is never created, and a symbolic link, device or pipe is refused
// (EACCES). If the write fails the file is cut back to its previous length.
FileResult AppendToRegularFile(const std::string& path, std::string_view bytes);

// True when something other than a folder is at `path` (links followed).
bool ExistsAndIsNotFolder(const std::string& path);

// The two above with their error turned into IoErrorText's message.
std::optional<std::string> WriteFileSafely(const std::string& path, std::string_view bytes);
std::optional<std::string> AppendToExistingFile(const std::string& path, std::string_view bytes);

}  // namespace kest
