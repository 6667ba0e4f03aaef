// The second identification stage's rules, over whatever rows the tables
// hold: the family fallback, the tidied name and product line from the brand
// string, the hypervisor and the hybrid core notes.
#include <algorithm>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ident/identify_later.h"
#include "ident/later_table.h"
#include "ident_fixtures.h"

namespace kest::test {
namespace {

using ident::LaterMaker;

struct MakerCase {
    LaterMaker maker;
    const char* vendor;
    const char* name;  // as the fallback spells the maker
    std::span<const ident::LaterRow> rows[2];
    std::span<const ident::LaterFamily> families;
};

std::vector<MakerCase> Makers() {
    return {
        {LaterMaker::kIntel, "GenuineIntel", "Intel", {ident::IntelLaterRows(), ident::IntelServerAtomLaterRows()},
         ident::IntelLaterFamilies()},
        {LaterMaker::kAmd, "AuthenticAMD", "AMD", {ident::AmdLaterRows(), {}}, ident::AmdLaterFamilies()},
        {LaterMaker::kCentaur, "CentaurHauls", "Centaur", {ident::CentaurLaterRows(), {}},
         ident::CentaurLaterFamilies()},
        {LaterMaker::kZhaoxin, "  Shanghai  ", "Zhaoxin", {ident::ZhaoxinLaterRows(), {}},
         ident::ZhaoxinLaterFamilies()},
        {LaterMaker::kHygon, "HygonGenuine", "Hygon", {ident::HygonLaterRows(), {}}, ident::HygonLaterFamilies()},
    };
}

// Leaf 1 EAX of a display family, model and stepping. Every family the
// later stage knows folds the extended model in (Intel 6, 15 and up;
// Centaur and Zhaoxin 6 and up; AMD and Hygon 15 and up).
uint32_t LaterEax(uint16_t family, uint16_t model, uint32_t stepping) {
    const uint32_t base_family = family >= 15 ? 15 : family;
    const uint32_t ext_family = family >= 15 ? family - 15u : 0;
    return ext_family << 20 | (model >> 4u) << 16 | base_family << 8 | (model & 0xFu) << 4 | stepping;
}

// The decimal model a model note starts with ("33: Zen 3, Vermeer"), -1 if none.
int NoteModel(std::string_view note) {
    int n = 0;
    size_t i = 0;
    while (i < note.size() && note[i] >= '0' && note[i] <= '9') n = n * 10 + (note[i++] - '0');
    return i > 0 && i < note.size() && note[i] == ':' ? n : -1;
}

// The generation a model note names: "117: Zen 4, Phoenix" and "120: Zen 4 +
// Zen 4c, Phoenix 2" name "Zen 4", "8: Zen+, Pinnacle Ridge" names "Zen".
std::string NoteGeneration(std::string_view note) {
    note.remove_prefix(note.find(": ") + 2);
    note = note.substr(0, std::min(note.find(','), note.find(" + ")));
    while (!note.empty() && (note.back() == '+' || note.back() == 'c')) note.remove_suffix(1);
    return std::string(note);
}

// What a model no row names gets: its generation ("Zen 6 family"), the
// family's microarchitecture, or "<maker> family F, model 0xMM".
std::string Fallback(const MakerCase& m, const ident::LaterFamily& f, uint16_t model) {
    for (const ident::LaterGeneration& g : ident::AmdLaterGenerations())
        if (m.maker == LaterMaker::kAmd && g.family == f.family && g.model.Matches(model)) return g.microarch;
    if (f.microarch != ident::kUnset) return f.microarch;
    const bool hex = m.maker == LaterMaker::kAmd || m.maker == LaterMaker::kHygon;
    char text[64];
    if (hex)
        std::snprintf(text, sizeof text, "%s family 0x%02X, model 0x%02X", m.name, unsigned{f.family}, unsigned{model});
    else
        std::snprintf(text, sizeof text, "%s family %u, model 0x%02X", m.name, unsigned{f.family}, unsigned{model});
    return text;
}

// Rows key exact models: each names one model (or a range of them) and its
// model note starts with that model; in a family that spans generations, a
// row's model lies in the range of the generation its note names, and no
// model is in two generations.
TEST(LaterStage, RowsKeyTheModelsTheyName) {
    for (const MakerCase& m : Makers()) {
        for (const auto& rows : m.rows) {
            for (const ident::LaterRow& r : rows) {
                const std::string where = std::string(m.name) + " family " + std::to_string(r.family) + " row " +
                                          (r.corecode ? r.corecode : "") + " " + (r.modelnote ? r.modelnote : "");
                SCOPED_TRACE(where);
                ASSERT_TRUE(r.model.op == ident::Key::kEq || r.model.op == ident::Key::kRange);
                ASSERT_NE(ident::kUnset, r.modelnote);
                EXPECT_EQ(static_cast<int>(r.model.lo), NoteModel(r.modelnote));
                if (m.maker != LaterMaker::kAmd) continue;
                for (const ident::LaterGeneration& g : ident::AmdLaterGenerations()) {
                    if (g.family == r.family && g.model.Matches(r.model.lo)) {
                        EXPECT_EQ(NoteGeneration(r.modelnote) + " family", g.microarch);
                    }
                }
            }
        }
    }
    const auto gens = ident::AmdLaterGenerations();
    for (size_t i = 0; i < gens.size(); ++i) {
        for (size_t j = i + 1; j < gens.size(); ++j) {
            for (uint32_t model = 0; model <= 0xFF; ++model) {
                EXPECT_FALSE(gens[i].family == gens[j].family && gens[i].model.Matches(model) &&
                             gens[j].model.Matches(model))
                    << "family " << gens[i].family << " model " << model << " in two generations";
            }
        }
    }
}

// Every model 0x00-0xFF of every family the later stage knows, at each
// stepping a row names and one none does, without a brand string and with each brand pattern of the
// family's rows: the name comes from a row of exactly that model (its note
// starts with the model, its code name is one the model's rows give) or,
// when no row applies, from the family: the generation whose range holds
// the model, else "<maker> family F, model 0xMM", never a neighbour's name.
// Models of the tables' era (no extended family or model) take rows only.
TEST(LaterStage, EveryModelOfEveryKnownFamilyIsNamedByItsRowsOrItsFamily) {
    int swept = 0, by_row = 0, by_family = 0;
    for (const MakerCase& m : Makers()) {
        for (const ident::LaterFamily& f : m.families) {
            std::vector<const ident::LaterRow*> rows;
            std::vector<std::string> brands = {""};
            for (const auto& table : m.rows) {
                for (const ident::LaterRow& r : table) {
                    if (r.family != f.family) continue;
                    rows.push_back(&r);
                    if (r.brand == ident::kUnset) continue;
                    std::string_view patterns = r.brand;
                    for (size_t bar; (bar = patterns.find('|')) != std::string_view::npos; patterns.remove_prefix(bar + 1))
                        brands.emplace_back(patterns.substr(0, bar));
                    brands.emplace_back(patterns);
                }
            }
            // The steppings rows name, and one none names.
            std::vector<uint32_t> steppings = {0};
            for (const ident::LaterRow* r : rows)
                if (r->stepping.op != ident::Key::kAny) steppings.insert(steppings.end(), {r->stepping.lo, r->stepping.hi});
            std::sort(steppings.begin(), steppings.end());
            steppings.erase(std::unique(steppings.begin(), steppings.end()), steppings.end());
            std::sort(brands.begin(), brands.end());
            brands.erase(std::unique(brands.begin(), brands.end()), brands.end());
            for (uint16_t model = 0; model <= 0xFF; ++model) {
                std::vector<std::string> codes;  // what the model's own rows may give
                bool plain_row = false;          // a row for any stepping and brand
                for (const ident::LaterRow* r : rows) {
                    if (!r->model.Matches(model)) continue;
                    codes.emplace_back(r->corecode != ident::kUnset ? r->corecode : "");
                    plain_row = plain_row || (r->brand == ident::kUnset && r->stepping.op == ident::Key::kAny);
                }
                const bool table_era = f.family <= 15 && model < 0x10;
                for (uint32_t stepping : steppings) {
                    for (const std::string& brand : brands) {
                        CpuidData cpu = Cpu(m.vendor, LaterEax(f.family, model, stepping));
                        cpu.ext_name = brand.empty() ? brand : "Maker " + brand + " 1234";
                        ProcessorNames got;
                        ident::IdentifyLater(cpu, got);
                        ++swept;
                        if (!got.modelnote.empty()) {
                            ++by_row;
                            if (NoteModel(got.modelnote) != model ||
                                std::find(codes.begin(), codes.end(), got.corecode) == codes.end())
                                ADD_FAILURE() << m.name << " family " << f.family << " model " << model << " stepping "
                                              << stepping << " brand \"" << brand << "\": " << got.corecode << " / "
                                              << got.modelnote << " is not a row of that model";
                            continue;
                        }
                        ++by_family;
                        const std::string want = table_era ? "" : Fallback(m, f, model);
                        if (plain_row || got.corecode != want)
                            ADD_FAILURE() << m.name << " family " << f.family << " model " << model << " stepping "
                                          << stepping << " brand \"" << brand << "\": got \"" << got.corecode
                                          << "\", expected the family's \"" << want << "\"";
                        if (!table_era && f.familynote != ident::kUnset) {
                            EXPECT_EQ(std::string(f.familynote), got.familynote);
                        }
                    }
                }
            }
        }
    }
    EXPECT_GT(by_row, 0);
    EXPECT_GT(by_family, 0);
    EXPECT_EQ(swept, by_row + by_family);

    // An unknown family gets nothing; so does a model of the tables' era that
    // neither the tables nor a row name (Centaur family 6 model 11).
    CacheInfo caches = L2Of(512);
    EXPECT_TRUE(IdentifyProcessor(Cpu("HygonGenuine", 0x00F00F01), caches).corecode.empty());
    const ProcessorNames old = IdentifyProcessor(Cpu("CentaurHauls", 0x000006B1), caches);
    EXPECT_TRUE(old.corecode.empty());
    EXPECT_TRUE(old.procname.empty());
    EXPECT_EQ(0, old.intprocn);
}

// The brand string as people write the name, and the product line it names.
TEST(LaterStage, NameAndLineFromTheBrandString) {
    struct Case {
        LaterMaker maker;
        std::string brand;
        const char* procname;
        uint16_t line;
    };
    const Case cases[] = {
        {LaterMaker::kIntel, "12th Gen Intel(R) Core(TM) i5-12400", "Intel Core i5-12400", 314},
        {LaterMaker::kIntel, "Intel(R) Core(TM) i7-4500U CPU @ 1.80GHz", "Intel Core i7-4500U", 314},
        {LaterMaker::kIntel, "Intel(R) Core(TM)2 Duo CPU     E6750  @ 2.66GHz", "Intel Core2 Duo E6750", 313},
        {LaterMaker::kIntel, "Intel(R) Core(TM) i7 CPU         860  @ 2.80GHz", "Intel Core i7 860", 314},
        {LaterMaker::kIntel, "Intel(R) Core(TM) Ultra 7 155H", "Intel Core Ultra 7 155H", 315},
        {LaterMaker::kIntel, "Intel(R) Celeron(R) CPU          215  @ 1.33GHz", "Intel Celeron 215", 318},
        {LaterMaker::kIntel, "Intel(R) Pentium(R) Silver N5030 CPU @ 1.10GHz", "Intel Pentium Silver N5030", 318},
        {LaterMaker::kIntel, "Intel(R) Celeron(R) Dual-Core CPU T3000 @ 1.80GHz", "Intel Celeron Dual-Core T3000", 318},
        {LaterMaker::kIntel, "Intel(R) Pentium(R) 4 CPU 3.00GHz", "Intel Pentium 4 3.00GHz", 308},
        {LaterMaker::kIntel, "Intel(R) Core(TM) Duo CPU      T2600  @ 2.16GHz", "Intel Core Duo T2600", 312},
        {LaterMaker::kIntel, "Intel(R) Xeon(R) CPU           L5320  @ 1.86GHz", "Intel Xeon L5320", 316},
        {LaterMaker::kIntel, "Intel(R) Core(TM) 3 N355", "Intel Core 3 N355", 314},
        {LaterMaker::kAmd, "AMD Ryzen 9 5900X 12-Core Processor", "AMD Ryzen 9 5900X", 117},
        {LaterMaker::kAmd, "AMD Ryzen 7 7735HS with Radeon Graphics", "AMD Ryzen 7 7735HS", 117},
        {LaterMaker::kAmd, "AMD A4-5000 APU with Radeon(TM) HD Graphics", "AMD A4-5000 APU", 116},
        {LaterMaker::kAmd, "AMD PRO A12-8870 R7, 12 COMPUTE CORES 4C+8G", "AMD PRO A12-8870", 116},
        {LaterMaker::kAmd, "AMD A8-7600 Radeon R7, 10 Compute Cores 4C+6G", "AMD A8-7600", 116},
        {LaterMaker::kAmd, "AMD Athlon(tm) II P320 Dual-Core Processor", "AMD Athlon II P320", 114},
        {LaterMaker::kAmd, "Quad-Core AMD Opteron(tm) Processor 2344 HE", "AMD Opteron 2344 HE", 110},
        {LaterMaker::kAmd, "Dual Core AMD Opteron(tm) Processor 275", "AMD Opteron 275", 110},
        {LaterMaker::kAmd, "AMD Ryzen Threadripper PRO 3955WX 16-Cores", "AMD Ryzen Threadripper PRO 3955WX", 118},
        {LaterMaker::kAmd, "AMD Turion Dual-Core RM-70", "AMD Turion Dual-Core RM-70", 121},
        {LaterMaker::kAmd, "AMD Athlon(tm) 64 Processor 3200+", "AMD Athlon 64 3200+", 111},
        {LaterMaker::kAmd, "AMD Athlon(tm) 64 X2 Dual Core Processor 4200+", "AMD Athlon 64 X2 Dual Core 4200+", 114},
        {LaterMaker::kAmd, "AMD EPYC", "AMD EPYC", 119},
        {LaterMaker::kAmd, "AMD C-50 Processor", "AMD C-50", 116},
        {LaterMaker::kHygon, "Hygon C86 7185 32-core Processor", "Hygon C86 7185", 206},
        {LaterMaker::kCentaur, "VIA QuadCore L4700 @ 1.2+ GHz", "VIA QuadCore L4700", 204},
        {LaterMaker::kCentaur, "VIA C7 Processor 1500MHz", "VIA C7 1500MHz", 203},
        {LaterMaker::kCentaur, "ZHAOXIN KaiXian KX-6000G/4@2.6GHz", "ZHAOXIN KaiXian KX-6000G/4", 205},
        {LaterMaker::kZhaoxin, "ZHAOXIN KaiXian KX-U6780A@2.7GHz", "ZHAOXIN KaiXian KX-U6780A", 205},
        // Registers hold the text up to a zero byte; the rest is padding.
        {LaterMaker::kIntel, std::string("Genuine Intel(R) CPU\0garbage", 28), "Genuine Intel", 0},
        // The Windows-1252 registered and trade marks.
        {LaterMaker::kAmd, "AMD Phenom\xAE II X4 940 \x99", "AMD Phenom II X4 940", 115},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.brand);
        EXPECT_EQ(c.procname, ident::TidyBrand(c.brand));
        EXPECT_EQ(c.line, ident::LineFromBrand(c.maker, c.brand));
    }
}

// Leaf 1 ECX bit 31 and leaf 0x40000000: the hypervisor is named, and the
// platform says the processor is seen through it, the tables' platform kept.
TEST(LaterStage, HypervisorInThePlatform) {
    struct Case {
        std::string vendor_text;
        const char* name;
    };
    const Case cases[] = {
        {std::string("KVMKVMKVM\0\0\0", 12), "KVM"},  {"Microsoft Hv", "Hyper-V"},
        {"VMwareVMware", "VMware"},                   {"XenVMMXenVMM", "Xen"},
        {"TCGTCGTCGTCG", "QEMU TCG"},                 {"VBoxVBoxVBox", "VirtualBox"},
        {" lrpepyh  vr", "Parallels"},                {"  NewVisor  ", "NewVisor"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CpuidData p4 = Cpu("GenuineIntel", 0x00000F27);  // a Northwood: "Socket 478"
        p4.hypervisor = c.vendor_text;
        CacheInfo caches = L2Of(512);
        const ProcessorNames got = IdentifyProcessor(p4, caches);
        EXPECT_EQ(c.name, got.hypervisor);
        EXPECT_EQ(std::string("Socket 478 (virtual machine: ") + c.name + ")", got.platform);
        EXPECT_EQ((std::vector<std::string>{std::string("Socket 478 (VM: ") + c.name + ")", "Socket 478 (VM)"}),
                  PlatformShortForms(got));
        EXPECT_EQ("Northwood C1", got.corecode);
    }

    CpuidData none = Cpu("CentaurHauls", 0x00000698);  // the tables give no platform
    none.hypervisor = "KVMKVMKVM";
    CacheInfo caches = L2Of(64);
    EXPECT_EQ("virtual machine: KVM", IdentifyProcessor(none, caches).platform);
    EXPECT_EQ((std::vector<std::string>{"VM: KVM", "VM"}), PlatformShortForms(IdentifyProcessor(none, caches)));
    none.hypervisor.clear();
    EXPECT_EQ("", IdentifyProcessor(none, caches).platform);
    CpuidData host = Cpu("GenuineIntel", 0x00000F27);
    CacheInfo host_caches = L2Of(512);
    EXPECT_TRUE(PlatformShortForms(IdentifyProcessor(host, host_caches)).empty());  // "Socket 478" has no note
}

// A hybrid Intel processor's model note says which kind of core the pass
// ran on; a processor without the hybrid flag, or of another maker, gets no
// such note.
TEST(LaterStage, HybridCoreInTheModelNote) {
    auto note = [](const char* vendor, uint32_t leaf7_edx, uint32_t leaf1a_eax) {
        CpuidData cpu = Cpu(vendor, 0x000906A3);  // Alder Lake-P
        cpu.maxcpuid = 0x20;
        cpu.l7s0_edx = leaf7_edx;
        cpu.leaf1a_eax = leaf1a_eax;
        CacheInfo caches = L2Of(1280);
        return IdentifyProcessor(cpu, caches).modelnote;
    };
    const std::string plain = note("GenuineIntel", 0, 0);
    auto with = [&](const char* read_on) { return plain.empty() ? read_on : plain + " (" + read_on + ")"; };
    EXPECT_EQ(with("read on a performance core"), note("GenuineIntel", 1u << 15, 0x40000001));
    EXPECT_EQ(with("read on an efficient core"), note("GenuineIntel", 1u << 15, 0x20000001));
    EXPECT_EQ(plain, note("GenuineIntel", 0, 0x20000001));  // an Atom-only processor is not hybrid
    EXPECT_EQ(plain, note("GenuineIntel", 1u << 15, 0));
    EXPECT_EQ(note("AuthenticAMD", 0, 0), note("AuthenticAMD", 1u << 15, 0x40000001));
}

}  // namespace
}  // namespace kest::test
