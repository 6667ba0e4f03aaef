// Shared helpers of the identification tests: a CpuidData cut from a leaf-1
// EAX, expected names written as UTF-8 and turned into Windows-1252, and a
// field-by-field comparison of ProcessorNames.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>

#include "cpu/cache_info.h"
#include "cpu/cpuid_data.h"
#include "ident/identify_later.h"
#include "ident/processor_names.h"

namespace kest::test {

// Vendor string and leaf 1 EAX only, as the CPUID pass would store them.
inline CpuidData Cpu(const std::string& vendor, uint32_t eax1) {
    CpuidData c;
    c.cpuid_ok = true;
    c.maxcpuid = 1;
    c.vendorst = vendor;
    c.stepping = eax1 & 0xF;
    c.st_model = (eax1 >> 4) & 0xF;
    c.stfamily = (eax1 >> 8) & 0xF;
    c.cpu_type = (eax1 >> 12) & 0x3;
    c.se_model = (eax1 >> 16) & 0xF;
    c.sefamily = (eax1 >> 20) & 0xFF;
    return c;
}

inline CacheInfo L2Of(uint32_t kb, bool l3 = false) {
    CacheInfo c;
    c.l2.level2cs = kb;
    c.l3.islevel3 = l3;
    if (l3) c.l3.level3cs = 2048;
    return c;
}

// The UTF-8 micro sign (C2 B5) becomes the single byte B5.
inline std::string Ansi(std::string s) {
    for (size_t p; (p = s.find("\xC2\xB5")) != std::string::npos;) s.replace(p, 2, "\xB5");
    return s;
}

// The expected record, written as UTF-8 in the order of the tables' columns.
struct Want {
    std::string familynote{};
    std::string procname{};
    std::string corecode{};
    uint16_t intprocn = 0;
    std::string modelrating{};
    std::string modelnote{};
    std::string platform{};
    std::string techpar1{};
    std::string techpar2{};
    std::string techpar3{};
};

inline void ExpectNames(const Want& w, const ProcessorNames& got) {
    EXPECT_EQ(Ansi(w.procname), got.procname);
    EXPECT_EQ(Ansi(w.corecode), got.corecode);
    EXPECT_EQ(Ansi(w.modelrating), got.modelrating);
    EXPECT_EQ(w.intprocn, got.intprocn);
    EXPECT_EQ(Ansi(w.familynote), got.familynote);
    EXPECT_EQ(Ansi(w.modelnote), got.modelnote);
    EXPECT_EQ(Ansi(w.platform), got.platform);
    EXPECT_EQ(Ansi(w.techpar1), got.techpar1);
    EXPECT_EQ(Ansi(w.techpar2), got.techpar2);
    EXPECT_EQ(Ansi(w.techpar3), got.techpar3);
}

inline void ExpectSameNames(const ProcessorNames& want, const ProcessorNames& got) {
    EXPECT_EQ(want.procname, got.procname);
    EXPECT_EQ(want.corecode, got.corecode);
    EXPECT_EQ(want.modelrating, got.modelrating);
    EXPECT_EQ(want.intprocn, got.intprocn);
    EXPECT_EQ(want.familynote, got.familynote);
    EXPECT_EQ(want.modelnote, got.modelnote);
    EXPECT_EQ(want.platform, got.platform);
    EXPECT_EQ(want.techpar1, got.techpar1);
    EXPECT_EQ(want.techpar2, got.techpar2);
    EXPECT_EQ(want.techpar3, got.techpar3);
}

// What a processor the name tables leave with their family header only
// gets: the header, then whatever the later rows give it.
inline ProcessorNames HeaderThenLaterRows(const CpuidData& cpu, const std::string& header) {
    ProcessorNames n;
    n.familynote = Ansi(header);
    ident::IdentifyLater(cpu, n);
    return n;
}

// One row of a table-driven test: a processor and the whole record it gets.
struct NameCase {
    const char* label = "";
    const char* vendor = "";
    uint32_t eax1 = 0;
    uint32_t l2kb = 0;
    Want want{};
    uint16_t extbrand = 0;
    bool l3 = false;
};

inline void RunNameCases(std::initializer_list<NameCase> cases) {
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.label);
        CpuidData cpu = Cpu(c.vendor, c.eax1);
        cpu.extbrand = c.extbrand;
        CacheInfo caches = L2Of(c.l2kb, c.l3);
        ExpectNames(c.want, IdentifyProcessor(cpu, caches));
    }
}

}  // namespace kest::test
