#include "report/database_read.h"

#include <charconv>
#include <cstdio>
#include <cstring>

#include "cpu/format.h"
#include "report/database.h"
#include "cpu/file_io.h"

namespace kest {

namespace {

// Far more records than a database gathers (a record is about 3 KB).
constexpr uint64_t kMaxDatabaseBytes = uint64_t{256} << 20;
constexpr int kChecksumLine = 96;
constexpr int kEndLine = 98;
constexpr std::string_view kStart = "--Start ";
constexpr std::string_view kEnd = "--End ";

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

void Finish(StoredRecord& r) {
    const auto& layout = RecordLayout();
    uint64_t sum = 0;
    bool all = true, numbers = true;
    for (const RecordLineInfo& l : layout) {
        if (!l.weight) continue;
        const auto& v = r.values[static_cast<size_t>(l.line - 1)];
        if (!v) {
            all = false;
            continue;
        }
        if (auto n = Decimal(*v))
            sum += static_cast<uint32_t>(static_cast<uint32_t>(*n) * l.weight);  // product modulo 2^32
        else
            numbers = false;
    }
    const auto& stored = r.values[kChecksumLine - 1];
    r.computed_checksum = sum;
    if (!numbers)
        r.checksum = ChecksumCheck::Fails;
    else if (!all || !stored)
        r.checksum = ChecksumCheck::CannotCheck;
    else
        r.checksum = Decimal(*stored) == sum ? ChecksumCheck::Good : ChecksumCheck::Fails;

    // Both markers are written from the name and clock labels of the moment.
    const auto& start = r.values[0];
    const auto& end = r.values[kEndLine - 1];
    const auto& name = r.values[2];
    const auto& clock = r.values[4];
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
        std::string s = std::to_string(missing.size()) + " of 98 record lines missing (";
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
            open->values[0] = Cp1252ToUtf8(line.substr(kStart.size()));
            next = 2;
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

const std::vector<std::string>& BrowserColumns() {
    static const std::vector<std::string> columns = {
        "Line",    "Status",  "Date",   "Vendor",        "CPU name",       "Code name",     "Clock",
        "Family/Model/Stepping", "L2 (KB)", "L3 (KB)", "Rating", "Read MB/s avg", "Write MB/s avg", "Copy MB/s avg"};
    return columns;
}

std::optional<std::array<double, 3>> ThroughputAverages(std::string_view memtestr) {
    if (memtestr.size() != 24) return std::nullopt;
    std::array<double, 3> v{};
    bool any = false;
    for (size_t i = 0; i < 3; ++i) {
        uint32_t n = 0;
        const char* b = memtestr.data() + i * 8;
        auto [p, ec] = std::from_chars(b, b + 8, n, 16);
        if (ec != std::errc() || p != b + 8) return std::nullopt;
        v[i] = n / 100.0;
        any = any || n;
    }
    if (!any) return std::nullopt;
    return v;
}

BrowserCell BrowserCellOf(const StoredRecord& r, size_t column) {
    auto number = [](const std::string& s) -> std::optional<double> {
        double v = 0;
        auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
        if (ec != std::errc() || p == s.data()) return std::nullopt;
        return v;
    };
    auto text = [&](const char* name) { return BrowserCell{r.Value(name), std::nullopt}; };
    auto kb = [&](const char* name) {
        const std::string v = r.Value(name);
        return BrowserCell{v, number(v)};
    };
    switch (column) {
        case 0:
            return {std::to_string(r.first_line), static_cast<double>(r.first_line)};
        case 2:
            return text("datetime");
        case 3:
            return text("vendorst");
        case 4:
            return text("procname");
        case 5:
            return text("corecode");
        case 6: {
            const std::string v = r.Value("frequenc");  // "1495.20 MHz"
            return {v, number(v)};
        }
        case 7: {
            auto f = Decimal(r.Value("stfamily")), m = Decimal(r.Value("st_model")), s = Decimal(r.Value("stepping"));
            if (!f || !m || !s) return {};
            return {std::to_string(*f) + "/" + std::to_string(*m) + "/" + std::to_string(*s),
                    static_cast<double>(*f * 65536 + *m * 256 + *s)};
        }
        case 8:
            return kb("level2cs");
        case 9:
            return kb("level3cs");
        case 10:
            return text("p_rating");
        case 11:
        case 12:
        case 13: {
            auto avg = ThroughputAverages(r.Value("memtestr"));
            if (!avg) return {};
            const double v = (*avg)[column - 11];
            char buf[32];
            std::snprintf(buf, sizeof buf, "%.2f", v);
            return {buf, v};
        }
        case 1:
            return {r.Status(), std::nullopt};
        default:
            return {};
    }
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
