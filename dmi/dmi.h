// The processor (type 4) and cache (type 7) records of the firmware's
// SMBIOS structure table.
//
// Decoding works over FirmwareMemory, a reader of runs of bytes at physical
// addresses. Every read is bounds-checked against what was actually read: a
// malformed table never makes the decoding read outside it, and whatever
// cannot be decoded counts as unreadable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kest {

// The SMBIOS structure types the program reads, and the end of the table.
inline constexpr uint8_t kSmbiosProcessor = 4;
inline constexpr uint8_t kSmbiosCache = 7;
inline constexpr uint8_t kSmbiosEndOfTable = 127;

// Reads runs of firmware memory at physical addresses.
class FirmwareMemory {
public:
    virtual ~FirmwareMemory() = default;
    // The bytes at [address, address + length), or nothing when any of them
    // cannot be read.
    virtual std::optional<std::vector<uint8_t>> Read(uint64_t address, size_t length) = 0;
    // The bytes at [address, address + max_length) that are there: all of
    // them, or the run up to where the readable bytes end (a file, a copy
    // trimmed to its real size). Nothing when not even the first byte can be
    // read. By default, a whole-run Read.
    virtual std::optional<std::vector<uint8_t>> ReadUpTo(uint64_t address, size_t max_length) {
        return Read(address, max_length);
    }
    // Where the source already knows the address of its entry point (a dump
    // file, the kernel's copy of the tables), that address; otherwise the
    // firmware segment 0xF0000-0xFFFFF is scanned for it.
    virtual std::optional<uint64_t> KnownEntryPoint() const { return std::nullopt; }
    // Where the bytes come from: "memory" (/dev/mem), "sysfs" (the kernel's
    // copies), "export" (the boot-time export for every user), "file" (a
    // dump the user named); "" for other readers.
    virtual std::string Source() const { return ""; }
};

struct DmiCacheRecord {
    uint16_t handle = 0;
    uint16_t config = 0;
    std::string sramsupp;
    std::string sramcurr;
    uint16_t speedns = 0;
    std::string ecctype;
    std::string cachetype;
    bool operator==(const DmiCacheRecord&) const = default;
};

struct DmiProcessorInfo {
    bool dmiread = false;
    // The reader's Source() when the table was read, otherwise "".
    std::string source;
    uint16_t extclock = 0, maxspeed = 0, curspeed = 0;
    std::string cpustatus;
    // 0xFFFF: the processor record names no such cache, or there is no
    // processor record (0 could be a real cache record's handle).
    uint16_t l1handle = 0xFFFF, l2handle = 0xFFFF, l3handle = 0xFFFF;
    // Every type 7 record of the table, in table order.
    std::vector<DmiCacheRecord> caches;
    bool operator==(const DmiProcessorInfo&) const = default;
};

// The structure table as read, with the start of every structure that lies
// wholly inside it.
struct DmiTable {
    // The entry point was found, the table read and at least one structure
    // indexed.
    bool read = false;
    uint64_t entry = 0;    // address of the entry point
    bool smbios3 = false;  // "_SM3_" entry point: no structure count
    uint64_t address = 0;  // table address
    uint32_t length = 0;   // table length (SMBIOS 3: its maximum size)
    uint32_t count = 0;    // structure count of the entry point (SMBIOS 3: 0)
    std::vector<uint8_t> bytes;
    std::vector<uint32_t> offsets;
};

// "_SM_" tables larger than this count as unreadable; of a "_SM3_" table,
// whose entry point gives only a maximum size, at most this much is read.
inline constexpr uint32_t kMaxDmiTableLength = 16u << 20;

// The address of the entry point: the source's own when it knows it,
// otherwise the highest "_SM_" anchor in 0xF0000-0xFFFFF (every byte is
// tried), or when there is none the highest "_SM3_" anchor. Nothing when the
// segment cannot be read or holds no anchor.
std::optional<uint64_t> FindSmbiosEntry(FirmwareMemory& memory);
// Finds the entry point, reads the whole table and indexes its structures.
// A "_SM3_" table is read as far as its bytes are there, up to its maximum
// size, and indexed up to its end-of-table structure.
DmiTable ReadDmiTable(FirmwareMemory& memory);

