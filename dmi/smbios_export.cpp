#include "dmi/smbios_export.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>
#include <stdexcept>

#include "cpu/file_io.h"

namespace kest {

namespace {

constexpr uint16_t kEndOfTableHandle = 0xFEFF;

// The string fields of each kept type: those whose strings stay, and those
// set to 0 with their strings gone. Every other string of a record goes too.
struct StringFields {
    std::vector<size_t> keep;
    std::vector<size_t> clear;
};
// Processor: socket designation, manufacturer, version stay; serial number,
// asset tag and part number go. Cache: the socket designation stays.
const StringFields kProcessorStrings{{0x04, 0x07, 0x10}, {0x20, 0x21, 0x22}};
const StringFields kCacheStrings{{0x04}, {}};

void Put16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    Put16(b, at, static_cast<uint16_t>(v));
    Put16(b, at + 2, static_cast<uint16_t>(v >> 16));
}
void Put64(std::vector<uint8_t>& b, size_t at, uint64_t v) {
    Put32(b, at, static_cast<uint32_t>(v));
    Put32(b, at + 4, static_cast<uint32_t>(v >> 32));
}
// The byte that makes bytes [from, to) sum to 0.
uint8_t Checksum(const std::vector<uint8_t>& b, size_t from, size_t to) {
    uint8_t sum = 0;
    for (size_t i = from; i < to; ++i) sum = static_cast<uint8_t>(sum + b[i]);
    return static_cast<uint8_t>(0x100 - sum);
}

// One indexed structure rebuilt: its formatted area with the string fields
// rewritten, then its new string set.
std::vector<uint8_t> Rebuild(const DmiTable& table, uint32_t offset, const StringFields& fields) {
    const std::vector<uint8_t>& b = table.bytes;
    const size_t formatted = b[offset + 1];
    std::vector<uint8_t> out(b.begin() + offset, b.begin() + static_cast<std::ptrdiff_t>(offset + formatted));

    // The strings: up to the first pair of zero bytes after the formatted
    // area (indexing found it inside the table).
    std::vector<std::string> strings;
    const size_t p = offset + formatted;
    size_t k = p + 1;
    while (!(b[k - 1] == 0 && b[k] == 0)) ++k;
    for (size_t s = p; s < k - 1;) {
        const size_t e = static_cast<size_t>(std::find(b.begin() + static_cast<std::ptrdiff_t>(s),
                                                       b.begin() + static_cast<std::ptrdiff_t>(k - 1), 0) -
                                             b.begin());
        strings.emplace_back(b.begin() + static_cast<std::ptrdiff_t>(s), b.begin() + static_cast<std::ptrdiff_t>(e));
        s = e + 1;
    }

    for (size_t at : fields.clear)
        if (at < formatted) out[at] = 0;
    // Kept strings in the order of their old numbers. A field naming no
    // string that exists, or an empty one (which a string set cannot hold:
    // its zero would end the set), reads 0.
    std::set<uint8_t> used;
    for (size_t at : fields.keep)
        if (at < formatted && out[at] != 0 && out[at] <= strings.size() && !strings[out[at] - 1].empty())
            used.insert(out[at]);
    for (size_t at : fields.keep) {
        if (at >= formatted) continue;
        const auto it = used.find(out[at]);
        out[at] = it == used.end() ? 0 : static_cast<uint8_t>(std::distance(used.begin(), it) + 1);
    }
    for (uint8_t n : used) {
        const std::string& s = strings[n - 1];
        out.insert(out.end(), s.begin(), s.end());
        out.push_back(0);
    }
    if (used.empty()) out.push_back(0);
    out.push_back(0);
    return out;
}

}  // namespace

