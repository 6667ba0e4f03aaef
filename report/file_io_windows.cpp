// Writing files on Windows: wide (UTF-16) names, the new file complete in a
// temporary file of the same folder before MoveFileExW puts it in place
// (replace, write-through), reparse points (symbolic links, junctions)
// replaced rather than followed, read-only files refused.
#include <windows.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "cpu/utf16_windows.h"
#include "report/file_io.h"

namespace kest {

std::string IoErrorText(int err) {
    switch (err) {
        case ENOSPC:
        case EFBIG: return "Disk full";
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR: return "File access denied";
        case ENOENT: return "File not found";
        case ENOTDIR:
        case ENAMETOOLONG: return "Path not found";
        default: return "I/O error " + std::to_string(err) + " (" + std::strerror(err) + ")";
    }
}

namespace {

std::string WinErrorText(DWORD error) {
    switch (error) {
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return IoErrorText(ENOSPC);
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT: return IoErrorText(EACCES);
        case ERROR_FILE_NOT_FOUND: return IoErrorText(ENOENT);
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_DIRECTORY:
        case ERROR_FILENAME_EXCED_RANGE: return IoErrorText(ENOTDIR);
        default: {
            wchar_t* text = nullptr;
            FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
            std::string why = text ? WideToUtf8(text) : std::string();
            if (text) LocalFree(text);
            while (!why.empty() && (why.back() == '\n' || why.back() == '\r' || why.back() == ' ')) why.pop_back();
            return "I/O error " + std::to_string(error) + " (" + why + ")";
        }
    }
}

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
std::optional<std::string> WriteInPlace(HANDLE h, std::string_view bytes) {
    if (!WriteAll(h, bytes)) return WinErrorText(GetLastError());
    return std::nullopt;
}

// The folder part of a name, with its separator ("" for a bare name).
std::wstring FolderOf(const std::wstring& path) {
    const size_t cut = path.find_last_of(L"\\/:");
    return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut + 1);
}

}  // namespace

std::optional<std::string> WriteFileSafely(const std::string& path, std::string_view bytes) {
    if (path.empty()) return IoErrorText(ENOENT);
    const std::wstring name = Utf8ToWide(path);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        // A reparse point (a link) is replaced by the new file; what it
        // points to stays untouched.
        if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            if (attributes & FILE_ATTRIBUTE_DIRECTORY) return IoErrorText(EISDIR);
            // A file its user may not write is not replaced behind its back.
            if (attributes & FILE_ATTRIBUTE_READONLY) return IoErrorText(EACCES);
            Handle existing(CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
            if (!existing.ok()) return WinErrorText(GetLastError());
            if (GetFileType(existing.get()) != FILE_TYPE_DISK) return WriteInPlace(existing.get(), bytes);
        }
    } else if (const DWORD error = GetLastError(); error != ERROR_FILE_NOT_FOUND) {
        if (error != ERROR_PATH_NOT_FOUND) {
            // A device name (NUL, CON) has no attributes on every system.
            Handle device(CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
            if (device.ok() && GetFileType(device.get()) != FILE_TYPE_DISK) return WriteInPlace(device.get(), bytes);
        }
        return WinErrorText(error);
    }

    static std::atomic<unsigned> serial{0};
    const std::wstring tmp = FolderOf(name) + L".kest-save-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                             std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(++serial);
    Handle out(CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out.ok()) return WinErrorText(GetLastError());
    auto fail = [&](DWORD error) -> std::optional<std::string> {
        out.Close();
        DeleteFileW(tmp.c_str());
        return WinErrorText(error);
    };
    if (!WriteAll(out.get(), bytes)) return fail(GetLastError());
    if (!FlushFileBuffers(out.get())) return fail(GetLastError());
    if (!out.Close()) return fail(GetLastError());
    if (!MoveFileExW(tmp.c_str(), name.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return fail(GetLastError());
    return std::nullopt;
}

std::optional<std::string> AppendToExistingFile(const std::string& path, std::string_view bytes) {
    // A reparse point is never followed (it could lead anywhere).
    const std::wstring name = Utf8ToWide(path);
    Handle file(CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.ok()) return WinErrorText(GetLastError());
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file.get()) != FILE_TYPE_DISK || !GetFileInformationByHandle(file.get(), &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)))
        return IoErrorText(EACCES);
    LARGE_INTEGER before{};
    before.QuadPart = static_cast<LONGLONG>(uint64_t(info.nFileSizeHigh) << 32 | info.nFileSizeLow);
    if (!SetFilePointerEx(file.get(), before, nullptr, FILE_BEGIN)) return WinErrorText(GetLastError());
    bool ok = WriteAll(file.get(), bytes) && FlushFileBuffers(file.get());
    DWORD error = ok ? 0 : GetLastError();
    if (!ok) {
        // Take back whatever part of the record reached the file.
        if (SetFilePointerEx(file.get(), before, nullptr, FILE_BEGIN)) SetEndOfFile(file.get());
    }
    if (!file.Close() && ok) {
        ok = false;
        error = GetLastError();
    }
    if (!ok) return WinErrorText(error);
    return std::nullopt;
}

}  // namespace kest
