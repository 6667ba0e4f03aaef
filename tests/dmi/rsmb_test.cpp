// Windows hands out the SMBIOS table as an 'RSMB' buffer: an 8-byte header,
// then the table. Every fixture, repacked that way, must decode to the
// records its dmidecode dump gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>

#include "dmi/dmi.h"

namespace kest {
namespace {

std::vector<std::filesystem::path> Fixtures() {
    std::vector<std::filesystem::path> out;
    std::stringstream dirs(KEST_DMI_DUMP_DIRS);
    std::string dir;
    while (std::getline(dirs, dir, '|')) {
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(dir, ec))
            if (e.path().extension() == ".bin" && dir.find("/fixtures") != std::string::npos) out.push_back(e.path());
    }
    return out;
}

// The header Windows puts before the table: calling method, major and
// minor version, DMI revision, table length.
std::vector<uint8_t> Rsmb(uint8_t major, uint8_t minor, const std::vector<uint8_t>& table) {
    const uint32_t n = static_cast<uint32_t>(table.size());
    std::vector<uint8_t> out(8 + table.size());
    out[1] = major;
    out[2] = minor;
    for (int i = 0; i < 4; ++i) out[4 + i] = static_cast<uint8_t>(n >> (8 * i));
    std::copy(table.begin(), table.end(), out.begin() + 8);
    return out;
}

TEST(Rsmb, EveryFixtureDecodesAsItsDump) {
    const auto fixtures = Fixtures();
    ASSERT_FALSE(fixtures.empty());
    for (const auto& path : fixtures) {
        SCOPED_TRACE(path.string());
        auto dump = MakeDumpFirmwareMemory(path.string());
        const DmiTable table = ReadDmiTable(*dump);
        ASSERT_TRUE(table.read);
        const auto entry = dump->Read(table.entry, 0x09);
        ASSERT_TRUE(entry);
        // "_SM3_": version at 7 and 8; "_SM_": at 6 and 7.
        const size_t at = table.smbios3 ? 7 : 6;
        DmiProcessorInfo want = ReadDmi(*dump);
        auto rsmb = MakeRsmbFirmwareMemory(Rsmb((*entry)[at], (*entry)[at + 1], table.bytes), "firmware");
        ASSERT_TRUE(rsmb);
        DmiProcessorInfo got = ReadDmi(*rsmb);
        EXPECT_EQ(got.source, "firmware");
        got.source = want.source;
        EXPECT_EQ(got, want);
        EXPECT_FALSE(got.caches.empty() && got.l1handle != 0xFFFF);
    }
}

TEST(Rsmb, BufferShorterThanItsHeaderSaysIsRefused) {
    std::vector<uint8_t> table{127, 4, 0, 0, 0, 0};
    auto rsmb = Rsmb(2, 4, table);
    rsmb.pop_back();
    EXPECT_EQ(MakeRsmbFirmwareMemory(rsmb, "firmware"), nullptr);
    EXPECT_EQ(MakeRsmbFirmwareMemory({0, 2, 4}, "firmware"), nullptr);
}

}  // namespace
}  // namespace kest
