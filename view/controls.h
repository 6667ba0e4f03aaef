// The main window's controls, declared once. Every control the window
// shows has a name in this list; code refers to it by the constant of the
// same name (ctl::kCpuname for "cpuname"), so that a misspelt control does
// not compile. Names put together at run time (a feature bit, a cache level)
// go through ControlName::Of, which refuses a name the window does not have.
// The widgets take their object names from here too.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

namespace kest {

// Every control of the window.
inline constexpr std::string_view kControlNames[] = {
    // The form's own controls, page by page.
    "main", "button_refresh", "button_snap", "dbase", "button_close", "Screenshot1", "extfile1", "HTMLfile1",
    "Databasebrowser1", "Addtodatabase1", "_cpu_gen", "_cpu_flags", "_cache_i", "_othr_info", "_about",
    "main_page_control", "_int_cache", "_e_cache", "_memory", "_cache_control", "Label_vstring", "vendor",
    "Label_cpuname", "cpuname", "Label_rat", "p_rating", "Label_core", "core", "Label_plt", "plt",
    "Label_extname", "cpuextname", "Label_mdl_t", "Label_fam", "Label_model", "Label_stp", "Label_brand", "fam",
    "mdl", "stp", "brand", "efam", "emdl", "estp", "ebrd", "Label_caches_t", "Label_l1i", "Label_l1d",
    "Label_l2", "Label_l3", "l1is", "l1ds", "l2s", "l3s", "Label_add_t", "Label_type", "Label_apic",
    "Label_count", "Label_clfl", "ctp", "apic", "lp", "fls", "Label_is_t", "mmx_sh", "emmx_sh", "a3d_sh",
    "ae3d_sh", "sse_sh", "sse2_sh", "sse3_sh", "hlpstring", "Label_cspeed", "Label_fspeed", "Label_mult",
    "cspeed", "fspeed", "mult", "Bevel_fspeed", "Bevel_mult", "speedbar", "pb1", "pb2", "pb3", "tech_title",
    "tech_1", "tech_2", "tech_3", "Label_sn", "serialnumber", "CheckBox_fullsn", "b_sff", "b_aff", "b_eff",
    "l1", "l2", "l3", "l2_mask_panel", "l3_mask_panel", "ext_l1_tit", "ext_l2_tit", "ext_l3_tit",
    "panel_extc_mask", "mtb_scroll", "top_tp", "middle_tp", "tst_ch_label", "cb_read", "cb_write", "cb_copy",
    "tst_run", "test_pb", "panel_legend", "sh_rd", "sh_wr", "sh_cp", "leg_bs_l1", "leg_tp_l1", "leg_tp_l2",
    "leg_tp_l3", "leg_av_l1", "leg_av_l2", "leg_av_l3", "epm1s", "epm2s", "epm3s", "epm4s", "epm5s", "epm6s",
    "epm_mask_panel", "as_p", "as_v", "as_mask_panel", "dmi_cur", "dmi_max", "dmi_status", "dmi_mask_panel",
    "about_name", "about_version", "off_c_url", "qelt_mail", "vorm_mail", "about_signature",
    // Logos on "CPU Information", one per product-line code (LogoName).
    "_logo_0104", "_logo_0105", "_logo_0106", "_logo_0107", "_logo_0108", "_logo_0109", "_logo_0110",
    "_logo_0111", "_logo_0112", "_logo_0113", "_logo_0114", "_logo_0115", "_logo_0116", "_logo_0117",
    "_logo_0118", "_logo_0119", "_logo_0120", "_logo_0121", "_logo_0202", "_logo_0203", "_logo_0204",
    "_logo_0205", "_logo_0206", "_logo_0302", "_logo_0303", "_logo_0305", "_logo_0306", "_logo_0307",
    "_logo_0308", "_logo_0309", "_logo_0310", "_logo_0311", "_logo_0312", "_logo_0313", "_logo_0314",
    "_logo_0315", "_logo_0316", "_logo_0317", "_logo_0318", "_logo_0901", "_logo_1100",
    // "CPU Feature Flags": indicator and name of each bit 0-31.
    "S0", "S1", "S2", "S3", "S4", "S5", "S6", "S7", "S8", "S9", "S10", "S11", "S12", "S13", "S14", "S15", "S16",
    "S17", "S18", "S19", "S20", "S21", "S22", "S23", "S24", "S25", "S26", "S27", "S28", "S29", "S30", "S31",
    "Label_s0", "Label_s1", "Label_s2", "Label_s3", "Label_s4", "Label_s5", "Label_s6", "Label_s7", "Label_s8",
    "Label_s9", "Label_s10", "Label_s11", "Label_s12", "Label_s13", "Label_s14", "Label_s15", "Label_s16",
    "Label_s17", "Label_s18", "Label_s19", "Label_s20", "Label_s21", "Label_s22", "Label_s23", "Label_s24",
    "Label_s25", "Label_s26", "Label_s27", "Label_s28", "Label_s29", "Label_s30", "Label_s31",
    // "Integrated CPU Cache Information": block headings head_<column><block> and cells l<block><row><column>.
    "head_11", "head_12", "head_13", "head_21", "head_22", "head_23", "l111", "l112", "l113", "l114", "l121",
    "l122", "l123", "l124", "l131", "l132", "l133", "l134", "l141", "l142", "l143", "l144", "l211", "l212",
    "l213", "l214", "l221", "l222", "l223", "l224", "l311", "l312", "l313", "l314", "l321", "l322", "l323",
    "l324",
    // "Extended Cache Information": rows of each level.
    "ext_l1_loc", "ext_l1_om", "ext_l1_status", "ext_l1_sock", "ext_l1_ctp", "ext_l1_ect", "ext_l1_srt",
    "ext_l1_crt", "ext_l1_spd", "ext_l2_loc", "ext_l2_om", "ext_l2_status", "ext_l2_sock", "ext_l2_ctp",
    "ext_l2_ect", "ext_l2_srt", "ext_l2_crt", "ext_l2_spd", "ext_l3_loc", "ext_l3_om", "ext_l3_status",
    "ext_l3_sock", "ext_l3_ctp", "ext_l3_ect", "ext_l3_srt", "ext_l3_crt", "ext_l3_spd",
    // Throughput legend rows: key bevels, name bevels and labels, throughput and average bevels.
    "leg_b1", "leg_b2", "leg_b3", "leg_b4", "leg_b5", "leg_b6", "leg_l1", "leg_l2", "leg_l3", "leg_tp_b1",
    "leg_tp_b2", "leg_tp_b3", "leg_av_b1", "leg_av_b2", "leg_av_b3",
    // Containers and widgets that show no state of their own.
    "button_strip", "save_pop", "dbase_pop", "refrtimer", "logo_box", "clock_frame", "sff_p", "c_pan",
    "throughput_page", "graph_view", "graph_mt", "graph_mt_vals", "lab_hint", "lab_hint2",
    "b_lff",
    "lff_pop",
    "lff_ext1_ecx",
    "lff_l7s0_ebx",
    "lff_l7s0_ecx",
    "lff_l7s0_edx",
    "lff_l7s1_eax",
    "lff_ext8_ebx",
    "lff_ext21_eax",
    "Label_isa_lvl",
    "isa_lvl",
};

// The name of one control of the window.
class ControlName {
public:
    // A name written in the code: one not in kControlNames does not compile.
    consteval explicit ControlName(std::string_view name) : index_(IndexOf(name)) {}

