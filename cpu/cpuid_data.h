// Raw record of the start-up CPUID pass. Holds what the registers returned,
// cut into fields; nothing here is interpreted.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kest {

// One CPUID result, in register order.
struct CpuidRegs {
    uint32_t eax = 0, ebx = 0, ecx = 0, edx = 0;
    bool operator==(const CpuidRegs&) const = default;
};

// Leaf 0x80000005: L1 caches and TLBs, one byte of a register per field.
struct Ext5 {
    uint16_t itlbe2 = 0, itlba2 = 0, dtlbe2 = 0, dtlba2 = 0;
    uint16_t itlbe4 = 0, itlba4 = 0, dtlbe4 = 0, dtlba4 = 0;
    uint16_t dlinsz = 0, dlines = 0, dassoc = 0, dsizekb = 0;
    uint16_t ilinsz = 0, ilines = 0, iassoc = 0, isizekb = 0;
};

// Leaf 0x80000006: L2 cache and TLBs. The alt_* fields read the same ECX
// with byte boundaries (processors that put the size in the top byte).
struct Ext6 {
    uint16_t itlbe2 = 0, itlba2 = 0, dtlbe2 = 0, dtlba2 = 0;
    uint16_t itlbe4 = 0, itlba4 = 0, dtlbe4 = 0, dtlba4 = 0;
    uint16_t linsz = 0, lines = 0, assoc = 0, sizekb = 0;
    uint16_t alt_sizekb = 0, alt_assoc = 0, alt_lines = 0;
};

struct CpuidData {
    bool cpuid_ok = false;

    // leaf 0
    uint32_t maxcpuid = 0;
    std::string vendorst;  // 12 bytes when set, zero bytes kept

    // leaf 1
    std::string signature;  // EAX as 8 upper-case hex digits
    uint16_t stepping = 0, st_model = 0, stfamily = 0, cpu_type = 0;
    uint16_t se_model = 0, sefamily = 0;
    uint16_t brand_id = 0, clflushs = 0, logprocc = 0, apic__id = 0;
    uint32_t featurs2 = 0;  // ECX
    uint32_t featurs1 = 0;  // EDX

    // leaf 2: AL first, then the other 15 descriptor bytes
    std::array<uint16_t, 16> descriptors{};

    // leaf 3
    uint32_t serial_ebx = 0, serial_ecx = 0, serial_edx = 0;

    // leaf 0x80000000
    uint32_t mxecpuid = 0;
    std::string ext_vendor;

    // leaf 0x80000001
    uint16_t ext_step = 0, ex_model = 0, exfamily = 0, ex_emodel = 0, ex_efamily = 0;
    uint16_t extbrand = 0;
    uint32_t feature1 = 0;

    // leaves 0x80000002-4: 48 bytes, leading blanks and trailing zeros kept
    std::string ext_name;

    Ext5 ext5;
    Ext6 ext6;

    uint32_t powermgt = 0;  // 0x80000007 EDX
    uint16_t phys_bits = 0, virt_bits = 0;  // 0x80000008 EAX

    // Later cache leaves, kept raw for the cache decoding of processors that
    // describe their caches only there. Each list ends before the first
    // sub-leaf whose type field (EAX bits 0-4) is 0.
    std::vector<CpuidRegs> leaf4;       // deterministic cache parameters (Intel, VIA, Zhaoxin)
    std::vector<CpuidRegs> leaf8000001d;  // cache topology (AMD, Hygon)
    // Leaf 0x18, deterministic address translation parameters (Intel's
    // TLBs when leaf 2 gives descriptor 0xFE): sub-leaves 0 to the maximum
    // sub-leaf of EAX of sub-leaf 0, invalid ones (type 0) included.
    std::vector<CpuidRegs> leaf18;
    uint32_t ext6_edx = 0;              // 0x80000006 EDX: L3 on AMD

    // Leaves read for naming processors after 2004.
    uint32_t leaf1a_eax = 0;  // leaf 0x1A EAX; bits 24-31: the kind of core the pass ran on
    // Leaf 0x40000000 EBX, ECX, EDX (12 bytes, zeros kept) when leaf 1 ECX
    // bit 31 says a hypervisor is present; empty otherwise.
    std::string hypervisor;

    // The later feature words, each read only when the maximum leaves admit
    // its leaf (zero otherwise).
    uint32_t ext1_ecx = 0;   // 0x80000001 ECX
    uint32_t l7s0_ebx = 0;   // leaf 7 sub-leaf 0 EBX
    uint32_t l7s0_ecx = 0;   // leaf 7 sub-leaf 0 ECX
    uint32_t l7s0_edx = 0;   // leaf 7 sub-leaf 0 EDX; bit 15: hybrid processor
    uint32_t l7s1_eax = 0;   // leaf 7 sub-leaf 1 EAX, when leaf 7.0 EAX (its last sub-leaf) admits it
    uint32_t ext8_ebx = 0;   // 0x80000008 EBX
    uint32_t ext21_eax = 0;  // 0x80000021 EAX

    // Topology leaves, raw: 0xB and 0x1F up to the first sub-leaf whose level
    // type (ECX bits 8-15) is 0; 0x80000008 ECX; 0x8000001E EBX.
    std::vector<CpuidRegs> leaf0b;
    std::vector<CpuidRegs> leaf1f;
    uint32_t ext8_ecx = 0;
    uint32_t ext1e_ebx = 0;
};

}  // namespace kest
