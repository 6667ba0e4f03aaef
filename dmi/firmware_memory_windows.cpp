// Firmware memory on Windows: the SMBIOS table from
// GetSystemFirmwareTable('RSMB') (no administrator needed), and dmidecode's
// --dump-bin files read through wide file names.
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "cpu/utf16_windows.h"
#include "dmi/dmi.h"

namespace kest {

namespace {

constexpr DWORD kRsmb = 'R' << 24 | 'S' << 16 | 'M' << 8 | 'B';

// The C library's text for a Windows error, as the Linux side says it.
std::string ErrorText(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME: return std::strerror(ENOENT);
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION: return std::strerror(EACCES);
        default: return "Windows error " + std::to_string(error);
    }
}

// A reader that fails every read: no table.
class NoMemory final : public FirmwareMemory {
public:
    std::optional<std::vector<uint8_t>> Read(uint64_t, size_t) override { return std::nullopt; }
};

// A dmidecode --dump-bin file: file offsets are addresses, the entry point
// lies at offset 0. Only a regular file is accepted.
class DumpFileMemory final : public FirmwareMemory {
public:
    DumpFileMemory(const std::string& path, std::string source) : source_(std::move(source)) {
        file_ = CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (file_ == INVALID_HANDLE_VALUE)
            throw std::runtime_error(path + ": cannot open the DMI dump file (" + ErrorText(GetLastError()) + ")");
        BY_HANDLE_FILE_INFORMATION info{};
        if (GetFileType(file_) != FILE_TYPE_DISK || !GetFileInformationByHandle(file_, &info) ||
            (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            CloseHandle(file_);
            throw std::runtime_error(path + ": cannot open the DMI dump file (not a regular file)");
        }
        size_ = uint64_t(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
    }
    ~DumpFileMemory() override { CloseHandle(file_); }
    DumpFileMemory(const DumpFileMemory&) = delete;
    DumpFileMemory& operator=(const DumpFileMemory&) = delete;

    std::optional<std::vector<uint8_t>> Read(uint64_t address, size_t length) override {
        if (address > size_ || length > size_ - address) return std::nullopt;
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
            OVERLAPPED at{};
            at.Offset = static_cast<DWORD>(address + done);
            at.OffsetHigh = static_cast<DWORD>((address + done) >> 32);
            DWORD n = 0;
            const DWORD want = static_cast<DWORD>(std::min<size_t>(length - done, 1u << 30));
            if (!ReadFile(file_, bytes.data() + done, want, &n, &at) || n == 0) break;
            done += n;
        }
        if (done == 0 && length > 0) return std::nullopt;
        bytes.resize(done);
        return bytes;
    }
    std::optional<uint64_t> KnownEntryPoint() const override { return 0; }
    std::string Source() const override { return source_; }

private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
    std::string source_;
    uint64_t size_ = 0;
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

std::unique_ptr<FirmwareMemory> MakeDumpFirmwareMemory(const std::string& path, const std::string& source) {
    return std::make_unique<DumpFileMemory>(path, source);
}

}  // namespace kest
