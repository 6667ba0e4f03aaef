// Feature-flag pages, cache pages, the extended cache table and the
// database tests.
#include <gtest/gtest.h>

#include "tests/view/harness.h"
#include "view/feature_names.h"
#include "view/product.h"

namespace kest::test {
namespace {

TEST(FeatureNames, CaptionsCarryTheirBitNumbers) {
    EXPECT_EQ(StandardPage1Names()[0], "[0]  Floating-point Unit");
    EXPECT_EQ(StandardPage1Names()[9], "[9]  MP Support (APIC Presented)");
    EXPECT_EQ(StandardPage1Names()[11], "[11] SYSENTER/SYSEXIT Fast System Call");
    EXPECT_EQ(ExtendedNames()[11], "[11] SYSCALL/SYSRET Fast System Call");
    EXPECT_EQ(StandardPage2Names()[13], "[13] CMPXCHG16B Instruction");
    EXPECT_EQ(StandardPage2Names()[31], "[31] Hypervisor Present");
    EXPECT_EQ(StandardPage2Names()[16], "[16] Reserved");  // still undefined
    EXPECT_EQ(StandardPage2Names()[28], "[28] AVX Instructions");
    EXPECT_EQ(ExtendedNames()[26], "[26] 1 GB Pages");
    EXPECT_EQ(ExtendedNames()[31], "[31] AMD 3DNow! Instructions");
    EXPECT_EQ(StandardPage1Names()[3], "[3]  Pase Size Extensions (4MbpP)");
    // The names keep their own spelling and capitals.
    EXPECT_EQ(StandardPage1Names()[6], "[6]  Page Adress Extensions");
    EXPECT_EQ(ExtendedNames()[6], "[6]  Page Adress Extensions");
    EXPECT_EQ(StandardPage1Names()[15], "[15] Conditional move Instruction");
    EXPECT_EQ(StandardPage1Names()[22], "[22] ACPI Support / Thermal Monitor MSRs");
    EXPECT_EQ(StandardPage1Names()[28], "[28] Hyper Threading technology");
    EXPECT_EQ(StandardPage2Names()[4], "[4]  CPL-qualified Debug Store");
    EXPECT_EQ(StandardPage2Names()[10], "[10] Context ID");
    EXPECT_EQ(ExtendedNames()[18], "[18] Reserved");
    EXPECT_EQ(ExtendedNames()[19], "[19] Multiprocessor capability");
    EXPECT_EQ(ExtendedNames()[20], "[20] Extended Feature Enable MSR (AA64)");
    EXPECT_EQ(ExtendedNames()[29], "[29] AMD 64-bit compatibility (AA64)");
    EXPECT_EQ(ExtendedNames()[30], "[30] AMD 3DNow! Plus Instructions");
    // Bits that differ between the two EDX words.
    for (int i : {18, 19, 20, 21, 22, 25, 26, 27, 28, 29, 30, 31})
        EXPECT_NE(StandardPage1Names()[i], ExtendedNames()[i]) << i;
    for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 14, 15, 16, 17, 23, 24})
        EXPECT_EQ(StandardPage1Names()[i], ExtendedNames()[i]) << i;
}

TEST(FeaturePages, EachButtonRewritesAllRows) {
    Harness h(AthlonXP());
    h.Create();
    auto& m = *h.model;
    m.b_effClick();
    EXPECT_TRUE(h[ctl::kBEff].bold);
    EXPECT_FALSE(h[ctl::kBSff].bold);
    EXPECT_EQ(h.Text(ctl::kLabelS22), "[22] Ext. MMX Instructions");
    EXPECT_EQ(h[ctl::kS31].fill, kGreen);
    EXPECT_EQ(h[ctl::kS22].fill, kGreen);
    EXPECT_EQ(h[ctl::kS18].fill, kMaroon);

    m.b_affClick();  // leaf 1 ECX is 0: every indicator maroon
    EXPECT_TRUE(h[ctl::kBAff].bold);
    EXPECT_EQ(h.Text(ctl::kLabelS0), "[0]  SSE3 Instructions");
    for (int i = 0; i < 32; ++i) EXPECT_EQ(h[ctl::FeatureIndicator(i)].fill, kMaroon) << i;

    m.b_sffClick();
    EXPECT_EQ(h.Text(ctl::kLabelS11), "[11] SYSENTER/SYSEXIT Fast System Call");
    EXPECT_EQ(h[ctl::kS9].fill, kGreen);    // APIC
    EXPECT_EQ(h[ctl::kS19].fill, kMaroon);  // no CLFLUSH
    // The buttons keep their enabled states.
    EXPECT_FALSE(h[ctl::kBAff].enabled);
}

