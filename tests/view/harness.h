// A window model over a hand-built processor, with the firmware tables, the
// clock and the current directory injected.
#pragma once

#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <vector>

#include "tests/view/processors.h"
#include "view/main_model.h"

namespace kest::test {

class TempDir {
public:
    TempDir() {
        // A new folder in the system's temporary folder (on every platform).
        const auto base = std::filesystem::temp_directory_path();
        std::random_device random;
        for (int i = 0;; ++i) {
            const auto p = base / ("kest_ui_" + std::to_string(random()));
            std::error_code ec;
            if (std::filesystem::create_directory(p, ec) || i > 1000) {
                const std::u8string text = p.generic_u8string();
                path_.assign(text.begin(), text.end());
                break;
            }
        }
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::string& Path() const { return path_; }
    void Touch(const std::string& name, const std::string& content = "") const;

private:
    std::string path_;
};

// A measurement that holds until the test opens the gate, and the news of
// its end, for the clock measured on a thread of its own.
class Gate {
public:
    // Called by the measurement: counts it, then waits for the gate.
    void Pass() {
        std::unique_lock l(m_);
        ++entered_;
        cv_.notify_all();
        cv_.wait(l, [this] { return open_; });
    }
    void Open() {
        std::lock_guard l(m_);
        open_ = true;
        cv_.notify_all();
    }
    // Called where the window would be told that a measurement ended.
    void Ended() {
        std::lock_guard l(m_);
        ++ended_;
        cv_.notify_all();
    }
    void WaitEntered(int n) {
        std::unique_lock l(m_);
        cv_.wait(l, [&] { return entered_ >= n; });
    }
    void WaitEnded(int n) {
        std::unique_lock l(m_);
        cv_.wait(l, [&] { return ended_ >= n; });
    }
    int Entered() {
        std::lock_guard l(m_);
        return entered_;
    }

private:
    std::mutex m_;
    std::condition_variable cv_;
    bool open_ = false;
    int entered_ = 0;
    int ended_ = 0;
};

struct Harness {
    explicit Harness(Processor proc) : p(std::move(proc)) {
        WindowSeams seams;
        seams.read_dmi = [this](DmiProcessorInfo& d) {
            ++dmi_reads;
            if (dmi_ok) {
                d = dmi;
            } else {
                d.dmiread = false;
                d.extclock = d.curspeed = 0;
            }
        };
        seams.measure_clock = [this](ClockMethod method) {
            if (gate) gate->Pass();
            methods.push_back(method);
            ClockReading r;
            r.coremhz = mhz;
            r.tscmhz = tscmhz;
            r.method = method;
            r.processor = processor;
            r.core_type_leaf = core_type_leaf;
            return r;
        };
        seams.find_in_current_dir = [this](const std::string& n) { return FindExactName(dir.Path(), n); };
        model = std::make_unique<MainWindowModel>(p.cpu, p.caches, p.names, globals, seams);
    }
    // Creates the window (its first population).
    Harness& Create() {
        model->FormCreate();
        return *this;
    }
    // Creates the window with its clock measured beside it, each measurement
    // holding at `g` until the test opens it.
    Harness& CreateBeside(Gate& g) {
        gate = &g;
        model->MeasureBeside([&g] { g.Ended(); });
        return Create();
    }
    const ControlState& operator[](ControlName name) { return model->State()[name]; }
    const std::string& Text(ControlName name) { return model->State()[name].text; }
    bool Dimmed(ControlName name) { return model->State()[name].colour == TextColour::Dimmed; }

    Processor p;
    WindowGlobals globals;
    DmiProcessorInfo dmi;
    bool dmi_ok = false;
    int dmi_reads = 0;
    double mhz = 2400.0;
    // What a measurement gives besides the core clock, and the methods the
    // model asked for, in order.
    double tscmhz = 2400.0;
    int processor = 0;
    uint32_t core_type_leaf = 0;
    std::vector<ClockMethod> methods;
    Gate* gate = nullptr;
    TempDir dir;
    std::unique_ptr<MainWindowModel> model;
};

}  // namespace kest::test
