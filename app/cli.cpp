#include "app/cli.h"

#include <CLI/CLI.hpp>
#include <ctime>
#include <exception>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>

#include "app/database_cli.h"
#include "bench/throughput_cli.h"
#include "cpu/clock.h"
#include "cpu/cpuid_dump.h"
#include "cpu/file_io.h"
#include "dmi/dmi.h"
#include "ident/startup.h"
#include "report/file_identity.h"
#include "report/model_inputs.h"
#include "report/prometheus.h"
#include "report/records_json.h"
#include "report/report.h"
#include "report/text_encoding.h"
#include "view/main_model.h"

namespace kest {

namespace {

struct Options {
    std::string cpuid_dump;
    std::string dmi_dump;
    std::optional<double> mhz;
    std::string format;
    std::string output;
    bool throughput = false;
    std::vector<std::string> tests;
    int rows = kTpRows;
    // Throughput loops and chosen block sizes.
    std::string kernel;
    std::vector<uint32_t> blocks_kb;
    std::string database;
    bool version = false;
};

// The window's records and labels, filled exactly as the window fills them,
// so that a report printed here says what the window would show.
class Session {
public:
    explicit Session(const Options& o) : o_(o) {
        std::unique_ptr<CpuidSource> source =
            o.cpuid_dump.empty() ? MakeLiveCpuidSource() : LoadCpuidDump(o.cpuid_dump);
        rec_ = RunStartup(*source);
        globals_ = InitWindowGlobals();

        // A dump describes another machine: this machine's firmware and clock
        // only belong to a report of the live processor.
        if (!o.dmi_dump.empty())
            memory_ = MakeDumpFirmwareMemory(o.dmi_dump);
        else if (o.cpuid_dump.empty())
            memory_ = MakeLiveFirmwareMemory();
        if (!o.mhz && o.cpuid_dump.empty()) clock_ = MakeLiveMachine();

        WindowSeams seams;
        seams.read_dmi = [this](DmiProcessorInfo& info) { ReadDmiAtStartup(memory_.get(), info); };
        seams.measure_clock = [this](ClockMethod method) {
            if (o_.mhz) {
                reading_ = GivenClock(*o_.mhz);
            } else if (clock_) {
                reading_ = MeasureClock(*clock_, method);
            } else {
                reading_ = ClockReading{};  // a dump without a clock
                reading_.method = ClockMethod::kNone;
            }
            return reading_;
        };
        // The database files only enable the window's "Database..." button,
        // which no report shows.
        seams.find_in_current_dir = [](const std::string&) { return std::optional<std::string>{}; };
        if (o.cpuid_dump.empty())
            seams.read_topology = [](Topology& t) { return ReadLiveTopology(t); };
        model_ = std::make_unique<MainWindowModel>(rec_.cpu, rec_.caches, rec_.names, globals_, seams);
        model_->FormCreate();
    }

    // The JSON document or the Prometheus metrics: both made from the same
    // records.
    std::string Records(OutputFormat format) const {
        ClockInfo clock = ComputeClockInfo(reading_, model_->BusClock(), model_->CurrentSpeed(),
                                           rec_.names.intprocn, rec_.cpu.st_model,
                                           rec_.caches.l2.level2cs, rec_.names.modelrating);
        const ProcessorRecords records{rec_.cpu, rec_.caches, rec_.names, model_->Dmi(), clock, model_->Topo()};
        if (format == OutputFormat::Prometheus) return PrometheusText(records);
        return ToJson(records).dump(2) + "\n";
    }

    std::string Report(ReportFormat format) {
        DateTimeTexts now = LocaleDateTime(std::time(nullptr));
        ReportInputs in = ReportInputsFor(*model_, now.date, now.time);
        return RenderReport(format, in);
    }

