// Windows' copy of the SMBIOS table ('RSMB') as firmware memory.
#include <algorithm>
#include <cstring>

#include "dmi/dmi.h"

namespace kest {

namespace {

constexpr size_t kRsmbHeader = 8;
constexpr uint64_t kTableAddress = 0x20;

// The entry point and the table in one run of bytes from address 0.
class FlatMemory final : public FirmwareMemory {
public:
    FlatMemory(std::vector<uint8_t> bytes, std::string source) : bytes_(std::move(bytes)), source_(std::move(source)) {}

    std::optional<std::vector<uint8_t>> Read(uint64_t address, size_t length) override {
        if (address > bytes_.size() || length > bytes_.size() - address) return std::nullopt;
        return Slice(address, length);
    }
    std::optional<std::vector<uint8_t>> ReadUpTo(uint64_t address, size_t length) override {
        if (address >= bytes_.size()) return std::nullopt;
        return Slice(address, static_cast<size_t>(std::min<uint64_t>(length, bytes_.size() - address)));
    }
    std::optional<uint64_t> KnownEntryPoint() const override { return 0; }
    std::string Source() const override { return source_; }

private:
    std::vector<uint8_t> Slice(uint64_t address, size_t length) const {
        const auto first = bytes_.begin() + static_cast<std::ptrdiff_t>(address);
        return std::vector<uint8_t>(first, first + static_cast<std::ptrdiff_t>(length));
    }

    std::vector<uint8_t> bytes_;
    std::string source_;
};

}  // namespace

std::unique_ptr<FirmwareMemory> MakeRsmbFirmwareMemory(const std::vector<uint8_t>& rsmb, const std::string& source) {
    if (rsmb.size() < kRsmbHeader) return nullptr;
    const uint32_t length = uint32_t(rsmb[4]) | uint32_t(rsmb[5]) << 8 | uint32_t(rsmb[6]) << 16 | uint32_t(rsmb[7]) << 24;
    if (length > rsmb.size() - kRsmbHeader) return nullptr;

    std::vector<uint8_t> image(kTableAddress + length, 0);
    uint8_t* e = image.data();
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
    std::copy(rsmb.begin() + kRsmbHeader, rsmb.begin() + static_cast<std::ptrdiff_t>(kRsmbHeader + length),
              image.begin() + kTableAddress);
    return std::make_unique<FlatMemory>(std::move(image), source);
}

}  // namespace kest
