// The measuring thread: started with the first request, it sleeps between
// requests and ends with Stop().
#include "cpu/clock_worker.h"

namespace kest {

ClockWorker::ClockWorker(Measure measure, std::function<void()> ended)
    : measure_(std::move(measure)), ended_(std::move(ended)) {}

ClockWorker::~ClockWorker() { Stop(); }

bool ClockWorker::Start(ClockMethod method) {
    std::lock_guard lock(mutex_);
    if (stopping_ || phase_ != Phase::Idle) return false;
    method_ = method;
    phase_ = Phase::Requested;
    if (!thread_.joinable()) thread_ = std::thread([this] { Loop(); });
    changed_.notify_all();
    return true;
}

bool ClockWorker::Busy() const {
    std::lock_guard lock(mutex_);
    return phase_ != Phase::Idle;
}

std::optional<ClockReading> ClockWorker::Take() {
    std::lock_guard lock(mutex_);
    if (phase_ != Phase::Done) return std::nullopt;
    phase_ = Phase::Idle;
    return reading_;
}

std::optional<ClockReading> ClockWorker::Wait() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return phase_ == Phase::Idle || phase_ == Phase::Done; });
    if (phase_ != Phase::Done) return std::nullopt;
    phase_ = Phase::Idle;
    return reading_;
}

void ClockWorker::Stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        changed_.notify_all();
    }
    if (thread_.joinable()) thread_.join();
}

void ClockWorker::Loop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || phase_ == Phase::Requested; });
        // A request not yet begun is dropped when stopping.
        if (stopping_) return;
        phase_ = Phase::Running;
        const ClockMethod method = method_;
        lock.unlock();
        ClockReading reading;
        try {
            reading = measure_(method);
        } catch (...) {
            reading = ClockReading{};  // a failed measurement reads as a clock of 0
        }
        lock.lock();
        reading_ = reading;
        phase_ = Phase::Done;
        changed_.notify_all();
        if (stopping_) return;
        lock.unlock();
        if (ended_) ended_();
        lock.lock();
    }
}

}  // namespace kest
