// The processor database record's layout: 98 key=value lines between two
// markers, closed by a weighted checksum. One table says, for every line, its
// key, its unique name, whether the checksum covers it and how its value is
// made; the writer, the checksum and the reader all walk it. The layout is
// shared with every database file already written, so keys, order and number
// formats never change. Three TLB keys appear twice on purpose: the second
// line carries the entry count.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kest {

struct ReportInputs;

inline constexpr int kRecordLines = 98;

// One line of the record; exactly one of `number` and `text` is set.
struct RecordLine {
    std::string_view key;   // the text before the value ("procname=", "--Start ")
    std::string_view name;  // a name unique within the record ("procname", "l1itlbe2", "reserved_36")
    bool covered = false;   // summed into the checksum, weighted by the line number
    uint64_t (*number)(const ReportInputs&) = nullptr;  // written in decimal
    std::string (*text)(const ReportInputs&) = nullptr;
};

// Lines 1 to 98 in order (index 0 is line 1).
const std::array<RecordLine, kRecordLines>& RecordLines();

// One line of the layout as the reader sees it; `line` counts the start
// marker as 1.
struct RecordLineInfo {
    int line = 0;
    std::string_view key;
    std::string_view name;
    uint32_t weight = 0;  // checksum weight, 0 when the line is not covered
};
const std::array<RecordLineInfo, kRecordLines>& RecordLayout();

}  // namespace kest
