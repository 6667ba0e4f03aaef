#include "cpu/topology.h"

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <tuple>

#include "cpu/cpuid_bits.h"
#include "cpu/vendor.h"

namespace kest {

namespace {

constexpr uint32_t kLevelSmt = 1;

uint32_t LevelType(const CpuidRegs& r) { return (r.ecx >> 8) & 0xFF; }
uint32_t LevelCount(const CpuidRegs& r) { return r.ebx & 0xFFFF; }

}  // namespace

Topology TopologyFromCpuid(const CpuidData& cpu) {
    Topology t;
    if (cpu.maxcpuid < 1) return t;
    const bool hybrid = Has(cpu, cpuid_bit::kHybrid);
    const bool amd = cpu.vendorst == vendor::kAmd || cpu.vendorst == vendor::kHygon;

    if (amd && cpu.mxecpuid >= 0x80000008) {
        // NC (ECX bits 0-7) is the package's threads less one; from family
        // 17h on, 0x8000001E EBX bits 8-15 are the threads per core less one.
        t.threads = (cpu.ext8_ecx & 0xFF) + 1;
        const uint32_t family = cpu.stfamily == 0xF ? 0xFu + cpu.sefamily : cpu.stfamily;
        const uint32_t per_core = family >= 0x17 && cpu.mxecpuid >= 0x8000001E ? ((cpu.ext1e_ebx >> 8) & 0xFF) + 1 : 1;
        t.cores = t.threads / per_core;
        return t;
    }

    const std::vector<CpuidRegs>& levels = !cpu.leaf1f.empty() ? cpu.leaf1f : cpu.leaf0b;
    if (!levels.empty() && LevelCount(levels.back()) != 0) {
        uint32_t per_core = 1;
        for (const CpuidRegs& r : levels)
            if (LevelType(r) == kLevelSmt && LevelCount(r) != 0) per_core = LevelCount(r);
        t.threads = LevelCount(levels.back());
        // On a hybrid processor the SMT level belongs to the core read on.
        if (!hybrid) t.cores = t.threads / per_core;
        return t;
    }

    // Leaf 1 EBX bits 16-23 count the package's logical processors when
    // bit 28 of EDX says so; leaf 4 EAX bits 26-31 its cores less one.
    const bool htt = Has(cpu, cpuid_bit::kHtt);
    t.threads = htt && cpu.logprocc != 0 ? cpu.logprocc : 1;
    t.cores = !cpu.leaf4.empty() ? ((cpu.leaf4.front().eax >> 26) & 0x3F) + 1 : 1;
    if (t.threads < t.cores) t.threads = t.cores;
    if (hybrid) t.cores = 0;
    return t;
}

namespace {

bool ReadLine(const std::string& path, std::string& line) {
    std::ifstream in(path);
    return static_cast<bool>(std::getline(in, line));
}

bool ReadNumber(const std::string& path, long& v) {
    std::string line;
    if (!ReadLine(path, line)) return false;
    std::istringstream s(line);
    return static_cast<bool>(s >> v);
}

// A kernel CPU list: "0-3,8,10-11".
std::set<long> ParseCpuList(const std::string& text) {
    std::set<long> cpus;
    std::istringstream s(text);
    std::string part;
    while (std::getline(s, part, ',')) {
        long a = 0, b = 0;
        char dash = 0;
        std::istringstream p(part);
        if (!(p >> a)) continue;
        if (p >> dash && dash == '-' && p >> b) {
            for (long i = a; i <= b && i - a < 65536; ++i) cpus.insert(i);
        } else {
            cpus.insert(a);
        }
    }
    return cpus;
}

}  // namespace

bool ReadSysfsTopology(const std::string& sys_devices, Topology& out) {
    std::string online;
    if (!ReadLine(sys_devices + "/system/cpu/online", online)) return false;
    const std::set<long> cpus = ParseCpuList(online);
    if (cpus.empty()) return false;

    using CoreKey = std::tuple<long, long, long>;  // package, die, core
    std::set<long> packages;
    std::set<CoreKey> cores;
    std::map<long, CoreKey> core_of;
    for (long cpu : cpus) {
        const std::string dir = sys_devices + "/system/cpu/cpu" + std::to_string(cpu) + "/topology/";
        long pkg = 0, die = 0, core = 0;
        if (!ReadNumber(dir + "physical_package_id", pkg) || !ReadNumber(dir + "core_id", core)) return false;
        ReadNumber(dir + "die_id", die);  // older kernels have no dies
        packages.insert(pkg);
        cores.insert({pkg, die, core});
        core_of[cpu] = {pkg, die, core};
    }
    Topology t;
    t.packages = static_cast<uint32_t>(packages.size());
    t.cores = static_cast<uint32_t>(cores.size());
    t.threads = static_cast<uint32_t>(cpus.size());

    // Hybrid processors: the kernel's two core PMUs list their CPUs.
    auto count_cores = [&](const char* pmu) {
        std::string list;
        if (!ReadLine(sys_devices + "/" + pmu + "/cpus", list)) return 0u;
        std::set<CoreKey> of_kind;
        for (long cpu : ParseCpuList(list))
            if (auto it = core_of.find(cpu); it != core_of.end()) of_kind.insert(it->second);
        return static_cast<uint32_t>(of_kind.size());
    };
    t.pcores = count_cores("cpu_core");
    t.ecores = count_cores("cpu_atom");
    if (t.pcores == 0 || t.ecores == 0) t.pcores = t.ecores = 0;
    out = t;
    return true;
}

std::string TopologyText(const Topology& t) {
    if (t.threads == 0 && t.cores == 0) return {};
    auto plural = [](uint32_t n, const char* one, const char* many) {
        return std::to_string(n) + " " + (n == 1 ? one : many);
    };
    std::string cores = t.cores ? plural(t.cores, "core", "cores") : "cores unknown";
    if (t.pcores && t.ecores)
        cores += " (" + std::to_string(t.pcores) + "P + " + std::to_string(t.ecores) + "E)";
    const std::string body = cores + ", " + plural(t.threads, "thread", "threads");
    return t.packages ? plural(t.packages, "package", "packages") + ", " + body : "per package: " + body;
}

}  // namespace kest