    const CacheInfo& Caches() const { return rec_.caches; }

private:
    const Options& o_;
    StartupRecords rec_;
    WindowGlobals globals_;
    std::unique_ptr<FirmwareMemory> memory_;
    std::unique_ptr<Machine> clock_;
    ClockReading reading_;
    std::unique_ptr<MainWindowModel> model_;
};

// The input file that -o names (the same file, under any name), if any:
// replacing it would lose the input.
std::optional<std::string> OutputIsInput(const Options& o) {
    if (o.output.empty()) return std::nullopt;
    for (const std::string* in : {&o.cpuid_dump, &o.dmi_dump})
        if (!in->empty() && IsSameFile(o.output, *in)) return *in;
    return std::nullopt;
}

int RunThroughput(const Options& o, std::ostream& out, std::ostream& err) {
    const auto format = PickFormat(o.format, kThroughputFormats);
    if (!format) {
        err << "kestrune-cli: --format " << o.format << " does not go with --throughput ("
            << FormatList(kThroughputFormats) << ")\n";
        return 2;
    }
    // The average search is bounded by the cache sizes the window shows,
    // which the identification may have completed.
    auto source = MakeLiveCpuidSource();
    StartupRecords rec = RunStartup(*source);
    ThroughputCliOptions options;
    options.rows = o.rows;
    if (!o.kernel.empty()) options.kernel = o.kernel;
    options.blocks_kb = o.blocks_kb;
    options.caches = ThroughputCaches{rec.caches.l1.level1dc, rec.caches.l2.level2cs, rec.caches.l3.level3cs};
    std::ostringstream text;
    int code = RunThroughputCli(o.tests, std::string(FormatName(*format)), text, err, options);
    if (code == 0) out << text.str();
    return code;
}

// The options and their checks.
void DefineOptions(CLI::App& app, Options& o) {
    app.add_option("--cpuid-dump", o.cpuid_dump, "identify the processor of a saved CPUID dump");
    app.add_option("--dmi-dump", o.dmi_dump, "read the SMBIOS table from a dmidecode --dump-bin file");
    app.add_option("--mhz", o.mhz, "core clock in MHz instead of measuring it")
        ->check(CLI::Validator(
            [](std::string& s) -> std::string {
                // Plain decimal digits with an optional fraction: no sign,
                // blank, exponent, hexadecimal, "nan" or "inf".
                const size_t point = s.find('.');
                const std::string whole = s.substr(0, point);
                const std::string frac = point == std::string::npos ? "" : s.substr(point + 1);
                auto digits = [](const std::string& t) {
                    return t.find_first_not_of("0123456789") == std::string::npos;
                };
                if (!whole.empty() && whole.size() <= 6 && digits(whole) && digits(frac) &&
                    (point == std::string::npos || !frac.empty()))
                    return {};
                return "expected a clock in MHz (a number from 0 to 999999), got '" + s + "'";
            },
            "MHZ"));
    std::vector<std::string> format_names;
    for (const auto& f : kOutputFormatNames) format_names.emplace_back(f.name);
    app.add_option("--format", o.format,
                   FormatList(kProcessorFormats) + " (the first is the default); with --throughput " +
                       FormatList(kThroughputFormats) + "; with --database " + FormatList(kDatabaseFormats))
        ->check(CLI::IsMember(format_names));
    app.add_option("-o,--output", o.output, "write to FILE (replaced only when complete) instead of stdout");
    app.add_flag("--throughput", o.throughput, "run the cache/memory throughput test");
    app.add_option("--tests", o.tests, "throughput tests to run: copy, read, write")->delimiter(',');
    app.add_option("--throughput-rows", o.rows, "measure only blocks 4 KB .. 4 x N KB (short run)")
        ->check(CLI::Range(1, kTpRows));
    app.add_option("--kernel", o.kernel, "throughput loops: word (the test, the default) or vector")
        ->check(CLI::IsMember({"word", "vector"}));
    app.add_option("--throughput-blocks", o.blocks_kb, "measure these block sizes in KB instead (multiples of 4)")
        ->delimiter(',')
        ->check(CLI::Range(4u, kMaxListedBlockKb));
    app.add_option("--database", o.database, "print the records of a processor database file (json or csv)");
    app.add_flag("--version", o.version, "print the program's name and version");
}

// The output of a run: the throughput test's or the processor's, in the
// format asked for. 0, or 2 with one line on `err`.
int ProduceOutput(const Options& o, std::ostream& text, std::ostream& err) {
    if (o.throughput) {
        if (!o.cpuid_dump.empty()) {
            err << "kestrune-cli: --throughput measures this machine; it does not go with --cpuid-dump\n";
            return 2;
        }
        return RunThroughput(o, text, err);
    }
    if (!o.kernel.empty() || !o.blocks_kb.empty()) {
        err << "kestrune-cli: --kernel and --throughput-blocks go with --throughput\n";
        return 2;
    }
    if (!o.tests.empty() || o.rows != kTpRows) {
        err << "kestrune-cli: --tests and --throughput-rows go with --throughput\n";
        return 2;
    }
    const auto format = PickFormat(o.format, kProcessorFormats);
    if (!format) {
        err << "kestrune-cli: --format " << o.format << " goes with --throughput\n";
        return 2;
    }
    Session session(o);
    if (*format == OutputFormat::Json || *format == OutputFormat::Prometheus)
        text << session.Records(*format);
    else
        text << session.Report(*format);
    return 0;
}

}  // namespace

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    CLI::App app{"kestrune-cli: identifies an x86 processor and prints what is known about it"};
    app.name("kestrune-cli");
    Options o;
    DefineOptions(app, o);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return 0;
    } catch (const CLI::ParseError& e) {
        err << "kestrune-cli: " << e.what() << "\n";
        return 2;
    }

    if (app.count("-o") > 0 && o.output.empty()) {
        err << "kestrune-cli: -o needs a file name\n";
        return 2;
    }
    if (auto same = OutputIsInput(o)) {
        err << "kestrune-cli: " << o.output << ": is the input file " << *same << "; choose another output file\n";
        return 2;
    }
    if (o.version) {
        out << "kestrune-cli " << KEST_VERSION << "\n";
        return 0;
    }
    if (!o.database.empty()) {
        if (!o.cpuid_dump.empty() || !o.dmi_dump.empty() || o.mhz || o.throughput || !o.tests.empty()) {
            err << "kestrune-cli: --database goes only with --format and -o\n";
            return 2;
        }
        return PrintDatabase(o.database, o.format, o.output, out, err);
    }

    try {
        std::ostringstream text;
        if (int code = ProduceOutput(o, text, err)) return code;
        if (!o.output.empty()) {
            if (auto error = WriteFileSafely(o.output, text.str())) {
                err << "kestrune-cli: " << o.output << ": " << *error << "\n";
                return 2;
            }
        } else {
            out << text.str();
            out.flush();
        }
        return 0;
    } catch (const std::exception& e) {
        err << "kestrune-cli: " << e.what() << "\n";
        return 2;
    }
}

}  // namespace kest
