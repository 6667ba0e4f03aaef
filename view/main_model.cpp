// Population of the pages, the serial number and the database tests.
#include "view/main_model.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "cpu/cpuid_bits.h"
#include "cpu/format.h"
#include "cpu/instruction_sets.h"
#include "cpu/vendor.h"
#include "ident/product_lines.h"
#include "view/product.h"

namespace kest {

WindowGlobals InitWindowGlobals() {
    WindowGlobals g;
    std::error_code ec;
    auto cwd = std::filesystem::current_path(ec);
    if (!ec) {
        g.StartupDir = cwd.string();
        while (g.StartupDir.size() > 1 && g.StartupDir.back() == '/') g.StartupDir.pop_back();
    }
    return g;
}

std::optional<std::string> FindExactName(const std::string& dir, const std::string& name) {
    if (name.empty()) return std::nullopt;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(dir.empty() ? "." : dir, ec), end;
         !ec && it != end; it.increment(ec)) {
        if (it->path().filename().string() == name) return name;
    }
    return std::nullopt;
}

std::string AddressSizeText(uint16_t bits) {
    const double v = std::ldexp(1.0, static_cast<int>(bits) - 20);
    char buf[64];
    // Fixed notation down to 0.00001 and up to 15 integer digits, the
    // exponent form beyond; 15 significant digits, no trailing zeros.
    if (v >= 1e-5 && v < 1e15) {
        std::snprintf(buf, sizeof buf, "%.15g", v);
        std::string t = buf;
        if (t.find('e') != std::string::npos) {  // %g chose the exponent form below 1e-4
            std::snprintf(buf, sizeof buf, "%.20f", v);
            t = buf;
            while (!t.empty() && t.back() == '0') t.pop_back();
            if (!t.empty() && t.back() == '.') t.pop_back();
        }
        return t + " Mb";
    }
    std::snprintf(buf, sizeof buf, "%.14e", v);
    std::string t = buf;
    const auto e = t.find('e');
    std::string mant = t.substr(0, e);
    while (mant.back() == '0') mant.pop_back();
    if (mant.back() == '.') mant.pop_back();
    int exp = std::atoi(t.c_str() + e + 1);
    return mant + "E" + std::to_string(exp) + " Mb";
}

std::string LaterSetsText(const CpuidData& cpu) {
    const std::vector<std::string> sets = LaterSets(cpu);
    std::string text = "Later sets:";
    if (sets.empty()) return text + " none";
    for (const std::string& name : sets) text += " " + name;
    return text;
}

MainWindowModel::MainWindowModel(const CpuidData& cpu, const CacheInfo& caches, ProcessorNames& names,
                                 WindowGlobals& globals, WindowSeams seams, WindowHooks hooks)
    : cpu_(cpu), caches_(caches), names_(names), globals_(globals), seams_(std::move(seams)),
      hooks_(std::move(hooks)) {
    ApplyFormDefaults(state_);
}

std::string MainWindowModel::SerialFull() const {
    const std::string& sig = cpu_.signature;
    const std::string ecx = HexText(cpu_.serial_ecx, false);
    const std::string edx = HexText(cpu_.serial_edx, false);
    auto part = [](const std::string& s, size_t from) { return from < s.size() ? s.substr(from, 4) : ""; };
    return StrToHexText(cpu_.vendorst) + "-" + part(sig, 0) + "-" + part(sig, 4) + "-" +
           part(ecx, 0) + "-" + part(ecx, 4) + "-" + part(edx, 0) + "-" + part(edx, 4);
}

std::string MainWindowModel::SerialShort() const {
    const std::string full = SerialFull();
    // The full form's first group is the vendor's hex text, which has no "-".
    const auto dash = full.find('-');
    return dash == std::string::npos ? full : full.substr(dash + 1);
}

std::string MainWindowModel::SerialPlain() const {
    return HexText(cpu_.serial_ebx, true) + HexText(cpu_.serial_ecx, false) +
           HexText(cpu_.serial_edx, false);
}

void MainWindowModel::CheckBox_fullsnClick() {
    const bool intel = cpu_.vendorst == vendor::kIntel;
    if (!intel)
        state_[ctl::kSerialnumber].text = SerialPlain();
    else if (state_[ctl::kCheckBoxFullsn].checked)
        state_[ctl::kSerialnumber].text = SerialFull();
    else
        state_[ctl::kSerialnumber].text = SerialShort();
}

