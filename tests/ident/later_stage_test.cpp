// The second identification stage's rules, over whatever rows the tables
// hold: the family fallback, the tidied name and product line from the brand
// string, the hypervisor and the hybrid core notes.
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "ident/identify_later.h"
#include "ident/later_table.h"
#include "ident_fixtures.h"

namespace kest::test {
namespace {

using ident::LaterMaker;

struct MakerCase {
    LaterMaker maker;
    const char* vendor;
    const char* name;  // as the fallback spells the maker
    std::span<const ident::LaterRow> rows[2];
    std::span<const ident::LaterFamily> families;
};

std::vector<MakerCase> Makers() {
    return {
        {LaterMaker::kIntel, "GenuineIntel", "Intel", {ident::IntelLaterRows(), ident::IntelServerAtomLaterRows()},
         ident::IntelLaterFamilies()},
        {LaterMaker::kAmd, "AuthenticAMD", "AMD", {ident::AmdLaterRows(), {}}, ident::AmdLaterFamilies()},
        {LaterMaker::kCentaur, "CentaurHauls", "Centaur", {ident::CentaurLaterRows(), {}},
         ident::CentaurLaterFamilies()},
        {LaterMaker::kZhaoxin, "  Shanghai  ", "Zhaoxin", {ident::ZhaoxinLaterRows(), {}},
         ident::ZhaoxinLaterFamilies()},
        {LaterMaker::kHygon, "HygonGenuine", "Hygon", {ident::HygonLaterRows(), {}}, ident::HygonLaterFamilies()},
    };
}

// Leaf 1 EAX of a display family and model with the extended model set, or
// 0 where the maker does not fold an extended model into that family.
uint32_t LaterEax(LaterMaker maker, uint16_t family, uint16_t model) {
    const uint32_t base_family = family >= 15 ? 15 : family;
    const uint32_t ext_family = family >= 15 ? family - 15u : 0;
    const bool folds = maker == LaterMaker::kIntel                                          ? (base_family == 6 || base_family == 15)
                       : (maker == LaterMaker::kCentaur || maker == LaterMaker::kZhaoxin) ? base_family >= 6
                                                                                            : base_family == 15;
    if (!folds || (model >> 4) == 0 || model > 0xFF) return 0;
    return ext_family << 20 | (model >> 4u) << 16 | base_family << 8 | (model & 0xFu) << 4 | 1u;
}

// Every known family: a model no row names gets the family's
// microarchitecture or "<maker> family F, model 0xMM", never the code name
// of a row, and keeps the table era's rule that only rows apply there.
TEST(LaterStage, UnknownModelOfAKnownFamilyGetsTheFamilyOnly) {
    int checked = 0;
    for (const MakerCase& m : Makers()) {
        for (const ident::LaterFamily& f : m.families) {
            uint16_t model = 0x10;
            auto named = [&](uint16_t mdl) {
                for (const auto& rows : m.rows)
                    for (const ident::LaterRow& r : rows)
                        if (r.family == f.family && r.brand == ident::kUnset && r.model.Matches(mdl)) return true;
                return false;
            };
            while (model <= 0xFF && named(model)) ++model;
            const uint32_t eax = LaterEax(m.maker, f.family, model);
            if (model > 0xFF || eax == 0) continue;

            SCOPED_TRACE(std::string(m.name) + " family " + std::to_string(f.family) + " model " + std::to_string(model));
            CacheInfo caches = L2Of(512);
            const ProcessorNames got = IdentifyProcessor(Cpu(m.vendor, eax), caches);
            char fallback[64];
            std::snprintf(fallback, sizeof fallback, "%s family %u, model 0x%02X", m.name, unsigned{f.family},
                          unsigned{model});
            EXPECT_EQ(f.microarch != ident::kUnset ? std::string(f.microarch) : std::string(fallback), got.corecode);
            for (const auto& rows : m.rows) {
                for (const ident::LaterRow& r : rows) {
                    if (r.corecode != ident::kUnset) {
                        EXPECT_NE(std::string(r.corecode), got.corecode);
                    }
                }
            }
            EXPECT_TRUE(got.modelnote.empty());
            EXPECT_TRUE(got.platform.empty());
            EXPECT_TRUE(got.techpar1.empty());
            if (f.familynote != ident::kUnset) {
                EXPECT_EQ(std::string(f.familynote), got.familynote);
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 0);

    // An unknown family gets nothing; so does a model of the tables' era that
    // neither the tables nor a row name (Centaur family 6 model 11).
    CacheInfo caches = L2Of(512);
    EXPECT_TRUE(IdentifyProcessor(Cpu("HygonGenuine", 0x00F00F01), caches).corecode.empty());
    const ProcessorNames old = IdentifyProcessor(Cpu("CentaurHauls", 0x000006B1), caches);
    EXPECT_TRUE(old.corecode.empty());
    EXPECT_TRUE(old.procname.empty());
    EXPECT_EQ(0, old.intprocn);
}

// The brand string as people write the name, and the product line it names.
TEST(LaterStage, NameAndLineFromTheBrandString) {
    struct Case {
        LaterMaker maker;
        std::string brand;
        const char* procname;
        uint16_t line;
    };
    const Case cases[] = {
        {LaterMaker::kIntel, "12th Gen Intel(R) Core(TM) i5-12400", "Intel Core i5-12400", 314},
        {LaterMaker::kIntel, "Intel(R) Core(TM) i7-4500U CPU @ 1.80GHz", "Intel Core i7-4500U", 314},
        {LaterMaker::kIntel, "Intel(R) Core(TM)2 Duo CPU     E6750  @ 2.66GHz", "Intel Core2 Duo E6750", 313},
        {LaterMaker::kIntel, "Intel(R) Core(TM) i7 CPU         860  @ 2.80GHz", "Intel Core i7 860", 314},
        {LaterMaker::kIntel, "Intel(R) Core(TM) Ultra 7 155H", "Intel Core Ultra 7 155H", 315},
        {LaterMaker::kIntel, "Intel(R) Celeron(R) CPU          215  @ 1.33GHz", "Intel Celeron 215", 318},
        {LaterMaker::kIntel, "Intel(R) Pentium(R) Silver N5030 CPU @ 1.10GHz", "Intel Pentium Silver N5030", 318},
        {LaterMaker::kIntel, "Intel(R) Celeron(R) Dual-Core CPU T3000 @ 1.80GHz", "Intel Celeron Dual-Core T3000", 318},
        {LaterMaker::kIntel, "Intel(R) Pentium(R) 4 CPU 3.00GHz", "Intel Pentium 4 3.00GHz", 308},
        {LaterMaker::kIntel, "Intel(R) Core(TM) Duo CPU      T2600  @ 2.16GHz", "Intel Core Duo T2600", 312},
        {LaterMaker::kIntel, "Intel(R) Xeon(R) CPU           L5320  @ 1.86GHz", "Intel Xeon L5320", 316},
        {LaterMaker::kIntel, "Intel(R) Core(TM) 3 N355", "Intel Core 3 N355", 314},
        {LaterMaker::kAmd, "AMD Ryzen 9 5900X 12-Core Processor", "AMD Ryzen 9 5900X", 117},
        {LaterMaker::kAmd, "AMD Ryzen 7 7735HS with Radeon Graphics", "AMD Ryzen 7 7735HS", 117},
        {LaterMaker::kAmd, "AMD A4-5000 APU with Radeon(TM) HD Graphics", "AMD A4-5000 APU", 116},
        {LaterMaker::kAmd, "AMD PRO A12-8870 R7, 12 COMPUTE CORES 4C+8G", "AMD PRO A12-8870", 116},
        {LaterMaker::kAmd, "AMD A8-7600 Radeon R7, 10 Compute Cores 4C+6G", "AMD A8-7600", 116},
        {LaterMaker::kAmd, "AMD Athlon(tm) II P320 Dual-Core Processor", "AMD Athlon II P320", 114},
        {LaterMaker::kAmd, "Quad-Core AMD Opteron(tm) Processor 2344 HE", "AMD Opteron 2344 HE", 110},
        {LaterMaker::kAmd, "Dual Core AMD Opteron(tm) Processor 275", "AMD Opteron 275", 110},
        {LaterMaker::kAmd, "AMD Ryzen Threadripper PRO 3955WX 16-Cores", "AMD Ryzen Threadripper PRO 3955WX", 118},
        {LaterMaker::kAmd, "AMD Turion Dual-Core RM-70", "AMD Turion Dual-Core RM-70", 121},
        {LaterMaker::kAmd, "AMD Athlon(tm) 64 Processor 3200+", "AMD Athlon 64 3200+", 111},
        {LaterMaker::kAmd, "AMD Athlon(tm) 64 X2 Dual Core Processor 4200+", "AMD Athlon 64 X2 Dual Core 4200+", 114},
        {LaterMaker::kAmd, "AMD EPYC", "AMD EPYC", 119},
        {LaterMaker::kAmd, "AMD C-50 Processor", "AMD C-50", 116},
        {LaterMaker::kHygon, "Hygon C86 7185 32-core Processor", "Hygon C86 7185", 206},
        {LaterMaker::kCentaur, "VIA QuadCore L4700 @ 1.2+ GHz", "VIA QuadCore L4700", 204},
        {LaterMaker::kCentaur, "VIA C7 Processor 1500MHz", "VIA C7 1500MHz", 203},
        {LaterMaker::kCentaur, "ZHAOXIN KaiXian KX-6000G/4@2.6GHz", "ZHAOXIN KaiXian KX-6000G/4", 205},
        {LaterMaker::kZhaoxin, "ZHAOXIN KaiXian KX-U6780A@2.7GHz", "ZHAOXIN KaiXian KX-U6780A", 205},
        // Registers hold the text up to a zero byte; the rest is padding.
        {LaterMaker::kIntel, std::string("Genuine Intel(R) CPU\0garbage", 28), "Genuine Intel", 0},
        // The Windows-1252 registered and trade marks.
        {LaterMaker::kAmd, "AMD Phenom\xAE II X4 940 \x99", "AMD Phenom II X4 940", 115},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.brand);
        EXPECT_EQ(c.procname, ident::TidyBrand(c.brand));
        EXPECT_EQ(c.line, ident::LineFromBrand(c.maker, c.brand));
    }
}

// Leaf 1 ECX bit 31 and leaf 0x40000000: the hypervisor is named, and the
// platform says the processor is seen through it, the tables' platform kept.
TEST(LaterStage, HypervisorInThePlatform) {
    struct Case {
        std::string vendor_text;
        const char* name;
    };
    const Case cases[] = {
        {std::string("KVMKVMKVM\0\0\0", 12), "KVM"},  {"Microsoft Hv", "Hyper-V"},
        {"VMwareVMware", "VMware"},                   {"XenVMMXenVMM", "Xen"},
        {"TCGTCGTCGTCG", "QEMU TCG"},                 {"VBoxVBoxVBox", "VirtualBox"},
        {" lrpepyh  vr", "Parallels"},                {"  NewVisor  ", "NewVisor"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CpuidData p4 = Cpu("GenuineIntel", 0x00000F27);  // a Northwood: "Socket 478"
        p4.hypervisor = c.vendor_text;
        CacheInfo caches = L2Of(512);
        const ProcessorNames got = IdentifyProcessor(p4, caches);
        EXPECT_EQ(c.name, got.hypervisor);
        EXPECT_EQ(std::string("Socket 478 (virtual machine: ") + c.name + ")", got.platform);
        EXPECT_EQ((std::vector<std::string>{std::string("Socket 478 (VM: ") + c.name + ")", "Socket 478 (VM)"}),
                  PlatformShortForms(got));
        EXPECT_EQ("Northwood C1", got.corecode);
    }

    CpuidData none = Cpu("CentaurHauls", 0x00000698);  // the tables give no platform
    none.hypervisor = "KVMKVMKVM";
    CacheInfo caches = L2Of(64);
    EXPECT_EQ("virtual machine: KVM", IdentifyProcessor(none, caches).platform);
    EXPECT_EQ((std::vector<std::string>{"VM: KVM", "VM"}), PlatformShortForms(IdentifyProcessor(none, caches)));
    none.hypervisor.clear();
    EXPECT_EQ("", IdentifyProcessor(none, caches).platform);
    CpuidData host = Cpu("GenuineIntel", 0x00000F27);
    CacheInfo host_caches = L2Of(512);
    EXPECT_TRUE(PlatformShortForms(IdentifyProcessor(host, host_caches)).empty());  // "Socket 478" has no note
}

// A hybrid Intel processor's model note says which kind of core the pass
// ran on; a processor without the hybrid flag, or of another maker, gets no
// such note.
TEST(LaterStage, HybridCoreInTheModelNote) {
    auto note = [](const char* vendor, uint32_t leaf7_edx, uint32_t leaf1a_eax) {
        CpuidData cpu = Cpu(vendor, 0x000906A3);  // Alder Lake-P
        cpu.maxcpuid = 0x20;
        cpu.leaf7_edx = leaf7_edx;
        cpu.leaf1a_eax = leaf1a_eax;
        CacheInfo caches = L2Of(1280);
        return IdentifyProcessor(cpu, caches).modelnote;
    };
    const std::string plain = note("GenuineIntel", 0, 0);
    auto with = [&](const char* read_on) { return plain.empty() ? read_on : plain + " (" + read_on + ")"; };
    EXPECT_EQ(with("read on a performance core"), note("GenuineIntel", 1u << 15, 0x40000001));
    EXPECT_EQ(with("read on an efficient core"), note("GenuineIntel", 1u << 15, 0x20000001));
    EXPECT_EQ(plain, note("GenuineIntel", 0, 0x20000001));  // an Atom-only processor is not hybrid
    EXPECT_EQ(plain, note("GenuineIntel", 1u << 15, 0));
    EXPECT_EQ(note("AuthenticAMD", 0, 0), note("AuthenticAMD", 1u << 15, 0x40000001));
}

}  // namespace
}  // namespace kest::test
