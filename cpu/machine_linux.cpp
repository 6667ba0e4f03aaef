// The machine seam on Linux: the real-time class where permitted (else the
// lowest nice value permitted), nanosleep, RDTSC, the raw monotonic clock,
// the thread's processor affinity and the add chain.
#include <sched.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <time.h>

#include <cerrno>
#include <cstdio>

#include "cpu/cpuid_bits.h"
#include "cpu/machine.h"

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
    if (!BitSet(edx, cpuid_bit::kTsc)) return false;
#ifdef PR_GET_TSC
    int mode = 0;
    if (prctl(PR_GET_TSC, &mode, 0, 0, 0) == 0 && mode == PR_TSC_SIGSEGV) return false;
#endif
    return true;
#else
    return false;
#endif
}

long ReadLong(const char* path) {
    long v = -1;
    if (FILE* f = std::fopen(path, "r")) {
        if (std::fscanf(f, "%ld", &v) != 1) v = -1;
        std::fclose(f);
    }
    return v;
}

#ifdef KEST_HAVE_TSC
// Each block is 64 additions of one register to another, every one waiting
// for the result of the one before: one clock each on every processor with
// a fixed-rate counter. Register to register on purpose: recent Intel cores
// fold additions of a constant into the register renaming, so a chain of
// those runs faster than one per clock. The loop counter's own work runs
// beside the chain and costs no clocks of its own.
void AddChain(uint64_t blocks) {
    unsigned long acc = 0;
    const unsigned long one = 1;
    for (uint64_t i = 0; i < blocks; ++i) {
        __asm__ volatile(".rept 64\n\tadd %1, %0\n\t.endr" : "+r"(acc) : "r"(one));
    }
}
static_assert(kChainBlockAdds == 64, "the chain's block holds 64 additions");
#endif

class LinuxMachine final : public Machine {
public:
    // The raw monotonic clock is not slewed by time synchronisation, so an
    // adjustment during a measurement cannot bend it.
    LinuxMachine() : tsc_usable_(TscUsable()) {
        timespec ts;
        clock_ = clock_gettime(CLOCK_MONOTONIC_RAW, &ts) == 0 ? CLOCK_MONOTONIC_RAW : CLOCK_MONOTONIC;
    }

    ~LinuxMachine() override {
        RestorePriority();
        Unpin();
    }

    void RaisePriority() override {
        if (raised_) return;
        raised_ = true;
        // The real-time class for this thread when permitted (root,
        // CAP_SYS_NICE or an RLIMIT_RTPRIO allowance; EPERM otherwise), and
        // in any case the lowest nice value permitted.
        saved_policy_ = sched_getscheduler(0);
        const bool have_param = sched_getparam(0, &saved_param_) == 0;
        sched_param top{};
        top.sched_priority = sched_get_priority_max(SCHED_FIFO);
        realtime_ = saved_policy_ >= 0 && have_param && top.sched_priority >= 0 &&
                    sched_setscheduler(0, SCHED_FIFO, &top) == 0;
        if (realtime_) ReadRealtimeBudget();
        busy_since_ = MonotonicNs();
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
        if (!raised_) return;
        if (realtime_) sched_setscheduler(0, saved_policy_, &saved_param_);
        realtime_ = false;
        if (have_nice_) setpriority(PRIO_PROCESS, 0, saved_nice_);
        have_nice_ = false;
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

    void RestBeforeThrottle() override {
        if (!realtime_ || busy_limit_ns_ == 0) return;
        if (MonotonicNs() - busy_since_ < busy_limit_ns_) return;
        SleepMs(rest_ms_);
        busy_since_ = MonotonicNs();
    }

    int PinToCurrentProcessor() override {
        if (pinned_) return processor_;
        if (sched_getaffinity(0, sizeof saved_affinity_, &saved_affinity_) != 0) return -1;
        const int cpu = sched_getcpu();
        if (cpu < 0 || cpu >= CPU_SETSIZE) return -1;
        cpu_set_t one;
        CPU_ZERO(&one);
        CPU_SET(cpu, &one);
        if (sched_setaffinity(0, sizeof one, &one) != 0) return -1;
        pinned_ = true;
        processor_ = cpu;
        return cpu;
    }

    void Unpin() override {
        if (!pinned_) return;
        sched_setaffinity(0, sizeof saved_affinity_, &saved_affinity_);
        pinned_ = false;
    }

    bool RunAddChain(uint64_t adds) override {
#ifdef KEST_HAVE_TSC
        AddChain(adds / kChainBlockAdds);
        return true;
#else
        (void)adds;
        return false;
#endif
    }

    VectorSupport ReadVectorSupport() override { return ReadVectorSupportHere(); }

    uint32_t CoreTypeLeaf() override {
#ifdef KEST_HAVE_TSC
        // A leaf above the highest one returns another leaf's data.
        if (__get_cpuid_max(0, nullptr) < 0x1A) return 0;
        unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
        __cpuid_count(0x1A, 0, eax, ebx, ecx, edx);
        return eax;
#else
        return 0;
#endif
    }

private:
    // Linux lets real-time threads use only sched_rt_runtime_us of every
    // sched_rt_period_us and then stops them for the rest of the period
    // (50 ms of every second by default). A stop inside a measurement would
    // count as a block fifty times slower than it is, so a run rests between
    // measurements after a third of the allowance.
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

    bool tsc_usable_;
    clockid_t clock_ = CLOCK_MONOTONIC;
    bool raised_ = false;
    int saved_policy_ = -1;
    sched_param saved_param_{};
    bool realtime_ = false;
    int saved_nice_ = 0;
    bool have_nice_ = false;
    uint64_t busy_limit_ns_ = 0;
    uint64_t busy_since_ = 0;
    unsigned rest_ms_ = 0;
    bool pinned_ = false;
    int processor_ = -1;
    cpu_set_t saved_affinity_{};
};

}  // namespace

std::unique_ptr<Machine> MakeLiveMachine() { return std::make_unique<LinuxMachine>(); }

}  // namespace kest
