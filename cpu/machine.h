// What a timed measurement needs from the machine: scheduling priority,
// sleeping, the time-stamp counter and a monotonic clock. The clock
// measurement and the throughput test both run over this seam; tests put a
// scripted machine in its place.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

namespace kest {

// What decides how wide the throughput test's vector loads and stores may
// be: the processor's CPUID bits and the register state the operating
// system saves (XCR0). All zero where they cannot be read.
struct VectorSupport {
    uint32_t leaf1_ecx = 0;  // OSXSAVE, AVX
    uint32_t leaf1_edx = 0;  // SSE2
    uint32_t leaf7_ebx = 0;  // AVX2, AVX512F
    uint64_t xcr0 = 0;       // read only when OSXSAVE says XGETBV works
};

// Reads VectorSupport with CPUID and XGETBV on the processor the thread
// runs on (the same on every operating system; what the system enabled
// shows in XCR0).
VectorSupport ReadVectorSupportHere();

class Machine {
public:
    virtual ~Machine() = default;
    // Raises scheduling priority as far as permitted; remembers the old one.
    virtual void RaisePriority() = 0;
    // Puts back what RaisePriority changed.
    virtual void RestorePriority() = 0;
    virtual void SleepMs(unsigned ms) = 0;
    // The time-stamp counter, or nothing where it cannot be read.
    virtual std::optional<uint64_t> ReadTsc() = 0;
    // Monotonic clock in nanoseconds.
    virtual uint64_t MonotonicNs() = 0;
    // Called between two short measurements at raised priority: where the
    // operating system stops a real-time thread once it has used up its
    // share of the processor, rests before that can happen inside the next
    // measurement. Does nothing where there is no such limit.
    virtual void RestBeforeThrottle() {}

    // Binds the calling thread to the logical processor it runs on and
    // returns that processor's number; -1 where the thread cannot be bound.
    virtual int PinToCurrentProcessor() { return -1; }
    // Gives the thread back the processors it was allowed before.
    virtual void Unpin() {}
    // Runs `adds` dependent register-register additions (a multiple of
    // kChainBlockAdds): one processor clock each, so timed against the
    // monotonic clock they give the clock of the core they run on. False,
    // having run nothing, where the machine has no such chain.
    virtual bool RunAddChain(uint64_t /*adds*/) { return false; }
    // Leaf 0x1A EAX read on the processor the thread runs on (bits 24-31:
    // the kind of core of a hybrid processor); 0 where there is no such leaf.
    virtual uint32_t CoreTypeLeaf() { return 0; }
    // The vector units and the register state the system saves for them;
    // all zero where unknown (no vector kernels are chosen then).
    virtual VectorSupport ReadVectorSupport() { return {}; }
};

// The add chain is run in blocks of this many additions.
inline constexpr uint64_t kChainBlockAdds = 64;

// Keeps the thread on one logical processor for exactly one scope.
class PinnedThread {
public:
    explicit PinnedThread(Machine& m) : m_(m), processor_(m.PinToCurrentProcessor()) {}
    ~PinnedThread() { m_.Unpin(); }
    PinnedThread(const PinnedThread&) = delete;
    PinnedThread& operator=(const PinnedThread&) = delete;
    int Processor() const { return processor_; }

private:
    Machine& m_;
    int processor_;
};

// Keeps the raised priority for exactly one scope, whatever way it is left.
class RaisedPriority {
public:
    explicit RaisedPriority(Machine& m) : m_(m) { m_.RaisePriority(); }
    ~RaisedPriority() { m_.RestorePriority(); }
    RaisedPriority(const RaisedPriority&) = delete;
    RaisedPriority& operator=(const RaisedPriority&) = delete;

private:
    Machine& m_;
};

// The machine this program runs on (machine_linux.cpp, machine_windows.cpp).
std::unique_ptr<Machine> MakeLiveMachine();

}  // namespace kest
