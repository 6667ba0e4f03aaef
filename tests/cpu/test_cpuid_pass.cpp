#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "cpu/cpuid_pass.h"
#include "cpu/cpuid_source.h"

namespace kest {
namespace {

using Leaf = std::pair<uint32_t, uint32_t>;

// A processor made of a table of leaves; unlisted leaves return zeros.
// Records every CPUID execution in order.
class FakeCpu : public CpuidSource {
public:
    bool has_cpuid = true;
    bool is486 = true;
    std::map<Leaf, CpuidRegs> leaves;
    std::vector<Leaf> executed;

    FakeCpu& Set(uint32_t leaf, CpuidRegs r, uint32_t sub = 0) {
        leaves[{leaf, sub}] = r;
        return *this;
    }
    bool HasCpuid() override { return has_cpuid; }
    bool Is486() override { return is486; }
    CpuidRegs Query(uint32_t leaf, uint32_t subleaf) override {
        executed.emplace_back(leaf, subleaf);
        const auto it = leaves.find({leaf, subleaf});
        return it == leaves.end() ? CpuidRegs{} : it->second;
    }
    bool Ran(uint32_t leaf) const {
        for (const auto& e : executed)
            if (e.first == leaf) return true;
        return false;
    }
};

// "GenuineIntel" as leaf 0 registers: EBX "Genu", EDX "ineI", ECX "ntel".
constexpr uint32_t kGenu = 0x756E6547, kIneI = 0x49656E69, kNtel = 0x6C65746E;

TEST(CpuidPass, WithoutCpuidOnlyTheFamilyIsSet) {
    struct Case {
        bool is486;
        uint16_t family;
    };
    for (const Case c : {Case{false, 3}, Case{true, 4}}) {
        FakeCpu cpu;
        cpu.has_cpuid = false;
        cpu.is486 = c.is486;
        cpu.Set(0, {5, kGenu, kNtel, kIneI});  // must never be read
        const CpuidData d = RunCpuidPass(cpu);
        EXPECT_FALSE(d.cpuid_ok);
        EXPECT_EQ(d.stfamily, c.family);
        EXPECT_TRUE(cpu.executed.empty());
        EXPECT_EQ(d.maxcpuid, 0u);
        EXPECT_EQ(d.mxecpuid, 0u);
        EXPECT_TRUE(d.vendorst.empty());
        EXPECT_TRUE(d.signature.empty());
        EXPECT_TRUE(d.ext_name.empty());
        EXPECT_TRUE(d.ext_vendor.empty());
        EXPECT_EQ(d.st_model, 0);
        EXPECT_EQ(d.stepping, 0);
        EXPECT_EQ(d.featurs1, 0u);
    }
}

TEST(CpuidPass, Leaf1Fields) {
    struct Case {
        uint32_t eax, ebx;
        const char* signature;
        uint16_t stepping, model, family, type, emodel, efamily;
        uint16_t brand, clflush, logical, apic;
    };
    const Case cases[] = {
        {0x00000F29, 0x00020800, "00000F29", 9, 2, 15, 0, 0, 0, 0, 8, 2, 0},
        {0x00A10F11, 0x01020800, "00A10F11", 1, 1, 15, 0, 1, 10, 0, 8, 2, 1},
        {0x00001632, 0x00000000, "00001632", 2, 3, 6, 1, 0, 0, 0, 0, 0, 0},  // overdrive
        {0xFFFFFFFF, 0xFFFFFFFF, "FFFFFFFF", 15, 15, 15, 3, 15, 255, 255, 255, 255, 255},
        {0x00000000, 0x00000000, "00000000", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.signature);
        FakeCpu cpu;
        cpu.Set(0, {1, kGenu, kNtel, kIneI}).Set(1, {c.eax, c.ebx, 0x80000001, 0xBFEBFBFF});
        const CpuidData d = RunCpuidPass(cpu);
        EXPECT_TRUE(d.cpuid_ok);
        EXPECT_EQ(d.signature, c.signature);
        EXPECT_EQ(d.stepping, c.stepping);
        EXPECT_EQ(d.st_model, c.model);
        EXPECT_EQ(d.stfamily, c.family);
        EXPECT_EQ(d.cpu_type, c.type);
        EXPECT_EQ(d.se_model, c.emodel);
        EXPECT_EQ(d.sefamily, c.efamily);
        EXPECT_EQ(d.brand_id, c.brand);
        EXPECT_EQ(d.clflushs, c.clflush);
        EXPECT_EQ(d.logprocc, c.logical);
        EXPECT_EQ(d.apic__id, c.apic);
        EXPECT_EQ(d.featurs2, 0x80000001u);
        EXPECT_EQ(d.featurs1, 0xBFEBFBFFu);
    }
}

TEST(CpuidPass, VendorStringKeepsRegisterOrderAndZeroBytes) {
    FakeCpu cpu;
    cpu.Set(0, {0, kGenu, kNtel, kIneI});
    EXPECT_EQ(RunCpuidPass(cpu).vendorst, "GenuineIntel");

    FakeCpu odd;
    // EBX "A\0\0\0", EDX "\0B\0\0", ECX "\0\0\0C"
    odd.Set(0, {0, 0x00000041, 0x43000000, 0x00004200});
    const CpuidData d = RunCpuidPass(odd);
    EXPECT_EQ(d.vendorst, std::string("A\0\0\0\0B\0\0\0\0\0C", 12));
    EXPECT_EQ(d.maxcpuid, 0u);
    EXPECT_FALSE(odd.Ran(1));  // maxcpuid 0: no leaf 1
}

TEST(CpuidPass, MaxLeafOneLeavesDescriptorsAndSerialZero) {
    FakeCpu cpu;
    cpu.Set(0, {1, kGenu, kNtel, kIneI})
        .Set(1, {0x00000543, 0, 0, 0x008001BF})
        .Set(2, {0x665B5101, 0x11111111, 0x22222222, 0x007B7040})
        .Set(3, {0, 0x33333333, 0x44444444, 0x55555555})
        .Set(4, {0x00000121, 0, 0, 0});
    const CpuidData d = RunCpuidPass(cpu);
    EXPECT_EQ(d.maxcpuid, 1u);
    EXPECT_EQ(d.stfamily, 5);
    for (uint16_t b : d.descriptors) EXPECT_EQ(b, 0);
    EXPECT_EQ(d.serial_ebx, 0u);
    EXPECT_EQ(d.serial_ecx, 0u);
    EXPECT_EQ(d.serial_edx, 0u);
    EXPECT_TRUE(d.leaf4.empty());
    EXPECT_FALSE(cpu.Ran(2));
    EXPECT_FALSE(cpu.Ran(3));
    EXPECT_FALSE(cpu.Ran(4));
}

TEST(CpuidPass, DescriptorBytesAndSerialWords) {
    FakeCpu cpu;
    cpu.Set(0, {3, kGenu, kNtel, kIneI})
        .Set(2, {0x665B5101, 0x04030201, 0x08070605, 0x007B7040})
        .Set(3, {0xDEAD, 0x11111111, 0x22222222, 0x33333333});
    const CpuidData d = RunCpuidPass(cpu);
    const std::array<uint16_t, 16> want = {0x01, 0x51, 0x5B, 0x66, 0x01, 0x02, 0x03, 0x04,
                                           0x05, 0x06, 0x07, 0x08, 0x40, 0x70, 0x7B, 0x00};
    EXPECT_EQ(d.descriptors, want);
    EXPECT_EQ(d.serial_ebx, 0x11111111u);
    EXPECT_EQ(d.serial_ecx, 0x22222222u);
    EXPECT_EQ(d.serial_edx, 0x33333333u);
}

TEST(CpuidPass, LowExtendedMaximumWritesOnlyLeaf80000000) {
    // 0x80000000 itself, and values below it such as an echo of leaf 0 or
    // the garbage older processors return.
    for (uint32_t mx : {0x80000000u, 0x00000002u, 0x03020101u, 0u}) {
        SCOPED_TRACE(mx);
        FakeCpu cpu;
        cpu.Set(0, {2, kGenu, kNtel, kIneI}).Set(0x80000000, {mx, 0x68747541, 0x444D4163, 0x69746E65});
        for (uint32_t leaf = 0x80000001; leaf <= 0x80000008; ++leaf)
            cpu.Set(leaf, {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF});
        const CpuidData d = RunCpuidPass(cpu);
        EXPECT_EQ(d.mxecpuid, mx);
        EXPECT_EQ(d.ext_vendor, "AuthenticAMD");
        EXPECT_EQ(d.feature1, 0u);
        EXPECT_EQ(d.extbrand, 0);
        EXPECT_EQ(d.exfamily, 0);
        EXPECT_TRUE(d.ext_name.empty());
        EXPECT_EQ(d.ext5.dsizekb, 0);
        EXPECT_EQ(d.ext6.sizekb, 0);
        EXPECT_EQ(d.ext6.alt_sizekb, 0);
        EXPECT_EQ(d.ext6_edx, 0u);
        EXPECT_EQ(d.powermgt, 0u);
        EXPECT_EQ(d.phys_bits, 0);
        for (uint32_t leaf = 0x80000001; leaf <= 0x80000008; ++leaf) EXPECT_FALSE(cpu.Ran(leaf)) << leaf;
    }
}

TEST(CpuidPass, BrandLeavesReadFromMaximum80000002) {
    for (uint32_t mx : {0x80000002u, 0x80000003u}) {
        FakeCpu cpu;
        cpu.Set(0, {1, kGenu, kNtel, kIneI})
            .Set(0x80000000, {mx, 0, 0, 0})
            .Set(0x80000002, {0x20202020, 0x20202020, 0x20202020, 0x6E492020})  // "              In"
            .Set(0x80000003, {0x2020786F, 0, 0, 0})  // "ox  " then zeros
            .Set(0x80000004, {0x58585858, 0x59595959, 0x5A5A5A5A, 0x00215A5A})  // unimplemented: whatever comes
            .Set(0x80000005, {1, 1, 1, 1});
        const CpuidData d = RunCpuidPass(cpu);
        const std::string want = std::string(14, ' ') + "Inox  " + std::string(12, '\0') + "XXXXYYYYZZZZZZ!" +
                                 std::string(1, '\0');
        ASSERT_EQ(d.ext_name.size(), 48u);
        EXPECT_EQ(d.ext_name, want);
        EXPECT_FALSE(cpu.Ran(0x80000005));
        EXPECT_EQ(d.ext5.dsizekb, 0);
    }
}

TEST(CpuidPass, ExtendedLeafFields) {
    FakeCpu cpu;
    cpu.Set(0, {1, 0x68747541, 0x444D4163, 0x69746E65})
        .Set(0x80000000, {0x80000008, 0x68747541, 0x444D4163, 0x69746E65})
        .Set(0x80000001, {0x0FF20F1A, 0xABCDE, 0x12345678, 0xE3D3FBFF})
        .Set(0x80000005, {0xFF08FF20, 0x04030201, 0x40020140, 0x20080B40})
        .Set(0x80000006, {0x48002200, 0x68004200, 0xFFFF6140, 0x02009140})
        .Set(0x80000007, {1, 2, 3, 0x0000003F})
        .Set(0x80000008, {0x00003028, 0, 0, 0});
    const CpuidData d = RunCpuidPass(cpu);

    EXPECT_EQ(d.ext_step, 0xA);
    EXPECT_EQ(d.ex_model, 0x1);
    EXPECT_EQ(d.exfamily, 0xF);
    EXPECT_EQ(d.ex_emodel, 0x2);
    EXPECT_EQ(d.ex_efamily, 0xFF);
    EXPECT_EQ(d.extbrand, 0xCDE);  // 12 bits only
    EXPECT_EQ(d.feature1, 0xE3D3FBFFu);

    const Ext5& a = d.ext5;
    const std::vector<uint16_t> ext5 = {a.itlbe2, a.itlba2, a.dtlbe2, a.dtlba2, a.itlbe4, a.itlba4, a.dtlbe4, a.dtlba4,
                                       a.dlinsz, a.dlines, a.dassoc, a.dsizekb, a.ilinsz, a.ilines, a.iassoc, a.isizekb};
    EXPECT_EQ(ext5, (std::vector<uint16_t>{0x20, 0xFF, 0x08, 0xFF, 0x01, 0x02, 0x03, 0x04,  //
                                           0x40, 0x01, 0x02, 0x40, 0x40, 0x0B, 0x08, 0x20}));

    const Ext6& b = d.ext6;
    const std::vector<uint16_t> ext6 = {b.itlbe2, b.itlba2, b.dtlbe2, b.dtlba2, b.itlbe4, b.itlba4, b.dtlbe4, b.dtlba4,
                                       b.linsz, b.lines, b.assoc, b.sizekb, b.alt_sizekb, b.alt_assoc, b.alt_lines};
    EXPECT_EQ(ext6, (std::vector<uint16_t>{0x200, 0x2, 0x800, 0x4, 0x200, 0x4, 0x800, 0x6,  //
                                           0x40, 0x1, 0x6, 65535 /* 16 bits */, 0xFF, 0xFF, 0x61}));
    EXPECT_EQ(d.ext6_edx, 0x02009140u);

    EXPECT_EQ(d.powermgt, 0x3Fu);
    EXPECT_EQ(d.phys_bits, 40);
    EXPECT_EQ(d.virt_bits, 48);
}

TEST(CpuidPass, ExecutesLeavesInPassOrder) {
    FakeCpu cpu;
    cpu.Set(0, {4, kGenu, kNtel, kIneI})
        .Set(4, {0x00000121, 0, 0, 0}, 0)
        .Set(0x80000000, {0x8000001D, 0, 0, 0})
        .Set(0x8000001D, {0x00000122, 0, 0, 0}, 0);
    RunCpuidPass(cpu);
    const std::vector<Leaf> want = {
        {0, 0},          {1, 0},          {2, 0},          {3, 0},          {0x80000000, 0},
        {0x80000001, 0}, {0x80000002, 0}, {0x80000003, 0}, {0x80000004, 0}, {0x80000005, 0},
        {0x80000006, 0}, {0x80000007, 0}, {0x80000008, 0}, {0x80000006, 0},  // 0x80000006 twice
        {4, 0},          {4, 1},          {0x8000001D, 0}, {0x8000001D, 1},
    };
    EXPECT_EQ(cpu.executed, want);
}

TEST(CpuidPass, CacheSubleavesEndAtTypeZero) {
    FakeCpu cpu;
    cpu.Set(0, {0x20, kGenu, kNtel, kIneI})
        .Set(4, {0x3C004121, 0x02C0003F, 0x3F, 0}, 0)
        .Set(4, {0x3C004122, 0x01C0003F, 0x3F, 0}, 1)
        .Set(4, {0x3C004143, 0x0240003F, 0x7FF, 0}, 2)
        .Set(4, {0x3C07C163, 0x0200003F, 0x7FFF, 4}, 3)
        .Set(4, {0x3C000000, 0, 0, 0}, 4)       // type 0: the end, though other bits are set
        .Set(4, {0x00000121, 0, 0, 0}, 5);      // beyond the end: not read
    const CpuidData d = RunCpuidPass(cpu);
    ASSERT_EQ(d.leaf4.size(), 4u);
    EXPECT_EQ(d.leaf4[0], (CpuidRegs{0x3C004121, 0x02C0003F, 0x3F, 0}));
    EXPECT_EQ(d.leaf4[3], (CpuidRegs{0x3C07C163, 0x0200003F, 0x7FFF, 4}));
    EXPECT_TRUE(d.leaf8000001d.empty());  // mxecpuid 0
}

TEST(CpuidPass, CacheSubleavesStopAfterSixteen) {
    FakeCpu cpu;
    cpu.Set(0, {4, kGenu, kNtel, kIneI}).Set(0x80000000, {0x80000020, 0, 0, 0});
    for (uint32_t sub = 0; sub < 40; ++sub) {
        cpu.Set(4, {0x121 + sub * 0x100, sub, 0, 0}, sub);
        cpu.Set(0x8000001D, {0x122, sub, 0, 0}, sub);
    }
    const CpuidData d = RunCpuidPass(cpu);
    ASSERT_EQ(d.leaf4.size(), 16u);
    EXPECT_EQ(d.leaf4[15].ebx, 15u);
    ASSERT_EQ(d.leaf8000001d.size(), 16u);
    EXPECT_EQ(d.leaf8000001d[15].ebx, 15u);
}

TEST(CpuidPass, Leaf8000001DNeedsItsMaximum) {
    FakeCpu cpu;
    cpu.Set(0, {1, 0x68747541, 0x444D4163, 0x69746E65})
        .Set(0x80000000, {0x8000001C, 0, 0, 0})
        .Set(0x8000001D, {0x121, 0, 0, 0});
    EXPECT_TRUE(RunCpuidPass(cpu).leaf8000001d.empty());
    EXPECT_FALSE(cpu.Ran(0x8000001D));
}

// The later feature words and the topology leaves: each read exactly when the
// maximum leaves admit it; leaf 7 sub-leaf 1 only when sub-leaf 0's EAX
// (the last sub-leaf) reaches 1.
TEST(CpuidPass, LaterWordsFollowTheMaximumLeaves) {
    auto processor = [](uint32_t max, uint32_t xmax, uint32_t last_l7_sub) {
        FakeCpu cpu;
        cpu.Set(0, {max, kGenu, kNtel, kIneI})
            .Set(7, {last_l7_sub, 0x11, 0x22, 0x33}, 0)
            .Set(7, {0x44, 0xDEAD, 0xDEAD, 0xDEAD}, 1)
            .Set(0xB, {1, 2, 0x100, 7}, 0)
            .Set(0xB, {4, 16, 0x201, 7}, 1)
            .Set(0xB, {0, 0, 2, 7}, 2)  // level type 0: the end
            .Set(0x1F, {1, 2, 0x100, 7}, 0)
            .Set(0x80000000, {xmax, 0, 0, 0})
            .Set(0x80000001, {0, 0, 0x55, 0})
            .Set(0x80000008, {0x3030, 0x66, 0x0F, 0})
            .Set(0x8000001E, {0, 0x0100, 0, 0})
            .Set(0x80000021, {0x77, 0, 0, 0});
        return cpu;
    };
    {
        FakeCpu cpu = processor(0x1F, 0x80000021, 1);
        const CpuidData d = RunCpuidPass(cpu);
        EXPECT_EQ(d.l7s0_ebx, 0x11u);
        EXPECT_EQ(d.l7s0_ecx, 0x22u);
        EXPECT_EQ(d.l7s0_edx, 0x33u);
        EXPECT_EQ(d.l7s1_eax, 0x44u);
        EXPECT_EQ(d.ext1_ecx, 0x55u);
        EXPECT_EQ(d.ext8_ebx, 0x66u);
        EXPECT_EQ(d.ext21_eax, 0x77u);
        EXPECT_EQ(d.ext8_ecx, 0x0Fu);
        EXPECT_EQ(d.ext1e_ebx, 0x100u);
        ASSERT_EQ(d.leaf0b.size(), 2u);
        EXPECT_EQ(d.leaf0b[1], (CpuidRegs{4, 16, 0x201, 7}));
        EXPECT_EQ(d.leaf1f.size(), 1u);
    }
    {
        FakeCpu cpu = processor(0x1E, 0x80000020, 0);  // no 7.1, 0x1F or 0x80000021
        const CpuidData d = RunCpuidPass(cpu);
        EXPECT_EQ(d.l7s0_ebx, 0x11u);
        EXPECT_EQ(d.l7s1_eax, 0u);
        EXPECT_EQ(d.ext21_eax, 0u);
        EXPECT_TRUE(d.leaf1f.empty());
        EXPECT_FALSE(cpu.Ran(0x1F));
        EXPECT_FALSE(cpu.Ran(0x80000021));
    }
    {
        FakeCpu cpu = processor(6, 0x80000007, 1);  // before leaf 7 and 0x80000008
        const CpuidData d = RunCpuidPass(cpu);
        EXPECT_EQ(d.l7s0_ebx | d.l7s0_ecx | d.l7s0_edx | d.l7s1_eax, 0u);
        EXPECT_EQ(d.ext1_ecx, 0x55u);
        EXPECT_EQ(d.ext8_ebx, 0u);
        EXPECT_TRUE(d.leaf0b.empty());
        EXPECT_FALSE(cpu.Ran(7));
        EXPECT_FALSE(cpu.Ran(0x80000008));
    }
}

// The processor we run on. Compared with what the kernel read, so that a
// wrong register order or a broken toggle test shows.
TEST(LiveCpuid, AgreesWithTheKernel) {
    auto live = MakeLiveCpuidSource();
#if defined(__x86_64__)
    EXPECT_TRUE(live->HasCpuid());  // every x86-64 processor has CPUID
    EXPECT_TRUE(live->Is486());
#endif
    const CpuidData d = RunCpuidPass(*live);
    ASSERT_TRUE(d.cpuid_ok);
    ASSERT_EQ(d.vendorst.size(), 12u);
    ASSERT_GE(d.maxcpuid, 1u);
    EXPECT_EQ(live->Query(0).eax, d.maxcpuid);

    std::ifstream info("/proc/cpuinfo");
    if (!info) GTEST_SKIP() << "no /proc/cpuinfo";
    std::map<std::string, std::string> first;
    for (std::string line; std::getline(info, line) && !line.empty();) {
        const auto colon = line.find(':');
        if (colon == std::string::npos) continue;
        std::string key = line.substr(0, colon);
        while (!key.empty() && (key.back() == ' ' || key.back() == '\t')) key.pop_back();
        first[key] = colon + 2 <= line.size() ? line.substr(colon + 2) : "";
    }
    if (!first.count("vendor_id")) GTEST_SKIP() << "/proc/cpuinfo has no vendor_id";
    EXPECT_EQ(d.vendorst, first["vendor_id"]);
    // The kernel folds the extended fields in; this record keeps them apart.
    const int family = d.stfamily == 15 ? d.stfamily + d.sefamily : d.stfamily;
    const int model = family >= 6 ? d.st_model + (d.se_model << 4) : d.st_model;
    EXPECT_EQ(std::to_string(family), first["cpu family"]);
    EXPECT_EQ(std::to_string(model), first["model"]);
    EXPECT_EQ(std::to_string(d.stepping), first["stepping"]);
}

}  // namespace
}  // namespace kest
