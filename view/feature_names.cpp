#include "view/feature_names.h"

namespace kest {
namespace {

// Leaf 1 EDX.
constexpr const char* kStandard1[32] = {
    "Floating-point Unit",
    "Virtual Mode Extensions",
    "Debugging Extensions",
    "Pase Size Extensions (4MbpP)",
    "Time Stamp Counter",
    "Model-specific Registers",
    "Page Adress Extensions",
    "Machine Check Extensions",
    "CMPXCHG8B Instruction",
    "MP Support (APIC Presented)",
    "Reserved",
    "SYSENTER/SYSEXIT Fast System Call",
    "Memory Type Range Registers",
    "Global Paging Extensions",
    "Memory Check Architecture",
    "Conditional move Instruction",
    "Page Attribute Table",
    "Page Size Extensions (36 bit)",
    "Processor Serial Number",
    "CLFLUSH Instruction",
    "Reserved",
    "Debug Trace Store",
    "ACPI Support / Thermal Monitor MSRs",
    "MMX Instructions",
    "Fast Save and Restore",
    "SSE Instructions",
    "SSE2 Instructions",
    "Self Snoop",
    "Hyper Threading technology",
    "Thermal Monitor",
    "IA64 Compatibility",
    "Pending Break Event",
};

// Leaf 1 ECX. Bits named after the tables were first drawn up carry the
// makers' names (Intel SDM vol. 2A, CPUID; AMD APM vol. 3, appendix E).
constexpr const char* kStandard2[32] = {
    "SSE3 Instructions",
    "PCLMULQDQ Instruction",
    "64-bit Debug Store",
    "MONITOR/MWAIT Instructions",
    "CPL-qualified Debug Store",
    "Virtual Machine Extensions",
    "Safer Mode Extensions",
    "Enhanced SpeedStep Technology",
    "Thermal Control 2 MSRs",
    "SSSE3 Instructions",
    "Context ID",
    "Silicon Debug Interface",
    "FMA3 Instructions",
    "CMPXCHG16B Instruction",
    "xTPR Update Control",
    "Perfmon and Debug Capability MSR",
    "Reserved",
    "Process-context Identifiers",
    "Direct Cache Access",
    "SSE4.1 Instructions",
    "SSE4.2 Instructions",
    "x2APIC Support",
    "MOVBE Instruction",
    "POPCNT Instruction",
    "TSC Deadline Timer",
    "AES Instructions",
    "XSAVE/XRSTOR Instructions",
    "XSAVE Enabled by the OS (OSXSAVE)",
    "AVX Instructions",
    "F16C Half-precision Conversion",
    "RDRAND Instruction",
    "Hypervisor Present",
};

// Leaf 0x80000001 EDX.
constexpr const char* kExtended[32] = {
    "Floating-point Unit",
    "Virtual Mode Extensions",
    "Debugging Extensions",
    "Pase Size Extensions (4MbpP)",
    "Time Stamp Counter",
    "Model-specific Registers",
    "Page Adress Extensions",
    "Machine Check Extensions",
    "CMPXCHG8B Instruction",
    "MP Support (APIC Presented)",
    "Reserved",
    "SYSCALL/SYSRET Fast System Call",
    "Memory Type Range Registers",
    "Global Paging Extensions",
    "Memory Check Architecture",
    "Conditional move Instruction",
    "Page Attribute Table",
    "Page Size Extensions (36 bit)",
    "Reserved",
    "Multiprocessor capability",
    "Extended Feature Enable MSR (AA64)",
    "Reserved",
    "Ext. MMX Instructions",
    "MMX Instructions",
    "Fast Save and Restore",
    "FXSAVE/FXRSTOR Optimizations",
    "1 GB Pages",
    "RDTSCP Instruction",
    "Reserved",
    "AMD 64-bit compatibility (AA64)",
    "AMD 3DNow! Plus Instructions",
    "AMD 3DNow! Instructions",
};

std::array<std::string, 32> Build(const char* const (&names)[32]) {
    std::array<std::string, 32> out;
    for (int i = 0; i < 32; ++i)
        out[i] = "[" + std::to_string(i) + "]" + (i < 10 ? "  " : " ") + names[i];
    return out;
}

}  // namespace

const std::array<std::string, 32>& FeatureNames(FeaturePage page) {
    static const std::array<std::string, 32> standard1 = Build(kStandard1);
    static const std::array<std::string, 32> standard2 = Build(kStandard2);
    static const std::array<std::string, 32> extended = Build(kExtended);
    switch (page) {
        case FeaturePage::Standard2: return standard2;
        case FeaturePage::Extended: return extended;
        case FeaturePage::Standard1: break;
    }
    return standard1;
}

}  // namespace kest
