// The file layer on Windows: wide (UTF-16) names, the new file complete in a
// temporary file of the same folder before MoveFileExW puts it in place
// (replace, write-through), reparse points (symbolic links, junctions)
// replaced rather than followed, read-only files refused. Windows errors are
// turned into the errno values the callers' messages are made from.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cerrno>

#include "cpu/file_io.h"
#include "cpu/utf16_windows.h"

namespace kest {

namespace {

int ErrnoOf(DWORD error) {
    switch (error) {
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return ENOSPC;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT: return EACCES;
        case ERROR_FILE_NOT_FOUND: return ENOENT;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_DIRECTORY:
        case ERROR_FILENAME_EXCED_RANGE: return ENOTDIR;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS: return EEXIST;
        default: return EIO;
    }
}

FileResult Failed(FileStep step, DWORD error) { return {step, ErrnoOf(error)}; }

class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool ok() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }
    bool Close() {
        const bool closed = !ok() || CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE h_;
};

// Writes all of `bytes`; false with GetLastError() set on failure.
bool WriteAll(HANDLE h, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
        DWORD n = 0;
        if (!WriteFile(h, bytes.data(), want, &n, nullptr)) return false;
        if (n == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        bytes.remove_prefix(n);
    }
    return true;
}

// A device (NUL, a console, a pipe): written where it is.
FileResult WriteInPlace(HANDLE h, std::string_view bytes) {
    if (!WriteAll(h, bytes)) return Failed(FileStep::kWrite, GetLastError());
    return {};
}

// The folder part of a name, with its separator ("" for a bare name).
std::wstring FolderOf(const std::wstring& path) {
    const size_t cut = path.find_last_of(L"\\/:");
    return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut + 1);
}

}  // namespace

