// The clock measurement's operating-system side on Linux: real-time
// scheduling where permitted, nanosleep, RDTSC and the monotonic clock.
#include <pthread.h>
#include <sched.h>
#include <sys/prctl.h>
#include <time.h>

#include <cerrno>

#include "cpu/clock.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <x86intrin.h>
#define KEST_HAVE_TSC 1
#endif

namespace kest {
namespace {

// RDTSC works when CPUID leaf 1 reports the counter (EDX bit 4) and the
// kernel has not been told to fault it for this process (PR_SET_TSC).
bool TscUsable() {
#ifdef KEST_HAVE_TSC
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    // __get_cpuid fails on processors without CPUID or without leaf 1.
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return false;
    if (!(edx & (1u << 4))) return false;
#ifdef PR_GET_TSC
    int mode = 0;
    if (prctl(PR_GET_TSC, &mode, 0, 0, 0) == 0 && mode == PR_TSC_SIGSEGV) return false;
#endif
    return true;
#else
    return false;
#endif
}

class LinuxClockPlatform final : public ClockPlatform {
public:
    // The raw monotonic clock is not slewed by time synchronisation, so an
    // adjustment during the half second cannot bend the measurement.
    LinuxClockPlatform() : tsc_usable_(TscUsable()) {
        timespec ts;
        clock_ = clock_gettime(CLOCK_MONOTONIC_RAW, &ts) == 0 ? CLOCK_MONOTONIC_RAW : CLOCK_MONOTONIC;
    }

    ~LinuxClockPlatform() override { RestorePriority(); }

    void RaisePriority() override {
        if (raised_) return;
        const pthread_t self = pthread_self();
        if (pthread_getschedparam(self, &old_policy_, &old_param_) != 0) return;
        sched_param fifo{};
        fifo.sched_priority = sched_get_priority_max(SCHED_FIFO);
        if (fifo.sched_priority < 0) return;
        // Without CAP_SYS_NICE or an RLIMIT_RTPRIO allowance this fails with
        // EPERM; the measurement then runs at normal priority.
        raised_ = pthread_setschedparam(self, SCHED_FIFO, &fifo) == 0;
    }

    void RestorePriority() override {
        if (!raised_) return;
        pthread_setschedparam(pthread_self(), old_policy_, &old_param_);
        raised_ = false;
    }

    void SleepMs(unsigned ms) override {
        timespec req{time_t(ms / 1000), long(ms % 1000) * 1000000L};
        timespec rem{};
        while (nanosleep(&req, &rem) != 0 && errno == EINTR) req = rem;
    }

    std::optional<uint64_t> ReadTsc() override {
#ifdef KEST_HAVE_TSC
        if (tsc_usable_) return uint64_t(__rdtsc());
#endif
        return std::nullopt;
    }

    uint64_t MonotonicNs() override {
        timespec ts{};
        clock_gettime(clock_, &ts);
        return uint64_t(ts.tv_sec) * 1000000000ull + uint64_t(ts.tv_nsec);
    }

private:
    bool tsc_usable_;
    clockid_t clock_ = CLOCK_MONOTONIC;
    bool raised_ = false;
    int old_policy_ = SCHED_OTHER;
    sched_param old_param_{};
};

}  // namespace

std::unique_ptr<ClockPlatform> MakeLiveClockPlatform() { return std::make_unique<LinuxClockPlatform>(); }

}  // namespace kest
