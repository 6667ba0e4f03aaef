#include "dmi/dmi.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "cpu/format.h"

namespace kest {

namespace {

constexpr uint64_t kSegmentStart = 0xF0000;
constexpr size_t kSegmentLength = 0x10000;

// Bytes of each entry point that the reading needs: "_SM_" up to the
// structure count (0x1C-0x1D), "_SM3_" up to the table address (0x10-0x17).
constexpr size_t kEntry2Length = 0x1E;
constexpr size_t kEntry3Length = 0x18;


uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint64_t Le64(const uint8_t* p) {
    return static_cast<uint64_t>(Le32(p)) | (static_cast<uint64_t>(Le32(p + 4)) << 32);
}

bool HasAnchor(const std::vector<uint8_t>& bytes, size_t at, const char* anchor) {
    size_t n = std::strlen(anchor);
    return at + n <= bytes.size() && std::memcmp(bytes.data() + at, anchor, n) == 0;
}

// The highest position of anchor in the segment, wholly inside it.
std::optional<size_t> HighestAnchor(const std::vector<uint8_t>& segment, const char* anchor) {
    size_t n = std::strlen(anchor);
    if (segment.size() < n) return std::nullopt;
    for (size_t at = segment.size() - n + 1; at-- > 0;)
        if (HasAnchor(segment, at, anchor)) return at;
    return std::nullopt;
}

// One structure of an indexed table: its formatted area lies inside the
// table, so any field that lies inside the formatted area can be read.
class Structure {
public:
    Structure(const DmiTable& table, uint32_t offset)
        : p_(table.bytes.data() + offset), length_(p_[1]) {}
    uint8_t Type() const { return p_[0]; }
    uint16_t Handle() const { return Le16(p_ + 2); }
    std::optional<uint8_t> Byte(size_t off) const {
        if (off + 1 > length_) return std::nullopt;
        return p_[off];
    }
    std::optional<uint16_t> Word(size_t off) const {
        if (off + 2 > length_) return std::nullopt;
        return Le16(p_ + off);
    }

private:
    const uint8_t* p_;
    size_t length_;
};

// Indexes the structures from the start of the table: up to the count of a
// "_SM_" table, up to and including the end-of-table structure of a "_SM3_"
// table. The walk stops at the first structure that does not lie wholly
// inside the table (formatted area shorter than its 4-byte header, formatted
// area or string set past the end, string set without its final zero).
void IndexStructures(DmiTable& t) {
    const std::vector<uint8_t>& b = t.bytes;
    const size_t len = b.size();
    size_t pos = 0;
    while (t.smbios3 || t.offsets.size() < t.count) {
        if (pos + 4 > len) break;
        const size_t formatted = b[pos + 1];
        if (formatted < 4) break;
        const size_t p = pos + formatted;  // end of the formatted area
        if (p + 2 > len) break;
        // The string set ends at the first pair of zero bytes at or after p.
        size_t k = p + 1;
        while (k < len && !(b[k - 1] == 0 && b[k] == 0)) ++k;
        if (k >= len) break;
        t.offsets.push_back(static_cast<uint32_t>(pos));
        const uint8_t type = b[pos];
        pos = k + 1;
        if (t.smbios3 && type == kSmbiosEndOfTable) break;
    }
}

}  // namespace

std::string CpuStatusText(uint8_t status) {
    static constexpr std::array<const char*, 8> kTexts = {
        "Unknown", "CPU Enabled", "CPU Disabled by user", "CPU Disabled by POST",
        "Idle",    "",            "",                     "Other"};
    return kTexts[status & 7];
}

std::string EccTypeText(uint8_t value) {
    static constexpr std::array<const char*, 7> kTexts = {
        "N/A", "N/A", "Unknown", "None", "Parity", "Single-bit ECC", "Multi-bit ECC"};
    return value < kTexts.size() ? kTexts[value] : "";
}

std::string SystemCacheTypeText(uint8_t value) {
    static constexpr std::array<const char*, 6> kTexts = {"N/A",         "N/A",  "Unknown",
                                                          "Instruction", "Data", "Unified"};
    return value < kTexts.size() ? kTexts[value] : "";
}

std::string SramTypeText(uint16_t word) {
    static constexpr std::array<const char*, 7> kNames = {
        "N/A",          "Unknown ",        "Non-Burst ",  "Burst ",
        "Pipeline Burst ", "Synchronous ", "Asynchronous "};
    std::string text;
    const auto bits = BitsOf(word);
    for (size_t i = 0; i < kNames.size(); ++i)
        if (bits[i]) text += kNames[i];
    return text;
}

std::optional<uint64_t> FindSmbiosEntry(FirmwareMemory& memory) {
    if (auto known = memory.KnownEntryPoint()) return known;
    const auto segment = memory.Read(kSegmentStart, kSegmentLength);
    if (!segment) return std::nullopt;
    if (auto at = HighestAnchor(*segment, "_SM_")) return kSegmentStart + *at;
    if (auto at = HighestAnchor(*segment, "_SM3_")) return kSegmentStart + *at;
    return std::nullopt;
}

DmiTable ReadDmiTable(FirmwareMemory& memory) {
    DmiTable t;
    const auto entry = FindSmbiosEntry(memory);
    if (!entry) return t;
    t.entry = *entry;

    // The anchor decides the layout; the shorter "_SM3_" entry point is read
    // first so that a "_SM3_" near the end of readable memory still counts.
    const auto head = memory.Read(t.entry, kEntry3Length);
    if (!head) return t;
    if (HasAnchor(*head, 0, "_SM3_")) {
        t.smbios3 = true;
        t.length = Le32(head->data() + 0x0C);
        t.address = Le64(head->data() + 0x10);
    } else if (HasAnchor(*head, 0, "_SM_")) {
        const auto ep = memory.Read(t.entry, kEntry2Length);
        if (!ep) return t;
        t.length = Le16(ep->data() + 0x16);
        t.address = Le32(ep->data() + 0x18);
        t.count = Le16(ep->data() + 0x1C);
    } else {
        return t;
    }
    if (t.length < 4) return t;
    std::optional<std::vector<uint8_t>> bytes;
    if (t.smbios3) {
        // The entry point gives the maximum size; the kernel's copy and
        // dmidecode's dumps hold only the table itself.
        bytes = memory.ReadUpTo(t.address, std::min(t.length, kMaxDmiTableLength));
        if (!bytes || bytes->size() < 4 || bytes->size() > t.length) return t;
    } else {
        if (t.length > kMaxDmiTableLength) return t;
        bytes = memory.Read(t.address, t.length);
        if (!bytes || bytes->size() != t.length) return t;
    }
    t.bytes = std::move(*bytes);
    IndexStructures(t);
    t.read = !t.offsets.empty();
    return t;
}

void DecodeDmiProcessor(const DmiTable& table, DmiProcessorInfo& info) {
    info.dmiread = table.read;
    std::optional<Structure> cpu;
    if (table.read)
        for (uint32_t off : table.offsets) {
            Structure s(table, off);
            if (s.Type() == kSmbiosProcessor) cpu = s;
        }
    if (!cpu) {
        info.extclock = 0;
        info.curspeed = 0;
        return;
    }
    info.extclock = cpu->Word(0x12).value_or(0);
    info.maxspeed = cpu->Word(0x14).value_or(0);
    info.curspeed = cpu->Word(0x16).value_or(0);
    const auto status = cpu->Byte(0x18);
    info.cpustatus = status ? CpuStatusText(*status) : "";
    // The cache handles arrived with SMBIOS 2.1; a shorter record names no
    // cache.
    info.l1handle = cpu->Word(0x1A).value_or(0xFFFF);
    info.l2handle = cpu->Word(0x1C).value_or(0xFFFF);
    info.l3handle = cpu->Word(0x1E).value_or(0xFFFF);
}

std::vector<DmiCacheRecord> DecodeDmiCaches(const DmiTable& table) {
    std::vector<DmiCacheRecord> caches;
    if (!table.read) return caches;
    for (uint32_t off : table.offsets) {
        Structure s(table, off);
        if (s.Type() != kSmbiosCache) continue;
        DmiCacheRecord c;
        c.handle = s.Handle();
        c.config = s.Word(0x05).value_or(0);
        c.sramsupp = SramTypeText(s.Word(0x0B).value_or(0));
        c.sramcurr = SramTypeText(s.Word(0x0D).value_or(0));
        c.speedns = s.Byte(0x0F).value_or(0);
        c.ecctype = EccTypeText(s.Byte(0x10).value_or(0));
        c.cachetype = SystemCacheTypeText(s.Byte(0x11).value_or(0));
        caches.push_back(std::move(c));
    }
    return caches;
}

void ReadDmiAtStartup(FirmwareMemory* memory, DmiProcessorInfo& info) {
    const DmiTable table = memory ? ReadDmiTable(*memory) : DmiTable{};
    DecodeDmiProcessor(table, info);
    info.source = table.read ? memory->Source() : "";
    info.caches = DecodeDmiCaches(table);
}

DmiProcessorInfo ReadDmi(FirmwareMemory& memory) {
    const DmiTable table = ReadDmiTable(memory);
    DmiProcessorInfo info;
    DecodeDmiProcessor(table, info);
    if (table.read) info.source = memory.Source();
    info.caches = DecodeDmiCaches(table);
    return info;
}

const DmiCacheRecord* FindDmiCache(const DmiProcessorInfo& info, uint16_t handle) {
    if (handle == 0xFFFF) return nullptr;
    const DmiCacheRecord* found = nullptr;
    for (const auto& c : info.caches)
        if (c.handle == handle) found = &c;
    return found;
}

}  // namespace kest
