// A window model over a hand-built processor, with the firmware tables, the
// clock and the current directory injected.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/view/processors.h"
#include "view/main_model.h"

namespace kest::test {

class TempDir {
public:
    TempDir() {
        char tmpl[] = "/tmp/kest_ui_XXXXXX";
        path_ = mkdtemp(tmpl);
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
    TempDir dir;
    std::unique_ptr<MainWindowModel> model;
};

}  // namespace kest::test