// The later words: the toggle is disabled without any, an entry for a word
// that is 0; a later page marks the toggle and its entry, Reset returns to
// standard page 1. The first page names the x86-64 level.
TEST(FeaturePages, LaterWordsFromTheToggleMenu) {
    {
        Harness h(AthlonXP());
        h.Create();
        EXPECT_FALSE(h[ctl::kBLff].enabled);
        EXPECT_EQ(h.Text(ctl::kIsaLvl), "none");
        EXPECT_TRUE(h.Dimmed(ctl::kLabelIsaLvl));
    }
    Processor p = ThisMachineEpyc();
    p.cpu.l7s0_ebx = (1u << 5) | (1u << 3) | (1u << 8);  // AVX2, BMI1, BMI2
    p.cpu.ext1_ecx = (1u << 0) | (1u << 5);             // LAHF/SAHF, LZCNT
    p.cpu.featurs2 |= (1u << 20) | (1u << 22);          // SSE4.2, MOVBE
    Harness h(p);
    h.Create();
    auto& m = *h.model;
    EXPECT_TRUE(h[ctl::kBLff].enabled);
    EXPECT_TRUE(h[ctl::kLffL7s0Ebx].enabled);
    EXPECT_FALSE(h[ctl::kLffL7s0Ecx].enabled);
    EXPECT_EQ(h.Text(ctl::kIsaLvl), "x86-64-v3");
    EXPECT_FALSE(h.Dimmed(ctl::kLabelIsaLvl));

    m.LaterFeatureClick(FeaturePage::L7s0Ebx);
    EXPECT_TRUE(h[ctl::kBLff].bold);
    EXPECT_FALSE(h[ctl::kBSff].bold);
    EXPECT_TRUE(h[ctl::kLffL7s0Ebx].checked);
    EXPECT_EQ(h.Text(ctl::kLabelS5), "[5]  AVX2 Instructions");
    EXPECT_EQ(h[ctl::kS5].fill, kGreen);
    EXPECT_EQ(h[ctl::kS16].fill, kMaroon);
    m.isa_lvlClick();
    EXPECT_NE(h.Text(ctl::kHlpstring).find(" AVX2 "), std::string::npos);

    m.button_refreshClick();
    EXPECT_TRUE(h[ctl::kBSff].bold);
    EXPECT_FALSE(h[ctl::kBLff].bold);
    EXPECT_FALSE(h[ctl::kLffL7s0Ebx].checked);
    EXPECT_EQ(h.Text(ctl::kLabelS5), "[5]  Model-specific Registers");
}

TEST(CachePages, Level1OfATraceCache) {
    Harness h(Pentium4HT());
    h.Create();
    EXPECT_TRUE(h[ctl::kL1].bold);
    EXPECT_EQ(h.Text(ctl::kHead11), "Level 1 Data Cache");
    EXPECT_EQ(h.Text(ctl::kHead21), "Level 1 Trace Cache");
    EXPECT_EQ(h.Text(ctl::kL114), "12K\xB5Ops");
    EXPECT_EQ(h.Text(ctl::kL124), "8-way");
    EXPECT_EQ(h.Text(ctl::kL134), "6 \xB5Ops");
    EXPECT_EQ(h.Text(ctl::kL112), "8Kb");
    EXPECT_EQ(h.Text(ctl::kL132), "64 bytes");
    EXPECT_EQ(h.Text(ctl::kL212), "fully");
    EXPECT_EQ(h.Text(ctl::kL222), "64");
    EXPECT_EQ(h.Text(ctl::kL141), "Lines per Tag");
    EXPECT_EQ(h.Text(ctl::kL323), "Entries");
    EXPECT_FALSE(h[ctl::kL2MaskPanel].visible);
    EXPECT_FALSE(h[ctl::kL3MaskPanel].visible);
}

