// The throughput graph as the window draws it: pixel sizes, scrolling and
// colours. Both windows (Qt and Win32) build the page from these.
#pragma once

#include <cstdint>

namespace kest {

inline constexpr int kGraphWidth = 2048;   // 2 pixels per measured row
inline constexpr int kGraphHeight = 175;
inline constexpr int kGraphTop = 5;        // y of the largest throughput
inline constexpr int kStripHeight = 17;    // block-size labels under the graph
inline constexpr int kScrollMax = 1539;
inline constexpr uint32_t kColourCopy = 0xFF0000;   // 0xRRGGBB: red
inline constexpr uint32_t kColourRead = 0x00FFFF;   // aqua
inline constexpr uint32_t kColourWrite = 0xFFFF00;  // yellow
inline constexpr uint32_t kColourMiddleLine = 0x00FF00;  // green
inline constexpr uint32_t kColourScaleText = 0x00FF00;   // lime: the scale labels

}  // namespace kest
