// Cache and TLB decoding: leaf-2 descriptors or the extended leaves
// 0x80000005/6, then the levels still unknown from the later cache leaves.
#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

#include "cpu/cache_info.h"
#include "cpu/vendor.h"

namespace kest {
namespace {

constexpr uint32_t kExtLeaf6 = 0x80000006u;
constexpr uint32_t kExtLeaf1D = 0x8000001Du;

bool VendorIs(const CpuidData& cpu, std::string_view vendor) { return cpu.vendorst == vendor; }

// Associativity code of extended leaf 0x80000006 to ways. Codes not listed
// give nothing: the field they would set is left as it was.
std::optional<uint16_t> WaysOfCode(uint16_t code) {
    switch (code) {
        case 0: return 0;
        case 1: return 1;
        case 2: return 2;
        case 4: return 4;
        case 6: return 8;
        case 8: return 16;
        case 15: return 255;
        default: return std::nullopt;
    }
}

void SetFromCode(uint16_t& field, uint16_t code) {
    if (auto ways = WaysOfCode(code)) field = *ways;
}

// ---------------------------------------------------------------- extended leaves

void DecodeExtendedLeaves(const CpuidData& cpu, CacheInfo& ci) {
    const Ext5& e5 = cpu.ext5;
    const Ext6& e6 = cpu.ext6;
    CacheL1& l1 = ci.l1;
    CacheL2& l2 = ci.l2;

    l1.l1itlba4 = e5.itlba4;
    l1.l1itlba2 = e5.itlba2;
    l1.l1itlbe4 = e5.itlbe4;
    l1.l1itlbe2 = e5.itlbe2;
    l1.l1dtlba4 = e5.dtlba4;
    l1.l1dtlba2 = e5.dtlba2;
    l1.l1dtlbe4 = e5.dtlbe4;
    l1.l1dtlbe2 = e5.dtlbe2;
    l1.level1ic = e5.isizekb;
    l1.l1iassoc = e5.iassoc;
    l1.l1ilinsz = e5.ilinsz;
    l1.l1ilines = e5.ilines;
    l1.level1dc = e5.dsizekb;
    l1.l1dassoc = e5.dassoc;
    l1.l1dlinsz = e5.dlinsz;
    l1.l1dlines = e5.dlines;

    l2.l2itlbe4 = e6.itlbe4;
    l2.l2itlbe2 = e6.itlbe2;
    l2.l2dtlbe4 = e6.dtlbe4;
    l2.l2dtlbe2 = e6.dtlbe2;
    l2.l2clinsz = e6.linsz;
    SetFromCode(l2.l2dtlba2, e6.dtlba2);
    SetFromCode(l2.l2itlba2, e6.itlba2);
    SetFromCode(l2.l2dtlba4, e6.dtlba4);
    SetFromCode(l2.l2itlba4, e6.itlba4);

    // VIA C3 (Samuel 2, Ezra) put the L2 size in the top byte of ECX and the
    // ways as a plain number.
    if (VendorIs(cpu, vendor::kCentaur) && cpu.stfamily == 6 && (cpu.st_model == 7 || cpu.st_model == 8)) {
        l2.level2cs = e6.alt_sizekb;
        l2.l2cassoc = e6.alt_assoc;
        l2.l2clines = e6.alt_lines;
        return;
    }

    // AMD Duron model 3 stepping 0 reports its 64 KB L2 as 1 KB.
    if (VendorIs(cpu, vendor::kAmd) && cpu.stfamily == 6 && cpu.st_model == 3 && cpu.stepping == 0 &&
        e6.sizekb == 1)
        l2.level2cs = 64;
    else
        l2.level2cs = e6.sizekb;

    SetFromCode(l2.l2cassoc, e6.assoc);
    // VIA C3 Nehemiah stepping 1 reports code 0 for its 16-way L2.
    if (VendorIs(cpu, vendor::kCentaur) && cpu.stfamily == 6 && cpu.st_model == 9 && cpu.stepping == 1 &&
        e6.assoc == 0)
        l2.l2cassoc = 16;
    l2.l2clines = e6.lines;
}

// ---------------------------------------------------------------- leaf-2 descriptors

// What one descriptor byte of leaf 2 describes. Kinds from NoNextLevel on
// are the marked descriptors whose meaning the decoder works out itself.
enum class Kind : uint8_t {
    None,         // null, reserved, or a descriptor without a field to fill
    L1I, Trace, L1D, L2, L3Sectored, L3,  // a cache
    ITlb, DTlb,   // a first-level TLB
    NoNextLevel,  // 0x40: no L2 (family 6) or no L3 (family 15)
    L2OrL3,       // 0x49: an L3 on the Xeon MP of family 15 model 6, else an L2
    TlbLeaf,      // 0xFE: the TLBs are in leaf 0x18
    CacheLeaf,    // 0xFF: the caches are in leaf 4
};

// Page sizes a TLB descriptor holds.
enum Pages : uint8_t { k4KPages = 1, kLargePages = 2 };

struct Descriptor {
    Kind kind = Kind::None;
    uint16_t size = 0;   // caches: KB (a trace cache: K micro-ops); TLBs: entries
    uint16_t ways = 0;   // 255: fully associative
    uint16_t line = 0;   // caches: line size in bytes, 0 where not given
    uint8_t pages = 0;   // TLBs: Pages
};

constexpr Descriptor Cache(Kind k, uint16_t kb, uint16_t ways, uint16_t line) { return {k, kb, ways, line, 0}; }
constexpr Descriptor Tlb(Kind k, uint8_t pages, uint16_t entries, uint16_t ways) { return {k, entries, ways, 0, pages}; }
constexpr Descriptor Marked(Kind k) { return {k, 0, 0, 0, 0}; }

// Indexed by the descriptor byte (Intel SDM vol. 2A, CPUID leaf 2,
// "Encoding of CPUID Leaf 2 Descriptors"): caches and first-level TLBs in one
// place. Any other byte (null, reserved, or one this table does not carry,
// such as the second-level TLBs the record has no field for) decodes to
// nothing.
constexpr std::array<Descriptor, 256> kLeaf2 = [] {
    std::array<Descriptor, 256> t{};
    t[0x01] = Tlb(Kind::ITlb, k4KPages, 32, 4);
    t[0x02] = Tlb(Kind::ITlb, kLargePages, 2, 255);
    t[0x03] = Tlb(Kind::DTlb, k4KPages, 64, 4);
    t[0x04] = Tlb(Kind::DTlb, kLargePages, 8, 4);
    t[0x06] = Cache(Kind::L1I, 8, 4, 32);
    t[0x08] = Cache(Kind::L1I, 16, 4, 32);
    t[0x0A] = Cache(Kind::L1D, 8, 2, 32);
    t[0x0C] = Cache(Kind::L1D, 16, 4, 32);
    t[0x10] = Cache(Kind::L1D, 16, 4, 32);
    t[0x15] = Cache(Kind::L1I, 16, 4, 32);
    t[0x1A] = Cache(Kind::L2, 96, 6, 64);
    t[0x22] = Cache(Kind::L3Sectored, 512, 4, 64);
    t[0x23] = Cache(Kind::L3Sectored, 1024, 8, 64);
    t[0x25] = Cache(Kind::L3Sectored, 2048, 8, 64);
    t[0x29] = Cache(Kind::L3Sectored, 4096, 8, 64);
    t[0x2C] = Cache(Kind::L1D, 32, 8, 64);
    t[0x30] = Cache(Kind::L1I, 32, 8, 64);
    t[0x39] = Cache(Kind::L2, 128, 4, 64);
    t[0x3B] = Cache(Kind::L2, 128, 2, 64);
    t[0x3C] = Cache(Kind::L2, 256, 4, 64);
    t[0x40] = Marked(Kind::NoNextLevel);
    t[0x41] = Cache(Kind::L2, 128, 4, 32);
    t[0x42] = Cache(Kind::L2, 256, 4, 32);
    t[0x43] = Cache(Kind::L2, 512, 4, 32);
    t[0x44] = Cache(Kind::L2, 1024, 4, 32);
    t[0x45] = Cache(Kind::L2, 2048, 4, 32);
    t[0x49] = Cache(Kind::L2OrL3, 4096, 16, 64);
    t[0x50] = Tlb(Kind::ITlb, k4KPages | kLargePages, 64, 255);
    t[0x51] = Tlb(Kind::ITlb, k4KPages | kLargePages, 128, 255);
    t[0x52] = Tlb(Kind::ITlb, k4KPages | kLargePages, 256, 255);
    t[0x5B] = Tlb(Kind::DTlb, k4KPages | kLargePages, 64, 255);
    t[0x5C] = Tlb(Kind::DTlb, k4KPages | kLargePages, 128, 255);
    t[0x5D] = Tlb(Kind::DTlb, k4KPages | kLargePages, 256, 255);
    t[0x66] = Cache(Kind::L1D, 8, 4, 64);
    t[0x67] = Cache(Kind::L1D, 16, 4, 64);
    t[0x68] = Cache(Kind::L1D, 32, 4, 64);
    t[0x70] = Cache(Kind::Trace, 12, 8, 6);
    t[0x71] = Cache(Kind::Trace, 16, 8, 8);
    t[0x72] = Cache(Kind::Trace, 32, 8, 0);
    t[0x77] = Cache(Kind::L1I, 16, 4, 64);
    t[0x79] = Cache(Kind::L2, 128, 8, 64);
    t[0x7A] = Cache(Kind::L2, 256, 8, 64);
    t[0x7B] = Cache(Kind::L2, 512, 8, 64);
    t[0x7C] = Cache(Kind::L2, 1024, 8, 64);
    t[0x7E] = Cache(Kind::L2, 256, 8, 128);
    t[0x81] = Cache(Kind::L2, 128, 8, 32);
    t[0x82] = Cache(Kind::L2, 256, 8, 32);
    t[0x83] = Cache(Kind::L2, 512, 8, 32);
    t[0x84] = Cache(Kind::L2, 1024, 8, 32);
    t[0x85] = Cache(Kind::L2, 2048, 8, 32);
    t[0x86] = Cache(Kind::L2, 512, 4, 64);
    t[0x87] = Cache(Kind::L2, 1024, 8, 64);
    t[0x88] = Cache(Kind::L3, 2048, 4, 64);
    t[0x89] = Cache(Kind::L3, 4096, 4, 64);
    t[0x8A] = Cache(Kind::L3, 8192, 4, 64);
    t[0x8D] = Cache(Kind::L3, 3072, 12, 128);
    t[0xB0] = Tlb(Kind::ITlb, k4KPages, 128, 4);
    t[0xB3] = Tlb(Kind::DTlb, k4KPages, 128, 4);
    t[0xFE] = Marked(Kind::TlbLeaf);
    t[0xFF] = Marked(Kind::CacheLeaf);
    return t;
}();

void ApplyCache(Kind kind, const Descriptor& d, CacheInfo& ci) {
    switch (kind) {
        case Kind::Trace:
            ci.l1.l1ctrace = true;
            [[fallthrough]];
        case Kind::L1I:
            ci.l1.level1ic = d.size;
            ci.l1.l1iassoc = d.ways;
            if (d.line != 0) ci.l1.l1ilinsz = d.line;
            break;
        case Kind::L1D:
            ci.l1.level1dc = d.size;
            ci.l1.l1dassoc = d.ways;
            ci.l1.l1dlinsz = d.line;
            break;
        case Kind::L2:
            ci.l2.level2cs = d.size;
            ci.l2.l2cassoc = d.ways;
            ci.l2.l2clinsz = d.line;
            break;
        case Kind::L3Sectored:
            ci.l3.l3sector = 2;
            [[fallthrough]];
        case Kind::L3:
            ci.l3.islevel3 = true;
            ci.l3.level3cs = d.size;
            ci.l3.l3cassoc = d.ways;
            ci.l3.l3clinsz = d.line;
            break;
        default:
            break;
    }
}

void ApplyTlb(const Descriptor& d, CacheL1& l1) {
    const bool instr = d.kind == Kind::ITlb;
    if (d.pages & k4KPages) {
        (instr ? l1.l1itlba4 : l1.l1dtlba4) = d.ways;
        (instr ? l1.l1itlbe4 : l1.l1dtlbe4) = d.size;
    }
    if (d.pages & kLargePages) {
        (instr ? l1.l1itlba2 : l1.l1dtlba2) = d.ways;
        (instr ? l1.l1itlbe2 : l1.l1dtlbe2) = d.size;
    }
}

// ---------------------------------------------------------------- leaf 0x18 TLBs

constexpr uint32_t kTlbLeaf = 0x18;

enum PageGroup : unsigned { k4K = 0, k2M = 1, k1G = 2, kPageGroups = 3 };

// Structure types of a sub-leaf (EDX bits 0-4); 0 marks an invalid sub-leaf.
enum TlbType : unsigned { kTlbData = 1, kTlbInstr = 2, kTlbUnified = 3, kTlbLoad = 4, kTlbStore = 5, kTlbTypes = 6 };

// One page-size group of TLB structures of one type and level.
struct TlbGroup {
    uint32_t entries = 0;  // all structures of the group together
    uint32_t largest = 0;  // entries of the largest one, whose ways are kept
    uint16_t ways = 0;     // 255: fully associative
};

void AddStructure(TlbGroup& g, uint32_t entries, uint16_t ways) {
    g.entries += entries;
    if (entries > g.largest) {
        g.largest = entries;
        g.ways = ways;
    }
}

// The larger of two groups (data against unified): they are alternatives,
// not parts of one TLB.
const TlbGroup& Larger(const TlbGroup& a, const TlbGroup& b) { return b.entries > a.entries ? b : a; }

void Store(const TlbGroup& g, uint16_t& ways, uint16_t& entries) {
    if (g.entries == 0) return;
    ways = g.ways;
    entries = uint16_t(std::min<uint32_t>(g.entries, 0xFFFF));
}

// Leaf 0x18: every valid sub-leaf describes one TLB structure by level, type,
// the page sizes it holds, its ways and sets (or fully associative). Several
// structures of one type and level add up (the second-level TLB comes as two
// halves that both hold 4 KB pages). The data TLB of a page size is the
// load-only TLB where the leaf describes one for that size: loads are what
// a data TLB serves, and the small store-only TLB that holds every page
// size (16 entries on Sunny Cove and Golden Cove, against 8 load entries
// for 1 GB pages) is not it. Only where no load-only TLB holds the size
// does the store-only one count. A data or unified TLB, the larger
// winning, fills the data side, and a unified one also the instruction
// side of its level. Groups the leaf does not describe keep what they had.
void DecodeTlbLeaf(const std::vector<CpuidRegs>& subleaves, CacheInfo& ci) {
    TlbGroup g[2][kPageGroups][kTlbTypes] = {};  // level 1-2, page group, type
    for (const CpuidRegs& r : subleaves) {
        const unsigned type = r.edx & 0x1Fu;
        const unsigned level = (r.edx >> 5) & 0x7u;
        if (type == 0 || type >= kTlbTypes || level < 1 || level > 2) continue;
        const uint32_t ways = r.ebx >> 16;
        const uint64_t entries = uint64_t(ways) * r.ecx;
        if (entries == 0) continue;
        const bool fully = ((r.edx >> 8) & 1u) != 0;
        const uint16_t ways_field = fully ? 255 : uint16_t(std::min<uint32_t>(ways, 254));
        const uint32_t n = uint32_t(std::min<uint64_t>(entries, 0xFFFF));
        const bool holds[kPageGroups] = {(r.ebx & 0x1u) != 0, (r.ebx & 0x6u) != 0, (r.ebx & 0x8u) != 0};
        for (unsigned p = 0; p < kPageGroups; ++p)
            if (holds[p]) AddStructure(g[level - 1][p][type], n, ways_field);
    }

    // The record's fields per level: ways and entries of the data and the
    // instruction side for 4 KB and 2/4 MB pages, and the 1 GB entries.
    struct Fields {
        uint16_t *dways, *dentries, *iways, *ientries;
    };
    CacheL1& l1 = ci.l1;
    CacheL2& l2 = ci.l2;
    const Fields fields[2][2] = {
        {{&l1.l1dtlba4, &l1.l1dtlbe4, &l1.l1itlba4, &l1.l1itlbe4}, {&l1.l1dtlba2, &l1.l1dtlbe2, &l1.l1itlba2, &l1.l1itlbe2}},
        {{&l2.l2dtlba4, &l2.l2dtlbe4, &l2.l2itlba4, &l2.l2itlbe4}, {&l2.l2dtlba2, &l2.l2dtlbe2, &l2.l2itlba2, &l2.l2itlbe2}},
    };
    uint16_t* const one_gb[2] = {&l1.l1dtlbe1g, &l2.l2tlbe1g};
    for (unsigned level = 0; level < 2; ++level) {
        for (unsigned p = 0; p < kPageGroups; ++p) {
            const TlbGroup* t = g[level][p];
            const TlbGroup& split = t[kTlbLoad].entries != 0 ? t[kTlbLoad] : t[kTlbStore];
            const TlbGroup& data = Larger(Larger(t[kTlbData], split), t[kTlbUnified]);
            const TlbGroup& instr = Larger(t[kTlbInstr], t[kTlbUnified]);
            if (p == k1G) {
                if (data.entries != 0) *one_gb[level] = uint16_t(std::min<uint32_t>(data.entries, 0xFFFF));
                continue;
            }
            const Fields& f = fields[level][p];
            Store(data, *f.dways, *f.dentries);
            Store(instr, *f.iways, *f.ientries);
        }
    }
}

// What descriptor 0x40 ("no cache at the next level") decided. The
// completion from the later leaves only fills levels nobody has described;
// a level the descriptors declared absent was described, so it stays absent
// (no size under a cleared islevel2, no L3 re-enabled on a family-15 part).
struct AbsenceMarks {
    bool no_l2 = false;
    bool no_l3 = false;
};

AbsenceMarks DecodeDescriptors(const CpuidData& cpu, CacheInfo& ci) {
    AbsenceMarks marks;
    bool tlbs_in_leaf18 = false;
    // Element 0 is the repeat count of leaf 2; it is not obeyed.
    for (size_t i = 1; i < cpu.descriptors.size(); ++i) {
        const uint16_t code = cpu.descriptors[i];
        if (code >= kLeaf2.size()) continue;
        const Descriptor& d = kLeaf2[code];
        switch (d.kind) {
            case Kind::None:
                break;
            case Kind::NoNextLevel:
                if (cpu.stfamily == 6) {
                    ci.l2.islevel2 = false;
                    marks.no_l2 = true;
                } else if (cpu.stfamily == 15) {
                    ci.l3.islevel3 = false;
                    marks.no_l3 = true;
                }
                break;
            case Kind::L2OrL3: {
                // The 4 MB 16-way third level of the Xeon MP of family 15
                // model 6, the 4 MB 16-way second level of every other
                // processor (Core 2 Duo E6x50, Xeon 5300).
                const bool l3 = cpu.stfamily == 15 && cpu.st_model == 6 && cpu.sefamily == 0 && cpu.se_model == 0;
                ApplyCache(l3 ? Kind::L3 : Kind::L2, d, ci);
                break;
            }
            case Kind::TlbLeaf:
                tlbs_in_leaf18 = true;
                break;
            case Kind::CacheLeaf:
                // Nothing here: leaf 4 fills every level the descriptors
                // leave unknown (CompleteFromLaterLeaves), for every Intel
                // processor.
                break;
            case Kind::ITlb:
            case Kind::DTlb:
                ApplyTlb(d, ci.l1);
                break;
            default:
                ApplyCache(d.kind, d, ci);
                break;
        }
    }
    if (tlbs_in_leaf18 && cpu.maxcpuid >= kTlbLeaf) DecodeTlbLeaf(cpu.leaf18, ci);
    // A later L3 descriptor overrides an earlier "no L3".
    if (ci.l3.islevel3) marks.no_l3 = false;
    return marks;
}

// ---------------------------------------------------------------- later cache leaves

// One cache as leaf 4 / leaf 0x8000001D describe it.
struct LeafCache {
    unsigned type = 0;   // 1 data, 2 instruction, 3 unified
    unsigned level = 0;
    uint32_t kb = 0;
    uint16_t ways = 0;   // 255: fully associative
    uint16_t line = 0;
};

LeafCache ParseCacheLeaf(const CpuidRegs& r) {
    LeafCache c;
    c.type = r.eax & 0x1Fu;
    c.level = (r.eax >> 5) & 0x7u;
    const uint64_t ways = ((r.ebx >> 22) & 0x3FFu) + 1;
    const uint64_t partitions = ((r.ebx >> 12) & 0x3FFu) + 1;
    const uint64_t line = (r.ebx & 0xFFFu) + 1;
    const uint64_t sets = uint64_t(r.ecx) + 1;
    // ways x partitions x line <= 2^32 and sets <= 2^32: the product can
    // just exceed 64 bits for nonsense register values, so saturate.
    uint64_t bytes = 0;
    if (__builtin_mul_overflow(ways * partitions * line, sets, &bytes)) bytes = std::numeric_limits<uint64_t>::max();
    c.kb = uint32_t(std::min<uint64_t>(bytes / 1024, std::numeric_limits<uint32_t>::max()));
    const bool fully = (r.eax >> 9) & 1u;
    c.ways = fully ? 255 : uint16_t(ways);
    c.line = uint16_t(line);
    return c;
}

enum class Slot : uint8_t { L1D, L1I, L1Unified, L2, L3 };

std::optional<Slot> SlotOf(const LeafCache& c) {
    switch (c.level) {
        case 1:
            if (c.type == 1) return Slot::L1D;
            if (c.type == 2) return Slot::L1I;
            if (c.type == 3) return Slot::L1Unified;
            return std::nullopt;
        // The record has one second- and one third-level cache; a split
        // cache at these levels cannot be described, so only unified ones count.
        case 2: return c.type == 3 ? std::optional(Slot::L2) : std::nullopt;
        case 3: return c.type == 3 ? std::optional(Slot::L3) : std::nullopt;
        default: return std::nullopt;
    }
}

class Completion {
public:
    Completion(CacheInfo& ci, AbsenceMarks marks) : ci_(ci), marks_(marks) {}

