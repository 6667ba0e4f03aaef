// The throughput graph's pictures, pixel by pixel where it matters. Needs
// the QGuiApplication (or QApplication) the test program's main creates.
#include <gtest/gtest.h>

#include <memory>

#include "ui/throughput_graph.h"

namespace kest {
namespace {

uint32_t Px(const QImage& im, int x, int y) { return im.pixel(x, y) & 0xFFFFFF; }

TEST(ThroughputGraph, EmptyPictureHasFrameAndGridButNoMiddleLine) {
    const QImage g = DrawEmptyThroughputGraph();
    ASSERT_EQ(g.size(), QSize(2048, 175));
    EXPECT_EQ(Px(g, 0, 100), 0xFFFFFFu);     // frame, left
    EXPECT_EQ(Px(g, 2047, 100), 0xFFFFFFu);  // frame, right
    EXPECT_EQ(Px(g, 500, 174), 0xFFFFFFu);   // frame, bottom
    EXPECT_EQ(Px(g, 32, 50), 0xFFFFFFu);     // grid every 32 pixels
    EXPECT_EQ(Px(g, 2016, 50), 0xFFFFFFu);
    EXPECT_EQ(Px(g, 33, 50), 0x000000u);
    EXPECT_EQ(Px(g, 33, 92), 0x000000u);     // no green line
}

TEST(ThroughputGraph, RunPictureHasTheCurvesOfTheTestsThatRan) {
    auto st = std::make_unique<ThroughputState>();
    for (int r = 1; r <= kTpRows; ++r) {
        st->graph_y[r][kTestCopy] = 5;
        st->graph_y[r][kTestRead] = 50;
        st->graph_y[r][kTestWrite] = 130;
    }
    st->ran = {true, true, false};
    const QImage g = DrawThroughputGraph(*st);
    EXPECT_EQ(Px(g, 33, 92), 0x00FF00u);   // green middle line y = 175 div 2 + 5
    EXPECT_EQ(Px(g, 101, 5), 0xFF0000u);   // copy red
    EXPECT_EQ(Px(g, 101, 50), 0x00FFFFu);  // read aqua
    EXPECT_EQ(Px(g, 101, 130), 0x000000u); // write did not run
    st->ran = {false, false, true};
    EXPECT_EQ(Px(DrawThroughputGraph(*st), 101, 130), 0xFFFF00u);  // write yellow
    EXPECT_EQ(Px(DrawThroughputGraph(*st), 101, 5), 0x000000u);
}

TEST(ThroughputGraph, RowRIsDrawnAtXTwiceR) {
    auto st = std::make_unique<ThroughputState>();
    for (int r = 1; r <= kTpRows; ++r) st->graph_y[r][kTestCopy] = 160;
    st->graph_y[300][kTestCopy] = 20;  // one peak: row 300 at x = 600
    st->graph_y[1][kTestCopy] = 100;   // the curve starts at (1, graph_y[1])
    st->ran = {true, false, false};
    const QImage g = DrawThroughputGraph(*st);
    EXPECT_EQ(Px(g, 600, 20), 0xFF0000u);
    EXPECT_EQ(Px(g, 599, 20), 0x000000u);
    EXPECT_EQ(Px(g, 598, 160), 0xFF0000u);
    EXPECT_EQ(Px(g, 602, 160), 0xFF0000u);
    EXPECT_EQ(Px(g, 300, 20), 0x000000u);  // not at x = r
    EXPECT_EQ(Px(g, 1, 100), 0xFF0000u);
    EXPECT_EQ(Px(g, 2, 100), 0xFF0000u);   // row 1 keeps graph_y[1]
    EXPECT_EQ(Px(g, 2046, 160), 0xFF0000u);
    EXPECT_EQ(Px(g, 2047, 160), 0xFF0000u);  // the curves lie over the frame
}

TEST(ThroughputGraph, ScaleStripIsWhiteOnBlack) {
    const QImage s = DrawScaleStrip();
    ASSERT_EQ(s.size(), QSize(2048, 17));
    int white_near_label = 0, white_between = 0;
    for (int y = 0; y < 17; ++y) {
        for (int x = 24; x <= 40; ++x) white_near_label += Px(s, x, y) != 0;  // "64" around x = 32
        for (int x = 44; x <= 50; ++x) white_between += Px(s, x, y) != 0;
    }
    EXPECT_GT(white_near_label, 5);
    EXPECT_EQ(white_between, 0);
}

}  // namespace
}  // namespace kest
