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
    s[ctl::kLabelRat].colour = info.rating.empty() ? TextColour::Dimmed : TextColour::Normal;
    s[ctl::kPRating].text = info.rating;
    s[ctl::kCspeed].text = info.coretext;
    s[ctl::kMult].text = info.multtext;
    s[ctl::kFspeed].text = info.bustext;

    // The bar runs to the next whole gigahertz.
    const int64_t g = info.mhzint / 1000;
    const int64_t max = g * 1000 + 1000;
    s[ctl::kSpeedbar].maximum = static_cast<int>(max);
    if (max == 1000) {
        s[ctl::kPb1].text = std::to_string(max / 3) + "MHz";
        s[ctl::kPb2].text = std::to_string((max / 15) * 10) + "MHz";
        s[ctl::kPb3].text = std::to_string(max) + "MHz";
    } else if (max >= 2000 && max <= 9000) {
        const auto m = static_cast<int32_t>(max);
        s[ctl::kPb1].text = DivText(m, 3000) + "GHz";
        s[ctl::kPb2].text = DivText(m, 1500) + "GHz";
        s[ctl::kPb3].text = DivText(m, 1000) + "GHz";
    }
    s[ctl::kSpeedbar].position = static_cast<int>(info.mhzint);
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

void MainWindowModel::ctpClick() { state_[ctl::kHlpstring].text = CpuTypeHelp(cpu_.cpu_type); }
void MainWindowModel::apicClick() { state_[ctl::kHlpstring].text.clear(); }
void MainWindowModel::pltClick() {
    if (!state_[ctl::kPlt].shorter.empty()) state_[ctl::kHlpstring].text = state_[ctl::kPlt].text;
}
void MainWindowModel::lpClick() { state_[ctl::kHlpstring].text = "Logical Processor Count"; }
void MainWindowModel::flsClick() { state_[ctl::kHlpstring].text = "CLFLUSH chunk count"; }
void MainWindowModel::famClick() { state_[ctl::kHlpstring].text = names_.familynote; }
void MainWindowModel::mdlClick() { state_[ctl::kHlpstring].text = names_.modelnote; }
void MainWindowModel::brandClick() {
    if (cpu_.vendorst == vendor::kIntel) state_[ctl::kHlpstring].text = BrandIdHelp(cpu_.brand_id);
}

// ---- feature-flag pages ----

void MainWindowModel::ShowFeaturePage(FeaturePage page) {
    state_[ctl::kBSff].bold = page == FeaturePage::Standard1;
    state_[ctl::kBAff].bold = page == FeaturePage::Standard2;
    state_[ctl::kBEff].bold = page == FeaturePage::Extended;
    const auto& names = FeatureNames(page);
    const auto& bits = page == FeaturePage::Standard1   ? bits_.featurs1_bits
                       : page == FeaturePage::Standard2 ? bits_.featurs2_bits
                                                        : bits_.feature1_bits;
    for (int i = 0; i < 32; ++i) state_[ctl::FeatureLabel(i)].text = names[i];
    for (int i = 0; i < 32; ++i) state_[ctl::FeatureIndicator(i)].fill = bits[i] ? kGreen : kMaroon;
}

void MainWindowModel::b_sffClick() { ShowFeaturePage(FeaturePage::Standard1); }
void MainWindowModel::b_affClick() { ShowFeaturePage(FeaturePage::Standard2); }
void MainWindowModel::b_effClick() { ShowFeaturePage(FeaturePage::Extended); }

// ---- cache pages ----

void MainWindowModel::CacheButtonStyles(int level) {
    state_[ctl::kL1].bold = level == 1;
    state_[ctl::kL2].bold = level == 2;
    state_[ctl::kL3].bold = level == 3;
}

