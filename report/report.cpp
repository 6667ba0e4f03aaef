#include "report/report.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

#include "cpu/cpuid_bits.h"
#include "cpu/format.h"
#include "cpu/instruction_sets.h"
#include "view/cache_listing.h"
#include "view/feature_names.h"

namespace kest {

namespace {

constexpr std::string_view kSeparator = "--------------------------------------------------";

// Collects lines, each closed by CR LF.
class Lines {
public:
    void Add(std::string_view line) {
        out_ += line;
        out_ += "\r\n";
    }
    std::string Take() { return std::move(out_); }

private:
    std::string out_;
};

const WindowState& Window(const ReportInputs& in) {
    if (!in.window || !in.cpu || !in.caches || !in.std1_names || !in.std2_names || !in.ext_names)
        throw std::invalid_argument("report inputs incomplete");
    return *in.window;
}

// A label's text as the file may carry it.
std::string Label(const WindowState& w, ControlName name) { return PlainText(w.Text(name)); }

bool Bit(uint32_t word, int i) { return ((word >> i) & 1u) != 0; }


std::string_view YesNo(bool b) { return b ? "Supported" : "Not Supported"; }
std::string_view HtmlYesNo(bool b) { return b ? "Supported" : "Not&nbsp;Supported"; }

// How the reports caption the instruction sets of kIsaIndicators, in its order.
struct InstructionSetCaption {
    std::string_view text_caption;  // 16 characters
    std::string_view html_name;
};

constexpr InstructionSetCaption kSetCaptions[] = {
    {"MMX:            ", "MMX"},     {"Ext. MMX:       ", "Ext. MMX"}, {"3DNow!:         ", "3DNow!"},
    {"3DNow+:         ", "3DNow!+"}, {"SSE:            ", "SSE"},      {"SSE2:           ", "SSE2"},
    {"SSE3:           ", "SSE3"},
};
static_assert(std::size(kSetCaptions) == kIsaIndicatorCount);

std::string DateTime(const ReportInputs& in) { return PlainText(in.date) + ", " + PlainText(in.time); }

}  // namespace

std::string_view UpToZero(std::string_view s) {
    auto z = s.find('\0');
    return z == std::string_view::npos ? s : s.substr(0, z);
}

std::string PlainText(std::string_view s) {
    std::string out(UpToZero(s));
    for (char& ch : out)
        if (static_cast<unsigned char>(ch) < 0x20 || ch == '\x7F') ch = ' ';
    return out;
}

std::string HtmlText(std::string_view s) {
    std::string out;
    for (char ch : PlainText(s)) {
        switch (ch) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += ch;
        }
    }
    return out;
}

std::string SignatureDigits(const WindowState& window) {
    std::string digits;
    for (ControlName name : {ctl::kFam, ctl::kMdl, ctl::kStp}) {
        std::string_view t = UpToZero(window.Text(name));
        while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
        while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
        uint32_t v = 0;
        auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
        if (ec != std::errc() || p != t.data() + t.size()) v = 0;  // not a number: no digit
        std::string hex = HexText(v, true);
        if (hex.size() >= 2) digits += hex[1];
    }
    return digits;
}

std::string DefaultReportName(const WindowState& window) { return "zakcpu_0x" + SignatureDigits(window) + "h"; }

std::string DefaultScreenshotName(const WindowState& window, unsigned count) {
    return "zakcpu" + std::to_string(count) + "_0x" + SignatureDigits(window) + "h";
}

namespace {
bool EndsWith(const std::string& s, std::string_view tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}
}  // namespace

std::string WithTextExtension(std::string path) {
    if (!EndsWith(path, ".txt")) path += ".txt";
    return path;
}

std::string WithHtmlExtension(std::string path) {
    if (!EndsWith(path, ".html") && !EndsWith(path, ".htm")) path += ".html";
    return path;
}

