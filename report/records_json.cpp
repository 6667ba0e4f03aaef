// Each record's JSON comes from one list of its fields, in output order
// (KEST_JSON_RECORD below): a new field is one more name in its list. How a
// value is written follows from its type.

#include "report/records_json.h"

#include <type_traits>

#include "cpu/format.h"
#include "cpu/instruction_sets.h"
#include "report/report.h"

namespace kest {

// Record texts are Windows-1252; JSON carries UTF-8. A text ends at its
// first zero byte and carries no control bytes, as in the reports; the five
// bytes Windows-1252 leaves unassigned would become C1 control characters
// and are blanks too.
std::string Utf8Text(const std::string& s) {
    std::string text = PlainText(s);
    for (char& ch : text)
        if (ch == '\x81' || ch == '\x8D' || ch == '\x8F' || ch == '\x90' || ch == '\x9D') ch = ' ';
    return Cp1252ToUtf8(text);
}

namespace {

template <class T>
struct IsVector : std::false_type {};
template <class T>
struct IsVector<std::vector<T>> : std::true_type {};

}  // namespace

nlohmann::ordered_json ToJson(const CpuidRegs& r) { return {r.eax, r.ebx, r.ecx, r.edx}; }

// One field: texts as UTF-8, records and lists of records through their own
// writers, numbers, flags and arrays of numbers as they are.
template <class T>
void Put(nlohmann::ordered_json& j, const char* name, const T& v) {
    if constexpr (std::is_same_v<T, std::string>) {
        j[name] = Utf8Text(v);
    } else if constexpr (IsVector<T>::value) {
        auto a = nlohmann::ordered_json::array();
        for (const auto& e : v) a.push_back(ToJson(e));
        j[name] = std::move(a);
    } else if constexpr (std::is_class_v<T> && !std::is_same_v<T, std::array<uint16_t, 16>>) {
        j[name] = ToJson(v);
    } else {
        j[name] = v;
    }
}

#define KEST_JSON_PUT(field) Put(j, #field, r.field);
#define KEST_JSON_RECORD(Type, ...)                                          \
    nlohmann::ordered_json ToJson(const Type& r) {                           \
        nlohmann::ordered_json j;                                            \
        NLOHMANN_JSON_EXPAND(NLOHMANN_JSON_PASTE(KEST_JSON_PUT, __VA_ARGS__)) \
        return j;                                                            \
    }

KEST_JSON_RECORD(Ext5, itlbe2, itlba2, dtlbe2, dtlba2, itlbe4, itlba4, dtlbe4, dtlba4, dlinsz, dlines, dassoc,
                 dsizekb, ilinsz, ilines, iassoc, isizekb)
KEST_JSON_RECORD(Ext6, itlbe2, itlba2, dtlbe2, dtlba2, itlbe4, itlba4, dtlbe4, dtlba4, linsz, lines, assoc, sizekb,
                 alt_sizekb, alt_assoc, alt_lines)
KEST_JSON_RECORD(CpuidData, cpuid_ok, maxcpuid, vendorst, signature, stepping, st_model, stfamily, cpu_type, se_model,
                 sefamily, brand_id, clflushs, logprocc, apic__id, featurs2, featurs1, descriptors, serial_ebx,
                 serial_ecx, serial_edx, mxecpuid, ext_vendor, ext_step, ex_model, exfamily, ex_emodel, ex_efamily,
                 extbrand, feature1, ext_name, ext5, ext6, powermgt, phys_bits, virt_bits, leaf4, leaf8000001d, leaf18,
                 ext6_edx, leaf1a_eax, hypervisor, ext1_ecx, l7s0_ebx, l7s0_ecx, l7s0_edx, l7s1_eax,
                 ext8_ebx, ext21_eax, leaf0b, leaf1f, ext8_ecx, ext1e_ebx)

// The three cache levels in one flat object.
KEST_JSON_RECORD(CacheL1, isl1divd, l1itlba4, l1itlba2, l1itlbe4, l1itlbe2, l1dtlba4, l1dtlba2, l1dtlbe4, l1dtlbe2,
                 l1dtlbe1g, level1ic, l1iassoc, l1ilinsz, l1ilines, l1ctrace, level1dc, l1dassoc, l1dlinsz, l1dlines)
KEST_JSON_RECORD(CacheL2, islevel2, l2itlba4, l2itlba2, l2itlbe4, l2itlbe2, l2dtlba4, l2dtlba2, l2dtlbe4, l2dtlbe2,
                 l2tlbe1g, level2cs, l2cassoc, l2clinsz, l2clines)
KEST_JSON_RECORD(CacheL3, level3cs, l3cassoc, l3clinsz, l3sector, islevel3)
nlohmann::ordered_json ToJson(const CacheInfo& ci) {
    nlohmann::ordered_json j = ToJson(ci.l1);
    j.update(ToJson(ci.l2));
    j.update(ToJson(ci.l3));
    return j;
}

KEST_JSON_RECORD(ProcessorNames, corecode, procname, modelrating, intprocn, familynote, modelnote, platform, techpar1,
                 techpar2, techpar3, hypervisor)
KEST_JSON_RECORD(DmiCacheRecord, handle, config, sramsupp, sramcurr, speedns, ecctype, cachetype)
KEST_JSON_RECORD(DmiProcessorInfo, dmiread, extclock, maxspeed, curspeed, cpustatus, l1handle, l2handle, l3handle,
                 caches, source)
KEST_JSON_RECORD(ClockInfo, coremhz, coretext, mhzint, multiplier, multtext, busmhz, bustext, rating, tscmhz, method)

nlohmann::ordered_json FeaturesJson(const CpuidData& cpu, const Topology& t) {
    nlohmann::ordered_json j;
    j["x86_64_level"] = X86_64LevelText(X86_64Level(cpu));
    j["sets"] = LaterSets(cpu);
    j["packages"] = t.packages;
    j["cores"] = t.cores;
    j["threads"] = t.threads;
    j["performance_cores"] = t.pcores;
    j["efficient_cores"] = t.ecores;
    return j;
}

nlohmann::ordered_json ToJson(const ProcessorRecords& r) {
    nlohmann::ordered_json j;
    j["CpuidData"] = ToJson(r.cpu);
    j["CacheInfo"] = ToJson(r.caches);
    j["ProcessorNames"] = ToJson(r.names);
    j["DmiProcessorInfo"] = ToJson(r.dmi);
    j["ClockInfo"] = ToJson(r.clock);
    j["Features"] = FeaturesJson(r.cpu, r.topology);
    return j;
}

#undef KEST_JSON_RECORD
#undef KEST_JSON_PUT

}  // namespace kest
