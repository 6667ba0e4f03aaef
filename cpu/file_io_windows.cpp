// The file layer on Windows: wide (UTF-16) names, handles, the new file
// complete and flushed in the same folder before MoveFileExW puts it in
// place (replace, write-through), reparse points (symbolic links, junctions)
// replaced or refused rather than followed, read-only files refused even
// where the system would open them for writing (an administrator).
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <random>

#include "cpu/file_io.h"
#include "cpu/utf16_windows.h"

namespace kest {

namespace {

// The error number the rest of the program knows for a Windows error.
int ErrnoOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH: return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT:
        case ERROR_CANT_ACCESS_FILE: return EACCES;
        case ERROR_DIRECTORY: return ENOTDIR;
        case ERROR_FILENAME_EXCED_RANGE: return ENAMETOOLONG;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return ENOSPC;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS: return EEXIST;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY: return ENOMEM;
        case ERROR_CANT_RESOLVE_FILENAME: return ELOOP;
        default: return EIO;
    }
}

FileResult Failed(FileStep step, int err) { return {step, err}; }
FileResult FailedNow(FileStep step) { return {step, ErrnoOf(GetLastError())}; }

class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool ok() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }
    // CloseHandle once, with its result.
    bool Close() {
        const bool closed = !ok() || CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE h_;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

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

// A device (NUL, a console, a pipe) written where it is.
FileResult WriteInPlace(HANDLE h, std::string_view bytes) {
    if (!WriteAll(h, bytes)) return FailedNow(FileStep::kWrite);
    return {};
}

// A new file in `folder` (ending in a separator, or empty) whose name no
// other file has.
HANDLE CreateTemporary(const std::wstring& folder, std::wstring& name) {
    std::random_device random;
    HANDLE h = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && h == INVALID_HANDLE_VALUE; ++attempt) {
        name = folder + L".kest-save-" + std::to_wstring(random());
        h = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
    }
    return h;
}

}  // namespace

