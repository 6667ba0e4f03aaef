// What a timed measurement needs from the machine: scheduling priority,
// sleeping, the time-stamp counter and a monotonic clock. The clock
// measurement and the throughput test both run over this seam; tests put a
// scripted machine in its place.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

namespace kest {

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

// The machine this program runs on (Linux).
std::unique_ptr<Machine> MakeLiveMachine();

}  // namespace kest