    // Fills the level this cache belongs to when that level is still unknown.
    void Offer(const LeafCache& c) {
        auto slot = SlotOf(c);
        if (!slot || c.kb == 0) return;
        CacheL1& l1 = ci_.l1;
        switch (*slot) {
            case Slot::L1D:
                if (l1.level1dc != 0) return;
                l1.level1dc = c.kb; l1.l1dassoc = c.ways; l1.l1dlinsz = c.line;
                return;
            case Slot::L1I:
                if (l1.level1ic != 0) return;
                l1.level1ic = c.kb; l1.l1iassoc = c.ways; l1.l1ilinsz = c.line;
                return;
            case Slot::L1Unified:
                // One unified L1 is recorded as the identification does it for
                // the 486: not divided, its size in the instruction fields.
                // Only when nothing about level 1 is known yet.
                if (l1.level1ic != 0 || l1.level1dc != 0) return;
                l1.isl1divd = false;
                l1.level1ic = c.kb; l1.l1iassoc = c.ways; l1.l1ilinsz = c.line;
                return;
            case Slot::L2:
                if (ci_.l2.level2cs != 0 || marks_.no_l2) return;
                ci_.l2.level2cs = c.kb; ci_.l2.l2cassoc = c.ways; ci_.l2.l2clinsz = c.line;
                return;
            case Slot::L3:
                FillL3(c.kb, c.ways, c.line);
                return;
        }
    }

