// What every fuzz target checks of the program's outputs, and the window
// model they are made from.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "report/records_json.h"
#include "cpu/clock.h"
#include "ident/startup.h"
#include "report/model_inputs.h"
#include "report/report.h"
#include "view/main_model.h"

namespace kest::fuzz {

// Stops the run with a finding that names the broken rule.
[[noreturn]] inline void Broken(const char* rule) {
    std::fprintf(stderr, "fuzz check failed: %s\n", rule);
    std::abort();
}
inline void Check(bool ok, const char* rule) {
    if (!ok) Broken(rule);
}

// A report file: no zero byte, every line closed by CR LF, and no control
// byte but the layout's own tabs.
inline void CheckReportBytes(std::string_view s) {
    for (size_t i = 0; i < s.size(); ++i) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b == '\n') Check(i > 0 && s[i - 1] == '\r', "report line without CR LF");
        else if (b == '\r') Check(i + 1 < s.size() && s[i + 1] == '\n', "bare CR in a report");
        else Check(b == '\t' || (b >= 0x20 && b != 0x7F), "control byte in a report");
    }
    Check(s.size() >= 2 && s.substr(s.size() - 2) == "\r\n", "report does not end in CR LF");
}

// Builds the window's model over the records as the CLI does, renders the
// three reports and the JSON, and checks each.
inline void RenderEverything(const StartupRecords& rec, const DmiProcessorInfo* dmi, double mhz) {
    ProcessorNames names = rec.names;
    WindowGlobals globals;
    globals.StartupDir = "/nonexistent";
    WindowSeams seams;
    seams.read_dmi = [dmi](DmiProcessorInfo& info) {
        if (dmi) {
            info = *dmi;
        } else {
            info.dmiread = false;
            info.extclock = info.curspeed = 0;
        }
    };
    seams.measure_clock = [mhz](ClockMethod) { return GivenClock(mhz); };
    seams.find_in_current_dir = [](const std::string&) { return std::optional<std::string>{}; };
    MainWindowModel model(rec.cpu, rec.caches, names, globals, seams);
    model.FormCreate();

    ReportInputs in = ReportInputsFor(model, "08.12.2026", "09:00:00");
    const std::string text = TextReport(in);
    CheckReportBytes(text);
    const std::string html = HtmlReport(in);
    CheckReportBytes(html);
    const std::string record = DatabaseRecord(in);
    CheckReportBytes(record);
    size_t lines = 0;
    for (char ch : record) lines += ch == '\n';
    Check(lines == 98, "database record is not 98 lines");

    ClockInfo clock = ComputeClockInfo(GivenClock(mhz), model.BusClock(), model.CurrentSpeed(), names.intprocn,
                                       rec.cpu.st_model, rec.caches.l2.level2cs, names.modelrating);
    nlohmann::ordered_json j;
    j["CpuidData"] = ToJson(rec.cpu);
    j["CacheInfo"] = ToJson(rec.caches);
    j["ProcessorNames"] = ToJson(names);
    j["DmiProcessorInfo"] = ToJson(model.Dmi());
    j["ClockInfo"] = ToJson(clock);
    const std::string json = j.dump(2);  // throws on a text that is not UTF-8
    const auto back = nlohmann::json::parse(json);
    const std::string vendor = back["CpuidData"]["vendorst"];
    Check(vendor.find('\0') == std::string::npos, "zero byte in a JSON text");
}

}  // namespace kest::fuzz