TEST(CachePages, TlbBlocksWithoutWaysAreDimmed) {
    Processor p = AthlonXP();
    p.caches.l1.l1itlba2 = 0;
    Harness h(std::move(p));
    h.Create();
    for (ControlName n : {ctl::kHead23, ctl::kL313, ctl::kL314, ctl::kL323, ctl::kL324}) EXPECT_TRUE(h.Dimmed(n)) << n;
    for (ControlName n : {ctl::kHead22, ctl::kHead12, ctl::kHead13, ctl::kL211}) EXPECT_FALSE(h.Dimmed(n)) << n;
    EXPECT_EQ(h.Text(ctl::kL314), "off");

    // Level 2 of the same processor: the large-page TLBs have no ways.
    h.model->l2Click();
    EXPECT_TRUE(h.Dimmed(ctl::kHead13));
    EXPECT_TRUE(h.Dimmed(ctl::kHead23));
    EXPECT_FALSE(h.Dimmed(ctl::kHead12));
    EXPECT_EQ(h.Text(ctl::kL212), "4-way");
    EXPECT_EQ(h.Text(ctl::kL222), "256");
    // The left column of block 1 is never dimmed.
    EXPECT_FALSE(h.Dimmed(ctl::kHead11));

    h.model->l1Click();
    EXPECT_FALSE(h.Dimmed(ctl::kHead13));
}

TEST(CachePages, Level2MasksTheRightColumn) {
    Harness h(Pentium4HT());
    h.Create();
    h.model->l2Click();
    EXPECT_TRUE(h[ctl::kL2].bold);
    EXPECT_FALSE(h[ctl::kL1].bold);
    EXPECT_TRUE(h[ctl::kL2MaskPanel].visible);
    EXPECT_FALSE(h[ctl::kL3MaskPanel].visible);
    EXPECT_EQ(h.Text(ctl::kHead11), "Level 2 Cache");
    EXPECT_EQ(h.Text(ctl::kHead21), "Level 1 Trace Cache");  // under the mask, untouched
    EXPECT_EQ(h.Text(ctl::kL112), "512Kb");
    EXPECT_EQ(h.Text(ctl::kL122), "8-way");
    EXPECT_EQ(h.Text(ctl::kL132), "64 bytes");
    EXPECT_EQ(h.Text(ctl::kL113), "");
    EXPECT_EQ(h.Text(ctl::kL114), "12K\xB5Ops");  // right values not touched
}

TEST(CachePages, Level1RewritesWhatTheOtherLevelsChanged) {
    Harness h(ThisMachineEpyc());
    h.Create();
    h.model->l2Click();
    h.model->l3Click();
    h.model->l1Click();
    EXPECT_TRUE(h[ctl::kL1].bold);
    EXPECT_FALSE(h[ctl::kL3].bold);
    EXPECT_FALSE(h[ctl::kL2MaskPanel].visible);
    EXPECT_FALSE(h[ctl::kL3MaskPanel].visible);
    const std::pair<ControlName, const char*> cells[] = {
        {ctl::kHead11, "Level 1 Data Cache"}, {ctl::kHead21, "Level 1 Instruction Cache"},
        {ctl::kHead12, "Level 1 Data TLB (4Kb page)"}, {ctl::kHead13, "Level 1 Data TLB (2/4Mb page)"},
        {ctl::kHead22, "Level 1 Instruction TLB (4Kb page)"}, {ctl::kHead23, "Level 1 Instruction TLB (2/4Mb page)"},
        {ctl::kL111, "Size"}, {ctl::kL113, "Size"}, {ctl::kL121, "Associativity"}, {ctl::kL123, "Associativity"},
        {ctl::kL131, "Line Size"}, {ctl::kL133, "Line Size"}, {ctl::kL141, "Lines per Tag"}, {ctl::kL143, "Lines per Tag"},
        {ctl::kL211, "Associativity"}, {ctl::kL221, "Entries"}, {ctl::kL313, "Associativity"}, {ctl::kL323, "Entries"},
        {ctl::kL112, "32Kb"}, {ctl::kL114, "32Kb"}, {ctl::kL132, "64 bytes"}, {ctl::kL134, "64 bytes"}, {ctl::kL142, "1"},
        {ctl::kL224, "64"}};
    for (const auto& [name, text] : cells) EXPECT_EQ(h.Text(name), text) << name;

    // Level 2 headings and the TLB captions it writes.
    h.model->l2Click();
    const std::pair<ControlName, const char*> l2cells[] = {
        {ctl::kHead12, "Level 2 Data TLB (4Kb page)"}, {ctl::kHead13, "Level 2 Data TLB (2/4Mb page)"},
        {ctl::kHead22, "Level 2 Instruction TLB (4Kb page)"}, {ctl::kHead23, "Level 2 Instruction TLB (2/4Mb page)"},
        {ctl::kL141, "Lines per Tag"}, {ctl::kL143, ""}, {ctl::kL142, "1"}, {ctl::kL214, "off"}, {ctl::kL224, "0"}};
    for (const auto& [name, text] : l2cells) EXPECT_EQ(h.Text(name), text) << name;
}

