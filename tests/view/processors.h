// Whole processors as the start-up records would hold them, built by hand.
#pragma once

#include <string>

#include "cpu/cache_info.h"
#include "cpu/cpuid_data.h"
#include "dmi/dmi.h"
#include "ident/processor_names.h"

namespace kest::test {

struct Processor {
    CpuidData cpu;
    CacheInfo caches;
    ProcessorNames names;
};

// A brand string padded with zero bytes to 48 characters.
inline std::string Brand48(const std::string& s) {
    std::string r = s;
    r.resize(48, '\0');
    return r;
}

// Pentium 4 (Northwood, 3.06 GHz) with Hyper-Threading: trace cache, two
// logical processors, extended leaves up to 0x80000004.
inline Processor Pentium4HT() {
    Processor p;
    CpuidData& c = p.cpu;
    c.cpuid_ok = true;
    c.maxcpuid = 2;
    c.vendorst = "GenuineIntel";
    c.signature = "00000F29";
    c.stfamily = 15; c.st_model = 2; c.stepping = 9;
    c.brand_id = 9; c.clflushs = 8; c.logprocc = 2; c.apic__id = 0;
    c.featurs1 = 0xBFEBFBFF;  // HT, CLFLUSH, SSE2; no serial number
    c.featurs2 = 0x00004400;
    c.mxecpuid = 0x80000004;
    c.ext_name = Brand48("              Intel(R) Pentium(R) 4 CPU 3.06GHz");
    CacheInfo& k = p.caches;
    k.l1.l1ctrace = true;
    k.l1.level1ic = 12; k.l1.l1iassoc = 8; k.l1.l1ilinsz = 6;
    k.l1.level1dc = 8; k.l1.l1dassoc = 4; k.l1.l1dlinsz = 64;
    k.l1.l1itlba4 = 255; k.l1.l1itlbe4 = 64; k.l1.l1itlba2 = 255; k.l1.l1itlbe2 = 64;
    k.l1.l1dtlba4 = 255; k.l1.l1dtlbe4 = 64; k.l1.l1dtlba2 = 255; k.l1.l1dtlbe2 = 64;
    k.l2.level2cs = 512; k.l2.l2cassoc = 8; k.l2.l2clinsz = 64;
    ProcessorNames& n = p.names;
    n.procname = "Intel Pentium 4 Processor";
    n.corecode = "Northwood";
    n.intprocn = 308;
    n.platform = "Socket 478";
    n.techpar1 = "CMOS Cu 0,13\xB5m";
    n.techpar2 = "55M";
    n.techpar3 = "131 sqr. mm";
    n.familynote = "15: Intel Pentium 4 Family";
    n.modelnote = "2: Northwood";
    return p;
}

// Athlon XP 2200+ (Thoroughbred): 256 KB L2, 3DNow!, extended leaves to 0x80000008.
inline Processor AthlonXP() {
    Processor p;
    CpuidData& c = p.cpu;
    c.cpuid_ok = true;
    c.maxcpuid = 1;
    c.vendorst = "AuthenticAMD";
    c.signature = "00000681";
    c.stfamily = 6; c.st_model = 8; c.stepping = 1;
    c.featurs1 = 0x0383FBFF;  // APIC, MMX, SSE; no CLFLUSH, no serial number
    c.mxecpuid = 0x80000008;
    c.ext_step = 1; c.ex_model = 8; c.exfamily = 7;
    c.extbrand = 0x123;
    c.feature1 = 0xC1C3FBFF;  // Ext. MMX, 3DNow!, 3DNow! Plus
    c.ext_name = Brand48("AMD Athlon(tm) XP 2200+");
    c.powermgt = 0x1;  // temperature sensor
    c.phys_bits = 34; c.virt_bits = 32;
    CacheInfo& k = p.caches;
    k.l1.level1ic = 64; k.l1.l1iassoc = 2; k.l1.l1ilinsz = 64; k.l1.l1ilines = 1;
    k.l1.level1dc = 64; k.l1.l1dassoc = 2; k.l1.l1dlinsz = 64; k.l1.l1dlines = 1;
    k.l1.l1itlba4 = 255; k.l1.l1itlbe4 = 16; k.l1.l1itlba2 = 255; k.l1.l1itlbe2 = 8;
    k.l1.l1dtlba4 = 255; k.l1.l1dtlbe4 = 24; k.l1.l1dtlba2 = 255; k.l1.l1dtlbe2 = 8;
    k.l2.level2cs = 256; k.l2.l2cassoc = 16; k.l2.l2clinsz = 64; k.l2.l2clines = 1;
    k.l2.l2itlba4 = 4; k.l2.l2itlbe4 = 256; k.l2.l2dtlba4 = 4; k.l2.l2dtlbe4 = 256;
    ProcessorNames& n = p.names;
    n.procname = "AMD Athlon XP";
    n.corecode = "Thoroughbred";
    n.intprocn = 109;
    n.platform = "Socket A";
    n.techpar1 = "CMOS Cu 0,13\xB5m";
    n.techpar2 = "37.6M";
    n.techpar3 = "84.7 sqr. mm";
    n.familynote = "6: AMD Athlon Family";
    n.modelnote = "8: Thoroughbred";
    return p;
}

// Pentium III (Coppermine) with the serial number switched off in the BIOS;
// no extended leaves.
inline Processor PentiumIIISerialOff() {
    Processor p;
    CpuidData& c = p.cpu;
    c.cpuid_ok = true;
    c.maxcpuid = 3;
    c.vendorst = "GenuineIntel";
    c.signature = "00000683";
    c.stfamily = 6; c.st_model = 8; c.stepping = 3;
    c.brand_id = 2;
    c.featurs1 = 0x0383F9FF;  // bit 18 clear
    c.mxecpuid = 0;
    CacheInfo& k = p.caches;
    k.l1.level1ic = 16; k.l1.l1iassoc = 4; k.l1.l1ilinsz = 32;
    k.l1.level1dc = 16; k.l1.l1dassoc = 4; k.l1.l1dlinsz = 32;
    k.l1.l1itlba4 = 4; k.l1.l1itlbe4 = 32; k.l1.l1itlba2 = 255; k.l1.l1itlbe2 = 2;
    k.l1.l1dtlba4 = 4; k.l1.l1dtlbe4 = 64; k.l1.l1dtlba2 = 4; k.l1.l1dtlbe2 = 8;
    k.l2.level2cs = 256; k.l2.l2cassoc = 8; k.l2.l2clinsz = 32;
    ProcessorNames& n = p.names;
    n.procname = "Intel Pentium III Processor";
    n.corecode = "Coppermine";
    n.intprocn = 307;
    n.platform = "Socket 370";
    n.techpar1 = "CMOS 0,18\xB5m";
    n.techpar2 = "28.1M";
    n.techpar3 = "106 sqr. mm";
    return p;
}

// Pentium MMX: CPUID with only leaf 1, no extended leaves, no L2 on chip.
inline Processor PentiumMMX() {
    Processor p;
    CpuidData& c = p.cpu;
    c.cpuid_ok = true;
    c.maxcpuid = 1;
    c.vendorst = "GenuineIntel";
    c.signature = "00000543";
    c.stfamily = 5; c.st_model = 4; c.stepping = 3;
    c.featurs1 = 0x008001BF;
    c.mxecpuid = 0;
    p.caches.l1.level1ic = 16; p.caches.l1.level1dc = 16;
    p.caches.l2.islevel2 = false;
    p.names.procname = "Intel Pentium MMX Processor";
    p.names.corecode = "P55C";
    p.names.intprocn = 303;
    return p;
}

// This machine, as a record: an AMD EPYC (Zen 3) with an L3 cache.
inline Processor ThisMachineEpyc() {
    Processor p;
    CpuidData& c = p.cpu;
    c.cpuid_ok = true;
    c.maxcpuid = 0x10;
    c.vendorst = "AuthenticAMD";
    c.signature = "00A00F11";
    c.stfamily = 15; c.st_model = 1; c.stepping = 1; c.se_model = 0; c.sefamily = 0xA;
    c.clflushs = 8; c.logprocc = 2; c.apic__id = 0;
    c.featurs1 = 0x178BFBFF;
    c.featurs2 = 0xFEDA3203;
    c.mxecpuid = 0x80000023;
    c.ext_step = 1; c.ex_model = 1; c.exfamily = 15;
    c.feature1 = 0x2FD3FBFF;
    c.ext_name = Brand48("AMD EPYC 7B13");
    c.powermgt = 0x00000100;
    c.phys_bits = 48; c.virt_bits = 48;
    CacheInfo& k = p.caches;
    k.l1.level1ic = 32; k.l1.l1iassoc = 8; k.l1.l1ilinsz = 64; k.l1.l1ilines = 1;
    k.l1.level1dc = 32; k.l1.l1dassoc = 8; k.l1.l1dlinsz = 64; k.l1.l1dlines = 1;
    k.l1.l1itlba4 = 255; k.l1.l1itlbe4 = 64; k.l1.l1itlba2 = 255; k.l1.l1itlbe2 = 64;
    k.l1.l1dtlba4 = 255; k.l1.l1dtlbe4 = 64; k.l1.l1dtlba2 = 255; k.l1.l1dtlbe2 = 64;
    k.l2.level2cs = 512; k.l2.l2cassoc = 8; k.l2.l2clinsz = 64; k.l2.l2clines = 1;
    k.l3.islevel3 = true; k.l3.level3cs = 32768; k.l3.l3cassoc = 16; k.l3.l3clinsz = 64;
    p.names.procname = "AMD EPYC";
    p.names.corecode = "Milan";
    p.names.intprocn = 113;
    return p;
}

}  // namespace kest::test
