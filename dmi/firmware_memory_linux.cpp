// This machine's firmware tables on Linux: /dev/mem, else the kernel's
// copies in sysfs, else the boot-time export.
#include <stdexcept>

#include "dmi/dmi.h"

namespace kest {

std::unique_ptr<FirmwareMemory> MakeLiveFirmwareMemory(const std::string& devmem, const std::string& sysfs_dir,
                                                       const std::string& export_path) {
    auto physical = MakePhysicalFirmwareMemory(devmem);
    if (ReadDmiTable(*physical).read) return physical;
    auto kernel = MakeKernelTablesMemory(sysfs_dir);
    if (kernel && ReadDmiTable(*kernel).read) return kernel;
    if (!export_path.empty()) {
        try {
            auto exported = MakeDumpFirmwareMemory(export_path, "export");
            if (ReadDmiTable(*exported).read) return exported;
        } catch (const std::runtime_error&) {
            // No export (not written yet, or no such service here).
        }
    }
    return physical;
}

}  // namespace kest
