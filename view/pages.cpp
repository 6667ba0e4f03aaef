// Clock refresh, help line, feature-flag pages and cache pages.
#include "cpu/clock.h"
#include "cpu/format.h"
#include "cpu/vendor.h"
#include "view/main_model.h"

namespace kest {

// ---- clock ----

void MainWindowModel::refrtimerTimer() {
    const double mhz = seams_.measure_clock ? seams_.measure_clock() : 0.0;
    ShowClock(mhz);
}

void MainWindowModel::ShowClock(double coremhz) {
    const ClockInfo info = ComputeClockInfo(coremhz, bus_clock_, current_speed_, names_.intprocn,
                                            cpu_.st_model, caches_.l2.level2cs, names_.modelrating);
    WindowState& s = state_;
    s["Label_rat"].colour = info.rating.empty() ? TextColour::Dimmed : TextColour::Normal;
    s["p_rating"].text = info.rating;
    s["cspeed"].text = info.coretext;
    s["mult"].text = info.multtext;
    s["fspeed"].text = info.bustext;

    // The bar runs to the next whole gigahertz.
    const int64_t g = info.mhzint / 1000;
    const int64_t max = g * 1000 + 1000;
    s["speedbar"].maximum = static_cast<int>(max);
    if (max == 1000) {
        s["pb1"].text = std::to_string(max / 3) + "MHz";
        s["pb2"].text = std::to_string((max / 15) * 10) + "MHz";
        s["pb3"].text = std::to_string(max) + "MHz";
    } else if (max >= 2000 && max <= 9000) {
        const auto m = static_cast<int32_t>(max);
        s["pb1"].text = DivText(m, 3000) + "GHz";
        s["pb2"].text = DivText(m, 1500) + "GHz";
        s["pb3"].text = DivText(m, 1000) + "GHz";
    }
    s["speedbar"].position = static_cast<int>(info.mhzint);
}

// ---- help line ----

std::string CpuTypeHelp(uint16_t cpu_type) {
    static const char* const kTypes[4] = {
        "CPU Type 0 means Primary/Single Processor",
        "CPU Type 1 means Overdrive Processor",
        "CPU Type 2 means Secondary Processor",
        "CPU Type 3 is Reserved",
    };
    return cpu_type < 4 ? kTypes[cpu_type] : std::string();
}

std::string BrandIdHelp(uint16_t brand_id) {
    static const char* const kBrands[23] = {
        "Brand ID is not supported",
        "0.18 \xB5m Intel Celeron",
        "0.18 \xB5m Intel Pentium III",
        "0.18 \xB5m Intel Pentium III Xeon",
        "0.13 \xB5m Intel Pentium III",
        "0.13 \xB5m Intel Celeron",
        "0.13 \xB5m Intel Pentium III mobile",
        "0.13 \xB5m Intel Celeron mobile",
        "0.18 \xB5m Intel Pentium 4",
        "0.13 \xB5m Intel Pentium 4",
        "0.18 \xB5m Intel Celeron 4",
        "0.18 \xB5m Intel Pentium 4 Xeon MP",
        "0.13 \xB5m Intel Pentium 4 Xeon MP",
        "",
        "0.13 \xB5m Intel Pentium 4 mobile",
        "0.13 \xB5m Intel Pentium 4 mobile (samples)",
        "", "", "", "", "", "",
        "0.13 \xB5m Intel Pentium M",
    };
    // Indices past the table have no explanation: an empty line.
    return brand_id < 23 ? kBrands[brand_id] : std::string();
}

void MainWindowModel::ctpClick() { state_["hlpstring"].text = CpuTypeHelp(cpu_.cpu_type); }
void MainWindowModel::apicClick() { state_["hlpstring"].text.clear(); }
void MainWindowModel::lpClick() { state_["hlpstring"].text = "Logical Processor Count"; }
void MainWindowModel::flsClick() { state_["hlpstring"].text = "CLFLUSH chunk count"; }
void MainWindowModel::famClick() { state_["hlpstring"].text = names_.familynote; }
void MainWindowModel::mdlClick() { state_["hlpstring"].text = names_.modelnote; }
void MainWindowModel::brandClick() {
    if (cpu_.vendorst == vendor::kIntel) state_["hlpstring"].text = BrandIdHelp(cpu_.brand_id);
}

// ---- feature-flag pages ----

void MainWindowModel::ShowFeaturePage(FeaturePage page) {
    state_["b_sff"].bold = page == FeaturePage::Standard1;
    state_["b_aff"].bold = page == FeaturePage::Standard2;
    state_["b_eff"].bold = page == FeaturePage::Extended;
    const auto& names = FeatureNames(page);
    const auto& bits = page == FeaturePage::Standard1   ? bits_.featurs1_bits
                       : page == FeaturePage::Standard2 ? bits_.featurs2_bits
                                                        : bits_.feature1_bits;
    for (int i = 0; i < 32; ++i) state_["Label_s" + std::to_string(i)].text = names[i];
    for (int i = 0; i < 32; ++i) state_["S" + std::to_string(i)].fill = bits[i] ? kGreen : kMaroon;
}

void MainWindowModel::b_sffClick() { ShowFeaturePage(FeaturePage::Standard1); }
void MainWindowModel::b_affClick() { ShowFeaturePage(FeaturePage::Standard2); }
void MainWindowModel::b_effClick() { ShowFeaturePage(FeaturePage::Extended); }

// ---- cache pages ----

void MainWindowModel::CacheButtonStyles(int level) {
    state_["l1"].bold = level == 1;
    state_["l2"].bold = level == 2;
    state_["l3"].bold = level == 3;
}

// Each TLB block is dimmed, heading and cells together, when it has no ways.
void MainWindowModel::ColourTlbBlocks(uint16_t i4, uint16_t i2, uint16_t d4, uint16_t d2) {
    auto colour = [&](uint16_t assoc, std::initializer_list<const char*> names) {
        for (const char* n : names) state_[n].colour = assoc ? TextColour::Normal : TextColour::Dimmed;
    };
    colour(i4, {"head_22", "l213", "l214", "l223", "l224"});
    colour(i2, {"head_23", "l313", "l314", "l323", "l324"});
    colour(d4, {"head_12", "l211", "l212", "l221", "l222"});
    colour(d2, {"head_13", "l311", "l312", "l321", "l322"});
}

namespace {

void TlbCaptions(WindowState& s) {
    for (const char* n : {"l211", "l213", "l311", "l313"}) s[n].text = "Associativity";
    for (const char* n : {"l221", "l223", "l321", "l323"}) s[n].text = "Entries";
}

void LeftBlock1Captions(WindowState& s, const char* fourth) {
    s["l111"].text = "Size";
    s["l121"].text = "Associativity";
    s["l131"].text = "Line Size";
    s["l141"].text = fourth;
}

}  // namespace

void MainWindowModel::l1Click() {
    WindowState& s = state_;
    const CacheL1& c = caches_.l1;
    CacheButtonStyles(1);
    s["l2_mask_panel"].visible = false;
    s["l3_mask_panel"].visible = false;
    ColourTlbBlocks(c.l1itlba4, c.l1itlba2, c.l1dtlba4, c.l1dtlba2);

    s["head_11"].text = "Level 1 Data Cache";
    s["head_21"].text = c.l1ctrace ? "Level 1 Trace Cache" : "Level 1 Instruction Cache";
    s["head_12"].text = "Level 1 Data TLB (4Kb page)";
    s["head_13"].text = "Level 1 Data TLB (2/4Mb page)";
    s["head_22"].text = "Level 1 Instruction TLB (4Kb page)";
    s["head_23"].text = "Level 1 Instruction TLB (2/4Mb page)";

    LeftBlock1Captions(s, "Lines per Tag");
    s["l113"].text = "Size";
    s["l123"].text = "Associativity";
    s["l133"].text = "Line Size";
    s["l143"].text = "Lines per Tag";
    TlbCaptions(s);

    s["l112"].text = KbText(c.level1dc, false);
    s["l122"].text = AssocText(c.l1dassoc);
    s["l132"].text = BytesText(c.l1dlinsz, false);
    s["l142"].text = std::to_string(c.l1dlines);
    s["l114"].text = KbText(c.level1ic, c.l1ctrace);
    s["l124"].text = AssocText(c.l1iassoc);
    s["l134"].text = BytesText(c.l1ilinsz, c.l1ctrace);
    s["l144"].text = std::to_string(c.l1ilines);
    s["l212"].text = AssocText(c.l1dtlba4);
    s["l222"].text = std::to_string(c.l1dtlbe4);
    s["l312"].text = AssocText(c.l1dtlba2);
    s["l322"].text = std::to_string(c.l1dtlbe2);
    s["l214"].text = AssocText(c.l1itlba4);
    s["l224"].text = std::to_string(c.l1itlbe4);
    s["l314"].text = AssocText(c.l1itlba2);
    s["l324"].text = std::to_string(c.l1itlbe2);
}

void MainWindowModel::l2Click() {
    WindowState& s = state_;
    const CacheL2& c = caches_.l2;
    CacheButtonStyles(2);
    s["l2_mask_panel"].visible = true;  // one unified cache: the right column is blank
    s["l3_mask_panel"].visible = false;
    ColourTlbBlocks(c.l2itlba4, c.l2itlba2, c.l2dtlba4, c.l2dtlba2);

    s["head_11"].text = "Level 2 Cache";
    s["head_12"].text = "Level 2 Data TLB (4Kb page)";
    s["head_13"].text = "Level 2 Data TLB (2/4Mb page)";
    s["head_22"].text = "Level 2 Instruction TLB (4Kb page)";
    s["head_23"].text = "Level 2 Instruction TLB (2/4Mb page)";

    LeftBlock1Captions(s, "Lines per Tag");
    for (const char* n : {"l113", "l123", "l133", "l143"}) s[n].text.clear();
    TlbCaptions(s);

    s["l112"].text = KbText(c.level2cs, false);
    s["l122"].text = AssocText(c.l2cassoc);
    s["l132"].text = std::to_string(c.l2clinsz) + " bytes";
    s["l142"].text = std::to_string(c.l2clines);
    s["l212"].text = AssocText(c.l2dtlba4);
    s["l222"].text = std::to_string(c.l2dtlbe4);
    s["l312"].text = AssocText(c.l2dtlba2);
    s["l322"].text = std::to_string(c.l2dtlbe2);
    s["l214"].text = AssocText(c.l2itlba4);
    s["l224"].text = std::to_string(c.l2itlbe4);
    s["l314"].text = AssocText(c.l2itlba2);
    s["l324"].text = std::to_string(c.l2itlbe2);
}

void MainWindowModel::l3Click() {
    WindowState& s = state_;
    const CacheL3& c = caches_.l3;
    CacheButtonStyles(3);
    s["l2_mask_panel"].visible = true;
    s["l3_mask_panel"].visible = true;
    s["head_11"].text = "Level 3 Cache";
    LeftBlock1Captions(s, "Sectors");
    s["l112"].text = KbText(c.level3cs, false);
    s["l122"].text = AssocText(c.l3cassoc);
    s["l132"].text = std::to_string(c.l3clinsz) + " bytes";
    s["l142"].text = std::to_string(c.l3sector);
}

void MainWindowModel::FillExtendedCacheTable() {
    WindowState& s = state_;
    const uint16_t handles[3] = {dmi_.l1handle, dmi_.l2handle, dmi_.l3handle};
    for (int level = 1; level <= 3; ++level) {
        const std::string p = "ext_l" + std::to_string(level) + "_";
        // A level whose handle names no cache record keeps "N/A" (without a
        // processor record the handles are 0xFFFF and name nothing).
        const DmiCacheRecord* r = FindDmiCache(dmi_, handles[level - 1]);
        if (r) {
            const DmiCacheConfigTexts config = DecodeDmiCacheConfig(r->config);
            s[p + "loc"].text = config.location;
            s[p + "om"].text = config.mode;
            s[p + "status"].text = config.status;
            s[p + "sock"].text = config.socket;
            s[p + "ctp"].text = r->cachetype;
            s[p + "ect"].text = r->ecctype;
            s[p + "srt"].text = r->sramsupp;
            s[p + "crt"].text = r->sramcurr;
            s[p + "spd"].text = r->speedns ? std::to_string(r->speedns) + " ns" : "Unknown";
        }
        if (handles[level - 1] == 0xFFFF) {
            s["ext_l" + std::to_string(level) + "_tit"].enabled = false;
            for (const char* row : {"loc", "om", "status", "sock", "ctp", "ect", "srt", "crt", "spd"})
                s[p + row].enabled = false;
        }
    }
}

}  // namespace kest
