// The processor database record, written line by line: the layout
// (record/record_layout.h) in order, each line by its writer
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
    return RecordChecksum([&](int line) { return RecordLines()[static_cast<size_t>(line - 1)].number(in); });
}

std::string DatabaseRecord(const ReportInputs& in) {
    if (!in.window || !in.cpu || !in.caches) throw std::invalid_argument("record inputs incomplete");
    std::string out;
    for (size_t i = 0; i < RecordLines().size(); ++i) {
        const RecordLine& l = RecordLines()[i];
        out += kRecordFields[i].key;
        // A line break inside a value would split the record: keep it one
        // line, with no control byte in it.
        out += l.number ? std::to_string(l.number(in)) : PlainText(l.text(in));
        out += "\r\n";
    }
    return out;
}

}  // namespace kest
