// What the processor runs: a function of this test program as objdump shows
// it, and counting instructions in that text.
#pragma once

#include <array>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <regex>
#include <string>

namespace kest::disasm {

// objdump's disassembly of `symbol` in this program; empty when objdump is
// missing or the program cannot name its own file (no /proc/self/exe).
inline std::string Disassemble(const std::string& symbol) {
    std::error_code ec;
    const std::string exe = std::filesystem::read_symlink("/proc/self/exe", ec).string();
    if (ec) return {};
    const std::string cmd = "objdump -d --no-show-raw-insn --disassemble=" + symbol + " '" + exe + "' 2>/dev/null";
    std::string out;
    if (FILE* f = popen(cmd.c_str(), "r")) {
        std::array<char, 4096> buf;
        size_t got;
        while ((got = fread(buf.data(), 1, buf.size(), f)) > 0) out.append(buf.data(), got);
        pclose(f);
    }
    return out;
}

inline size_t Count(const std::string& text, const std::regex& re) {
    return static_cast<size_t>(
        std::distance(std::sregex_iterator(text.begin(), text.end(), re), std::sregex_iterator()));
}

}  // namespace kest::disasm
