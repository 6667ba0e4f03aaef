// The start-up sequence that runs before any window exists: CPUID pass,
// cache decoding, identification.
#pragma once

#include "cpu/cache_info.h"
#include "cpu/cpuid_data.h"
#include "cpu/cpuid_source.h"
#include "ident/processor_names.h"

namespace kest {

struct StartupRecords {
    CpuidData cpu;
    CacheInfo caches;
    ProcessorNames names;
};

StartupRecords RunStartup(CpuidSource& source);

}  // namespace kest
