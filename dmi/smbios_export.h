// A copy of the firmware's SMBIOS table that every user may read: only the
// processor (type 4) and cache (type 7) records and the end-of-table
// structure, without the processor's serial number, asset tag and part
// number, in the layout of `dmidecode --dump-bin` (entry point at offset 0,
// table at 0x20).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "dmi/dmi.h"

namespace kest {

// Where an export file puts its table.
inline constexpr uint64_t kExportTableOffset = 0x20;

// The export image of the table that `memory` holds: the kept structures in
// table order with their handles, an end-of-table structure last, and an
// entry point of the source's form ("_SM_" or "_SM3_", same version) whose
// lengths, count, maximum structure size and checksums describe the new
// table. Of the strings, a record keeps only those its known string fields
// name (renumbered from 1); the removed fields read 0. Throws
// std::runtime_error with a one-line reason when there is no readable table.
std::vector<uint8_t> MakeSmbiosExport(FirmwareMemory& memory);

// Writes bytes to path, mode 0644, atomically: a new file in the same folder,
// synced, then renamed over path. A link at path is replaced, never followed.
// The folder must be a real folder (not a link) owned by root or by the
// running user and writable by nobody else. Nothing is left behind on
// failure. The reason of a failure, or nothing.
std::optional<std::string> WriteExportFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace kest
