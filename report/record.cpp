// The processor database record: 98 key=value lines between two markers,
// closed by a weighted checksum. The layout is shared with the database
// browser and with every database file already written, so keys, order and
// number formats never change. Three TLB keys appear twice on purpose: the
// second line carries the entry count.

#include <stdexcept>

#include "cpu/instruction_sets.h"
#include "report/report.h"

namespace kest {

namespace {

struct Covered {
    uint64_t value;
    uint32_t weight;  // the line number in the record
};

// The 23 lines covered by the checksum, in record order.
std::array<Covered, 23> CoveredValues(const CpuidData& cpu, const CacheInfo& c, uint16_t intprocn) {
    return {{
        {intprocn, 8},          {cpu.maxcpuid, 9},      {cpu.mxecpuid, 10},     {cpu.featurs1, 11},
        {cpu.featurs2, 12},     {cpu.feature1, 13},     {cpu.stfamily, 16},     {cpu.st_model, 17},
        {cpu.stepping, 18},     {cpu.brand_id, 19},     {cpu.sefamily, 20},     {cpu.se_model, 21},
        {cpu.exfamily, 22},     {cpu.ex_model, 23},     {cpu.ext_step, 24},     {cpu.cpu_type, 25},
        {cpu.apic__id, 26},     {cpu.logprocc, 27},     {cpu.clflushs, 28},     {c.l1.level1dc, 38},
        {c.l1.level1ic, 46},    {c.l2.level2cs, 56},    {c.l3.level3cs, 69},
    }};
}

}  // namespace

uint64_t RecordChecksum(const CpuidData& cpu, const CacheInfo& caches, uint16_t intprocn) {
    uint64_t sum = 0;
    for (const Covered& v : CoveredValues(cpu, caches, intprocn))
        sum += static_cast<uint32_t>(static_cast<uint32_t>(v.value) * v.weight);  // product modulo 2^32
    return sum;
}

std::string DatabaseRecord(const ReportInputs& in) {
    if (!in.window || !in.cpu || !in.caches) throw std::invalid_argument("record inputs incomplete");
    const WindowState& w = *in.window;
    const CpuidData& cpu = *in.cpu;
    const CacheL1& c1 = in.caches->l1;
    const CacheL2& c2 = in.caches->l2;
    const CacheL3& c3 = in.caches->l3;

    std::string out;
    int lines = 0;
    auto line = [&](std::string_view key, std::string_view value) {
        out += key;
        // A line break inside a value would split the record: keep it one
        // line, with no control byte in it.
        out += PlainText(value);
        out += "\r\n";
        ++lines;
    };
    auto num = [&](std::string_view key, uint64_t v) { line(key, std::to_string(v)); };
    auto label = [&](std::string_view key, ControlName control) { line(key, w.Text(control)); };
    auto bit01 = [&](std::string_view key, uint32_t word, int bit) { line(key, ((word >> bit) & 1u) ? "1" : "0"); };
    auto flag = [&](std::string_view key, bool b) { line(key, b ? "TRUE" : "FALSE"); };

    const std::string marker =
        std::string(UpToZero(w.Text(ctl::kCpuname))) + " " + std::string(UpToZero(w.Text(ctl::kCspeed))) + " --";
    line("--Start ", marker);
    line("reserved=", "0");
    label("procname=", ctl::kCpuname);
    label("vendorst=", ctl::kVendor);
    label("frequenc=", ctl::kCspeed);
    label("fsbfrequ=", ctl::kFspeed);
    label("multiplr=", ctl::kMult);
    num("intprocn=", in.intprocn);
    num("maxcpuid=", cpu.maxcpuid);
    num("mxecpuid=", cpu.mxecpuid);
    num("featurs1=", cpu.featurs1);
    num("featurs2=", cpu.featurs2);
    num("feature1=", cpu.feature1);
    line("ext_name=", cpu.ext_name);  // the brand string itself, cut at its first zero byte
    label("corecode=", ctl::kCore);
    num("stfamily=", cpu.stfamily);
    num("st_model=", cpu.st_model);
    num("stepping=", cpu.stepping);
    num("brand_id=", cpu.brand_id);
    num("sefamily=", cpu.sefamily);
    num("se_model=", cpu.se_model);
    num("exfamily=", cpu.exfamily);
    num("ex_model=", cpu.ex_model);
    num("ext_step=", cpu.ext_step);
    num("cpu_type=", cpu.cpu_type);
    num("apic__id=", cpu.apic__id);
    num("logprocc=", cpu.logprocc);
    num("clflushs=", cpu.clflushs);
    bit01("mmx_supp=", cpu.featurs1, isa_bit::kMmx);
    bit01("emmxsupp=", cpu.feature1, isa_bit::kExtMmx);
    bit01("a3d_supp=", cpu.feature1, isa_bit::k3DNow);
    bit01("ea3dsupp=", cpu.feature1, isa_bit::k3DNowPlus);
    bit01("sse1supp=", cpu.featurs1, isa_bit::kSse);
    bit01("sse2supp=", cpu.featurs1, isa_bit::kSse2);
    bit01("sse3supp=", cpu.featurs2, isa_bit::kSse3);
    line("reserved=", "0");
    flag("isl1divd=", c1.isl1divd);
    num("level1dc=", c1.level1dc);
    num("l1dassoc=", c1.l1dassoc);
    num("l1dlinsz=", c1.l1dlinsz);
    num("l1dlines=", c1.l1dlines);
    num("l1dtlba4=", c1.l1dtlba4);
    num("l1dtlbe4=", c1.l1dtlbe4);
    num("l1dtlba2=", c1.l1dtlba2);
    num("l1dtlbe2=", c1.l1dtlbe2);
    num("level1ic=", c1.level1ic);
    flag("l1ctrace=", c1.l1ctrace);
    num("l1iassoc=", c1.l1iassoc);
    num("l1ilinsz=", c1.l1ilinsz);
    num("l1ilines=", c1.l1ilines);
    num("l1itlba4=", c1.l1itlba4);
    num("l1itlbe4=", c1.l1itlbe4);
    num("l1itlba2=", c1.l1itlba2);
    num("l1itlba2=", c1.l1itlbe2);
    flag("islevel2=", c2.islevel2);
    num("level2cs=", c2.level2cs);
    num("l2cassoc=", c2.l2cassoc);
    num("l2clinsz=", c2.l2clinsz);
    num("l2clines=", c2.l2clines);
    num("l2dtlba4=", c2.l2dtlba4);
    num("l2dtlbe4=", c2.l2dtlbe4);
    num("l2dtlba2=", c2.l2dtlba2);
    num("l2dtlba2=", c2.l2dtlbe2);
    num("l2itlba4=", c2.l2itlba4);
    num("l2itlbe4=", c2.l2itlbe4);
    num("l2itlba2=", c2.l2itlba2);
    num("l2itlba2=", c2.l2itlbe2);
    flag("islevel3=", c3.islevel3);
    num("level3cs=", c3.level3cs);
    num("l3cassoc=", c3.l3cassoc);
    num("l3clinsz=", c3.l3clinsz);
    num("l3sector=", c3.l3sector);
    for (int i = 0; i < 3; ++i) line("reserved=", "0");
    num("extbrand=", cpu.extbrand);
    label("techpar1=", ctl::kTech1);
    label("techpar2=", ctl::kTech2);
    label("techpar3=", ctl::kTech3);
    label("serialnm=", ctl::kSerialnumber);
    label("p_rating=", ctl::kPRating);
    label("platform=", ctl::kPlt);
    line("inttestr=", "N/A");
    line("flptestr=", "N/A");
    line("memtestr=", in.memtestr);
    for (int i = 0; i < 9; ++i) line("reserved=", "0");
    line("datetime=", PlainText(in.date) + ", " + PlainText(in.time));
    num("checksum=", RecordChecksum(cpu, *in.caches, in.intprocn));
    line("zakversn=", in.version);
    line("--End ", marker);
    if (lines != 98) throw std::logic_error("database record is not 98 lines");
    return out;
}

}  // namespace kest
