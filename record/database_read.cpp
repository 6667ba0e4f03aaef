#include "record/database_read.h"

#include <charconv>
#include <cstdio>
#include <cstring>

#include "cpu/file_io.h"
#include "cpu/format.h"
#include "record/database.h"
#include "record/memtestr.h"

namespace kest {

namespace {

// Far more records than a database gathers (a record is about 3 KB).
constexpr uint64_t kMaxDatabaseBytes = uint64_t{256} << 20;
constexpr std::string_view kStart = kRecordFields[kStartLine - 1].key;
constexpr std::string_view kEnd = kRecordFields[kEndLine - 1].key;

std::optional<uint64_t> Decimal(std::string_view s) {
    uint64_t v = 0;
    if (s.empty() || s.size() > 20) return std::nullopt;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || p != s.data() + s.size()) return std::nullopt;
    return v;
}

// The marker's own text: what lies between the key and the closing " --".
std::string MarkerText(std::string_view value) {
    if (value.ends_with(" --")) value.remove_suffix(3);
    return std::string(value);
}

const std::optional<std::string>& ValueOf(const StoredRecord& r, int line) { return r.values[static_cast<size_t>(line - 1)]; }

void Finish(StoredRecord& r) {
    // A missing or unreadable covered value counts as 0 in the sum, which
    // then says only how far it got.
    bool all = true, numbers = true;
    r.computed_checksum = RecordChecksum([&](int line) -> uint64_t {
        const auto& v = ValueOf(r, line);
        if (!v) {
            all = false;
            return 0;
        }
        const auto n = Decimal(*v);
        if (!n) numbers = false;
        return n.value_or(0);
    });
    const auto& stored = ValueOf(r, kChecksumLine);
    if (!numbers)
        r.checksum = ChecksumCheck::Fails;
    else if (!all || !stored)
        r.checksum = ChecksumCheck::CannotCheck;
    else
        r.checksum = Decimal(*stored) == r.computed_checksum ? ChecksumCheck::Good : ChecksumCheck::Fails;

    // Both markers are written from the name and clock labels of the moment.
    const auto& start = ValueOf(r, kStartLine);
    const auto& end = ValueOf(r, kEndLine);
    const auto& name = ValueOf(r, RecordLineOf("procname"));
    const auto& clock = ValueOf(r, RecordLineOf("frequenc"));
    r.markers_agree = true;
    if (start && end && MarkerText(*start) != MarkerText(*end)) r.markers_agree = false;
    if (name && clock) {
        const std::string expect = *name + " " + *clock;
        if ((start && MarkerText(*start) != expect) || (end && MarkerText(*end) != expect)) r.markers_agree = false;
    }
}

std::string Shortened(std::string_view raw) {
    std::string t = Cp1252ToUtf8(raw.substr(0, 80));
    if (raw.size() > 80) t += "...";
    return t;
}

}  // namespace

std::string StoredRecord::Value(std::string_view name) const {
    for (const RecordLineInfo& l : RecordLayout())
        if (l.name == name) return values[static_cast<size_t>(l.line - 1)].value_or("");
    return {};
}

std::vector<int> StoredRecord::MissingLines() const {
    std::vector<int> missing;
    for (int i = 0; i < kRecordLines; ++i)
        if (!values[static_cast<size_t>(i)]) missing.push_back(i + 1);
    return missing;
}

std::vector<std::string> StoredRecord::Problems() const {
    std::vector<std::string> p;
    if (!has_end_marker) p.push_back("no end marker: the record is cut after file line " + std::to_string(last_line));
    std::vector<int> missing = MissingLines();
    if (!has_end_marker && !missing.empty() && missing.back() == kEndLine) missing.pop_back();
    if (!missing.empty()) {
        std::string s = std::to_string(missing.size()) + " of " + std::to_string(kRecordLines) + " record lines missing (";
        for (size_t i = 0; i < missing.size() && i < 6; ++i) s += (i ? ", " : "") + std::string(RecordLayout()[static_cast<size_t>(missing[i] - 1)].name);
        s += missing.size() > 6 ? ", ...)" : ")";
        p.push_back(s);
    }
    if (checksum == ChecksumCheck::Fails)
        p.push_back("checksum does not recompute (stored " + Value("checksum") + ", computed " +
                    std::to_string(computed_checksum) + ")");
    else if (checksum == ChecksumCheck::CannotCheck)
        p.push_back("checksum cannot be checked: lines it covers are missing");
    if (!markers_agree) p.push_back("the start and end markers do not match procname and frequenc");
    return p;
}

