// Reading the processor database: the records that "Add to database" appends,
// as the database browser and `kestrune-cli --database` show them. Nothing
// here writes to a database file.
//
// A damaged file is read as far as it goes: a record cut short, lines that
// belong to no record and a missing end marker are reported with their line
// numbers, and every record whose checksum does not recompute is marked.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "record/record_layout.h"

namespace kest {

enum class ChecksumCheck {
    Good,         // the covered values sum to the stored checksum
    Fails,        // they do not, or a covered value is not a number
    CannotCheck,  // a covered line or the checksum line is missing
};

struct StoredRecord {
    int first_line = 0;  // file line of the start marker
    int last_line = 0;   // file line of the end marker, else of the last line read
    // The values by record line (index 0 is line 1, the start marker's text),
    // as UTF-8; nothing for a line the record lacks.
    std::array<std::optional<std::string>, kRecordLines> values;
    bool has_end_marker = false;
    ChecksumCheck checksum = ChecksumCheck::CannotCheck;
    uint64_t computed_checksum = 0;  // valid unless CannotCheck
    bool markers_agree = true;  // both markers say procname + " " + frequenc

    // The value of the line named `name` (RecordLineInfo::name); empty text
    // when the record lacks it.
    std::string Value(std::string_view name) const;
    // Record lines that are missing, in order.
    std::vector<int> MissingLines() const;
    bool Complete() const { return has_end_marker && MissingLines().empty(); }
    bool Damaged() const { return !Complete() || checksum != ChecksumCheck::Good || !markers_agree; }
    // "checksum does not recompute", "no end marker" ...; empty when sound.
    std::vector<std::string> Problems() const;
    // One word for tables and scripts: "good", "checksum fails", "incomplete", "damaged".
    std::string Status() const;
};

// A line of the file that could not be read as part of a record.
struct UnreadLine {
    int line = 0;
    std::string reason;
    std::string text;  // UTF-8, at most 80 characters
};

struct DatabaseContents {
    std::vector<StoredRecord> records;
    std::vector<UnreadLine> unread;
    bool Sound() const;  // every record sound and every line read
};

// Reads the bytes of a database file (Windows-1252 text, CR LF or LF line ends).
DatabaseContents ParseDatabase(std::string_view bytes);

// Reads the file at `path` without ever opening it for writing. Returns the
// message (naming the file) when it cannot be read.
std::optional<std::string> ReadDatabaseFile(const std::string& path, DatabaseContents& contents);

// The database file that "Add to database" would append to when the program
// starts in `dir`: the first line of `dir`/database.ini names it. Fills `path`
// or returns why there is none (no database.ini, a refused name, a missing file).
std::optional<std::string> LocateDatabase(const std::string& dir, std::string& path);

// --- what the browser's table shows ----------------------------------------

struct BrowserCell {
    std::string text;
    std::optional<double> number;  // sorts numerically when set
};

// A column of the record table: its title and how a record's cell is made.
struct BrowserColumn {
    std::string title;
    BrowserCell (*cell)(const StoredRecord& record);
};
// The record table's columns, left to right.
const std::vector<BrowserColumn>& BrowserColumns();

// One row of the field list: a record's line, or two records' lines side by side.
struct FieldRow {
    int line = 0;
    std::string name;
    std::string first;
    std::string second;
    bool differs = false;  // only when comparing
};
std::vector<FieldRow> FieldRows(const StoredRecord& record);
std::vector<FieldRow> CompareRecords(const StoredRecord& a, const StoredRecord& b);

}  // namespace kest
