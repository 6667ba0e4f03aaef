// The system's records as JSON, with the records' own field names.
#pragma once

#include <nlohmann/json.hpp>

#include "cpu/cache_info.h"
#include "cpu/clock.h"
#include "cpu/cpuid_data.h"
#include "cpu/topology.h"
#include "dmi/dmi.h"
#include "ident/processor_names.h"

namespace kest {

nlohmann::ordered_json ToJson(const CpuidData& cpu);
nlohmann::ordered_json ToJson(const CacheInfo& caches);
nlohmann::ordered_json ToJson(const ProcessorNames& names);
nlohmann::ordered_json ToJson(const DmiProcessorInfo& dmi);
nlohmann::ordered_json ToJson(const ClockInfo& clock);
// The x86-64 level, the later instruction sets and the core and thread
// counts (0 where unknown; a dump's packages are 0, its counts one package's).
nlohmann::ordered_json FeaturesJson(const CpuidData& cpu, const Topology& topology);

}  // namespace kest
