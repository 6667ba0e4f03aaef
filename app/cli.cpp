#include "app/cli.h"

#include <CLI/CLI.hpp>
#include <exception>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>

#include "app/records_json.h"
#include "cpu/clock.h"
#include "cpu/cpuid_dump.h"
#include "dmi/dmi.h"
#include "ident/startup.h"

namespace kest {

namespace {

struct Options {
    std::string cpuid_dump;
    std::string dmi_dump;
    double mhz = -1;
    std::string format = "json";
};

// Everything one report needs, gathered the way the window gathers it.
struct Gathered {
    StartupRecords rec;
    DmiProcessorInfo dmi;
    ClockInfo clock;
};

Gathered Gather(const Options& o) {
    Gathered g;
    std::unique_ptr<CpuidSource> source =
        o.cpuid_dump.empty() ? MakeLiveCpuidSource() : LoadCpuidDump(o.cpuid_dump);
    g.rec = RunStartup(*source);

    // A dump describes another machine: this machine's firmware and clock
    // only belong to a report of the live processor.
    std::unique_ptr<FirmwareMemory> memory;
    if (!o.dmi_dump.empty())
        memory = MakeDumpFirmwareMemory(o.dmi_dump);
    else if (o.cpuid_dump.empty())
        memory = MakeLiveFirmwareMemory();
    if (memory) g.dmi = ReadDmi(*memory);

    double mhz = 0;
    if (o.mhz >= 0) {
        mhz = o.mhz;
    } else if (o.cpuid_dump.empty()) {
        auto platform = MakeLiveClockPlatform();
        mhz = MeasureClock(*platform);
    }
    g.clock = ComputeClockInfo(mhz, g.dmi.extclock, g.dmi.curspeed, g.rec.names.intprocn,
                               g.rec.cpu.st_model, g.rec.caches.l2.level2cs,
                               g.rec.names.modelrating);
    return g;
}

std::string Json(const Gathered& g) {
    nlohmann::ordered_json j;
    j["CpuidData"] = ToJson(g.rec.cpu);
    j["CacheInfo"] = ToJson(g.rec.caches);
    j["ProcessorNames"] = ToJson(g.rec.names);
    j["DmiProcessorInfo"] = ToJson(g.dmi);
    j["ClockInfo"] = ToJson(g.clock);
    return j.dump(2) + "\n";
}

}  // namespace

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    CLI::App app{"kestrune-cli: identifies an x86 processor and prints what is known about it"};
    app.name("kestrune-cli");
    Options o;
    app.add_option("--cpuid-dump", o.cpuid_dump, "identify the processor of a saved CPUID dump");
    app.add_option("--dmi-dump", o.dmi_dump, "read the SMBIOS table from a dmidecode --dump-bin file");
    app.add_option("--mhz", o.mhz, "core clock in MHz instead of measuring it")
        ->check(CLI::Validator(
            [](std::string& s) -> std::string {
                try {
                    size_t used = 0;
                    double v = std::stod(s, &used);
                    if (used == s.size() && v >= 0 && v < 1e6) return {};
                } catch (const std::exception&) {
                }
                return "expected a clock in MHz (a number from 0 to 999999), got '" + s + "'";
            },
            "MHZ"));
    app.add_option("--format", o.format, "output format")->check(CLI::IsMember({"json"}));

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return 0;
    } catch (const CLI::ParseError& e) {
        err << "kestrune-cli: " << e.what() << "\n";
        return 2;
    }

    try {
        std::string text = Json(Gather(o));
        out << text;
        out.flush();
        return 0;
    } catch (const std::exception& e) {
        err << "kestrune-cli: " << e.what() << "\n";
        return 2;
    }
}

}  // namespace kest
