#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "dmi/smbios_export.h"
#include "smbios_image.h"

namespace kest {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::Concat;
using test::FakeMemory;
using test::StructureBuilder;

uint32_t Le(const Bytes& b, size_t at, int n) {
    uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = (v << 8) | b.at(at + static_cast<size_t>(i));
    return v;
}
uint8_t Sum(const Bytes& b, size_t from, size_t to) {
    uint8_t s = 0;
    for (size_t i = from; i < to; ++i) s = static_cast<uint8_t>(s + b.at(i));
    return s;
}
bool Contains(const Bytes& b, const std::string& s) {
    return std::search(b.begin(), b.end(), s.begin(), s.end()) != b.end();
}

// An export image read back the way kestrune-cli --dmi-dump reads a file.
FakeMemory AsDump(const Bytes& image) {
    FakeMemory m;
    m.entry = 0;
    m.chunks[0] = image;
    return m;
}

// What every export must be: an entry point of the source's form whose
// checksums, lengths and count describe the table at 0x20 exactly, and a
// table of processor and cache records with one end-of-table structure last.
void ExpectWellFormed(const Bytes& image, bool smbios3) {
    ASSERT_GE(image.size(), 0x26u);
    const size_t length = image.size() - 0x20;
    if (smbios3) {
        EXPECT_EQ(std::string(image.begin(), image.begin() + 5), "_SM3_");
        EXPECT_EQ(image[6], 0x18);
        EXPECT_EQ(Sum(image, 0, 0x18), 0);
        EXPECT_EQ(Le(image, 0x0C, 4), length);
        EXPECT_EQ(Le(image, 0x10, 4), 0x20u);
    } else {
        EXPECT_EQ(std::string(image.begin(), image.begin() + 4), "_SM_");
        EXPECT_EQ(image[5], 0x1F);
        EXPECT_EQ(Sum(image, 0, 0x1F), 0);
        EXPECT_EQ(Sum(image, 0x10, 0x1F), 0);
        EXPECT_EQ(std::string(image.begin() + 0x10, image.begin() + 0x15), "_DMI_");
        EXPECT_EQ(Le(image, 0x16, 2), length);
        EXPECT_EQ(Le(image, 0x18, 4), 0x20u);
    }
    FakeMemory m = AsDump(image);
    const DmiTable t = ReadDmiTable(m);
    ASSERT_TRUE(t.read);
    if (!smbios3) {
        EXPECT_EQ(t.count, t.offsets.size());
    }
    size_t largest = 0;
    for (size_t i = 0; i < t.offsets.size(); ++i) {
        const uint8_t type = t.bytes[t.offsets[i]];
        const bool last = i + 1 == t.offsets.size();
        EXPECT_TRUE(last ? type == 127 : (type == 4 || type == 7)) << "structure " << i << " type " << int(type);
        const size_t end = last ? length : t.offsets[i + 1];
        largest = std::max(largest, end - t.offsets[i]);
    }
    if (!smbios3) {
        EXPECT_EQ(Le(image, 0x08, 2), largest);
    }
    // The last structure ends where the table ends.
    const uint32_t last = t.offsets.back();
    EXPECT_EQ(t.bytes[last + 1], 4);
    EXPECT_EQ(last + 6, length);
}

// The same records, wherever each was read from.
void ExpectSameRecords(DmiProcessorInfo a, const DmiProcessorInfo& b) {
    a.source = b.source;
    EXPECT_TRUE(a == b);
}

// Every dump of the corpora, real and malformed: a readable table exports
// to a well-formed one with the same processor and cache records; an
// unreadable one is refused.
TEST(SmbiosExport, EveryDumpExportsTheSameRecords) {
    int exported = 0, refused = 0;
    std::stringstream dirs(KEST_DMI_DUMP_DIRS);
    for (std::string dir; std::getline(dirs, dir, '|');) {
        if (!fs::is_directory(dir)) continue;
        for (const auto& f : fs::directory_iterator(dir)) {
            if (!f.is_regular_file() || f.path().extension() == ".txt") continue;
            SCOPED_TRACE(f.path().string());
            auto dump = MakeDumpFirmwareMemory(f.path().string());
            const DmiTable table = ReadDmiTable(*dump);
            const DmiProcessorInfo original = ReadDmi(*dump);
            if (!table.read) {
                EXPECT_THROW(MakeSmbiosExport(*dump), std::runtime_error);
                ++refused;
                continue;
            }
            const Bytes image = MakeSmbiosExport(*dump);
            ExpectWellFormed(image, table.smbios3);
            FakeMemory again = AsDump(image);
            ExpectSameRecords(ReadDmi(again), original);
            // Exporting the export changes nothing.
            EXPECT_EQ(MakeSmbiosExport(again), image);
            ++exported;
        }
    }
    EXPECT_GE(exported, 6);
    EXPECT_GE(refused, 1);
}

TEST(SmbiosExport, PersonalStringsLeaveTheBytes) {
    // Processor strings out of order, a field naming a string that does not
    // exist, and a string no field names.
    const Bytes cpu = StructureBuilder(4, 0x0400, 0x30)
                          .Byte(0x04, 2).Byte(0x07, 4).Byte(0x10, 9)
                          .Word(0x12, 100).Word(0x14, 4000).Word(0x16, 3000).Byte(0x18, 0x41)
                          .Word(0x1A, 0x0700).Word(0x1C, 0xFFFF).Word(0x1E, 0xFFFF)
                          .Byte(0x20, 1).Byte(0x21, 3).Byte(0x22, 5)
                          .Strings({"SN-5A7C-0042", "CPU 1", "AT-ACME-77", "Maker Inc.", "PN-998877", "left over"})
                          .Build();
    const Bytes cache = StructureBuilder(7, 0x0700, 0x13).Byte(0x04, 1).Word(0x05, 0x0180)
                            .Strings({"L1 Cache", "stray"}).Build();
    const Bytes system = StructureBuilder(1, 0x0100, 0x1B).Byte(0x04, 1).Byte(0x07, 2)
                             .Strings({"Acme", "SYS-SERIAL-31337"}).Build();
    const Bytes table = Concat({test::Bios(), system, cpu, cache, test::EndOfTable()});

    for (bool smbios3 : {false, true}) {
        SCOPED_TRACE(smbios3 ? "_SM3_" : "_SM_");
        FakeMemory m;
        m.entry = 0x1000;
        m.chunks[0x1000] = smbios3 ? test::Entry3(0x2000, uint32_t(table.size()))
                                   : test::Entry2(0x2000, uint16_t(table.size()), 5);
        m.chunks[0x2000] = table;
        const Bytes image = MakeSmbiosExport(m);
        ExpectWellFormed(image, smbios3);
        for (const char* gone : {"SN-5A7C", "AT-ACME", "PN-9988", "left over", "stray", "SYS-SERIAL", "Acme", "Vendor"})
            EXPECT_FALSE(Contains(image, gone)) << gone;

        Bytes want_cpu(cpu.begin(), cpu.begin() + 0x30);
        want_cpu[0x04] = 1, want_cpu[0x07] = 2, want_cpu[0x10] = 0;
        want_cpu[0x20] = want_cpu[0x21] = want_cpu[0x22] = 0;
        for (std::string s : {"CPU 1", "Maker Inc.", ""}) want_cpu.insert(want_cpu.end(), s.begin(), s.end() + 1);
        Bytes want_cache(cache.begin(), cache.begin() + 0x13);
        for (std::string s : {"L1 Cache", ""}) want_cache.insert(want_cache.end(), s.begin(), s.end() + 1);
        const Bytes want = Concat({want_cpu, want_cache, test::EndOfTable()});
        EXPECT_EQ(Bytes(image.begin() + 0x20, image.end()), want);
        if (!smbios3) {
            EXPECT_EQ(Le(image, 0x1C, 2), 3u);
        }
    }
}

TEST(SmbiosExport, TablesWithoutRecordsOrEndStructure) {
    // Neither processor nor cache records: just the end structure.
    const Bytes bare = Concat({test::Bios(), test::EndOfTable()});
    FakeMemory m = test::Firmware(bare, 2);
    Bytes image = MakeSmbiosExport(m);
    ExpectWellFormed(image, false);
    EXPECT_EQ(Bytes(image.begin() + 0x20, image.end()), test::EndOfTable());

    // No end structure, and the processor has the usual end handle: the
    // added end structure takes a handle nobody has.
    const Bytes open = Concat({test::Bios(), test::Processor({.handle = 0xFEFF, .extclock = 133})});
    m = test::Firmware(open, 2);
    image = MakeSmbiosExport(m);
    ExpectWellFormed(image, false);
    EXPECT_EQ(Le(image, image.size() - 4, 2), 0xFEFEu);
    FakeMemory again = AsDump(image);
    ExpectSameRecords(ReadDmi(again), ReadDmi(m));

    FakeMemory none;
    EXPECT_THROW(MakeSmbiosExport(none), std::runtime_error);
}

class ExportFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("kest-export-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "out");
        fs::permissions(dir_ / "out", fs::perms(0755));
    }
    void TearDown() override { fs::remove_all(dir_); }
    static std::string Read(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // The folder holds only these names.
    void ExpectOnly(const fs::path& dir, std::vector<std::string> names) {
        std::vector<std::string> have;
        for (const auto& e : fs::directory_iterator(dir)) have.push_back(e.path().filename().string());
        std::sort(have.begin(), have.end());
        std::sort(names.begin(), names.end());
        EXPECT_EQ(have, names);
    }
    fs::path dir_;
};

TEST_F(ExportFile, ReplacesAtomicallyWithoutFollowingLinks) {
    const Bytes bytes{'_', 'S', 'M', '_', 1, 2, 3};
    const fs::path out = dir_ / "out" / "smbios.bin";
    std::ofstream(dir_ / "victim") << "keep";
    fs::create_symlink(dir_ / "victim", out);
    const mode_t old = ::umask(077);
    EXPECT_EQ(WriteExportFile(out.string(), bytes), std::nullopt);
    ::umask(old);
    EXPECT_EQ(Read(dir_ / "victim"), "keep");
    ASSERT_FALSE(fs::is_symlink(out));
    EXPECT_EQ(Read(out), std::string(bytes.begin(), bytes.end()));
    EXPECT_EQ(fs::status(out).permissions(), fs::perms(0644));
    ExpectOnly(dir_ / "out", {"smbios.bin"});

    // A folder in the way of the name: refused, nothing left behind.
    fs::create_directory(dir_ / "out" / "taken");
    EXPECT_NE(WriteExportFile((dir_ / "out" / "taken").string(), bytes), std::nullopt);
    ExpectOnly(dir_ / "out", {"smbios.bin", "taken"});
}

TEST_F(ExportFile, RefusesFoldersOthersControl) {
    const Bytes bytes{1, 2, 3};
    // Writable by others.
    fs::permissions(dir_ / "out", fs::perms(0777));
    EXPECT_NE(WriteExportFile((dir_ / "out" / "x").string(), bytes), std::nullopt);
    fs::permissions(dir_ / "out", fs::perms(0775));
    EXPECT_NE(WriteExportFile((dir_ / "out" / "x").string(), bytes), std::nullopt);
    fs::permissions(dir_ / "out", fs::perms(0755));
    // The folder is a link.
    fs::create_directory_symlink(dir_ / "out", dir_ / "link");
    EXPECT_NE(WriteExportFile((dir_ / "link" / "x").string(), bytes), std::nullopt);
    // Another user's folder (root can make one).
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown((dir_ / "out").c_str(), 65534, 65534), 0);
        EXPECT_NE(WriteExportFile((dir_ / "out" / "x").string(), bytes), std::nullopt);
    }
    ExpectOnly(dir_ / "out", {});
}

}  // namespace
}  // namespace kest
