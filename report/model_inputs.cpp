#include "report/model_inputs.h"

#include <stdexcept>

#include "record/database.h"

namespace kest {

ReportInputs ReportInputsFor(MainWindowModel& model, std::string date, std::string time) {
    ReportInputs in;
    in.window = &model.State();
    in.cpu = &model.Cpu();
    in.caches = &model.Caches();
    in.intprocn = model.Names().intprocn;
    in.std1_names = &StandardPage1Names();
    in.std2_names = &StandardPage2Names();
    in.ext_names = &ExtendedNames();
    in.memtestr = model.Globals().memtestr;
    in.date = std::move(date);
    in.time = std::move(time);
    return in;
}

std::function<void(DatabaseSearch&)> DatabasePointerHook(std::string startup_dir) {
    return [dir = std::move(startup_dir)](DatabaseSearch& s) {
        auto err = ReadDatabasePointer(dir, DatabaseRecords{s.ini_record, s.db_record, s.remembered_name});
        if (err) throw std::runtime_error(*err);
    };
}

}  // namespace kest