// The last processor record of the table: dmiread, the clocks, the status
// and the three cache handles. Fields that lie outside the record's
// formatted area (older, shorter records) read as 0, an empty status, and
// handle 0xFFFF.
void DecodeDmiProcessor(const DmiTable& table, DmiProcessorInfo& info);
// Every cache record of the table, in table order. Fields outside a record's
// formatted area read as 0.
std::vector<DmiCacheRecord> DecodeDmiCaches(const DmiTable& table);

// The programs' start-up read: reads the table once and decodes into `info`
// the processor record (as DecodeDmiProcessor: what an unreadable table
// does not reset stays) and every cache record. Without a source (nullptr)
// the firmware counts as unreadable.
void ReadDmiAtStartup(FirmwareMemory* memory, DmiProcessorInfo& info);
// Reads the table once and decodes both.
DmiProcessorInfo ReadDmi(FirmwareMemory& memory);

// The cache record with this handle (the last one when several have it), or
// nullptr; 0xFFFF never names a record.
const DmiCacheRecord* FindDmiCache(const DmiProcessorInfo& info, uint16_t handle);

// Texts of the processor status (bits 0-2), the error correction type, the
// system cache type and the SRAM type word (one name per set bit 0-6).
std::string CpuStatusText(uint8_t status);
std::string EccTypeText(uint8_t value);
std::string SystemCacheTypeText(uint8_t value);
std::string SramTypeText(uint16_t word);

// A cache record's configuration word as texts: location (bits 5-6),
// operational mode (bits 8-9), enabled (bit 7) and socketed (bit 3).
struct DmiCacheConfigTexts {
    std::string location;  // "Internal", "External", "N/A", "Unknown"
    std::string mode;      // "Write Through", "Write Back", "Varies with Memory Address", "Unknown"
    std::string status;    // "Enabled", "Disabled"
    std::string socket;    // "Socketed", "Non-socketed"
};
DmiCacheConfigTexts DecodeDmiCacheConfig(uint16_t config);

// Where kestrune-dmi-export leaves its copy of the table for every user.
inline constexpr const char* kDmiExportPath = "/run/kestrune/smbios.bin";

// This machine's firmware tables, from the first of these that holds a
// readable table: /dev/mem (an anchor in the firmware segment, the table it
// names); the kernel's copies (smbios_entry_point and DMI in sysfs_dir),
// presented with the entry point at address 0 and the table at the address
// it names; the export file (dump layout; none when export_path is empty).
// The first two are root's only; the export is how everybody else reads the
// table. Otherwise a reader that fails every read.
// On Windows (firmware_memory_windows.cpp) the arguments name nothing: the
// table is GetSystemFirmwareTable's 'RSMB' copy, readable by every user,
// Source() "firmware".
std::unique_ptr<FirmwareMemory> MakeLiveFirmwareMemory(
    const std::string& devmem = "/dev/mem",
    const std::string& sysfs_dir = "/sys/firmware/dmi/tables",
    const std::string& export_path = kDmiExportPath);
// A table as Windows hands it out (GetSystemFirmwareTable 'RSMB'): an 8-byte
// header (calling method, SMBIOS major and minor version, DMI revision, table
// length) followed by the table. Presented as a "_SM3_" entry point at
// address 0 with the table behind it, so that it decodes as far as its
// end-of-table structure. nullptr when the buffer is shorter than its header
// says.
std::unique_ptr<FirmwareMemory> MakeRsmbFirmwareMemory(const std::vector<uint8_t>& rsmb,
                                                       const std::string& source);
// The kernel's copies in a folder laid out like /sys/firmware/dmi/tables;
// nullptr when they cannot be read or the entry point has no anchor.
std::unique_ptr<FirmwareMemory> MakeKernelTablesMemory(const std::string& dir);
// A file written by `dmidecode --dump-bin`: the entry point at offset 0, file
// offsets serve as addresses. Throws std::runtime_error when it cannot be
// opened.
// `source` is what Source() says.
std::unique_ptr<FirmwareMemory> MakeDumpFirmwareMemory(const std::string& path,
                                                       const std::string& source = "file");

}  // namespace kest