TEST(CachePages, Level3ShowsFourCells) {
    Harness h(ThisMachineEpyc());
    h.Create();
    h.model->l3Click();
    EXPECT_TRUE(h[ctl::kL2MaskPanel].visible);
    EXPECT_TRUE(h[ctl::kL3MaskPanel].visible);
    EXPECT_EQ(h.Text(ctl::kHead11), "Level 3 Cache");
    EXPECT_EQ(h.Text(ctl::kL141), "Sectors");
    EXPECT_EQ(h.Text(ctl::kL112), "32768Kb");
    EXPECT_EQ(h.Text(ctl::kL122), "16-way");
    EXPECT_EQ(h.Text(ctl::kL132), "64 bytes");
    EXPECT_EQ(h.Text(ctl::kL142), "0");
}

TEST(CachePages, LaterWayCountsShowTheirCount) {
    Processor p = PentiumIIISerialOff();
    p.caches.l2.l2cassoc = 6;
    p.caches.l1.l1dassoc = 12;
    Harness h(std::move(p));
    h.Create();
    EXPECT_EQ(h.Text(ctl::kL122), "12-way");
    h.model->l2Click();
    EXPECT_EQ(h.Text(ctl::kL122), "6-way");
}

DmiCacheRecord Cache(uint16_t handle, uint16_t config, uint16_t speed = 0) {
    DmiCacheRecord r;
    r.handle = handle;
    r.config = config;
    r.speedns = speed;
    r.cachetype = "Unified";
    r.ecctype = "Single-bit ECC";
    r.sramsupp = "Pipeline Burst ";
    r.sramcurr = "Synchronous ";
    return r;
}

TEST(ExtendedCacheTable, RecordsByHandle) {
    Harness h(AthlonXP());
    h.dmi_ok = true;
    h.dmi.dmiread = true;
    h.dmi.l1handle = 0x0700;
    h.dmi.l2handle = 0x0701;
    h.dmi.l3handle = 0xFFFF;
    h.dmi.caches = {Cache(0x0700, 0x0180), Cache(0x0701, 0x0128, 10), Cache(0x0701, 0x02E8)};
    h.Create();

    EXPECT_EQ(h.Text(ctl::kExtL1Loc), "Internal");
    EXPECT_EQ(h.Text(ctl::kExtL1Om), "Write Back");
    EXPECT_EQ(h.Text(ctl::kExtL1Status), "Enabled");
    EXPECT_EQ(h.Text(ctl::kExtL1Sock), "Non-socketed");
    EXPECT_EQ(h.Text(ctl::kExtL1Ctp), "Unified");
    EXPECT_EQ(h.Text(ctl::kExtL1Ect), "Single-bit ECC");
    EXPECT_EQ(h.Text(ctl::kExtL1Srt), "Pipeline Burst ");
    EXPECT_EQ(h.Text(ctl::kExtL1Crt), "Synchronous ");
    EXPECT_EQ(h.Text(ctl::kExtL1Spd), "Unknown");
    // The later of two records with the same handle wins.
    EXPECT_EQ(h.Text(ctl::kExtL2Loc), "Unknown");
    EXPECT_EQ(h.Text(ctl::kExtL2Om), "Varies with Memory Address");
    EXPECT_EQ(h.Text(ctl::kExtL2Status), "Enabled");
    EXPECT_EQ(h.Text(ctl::kExtL2Sock), "Socketed");
    EXPECT_EQ(h.Text(ctl::kExtL2Spd), "Unknown");
    // No L3: column disabled, all N/A.
    EXPECT_FALSE(h[ctl::kExtL3Tit].enabled);
    EXPECT_FALSE(h[ctl::kExtL3Spd].enabled);
    EXPECT_EQ(h.Text(ctl::kExtL3Loc), "N/A");
    EXPECT_TRUE(h[ctl::kExtL1Tit].enabled);
}

TEST(ExtendedCacheTable, SpeedAndLocationVariants) {
    Harness h(AthlonXP());
    h.dmi_ok = true;
    h.dmi.dmiread = true;
    h.dmi.l1handle = 1;
    h.dmi.l2handle = 2;
    h.dmi.l3handle = 3;
    h.dmi.caches = {Cache(1, 0x0020, 15), Cache(2, 0x0040), Cache(3, 0x0000)};
    h.Create();
    EXPECT_EQ(h.Text(ctl::kExtL1Loc), "External");
    EXPECT_EQ(h.Text(ctl::kExtL1Spd), "15 ns");
    EXPECT_EQ(h.Text(ctl::kExtL2Loc), "N/A");
    EXPECT_EQ(h.Text(ctl::kExtL3Loc), "Internal");
    EXPECT_EQ(h.Text(ctl::kExtL3Om), "Write Through");
    EXPECT_EQ(h.Text(ctl::kExtL3Status), "Disabled");
}

