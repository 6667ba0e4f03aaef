// FormCreate over whole processors: what each page shows afterwards.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "cpu/format.h"

#include "tests/view/harness.h"

namespace kest::test {
namespace {

TEST(Populate, Pentium4WithHyperThreading) {
    Harness h(Pentium4HT());
    h.mhz = 3066.4;
    h.Create();

    EXPECT_EQ(h.Text(ctl::kVendor), "GenuineIntel");
    EXPECT_EQ(h.Text(ctl::kCpuname), "Intel Pentium 4 Processor");
    EXPECT_EQ(h.Text(ctl::kCore), "Northwood");
    EXPECT_EQ(h.Text(ctl::kPlt), "Socket 478");
    EXPECT_EQ(h.Text(ctl::kCpuextname), h.p.cpu.ext_name);
    for (ControlName n : {ctl::kLabelVstring, ctl::kLabelCpuname, ctl::kLabelCore, ctl::kLabelExtname, ctl::kLabelPlt})
        EXPECT_FALSE(h.Dimmed(n)) << n;
    EXPECT_EQ(h.Text(ctl::kFam), "15");
    EXPECT_EQ(h.Text(ctl::kMdl), "2");
    EXPECT_EQ(h.Text(ctl::kStp), "9");
    EXPECT_EQ(h.Text(ctl::kBrand), "09");
    EXPECT_FALSE(h.Dimmed(ctl::kBrand));
    // Extended leaf 1 not reported: its values read 0 but are shown normal
    // because the standard signature is not all zero.
    EXPECT_EQ(h.Text(ctl::kEfam), "0");
    EXPECT_FALSE(h.Dimmed(ctl::kEfam));
    EXPECT_TRUE(h.Dimmed(ctl::kEbrd));

    // Trace cache.
    EXPECT_EQ(h.Text(ctl::kLabelL1i), "L1 Trace:");
    EXPECT_EQ(h.Text(ctl::kL1is), "12K\xB5Ops");
    EXPECT_EQ(h.Text(ctl::kL1ds), "8Kb");
    EXPECT_EQ(h.Text(ctl::kL2s), "512Kb");
    EXPECT_FALSE(h.Dimmed(ctl::kL2s));
    EXPECT_EQ(h.Text(ctl::kL3s), "0Kb");
    EXPECT_TRUE(h.Dimmed(ctl::kL3s));
    EXPECT_TRUE(h.Dimmed(ctl::kLabelL3));
    EXPECT_FALSE(h[ctl::kL3].enabled);
    EXPECT_TRUE(h[ctl::kL2].enabled);

    // APIC and CLFLUSH present, two logical processors.
    EXPECT_FALSE(h.Dimmed(ctl::kApic));
    EXPECT_FALSE(h.Dimmed(ctl::kFls));
    EXPECT_EQ(h.Text(ctl::kFls), "8");
    EXPECT_EQ(h.Text(ctl::kLp), "2");
    EXPECT_FALSE(h.Dimmed(ctl::kLabelCount));

    // Hyper-Threading with two logical processors: code 310 and its logo.
    EXPECT_EQ(h.p.names.intprocn, 310);
    EXPECT_TRUE(h[ctl::kLogo0310].visible);
    EXPECT_FALSE(h[ctl::kLogo0308].visible);

    // No serial number feature.
    EXPECT_EQ(h.Text(ctl::kSerialnumber), "Not supported");
    EXPECT_TRUE(h.Dimmed(ctl::kSerialnumber));
    EXPECT_FALSE(h[ctl::kCheckBoxFullsn].enabled);

    // Instruction sets: MMX, SSE, SSE2 on; nothing from AMD; SSE3 off.
    EXPECT_EQ(h[ctl::kMmxSh].fill, kGreen);
    EXPECT_EQ(h[ctl::kSse2Sh].fill, kGreen);
    EXPECT_EQ(h[ctl::kA3dSh].fill, kMaroon);
    EXPECT_EQ(h[ctl::kSse3Sh].fill, kMaroon);

    EXPECT_FALSE(h[ctl::kBEff].enabled);
    EXPECT_TRUE(h[ctl::kBAff].enabled);
    EXPECT_TRUE(h[ctl::kEpmMaskPanel].visible);
    EXPECT_TRUE(h[ctl::kAsMaskPanel].visible);

    EXPECT_EQ(h.Text(ctl::kTech1), "CMOS Cu 0,13\xB5m");
    EXPECT_EQ(h.Text(ctl::kTech2), "55M transistors");
    EXPECT_EQ(h.Text(ctl::kTech3), "131 sqr. mm die size");
}

TEST(Populate, Pentium4WithOneLogicalProcessorKeepsItsLogo) {
    Processor p = Pentium4HT();
    p.cpu.logprocc = 1;
    Harness h(std::move(p));
    h.Create();
    EXPECT_EQ(h.p.names.intprocn, 308);
    EXPECT_TRUE(h[ctl::kLogo0308].visible);
    EXPECT_FALSE(h[ctl::kLogo0310].visible);
}

// Every product-line code with a picture shows the picture bearing its own
// number and no other; codes without a picture show none.
TEST(Populate, LogoFollowsTheProductLineCode) {
    const uint16_t with_logo[] = {104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115, 116, 117,
                                  118, 119, 120, 121, 202, 203, 204, 205, 206, 302, 303, 305, 306, 307,
                                  308, 309, 310, 311, 312, 313, 314, 315, 316, 317, 318, 901, 1100};
    const uint16_t without_logo[] = {0, 100, 103, 301, 304, 401, 503, 805, 1001};
    auto visible_logos = [](Harness& h) {
        std::vector<std::string> shown;
        for (const auto& [name, c] : h.model->State().All())
            if (name.rfind("_logo_", 0) == 0 && c.visible) shown.push_back(name);
        return shown;
    };
    for (uint16_t code : with_logo) {
        Processor p = PentiumMMX();
        p.names.intprocn = code;
        Harness h(std::move(p));
        h.Create();
        char want[16];
        std::snprintf(want, sizeof want, "_logo_%04u", static_cast<unsigned>(code));
        EXPECT_EQ(visible_logos(h), std::vector<std::string>{want}) << code;
    }
    for (uint16_t code : without_logo) {
        Processor p = PentiumMMX();
        p.names.intprocn = code;
        Harness h(std::move(p));
        h.Create();
        EXPECT_TRUE(visible_logos(h).empty()) << code;
    }
}

// 308 becomes 310 only with the Hyper-Threading bit and more than one
// logical processor.
TEST(Populate, HyperThreadingCodeNeedsTheBitAndTwoLogicalProcessors) {
    struct Case {
        uint16_t code;
        bool ht;
        uint16_t lps;
        uint16_t want;
    } cases[] = {{308, true, 2, 310}, {308, true, 1, 308}, {308, false, 2, 308},
                 {308, true, 0, 308}, {309, true, 2, 309}, {311, true, 2, 311}};
    for (const Case& c : cases) {
        Processor p = Pentium4HT();
        p.names.intprocn = c.code;
        if (!c.ht) p.cpu.featurs1 &= ~(1u << 28);
        p.cpu.logprocc = c.lps;
        Harness h(std::move(p));
        h.Create();
        EXPECT_EQ(h.p.names.intprocn, c.want) << c.code << " ht=" << c.ht << " lp=" << c.lps;
        char want[16];
        std::snprintf(want, sizeof want, "_logo_%04u", static_cast<unsigned>(c.want));
        EXPECT_TRUE(h[ControlName::Of(want)].visible) << want;
    }
}

// Extended family/model/stepping turn normal only with extended leaf 1 and a
// non-zero standard signature.
TEST(Populate, ExtendedSignatureValuesNeedExtendedLeafOneAndAStandardSignature) {
    struct Case {
        uint32_t mxecpuid;
        uint16_t family, model, stepping;
        bool dimmed;
    } cases[] = {{0x80000001, 0, 0, 0, true},  {0x80000000, 6, 8, 1, true}, {0x80000001, 0, 0, 1, false},
                 {0x80000008, 0, 5, 0, false}, {0x80000001, 4, 0, 0, false}};
    for (const Case& c : cases) {
        Processor p = AthlonXP();
        p.cpu.mxecpuid = c.mxecpuid;
        p.cpu.stfamily = c.family;
        p.cpu.st_model = c.model;
        p.cpu.stepping = c.stepping;
        Harness h(std::move(p));
        h.Create();
        for (ControlName n : {ctl::kEfam, ctl::kEmdl, ctl::kEstp})
            EXPECT_EQ(h.Dimmed(n), c.dimmed) << n << " " << std::hex << c.mxecpuid << " " << c.family
                                             << c.model << c.stepping;
    }
}

TEST(Populate, AthlonXP) {
    Harness h(AthlonXP());
    h.mhz = 1800.2;
    h.dmi_ok = true;
    h.dmi.dmiread = true;
    h.dmi.extclock = 133;
    h.dmi.curspeed = 1800;
    h.dmi.maxspeed = 2000;
    h.dmi.cpustatus = "CPU Enabled";
    h.Create();

    EXPECT_EQ(h.Text(ctl::kBrand), "");
    EXPECT_TRUE(h.Dimmed(ctl::kBrand));
    EXPECT_TRUE(h.Dimmed(ctl::kLabelBrand));
    EXPECT_EQ(h.Text(ctl::kEbrd), "0123");
    EXPECT_FALSE(h.Dimmed(ctl::kEbrd));
    EXPECT_EQ(h.Text(ctl::kEfam), "7");
    EXPECT_EQ(h.Text(ctl::kLabelL1i), "L1 Instr:");
    EXPECT_EQ(h.Text(ctl::kL1is), "64Kb");
    EXPECT_TRUE(h.Dimmed(ctl::kFls));   // no CLFLUSH
    EXPECT_TRUE(h.Dimmed(ctl::kLp));
    EXPECT_FALSE(h.Dimmed(ctl::kApic));

    EXPECT_EQ(h[ctl::kEmmxSh].fill, kGreen);
    EXPECT_EQ(h[ctl::kA3dSh].fill, kGreen);
    EXPECT_EQ(h[ctl::kAe3dSh].fill, kGreen);
    EXPECT_EQ(h[ctl::kSseSh].fill, kGreen);
    EXPECT_EQ(h[ctl::kSse2Sh].fill, kMaroon);
    EXPECT_TRUE(h[ctl::kLogo0109].visible);
    EXPECT_FALSE(h[ctl::kBAff].enabled);  // leaf 1 ECX is 0
    EXPECT_TRUE(h[ctl::kBEff].enabled);

    // Power management and address sizes are reported.
    EXPECT_FALSE(h[ctl::kEpmMaskPanel].visible);
    EXPECT_EQ(h[ctl::kEpm1s].fill, kGreen);
    EXPECT_EQ(h[ctl::kEpm2s].fill, kMaroon);
    EXPECT_FALSE(h[ctl::kAsMaskPanel].visible);
    EXPECT_EQ(h.Text(ctl::kAsP), "16384 Mb");
    EXPECT_EQ(h.Text(ctl::kAsV), "4096 Mb");

    // DMI group and the clock fields that depend on the bus clock.
    EXPECT_FALSE(h[ctl::kDmiMaskPanel].visible);
    EXPECT_FALSE(h[ctl::kPanelExtcMask].visible);
    EXPECT_EQ(h.Text(ctl::kDmiCur), "1800 MHz");
    EXPECT_EQ(h.Text(ctl::kDmiMax), "2000 MHz");
    EXPECT_EQ(h.Text(ctl::kDmiStatus), "CPU Enabled");
    for (ControlName n : {ctl::kLabelFspeed, ctl::kLabelMult, ctl::kBevelFspeed, ctl::kBevelMult, ctl::kFspeed, ctl::kMult})
        EXPECT_TRUE(h[n].visible) << n;
    EXPECT_EQ(h.Text(ctl::kMult), "13.5");
    EXPECT_EQ(h.Text(ctl::kFspeed), "133.35 MHz");
    EXPECT_EQ(h.Text(ctl::kCspeed), "1800.20 MHz");
    EXPECT_EQ(h.Text(ctl::kPRating), "2200+");
    EXPECT_FALSE(h.Dimmed(ctl::kLabelRat));

    EXPECT_EQ(h.Text(ctl::kSerialnumber), "Not supported");
}

TEST(Populate, PentiumIIIWithSerialNumberOff) {
    Harness h(PentiumIIISerialOff());
    h.Create();
    EXPECT_EQ(h.Text(ctl::kSerialnumber), "Disabled");
    EXPECT_TRUE(h.Dimmed(ctl::kSerialnumber));
    EXPECT_TRUE(h.Dimmed(ctl::kLabelSn));
    EXPECT_FALSE(h[ctl::kCheckBoxFullsn].enabled);
    EXPECT_TRUE(h[ctl::kCheckBoxFullsn].checked);
    EXPECT_TRUE(h[ctl::kLogo0307].visible);
    // No extended leaves.
    for (ControlName n : {ctl::kEfam, ctl::kEmdl, ctl::kEstp, ctl::kEbrd, ctl::kLabelExtname}) EXPECT_TRUE(h.Dimmed(n)) << n;
    EXPECT_FALSE(h[ctl::kBEff].enabled);
    EXPECT_TRUE(h[ctl::kEpmMaskPanel].visible);
    EXPECT_TRUE(h[ctl::kAsMaskPanel].visible);
}

TEST(Populate, ProcessorWithoutExtendedLeaves) {
    Harness h(PentiumMMX());
    h.mhz = 200.1;
    h.Create();
    EXPECT_TRUE(h.Dimmed(ctl::kLabelL2));
    EXPECT_EQ(h.Text(ctl::kL2s), "0Kb");
    EXPECT_FALSE(h[ctl::kL2].enabled);
    EXPECT_FALSE(h[ctl::kL3].enabled);
    EXPECT_FALSE(h[ctl::kBAff].enabled);
    EXPECT_FALSE(h[ctl::kBEff].enabled);
    EXPECT_TRUE(h[ctl::kBSff].enabled);
    EXPECT_TRUE(h[ctl::kLogo0303].visible);
    // No technology texts: heading dimmed, the three rows hidden.
    EXPECT_TRUE(h.Dimmed(ctl::kTechTitle));
    EXPECT_FALSE(h[ctl::kTech1].visible);
    EXPECT_FALSE(h[ctl::kTech3].visible);
    // Not a 307/901 line: the form's text stays.
    EXPECT_EQ(h.Text(ctl::kSerialnumber), "Not supported");
    EXPECT_EQ(h.Text(ctl::kPRating), "");
    EXPECT_TRUE(h.Dimmed(ctl::kLabelRat));
}

TEST(Populate, ProcessorWithoutCpuid) {
    Processor p;
    p.cpu.stfamily = 4;
    Harness h(std::move(p));
    h.Create();
    EXPECT_EQ(h.Text(ctl::kVendor), "");
    EXPECT_TRUE(h.Dimmed(ctl::kLabelVstring));
    EXPECT_FALSE(h[ctl::kBSff].enabled);
    // Page 1 is still shown, all maroon.
    EXPECT_EQ(h.Text(ctl::kLabelS0), "[0]  Floating-point Unit");
    for (int i = 0; i < 32; ++i) EXPECT_EQ(h[ctl::FeatureIndicator(i)].fill, kMaroon);
    for (uint16_t code : kLogoCodes) EXPECT_FALSE(h[LogoName(code)].visible);
}

TEST(Populate, ThisMachine) {
    Harness h(ThisMachineEpyc());
    h.mhz = 2449.99;
    h.Create();
    EXPECT_EQ(h.Text(ctl::kL3s), "32768Kb");
    EXPECT_FALSE(h.Dimmed(ctl::kL3s));
    EXPECT_TRUE(h[ctl::kL3].enabled);
    EXPECT_EQ(h.Text(ctl::kAsP), "268435456 Mb");
    EXPECT_FALSE(h[ctl::kEpmMaskPanel].visible);
    EXPECT_FALSE(h[ctl::kAsMaskPanel].visible);
    EXPECT_EQ(h[ctl::kSse3Sh].fill, kGreen);
    EXPECT_EQ(h[ctl::kA3dSh].fill, kMaroon);
    EXPECT_TRUE(h[ctl::kLogo0113].visible);
    // No firmware tables readable: both masks, FSB fields stay hidden.
    EXPECT_TRUE(h[ctl::kDmiMaskPanel].visible);
    EXPECT_TRUE(h[ctl::kPanelExtcMask].visible);
    EXPECT_FALSE(h[ctl::kFspeed].visible);
    EXPECT_EQ(h.Text(ctl::kCspeed), "2449.99 MHz");
}

// The serial-number box: "Disabled" for a Pentium III or Crusoe without the
// feature, the full form for any processor with it, else the form's text.
TEST(Populate, SerialNumberBoxByCodeAndFeature) {
    struct Case {
        uint16_t code;
        bool feature;
        const char* vendor;
        const char* want;  // nullptr: the full form
    } cases[] = {{307, false, "GenuineIntel", "Disabled"},      {901, false, "GenuineTMx86", "Disabled"},
                 {308, false, "GenuineIntel", "Not supported"}, {306, false, "GenuineIntel", "Not supported"},
                 {0, false, "AuthenticAMD", "Not supported"},   {307, true, "GenuineIntel", nullptr},
                 {0, true, "AuthenticAMD", nullptr}};
    for (const Case& c : cases) {
        Processor p = PentiumIIISerialOff();
        p.names.intprocn = c.code;
        p.cpu.vendorst = c.vendor;
        if (c.feature) p.cpu.featurs1 |= 1u << 18;
        p.cpu.serial_ecx = 0x0000ABCD;
        p.cpu.serial_edx = 0x12345678;
        Harness h(std::move(p));
        h.Create();
        const std::string want =
            c.want ? std::string(c.want) : StrToHexText(c.vendor) + "-0000-0683-0000-ABCD-1234-5678";
        EXPECT_EQ(h.Text(ctl::kSerialnumber), want) << c.code;
        EXPECT_EQ(h.Dimmed(ctl::kSerialnumber), !c.feature) << c.code;
        EXPECT_EQ(h.Dimmed(ctl::kLabelSn), !c.feature) << c.code;
        EXPECT_EQ(h[ctl::kCheckBoxFullsn].enabled, c.feature) << c.code;
        EXPECT_TRUE(h[ctl::kCheckBoxFullsn].checked) << c.code;
    }
}

TEST(Populate, SerialNumberFormsFollowTheCheckBox) {
    Processor p = PentiumIIISerialOff();
    p.cpu.featurs1 |= 1u << 18;
    p.cpu.serial_ebx = 0x00000683;
    p.cpu.serial_ecx = 0x1234ABCD;
    p.cpu.serial_edx = 0x00C0FFEE;
    Harness h(std::move(p));
    h.Create();
    const std::string full = "6C65746E49656E69756E6547-0000-0683-1234-ABCD-00C0-FFEE";
    EXPECT_EQ(h.Text(ctl::kSerialnumber), full);
    EXPECT_TRUE(h[ctl::kCheckBoxFullsn].enabled);
    EXPECT_FALSE(h.Dimmed(ctl::kSerialnumber));

    h.model->State()[ctl::kCheckBoxFullsn].checked = false;
    h.model->CheckBox_fullsnClick();
    EXPECT_EQ(h.Text(ctl::kSerialnumber), "0000-0683-1234-ABCD-00C0-FFEE");
    h.model->State()[ctl::kCheckBoxFullsn].checked = true;
    h.model->CheckBox_fullsnClick();
    EXPECT_EQ(h.Text(ctl::kSerialnumber), full);
}

TEST(Populate, SerialNumberOfAnotherVendorIsPlainAfterAClick) {
    Processor p = AthlonXP();
    p.cpu.vendorst = "GenuineTMx86";
    p.cpu.featurs1 |= 1u << 18;
    p.cpu.serial_ebx = 0x5;
    p.cpu.serial_ecx = 0x11112222;
    p.cpu.serial_edx = 0x33334444;
    p.names.intprocn = 901;
    Harness h(std::move(p));
    h.Create();
    EXPECT_EQ(h.Text(ctl::kSerialnumber).substr(24), "-0000-0681-1111-2222-3333-4444");
    h.model->State()[ctl::kCheckBoxFullsn].checked = false;
    h.model->CheckBox_fullsnClick();
    EXPECT_EQ(h.Text(ctl::kSerialnumber), "051111222233334444");
    h.model->State()[ctl::kCheckBoxFullsn].checked = true;
    h.model->CheckBox_fullsnClick();
    EXPECT_EQ(h.Text(ctl::kSerialnumber), "051111222233334444");
}

TEST(Populate, TechnologyWithEmptyTransistorCountKeepsItsBlank) {
    Processor p = PentiumMMX();
    p.names.techpar1 = "CMOS 0,35\xB5m";
    Harness h(std::move(p));
    h.Create();
    EXPECT_TRUE(h[ctl::kTech2].visible);
    EXPECT_EQ(h.Text(ctl::kTech2), " transistors");
    EXPECT_FALSE(h.Dimmed(ctl::kTechTitle));
}

TEST(Populate, ResetReadsFirmwareAndClockAgainButKeepsTheRest) {
    Harness h(Pentium4HT());
    h.Create();
    h.model->b_effClick();
    h.model->l2Click();
    h.model->lpClick();
    h.model->ScreenshotCount = 3;
    int graph_resets = 0;
    h.model->Hooks().reset_throughput_graph = [&] { ++graph_resets; };
    h.mhz = 3100.0;
    h.model->button_refreshClick();
    EXPECT_EQ(h.dmi_reads, 2);
    EXPECT_EQ(graph_resets, 1);
    EXPECT_EQ(h.model->ScreenshotCount, 0);
    EXPECT_EQ(h.Text(ctl::kCspeed), "3100.00 MHz");
    EXPECT_EQ(h.Text(ctl::kHlpstring), "");
    EXPECT_TRUE(h[ctl::kBSff].bold);
    EXPECT_FALSE(h[ctl::kBEff].bold);
    EXPECT_TRUE(h[ctl::kL1].bold);
    EXPECT_FALSE(h[ctl::kL2MaskPanel].visible);
    // Still code 310, still its logo; the toggled-off buttons stay off.
    EXPECT_EQ(h.p.names.intprocn, 310);
    EXPECT_TRUE(h[ctl::kLogo0310].visible);
    EXPECT_FALSE(h[ctl::kBEff].enabled);
}

// "Run Selected" is enabled while at least one test box is checked: at
// creation and after every change of the boxes, in every combination.
TEST(Populate, RunButtonFollowsTheThroughputCheckBoxes) {
    Harness h(AthlonXP());
    for (ControlName n : {ctl::kCbRead, ctl::kCbWrite, ctl::kCbCopy}) h.model->State()[n].checked = false;
    h.Create();
    EXPECT_FALSE(h[ctl::kTstRun].enabled);
    for (int mask : {1, 0, 2, 4, 6, 7, 5, 3, 0}) {
        h.model->State()[ctl::kCbCopy].checked = mask & 1;
        h.model->State()[ctl::kCbRead].checked = mask & 2;
        h.model->State()[ctl::kCbWrite].checked = mask & 4;
        h.model->UpdateRunButton();
        EXPECT_EQ(h[ctl::kTstRun].enabled, mask != 0) << mask;
        EXPECT_EQ(RunSelectedEnabled(mask & 1, mask & 2, mask & 4), mask != 0) << mask;
    }
}

TEST(AddressSize, GeneralFloatForm) {
    EXPECT_EQ(AddressSizeText(36), "65536 Mb");
    EXPECT_EQ(AddressSizeText(48), "268435456 Mb");
    EXPECT_EQ(AddressSizeText(20), "1 Mb");
    EXPECT_EQ(AddressSizeText(19), "0.5 Mb");
    EXPECT_EQ(AddressSizeText(0), "9.5367431640625E-7 Mb");
    EXPECT_EQ(AddressSizeText(6), "0.00006103515625 Mb");
    EXPECT_EQ(AddressSizeText(255), "5.52139707743245E70 Mb");
}

}  // namespace
}  // namespace kest::test