    // A name put together at run time; std::logic_error when the window has
    // no control of that name (a programming error).
    static ControlName Of(std::string_view name);

    constexpr std::string_view View() const { return kControlNames[index_]; }
    std::string String() const { return std::string(View()); }
    // NUL-terminated: every name is a string literal.
    constexpr const char* CStr() const { return View().data(); }

    friend constexpr bool operator==(ControlName, ControlName) = default;

private:
    constexpr ControlName(std::size_t index, int) : index_(static_cast<uint16_t>(index)) {}
    static consteval uint16_t IndexOf(std::string_view name) {
        for (std::size_t i = 0; i < std::size(kControlNames); ++i)
            if (kControlNames[i] == name) return static_cast<uint16_t>(i);
        throw "not a control of the main window";
    }

    uint16_t index_;
};

// Test messages print the name.
std::ostream& operator<<(std::ostream& out, ControlName name);

// Whether the window has a control of this name.
bool IsControl(std::string_view name);

namespace ctl {

// The form's own controls, page by page.
inline constexpr ControlName kMain{"main"};
inline constexpr ControlName kButtonRefresh{"button_refresh"};
inline constexpr ControlName kButtonSnap{"button_snap"};
inline constexpr ControlName kDbase{"dbase"};
inline constexpr ControlName kButtonClose{"button_close"};
inline constexpr ControlName kScreenshot1{"Screenshot1"};
inline constexpr ControlName kExtfile1{"extfile1"};
inline constexpr ControlName kHTMLfile1{"HTMLfile1"};
inline constexpr ControlName kDatabasebrowser1{"Databasebrowser1"};
inline constexpr ControlName kAddtodatabase1{"Addtodatabase1"};
inline constexpr ControlName kCpuGen{"_cpu_gen"};
inline constexpr ControlName kCpuFlags{"_cpu_flags"};
inline constexpr ControlName kCacheI{"_cache_i"};
inline constexpr ControlName kOthrInfo{"_othr_info"};
inline constexpr ControlName kAbout{"_about"};
inline constexpr ControlName kMainPageControl{"main_page_control"};
inline constexpr ControlName kIntCache{"_int_cache"};
inline constexpr ControlName kECache{"_e_cache"};
inline constexpr ControlName kMemory{"_memory"};
inline constexpr ControlName kCacheControl{"_cache_control"};
inline constexpr ControlName kLabelVstring{"Label_vstring"};
inline constexpr ControlName kVendor{"vendor"};
inline constexpr ControlName kLabelCpuname{"Label_cpuname"};
inline constexpr ControlName kCpuname{"cpuname"};
inline constexpr ControlName kLabelRat{"Label_rat"};
inline constexpr ControlName kPRating{"p_rating"};
inline constexpr ControlName kLabelCore{"Label_core"};
inline constexpr ControlName kCore{"core"};
inline constexpr ControlName kLabelPlt{"Label_plt"};
inline constexpr ControlName kPlt{"plt"};
inline constexpr ControlName kLabelExtname{"Label_extname"};
inline constexpr ControlName kCpuextname{"cpuextname"};
inline constexpr ControlName kLabelMdlT{"Label_mdl_t"};
inline constexpr ControlName kLabelFam{"Label_fam"};
inline constexpr ControlName kLabelModel{"Label_model"};
inline constexpr ControlName kLabelStp{"Label_stp"};
inline constexpr ControlName kLabelBrand{"Label_brand"};
inline constexpr ControlName kFam{"fam"};
inline constexpr ControlName kMdl{"mdl"};
inline constexpr ControlName kStp{"stp"};
inline constexpr ControlName kBrand{"brand"};
inline constexpr ControlName kEfam{"efam"};
inline constexpr ControlName kEmdl{"emdl"};
inline constexpr ControlName kEstp{"estp"};
inline constexpr ControlName kEbrd{"ebrd"};
inline constexpr ControlName kLabelCachesT{"Label_caches_t"};
inline constexpr ControlName kLabelL1i{"Label_l1i"};
inline constexpr ControlName kLabelL1d{"Label_l1d"};
inline constexpr ControlName kLabelL2{"Label_l2"};
inline constexpr ControlName kLabelL3{"Label_l3"};
inline constexpr ControlName kL1is{"l1is"};
inline constexpr ControlName kL1ds{"l1ds"};
inline constexpr ControlName kL2s{"l2s"};
inline constexpr ControlName kL3s{"l3s"};
inline constexpr ControlName kLabelAddT{"Label_add_t"};
inline constexpr ControlName kLabelType{"Label_type"};
inline constexpr ControlName kLabelApic{"Label_apic"};
inline constexpr ControlName kLabelCount{"Label_count"};
inline constexpr ControlName kLabelClfl{"Label_clfl"};
inline constexpr ControlName kCtp{"ctp"};
inline constexpr ControlName kApic{"apic"};
inline constexpr ControlName kLp{"lp"};
inline constexpr ControlName kFls{"fls"};
inline constexpr ControlName kLabelIsT{"Label_is_t"};
inline constexpr ControlName kMmxSh{"mmx_sh"};
inline constexpr ControlName kEmmxSh{"emmx_sh"};
inline constexpr ControlName kA3dSh{"a3d_sh"};
inline constexpr ControlName kAe3dSh{"ae3d_sh"};
inline constexpr ControlName kSseSh{"sse_sh"};
inline constexpr ControlName kSse2Sh{"sse2_sh"};
inline constexpr ControlName kSse3Sh{"sse3_sh"};
inline constexpr ControlName kHlpstring{"hlpstring"};
inline constexpr ControlName kLabelCspeed{"Label_cspeed"};
inline constexpr ControlName kLabelFspeed{"Label_fspeed"};
inline constexpr ControlName kLabelMult{"Label_mult"};
inline constexpr ControlName kCspeed{"cspeed"};
inline constexpr ControlName kFspeed{"fspeed"};
inline constexpr ControlName kMult{"mult"};
inline constexpr ControlName kBevelFspeed{"Bevel_fspeed"};
inline constexpr ControlName kBevelMult{"Bevel_mult"};
inline constexpr ControlName kSpeedbar{"speedbar"};
inline constexpr ControlName kPb1{"pb1"};
inline constexpr ControlName kPb2{"pb2"};
inline constexpr ControlName kPb3{"pb3"};
inline constexpr ControlName kTechTitle{"tech_title"};
inline constexpr ControlName kTech1{"tech_1"};
inline constexpr ControlName kTech2{"tech_2"};
inline constexpr ControlName kTech3{"tech_3"};
inline constexpr ControlName kLabelSn{"Label_sn"};
inline constexpr ControlName kSerialnumber{"serialnumber"};
inline constexpr ControlName kCheckBoxFullsn{"CheckBox_fullsn"};
inline constexpr ControlName kBSff{"b_sff"};
inline constexpr ControlName kBAff{"b_aff"};
inline constexpr ControlName kBEff{"b_eff"};
inline constexpr ControlName kL1{"l1"};
inline constexpr ControlName kL2{"l2"};
inline constexpr ControlName kL3{"l3"};
inline constexpr ControlName kL2MaskPanel{"l2_mask_panel"};
inline constexpr ControlName kL3MaskPanel{"l3_mask_panel"};
inline constexpr ControlName kExtL1Tit{"ext_l1_tit"};
inline constexpr ControlName kExtL2Tit{"ext_l2_tit"};
inline constexpr ControlName kExtL3Tit{"ext_l3_tit"};
inline constexpr ControlName kPanelExtcMask{"panel_extc_mask"};
inline constexpr ControlName kMtbScroll{"mtb_scroll"};
inline constexpr ControlName kTopTp{"top_tp"};
inline constexpr ControlName kMiddleTp{"middle_tp"};
inline constexpr ControlName kTstChLabel{"tst_ch_label"};
inline constexpr ControlName kCbRead{"cb_read"};
inline constexpr ControlName kCbWrite{"cb_write"};
inline constexpr ControlName kCbCopy{"cb_copy"};
inline constexpr ControlName kTstRun{"tst_run"};
inline constexpr ControlName kTestPb{"test_pb"};
inline constexpr ControlName kPanelLegend{"panel_legend"};
inline constexpr ControlName kShRd{"sh_rd"};
inline constexpr ControlName kShWr{"sh_wr"};
inline constexpr ControlName kShCp{"sh_cp"};
inline constexpr ControlName kLegBsL1{"leg_bs_l1"};
inline constexpr ControlName kLegTpL1{"leg_tp_l1"};
inline constexpr ControlName kLegTpL2{"leg_tp_l2"};
inline constexpr ControlName kLegTpL3{"leg_tp_l3"};
inline constexpr ControlName kLegAvL1{"leg_av_l1"};
inline constexpr ControlName kLegAvL2{"leg_av_l2"};
inline constexpr ControlName kLegAvL3{"leg_av_l3"};
inline constexpr ControlName kEpm1s{"epm1s"};
inline constexpr ControlName kEpm2s{"epm2s"};
inline constexpr ControlName kEpm3s{"epm3s"};
inline constexpr ControlName kEpm4s{"epm4s"};
inline constexpr ControlName kEpm5s{"epm5s"};
inline constexpr ControlName kEpm6s{"epm6s"};
inline constexpr ControlName kEpmMaskPanel{"epm_mask_panel"};
inline constexpr ControlName kAsP{"as_p"};
inline constexpr ControlName kAsV{"as_v"};
inline constexpr ControlName kAsMaskPanel{"as_mask_panel"};
inline constexpr ControlName kDmiCur{"dmi_cur"};
inline constexpr ControlName kDmiMax{"dmi_max"};
inline constexpr ControlName kDmiStatus{"dmi_status"};
inline constexpr ControlName kDmiMaskPanel{"dmi_mask_panel"};
inline constexpr ControlName kAboutName{"about_name"};
inline constexpr ControlName kAboutVersion{"about_version"};
inline constexpr ControlName kOffCUrl{"off_c_url"};
inline constexpr ControlName kQeltMail{"qelt_mail"};
inline constexpr ControlName kVormMail{"vorm_mail"};
inline constexpr ControlName kAboutSignature{"about_signature"};
// Logos on "CPU Information", one per product-line code (LogoName).
inline constexpr ControlName kLogo0104{"_logo_0104"};
inline constexpr ControlName kLogo0105{"_logo_0105"};
inline constexpr ControlName kLogo0106{"_logo_0106"};
inline constexpr ControlName kLogo0107{"_logo_0107"};
inline constexpr ControlName kLogo0108{"_logo_0108"};
inline constexpr ControlName kLogo0109{"_logo_0109"};
inline constexpr ControlName kLogo0110{"_logo_0110"};
inline constexpr ControlName kLogo0111{"_logo_0111"};
inline constexpr ControlName kLogo0112{"_logo_0112"};
inline constexpr ControlName kLogo0113{"_logo_0113"};
inline constexpr ControlName kLogo0114{"_logo_0114"};
inline constexpr ControlName kLogo0115{"_logo_0115"};
inline constexpr ControlName kLogo0116{"_logo_0116"};
inline constexpr ControlName kLogo0117{"_logo_0117"};
inline constexpr ControlName kLogo0118{"_logo_0118"};
inline constexpr ControlName kLogo0119{"_logo_0119"};
inline constexpr ControlName kLogo0120{"_logo_0120"};
inline constexpr ControlName kLogo0121{"_logo_0121"};
inline constexpr ControlName kLogo0202{"_logo_0202"};
inline constexpr ControlName kLogo0203{"_logo_0203"};
inline constexpr ControlName kLogo0204{"_logo_0204"};
inline constexpr ControlName kLogo0205{"_logo_0205"};
inline constexpr ControlName kLogo0206{"_logo_0206"};
inline constexpr ControlName kLogo0302{"_logo_0302"};
inline constexpr ControlName kLogo0303{"_logo_0303"};
inline constexpr ControlName kLogo0305{"_logo_0305"};
inline constexpr ControlName kLogo0306{"_logo_0306"};
inline constexpr ControlName kLogo0307{"_logo_0307"};
inline constexpr ControlName kLogo0308{"_logo_0308"};
inline constexpr ControlName kLogo0309{"_logo_0309"};
inline constexpr ControlName kLogo0310{"_logo_0310"};
inline constexpr ControlName kLogo0311{"_logo_0311"};
inline constexpr ControlName kLogo0312{"_logo_0312"};
inline constexpr ControlName kLogo0313{"_logo_0313"};
inline constexpr ControlName kLogo0314{"_logo_0314"};
inline constexpr ControlName kLogo0315{"_logo_0315"};
inline constexpr ControlName kLogo0316{"_logo_0316"};
inline constexpr ControlName kLogo0317{"_logo_0317"};
inline constexpr ControlName kLogo0318{"_logo_0318"};
inline constexpr ControlName kLogo0901{"_logo_0901"};
inline constexpr ControlName kLogo1100{"_logo_1100"};
// "CPU Feature Flags": indicator and name of each bit 0-31.
inline constexpr ControlName kS0{"S0"};
inline constexpr ControlName kS1{"S1"};
inline constexpr ControlName kS2{"S2"};
inline constexpr ControlName kS3{"S3"};
inline constexpr ControlName kS4{"S4"};
inline constexpr ControlName kS5{"S5"};
inline constexpr ControlName kS6{"S6"};
inline constexpr ControlName kS7{"S7"};
inline constexpr ControlName kS8{"S8"};
inline constexpr ControlName kS9{"S9"};
inline constexpr ControlName kS10{"S10"};
inline constexpr ControlName kS11{"S11"};
inline constexpr ControlName kS12{"S12"};
inline constexpr ControlName kS13{"S13"};
inline constexpr ControlName kS14{"S14"};
inline constexpr ControlName kS15{"S15"};
inline constexpr ControlName kS16{"S16"};
inline constexpr ControlName kS17{"S17"};
inline constexpr ControlName kS18{"S18"};
inline constexpr ControlName kS19{"S19"};
inline constexpr ControlName kS20{"S20"};
inline constexpr ControlName kS21{"S21"};
inline constexpr ControlName kS22{"S22"};
inline constexpr ControlName kS23{"S23"};
inline constexpr ControlName kS24{"S24"};
inline constexpr ControlName kS25{"S25"};
inline constexpr ControlName kS26{"S26"};
inline constexpr ControlName kS27{"S27"};
inline constexpr ControlName kS28{"S28"};
inline constexpr ControlName kS29{"S29"};
inline constexpr ControlName kS30{"S30"};
inline constexpr ControlName kS31{"S31"};
inline constexpr ControlName kLabelS0{"Label_s0"};
inline constexpr ControlName kLabelS1{"Label_s1"};
inline constexpr ControlName kLabelS2{"Label_s2"};
inline constexpr ControlName kLabelS3{"Label_s3"};
inline constexpr ControlName kLabelS4{"Label_s4"};
inline constexpr ControlName kLabelS5{"Label_s5"};
inline constexpr ControlName kLabelS6{"Label_s6"};
inline constexpr ControlName kLabelS7{"Label_s7"};
inline constexpr ControlName kLabelS8{"Label_s8"};
inline constexpr ControlName kLabelS9{"Label_s9"};
inline constexpr ControlName kLabelS10{"Label_s10"};
inline constexpr ControlName kLabelS11{"Label_s11"};
inline constexpr ControlName kLabelS12{"Label_s12"};
inline constexpr ControlName kLabelS13{"Label_s13"};
inline constexpr ControlName kLabelS14{"Label_s14"};
inline constexpr ControlName kLabelS15{"Label_s15"};
inline constexpr ControlName kLabelS16{"Label_s16"};
inline constexpr ControlName kLabelS17{"Label_s17"};
inline constexpr ControlName kLabelS18{"Label_s18"};
inline constexpr ControlName kLabelS19{"Label_s19"};
inline constexpr ControlName kLabelS20{"Label_s20"};
inline constexpr ControlName kLabelS21{"Label_s21"};
inline constexpr ControlName kLabelS22{"Label_s22"};
inline constexpr ControlName kLabelS23{"Label_s23"};
inline constexpr ControlName kLabelS24{"Label_s24"};
inline constexpr ControlName kLabelS25{"Label_s25"};
inline constexpr ControlName kLabelS26{"Label_s26"};
inline constexpr ControlName kLabelS27{"Label_s27"};
inline constexpr ControlName kLabelS28{"Label_s28"};
inline constexpr ControlName kLabelS29{"Label_s29"};
inline constexpr ControlName kLabelS30{"Label_s30"};
inline constexpr ControlName kLabelS31{"Label_s31"};
// "Integrated CPU Cache Information": block headings head_<column><block> and cells l<block><row><column>.
inline constexpr ControlName kHead11{"head_11"};
inline constexpr ControlName kHead12{"head_12"};
inline constexpr ControlName kHead13{"head_13"};
inline constexpr ControlName kHead21{"head_21"};
inline constexpr ControlName kHead22{"head_22"};
inline constexpr ControlName kHead23{"head_23"};
inline constexpr ControlName kL111{"l111"};
inline constexpr ControlName kL112{"l112"};
inline constexpr ControlName kL113{"l113"};
inline constexpr ControlName kL114{"l114"};
inline constexpr ControlName kL121{"l121"};
inline constexpr ControlName kL122{"l122"};
inline constexpr ControlName kL123{"l123"};
inline constexpr ControlName kL124{"l124"};
inline constexpr ControlName kL131{"l131"};
inline constexpr ControlName kL132{"l132"};
inline constexpr ControlName kL133{"l133"};
inline constexpr ControlName kL134{"l134"};
inline constexpr ControlName kL141{"l141"};
inline constexpr ControlName kL142{"l142"};
inline constexpr ControlName kL143{"l143"};
inline constexpr ControlName kL144{"l144"};
inline constexpr ControlName kL211{"l211"};
inline constexpr ControlName kL212{"l212"};
inline constexpr ControlName kL213{"l213"};
inline constexpr ControlName kL214{"l214"};
inline constexpr ControlName kL221{"l221"};
inline constexpr ControlName kL222{"l222"};
inline constexpr ControlName kL223{"l223"};
inline constexpr ControlName kL224{"l224"};
inline constexpr ControlName kL311{"l311"};
inline constexpr ControlName kL312{"l312"};
inline constexpr ControlName kL313{"l313"};
inline constexpr ControlName kL314{"l314"};
inline constexpr ControlName kL321{"l321"};
inline constexpr ControlName kL322{"l322"};
inline constexpr ControlName kL323{"l323"};
inline constexpr ControlName kL324{"l324"};
// "Extended Cache Information": rows of each level.
inline constexpr ControlName kExtL1Loc{"ext_l1_loc"};
inline constexpr ControlName kExtL1Om{"ext_l1_om"};
inline constexpr ControlName kExtL1Status{"ext_l1_status"};
inline constexpr ControlName kExtL1Sock{"ext_l1_sock"};
inline constexpr ControlName kExtL1Ctp{"ext_l1_ctp"};
inline constexpr ControlName kExtL1Ect{"ext_l1_ect"};
inline constexpr ControlName kExtL1Srt{"ext_l1_srt"};
inline constexpr ControlName kExtL1Crt{"ext_l1_crt"};
inline constexpr ControlName kExtL1Spd{"ext_l1_spd"};
inline constexpr ControlName kExtL2Loc{"ext_l2_loc"};
inline constexpr ControlName kExtL2Om{"ext_l2_om"};
inline constexpr ControlName kExtL2Status{"ext_l2_status"};
inline constexpr ControlName kExtL2Sock{"ext_l2_sock"};
inline constexpr ControlName kExtL2Ctp{"ext_l2_ctp"};
inline constexpr ControlName kExtL2Ect{"ext_l2_ect"};
inline constexpr ControlName kExtL2Srt{"ext_l2_srt"};
inline constexpr ControlName kExtL2Crt{"ext_l2_crt"};
inline constexpr ControlName kExtL2Spd{"ext_l2_spd"};
inline constexpr ControlName kExtL3Loc{"ext_l3_loc"};
inline constexpr ControlName kExtL3Om{"ext_l3_om"};
inline constexpr ControlName kExtL3Status{"ext_l3_status"};
inline constexpr ControlName kExtL3Sock{"ext_l3_sock"};
inline constexpr ControlName kExtL3Ctp{"ext_l3_ctp"};
inline constexpr ControlName kExtL3Ect{"ext_l3_ect"};
inline constexpr ControlName kExtL3Srt{"ext_l3_srt"};
inline constexpr ControlName kExtL3Crt{"ext_l3_crt"};
inline constexpr ControlName kExtL3Spd{"ext_l3_spd"};
// Throughput legend rows: key bevels, name bevels and labels, throughput and average bevels.
inline constexpr ControlName kLegB1{"leg_b1"};
inline constexpr ControlName kLegB2{"leg_b2"};
inline constexpr ControlName kLegB3{"leg_b3"};
inline constexpr ControlName kLegB4{"leg_b4"};
inline constexpr ControlName kLegB5{"leg_b5"};
inline constexpr ControlName kLegB6{"leg_b6"};
inline constexpr ControlName kLegL1{"leg_l1"};
inline constexpr ControlName kLegL2{"leg_l2"};
inline constexpr ControlName kLegL3{"leg_l3"};
inline constexpr ControlName kLegTpB1{"leg_tp_b1"};
inline constexpr ControlName kLegTpB2{"leg_tp_b2"};
inline constexpr ControlName kLegTpB3{"leg_tp_b3"};
inline constexpr ControlName kLegAvB1{"leg_av_b1"};
inline constexpr ControlName kLegAvB2{"leg_av_b2"};
inline constexpr ControlName kLegAvB3{"leg_av_b3"};
// Containers and widgets that show no state of their own.
inline constexpr ControlName kButtonStrip{"button_strip"};
inline constexpr ControlName kSavePop{"save_pop"};
inline constexpr ControlName kDbasePop{"dbase_pop"};
inline constexpr ControlName kRefrtimer{"refrtimer"};
inline constexpr ControlName kLogoBox{"logo_box"};
inline constexpr ControlName kClockFrame{"clock_frame"};
inline constexpr ControlName kSffP{"sff_p"};
inline constexpr ControlName kCPan{"c_pan"};
inline constexpr ControlName kThroughputPage{"throughput_page"};
inline constexpr ControlName kGraphView{"graph_view"};
inline constexpr ControlName kGraphMt{"graph_mt"};
inline constexpr ControlName kGraphMtVals{"graph_mt_vals"};
inline constexpr ControlName kLabHint{"lab_hint"};
inline constexpr ControlName kLabHint2{"lab_hint2"};
// The later feature words: the narrow toggle beside the three page buttons,
// its menu and one entry per word.
inline constexpr ControlName kBLff{"b_lff"};
inline constexpr ControlName kLffPop{"lff_pop"};
inline constexpr ControlName kLffExt1Ecx{"lff_ext1_ecx"};
inline constexpr ControlName kLffL7s0Ebx{"lff_l7s0_ebx"};
inline constexpr ControlName kLffL7s0Ecx{"lff_l7s0_ecx"};
inline constexpr ControlName kLffL7s0Edx{"lff_l7s0_edx"};
inline constexpr ControlName kLffL7s1Eax{"lff_l7s1_eax"};
inline constexpr ControlName kLffExt8Ebx{"lff_ext8_ebx"};
inline constexpr ControlName kLffExt21Eax{"lff_ext21_eax"};
// "CPU Information": the x86-64 level.
inline constexpr ControlName kLabelIsaLvl{"Label_isa_lvl"};
inline constexpr ControlName kIsaLvl{"isa_lvl"};

// Names put together from a number, each checked against the list.
ControlName FeatureIndicator(int bit);  // "S<bit>", bit 0-31
ControlName FeatureLabel(int bit);      // "Label_s<bit>"
ControlName CacheHead(int column, int block);            // "head_<column><block>"
ControlName CacheCell(int block, int row, int column);   // "l<block><row><column>"
ControlName ExtCacheTitle(int level);                    // "ext_l<level>_tit"
ControlName ExtCacheRow(int level, std::string_view row); // "ext_l<level>_<row>"
ControlName PowerIndicator(int i);                       // "epm<i>s", i 1-6
ControlName Logo(uint16_t code);                         // "_logo_%04u"

// The rows of "Extended Cache Information", top to bottom.
inline constexpr std::array<std::string_view, 9> kExtCacheRows = {"loc", "om",  "status", "sock", "ctp",
                                                                  "ect", "srt", "crt",    "spd"};

// The controls of one throughput legend row, shown and hidden together: the
// key shape, its two name bevels, the name label, the throughput bevel and
// label, the average bevel and label. Row 0 is Read, 1 Write, 2 Copy.
using LegendRow = std::array<ControlName, 8>;
const LegendRow& LegendRowControls(int row);

}  // namespace ctl
}  // namespace kest
