// The processor database: the pointer file "database.ini" in the start-up
// folder and the database file it names, to which records are appended.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kest {

inline constexpr std::string_view kDatabasePointerFile = "database.ini";
// The longest database file name database.ini may hold (a file name's limit
// on Linux file systems); only this much of its first line is read.
inline constexpr size_t kMaxDatabaseNameLength = 255;

// The search records that the window's database tests share with the
// pointer reading; each keeps the name of the last file its search found.
struct DatabaseRecords {
    std::string& ini_record;       // last "database.ini" found
    std::string& db_record;        // last database file found
    std::string& remembered_name;  // first line of database.ini
};

// Looks for a file of exactly `name` (letter case included) in `dir`; on
// success `record` takes the name, otherwise it keeps what it had.
bool SearchInto(std::string& record, const std::string& dir, std::string_view name);

// Why a database file name read from database.ini cannot be used, or nothing
// when it is a plain file name in the same folder (not empty, at most 255
// bytes, no path separator, not "." or "..").
std::optional<std::string> CheckDatabaseName(std::string_view name);

// The pointer reading of every population whose database test passed:
// searches `startup_dir` for database.ini, reads its first line as the
// database file name and searches for that file. Returns the I/O error
// message when database.ini cannot be read or is not a regular file (the
// records keep their values).
std::optional<std::string> ReadDatabasePointer(const std::string& startup_dir, DatabaseRecords records);

// Appends one whole record to `startup_dir`/`name`, which must exist. On
// failure the file keeps its previous length and the result is the message
// to show, naming the file and the reason; nothing on success.
std::optional<std::string> AddDatabaseRecord(const std::string& startup_dir, const std::string& name,
                                             std::string_view record);

}  // namespace kest
