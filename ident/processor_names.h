// Names the processor from vendor string, family, model, stepping and caches.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cpu/cache_info.h"
#include "cpu/cpuid_data.h"

namespace kest {

// Texts are Windows-1252 bytes (the micro sign is 0xB5).
struct ProcessorNames {
    std::string corecode;
    std::string procname;
    std::string modelrating;
    uint16_t intprocn = 0;  // product-line code; hundreds give the maker; 0 = none
    std::string familynote;
    std::string modelnote;
    std::string platform;
    std::string techpar1;  // process technology
    std::string techpar2;  // transistor count
    std::string techpar3;  // die size
    std::string hypervisor;  // "KVM", "Hyper-V" ...: the processor is seen through a hypervisor; empty otherwise
    bool named_by_tables = false;  // the name tables named it (not the rows of the later processors)
};

// Shorter forms of a platform text with a hypervisor note, for a narrow
// field, longest first: "LGA 4677 (virtual machine: KVM)" gives "LGA 4677
// (VM: KVM)" and "LGA 4677 (VM)"; "virtual machine: KVM" alone "VM: KVM" and
// "VM". None when the text has no such note.
std::vector<std::string> PlatformShortForms(const ProcessorNames& n);

// Runs once at start-up after the cache decoding. May complete `caches` for
// processors whose caches CPUID does not describe.
ProcessorNames IdentifyProcessor(const CpuidData& cpu, CacheInfo& caches);

// The kind of core that a leaf 0x1A EAX read on one of its logical
// processors names on a hybrid Intel processor: "performance" or
// "efficient"; empty on any other processor and for any other value.
std::string_view HybridCoreKind(const CpuidData& cpu, uint32_t leaf1a_eax);

}  // namespace kest