std::string WithBitmapExtension(std::string path) {
    if (!EndsWith(path, ".bmp")) path += ".bmp";
    return path;
}

// ---------------------------------------------------------------- text report

std::string TextReport(const ReportInputs& in) {
    const WindowState& w = Window(in);
    const CpuidData& cpu = *in.cpu;
    auto L = [&](ControlName name) { return Label(w, name); };
    Lines out;

    out.Add("Kestrune report");
    out.Add("[" + L(ctl::kCpuname) + " " + L(ctl::kPRating) + " at " + L(ctl::kCspeed) + "]");
    out.Add(kSeparator);
    out.Add("Vendor String:  " + L(ctl::kVendor));
    out.Add("CPU name:       " + L(ctl::kCpuname));
    out.Add("CPU speed:      " + L(ctl::kCspeed));
    out.Add("FSB speed:      " + L(ctl::kFspeed));
    out.Add("Multiplier:     " + L(ctl::kMult));
    out.Add("Rating:         " + L(ctl::kPRating));
    out.Add("Core codename:  " + L(ctl::kCore));
    out.Add("Platform:       " + L(ctl::kPlt));
    out.Add("Extended name:  " + L(ctl::kCpuextname));
    out.Add(kSeparator);
    out.Add("Family:         " + L(ctl::kFam) + "\t" + L(ctl::kEfam));
    out.Add("Model:          " + L(ctl::kMdl) + "\t" + L(ctl::kEmdl));
    out.Add("Stepping:       " + L(ctl::kStp) + "\t" + L(ctl::kEstp));
    out.Add("Brand Id:       " + L(ctl::kBrand) + "\t" + L(ctl::kEbrd));
    out.Add(kSeparator);
    out.Add(L(ctl::kLabelL1i) + "       " + L(ctl::kL1is));
    out.Add("L1 Data:        " + L(ctl::kL1ds));
    out.Add("L2:             " + L(ctl::kL2s));
    out.Add("L3:             " + L(ctl::kL3s));
    out.Add(kSeparator);
    out.Add("CPU Type:       " + L(ctl::kCtp));
    out.Add("APIC Id:        " + L(ctl::kApic));
    out.Add("LP Count:       " + L(ctl::kLp));
    out.Add("Flush size:     " + L(ctl::kFls));
    out.Add(kSeparator);
    for (size_t i = 0; i < kIsaIndicatorCount; ++i)
        out.Add(std::string(kSetCaptions[i].text_caption) + std::string(YesNo(Has(cpu, kIsaIndicators[i]))));
    out.Add(kSeparator);

    auto flags = [&](std::string_view title, uint32_t word, const BitNameTable& names) {
        out.Add(title);
        for (int i = 0; i < 32; ++i)
            out.Add(std::string(Bit(word, i) ? "1" : "0") + "  " + PlainText(names[i]));
    };
    flags("Standart Feature Flags (1):", cpu.featurs1, *in.std1_names);
    out.Add(kSeparator);
    flags("Standart Feature Flags (2):", cpu.featurs2, *in.std2_names);
    out.Add(kSeparator);
    flags("Extended Feature Flags:", cpu.feature1, *in.ext_names);
    out.Add(kSeparator);
    // The later words, for processors that have them.
    if (HasLaterWords(cpu))
        for (const LaterFeatureWord& w : LaterFeatureWords())
            if (WordAdmitted(cpu, w)) {
                flags(std::string(w.title) + ":", cpu.*w.word, FeatureNames(w.page));
                out.Add(kSeparator);
            }

    // caches and TLBs: a caption padded to 16 characters, then the value
    auto block = [&](const CacheBlock& b) {
        out.Add(CacheBlockTitle(b, CacheWording::TextReport));
        for (const CacheRow& r : b.rows) {
            std::string caption = std::string(CacheRowCaption(r.kind, CacheWording::TextReport)) + ":";
            caption.resize(std::max<size_t>(caption.size(), 16), ' ');
            out.Add(caption + r.value);
        }
        out.Add("");
    };
    for (const CacheLevelListing& level : CacheListing(*in.caches)) {
        if (!level.present) continue;
        if (level.level > 1) out.Add(kSeparator);
        block(level.cache);
        for (const auto& pair : level.tlb_pairs) block(pair[0]);
        if (level.instructions) block(*level.instructions);
        for (const auto& pair : level.tlb_pairs) block(pair[1]);
    }
    out.Add(kSeparator);
    out.Add("Reported by Kestrune version " + PlainText(in.version) + " (" + DateTime(in) + ")");
    out.Add(kLegalNotice);
    out.Add("Official site: " + std::string(kWebAddress));
    return out.Take();
}

