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
    EXPECT_EQ(StandardPage2Names()[31], "[31] Reserved");
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
    EXPECT_TRUE(h["b_eff"].bold);
    EXPECT_FALSE(h["b_sff"].bold);
    EXPECT_EQ(h.Text("Label_s22"), "[22] Ext. MMX Instructions");
    EXPECT_EQ(h["S31"].fill, kGreen);
    EXPECT_EQ(h["S22"].fill, kGreen);
    EXPECT_EQ(h["S18"].fill, kMaroon);

    m.b_affClick();  // leaf 1 ECX is 0: every indicator maroon
    EXPECT_TRUE(h["b_aff"].bold);
    EXPECT_EQ(h.Text("Label_s0"), "[0]  SSE3 Instructions");
    for (int i = 0; i < 32; ++i) EXPECT_EQ(h["S" + std::to_string(i)].fill, kMaroon) << i;

    m.b_sffClick();
    EXPECT_EQ(h.Text("Label_s11"), "[11] SYSENTER/SYSEXIT Fast System Call");
    EXPECT_EQ(h["S9"].fill, kGreen);    // APIC
    EXPECT_EQ(h["S19"].fill, kMaroon);  // no CLFLUSH
    // The buttons keep their enabled states.
    EXPECT_FALSE(h["b_aff"].enabled);
}

TEST(CachePages, Level1OfATraceCache) {
    Harness h(Pentium4HT());
    h.Create();
    EXPECT_TRUE(h["l1"].bold);
    EXPECT_EQ(h.Text("head_11"), "Level 1 Data Cache");
    EXPECT_EQ(h.Text("head_21"), "Level 1 Trace Cache");
    EXPECT_EQ(h.Text("l114"), "12K\xB5Ops");
    EXPECT_EQ(h.Text("l124"), "8-way");
    EXPECT_EQ(h.Text("l134"), "6 \xB5Ops");
    EXPECT_EQ(h.Text("l112"), "8Kb");
    EXPECT_EQ(h.Text("l132"), "64 bytes");
    EXPECT_EQ(h.Text("l212"), "fully");
    EXPECT_EQ(h.Text("l222"), "64");
    EXPECT_EQ(h.Text("l141"), "Lines per Tag");
    EXPECT_EQ(h.Text("l323"), "Entries");
    EXPECT_FALSE(h["l2_mask_panel"].visible);
    EXPECT_FALSE(h["l3_mask_panel"].visible);
}

TEST(CachePages, TlbBlocksWithoutWaysAreDimmed) {
    Processor p = AthlonXP();
    p.caches.l1.l1itlba2 = 0;
    Harness h(std::move(p));
    h.Create();
    for (const char* n : {"head_23", "l313", "l314", "l323", "l324"}) EXPECT_TRUE(h.Dimmed(n)) << n;
    for (const char* n : {"head_22", "head_12", "head_13", "l211"}) EXPECT_FALSE(h.Dimmed(n)) << n;
    EXPECT_EQ(h.Text("l314"), "off");

    // Level 2 of the same processor: the large-page TLBs have no ways.
    h.model->l2Click();
    EXPECT_TRUE(h.Dimmed("head_13"));
    EXPECT_TRUE(h.Dimmed("head_23"));
    EXPECT_FALSE(h.Dimmed("head_12"));
    EXPECT_EQ(h.Text("l212"), "4-way");
    EXPECT_EQ(h.Text("l222"), "256");
    // The left column of block 1 is never dimmed.
    EXPECT_FALSE(h.Dimmed("head_11"));

    h.model->l1Click();
    EXPECT_FALSE(h.Dimmed("head_13"));
}

TEST(CachePages, Level2MasksTheRightColumn) {
    Harness h(Pentium4HT());
    h.Create();
    h.model->l2Click();
    EXPECT_TRUE(h["l2"].bold);
    EXPECT_FALSE(h["l1"].bold);
    EXPECT_TRUE(h["l2_mask_panel"].visible);
    EXPECT_FALSE(h["l3_mask_panel"].visible);
    EXPECT_EQ(h.Text("head_11"), "Level 2 Cache");
    EXPECT_EQ(h.Text("head_21"), "Level 1 Trace Cache");  // under the mask, untouched
    EXPECT_EQ(h.Text("l112"), "512Kb");
    EXPECT_EQ(h.Text("l122"), "8-way");
    EXPECT_EQ(h.Text("l132"), "64 bytes");
    EXPECT_EQ(h.Text("l113"), "");
    EXPECT_EQ(h.Text("l114"), "12K\xB5Ops");  // right values not touched
}

