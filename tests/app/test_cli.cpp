// kestrune-cli as a user runs it: options, dumps, errors and exit codes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <iterator>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli.h"

namespace {

namespace fs = std::filesystem;

struct Result {
    int code;
    std::string out, err;
};

Result Invoke(std::vector<std::string> args) {
    args.insert(args.begin(), "kestrune-cli");
    std::vector<const char*> argv;
    for (auto& a : args) argv.push_back(a.c_str());
    std::ostringstream out, err;
    int code = kest::RunCli(static_cast<int>(argv.size()), argv.data(), out, err);
    return {code, out.str(), err.str()};
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("kest-cli-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Write(const std::string& name, const std::string& text) {
        auto p = dir_ / name;
        std::ofstream(p, std::ios::binary) << text;
        return p.string();
    }
    static std::string ReadAll(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    fs::path dir_;
};

// An Athlon XP "Thoroughbred" as an InstLatx64-style dump.
const char* kAthlonXp =
    "------[ Logical CPU #0 ]------\n"
    "CPUID 00000000: 00000001-68747541-444D4163-69746E65\n"
    "CPUID 00000001: 00000681-00000000-00000000-0383FBFF\n"
    "CPUID 80000000: 80000008-68747541-444D4163-69746E65\n"
    "CPUID 80000001: 00000781-00000000-00000000-C1C3FBFF\n"
    "CPUID 80000002: 20444D41-6C687441-74286E6F-5820296D\n"
    "CPUID 80000003: 00000050-00000000-00000000-00000000\n"
    "CPUID 80000004: 00000000-00000000-00000000-00000000\n"
    "CPUID 80000005: 0408FF08-FF20FF10-40020140-40020140\n"
    "CPUID 80000006: 00000000-41004100-01008140-00000000\n"
    "CPUID 80000007: 00000000-00000000-00000000-00000001\n"
    "CPUID 80000008: 00002022-00000000-00000000-00000000\n";

TEST_F(CliTest, DumpGivesJsonRecordsWithTheRecordsFieldNames) {
    auto r = Invoke({"--cpuid-dump", Write("xp.txt", kAthlonXp), "--mhz", "1800", "--format", "json"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["CpuidData"]["vendorst"], "AuthenticAMD");
    EXPECT_EQ(j["CpuidData"]["stfamily"], 6);
    EXPECT_EQ(j["CpuidData"]["st_model"], 8);
    EXPECT_EQ(j["CpuidData"]["signature"], "00000681");
    EXPECT_EQ(j["CacheInfo"]["level1dc"], 64);
    EXPECT_EQ(j["CacheInfo"]["level2cs"], 256);
    EXPECT_EQ(j["CacheInfo"]["l2cassoc"], 16);
    // A dump describes another machine: no DMI is read for it.
    EXPECT_EQ(j["DmiProcessorInfo"]["dmiread"], false);
    EXPECT_EQ(j["ClockInfo"]["coretext"], "1800.00 MHz");
    EXPECT_EQ(j["ClockInfo"]["mhzint"], 1800);
    EXPECT_EQ(j["ClockInfo"]["method"], "given");  // nothing measured
    EXPECT_EQ(j["ClockInfo"]["tscmhz"], 0.0);
    for (const char* rec : {"CpuidData", "CacheInfo", "ProcessorNames", "DmiProcessorInfo", "ClockInfo"})
        EXPECT_TRUE(j.contains(rec)) << rec;
}

// Leaf 1 ECX bit 31 and leaf 0x40000000 in a dump: the JSON names the
// hypervisor and the platform says the processor is seen through it. The
// leaf counts only with the flag.
TEST_F(CliTest, HypervisorOfADumpReachesTheJson) {
    std::string dump = kAthlonXp;
    const std::string leaf1 = "CPUID 00000001: 00000681-00000000-00000000-0383FBFF\n";
    ASSERT_NE(dump.find(leaf1), std::string::npos);
    dump += "CPUID 40000000: 40000001-4B4D564B-564B4D56-0000004D\n";
    const std::string without_flag = dump;
    dump.replace(dump.find(leaf1), leaf1.size(), "CPUID 00000001: 00000681-00000000-80000000-0383FBFF\n");

    auto r = Invoke({"--cpuid-dump", Write("vm.txt", dump), "--format", "json"});
    ASSERT_EQ(r.code, 0) << r.err;
    auto j = nlohmann::json::parse(r.out);
    // JSON texts end at the first NUL, as the reports' do.
    EXPECT_EQ(j["CpuidData"]["hypervisor"], "KVMKVMKVM");
    EXPECT_EQ(j["ProcessorNames"]["hypervisor"], "KVM");
    const std::string platform = j["ProcessorNames"]["platform"];
    EXPECT_TRUE(platform == "virtual machine: KVM" || platform.ends_with(" (virtual machine: KVM)")) << platform;
    // The text report carries the full note too (the window shows "VM: KVM").
    r = Invoke({"--cpuid-dump", Write("vm.txt", dump), "--format", "text"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("Platform:       " + platform + "\r\n"), std::string::npos) << r.out;

    r = Invoke({"--cpuid-dump", Write("host.txt", without_flag), "--format", "json"});
    ASSERT_EQ(r.code, 0) << r.err;
    j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["CpuidData"]["hypervisor"], "");
    EXPECT_EQ(j["ProcessorNames"]["hypervisor"], "");
    EXPECT_EQ(std::string(j["ProcessorNames"]["platform"]).find("virtual machine"), std::string::npos);
}

TEST_F(CliTest, DumpWithoutMhzHasZeroClock) {
    auto r = Invoke({"--cpuid-dump", Write("xp.txt", kAthlonXp), "--format", "json"});
    ASSERT_EQ(r.code, 0) << r.err;
    auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["ClockInfo"]["coremhz"], 0.0);
    EXPECT_EQ(j["ClockInfo"]["mhzint"], 0);
    EXPECT_EQ(j["ClockInfo"]["method"], "none");
}

TEST_F(CliTest, BadInputIsOneLineOnStderrExitTwoAndNothingOnStdout) {
    struct Case {
        const char* what;
        std::vector<std::string> args;
    };
    std::string bad = Write("bad.txt", "CPUID 00000000: 00000001-68747541\n");
    std::vector<Case> cases = {
        {"missing dump file", {"--cpuid-dump", (dir_ / "nope.txt").string()}},
        {"malformed dump", {"--cpuid-dump", bad}},
        {"missing dmi dump", {"--cpuid-dump", Write("ok.txt", kAthlonXp), "--dmi-dump", (dir_ / "nope.bin").string()}},
        {"unknown option", {"--frobnicate"}},
        {"unknown format", {"--format", "yaml"}},
        {"negative clock", {"--mhz", "-5"}},
        {"clock not a number", {"--mhz", "fast"}},
        {"clock -1", {"--mhz", "-1"}},
        {"clock -0", {"--mhz", "-0"}},
        {"clock nan", {"--mhz", "nan"}},
        {"clock inf", {"--mhz", "inf"}},
        {"clock 1e308", {"--mhz", "1e308"}},
        {"clock with trailing text", {"--mhz", "3000abc"}},
        {"clock in hexadecimal", {"--mhz", "0x10"}},
        {"clock after a blank", {"--mhz", " 5"}},
        {"empty output name", {"--cpuid-dump", Write("e.txt", kAthlonXp), "-o", ""}},
        {"report format with the throughput test", {"--throughput", "--format", "html"}},
        {"throughput format without the test", {"--format", "csv"}},
        {"unknown throughput test", {"--throughput", "--tests", "copy,fly"}},
        {"throughput of a dump", {"--throughput", "--cpuid-dump", Write("t.txt", kAthlonXp)}},
        {"rows without the test", {"--throughput-rows", "3"}},
        {"rows out of range", {"--throughput", "--throughput-rows", "0"}},
        {"output folder missing", {"--cpuid-dump", Write("o.txt", kAthlonXp), "-o", (dir_ / "no" / "r.txt").string()}},
    };
    for (const auto& c : cases) {
        auto r = Invoke(c.args);
        EXPECT_EQ(r.code, 2) << c.what;
        EXPECT_EQ(r.out, "") << c.what;
        ASSERT_FALSE(r.err.empty()) << c.what;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << c.what << ": " << r.err;
    }
}

// Result of a run that must fail the way every bad input fails.
void ExpectRefused(const Result& r, const std::string& what) {
    EXPECT_EQ(r.code, 2) << what;
    EXPECT_EQ(r.out, "") << what;
    ASSERT_FALSE(r.err.empty()) << what;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << what << ": " << r.err;
}

// Files that are no dumps at all are refused at once, whatever their size or
// kind: a folder, endless devices, a pipe nobody writes, a huge sparse file, a
// million lines.
TEST_F(CliTest, FilesThatAreNoDumpsAreRefusedWithoutReadingThemWhole) {
    const std::string fifo = (dir_ / "pipe").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const std::string sparse = (dir_ / "sparse.txt").string();
    { std::ofstream(sparse, std::ios::binary); }
    fs::resize_file(sparse, 2ull << 30);
    std::string million;
    for (int i = 0; i < 1000000; ++i) million += "CPUID 4 1-2-3-4\n";
    const std::string lines = Write("million.txt", million);
    for (const std::string& path : {dir_.string(), std::string("/dev/zero"), std::string("/dev/urandom"), fifo, sparse, lines}) {
        auto r = Invoke({"--cpuid-dump", path});
        ExpectRefused(r, path);
        EXPECT_EQ(r.err.rfind("kestrune-cli: " + path + ":", 0), 0u) << r.err;
    }
    // The DMI dump reader refuses the same kinds without waiting for a writer.
    ExpectRefused(Invoke({"--cpuid-dump", Write("ok.txt", kAthlonXp), "--dmi-dump", fifo}), "dmi fifo");
    ExpectRefused(Invoke({"--cpuid-dump", Write("ok2.txt", kAthlonXp), "--dmi-dump", "/dev/zero"}), "dmi device");
}

// Odd but readable dumps give a sound report: repeated leaves (the later
// line wins), leaves out of order, the largest sub-leaf note, maximum leaves
// at the top of their ranges with and without the leaves behind them.
TEST_F(CliTest, OddDumpsGiveASoundReport) {
    const std::string l0 = "CPUID 00000000: FFFFFFFF-756E6547-6C65746E-49656E69\n";
    const std::string e0 = "CPUID 80000000: 8FFFFFFF-00000000-00000000-00000000\n";
    const std::string body = "CPUID 80000002: 20202020-20202020-20202020-20202020\n"
                             "CPUID 00000001: 00000001-00000000-00000000-00000000 [SL 00]\n"
                             "CPUID 00000001: 00000F29-00020800-00000000-BFEBFBFF [SL 00]\n"
                             "CPUID 0000000D: 00000001-00000000-00000000-00000000 [SL FFFFFFFF]\n";
    for (const std::string& text : {l0 + e0, l0 + e0 + body, body + e0 + l0}) {
        auto r = Invoke({"--cpuid-dump", Write("odd.txt", text), "--format", "json"});
        ASSERT_EQ(r.code, 0) << r.err << text;
        auto j = nlohmann::json::parse(r.out);
        EXPECT_EQ(j["CpuidData"]["maxcpuid"], 0xFFFFFFFFu);
        EXPECT_EQ(j["CpuidData"]["mxecpuid"], 0x8FFFFFFFu);
        if (text.size() > l0.size() + e0.size()) {
            EXPECT_EQ(j["CpuidData"]["signature"], "00000F29");
        }
    }
    // A sub-leaf note is hexadecimal: 4294967295 has too many digits.
    auto r = Invoke({"--cpuid-dump", Write("sl.txt", l0 + "CPUID 00000004: 1-2-3-4 [SL 4294967295]\n")});
    ExpectRefused(r, "[SL 4294967295]");
    EXPECT_NE(r.err.find("sl.txt:2:"), std::string::npos) << r.err;
}

// Zero, control and non-ASCII bytes in the vendor and brand strings, and
// markup in the brand: no output carries a control byte or a zero from them,
// the HTML carries the markup as text, the JSON stays valid.
TEST_F(CliTest, HostileVendorAndBrandBytesAreSafeInEveryFormat) {
    // Vendor "Ge\0u\x1bneIntel"; brand "<b>&\"x\"\r\n\x07\x7F\xE9\x81 CPU".
    const std::string dump = Write("hostile.txt",
                                   "CPUID 00000000: 00000001-75006547-6C65746E-49656E1B\n"
                                   "CPUID 00000001: 00000F29-00020800-00000000-BFEBFBFF\n"
                                   "CPUID 80000000: 80000004-00000000-00000000-00000000\n"
                                   "CPUID 80000002: 263E623C-0D227822-E97F070A-50432081\n"
                                   "CPUID 80000003: 00000055-00000000-00000000-00000000\n");
    for (const char* format : {"text", "html", "record"}) {
        auto r = Invoke({"--cpuid-dump", dump, "--mhz", "1000", "--format", format});
        ASSERT_EQ(r.code, 0) << r.err;
        for (size_t i = 0; i < r.out.size(); ++i) {
            const auto b = static_cast<unsigned char>(r.out[i]);
            const bool layout = (b == '\r' && i + 1 < r.out.size() && r.out[i + 1] == '\n') ||
                                (b == '\n' && i > 0 && r.out[i - 1] == '\r') || b == '\t';
            ASSERT_TRUE(layout || (b >= 0x20 && b != 0x7F)) << format << ": byte " << int(b) << " at " << i;
        }
        if (std::string(format) == "html") {
            EXPECT_EQ(r.out.find("<b>"), std::string::npos);
            EXPECT_NE(r.out.find("&lt;b&gt;&amp;&quot;x&quot;"), std::string::npos);
        } else {
            EXPECT_NE(r.out.find("<b>&\"x\"   "), std::string::npos) << format;
        }
    }
    auto r = Invoke({"--cpuid-dump", dump, "--format", "json"});
    ASSERT_EQ(r.code, 0) << r.err;
    auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["CpuidData"]["vendorst"], "Ge");  // ends at the zero byte
    const std::string brand = j["CpuidData"]["ext_name"];
    EXPECT_EQ(brand, "<b>&\"x\"    \xC3\xA9  CPU");
}

// -o into places that cannot take the report: one line, exit 2, and nothing
// changed anywhere. A link at the name is replaced, never written through.
TEST_F(CliTest, OutputThatCannotBeWrittenIsRefusedAndLinksAreReplaced) {
    const std::string dump = Write("xp.txt", kAthlonXp);
    const std::string plain = Write("plain", "not a folder");
    for (const std::string& out : {(dir_ / "missing" / "r.txt").string(), std::string("/dev/full"), plain + "/r.txt", dump}) {
        ExpectRefused(Invoke({"--cpuid-dump", dump, "-o", out}), out);
    }
    EXPECT_EQ(ReadAll(plain), "not a folder");
    EXPECT_EQ(ReadAll(dump), kAthlonXp) << "the input file itself is never replaced";

    const std::string target = Write("target.txt", "keep");
    fs::create_symlink(target, dir_ / "link.txt");
    fs::create_symlink(dir_ / "absent.txt", dir_ / "dangling.txt");
    for (const char* name : {"link.txt", "dangling.txt"}) {
        auto r = Invoke({"--cpuid-dump", dump, "-o", (dir_ / name).string()});
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_FALSE(fs::is_symlink(dir_ / name)) << name;
        EXPECT_NE(ReadAll((dir_ / name).string()).find("Kestrune report"), std::string::npos);
    }
    EXPECT_EQ(ReadAll(target), "keep");
    EXPECT_FALSE(fs::exists(dir_ / "absent.txt"));

    if (::geteuid() != 0) {  // root may write anything; the read-only cases are the file writer's tests
        const std::string ro = Write("ro.txt", "old");
        ::chmod(ro.c_str(), 0444);
        ExpectRefused(Invoke({"--cpuid-dump", dump, "-o", ro}), "read-only file");
        EXPECT_EQ(ReadAll(ro), "old");
    }
}

TEST_F(CliTest, MalformedDumpErrorNamesFileAndLine) {
    std::string path = Write("bad.txt", "CPUID 00000000: 00000001-68747541-444D4163-69746E65\nCPUID zz\n");
    auto r = Invoke({"--cpuid-dump", path});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find(path + ":2"), std::string::npos) << r.err;
}