// ---------------------------------------------------------------- HTML report

namespace {

constexpr std::string_view kWideTable =
    "<TABLE BORDER=\"1\" CELLSPACING=\"0\" CELLPADDING=\"0\" WIDTH=\"100%\" STYLE=\"BORDER-LEFT:0px; "
    "BORDER-RIGHT:0px; BORDER-TOP:0px; BORDER-BOTTOM:0px\">";
constexpr std::string_view kNameTable =
    "<TABLE CELLSPACING=\"0\" CELLPADDING=\"0\" BORDER=\"1\" STYLE=\"BORDER-LEFT:0px; BORDER-RIGHT:0px; "
    "BORDER-TOP:0px; BORDER-BOTTOM:0px\">";
constexpr std::string_view kFlagTable = "<TABLE WIDTH=\"90%\" CELLSPACING=\"0\" CELLPADDING=\"0\" BORDER=\"1\">";
constexpr std::string_view kGapRow =
    "<TR><TD COLSPAN=\"5\" STYLE=\"BORDER-LEFT:0px; BORDER-RIGHT:0px; BORDER-TOP:0px; "
    "BORDER-BOTTOM:0px\">&nbsp;</TD></TR>";
constexpr std::string_view kNameCellOpen = "<TR><TD STYLE=\"BORDER-TOP:0px; BORDER-BOTTOM:0px; BORDER-LEFT:0px;\">";
constexpr std::string_view kNameCellOpen2 = "<TD STYLE=\"BORDER-TOP:0px; BORDER-BOTTOM:0px; BORDER-LEFT:0px;\">";

std::string ModelRow(std::string_view caption, const std::string& v1, const std::string& v2,
                     const std::string& cache_caption, const std::string& cache_value,
                     std::string_view add_caption, const std::string& add_value) {
    std::string s = "<TR><TD>&nbsp;&nbsp;";
    s += caption;
    s += "&nbsp;&nbsp;</TD><TD>&nbsp;&nbsp;" + v1 + "&nbsp;&nbsp;</TD><TD>&nbsp;&nbsp;" + v2 +
         "&nbsp;&nbsp;</TD><TD STYLE=\"BORDER-TOP:0px; BORDER-BOTTOM:0px\">&nbsp;</TD><TD>&nbsp;&nbsp;" +
         cache_caption + "&nbsp;&nbsp;</TD><TD>&nbsp;&nbsp;" + cache_value +
         "&nbsp;&nbsp;</TD><TD STYLE=\"BORDER-TOP:0px; BORDER-BOTTOM:0px\">&nbsp;</TD><TD>&nbsp;&nbsp;";
    s += add_caption;
    s += "&nbsp;&nbsp;</TD><TD>&nbsp;&nbsp;" + add_value + "&nbsp;&nbsp;</TD></TR>";
    return s;
}

std::string SetRow(std::string_view name, bool b) {
    return "<TR><TD>&nbsp;&nbsp;" + std::string(name) + "&nbsp;&nbsp;</TD><TD>&nbsp;&nbsp;" +
           std::string(HtmlYesNo(b)) + "&nbsp;&nbsp;</TD></TR>";
}

std::string FlagRow(std::string_view name, bool b) {
    return "<TR><TD WIDTH=\"70%\">&nbsp;&nbsp;" + std::string(name) + "&nbsp;&nbsp;</TD><TD>&nbsp;&nbsp;" +
           std::string(HtmlYesNo(b)) + "&nbsp;&nbsp;</TD></TR>";
}

std::string PairHead(std::string_view left, std::string_view right) {
    return "<TR><TD COLSPAN=\"2\" ALIGN=\"CENTER\" WIDTH=\"49%\">&nbsp;&nbsp;" + std::string(left) +
           "&nbsp;&nbsp;</TD><TD WIDTH=\"2%\" STYLE=\"BORDER-TOP:0px; BORDER-BOTTOM:0px\">&nbsp;&nbsp;</TD>"
           "<TD COLSPAN=\"2\" ALIGN=\"CENTER\" WIDTH=\"49%\">&nbsp;&nbsp;" +
           std::string(right) + "&nbsp;&nbsp;</TD></TR>";
}

std::string PairRow(std::string_view caption, const std::string& left, const std::string& right) {
    std::string c(caption);
    return "<TR><TD>&nbsp;&nbsp;" + c + "&nbsp;&nbsp;</TD><TD>&nbsp;&nbsp;" + left +
           "&nbsp;&nbsp;</TD><TD STYLE=\"BORDER-TOP:0px; BORDER-BOTTOM:0px\">&nbsp;&nbsp;</TD><TD>&nbsp;&nbsp;" + c +
           "&nbsp;&nbsp;</TD><TD>&nbsp;&nbsp;" + right + "&nbsp;&nbsp;</TD></TR>";
}

std::string SingleHead(std::string_view title) {
    return "<TR><TD COLSPAN=\"2\" ALIGN=\"CENTER\" WIDTH=\"49%\">&nbsp;&nbsp;" + std::string(title) +
           "&nbsp;&nbsp;</TD><TD COLSPAN=\"3\" STYLE=\"BORDER-TOP:0px; BORDER-BOTTOM:0px; "
           "BORDER-RIGHT:0px\">&nbsp;&nbsp;</TD></TR>";
}

std::string SingleRow(std::string_view caption, const std::string& value) {
    return "<TR><TD>&nbsp;&nbsp;" + std::string(caption) + "&nbsp;&nbsp;</TD><TD>&nbsp;&nbsp;" + value +
           "&nbsp;&nbsp;</TD><TD COLSPAN=\"3\"  STYLE=\"BORDER-TOP:0px; BORDER-BOTTOM:0px; "
           "BORDER-RIGHT:0px\">&nbsp;&nbsp;</TD></TR>";
}

}  // namespace

