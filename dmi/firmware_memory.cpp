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

std::unique_ptr<FirmwareMemory> MakeLiveFirmwareMemory(const std::string& devmem, const std::string& sysfs_dir,
                                                       const std::string& export_path) {
    auto physical = std::make_unique<PhysicalFileMemory>(devmem);
    if (physical->IsOpen() && ReadDmiTable(*physical).read) return physical;
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

std::unique_ptr<FirmwareMemory> MakeDumpFirmwareMemory(const std::string& path, const std::string& source) {
    return std::make_unique<DumpFileMemory>(path, source);
}

}  // namespace kest