TEST_F(CliTest, ReportFormatsAreWindows1252WithCrLfAndTextIsTheDefault) {
    std::string dump = Write("xp.txt", kAthlonXp);
    auto text = Invoke({"--cpuid-dump", dump, "--mhz", "1800"});
    ASSERT_EQ(text.code, 0) << text.err;
    EXPECT_NE(text.out.find("AMD Athlon(tm) XP Processor"), std::string::npos);
    EXPECT_NE(text.out.find("1800.00 MHz"), std::string::npos);
    // Every line ends in CR LF, and no bare LF is left.
    for (size_t i = text.out.find('\n'); i != std::string::npos; i = text.out.find('\n', i + 1))
        ASSERT_TRUE(i > 0 && text.out[i - 1] == '\r') << "bare LF at " << i;

    auto html = Invoke({"--cpuid-dump", dump, "--mhz", "1800", "--format", "html"});
    ASSERT_EQ(html.code, 0) << html.err;
    EXPECT_NE(html.out.find("<TABLE"), std::string::npos);

    auto record = Invoke({"--cpuid-dump", dump, "--mhz", "1800", "--format", "record"});
    ASSERT_EQ(record.code, 0) << record.err;
    EXPECT_NE(record.out.find("intprocn=109\r\n"), std::string::npos);
    EXPECT_NE(record.out.find("vendorst=AuthenticAMD\r\n"), std::string::npos);
    for (const auto* out : {&text.out, &html.out, &record.out})
        EXPECT_EQ(out->find('\0'), std::string::npos);
}

