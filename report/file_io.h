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
// remains. A target that exists but is not a regular file (a device, a pipe)
// is written in place. Returns the error message, or nothing on success.
std::optional<std::string> WriteFileSafely(const std::string& path, std::string_view bytes);

// Appends `bytes` to the existing file at `path` with one write; the file is
// never created. If the write fails the file is cut back to its previous
// length. Returns the error message, or nothing on success.
std::optional<std::string> AppendToExistingFile(const std::string& path, std::string_view bytes);

}  // namespace kest
