#include "report/prometheus.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <utility>
#include <vector>

#include "cpu/instruction_sets.h"
#include "ident/identify_later.h"

namespace kest {

namespace {

using Labels = std::vector<std::pair<std::string_view, std::string>>;

// The metrics in the order they were first added, each with its samples.
class Exposition {
public:
    void Add(std::string_view name, std::string_view help, const Labels& labels, uint64_t value) {
        Metric* m = nullptr;
        for (Metric& f : metrics_)
            if (f.name == name) m = &f;
        if (!m) m = &metrics_.emplace_back(Metric{std::string(name), std::string(help), {}});
        std::string line = m->name;
        if (!labels.empty()) {
            line += '{';
            for (size_t i = 0; i < labels.size(); ++i) {
                if (i) line += ',';
                line += std::string(labels[i].first) + "=\"" + PrometheusLabelValue(labels[i].second) + '"';
            }
            line += '}';
        }
        m->samples.push_back(line + ' ' + std::to_string(value) + '\n');
    }

    // A value that is 0 is unknown: no sample.
    void AddKnown(std::string_view name, std::string_view help, const Labels& labels, uint64_t value) {
        if (value != 0) Add(name, help, labels, value);
    }

    std::string Text() const {
        std::string out;
        for (const Metric& m : metrics_) {
            out += "# HELP " + m.name + ' ' + m.help + '\n';
            out += "# TYPE " + m.name + " gauge\n";
            for (const std::string& s : m.samples) out += s;
        }
        return out;
    }

private:
    struct Metric {
        std::string name;
        std::string help;
        std::vector<std::string> samples;
    };
    std::vector<Metric> metrics_;
};

std::string Hex(unsigned v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%x", v);
    return buf;
}

uint64_t Hertz(double mhz) { return mhz > 0 ? static_cast<uint64_t>(std::llround(mhz * 1e6)) : 0; }

void AddProcessor(Exposition& e, const ProcessorRecords& r) {
    // Family and model as the maker numbers them, as the identification uses them.
    const ident::DisplaySignature sig = ident::DisplayNumbers(r.cpu, ident::LaterMakerOf(r.cpu.vendorst));
    e.Add("kestrune_processor_info",
          "The processor: vendor, name, code name, platform, process technology, family, model and stepping "
          "(hexadecimal), x86-64 level and the hypervisor it is seen through.",
          {{"vendor", Utf8Text(r.cpu.vendorst)},
           {"name", Utf8Text(r.names.procname)},
           {"codename", Utf8Text(r.names.corecode)},
           {"platform", Utf8Text(r.names.platform)},
           {"technology", Utf8Text(r.names.techpar1)},
           {"family", Hex(sig.family)},
           {"model", Hex(sig.model)},
           {"stepping", Hex(r.cpu.stepping)},
           {"x86_64_level", X86_64LevelText(X86_64Level(r.cpu))},
           {"hypervisor", Utf8Text(r.names.hypervisor)}},
          1);
}

void AddClock(Exposition& e, const ClockInfo& c) {
    e.Add("kestrune_clock_info",
          "How the core clock was obtained: tsc (counter ticks), busy core (an add chain on the busy core), given "
          "or none.",
          {{"method", c.method}}, 1);
    e.AddKnown("kestrune_core_clock_hertz", "The core clock.", {}, Hertz(c.coremhz));
    e.AddKnown("kestrune_tsc_hertz", "The time-stamp counter's measured rate.", {}, Hertz(c.tscmhz));
}

void AddCaches(Exposition& e, const CacheInfo& ci) {
    struct Cache {
        const char* level;
        const char* type;
        uint32_t kb;  // for a trace cache thousands of micro-ops: no size in bytes
        uint16_t ways;
        bool present;
    };
    const Cache caches[] = {
        {"1", "data", ci.l1.level1dc, ci.l1.l1dassoc, true},
        {"1", ci.l1.l1ctrace ? "trace" : "instruction", ci.l1.l1ctrace ? 0 : ci.l1.level1ic, ci.l1.l1iassoc, true},
        {"2", "unified", ci.l2.level2cs, ci.l2.l2cassoc, ci.l2.islevel2},
        {"3", "unified", ci.l3.level3cs, ci.l3.l3cassoc, ci.l3.islevel3},
    };
    for (const Cache& c : caches)
        if (c.present)
            e.AddKnown("kestrune_cache_size_bytes", "The size of a cache.", {{"level", c.level}, {"type", c.type}},
                       uint64_t(c.kb) * 1024);
    for (const Cache& c : caches)
        if (c.present)
            e.AddKnown("kestrune_cache_ways", "The ways of a cache (1: direct mapped, 255: fully associative).",
                       {{"level", c.level}, {"type", c.type}}, c.ways);

    struct Tlb {
        const char* level;
        const char* type;
        const char* page_size;
        uint16_t entries;
    };
    const Tlb tlbs[] = {
        {"1", "data", "4K", ci.l1.l1dtlbe4},        {"1", "data", "2M/4M", ci.l1.l1dtlbe2},
        {"1", "data", "1G", ci.l1.l1dtlbe1g},       {"1", "instruction", "4K", ci.l1.l1itlbe4},
        {"1", "instruction", "2M/4M", ci.l1.l1itlbe2}, {"2", "data", "4K", ci.l2.l2dtlbe4},
        {"2", "data", "2M/4M", ci.l2.l2dtlbe2},     {"2", "data", "1G", ci.l2.l2tlbe1g},
        {"2", "instruction", "4K", ci.l2.l2itlbe4}, {"2", "instruction", "2M/4M", ci.l2.l2itlbe2},
    };
    for (const Tlb& t : tlbs)
        e.AddKnown("kestrune_tlb_entries", "The entries of a TLB for pages of one size.",
                   {{"level", t.level}, {"type", t.type}, {"page_size", t.page_size}}, t.entries);
}

}  // namespace

std::string PrometheusLabelValue(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (char ch : utf8) {
        if (ch == '\\') out += "\\\\";
        else if (ch == '"') out += "\\\"";
        else if (ch == '\n') out += "\\n";
        else out += ch;
    }
    return out;
}

std::string PrometheusText(const ProcessorRecords& r) {
    Exposition e;
    AddProcessor(e, r);
    AddClock(e, r.clock);
    AddCaches(e, r.caches);
    for (const std::string& set : LaterSets(r.cpu))
        e.Add("kestrune_instruction_set", "An instruction set after SSE3 that the processor reports.",
              {{"set", set}}, 1);
    e.AddKnown("kestrune_packages", "Processor packages of the machine.", {}, r.topology.packages);
    e.AddKnown("kestrune_cores", "Cores (of one package for a CPUID dump).", {}, r.topology.cores);
    e.AddKnown("kestrune_threads", "Logical processors (of one package for a CPUID dump).", {}, r.topology.threads);
    if (r.dmi.dmiread) {
        e.AddKnown("kestrune_dmi_external_clock_hertz", "The firmware's external (bus) clock of the processor.", {},
                   Hertz(r.dmi.extclock));
        e.AddKnown("kestrune_dmi_max_speed_hertz", "The firmware's maximum speed of the processor.", {},
                   Hertz(r.dmi.maxspeed));
        e.AddKnown("kestrune_dmi_current_speed_hertz", "The firmware's current speed of the processor.", {},
                   Hertz(r.dmi.curspeed));
    }
    return e.Text();
}

}  // namespace kest