// Each TLB block is dimmed, heading and cells together, when it has no ways.
void MainWindowModel::ColourTlbBlocks(uint16_t i4, uint16_t i2, uint16_t d4, uint16_t d2) {
    auto colour = [&](uint16_t assoc, std::initializer_list<ControlName> names) {
        for (ControlName n : names) state_[n].colour = assoc ? TextColour::Normal : TextColour::Dimmed;
    };
    colour(i4, {ctl::kHead22, ctl::kL213, ctl::kL214, ctl::kL223, ctl::kL224});
    colour(i2, {ctl::kHead23, ctl::kL313, ctl::kL314, ctl::kL323, ctl::kL324});
    colour(d4, {ctl::kHead12, ctl::kL211, ctl::kL212, ctl::kL221, ctl::kL222});
    colour(d2, {ctl::kHead13, ctl::kL311, ctl::kL312, ctl::kL321, ctl::kL322});
}

namespace {

void TlbCaptions(WindowState& s) {
    for (ControlName n : {ctl::kL211, ctl::kL213, ctl::kL311, ctl::kL313}) s[n].text = "Associativity";
    for (ControlName n : {ctl::kL221, ctl::kL223, ctl::kL321, ctl::kL323}) s[n].text = "Entries";
}

void LeftBlock1Captions(WindowState& s, const char* fourth) {
    s[ctl::kL111].text = "Size";
    s[ctl::kL121].text = "Associativity";
    s[ctl::kL131].text = "Line Size";
    s[ctl::kL141].text = fourth;
}

}  // namespace

void MainWindowModel::l1Click() {
    WindowState& s = state_;
    const CacheL1& c = caches_.l1;
    CacheButtonStyles(1);
    s[ctl::kL2MaskPanel].visible = false;
    s[ctl::kL3MaskPanel].visible = false;
    ColourTlbBlocks(c.l1itlba4, c.l1itlba2, c.l1dtlba4, c.l1dtlba2);

    s[ctl::kHead11].text = "Level 1 Data Cache";
    s[ctl::kHead21].text = c.l1ctrace ? "Level 1 Trace Cache" : "Level 1 Instruction Cache";
    s[ctl::kHead12].text = "Level 1 Data TLB (4Kb page)";
    s[ctl::kHead13].text = "Level 1 Data TLB (2/4Mb page)";
    s[ctl::kHead22].text = "Level 1 Instruction TLB (4Kb page)";
    s[ctl::kHead23].text = "Level 1 Instruction TLB (2/4Mb page)";

    LeftBlock1Captions(s, "Lines per Tag");
    s[ctl::kL113].text = "Size";
    s[ctl::kL123].text = "Associativity";
    s[ctl::kL133].text = "Line Size";
    s[ctl::kL143].text = "Lines per Tag";
    TlbCaptions(s);

    s[ctl::kL112].text = KbText(c.level1dc, false);
    s[ctl::kL122].text = AssocText(c.l1dassoc);
    s[ctl::kL132].text = BytesText(c.l1dlinsz, false);
    s[ctl::kL142].text = std::to_string(c.l1dlines);
    s[ctl::kL114].text = KbText(c.level1ic, c.l1ctrace);
    s[ctl::kL124].text = AssocText(c.l1iassoc);
    s[ctl::kL134].text = BytesText(c.l1ilinsz, c.l1ctrace);
    s[ctl::kL144].text = std::to_string(c.l1ilines);
    s[ctl::kL212].text = AssocText(c.l1dtlba4);
    s[ctl::kL222].text = std::to_string(c.l1dtlbe4);
    s[ctl::kL312].text = AssocText(c.l1dtlba2);
    s[ctl::kL322].text = std::to_string(c.l1dtlbe2);
    s[ctl::kL214].text = AssocText(c.l1itlba4);
    s[ctl::kL224].text = std::to_string(c.l1itlbe4);
    s[ctl::kL314].text = AssocText(c.l1itlba2);
    s[ctl::kL324].text = std::to_string(c.l1itlbe2);
}

