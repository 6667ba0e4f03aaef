// Readers of firmware memory on Linux: /dev/mem, the kernel's copies of the
// SMBIOS tables, and dmidecode's --dump-bin files.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <utility>

#include "dmi/dmi.h"

namespace kest {

namespace {

// [address, address + length) lies inside [0, size).
bool Inside(uint64_t address, size_t length, uint64_t size) {
    return address <= size && length <= size - address;
}

// A file whose byte offsets are physical addresses: /dev/mem, or in tests a
// file laid out the same way. Any failure to open or read is a failed read.
class PhysicalFileMemory : public FirmwareMemory {
public:
    explicit PhysicalFileMemory(const std::string& path)
        : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~PhysicalFileMemory() override {
        if (fd_ >= 0) ::close(fd_);
    }
    PhysicalFileMemory(const PhysicalFileMemory&) = delete;
    PhysicalFileMemory& operator=(const PhysicalFileMemory&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    std::string Source() const override { return "memory"; }

    std::optional<std::vector<uint8_t>> Read(uint64_t address, size_t length) override {
        auto bytes = ReadUpTo(address, length);
        if (!bytes || bytes->size() != length) return std::nullopt;
        return bytes;
    }

    std::optional<std::vector<uint8_t>> ReadUpTo(uint64_t address, size_t length) override {
        if (fd_ < 0) return std::nullopt;
        constexpr uint64_t kMaxOffset = static_cast<uint64_t>(INT64_MAX);
        if (address > kMaxOffset || length > kMaxOffset - address) return std::nullopt;
        std::vector<uint8_t> bytes(length);
        size_t done = 0;
        while (done < length) {
            const ssize_t n = ::pread(fd_, bytes.data() + done, length - done,
                                      static_cast<off_t>(address + done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            done += static_cast<size_t>(n);
        }
        if (done == 0 && length > 0) return std::nullopt;
        bytes.resize(done);
        return bytes;
    }

private:
    int fd_;
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

// The whole of a small file, or nothing when it cannot be read or is larger
// than limit.
std::optional<std::vector<uint8_t>> ReadSmallFile(const std::string& path, size_t limit) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<uint8_t> bytes;
    char buf[4096];
    while (in.read(buf, sizeof buf) || in.gcount() > 0) {
        bytes.insert(bytes.end(), buf, buf + in.gcount());
        if (bytes.size() > limit) return std::nullopt;
    }
    if (in.bad()) return std::nullopt;
    return bytes;
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
        : fd_(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)), source_(std::move(source)) {
        struct stat st {};
        if (fd_ < 0 || ::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
            const std::string why = fd_ < 0 ? std::strerror(errno) : "not a regular file";
            if (fd_ >= 0) ::close(fd_);
            throw std::runtime_error(path + ": cannot open the DMI dump file (" + why + ")");
        }
        size_ = static_cast<uint64_t>(st.st_size);
    }
    ~DumpFileMemory() override { ::close(fd_); }
    DumpFileMemory(const DumpFileMemory&) = delete;
    DumpFileMemory& operator=(const DumpFileMemory&) = delete;

    std::optional<std::vector<uint8_t>> Read(uint64_t address, size_t length) override {
        if (!Inside(address, length, size_)) return std::nullopt;
        auto bytes = ReadUpTo(address, length);
        if (!bytes || bytes->size() != length) return std::nullopt;
        return bytes;
    }
    std::optional<std::vector<uint8_t>> ReadUpTo(uint64_t address, size_t length) override {
        if (address >= size_) return std::nullopt;
        length = static_cast<size_t>(std::min<uint64_t>(length, size_ - address));
        std::vector<uint8_t> bytes(length);
        size_t done = 0;
        while (done < length) {
            const ssize_t n = ::pread(fd_, bytes.data() + done, length - done, static_cast<off_t>(address + done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            done += static_cast<size_t>(n);
        }
        if (done == 0 && length > 0) return std::nullopt;
        bytes.resize(done);
        return bytes;
    }
    std::optional<uint64_t> KnownEntryPoint() const override { return 0; }
    std::string Source() const override { return source_; }

private:
    int fd_;
    std::string source_;
    uint64_t size_ = 0;
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
