// The start-up pass: every standard and extended leaf the processor admits,
// kept raw in CpuidData.
#include "cpu/cpuid_pass.h"

#include <algorithm>

#include "cpu/cpuid_bits.h"
#include "cpu/format.h"

namespace kest {

namespace {

// Bits lo..hi of a register, shifted down to bit 0.
uint16_t Bits(uint32_t reg, unsigned lo, unsigned hi) {
    const unsigned width = hi - lo + 1;
    const uint32_t mask = width >= 32 ? 0xFFFFFFFFu : ((1u << width) - 1u);
    return static_cast<uint16_t>((reg >> lo) & mask);
}

// A register's four bytes, low byte first, one character each (zeros kept).
void AppendRegister(std::string& s, uint32_t reg) {
    for (int i = 0; i < 4; ++i) s += static_cast<char>((reg >> (8 * i)) & 0xFF);
}

std::string VendorText(const CpuidRegs& r) {
    std::string s;
    s.reserve(12);
    AppendRegister(s, r.ebx);
    AppendRegister(s, r.edx);
    AppendRegister(s, r.ecx);
    return s;
}

// Leaf 4 and extended leaf 0x8000001D list one cache per sub-leaf; the list
// ends at the first sub-leaf whose type (EAX bits 0-4) is 0 ("no more caches").
std::vector<CpuidRegs> CacheSubleaves(CpuidSource& source, uint32_t leaf) {
    constexpr uint32_t kMaxSubleaves = 16;
    std::vector<CpuidRegs> list;
    for (uint32_t sub = 0; sub < kMaxSubleaves; ++sub) {
        const CpuidRegs r = source.Query(leaf, sub);
        if ((r.eax & 0x1F) == 0) break;
        list.push_back(r);
    }
    return list;
}

// Leaves 0xB and 0x1F list one topology level per sub-leaf; the list ends at
// the first sub-leaf whose level type (ECX bits 8-15) is 0.
std::vector<CpuidRegs> TopologySubleaves(CpuidSource& source, uint32_t leaf) {
    constexpr uint32_t kMaxLevels = 8;
    std::vector<CpuidRegs> list;
    for (uint32_t sub = 0; sub < kMaxLevels; ++sub) {
        const CpuidRegs r = source.Query(leaf, sub);
        if (((r.ecx >> 8) & 0xFF) == 0) break;
        list.push_back(r);
    }
    return list;
}

// Leaf 0x18 names its last sub-leaf in EAX of sub-leaf 0; sub-leaves in
// between may be invalid (type 0) and are kept as they are.
std::vector<CpuidRegs> TlbSubleaves(CpuidSource& source) {
    constexpr uint32_t kMaxSubleaves = 32;
    std::vector<CpuidRegs> list;
    const CpuidRegs first = source.Query(0x18, 0);
    list.push_back(first);
    const uint32_t last = std::min(first.eax, kMaxSubleaves - 1);
    for (uint32_t sub = 1; sub <= last; ++sub) list.push_back(source.Query(0x18, sub));
    return list;
}

// Leaves 0 to 3.
void ReadStandardLeaves(CpuidSource& source, CpuidData& d) {
    // Leaf 0.
    const CpuidRegs l0 = source.Query(0);
    d.maxcpuid = l0.eax;
    d.vendorst = VendorText(l0);

    // Leaf 1.
    if (d.maxcpuid >= 1) {
        const CpuidRegs r = source.Query(1);
        d.signature = HexText(r.eax, false);
        d.stepping = Bits(r.eax, 0, 3);
        d.st_model = Bits(r.eax, 4, 7);
        d.stfamily = Bits(r.eax, 8, 11);
        d.cpu_type = Bits(r.eax, 12, 13);
        d.se_model = Bits(r.eax, 16, 19);
        d.sefamily = Bits(r.eax, 20, 27);
        d.brand_id = Bits(r.ebx, 0, 7);
        d.clflushs = Bits(r.ebx, 8, 15);
        d.logprocc = Bits(r.ebx, 16, 23);
        d.apic__id = Bits(r.ebx, 24, 31);
        d.featurs2 = r.ecx;
        d.featurs1 = r.edx;
    }

    // Leaf 2, executed once; the count in AL is kept, not obeyed.
    if (d.maxcpuid >= 2) {
        const CpuidRegs r = source.Query(2);
        const uint32_t regs[4] = {r.eax, r.ebx, r.ecx, r.edx};
        for (int i = 0; i < 16; ++i) d.descriptors[i] = Bits(regs[i / 4], 8 * (i % 4), 8 * (i % 4) + 7);
    }

    // Leaf 3, whatever the serial-number feature bit says.
    if (d.maxcpuid >= 3) {
        const CpuidRegs r = source.Query(3);
        d.serial_ebx = r.ebx;
        d.serial_ecx = r.ecx;
        d.serial_edx = r.edx;
    }
}

// Leaves 0x80000000 to 0x80000008 as the first pass reads them.
void ReadExtendedLeaves(CpuidSource& source, CpuidData& d) {
    // Leaf 0x80000000, always.
    const CpuidRegs e0 = source.Query(0x80000000);
    d.mxecpuid = e0.eax;
    d.ext_vendor = VendorText(e0);

    // Leaf 0x80000001.
    if (d.mxecpuid >= 0x80000001) {
        const CpuidRegs r = source.Query(0x80000001);
        d.ext_step = Bits(r.eax, 0, 3);
        d.ex_model = Bits(r.eax, 4, 7);
        d.exfamily = Bits(r.eax, 8, 11);
        d.ex_emodel = Bits(r.eax, 16, 19);
        d.ex_efamily = Bits(r.eax, 20, 27);
        d.extbrand = Bits(r.ebx, 0, 11);
        d.feature1 = r.edx;
        d.ext1_ecx = r.ecx;
    }

    // The brand string: all three leaves once 0x80000002 is admitted.
    if (d.mxecpuid >= 0x80000002) {
        std::string name;
        name.reserve(48);
        for (uint32_t leaf = 0x80000002; leaf <= 0x80000004; ++leaf) {
            const CpuidRegs r = source.Query(leaf);
            AppendRegister(name, r.eax);
            AppendRegister(name, r.ebx);
            AppendRegister(name, r.ecx);
            AppendRegister(name, r.edx);
        }
        d.ext_name = std::move(name);
    }

    // Leaf 0x80000005: one byte per field.
    if (d.mxecpuid >= 0x80000005) {
        const CpuidRegs r = source.Query(0x80000005);
        Ext5& x = d.ext5;
        x.itlbe2 = Bits(r.eax, 0, 7);
        x.itlba2 = Bits(r.eax, 8, 15);
        x.dtlbe2 = Bits(r.eax, 16, 23);
        x.dtlba2 = Bits(r.eax, 24, 31);
        x.itlbe4 = Bits(r.ebx, 0, 7);
        x.itlba4 = Bits(r.ebx, 8, 15);
        x.dtlbe4 = Bits(r.ebx, 16, 23);
        x.dtlba4 = Bits(r.ebx, 24, 31);
        x.dlinsz = Bits(r.ecx, 0, 7);
        x.dlines = Bits(r.ecx, 8, 15);
        x.dassoc = Bits(r.ecx, 16, 23);
        x.dsizekb = Bits(r.ecx, 24, 31);
        x.ilinsz = Bits(r.edx, 0, 7);
        x.ilines = Bits(r.edx, 8, 15);
        x.iassoc = Bits(r.edx, 16, 23);
        x.isizekb = Bits(r.edx, 24, 31);
    }

    // Leaf 0x80000006 into the first twelve fields of ext6 (EDX kept
    // aside for the level-3 cache).
    if (d.mxecpuid >= 0x80000006) {
        const CpuidRegs r = source.Query(0x80000006);
        Ext6& x = d.ext6;
        x.itlbe2 = Bits(r.eax, 0, 11);
        x.itlba2 = Bits(r.eax, 12, 15);
        x.dtlbe2 = Bits(r.eax, 16, 27);
        x.dtlba2 = Bits(r.eax, 28, 31);
        x.itlbe4 = Bits(r.ebx, 0, 11);
        x.itlba4 = Bits(r.ebx, 12, 15);
        x.dtlbe4 = Bits(r.ebx, 16, 27);
        x.dtlba4 = Bits(r.ebx, 28, 31);
        x.linsz = Bits(r.ecx, 0, 7);
        x.lines = Bits(r.ecx, 8, 11);
        x.assoc = Bits(r.ecx, 12, 15);
        x.sizekb = Bits(r.ecx, 16, 31);
        d.ext6_edx = r.edx;
    }

    // Power management.
    if (d.mxecpuid >= 0x80000007) d.powermgt = source.Query(0x80000007).edx;

    // Address sizes.
    if (d.mxecpuid >= 0x80000008) {
        const CpuidRegs r = source.Query(0x80000008);
        d.phys_bits = Bits(r.eax, 0, 7);
        d.virt_bits = Bits(r.eax, 8, 15);
        d.ext8_ebx = r.ebx;
        d.ext8_ecx = r.ecx;
    }

    // Leaf 0x80000006 again: the same ECX read with byte boundaries.
    if (d.mxecpuid >= 0x80000006) {
        const CpuidRegs r = source.Query(0x80000006);
        d.ext6.alt_sizekb = Bits(r.ecx, 24, 31);
        d.ext6.alt_assoc = Bits(r.ecx, 16, 23);
        d.ext6.alt_lines = Bits(r.ecx, 8, 15);
    }
}

// The leaves of later processors: caches, TLBs, hybrid cores, the later
// feature words, topology and the hypervisor's name.
void ReadLaterLeaves(CpuidSource& source, CpuidData& d) {
    // The later cache leaves, for processors that describe their caches
    // nowhere else.
    if (d.maxcpuid >= 4) d.leaf4 = CacheSubleaves(source, 4);
    if (d.mxecpuid >= 0x8000001D) d.leaf8000001d = CacheSubleaves(source, 0x8000001D);
    if (d.maxcpuid >= 0x18) d.leaf18 = TlbSubleaves(source);

    // Hybrid processors: the kind of core read on (the hybrid flag is leaf 7
    // EDX bit 15, below).
    if (d.maxcpuid >= 0x1A) d.leaf1a_eax = source.Query(0x1A, 0).eax;

    // The later feature words. Leaf 7 sub-leaf 0 EAX is the last sub-leaf.
    if (d.maxcpuid >= 7) {
        const CpuidRegs r = source.Query(7, 0);
        d.l7s0_ebx = r.ebx;
        d.l7s0_ecx = r.ecx;
        d.l7s0_edx = r.edx;
        if (r.eax >= 1) d.l7s1_eax = source.Query(7, 1).eax;
    }
    if (d.mxecpuid >= 0x80000021) d.ext21_eax = source.Query(0x80000021).eax;

    // Topology: the levels of leaves 0xB and 0x1F, and AMD's core and
    // thread counts.
    if (d.maxcpuid >= 0xB) d.leaf0b = TopologySubleaves(source, 0xB);
    if (d.maxcpuid >= 0x1F) d.leaf1f = TopologySubleaves(source, 0x1F);
    if (d.mxecpuid >= 0x8000001E) d.ext1e_ebx = source.Query(0x8000001E).ebx;

    // A hypervisor names itself at leaf 0x40000000 (EBX, ECX, EDX). Without
    // the leaf 1 flag that range holds nothing meaningful; a hypervisor that
    // answers with zeros is kept as absent.
    if (Has(d, cpuid_bit::kHypervisor)) {
        const CpuidRegs r = source.Query(0x40000000);
        if (r.ebx != 0 || r.ecx != 0 || r.edx != 0) {
            std::string text;
            text.reserve(12);
            AppendRegister(text, r.ebx);
            AppendRegister(text, r.ecx);
            AppendRegister(text, r.edx);
            d.hypervisor = std::move(text);
        }
    }
}

}  // namespace

CpuidData RunCpuidPass(CpuidSource& source) {
    CpuidData d;

    // Presence test, twice; the second run decides.
    d.cpuid_ok = source.HasCpuid();
    const bool has_cpuid = source.HasCpuid();

    // No CPUID: a 486 when the AC flag toggles, else a 386.
    if (!has_cpuid) {
        d.stfamily = source.Is486() ? 4 : 3;
        return d;
    }
    ReadStandardLeaves(source, d);
    ReadExtendedLeaves(source, d);
    ReadLaterLeaves(source, d);
    return d;
}

}  // namespace kest
