// Reading database files as the browser does: sound records, a tampered
// value, cut records and stray lines, and finding the file through
// database.ini.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "record/database_read.h"
#include "report/temp_dir.h"

namespace kest {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

std::string Golden(const char* name) { return ReadFile(std::string(KEST_REPORT_GOLDEN_DIR) + "/" + name); }

// `text` with the first occurrence of `from` replaced by `to`.
std::string Replace(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

// The first `n` lines of `text` (CR LF ends).
std::string FirstLines(const std::string& text, int n) {
    size_t at = 0;
    for (int i = 0; i < n; ++i) at = text.find("\r\n", at) + 2;
    return text.substr(0, at);
}

// Line `n` (from 1) of `text`, without its line end.
std::string LineOf(const std::string& text, int n) {
    const std::string upto = FirstLines(text, n);
    const size_t from = n > 1 ? FirstLines(text, n - 1).size() : 0;
    return upto.substr(from, upto.size() - from - 2);
}

TEST(DatabaseRead, TwoRecordsAsWrittenAreReadWholeAndCheck) {
    const std::string p4 = Golden("p4_trace_record.txt"), amd = Golden("amd_l3_record.txt");
    const DatabaseContents db = ParseDatabase(p4 + amd);
    ASSERT_EQ(db.records.size(), 2u);
    EXPECT_TRUE(db.unread.empty());
    EXPECT_TRUE(db.Sound());

    const StoredRecord& a = db.records[0];
    const StoredRecord& b = db.records[1];
    EXPECT_EQ(a.first_line, 1);
    EXPECT_EQ(a.last_line, 98);
    EXPECT_EQ(b.first_line, 99);
    EXPECT_EQ(b.last_line, 196);
    for (const StoredRecord* r : {&a, &b}) {
        EXPECT_TRUE(r->Complete());
        EXPECT_EQ(r->checksum, ChecksumCheck::Good);
        EXPECT_EQ(r->Status(), "good");
    }
    EXPECT_EQ(a.Value("checksum"), "3206800424");
    EXPECT_EQ(a.computed_checksum, 3206800424u);
    EXPECT_EQ(a.Value("procname"), "Intel Pentium 4");

    // The repeated TLB keys are told apart by their position.
    EXPECT_EQ("l1itlba2=" + b.Value("l1itlba2"), LineOf(amd, 53));
    EXPECT_EQ("l1itlba2=" + b.Value("l1itlbe2"), LineOf(amd, 54));
    EXPECT_EQ("l2itlba2=" + b.Value("l2itlbe2"), LineOf(amd, 67));

    // The table's cells: numbers sort as numbers, throughput from memtestr.
    const auto& cols = BrowserColumns();
    auto cell = [&](const StoredRecord& r, const std::string& title) {
        for (size_t c = 0; c < cols.size(); ++c)
            if (cols[c].title == title) return cols[c].cell(r);
        ADD_FAILURE() << title;
        return BrowserCell{};
    };
    EXPECT_EQ(cell(b, "Family/Model/Stepping").text, "15/2/3");
    EXPECT_LT(*cell(a, "Family/Model/Stepping").number, *cell(b, "Family/Model/Stepping").number);
    EXPECT_EQ(cell(b, "L3 (KB)").number, 2048.0);
    EXPECT_EQ(cell(b, "Read MB/s avg").text, "1071.87");   // 0x1A2B3 / 100
    EXPECT_EQ(cell(b, "Write MB/s avg").text, "745.65");   // 0x12345 / 100
    EXPECT_EQ(cell(b, "Copy MB/s avg").text, "655.35");    // 0xFFFF / 100
    EXPECT_EQ(cell(a, "Read MB/s avg").text, "");          // no test run
    EXPECT_EQ(cell(a, "Clock").number, 1495.20);
    EXPECT_EQ(cell(b, "Line").number, 99.0);

    // Side by side: exactly the lines that differ are marked.
    const auto rows = CompareRecords(a, b);
    ASSERT_EQ(rows.size(), 98u);
    int differing = 0;
    for (const FieldRow& r : rows) {
        EXPECT_EQ(r.differs, r.first != r.second) << r.name;
        differing += r.differs;
        if (r.name == "datetime" || r.name == "zakversn") {
            EXPECT_FALSE(r.differs);
        }
        if (r.name == "procname" || r.name == "level3cs") {
            EXPECT_TRUE(r.differs);
        }
    }
    EXPECT_GT(differing, 10);
    EXPECT_FALSE(CompareRecords(a, a)[15].differs);
}

TEST(DatabaseRead, ChangedBytesMarkTheirRecordOnly) {
    const std::string p4 = Golden("p4_trace_record.txt"), amd = Golden("amd_l3_record.txt");

    // One digit of a covered value: the sum no longer recomputes.
    DatabaseContents db = ParseDatabase(p4 + Replace(amd, "\r\nstepping=3\r\n", "\r\nstepping=4\r\n"));
    ASSERT_EQ(db.records.size(), 2u);
    EXPECT_EQ(db.records[0].Status(), "good");
    EXPECT_EQ(db.records[1].checksum, ChecksumCheck::Fails);
    EXPECT_EQ(db.records[1].Status(), "checksum fails");
    EXPECT_TRUE(db.records[1].Complete());
    EXPECT_FALSE(db.Sound());
    ASSERT_FALSE(db.records[1].Problems().empty());
    EXPECT_NE(db.records[1].Problems()[0].find("stored 919328461"), std::string::npos);

    // A covered value that is no number at all.
    db = ParseDatabase(Replace(p4, "\r\nlevel1dc=8\r\n", "\r\nlevel1dc=8x\r\n"));
    EXPECT_EQ(db.records[0].checksum, ChecksumCheck::Fails);

    // A changed name: the checksum cannot see it, the markers can.
    db = ParseDatabase(Replace(p4, "procname=Intel Pentium 4", "procname=Intel Pentium 5"));
    EXPECT_EQ(db.records[0].checksum, ChecksumCheck::Good);
    EXPECT_FALSE(db.records[0].markers_agree);
    EXPECT_TRUE(db.records[0].Damaged());
}

TEST(DatabaseRead, DamagedFilesShowWhatCanBeReadAndNameTheRest) {
    const std::string p4 = Golden("p4_trace_record.txt"), amd = Golden("amd_l3_record.txt");
    // A record cut after 40 lines, a whole record, two stray lines, a record
    // with an unknown line inside and a lost line, and finally a record cut
    // off before its end marker (no line break at the very end).
    std::string withJunk = Replace(amd, "\r\nl2cassoc=", "\r\nnonsense line\r\nl2cassoc=");
    withJunk = Replace(withJunk, "\r\nl3sector=", "\r\nX");  // loses line 72 "l3sector="
    std::string tail = FirstLines(p4, 60);
    tail.resize(tail.size() - 2);
    const std::string file = FirstLines(amd, 40) + p4 + "garbage\r\n--End stray --\r\n" + withJunk + tail;

    const DatabaseContents db = ParseDatabase(file);
    ASSERT_EQ(db.records.size(), 4u);

    const StoredRecord& cut = db.records[0];
    EXPECT_FALSE(cut.has_end_marker);
    EXPECT_EQ(cut.first_line, 1);
    EXPECT_EQ(cut.last_line, 40);
    EXPECT_EQ(cut.Value("procname"), "AMD Phenom");
    EXPECT_EQ(cut.Value("level1dc"), "64");
    EXPECT_EQ(cut.checksum, ChecksumCheck::CannotCheck);
    EXPECT_EQ(cut.Status(), "incomplete");

    EXPECT_EQ(db.records[1].Status(), "good");
    EXPECT_EQ(db.records[1].first_line, 41);

    const StoredRecord& junk = db.records[2];
    EXPECT_TRUE(junk.has_end_marker);
    EXPECT_EQ(junk.MissingLines(), std::vector<int>{72});
    EXPECT_EQ("l2cassoc=" + junk.Value("l2cassoc"), LineOf(amd, 57));
    EXPECT_EQ(junk.Value("level3cs"), "2048");
    // The covered values are all there: the sum still checks.
    EXPECT_EQ(junk.checksum, ChecksumCheck::Good);
    EXPECT_EQ(junk.Status(), "incomplete");

    const StoredRecord& last = db.records[3];
    EXPECT_FALSE(last.has_end_marker);
    EXPECT_EQ(last.Value("level2cs"), "0");
    EXPECT_EQ(last.last_line, 141 + 99 + 60 - 1);

    // Unread lines: the two strays, the unknown line and the broken line.
    ASSERT_EQ(db.unread.size(), 4u);
    EXPECT_EQ(db.unread[0].line, 139);
    EXPECT_EQ(db.unread[0].text, "garbage");
    EXPECT_EQ(db.unread[1].line, 140);
    EXPECT_EQ(db.unread[1].reason, "end marker without a record");
    EXPECT_EQ(db.unread[2].text, "nonsense line");
    EXPECT_EQ(db.unread[2].line, 140 + 57);
    EXPECT_EQ(db.unread[3].line, 140 + 73);
    EXPECT_EQ(db.unread[3].text, "X" + LineOf(amd, 72).substr(9));
    EXPECT_FALSE(db.Sound());
}

TEST(DatabaseRead, TextsAreConvertedFromTheRecordCodePage) {
    const std::string p4 = Golden("p4_trace_record.txt");
    const DatabaseContents db = ParseDatabase(Replace(p4, "techpar1=", "techpar1=0,13\xB5m \x80"));
    EXPECT_TRUE(db.records[0].Value("techpar1").starts_with("0,13\xC2\xB5m \xE2\x82\xAC"));
}

TEST(DatabaseLocate, SameRulesAsAddingRecords) {
    TempDir dir;
    std::string path;
    EXPECT_NE(LocateDatabase(dir.path(), path), std::nullopt);  // no database.ini

    WriteFile(dir / "database.ini", "../elsewhere.db\r\nignored\r\n");
    auto err = LocateDatabase(dir.path(), path);
    ASSERT_TRUE(err);
    EXPECT_NE(err->find("path separator"), std::string::npos);

    WriteFile(dir / "database.ini", "cpus.db\r\n");
    err = LocateDatabase(dir.path(), path);
    ASSERT_TRUE(err);
    EXPECT_NE(err->find("does not exist"), std::string::npos);

    WriteFile(dir / "cpus.db", Golden("p4_trace_record.txt"));
    EXPECT_EQ(LocateDatabase(dir.path(), path), std::nullopt);
    EXPECT_EQ(path, dir / "cpus.db");

    // Reading leaves the file exactly as it was, even a read-only one.
    ::chmod(path.c_str(), 0444);
    const std::string before = ReadFile(path);
    DatabaseContents db;
    EXPECT_EQ(ReadDatabaseFile(path, db), std::nullopt);
    EXPECT_EQ(db.records.size(), 1u);
    EXPECT_EQ(ReadFile(path), before);

    EXPECT_NE(ReadDatabaseFile(dir.path(), db), std::nullopt);  // a folder
    EXPECT_NE(ReadDatabaseFile(dir / "missing.db", db), std::nullopt);
}

}  // namespace
}  // namespace kest
