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

// Leaf 0x80000001 ECX.
constexpr const char* kExt1Ecx[32] = {
    "LAHF/SAHF in 64-bit Mode",
    "Core Multi-processing Legacy Mode",
    "Secure Virtual Machine (SVM)",
    "Extended APIC Space",
    "LOCK MOV CR0 means MOV CR8",
    "LZCNT Instruction (ABM)",
    "SSE4A Instructions",
    "Misaligned SSE Mode",
    "PREFETCH/PREFETCHW Instructions",
    "OS Visible Workaround",
    "Instruction Based Sampling",
    "XOP Instructions",
    "SKINIT/STGI Instructions",
    "Watchdog Timer",
    "Reserved",
    "Lightweight Profiling",
    "FMA4 Instructions",
    "Translation Cache Extension",
    "Reserved",
    "NodeId MSR",
    "Reserved",
    "TBM Instructions",
    "Topology Extensions",
    "Core Performance Counter Extensions",
    "NB Performance Counter Extensions",
    "Reserved",
    "Data Breakpoint Extension",
    "Performance Time-stamp Counter",
    "L3 Performance Counter Extensions",
    "MONITORX/MWAITX Instructions",
    "Address Mask Extension",
    "Reserved",
};

// Leaf 7 sub-leaf 0 EBX.
constexpr const char* kL7s0Ebx[32] = {
    "FSGSBASE Instructions",
    "TSC_ADJUST MSR",
    "Software Guard Extensions (SGX)",
    "BMI1 Instructions",
    "Hardware Lock Elision",
    "AVX2 Instructions",
    "FPU Data Pointer on Exceptions Only",
    "Supervisor-mode Execution Prevention",
    "BMI2 Instructions",
    "Enhanced REP MOVSB/STOSB",
    "INVPCID Instruction",
    "Restricted Transactional Memory",
    "Resource Director Monitoring",
    "FPU CS and DS Deprecated",
    "Memory Protection Extensions (MPX)",
    "Resource Director Allocation",
    "AVX-512 Foundation",
    "AVX-512 Doubleword and Quadword",
    "RDSEED Instruction",
    "ADCX/ADOX Instructions",
    "Supervisor-mode Access Prevention",
    "AVX-512 Integer FMA (IFMA)",
    "Reserved",
    "CLFLUSHOPT Instruction",
    "CLWB Instruction",
    "Processor Trace",
    "AVX-512 Prefetch (PF)",
    "AVX-512 Exp. and Reciprocal (ER)",
    "AVX-512 Conflict Detection (CD)",
    "SHA Extensions",
    "AVX-512 Byte and Word (BW)",
    "AVX-512 Vector Length (VL)",
};

// Leaf 7 sub-leaf 0 ECX.
constexpr const char* kL7s0Ecx[32] = {
    "PREFETCHWT1 Instruction",
    "AVX-512 VBMI Instructions",
    "User-mode Instruction Prevention",
    "Protection Keys for User Pages",
    "Protection Keys Enabled by the OS",
    "TPAUSE/UMONITOR/UMWAIT Instructions",
    "AVX-512 VBMI2",
    "CET Shadow Stack",
    "Galois Field Instructions (GFNI)",
    "VAES Instructions",
    "VPCLMULQDQ Instruction",
    "AVX-512 Neural Network (VNNI)",
    "AVX-512 Bit Algorithms (BITALG)",
    "Total Memory Encryption",
    "AVX-512 VPOPCNTDQ Instruction",
    "Reserved",
    "5-level Paging (57-bit Addresses)",
    "MPX Address-width Adjust, bit 0",
    "MPX Address-width Adjust, bit 1",
    "MPX Address-width Adjust, bit 2",
    "MPX Address-width Adjust, bit 3",
    "MPX Address-width Adjust, bit 4",
    "RDPID Instruction",
    "Key Locker",
    "Bus Lock Debug Exception",
    "CLDEMOTE Instruction",
    "Reserved",
    "MOVDIRI Instruction",
    "MOVDIR64B Instruction",
    "Enqueue Stores (ENQCMD)",
    "SGX Launch Configuration",
    "Protection Keys for Supervisor Pages",
};

