#include "app/database_cli.h"

#include <nlohmann/json.hpp>
#include <ostream>

#include "cpu/file_io.h"
#include "cpu/output_format.h"

namespace kest {

namespace {

std::string CsvField(const std::string& s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
    std::string q = "\"";
    for (char c : s) {
        if (c == '"') q += '"';
        q += c;
    }
    return q + "\"";
}

std::string Joined(const std::vector<std::string>& parts) {
    std::string s;
    for (const std::string& p : parts) s += (s.empty() ? "" : "; ") + p;
    return s;
}

}  // namespace

std::string DatabaseJson(const std::string& path, const DatabaseContents& db) {
    nlohmann::ordered_json j;
    j["file"] = path;
    j["records"] = nlohmann::ordered_json::array();
    for (const StoredRecord& r : db.records) {
        nlohmann::ordered_json rec;
        rec["first_line"] = r.first_line;
        rec["last_line"] = r.last_line;
        rec["status"] = r.Status();
        rec["problems"] = r.Problems();
        nlohmann::ordered_json fields = nlohmann::ordered_json::object();
        for (const RecordLineInfo& l : RecordLayout()) {
            const auto& v = r.values[static_cast<size_t>(l.line - 1)];
            fields[std::string(l.name)] = v ? nlohmann::ordered_json(*v) : nlohmann::ordered_json();
        }
        rec["fields"] = fields;
        j["records"].push_back(rec);
    }
    j["unread_lines"] = nlohmann::ordered_json::array();
    for (const UnreadLine& u : db.unread)
        j["unread_lines"].push_back({{"line", u.line}, {"reason", u.reason}, {"text", u.text}});
    return j.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

std::string DatabaseCsv(const DatabaseContents& db) {
    std::string out = "first_line,last_line,status,problems";
    for (const RecordLineInfo& l : RecordLayout()) out += "," + std::string(l.name);
    out += "\r\n";
    for (const StoredRecord& r : db.records) {
        out += std::to_string(r.first_line) + "," + std::to_string(r.last_line) + "," + CsvField(r.Status()) + "," +
               CsvField(Joined(r.Problems()));
        for (const auto& v : r.values) out += "," + CsvField(v.value_or(""));
        out += "\r\n";
    }
    return out;
}

int PrintDatabase(const std::string& path, const std::string& format, const std::string& output,
                  std::ostream& out, std::ostream& err) {
    const auto f = PickFormat(format, kDatabaseFormats);
    if (!f) {
        err << "kestrune-cli: --format " << format << " does not go with --database (" << FormatList(kDatabaseFormats)
            << ")\n";
        return 2;
    }
    DatabaseContents db;
    if (auto e = ReadDatabaseFile(path, db)) {
        err << "kestrune-cli: " << *e << "\n";
        return 2;
    }
    const std::string text = *f == OutputFormat::Json ? DatabaseJson(path, db) : DatabaseCsv(db);
    if (!output.empty()) {
        if (auto e = WriteFileSafely(output, text)) {
            err << "kestrune-cli: " << output << ": " << *e << "\n";
            return 2;
        }
    } else {
        out << text;
        out.flush();
    }
    for (const StoredRecord& r : db.records)
        for (const std::string& p : r.Problems())
            err << path << ":" << r.first_line << ": record " << r.Status() << ": " << p << "\n";
    for (const UnreadLine& u : db.unread) err << path << ":" << u.line << ": " << u.reason << "\n";
    return db.Sound() ? 0 : 1;
}

}  // namespace kest