std::string StoredRecord::Status() const {
    if (!Damaged()) return "good";
    if (!Complete()) return "incomplete";
    if (checksum == ChecksumCheck::Fails) return "checksum fails";
    return "damaged";
}

bool DatabaseContents::Sound() const {
    if (!unread.empty()) return false;
    for (const StoredRecord& r : records)
        if (r.Damaged()) return false;
    return true;
}

DatabaseContents ParseDatabase(std::string_view bytes) {
    const auto& layout = RecordLayout();
    DatabaseContents out;
    StoredRecord* open = nullptr;
    int next = 0;  // record line expected next (1-based), while a record is open
    int number = 0;

    auto close_cut = [&] {
        if (!open) return;
        Finish(*open);
        open = nullptr;
    };
    auto unread = [&](std::string_view line, std::string reason) {
        out.unread.push_back({number, std::move(reason), Shortened(line)});
    };

    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t eol = bytes.find('\n', pos);
        std::string_view line = bytes.substr(pos, eol == std::string_view::npos ? std::string_view::npos : eol - pos);
        pos = eol == std::string_view::npos ? bytes.size() : eol + 1;
        if (line.ends_with('\r')) line.remove_suffix(1);
        ++number;

        if (line.starts_with(kStart)) {
            close_cut();
            out.records.emplace_back();
            open = &out.records.back();
            open->first_line = open->last_line = number;
            open->values[kStartLine - 1] = Cp1252ToUtf8(line.substr(kStart.size()));
            next = kStartLine + 1;
            continue;
        }
        if (!open) {
            unread(line, line.starts_with(kEnd) ? "end marker without a record" : "not part of any record");
            continue;
        }
        if (line.starts_with(kEnd)) {
            open->values[kEndLine - 1] = Cp1252ToUtf8(line.substr(kEnd.size()));
            open->has_end_marker = true;
            open->last_line = number;
            Finish(*open);
            open = nullptr;
            continue;
        }
        // The nearest record line from the expected one on whose key starts
        // this line: lines in between are missing, a line that fits none was
        // not written by the program.
        int found = 0;
        for (int l = next; l < kEndLine; ++l)
            if (line.starts_with(layout[static_cast<size_t>(l - 1)].key)) {
                found = l;
                break;
            }
        if (!found) {
            unread(line, "does not fit record line " + std::to_string(next) + " of the record that starts at line " +
                             std::to_string(open->first_line));
            continue;
        }
        open->values[static_cast<size_t>(found - 1)] =
            Cp1252ToUtf8(line.substr(layout[static_cast<size_t>(found - 1)].key.size()));
        open->last_line = number;
        next = found + 1;
    }
    close_cut();
    return out;
}

std::optional<std::string> ReadDatabaseFile(const std::string& path, DatabaseContents& contents) {
    auto fail = [&](int err) { return "Cannot read the database file \"" + path + "\". " + IoErrorText(err); };
    // Only a regular file is read, and a named pipe cannot hold the reader.
    const FileContents file = ReadWholeFile(path, kMaxDatabaseBytes, {.regular_only = true, .follow_links = true});
    if (file.result.step == FileStep::kTooLarge)
        return "Cannot read the database file \"" + path + "\". It is larger than " +
               std::to_string(kMaxDatabaseBytes >> 20) + " MB.";
    if (!file.result) return fail(file.result.err);
    contents = ParseDatabase(file.bytes);
    return std::nullopt;
}