bool RunSelectedEnabled(bool cb_copy, bool cb_read, bool cb_write) { return cb_copy || cb_read || cb_write; }

void MainWindowModel::UpdateRunButton() {
    state_[ctl::kTstRun].enabled =
        RunSelectedEnabled(state_[ctl::kCbCopy].checked, state_[ctl::kCbRead].checked, state_[ctl::kCbWrite].checked);
}

void MainWindowModel::FormCreate() {
    ReadMachine();
    // Clock fields before the window first shows.
    refrtimerTimer();
    UnpackFeatureBits();
    ShowWhatExists();
    FillCpuPage();
    FillOtherInfo();
    FillExtendedCacheTable();

    // Feature page 1 and cache level 1, whatever their buttons' state.
    b_sffClick();
    l1Click();

    // Screenshot numbering starts again.
    ScreenshotCount = 0;

    // Empty throughput graph.
    if (hooks_.reset_throughput_graph) hooks_.reset_throughput_graph();

    // "Run Selected" follows the check boxes; the help line starts empty.
    UpdateRunButton();
    state_[ctl::kHlpstring].text.clear();

    // The database files in the current directory.
    DatabaseTests();
}

// The machine's topology and firmware tables; the window keeps its own
// copies of the two DMI clocks.
void MainWindowModel::ReadMachine() {
    // Packages, cores and threads: the kernel's count on the live machine,
    // CPUID's for one package otherwise.
    if (!seams_.read_topology || !seams_.read_topology(topology_)) topology_ = TopologyFromCpuid(cpu_);

    // Firmware tables; the window keeps its own copies of the two clocks.
    if (seams_.read_dmi) {
        seams_.read_dmi(dmi_);
    } else {
        dmi_.dmiread = false;
        dmi_.extclock = dmi_.curspeed = 0;
    }
    bus_clock_ = dmi_.extclock;
    current_speed_ = dmi_.curspeed;
}

void MainWindowModel::UnpackFeatureBits() {
    bits_.featurs1_bits = BitsOf(cpu_.featurs1);
    bits_.featurs2_bits = BitsOf(cpu_.featurs2);
    bits_.feature1_bits = BitsOf(cpu_.feature1);
}

// Captions and values whose datum exists turn normal, buttons whose data is
// absent are disabled; nothing turns back.
void MainWindowModel::ShowWhatExists() {
    WindowState& s = state_;
    if (!cpu_.vendorst.empty()) SetNormal(ctl::kLabelVstring);
    if (!names_.procname.empty()) SetNormal(ctl::kLabelCpuname);
    if (!names_.corecode.empty()) SetNormal(ctl::kLabelCore);
    if (!cpu_.ext_name.empty()) SetNormal(ctl::kLabelExtname);
    if (cpu_.mxecpuid >= 0x80000001u && (cpu_.stfamily != 0 || cpu_.st_model != 0 || cpu_.stepping != 0)) {
        SetNormal(ctl::kEfam);
        SetNormal(ctl::kEmdl);
        SetNormal(ctl::kEstp);
    }
    if (!names_.platform.empty()) SetNormal(ctl::kLabelPlt);
    if (cpu_.brand_id != 0) {
        SetNormal(ctl::kBrand);
        SetNormal(ctl::kLabelBrand);
    }
    if (cpu_.extbrand != 0) SetNormal(ctl::kEbrd);
    if (caches_.l2.islevel2) {
        SetNormal(ctl::kLabelL2);
        SetNormal(ctl::kL2s);
    }
    if (caches_.l3.islevel3) {
        SetNormal(ctl::kLabelL3);
        SetNormal(ctl::kL3s);
    }
    if (Has(cpu_, cpuid_bit::kApic)) {
        SetNormal(ctl::kLabelApic);
        SetNormal(ctl::kApic);
    }
    if (cpu_.logprocc != 0) {
        SetNormal(ctl::kLabelCount);
        SetNormal(ctl::kLp);
    }
    if (Has(cpu_, cpuid_bit::kClfsh)) {
        SetNormal(ctl::kLabelClfl);
        SetNormal(ctl::kFls);
    }
    if (Has(cpu_, cpuid_bit::kPsn)) {
        SetNormal(ctl::kLabelSn);
        SetNormal(ctl::kSerialnumber);
        s[ctl::kCheckBoxFullsn].enabled = true;
    }
    if (caches_.l1.l1ctrace) s[ctl::kLabelL1i].text = "L1 Trace:";

    // Technology group.
    if (names_.techpar1.empty() && names_.techpar2.empty() && names_.techpar3.empty()) {
        s[ctl::kTechTitle].colour = TextColour::Dimmed;
        for (ControlName n : {ctl::kTech1, ctl::kTech2, ctl::kTech3}) s[n].visible = false;
    }

    // Buttons whose data is absent; never re-enabled here.
    if (!caches_.l2.islevel2) s[ctl::kL2].enabled = false;
    if (!caches_.l3.islevel3) s[ctl::kL3].enabled = false;
    if (cpu_.featurs1 == 0) s[ctl::kBSff].enabled = false;
    if (cpu_.featurs2 == 0) s[ctl::kBAff].enabled = false;
    if (cpu_.feature1 == 0) s[ctl::kBEff].enabled = false;
    bool any_later = false;
    for (const LaterFeatureWord& w : LaterFeatureWords()) {
        if (cpu_.*w.word == 0) s[w.action].enabled = false;
        any_later = any_later || cpu_.*w.word != 0;
    }
    if (!any_later) s[ctl::kBLff].enabled = false;

    // Bus clock from the firmware: FSB and multiplier fields appear.
    if (bus_clock_ != 0)
        for (ControlName n : {ctl::kLabelFspeed, ctl::kLabelMult, ctl::kBevelFspeed, ctl::kBevelMult, ctl::kFspeed, ctl::kMult})
            s[n].visible = true;
}

