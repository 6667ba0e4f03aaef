// The main window's behaviour without widgets: what every control shows after
// the window's creation, a Reset, a clock tick or a click. The Qt window only
// applies State() and forwards its events here.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "cpu/cache_info.h"
#include "cpu/clock.h"
#include "cpu/cpuid_data.h"
#include "cpu/topology.h"
#include "dmi/dmi.h"
#include "ident/processor_names.h"
#include "record/memtestr.h"
#include "view/feature_names.h"
#include "view/window_state.h"

namespace kest {

// Globals of the window's unit, set before the window exists.
struct WindowGlobals {
    std::string StartupDir;  // current directory at start-up, no trailing separator
    std::string memtestr = kMemtestrDefault;  // last throughput result
};
// StartupDir from the process's current directory, memtestr at its default.
WindowGlobals InitWindowGlobals();

// The three words of the first feature pages unpacked into single bits (0 or 1).
struct FeatureBits {
    std::array<uint8_t, 32> featurs1_bits{};  // leaf 1 EDX
    std::array<uint8_t, 32> featurs2_bits{};  // leaf 1 ECX
    std::array<uint8_t, 32> feature1_bits{};  // leaf 0x80000001 EDX
};

// The search records of the database tests: each keeps the name of the last
// file its search found; a failed search leaves it unchanged.
struct DatabaseSearch {
    std::string ini_record;       // search for "database.ini"
    std::string db_record;        // search for the remembered database file name
    std::string browser_record;   // search for the database browser
    std::string remembered_name;  // first line of database.ini, set by the pointer reading
    // What "Database browser" starts: "./kestdbbr" when the current directory
    // has it, else the copy beside the running program; empty when neither
    // was found. Once set it is kept, like the item's enabled state.
    std::string browser_program;
};

// The name of the entry of `dir` whose name is exactly `name` (case
// included), or nothing. An empty name is never found.
std::optional<std::string> FindExactName(const std::string& dir, const std::string& name);

// Indicator colours.
inline constexpr uint32_t kGreen = 0x008000;
inline constexpr uint32_t kMaroon = 0x800000;

// How the model reaches the machine; tests inject their own.
struct WindowSeams {
    // Re-reads the firmware tables into the record (processor record first,
    // then the cache records). A failed read sets dmiread false and the clocks
    // to 0, other fields keep their values.
    std::function<void(DmiProcessorInfo&)> read_dmi;
    // One core-clock measurement by the method the model asks for (blocks
    // about half a second). A clock given by the user comes back as given.
    std::function<ClockReading(ClockMethod)> measure_clock;
    // Searches the current directory for an exact file name.
    std::function<std::optional<std::string>(const std::string&)> find_in_current_dir;
    // The path of the program `name` in the running program's own folder
    // (where the package installs the database browser), or nothing.
    std::function<std::optional<std::string>(const std::string&)> find_beside_program;
    // The live machine's packages, cores and threads; false when it cannot
    // tell (unset, or a dump: the counts then come from CPUID).
    std::function<bool(Topology&)> read_topology;
};

// Work of the reports and throughput code that the window's population
// triggers. Unset hooks do nothing.
struct WindowHooks {
    // Reads the database file name from StartupDir/database.ini into
    // search.remembered_name and updates search.db_record. May throw
    // std::exception (an unreadable database.ini): the population stops there.
    std::function<void(DatabaseSearch& search)> read_database_pointer;
    // Clears the throughput graph to its empty picture and forgets the last
    // test, so that clicks on the graph do nothing until a test has run.
    std::function<void()> reset_throughput_graph;
};

class MainWindowModel {
public:
    // `names` is the global identification record: the population may change
    // its intprocn (product_line::kPentium4 to kPentium4HT for a Pentium 4
    // with Hyper-Threading).
    MainWindowModel(const CpuidData& cpu, const CacheInfo& caches, ProcessorNames& names,
                    WindowGlobals& globals, WindowSeams seams, WindowHooks hooks = {});

    WindowState& State() { return state_; }
    const WindowState& State() const { return state_; }
    WindowHooks& Hooks() { return hooks_; }

    // Population (window creation) and the Reset button.
    void FormCreate();
    void button_refreshClick() { FormCreate(); }
    // Re-formats the serial number; the check box's state has already been
    // toggled (State()[ctl::kCheckBoxFullsn].checked).
    void CheckBox_fullsnClick();