std::vector<uint8_t> MakeSmbiosExport(FirmwareMemory& memory) {
    const DmiTable table = ReadDmiTable(memory);
    if (!table.read) throw std::runtime_error("no readable SMBIOS table");
    // The entry point again, for its version.
    const auto entry = table.smbios3 ? memory.Read(table.entry, 0x18) : memory.ReadUpTo(table.entry, 0x1F);
    if (!entry || entry->size() < (table.smbios3 ? 0x18u : 0x1Eu))
        throw std::runtime_error("the SMBIOS entry point cannot be read again");

    std::vector<uint8_t> out(kExportTableOffset, 0);
    uint16_t count = 0;
    size_t largest = 0;
    std::optional<uint16_t> end_handle;
    std::set<uint16_t> handles;
    auto append = [&](const std::vector<uint8_t>& s) {
        out.insert(out.end(), s.begin(), s.end());
        largest = std::max(largest, s.size());
        ++count;
    };
    for (uint32_t off : table.offsets) {
        const uint8_t type = table.bytes[off];
        const uint16_t handle = static_cast<uint16_t>(table.bytes[off + 2] | (table.bytes[off + 3] << 8));
        if (type == kSmbiosEndOfTable && !end_handle) end_handle = handle;
        if (type != kSmbiosProcessor && type != kSmbiosCache) continue;
        append(Rebuild(table, off, type == kSmbiosProcessor ? kProcessorStrings : kCacheStrings));
        handles.insert(handle);
    }
    // The end-of-table structure keeps its handle; a table without one gets
    // one with a handle no kept record has.
    uint16_t handle = end_handle.value_or(kEndOfTableHandle);
    while (handles.count(handle)) --handle;
    std::vector<uint8_t> end(4, 0);
    end[0] = kSmbiosEndOfTable;
    end[1] = 4;
    Put16(end, 2, handle);
    end.insert(end.end(), {0, 0});
    append(end);

    const size_t length = out.size() - kExportTableOffset;
    const std::vector<uint8_t>& src = *entry;
    if (table.smbios3) {
        std::memcpy(out.data(), "_SM3_", 5);
        out[0x06] = 0x18;
        out[0x07] = src[0x07];  // version major, minor, docrev
        out[0x08] = src[0x08];
        out[0x09] = src[0x09];
        out[0x0A] = 1;  // entry point revision: SMBIOS 3.0
        Put32(out, 0x0C, static_cast<uint32_t>(length));
        Put64(out, 0x10, kExportTableOffset);
        out[0x05] = Checksum(out, 0, 0x18);
    } else {
        std::memcpy(out.data(), "_SM_", 4);
        out[0x05] = 0x1F;
        out[0x06] = src[0x06];  // version major, minor
        out[0x07] = src[0x07];
        Put16(out, 0x08, static_cast<uint16_t>(largest));
        std::memcpy(out.data() + 0x10, "_DMI_", 5);
        Put16(out, 0x16, static_cast<uint16_t>(length));
        Put32(out, 0x18, static_cast<uint32_t>(kExportTableOffset));
        Put16(out, 0x1C, count);
        out[0x1E] = src.size() > 0x1E ? src[0x1E] : 0;  // BCD revision
        out[0x15] = Checksum(out, 0x10, 0x1F);
        out[0x04] = Checksum(out, 0, 0x1F);
    }
    return out;
}

std::optional<std::string> WriteExportFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    AtomicWriteOptions options;
    options.mode = 0644;
    options.guarded_folder = true;
    const FileResult r = WriteFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), options);
    if (r) return std::nullopt;
    const size_t slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const std::string why = std::strerror(r.err);
    switch (r.step) {
        case FileStep::kName: return path + ": names no file";
        case FileStep::kOpenFolder: return dir + ": " + why;
        case FileStep::kFolderOwner: return dir + ": the folder belongs to another user";
        case FileStep::kFolderWritable: return dir + ": the folder is writable by others";
        case FileStep::kCreate: return dir + ": cannot create a file (" + why + ")";
        case FileStep::kWrite: return path + ": write: " + why;
        case FileStep::kMode: return path + ": chmod: " + why;
        case FileStep::kSync: return path + ": sync: " + why;
        case FileStep::kClose: return path + ": close: " + why;
        case FileStep::kRename: return path + ": rename: " + why;
        default: return path + ": " + why;
    }
}

}  // namespace kest