InputFile::InputFile(const std::string& path, InputFileOptions options) {
    const std::wstring name = Utf8ToWide(path);
    DWORD flags = FILE_FLAG_BACKUP_SEMANTICS;  // lets a folder be opened, to be told apart
    if (!options.follow_links) flags |= FILE_FLAG_OPEN_REPARSE_POINT;
    HANDLE h = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           flags, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error_ = Failed(FileStep::kOpen, GetLastError());
        return;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool disk = GetFileType(h) == FILE_TYPE_DISK;
    if (disk && !GetFileInformationByHandle(h, &info)) {
        error_ = Failed(FileStep::kOpen, GetLastError());
    } else if (disk && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        error_ = {FileStep::kFolder, EISDIR};
    } else if (disk && !options.follow_links && (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        error_ = {FileStep::kOpen, ELOOP};
    } else if (!disk && options.regular_only) {
        error_ = {FileStep::kNotRegular, EINVAL};
    }
    if (error_.step != FileStep::kNone) {
        CloseHandle(h);
        return;
    }
    size_ = disk ? (uint64_t(info.nFileSizeHigh) << 32 | info.nFileSizeLow) : 0;
    handle_ = reinterpret_cast<intptr_t>(h);
}

InputFile::~InputFile() {
    if (IsOpen()) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

std::optional<size_t> InputFile::ReadAt(uint64_t offset, void* buffer, size_t length, int& err) {
    err = 0;
    if (!IsOpen()) {
        err = EBADF;
        return std::nullopt;
    }
    constexpr uint64_t kMaxOffset = static_cast<uint64_t>(INT64_MAX);
    if (offset > kMaxOffset || length > kMaxOffset - offset) {
        err = EINVAL;
        return std::nullopt;
    }
    HANDLE h = reinterpret_cast<HANDLE>(handle_);
    auto* bytes = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < length) {
        const uint64_t at = offset + done;
        OVERLAPPED where{};
        where.Offset = static_cast<DWORD>(at);
        where.OffsetHigh = static_cast<DWORD>(at >> 32);
        const DWORD want = static_cast<DWORD>(std::min<size_t>(length - done, 1u << 30));
        DWORD n = 0;
        if (!ReadFile(h, bytes + done, want, &n, &where)) {
            const DWORD error = GetLastError();
            if (error == ERROR_HANDLE_EOF || error == ERROR_BROKEN_PIPE) break;
            // What was read before the error still counts.
            if (done > 0) break;
            err = ErrnoOf(error);
            return std::nullopt;
        }
        if (n == 0) break;
        done += n;
    }
    return done;
}

FileResult WriteFileAtomically(const std::string& path, std::string_view bytes, const AtomicWriteOptions& options) {
    if (path.empty()) return {FileStep::kName, ENOENT};
    const std::wstring name = Utf8ToWide(path);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        // A reparse point (a link) is replaced by the new file; what it
        // points to stays untouched.
        if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            if (attributes & FILE_ATTRIBUTE_DIRECTORY) return {FileStep::kFolder, EISDIR};
            // A file its user may not write is not replaced behind its back.
            if (attributes & FILE_ATTRIBUTE_READONLY) return {FileStep::kOpen, EACCES};
            Handle existing(CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
            if (!existing.ok()) return Failed(FileStep::kOpen, GetLastError());
            if (GetFileType(existing.get()) != FILE_TYPE_DISK && !options.guarded_folder)
                return WriteInPlace(existing.get(), bytes);
        }
    } else if (const DWORD error = GetLastError(); error != ERROR_FILE_NOT_FOUND) {
        if (error != ERROR_PATH_NOT_FOUND && !options.guarded_folder) {
            // A device name (NUL, CON) has no attributes on every system.
            Handle device(CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
            if (device.ok() && GetFileType(device.get()) != FILE_TYPE_DISK) return WriteInPlace(device.get(), bytes);
        }
        return Failed(error == ERROR_PATH_NOT_FOUND ? FileStep::kOpenFolder : FileStep::kOpen, error);
    }

    static std::atomic<unsigned> serial{0};
    const std::wstring tmp = FolderOf(name) + L".kest-save-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                             std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(++serial);
    Handle out(CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out.ok()) return Failed(FileStep::kCreate, GetLastError());
    auto fail = [&](FileStep step, DWORD error) {
        out.Close();
        DeleteFileW(tmp.c_str());
        return Failed(step, error);
    };
    if (!WriteAll(out.get(), bytes)) return fail(FileStep::kWrite, GetLastError());
    if (!FlushFileBuffers(out.get())) return fail(FileStep::kSync, GetLastError());
    if (!out.Close()) return fail(FileStep::kClose, GetLastError());
    if (!MoveFileExW(tmp.c_str(), name.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return fail(FileStep::kRename, GetLastError());
    return {};
}

FileResult AppendToRegularFile(const std::string& path, std::string_view bytes) {
    // A reparse point is never followed (it could lead anywhere).
    const std::wstring name = Utf8ToWide(path);
    Handle file(CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.ok()) return Failed(FileStep::kOpen, GetLastError());
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file.get()) != FILE_TYPE_DISK || !GetFileInformationByHandle(file.get(), &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)))
        return {FileStep::kNotRegular, EACCES};
    LARGE_INTEGER before{};
    before.QuadPart = static_cast<LONGLONG>(uint64_t(info.nFileSizeHigh) << 32 | info.nFileSizeLow);
    if (!SetFilePointerEx(file.get(), before, nullptr, FILE_BEGIN)) return Failed(FileStep::kWrite, GetLastError());
    FileResult result;
    if (!WriteAll(file.get(), bytes))
        result = Failed(FileStep::kWrite, GetLastError());
    else if (!FlushFileBuffers(file.get()))
        result = Failed(FileStep::kSync, GetLastError());
    // Take back whatever part of the record reached the file.
    if (!result && SetFilePointerEx(file.get(), before, nullptr, FILE_BEGIN)) SetEndOfFile(file.get());
    if (!file.Close() && result) result = Failed(FileStep::kClose, GetLastError());
    return result;
}

}  // namespace kest
