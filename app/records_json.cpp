#include "app/records_json.h"

#include "cpu/format.h"
#include "report/report.h"

namespace kest {

namespace {

// Record texts are Windows-1252; JSON carries UTF-8. A text ends at its
// first zero byte and carries no control bytes, as in the reports; the five
// bytes Windows-1252 leaves unassigned would become C1 control characters
// and are blanks too.
std::string Utf8(const std::string& s) {
    std::string text = PlainText(s);
    for (char& ch : text)
        if (ch == '\x81' || ch == '\x8D' || ch == '\x8F' || ch == '\x90' || ch == '\x9D') ch = ' ';
    return Cp1252ToUtf8(text);
}

nlohmann::ordered_json RegsJson(const std::vector<CpuidRegs>& list) {
    auto a = nlohmann::ordered_json::array();
    for (const auto& r : list) a.push_back({r.eax, r.ebx, r.ecx, r.edx});
    return a;
}

}  // namespace

#define KEST_FIELD(obj, rec, name) obj[#name] = (rec).name
#define KEST_TEXT(obj, rec, name) obj[#name] = Utf8((rec).name)

nlohmann::ordered_json ToJson(const CpuidData& c) {
    nlohmann::ordered_json j;
    KEST_FIELD(j, c, cpuid_ok);
    KEST_FIELD(j, c, maxcpuid);
    KEST_TEXT(j, c, vendorst);
    KEST_TEXT(j, c, signature);
    KEST_FIELD(j, c, stepping);
    KEST_FIELD(j, c, st_model);
    KEST_FIELD(j, c, stfamily);
    KEST_FIELD(j, c, cpu_type);
    KEST_FIELD(j, c, se_model);
    KEST_FIELD(j, c, sefamily);
    KEST_FIELD(j, c, brand_id);
    KEST_FIELD(j, c, clflushs);
    KEST_FIELD(j, c, logprocc);
    KEST_FIELD(j, c, apic__id);
    KEST_FIELD(j, c, featurs2);
    KEST_FIELD(j, c, featurs1);
    KEST_FIELD(j, c, descriptors);
    KEST_FIELD(j, c, serial_ebx);
    KEST_FIELD(j, c, serial_ecx);
    KEST_FIELD(j, c, serial_edx);
    KEST_FIELD(j, c, mxecpuid);
    KEST_TEXT(j, c, ext_vendor);
    KEST_FIELD(j, c, ext_step);
    KEST_FIELD(j, c, ex_model);
    KEST_FIELD(j, c, exfamily);
    KEST_FIELD(j, c, ex_emodel);
    KEST_FIELD(j, c, ex_efamily);
    KEST_FIELD(j, c, extbrand);
    KEST_FIELD(j, c, feature1);
    KEST_TEXT(j, c, ext_name);

    auto& e5 = j["ext5"];
    KEST_FIELD(e5, c.ext5, itlbe2); KEST_FIELD(e5, c.ext5, itlba2);
    KEST_FIELD(e5, c.ext5, dtlbe2); KEST_FIELD(e5, c.ext5, dtlba2);
    KEST_FIELD(e5, c.ext5, itlbe4); KEST_FIELD(e5, c.ext5, itlba4);
    KEST_FIELD(e5, c.ext5, dtlbe4); KEST_FIELD(e5, c.ext5, dtlba4);
    KEST_FIELD(e5, c.ext5, dlinsz); KEST_FIELD(e5, c.ext5, dlines);
    KEST_FIELD(e5, c.ext5, dassoc); KEST_FIELD(e5, c.ext5, dsizekb);
    KEST_FIELD(e5, c.ext5, ilinsz); KEST_FIELD(e5, c.ext5, ilines);
    KEST_FIELD(e5, c.ext5, iassoc); KEST_FIELD(e5, c.ext5, isizekb);

    auto& e6 = j["ext6"];
    KEST_FIELD(e6, c.ext6, itlbe2); KEST_FIELD(e6, c.ext6, itlba2);
    KEST_FIELD(e6, c.ext6, dtlbe2); KEST_FIELD(e6, c.ext6, dtlba2);
    KEST_FIELD(e6, c.ext6, itlbe4); KEST_FIELD(e6, c.ext6, itlba4);
    KEST_FIELD(e6, c.ext6, dtlbe4); KEST_FIELD(e6, c.ext6, dtlba4);
    KEST_FIELD(e6, c.ext6, linsz); KEST_FIELD(e6, c.ext6, lines);
    KEST_FIELD(e6, c.ext6, assoc); KEST_FIELD(e6, c.ext6, sizekb);
    KEST_FIELD(e6, c.ext6, alt_sizekb); KEST_FIELD(e6, c.ext6, alt_assoc);
    KEST_FIELD(e6, c.ext6, alt_lines);

    KEST_FIELD(j, c, powermgt);
    KEST_FIELD(j, c, phys_bits);
    KEST_FIELD(j, c, virt_bits);
    j["leaf4"] = RegsJson(c.leaf4);
    j["leaf8000001d"] = RegsJson(c.leaf8000001d);
    j["leaf18"] = RegsJson(c.leaf18);
    KEST_FIELD(j, c, ext6_edx);
    KEST_FIELD(j, c, leaf7_edx);
    KEST_FIELD(j, c, leaf1a_eax);
    KEST_TEXT(j, c, hypervisor);
    return j;
}

nlohmann::ordered_json ToJson(const CacheInfo& ci) {
    nlohmann::ordered_json j;
    const auto& a = ci.l1;
    KEST_FIELD(j, a, isl1divd);
    KEST_FIELD(j, a, l1itlba4); KEST_FIELD(j, a, l1itlba2);
    KEST_FIELD(j, a, l1itlbe4); KEST_FIELD(j, a, l1itlbe2);
    KEST_FIELD(j, a, l1dtlba4); KEST_FIELD(j, a, l1dtlba2);
    KEST_FIELD(j, a, l1dtlbe4); KEST_FIELD(j, a, l1dtlbe2);
    KEST_FIELD(j, a, l1dtlbe1g);
    KEST_FIELD(j, a, level1ic); KEST_FIELD(j, a, l1iassoc);
    KEST_FIELD(j, a, l1ilinsz); KEST_FIELD(j, a, l1ilines);
    KEST_FIELD(j, a, l1ctrace);
    KEST_FIELD(j, a, level1dc); KEST_FIELD(j, a, l1dassoc);
    KEST_FIELD(j, a, l1dlinsz); KEST_FIELD(j, a, l1dlines);
    const auto& b = ci.l2;
    KEST_FIELD(j, b, islevel2);
    KEST_FIELD(j, b, l2itlba4); KEST_FIELD(j, b, l2itlba2);
    KEST_FIELD(j, b, l2itlbe4); KEST_FIELD(j, b, l2itlbe2);
    KEST_FIELD(j, b, l2dtlba4); KEST_FIELD(j, b, l2dtlba2);
    KEST_FIELD(j, b, l2dtlbe4); KEST_FIELD(j, b, l2dtlbe2);
    KEST_FIELD(j, b, l2tlbe1g);
    KEST_FIELD(j, b, level2cs); KEST_FIELD(j, b, l2cassoc);
    KEST_FIELD(j, b, l2clinsz); KEST_FIELD(j, b, l2clines);
    const auto& d = ci.l3;
    KEST_FIELD(j, d, level3cs); KEST_FIELD(j, d, l3cassoc);
    KEST_FIELD(j, d, l3clinsz); KEST_FIELD(j, d, l3sector);
    KEST_FIELD(j, d, islevel3);
    return j;
}

nlohmann::ordered_json ToJson(const ProcessorNames& n) {
    nlohmann::ordered_json j;
    KEST_TEXT(j, n, corecode);
    KEST_TEXT(j, n, procname);
    KEST_TEXT(j, n, modelrating);
    KEST_FIELD(j, n, intprocn);
    KEST_TEXT(j, n, familynote);
    KEST_TEXT(j, n, modelnote);
    KEST_TEXT(j, n, platform);
    KEST_TEXT(j, n, techpar1);
    KEST_TEXT(j, n, techpar2);
    KEST_TEXT(j, n, techpar3);
    KEST_TEXT(j, n, hypervisor);
    return j;
}

nlohmann::ordered_json ToJson(const DmiProcessorInfo& d) {
    nlohmann::ordered_json j;
    KEST_FIELD(j, d, dmiread);
    KEST_FIELD(j, d, extclock);
    KEST_FIELD(j, d, maxspeed);
    KEST_FIELD(j, d, curspeed);
    KEST_TEXT(j, d, cpustatus);
    KEST_FIELD(j, d, l1handle);
    KEST_FIELD(j, d, l2handle);
    KEST_FIELD(j, d, l3handle);
    auto caches = nlohmann::ordered_json::array();
    for (const auto& c : d.caches) {
        nlohmann::ordered_json r;
        KEST_FIELD(r, c, handle);
        KEST_FIELD(r, c, config);
        KEST_TEXT(r, c, sramsupp);
        KEST_TEXT(r, c, sramcurr);
        KEST_FIELD(r, c, speedns);
        KEST_TEXT(r, c, ecctype);
        KEST_TEXT(r, c, cachetype);
        caches.push_back(std::move(r));
    }
    j["caches"] = std::move(caches);
    return j;
}

nlohmann::ordered_json ToJson(const ClockInfo& c) {
    nlohmann::ordered_json j;
    KEST_FIELD(j, c, coremhz);
    KEST_TEXT(j, c, coretext);
    KEST_FIELD(j, c, mhzint);
    KEST_FIELD(j, c, multiplier);
    KEST_TEXT(j, c, multtext);
    KEST_FIELD(j, c, busmhz);
    KEST_TEXT(j, c, bustext);
    KEST_TEXT(j, c, rating);
    return j;
}

#undef KEST_FIELD
#undef KEST_TEXT

}  // namespace kest
