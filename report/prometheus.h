// The processor's records as Prometheus metrics, in the text exposition
// format that node_exporter's textfile collector reads: base units (hertz,
// bytes), one HELP and TYPE line per metric, texts as labels of info metrics.
#pragma once

#include <string>
#include <string_view>

#include "report/records_json.h"

namespace kest {

// A label value as the format writes it between its double quotes: backslash,
// double quote and line feed escaped.
std::string PrometheusLabelValue(std::string_view utf8);

// Every metric of `records` that is known: sizes, counts and clocks of 0
// (unknown, or nothing read) are left out rather than written as 0.
std::string PrometheusText(const ProcessorRecords& records);

}  // namespace kest
