// The parts of the file layer that are the same on every platform.
#include "cpu/file_io.h"

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace kest {

std::string IoErrorText(int err) {
    switch (err) {
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
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
    auto* bytes = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < length) {
        int read_err = 0;
        const std::optional<size_t> n = ReadSome(offset + done, bytes + done, length - done, read_err);
        if (!n) {
            // What was read before the error still counts.
            if (done > 0) break;
            err = read_err;
            return std::nullopt;
        }
        if (*n == 0) break;
        done += *n;
    }
    return done;
}

FileContents ReadWholeFile(const std::string& path, uint64_t max_bytes, InputFileOptions options) {
    FileContents out;
    InputFile file(path, options);
    if (!file.IsOpen()) {
        out.result = file.Error();
        return out;
    }
    if (file.Size() > max_bytes) {
        out.result = {FileStep::kTooLarge, EFBIG};
        return out;
    }
    char buf[65536];
    for (uint64_t offset = 0;;) {
        int err = 0;
        const auto n = file.ReadAt(offset, buf, sizeof buf, err);
        if (!n) {
            out.bytes.clear();
            out.result = {FileStep::kRead, err};
            return out;
        }
        if (*n == 0) break;
        offset += *n;
        if (offset > max_bytes) {
            out.bytes.clear();
            out.result = {FileStep::kTooLarge, EFBIG};
            return out;
        }
        out.bytes.append(buf, *n);
    }
    return out;
}

std::optional<std::string> WriteFileSafely(const std::string& path, std::string_view bytes) {
    const FileResult r = WriteFileAtomically(path, bytes, {});
    if (r) return std::nullopt;
    // A folder that is not there is a path not found, not a file.
    if ((r.step == FileStep::kOpenFolder || r.step == FileStep::kCreate) && r.err == ENOENT)
        return IoErrorText(ENOTDIR);
    return IoErrorText(r.err);
}

std::optional<std::string> AppendToExistingFile(const std::string& path, std::string_view bytes) {
    const FileResult r = AppendToRegularFile(path, bytes);
    if (r) return std::nullopt;
    return IoErrorText(r.err);
}

}  // namespace kest
