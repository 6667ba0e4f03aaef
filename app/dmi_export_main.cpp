// kestrune-dmi-export: run once per boot by root (kestrune-dmi-export.service),
// it leaves a copy of the firmware's processor and cache records, without
// serial numbers, where every user's kestrune can read it. It has no
// privilege of its own: --from and --to only name what its user may already
// read and write.
#include <CLI/CLI.hpp>
#include <exception>
#include <iostream>
#include <memory>
#include <string>
#include <sys/stat.h>

#include "dmi/dmi.h"
#include "dmi/smbios_export.h"

int main(int argc, char** argv) {
    CLI::App app{"kestrune-dmi-export: copies the SMBIOS processor and cache records, serial numbers removed, "
                 "to a file every user may read"};
    app.name("kestrune-dmi-export");
    std::string from;
    std::string to = kest::kDmiExportPath;
    app.add_option("--from", from,
                   "read the tables from this folder (laid out like /sys/firmware/dmi/tables) or from a "
                   "dmidecode --dump-bin file instead of this machine's firmware");
    app.add_option("--to", to, "write the export to this file")->capture_default_str();
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return 0;
    } catch (const CLI::ParseError& e) {
        std::cerr << "kestrune-dmi-export: " << e.what() << "\n";
        return 1;
    }

    try {
        std::unique_ptr<kest::FirmwareMemory> memory;
        struct stat st {};
        if (from.empty()) {
            // /dev/mem, then the kernel's copies; never an earlier export.
            memory = kest::MakeLiveFirmwareMemory("/dev/mem", "/sys/firmware/dmi/tables", "");
        } else if (::stat(from.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
            memory = kest::MakeKernelTablesMemory(from);
            if (!memory) throw std::runtime_error(from + ": no readable smbios_entry_point and DMI");
        } else {
            memory = kest::MakeDumpFirmwareMemory(from);
        }
        const auto bytes = kest::MakeSmbiosExport(*memory);
        if (auto error = kest::WriteExportFile(to, bytes)) throw std::runtime_error(*error);
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "kestrune-dmi-export: " << e.what() << "\n";
        return 1;
    }
}