// Leaf 7 sub-leaf 0 EDX.
constexpr const char* kL7s0Edx[32] = {
    "Reserved",
    "SGX Attestation Services",
    "AVX-512 4VNNIW Instructions",
    "AVX-512 4FMAPS Instructions",
    "Fast Short REP MOV",
    "User Interrupts",
    "Reserved",
    "Reserved",
    "AVX-512 VP2INTERSECT Instructions",
    "SRBDS Mitigation MSR",
    "VERW Clears CPU Buffers",
    "RTM Always Aborts",
    "Reserved",
    "TSX Force Abort MSR",
    "SERIALIZE Instruction",
    "Hybrid Processor",
    "TSX Suspend Load Address Tracking",
    "Reserved",
    "PCONFIG Instruction",
    "Architectural Last Branch Records",
    "CET Indirect Branch Tracking",
    "Reserved",
    "AMX BF16 Instructions",
    "AVX-512 FP16 Instructions",
    "AMX Tile Architecture",
    "AMX INT8 Instructions",
    "IBRS and IBPB Speculation Control",
    "STIBP Speculation Control",
    "L1 Data Cache Flush MSR",
    "ARCH_CAPABILITIES MSR",
    "CORE_CAPABILITIES MSR",
    "Speculative Store Bypass Disable",
};

// Leaf 7 sub-leaf 1 EAX.
constexpr const char* kL7s1Eax[32] = {
    "SHA512 Instructions",
    "SM3 Instructions",
    "SM4 Instructions",
    "RAO-INT Instructions",
    "AVX Neural Network (AVX-VNNI)",
    "AVX-512 BF16 Instructions",
    "Linear Address Space Separation",
    "CMPccXADD Instructions",
    "Architectural PerfMon Extensions",
    "Reserved",
    "Fast Zero-length REP MOVSB",
    "Fast Short REP STOSB",
    "Fast Short REP CMPSB/SCASB",
    "Reserved",
    "Reserved",
    "Reserved",
    "Reserved",
    "Flexible Return and Event Delivery",
    "LKGS Instruction",
    "WRMSRNS Instruction",
    "Reserved",
    "AMX FP16 Instructions",
    "History Reset (HRESET)",
    "AVX IFMA Instructions",
    "Reserved",
    "Reserved",
    "Linear Address Masking",
    "RDMSRLIST/WRMSRLIST Instructions",
    "Reserved",
    "Reserved",
    "Reserved",
    "Reserved",
};

// Leaf 0x80000008 EBX.
constexpr const char* kExt8Ebx[32] = {
    "CLZERO Instruction",
    "Instructions Retired Count MSR",
    "FP Error Pointers Always Restored",
    "INVLPGB/TLBSYNC Instructions",
    "RDPRU Instruction",
    "Reserved",
    "Memory Bandwidth Enforcement",
    "Reserved",
    "MCOMMIT Instruction",
    "WBNOINVD Instruction",
    "Reserved",
    "Reserved",
    "Indirect Branch Prediction Barrier",
    "Interruptible WBINVD/WBNOINVD",
    "Indirect Branch Restricted Speculation",
    "STIBP Speculation Control",
    "IBRS Always On",
    "STIBP Always On",
    "IBRS Preferred",
    "IBRS Same Mode Protection",
    "EFER.LMSLE Unsupported",
    "INVLPGB for Nested Translations",
    "Reserved",
    "Protected Processor Inventory Number",
    "Speculative Store Bypass Disable",
    "Virtualised SSBD",
    "Not Vulnerable to Store Bypass",
    "Collaborative Perf. Control (CPPC)",
    "Predictive Store Forwarding Disable",
    "Branch Type Confusion Not Vulnerable",
    "IBPB Clears Return Address Predictor",
    "Branch Sampling",
};

