#include "record/record_layout.h"

namespace kest {

const std::array<RecordLineInfo, kRecordLines>& RecordLayout() {
    static const std::array<RecordLineInfo, kRecordLines> layout = [] {
        std::array<RecordLineInfo, kRecordLines> a{};
        for (size_t i = 0; i < a.size(); ++i) {
            const int line = static_cast<int>(i) + 1;
            const RecordField& f = kRecordFields[i];
            a[i] = {line, f.key, f.name, f.covered ? static_cast<uint32_t>(line) : 0u};
        }
        return a;
    }();
    return layout;
}

}  // namespace kest
