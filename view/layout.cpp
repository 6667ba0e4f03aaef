#include "view/layout.h"

#include <array>
#include <stdexcept>
#include <string>

#include "view/main_model.h"
#include "view/product.h"

namespace kest {
namespace {

using K = ControlKind;
using A = TextAlign;

class Rows {
public:
    std::vector<ControlRow> rows;

    ControlRow& Add(ControlName name, ControlKind kind, ControlName parent, LayoutRect r, A align = A::Left) {
        ControlRow& row = rows.emplace_back(name, kind, parent, r);
        row.align = align;
        return row;
    }
    void Text(ControlName name, ControlName parent, LayoutRect r, std::string_view caption, A align = A::Left) {
        Add(name, K::Label, parent, r, align).caption = caption;
    }
    // A mask's caption is centred.
    ControlRow& Mask(ControlName name, ControlName parent, LayoutRect r, uint8_t flags) {
        ControlRow& row = Add(name, K::Mask, parent, r, A::Center);
        row.flags = flags;
        return row;
    }
    void Value(ControlName name, ControlName parent, LayoutRect r, A align = A::Left, uint8_t flags = 0) {
        Add(name, K::Value, parent, r, align).flags = flags;
    }
};

// Caption and value columns of the full-width rows of "CPU Information".
constexpr int cx = 4, cw = 82, vx = 88;

// Rows 1 to 4: vendor, name, rating, code name, platform and extended name.
void IdentityRows(Rows& t) {
    const ControlName p = ctl::kCpuGen;
    t.Add(ctl::kLabelVstring, K::Label, p, {cx, 3, cw, 17});
    t.Value(ctl::kVendor, p, {vx, 3, 435, 17});
    t.Add(ctl::kLabelCpuname, K::Label, p, {cx, 21, cw, 17});
    t.Value(ctl::kCpuname, p, {vx, 21, 266, 17});
    t.Add(ctl::kLabelRat, K::Label, p, {358, 21, 46, 17});
    t.Value(ctl::kPRating, p, {405, 21, 118, 17});
    t.Add(ctl::kLabelCore, K::Label, p, {cx, 39, cw, 17});
    t.Value(ctl::kCore, p, {vx, 39, 266, 17});
    t.Add(ctl::kLabelPlt, K::Label, p, {358, 39, 46, 17});
    t.Value(ctl::kPlt, p, {405, 39, 118, 17}, A::Left, kClickable);
    t.Add(ctl::kLabelExtname, K::Label, p, {cx, 57, cw, 17});
    t.Value(ctl::kCpuextname, p, {vx, 57, 435, 17});
}

// The logo pictures lie on top of each other in their box, at most one shown.
void LogoBox(Rows& t) {
    t.Add(ctl::kLogoBox, K::Panel, ctl::kCpuGen, {4, 80, 81, 81});
    for (uint16_t code : kLogoCodes) t.Add(LogoName(code), K::Picture, ctl::kLogoBox, {1, 1, 79, 79});
}

// Model information, cache sizes, additional values and instruction sets:
// four groups of four caption/value rows (the last of indicators).
void InfoGroups(Rows& t) {
    t.Add(ctl::kLabelMdlT, K::Group, ctl::kCpuGen, {89, 76, 120, 86});
    const ControlName mcap[] = {ctl::kLabelFam, ctl::kLabelModel, ctl::kLabelStp, ctl::kLabelBrand};
    const ControlName mstd[] = {ctl::kFam, ctl::kMdl, ctl::kStp, ctl::kBrand};
    const ControlName mext[] = {ctl::kEfam, ctl::kEmdl, ctl::kEstp, ctl::kEbrd};
    for (int i = 0; i < 4; ++i) {
        const int y = 16 + i * 17;
        t.Add(mcap[i], K::Label, ctl::kLabelMdlT, {5, y, 52, 16});
        // Family, model and brand explain themselves; the stepping does not.
        const uint8_t click = mstd[i] == ctl::kStp ? 0 : kClickable;
        t.Value(mstd[i], ctl::kLabelMdlT, {57, y, 28, 16}, A::Center, click);
        t.Value(mext[i], ctl::kLabelMdlT, {87, y, 29, 16}, A::Center);
    }

    t.Add(ctl::kLabelCachesT, K::Group, ctl::kCpuGen, {212, 76, 112, 86});
    const ControlName ccap[] = {ctl::kLabelL1i, ctl::kLabelL1d, ctl::kLabelL2, ctl::kLabelL3};
    const ControlName cval[] = {ctl::kL1is, ctl::kL1ds, ctl::kL2s, ctl::kL3s};
    for (int i = 0; i < 4; ++i) {
        t.Add(ccap[i], K::Label, ctl::kLabelCachesT, {5, 16 + i * 17, 50, 16});
        t.Value(cval[i], ctl::kLabelCachesT, {55, 16 + i * 17, 53, 16}, A::Center);
    }

    t.Add(ctl::kLabelAddT, K::Group, ctl::kCpuGen, {327, 76, 96, 86});
    const ControlName acap[] = {ctl::kLabelType, ctl::kLabelApic, ctl::kLabelCount, ctl::kLabelClfl};
    const ControlName aval[] = {ctl::kCtp, ctl::kApic, ctl::kLp, ctl::kFls};
    for (int i = 0; i < 4; ++i) {
        t.Add(acap[i], K::Label, ctl::kLabelAddT, {5, 16 + i * 17, 58, 16});
        t.Value(aval[i], ctl::kLabelAddT, {63, 16 + i * 17, 29, 16}, A::Center, kClickable);
    }

    t.Add(ctl::kLabelIsT, K::Group, ctl::kCpuGen, {426, 76, 97, 128});
    const ControlName iname[] = {ctl::kMmxSh, ctl::kEmmxSh, ctl::kA3dSh, ctl::kAe3dSh,
                                 ctl::kSseSh, ctl::kSse2Sh, ctl::kSse3Sh};
    const ControlName ilabel[] = {ctl::kLabelMmx, ctl::kLabelEmmx, ctl::kLabelA3d, ctl::kLabelAe3d,
                                  ctl::kLabelSse, ctl::kLabelSse2, ctl::kLabelSse3};
    const char* itext[] = {"MMX", "Ext. MMX", "3DNow!", "3DNow! Plus", "SSE", "SSE2", "SSE3"};
    for (int i = 0; i < 7; ++i) {
        t.Add(iname[i], K::Indicator, ctl::kLabelIsT, {6, 14 + i * 16, 16, 16});
        t.Text(ilabel[i], ctl::kLabelIsT, {25, 14 + i * 16, 70, 16}, itext[i]);
    }
}

// The help line, and the clock frame with its speed bar and scale.
void ClockFrame(Rows& t) {
    t.Value(ctl::kHlpstring, ctl::kCpuGen, {4, 165, 419, 17});
    const ControlName f = ctl::kClockFrame;
    t.Add(f, K::RaisedPanel, ctl::kCpuGen, {4, 185, 395, 52});
    t.Add(ctl::kLabelCspeed, K::Label, f, {4, 3, 62, 17});
    t.Value(ctl::kCspeed, f, {66, 3, 78, 17}, A::Center, kClickable);
    t.Add(ctl::kLabelFspeed, K::Label, f, {148, 3, 58, 17});
    t.Add(ctl::kBevelFspeed, K::Panel, f, {206, 3, 80, 17});
    t.Add(ctl::kFspeed, K::Label, f, {207, 4, 78, 15}, A::Center);
    t.Add(ctl::kLabelMult, K::Label, f, {290, 3, 56, 17});
    t.Add(ctl::kBevelMult, K::Panel, f, {346, 3, 44, 17});
    t.Add(ctl::kMult, K::Label, f, {347, 4, 42, 15}, A::Center);
    const LayoutRect bar{6, 23, 387, 11};
    t.Add(ctl::kSpeedbar, K::ProgressBar, f, bar);
    // Scale labels end at ticks at one third, two thirds and the end of the bar.
    const ControlName pbs[] = {ctl::kPb1, ctl::kPb2, ctl::kPb3};
    const ControlName ticks[] = {ctl::kPb1Tick, ctl::kPb2Tick, ctl::kPb3Tick};
    for (int i = 0; i < 3; ++i) {
        const int end = bar.x + bar.w * (i + 1) / 3;
        t.Add(pbs[i], K::Label, f, {end - 70, 35, 70, 14}, A::Right);
        t.Add(ticks[i], K::Tick, f, {end - 1, 34, 1, 3});
    }
}

// The technology group, the x86-64 level and the serial number row.
void LowerRows(Rows& t) {
    t.Add(ctl::kTechTitle, K::Group, ctl::kCpuGen, {401, 205, 124, 53});
    const ControlName tech[] = {ctl::kTech1, ctl::kTech2, ctl::kTech3};
    for (int i = 0; i < 3; ++i) t.Add(tech[i], K::Label, ctl::kTechTitle, {4, 13 + i * 13, 117, 13});
    t.Add(ctl::kLabelIsaLvl, K::Label, ctl::kCpuGen, {cx, 240, cw, 17});
    t.Value(ctl::kIsaLvl, ctl::kCpuGen, {vx, 240, 90, 17}, A::Center, kClickable);
    t.Add(ctl::kLabelSn, K::Label, ctl::kCpuGen, {cx, 260, 80, 17});
    t.Value(ctl::kSerialnumber, ctl::kCpuGen, {vx, 260, 336, 17});
    t.Add(ctl::kCheckBoxFullsn, K::CheckBox, ctl::kCpuGen, {430, 260, 90, 17});
}

// Three page buttons, the narrow toggle of the later words, and the panel of
// 32 indicator rows in two columns of 16.
void FlagsPage(Rows& t) {
    const ControlName names[] = {ctl::kBSff, ctl::kBAff, ctl::kBEff};
    for (int i = 0; i < 3; ++i) t.Add(names[i], K::Button, ctl::kCpuFlags, {4 + i * 166, 4, 164, 21});
    t.Add(ctl::kBLff, K::Button, ctl::kCpuFlags, {502, 4, 23, 21});
    t.Add(ctl::kSffP, K::Panel, ctl::kCpuFlags, {4, 28, 521, 246});
    for (int i = 0; i < 32; ++i) {
        const int x = 6 + i / 16 * 258, y = 4 + i % 16 * 15;
        t.Add(ctl::FeatureIndicator(i), K::Indicator, ctl::kSffP, {x, y, 16, 16});
        t.Add(ctl::FeatureLabel(i), K::Label, ctl::kSffP, {x + 20, y, 229, 16});
    }
}

// Three level buttons over the grid panel: two columns of three blocks, each
// a heading and rows of caption/value pairs (cells 1, 2 left; 3, 4 right).
void IntegratedCachePage(Rows& t) {
    const ControlName levels[] = {ctl::kL1, ctl::kL2, ctl::kL3};
    for (int i = 0; i < 3; ++i) t.Add(levels[i], K::Button, ctl::kIntCache, {4 + i * 172, 4, 170, 20});
    const LayoutRect pan{4, 27, 511, 215};
    t.Add(ctl::kCPan, K::Panel, ctl::kIntCache, pan);
    const int colx[2] = {4, 258};
    const int colw = 249;
    int y = 3;
    int block2 = 0;
    for (int b = 1; b <= 3; ++b) {
        if (b == 2) block2 = y;
        const int rows = b == 1 ? 4 : 2;
        for (int c = 0; c < 2; ++c)
            t.Add(ctl::CacheHead(c + 1, b), K::Label, ctl::kCPan, {colx[c], y, colw, 15}, A::Center).look =
                TextLook::Bold;
        for (int r = 1; r <= rows; ++r) {
            const int ry = y + 16 + (r - 1) * 16;
            for (int c = 0; c < 2; ++c) {
                t.Add(ctl::CacheCell(b, r, 2 * c + 1), K::Label, ctl::kCPan, {colx[c] + 4, ry, 110, 15});
                t.Value(ctl::CacheCell(b, r, 2 * c + 2), ctl::kCPan, {colx[c] + 116, ry, 128, 15});
            }
        }
        y += 16 + rows * 16 + 5;
    }
    // The right column of block 1 (the unified L2), and blocks 2 and 3.
    t.Mask(ctl::kL2MaskPanel, ctl::kCPan, {colx[1] - 2, 2, colw + 4, block2 - 5}, kFrameless | kCovers);
    t.Mask(ctl::kL3MaskPanel, ctl::kCPan, {2, block2 - 1, pan.w - 4, pan.h - block2 - 1}, kFrameless | kCovers);
}

// A caption column and three centred value columns, one row per record field.
void ExtendedCachePage(Rows& t) {
    const ControlName p = ctl::kECache;
    const int capx = 8, capw = 150, colw = 112, x0 = 164;
    t.Text(ctl::kLabelExtLevel, p, {capx, 6, capw, 16}, "Level");
    for (int l = 0; l < 3; ++l)
        t.Add(ctl::ExtCacheTitle(l + 1), K::Label, p, {x0 + l * (colw + 4), 6, colw, 16}, A::Center).look =
            TextLook::Bold;
    const ControlName caps[] = {ctl::kLabelExtLoc, ctl::kLabelExtOm,  ctl::kLabelExtStatus,
                                ctl::kLabelExtSock, ctl::kLabelExtCtp, ctl::kLabelExtEct,
                                ctl::kLabelExtSrt, ctl::kLabelExtCrt, ctl::kLabelExtSpd};
    const char* texts[] = {"Location",   "Operational mode",      "Status at boot time",
                           "Socketing",  "Cache type",            "Error correction type",
                           "Supported SRAM type", "Current SRAM type", "Cache speed"};
    for (int r = 0; r < 9; ++r) {
        const int y = 26 + r * 24;
        t.Text(caps[r], p, {capx, y, capw, 18}, texts[r]);
        for (int l = 0; l < 3; ++l)
            t.Value(ctl::ExtCacheRow(l + 1, ctl::kExtCacheRows[r]), p, {x0 + l * (colw + 4), y, colw, 18}, A::Center);
    }
    t.Mask(ctl::kPanelExtcMask, p, {0, 0, 519, 250}, kCovers);
}

// The graph's view (the picture scrolls inside it, the scale values stay at
// its right edge), the scroll bar, the test row, the hint and the legend,
// which lies over everything under the view.
void ThroughputPage(Rows& t) {
    const ControlName p = ctl::kMemory;
    constexpr int image_w = 2048, image_h = 175, strip_h = 17;  // the graph's pictures
    constexpr int view_x = 5, view_w = 509, view_h = image_h + strip_h;
    constexpr int scroll_y = view_h + 2, scroll_h = 14;
    constexpr int row_y = scroll_y + scroll_h + 3, hint_y = row_y + 21;
    t.Add(ctl::kGraphView, K::Area, p, {view_x, 0, view_w, view_h});
    t.Add(ctl::kGraphMt, K::Picture, ctl::kGraphView, {0, 0, image_w, image_h});
    t.Add(ctl::kGraphMtVals, K::Picture, ctl::kGraphView, {0, image_h, image_w, strip_h});
    for (const auto& [name, y] : {std::pair{ctl::kTopTp, 4}, std::pair{ctl::kMiddleTp, 78}})
        t.Add(name, K::Label, ctl::kGraphView, {view_w - 4 - 120, y, 120, 12}, A::Right).look = TextLook::Scale;
    t.Add(ctl::kMtbScroll, K::ScrollBar, p, {view_x, scroll_y, view_w, scroll_h});

    t.Add(ctl::kTstChLabel, K::Label, p, {view_x, row_y, 70, 17});
    int x = view_x + 70;
    for (ControlName n : {ctl::kCbRead, ctl::kCbWrite, ctl::kCbCopy}) {
        t.Add(n, K::CheckBox, p, {x, row_y, 56, 17});
        x += 58;
    }
    // Off runs the word test, on the vector loops.
    t.Add(ctl::kCbVector, K::CheckBox, p, {x, row_y, 62, 17});
    x += 64;
    t.Add(ctl::kTstRun, K::Button, p, {x + 6, row_y - 2, 90, 21});
    t.Add(ctl::kTestPb, K::ProgressBar, p, {x + 102, row_y + 2, view_x + view_w - (x + 102), 13});
    // The window fits both hint labels to their measured texts, the second
    // right after the first (HintPlacement); these are their widest extents.
    t.Text(ctl::kLabHint, p, {view_x, hint_y, 200, 14}, "Toggle legend On/Off: Left/Right click");
    t.Text(ctl::kLabHint2, p, {view_x + 202, hint_y, 200, 14}, "on diagram after performing test(s).");

    const ControlName lg = ctl::kPanelLegend;
    t.Add(lg, K::RaisedPanel, p, {view_x, view_h, view_w, 56}).flags = kCovers;
    const int head_y = 2, row_h = 13, row0 = 15;
    auto heading = [&](ControlName n, LayoutRect r, std::string_view text) {
        ControlRow& c = t.Add(n, K::Label, lg, r);
        c.caption = text;
        c.look = TextLook::Bold;
    };
    heading(ctl::kLabelLegBs, {6, head_y, 100, 13}, "Block size:");
    // The throughput and average headings name the run's width; the model
    // writes them.
    heading(ctl::kLegTpCaption, {196, head_y, 142, 13}, {});
    heading(ctl::kLegAvCaption, {344, head_y, 158, 13}, {});
    t.Add(ctl::kLegBsB, K::Panel, lg, {4, row0, 104, row_h});
    t.Add(ctl::kLegBsL1, K::Label, lg, {6, row0, 100, row_h}, A::Center);
    const std::string_view names[] = {"Read", "Write", "Copy"};
    for (int i = 0; i < 3; ++i) {
        const ctl::LegendRow& row = ctl::LegendRowControls(i);
        const int y = row0 + i * row_h;
        t.Add(row[1], K::Panel, lg, {114, y, row_h, row_h});  // frame of the key
        t.Add(row[0], K::Indicator, lg, {116, y + 2, row_h - 4, row_h - 4});
        t.Add(row[2], K::Panel, lg, {129, y, 60, row_h});  // frame of the name
        t.Add(row[3], K::Label, lg, {132, y, 56, row_h}).caption = names[i];
        t.Add(row[4], K::Panel, lg, {194, y, 144, row_h});
        t.Add(row[5], K::Label, lg, {196, y, 140, row_h}, A::Right);
        t.Add(row[6], K::Panel, lg, {342, y, 160, row_h});
        t.Add(row[7], K::Label, lg, {344, y, 156, row_h}, A::Right);
    }
}

// Three groups, each with the mask that covers it.
void OtherPage(Rows& t) {
    const ControlName p = ctl::kOthrInfo;
    t.Add(ctl::kEpmGroup, K::Group, p, {4, 4, 258, 128}).caption = "Enhanced Power Management Flags";
    const ControlName en[] = {ctl::kEpm1s, ctl::kEpm2s, ctl::kEpm3s, ctl::kEpm4s, ctl::kEpm5s, ctl::kEpm6s};
    const ControlName el[] = {ctl::kLabelEpm1, ctl::kLabelEpm2, ctl::kLabelEpm3,
                              ctl::kLabelEpm4, ctl::kLabelEpm5, ctl::kLabelEpm6};
    const char* et[] = {"Temperature Sensor", "Frequency ID Control", "Voltage ID Control", "Thermal Trip",
                        "Thermal Monitoring", "Software Thermal Control"};
    for (int i = 0; i < 6; ++i) {
        t.Add(en[i], K::Indicator, ctl::kEpmGroup, {10, 20 + i * 17, 16, 16});
        t.Text(el[i], ctl::kEpmGroup, {32, 20 + i * 17, 220, 16}, et[i]);
    }
    t.Mask(ctl::kEpmMaskPanel, ctl::kEpmGroup, {3, 16, 252, 109}, kCovers);

    t.Add(ctl::kAsGroup, K::Group, p, {266, 4, 259, 128}).caption = "Address Size";
    t.Text(ctl::kLabelAsP, ctl::kAsGroup, {10, 28, 100, 18}, "Physical address");
    t.Value(ctl::kAsP, ctl::kAsGroup, {112, 28, 138, 18}, A::Center);
    t.Text(ctl::kLabelAsV, ctl::kAsGroup, {10, 60, 100, 18}, "Virtual address");
    t.Value(ctl::kAsV, ctl::kAsGroup, {112, 60, 138, 18}, A::Center);
    t.Mask(ctl::kAsMaskPanel, ctl::kAsGroup, {3, 16, 253, 109}, kCovers);

    t.Add(ctl::kDmiGroup, K::Group, p, {4, 136, 521, 110}).caption = "DMI CPU Information (may be incorrect)";
    const ControlName dn[] = {ctl::kDmiCur, ctl::kDmiMax, ctl::kDmiStatus};
    const ControlName dl[] = {ctl::kLabelDmiCur, ctl::kLabelDmiMax, ctl::kLabelDmiStatus};
    const char* dt[] = {"CPU Current speed", "CPU Max Speed", "CPU Status"};
    for (int i = 0; i < 3; ++i) {
        t.Text(dl[i], ctl::kDmiGroup, {10, 22 + i * 26, 140, 18}, dt[i]);
        t.Value(dn[i], ctl::kDmiGroup, {156, 22 + i * 26, 200, 18}, A::Center);
    }
    t.Mask(ctl::kDmiMaskPanel, ctl::kDmiGroup, {3, 16, 515, 91}, kCovers);
}

// Centred lines: the product name, its version, the credits, the links and
// the signature.
void AboutPage(Rows& t) {
    const ControlName p = ctl::kAbout;
    auto line = [&](ControlName n, ControlKind kind, int y, int h = 16) -> ControlRow& {
        return t.Add(n, kind, p, {4, y, 521, h}, A::Center);
    };
    line(ctl::kAboutName, K::Label, 12, 34).look = TextLook::Title;
    line(ctl::kAboutVersion, K::Label, 48);
    line(ctl::kAboutPurpose, K::Label, 82).caption =
        "CPU identification, caches, feature flags and clock of this machine.";
    line(ctl::kAboutTools, K::Label, 100).caption = kWrittenWith;
    line(ctl::kAboutContact, K::Label, 130).caption = "Questions and reports:";
    line(ctl::kQeltMail, K::Link, 148);
    line(ctl::kVormMail, K::Link, 166);
    line(ctl::kOffCUrl, K::Link, 196);
    line(ctl::kAboutSignature, K::Label, 250);
}

// The raised strip under the pages and its four buttons.
void ButtonBar(Rows& t) {
    t.Add(ctl::kButtonStrip, K::RaisedPanel, ctl::kMain, {2, 307, 532, 27});
    const std::pair<ControlName, std::string_view> buttons[] = {{ctl::kButtonRefresh, "Reset application"},
                                                                {ctl::kButtonSnap, "Save snapshot as bitmap"},
                                                                {ctl::kDbase, "Database operations"},
                                                                {ctl::kButtonClose, "Close application"}};
    // On the window, not on the strip: their places are the window's.
    for (int i = 0; i < 4; ++i)
        t.Add(buttons[i].first, K::Button, ctl::kMain, {6 + i * 79, 311, 75, 19}).hint = buttons[i].second;
}

// The pages' client areas inside their page controls, as the tab bars leave them.
constexpr LayoutRect kMainPage{2, 23, 529, 278};
constexpr LayoutRect kCachePage{2, 23, 519, 248};

std::vector<ControlRow> BuildLayout() {
    Rows t;
    t.Add(ctl::kMain, K::Window, ctl::kMain, {212, 169, 536, 336});
    t.Add(ctl::kMainPageControl, K::Tabs, ctl::kMain, {2, 2, 533, 303});
    for (ControlName page : {ctl::kCpuGen, ctl::kCpuFlags, ctl::kCacheI, ctl::kOthrInfo, ctl::kAbout})
        t.Add(page, K::Page, ctl::kMainPageControl, kMainPage);
    IdentityRows(t);
    LogoBox(t);
    InfoGroups(t);
    ClockFrame(t);
    LowerRows(t);
    FlagsPage(t);
    t.Add(ctl::kCacheControl, K::Tabs, ctl::kCacheI, {2, 2, 523, 273});
    for (ControlName page : {ctl::kIntCache, ctl::kECache, ctl::kMemory})
        t.Add(page, K::Page, ctl::kCacheControl, kCachePage);
    IntegratedCachePage(t);
    ExtendedCachePage(t);
    ThroughputPage(t);
    OtherPage(t);
    AboutPage(t);
    ButtonBar(t);
    return t.rows;
}

}  // namespace

std::span<const ControlRow> MainLayout() {
    static const std::vector<ControlRow> rows = BuildLayout();
    return rows;
}

const ControlRow* LayoutRow(ControlName name) {
    for (const ControlRow& r : MainLayout())
        if (r.name == name) return &r;
    return nullptr;
}

std::pair<LayoutRect, LayoutRect> HintPlacement(int first_text_w, int second_text_w) {
    LayoutRect first = LayoutRow(ctl::kLabHint)->rect;
    first.w = first_text_w + 2;
    LayoutRect second = first;
    second.x = first.Right() + 2;
    second.w = second_text_w + 2;
    return {first, second};
}

LayoutRect ClientRect(const ControlRow& row) {
    LayoutRect r = row.rect;
    for (const ControlRow* p = &row; p->kind != ControlKind::Window;) {
        p = LayoutRow(p->parent);
        if (!p) throw std::logic_error("a layout row's parent has no row");
        if (p->kind == ControlKind::Window) break;
        r.x += p->rect.x;
        r.y += p->rect.y;
    }
    return r;
}

}  // namespace kest