// "CPU Information": values, serial number, logo and instruction sets.
void MainWindowModel::FillCpuPage() {
    WindowState& s = state_;
    const bool serial = Has(cpu_, cpuid_bit::kPsn);
    s[ctl::kVendor].text = cpu_.vendorst;
    s[ctl::kCpuname].text = names_.procname;
    s[ctl::kCore].text = names_.corecode;
    s[ctl::kCpuextname].text = cpu_.ext_name;
    s[ctl::kPlt].text = names_.platform;
    // The hypervisor note rarely fits the field: shorter forms to show, the
    // whole text for the tooltip and the help line.
    s[ctl::kPlt].shorter = PlatformShortForms(names_);
    s[ctl::kPlt].tooltip = s[ctl::kPlt].shorter.empty() ? std::string() : names_.platform;
    s[ctl::kFam].text = std::to_string(cpu_.stfamily);
    s[ctl::kMdl].text = std::to_string(cpu_.st_model);
    s[ctl::kStp].text = std::to_string(cpu_.stepping);
    s[ctl::kEfam].text = std::to_string(cpu_.exfamily);
    s[ctl::kEmdl].text = std::to_string(cpu_.ex_model);
    s[ctl::kEstp].text = std::to_string(cpu_.ext_step);
    s[ctl::kBrand].text = HexText(cpu_.brand_id, true);
    s[ctl::kEbrd].text = HexText(cpu_.extbrand, true);
    s[ctl::kL1is].text = KbText(caches_.l1.level1ic, caches_.l1.l1ctrace);
    s[ctl::kL1ds].text = KbText(caches_.l1.level1dc, false);
    s[ctl::kL2s].text = KbText(caches_.l2.level2cs, false);
    s[ctl::kL3s].text = KbText(caches_.l3.level3cs, false);
    s[ctl::kCtp].text = std::to_string(cpu_.cpu_type);
    s[ctl::kApic].text = std::to_string(cpu_.apic__id);
    s[ctl::kLp].text = std::to_string(cpu_.logprocc);
    s[ctl::kFls].text = std::to_string(cpu_.clflushs);
    s[ctl::kTech1].text = names_.techpar1;
    s[ctl::kTech2].text = names_.techpar2 + " transistors";
    s[ctl::kTech3].text = names_.techpar3 + " die size";

    // Serial number.
    const bool serial_line =
        names_.intprocn == product_line::kPentiumIII || names_.intprocn == product_line::kCrusoe;
    if (serial_line && !serial) s[ctl::kSerialnumber].text = "Disabled";
    if (serial) s[ctl::kSerialnumber].text = SerialFull();

    // Logo; a Pentium 4 with Hyper-Threading on more than one logical
    // processor becomes the Hyper-Threading line for every later reader.
    if (names_.intprocn == product_line::kPentium4 && Has(cpu_, cpuid_bit::kHtt) && cpu_.logprocc > 1)
        names_.intprocn = product_line::kPentium4HT;
    for (uint16_t code : kLogoCodes)
        if (code == names_.intprocn) s[LogoName(code)].visible = true;

    // Instruction-set indicators.
    // The indicators of kIsaIndicators, in its order.
    constexpr ControlName kIsaLights[] = {ctl::kMmxSh, ctl::kEmmxSh, ctl::kA3dSh, ctl::kAe3dSh,
                                          ctl::kSseSh, ctl::kSse2Sh, ctl::kSse3Sh};
    static_assert(std::size(kIsaLights) == kIsaIndicatorCount);
    for (size_t i = 0; i < kIsaIndicatorCount; ++i) s[kIsaLights[i]].fill = Has(cpu_, kIsaIndicators[i]) ? kGreen : kMaroon;
    const std::string level = X86_64LevelText(X86_64Level(cpu_));
    s[ctl::kIsaLvl].text = level.empty() ? "none" : level;
    if (!level.empty()) {
        SetNormal(ctl::kLabelIsaLvl);
        SetNormal(ctl::kIsaLvl);
    }
    s[ctl::kLabelIsT].tooltip = LaterSetsText(cpu_);
}

