// Where CPUID results come from: the processor we run on, or a saved dump.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "cpu/cpuid_data.h"

namespace kest {

class CpuidSource {
public:
    virtual ~CpuidSource() = default;
    // EFLAGS bit 21 (ID) can be toggled: the CPUID instruction exists.
    virtual bool HasCpuid() = 0;
    // EFLAGS bit 18 (AC) can be toggled: at least a 486. Asked only without CPUID.
    virtual bool Is486() = 0;
    // Executes CPUID with EAX = leaf, ECX = subleaf.
    virtual CpuidRegs Query(uint32_t leaf, uint32_t subleaf = 0) = 0;
};

// The processor this program runs on.
std::unique_ptr<CpuidSource> MakeLiveCpuidSource();

}  // namespace kest
