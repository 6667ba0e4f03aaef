// The throughput test's view of Linux: scheduling priority, sleeping, the
// time-stamp counter, the 32 MB block and the random source.
#include <sched.h>
#include <sys/resource.h>
#include <time.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

#include "bench/kernels.h"
#include "bench/throughput.h"

namespace kest {
namespace {

class LiveThroughputPlatform final : public ThroughputPlatform {
public:
    void RaisePriority() override {
        // The real-time class for this thread when permitted (root or
        // CAP_SYS_NICE), else the lowest nice value permitted, else nothing.
        saved_policy_ = sched_getscheduler(0);
        have_param_ = sched_getparam(0, &saved_param_) == 0;
        sched_param top{};
        top.sched_priority = sched_get_priority_max(SCHED_FIFO);
        realtime_ = saved_policy_ >= 0 && have_param_ && sched_setscheduler(0, SCHED_FIFO, &top) == 0;
        if (realtime_) ReadRealtimeBudget();
        busy_since_ = NowNs();
        errno = 0;
        saved_nice_ = getpriority(PRIO_PROCESS, 0);
        have_nice_ = errno == 0;
        if (have_nice_) {
            for (int nice = -20; nice < saved_nice_; ++nice) {
                if (setpriority(PRIO_PROCESS, 0, nice) == 0) break;
            }
        }
    }

    void RestorePriority() override {
        if (realtime_) sched_setscheduler(0, saved_policy_, &saved_param_);
        realtime_ = false;
        if (have_nice_) setpriority(PRIO_PROCESS, 0, saved_nice_);
        have_nice_ = false;
    }

    void SleepMs(unsigned ms) override {
        timespec ts{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
        while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
        }
    }

    uint64_t ReadTsc() override { return kest_read_tsc(); }

    uint32_t* Allocate(size_t bytes) override {
        void* p = std::aligned_alloc(4096, (bytes + 4095) / 4096 * 4096);
        if (!p) return nullptr;
        // Write every page once: an untouched block would be backed by the
        // kernel's shared zero page, and the read test would then never
        // leave the first-level cache whatever the block size.
        std::memset(p, 0, bytes);
        return static_cast<uint32_t*>(p);
    }

    void Free(uint32_t* block) override { std::free(block); }

    uint32_t Random() override { return static_cast<uint32_t>(random_()); }

    uint64_t TimeKernel(ThroughputTest test, uint32_t* words, size_t n, uint32_t v) override {
        if (realtime_) RestIfDue();
        switch (test) {
            case kTestCopy: return kest_timed_copy(words, n);
            case kTestRead: return kest_timed_read(words, n);
            case kTestWrite: return kest_timed_write(words, n, v);
        }
        return 0;
    }

private:
    static uint64_t NowNs() {
        timespec ts{};
        clock_gettime(CLOCK_MONOTONIC, &ts);
        return static_cast<uint64_t>(ts.tv_sec) * 1000000000ull + static_cast<uint64_t>(ts.tv_nsec);
    }

    static long ReadLong(const char* path) {
        long v = -1;
        if (FILE* f = std::fopen(path, "r")) {
            if (std::fscanf(f, "%ld", &v) != 1) v = -1;
            std::fclose(f);
        }
        return v;
    }

    // Linux lets real-time threads use only sched_rt_runtime_us of every
    // sched_rt_period_us and then stops them for the rest of the period
    // (50 ms of every second by default). A stop inside a measurement would
    // count as a block fifty times slower than it is, so the run rests
    // between measurements before the budget runs out.
    void ReadRealtimeBudget() {
        const long runtime = ReadLong("/proc/sys/kernel/sched_rt_runtime_us");
        const long period = ReadLong("/proc/sys/kernel/sched_rt_period_us");
        if (runtime < 0 || period <= 0 || runtime >= period) {
            busy_limit_ns_ = 0;  // no limit
            return;
        }
        busy_limit_ns_ = static_cast<uint64_t>(runtime) * 1000 / 3;
        rest_ms_ = static_cast<unsigned>((period - runtime) / 1000 + 50);
    }

    void RestIfDue() {
        if (busy_limit_ns_ == 0) return;
        if (NowNs() - busy_since_ < busy_limit_ns_) return;
        SleepMs(rest_ms_);
        busy_since_ = NowNs();
    }

    uint64_t busy_limit_ns_ = 0;
    uint64_t busy_since_ = 0;
    unsigned rest_ms_ = 0;
    int saved_policy_ = -1;
    sched_param saved_param_{};
    bool have_param_ = false;
    bool realtime_ = false;
    int saved_nice_ = 0;
    bool have_nice_ = false;
    std::mt19937 random_{std::random_device{}()};
};

}  // namespace

std::unique_ptr<ThroughputPlatform> MakeLiveThroughputPlatform() {
    return std::make_unique<LiveThroughputPlatform>();
}

}  // namespace kest
