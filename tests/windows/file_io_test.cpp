// Files on Windows: names with letters beyond ASCII for input and output, a
// read-only target refused, and a write that fails at its last step leaving
// the old file as it was and no temporary file behind.
#include <gtest/gtest.h>
#include <windows.h>

#include <sstream>
#include <string>
#include <vector>

#include "cpu/cpuid_dump.h"
#include "cpu/utf16_windows.h"
#include "dmi/dmi.h"
#include "cpu/file_io.h"
#include "record/database.h"

namespace kest {
namespace {

// A private folder "kest-Zoë-<pid>" in the temporary folder, removed with
// its files.
class WideTempDir {
public:
    WideTempDir() {
        wchar_t base[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH, base);
        path_ = std::wstring(base) + L"kest-Zo\u00EB-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~WideTempDir() {
        for (const std::wstring& f : Files()) {
            SetFileAttributesW((path_ + L"\\" + f).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW((path_ + L"\\" + f).c_str());
        }
        RemoveDirectoryW(path_.c_str());
    }
    std::string Utf8(const std::wstring& name) const { return WideToUtf8(path_ + L"\\" + name); }
    std::string Utf8() const { return WideToUtf8(path_); }
    std::wstring Wide(const std::wstring& name) const { return path_ + L"\\" + name; }
    std::vector<std::wstring> Files() const {
        std::vector<std::wstring> out;
        WIN32_FIND_DATAW d;
        HANDLE h = FindFirstFileW((path_ + L"\\*").c_str(), &d);
        if (h == INVALID_HANDLE_VALUE) return out;
        do {
            const std::wstring n = d.cFileName;
            if (n != L"." && n != L"..") out.push_back(n);
        } while (FindNextFileW(h, &d));
        FindClose(h);
        return out;
    }

private:
    std::wstring path_;
};

std::string ReadWide(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<missing>";
    std::string out;
    char buf[4096];
    DWORD n = 0;
    while (ReadFile(h, buf, sizeof buf, &n, nullptr) && n > 0) out.append(buf, n);
    CloseHandle(h);
    return out;
}

TEST(WindowsFiles, NamesBeyondAsciiForOutputAndInput) {
    WideTempDir dir;
    const std::wstring report = L"R\u00E9sum\u00E9 \u00C5ngstr\u00F6m.txt";
    ASSERT_EQ(WriteFileSafely(dir.Utf8(report), "first\r\n"), std::nullopt);
    ASSERT_EQ(WriteFileSafely(dir.Utf8(report), "second\r\n"), std::nullopt);
    EXPECT_EQ(ReadWide(dir.Wide(report)), "second\r\n");
    ASSERT_EQ(AppendToExistingFile(dir.Utf8(report), "third\r\n"), std::nullopt);
    EXPECT_EQ(ReadWide(dir.Wide(report)), "second\r\nthird\r\n");
    EXPECT_EQ(dir.Files(), std::vector<std::wstring>{report});

    // A CPUID dump and a DMI fixture copied under such names read as under
    // their own.
    const std::string dump = std::string(KEST_CORPUS_DIR) + "/amd-k5-pr100.txt";
    ASSERT_TRUE(CopyFileW(Utf8ToWide(dump).c_str(), dir.Wide(L"Übersicht.txt").c_str(), FALSE));
    auto want_cpu = LoadCpuidDump(dump);
    auto got_cpu = LoadCpuidDump(dir.Utf8(L"Übersicht.txt"));
    EXPECT_EQ(got_cpu->Query(1).eax, want_cpu->Query(1).eax);
    EXPECT_EQ(got_cpu->Query(0).ebx, want_cpu->Query(0).ebx);

    std::stringstream dirs(KEST_DMI_DUMP_DIRS);
    std::string fixtures;
    std::getline(dirs, fixtures, '|');
    std::getline(dirs, fixtures, '|');  // tests/dmi/fixtures
    const std::string fixture = fixtures + "/serials_sm3.dump.bin";
    ASSERT_TRUE(CopyFileW(Utf8ToWide(fixture).c_str(), dir.Wide(L"t\u00E4ble.bin").c_str(), FALSE));
    DmiProcessorInfo want = ReadDmi(*MakeDumpFirmwareMemory(fixture));
    DmiProcessorInfo got = ReadDmi(*MakeDumpFirmwareMemory(dir.Utf8(L"t\u00E4ble.bin")));
    EXPECT_TRUE(got.dmiread);
    EXPECT_EQ(got, want);

    // A start-up folder with such a name finds its database pointer and the
    // database it names, and a record is added to it.
    ASSERT_EQ(WriteFileSafely(dir.Utf8(L"database.ini"), "cpus.db\r\n"), std::nullopt);
    ASSERT_EQ(WriteFileSafely(dir.Utf8(L"cpus.db"), ""), std::nullopt);
    std::string ini, db, name;
    EXPECT_EQ(ReadDatabasePointer(dir.Utf8(), {ini, db, name}), std::nullopt);
    EXPECT_EQ(ini, "database.ini");
    EXPECT_EQ(db, "cpus.db");
    ASSERT_EQ(AddDatabaseRecord(dir.Utf8(), name, "--Start\r\n--End\r\n"), std::nullopt);
    EXPECT_EQ(ReadWide(dir.Wide(L"cpus.db")), "--Start\r\n--End\r\n");
}

TEST(WindowsFiles, ReadOnlyTargetIsRefusedAndKept) {
    WideTempDir dir;
    ASSERT_EQ(WriteFileSafely(dir.Utf8(L"r.txt"), "old\r\n"), std::nullopt);
    ASSERT_TRUE(SetFileAttributesW(dir.Wide(L"r.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(WriteFileSafely(dir.Utf8(L"r.txt"), "new\r\n"), "File access denied");
    EXPECT_EQ(AppendToExistingFile(dir.Utf8(L"r.txt"), "more\r\n"), "File access denied");
    EXPECT_EQ(ReadWide(dir.Wide(L"r.txt")), "old\r\n");
    EXPECT_EQ(dir.Files().size(), 1u);
}

TEST(WindowsFiles, FailedWriteKeepsTheOldFileAndLeavesNothing) {
    WideTempDir dir;
    ASSERT_EQ(WriteFileSafely(dir.Utf8(L"r.txt"), "old\r\n"), std::nullopt);
    {
        // Another program holds the file open without letting it be
        // replaced: the new file is complete, but cannot be put in place.
        HANDLE held = CreateFileW(dir.Wide(L"r.txt").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        EXPECT_EQ(WriteFileSafely(dir.Utf8(L"r.txt"), "new\r\n"), "File access denied");
        CloseHandle(held);
    }
    EXPECT_EQ(ReadWide(dir.Wide(L"r.txt")), "old\r\n");
    EXPECT_EQ(WriteFileSafely(dir.Utf8(L"missing\\r.txt"), "new\r\n"), "Path not found");
    EXPECT_EQ(WriteFileSafely("", "new\r\n"), "File not found");
    EXPECT_EQ(AppendToExistingFile(dir.Utf8(L"absent.txt"), "x"), "File not found");
    EXPECT_EQ(dir.Files(), std::vector<std::wstring>{L"r.txt"});
}

}  // namespace
}  // namespace kest
