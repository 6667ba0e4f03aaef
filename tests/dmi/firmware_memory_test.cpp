#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "dmi/dmi.h"
#include "smbios_image.h"

namespace kest {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::Concat;

Bytes Table() {
    return Concat({test::Bios(),
                   test::Processor({.extclock = 100, .maxspeed = 4000, .curspeed = 2100, .l3 = 0xFFFF}),
                   test::Cache({.handle = 0x0700, .speed = 2}), test::Cache({.handle = 0x0701, .speed = 4}),
                   test::EndOfTable()});
}

class TempDir : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("kest-dmi-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Writes bytes at the given offsets of a file (a sparse file for far
    // offsets).
    std::string Write(const std::string& name, const std::vector<std::pair<uint64_t, Bytes>>& parts) {
        const std::string path = (dir_ / name).string();
        std::ofstream out(path, std::ios::binary);
        for (const auto& [offset, bytes] : parts) {
            out.seekp(static_cast<std::streamoff>(offset));
            out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        }
        return path;
    }

    static void ExpectTable(const DmiProcessorInfo& info) {
        EXPECT_TRUE(info.dmiread);
        EXPECT_EQ(info.extclock, 100);
        EXPECT_EQ(info.maxspeed, 4000);
        EXPECT_EQ(info.curspeed, 2100);
        EXPECT_EQ(info.cpustatus, "CPU Enabled");
        EXPECT_EQ(info.l3handle, 0xFFFF);
        ASSERT_EQ(info.caches.size(), 2u);
        EXPECT_EQ(info.caches[1].handle, 0x0701);
        EXPECT_EQ(info.caches[1].speedns, 4);
    }

    // An export path that does not exist.
    std::string NoExport() const { return (dir_ / "no-export").string(); }

    fs::path dir_;
};

using DumpFile = TempDir;
using LiveFirmware = TempDir;

TEST_F(DumpFile, Smbios2AndSmbios3DumpsDecodeAlike) {
    const Bytes table = Table();
    const std::string sm2 =
        Write("sm2.bin", {{0, test::Entry2(0x20, uint16_t(table.size()), 5)}, {0x20, table}});
    const std::string sm3 =
        Write("sm3.bin", {{0, test::Entry3(0x20, uint32_t(table.size()))}, {0x20, table}});
    // A "_SM3_" entry point gives the table's maximum size; the dump holds
    // only the table itself.
    const std::string sm3_max =
        Write("sm3max.bin", {{0, test::Entry3(0x20, uint32_t(table.size() + 4096))}, {0x20, table}});
    for (const auto& path : {sm2, sm3, sm3_max}) {
        SCOPED_TRACE(path);
        auto memory = MakeDumpFirmwareMemory(path);
        ExpectTable(ReadDmi(*memory));
        // The reader holds no state between readings.
        ExpectTable(ReadDmi(*memory));
    }
}

TEST_F(DumpFile, TruncatedDumpIsUnreadable) {
    Bytes table = Table();
    const uint16_t length = uint16_t(table.size());
    table.resize(table.size() - 3);
    auto memory = MakeDumpFirmwareMemory(Write("cut.bin", {{0, test::Entry2(0x20, length, 5)}, {0x20, table}}));
    EXPECT_FALSE(ReadDmi(*memory).dmiread);

    auto empty = MakeDumpFirmwareMemory(Write("empty.bin", {}));
    EXPECT_FALSE(ReadDmi(*empty).dmiread);
}

TEST_F(DumpFile, MissingFileOrDirectoryThrows) {
    EXPECT_THROW(MakeDumpFirmwareMemory((dir_ / "absent.bin").string()), std::runtime_error);
    EXPECT_THROW(MakeDumpFirmwareMemory(dir_.string()), std::runtime_error);
}

TEST_F(LiveFirmware, PhysicalMemoryIsScannedFirst) {
    const Bytes table = Table();
    // Physical memory: the entry point in the firmware segment, the table
    // above 1 MB.
    const std::string mem = Write("mem", {{0xF1230, test::Entry2(0x120000, uint16_t(table.size()), 5)},
                                          {0x120000, table},
                                          {0x130000, Bytes(1, 0)}});
    ExpectTable(ReadDmi(*MakeLiveFirmwareMemory(mem, (dir_ / "no-sysfs").string(), NoExport())));
}

TEST_F(LiveFirmware, KernelTablesServeWhenPhysicalMemoryFails) {
    const Bytes table = Table();
    fs::create_directories(dir_ / "sysfs");
    Write("sysfs/smbios_entry_point", {{0, test::Entry3(0x7ABCD0000ull, uint32_t(table.size()))}});
    Write("sysfs/DMI", {{0, table}});
    const std::string sysfs = (dir_ / "sysfs").string();

    // No physical memory at all.
    ExpectTable(ReadDmi(*MakeLiveFirmwareMemory((dir_ / "absent").string(), sysfs, NoExport())));
    // Physical memory without an anchor.
    const std::string blank = Write("blank", {{0x100000, Bytes(1, 0)}});
    ExpectTable(ReadDmi(*MakeLiveFirmwareMemory(blank, sysfs, NoExport())));
    // An anchor whose table cannot be read.
    const std::string dangling = Write("dangling", {{0xF0000, test::Entry2(0x200000, 0x400, 5)}, {0x100000, Bytes(1, 0)}});
    ExpectTable(ReadDmi(*MakeLiveFirmwareMemory(dangling, sysfs, NoExport())));

    // A "_SM_" entry point of the kernel works the same.
    Write("sysfs/smbios_entry_point", {{0, test::Entry2(0x000E1000, uint16_t(table.size()), 5)}});
    ExpectTable(ReadDmi(*MakeLiveFirmwareMemory((dir_ / "absent").string(), sysfs, NoExport())));
}

TEST_F(LiveFirmware, NothingReadableMeansNoTable) {
    fs::create_directories(dir_ / "sysfs");
    const std::string sysfs = (dir_ / "sysfs").string();
    const std::string absent = (dir_ / "absent").string();
    EXPECT_FALSE(ReadDmi(*MakeLiveFirmwareMemory(absent, sysfs, NoExport())).dmiread);

    // An entry point file without an anchor, then one without its table.
    Write("sysfs/smbios_entry_point", {{0, Bytes(0x1F, 0x20)}});
    Write("sysfs/DMI", {{0, Table()}});
    EXPECT_FALSE(ReadDmi(*MakeLiveFirmwareMemory(absent, sysfs, NoExport())).dmiread);
    Write("sysfs/smbios_entry_point", {{0, test::Entry3(0x1000, 0x40)}});
    fs::remove(dir_ / "sysfs" / "DMI");
    EXPECT_FALSE(ReadDmi(*MakeLiveFirmwareMemory(absent, sysfs, NoExport())).dmiread);
}

// The export is read only when neither of root's sources gives a table, and
// the record says where its table came from.
TEST_F(LiveFirmware, ExportServesOnlyWhenRootsSourcesFail) {
    const Bytes table = Table();
    const std::string mem = Write("mem", {{0xF1230, test::Entry2(0x120000, uint16_t(table.size()), 5)},
                                          {0x120000, table}});
    fs::create_directories(dir_ / "sysfs");
    Write("sysfs/smbios_entry_point", {{0, test::Entry3(0x7ABCD0000ull, uint32_t(table.size()))}});
    Write("sysfs/DMI", {{0, table}});
    const std::string sysfs = (dir_ / "sysfs").string();
    const Bytes other = test::Processor({.extclock = 133, .curspeed = 2400});
    const std::string exported =
        Write("smbios.bin", {{0, test::Entry2(0x20, uint16_t(other.size()), 1)}, {0x20, other}});
    const std::string absent = (dir_ / "absent").string();

    DmiProcessorInfo info = ReadDmi(*MakeLiveFirmwareMemory(mem, sysfs, exported));
    EXPECT_EQ(info.source, "memory");
    ExpectTable(info);
    info = ReadDmi(*MakeLiveFirmwareMemory(absent, sysfs, exported));
    EXPECT_EQ(info.source, "sysfs");
    ExpectTable(info);
    // The kernel's entry point names a table that is not there.
    Write("sysfs/DMI", {});
    for (const std::string& devmem : {absent, Write("blank", {{0x100000, Bytes(1, 0)}})}) {
        info = ReadDmi(*MakeLiveFirmwareMemory(devmem, sysfs, exported));
        EXPECT_EQ(info.source, "export");
        EXPECT_EQ(info.extclock, 133);
        EXPECT_EQ(info.curspeed, 2400);
    }
    // Without an export (or with no path for it), nothing.
    for (const std::string& none : {NoExport(), std::string()}) {
        info = ReadDmi(*MakeLiveFirmwareMemory(absent, sysfs, none));
        EXPECT_FALSE(info.dmiread);
        EXPECT_EQ(info.source, "");
    }
    EXPECT_EQ(ReadDmi(*MakeDumpFirmwareMemory(exported)).source, "file");
}

}  // namespace
}  // namespace kest
