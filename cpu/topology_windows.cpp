// Packages, cores and logical processors from GetLogicalProcessorInformationEx:
// one record per package and per core, a core's logical processors in its
// group masks. On a hybrid processor the performance cores have the higher
// efficiency class.
#include <windows.h>

#include <algorithm>
#include <bitset>
#include <vector>

#include "cpu/topology.h"

namespace kest {

bool ReadLiveTopology(Topology& out) {
    DWORD size = 0;
    GetLogicalProcessorInformationEx(RelationAll, nullptr, &size);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0) return false;
    std::vector<unsigned char> buffer(size);
    auto* first = reinterpret_cast<SYSTEM_LOGICAL_PROCESSOR_INFORMATION_EX*>(buffer.data());
    if (!GetLogicalProcessorInformationEx(RelationAll, first, &size)) return false;

    Topology t;
    std::vector<BYTE> core_classes;
    for (DWORD at = 0; at + sizeof(DWORD) * 2 <= size;) {
        const auto* r = reinterpret_cast<const SYSTEM_LOGICAL_PROCESSOR_INFORMATION_EX*>(buffer.data() + at);
        if (r->Size == 0 || at + r->Size > size) break;
        if (r->Relationship == RelationProcessorPackage) {
            ++t.packages;
        } else if (r->Relationship == RelationProcessorCore) {
            ++t.cores;
            for (WORD g = 0; g < r->Processor.GroupCount; ++g)
                t.threads += static_cast<uint32_t>(std::bitset<sizeof(KAFFINITY) * 8>(r->Processor.GroupMask[g].Mask).count());
            core_classes.push_back(r->Processor.Reserved[0]);  // EfficiencyClass
        }
        at += r->Size;
    }
    if (t.cores == 0 || t.threads == 0) return false;
    if (!core_classes.empty()) {
        const auto [low, high] = std::minmax_element(core_classes.begin(), core_classes.end());
        if (*low != *high) {
            t.pcores = static_cast<uint32_t>(std::count(core_classes.begin(), core_classes.end(), *high));
            t.ecores = t.cores - t.pcores;
        }
    }
    out = t;
    return true;
}

}  // namespace kest
