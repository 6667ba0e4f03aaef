// How many packages, cores and logical processors: the live machine's from
// the kernel's topology in sysfs, a dump's from CPUID (one package).
#pragma once

#include <cstdint>
#include <string>

#include "cpu/cpuid_data.h"

namespace kest {

struct Topology {
    // Packages of the live machine; 0 where only one package is described
    // (a dump), and then cores and threads count that package.
    uint32_t packages = 0;
    uint32_t cores = 0;    // 0: unknown
    uint32_t threads = 0;  // logical processors; 0: unknown
    // Hybrid processors: performance and efficient cores where the machine
    // tells them apart (both 0 otherwise).
    uint32_t pcores = 0;
    uint32_t ecores = 0;
};

// One package's cores and threads as the maker defines them: leaves
// 0x1F/0xB (the SMT level and the package level), else AMD's 0x80000008 ECX
// with 0x8000001E EBX, else leaf 1 EBX with leaf 4 EAX. A hybrid processor's
// cores are not known from one logical processor: 0.
Topology TopologyFromCpuid(const CpuidData& cpu);

// The online logical processors under `sys_devices` (normally
// "/sys/devices"): system/cpu/online and each one's topology/
// physical_package_id, die_id and core_id; cpu_core/cpus and cpu_atom/cpus
// for hybrid processors. Nothing when the tree is missing or unreadable.
bool ReadSysfsTopology(const std::string& sys_devices, Topology& out);

// This machine's packages, cores and logical processors from the operating
// system (topology_linux.cpp: the sysfs tree under /sys/devices;
// topology_windows.cpp: GetLogicalProcessorInformationEx). False when it
// cannot tell.
bool ReadLiveTopology(Topology& out);

// "1 package, 2 cores, 2 threads"; a dump's "per package: 8 cores, 16
// threads"; hybrid cores as "10 cores (2P + 8E)". Empty when nothing is known.
std::string TopologyText(const Topology& t);

}  // namespace kest