TEST(ExtendedCacheTable, HandlesThatNameNoRecordKeepNotAvailable) {
    // A table without a processor record leaves the handles at 0xFFFF
    // ("none"): even a cache record whose handle is 0 is not shown.
    Harness h(AthlonXP());
    h.dmi_ok = true;
    h.dmi.dmiread = true;
    h.dmi.caches = {Cache(0x0000, 0x0180)};
    h.Create();
    for (int level = 1; level <= 3; ++level)
        for (std::string_view row : ctl::kExtCacheRows) {
            const ControlName n = ctl::ExtCacheRow(level, row);
            EXPECT_EQ(h.Text(n), "N/A") << n;
            EXPECT_FALSE(h[n].enabled) << n;
        }
}

TEST(ExtendedCacheTable, UnreadableTablesMaskBothGroups) {
    Harness h(AthlonXP());
    h.Create();
    EXPECT_TRUE(h[ctl::kDmiMaskPanel].visible);
    EXPECT_TRUE(h[ctl::kPanelExtcMask].visible);
    EXPECT_EQ(h.Text(ctl::kDmiMaskPanel), "Can't read DMI structure table");
    EXPECT_EQ(h.Text(ctl::kExtL1Loc), "N/A");
}

TEST(DatabaseTests, ButtonFollowsThePointerFile) {
    Harness h(AthlonXP());
    h.Create();
    EXPECT_FALSE(h[ctl::kDbase].enabled);
    EXPECT_FALSE(h[ctl::kDatabasebrowser1].enabled);

    h.dir.Touch("database.ini", "procs.db\r\n");
    int readings = 0;
    h.model->Hooks().read_database_pointer = [&](DatabaseSearch& s) {
        ++readings;
        s.remembered_name = "procs.db";  // the file itself is missing
    };
    h.model->button_refreshClick();
    EXPECT_TRUE(h[ctl::kDbase].enabled);  // no name read yet: enabled all the same
    EXPECT_EQ(readings, 1);
    // From the next Reset on the missing database file counts.
    h.model->button_refreshClick();
    EXPECT_FALSE(h[ctl::kDbase].enabled);
    EXPECT_EQ(readings, 1);

    h.dir.Touch("procs.db");
    h.dir.Touch(std::string(kDatabaseBrowserProgram));
    h.model->button_refreshClick();
    EXPECT_TRUE(h[ctl::kDbase].enabled);
    EXPECT_TRUE(h[ctl::kDatabasebrowser1].enabled);
}

TEST(DatabaseTests, NamesAreComparedWithTheirCase) {
    Harness h(AthlonXP());
    h.dir.Touch("Database.ini");
    h.dir.Touch("KestDbBr");  // the browser's name in other letter case
    h.dir.Touch("KestDbBr.exe");
    h.Create();
    EXPECT_FALSE(h[ctl::kDbase].enabled);
    EXPECT_FALSE(h[ctl::kDatabasebrowser1].enabled);
}

TEST(DatabaseTests, AnUnreadablePointerFileStopsThePopulation) {
    Harness h(AthlonXP());
    h.dir.Touch("database.ini");
    h.model->Hooks().read_database_pointer = [](DatabaseSearch&) { throw std::runtime_error("I/O error 5"); };
    EXPECT_THROW(h.Create(), std::runtime_error);
    EXPECT_FALSE(h[ctl::kDbase].enabled);
}

