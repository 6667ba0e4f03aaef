// The window as the form defines it, before any population.
#include <cstdio>

#include "view/main_model.h"
#include "view/product.h"

namespace kest {
namespace {

void Set(WindowState& s, const std::string& name, const std::string& text,
         TextColour colour = TextColour::Normal, bool visible = true) {
    ControlState& c = s[name];
    c.text = text;
    c.colour = colour;
    c.visible = visible;
}

// A value label whose default text is its own name.
void Own(WindowState& s, const std::string& name, TextColour colour = TextColour::Normal) {
    Set(s, name, name, colour);
}

void Indicator(WindowState& s, const std::string& name, uint32_t fill = kMaroon) {
    s[name].fill = fill;
}

constexpr TextColour kDim = TextColour::Dimmed;

}  // namespace

const std::array<uint16_t, 41>& LogoCodes() {
    static const std::array<uint16_t, 41> codes = {
        104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115,
        116, 117, 118, 119, 120, 121, 202, 203, 204, 205, 206, 302,
        303, 305, 306, 307, 308, 309, 310, 311, 312, 313, 314, 315,
        316, 317, 318, 901, 1100};
    return codes;
}

std::string LogoName(uint16_t code) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "_logo_%04u", static_cast<unsigned>(code));
    return buf;
}