std::optional<std::string> LocateDatabase(const std::string& dir, std::string& path) {
    // The same reading and the same refusals as "Add to database".
    std::string ini, db, name;
    if (auto err = ReadDatabasePointer(dir, DatabaseRecords{ini, db, name}))
        return "Cannot read " + std::string(kDatabasePointerFile) + ": " + *err;
    if (ini != kDatabasePointerFile)
        return "There is no " + std::string(kDatabasePointerFile) + " in " + (dir.empty() ? "." : dir) + ".";
    if (auto bad = CheckDatabaseName(name)) return *bad;
    const std::string full = (dir.empty() ? std::string(".") : dir) + "/" + name;
    if (db != name) return "The database file \"" + full + "\" named by database.ini does not exist.";
    path = full;
    return std::nullopt;
}

namespace {

std::optional<double> Number(const std::string& s) {
    double v = 0;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || p == s.data()) return std::nullopt;
    return v;
}

BrowserCell Text(const StoredRecord& r, const char* name) { return {r.Value(name), std::nullopt}; }

// A value that sorts by its leading number ("1495.20 MHz", "2048").
BrowserCell Leading(const StoredRecord& r, const char* name) {
    const std::string v = r.Value(name);
    return {v, Number(v)};
}

BrowserCell FamilyModelStepping(const StoredRecord& r) {
    auto f = Decimal(r.Value("stfamily")), m = Decimal(r.Value("st_model")), s = Decimal(r.Value("stepping"));
    if (!f || !m || !s) return {};
    return {std::to_string(*f) + "/" + std::to_string(*m) + "/" + std::to_string(*s),
            static_cast<double>(*f * 65536 + *m * 256 + *s)};
}

BrowserCell Throughput(const StoredRecord& r, double ThroughputAverages::*test) {
    auto avg = ReadMemtestr(r.Value("memtestr"));
    if (!avg) return {};
    const double v = (*avg).*test;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    return {buf, v};
}

}  // namespace

const std::vector<BrowserColumn>& BrowserColumns() {
    using R = const StoredRecord&;
    static const std::vector<BrowserColumn> columns = {
        {"Line", [](R r) { return BrowserCell{std::to_string(r.first_line), static_cast<double>(r.first_line)}; }},
        {"Status", [](R r) { return BrowserCell{r.Status(), std::nullopt}; }},
        {"Date", [](R r) { return Text(r, "datetime"); }},
        {"Vendor", [](R r) { return Text(r, "vendorst"); }},
        {"CPU name", [](R r) { return Text(r, "procname"); }},
        {"Code name", [](R r) { return Text(r, "corecode"); }},
        {"Clock", [](R r) { return Leading(r, "frequenc"); }},
        {"Family/Model/Stepping", FamilyModelStepping},
        {"L2 (KB)", [](R r) { return Leading(r, "level2cs"); }},
        {"L3 (KB)", [](R r) { return Leading(r, "level3cs"); }},
        {"Rating", [](R r) { return Text(r, "p_rating"); }},
        {"Read MB/s avg", [](R r) { return Throughput(r, &ThroughputAverages::read); }},
        {"Write MB/s avg", [](R r) { return Throughput(r, &ThroughputAverages::write); }},
        {"Copy MB/s avg", [](R r) { return Throughput(r, &ThroughputAverages::copy); }},
    };
    return columns;
}

std::vector<FieldRow> FieldRows(const StoredRecord& record) {
    std::vector<FieldRow> rows;
    for (const RecordLineInfo& l : RecordLayout()) {
        const auto& v = record.values[static_cast<size_t>(l.line - 1)];
        rows.push_back({l.line, std::string(l.name), v.value_or("(missing)"), {}, false});
    }
    return rows;
}

std::vector<FieldRow> CompareRecords(const StoredRecord& a, const StoredRecord& b) {
    std::vector<FieldRow> rows;
    for (const RecordLineInfo& l : RecordLayout()) {
        const auto& va = a.values[static_cast<size_t>(l.line - 1)];
        const auto& vb = b.values[static_cast<size_t>(l.line - 1)];
        rows.push_back({l.line, std::string(l.name), va.value_or("(missing)"), vb.value_or("(missing)"), va != vb});
    }
    return rows;
}

}  // namespace kest
