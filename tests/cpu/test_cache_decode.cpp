#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "cpu/cache_info.h"

namespace kest {
namespace {

CpuidData Cpu(const std::string& vendor, uint32_t maxcpuid, uint32_t mxecpuid, uint16_t family = 6,
              uint16_t model = 0, uint16_t stepping = 0) {
    CpuidData c;
    c.cpuid_ok = true;
    c.vendorst = vendor;
    c.maxcpuid = maxcpuid;
    c.mxecpuid = mxecpuid;
    c.stfamily = family;
    c.st_model = model;
    c.stepping = stepping;
    return c;
}

void SetDescriptors(CpuidData& c, std::initializer_list<uint16_t> list) {
    c.descriptors.fill(0);
    c.descriptors[0] = 1;
    size_t i = 1;
    for (uint16_t d : list) c.descriptors.at(i++) = d;
}

// A leaf-4 / leaf-0x8000001D sub-leaf. type: 1 data, 2 instruction, 3 unified.
CpuidRegs CacheLeaf(unsigned type, unsigned level, unsigned ways, unsigned partitions, unsigned line,
                    unsigned sets, bool fully = false) {
    CpuidRegs r;
    r.eax = type | (level << 5) | (1u << 8) | (fully ? 1u << 9 : 0u);
    r.ebx = ((ways - 1) << 22) | ((partitions - 1) << 12) | (line - 1);
    r.ecx = sets - 1;
    return r;
}

// ---------------------------------------------------------------- decoder choice

TEST(CacheDecode, NothingToDecodeKeepsInitialValues) {
    // No leaf 2 and no extended leaf 6 (extended leaf 5 alone is not enough).
    CpuidData c = Cpu("AuthenticAMD", 1, 0x80000005);
    c.ext5.dsizekb = 64;
    c.ext5.isizekb = 64;
    const CacheInfo ci = DecodeCaches(c);
    EXPECT_TRUE(ci.l1.isl1divd);
    EXPECT_FALSE(ci.l1.l1ctrace);
    EXPECT_TRUE(ci.l2.islevel2);
    EXPECT_FALSE(ci.l3.islevel3);
    EXPECT_EQ(ci.l1.level1dc, 0u);
    EXPECT_EQ(ci.l1.level1ic, 0u);
    EXPECT_EQ(ci.l2.level2cs, 0u);
    EXPECT_EQ(ci.l3.level3cs, 0u);
}

TEST(CacheDecode, DecoderChoice) {
    // Descriptor 0x2C says 32 KB of L1 data, extended leaf 5 says 64 KB: the
    // L1 data size shows which decoder ran.
    struct Row {
        const char* vendor;
        uint32_t maxcpuid, mxecpuid;
        uint32_t l1d;
    } rows[] = {
        {"AuthenticAMD", 1, 0x80000006, 64},  // extended leaves only
        {"GenuineIntel", 1, 0x80000008, 64},  // the choice does not look at the vendor
        {"GenuineIntel", 2, 0x80000005, 32},  // leaf 2 only
        {"AuthenticAMD", 2, 0x80000004, 32},
        {"GenuineIntel", 1, 0x80000005, 0},   // neither
        {"GenuineIntel", 0, 0, 0},
        {"GenuineIntel", 2, 0x80000006, 32},  // both: Intel reads its descriptors
        {"AuthenticAMD", 0xD, 0x8000001F, 64},  // both: everyone else the extended leaves
        {"CentaurHauls", 4, 0x80000006, 64},
        {"HygonGenuine", 0xD, 0x80000008, 64},
        {"  Shanghai  ", 4, 0x80000008, 64},
    };
    for (const Row& r : rows) {
        CpuidData c = Cpu(r.vendor, r.maxcpuid, r.mxecpuid);
        SetDescriptors(c, {0x2C});
        c.ext5.dsizekb = 64;
        EXPECT_EQ(DecodeCaches(c).l1.level1dc, r.l1d)
            << r.vendor << " max " << r.maxcpuid << " ext " << std::hex << r.mxecpuid;
    }
}

// ---------------------------------------------------------------- descriptors

TEST(CacheDecode, DescriptorListInAnyOrder) {
    for (auto order : {std::initializer_list<uint16_t>{0x66, 0x5B, 0x50, 0x7A, 0x70},
                       std::initializer_list<uint16_t>{0x70, 0x7A, 0x50, 0x5B, 0x66}}) {
        CpuidData c = Cpu("GenuineIntel", 2, 0x80000004, 15);
        SetDescriptors(c, order);
        const CacheInfo ci = DecodeCaches(c);
        EXPECT_EQ(ci.l1.level1dc, 8u);
        EXPECT_EQ(ci.l1.l1dassoc, 4);
        EXPECT_EQ(ci.l1.l1dlinsz, 64);
        EXPECT_EQ(ci.l1.l1dtlbe4, 64);
        EXPECT_EQ(ci.l1.l1dtlbe2, 64);
        EXPECT_EQ(ci.l1.l1dtlba4, 255);
        EXPECT_EQ(ci.l1.l1dtlba2, 255);
        EXPECT_EQ(ci.l1.l1itlbe4, 64);
        EXPECT_EQ(ci.l1.l1itlbe2, 64);
        EXPECT_EQ(ci.l1.l1itlba4, 255);
        EXPECT_EQ(ci.l1.l1itlba2, 255);
        EXPECT_EQ(ci.l2.level2cs, 256u);
        EXPECT_EQ(ci.l2.l2cassoc, 8);
        EXPECT_EQ(ci.l2.l2clinsz, 64);
        EXPECT_TRUE(ci.l1.l1ctrace);
        EXPECT_EQ(ci.l1.level1ic, 12u);
        EXPECT_EQ(ci.l1.l1iassoc, 8);
        EXPECT_EQ(ci.l1.l1ilinsz, 6);
    }
}

TEST(CacheDecode, LargePageTlbDescriptors) {
    // The 0x5x groups set both page sizes, entries doubling with the code.
    struct Row {
        uint16_t code;
        bool data;
        uint16_t entries;
    } rows[] = {{0x51, false, 128}, {0x52, false, 256}, {0x5C, true, 128}, {0x5D, true, 256}};
    for (const Row& r : rows) {
        CpuidData c = Cpu("GenuineIntel", 2, 0);
        SetDescriptors(c, {r.code});
        const CacheL1 l1 = DecodeCaches(c).l1;
        SCOPED_TRACE(r.code);
        EXPECT_EQ(r.data ? l1.l1dtlbe4 : l1.l1itlbe4, r.entries);
        EXPECT_EQ(r.data ? l1.l1dtlbe2 : l1.l1itlbe2, r.entries);
        EXPECT_EQ(r.data ? l1.l1dtlba2 : l1.l1itlba2, 255);
        EXPECT_EQ(r.data ? l1.l1itlbe4 : l1.l1dtlbe4, 0);
    }
}

TEST(CacheDecode, DescriptorDetails) {
    // The repeat count in element 0 is not a descriptor.
    CpuidData c = Cpu("GenuineIntel", 2, 0);
    c.descriptors.fill(0);
    c.descriptors[0] = 0x2C;
    EXPECT_EQ(DecodeCaches(c).l1.level1dc, 0u);

    // Later entries overwrite earlier ones; unknown codes are ignored.
    SetDescriptors(c, {0x2C, 0x49, 0x66, 0xFF});
    EXPECT_EQ(DecodeCaches(c).l1.level1dc, 8u);

    // 0x72 leaves the line size of an earlier instruction cache in place.
    SetDescriptors(c, {0x30, 0x72});
    CacheInfo ci = DecodeCaches(c);
    EXPECT_TRUE(ci.l1.l1ctrace);
    EXPECT_EQ(ci.l1.level1ic, 32u);
    EXPECT_EQ(ci.l1.l1iassoc, 8);
    EXPECT_EQ(ci.l1.l1ilinsz, 64);

    // An unsectored L3 after a sectored one leaves the sector count.
    SetDescriptors(c, {0x22, 0x8A});
    ci = DecodeCaches(c);
    EXPECT_EQ(ci.l3.level3cs, 8192u);
    EXPECT_EQ(ci.l3.l3sector, 2);
    // The last descriptor slot (EDX byte 3) counts too.
    SetDescriptors(c, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x7C});
    EXPECT_EQ(DecodeCaches(c).l2.level2cs, 1024u);
}

TEST(CacheDecode, NoNextLevelDescriptor) {
    struct Row {
        uint16_t family;
        std::initializer_list<uint16_t> list;
        bool l2, l3;
        uint32_t l2kb;
    } rows[] = {
        {6, {0x40, 0x7A}, false, false, 256},  // clears L2 even with an L2 size
        {6, {0x7A, 0x40}, false, false, 256},
        {15, {0x7A, 0x40}, true, false, 256},
        {15, {0x22, 0x40}, true, false, 0},  // clears an L3 set before it
        {15, {0x40, 0x22}, true, true, 0},
        {5, {0x40}, true, false, 0},
    };
    for (const Row& r : rows) {
        CpuidData c = Cpu("GenuineIntel", 2, 0, r.family);
        SetDescriptors(c, r.list);
        const CacheInfo ci = DecodeCaches(c);
        EXPECT_EQ(ci.l2.islevel2, r.l2) << r.family;
        EXPECT_EQ(ci.l3.islevel3, r.l3) << r.family;
        EXPECT_EQ(ci.l2.level2cs, r.l2kb) << r.family;
    }
}

// ---------------------------------------------------------------- extended leaves

TEST(CacheDecode, ExtendedLeavesCopy) {
    CpuidData c = Cpu("AuthenticAMD", 1, 0x80000008, 15, 4, 8);
    c.ext5 = Ext5{8, 0xFF, 8, 0xFF, 32, 0xFF, 32, 0xFF, 64, 1, 2, 64, 64, 1, 2, 64};
    c.ext6.itlbe4 = 512;
    c.ext6.itlba4 = 4;
    c.ext6.dtlbe4 = 512;
    c.ext6.dtlba4 = 4;
    c.ext6.linsz = 64;
    c.ext6.lines = 1;
    c.ext6.assoc = 8;
    c.ext6.sizekb = 512;
    const CacheInfo ci = DecodeCaches(c);
    EXPECT_EQ(ci.l1.level1dc, 64u);
    EXPECT_EQ(ci.l1.l1dassoc, 2);
    EXPECT_EQ(ci.l1.l1dlinsz, 64);
    EXPECT_EQ(ci.l1.l1dlines, 1);
    EXPECT_EQ(ci.l1.level1ic, 64u);
    EXPECT_EQ(ci.l1.l1itlba4, 0xFF);  // ext5 ways are stored as they come
    EXPECT_EQ(ci.l1.l1itlbe4, 32);
    EXPECT_EQ(ci.l1.l1itlbe2, 8);
    EXPECT_EQ(ci.l2.l2itlbe4, 512);
    EXPECT_EQ(ci.l2.l2itlba4, 4);
    EXPECT_EQ(ci.l2.l2dtlba4, 4);
    EXPECT_EQ(ci.l2.level2cs, 512u);
    EXPECT_EQ(ci.l2.l2cassoc, 16);
    EXPECT_EQ(ci.l2.l2clinsz, 64);
    EXPECT_EQ(ci.l2.l2clines, 1);
    EXPECT_TRUE(ci.l2.islevel2);
    EXPECT_FALSE(ci.l3.islevel3);
}

TEST(CacheDecode, AssociativityCodes) {
    // Unknown codes leave the field at 0.
    const uint16_t expected[16] = {0, 1, 2, 0, 4, 0, 8, 0, 16, 0, 0, 0, 0, 0, 0, 255};
    for (uint16_t code = 0; code < 16; ++code) {
        CpuidData c = Cpu("AuthenticAMD", 1, 0x80000006);
        c.ext6.assoc = code;
        c.ext6.dtlba2 = code;
        c.ext6.itlba4 = code;
        const CacheInfo ci = DecodeCaches(c);
        EXPECT_EQ(ci.l2.l2cassoc, expected[code]) << code;
        EXPECT_EQ(ci.l2.l2dtlba2, expected[code]) << code;
        EXPECT_EQ(ci.l2.l2itlba4, expected[code]) << code;
    }
}

TEST(CacheDecode, VendorCorrections) {
    // AMD Duron 6/3/0 reporting 1 KB of L2 has 64 KB; other sizes and
    // steppings keep theirs.
    struct Row {
        const char* vendor;
        uint16_t model, stepping, sizekb;
        uint32_t l2kb;
    } rows[] = {
        {"AuthenticAMD", 3, 0, 1, 64},
        {"AuthenticAMD", 3, 0, 2, 2},
        {"AuthenticAMD", 3, 1, 1, 1},
        {"AuthenticAMD", 4, 0, 1, 1},
        {"CentaurHauls", 3, 0, 1, 1},
    };
    for (const Row& r : rows) {
        CpuidData c = Cpu(r.vendor, 1, 0x80000006, 6, r.model, r.stepping);
        c.ext6.sizekb = r.sizekb;
        EXPECT_EQ(DecodeCaches(c).l2.level2cs, r.l2kb) << r.vendor << r.model << r.stepping << r.sizekb;
    }

    // VIA C3 6/7 and 6/8: size in the top byte, ways as a number.
    for (uint16_t model : {7, 8}) {
        CpuidData c = Cpu("CentaurHauls", 1, 0x80000006, 6, model, 0);
        // ECX 0x40100120: 64 KB, 16 ways, 1 line per tag, 32-byte lines.
        c.ext6.linsz = 0x20;
        c.ext6.lines = 1;
        c.ext6.assoc = 0;
        c.ext6.sizekb = 0x4010;
        c.ext6.alt_sizekb = 0x40;
        c.ext6.alt_assoc = 0x10;
        c.ext6.alt_lines = 0x01;
        const CacheInfo ci = DecodeCaches(c);
        EXPECT_EQ(ci.l2.level2cs, 64u);
        EXPECT_EQ(ci.l2.l2cassoc, 16);
        EXPECT_EQ(ci.l2.l2clines, 1);
        EXPECT_EQ(ci.l2.l2clinsz, 32);
    }

    // VIA Nehemiah 6/9/1 with code 0 has 16 ways; stepping 0 does not.
    for (uint16_t stepping : {1, 0}) {
        CpuidData c = Cpu("CentaurHauls", 1, 0x80000006, 6, 9, stepping);
        c.ext6.sizekb = 64;
        c.ext6.assoc = 0;
        EXPECT_EQ(DecodeCaches(c).l2.l2cassoc, stepping == 1 ? 16 : 0);
    }
}

// ---------------------------------------------------------------- later cache leaves

// Intel Core i5-12400 (Alder Lake): leaf 2 only points to leaf 4.
CpuidData AlderLake() {
    CpuidData c = Cpu("GenuineIntel", 0x20, 0x80000008, 6, 7, 2);
    SetDescriptors(c, {0xFF, 0xFE, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0});
    c.leaf4 = {
        {0x3C004121, 0x02C0003F, 0x0000003F, 0},  // L1D 48 KB 12-way
        {0x3C004122, 0x01C0003F, 0x0000003F, 0},  // L1I 32 KB 8-way
        {0x3C004143, 0x0240003F, 0x000007FF, 0},  // L2 1280 KB 10-way
        CacheLeaf(3, 3, 12, 1, 64, 24576),       // L3 18 MB 12-way
    };
    c.ext6.sizekb = 1280;  // the extended leaf would give code 7, no ways
    c.ext6.assoc = 7;
    c.ext6.linsz = 64;
    return c;
}

TEST(CacheDecode, IntelLeaf4Completion) {
    const CacheInfo ci = DecodeCaches(AlderLake());
    EXPECT_EQ(ci.l1.level1dc, 48u);
    EXPECT_EQ(ci.l1.l1dassoc, 12);
    EXPECT_EQ(ci.l1.l1dlinsz, 64);
    EXPECT_EQ(ci.l1.level1ic, 32u);
    EXPECT_EQ(ci.l1.l1iassoc, 8);
    EXPECT_EQ(ci.l1.l1ilinsz, 64);
    EXPECT_TRUE(ci.l1.isl1divd);
    EXPECT_EQ(ci.l2.level2cs, 1280u);
    EXPECT_EQ(ci.l2.l2cassoc, 10);
    EXPECT_EQ(ci.l2.l2clinsz, 64);
    EXPECT_TRUE(ci.l2.islevel2);
    EXPECT_EQ(ci.l3.level3cs, 18432u);
    EXPECT_EQ(ci.l3.l3cassoc, 12);
    EXPECT_EQ(ci.l3.l3clinsz, 64);
    EXPECT_EQ(ci.l3.l3sector, 0);
    EXPECT_TRUE(ci.l3.islevel3);

    // The i5-12400's own L3 sub-leaf: 9 ways of 32768 sets, also 18 MB.
    CpuidData real = AlderLake();
    real.leaf4[3] = {0x3C07C163, 0x0200003F, 0x00007FFF, 4};
    const CacheInfo r = DecodeCaches(real);
    EXPECT_EQ(r.l3.level3cs, 18432u);
    EXPECT_EQ(r.l3.l3cassoc, 9);
}

TEST(CacheDecode, Leaf4OnlyFillsWhatIsUnknown) {
    // Core 2 style: descriptors give both L1 caches, the L2 descriptor (0x49)
    // is not in the table, so leaf 4 supplies the L2 and nothing else.
    CpuidData c = Cpu("GenuineIntel", 0xA, 0x80000008, 6, 15, 11);
    SetDescriptors(c, {0xB1, 0xB0, 0x05, 0xF0, 0x57, 0x56, 0, 0, 0, 0, 0, 0x49, 0x30, 0xB4, 0x2C});
    c.leaf4 = {
        CacheLeaf(1, 1, 12, 1, 64, 64),    // would give L1D 48 KB
        CacheLeaf(2, 1, 4, 1, 64, 64),     // would give L1I 16 KB
        CacheLeaf(3, 2, 16, 1, 64, 4096),  // L2 4 MB
        CacheLeaf(3, 2, 8, 1, 64, 64),     // a second L2 entry: the first wins
    };
    const CacheInfo ci = DecodeCaches(c);
    EXPECT_EQ(ci.l1.level1dc, 32u);
    EXPECT_EQ(ci.l1.l1dassoc, 8);
    EXPECT_EQ(ci.l1.level1ic, 32u);
    EXPECT_EQ(ci.l1.l1iassoc, 8);
    EXPECT_EQ(ci.l2.level2cs, 4096u);
    EXPECT_EQ(ci.l2.l2cassoc, 16);
    EXPECT_FALSE(ci.l3.islevel3);
    EXPECT_EQ(ci.l3.level3cs, 0u);
}

TEST(CacheDecode, Leaf4Gates) {
    // Only Intel, VIA/Centaur and Zhaoxin describe caches in leaf 4, and only
    // when leaf 4 exists.
    struct Row {
        const char* vendor;
        uint32_t maxcpuid;
        uint32_t l2kb;
    } rows[] = {
        {"GenuineIntel", 4, 2048}, {"CentaurHauls", 4, 2048}, {"  Shanghai  ", 0x14, 2048},
        {"AuthenticAMD", 0x10, 0}, {"HygonGenuine", 0x10, 0}, {"GenuineIntel", 3, 0},
    };
    for (const Row& r : rows) {
        CpuidData c = Cpu(r.vendor, r.maxcpuid, 0x80000008);
        c.leaf4 = {CacheLeaf(3, 2, 8, 1, 64, 4096)};
        EXPECT_EQ(DecodeCaches(c).l2.level2cs, r.l2kb) << r.vendor << " " << r.maxcpuid;
    }
}

TEST(CacheDecode, Leaf4EntryShapes) {
    // Fully associative flag: 255 ways, the size still from all four factors.
    CpuidData c = Cpu("GenuineIntel", 4, 0);
    c.leaf4 = {CacheLeaf(3, 2, 16, 1, 64, 1, true), CacheLeaf(3, 3, 16, 2, 64, 2048)};
    CacheInfo ci = DecodeCaches(c);
    EXPECT_EQ(ci.l2.level2cs, 1u);
    EXPECT_EQ(ci.l2.l2cassoc, 255);
    // Line partitions count in the size.
    EXPECT_EQ(ci.l3.level3cs, 4096u);
    EXPECT_EQ(ci.l3.l3cassoc, 16);

    // A unified L1 is recorded like a 486's: not divided, size in level1ic.
    c.leaf4 = {CacheLeaf(3, 1, 4, 1, 16, 128)};
    ci = DecodeCaches(c);
    EXPECT_FALSE(ci.l1.isl1divd);
    EXPECT_EQ(ci.l1.level1ic, 8u);
    EXPECT_EQ(ci.l1.l1iassoc, 4);
    EXPECT_EQ(ci.l1.l1ilinsz, 16);
    EXPECT_EQ(ci.l1.level1dc, 0u);

    // ... but not when split L1 caches are known already.
    c.leaf4 = {CacheLeaf(1, 1, 8, 1, 64, 64), CacheLeaf(3, 1, 4, 1, 16, 128)};
    ci = DecodeCaches(c);
    EXPECT_TRUE(ci.l1.isl1divd);
    EXPECT_EQ(ci.l1.level1dc, 32u);
    EXPECT_EQ(ci.l1.level1ic, 0u);

    // Split caches at level 2 or 3 and reserved types or levels are ignored.
    c.leaf4 = {CacheLeaf(1, 2, 8, 1, 64, 512), CacheLeaf(2, 3, 8, 1, 64, 512), CacheLeaf(4, 1, 8, 1, 64, 64),
               CacheLeaf(3, 4, 16, 1, 64, 65536)};
    ci = DecodeCaches(c);
    EXPECT_EQ(ci.l2.level2cs, 0u);
    EXPECT_EQ(ci.l3.level3cs, 0u);
    EXPECT_EQ(ci.l1.level1dc, 0u);
    EXPECT_EQ(ci.l1.level1ic, 0u);
    EXPECT_FALSE(ci.l3.islevel3);

    // Nonsense register values saturate instead of wrapping.
    c.leaf4 = {CpuidRegs{0x63, 0xFFFFFFFF, 0xFFFFFFFF, 0}};
    EXPECT_EQ(DecodeCaches(c).l3.level3cs, 0xFFFFFFFFu);
}

TEST(CacheDecode, NoNextLevelIsNotUndone) {
    // Family 6 with 0x40: no L2, whatever leaf 4 says; its L3 is still taken.
    CpuidData c = Cpu("GenuineIntel", 4, 0x80000008, 6);
    SetDescriptors(c, {0x40, 0x2C, 0x30});
    c.leaf4 = {CacheLeaf(3, 2, 8, 1, 64, 512), CacheLeaf(3, 3, 16, 1, 64, 4096)};
    CacheInfo ci = DecodeCaches(c);
    EXPECT_FALSE(ci.l2.islevel2);
    EXPECT_EQ(ci.l2.level2cs, 0u);
    EXPECT_TRUE(ci.l3.islevel3);
    EXPECT_EQ(ci.l3.level3cs, 4096u);

    // Family 15 with 0x40: no L3, but the L2 is filled.
    c.stfamily = 15;
    ci = DecodeCaches(c);
    EXPECT_TRUE(ci.l2.islevel2);
    EXPECT_EQ(ci.l2.level2cs, 256u);
    EXPECT_FALSE(ci.l3.islevel3);
    EXPECT_EQ(ci.l3.level3cs, 0u);
}

// AMD Zen 3 as this kind of machine reports it.
CpuidData Zen3() {
    CpuidData c = Cpu("AuthenticAMD", 0x10, 0x80000021, 15, 1, 1);
    c.ext5 = Ext5{0x40, 0xFF, 0x48, 0xFF, 0x40, 0xFF, 0x48, 0xFF, 0x40, 1, 8, 32, 0x40, 1, 8, 32};
    c.ext6.linsz = 0x40;
    c.ext6.lines = 1;
    c.ext6.assoc = 6;
    c.ext6.sizekb = 1024;
    c.leaf8000001d = {
        {0x00000121, 0x01C0003F, 0x0000003F, 0},
        {0x00000122, 0x01C0003F, 0x0000003F, 0},
        {0x00000143, 0x01C0003F, 0x000007FF, 2},
        {0x00004163, 0x03C0003F, 0x00007FFF, 1},  // L3 32 MB 16-way
    };
    c.ext6_edx = 0x0A009140;  // a hypervisor's value: 320 MB, code 9
    return c;
}

TEST(CacheDecode, AmdLeaf1DCompletion) {
    const CacheInfo ci = DecodeCaches(Zen3());
    EXPECT_EQ(ci.l1.level1dc, 32u);
    EXPECT_EQ(ci.l1.l1dassoc, 8);
    EXPECT_EQ(ci.l1.level1ic, 32u);
    EXPECT_EQ(ci.l2.level2cs, 1024u);
    EXPECT_EQ(ci.l2.l2cassoc, 8);
    EXPECT_EQ(ci.l2.l2clinsz, 64);
    // Leaf 0x8000001D comes before EDX of 0x80000006.
    EXPECT_TRUE(ci.l3.islevel3);
    EXPECT_EQ(ci.l3.level3cs, 32768u);
    EXPECT_EQ(ci.l3.l3cassoc, 16);
    EXPECT_EQ(ci.l3.l3clinsz, 64);

    // 96 MB of L3 (a 3D V-Cache part) survives whole.
    CpuidData big = Zen3();
    big.leaf8000001d[3] = CacheLeaf(3, 3, 16, 1, 64, 98304);
    EXPECT_EQ(DecodeCaches(big).l3.level3cs, 98304u);

    // Leaf 0x8000001D is ignored when the processor does not admit it.
    CpuidData older = Zen3();
    older.mxecpuid = 0x8000001C;
    older.ext6_edx = 0;
    EXPECT_EQ(DecodeCaches(older).l3.level3cs, 0u);
    EXPECT_FALSE(DecodeCaches(older).l3.islevel3);
}

TEST(CacheDecode, AmdExtendedLeaf6L3) {
    struct Row {
        uint32_t edx;
        uint32_t kb;
        uint16_t ways, line;
        bool present;
    } rows[] = {
        {(64u << 18) | (8u << 12) | 64, 32768, 16, 64, true},   // 32 MB 16-way
        {(192u << 18) | (8u << 12) | 64, 98304, 16, 64, true},  // 96 MB: needs 32 bits
        {(12u << 18) | (0xBu << 12) | 64, 6144, 48, 64, true},  // AMD's wider L3 codes: 0xB 48-way
        {(4u << 18) | (0xAu << 12) | 64, 2048, 32, 64, true},   // 0xA 32-way (Family 10h)
        {(64u << 18) | (0x9u << 12) | 64, 32768, 0, 64, true},  // 0x9: "see leaf 0x8000001D"
        {(0u << 18) | (8u << 12) | 64, 0, 0, 0, false},         // size 0: no L3
    };
    for (const Row& r : rows) {
        CpuidData c = Cpu("AuthenticAMD", 1, 0x80000008, 15);
        c.ext6_edx = r.edx;
        const CacheInfo ci = DecodeCaches(c);
        EXPECT_EQ(ci.l3.level3cs, r.kb) << std::hex << r.edx;
        EXPECT_EQ(ci.l3.l3cassoc, r.ways) << std::hex << r.edx;
        EXPECT_EQ(ci.l3.l3clinsz, r.line) << std::hex << r.edx;
        EXPECT_EQ(ci.l3.islevel3, r.present) << std::hex << r.edx;
    }

    // Not used for an L3 the descriptors already gave.
    CpuidData c = Cpu("GenuineIntel", 2, 0x80000008, 15);
    SetDescriptors(c, {0x29});
    c.ext6_edx = (64u << 18) | (8u << 12) | 64;
    EXPECT_EQ(DecodeCaches(c).l3.level3cs, 4096u);
}

}  // namespace
}  // namespace kest
