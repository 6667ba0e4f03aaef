// This machine's firmware tables on Windows: the SMBIOS table from
// GetSystemFirmwareTable('RSMB'), which needs no administrator.
#include <windows.h>

#include "dmi/dmi.h"

namespace kest {

namespace {

constexpr DWORD kRsmb = 'R' << 24 | 'S' << 16 | 'M' << 8 | 'B';

// A reader that fails every read: no table.
class NoMemory final : public FirmwareMemory {
public:
    std::optional<std::vector<uint8_t>> Read(uint64_t, size_t) override { return std::nullopt; }
};

}  // namespace

std::unique_ptr<FirmwareMemory> MakeLiveFirmwareMemory(const std::string&, const std::string&, const std::string&) {
    const UINT size = GetSystemFirmwareTable(kRsmb, 0, nullptr, 0);
    if (size != 0) {
        std::vector<uint8_t> rsmb(size);
        if (GetSystemFirmwareTable(kRsmb, 0, rsmb.data(), size) == size) {
            if (auto memory = MakeRsmbFirmwareMemory(rsmb, "firmware")) return memory;
        }
    }
    return std::make_unique<NoMemory>();
}

}  // namespace kest
