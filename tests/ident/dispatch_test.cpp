// What holds for every vendor: the dispatch on the vendor string, the range
// of processors the tables name, the final L2 step, and the table texts.
#include <set>

#include "ident/name_table.h"
#include "ident_fixtures.h"

namespace kest::test {
namespace {

TEST(Dispatch, NoCpuidNamesNothing) {
    for (uint16_t family : {3, 4}) {
        CpuidData cpu;  // what the pass leaves without CPUID
        cpu.stfamily = family;
        CacheInfo c;
        c.l1.level1ic = 3;
        ExpectNames({}, IdentifyProcessor(cpu, c));
        EXPECT_TRUE(c.l1.isl1divd);  // no 486 completion either
        EXPECT_EQ(3u, c.l1.level1ic);
        EXPECT_FALSE(c.l2.islevel2);
    }
}

TEST(Dispatch, VendorStringIsExact) {
    for (const std::string& v : {std::string("genuineintel"), std::string("GenuineIntel "), std::string("GenuineInte"),
                                 std::string("AuthenticAMD\0", 13), std::string("AMDisbetter!")}) {
        CacheInfo c = L2Of(256);
        ExpectNames({}, IdentifyProcessor(Cpu(v, 0x0672), c));
    }
}

// The final step runs for every vendor, named or not, and only clears.
TEST(Dispatch, FinalL2Step) {
    struct {
        const char* vendor;
        uint32_t eax;
        uint32_t l2;
        bool islevel2;
    } const cases[] = {
        {"", 0x0000, 0, false},
        {"", 0x0000, 256, true},
        {"Unknownvendr", 0x0F27, 0, false},
        {"GenuineIntel", 0x0F27, 512, true},
        {"GenuineIntel", 0x0F27, 0, false},
        {"AuthenticAMD", 0x0681, 256, true},
        {"CentaurHauls", 0x0698, 64, true},
        {"GenuineIntel", 0x0543, 256, false},  // a Pentium MMX row says no L2
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(std::string(t.vendor) + " " + std::to_string(t.eax));
        CacheInfo c = L2Of(t.l2);
        IdentifyProcessor(Cpu(t.vendor, t.eax), c);
        EXPECT_EQ(t.islevel2, c.l2.islevel2);
    }
}

// The tables describe processors with extended family and model 0: those
// keep every field the tables give. A later processor that reuses the base
// numbers of a table row never gets that row's name or code name, whatever
// the later rows make of it.
TEST(Dispatch, ExtendedFamilyOrModelNeverGetsTheTablesName) {
    RunNameCases({
        {"Intel 6/5 extended model 0 is a Deschutes", "GenuineIntel", 0x00000652, 512,
         {"6: P6 Processors Family", "Intel Pentium-II Processor", "Deschutes", 305, "", "", "Slot 1", "CMOS 0,25µm", "7.5M",
          "131 sqr. mm"}},
        {"AMD 15 same values, extended model 0", "AuthenticAMD", 0x00000FF0, 512,
         {"F: AMD 64-bit Processor Family", "AMD Athlon64(tm) Processor", "NewCastle (rev. CG)", 111, "3200+", "F: Athlon 64",
          "Socket 939", "CMOS Cu 0,13µm SOI", "105.9M", "144 sqr. mm"},
         0x10A},
    });

    struct Later {
        const char* label;
        const char* vendor;
        uint32_t eax1;
        uint32_t l2kb;
        uint16_t extbrand = 0;
    };
    const Later cases[] = {
        {"Intel 6/5 extended model 5", "GenuineIntel", 0x00050652, 512},
        {"Intel 6/7 extended model 9 (Alder Lake)", "GenuineIntel", 0x00090672, 1280},
        {"Intel 15/2 with an extended family", "GenuineIntel", 0x00100F27, 512},
        {"AMD 15 extended family 10, model 4", "AuthenticAMD", 0x00A00F48, 512},
        {"AMD 15 extended model 2 (later Athlon 64)", "AuthenticAMD", 0x00020FF0, 512, 0x10A},
        {"Centaur 6/9 extended model 1", "CentaurHauls", 0x00010692, 64},
    };
    for (const Later& c : cases) {
        SCOPED_TRACE(c.label);
        CpuidData twin = Cpu(c.vendor, c.eax1 & 0x0000FFFFu);  // the same base numbers, extended fields 0
        twin.extbrand = c.extbrand;
        CacheInfo twin_caches = L2Of(c.l2kb);
        const ProcessorNames old = IdentifyProcessor(twin, twin_caches);
        ASSERT_FALSE(old.corecode.empty()) << "the tables name the twin";

        CpuidData cpu = Cpu(c.vendor, c.eax1);
        cpu.extbrand = c.extbrand;
        CacheInfo caches = L2Of(c.l2kb);
        const ProcessorNames got = IdentifyProcessor(cpu, caches);
        EXPECT_NE(old.corecode, got.corecode);
        EXPECT_NE(old.procname, got.procname);
        EXPECT_TRUE(got.modelrating.empty());
        EXPECT_FALSE(got.familynote.empty());  // the family header is kept or replaced, never lost
    }
}

TEST(Dispatch, ExtendedModelGetsNoCacheCompletion) {
    CacheInfo c;
    c.l2.level2cs = 0;
    IdentifyProcessor(Cpu("GenuineIntel", 0x00010435), c);
    EXPECT_TRUE(c.l1.isl1divd);
    EXPECT_EQ(0u, c.l1.level1ic);

    c = L2Of(512);
    IdentifyProcessor(Cpu("GenuineIntel", 0x00010543), c);  // would be "no L2" otherwise
    EXPECT_TRUE(c.l2.islevel2);
    EXPECT_EQ(0u, c.l1.level1ic);
}

// Every vendor string is the twelve bytes of leaf 0, and each is distinct.
TEST(NameTables, VendorStrings) {
    std::set<std::string_view> seen;
    for (const ident::VendorTree& t : ident::VendorTrees()) {
        EXPECT_EQ(12u, t.vendor.size()) << t.vendor;
        EXPECT_TRUE(seen.insert(t.vendor).second) << t.vendor;
        EXPECT_FALSE(t.rows().empty()) << t.vendor;
    }
    EXPECT_EQ(10u, seen.size());
}

// Texts are Windows-1252: the only byte above 0x7F is the micro sign, and it
// always reads "µm". A UTF-8 "µ" (C2 B5) or a hex escape that swallowed the
// next letter would show here.
TEST(NameTables, TextsAreWindows1252) {
    size_t micro = 0;
    auto check = [&micro](const char* text) {
        if (text == nullptr) return;
        const std::string_view s(text);
        for (size_t i = 0; i < s.size(); ++i) {
            const auto b = static_cast<unsigned char>(s[i]);
            if (b < 0x20 || b == 0x7F) ADD_FAILURE() << "control byte in " << s;
            if (b < 0x80) continue;
            ASSERT_EQ(0xB5, b) << s;
            ASSERT_LT(i + 1, s.size()) << s;
            EXPECT_EQ('m', s[i + 1]) << s;
            EXPECT_TRUE(i >= 1 && (s[i - 1] >= '0' && s[i - 1] <= '9')) << s;
            ++micro;
        }
        EXPECT_EQ(s.find("  "), std::string_view::npos) << s;
    };
    for (const ident::VendorTree& t : ident::VendorTrees()) {
        for (const ident::NameRow& r : t.rows()) {
            for (const char* text : {r.familynote, r.procname, r.corecode, r.modelnote, r.platform, r.techpar1, r.techpar2,
                                     r.techpar3})
                check(text);
            for (const ident::SteppingText& st : r.by_stepping.cases) check(st.text);
        }
    }
    for (const ident::BrandRow& b : ident::AmdBrandRows()) {
        check(b.prefix);
        check(b.suffix);
        check(b.platform);
    }
    EXPECT_GT(micro, 50u);
}

}  // namespace
}  // namespace kest::test