    void FillL3(uint32_t kb, uint16_t ways, uint16_t line) {
        if (ci_.l3.level3cs != 0 || marks_.no_l3 || kb == 0) return;
        ci_.l3.level3cs = kb;
        ci_.l3.l3cassoc = ways;
        ci_.l3.l3clinsz = line;
        ci_.l3.islevel3 = true;
    }

private:
    CacheInfo& ci_;
    AbsenceMarks marks_;
};

void CompleteFromLaterLeaves(const CpuidData& cpu, CacheInfo& ci, AbsenceMarks marks) {
    Completion fill(ci, marks);

    const bool leaf4_vendor =
        VendorIs(cpu, vendor::kIntel) || VendorIs(cpu, vendor::kCentaur) || VendorIs(cpu, vendor::kZhaoxin);
    if (leaf4_vendor && cpu.maxcpuid >= 4)
        for (const CpuidRegs& r : cpu.leaf4) fill.Offer(ParseCacheLeaf(r));

    const bool leaf1d_vendor = VendorIs(cpu, vendor::kAmd) || VendorIs(cpu, vendor::kHygon);
    if (leaf1d_vendor && cpu.mxecpuid >= kExtLeaf1D)
        for (const CpuidRegs& r : cpu.leaf8000001d) fill.Offer(ParseCacheLeaf(r));

    // AMD's L3 in EDX of 0x80000006: 512 KB units in bits 18-31.
    if (cpu.mxecpuid >= kExtLeaf6) {
        const uint32_t edx = cpu.ext6_edx;
        const uint32_t kb = (edx >> 18) * 512u;
        const uint16_t code = uint16_t((edx >> 12) & 0xFu);
        uint16_t ways = 0;
        SetFromCode(ways, code);
        // The L3 field also has AMD's wider codes (AMD's CPUID document
        // 25481, Fn8000_0006 EDX): 0xA 32 ways (Family 10h), 0xB 48, 0xC 64,
        // 0xD 96, 0xE 128. 0x9 on later processors means "see leaf
        // 0x8000001D" and stays 0.
        constexpr uint16_t kWideWays[] = {32, 48, 64, 96, 128};
        if (code >= 0xA && code <= 0xE) ways = kWideWays[code - 0xA];
        fill.FillL3(kb, ways, uint16_t(edx & 0xFFu));
    }
}

}  // namespace

CacheInfo DecodeCaches(const CpuidData& cpu) {
    CacheInfo ci;
    ci.l1.isl1divd = true;
    ci.l1.l1ctrace = false;
    ci.l2.islevel2 = true;

    const bool has_leaf2 = cpu.maxcpuid >= 2;
    const bool has_ext6 = cpu.mxecpuid >= kExtLeaf6;

    AbsenceMarks marks;
    if (has_ext6 && !has_leaf2) {
        DecodeExtendedLeaves(cpu, ci);
    } else if (has_leaf2 && !has_ext6) {
        marks = DecodeDescriptors(cpu, ci);
    } else if (has_leaf2 && has_ext6) {
        // Both descriptions exist on every processor since the later
        // Pentium 4s. Intel's leaf 2 is the meaningful one; other vendors
        // return zeros there and describe their caches in the extended leaves.
        if (VendorIs(cpu, vendor::kIntel))
            marks = DecodeDescriptors(cpu, ci);
        else
            DecodeExtendedLeaves(cpu, ci);
    }

    CompleteFromLaterLeaves(cpu, ci, marks);
    return ci;
}

}  // namespace kest