    // Clock refresh: measures and shows. ShowClock is everything after the
    // measurement.
    void refrtimerTimer();
    void ShowClock(const ClockReading& reading);
    // The values of the last clock run.
    const ClockInfo& Clock() const { return clock_; }

    // Value fields that write the help line.
    void ctpClick();
    void apicClick();
    void lpClick();
    // The platform field: the full text on the help line when the field
    // shows a shortened form.
    void pltClick();
    void flsClick();
    void famClick();
    void mdlClick();
    void brandClick();
    void isa_lvlClick();
    void cspeedClick();

    // Feature-flag pages.
    void b_sffClick();
    void b_affClick();
    void b_effClick();
    // The menu of the later feature words; a word the processor does not
    // report has its entry disabled.
    void LaterFeatureClick(FeaturePage page);

    // Cache pages.
    void l1Click();
    void l2Click();
    void l3Click();
    void FillExtendedCacheTable();
    void ReadMachine();
    void UnpackFeatureBits();
    void ShowWhatExists();
    void FillCpuPage();
    void FillOtherInfo();

    // The throughput check boxes changed: "Run Selected" follows them.
    void UpdateRunButton();

    const FeatureBits& Bits() const { return bits_; }
    const DmiProcessorInfo& Dmi() const { return dmi_; }
    const CpuidData& Cpu() const { return cpu_; }
    const CacheInfo& Caches() const { return caches_; }
    const Topology& Topo() const { return topology_; }
    const ProcessorNames& Names() const { return names_; }
    WindowGlobals& Globals() { return globals_; }
    DatabaseSearch& Database() { return database_; }
    uint16_t BusClock() const { return bus_clock_; }
    uint16_t CurrentSpeed() const { return current_speed_; }

    // Screenshots saved since the last population (the screenshot's file
    // name carries it).
    int ScreenshotCount = 0;

private:
    void ShowFeaturePage(FeaturePage page);
    void SetNormal(ControlName name) { state_[name].colour = TextColour::Normal; }
    std::string SerialFull() const;
    std::string SerialShort() const;
    std::string SerialPlain() const;
    void ShowCacheLevel(int level);
    void CacheButtonStyles(int level);
    void DatabaseTests();

    const CpuidData& cpu_;
    const CacheInfo& caches_;
    ProcessorNames& names_;
    WindowGlobals& globals_;
    WindowSeams seams_;
    WindowHooks hooks_;
    WindowState state_;
    FeatureBits bits_;
    DmiProcessorInfo dmi_;
    DatabaseSearch database_;
    uint16_t bus_clock_ = 0;
    uint16_t current_speed_ = 0;
    Topology topology_;
    ClockReading reading_;
    ClockInfo clock_;
};

// Every control of the window at its form default.
void ApplyFormDefaults(WindowState& state);

// "Run Selected" is enabled while at least one throughput test box is checked.
bool RunSelectedEnabled(bool cb_copy, bool cb_read, bool cb_write);

// The logo of a product-line code: ctl::kLogo0308 for 308.
ControlName LogoName(uint16_t code);

// How the clock refresh measures: a processor whose counter runs at a fixed
// rate (invariant TSC, leaf 0x80000007 EDX bit 8) and that the name tables
// do not name has its busy core timed; every other one counts counter ticks.
ClockMethod ClockMethodFor(const CpuidData& cpu, const ProcessorNames& names);

// Shorter forms of a DMI SRAM type list ("Pipeline Burst Synchronous ") for
// its narrow cell, longest first; none when abbreviating saves nothing.
std::vector<std::string> SramShortForms(const std::string& text);

// The help-line explanations.
std::string CpuTypeHelp(uint16_t cpu_type);
// The core-speed field's after a busy-core run; empty after any other.
std::string ClockHelp(const CpuidData& cpu, const ClockReading& reading);
std::string BrandIdHelp(uint16_t brand_id);

// "Later sets: SSSE3 SSE4.1 ... AMX-INT8", the instruction-set group's
// tooltip and the level's help line.
std::string LaterSetsText(const CpuidData& cpu);

// 2^bits / 2^20 in the general floating-point text form, then " Mb".
std::string AddressSizeText(uint16_t bits);

}  // namespace kest
