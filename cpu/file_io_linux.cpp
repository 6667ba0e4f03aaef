// The file layer on Linux: descriptors, a folder held open while a file is
// replaced in it, and the checks that keep a save from writing through a
// link or blocking on a pipe.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>

#include "cpu/file_io.h"

namespace kest {

namespace {

// Writes all of `bytes`; false with errno set on failure.
bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
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
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Closes a descriptor when it goes out of scope.
struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
    // close() once, with its result.
    bool Close() {
        const int rc = ::close(fd);
        fd = -1;
        return rc == 0;
    }
};

FileResult Failed(FileStep step, int err) { return {step, err}; }

// A device or a pipe written in place. Non-blocking open: a FIFO without a
// reader is refused instead of waiting for one.
FileResult WriteInPlace(int dir, const std::string& name, std::string_view bytes) {
    Fd f{::openat(dir, name.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK)};
    if (f.fd < 0) return Failed(FileStep::kOpen, errno == ENXIO ? EACCES : errno);
    const int flags = ::fcntl(f.fd, F_GETFL);
    if (flags != -1) ::fcntl(f.fd, F_SETFL, flags & ~O_NONBLOCK);
    if (!WriteAll(f.fd, bytes)) return Failed(FileStep::kWrite, errno);
    if (!f.Close()) return Failed(FileStep::kClose, errno);
    return {};
}

// A new file of mode 0600 in `dir` whose name no other file has.
int CreateTemporary(int dir, std::string& name) {
    std::random_device random;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        name = ".kest-save-" + std::to_string(random());
        fd = ::openat(dir, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST) break;
    }
    return fd;
}

}  // namespace

bool ExistsAndIsNotFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

InputFile::InputFile(const std::string& path, InputFileOptions options) {
    // Non-blocking, so that a FIFO does not wait for a writer.
    int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;
    if (!options.follow_links) flags |= O_NOFOLLOW;
    const int fd = ::open(path.c_str(), flags);
    if (fd < 0) {
        error_ = {FileStep::kOpen, errno};
        return;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        error_ = {FileStep::kOpen, errno};
    } else if (S_ISDIR(st.st_mode)) {
        error_ = {FileStep::kFolder, EISDIR};
    } else if (options.regular_only && !S_ISREG(st.st_mode)) {
        error_ = {FileStep::kNotRegular, EINVAL};
    }
    if (error_.step != FileStep::kNone) {
        ::close(fd);
        return;
    }
    size_ = S_ISREG(st.st_mode) ? static_cast<uint64_t>(st.st_size) : 0;
    handle_ = fd;
}

InputFile::~InputFile() {
    if (IsOpen()) ::close(static_cast<int>(handle_));
}

std::optional<size_t> InputFile::ReadSome(uint64_t offset, char* bytes, size_t length, int& err) {
    for (;;) {
        const ssize_t n = ::pread(static_cast<int>(handle_), bytes, length, static_cast<off_t>(offset));
        if (n >= 0) return static_cast<size_t>(n);
        if (errno != EINTR) {
            err = errno;
            return std::nullopt;
        }
    }
}

FileResult WriteFileAtomically(const std::string& path, std::string_view bytes, const AtomicWriteOptions& options) {
    if (path.empty()) return Failed(FileStep::kName, ENOENT);
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty() || name == "." || name == "..") return Failed(FileStep::kName, EISDIR);

    // The folder is held open, so that every step below acts in the same
    // one even if its path is changed meanwhile.
    int dir_flags = O_PATH | O_DIRECTORY | O_CLOEXEC;
    if (options.guarded_folder) dir_flags |= O_NOFOLLOW;
    Fd dir{::open(folder.c_str(), dir_flags)};
    if (dir.fd < 0) return Failed(FileStep::kOpenFolder, errno);
    if (options.guarded_folder) {
        struct stat st {};
        if (::fstat(dir.fd, &st) != 0) return Failed(FileStep::kOpenFolder, errno);
        if (!S_ISDIR(st.st_mode)) return Failed(FileStep::kOpenFolder, ENOTDIR);
        if (st.st_uid != 0 && st.st_uid != ::geteuid()) return Failed(FileStep::kFolderOwner, EPERM);
        if (st.st_mode & (S_IWGRP | S_IWOTH)) return Failed(FileStep::kFolderWritable, EPERM);
    }

    // The name itself is replaced: a symbolic link there (dangling or not)
    // becomes the new file, and whatever it pointed to stays untouched.
    struct stat st {};
    mode_t mode = options.mode ? static_cast<mode_t>(*options.mode) : NewFileMode();
    if (::fstatat(dir.fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISDIR(st.st_mode)) return Failed(FileStep::kFolder, EISDIR);
        if (S_ISREG(st.st_mode)) {
            // A file its user may not write is not replaced behind its back.
            if (::faccessat(dir.fd, name.c_str(), W_OK, 0) != 0) return Failed(FileStep::kOpen, errno);
            if (!options.mode) mode = st.st_mode & 07777;
        } else if (!S_ISLNK(st.st_mode) && !options.guarded_folder) {
            return WriteInPlace(dir.fd, name, bytes);
        }
    } else if (errno != ENOENT) {
        return Failed(FileStep::kOpen, errno);
    }

    std::string temp;
    Fd f{CreateTemporary(dir.fd, temp)};
    if (f.fd < 0) return Failed(FileStep::kCreate, errno);
    auto fail = [&](FileStep step, int err) {
        if (f.fd >= 0) f.Close();
        ::unlinkat(dir.fd, temp.c_str(), 0);
        return Failed(step, err);
    };
    if (::fchmod(f.fd, mode) != 0) return fail(FileStep::kMode, errno);
    if (!WriteAll(f.fd, bytes)) return fail(FileStep::kWrite, errno);
    if (::fsync(f.fd) != 0) return fail(FileStep::kSync, errno);
    if (!f.Close()) return fail(FileStep::kClose, errno);
    if (::renameat(dir.fd, temp.c_str(), dir.fd, name.c_str()) != 0) return fail(FileStep::kRename, errno);
    // The rename itself made lasting (a descriptor that can be synced).
    Fd sync{::openat(dir.fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (sync.fd >= 0) ::fsync(sync.fd);
    return {};
}

FileResult AppendToRegularFile(const std::string& path, std::string_view bytes) {
    // A symbolic link is never followed (it could lead anywhere), and a FIFO
    // without a reader must not block the caller.
    Fd f{::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK)};
    if (f.fd < 0) return Failed(FileStep::kOpen, errno == ELOOP || errno == ENXIO ? EACCES : errno);
    struct stat st {};
    if (::fstat(f.fd, &st) != 0) return Failed(FileStep::kOpen, errno);
    if (!S_ISREG(st.st_mode)) return Failed(FileStep::kNotRegular, EACCES);
    const off_t before = st.st_size;
    FileResult result;
    if (!WriteAll(f.fd, bytes))
        result = Failed(FileStep::kWrite, errno);
    else if (::fsync(f.fd) != 0)
        result = Failed(FileStep::kSync, errno);
    // Take back whatever part of the record reached the file.
    if (!result && ::ftruncate(f.fd, before) != 0) { /* nothing more can be done */ }
    if (!f.Close() && result) result = Failed(FileStep::kClose, errno);
    return result;
}

}  // namespace kest
