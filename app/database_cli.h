// kestrune-cli --database: the records of a processor database file for
// scripts, as the database browser shows them.
#pragma once

#include <iosfwd>
#include <string>

#include "record/database_read.h"

namespace kest {

// The records as JSON (UTF-8): every field by its record name, the status
// and problems of each record, and the lines that could not be read.
std::string DatabaseJson(const std::string& path, const DatabaseContents& db);
// The records as CSV (RFC 4180, UTF-8): a header, then one row per record.
std::string DatabaseCsv(const DatabaseContents& db);

// Reads `path` and prints it in `format` ("json" or "csv") to `out`, or to
// the file `output` when it is not empty. Exit code: 0 when every record is
// sound, 1 when the file is damaged (what could be read is printed, each
// problem is a line on `err`), 2 when nothing could be printed.
int PrintDatabase(const std::string& path, const std::string& format, const std::string& output,
                  std::ostream& out, std::ostream& err);

}  // namespace kest
