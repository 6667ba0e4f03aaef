// Whole processors: register values as the processor returns them, through
// the CPUID pass, the cache decoding and the identification.
#include <map>
#include <string>
#include <string_view>

#include "ident/startup.h"
#include "ident_fixtures.h"

namespace kest::test {
namespace {

// Leaves the processor does not implement read as zeros.
class FakeCpu : public CpuidSource {
public:
    explicit FakeCpu(std::map<uint32_t, CpuidRegs> leaves) : leaves_(std::move(leaves)) {}
    bool HasCpuid() override { return true; }
    bool Is486() override { return true; }
    CpuidRegs Query(uint32_t leaf, uint32_t subleaf) override {
        if (subleaf != 0) return {};
        auto it = leaves_.find(leaf);
        return it == leaves_.end() ? CpuidRegs{} : it->second;
    }

private:
    std::map<uint32_t, CpuidRegs> leaves_;
};

constexpr CpuidRegs Vendor(uint32_t max, uint32_t ebx, uint32_t edx, uint32_t ecx) { return {max, ebx, ecx, edx}; }
constexpr uint32_t kGenu = 0x756E6547, kineI = 0x49656E69, kntel = 0x6C65746E;
constexpr uint32_t kAuth = 0x68747541, kenti = 0x69746E65, kcAMD = 0x444D4163;

TEST(WholeProcessor, PentiumIIICoppermine) {
    FakeCpu cpu({
        {0x0, Vendor(2, kGenu, kineI, kntel)},
        {0x1, {0x0000068A, 0x00000002, 0x00000000, 0x0383FBFF}},
        {0x2, {0x03020101, 0x00000000, 0x00000000, 0x0C040882}},  // 0x82: 256 KB L2
    });
    const StartupRecords r = RunStartup(cpu);
    ExpectNames({"6: P6 Processors Family", "Intel Pentium-III Processor", "Coppermine", 307, "", "", "", "CMOS Al 0,18µm",
                 "28.1M", "90 sqr. mm"},
                r.names);
    EXPECT_TRUE(r.caches.l2.islevel2);
}

TEST(WholeProcessor, PentiumMmxGetsItsCachesFromTheTable) {
    FakeCpu cpu({
        {0x0, Vendor(1, kGenu, kineI, kntel)},
        {0x1, {0x00000543, 0x00000000, 0x00000000, 0x008001BF}},
    });
    const StartupRecords r = RunStartup(cpu);
    ExpectNames({"5: Pentium Procesors Family", "Intel Pentium MMX Processor", "P55C", 303, "", "", "Socket 7", "CMOS 0,28µm",
                 "4.5M", "128 sqr. mm"},
                r.names);
    EXPECT_EQ(16u, r.caches.l1.level1ic);
    EXPECT_EQ(16u, r.caches.l1.level1dc);
    EXPECT_EQ(64u, r.caches.l1.l1dtlbe4);
    EXPECT_FALSE(r.caches.l2.islevel2);
}

TEST(WholeProcessor, AthlonXpThoroughbredB) {
    FakeCpu cpu({
        {0x0, Vendor(1, kAuth, kenti, kcAMD)},
        {0x1, {0x00000681, 0x00000000, 0x00000000, 0x0383FBFF}},
        {0x80000000, {0x80000008, kAuth, kcAMD, kenti}},
        {0x80000001, {0x00000781, 0x00000000, 0x00000000, 0xC1C3FBFF}},
        {0x80000005, {0x0408FF08, 0xFF20FF10, 0x40020140, 0x40020140}},
        {0x80000006, {0x00000000, 0x41004100, 0x01008120, 0x00000000}},  // 256 KB, 16-way
    });
    const StartupRecords r = RunStartup(cpu);
    ASSERT_EQ(256u, r.caches.l2.level2cs);
    ExpectNames({"6: AMD K7 (Athlon, Duron, Athlon XP) Family", "AMD Athlon(tm) XP Processor", "Thoroughbred B", 109, "",
                 "8: AthlonXP (Thoroughbred), Duron (Applebred)", "Socket A", "CMOS Cu 0,13µm", "37.6M", "84.7 sqr. mm"},
                r.names);
}

TEST(WholeProcessor, Athlon64ClawHammer3400) {
    FakeCpu cpu({
        {0x0, Vendor(1, kAuth, kenti, kcAMD)},
        {0x1, {0x00000FC0, 0x00000800, 0x00000000, 0x078BFBFF}},
        {0x80000000, {0x80000018, kAuth, kcAMD, kenti}},
        {0x80000001, {0x00000FC0, 0x0000010C, 0x00000000, 0xE1D3FBFF}},
        {0x80000006, {0x00000000, 0x42004200, 0x02004140, 0x00000000}},  // 512 KB
    });
    const StartupRecords r = RunStartup(cpu);
    ExpectNames({"F: AMD 64-bit Processor Family", "AMD Athlon64(tm) Processor", "ClawHammer (rev. CG)", 111, "3400+",
                 "C: Athlon 64", "Socket 754", "CMOS Cu 0,13µm SOI", "105.9M", "193 sqr. mm"},
                r.names);
}

// A current processor the name tables never saw is named by the later rows;
// without a brand string its name is the product line's.
TEST(WholeProcessor, ZenNamedByTheLaterRows) {
    FakeCpu cpu({
        {0x0, Vendor(0x10, kAuth, kenti, kcAMD)},
        {0x1, {0x00A20F10, 0x00180800, 0x7ED8320B, 0x178BFBFF}},
        {0x80000000, {0x80000023, kAuth, kcAMD, kenti}},
        {0x80000001, {0x00A20F10, 0x20000000, 0x75C237FF, 0x2FD3FBFF}},
        {0x80000006, {0x48002200, 0x68004200, 0x02006140, 0x08009140}},
    });
    const StartupRecords r = RunStartup(cpu);
    ExpectNames({"25: AMD Zen 3 and Zen 4", "AMD Ryzen", "Vermeer", 117, "", "33: Zen 3, Vermeer", "Socket AM4",
                 "TSMC N7", "4.15B", "80.7 sqr. mm"},
                r.names);
}

// Little-endian register of four characters of `text` from `at`, zeros past its end.
uint32_t Chars(std::string_view text, size_t at) {
    uint32_t r = 0;
    for (size_t i = 0; i < 4 && at + i < text.size(); ++i) r |= uint32_t(uint8_t(text[at + i])) << (8 * i);
    return r;
}

// A processor known only by its vendor string, leaf 1 EAX and brand string
// (none when empty): the registers the identification reads.
StartupRecords FromSignature(std::string_view vendor, uint32_t eax1, std::string_view brand) {
    std::map<uint32_t, CpuidRegs> leaves = {
        {0x0, Vendor(1, Chars(vendor, 0), Chars(vendor, 4), Chars(vendor, 8))},
        {0x1, {eax1, 0, 0, 0}},
    };
    if (!brand.empty()) {
        leaves[0x80000000] = {0x80000004, 0, 0, 0};
        for (uint32_t i = 0; i < 3; ++i) {
            const size_t at = 16 * i;
            leaves[0x80000002 + i] = {Chars(brand, at), Chars(brand, at + 4), Chars(brand, at + 8), Chars(brand, at + 12)};
        }
    }
    FakeCpu cpu(std::move(leaves));
    return RunStartup(cpu);
}

// No real dump of these exists yet: the few registers the identification
// reads (vendor and leaf 1 signature), with the kernel's model numbers.
// Nova Lake is family 18 model 0x01, Diamond Rapids family 19 model 0x01,
// Zen 6 family 0x1A models 0x50-0x5F, 0x80-0xAF and 0xC0-0xCF; 0x1A model
// 0x30 lies in no generation's range.
TEST(WholeProcessor, NewFamiliesAndZen6FromTheirSignatures) {
    struct Case {
        bool intel;
        uint32_t eax1;
        const char* familynote;
        const char* corecode;
        const char* modelnote;
    };
    const Case cases[] = {
        {true, 0x00300F11, "18: Intel Nova Lake", "Nova Lake", "1: Coyote Cove + Arctic Wolf, Nova Lake"},
        {true, 0x00300F51, "18: Intel Nova Lake", "Intel family 18, model 0x05", ""},
        {true, 0x00400F11, "19: Intel Diamond Rapids (Xeon)", "Diamond Rapids", "1: Panther Cove, Diamond Rapids"},
        {false, 0x00B50F00, "26: AMD Zen 5 and Zen 6", "Zen 6 family", ""},
        {false, 0x00BC0F02, "26: AMD Zen 5 and Zen 6", "Zen 6 family", ""},
        {false, 0x00B70FF0, "26: AMD Zen 5 and Zen 6", "Zen 5 family", ""},
        {false, 0x00B30F00, "26: AMD Zen 5 and Zen 6", "AMD family 0x1A, model 0x30", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.corecode);
        const StartupRecords r = FromSignature(c.intel ? "GenuineIntel" : "AuthenticAMD", c.eax1, "");
        EXPECT_EQ(c.familynote, r.names.familynote);
        EXPECT_EQ(c.corecode, r.names.corecode);
        EXPECT_EQ(c.modelnote, r.names.modelnote);
        EXPECT_TRUE(r.names.platform.empty());
        EXPECT_TRUE(r.names.modelrating.empty());
    }
}

// Models that several dies or products report: the stepping or the brand
// names the die, and a name the registers do not support is never given.
// 806EC is V0 Whiskey Lake-U and V1 Comet Lake-U alike (Intel's 8th and 10th
// generation errata documents); Zhaoxin family 7 model 0x7B is the
// KH-50000 (Zhaoxin's kernel submissions); model 0x75 is Airmont in Intel's
// Lightning Mountain and in other makers' SoCs; the Opteron X3216 is a
// Toronto part on either Excavator model.
TEST(WholeProcessor, SharedModelsNameOnlyWhatTheRegistersTell) {
    struct Case {
        std::string_view vendor;  // 12 characters
        uint32_t eax1;
        std::string_view brand;
        const char* corecode;
        const char* modelnote;
    };
    constexpr std::string_view kIntel = "GenuineIntel", kAmd = "AuthenticAMD", kZhaoxin = "  Shanghai  ";
    constexpr const char* k142 =
        "142: Kaby Lake, Kaby Lake-U / Kaby Lake-Y / Kaby Lake-R / Amber Lake-Y / Coffee Lake-U / Whiskey Lake-U / "
        "Comet Lake-U";
    const Case cases[] = {
        {kIntel, 0x000806EC, "", "Whiskey Lake-U / Comet Lake-U", k142},
        {kIntel, 0x000806EB, "", "Whiskey Lake-U", k142},
        {kIntel, 0x000806EC, "Intel(R) Core(TM) i5-10210U CPU @ 1.60GHz", "Comet Lake-U", k142},
        {kZhaoxin, 0x000707B0, "ZHAOXIN KaiSheng KH-50000@2.2GHz", "Century Avenue", "123: Century Avenue, KH-50000"},
        {kZhaoxin, 0x000707B0, "", "Century Avenue", "123: Century Avenue, KH-50000"},
        {kIntel, 0x00070650, "Spreadtrum SC9853I", "Airmont", "117: Airmont"},
        {kAmd, 0x00660F51, "AMD Opteron X3216 APU", "Toronto", "101: Excavator, Bristol Ridge"},
        {kAmd, 0x00660F01, "AMD Opteron X3216 APU", "Toronto", "96: Excavator, Carrizo"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.brand) + " " + c.corecode);
        const StartupRecords r = FromSignature(c.vendor, c.eax1, c.brand);
        EXPECT_EQ(c.corecode, r.names.corecode);
        EXPECT_EQ(c.modelnote, r.names.modelnote);
    }
}

}  // namespace
}  // namespace kest::test
