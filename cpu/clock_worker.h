// Clock measurements on a thread of their own, so that the thread that asks
// for them never waits for the half second one takes. One measurement at a
// time: a request while one runs, or while its reading has not been taken,
// is refused.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "cpu/clock.h"

namespace kest {

class ClockWorker {
public:
    // `measure` runs on the worker thread and blocks for the measurement;
    // `ended` is called on the worker thread after each reading is ready to
    // be taken (it should only hand the news to the asking thread).
    using Measure = std::function<ClockReading(ClockMethod)>;
    ClockWorker(Measure measure, std::function<void()> ended);
    // Stop().
    ~ClockWorker();
    ClockWorker(const ClockWorker&) = delete;
    ClockWorker& operator=(const ClockWorker&) = delete;

    // Starts a measurement by `method`; false, starting nothing, while one
    // runs or its reading waits to be taken, and after Stop().
    bool Start(ClockMethod method);
    // True from Start until the reading has been taken.
    bool Busy() const;
    // The reading of the measurement that ended, once; nothing while one
    // runs or when none was started.
    std::optional<ClockReading> Take();
    // Waits until a running measurement has ended and takes its reading;
    // nothing when none was started or its reading was already taken.
    std::optional<ClockReading> Wait();
    // Waits for a running measurement to end (its reading is dropped), then
    // ends the thread; `ended` is not called for that measurement.
    void Stop();

private:
    enum class Phase { Idle, Requested, Running, Done };
    void Loop();

    Measure measure_;
    std::function<void()> ended_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    Phase phase_ = Phase::Idle;
    ClockMethod method_ = ClockMethod::kTsc;
    ClockReading reading_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace kest
