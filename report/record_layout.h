// The writers of the processor database record: for every line of the
// layout (record/record_layout.h), in its order, how its value is made from
// what the window shows and what CPUID returned.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "record/record_layout.h"

namespace kest {

struct ReportInputs;

// The writer of one line; exactly one of `number` and `text` is set.
struct RecordLine {
    std::string_view name;  // the line it writes (RecordField::name)
    uint64_t (*number)(const ReportInputs&) = nullptr;  // written in decimal
    std::string (*text)(const ReportInputs&) = nullptr;
};

// Lines 1 to 98 in order (index 0 is line 1).
const std::array<RecordLine, kRecordLines>& RecordLines();

}  // namespace kest
