// Glue between the window's model and the reports: the report inputs of the
// running window, and the database pointer reading its population calls.
#pragma once

#include <functional>
#include <string>

#include "report/report.h"
#include "view/main_model.h"

namespace kest {

// Points into `model` (keep it alive while the inputs are used).
ReportInputs ReportInputsFor(MainWindowModel& model, std::string date, std::string time);

// The WindowHooks::read_database_pointer of a window whose start-up folder is
// `startup_dir`. Throws std::runtime_error with the I/O error message when
// database.ini cannot be read.
std::function<void(DatabaseSearch&)> DatabasePointerHook(std::string startup_dir);

}  // namespace kest
