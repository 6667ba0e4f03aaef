// The processor (type 4) and cache (type 7) records of the firmware's
// SMBIOS structure table.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kest {

// Reads runs of firmware memory at physical addresses.
class FirmwareMemory {
public:
    virtual ~FirmwareMemory() = default;
    // The bytes at [address, address + length), or nothing when any of them
    // cannot be read.
    virtual std::optional<std::vector<uint8_t>> Read(uint64_t address, size_t length) = 0;
};

struct DmiCacheRecord {
    uint16_t handle = 0;
    uint16_t config = 0;
    std::string sramsupp;
    std::string sramcurr;
    uint16_t speedns = 0;
    std::string ecctype;
    std::string cachetype;
};

struct DmiProcessorInfo {
    bool dmiread = false;
    uint16_t extclock = 0, maxspeed = 0, curspeed = 0;
    std::string cpustatus;
    uint16_t l1handle = 0, l2handle = 0, l3handle = 0;
    std::array<DmiCacheRecord, 8> caches{};
};

// Finds the table, decodes the last processor record and the cache records.
DmiProcessorInfo ReadDmi(FirmwareMemory& memory);

// This machine's firmware tables: /dev/mem, else the kernel's copies in
// /sys/firmware/dmi/tables.
std::unique_ptr<FirmwareMemory> MakeLiveFirmwareMemory();
// A file written by `dmidecode --dump-bin`. Throws std::runtime_error when it
// cannot be opened.
std::unique_ptr<FirmwareMemory> MakeDumpFirmwareMemory(const std::string& path);

}  // namespace kest
