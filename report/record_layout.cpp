#include "report/record_layout.h"

#include "cpu/cpuid_bits.h"
#include "report/report.h"

namespace kest {

namespace {

using In = const ReportInputs&;

std::string Marker(In in) {
    const WindowState& w = *in.window;
    return std::string(UpToZero(w.Text(ctl::kCpuname))) + " " + std::string(UpToZero(w.Text(ctl::kCspeed))) + " --";
}
std::string Bit(bool set) { return set ? "1" : "0"; }
std::string Flag(bool b) { return b ? "TRUE" : "FALSE"; }

#define KEST_NUM(key, expr, covered) {key, std::string_view(key).substr(0, 8), covered, [](In in) -> uint64_t { return expr; }, nullptr}
#define KEST_TEXT(key, name, expr) {key, name, false, nullptr, [](In in) -> std::string { return expr; }}
#define KEST_LABEL(key, control) KEST_TEXT(key, std::string_view(key).substr(0, 8), in.window->Text(control))
#define KEST_RESERVED(line) KEST_TEXT("reserved=", "reserved_" #line, ((void)in, "0"))
#define KEST_FLAG(key, expr) KEST_TEXT(key, std::string_view(key).substr(0, 8), Flag(expr))
// Line `i` of the seven instruction-set lines: entry i of kIsaIndicators.
#define KEST_ISA(key, i) KEST_TEXT(key, std::string_view(key).substr(0, 8), Bit(Has(*in.cpu, kIsaIndicators[i])))

const std::array<RecordLine, kRecordLines> kLines = {{
    KEST_TEXT("--Start ", "start_marker", Marker(in)),
    KEST_RESERVED(2),
    KEST_LABEL("procname=", ctl::kCpuname),
    KEST_LABEL("vendorst=", ctl::kVendor),
    KEST_LABEL("frequenc=", ctl::kCspeed),
    KEST_LABEL("fsbfrequ=", ctl::kFspeed),
    KEST_LABEL("multiplr=", ctl::kMult),
    KEST_NUM("intprocn=", in.intprocn, true),
    KEST_NUM("maxcpuid=", in.cpu->maxcpuid, true),
    KEST_NUM("mxecpuid=", in.cpu->mxecpuid, true),
    KEST_NUM("featurs1=", in.cpu->featurs1, true),
    KEST_NUM("featurs2=", in.cpu->featurs2, true),
    KEST_NUM("feature1=", in.cpu->feature1, true),
    KEST_TEXT("ext_name=", "ext_name", in.cpu->ext_name),  // the brand string itself, cut at its first zero byte
    KEST_LABEL("corecode=", ctl::kCore),
    KEST_NUM("stfamily=", in.cpu->stfamily, true),
    KEST_NUM("st_model=", in.cpu->st_model, true),
    KEST_NUM("stepping=", in.cpu->stepping, true),
    KEST_NUM("brand_id=", in.cpu->brand_id, true),
    KEST_NUM("sefamily=", in.cpu->sefamily, true),
    KEST_NUM("se_model=", in.cpu->se_model, true),
    KEST_NUM("exfamily=", in.cpu->exfamily, true),
    KEST_NUM("ex_model=", in.cpu->ex_model, true),
    KEST_NUM("ext_step=", in.cpu->ext_step, true),
    KEST_NUM("cpu_type=", in.cpu->cpu_type, true),
    KEST_NUM("apic__id=", in.cpu->apic__id, true),
    KEST_NUM("logprocc=", in.cpu->logprocc, true),
    KEST_NUM("clflushs=", in.cpu->clflushs, true),
    KEST_ISA("mmx_supp=", 0),
    KEST_ISA("emmxsupp=", 1),
    KEST_ISA("a3d_supp=", 2),
    KEST_ISA("ea3dsupp=", 3),
    KEST_ISA("sse1supp=", 4),
    KEST_ISA("sse2supp=", 5),
    KEST_ISA("sse3supp=", 6),
    KEST_RESERVED(36),
    KEST_FLAG("isl1divd=", in.caches->l1.isl1divd),
    KEST_NUM("level1dc=", in.caches->l1.level1dc, true),
    KEST_NUM("l1dassoc=", in.caches->l1.l1dassoc, false),
    KEST_NUM("l1dlinsz=", in.caches->l1.l1dlinsz, false),
    KEST_NUM("l1dlines=", in.caches->l1.l1dlines, false),
    KEST_NUM("l1dtlba4=", in.caches->l1.l1dtlba4, false),
    KEST_NUM("l1dtlbe4=", in.caches->l1.l1dtlbe4, false),
    KEST_NUM("l1dtlba2=", in.caches->l1.l1dtlba2, false),
    KEST_NUM("l1dtlbe2=", in.caches->l1.l1dtlbe2, false),
    KEST_NUM("level1ic=", in.caches->l1.level1ic, true),
    KEST_FLAG("l1ctrace=", in.caches->l1.l1ctrace),
    KEST_NUM("l1iassoc=", in.caches->l1.l1iassoc, false),
    KEST_NUM("l1ilinsz=", in.caches->l1.l1ilinsz, false),
    KEST_NUM("l1ilines=", in.caches->l1.l1ilines, false),
    KEST_NUM("l1itlba4=", in.caches->l1.l1itlba4, false),
    KEST_NUM("l1itlbe4=", in.caches->l1.l1itlbe4, false),
    KEST_NUM("l1itlba2=", in.caches->l1.l1itlba2, false),
    // The same key again: the entry count.
    {"l1itlba2=", "l1itlbe2", false, [](In in) -> uint64_t { return in.caches->l1.l1itlbe2; }, nullptr},
    KEST_FLAG("islevel2=", in.caches->l2.islevel2),
    KEST_NUM("level2cs=", in.caches->l2.level2cs, true),
    KEST_NUM("l2cassoc=", in.caches->l2.l2cassoc, false),
    KEST_NUM("l2clinsz=", in.caches->l2.l2clinsz, false),
    KEST_NUM("l2clines=", in.caches->l2.l2clines, false),
    KEST_NUM("l2dtlba4=", in.caches->l2.l2dtlba4, false),
    KEST_NUM("l2dtlbe4=", in.caches->l2.l2dtlbe4, false),
    KEST_NUM("l2dtlba2=", in.caches->l2.l2dtlba2, false),
    {"l2dtlba2=", "l2dtlbe2", false, [](In in) -> uint64_t { return in.caches->l2.l2dtlbe2; }, nullptr},
    KEST_NUM("l2itlba4=", in.caches->l2.l2itlba4, false),
    KEST_NUM("l2itlbe4=", in.caches->l2.l2itlbe4, false),
    KEST_NUM("l2itlba2=", in.caches->l2.l2itlba2, false),
    {"l2itlba2=", "l2itlbe2", false, [](In in) -> uint64_t { return in.caches->l2.l2itlbe2; }, nullptr},
    KEST_FLAG("islevel3=", in.caches->l3.islevel3),
    KEST_NUM("level3cs=", in.caches->l3.level3cs, true),
    KEST_NUM("l3cassoc=", in.caches->l3.l3cassoc, false),
    KEST_NUM("l3clinsz=", in.caches->l3.l3clinsz, false),
    KEST_NUM("l3sector=", in.caches->l3.l3sector, false),
    KEST_RESERVED(73),
    KEST_RESERVED(74),
    KEST_RESERVED(75),
    KEST_NUM("extbrand=", in.cpu->extbrand, false),
    KEST_LABEL("techpar1=", ctl::kTech1),
    KEST_LABEL("techpar2=", ctl::kTech2),
    KEST_LABEL("techpar3=", ctl::kTech3),
    KEST_LABEL("serialnm=", ctl::kSerialnumber),
    KEST_LABEL("p_rating=", ctl::kPRating),
    KEST_LABEL("platform=", ctl::kPlt),
    KEST_TEXT("inttestr=", "inttestr", ((void)in, "N/A")),
    KEST_TEXT("flptestr=", "flptestr", ((void)in, "N/A")),
    KEST_TEXT("memtestr=", "memtestr", in.memtestr),
    KEST_RESERVED(86),
    KEST_RESERVED(87),
    KEST_RESERVED(88),
    KEST_RESERVED(89),
    KEST_RESERVED(90),
    KEST_RESERVED(91),
    KEST_RESERVED(92),
    KEST_RESERVED(93),
    KEST_RESERVED(94),
    KEST_TEXT("datetime=", "datetime", PlainText(in.date) + ", " + PlainText(in.time)),
    KEST_NUM("checksum=", RecordChecksum(*in.cpu, *in.caches, in.intprocn), false),
    KEST_TEXT("zakversn=", "zakversn", in.version),
    KEST_TEXT("--End ", "end_marker", Marker(in)),
}};

#undef KEST_NUM
#undef KEST_TEXT
#undef KEST_LABEL
#undef KEST_RESERVED
#undef KEST_FLAG
#undef KEST_ISA

}  // namespace

const std::array<RecordLine, kRecordLines>& RecordLines() { return kLines; }

const std::array<RecordLineInfo, kRecordLines>& RecordLayout() {
    static const std::array<RecordLineInfo, kRecordLines> layout = [] {
        std::array<RecordLineInfo, kRecordLines> a{};
        for (size_t i = 0; i < a.size(); ++i) {
            const int line = static_cast<int>(i) + 1;
            a[i] = {line, kLines[i].key, kLines[i].name, kLines[i].covered ? static_cast<uint32_t>(line) : 0u};
        }
        return a;
    }();
    return layout;
}

}  // namespace kest
