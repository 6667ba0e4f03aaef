// The processor database record's layout: 98 key=value lines between two
// markers, closed by a weighted checksum. This table says, for every line,
// its key, its unique name and whether the checksum covers it; line numbers
// and weights follow from the order. The writer (report/record_layout.cpp),
// the checksum and the reader all walk it. The layout is shared with every
// database file already written, so keys, order and number formats never
// change. Three TLB keys appear twice on purpose: the second line carries
// the entry count. docs/glossary.md says what each key means.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace kest {

struct RecordField {
    std::string_view key;   // the text before the value ("procname=", "--Start ")
    std::string_view name;  // a name unique within the record ("procname", "l1itlbe2", "reserved_36")
    bool covered = false;   // summed into the checksum, weighted by the line number
};

namespace record_detail {
// Most lines are named by their key without the "=".
constexpr RecordField Line(std::string_view key, bool covered = false) { return {key, key.substr(0, 8), covered}; }
constexpr RecordField Named(std::string_view key, std::string_view name) { return {key, name, false}; }
constexpr RecordField Reserved(std::string_view name) { return {"reserved=", name, false}; }
constexpr bool kSum = true;
}  // namespace record_detail

inline constexpr std::array kRecordFields = [] {
    using namespace record_detail;
    return std::array{
        Named("--Start ", "start_marker"),  Reserved("reserved_2"),     Line("procname="),
        Line("vendorst="),                  Line("frequenc="),          Line("fsbfrequ="),
        Line("multiplr="),                  Line("intprocn=", kSum),    Line("maxcpuid=", kSum),
        Line("mxecpuid=", kSum),            Line("featurs1=", kSum),    Line("featurs2=", kSum),
        Line("feature1=", kSum),            Line("ext_name="),          Line("corecode="),
        Line("stfamily=", kSum),            Line("st_model=", kSum),    Line("stepping=", kSum),
        Line("brand_id=", kSum),            Line("sefamily=", kSum),    Line("se_model=", kSum),
        Line("exfamily=", kSum),            Line("ex_model=", kSum),    Line("ext_step=", kSum),
        Line("cpu_type=", kSum),            Line("apic__id=", kSum),    Line("logprocc=", kSum),
        Line("clflushs=", kSum),            Line("mmx_supp="),          Line("emmxsupp="),
        Line("a3d_supp="),                  Line("ea3dsupp="),          Line("sse1supp="),
        Line("sse2supp="),                  Line("sse3supp="),          Reserved("reserved_36"),
        Line("isl1divd="),                  Line("level1dc=", kSum),    Line("l1dassoc="),
        Line("l1dlinsz="),                  Line("l1dlines="),          Line("l1dtlba4="),
        Line("l1dtlbe4="),                  Line("l1dtlba2="),          Line("l1dtlbe2="),
        Line("level1ic=", kSum),            Line("l1ctrace="),          Line("l1iassoc="),
        Line("l1ilinsz="),                  Line("l1ilines="),          Line("l1itlba4="),
        Line("l1itlbe4="),                  Line("l1itlba2="),          Named("l1itlba2=", "l1itlbe2"),
        Line("islevel2="),                  Line("level2cs=", kSum),    Line("l2cassoc="),
        Line("l2clinsz="),                  Line("l2clines="),          Line("l2dtlba4="),
        Line("l2dtlbe4="),                  Line("l2dtlba2="),          Named("l2dtlba2=", "l2dtlbe2"),
        Line("l2itlba4="),                  Line("l2itlbe4="),          Line("l2itlba2="),
        Named("l2itlba2=", "l2itlbe2"),     Line("islevel3="),          Line("level3cs=", kSum),
        Line("l3cassoc="),                  Line("l3clinsz="),          Line("l3sector="),
        Reserved("reserved_73"),            Reserved("reserved_74"),    Reserved("reserved_75"),
        Line("extbrand="),                  Line("techpar1="),          Line("techpar2="),
        Line("techpar3="),                  Line("serialnm="),          Line("p_rating="),
        Line("platform="),                  Line("inttestr="),          Line("flptestr="),
        Line("memtestr="),                  Reserved("reserved_86"),    Reserved("reserved_87"),
        Reserved("reserved_88"),            Reserved("reserved_89"),    Reserved("reserved_90"),
        Reserved("reserved_91"),            Reserved("reserved_92"),    Reserved("reserved_93"),
        Reserved("reserved_94"),            Line("datetime="),          Line("checksum="),
        Line("zakversn="),                  Named("--End ", "end_marker"),
    };
}();

inline constexpr int kRecordLines = static_cast<int>(kRecordFields.size());

// The line (1 for the start marker) of the line named `name`; 0 for none.
constexpr int RecordLineOf(std::string_view name) {
    for (size_t i = 0; i < kRecordFields.size(); ++i)
        if (kRecordFields[i].name == name) return static_cast<int>(i) + 1;
    return 0;
}

inline constexpr int kStartLine = RecordLineOf("start_marker");
inline constexpr int kChecksumLine = RecordLineOf("checksum");
inline constexpr int kEndLine = RecordLineOf("end_marker");
static_assert(kStartLine == 1 && kEndLine == kRecordLines && kChecksumLine > 0);

// One line of the layout with its number and checksum weight.
struct RecordLineInfo {
    int line = 0;
    std::string_view key;
    std::string_view name;
    uint32_t weight = 0;  // checksum weight, 0 when the line is not covered
};
const std::array<RecordLineInfo, kRecordLines>& RecordLayout();

// The record's checksum: the sum of every covered line's number times its
// weight (the line number), each product taken modulo 2^32. `number(line)`
// gives the number of a covered line.
template <typename NumberOfLine>
uint64_t RecordChecksum(NumberOfLine number) {
    uint64_t sum = 0;
    for (const RecordLineInfo& l : RecordLayout())
        if (l.weight) sum += static_cast<uint32_t>(static_cast<uint32_t>(number(l.line)) * l.weight);
    return sum;
}

}  // namespace kest