namespace {

// The page head and its title line.
void HtmlHead(Lines& out, const ReportInputs& in) {
    const WindowState& w = Window(in);
    auto L = [&](ControlName name) { return HtmlText(w.Text(name)); };
    const std::string version = HtmlText(in.version);
    out.Add("<!--Generated by Kestrune " + version + "-->");
    // The page names its code page: browsers that do not assume Windows-1252
    // would otherwise show the micro sign as a stray character.
    out.Add("<HTML><HEAD><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1252\"><STYLE>");
    out.Add("A:LINK \t\t{TEXT-DECORATION:NONE; COLOR:#333391;}");
    out.Add("A:VISITED\t{TEXT-DECORATION:NONE; COLOR:#333391;}");
    out.Add("A:ACTIVE\t{COLOR:#000000; TEXT-DECORATION:NONE;}");
    out.Add("A:HOVER   {COLOR:#000000; TEXT-DECORATION:NONE;}");
    out.Add("BODY{SCROLLBAR-FACE-COLOR: #0000BF;");
    out.Add("SCROLLBAR-HIGHLIGHT-COLOR: #0000BF;");
    out.Add("SCROLLBAR-SHADOW-COLOR: #C0C0C0;");
    out.Add("SCROLLBAR-3DLIGHT-COLOR: #C0C0C0;");
    out.Add("SCROLLBAR-ARROW-COLOR: #000000;");
    out.Add("SCROLLBAR-TRACK-COLOR: #F0F0FF;");
    out.Add("SCROLLBAR-DARKSHADOW-COLOR: #00000F}");
    out.Add("</STYLE><TITLE>Kestrune report</TITLE></HEAD>");
    out.Add("<BODY BGCOLOR=\"#C0C0C0\" TEXT=\"#000000\" TOPMARGIN=\"0\" LEFTMARGIN=\"10\" RIGHTMARGIN=\"10\" "
            "BOTTOMMARGIN=\"0\" MARGINHEIGHT=\"0\" MARGINWIDTH=\"0\">");
    out.Add("<CENTER>");
    out.Add("<B><H3 STYLE=\"FONT-SIZE:18PX; MARGIN-BOTTOM:0; MARGIN-TOP:5; COLOR:#000000; FONT-WEIGHT: "
            "BOLD\">Kestrune report [" +
            L(ctl::kCpuname) + " " + L(ctl::kPRating) + " at " + L(ctl::kCspeed) + "]</H3></B>");
    out.Add("<HR COLOR=\"#000000\" HEIGHT=\"1\" WIDTH=\"100%\">");
    out.Add("<BR><TABLE WIDTH=\"60%\"><TR><TD>");

}

// Names, model information, cache sizes, clocks, technology, serial number
// and instruction sets, as the first page shows them.
void HtmlProcessor(Lines& out, const ReportInputs& in) {
    const WindowState& w = Window(in);
    const CpuidData& cpu = *in.cpu;
    // Every text that does not come from this page's own markup is escaped.
    auto L = [&](ControlName name) { return HtmlText(w.Text(name)); };
    // names
    out.Add(kNameTable);
    out.Add(kNameCellOpen);
    out.Add("&nbsp;&nbsp;Vendor String:&nbsp;&nbsp;&nbsp;</TD>");
    out.Add("</TD><TD COLSPAN=\"3\">&nbsp;" + L(ctl::kVendor) + "&nbsp;&nbsp;</TD></TR>");
    out.Add(kNameCellOpen);
    out.Add("&nbsp;&nbsp;CPU Name:&nbsp;&nbsp;&nbsp;</TD>");
    out.Add("</TD><TD>&nbsp;" + L(ctl::kCpuname) + "&nbsp;&nbsp;</TD>");
    out.Add(kNameCellOpen2);
    out.Add("&nbsp;&nbsp;Rating:&nbsp;&nbsp;&nbsp;</TD>");
    out.Add("</TD><TD>&nbsp;" + L(ctl::kPRating) + "&nbsp;&nbsp;</TD></TR>");
    out.Add(kNameCellOpen);
    out.Add("&nbsp;&nbsp;Core codename:&nbsp;&nbsp;&nbsp;</TD>");
    out.Add("</TD><TD>&nbsp;" + L(ctl::kCore) + "&nbsp;&nbsp;</TD>");
    out.Add(kNameCellOpen2);
    out.Add("&nbsp;&nbsp;Platform:&nbsp;&nbsp;&nbsp;</TD>");
    out.Add("</TD><TD>&nbsp;" + L(ctl::kPlt) + "&nbsp;&nbsp;</TD></TR>");
    out.Add(kNameCellOpen);
    out.Add("&nbsp;&nbsp;Extended name:&nbsp;&nbsp;&nbsp;</TD>");
    out.Add("</TD><TD COLSPAN=\"3\">&nbsp;" + L(ctl::kCpuextname) + "&nbsp;&nbsp;</TD></TR>");
    out.Add("</TABLE><BR>");

    // model, cache size, additional
    out.Add(kNameTable);
    out.Add("<TR><TD COLSPAN=\"3\" ALIGN=\"CENTER\">&nbsp;&nbsp;Model Information&nbsp;&nbsp;</TD><TD "
            "STYLE=\"BORDER-TOP:0px; BORDER-BOTTOM:0px\">&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;</TD><TD COLSPAN=\"2\" "
            "ALIGN=\"CENTER\">&nbsp;&nbsp;Cache size&nbsp;&nbsp;</TD>");
    out.Add("<TD STYLE=\"BORDER-TOP:0px; BORDER-BOTTOM:0px\">&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;</TD><TD COLSPAN=\"2\" "
            "ALIGN=\"CENTER\">&nbsp;&nbsp;Additional&nbsp;&nbsp;</TD></TR>");
    out.Add(ModelRow("Family:", L(ctl::kFam), L(ctl::kEfam), L(ctl::kLabelL1i), L(ctl::kL1is), "CPU Type:", L(ctl::kCtp)));
    out.Add(ModelRow("Model:", L(ctl::kMdl), L(ctl::kEmdl), L(ctl::kLabelL1d), L(ctl::kL1ds), "APIC Id:", L(ctl::kApic)));
    out.Add(ModelRow("Stepping:", L(ctl::kStp), L(ctl::kEstp), L(ctl::kLabelL2), L(ctl::kL2s), "LP Count:", L(ctl::kLp)));
    out.Add(ModelRow("Brand Id:", L(ctl::kBrand), L(ctl::kEbrd), L(ctl::kLabelL3), L(ctl::kL3s), "Flush size:", L(ctl::kFls)));
    out.Add("</TABLE><BR>");

    out.Add("Core Speed:&nbsp;&nbsp;" + L(ctl::kCspeed) + "<BR>");
    out.Add("FSB Speed: &nbsp;&nbsp;" + L(ctl::kFspeed) + "<BR>");
    out.Add("Multiplier:&nbsp;&nbsp;" + L(ctl::kMult) + "<BR>");
    out.Add("<BR>");
    out.Add("Technological:<BR>");
    out.Add(L(ctl::kTech1) + "<BR>");
    out.Add(L(ctl::kTech2) + "<BR>");
    out.Add(L(ctl::kTech3) + "<BR><BR>");
    out.Add("Serial number: " + L(ctl::kSerialnumber) + "<BR>");
    out.Add("<BR><TABLE CELLSPACING=\"0\" CELLPADDING=\"0\" BORDER=\"1\">");
    out.Add("<TR><TD COLSPAN=\"2\" ALIGN=\"CENTER\">&nbsp;&nbsp;Instruction Sets&nbsp;&nbsp;</TD></TR>");
    for (size_t i = 0; i < kIsaIndicatorCount; ++i) out.Add(SetRow(kSetCaptions[i].html_name, Has(cpu, kIsaIndicators[i])));
    out.Add("</TABLE><BR><HR COLOR=\"#A0A0A0\" HEIGHT=\"1\"><BR>");

}

// The feature-flag tables: the three words, then the later ones.
void HtmlFeatures(Lines& out, const ReportInputs& in) {
    const CpuidData& cpu = *in.cpu;
    auto flags = [&](std::string_view title, uint32_t word, const BitNameTable& names) {
        out.Add("<TR><TD COLSPAN=\"2\" ALIGN=\"CENTER\">&nbsp;&nbsp;" + std::string(title) + "&nbsp;&nbsp;</TD></TR>");
        for (int i = 0; i < 32; ++i) out.Add(FlagRow(HtmlText(names[i]), Bit(word, i)));
    };
    out.Add("<CENTER>" + std::string(kFlagTable));
    flags("Standart Feature Flags (1)", cpu.featurs1, *in.std1_names);
    out.Add("</TABLE><BR>");
    out.Add(kFlagTable);
    flags("Standart Feature Flags (2)", cpu.featurs2, *in.std2_names);
    out.Add("</TABLE>");
    out.Add("<BR>");
    out.Add(kFlagTable);
    flags("Extended Feature Flags", cpu.feature1, *in.ext_names);
    if (HasLaterWords(cpu))
        for (const LaterFeatureWord& w : LaterFeatureWords())
            if (WordAdmitted(cpu, w)) {
                out.Add("</TABLE>");
                out.Add("<BR>");
                out.Add(kFlagTable);
                flags(w.title, cpu.*w.word, FeatureNames(w.page));
            }
    out.Add("</TABLE></CENTER>");
    out.Add("<BR><HR COLOR=\"#A0A0A0\" HEIGHT=\"1\"><BR>");

}

void HtmlCaches(Lines& out, const ReportInputs& in) {
    // caches and TLBs: level 1 in pairs from its first row, levels 2 and 3
    // with a single cache first
    auto rows = [&](const CacheBlock& left, const CacheBlock* right) {
        for (size_t i = 0; i < left.rows.size(); ++i) {
            const std::string_view caption = CacheRowCaption(left.rows[i].kind, CacheWording::HtmlReport);
            out.Add(right ? PairRow(caption, left.rows[i].value, right->rows[i].value)
                          : SingleRow(caption, left.rows[i].value));
        }
    };
    for (const CacheLevelListing& level : CacheListing(*in.caches)) {
        if (!level.present) continue;
        out.Add((level.level > 1 ? "<BR>" : "") + std::string(kWideTable));
        const CacheBlock* right = level.instructions ? &*level.instructions : nullptr;
        out.Add(right ? PairHead(CacheBlockTitle(level.cache, CacheWording::HtmlReport),
                                 CacheBlockTitle(*right, CacheWording::HtmlReport))
                      : SingleHead(CacheBlockTitle(level.cache, CacheWording::HtmlReport)));
        rows(level.cache, right);
        for (const auto& pair : level.tlb_pairs) {
            out.Add(kGapRow);
            out.Add(PairHead(CacheBlockTitle(pair[0], CacheWording::HtmlReport),
                             CacheBlockTitle(pair[1], CacheWording::HtmlReport)));
            rows(pair[0], &pair[1]);
        }
        out.Add(level.level == 3 ? "</TABLE><BR><BR>" : "</TABLE><BR>");
    }
}

}  // namespace

