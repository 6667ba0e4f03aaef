// Readers of firmware memory: /dev/mem, the kernel's copies of the
// SMBIOS tables, and dmidecode's --dump-bin files.
#include <algorithm>
#include <cstring>
#include <iterator>
#include <stdexcept>
#include <utility>

#include "cpu/file_io.h"
#include "dmi/dmi.h"

namespace kest {

namespace {

// Up to length bytes at address; nothing when not one byte can be read.
std::optional<std::vector<uint8_t>> ReadSome(InputFile& file, uint64_t address, size_t length) {
    constexpr uint64_t kMaxOffset = static_cast<uint64_t>(INT64_MAX);
    if (address > kMaxOffset || length > kMaxOffset - address) return std::nullopt;
    std::vector<uint8_t> bytes(length);
    int err = 0;
    const auto n = file.ReadAt(address, bytes.data(), length, err);
    if (!n || (*n == 0 && length > 0)) return std::nullopt;
    bytes.resize(*n);
    return bytes;
}

// [address, address + length) lies inside [0, size).
bool Inside(uint64_t address, size_t length, uint64_t size) {
    return address <= size && length <= size - address;
}

// A file whose byte offsets are physical addresses: /dev/mem, or in tests a
// file laid out the same way. Any failure to open or read is a failed read.
class PhysicalFileMemory : public FirmwareMemory {
public:
    explicit PhysicalFileMemory(const std::string& path) : file_(path, kDeviceOptions) {}

    bool IsOpen() const { return file_.IsOpen(); }
    std::string Source() const override { return "memory"; }

    std::optional<std::vector<uint8_t>> Read(uint64_t address, size_t length) override {
        auto bytes = ReadUpTo(address, length);
        if (!bytes || bytes->size() != length) return std::nullopt;
        return bytes;
    }

    std::optional<std::vector<uint8_t>> ReadUpTo(uint64_t address, size_t length) override {
        return ReadSome(file_, address, length);
    }

private:
    static constexpr InputFileOptions kDeviceOptions{.regular_only = false, .follow_links = false};
    InputFile file_;
};

// Runs of bytes held in memory at given addresses; a read succeeds when it
// lies wholly inside one of them.
class ImageMemory : public FirmwareMemory {
public:
    void Add(uint64_t address, std::vector<uint8_t> bytes) {
        chunks_.emplace_back(address, std::move(bytes));
    }
    void SetEntryPoint(uint64_t address) { entry_ = address; }
    void SetSource(std::string source) { source_ = std::move(source); }
    std::string Source() const override { return source_; }

    std::optional<std::vector<uint8_t>> Read(uint64_t address, size_t length) override {
        for (const auto& [start, bytes] : chunks_) {
            if (address < start || !Inside(address - start, length, bytes.size())) continue;
            const auto first = bytes.begin() + static_cast<std::ptrdiff_t>(address - start);
            return std::vector<uint8_t>(first, first + static_cast<std::ptrdiff_t>(length));
        }
        return std::nullopt;
    }
    std::optional<std::vector<uint8_t>> ReadUpTo(uint64_t address, size_t length) override {
        for (const auto& [start, bytes] : chunks_) {
            if (address < start || address - start >= bytes.size()) continue;
            const size_t n = static_cast<size_t>(std::min<uint64_t>(length, bytes.size() - (address - start)));
            const auto first = bytes.begin() + static_cast<std::ptrdiff_t>(address - start);
            return std::vector<uint8_t>(first, first + static_cast<std::ptrdiff_t>(n));
        }
        return std::nullopt;
    }
    std::optional<uint64_t> KnownEntryPoint() const override { return entry_; }

private:
    std::vector<std::pair<uint64_t, std::vector<uint8_t>>> chunks_;
    std::optional<uint64_t> entry_;
    std::string source_;
};

// The whole of a small regular file, or nothing when it cannot be read or
// is larger than limit.
std::optional<std::vector<uint8_t>> ReadSmallFile(const std::string& path, size_t limit) {
    const FileContents file = ReadWholeFile(path, limit, {});
    if (!file.result) return std::nullopt;
    return std::vector<uint8_t>(file.bytes.begin(), file.bytes.end());
}

}  // namespace

// The entry point at address 0, the table at the address the entry point
// names.
std::unique_ptr<FirmwareMemory> MakeKernelTablesMemory(const std::string& dir) {
    auto entry = ReadSmallFile(dir + "/smbios_entry_point", 64);
    if (!entry) return nullptr;
    auto table = ReadSmallFile(dir + "/DMI", kMaxDmiTableLength);
    if (!table) return nullptr;
    uint64_t address = 0;
    const uint8_t* e = entry->data();
    if (entry->size() >= 0x18 && std::memcmp(e, "_SM3_", 5) == 0) {
        for (int i = 7; i >= 0; --i) address = (address << 8) | e[0x10 + i];
    } else if (entry->size() >= 0x1C && std::memcmp(e, "_SM_", 4) == 0) {
        for (int i = 3; i >= 0; --i) address = (address << 8) | e[0x18 + i];
    } else {
        return nullptr;
    }
    auto memory = std::make_unique<ImageMemory>();
    memory->Add(0, std::move(*entry));
    memory->Add(address, std::move(*table));
    memory->SetEntryPoint(0);
    memory->SetSource("sysfs");
    return memory;
}

namespace {

// A dmidecode --dump-bin file: file offsets are addresses, the entry point
// lies at offset 0. Read from the file on every request. Only a regular file
// is accepted; it is opened without blocking, so a FIFO cannot hang us.
class DumpFileMemory : public FirmwareMemory {
public:
    DumpFileMemory(const std::string& path, std::string source)
        : file_(path, {.regular_only = true, .follow_links = true}), source_(std::move(source)) {
        if (!file_.IsOpen()) {
            const FileResult e = file_.Error();
            const std::string why = e.step == FileStep::kOpen ? std::strerror(e.err) : "not a regular file";
            throw std::runtime_error(path + ": cannot open the DMI dump file (" + why + ")");
        }
    }

