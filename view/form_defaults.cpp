// The window as the form defines it, before any population.
#include <cstdio>

#include "view/main_model.h"
#include "view/product.h"
#include "view/throughput_view.h"

namespace kest {
namespace {

void Set(WindowState& s, ControlName name, const std::string& text,
         TextColour colour = TextColour::Normal, bool visible = true) {
    ControlState& c = s[name];
    c.text = text;
    c.colour = colour;
    c.visible = visible;
}

// A value label whose default text is its own name.
void Own(WindowState& s, ControlName name, TextColour colour = TextColour::Normal) {
    Set(s, name, name.String(), colour);
}

void Indicator(WindowState& s, ControlName name, uint32_t fill = kMaroon) {
    s[name].fill = fill;
}

constexpr TextColour kDim = TextColour::Dimmed;

}  // namespace

ControlName LogoName(uint16_t code) { return ctl::Logo(code); }

namespace {

// The window, its button bar, popups and tabs.
void FrameDefaults(WindowState& s) {
    Set(s, ctl::kMain, "Kestrune");
    Set(s, ctl::kButtonRefresh, "Reset");
    Set(s, ctl::kButtonSnap, "Save...");
    Set(s, ctl::kDbase, "Database...");
    s[ctl::kDbase].enabled = false;
    Set(s, ctl::kButtonClose, "Close");
    Set(s, ctl::kScreenshot1, "Screenshot");
    Set(s, ctl::kExtfile1, "Text file");
    Set(s, ctl::kHTMLfile1, "HTML file");
    Set(s, ctl::kDatabasebrowser1, "Database browser");
    s[ctl::kDatabasebrowser1].enabled = false;
    Set(s, ctl::kAddtodatabase1, "Add to database");

    // Tabs.
    Set(s, ctl::kCpuGen, "CPU Information");
    Set(s, ctl::kCpuFlags, "CPU Feature Flags");
    Set(s, ctl::kCacheI, "Cache Information");
    Set(s, ctl::kOthrInfo, "Other Info");
    Set(s, ctl::kAbout, "About Program");
    s[ctl::kMainPageControl].position = 0;  // active tab
    Set(s, ctl::kIntCache, "Integrated CPU Cache Information");
    Set(s, ctl::kECache, "Extended Cache Information");
    Set(s, ctl::kMemory, "Cache/Memory Throughput");
    s[ctl::kCacheControl].position = 0;
}

void CpuPageDefaults(WindowState& s) {
    Set(s, ctl::kLabelVstring, "Vendor string:", kDim);
    Own(s, ctl::kVendor);
    Set(s, ctl::kLabelCpuname, "CPU name:", kDim);
    Own(s, ctl::kCpuname);
    Set(s, ctl::kLabelRat, "Rating:", kDim);
    Set(s, ctl::kPRating, "");
    Set(s, ctl::kLabelCore, "Core codename:", kDim);
    Own(s, ctl::kCore);
    Set(s, ctl::kLabelPlt, "Platform:", kDim);
    Set(s, ctl::kPlt, "");
    Set(s, ctl::kLabelExtname, "Extended name:", kDim);
    Own(s, ctl::kCpuextname);
    for (uint16_t code : kLogoCodes) s[LogoName(code)].visible = false;

    Set(s, ctl::kLabelMdlT, "Model Information");
    Set(s, ctl::kLabelFam, "Family:");
    Set(s, ctl::kLabelModel, "Model:");
    Set(s, ctl::kLabelStp, "Stepping:");
    Set(s, ctl::kLabelBrand, "Brand Id:", kDim);
    Own(s, ctl::kFam);
    Own(s, ctl::kMdl);
    Own(s, ctl::kStp);
    Own(s, ctl::kBrand, kDim);
    for (ControlName n : {ctl::kEfam, ctl::kEmdl, ctl::kEstp, ctl::kEbrd}) Own(s, n, kDim);

    Set(s, ctl::kLabelCachesT, "Cache size");
    Set(s, ctl::kLabelL1i, "L1 Instr:");
    Set(s, ctl::kLabelL1d, "L1 Data:");
    Set(s, ctl::kLabelL2, "L2:", kDim);
    Set(s, ctl::kLabelL3, "L3:", kDim);
    Own(s, ctl::kL1is);
    Own(s, ctl::kL1ds);
    Own(s, ctl::kL2s, kDim);
    Own(s, ctl::kL3s, kDim);

    Set(s, ctl::kLabelAddT, "Additional");
    Set(s, ctl::kLabelType, "CPU Type:");
    Set(s, ctl::kLabelApic, "APIC Id:", kDim);
    Set(s, ctl::kLabelCount, "LP Count:", kDim);
    Set(s, ctl::kLabelClfl, "Flush size:", kDim);
    Own(s, ctl::kCtp);
    Own(s, ctl::kApic, kDim);
    Own(s, ctl::kLp, kDim);
    Own(s, ctl::kFls, kDim);

    Set(s, ctl::kLabelIsT, "Instruction Sets");
    for (ControlName n : {ctl::kMmxSh, ctl::kEmmxSh, ctl::kA3dSh, ctl::kAe3dSh, ctl::kSseSh, ctl::kSse2Sh, ctl::kSse3Sh})
        Indicator(s, n);

    Set(s, ctl::kHlpstring, "");

    Set(s, ctl::kLabelIsaLvl, "x86-64 level:", kDim);
    Set(s, ctl::kIsaLvl, "", kDim);

    Set(s, ctl::kLabelCspeed, "Core speed:");
    Set(s, ctl::kLabelFspeed, "FSB Speed:", TextColour::Normal, false);
    Set(s, ctl::kLabelMult, "Multiplier:", TextColour::Normal, false);
    Own(s, ctl::kCspeed);
    Set(s, ctl::kFspeed, "fspeed", TextColour::Normal, false);
    Set(s, ctl::kMult, "mult", TextColour::Normal, false);
    s[ctl::kBevelFspeed].visible = false;
    s[ctl::kBevelMult].visible = false;
    s[ctl::kSpeedbar].maximum = 100;
    s[ctl::kSpeedbar].position = 0;
    Own(s, ctl::kPb1);
    Own(s, ctl::kPb2);
    Own(s, ctl::kPb3);

    Set(s, ctl::kTechTitle, "Technological");
    Own(s, ctl::kTech1);
    Own(s, ctl::kTech2);
    Own(s, ctl::kTech3);

    Set(s, ctl::kLabelSn, "Serial Number:", kDim);
    Set(s, ctl::kSerialnumber, "Not supported", kDim);
    Set(s, ctl::kCheckBoxFullsn, "Full S/N");
    s[ctl::kCheckBoxFullsn].checked = true;
    s[ctl::kCheckBoxFullsn].enabled = false;
}

void FeaturePageDefaults(WindowState& s) {
    Set(s, ctl::kBSff, "Standart Features (page 1)");
    Set(s, ctl::kBAff, "Standart Features (page 2)");
    Set(s, ctl::kBEff, "Extended Features");
    // The later words: a narrow toggle that opens their menu.
    Set(s, ctl::kBLff, "\xBB");
    for (const LaterFeatureWord& w : LaterFeatureWords()) Set(s, w.action, w.caption);
    for (int i = 0; i < 32; ++i) {
        Indicator(s, ctl::FeatureIndicator(i));
        Set(s, ctl::FeatureLabel(i), "Label0");
    }
}

// "Cache Information": integrated caches and the DMI cache records.
void CachePageDefaults(WindowState& s) {
    Set(s, ctl::kL1, "Level 1");
    Set(s, ctl::kL2, "Level 2");
    Set(s, ctl::kL3, "Level 3");
    for (int c = 1; c <= 2; ++c)
        for (int b = 1; b <= 3; ++b) Own(s, ctl::CacheHead(c, b));
    for (int b = 1; b <= 3; ++b)
        for (int r = 1; r <= (b == 1 ? 4 : 2); ++r)
            for (int c = 1; c <= 4; ++c)
                Own(s, ctl::CacheCell(b, r, c));
    s[ctl::kL2MaskPanel].visible = false;
    s[ctl::kL3MaskPanel].visible = false;

    // Extended cache information.
    Set(s, ctl::kExtL1Tit, "1");
    Set(s, ctl::kExtL2Tit, "2");
    Set(s, ctl::kExtL3Tit, "3");
    for (int level = 1; level <= 3; ++level)
        for (std::string_view row : ctl::kExtCacheRows) Set(s, ctl::ExtCacheRow(level, row), "N/A");
    Set(s, ctl::kPanelExtcMask, "Extended Cache Information is unavailable.", TextColour::Normal, false);
}

void ThroughputDefaults(WindowState& s) {
    s[ctl::kMtbScroll].enabled = false;
    s[ctl::kMtbScroll].maximum = 1539;
    Set(s, ctl::kTopTp, "");
    Set(s, ctl::kMiddleTp, "");
    Set(s, ctl::kTstChLabel, "Tests to run:");
    for (ControlName n : {ctl::kCbRead, ctl::kCbWrite, ctl::kCbCopy}) s[n].checked = true;
    s[ctl::kCbRead].text = "Read";
    s[ctl::kCbWrite].text = "Write";
    s[ctl::kCbCopy].text = "Copy";
    s[ctl::kCbVector].text = "Vector";  // off: the word test is the one the page runs
    Set(s, ctl::kTstRun, "Run Selected");
    s[ctl::kTestPb].visible = false;
    s[ctl::kTestPb].maximum = 4096;
    s[ctl::kPanelLegend].visible = false;
    const LegendCaptions captions = LegendCaptionsFor(VectorWidth::None);
    Set(s, ctl::kLegTpCaption, captions.throughput);
    Set(s, ctl::kLegAvCaption, captions.average);
    Indicator(s, ctl::kShRd, 0x00FFFF);
    Indicator(s, ctl::kShWr, 0xFFFF00);
    Indicator(s, ctl::kShCp, 0xFF0000);
    for (ControlName n : {ctl::kLegBsL1, ctl::kLegTpL1, ctl::kLegTpL2, ctl::kLegTpL3, ctl::kLegAvL1,
                          ctl::kLegAvL2, ctl::kLegAvL3})
        Set(s, n, "");
}

void OtherInfoDefaults(WindowState& s) {
    for (ControlName n : {ctl::kEpm1s, ctl::kEpm2s, ctl::kEpm3s, ctl::kEpm4s, ctl::kEpm5s, ctl::kEpm6s}) Indicator(s, n);
    Set(s, ctl::kEpmMaskPanel, "This instruction is not supported", TextColour::Normal, false);
    Set(s, ctl::kAsP, "as_p");
    Set(s, ctl::kAsV, "as_p");
    Set(s, ctl::kAsMaskPanel, "This instruction is not supported");
    Set(s, ctl::kDmiCur, "");
    Set(s, ctl::kDmiMax, "");
    Set(s, ctl::kDmiStatus, "");
    Set(s, ctl::kDmiMaskPanel, "Can't read DMI structure table");
}

void AboutDefaults(WindowState& s) {
    Set(s, ctl::kAboutName, "Kestrune");
    Set(s, ctl::kAboutVersion, "Version 5.4.0");
    Set(s, ctl::kOffCUrl, std::string(kWebAddress));
    Set(s, ctl::kQeltMail, std::string(kSupportMail));
    Set(s, ctl::kVormMail, std::string(kAuthorMail));
    // The product name as two-digit hexadecimal character codes.
    std::string sig = "Application signature: ";
    for (unsigned char ch : std::string("Kestrune")) {
        char buf[4];
        std::snprintf(buf, sizeof buf, "%02X", ch);
        sig += buf;
    }
    Set(s, ctl::kAboutSignature, sig + "-05-04-01-e2");
}

}  // namespace

void ApplyFormDefaults(WindowState& s) {
    FrameDefaults(s);
    CpuPageDefaults(s);
    FeaturePageDefaults(s);
    CachePageDefaults(s);
    ThroughputDefaults(s);
    OtherInfoDefaults(s);
    AboutDefaults(s);
}

}  // namespace kest