TEST(CachePages, Level1RewritesWhatTheOtherLevelsChanged) {
    Harness h(ThisMachineEpyc());
    h.Create();
    h.model->l2Click();
    h.model->l3Click();
    h.model->l1Click();
    EXPECT_TRUE(h["l1"].bold);
    EXPECT_FALSE(h["l3"].bold);
    EXPECT_FALSE(h["l2_mask_panel"].visible);
    EXPECT_FALSE(h["l3_mask_panel"].visible);
    const std::pair<const char*, const char*> cells[] = {
        {"head_11", "Level 1 Data Cache"}, {"head_21", "Level 1 Instruction Cache"},
        {"head_12", "Level 1 Data TLB (4Kb page)"}, {"head_13", "Level 1 Data TLB (2/4Mb page)"},
        {"head_22", "Level 1 Instruction TLB (4Kb page)"}, {"head_23", "Level 1 Instruction TLB (2/4Mb page)"},
        {"l111", "Size"}, {"l113", "Size"}, {"l121", "Associativity"}, {"l123", "Associativity"},
        {"l131", "Line Size"}, {"l133", "Line Size"}, {"l141", "Lines per Tag"}, {"l143", "Lines per Tag"},
        {"l211", "Associativity"}, {"l221", "Entries"}, {"l313", "Associativity"}, {"l323", "Entries"},
        {"l112", "32Kb"}, {"l114", "32Kb"}, {"l132", "64 bytes"}, {"l134", "64 bytes"}, {"l142", "1"},
        {"l224", "64"}};
    for (const auto& [name, text] : cells) EXPECT_EQ(h.Text(name), text) << name;

    // Level 2 headings and the TLB captions it writes.
    h.model->l2Click();
    const std::pair<const char*, const char*> l2cells[] = {
        {"head_12", "Level 2 Data TLB (4Kb page)"}, {"head_13", "Level 2 Data TLB (2/4Mb page)"},
        {"head_22", "Level 2 Instruction TLB (4Kb page)"}, {"head_23", "Level 2 Instruction TLB (2/4Mb page)"},
        {"l141", "Lines per Tag"}, {"l143", ""}, {"l142", "1"}, {"l214", "off"}, {"l224", "0"}};
    for (const auto& [name, text] : l2cells) EXPECT_EQ(h.Text(name), text) << name;
}

TEST(CachePages, Level3ShowsFourCells) {
    Harness h(ThisMachineEpyc());
    h.Create();
    h.model->l3Click();
    EXPECT_TRUE(h["l2_mask_panel"].visible);
    EXPECT_TRUE(h["l3_mask_panel"].visible);
    EXPECT_EQ(h.Text("head_11"), "Level 3 Cache");
    EXPECT_EQ(h.Text("l141"), "Sectors");
    EXPECT_EQ(h.Text("l112"), "32768Kb");
    EXPECT_EQ(h.Text("l122"), "16-way");
    EXPECT_EQ(h.Text("l132"), "64 bytes");
    EXPECT_EQ(h.Text("l142"), "0");
}

