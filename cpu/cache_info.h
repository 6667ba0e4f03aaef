// Decoded caches and TLBs of levels 1 to 3. Field names are the database keys.
#pragma once

#include <cstdint>

#include "cpu/cpuid_data.h"

namespace kest {

struct CacheL1 {
    bool isl1divd = true;
    uint16_t l1itlba4 = 0, l1itlba2 = 0, l1itlbe4 = 0, l1itlbe2 = 0;
    uint16_t l1dtlba4 = 0, l1dtlba2 = 0, l1dtlbe4 = 0, l1dtlbe2 = 0;
    uint32_t level1ic = 0;
    uint16_t l1iassoc = 0, l1ilinsz = 0, l1ilines = 0;
    bool l1ctrace = false;
    uint32_t level1dc = 0;
    uint16_t l1dassoc = 0, l1dlinsz = 0, l1dlines = 0;
    // Data TLB entries for 1 GB pages (leaf 0x18 only). Not a database key:
    // the record has no field for it; the JSON output carries it.
    uint16_t l1dtlbe1g = 0;
};

struct CacheL2 {
    bool islevel2 = true;
    uint16_t l2itlba4 = 0, l2itlba2 = 0, l2itlbe4 = 0, l2itlbe2 = 0;
    uint16_t l2dtlba4 = 0, l2dtlba2 = 0, l2dtlbe4 = 0, l2dtlbe2 = 0;
    uint32_t level2cs = 0;
    uint16_t l2cassoc = 0, l2clinsz = 0, l2clines = 0;
    // Second-level TLB entries for 1 GB pages (leaf 0x18 only; JSON only,
    // like l1dtlbe1g).
    uint16_t l2tlbe1g = 0;
};

struct CacheL3 {
    uint32_t level3cs = 0;
    uint16_t l3cassoc = 0, l3clinsz = 0, l3sector = 0;
    bool islevel3 = false;
};

// Sizes in KB (a trace cache: thousands of micro-ops); ways 1 = direct
// mapped, 255 = fully associative, 0 = none. Sizes are 32-bit: current L3
// caches exceed 65535 KB.
struct CacheInfo {
    CacheL1 l1;
    CacheL2 l2;
    CacheL3 l3;
};

// The start-up cache decoding: leaf-2 descriptors or extended leaves
// 0x80000005/6, then any level still unknown from leaf 4, leaf 0x8000001D
// or 0x80000006 EDX. Leaf-2 descriptor 0xFE sends the TLBs to leaf 0x18.
CacheInfo DecodeCaches(const CpuidData& cpu);

}  // namespace kest
