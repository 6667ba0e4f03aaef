// The clock measured beside the window: a thread of its own measures, the
// window's thread shows what it measured and runs what waited for it.
#include "view/main_model.h"

namespace kest {

MainWindowModel::~MainWindowModel() { EndClockThread(); }

// Before the first measurement: no clock, multiplier, bus clock or rating,
// an empty bar without its scale.
void MainWindowModel::ShowClockUnmeasured() {
    WindowState& s = state_;
    s[ctl::kLabelRat].colour = TextColour::Dimmed;
    for (ControlName n : {ctl::kPRating, ctl::kCspeed, ctl::kMult, ctl::kFspeed}) s[n].text.clear();
    s[ctl::kSpeedbar].position = 0;
    for (ControlName n : {ctl::kPb1, ctl::kPb2, ctl::kPb3}) s[n].visible = false;
}

void MainWindowModel::MeasureBeside(std::function<void()> ended) {
    clock_worker_ = std::make_unique<ClockWorker>(
        [this](ClockMethod method) { return seams_.measure_clock ? seams_.measure_clock(method) : ClockReading{}; },
        std::move(ended));
}

bool MainWindowModel::StartClock() {
    if (!clock_worker_ || clock_paused_) return false;
    return clock_worker_->Start(ClockMethodFor(cpu_, names_));
}

bool MainWindowModel::ClockEnded() {
    if (!clock_worker_) return false;
    const std::optional<ClockReading> reading = clock_worker_->Take();
    if (!reading) return false;
    ShowClock(*reading);
    RunClockJobs();
    return true;
}

void MainWindowModel::RunClockJobs() {
    std::vector<std::function<void()>> jobs;
    jobs.swap(clock_jobs_);
    for (auto& job : jobs) job();
}

void MainWindowModel::AfterFirstClock(std::function<void()> job) {
    if (clock_shown_ || !clock_worker_) {
        job();
        return;
    }
    clock_jobs_.push_back(std::move(job));
    if (!clock_worker_->Busy()) StartClock();
}

void MainWindowModel::FinishClock() {
    if (!clock_worker_) return;
    if (const std::optional<ClockReading> reading = clock_worker_->Wait()) {
        ShowClock(*reading);
        RunClockJobs();
    }
}

void MainWindowModel::PauseClock() {
    clock_paused_ = true;
    FinishClock();
}

void MainWindowModel::ResumeClock() {
    clock_paused_ = false;
    // Jobs may wait for a first measurement the pause kept from starting.
    if (!clock_jobs_.empty() && clock_worker_ && !clock_worker_->Busy()) StartClock();
}

void MainWindowModel::EndClockThread() {
    if (clock_worker_) clock_worker_->Stop();
}

}  // namespace kest