std::string HtmlReport(const ReportInputs& in) {
    const std::string version = HtmlText(in.version);
    Lines out;
    HtmlHead(out, in);
    HtmlProcessor(out, in);
    HtmlFeatures(out, in);
    HtmlCaches(out, in);
    out.Add("</TD></TR></TABLE>");
    out.Add("<HR COLOR=\"#000000\" HEIGHT=\"1\" WIDTH=\"100%\">Reported by Kestrune version " + version + " (" +
            HtmlText(DateTime(in)) + ")<BR>" + std::string(kLegalNotice) + "<BR>Official site: <A HREF=\"" +
            std::string(kWebAddress) + "\">" + std::string(kWebAddress) + "</A></CENTER></BODY></HTML>");
    return out.Take();
}

// ---------------------------------------------------------------- formats

std::optional<ReportFormat> ParseReportFormat(std::string_view name) {
    static constexpr std::array kFiles = {OutputFormat::Text, OutputFormat::Html, OutputFormat::Record};
    if (name.empty()) return std::nullopt;
    return PickFormat(name, kFiles);
}

std::string RenderReport(ReportFormat format, const ReportInputs& in) {
    switch (format) {
        case ReportFormat::Text: return TextReport(in);
        case ReportFormat::Html: return HtmlReport(in);
        case ReportFormat::Record: return DatabaseRecord(in);
        case OutputFormat::Json:
        case OutputFormat::Csv:
        case OutputFormat::Prometheus: break;
    }
    return {};
}

}  // namespace kest
