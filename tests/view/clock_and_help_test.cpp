// Clock refresh (speed bar and its scale) and the help line.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "cpu/cpuid_dump.h"
#include "ident/startup.h"
#include "tests/view/harness.h"

namespace kest::test {
namespace {

struct ClockCase {
    double mhz;
    const char* cspeed;
    int maximum;
    int position;
    const char* pb1;
    const char* pb2;
    const char* pb3;
};

class ClockRefresh : public ::testing::TestWithParam<ClockCase> {};

TEST_P(ClockRefresh, SpeedBarAndScale) {
    const ClockCase& c = GetParam();
    Harness h(PentiumMMX());
    h.Create();
    h.mhz = c.mhz;
    h.model->refrtimerTimer();
    EXPECT_EQ(h.Text(ctl::kCspeed), c.cspeed);
    EXPECT_EQ(h[ctl::kSpeedbar].maximum, c.maximum);
    EXPECT_EQ(h[ctl::kSpeedbar].position, c.position);
    EXPECT_EQ(h.Text(ctl::kPb1), c.pb1);
    EXPECT_EQ(h.Text(ctl::kPb2), c.pb2);
    EXPECT_EQ(h.Text(ctl::kPb3), c.pb3);
}

INSTANTIATE_TEST_SUITE_P(
    Clocks, ClockRefresh,
    ::testing::Values(ClockCase{2399.87, "2399.87 MHz", 3000, 2399, "1.00GHz", "2.00GHz", "3.00GHz"},
                      ClockCase{999.5, "999.50 MHz", 1000, 999, "333MHz", "660MHz", "1000MHz"},
                      ClockCase{3000.0, "3000.00 MHz", 4000, 3000, "1.33GHz", "2.66GHz", "4.00GHz"},
                      ClockCase{1999.996, "2000.00 MHz", 3000, 2000, "1.00GHz", "2.00GHz", "3.00GHz"},
                      ClockCase{1500.0, "1500.00 MHz", 2000, 1500, "0.66GHz", "1.33GHz", "2.00GHz"},
                      ClockCase{8999.0, "8999.00 MHz", 9000, 8999, "3.00GHz", "6.00GHz", "9.00GHz"}));

TEST(ClockRefreshScale, AboveNineGigahertzKeepsThePreviousLabels) {
    Harness h(PentiumMMX());
    h.mhz = 9500.0;
    h.Create();
    EXPECT_EQ(h.Text(ctl::kPb1), "pb1");  // never written since start-up
    EXPECT_EQ(h[ctl::kSpeedbar].maximum, 10000);
    h.mhz = 2500.0;
    h.model->refrtimerTimer();
    h.mhz = 9500.0;
    h.model->refrtimerTimer();
    EXPECT_EQ(h.Text(ctl::kPb3), "3.00GHz");
    EXPECT_EQ(h[ctl::kSpeedbar].position, 9500);
}

TEST(ClockRefreshScale, MultiplierAndBusFromTheFirmwareClocks) {
    Harness h(PentiumMMX());
    h.dmi_ok = true;
    h.dmi.dmiread = true;
    h.dmi.extclock = 200;
    h.dmi.curspeed = 2400;
    h.mhz = 2394.0;
    h.Create();
    EXPECT_EQ(h.Text(ctl::kMult), "12.0");
    EXPECT_EQ(h.Text(ctl::kFspeed), "199.50 MHz");
    EXPECT_EQ(h.model->BusClock(), 200);

    // Without a bus clock the fields stay empty and hidden.
    Harness none(PentiumMMX());
    none.Create();
    EXPECT_EQ(none.Text(ctl::kMult), "");
    EXPECT_EQ(none.Text(ctl::kFspeed), "");
    EXPECT_FALSE(none[ctl::kMult].visible);
}

TEST(ClockRefreshScale, RatingFollowsTheCodeAfterTheHyperThreadingChange) {
    Harness h(AthlonXP());
    h.mhz = 2000.0;
    h.Create();
    EXPECT_EQ(h.Text(ctl::kPRating), "2400+");
    h.mhz = 1319.0;
    h.model->refrtimerTimer();
    EXPECT_EQ(h.Text(ctl::kPRating), "");
    EXPECT_TRUE(h.Dimmed(ctl::kLabelRat));
}

// A processor of the corpus as start-up reads it from its dump.
Processor FromCorpus(const std::string& name) {
    auto source = LoadCpuidDump(std::string(KEST_CORPUS_DIR) + "/" + name);
    StartupRecords rec = RunStartup(*source);
    return Processor{rec.cpu, rec.caches, rec.names};
}

// A processor the name tables name keeps the counter measurement, its
// multiplier from the firmware's speeds and its rating, even where its
// counter runs at a fixed rate; one they do not name has its busy core
// timed, at the window's creation and at every refresh.
TEST(ClockMethod, TableNamedProcessorsCountTicksLaterOnesTimeTheBusyCore) {
    Processor athlon = FromCorpus("amd-athlon-xp-2200+.txt");
    ASSERT_TRUE(athlon.names.named_by_tables);
    athlon.cpu.powermgt |= 1u << 8;  // invariant TSC forced on
    Harness old(std::move(athlon));
    old.dmi_ok = old.dmi.dmiread = true;
    old.dmi.extclock = 200;
    old.dmi.curspeed = 2000;
    old.mhz = old.tscmhz = 2010.0;
    old.Create();
    old.model->refrtimerTimer();
    EXPECT_EQ(old.methods, (std::vector<ClockMethod>{ClockMethod::kTsc, ClockMethod::kTsc}));
    EXPECT_EQ(old.Text(ctl::kCspeed), "2010.00 MHz");
    EXPECT_EQ(old.Text(ctl::kMult), "10.0");
    EXPECT_EQ(old.Text(ctl::kFspeed), "201.00 MHz");
    EXPECT_EQ(old.Text(ctl::kPRating), "2400+");  // 256 KB L2 at 2010 MHz
    old.model->lpClick();
    const std::string lp_help = old.Text(ctl::kHlpstring);
    old.model->cspeedClick();  // nothing to explain
    EXPECT_EQ(old.Text(ctl::kHlpstring), lp_help);

    Processor later = FromCorpus("13th-gen-intel-core-i7-1365u.txt");
    ASSERT_FALSE(later.names.named_by_tables);
    ASSERT_NE(later.cpu.powermgt & (1u << 8), 0u);
    Harness h(std::move(later));
    h.dmi_ok = h.dmi.dmiread = true;
    h.dmi.extclock = 100;
    h.dmi.curspeed = 1800;
    h.mhz = 2966.4;
    h.tscmhz = 2300.0;
    h.processor = 3;
    h.core_type_leaf = 0x40000001;
    h.Create();
    EXPECT_EQ(h.methods, std::vector<ClockMethod>{ClockMethod::kBusyCore});
    EXPECT_EQ(h.Text(ctl::kCspeed), "2966.40 MHz");
    EXPECT_EQ(h[ctl::kSpeedbar].position, 2966);
    EXPECT_EQ(h.Text(ctl::kMult), "29.7");
    EXPECT_EQ(h.Text(ctl::kFspeed), "100.00 MHz");
    EXPECT_EQ(h.model->Clock().method, "busy core");
    EXPECT_DOUBLE_EQ(h.model->Clock().tscmhz, 2300.0);
    h.model->cspeedClick();
    EXPECT_EQ(h.Text(ctl::kHlpstring),
              "Time-stamp counter: 2300.00 MHz (fixed rate); performance core measured busy on logical processor 3");

    h.mhz = 3412.0;
    h.core_type_leaf = 0x20000001;
    h.processor = 9;
    h.model->refrtimerTimer();
    EXPECT_EQ(h.methods.back(), ClockMethod::kBusyCore);
    EXPECT_EQ(h.Text(ctl::kMult), "34.1");
    h.model->cspeedClick();
    EXPECT_EQ(h.Text(ctl::kHlpstring),
              "Time-stamp counter: 2300.00 MHz (fixed rate); efficient core measured busy on logical processor 9");
}

// Off a hybrid processor the help line names no kind of core.
TEST(HelpLine, CoreSpeedExplainsTheBusyCoreRun) {
    Processor p = FromCorpus("12th-gen-intel-core-i5-12400.txt");
    ClockReading r;
    r.method = ClockMethod::kBusyCore;
    r.tscmhz = 2496.0;
    r.processor = 0;
    r.core_type_leaf = 0x40000001;
    p.cpu.l7s0_edx &= ~0x8000u;
    EXPECT_EQ(ClockHelp(p.cpu, r), "Time-stamp counter: 2496.00 MHz (fixed rate); core measured busy on logical processor 0");
    r.method = ClockMethod::kGiven;
    EXPECT_EQ(ClockHelp(p.cpu, r), "");
}

TEST(HelpLine, ClickHandlers) {
    Harness h(Pentium4HT());
    h.Create();
    auto& m = *h.model;
    m.ctpClick();
    EXPECT_EQ(h.Text(ctl::kHlpstring), "CPU Type 0 means Primary/Single Processor");
    m.lpClick();  // the field keeps leaf 1's count; the line tells the package's
    EXPECT_EQ(h.Text(ctl::kHlpstring), "Logical Processor Count; per package: 1 core, 2 threads");
    m.flsClick();
    EXPECT_EQ(h.Text(ctl::kHlpstring), "CLFLUSH chunk count");
    m.famClick();
    EXPECT_EQ(h.Text(ctl::kHlpstring), "15: Intel Pentium 4 Family");
    m.mdlClick();
    EXPECT_EQ(h.Text(ctl::kHlpstring), "2: Northwood");
    m.brandClick();
    EXPECT_EQ(h.Text(ctl::kHlpstring), "0.13 \xB5m Intel Pentium 4");
    m.apicClick();
    EXPECT_EQ(h.Text(ctl::kHlpstring), "");
}

// Under a hypervisor the platform field shows the short note; the value the
// reports read, the tooltip and the help line after a click keep the full one.
TEST(HelpLine, PlatformUnderAHypervisor) {
    Processor vm = ThisMachineEpyc();
    vm.names.platform = "Socket SP3 (virtual machine: KVM)";
    vm.names.hypervisor = "KVM";
    Harness h(std::move(vm));
    h.Create();
    EXPECT_EQ(h.Text(ctl::kPlt), "Socket SP3 (virtual machine: KVM)");
    EXPECT_EQ(h[ctl::kPlt].shorter, (std::vector<std::string>{"Socket SP3 (VM: KVM)", "Socket SP3 (VM)"}));
    EXPECT_EQ(h[ctl::kPlt].tooltip, "Socket SP3 (virtual machine: KVM)");
    h.model->pltClick();
    EXPECT_EQ(h.Text(ctl::kHlpstring), "Socket SP3 (virtual machine: KVM)");

    // On a processor seen directly the field shows its text and a click
    // leaves the help line alone.
    Harness host(Pentium4HT());
    host.Create();
    EXPECT_TRUE(host[ctl::kPlt].shorter.empty());
    EXPECT_EQ(host[ctl::kPlt].tooltip, "");
    host.model->lpClick();
    const std::string lp_help = host.Text(ctl::kHlpstring);
    host.model->pltClick();
    EXPECT_EQ(host.Text(ctl::kHlpstring), lp_help);
}

TEST(HelpLine, BrandClickOnAnotherVendorChangesNothing) {
    Harness h(AthlonXP());
    h.Create();
    h.model->lpClick();
    h.model->brandClick();
    EXPECT_EQ(h.Text(ctl::kHlpstring), "Logical Processor Count; per package: 1 core, 1 thread");
}

// On "GenuineIntel" the brand field always rewrites the line, also with an
// empty explanation; the processor type is explained for all four values.
TEST(HelpLine, IntelBrandClickWritesEvenAnEmptyExplanation) {
    struct Case {
        uint16_t brand_id;
        const char* want;
    } cases[] = {{13, ""}, {0, "Brand ID is not supported"}, {1, "0.18 \xB5m Intel Celeron"},
                 {7, "0.13 \xB5m Intel Celeron mobile"}, {16, ""}, {22, "0.13 \xB5m Intel Pentium M"}};
    for (const Case& c : cases) {
        Processor p = Pentium4HT();
        p.cpu.brand_id = c.brand_id;
        Harness h(std::move(p));
        h.Create();
        h.model->lpClick();
        h.model->brandClick();
        EXPECT_EQ(h.Text(ctl::kHlpstring), c.want) << c.brand_id;
    }
    const char* types[] = {"CPU Type 0 means Primary/Single Processor", "CPU Type 1 means Overdrive Processor",
                           "CPU Type 2 means Secondary Processor", "CPU Type 3 is Reserved"};
    for (uint16_t t = 0; t < 4; ++t) {
        Processor p = PentiumMMX();
        p.cpu.cpu_type = t;
        Harness h(std::move(p));
        h.Create();
        h.model->ctpClick();
        EXPECT_EQ(h.Text(ctl::kHlpstring), types[t]);
    }
}

TEST(HelpLine, BrandIndexTable) {
    EXPECT_EQ(BrandIdHelp(0), "Brand ID is not supported");
    EXPECT_EQ(BrandIdHelp(13), "");
    EXPECT_EQ(BrandIdHelp(15), "0.13 \xB5m Intel Pentium 4 mobile (samples)");
    EXPECT_EQ(BrandIdHelp(21), "");
    EXPECT_EQ(BrandIdHelp(22), "0.13 \xB5m Intel Pentium M");
    EXPECT_EQ(BrandIdHelp(23), "");  // past the table: no explanation
    EXPECT_EQ(BrandIdHelp(255), "");
    EXPECT_EQ(CpuTypeHelp(3), "CPU Type 3 is Reserved");
    EXPECT_EQ(CpuTypeHelp(1), "CPU Type 1 means Overdrive Processor");
}


// ---- the clock measured beside the window ----

Harness& WithDmiClocks(Harness& h) {
    h.mhz = 2000.0;
    h.dmi_ok = true;
    h.dmi.dmiread = true;
    h.dmi.extclock = 133;
    h.dmi.curspeed = 2000;
    return h;
}

// Work asked for before the first measurement ends (a report, a screenshot,
// a database record) runs once it has, and then sees every control as a
// window that measured before showing: so files carry the same bytes.
TEST(ClockBesideTheWindow, WorkAskedBeforeTheFirstMeasurementSeesIt) {
    Harness first(AthlonXP());
    WithDmiClocks(first).Create();

    Gate gate;
    Harness beside(AthlonXP());
    WithDmiClocks(beside).CreateBeside(gate);
    // Unmeasured: no clock, rating, multiplier or bus clock; an empty bar
    // without its scale. Everything else is already there.
    for (ControlName n : {ctl::kCspeed, ctl::kPRating, ctl::kMult, ctl::kFspeed}) EXPECT_EQ(beside.Text(n), "") << n;
    EXPECT_TRUE(beside.Dimmed(ctl::kLabelRat));
    EXPECT_EQ(beside[ctl::kSpeedbar].position, 0);
    EXPECT_FALSE(beside[ctl::kPb1].visible);
    EXPECT_EQ(beside.Text(ctl::kCpuname), first.Text(ctl::kCpuname));
    EXPECT_TRUE(beside[ctl::kFspeed].visible);

    std::optional<WindowState> seen;
    beside.model->AfterFirstClock([&] { seen = beside.model->State(); });
    EXPECT_FALSE(seen);
    gate.WaitEntered(1);  // the request started the measurement
    gate.Open();
    gate.WaitEnded(1);
    EXPECT_FALSE(seen);  // not before the window's thread has been told
    EXPECT_TRUE(beside.model->ClockEnded());
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->Text(ctl::kCspeed), "2000.00 MHz");
    EXPECT_EQ(seen->Text(ctl::kPRating), "2400+");
    EXPECT_EQ(seen->Text(ctl::kMult), "15.0");
    EXPECT_TRUE(seen->All() == first.model->State().All());

