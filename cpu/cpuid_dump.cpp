// Reading CPUID dumps saved by other tools. Only the first logical processor
// of a dump is read; everything after the next processor header, or after a
// line made only of dashes (the notes some dumps carry at their end), is
// left alone.
//
// Line shapes:
//   AIDA64/InstLatx64  "CPUID 00000004: 3C004121-02C0003F-0000003F-00000000 [SL 00] [L1D: 48 KB]"
//                      "[SL nn]" names the sub-leaf (hex); without it, a leaf
//                      seen again is its next sub-leaf. Other notes in
//                      brackets are ignored. Older AIDA64/Everest dumps
//                      leave out the colon: "CPUID 00000001  \t00100F52-...".
//   libcpuid           "basic_cpuid[1]=00000f29 00020800 00000000 bfebfbff",
//                      "ext_cpuid[N]=" (leaf 0x80000000 + N), sub-leaf keys
//                      "intel_fn4[i]=", "intel_fn11[i]=", "intel_fn12h[i]=",
//                      "intel_fn14h[i]=", "amd_fn8000001dh[i]="; other keys
//                      ("version=", "cpu_clock=" ...) are ignored.
//   cpuid -r           "   0x00000004 0x01: eax=0x... ebx=0x... ecx=0x... edx=0x..."
//
// A line that starts like a record but does not parse is an error naming
// the file and line. Free text before the first record is a preamble and is
// skipped; a later record line of a different format is an error. When the
// same leaf and sub-leaf appear twice, the later line wins (libcpuid writes
// leaf 4 sub-leaf 0 both as basic_cpuid[4] and intel_fn4[0]).
#include "cpu/cpuid_dump.h"

#include <cctype>
#include <cstring>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <utility>

#include "cpu/file_io.h"

