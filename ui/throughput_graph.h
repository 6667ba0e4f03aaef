// Pictures of the "Cache/Memory Throughput" page: the graph graph_mt
// (2048 x 175) and the block-size strip graph_mt_vals (2048 x 17) under it.
// Plain drawing functions: the page widgets only show the images.
#pragma once

#include <QColor>
#include <QImage>

#include "bench/throughput.h"
#include "view/throughput_graph_style.h"

namespace kest {

// The colour of a test's curve (and of its legend key).
QColor ThroughputColour(ThroughputTest test);

// Black image with a white frame and white vertical lines every 32 pixels
// (every 64 KB of block size); with `middle_line` also the green line at
// y = height div 2 + 5. The window's population shows it without the green
// line; a run draws it with.
QImage DrawThroughputBackground(bool middle_line, int width = kGraphWidth,
                                int height = kGraphHeight);

// The curves of `tests` from graph_y, in the order copy, read, write: row r
// at x = 2r, starting from (1, graph_y[1]).
void DrawThroughputCurves(QImage& image, const ThroughputState& st, const TestSet& tests);

// The picture after a run: background with the middle line and the curves
// of the tests that ran.
QImage DrawThroughputGraph(const ThroughputState& st);

// The empty picture of a freshly populated window (no middle line).
QImage DrawEmptyThroughputGraph();

// White labels on black every 32 pixels: 64, 128, ... 4032 (the block size
// in KB at that x), each centred on its grid line.
QImage DrawScaleStrip(int width = kGraphWidth, int height = kStripHeight);

}  // namespace kest
