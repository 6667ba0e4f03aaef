// Two whole processors as the window shows them, for the report tests:
// a Pentium 4 with a trace cache and no L2/L3 description, and an AMD
// processor with L2 and L3. The label texts are written out by hand from
// what the window puts into each label.
#pragma once

#include <string>

#include "report/report.h"
#include "view/feature_names.h"

namespace kest::test {

struct Processor {
    WindowState window;
    CpuidData cpu;
    CacheInfo caches;
    uint16_t intprocn = 0;
    std::string memtestr = "000000000000000000000000";

    ReportInputs Inputs() const {
        ReportInputs in;
        in.window = &window;
        in.cpu = &cpu;
        in.caches = &caches;
        in.intprocn = intprocn;
        in.std1_names = &StandardPage1Names();
        in.std2_names = &StandardPage2Names();
        in.ext_names = &ExtendedNames();
        in.memtestr = memtestr;
        in.date = "15/01/2024";
        in.time = "13:45:07";
        return in;
    }
};

inline void SetLabels(WindowState& w, std::initializer_list<std::pair<ControlName, std::string>> texts) {
    for (const auto& [name, text] : texts) w[name].text = text;
}

// Family 15, model 0, stepping 7; bus clock unknown, so the FSB and
// multiplier labels still hold their form texts.
inline Processor PentiumWithTraceCache() {
    Processor p;
    SetLabels(p.window, {
        {ctl::kVendor, "GenuineIntel"}, {ctl::kCpuname, "Intel Pentium 4"}, {ctl::kPRating, ""},
        {ctl::kCspeed, "1495.20 MHz"}, {ctl::kFspeed, "fspeed"}, {ctl::kMult, "mult"},
        {ctl::kCore, "Willamette"}, {ctl::kPlt, "Socket 423"},
        {ctl::kCpuextname, "               Intel(R) Pentium(R) 4 CPU 1500MHz"},
        {ctl::kFam, "15"}, {ctl::kEfam, "0"}, {ctl::kMdl, "0"}, {ctl::kEmdl, "0"}, {ctl::kStp, "7"}, {ctl::kEstp, "0"},
        {ctl::kBrand, "08"}, {ctl::kEbrd, ""},
        {ctl::kLabelL1i, "L1 Trace:"}, {ctl::kL1is, "12K\xB5Ops"}, {ctl::kLabelL1d, "L1 Data:"}, {ctl::kL1ds, "8Kb"},
        {ctl::kLabelL2, "L2:"}, {ctl::kL2s, "0Kb"}, {ctl::kLabelL3, "L3:"}, {ctl::kL3s, "0Kb"},
        {ctl::kCtp, "0"}, {ctl::kApic, "0"}, {ctl::kLp, "1"}, {ctl::kFls, "8"},
        {ctl::kTech1, "CMOS Al 0,18\xB5m"}, {ctl::kTech2, "42M transistors"}, {ctl::kTech3, "217mm2 die size"},
        {ctl::kSerialnumber, "Not supported"},
    });
    CpuidData& c = p.cpu;
    c.cpuid_ok = true;
    c.maxcpuid = 2;
    c.vendorst = "GenuineIntel";
    c.stfamily = 15;
    c.st_model = 0;
    c.stepping = 7;
    c.brand_id = 8;
    c.logprocc = 1;
    c.clflushs = 8;
    c.featurs1 = 0x3FEBFBFF;
    c.mxecpuid = 0x80000004;
    c.ext_name = std::string("               Intel(R) Pentium(R) 4 CPU 1500MHz");
    c.ext_name.resize(48, '\0');  // the brand string keeps its zero bytes
    CacheL1& l1 = p.caches.l1;
    l1.l1itlba4 = 255, l1.l1itlbe4 = 64, l1.l1itlba2 = 255, l1.l1itlbe2 = 64;
    l1.l1dtlba4 = 255, l1.l1dtlbe4 = 64, l1.l1dtlba2 = 255, l1.l1dtlbe2 = 64;
    l1.level1ic = 12, l1.l1iassoc = 8, l1.l1ilinsz = 6, l1.l1ilines = 0, l1.l1ctrace = true;
    l1.level1dc = 8, l1.l1dassoc = 4, l1.l1dlinsz = 64, l1.l1dlines = 1;
    p.caches.l2 = CacheL2{};
    p.caches.l2.islevel2 = false;
    p.caches.l3 = CacheL3{};
    p.intprocn = 308;
    return p;
}

// Family 15, model 2, stepping 3, with L2 and L3 (the L3 associativity is a
// way count outside the old codes: it reads "6-way").
inline Processor AmdWithL3() {
    Processor p;
    SetLabels(p.window, {
        {ctl::kVendor, "AuthenticAMD"}, {ctl::kCpuname, "AMD Phenom"}, {ctl::kPRating, "2600+"},
        {ctl::kCspeed, "2210.07 MHz"}, {ctl::kFspeed, "200.00 MHz"}, {ctl::kMult, "11.0"},
        {ctl::kCore, "Agena"}, {ctl::kPlt, "Socket AM2+"},
        {ctl::kCpuextname, "AMD Phenom(tm) 9500 Quad-Core Processor"},
        {ctl::kFam, "15"}, {ctl::kEfam, "15"}, {ctl::kMdl, "2"}, {ctl::kEmdl, "2"}, {ctl::kStp, "3"}, {ctl::kEstp, "3"},
        {ctl::kBrand, ""}, {ctl::kEbrd, "0123"},
        {ctl::kLabelL1i, "L1 Instr:"}, {ctl::kL1is, "64Kb"}, {ctl::kLabelL1d, "L1 Data:"}, {ctl::kL1ds, "64Kb"},
        {ctl::kLabelL2, "L2:"}, {ctl::kL2s, "512Kb"}, {ctl::kLabelL3, "L3:"}, {ctl::kL3s, "2048Kb"},
        {ctl::kCtp, "0"}, {ctl::kApic, "3"}, {ctl::kLp, "4"}, {ctl::kFls, "8"},
        {ctl::kTech1, "CMOS Cu 0,065\xB5m"}, {ctl::kTech2, "450M transistors"}, {ctl::kTech3, "285mm2 die size"},
        {ctl::kSerialnumber, "Not supported"},
    });
    CpuidData& c = p.cpu;
    c.cpuid_ok = true;
    c.maxcpuid = 5;
    c.vendorst = "AuthenticAMD";
    c.stfamily = 15, c.st_model = 2, c.stepping = 3;
    c.sefamily = 1;
    c.apic__id = 3, c.logprocc = 4, c.clflushs = 8;
    c.featurs1 = 0x178BFBFF;
    c.featurs2 = 0x00802009;
    c.mxecpuid = 0x8000001B;
    c.exfamily = 15, c.ex_model = 2, c.ext_step = 3;
    c.extbrand = 0x123;
    c.feature1 = 0xEFD3FBFF;
    c.ext_name = "AMD Phenom(tm) 9500 Quad-Core Processor";
    c.ext_name.resize(48, '\0');
    CacheL1& l1 = p.caches.l1;
    l1.l1itlba4 = 255, l1.l1itlbe4 = 32, l1.l1itlba2 = 255, l1.l1itlbe2 = 16;
    l1.l1dtlba4 = 255, l1.l1dtlbe4 = 48, l1.l1dtlba2 = 255, l1.l1dtlbe2 = 48;
    l1.level1ic = 64, l1.l1iassoc = 2, l1.l1ilinsz = 64, l1.l1ilines = 1;
    l1.level1dc = 64, l1.l1dassoc = 2, l1.l1dlinsz = 64, l1.l1dlines = 1;
    CacheL2& l2 = p.caches.l2;
    l2.islevel2 = true;
    l2.l2itlba4 = 4, l2.l2itlbe4 = 512, l2.l2itlba2 = 0, l2.l2itlbe2 = 0;
    l2.l2dtlba4 = 4, l2.l2dtlbe4 = 512, l2.l2dtlba2 = 2, l2.l2dtlbe2 = 128;
    l2.level2cs = 512, l2.l2cassoc = 16, l2.l2clinsz = 64, l2.l2clines = 1;
    CacheL3& l3 = p.caches.l3;
    l3.islevel3 = true, l3.level3cs = 2048, l3.l3cassoc = 6, l3.l3clinsz = 64, l3.l3sector = 1;
    p.intprocn = 113;
    p.memtestr = "0001A2B3000123450000FFFF";
    return p;
}

}  // namespace kest::test