void MainWindowModel::l2Click() {
    WindowState& s = state_;
    const CacheL2& c = caches_.l2;
    CacheButtonStyles(2);
    s[ctl::kL2MaskPanel].visible = true;  // one unified cache: the right column is blank
    s[ctl::kL3MaskPanel].visible = false;
    ColourTlbBlocks(c.l2itlba4, c.l2itlba2, c.l2dtlba4, c.l2dtlba2);

    s[ctl::kHead11].text = "Level 2 Cache";
    s[ctl::kHead12].text = "Level 2 Data TLB (4Kb page)";
    s[ctl::kHead13].text = "Level 2 Data TLB (2/4Mb page)";
    s[ctl::kHead22].text = "Level 2 Instruction TLB (4Kb page)";
    s[ctl::kHead23].text = "Level 2 Instruction TLB (2/4Mb page)";

    LeftBlock1Captions(s, "Lines per Tag");
    for (ControlName n : {ctl::kL113, ctl::kL123, ctl::kL133, ctl::kL143}) s[n].text.clear();
    TlbCaptions(s);

    s[ctl::kL112].text = KbText(c.level2cs, false);
    s[ctl::kL122].text = AssocText(c.l2cassoc);
    s[ctl::kL132].text = std::to_string(c.l2clinsz) + " bytes";
    s[ctl::kL142].text = std::to_string(c.l2clines);
    s[ctl::kL212].text = AssocText(c.l2dtlba4);
    s[ctl::kL222].text = std::to_string(c.l2dtlbe4);
    s[ctl::kL312].text = AssocText(c.l2dtlba2);
    s[ctl::kL322].text = std::to_string(c.l2dtlbe2);
    s[ctl::kL214].text = AssocText(c.l2itlba4);
    s[ctl::kL224].text = std::to_string(c.l2itlbe4);
    s[ctl::kL314].text = AssocText(c.l2itlba2);
    s[ctl::kL324].text = std::to_string(c.l2itlbe2);
}

void MainWindowModel::l3Click() {
    WindowState& s = state_;
    const CacheL3& c = caches_.l3;
    CacheButtonStyles(3);
    s[ctl::kL2MaskPanel].visible = true;
    s[ctl::kL3MaskPanel].visible = true;
    s[ctl::kHead11].text = "Level 3 Cache";
    LeftBlock1Captions(s, "Sectors");
    s[ctl::kL112].text = KbText(c.level3cs, false);
    s[ctl::kL122].text = AssocText(c.l3cassoc);
    s[ctl::kL132].text = std::to_string(c.l3clinsz) + " bytes";
    s[ctl::kL142].text = std::to_string(c.l3sector);
}

void MainWindowModel::FillExtendedCacheTable() {
    WindowState& s = state_;
    const uint16_t handles[3] = {dmi_.l1handle, dmi_.l2handle, dmi_.l3handle};
    for (int level = 1; level <= 3; ++level) {
        auto row = [level](std::string_view name) { return ctl::ExtCacheRow(level, name); };
        // A level whose handle names no cache record keeps "N/A" (without a
        // processor record the handles are 0xFFFF and name nothing).
        const DmiCacheRecord* r = FindDmiCache(dmi_, handles[level - 1]);
        if (r) {
            const DmiCacheConfigTexts config = DecodeDmiCacheConfig(r->config);
            s[row("loc")].text = config.location;
            s[row("om")].text = config.mode;
            s[row("status")].text = config.status;
            s[row("sock")].text = config.socket;
            s[row("ctp")].text = r->cachetype;
            s[row("ect")].text = r->ecctype;
            s[row("srt")].text = r->sramsupp;
            s[row("crt")].text = r->sramcurr;
            s[row("spd")].text = r->speedns ? std::to_string(r->speedns) + " ns" : "Unknown";
        }
        if (handles[level - 1] == 0xFFFF) {
            s[ctl::ExtCacheTitle(level)].enabled = false;
            for (std::string_view name : ctl::kExtCacheRows) s[row(name)].enabled = false;
        }
    }
}

}  // namespace kest
