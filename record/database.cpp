#include "record/database.h"

#include <cerrno>

#include "cpu/file_io.h"

namespace kest {

namespace {

std::string Join(const std::string& dir, std::string_view name) {
    return (dir.empty() ? std::string(".") : dir) + "/" + std::string(name);
}

}  // namespace

bool SearchInto(std::string& record, const std::string& dir, std::string_view name) {
    if (name.empty() || name.find('/') != std::string_view::npos || name.find('\0') != std::string_view::npos ||
        name == "." || name == "..")
        return false;
    if (!ExistsAndIsNotFolder(Join(dir, name))) return false;
    record = std::string(name);
    return true;
}

std::optional<std::string> CheckDatabaseName(std::string_view name) {
    if (name.empty()) return "database.ini names no database file.";
    if (name.size() > kMaxDatabaseNameLength) return "The name in database.ini is not a file name.";
    if (name.find('/') != std::string_view::npos || name.find('\\') != std::string_view::npos)
        return "The name in database.ini must not contain a path separator.";
    if (name == "." || name == "..") return "The name in database.ini is not a file name.";
    if (name.find('\0') != std::string_view::npos) return "The name in database.ini contains a zero byte.";
    return std::nullopt;
}

std::optional<std::string> ReadDatabasePointer(const std::string& startup_dir, DatabaseRecords records) {
    SearchInto(records.ini_record, startup_dir, kDatabasePointerFile);
    if (records.ini_record != kDatabasePointerFile) return std::nullopt;
    // Only a regular file is read, and only as much as a file name can be:
    // a pipe must not block the window, nor a link to a device fill memory.
    const std::string path = Join(startup_dir, kDatabasePointerFile);
    InputFile file(path, {.regular_only = true, .follow_links = true});
    if (!file.IsOpen()) return IoErrorText(file.Error().step == FileStep::kOpen ? file.Error().err : EACCES);
    // One byte more than the longest name: a longer first line is kept that
    // long, and the name check refuses it.
    char buf[kMaxDatabaseNameLength + 1];
    int err = 0;
    const auto got = file.ReadAt(0, buf, sizeof buf, err);
    if (!got) return IoErrorText(err);
    std::string line(buf, *got);
    line = line.substr(0, line.find_first_of("\r\n"));
    records.remembered_name = line;
    // A name that is not a plain file name is not looked for: its search
    // record keeps what it had, and "Add to database" refuses the name.
    if (!CheckDatabaseName(line)) SearchInto(records.db_record, startup_dir, line);
    return std::nullopt;
}

std::optional<std::string> AddDatabaseRecord(const std::string& startup_dir, const std::string& name,
                                             std::string_view record) {
    const std::string path = Join(startup_dir, name);
    auto fail = [&](const std::string& reason) {
        return "Cannot add the record to the database file \"" + path + "\". " + reason;
    };
    if (auto bad = CheckDatabaseName(name)) return fail(*bad);
    if (auto err = AppendToExistingFile(path, record)) return fail(*err);
    return std::nullopt;
}

}  // namespace kest