    // Once a clock is shown, work runs at once.
    bool ran = false;
    beside.model->AfterFirstClock([&] { ran = true; });
    EXPECT_TRUE(ran);
}

// A window whose measurement has started and holds at the gate.
class RunningMeasurement : public ::testing::Test {
protected:
    void SetUp() override {
        h.mhz = 233.0;
        h.CreateBeside(gate);
        ASSERT_TRUE(h.model->StartClock());
        gate.WaitEntered(1);
    }
    Gate gate;
    Harness h{PentiumMMX()};
};

TEST_F(RunningMeasurement, ARefreshMeanwhileIsSkipped) {
    h.model->refrtimerTimer();
    h.model->button_refreshClick();  // not a Reset either
    EXPECT_FALSE(h.model->StartClock());
    gate.Open();
    gate.WaitEnded(1);
    EXPECT_FALSE(h.model->StartClock());  // nor while its clock waits to be shown
    EXPECT_TRUE(h.model->ClockEnded());
    EXPECT_FALSE(h.model->ClockEnded());
    EXPECT_EQ(h.methods.size(), 1u);
    EXPECT_EQ(h.Text(ctl::kCspeed), "233.00 MHz");

    // The next tick measures again; the fields change when the window is told.
    h.mhz = 266.0;
    h.model->refrtimerTimer();
    gate.WaitEnded(2);
    EXPECT_EQ(h.Text(ctl::kCspeed), "233.00 MHz");
    EXPECT_TRUE(h.model->ClockEnded());
    EXPECT_EQ(h.Text(ctl::kCspeed), "266.00 MHz");
    EXPECT_EQ(h.methods.size(), 2u);
}

TEST_F(RunningMeasurement, AThroughputRunWaitsForIt) {
    std::thread opener([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        gate.Open();
    });
    h.model->PauseClock();
    opener.join();
    // It returned after the measurement ended, whose clock is on view.
    EXPECT_EQ(h.Text(ctl::kCspeed), "233.00 MHz");
    // No refresh during the run, one after it.
    h.model->refrtimerTimer();
    EXPECT_FALSE(h.model->StartClock());
    h.model->ResumeClock();
    EXPECT_TRUE(h.model->StartClock());
    gate.WaitEnded(2);
    EXPECT_EQ(h.methods.size(), 2u);
}

}  // namespace
}  // namespace kest::test
