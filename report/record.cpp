// The processor database record, written line by line from its layout table
// (report/record_layout.cpp).

#include <stdexcept>

#include "report/record_layout.h"
#include "report/report.h"

namespace kest {

uint64_t RecordChecksum(const CpuidData& cpu, const CacheInfo& caches, uint16_t intprocn) {
    ReportInputs in;
    in.cpu = &cpu;
    in.caches = &caches;
    in.intprocn = intprocn;
    uint64_t sum = 0;
    for (const RecordLineInfo& l : RecordLayout()) {
        if (!l.weight) continue;
        const uint64_t value = RecordLines()[static_cast<size_t>(l.line - 1)].number(in);
        sum += static_cast<uint32_t>(static_cast<uint32_t>(value) * l.weight);  // product modulo 2^32
    }
    return sum;
}

std::string DatabaseRecord(const ReportInputs& in) {
    if (!in.window || !in.cpu || !in.caches) throw std::invalid_argument("record inputs incomplete");
    std::string out;
    for (const RecordLine& l : RecordLines()) {
        out += l.key;
        // A line break inside a value would split the record: keep it one
        // line, with no control byte in it.
        out += l.number ? std::to_string(l.number(in)) : PlainText(l.text(in));
        out += "\r\n";
    }
    return out;
}

}  // namespace kest
