// Clock refresh, help line, feature-flag pages and cache pages.
#include "cpu/clock.h"
#include "cpu/cpuid_bits.h"
#include "cpu/format.h"
#include "cpu/vendor.h"
#include "view/cache_listing.h"
#include "view/main_model.h"

namespace kest {

// ---- clock ----

ClockMethod ClockMethodFor(const CpuidData& cpu, const ProcessorNames& names) {
    const bool invariant_tsc = Has(cpu, cpuid_bit::kInvariantTsc);
    return invariant_tsc && !names.named_by_tables ? ClockMethod::kBusyCore : ClockMethod::kTsc;
}

void MainWindowModel::refrtimerTimer() {
    const ClockMethod method = ClockMethodFor(cpu_, names_);
    ClockReading reading;
    if (seams_.measure_clock) reading = seams_.measure_clock(method);
    ShowClock(reading);
}

void MainWindowModel::ShowClock(const ClockReading& reading) {
    reading_ = reading;
    clock_ = ComputeClockInfo(reading, bus_clock_, current_speed_, names_.intprocn, cpu_.st_model,
                              caches_.l2.level2cs, names_.modelrating);
    const ClockInfo& info = clock_;
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
void MainWindowModel::lpClick() {
    // The field keeps leaf 1's count; the line adds what the machine has.
    const std::string counts = TopologyText(topology_);
    state_[ctl::kHlpstring].text = counts.empty() ? "Logical Processor Count" : "Logical Processor Count; " + counts;
}
void MainWindowModel::isa_lvlClick() { state_[ctl::kHlpstring].text = LaterSetsText(cpu_); }
void MainWindowModel::pltClick() {
    if (!state_[ctl::kPlt].shorter.empty()) state_[ctl::kHlpstring].text = state_[ctl::kPlt].text;
}
void MainWindowModel::flsClick() { state_[ctl::kHlpstring].text = "CLFLUSH chunk count"; }
void MainWindowModel::famClick() { state_[ctl::kHlpstring].text = names_.familynote; }
void MainWindowModel::mdlClick() { state_[ctl::kHlpstring].text = names_.modelnote; }
void MainWindowModel::brandClick() {
    if (cpu_.vendorst == vendor::kIntel) state_[ctl::kHlpstring].text = BrandIdHelp(cpu_.brand_id);
}

// "Time-stamp counter: 2300.00 MHz (fixed rate); core measured busy on
// logical processor 0"; on a hybrid processor "performance core" or
// "efficient core" in place of "core".
std::string ClockHelp(const CpuidData& cpu, const ClockReading& reading) {
    if (reading.method != ClockMethod::kBusyCore) return {};
    std::string text = "Time-stamp counter: " + MhzText(reading.tscmhz) + " (fixed rate); ";
    const std::string_view kind = HybridCoreKind(cpu, reading.core_type_leaf);
    if (!kind.empty()) text += std::string(kind) + " ";
    text += "core measured busy";
    if (reading.processor >= 0) text += " on logical processor " + std::to_string(reading.processor);
    return text;
}

// Only a busy-core run has something to explain; otherwise the help line
// keeps its text.
void MainWindowModel::cspeedClick() {
    std::string help = ClockHelp(cpu_, reading_);
    if (!help.empty()) state_[ctl::kHlpstring].text = std::move(help);
}

// ---- feature-flag pages ----

void MainWindowModel::ShowFeaturePage(FeaturePage page) {
    state_[ctl::kBSff].bold = page == FeaturePage::Standard1;
    state_[ctl::kBAff].bold = page == FeaturePage::Standard2;
    state_[ctl::kBEff].bold = page == FeaturePage::Extended;
    // A later word: the narrow toggle is bold, its menu entry checked.
    const LaterFeatureWord* later = FindLaterWord(page);
    state_[ctl::kBLff].bold = later != nullptr;
    state_[ctl::kBLff].tooltip = later ? later->caption : "Later feature words";
    for (const LaterFeatureWord& w : LaterFeatureWords()) state_[w.action].checked = w.page == page;
    const auto& names = FeatureNames(page);
    const std::array<uint8_t, 32> later_bits = later ? BitsOf(cpu_.*later->word) : std::array<uint8_t, 32>{};
    const auto& bits = later                            ? later_bits
                       : page == FeaturePage::Standard1 ? bits_.featurs1_bits
                       : page == FeaturePage::Standard2 ? bits_.featurs2_bits
                                                        : bits_.feature1_bits;
    for (int i = 0; i < 32; ++i) state_[ctl::FeatureLabel(i)].text = names[i];
    for (int i = 0; i < 32; ++i) state_[ctl::FeatureIndicator(i)].fill = bits[i] ? kGreen : kMaroon;
}

void MainWindowModel::b_sffClick() { ShowFeaturePage(FeaturePage::Standard1); }
void MainWindowModel::b_affClick() { ShowFeaturePage(FeaturePage::Standard2); }
void MainWindowModel::b_effClick() { ShowFeaturePage(FeaturePage::Extended); }
void MainWindowModel::LaterFeatureClick(FeaturePage page) {
    if (FindLaterWord(page)) ShowFeaturePage(page);
}

// ---- cache pages ----

void MainWindowModel::CacheButtonStyles(int level) {
    state_[ctl::kL1].bold = level == 1;
    state_[ctl::kL2].bold = level == 2;
    state_[ctl::kL3].bold = level == 3;
}

// One level of the cache listing on the page: the cache in the left column
// of block 1, the level-1 instruction or trace cache in the right column,
// the TLB pairs in blocks 2 and 3 (data left, instructions right). Each TLB
// block is dimmed, heading and cells together, when it has no ways. Level 2
// masks the right column of block 1, level 3 everything but block 1.
void MainWindowModel::ShowCacheLevel(int level) {
    WindowState& s = state_;
    const CacheLevelListing listing = CacheListing(caches_)[static_cast<size_t>(level - 1)];
    CacheButtonStyles(level);
    s[ctl::kL2MaskPanel].visible = level >= 2;
    s[ctl::kL3MaskPanel].visible = level == 3;

    // column 1 and 3 hold captions, 2 and 4 values
    auto fill = [&](const CacheBlock& b, int block, int column) {
        s[ctl::CacheHead(column == 1 ? 1 : 2, block)].text = CacheBlockTitle(b, CacheWording::Window);
        for (size_t r = 0; r < b.rows.size(); ++r) {
            const int row = static_cast<int>(r) + 1;
            s[ctl::CacheCell(block, row, column)].text = CacheRowCaption(b.rows[r].kind, CacheWording::Window);
            s[ctl::CacheCell(block, row, column + 1)].text = b.rows[r].value;
        }
    };
    fill(listing.cache, 1, 1);
    if (listing.instructions)
        fill(*listing.instructions, 1, 3);
    else
        for (int row = 1; row <= 4; ++row) s[ctl::CacheCell(1, row, 3)].text.clear();
    for (size_t p = 0; p < listing.tlb_pairs.size(); ++p) {
        const int block = static_cast<int>(p) + 2;
        for (int side = 0; side < 2; ++side) {
            const CacheBlock& tlb = listing.tlb_pairs[p][static_cast<size_t>(side)];
            const int column = side == 0 ? 1 : 3;
            fill(tlb, block, column);
            const TextColour colour = tlb.ways ? TextColour::Normal : TextColour::Dimmed;
            s[ctl::CacheHead(side + 1, block)].colour = colour;
            for (int row = 1; row <= 2; ++row)
                for (int c = column; c <= column + 1; ++c) s[ctl::CacheCell(block, row, c)].colour = colour;
        }
    }
}

void MainWindowModel::l1Click() { ShowCacheLevel(1); }
void MainWindowModel::l2Click() { ShowCacheLevel(2); }
void MainWindowModel::l3Click() { ShowCacheLevel(3); }

// Shorter forms of an SRAM type list for its narrow cell, longest first:
// "Pipeline Burst Synchronous " gives "Pipeline Burst Sync" and "PB Sync".
std::vector<std::string> SramShortForms(const std::string& text) {
    auto replaced = [](std::string t, std::initializer_list<std::pair<std::string_view, std::string_view>> words) {
        for (auto [from, to] : words)
            for (size_t at = t.find(from); at != std::string::npos; at = t.find(from, at + to.size()))
                t.replace(at, from.size(), to);
        while (!t.empty() && t.back() == ' ') t.pop_back();
        return t;
    };
    const std::string sync = replaced(text, {{"Asynchronous", "Async"}, {"Synchronous", "Sync"}});
    const std::string all = replaced(sync, {{"Pipeline Burst", "PB"}, {"Non-Burst", "NB"}, {"Unknown", "Unkn."}});
    std::vector<std::string> forms;
    for (const std::string& f : {sync, all})
        if (f.size() < text.size() && (forms.empty() || forms.back() != f) && f.size() + 1 < text.size())
            forms.push_back(f);
    return forms;
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
            for (auto [name, text] : {std::pair{"srt", &r->sramsupp}, std::pair{"crt", &r->sramcurr}}) {
                ControlState& cell = s[row(name)];
                cell.text = *text;
                cell.shorter = SramShortForms(*text);
                cell.tooltip = cell.shorter.empty() ? std::string() : *text;
            }
            s[row("spd")].text = r->speedns ? std::to_string(r->speedns) + " ns" : "Unknown";
        }
        if (handles[level - 1] == 0xFFFF) {
            s[ctl::ExtCacheTitle(level)].enabled = false;
            for (std::string_view name : ctl::kExtCacheRows) s[row(name)].enabled = false;
        }
    }
}

}  // namespace kest
