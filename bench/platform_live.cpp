// The throughput test on this machine: the machine seam of cpu/ for
// priority, sleeping and the counter, plus the 32 MB block, the random
// source and the measuring loops.
#include <cstring>
#include <new>
#include <random>

#include "bench/kernels.h"
#include "bench/throughput.h"

namespace kest {
namespace {

constexpr std::align_val_t kPage{4096};

class LiveThroughputPlatform final : public ThroughputPlatform {
public:
    void RaisePriority() override { machine_->RaisePriority(); }
    void RestorePriority() override { machine_->RestorePriority(); }
    void SleepMs(unsigned ms) override { machine_->SleepMs(ms); }
    std::optional<uint64_t> ReadTsc() override { return machine_->ReadTsc(); }
    uint64_t MonotonicNs() override { return machine_->MonotonicNs(); }
    void RestBeforeThrottle() override { machine_->RestBeforeThrottle(); }

    uint32_t* Allocate(size_t bytes) override {
        void* p = ::operator new(bytes, kPage, std::nothrow);
        if (!p) return nullptr;
        // Write every page once: an untouched block would be backed by the
        // kernel's shared zero page, and the read test would then never
        // leave the first-level cache whatever the block size.
        std::memset(p, 0, bytes);
        return static_cast<uint32_t*>(p);
    }

    void Free(uint32_t* block) override { ::operator delete(block, kPage); }

    uint32_t Random() override { return static_cast<uint32_t>(random_()); }

    uint64_t TimeKernel(ThroughputTest test, uint32_t* words, size_t n, uint32_t v) override {
        machine_->RestBeforeThrottle();
        switch (test) {
            case kTestCopy: return kest_timed_copy(words, n);
            case kTestRead: return kest_timed_read(words, n);
            case kTestWrite: return kest_timed_write(words, n, v);
        }
        return 0;
    }

    uint64_t TimeVectorKernel(VectorWidth width, ThroughputTest test, uint32_t* block, size_t bytes, size_t reps,
                              uint32_t v) override {
        machine_->RestBeforeThrottle();
        const VectorKernels& k = KernelsFor(width);
        switch (test) {
            case kTestCopy: return k.copy(block, bytes, reps);
            case kTestRead: {
                uint32_t sum = 0;
                return k.read(block, bytes, reps, &sum);
            }
            case kTestWrite: return k.write(block, bytes, reps, v);
        }
        return 0;
    }

    VectorSupport ReadVectorSupport() override { return machine_->ReadVectorSupport(); }

private:
    std::unique_ptr<Machine> machine_ = MakeLiveMachine();
    std::mt19937 random_{std::random_device{}()};
};

}  // namespace

std::unique_ptr<ThroughputPlatform> MakeLiveThroughputPlatform() {
    return std::make_unique<LiveThroughputPlatform>();
}

}  // namespace kest