TEST(CachePages, SixWayAssociativityHasNoText) {
    Processor p = PentiumIIISerialOff();
    p.caches.l2.l2cassoc = 6;
    Harness h(std::move(p));
    h.Create();
    h.model->l2Click();
    EXPECT_EQ(h.Text("l122"), "");
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

    EXPECT_EQ(h.Text("ext_l1_loc"), "Internal");
    EXPECT_EQ(h.Text("ext_l1_om"), "Write Back");
    EXPECT_EQ(h.Text("ext_l1_status"), "Enabled");
    EXPECT_EQ(h.Text("ext_l1_sock"), "Non-socketed");
    EXPECT_EQ(h.Text("ext_l1_ctp"), "Unified");
    EXPECT_EQ(h.Text("ext_l1_ect"), "Single-bit ECC");
    EXPECT_EQ(h.Text("ext_l1_srt"), "Pipeline Burst ");
    EXPECT_EQ(h.Text("ext_l1_crt"), "Synchronous ");
    EXPECT_EQ(h.Text("ext_l1_spd"), "Unknown");
    // The later of two records with the same handle wins.
    EXPECT_EQ(h.Text("ext_l2_loc"), "Unknown");
    EXPECT_EQ(h.Text("ext_l2_om"), "Varies with Memory Address");
    EXPECT_EQ(h.Text("ext_l2_status"), "Enabled");
    EXPECT_EQ(h.Text("ext_l2_sock"), "Socketed");
    EXPECT_EQ(h.Text("ext_l2_spd"), "Unknown");
    // No L3: column disabled, all N/A.
    EXPECT_FALSE(h["ext_l3_tit"].enabled);
    EXPECT_FALSE(h["ext_l3_spd"].enabled);
    EXPECT_EQ(h.Text("ext_l3_loc"), "N/A");
    EXPECT_TRUE(h["ext_l1_tit"].enabled);
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
    EXPECT_EQ(h.Text("ext_l1_loc"), "External");
    EXPECT_EQ(h.Text("ext_l1_spd"), "15 ns");
    EXPECT_EQ(h.Text("ext_l2_loc"), "N/A");
    EXPECT_EQ(h.Text("ext_l3_loc"), "Internal");
    EXPECT_EQ(h.Text("ext_l3_om"), "Write Through");
    EXPECT_EQ(h.Text("ext_l3_status"), "Disabled");
}

TEST(ExtendedCacheTable, HandlesThatNameNoRecordKeepNotAvailable) {
    // A table without a processor record leaves the handles at 0xFFFF
    // ("none"): even a cache record whose handle is 0 is not shown.
    Harness h(AthlonXP());
    h.dmi_ok = true;
    h.dmi.dmiread = true;
    h.dmi.caches = {Cache(0x0000, 0x0180)};
    h.Create();
    for (const char* level : {"1", "2", "3"})
        for (const char* row : {"loc", "om", "status", "sock", "ctp", "ect", "srt", "crt", "spd"}) {
            const std::string n = std::string("ext_l") + level + "_" + row;
            EXPECT_EQ(h.Text(n), "N/A") << n;
            EXPECT_FALSE(h[n].enabled) << n;
        }
}

TEST(ExtendedCacheTable, UnreadableTablesMaskBothGroups) {
    Harness h(AthlonXP());
    h.Create();
    EXPECT_TRUE(h["dmi_mask_panel"].visible);
    EXPECT_TRUE(h["panel_extc_mask"].visible);
    EXPECT_EQ(h.Text("dmi_mask_panel"), "Can't read DMI structure table");
    EXPECT_EQ(h.Text("ext_l1_loc"), "N/A");
}

TEST(DatabaseTests, ButtonFollowsThePointerFile) {
    Harness h(AthlonXP());
    h.Create();
    EXPECT_FALSE(h["dbase"].enabled);
    EXPECT_FALSE(h["Databasebrowser1"].enabled);

    h.dir.Touch("database.ini", "procs.db\r\n");
    int readings = 0;
    h.model->Hooks().read_database_pointer = [&](DatabaseSearch& s) {
        ++readings;
        s.remembered_name = "procs.db";  // the file itself is missing
    };
    h.model->button_refreshClick();
    EXPECT_TRUE(h["dbase"].enabled);  // no name read yet: enabled all the same
    EXPECT_EQ(readings, 1);
    // From the next Reset on the missing database file counts.
    h.model->button_refreshClick();
    EXPECT_FALSE(h["dbase"].enabled);
    EXPECT_EQ(readings, 1);

    h.dir.Touch("procs.db");
    h.dir.Touch(std::string(kDatabaseBrowserProgram));
    h.model->button_refreshClick();
    EXPECT_TRUE(h["dbase"].enabled);
    EXPECT_TRUE(h["Databasebrowser1"].enabled);
}

TEST(DatabaseTests, NamesAreComparedWithTheirCase) {
    Harness h(AthlonXP());
    h.dir.Touch("Database.ini");
    h.dir.Touch("KestDbBr");  // the browser's name in other letter case
    h.dir.Touch("KestDbBr.exe");
    h.Create();
    EXPECT_FALSE(h["dbase"].enabled);
    EXPECT_FALSE(h["Databasebrowser1"].enabled);
}

TEST(DatabaseTests, AnUnreadablePointerFileStopsThePopulation) {
    Harness h(AthlonXP());
    h.dir.Touch("database.ini");
    h.model->Hooks().read_database_pointer = [](DatabaseSearch&) { throw std::runtime_error("I/O error 5"); };
    EXPECT_THROW(h.Create(), std::runtime_error);
    EXPECT_FALSE(h["dbase"].enabled);
}

