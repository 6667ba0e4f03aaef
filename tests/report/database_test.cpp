// The database pointer file, the "Database..." button through the window's
// population, and adding records.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "record/database.h"
#include "report/fixtures.h"
#include "report/model_inputs.h"
#include "report/temp_dir.h"

namespace kest {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// A window model whose current folder and start-up folder are test folders.
struct Window {
    test::Processor p = test::AmdWithL3();
    ProcessorNames names;
    WindowGlobals globals;
    std::string current_dir;
    std::unique_ptr<MainWindowModel> model;

    Window(const std::string& startup, const std::string& current) : current_dir(current) {
        names.procname = "AMD Phenom";
        names.intprocn = 113;
        globals.StartupDir = startup;
        WindowSeams seams;
        seams.read_dmi = [](DmiProcessorInfo& d) { d.dmiread = false; };
        seams.measure_clock = [](ClockMethod) { return GivenClock(2210.07); };
        seams.find_in_current_dir = [this](const std::string& name) { return FindExactName(current_dir, name); };
        WindowHooks hooks;
        hooks.read_database_pointer = DatabasePointerHook(startup);
        model = std::make_unique<MainWindowModel>(p.cpu, p.caches, names, globals, seams, hooks);
    }
    bool DbaseEnabled() { return model->State()[ctl::kDbase].enabled; }
    std::optional<std::string> Add() {
        const std::string rec = DatabaseRecord(ReportInputsFor(*model, "1/2/24", "10:00:00"));
        return AddDatabaseRecord(globals.StartupDir, model->Database().remembered_name, rec);
    }
};

TEST(DatabaseButton, DisabledWithoutPointerFile) {
    TempDir dir;
    Window w(dir.path(), dir.path());
    w.model->FormCreate();
    EXPECT_FALSE(w.DbaseEnabled());
}

TEST(DatabaseButton, PointerFileWithWrongLetterCaseDoesNotCount) {
    TempDir dir;
    WriteFile(dir / "Database.ini", "cpus.db\r\n");
    WriteFile(dir / "cpus.db", "");
    Window w(dir.path(), dir.path());
    w.model->FormCreate();
    EXPECT_FALSE(w.DbaseEnabled());
}

TEST(DatabaseButton, FoundPointerAndFileEnableAddingRecords) {
    TempDir dir;
    WriteFile(dir / "database.ini", "cpus.db\r\nanything else\r\n");
    WriteFile(dir / "cpus.db", "old records\r\n");
    Window w(dir.path(), dir.path());
    w.model->FormCreate();
    EXPECT_TRUE(w.DbaseEnabled());
    EXPECT_EQ(w.model->Database().remembered_name, "cpus.db");
    EXPECT_EQ(w.model->Database().db_record, "cpus.db");

    ASSERT_EQ(w.Add(), std::nullopt);
    ASSERT_EQ(w.Add(), std::nullopt);  // a second click adds a second whole record
    const std::string db = ReadFile(dir / "cpus.db");
    EXPECT_EQ(db.rfind("old records\r\n--Start AMD Phenom ", 0), 0u);
    int starts = 0, ends = 0;
    for (size_t i = 0; (i = db.find("--Start ", i)) != std::string::npos; ++i) ++starts;
    for (size_t i = 0; (i = db.find("--End ", i)) != std::string::npos; ++i) ++ends;
    EXPECT_EQ(starts, 2);
    EXPECT_EQ(ends, 2);
    EXPECT_EQ(db.size(), 13 + 2 * DatabaseRecord(ReportInputsFor(*w.model, "1/2/24", "10:00:00")).size());

    w.model->FormCreate();  // Reset: both records still match
    EXPECT_TRUE(w.DbaseEnabled());
}

TEST(DatabaseButton, NamedFileMissingEnabledAtStartThenDisabledAfterReset) {
    TempDir dir;
    WriteFile(dir / "database.ini", "missing.db");
    Window w(dir.path(), dir.path());
    w.model->FormCreate();
    EXPECT_TRUE(w.DbaseEnabled());
    auto msg = w.Add();
    ASSERT_TRUE(msg);
    EXPECT_NE(msg->find(dir / "missing.db"), std::string::npos) << *msg;
    EXPECT_NE(msg->find("File not found"), std::string::npos) << *msg;
    EXPECT_FALSE(std::filesystem::exists(dir / "missing.db"));  // never created

    w.model->FormCreate();
    EXPECT_FALSE(w.DbaseEnabled());
}

TEST(DatabaseButton, FileDeletedAfterResetKeepsButtonAndAddFailsWithMessage) {
    TempDir dir;
    WriteFile(dir / "database.ini", "cpus.db");
    WriteFile(dir / "cpus.db", "");
    Window w(dir.path(), dir.path());
    w.model->FormCreate();
    w.model->FormCreate();
    ASSERT_EQ(w.Add(), std::nullopt);
    const std::string first = ReadFile(dir / "cpus.db");

    std::filesystem::remove(dir / "cpus.db");
    w.model->FormCreate();
    EXPECT_TRUE(w.DbaseEnabled());  // the search record still holds the name
    auto msg = w.Add();
    ASSERT_TRUE(msg);
    EXPECT_NE(msg->find("cpus.db"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "cpus.db"));
    EXPECT_FALSE(first.empty());
}

TEST(DatabaseButton, UnreadablePointerStopsPopulationAndKeepsButtonState) {
    TempDir startup, current;
    // database.ini only in the current folder: the test passes there, but the
    // reading looks in the start-up folder.
    WriteFile(current / "database.ini", "cpus.db");
    Window w(startup.path(), current.path());
    EXPECT_THROW(w.model->FormCreate(), std::runtime_error);
    EXPECT_FALSE(w.DbaseEnabled());  // its form state
}

TEST(DatabaseButton, EmptyPointerFileEnablesButtonButAddIsRefused) {
    TempDir dir;
    WriteFile(dir / "database.ini", "");
    Window w(dir.path(), dir.path());
    w.model->FormCreate();
    w.model->FormCreate();
    EXPECT_TRUE(w.DbaseEnabled());
    auto msg = w.Add();
    ASSERT_TRUE(msg);
    EXPECT_NE(msg->find("names no database file"), std::string::npos) << *msg;
}

TEST(DatabaseAdd, NamesOutsideTheFolderAreRefused) {
    TempDir dir;
    std::filesystem::create_directory(dir / "sub");
    WriteFile(dir / "sub/victim", "keep");
    WriteFile(dir / "victim", "keep");
    const std::pair<const char*, const char*> cases[] = {
        {"", "names no database file"},
        {"sub/victim", "path separator"},
        {"../victim", "path separator"},
        {"sub\\victim", "path separator"},
        {".", "not a file name"},
        {"..", "not a file name"},
        {"link.db", "File access denied"},  // a link to a file elsewhere
    };
    std::filesystem::create_symlink(dir / "victim", dir / "sub/link.db");
    const std::string long_line(100000, 'a');
    for (const auto& [name, reason] : cases) {
        WriteFile(dir / "database.ini", name);
        std::string ini, db, remembered;
        ASSERT_EQ(ReadDatabasePointer(dir.path(), {ini, db, remembered}), std::nullopt);
        EXPECT_EQ(remembered, name);
        auto msg = AddDatabaseRecord(dir / "sub", remembered, "record\r\n");
        ASSERT_TRUE(msg) << name;
        EXPECT_NE(msg->find(reason), std::string::npos) << *msg;
    }
    // A first line longer than a file name is read only that far and refused.
    WriteFile(dir / "database.ini", long_line + "\r\n");
    std::string ini, db, remembered;
    ASSERT_EQ(ReadDatabasePointer(dir.path(), {ini, db, remembered}), std::nullopt);
    EXPECT_EQ(remembered.size(), kMaxDatabaseNameLength + 1);
    EXPECT_EQ(db, "") << "an invalid name is never searched for";
    auto msg = AddDatabaseRecord(dir.path(), remembered, "record\r\n");
    ASSERT_TRUE(msg);
    EXPECT_NE(msg->find("not a file name"), std::string::npos) << *msg;
    EXPECT_EQ(ReadFile(dir / "sub/victim"), "keep");
    EXPECT_EQ(ReadFile(dir / "victim"), "keep");
}

// A pointer file that is a pipe or leads to a device is not read: the window
// would wait for a writer, or read without end.
TEST(DatabasePointer, OnlyARegularFileIsRead) {
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "database.ini").c_str(), 0644), 0);
    std::string ini, db, remembered;
    EXPECT_EQ(ReadDatabasePointer(dir.path(), {ini, db, remembered}), "File access denied");
    std::filesystem::remove(dir / "database.ini");
    std::filesystem::create_symlink("/dev/zero", dir / "database.ini");
    EXPECT_EQ(ReadDatabasePointer(dir.path(), {ini, db, remembered}), "File access denied");
    EXPECT_EQ(remembered, "");
}

TEST(DatabasePointer, FirstLineEndsAtAnyLineBreak) {
    TempDir dir;
    for (const char* content : {"cpus.db", "cpus.db\n2nd", "cpus.db\r\n", "cpus.db\rx"}) {
        WriteFile(dir / "database.ini", content);
        std::string ini, db, remembered;
        ASSERT_EQ(ReadDatabasePointer(dir.path(), {ini, db, remembered}), std::nullopt);
        EXPECT_EQ(ini, "database.ini");
        EXPECT_EQ(remembered, "cpus.db");
        EXPECT_EQ(db, "") << "no such file yet";
    }
}

}  // namespace
}  // namespace kest