TEST(FormDefaults, MasksAndDimmedFieldsBeforePopulation) {
    WindowState s;
    ApplyFormDefaults(s);
    EXPECT_TRUE(s[ctl::kAsMaskPanel].visible);
    EXPECT_TRUE(s[ctl::kDmiMaskPanel].visible);
    EXPECT_FALSE(s[ctl::kEpmMaskPanel].visible);
    EXPECT_FALSE(s[ctl::kDbase].enabled);
    EXPECT_FALSE(s[ctl::kDatabasebrowser1].enabled);
    EXPECT_EQ(s[ctl::kAsV].text, "as_p");
    EXPECT_EQ(s[ctl::kVendor].text, "vendor");
    EXPECT_EQ(s[ctl::kSerialnumber].text, "Not supported");
    EXPECT_EQ(s[ctl::kAboutSignature].text, "Application signature: 4B65737472756E65-05-04-01-e2");
    EXPECT_EQ(s[ctl::kL324].text, "l324");
    EXPECT_EQ(s[ctl::kExtL3Crt].text, "N/A");
    EXPECT_EQ(s[ctl::kTestPb].maximum, 4096);
    // Captions as the form has them, spelling included.
    const std::pair<ControlName, const char*> captions[] = {
        {ctl::kBSff, "Standart Features (page 1)"},
        {ctl::kBAff, "Standart Features (page 2)"},
        {ctl::kBEff, "Extended Features"},
        {ctl::kLabelS17, "Label0"},
        {ctl::kEpmMaskPanel, "This instruction is not supported"},
        {ctl::kAsMaskPanel, "This instruction is not supported"},
        {ctl::kPanelExtcMask, "Extended Cache Information is unavailable."},
        {ctl::kDmiMaskPanel, "Can't read DMI structure table"},
        {ctl::kLabelBrand, "Brand Id:"},
        {ctl::kLabelClfl, "Flush size:"},
        {ctl::kLabelCount, "LP Count:"},
        {ctl::kLabelL1i, "L1 Instr:"},
        {ctl::kLabelSn, "Serial Number:"},
        {ctl::kCheckBoxFullsn, "Full S/N"},
        {ctl::kTechTitle, "Technological"},
        {ctl::kIntCache, "Integrated CPU Cache Information"},
        {ctl::kMemory, "Cache/Memory Throughput"},
        {ctl::kPRating, ""},
        {ctl::kPlt, ""},
        {ctl::kPb2, "pb2"},
        {ctl::kHead23, "head_23"},
        {ctl::kAboutVersion, "Version 5.4.0"},
    };
    for (const auto& [name, text] : captions) EXPECT_EQ(s[name].text, text) << name;
    // Dimmed in the form: the captions and values whose datum may be absent.
    for (ControlName n : {ctl::kLabelVstring, ctl::kLabelCpuname, ctl::kLabelRat, ctl::kLabelCore, ctl::kLabelPlt,
                          ctl::kLabelExtname, ctl::kLabelBrand, ctl::kBrand, ctl::kEfam, ctl::kEmdl, ctl::kEstp, ctl::kEbrd, ctl::kLabelL2,
                          ctl::kLabelL3, ctl::kL2s, ctl::kL3s, ctl::kLabelApic, ctl::kLabelCount, ctl::kLabelClfl, ctl::kApic, ctl::kLp,
                          ctl::kFls, ctl::kLabelSn, ctl::kSerialnumber})
        EXPECT_EQ(s[n].colour, TextColour::Dimmed) << n;
    for (ControlName n : {ctl::kLabelFam, ctl::kLabelModel, ctl::kLabelStp, ctl::kFam, ctl::kMdl, ctl::kStp, ctl::kLabelL1i, ctl::kLabelL1d,
                          ctl::kL1is, ctl::kL1ds, ctl::kLabelType, ctl::kCtp, ctl::kLabelCspeed, ctl::kTechTitle})
        EXPECT_EQ(s[n].colour, TextColour::Normal) << n;
    for (ControlName n : {ctl::kLabelFspeed, ctl::kLabelMult, ctl::kFspeed, ctl::kMult, ctl::kBevelFspeed, ctl::kBevelMult,
                          ctl::kL2MaskPanel, ctl::kL3MaskPanel, ctl::kPanelExtcMask, ctl::kPanelLegend, ctl::kTestPb})
        EXPECT_FALSE(s[n].visible) << n;
    // 32 feature rows, every logo, 32 cache-grid cells.
    int rows = 0, logos = 0, cells = 0;
    for (const auto& [name, c] : s.All()) {
        if (name.rfind("Label_s", 0) == 0 && name.size() <= 9 && std::isdigit(name[7])) ++rows;
        if (name.rfind("_logo_", 0) == 0 && !c.visible) ++logos;
        if (name.size() == 4 && name[0] == 'l' && std::isdigit(name[1]) && std::isdigit(name[3])) ++cells;
    }
    EXPECT_EQ(rows, 32);
    EXPECT_EQ(logos, static_cast<int>(kLogoCount));
    EXPECT_EQ(cells, 32);
}

}  // namespace
}  // namespace kest::test