void ApplyFormDefaults(WindowState& s) {
    Set(s, "main", "Kestrune");

    // Button bar and popups.
    Set(s, "button_refresh", "Reset");
    Set(s, "button_snap", "Save...");
    Set(s, "dbase", "Database...");
    s["dbase"].enabled = false;
    Set(s, "button_close", "Close");
    Set(s, "Screenshot1", "Screenshot");
    Set(s, "extfile1", "Text file");
    Set(s, "HTMLfile1", "HTML file");
    Set(s, "Databasebrowser1", "Database browser");
    s["Databasebrowser1"].enabled = false;
    Set(s, "Addtodatabase1", "Add to database");

    // Tabs.
    Set(s, "_cpu_gen", "CPU Information");
    Set(s, "_cpu_flags", "CPU Feature Flags");
    Set(s, "_cache_i", "Cache Information");
    Set(s, "_othr_info", "Other Info");
    Set(s, "_about", "About Program");
    s["main_page_control"].position = 0;  // active tab
    Set(s, "_int_cache", "Integrated CPU Cache Information");
    Set(s, "_e_cache", "Extended Cache Information");
    Set(s, "_memory", "Cache/Memory Throughput");
    s["_cache_control"].position = 0;

    // Page "CPU Information".
    Set(s, "Label_vstring", "Vendor string:", kDim);
    Own(s, "vendor");
    Set(s, "Label_cpuname", "CPU name:", kDim);
    Own(s, "cpuname");
    Set(s, "Label_rat", "Rating:", kDim);
    Set(s, "p_rating", "");
    Set(s, "Label_core", "Core codename:", kDim);
    Own(s, "core");
    Set(s, "Label_plt", "Platform:", kDim);
    Set(s, "plt", "");
    Set(s, "Label_extname", "Extended name:", kDim);
    Own(s, "cpuextname");
    for (uint16_t code : LogoCodes()) s[LogoName(code)].visible = false;

    Set(s, "Label_mdl_t", "Model Information");
    Set(s, "Label_fam", "Family:");
    Set(s, "Label_model", "Model:");
    Set(s, "Label_stp", "Stepping:");
    Set(s, "Label_brand", "Brand Id:", kDim);
    Own(s, "fam");
    Own(s, "mdl");
    Own(s, "stp");
    Own(s, "brand", kDim);
    for (const char* n : {"efam", "emdl", "estp", "ebrd"}) Own(s, n, kDim);

    Set(s, "Label_caches_t", "Cache size");
    Set(s, "Label_l1i", "L1 Instr:");
    Set(s, "Label_l1d", "L1 Data:");
    Set(s, "Label_l2", "L2:", kDim);
    Set(s, "Label_l3", "L3:", kDim);
    Own(s, "l1is");
    Own(s, "l1ds");
    Own(s, "l2s", kDim);
    Own(s, "l3s", kDim);

    Set(s, "Label_add_t", "Additional");
    Set(s, "Label_type", "CPU Type:");
    Set(s, "Label_apic", "APIC Id:", kDim);
    Set(s, "Label_count", "LP Count:", kDim);
    Set(s, "Label_clfl", "Flush size:", kDim);
    Own(s, "ctp");
    Own(s, "apic", kDim);
    Own(s, "lp", kDim);
    Own(s, "fls", kDim);

    Set(s, "Label_is_t", "Instruction Sets");
    for (const char* n : {"mmx_sh", "emmx_sh", "a3d_sh", "ae3d_sh", "sse_sh", "sse2_sh", "sse3_sh"})
        Indicator(s, n);

    Set(s, "hlpstring", "");

    Set(s, "Label_cspeed", "Core speed:");
    Set(s, "Label_fspeed", "FSB Speed:", TextColour::Normal, false);
    Set(s, "Label_mult", "Multiplier:", TextColour::Normal, false);
    Own(s, "cspeed");
    Set(s, "fspeed", "fspeed", TextColour::Normal, false);
    Set(s, "mult", "mult", TextColour::Normal, false);
    s["Bevel_fspeed"].visible = false;
    s["Bevel_mult"].visible = false;
    s["speedbar"].maximum = 100;
    s["speedbar"].position = 0;
    Own(s, "pb1");
    Own(s, "pb2");
    Own(s, "pb3");

    Set(s, "tech_title", "Technological");
    Own(s, "tech_1");
    Own(s, "tech_2");
    Own(s, "tech_3");

    Set(s, "Label_sn", "Serial Number:", kDim);
    Set(s, "serialnumber", "Not supported", kDim);
    Set(s, "CheckBox_fullsn", "Full S/N");
    s["CheckBox_fullsn"].checked = true;
    s["CheckBox_fullsn"].enabled = false;

    // Page "CPU Feature Flags".
    Set(s, "b_sff", "Standart Features (page 1)");
    Set(s, "b_aff", "Standart Features (page 2)");
    Set(s, "b_eff", "Extended Features");
    for (int i = 0; i < 32; ++i) {
        Indicator(s, "S" + std::to_string(i));
        Set(s, "Label_s" + std::to_string(i), "Label0");
    }

    // Page "Cache Information", integrated caches.
    Set(s, "l1", "Level 1");
    Set(s, "l2", "Level 2");
    Set(s, "l3", "Level 3");
    for (int c = 1; c <= 2; ++c)
        for (int b = 1; b <= 3; ++b) Own(s, "head_" + std::to_string(c) + std::to_string(b));
    for (int b = 1; b <= 3; ++b)
        for (int r = 1; r <= (b == 1 ? 4 : 2); ++r)
            for (int c = 1; c <= 4; ++c)
                Own(s, "l" + std::to_string(b) + std::to_string(r) + std::to_string(c));
    s["l2_mask_panel"].visible = false;
    s["l3_mask_panel"].visible = false;

    // Extended cache information.
    Set(s, "ext_l1_tit", "1");
    Set(s, "ext_l2_tit", "2");
    Set(s, "ext_l3_tit", "3");
    for (const char* level : {"1", "2", "3"})
        for (const char* row : {"loc", "om", "status", "sock", "ctp", "ect", "srt", "crt", "spd"})
            Set(s, std::string("ext_l") + level + "_" + row, "N/A");
    Set(s, "panel_extc_mask", "Extended Cache Information is unavailable.", TextColour::Normal, false);

    // Cache/memory throughput.
    s["mtb_scroll"].enabled = false;
    s["mtb_scroll"].maximum = 1539;
    Set(s, "top_tp", "");
    Set(s, "middle_tp", "");
    Set(s, "tst_ch_label", "Tests to run:");
    for (const char* n : {"cb_read", "cb_write", "cb_copy"}) s[n].checked = true;
    s["cb_read"].text = "Read";
    s["cb_write"].text = "Write";
    s["cb_copy"].text = "Copy";
    Set(s, "tst_run", "Run Selected");
    s["test_pb"].visible = false;
    s["test_pb"].maximum = 4096;
    s["panel_legend"].visible = false;
    Indicator(s, "sh_rd", 0x00FFFF);
    Indicator(s, "sh_wr", 0xFFFF00);
    Indicator(s, "sh_cp", 0xFF0000);
    for (const char* n : {"leg_bs_l1", "leg_tp_l1", "leg_tp_l2", "leg_tp_l3", "leg_av_l1",
                          "leg_av_l2", "leg_av_l3"})
        Set(s, n, "");

    // Page "Other Info".
    for (const char* n : {"epm1s", "epm2s", "epm3s", "epm4s", "epm5s", "epm6s"}) Indicator(s, n);
    Set(s, "epm_mask_panel", "This instruction is not supported", TextColour::Normal, false);
    Set(s, "as_p", "as_p");
    Set(s, "as_v", "as_p");
    Set(s, "as_mask_panel", "This instruction is not supported");
    Set(s, "dmi_cur", "");
    Set(s, "dmi_max", "");
    Set(s, "dmi_status", "");
    Set(s, "dmi_mask_panel", "Can't read DMI structure table");

    // Page "About Program".
    Set(s, "about_name", "Kestrune");
    Set(s, "about_version", "Version 5.4.0");
    Set(s, "off_c_url", std::string(kWebAddress));
    Set(s, "qelt_mail", std::string(kSupportMail));
    Set(s, "vorm_mail", std::string(kAuthorMail));
    // The product name as two-digit hexadecimal character codes.
    std::string sig = "Application signature: ";
    for (unsigned char ch : std::string("Kestrune")) {
        char buf[4];
        std::snprintf(buf, sizeof buf, "%02X", ch);
        sig += buf;
    }
    Set(s, "about_signature", sig + "-05-04-01-e2");
}

}  // namespace kest