// "Other Info": power management, address sizes and the DMI processor group.
void MainWindowModel::FillOtherInfo() {
    WindowState& s = state_;
    auto fill = [&](ControlName n, uint8_t bit) { s[n].fill = bit ? kGreen : kMaroon; };
    s[ctl::kEpmMaskPanel].visible = cpu_.mxecpuid < 0x80000007u;
    for (size_t i = 0; i < std::size(kPowerIndicators); ++i)
        fill(ctl::PowerIndicator(int(i) + 1), Has(cpu_, kPowerIndicators[i]));

    // Address sizes.
    s[ctl::kAsMaskPanel].visible = cpu_.mxecpuid < 0x80000008u;
    s[ctl::kAsP].text = AddressSizeText(cpu_.phys_bits);
    s[ctl::kAsV].text = AddressSizeText(cpu_.virt_bits);

    // DMI group.
    if (dmi_.dmiread) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%d MHz", dmi_.curspeed);
        s[ctl::kDmiCur].text = buf;
        std::snprintf(buf, sizeof buf, "%d MHz", dmi_.maxspeed);
        s[ctl::kDmiMax].text = buf;
        s[ctl::kDmiStatus].text = dmi_.cpustatus;
        s[ctl::kDmiMaskPanel].visible = false;
    } else {
        s[ctl::kDmiMaskPanel].visible = true;
        s[ctl::kPanelExtcMask].visible = true;
    }
}

void MainWindowModel::DatabaseTests() {
    auto find = [&](const std::string& name) -> std::optional<std::string> {
        if (seams_.find_in_current_dir) return seams_.find_in_current_dir(name);
        return FindExactName(".", name);
    };
    if (auto r = find("database.ini")) database_.ini_record = *r;
    if (auto r = find(database_.remembered_name)) database_.db_record = *r;
    if (database_.ini_record == "database.ini" && database_.db_record == database_.remembered_name) {
        // An unreadable pointer file ends the population here (the exception
        // reaches the window, which reports it); the button keeps its state.
        if (hooks_.read_database_pointer) hooks_.read_database_pointer(database_);
        state_[ctl::kDbase].enabled = true;
    } else {
        state_[ctl::kDbase].enabled = false;
    }
    const std::string browser(kDatabaseBrowserProgram);
    if (auto r = find(browser)) database_.browser_record = *r;
    if (database_.browser_record == browser) {
        database_.browser_program = "./" + browser;
        state_[ctl::kDatabasebrowser1].enabled = true;
    } else if (database_.browser_program.empty() && seams_.find_beside_program) {
        // Installed programs are not started from the current directory: the
        // browser installed beside this program counts as well.
        if (auto path = seams_.find_beside_program(browser)) {
            database_.browser_program = *path;
            state_[ctl::kDatabasebrowser1].enabled = true;
        }
    }
}

}  // namespace kest