    std::optional<std::vector<uint8_t>> Read(uint64_t address, size_t length) override {
        if (!Inside(address, length, file_.Size())) return std::nullopt;
        auto bytes = ReadUpTo(address, length);
        if (!bytes || bytes->size() != length) return std::nullopt;
        return bytes;
    }
    std::optional<std::vector<uint8_t>> ReadUpTo(uint64_t address, size_t length) override {
        if (address >= file_.Size()) return std::nullopt;
        return ReadSome(file_, address, static_cast<size_t>(std::min<uint64_t>(length, file_.Size() - address)));
    }
    std::optional<uint64_t> KnownEntryPoint() const override { return 0; }
    std::string Source() const override { return source_; }

private:
    InputFile file_;
    std::string source_;
};

}  // namespace

std::unique_ptr<FirmwareMemory> MakePhysicalFirmwareMemory(const std::string& path) {
    return std::make_unique<PhysicalFileMemory>(path);
}

std::unique_ptr<FirmwareMemory> MakeDumpFirmwareMemory(const std::string& path, const std::string& source) {
    return std::make_unique<DumpFileMemory>(path, source);
}

// Windows' copy of the table ('RSMB'): a "_SM3_" entry point made up from
// its header at address 0, the table at 0x20.
std::unique_ptr<FirmwareMemory> MakeRsmbFirmwareMemory(const std::vector<uint8_t>& rsmb, const std::string& source) {
    constexpr size_t kRsmbHeader = 8;
    constexpr uint64_t kTableAddress = 0x20;
    if (rsmb.size() < kRsmbHeader) return nullptr;
    const uint32_t length = uint32_t(rsmb[4]) | uint32_t(rsmb[5]) << 8 | uint32_t(rsmb[6]) << 16 | uint32_t(rsmb[7]) << 24;
    if (length > rsmb.size() - kRsmbHeader) return nullptr;

    std::vector<uint8_t> entry(kTableAddress, 0);
    uint8_t* e = entry.data();
    std::memcpy(e, "_SM3_", 5);
    e[0x06] = 0x18;     // entry point length
    e[0x07] = rsmb[1];  // major version
    e[0x08] = rsmb[2];  // minor version
    e[0x09] = rsmb[3];  // docrev
    e[0x0A] = 1;        // entry point revision
    for (int i = 0; i < 4; ++i) e[0x0C + i] = static_cast<uint8_t>(length >> (8 * i));
    e[0x10] = static_cast<uint8_t>(kTableAddress);
    uint8_t sum = 0;
    for (int i = 0; i < 0x18; ++i) sum = static_cast<uint8_t>(sum + e[i]);
    e[0x05] = static_cast<uint8_t>(-sum);
    auto memory = std::make_unique<ImageMemory>();
    memory->Add(0, std::move(entry));
    memory->Add(kTableAddress, std::vector<uint8_t>(rsmb.begin() + kRsmbHeader,
                                                    rsmb.begin() + static_cast<std::ptrdiff_t>(kRsmbHeader + length)));
    memory->SetEntryPoint(0);
    memory->SetSource(source);
    return memory;
}

}  // namespace kest
