// Names the processor from the vendor string, base family, base model,
// stepping, processor type and L2 size, using the tables of the
// *_table.cpp files, then runs the three post-steps: the AMD family 15
// brand decode, the Intel Extreme Edition check and the L2 presence check.
// The second stage (identify_later.cpp) then names the processors made after
// the tables.
#include <string>

#include "cpu/vendor.h"
#include "ident/identify_later.h"
#include "ident/name_table.h"
#include "ident/processor_names.h"
#include "ident/product_lines.h"

namespace kest {
namespace ident {

namespace {

// UMC and SiS pad their vendor strings with a blank to twelve bytes.
constexpr VendorTree kTrees[] = {
    {vendor::kAmd, Tree::kAmd, AmdRows},
    {vendor::kCentaur, Tree::kCentaur, CentaurRows},
    {vendor::kIntel, Tree::kIntel, IntelRows},
    {"UMC UMC UMC ", Tree::kOther, UmcRows},
    {"CyrixInstead", Tree::kOther, CyrixRows},
    {"NexGenDriven", Tree::kOther, NexGenRows},
    {"RiseRiseRise", Tree::kOther, RiseRows},
    {"SiS SiS SiS ", Tree::kOther, SisRows},
    {"GenuineTMx86", Tree::kOther, TransmetaRows},
    {"Geode by NSC", Tree::kOther, GeodeRows},
};

}  // namespace

std::span<const VendorTree> VendorTrees() { return kTrees; }

namespace {

void Assign(std::string& field, Text text) {
    if (text != kUnset) field = text;
}

void Complete(CacheSet set, CacheInfo& c) {
    CacheL1& l1 = c.l1;
    switch (set) {
        case CacheSet::kNone:
            break;
        case CacheSet::kU8:
            l1.isl1divd = false;
            l1.level1ic = 8;
            break;
        case CacheSet::kU16:
            l1.isl1divd = false;
            l1.level1ic = 16;
            break;
        case CacheSet::kP5:
            l1.level1ic = 8, l1.l1iassoc = 2, l1.l1ilinsz = 32;
            l1.level1dc = 8, l1.l1dassoc = 2, l1.l1dlinsz = 32;
            l1.l1itlba4 = 4, l1.l1itlbe4 = 32;
            l1.l1dtlba4 = 4, l1.l1dtlbe4 = 64;
            l1.l1dtlba2 = 4, l1.l1dtlbe2 = 8;
            break;
        case CacheSet::kP55:
            l1.level1ic = 16, l1.l1iassoc = 4, l1.l1ilinsz = 32;
            l1.level1dc = 16, l1.l1dassoc = 4, l1.l1dlinsz = 32;
            l1.l1itlba4 = 255, l1.l1itlbe4 = 32;
            l1.l1itlba2 = 255, l1.l1itlbe2 = 32;
            l1.l1dtlba4 = 255, l1.l1dtlbe4 = 64;
            l1.l1dtlba2 = 255, l1.l1dtlbe2 = 64;
            break;
        case CacheSet::kK5:
            l1.level1ic = 16, l1.l1iassoc = 4, l1.l1ilinsz = 32;
            l1.level1dc = 8, l1.l1dassoc = 4, l1.l1dlinsz = 32;
            l1.l1itlba4 = 4, l1.l1itlbe4 = 128;
            l1.l1itlba2 = 4, l1.l1itlbe2 = 255;
            l1.l1dtlba4 = 4, l1.l1dtlbe4 = 128;
            l1.l1dtlba2 = 2, l1.l1dtlbe2 = 255;
            break;
    }
}

void Apply(const NameRow& row, const CpuidData& cpu, ProcessorNames& n, CacheInfo& caches) {
    Assign(n.familynote, row.familynote);
    Assign(n.procname, row.procname);
    Assign(n.corecode, row.corecode);
    if (row.intprocn != 0) n.intprocn = row.intprocn;
    Assign(n.modelnote, row.modelnote);
    Assign(n.platform, row.platform);
    Assign(n.techpar1, row.techpar1);
    Assign(n.techpar2, row.techpar2);
    Assign(n.techpar3, row.techpar3);

    const SteppingSplit& split = row.by_stepping;
    if (split.field != SteppingField::kNone) {
        std::string& target = split.field == SteppingField::kCorecode ? n.corecode : n.platform;
        for (const SteppingText& c : split.cases) {
            if (c.text != kUnset && cpu.stepping >= c.lo && cpu.stepping <= c.hi) {
                target = c.text;
                break;
            }
        }
    }

    Complete(row.cache, caches);
    if (row.no_l2) caches.l2.islevel2 = false;
}

bool ModelRowMatches(const NameRow& row, const CpuidData& cpu, const CacheInfo& caches) {
    return row.level == Level::kModel && row.family == cpu.stfamily && row.model.Matches(cpu.st_model) &&
           row.stepping.Matches(cpu.stepping) && row.cpu_type.Matches(cpu.cpu_type) &&
           row.l2.Matches(caches.l2.level2cs);
}

void DecodeAmdBrand(uint16_t extbrand, ProcessorNames& n) {
    const unsigned index = (extbrand >> 8) & 0xF;
    const unsigned nn = extbrand & 0xFF;
    for (const BrandRow& b : AmdBrandRows()) {
        if (b.index != index) continue;
        std::string name = b.append ? n.procname : std::string();
        name += b.prefix;
        if (b.mul != 0) name += std::to_string(b.mul * nn + b.add);
        name += b.suffix;
        n.procname = std::move(name);
        n.intprocn = b.intprocn;
        if (b.rating) n.modelrating = std::to_string(nn + 22) + "00+";
        Assign(n.platform, b.platform);
        return;
    }
}

}  // namespace
}  // namespace ident

ProcessorNames IdentifyProcessor(const CpuidData& cpu, CacheInfo& caches) {
    using namespace ident;
    ProcessorNames n;

    const VendorTree* tree = nullptr;
    for (const VendorTree& t : VendorTrees()) {
        if (cpu.vendorst == t.vendor) {
            tree = &t;
            break;
        }
    }

    if (tree != nullptr) {
        const std::span<const NameRow> rows = tree->rows();
        for (const NameRow& row : rows) {
            if (row.level == Level::kFamily && row.family == cpu.stfamily) Apply(row, cpu, n, caches);
        }

        // The tables know only processors whose extended family and model are
        // 0. Later processors reuse the base numbers (a Zen is base family 15,
        // a Core of extended model 5 base model 5 is not a Deschutes); they
        // keep the family header and get no name rather than a wrong one.
        const bool table_era = cpu.sefamily == 0 && cpu.se_model == 0;
        if (table_era) {
            for (const NameRow& row : rows) {
                if (ModelRowMatches(row, cpu, caches)) Apply(row, cpu, n, caches);
            }
            if (tree->tree == Tree::kAmd && cpu.stfamily == 15) DecodeAmdBrand(cpu.extbrand, n);
        }

        if (tree->tree == Tree::kIntel && n.intprocn == product_line::kPentium4 && caches.l3.islevel3) {
            n.intprocn = product_line::kPentium4Extreme;
            n.corecode = "Gallatin";
            n.procname = "Intel Pentium-IV Extreme Edition Processor";
        }
    }

    // Processors after the tables, and the few of their era they left unnamed.
    n.named_by_tables = ident::NamedByTables(cpu, n);
    ident::IdentifyLater(cpu, n);
    ident::ApplyRunNotes(cpu, n);

    if (caches.l2.level2cs == 0) caches.l2.islevel2 = false;
    return n;
}

}  // namespace kest