TEST(FormDefaults, MasksAndDimmedFieldsBeforePopulation) {
    WindowState s;
    ApplyFormDefaults(s);
    EXPECT_TRUE(s["as_mask_panel"].visible);
    EXPECT_TRUE(s["dmi_mask_panel"].visible);
    EXPECT_FALSE(s["epm_mask_panel"].visible);
    EXPECT_FALSE(s["dbase"].enabled);
    EXPECT_FALSE(s["Databasebrowser1"].enabled);
    EXPECT_EQ(s["as_v"].text, "as_p");
    EXPECT_EQ(s["vendor"].text, "vendor");
    EXPECT_EQ(s["serialnumber"].text, "Not supported");
    EXPECT_EQ(s["about_signature"].text, "Application signature: 4B65737472756E65-05-04-01-e2");
    EXPECT_EQ(s["l324"].text, "l324");
    EXPECT_EQ(s["ext_l3_crt"].text, "N/A");
    EXPECT_EQ(s["test_pb"].maximum, 4096);
    // Captions as the form has them, spelling included.
    const std::pair<const char*, const char*> captions[] = {
        {"b_sff", "Standart Features (page 1)"},
        {"b_aff", "Standart Features (page 2)"},
        {"b_eff", "Extended Features"},
        {"Label_s17", "Label0"},
        {"epm_mask_panel", "This instruction is not supported"},
        {"as_mask_panel", "This instruction is not supported"},
        {"panel_extc_mask", "Extended Cache Information is unavailable."},
        {"dmi_mask_panel", "Can't read DMI structure table"},
        {"Label_brand", "Brand Id:"},
        {"Label_clfl", "Flush size:"},
        {"Label_count", "LP Count:"},
        {"Label_l1i", "L1 Instr:"},
        {"Label_sn", "Serial Number:"},
        {"CheckBox_fullsn", "Full S/N"},
        {"tech_title", "Technological"},
        {"_int_cache", "Integrated CPU Cache Information"},
        {"_memory", "Cache/Memory Throughput"},
        {"p_rating", ""},
        {"plt", ""},
        {"pb2", "pb2"},
        {"head_23", "head_23"},
        {"about_version", "Version 5.4.0"},
    };
    for (const auto& [name, text] : captions) EXPECT_EQ(s[name].text, text) << name;
    // Dimmed in the form: the captions and values whose datum may be absent.
    for (const char* n : {"Label_vstring", "Label_cpuname", "Label_rat", "Label_core", "Label_plt",
                          "Label_extname", "Label_brand", "brand", "efam", "emdl", "estp", "ebrd", "Label_l2",
                          "Label_l3", "l2s", "l3s", "Label_apic", "Label_count", "Label_clfl", "apic", "lp",
                          "fls", "Label_sn", "serialnumber"})
        EXPECT_EQ(s[n].colour, TextColour::Dimmed) << n;
    for (const char* n : {"Label_fam", "Label_model", "Label_stp", "fam", "mdl", "stp", "Label_l1i", "Label_l1d",
                          "l1is", "l1ds", "Label_type", "ctp", "Label_cspeed", "tech_title"})
        EXPECT_EQ(s[n].colour, TextColour::Normal) << n;
    for (const char* n : {"Label_fspeed", "Label_mult", "fspeed", "mult", "Bevel_fspeed", "Bevel_mult",
                          "l2_mask_panel", "l3_mask_panel", "panel_extc_mask", "panel_legend", "test_pb"})
        EXPECT_FALSE(s[n].visible) << n;
    // 32 feature rows, 41 logos, 32 cache-grid cells.
    int rows = 0, logos = 0, cells = 0;
    for (const auto& [name, c] : s.All()) {
        if (name.rfind("Label_s", 0) == 0 && name.size() <= 9 && std::isdigit(name[7])) ++rows;
        if (name.rfind("_logo_", 0) == 0 && !c.visible) ++logos;
        if (name.size() == 4 && name[0] == 'l' && std::isdigit(name[1]) && std::isdigit(name[3])) ++cells;
    }
    EXPECT_EQ(rows, 32);
    EXPECT_EQ(logos, 41);
    EXPECT_EQ(cells, 32);
}

}  // namespace
}  // namespace kest::test
