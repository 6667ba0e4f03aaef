#include "cpu/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

namespace kest {

namespace fs = std::filesystem;

std::string IoErrorText(int err) {
    switch (err) {
        case ENOSPC:
        case EDQUOT:
        case EFBIG: return "Disk full";
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case ETXTBSY: return "File access denied";
        case ENOENT: return "File not found";
        case ENOTDIR:
        case ENAMETOOLONG: return "Path not found";
        default: return "I/O error " + std::to_string(err) + " (" + std::strerror(err) + ")";
    }
}

namespace {

// Writes all of `bytes`; false with errno set on failure.
bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

mode_t NewFileMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

std::optional<std::string> WriteInPlace(const std::string& path, std::string_view bytes) {
    // Non-blocking open: a FIFO without a reader is refused instead of
    // waiting for one.
    int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) return IoErrorText(errno == ENXIO ? EACCES : errno);
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags != -1) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    bool ok = WriteAll(fd, bytes);
    int err = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (!ok) return IoErrorText(err);
    return std::nullopt;
}

}  // namespace

std::optional<std::string> WriteFileSafely(const std::string& path, std::string_view bytes) {
    if (path.empty()) return IoErrorText(ENOENT);
    // The name itself is replaced: a symbolic link there (dangling or not)
    // becomes the new file, and whatever it pointed to stays untouched, so
    // a save never writes anywhere but where it was told.
    struct stat st {};
    bool keep_mode = false;
    if (::lstat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return IoErrorText(EISDIR);
        if (S_ISREG(st.st_mode)) {
            // A file its user may not write is not replaced behind its back.
            if (::access(path.c_str(), W_OK) != 0) return IoErrorText(errno);
            keep_mode = true;
        } else if (!S_ISLNK(st.st_mode)) {
            return WriteInPlace(path, bytes);  // a device or a pipe
        }
    } else if (errno != ENOENT) {
        return IoErrorText(errno);
    }

    fs::path dir = fs::path(path).parent_path();
    std::string tmpl = (dir.empty() ? std::string(".") : dir.string()) + "/.kest-save-XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0) return IoErrorText(errno == ENOENT ? ENOTDIR : errno);  // the folder is missing
    const std::string tmp(name.data());

    auto fail = [&](int err) -> std::optional<std::string> {
        if (fd >= 0) ::close(fd);
        ::unlink(tmp.c_str());
        return IoErrorText(err);
    };
    if (::fchmod(fd, keep_mode ? (st.st_mode & 07777) : NewFileMode()) != 0) return fail(errno);
    if (!WriteAll(fd, bytes)) return fail(errno);
    if (::fsync(fd) != 0) return fail(errno);
    int rc = ::close(fd);
    fd = -1;
    if (rc != 0) return fail(errno);
    if (::rename(tmp.c_str(), path.c_str()) != 0) return fail(errno);
    return std::nullopt;
}

std::optional<std::string> AppendToExistingFile(const std::string& path, std::string_view bytes) {
    // A symbolic link is never followed (it could lead anywhere), and a FIFO
    // without a reader must not block the caller.
    int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) return IoErrorText(errno == ELOOP || errno == ENXIO ? EACCES : errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        int err = errno;
        ::close(fd);
        return IoErrorText(err);
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return IoErrorText(EACCES);
    }
    const off_t before = st.st_size;
    bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    int err = errno;
    if (!ok) {
        // Take back whatever part of the record reached the file.
        if (::ftruncate(fd, before) != 0) { /* nothing more can be done */ }
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (!ok) return IoErrorText(err);
    return std::nullopt;
}

}  // namespace kest
