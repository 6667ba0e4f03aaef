// The machine seam on Windows: the process in REALTIME_PRIORITY_CLASS and the
// thread at THREAD_PRIORITY_TIME_CRITICAL while measuring (Windows grants
// HIGH_PRIORITY_CLASS instead to a user without the privilege), Sleep, RDTSC,
// QueryPerformanceCounter, the thread's group affinity and the add chain.
#include <windows.h>

#include "cpu/cpuid_bits.h"
#include "cpu/cpuid_source.h"
#include "cpu/machine.h"

namespace kest {
namespace {

// Each block is 64 dependent register-register additions (see the Linux
// side for why register to register).
void AddChain(uint64_t blocks) {
    unsigned acc = 0;
    const unsigned one = 1;
    for (uint64_t i = 0; i < blocks; ++i) {
        __asm__ volatile(".rept 64\n\tadd %1, %0\n\t.endr" : "+r"(acc) : "r"(one));
    }
}
static_assert(kChainBlockAdds == 64, "the chain's block holds 64 additions");

class WindowsMachine final : public Machine {
public:
    WindowsMachine() {
        auto cpuid = MakeLiveCpuidSource();
        if (cpuid->HasCpuid()) {
            max_leaf_ = cpuid->Query(0).eax;
            tsc_usable_ = max_leaf_ >= 1 && BitSet(cpuid->Query(1).edx, cpuid_bit::kTsc);
        }
        LARGE_INTEGER f;
        frequency_ = QueryPerformanceFrequency(&f) && f.QuadPart > 0 ? static_cast<uint64_t>(f.QuadPart) : 0;
    }

    ~WindowsMachine() override {
        RestorePriority();
        Unpin();
    }

    void RaisePriority() override {
        if (raised_) return;
        raised_ = true;
        saved_class_ = GetPriorityClass(GetCurrentProcess());
        saved_thread_ = GetThreadPriority(GetCurrentThread());
        if (saved_class_ != 0) SetPriorityClass(GetCurrentProcess(), REALTIME_PRIORITY_CLASS);
        if (saved_thread_ != THREAD_PRIORITY_ERROR_RETURN)
            SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    }

    void RestorePriority() override {
        if (!raised_) return;
        if (saved_thread_ != THREAD_PRIORITY_ERROR_RETURN) SetThreadPriority(GetCurrentThread(), saved_thread_);
        if (saved_class_ != 0) SetPriorityClass(GetCurrentProcess(), saved_class_);
        raised_ = false;
    }

    void SleepMs(unsigned ms) override { Sleep(ms); }

    std::optional<uint64_t> ReadTsc() override {
        if (!tsc_usable_) return std::nullopt;
        uint32_t lo = 0, hi = 0;
        __asm__ volatile("rdtsc" : "=a"(lo), "=d"(hi));
        return (uint64_t(hi) << 32) | lo;
    }

    uint64_t MonotonicNs() override {
        LARGE_INTEGER c;
        if (frequency_ == 0 || !QueryPerformanceCounter(&c)) return uint64_t(GetTickCount64()) * 1000000ull;
        const uint64_t ticks = static_cast<uint64_t>(c.QuadPart);
        return ticks / frequency_ * 1000000000ull + ticks % frequency_ * 1000000000ull / frequency_;
    }

    int PinToCurrentProcessor() override {
        if (pinned_) return processor_;
        PROCESSOR_NUMBER now{};
        GetCurrentProcessorNumberEx(&now);
        GROUP_AFFINITY one{};
        one.Group = now.Group;
        one.Mask = KAFFINITY(1) << now.Number;
        if (!SetThreadGroupAffinity(GetCurrentThread(), &one, &saved_affinity_)) return -1;
        pinned_ = true;
        processor_ = int(now.Group) * int(sizeof(KAFFINITY) * 8) + now.Number;
        return processor_;
    }

    void Unpin() override {
        if (!pinned_) return;
        SetThreadGroupAffinity(GetCurrentThread(), &saved_affinity_, nullptr);
        pinned_ = false;
    }

    bool RunAddChain(uint64_t adds) override {
        AddChain(adds / kChainBlockAdds);
        return true;
    }

    VectorSupport ReadVectorSupport() override { return ReadVectorSupportHere(); }

    uint32_t CoreTypeLeaf() override {
        // A leaf above the highest one returns another leaf's data.
        if (max_leaf_ < 0x1A) return 0;
        return MakeLiveCpuidSource()->Query(0x1A, 0).eax;
    }

private:
    bool tsc_usable_ = false;
    uint32_t max_leaf_ = 0;
    uint64_t frequency_ = 0;
    bool raised_ = false;
    DWORD saved_class_ = 0;
    int saved_thread_ = THREAD_PRIORITY_ERROR_RETURN;
    bool pinned_ = false;
    int processor_ = -1;
    GROUP_AFFINITY saved_affinity_{};
};

}  // namespace

std::unique_ptr<Machine> MakeLiveMachine() { return std::make_unique<WindowsMachine>(); }

}  // namespace kest
