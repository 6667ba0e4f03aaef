// Writing reports, pictures and database records without ever leaving a
// half-written file behind.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kest {

// The message for an operating-system error number: "Disk full",
// "File access denied", "File not found", "Path not found", or
// "I/O error <n> (<system text>)".
std::string IoErrorText(int err);

// Replaces (or creates) the file at `path` with `bytes`. The bytes go to a
// temporary file in the same folder that is renamed over the target only when
// complete, so on failure the old file stays as it was and no temporary file
// remains. A symbolic link at `path` is replaced by the file (what it points
// to is never written); an existing file its user may not write is refused
// ("File access denied"). A target that exists but is not a regular file (a
// device, a pipe with a reader) is written in place. Returns the error
// message, or nothing on success.
std::optional<std::string> WriteFileSafely(const std::string& path, std::string_view bytes);

// Appends `bytes` to the existing regular file at `path` with one write; the
// file is never created, and a symbolic link, device or pipe is refused
// ("File access denied"). If the write fails the file is cut back to its previous
// length. Returns the error message, or nothing on success.
std::optional<std::string> AppendToExistingFile(const std::string& path, std::string_view bytes);

}  // namespace kest
