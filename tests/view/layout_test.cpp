// The window's layout rows: each control once, inside its parent, and no
// two sibling controls on top of each other unless the layout means it.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>

#include "view/layout.h"
#include "view/main_model.h"

namespace kest {
namespace {

// Names in order, so that sets can hold them.
struct ByName {
    bool operator()(ControlName a, ControlName b) const { return a.View() < b.View(); }
    bool operator()(const std::pair<ControlName, ControlName>& a, const std::pair<ControlName, ControlName>& b) const {
        return std::pair(a.first.View(), a.second.View()) < std::pair(b.first.View(), b.second.View());
    }
};
using Names = std::set<ControlName, ByName>;
using Pairs = std::set<std::pair<ControlName, ControlName>, ByName>;

bool Overlap(const LayoutRect& a, const LayoutRect& b) {
    return a.x < b.Right() && b.x < a.Right() && a.y < b.Bottom() && b.y < a.Bottom();
}

bool Inside(const LayoutRect& r, const LayoutRect& parent) {
    return r.x >= 0 && r.y >= 0 && r.Right() <= parent.w && r.Bottom() <= parent.h;
}

// Controls that lie over their siblings on purpose: each mask blanks its
// group or page, the legend covers the rows under the graph.
const Names kCovering = {ctl::kL2MaskPanel,   ctl::kL3MaskPanel,  ctl::kPanelExtcMask,
                                         ctl::kEpmMaskPanel, ctl::kAsMaskPanel,  ctl::kDmiMaskPanel,
                                         ctl::kPanelLegend};

// Pairs that share pixels on purpose: a value drawn inside its own bevel,
// the legend's keys inside their frames, the scale values over the graph,
// each tick mark under the end of its scale label, the four buttons on
// their strip, and the feature rows, 15 pixels apart with 16-pixel squares,
// so that neighbouring squares share one outline row.
Pairs DeliberatePairs() {
    Pairs pairs = {
        {ctl::kBevelFspeed, ctl::kFspeed}, {ctl::kBevelMult, ctl::kMult},     {ctl::kLegBsB, ctl::kLegBsL1},
        {ctl::kGraphMt, ctl::kTopTp},      {ctl::kGraphMt, ctl::kMiddleTp},  {ctl::kPb1, ctl::kPb1Tick},
        {ctl::kPb2, ctl::kPb2Tick},        {ctl::kPb3, ctl::kPb3Tick}};
    for (ControlName b : {ctl::kButtonRefresh, ctl::kButtonSnap, ctl::kDbase, ctl::kButtonClose})
        pairs.insert({ctl::kButtonStrip, b});
    for (int bit = 0; bit < 31; ++bit) {
        if (bit == 15) continue;  // the left column ends
        pairs.insert({ctl::FeatureIndicator(bit), ctl::FeatureIndicator(bit + 1)});
        pairs.insert({ctl::FeatureLabel(bit), ctl::FeatureLabel(bit + 1)});
    }
    for (int i = 0; i < 3; ++i) {
        const ctl::LegendRow& row = ctl::LegendRowControls(i);
        pairs.insert({row[1], row[0]});  // key frame, key
        pairs.insert({row[2], row[3]});  // name frame, name
        pairs.insert({row[4], row[5]});  // throughput frame, value
        pairs.insert({row[6], row[7]});  // average frame, value
    }
    return pairs;
}

TEST(Layout, EveryControlOnceInsideItsParentAndSiblingsApart) {
    const auto rows = MainLayout();
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front().name, ctl::kMain);
    EXPECT_EQ(rows.front().rect, (LayoutRect{212, 169, 536, 336}));

    Names seen;
    for (const ControlRow& r : rows) {
        EXPECT_TRUE(seen.insert(r.name).second) << r.name << " has two rows";
        if (r.kind == ControlKind::Window) continue;
        // Parents come first, so that a window can build the rows in order.
        EXPECT_TRUE(seen.count(r.parent)) << r.name << " comes before its parent " << r.parent;
        const ControlRow* parent = LayoutRow(r.parent);
        ASSERT_NE(parent, nullptr) << r.name;
        EXPECT_EQ(r.kind == ControlKind::Page, parent->kind == ControlKind::Tabs) << r.name;
        EXPECT_GT(r.rect.w, 0) << r.name;
        EXPECT_GT(r.rect.h, 0) << r.name;
        // The graph's pictures are wider than their view: the scroll bar
        // moves them inside it. The unavailable-cache mask reaches two
        // pixels below its page, which hides its lower edge.
        if (r.name == ctl::kGraphMt || r.name == ctl::kGraphMtVals) {
            EXPECT_EQ(r.rect.x, 0);
            EXPECT_LE(r.rect.Bottom(), parent->rect.h) << r.name;
            continue;
        }
        if (r.name == ctl::kPanelExtcMask) {
            EXPECT_EQ(r.rect, (LayoutRect{0, 0, parent->rect.w, parent->rect.h + 2}));
            continue;
        }
        EXPECT_TRUE(Inside(r.rect, parent->rect))
            << r.name << " (" << r.rect.x << "," << r.rect.y << " " << r.rect.w << "x" << r.rect.h
            << ") lies outside " << r.parent << " (" << parent->rect.w << "x" << parent->rect.h << ")";
    }

    const auto pairs = DeliberatePairs();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (std::size_t j = i + 1; j < rows.size(); ++j) {
            const ControlRow& a = rows[i];
            const ControlRow& b = rows[j];
            if (a.parent != b.parent || a.kind == ControlKind::Window || !Overlap(a.rect, b.rect)) continue;
            if (a.kind == ControlKind::Page && b.kind == ControlKind::Page) continue;  // one shows at a time
            // The logos share their box; at most one is shown.
            if (a.kind == ControlKind::Picture && b.kind == ControlKind::Picture && a.parent == ctl::kLogoBox) continue;
            if (kCovering.count(a.name) || kCovering.count(b.name)) continue;
            EXPECT_TRUE(pairs.count({a.name, b.name})) << a.name << " and " << b.name << " overlap";
        }
    }
    // Every control of the window has a row but the popups and their
    // entries, the timer, the throughput page's handler object and the page
    // captions.
    Names no_row = {ctl::kSavePop, ctl::kDbasePop, ctl::kLffPop, ctl::kScreenshot1,
                                    ctl::kExtfile1, ctl::kHTMLfile1, ctl::kDatabasebrowser1,
                                    ctl::kAddtodatabase1, ctl::kRefrtimer, ctl::kThroughputPage};
    for (const LaterFeatureWord& w : LaterFeatureWords()) no_row.insert(w.action);
    for (std::string_view n : kControlNames) {
        const ControlName name = ControlName::Of(n);
        const bool caption = n.find(' ') != std::string_view::npos;
        EXPECT_EQ(LayoutRow(name) != nullptr, !caption && !no_row.count(name)) << n;
    }
}

TEST(Layout, ClientRectsAddTheParentsOffsets) {
    // The core speed: clock frame at (4,185) on a page whose client area
    // starts where its page control leaves it.
    const ControlRow& page = *LayoutRow(ctl::kCpuGen);
    const LayoutRect tabs = LayoutRow(ctl::kMainPageControl)->rect;
    const LayoutRect r = ClientRect(*LayoutRow(ctl::kCspeed));
    EXPECT_EQ(r, (LayoutRect{tabs.x + page.rect.x + 4 + 66, tabs.y + page.rect.y + 185 + 3, 78, 17}));
    EXPECT_EQ(ClientRect(*LayoutRow(ctl::kButtonClose)), (LayoutRect{243, 311, 75, 19}));
}

}  // namespace
}  // namespace kest