namespace kest {

namespace {

// Real dumps hold a few hundred records per processor and stay far below a
// megabyte even with every logical processor of a large server.
constexpr std::size_t kMaxDumpBytes = 16 * 1024 * 1024;
constexpr std::size_t kMaxRecords = 10000;

using LeafKey = std::pair<uint32_t, uint32_t>;  // leaf, sub-leaf

class DumpCpuidSource final : public CpuidSource {
public:
    explicit DumpCpuidSource(std::map<LeafKey, CpuidRegs> leaves) : leaves_(std::move(leaves)) {}
    bool HasCpuid() override { return true; }
    bool Is486() override { return true; }
    CpuidRegs Query(uint32_t leaf, uint32_t subleaf) override {
        const auto it = leaves_.find({leaf, subleaf});
        return it == leaves_.end() ? CpuidRegs{} : it->second;
    }

private:
    std::map<LeafKey, CpuidRegs> leaves_;
};

enum class Format { kNone, kAida, kLibcpuid, kCpuidTool };

const char* FormatName(Format f) {
    switch (f) {
        case Format::kAida: return "CPUID nnnnnnnn:";
        case Format::kLibcpuid: return "libcpuid";
        case Format::kCpuidTool: return "cpuid -r";
        case Format::kNone: break;
    }
    return "";
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

bool StartsWith(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }

bool Contains(std::string_view s, std::string_view p) { return s.find(p) != std::string_view::npos; }

bool IsHex(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

// 1 to 8 hexadecimal digits, nothing else.
std::optional<uint32_t> ParseHex32(std::string_view s) {
    if (s.empty() || s.size() > 8) return std::nullopt;
    uint32_t v = 0;
    for (char c : s) {
        if (!IsHex(c)) return std::nullopt;
        const auto u = static_cast<unsigned char>(c);
        const uint32_t d = std::isdigit(u) ? u - '0' : (std::tolower(u) - 'a' + 10);
        v = (v << 4) | d;
    }
    return v;
}

// A decimal index of at most 5 digits.
std::optional<uint32_t> ParseIndex(std::string_view s) {
    if (s.empty() || s.size() > 5) return std::nullopt;
    uint32_t v = 0;
    for (char c : s) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
        v = v * 10 + static_cast<uint32_t>(c - '0');
    }
    return v;
}

// Splits off the next run of non-blank characters.
std::string_view NextToken(std::string_view& s) {
    s = Trim(s);
    std::size_t n = 0;
    while (n < s.size() && !std::isspace(static_cast<unsigned char>(s[n]))) ++n;
    const std::string_view tok = s.substr(0, n);
    s.remove_prefix(n);
    return tok;
}

// "------[ Logical CPU #0 ]------", "------[ CPUID Registers / Logical CPU #1 ]------",
// "CPUID Registers (CPU #1):", "CPU#000 AffMask: 0x...", "____ Logical CPU #0 ____",
// and cpuid -r's "CPU:" / "CPU 3:".
bool IsProcessorHeader(std::string_view line) {
    if (StartsWith(line, "---") && Contains(line, "[") && Contains(line, "]"))
        return Contains(line, "Logical CPU") || Contains(line, "CPU #") || Contains(line, "CPU#");
    if (StartsWith(line, "_") && Contains(line, "Logical CPU")) return true;
    if (StartsWith(line, "CPUID Registers") && line.back() == ':') return true;
    if (StartsWith(line, "CPU#") && Contains(line, "AffMask")) return true;
    if (StartsWith(line, "CPU") && line.back() == ':') {
        const std::string_view mid = Trim(line.substr(3, line.size() - 4));
        return mid.empty() || ParseIndex(mid).has_value();
    }
    return false;
}

// "------[ Versions ]------" and the like: a section that is not a processor.
bool IsSectionHeader(std::string_view line) {
    return StartsWith(line, "---") && Contains(line, "[") && Contains(line, "]");
}

bool IsDashRule(std::string_view line) {
    return line.size() >= 4 && line.find_first_not_of('-') == std::string_view::npos;
}

struct ParsedRecord {
    uint32_t leaf = 0;
    std::optional<uint32_t> subleaf;  // absent: the leaf's next sub-leaf
    CpuidRegs regs;
};

class Parser {
public:
    explicit Parser(const std::string& name) : name_(name) {}

    std::unique_ptr<CpuidSource> Parse(std::string_view text) {
        if (text.empty()) throw DumpError(name_ + ": empty file");
        if (StartsWith(text, "\xEF\xBB\xBF")) text.remove_prefix(3);  // UTF-8 byte order mark

        std::size_t pos = 0;
        while (pos < text.size()) {
            std::size_t end = text.find('\n', pos);
            if (end == std::string_view::npos) end = text.size();
            ++line_no_;
            const bool go_on = Line(Trim(text.substr(pos, end - pos)));
            if (!go_on) break;
            pos = end + 1;
        }
        if (leaves_.empty()) throw DumpError(name_ + ": no CPUID records found");
        return std::make_unique<DumpCpuidSource>(std::move(leaves_));
    }

private:
    [[noreturn]] void Fail(const std::string& reason) const {
        throw DumpError(name_ + ":" + std::to_string(line_no_) + ": " + reason);
    }

    // Returns false where the first processor's records end.
    bool Line(std::string_view line) {
        if (line.empty()) return true;
        const bool started = format_ != Format::kNone;
        if (IsDashRule(line)) return !started;
        if (IsProcessorHeader(line)) {
            if (started || seen_processor_) return false;
            seen_processor_ = true;
            return true;
        }
        if (IsSectionHeader(line)) return !started;

        std::optional<ParsedRecord> rec;
        Format f = Format::kNone;
        if (StartsWith(line, "CPUID")) {
            f = Format::kAida;
            rec = ParseAida(line);
        } else if (StartsWith(line, "0x") || StartsWith(line, "0X")) {
            f = Format::kCpuidTool;
            rec = ParseCpuidTool(line);
        } else if (LooksLikeKeyValue(line)) {
            f = Format::kLibcpuid;
            rec = ParseLibcpuid(line);
            if (!rec) return true;  // a key we do not use ("version=", "cpu_clock=" ...)
        } else {
            // Free text: the preamble some tools write before the registers.
            if (started) Fail("unrecognised line in the CPUID records");
            return true;
        }

        if (format_ == Format::kNone) {
            format_ = f;
        } else if (format_ != f) {
            Fail(std::string("record line in a different format from the ") + FormatName(format_) +
                 " lines before it");
        }
        Store(*rec);
        return true;
    }

    void Store(const ParsedRecord& r) {
        uint32_t sub = 0;
        if (r.subleaf) {
            sub = *r.subleaf;
        } else if (const auto it = last_subleaf_.find(r.leaf); it != last_subleaf_.end()) {
            if (it->second == 0xFFFFFFFFu) Fail("too many sub-leaves");
            sub = it->second + 1;
        }
        last_subleaf_[r.leaf] = sub;
        leaves_[{r.leaf, sub}] = r.regs;
        if (leaves_.size() > kMaxRecords)
            Fail("more than " + std::to_string(kMaxRecords) + " CPUID records for one processor");
    }

    // CPUID 00000004: 3C004121-02C0003F-0000003F-00000000 [SL 00] [L1D: 48 KB]
    // The colon after the leaf may be missing; any run of blanks and tabs
    // separates the leaf from the registers.
    ParsedRecord ParseAida(std::string_view line) {
        std::string_view rest = line.substr(5);
        if (rest.empty() || !std::isspace(static_cast<unsigned char>(rest.front())))
            Fail("expected \"CPUID <leaf>: <eax>-<ebx>-<ecx>-<edx>\"");
        std::string_view leaf_tok = NextToken(rest);
        if (!leaf_tok.empty() && leaf_tok.back() == ':') {
            leaf_tok.remove_suffix(1);
        } else if (rest = Trim(rest); !rest.empty() && rest.front() == ':') {
            rest.remove_prefix(1);  // "CPUID 00000001 : ..."
        }
        const auto leaf = ParseHex32(leaf_tok);
        if (!leaf) Fail("leaf number is not 1 to 8 hexadecimal digits");

        const std::string_view regs_tok = NextToken(rest);
        ParsedRecord rec;
        rec.leaf = *leaf;
        uint32_t* const out[4] = {&rec.regs.eax, &rec.regs.ebx, &rec.regs.ecx, &rec.regs.edx};
        std::string_view r = regs_tok;
        for (int i = 0; i < 4; ++i) {
            const std::size_t dash = i < 3 ? r.find('-') : r.size();
            if (dash == std::string_view::npos) Fail("expected four registers separated by '-'");
            const auto v = ParseHex32(r.substr(0, dash));
            if (!v) Fail("register is not 1 to 8 hexadecimal digits");
            *out[i] = *v;
            r.remove_prefix(i < 3 ? dash + 1 : dash);
        }

        // Notes follow in brackets; "[SL nn]" as the first names the sub-leaf.
        rest = Trim(rest);
        if (!rest.empty() && rest.front() != '[') Fail("unexpected text after the registers");
        if (StartsWith(rest, "[SL")) {
            const std::size_t close = rest.find(']');
            if (close == std::string_view::npos) Fail("unterminated [SL nn] note");
            const auto sub = ParseHex32(Trim(rest.substr(3, close - 3)));
            if (!sub) Fail("sub-leaf in [SL nn] is not 1 to 8 hexadecimal digits");
            rec.subleaf = *sub;
        }
        return rec;
    }

    // 0x00000004 0x01: eax=0x3c004121 ebx=0x02c0003f ecx=0x0000003f edx=0x00000000
    // (the sub-leaf column may be missing in older output).
    ParsedRecord ParseCpuidTool(std::string_view line) {
        auto hex_value = [this](std::string_view tok, const char* what) {
            if (!(StartsWith(tok, "0x") || StartsWith(tok, "0X"))) Fail(std::string("expected 0x before the ") + what);
            const auto v = ParseHex32(tok.substr(2));
            if (!v) Fail(std::string(what) + " is not 1 to 8 hexadecimal digits");
            return *v;
        };

        std::string_view rest = line;
        std::string_view leaf_tok = NextToken(rest);
        ParsedRecord rec;
        if (!leaf_tok.empty() && leaf_tok.back() == ':') {
            leaf_tok.remove_suffix(1);
            rec.leaf = hex_value(leaf_tok, "leaf number");
        } else {
            rec.leaf = hex_value(leaf_tok, "leaf number");
            std::string_view sub_tok = NextToken(rest);
            if (sub_tok.empty() || sub_tok.back() != ':') Fail("expected ':' after the sub-leaf number");
            sub_tok.remove_suffix(1);
            rec.subleaf = hex_value(sub_tok, "sub-leaf number");
        }

        static constexpr const char* kNames[4] = {"eax=", "ebx=", "ecx=", "edx="};
        uint32_t* const out[4] = {&rec.regs.eax, &rec.regs.ebx, &rec.regs.ecx, &rec.regs.edx};
        for (int i = 0; i < 4; ++i) {
            const std::string_view tok = NextToken(rest);
            if (!StartsWith(tok, kNames[i])) Fail(std::string("expected ") + kNames[i] + "0x...");
            *out[i] = hex_value(tok.substr(4), "register");
        }
        if (!Trim(rest).empty()) Fail("unexpected text after the registers");
        return rec;
    }

    static bool LooksLikeKeyValue(std::string_view line) {
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos || eq == 0) return false;
        for (char c : line.substr(0, eq)) {
            const auto u = static_cast<unsigned char>(c);
            if (!(std::isalnum(u) || c == '_' || c == '[' || c == ']')) return false;
        }
        return true;
    }

    // basic_cpuid[1]=00000f29 00020800 00000000 bfebfbff; nothing for other keys.
    std::optional<ParsedRecord> ParseLibcpuid(std::string_view line) {
        struct Key {
            std::string_view name;
            uint32_t leaf;        // leaf, or the base the index is added to
            bool index_is_leaf;   // index counts leaves rather than sub-leaves
        };
        static constexpr Key kKeys[] = {
            {"basic_cpuid", 0, true},         {"ext_cpuid", 0x80000000, true},
            {"intel_fn4", 4, false},          {"intel_fn11", 0xB, false},
            {"intel_fn12h", 0x12, false},     {"intel_fn14h", 0x14, false},
            {"amd_fn8000001dh", 0x8000001D, false},
        };
        const std::size_t eq = line.find('=');
        const std::string_view key = line.substr(0, eq);
        const std::size_t bracket = key.find('[');
        const std::string_view base = key.substr(0, bracket);
        const Key* k = nullptr;
        for (const Key& cand : kKeys)
            if (cand.name == base) k = &cand;
        if (!k) return std::nullopt;

        if (bracket == std::string_view::npos || key.back() != ']') Fail("expected " + std::string(base) + "[index]=");
        const auto index = ParseIndex(key.substr(bracket + 1, key.size() - bracket - 2));
        if (!index) Fail("index of " + std::string(base) + " is not a decimal number");

        ParsedRecord rec;
        if (k->index_is_leaf) {
            rec.leaf = k->leaf + *index;
            rec.subleaf = 0;
        } else {
            rec.leaf = k->leaf;
            rec.subleaf = *index;
        }
        std::string_view rest = line.substr(eq + 1);
        uint32_t* const out[4] = {&rec.regs.eax, &rec.regs.ebx, &rec.regs.ecx, &rec.regs.edx};
        for (int i = 0; i < 4; ++i) {
            const auto v = ParseHex32(NextToken(rest));
            if (!v) Fail("expected four registers of 1 to 8 hexadecimal digits");
            *out[i] = *v;
        }
        if (!Trim(rest).empty()) Fail("unexpected text after the registers");
        return rec;
    }

    const std::string& name_;
    std::size_t line_no_ = 0;
    Format format_ = Format::kNone;
    bool seen_processor_ = false;
    std::map<LeafKey, CpuidRegs> leaves_;
    std::map<uint32_t, uint32_t> last_subleaf_;
};

}  // namespace

std::unique_ptr<CpuidSource> ParseCpuidDump(std::string_view text, const std::string& name) {
    return Parser(name).Parse(text);
}

std::unique_ptr<CpuidSource> LoadCpuidDump(const std::string& path) {
    // Only a regular file is read (no directory, device or pipe); a dump
    // its user names may be reached through a link.
    InputFileOptions options;
    options.follow_links = true;
    const FileContents file = ReadWholeFile(path, kMaxDumpBytes, options);
    const std::string why = std::strerror(file.result.err);
    switch (file.result.step) {
        case FileStep::kNone: break;
        case FileStep::kFolder: throw DumpError(path + ": is a folder, not a CPUID dump");
        case FileStep::kNotRegular: throw DumpError(path + ": not a regular file");
        case FileStep::kTooLarge: throw DumpError(path + ": file too large for a CPUID dump (more than 16 MB)");
        case FileStep::kRead: throw DumpError(path + ": read error: " + why);
        default: throw DumpError(path + ": cannot open: " + why);
    }
    return ParseCpuidDump(file.bytes, path);
}

}  // namespace kest