// Leaf 0x80000021 EAX.
constexpr const char* kExt21Eax[32] = {
    "No Nested Data Breakpoints",
    "Non-serialising FS/GS Base Writes",
    "LFENCE Always Serialising",
    "SMM Page Configuration Lock",
    "Reserved",
    "Reserved",
    "Null Selector Clears Base",
    "Upper Address Ignore",
    "Automatic IBRS",
    "SMM_CTL MSR Not Present",
    "Reserved",
    "Reserved",
    "Reserved",
    "Prefetch Control MSR",
    "Reserved",
    "Reserved",
    "Reserved",
    "CPUID Disable for User Mode",
    "Reserved",
    "Reserved",
    "Reserved",
    "Reserved",
    "Reserved",
    "Reserved",
    "Reserved",
    "Reserved",
    "Reserved",
    "Selective Branch Predictor Barrier",
    "IBPB Flushes Branch Type Predictions",
    "Not Vulnerable to SRSO",
    "Reserved",
    "Reserved",
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
    static const std::array<std::string, 32> ext1_ecx = Build(kExt1Ecx);
    static const std::array<std::string, 32> l7s0_ebx = Build(kL7s0Ebx);
    static const std::array<std::string, 32> l7s0_ecx = Build(kL7s0Ecx);
    static const std::array<std::string, 32> l7s0_edx = Build(kL7s0Edx);
    static const std::array<std::string, 32> l7s1_eax = Build(kL7s1Eax);
    static const std::array<std::string, 32> ext8_ebx = Build(kExt8Ebx);
    static const std::array<std::string, 32> ext21_eax = Build(kExt21Eax);
    switch (page) {
        case FeaturePage::Standard2: return standard2;
        case FeaturePage::Extended: return extended;
        case FeaturePage::Ext1Ecx: return ext1_ecx;
        case FeaturePage::L7s0Ebx: return l7s0_ebx;
        case FeaturePage::L7s0Ecx: return l7s0_ecx;
        case FeaturePage::L7s0Edx: return l7s0_edx;
        case FeaturePage::L7s1Eax: return l7s1_eax;
        case FeaturePage::Ext8Ebx: return ext8_ebx;
        case FeaturePage::Ext21Eax: return ext21_eax;
        case FeaturePage::Standard1: break;
    }
    return standard1;
}

namespace {

constexpr LaterFeatureWord kLaterWords[] = {
    {FeaturePage::Ext1Ecx, &CpuidData::ext1_ecx, 0x80000001, "Extended Features (ECX)",
     "Extended Feature Flags (ECX)", ctl::kLffExt1Ecx},
    {FeaturePage::L7s0Ebx, &CpuidData::l7s0_ebx, 7, "Structured Features (leaf 7, EBX)",
     "Structured Feature Flags (leaf 7, EBX)", ctl::kLffL7s0Ebx},
    {FeaturePage::L7s0Ecx, &CpuidData::l7s0_ecx, 7, "Structured Features (leaf 7, ECX)",
     "Structured Feature Flags (leaf 7, ECX)", ctl::kLffL7s0Ecx},
    {FeaturePage::L7s0Edx, &CpuidData::l7s0_edx, 7, "Structured Features (leaf 7, EDX)",
     "Structured Feature Flags (leaf 7, EDX)", ctl::kLffL7s0Edx},
    {FeaturePage::L7s1Eax, &CpuidData::l7s1_eax, 7, "Structured Features (leaf 7.1, EAX)",
     "Structured Feature Flags (leaf 7.1, EAX)", ctl::kLffL7s1Eax},
    {FeaturePage::Ext8Ebx, &CpuidData::ext8_ebx, 0x80000008, "Extended Features (80000008h, EBX)",
     "Extended Feature Flags (80000008h, EBX)", ctl::kLffExt8Ebx},
    {FeaturePage::Ext21Eax, &CpuidData::ext21_eax, 0x80000021, "Extended Features (80000021h, EAX)",
     "Extended Feature Flags (80000021h, EAX)", ctl::kLffExt21Eax},
};

}  // namespace

std::span<const LaterFeatureWord> LaterFeatureWords() { return kLaterWords; }

const LaterFeatureWord* FindLaterWord(FeaturePage page) {
    for (const LaterFeatureWord& w : kLaterWords)
        if (w.page == page) return &w;
    return nullptr;
}

bool WordAdmitted(const CpuidData& cpu, const LaterFeatureWord& w) {
    return w.leaf >= 0x80000000u ? cpu.mxecpuid >= w.leaf : cpu.maxcpuid >= w.leaf;
}

bool HasLaterWords(const CpuidData& cpu) { return cpu.maxcpuid >= 7 || cpu.ext1_ecx != 0; }

}  // namespace kest
