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

inline void SetLabels(WindowState& w, std::initializer_list<std::pair<const char*, std::string>> texts) {
    for (const auto& [name, text] : texts) w[name].text = text;
}

// Family 15, model 0, stepping 7; bus clock unknown, so the FSB and
// multiplier labels still hold their form texts.
inline Processor PentiumWithTraceCache() {
    Processor p;
    SetLabels(p.window, {
        {"vendor", "GenuineIntel"}, {"cpuname", "Intel Pentium 4"}, {"p_rating", ""},
        {"cspeed", "1495.20 MHz"}, {"fspeed", "fspeed"}, {"mult", "mult"},
        {"core", "Willamette"}, {"plt", "Socket 423"},
        {"cpuextname", "               Intel(R) Pentium(R) 4 CPU 1500MHz"},
        {"fam", "15"}, {"efam", "0"}, {"mdl", "0"}, {"emdl", "0"}, {"stp", "7"}, {"estp", "0"},
        {"brand", "08"}, {"ebrd", ""},
        {"Label_l1i", "L1 Trace:"}, {"l1is", "12K\xB5Ops"}, {"Label_l1d", "L1 Data:"}, {"l1ds", "8Kb"},
        {"Label_l2", "L2:"}, {"l2s", "0Kb"}, {"Label_l3", "L3:"}, {"l3s", "0Kb"},
        {"ctp", "0"}, {"apic", "0"}, {"lp", "1"}, {"fls", "8"},
        {"tech_1", "CMOS Al 0,18\xB5m"}, {"tech_2", "42M transistors"}, {"tech_3", "217mm2 die size"},
        {"serialnumber", "Not supported"},
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
// code without a text).
inline Processor AmdWithL3() {
    Processor p;
    SetLabels(p.window, {
        {"vendor", "AuthenticAMD"}, {"cpuname", "AMD Phenom"}, {"p_rating", "2600+"},
        {"cspeed", "2210.07 MHz"}, {"fspeed", "200.00 MHz"}, {"mult", "11.0"},
        {"core", "Agena"}, {"plt", "Socket AM2+"},
        {"cpuextname", "AMD Phenom(tm) 9500 Quad-Core Processor"},
        {"fam", "15"}, {"efam", "15"}, {"mdl", "2"}, {"emdl", "2"}, {"stp", "3"}, {"estp", "3"},
        {"brand", ""}, {"ebrd", "0123"},
        {"Label_l1i", "L1 Instr:"}, {"l1is", "64Kb"}, {"Label_l1d", "L1 Data:"}, {"l1ds", "64Kb"},
        {"Label_l2", "L2:"}, {"l2s", "512Kb"}, {"Label_l3", "L3:"}, {"l3s", "2048Kb"},
        {"ctp", "0"}, {"apic", "3"}, {"lp", "4"}, {"fls", "8"},
        {"tech_1", "CMOS Cu 0,065\xB5m"}, {"tech_2", "450M transistors"}, {"tech_3", "285mm2 die size"},
        {"serialnumber", "Not supported"},
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
