// A dmidecode --dump-bin file as given to kestrune-cli --dmi-dump: the
// SMBIOS decoding of the processor and cache records and their JSON, and
// kestrune-dmi-export's copy of the table.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "dmi/dmi.h"
#include "dmi/smbios_export.h"
#include "fuzz_common.h"

namespace {

// The dump's bytes with file offsets as addresses and the entry point at 0,
// like the dump file reader: a read past the end fails, a read up to a
// maximum gets the bytes that are there.
class BytesMemory : public kest::FirmwareMemory {
public:
    BytesMemory(const uint8_t* data, size_t size) : bytes_(data, data + size) {}
    std::optional<std::vector<uint8_t>> Read(uint64_t address, size_t length) override {
        if (address > bytes_.size() || length > bytes_.size() - address) return std::nullopt;
        return std::vector<uint8_t>(bytes_.begin() + static_cast<std::ptrdiff_t>(address),
                                    bytes_.begin() + static_cast<std::ptrdiff_t>(address + length));
    }
    std::optional<std::vector<uint8_t>> ReadUpTo(uint64_t address, size_t length) override {
        if (address >= bytes_.size()) return std::nullopt;
        return Read(address, std::min<uint64_t>(length, bytes_.size() - address));
    }
    std::optional<uint64_t> KnownEntryPoint() const override { return 0; }

private:
    std::vector<uint8_t> bytes_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    BytesMemory memory(data, size);
    const kest::DmiTable table = kest::ReadDmiTable(memory);
    for (uint32_t off : table.offsets) {
        kest::fuzz::Check(off + 4 <= table.bytes.size(), "structure outside the table");
        kest::fuzz::Check(off + table.bytes[off + 1] <= table.bytes.size(), "formatted area outside the table");
    }
    kest::DmiProcessorInfo info;
    kest::ReadDmiAtStartup(&memory, info);
    kest::fuzz::Check(info.dmiread == table.read, "two readings of one table disagree");
    if (!table.read) kest::fuzz::Check(info.caches.empty(), "cache records from an unread table");
    for (uint16_t h : {info.l1handle, info.l2handle, info.l3handle}) {
        const kest::DmiCacheRecord* c = kest::FindDmiCache(info, h);
        kest::fuzz::Check(!c || c->handle == h, "cache record found under another handle");
    }

    // The DMI texts reach the user through the JSON output (the reports do
    // not carry them): it stays valid.
    const std::string json = kest::ToJson(info).dump();
    kest::fuzz::Check(nlohmann::json::parse(json)["dmiread"] == info.dmiread, "JSON does not read back");

    // The export of a readable table holds the same records, and exporting
    // the export changes nothing.
    if (table.read) {
        const std::vector<uint8_t> image = kest::MakeSmbiosExport(memory);
        BytesMemory exported(image.data(), image.size());
        kest::fuzz::Check(kest::ToJson(kest::ReadDmi(exported)) == kest::ToJson(kest::ReadDmi(memory)),
                          "the export reads differently");
        kest::fuzz::Check(kest::MakeSmbiosExport(exported) == image, "exporting the export changes it");
    }
    return 0;
}
