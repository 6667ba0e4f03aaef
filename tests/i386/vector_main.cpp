// The vector loops built for i386: the width chosen and what every width
// does to a block must be the same as in the 64-bit build.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/vector_kernels.h"

int main() {
    using namespace kest;
    const VectorWidth widest = ChooseVectorWidth(ReadVectorSupportHere());
    std::printf("width=%s", std::string(VectorWidthName(widest)).c_str());
    const size_t bytes = 4 * kVectorBlockStep, guard = 256;
    auto* all = static_cast<unsigned char*>(std::aligned_alloc(64, bytes + 2 * guard));
    unsigned char* block = all + guard;
    int bad = 0;
    for (VectorWidth w : WidthsUpTo(widest)) {
        const VectorKernels& k = KernelsFor(w);
        for (size_t i = 0; i < bytes + 2 * guard; ++i) all[i] = static_cast<unsigned char>(i * 13 + 5);
        uint32_t sum = 0;
        k.read(block, bytes, 3, &sum);
        k.copy(block, bytes, 2);
        const bool halves = std::memcmp(block, block + bytes / 2, bytes / 2) == 0;
        k.write(block, bytes / 2, 1, 0x5A5A5A5Au);
        size_t written = 0, guards = 0;
        for (size_t i = 0; i < bytes + 2 * guard; ++i) {
            const bool in = i >= guard && i < guard + bytes / 2;
            written += in && all[i] == 0x5A;
            guards += (i < guard || i >= guard + bytes) && all[i] != static_cast<unsigned char>(i * 13 + 5);
        }
        std::printf(" %s:sum=%08X,halves=%d,written=%zu,guards=%zu", std::string(VectorWidthName(w)).c_str(), sum,
                    halves, written, guards);
        bad += !halves || written != bytes / 2 || guards != 0;
    }
    std::printf("\n");
    std::free(all);
    return bad == 0 && widest != VectorWidth::None ? 0 : 1;
}
