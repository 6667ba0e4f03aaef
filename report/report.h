// The text report, the HTML report and the processor database record.
//
// Each is built in memory from what the main window shows (its WindowState)
// plus the records the window does not show (feature bits, bit names, the
// cache description). The result is the exact file content: Windows-1252
// bytes, CR LF after every line, never a zero byte.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "cpu/cache_info.h"
#include "cpu/cpuid_data.h"
#include "cpu/output_format.h"
#include "record/memtestr.h"
#include "view/product.h"
#include "view/window_state.h"

namespace kest {

// 32 captions of one feature word, "[0]  Floating-point Unit" ...
using BitNameTable = std::array<std::string, 32>;

// Copies a table of any string-like entries (the feature-page tables).
template <class Table>
BitNameTable MakeBitNameTable(const Table& t) {
    BitNameTable out;
    for (size_t i = 0; i < out.size() && i < std::size(t); ++i) out[i] = std::string(std::string_view(t[i]));
    return out;
}

// Everything one report or record reads, as it stands at the moment of saving.
struct ReportInputs {
    const WindowState* window = nullptr;  // label texts, as the window shows them
    const CpuidData* cpu = nullptr;       // feature words and the record's numbers
    const CacheInfo* caches = nullptr;
    uint16_t intprocn = 0;                // after the Hyper-Threading change of the window
    const BitNameTable* std1_names = nullptr;  // leaf 1 EDX
    const BitNameTable* std2_names = nullptr;  // leaf 1 ECX
    const BitNameTable* ext_names = nullptr;   // leaf 0x80000001 EDX
    std::string memtestr = kMemtestrDefault;
    std::string version = std::string(kProgramVersion);
    std::string date;  // the user's short date format
    std::string time;  // the user's long time format
};

std::string TextReport(const ReportInputs& in);
std::string HtmlReport(const ReportInputs& in);
std::string DatabaseRecord(const ReportInputs& in);

// The record checksum: value times weight (the line number) reduced to
// 32 bits, summed in 64 bits over the 23 covered lines.
uint64_t RecordChecksum(const CpuidData& cpu, const CacheInfo& caches, uint16_t intprocn);

// The three file formats: OutputFormat::Text, Html and Record.
using ReportFormat = OutputFormat;
// "text", "html", "record"; nothing for anything else.
std::optional<ReportFormat> ParseReportFormat(std::string_view name);
std::string RenderReport(ReportFormat format, const ReportInputs& in);

// --- names -----------------------------------------------------------------

// The text up to its first zero byte: no file ever holds one.
std::string_view UpToZero(std::string_view s);
// A value as every output writes it: up to its first zero byte, with each
// other control byte (below 0x20, and 0x7F) written as a blank, so that a
// value can neither break a line nor send terminal control sequences.
std::string PlainText(std::string_view s);
// PlainText with '&', '<', '>' and '"' written as HTML entities, for every
// text of the HTML report that does not come from its own markup.
std::string HtmlText(std::string_view s);

// Family, model and stepping digits from the decimal texts of `fam`, `mdl`
// and `stp`: the second character of HexText(value, strip) each, so 0 gives
// nothing (15, 2, 9 give "F29"; 15, 0, 7 give "F7").
std::string SignatureDigits(const WindowState& window);
// "zakcpu_0x" + digits + "h", the reports' default file name.
std::string DefaultReportName(const WindowState& window);
// "zakcpu" + count + "_0x" + digits + "h", the screenshot's default name.
std::string DefaultScreenshotName(const WindowState& window, unsigned count);

// Extension rules, all case-sensitive on the path's last characters.
std::string WithTextExtension(std::string path);    // ".txt"
std::string WithHtmlExtension(std::string path);    // ".html" or ".htm", else ".html"
std::string WithBitmapExtension(std::string path);  // ".bmp"

}  // namespace kest
