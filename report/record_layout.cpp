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

// Each writer names its line by the line's key; the layout's own table says
// what the key is, whether the checksum covers it and where the line goes.
#define KEST_NUM(key, expr) {std::string_view(key).substr(0, 8), [](In in) -> uint64_t { return expr; }, nullptr}
#define KEST_TEXT(key, name, expr) {name, nullptr, [](In in) -> std::string { return expr; }}
#define KEST_LABEL(key, control) KEST_TEXT(key, std::string_view(key).substr(0, 8), in.window->Text(control))
#define KEST_RESERVED(line) KEST_TEXT("reserved=", "reserved_" #line, ((void)in, "0"))
#define KEST_FLAG(key, expr) KEST_TEXT(key, std::string_view(key).substr(0, 8), Flag(expr))
// Line `i` of the seven instruction-set lines: entry i of kIsaIndicators.
#define KEST_ISA(key, i) KEST_TEXT(key, std::string_view(key).substr(0, 8), Bit(Has(*in.cpu, kIsaIndicators[i])))

constexpr std::array<RecordLine, kRecordLines> kLines = {{
    KEST_TEXT("--Start ", "start_marker", Marker(in)),
    KEST_RESERVED(2),
    KEST_LABEL("procname=", ctl::kCpuname),
    KEST_LABEL("vendorst=", ctl::kVendor),
    KEST_LABEL("frequenc=", ctl::kCspeed),
    KEST_LABEL("fsbfrequ=", ctl::kFspeed),
    KEST_LABEL("multiplr=", ctl::kMult),
    KEST_NUM("intprocn=", in.intprocn),
    KEST_NUM("maxcpuid=", in.cpu->maxcpuid),
    KEST_NUM("mxecpuid=", in.cpu->mxecpuid),
    KEST_NUM("featurs1=", in.cpu->featurs1),
    KEST_NUM("featurs2=", in.cpu->featurs2),
    KEST_NUM("feature1=", in.cpu->feature1),
    KEST_TEXT("ext_name=", "ext_name", in.cpu->ext_name),  // the brand string itself, cut at its first zero byte
    KEST_LABEL("corecode=", ctl::kCore),
    KEST_NUM("stfamily=", in.cpu->stfamily),
    KEST_NUM("st_model=", in.cpu->st_model),
    KEST_NUM("stepping=", in.cpu->stepping),
    KEST_NUM("brand_id=", in.cpu->brand_id),
    KEST_NUM("sefamily=", in.cpu->sefamily),
    KEST_NUM("se_model=", in.cpu->se_model),
    KEST_NUM("exfamily=", in.cpu->exfamily),
    KEST_NUM("ex_model=", in.cpu->ex_model),
    KEST_NUM("ext_step=", in.cpu->ext_step),
    KEST_NUM("cpu_type=", in.cpu->cpu_type),
    KEST_NUM("apic__id=", in.cpu->apic__id),
    KEST_NUM("logprocc=", in.cpu->logprocc),
    KEST_NUM("clflushs=", in.cpu->clflushs),
    KEST_ISA("mmx_supp=", 0),
    KEST_ISA("emmxsupp=", 1),
    KEST_ISA("a3d_supp=", 2),
    KEST_ISA("ea3dsupp=", 3),
    KEST_ISA("sse1supp=", 4),
    KEST_ISA("sse2supp=", 5),
    KEST_ISA("sse3supp=", 6),
    KEST_RESERVED(36),
    KEST_FLAG("isl1divd=", in.caches->l1.isl1divd),
    KEST_NUM("level1dc=", in.caches->l1.level1dc),
    KEST_NUM("l1dassoc=", in.caches->l1.l1dassoc),
    KEST_NUM("l1dlinsz=", in.caches->l1.l1dlinsz),
    KEST_NUM("l1dlines=", in.caches->l1.l1dlines),
    KEST_NUM("l1dtlba4=", in.caches->l1.l1dtlba4),
    KEST_NUM("l1dtlbe4=", in.caches->l1.l1dtlbe4),
    KEST_NUM("l1dtlba2=", in.caches->l1.l1dtlba2),
    KEST_NUM("l1dtlbe2=", in.caches->l1.l1dtlbe2),
    KEST_NUM("level1ic=", in.caches->l1.level1ic),
    KEST_FLAG("l1ctrace=", in.caches->l1.l1ctrace),
    KEST_NUM("l1iassoc=", in.caches->l1.l1iassoc),
    KEST_NUM("l1ilinsz=", in.caches->l1.l1ilinsz),
    KEST_NUM("l1ilines=", in.caches->l1.l1ilines),
    KEST_NUM("l1itlba4=", in.caches->l1.l1itlba4),
    KEST_NUM("l1itlbe4=", in.caches->l1.l1itlbe4),
    KEST_NUM("l1itlba2=", in.caches->l1.l1itlba2),
    // The same key again: the entry count.
    {"l1itlbe2", [](In in) -> uint64_t { return in.caches->l1.l1itlbe2; }, nullptr},
    KEST_FLAG("islevel2=", in.caches->l2.islevel2),
    KEST_NUM("level2cs=", in.caches->l2.level2cs),
    KEST_NUM("l2cassoc=", in.caches->l2.l2cassoc),
    KEST_NUM("l2clinsz=", in.caches->l2.l2clinsz),
    KEST_NUM("l2clines=", in.caches->l2.l2clines),
    KEST_NUM("l2dtlba4=", in.caches->l2.l2dtlba4),
    KEST_NUM("l2dtlbe4=", in.caches->l2.l2dtlbe4),
    KEST_NUM("l2dtlba2=", in.caches->l2.l2dtlba2),
    {"l2dtlbe2", [](In in) -> uint64_t { return in.caches->l2.l2dtlbe2; }, nullptr},
    KEST_NUM("l2itlba4=", in.caches->l2.l2itlba4),
    KEST_NUM("l2itlbe4=", in.caches->l2.l2itlbe4),
    KEST_NUM("l2itlba2=", in.caches->l2.l2itlba2),
    {"l2itlbe2", [](In in) -> uint64_t { return in.caches->l2.l2itlbe2; }, nullptr},
    KEST_FLAG("islevel3=", in.caches->l3.islevel3),
    KEST_NUM("level3cs=", in.caches->l3.level3cs),
    KEST_NUM("l3cassoc=", in.caches->l3.l3cassoc),
    KEST_NUM("l3clinsz=", in.caches->l3.l3clinsz),
    KEST_NUM("l3sector=", in.caches->l3.l3sector),
    KEST_RESERVED(73),
    KEST_RESERVED(74),
    KEST_RESERVED(75),
    KEST_NUM("extbrand=", in.cpu->extbrand),
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
    KEST_NUM("checksum=", RecordChecksum(*in.cpu, *in.caches, in.intprocn)),
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

// Every line of the layout has its writer, in the layout's order.
constexpr bool WritersFollowLayout() {
    for (size_t i = 0; i < kLines.size(); ++i)
        if (kLines[i].name != kRecordFields[i].name || !kLines[i].number == !kLines[i].text) return false;
    return true;
}
static_assert(WritersFollowLayout());

const std::array<RecordLine, kRecordLines>& RecordLines() { return kLines; }

}  // namespace kest