bool ExistsAndIsNotFolder(const std::string& path) {
    const DWORD a = GetFileAttributesW(Utf8ToWide(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

InputFile::InputFile(const std::string& path, InputFileOptions options) {
    // Folders open too (backup semantics), so that they can be told apart.
    DWORD flags = FILE_FLAG_BACKUP_SEMANTICS;
    if (!options.follow_links) flags |= FILE_FLAG_OPEN_REPARSE_POINT;
    HANDLE h = CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, flags, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error_ = FailedNow(FileStep::kOpen);
        return;
    }
    const DWORD type = GetFileType(h);
    BY_HANDLE_FILE_INFORMATION info{};
    if (type == FILE_TYPE_DISK && !GetFileInformationByHandle(h, &info)) {
        error_ = FailedNow(FileStep::kOpen);
    } else if (type == FILE_TYPE_DISK && (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        error_ = {FileStep::kOpen, ELOOP};
    } else if (type == FILE_TYPE_DISK && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        error_ = {FileStep::kFolder, EISDIR};
    } else if (options.regular_only && type != FILE_TYPE_DISK) {
        error_ = {FileStep::kNotRegular, EINVAL};
    }
    if (error_.step != FileStep::kNone) {
        CloseHandle(h);
        return;
    }
    size_ = type == FILE_TYPE_DISK ? uint64_t(info.nFileSizeHigh) << 32 | info.nFileSizeLow : 0;
    handle_ = reinterpret_cast<intptr_t>(h);
}

InputFile::~InputFile() {
    if (IsOpen()) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

std::optional<size_t> InputFile::ReadSome(uint64_t offset, char* bytes, size_t length, int& err) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    const DWORD want = static_cast<DWORD>(std::min<size_t>(length, 1u << 30));
    DWORD n = 0;
    if (!ReadFile(reinterpret_cast<HANDLE>(handle_), bytes, want, &n, &at)) {
        const DWORD error = GetLastError();
        if (error == ERROR_HANDLE_EOF || error == ERROR_BROKEN_PIPE) return 0;
        err = ErrnoOf(error);
        return std::nullopt;
    }
    return n;
}

FileResult WriteFileAtomically(const std::string& path, std::string_view bytes, const AtomicWriteOptions& options) {
    if (path.empty()) return Failed(FileStep::kName, ENOENT);
    const std::wstring target = Utf8ToWide(path);
    const size_t cut = target.find_last_of(L"\\/:");
    const std::wstring folder = cut == std::wstring::npos ? std::wstring() : target.substr(0, cut + 1);
    const std::wstring name = cut == std::wstring::npos ? target : target.substr(cut + 1);
    if (name.empty() || name == L"." || name == L"..") return Failed(FileStep::kName, EISDIR);
    if (options.guarded_folder && !folder.empty()) {
        const DWORD a = GetFileAttributesW(folder.c_str());
        if (a == INVALID_FILE_ATTRIBUTES) return FailedNow(FileStep::kOpenFolder);
        if (!(a & FILE_ATTRIBUTE_DIRECTORY)) return Failed(FileStep::kOpenFolder, ENOTDIR);
        if (a & FILE_ATTRIBUTE_REPARSE_POINT) return Failed(FileStep::kFolderOwner, EPERM);
    }

    // The name itself is replaced: a reparse point there becomes the new
    // file, and whatever it pointed to stays untouched.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Failed(FileStep::kFolder, EISDIR);
            // A file its user may not write is not replaced behind its back.
            if (attributes & FILE_ATTRIBUTE_READONLY) return Failed(FileStep::kOpen, EACCES);
            Handle existing(CreateFileW(target.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
            if (!existing.ok()) return FailedNow(FileStep::kOpen);
            if (GetFileType(existing.get()) != FILE_TYPE_DISK && !options.guarded_folder)
                return WriteInPlace(existing.get(), bytes);
        }
    } else if (const DWORD error = GetLastError(); error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
        // A device name (NUL, CON) has no attributes on every system.
        Handle device(CreateFileW(target.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
        if (device.ok() && GetFileType(device.get()) != FILE_TYPE_DISK && !options.guarded_folder)
            return WriteInPlace(device.get(), bytes);
        return Failed(FileStep::kOpen, ErrnoOf(error));
    }

    std::wstring temp;
    Handle out(CreateTemporary(folder, temp));
    if (!out.ok()) return FailedNow(FileStep::kCreate);
    auto fail = [&](FileStep step, DWORD error) {
        out.Close();
        DeleteFileW(temp.c_str());
        return Failed(step, ErrnoOf(error));
    };
    if (!WriteAll(out.get(), bytes)) return fail(FileStep::kWrite, GetLastError());
    if (!FlushFileBuffers(out.get())) return fail(FileStep::kSync, GetLastError());
    if (!out.Close()) return fail(FileStep::kClose, GetLastError());
    if (!MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return fail(FileStep::kRename, GetLastError());
    return {};
}

FileResult AppendToRegularFile(const std::string& path, std::string_view bytes) {
    // A reparse point is never followed (it could lead anywhere).
    Handle file(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.ok()) return FailedNow(FileStep::kOpen);
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file.get()) != FILE_TYPE_DISK || !GetFileInformationByHandle(file.get(), &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)))
        return Failed(FileStep::kNotRegular, EACCES);
    if (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) return Failed(FileStep::kOpen, EACCES);
    LARGE_INTEGER before{};
    before.QuadPart = static_cast<LONGLONG>(uint64_t(info.nFileSizeHigh) << 32 | info.nFileSizeLow);
    if (!SetFilePointerEx(file.get(), before, nullptr, FILE_BEGIN)) return FailedNow(FileStep::kWrite);
    FileResult result;
    if (!WriteAll(file.get(), bytes))
        result = FailedNow(FileStep::kWrite);
    else if (!FlushFileBuffers(file.get()))
        result = FailedNow(FileStep::kSync);
    // Take back whatever part of the record reached the file.
    if (!result && SetFilePointerEx(file.get(), before, nullptr, FILE_BEGIN)) SetEndOfFile(file.get());
    if (!file.Close() && result) result = FailedNow(FileStep::kClose);
    return result;
}

}  // namespace kest
