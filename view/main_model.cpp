// Population of the pages, the serial number and the database tests.
#include "view/main_model.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <system_error>

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
        state_["serialnumber"].text = SerialPlain();
    else if (state_["CheckBox_fullsn"].checked)
        state_["serialnumber"].text = SerialFull();
    else
        state_["serialnumber"].text = SerialShort();
}

bool RunSelectedEnabled(bool cb_copy, bool cb_read, bool cb_write) { return cb_copy || cb_read || cb_write; }

void MainWindowModel::UpdateRunButton() {
    state_["tst_run"].enabled =
        RunSelectedEnabled(state_["cb_copy"].checked, state_["cb_read"].checked, state_["cb_write"].checked);
}

void MainWindowModel::FormCreate() {
    WindowState& s = state_;

    // Firmware tables; the window keeps its own copies of the two clocks.
    if (seams_.read_dmi) {
        seams_.read_dmi(dmi_);
    } else {
        dmi_.dmiread = false;
        dmi_.extclock = dmi_.curspeed = 0;
    }
    bus_clock_ = dmi_.extclock;
    current_speed_ = dmi_.curspeed;

    // Clock fields before the window first shows.
    refrtimerTimer();

    // Feature bits.
    bits_.featurs1_bits = BitsOf(cpu_.featurs1);
    bits_.featurs2_bits = BitsOf(cpu_.featurs2);
    bits_.feature1_bits = BitsOf(cpu_.feature1);
    bits_.powermgt_bits = BitsOf(cpu_.powermgt);
    const auto& f1 = bits_.featurs1_bits;

    // Captions and values whose datum exists turn normal; nothing turns back.
    if (!cpu_.vendorst.empty()) SetNormal("Label_vstring");
    if (!names_.procname.empty()) SetNormal("Label_cpuname");
    if (!names_.corecode.empty()) SetNormal("Label_core");
    if (!cpu_.ext_name.empty()) SetNormal("Label_extname");
    if (cpu_.mxecpuid >= 0x80000001u && (cpu_.stfamily != 0 || cpu_.st_model != 0 || cpu_.stepping != 0)) {
        SetNormal("efam");
        SetNormal("emdl");
        SetNormal("estp");
    }
    if (!names_.platform.empty()) SetNormal("Label_plt");
    if (cpu_.brand_id != 0) {
        SetNormal("brand");
        SetNormal("Label_brand");
    }
    if (cpu_.extbrand != 0) SetNormal("ebrd");
    if (caches_.l2.islevel2) {
        SetNormal("Label_l2");
        SetNormal("l2s");
    }
    if (caches_.l3.islevel3) {
        SetNormal("Label_l3");
        SetNormal("l3s");
    }
    if (f1[9]) {
        SetNormal("Label_apic");
        SetNormal("apic");
    }
    if (cpu_.logprocc != 0) {
        SetNormal("Label_count");
        SetNormal("lp");
    }
    if (f1[19]) {
        SetNormal("Label_clfl");
        SetNormal("fls");
    }
    if (f1[18]) {
        SetNormal("Label_sn");
        SetNormal("serialnumber");
        s["CheckBox_fullsn"].enabled = true;
    }
    if (caches_.l1.l1ctrace) s["Label_l1i"].text = "L1 Trace:";

    // Technology group.
    if (names_.techpar1.empty() && names_.techpar2.empty() && names_.techpar3.empty()) {
        s["tech_title"].colour = TextColour::Dimmed;
        for (const char* n : {"tech_1", "tech_2", "tech_3"}) s[n].visible = false;
    }

    // Buttons whose data is absent; never re-enabled here.
    if (!caches_.l2.islevel2) s["l2"].enabled = false;
    if (!caches_.l3.islevel3) s["l3"].enabled = false;
    if (cpu_.featurs1 == 0) s["b_sff"].enabled = false;
    if (cpu_.featurs2 == 0) s["b_aff"].enabled = false;
    if (cpu_.feature1 == 0) s["b_eff"].enabled = false;

    // Bus clock from the firmware: FSB and multiplier fields appear.
    if (bus_clock_ != 0)
        for (const char* n : {"Label_fspeed", "Label_mult", "Bevel_fspeed", "Bevel_mult", "fspeed", "mult"})
            s[n].visible = true;

    // Value texts.
    s["vendor"].text = cpu_.vendorst;
    s["cpuname"].text = names_.procname;
    s["core"].text = names_.corecode;
    s["cpuextname"].text = cpu_.ext_name;
    s["plt"].text = names_.platform;
    s["fam"].text = std::to_string(cpu_.stfamily);
    s["mdl"].text = std::to_string(cpu_.st_model);
    s["stp"].text = std::to_string(cpu_.stepping);
    s["efam"].text = std::to_string(cpu_.exfamily);
    s["emdl"].text = std::to_string(cpu_.ex_model);
    s["estp"].text = std::to_string(cpu_.ext_step);
    s["brand"].text = HexText(cpu_.brand_id, true);
    s["ebrd"].text = HexText(cpu_.extbrand, true);
    s["l1is"].text = KbText(caches_.l1.level1ic, caches_.l1.l1ctrace);
    s["l1ds"].text = KbText(caches_.l1.level1dc, false);
    s["l2s"].text = KbText(caches_.l2.level2cs, false);
    s["l3s"].text = KbText(caches_.l3.level3cs, false);
    s["ctp"].text = std::to_string(cpu_.cpu_type);
    s["apic"].text = std::to_string(cpu_.apic__id);
    s["lp"].text = std::to_string(cpu_.logprocc);
    s["fls"].text = std::to_string(cpu_.clflushs);
    s["tech_1"].text = names_.techpar1;
    s["tech_2"].text = names_.techpar2 + " transistors";
    s["tech_3"].text = names_.techpar3 + " die size";

    // Serial number.
    const bool serial_line =
        names_.intprocn == product_line::kPentiumIII || names_.intprocn == product_line::kCrusoe;
    if (serial_line && !f1[18]) s["serialnumber"].text = "Disabled";
    if (f1[18]) s["serialnumber"].text = SerialFull();

    // Logo; a Pentium 4 with Hyper-Threading on more than one logical
    // processor becomes the Hyper-Threading line for every later reader.
    if (names_.intprocn == product_line::kPentium4 && f1[28] && cpu_.logprocc > 1)
        names_.intprocn = product_line::kPentium4HT;
    for (uint16_t code : LogoCodes())
        if (code == names_.intprocn) s[LogoName(code)].visible = true;

    // Instruction-set indicators.
    auto fill = [&](const char* n, uint8_t bit) { s[n].fill = bit ? kGreen : kMaroon; };
    fill("mmx_sh", f1[isa_bit::kMmx]);
    fill("emmx_sh", bits_.feature1_bits[isa_bit::kExtMmx]);
    fill("a3d_sh", bits_.feature1_bits[isa_bit::k3DNow]);
    fill("ae3d_sh", bits_.feature1_bits[isa_bit::k3DNowPlus]);
    fill("sse_sh", f1[isa_bit::kSse]);
    fill("sse2_sh", f1[isa_bit::kSse2]);
    fill("sse3_sh", bits_.featurs2_bits[isa_bit::kSse3]);

    // Power management.
    s["epm_mask_panel"].visible = cpu_.mxecpuid < 0x80000007u;
    for (int i = 0; i < 6; ++i) fill(("epm" + std::to_string(i + 1) + "s").c_str(), bits_.powermgt_bits[i]);

    // Address sizes.
    s["as_mask_panel"].visible = cpu_.mxecpuid < 0x80000008u;
    s["as_p"].text = AddressSizeText(cpu_.phys_bits);
    s["as_v"].text = AddressSizeText(cpu_.virt_bits);

    // DMI group.
    if (dmi_.dmiread) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%d MHz", dmi_.curspeed);
        s["dmi_cur"].text = buf;
        std::snprintf(buf, sizeof buf, "%d MHz", dmi_.maxspeed);
        s["dmi_max"].text = buf;
        s["dmi_status"].text = dmi_.cpustatus;
        s["dmi_mask_panel"].visible = false;
    } else {
        s["dmi_mask_panel"].visible = true;
        s["panel_extc_mask"].visible = true;
    }

    // Extended cache table.
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
    s["hlpstring"].text.clear();

    // The database files in the current directory.
    DatabaseTests();
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
        state_["dbase"].enabled = true;
    } else {
        state_["dbase"].enabled = false;
    }
    const std::string browser(kDatabaseBrowserProgram);
    if (auto r = find(browser)) database_.browser_record = *r;
    if (database_.browser_record == browser) {
        database_.browser_program = "./" + browser;
        state_["Databasebrowser1"].enabled = true;
    } else if (database_.browser_program.empty() && seams_.find_beside_program) {
        // Installed programs are not started from the current directory: the
        // browser installed beside this program counts as well.
        if (auto path = seams_.find_beside_program(browser)) {
            database_.browser_program = *path;
            state_["Databasebrowser1"].enabled = true;
        }
    }
}

}  // namespace kest
