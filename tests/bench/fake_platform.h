// A scripted machine for the throughput run: the counter advances by what
// the test says, allocations can be refused, and every call is logged.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/throughput.h"

namespace kest::fakes {

class FakePlatform : public ThroughputPlatform {
public:
    // Counter ticks over the calibration sleep (before the correction).
    uint64_t sleep_ticks = 2000000025;
    // Ticks of one kernel run (before the correction); default: 2000 per
    // 4 KB, the same throughput for every block.
    std::function<uint64_t(ThroughputTest, size_t n, int pass)> kernel_ticks =
        [](ThroughputTest, size_t n, int) { return uint64_t{2000} * (n / 1024) + 25; };
    // Answers of the successive allocations (true = granted); granted once
    // the list is used up.
    std::deque<bool> grants;
    std::vector<std::string> log;
    std::vector<uint32_t> written_values;  // v handed to the write kernel
    bool raised = false;
    VectorSupport vector_support;  // what the width choice reads

    void RaisePriority() override {
        raised = true;
        log.push_back("raise");
    }
    void RestorePriority() override {
        raised = false;
        log.push_back("restore");
    }
    void SleepMs(unsigned ms) override {
        log.push_back("sleep " + std::to_string(ms));
        tsc_ += sleep_ticks;
    }
    std::optional<uint64_t> ReadTsc() override { return tsc_; }
    uint64_t MonotonicNs() override { return tsc_; }
    uint32_t* Allocate(size_t bytes) override {
        log.push_back("alloc " + std::to_string(bytes));
        bool ok = true;
        if (!grants.empty()) {
            ok = grants.front();
            grants.pop_front();
        }
        return ok ? block_ : nullptr;
    }
    void Free(uint32_t* block) override {
        if (block != block_) throw std::logic_error("freed a block never allocated");
        log.push_back("free");
    }
    VectorSupport ReadVectorSupport() override { return vector_support; }
    uint32_t Random() override { return random_ += 0x01010101; }
    uint64_t TimeKernel(ThroughputTest test, uint32_t* words, size_t n, uint32_t v) override {
        if (words != block_) throw std::logic_error("kernel not on the block");
        if (!raised) throw std::logic_error("kernel run at normal priority");
        if (test == kTestWrite) written_values.push_back(v);
        if (n == 1024) {  // the first block of a pass
            log.push_back("pass " + std::to_string(test));
            ++passes_[test];
        }
        return kernel_ticks(test, n, passes_[test] - 1);
    }

    // The vector loops: the width and reps of each run are logged once per
    // pass; the ticks are those of the word loop over the same block, reps
    // times.
    uint64_t TimeVectorKernel(VectorWidth width, ThroughputTest test, uint32_t* block, size_t bytes, size_t reps,
                              uint32_t v) override {
        if (bytes == 4096)
            log.push_back("vector " + std::string(VectorWidthName(width)) + " x" + std::to_string(reps));
        const uint64_t once = TimeKernel(test, block, bytes / 4, v) - 25;
        return once * reps + 25;
    }

private:
    uint64_t tsc_ = 1000;
    uint32_t block_[1]{};
    uint32_t random_ = 0;
    std::array<int, kTestCount> passes_{};
};

}  // namespace kest::fakes
