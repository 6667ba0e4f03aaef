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

// What a processor report is made of: the records the JSON carries, and the
// metrics are made from.
struct ProcessorRecords {
    const CpuidData& cpu;
    const CacheInfo& caches;
    const ProcessorNames& names;
    const DmiProcessorInfo& dmi;
    const ClockInfo& clock;
    const Topology& topology;
};

// The whole document: one object per record, then "Features".
nlohmann::ordered_json ToJson(const ProcessorRecords& records);

// A record's text as every UTF-8 output carries it: Windows-1252 decoded, up
// to its first zero byte, control bytes as blanks.
std::string Utf8Text(const std::string& s);

nlohmann::ordered_json ToJson(const CpuidData& cpu);
nlohmann::ordered_json ToJson(const CacheInfo& caches);
nlohmann::ordered_json ToJson(const ProcessorNames& names);
nlohmann::ordered_json ToJson(const DmiProcessorInfo& dmi);
nlohmann::ordered_json ToJson(const ClockInfo& clock);
// The x86-64 level, the later instruction sets and the core and thread
// counts (0 where unknown; a dump's packages are 0, its counts one package's).
nlohmann::ordered_json FeaturesJson(const CpuidData& cpu, const Topology& topology);

}  // namespace kest