TEST_F(CliTest, OutputFileGetsExactlyWhatStdoutWouldShowAndReplacesTheOldFile) {
    std::string dump = Write("xp.txt", kAthlonXp);
    std::string target = Write("report.txt", "an older report\n");
    auto printed = Invoke({"--cpuid-dump", dump, "--mhz", "1800", "--format", "record"});
    auto written = Invoke({"--cpuid-dump", dump, "--mhz", "1800", "--format", "record", "-o", target});
    ASSERT_EQ(written.code, 0) << written.err;
    EXPECT_EQ(written.out, "");
    std::ifstream in(target, std::ios::binary);
    std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The record carries the date and time of saving; the rest must agree.
    auto cut_time = [](std::string s) {
        auto a = s.find("\r\ndatetime="), b = s.find("\r\n", a + 2);
        if (a != std::string::npos && b != std::string::npos) s.erase(a, b - a);
        return s;
    };
    EXPECT_EQ(cut_time(file), cut_time(printed.out));
}

TEST_F(CliTest, ShortThroughputRunPrintsEveryBlockAndMemtestr) {
    auto r = Invoke({"--throughput", "--tests", "write,read", "--throughput-rows", "3"});
    ASSERT_EQ(r.code, 0) << r.err;
    std::istringstream lines(r.out);
    std::string line;
    std::vector<std::string> all;
    while (std::getline(lines, line)) all.push_back(line);
    ASSERT_EQ(all.size(), 1u + 3u + 2u) << r.out;
    // Tests always run in the order copy, read, write, whatever the order asked.
    EXPECT_EQ(all[0], "block_kb,read_mbps,write_mbps");
    EXPECT_EQ(all[1].rfind("4,", 0), 0u);
    EXPECT_EQ(all[3].rfind("12,", 0), 0u);
    EXPECT_EQ(all[4].rfind("average,", 0), 0u);
    ASSERT_EQ(all[5].rfind("memtestr,", 0), 0u);
    EXPECT_EQ(all[5].size(), std::string("memtestr,").size() + 24);
}

}  // namespace
