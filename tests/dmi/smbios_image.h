// Builders of SMBIOS byte images and an in-memory firmware for the tests.
#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "dmi/dmi.h"

namespace kest::test {

using Bytes = std::vector<uint8_t>;

inline void Put16(Bytes& b, size_t at, uint16_t v) {
    b.at(at) = static_cast<uint8_t>(v);
    b.at(at + 1) = static_cast<uint8_t>(v >> 8);
}
inline void Put32(Bytes& b, size_t at, uint32_t v) {
    Put16(b, at, static_cast<uint16_t>(v));
    Put16(b, at + 2, static_cast<uint16_t>(v >> 16));
}
inline void Put64(Bytes& b, size_t at, uint64_t v) {
    Put32(b, at, static_cast<uint32_t>(v));
    Put32(b, at + 4, static_cast<uint32_t>(v >> 32));
}

inline Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

// A structure: the 4-byte header, a zeroed formatted area of `length` bytes
// in all, then the string set (two zero bytes when there are no strings).
struct StructureBuilder {
    Bytes formatted;
    std::vector<std::string> strings;

    StructureBuilder(uint8_t type, uint16_t handle, uint8_t length) : formatted(length, 0) {
        formatted.at(0) = type;
        formatted.at(1) = length;
        Put16(formatted, 2, handle);
    }
    StructureBuilder& Byte(size_t at, uint8_t v) {
        formatted.at(at) = v;
        return *this;
    }
    StructureBuilder& Word(size_t at, uint16_t v) {
        Put16(formatted, at, v);
        return *this;
    }
    StructureBuilder& Strings(std::vector<std::string> s) {
        strings = std::move(s);
        return *this;
    }
    Bytes Build() const {
        Bytes b = formatted;
        for (const auto& s : strings) {
            b.insert(b.end(), s.begin(), s.end());
            b.push_back(0);
        }
        if (strings.empty()) b.push_back(0);
        b.push_back(0);
        return b;
    }
};

struct CpuFields {
    uint16_t handle = 0x0400;
    uint16_t extclock = 0, maxspeed = 0, curspeed = 0;
    uint8_t status = 0x41;
    uint16_t l1 = 0x0700, l2 = 0x0701, l3 = 0x0702;
    uint8_t length = 0x23;
};

inline Bytes Processor(const CpuFields& f) {
    StructureBuilder s(4, f.handle, f.length);
    auto put16 = [&](size_t at, uint16_t v) {
        if (at + 2 <= f.length) s.Word(at, v);
    };
    put16(0x12, f.extclock);
    put16(0x14, f.maxspeed);
    put16(0x16, f.curspeed);
    if (0x18 < f.length) s.Byte(0x18, f.status);
    put16(0x1A, f.l1);
    put16(0x1C, f.l2);
    put16(0x1E, f.l3);
    return s.Strings({"CPU0", "Example"}).Build();
}

struct CacheFields {
    uint16_t handle = 0x0700;
    uint16_t config = 0x0180;
    uint16_t supported = 0x0020, current = 0x0020;
    uint8_t speed = 0, ecc = 3, type = 5;
    uint8_t length = 0x13;
};

inline Bytes Cache(const CacheFields& f) {
    StructureBuilder s(7, f.handle, f.length);
    auto put16 = [&](size_t at, uint16_t v) {
        if (at + 2 <= f.length) s.Word(at, v);
    };
    auto put8 = [&](size_t at, uint8_t v) {
        if (at < f.length) s.Byte(at, v);
    };
    put16(0x05, f.config);
    put16(0x0B, f.supported);
    put16(0x0D, f.current);
    put8(0x0F, f.speed);
    put8(0x10, f.ecc);
    put8(0x11, f.type);
    return s.Strings({"L1 Cache"}).Build();
}

inline Bytes Bios() { return StructureBuilder(0, 0x0000, 0x18).Strings({"Vendor", "1.0"}).Build(); }
inline Bytes EndOfTable() { return StructureBuilder(127, 0xFEFF, 4).Build(); }

// "_SM_" entry point (31 bytes).
inline Bytes Entry2(uint32_t table_address, uint16_t table_length, uint16_t count) {
    Bytes e(0x1F, 0);
    e[0] = '_', e[1] = 'S', e[2] = 'M', e[3] = '_';
    e[5] = 0x1F;
    e[0x10] = '_', e[0x11] = 'D', e[0x12] = 'M', e[0x13] = 'I', e[0x14] = '_';
    Put16(e, 0x16, table_length);
    Put32(e, 0x18, table_address);
    Put16(e, 0x1C, count);
    return e;
}

// "_SM3_" entry point (24 bytes).
inline Bytes Entry3(uint64_t table_address, uint32_t max_length) {
    Bytes e(0x18, 0);
    e[0] = '_', e[1] = 'S', e[2] = 'M', e[3] = '3', e[4] = '_';
    e[6] = 0x18;
    e[7] = 3;
    Put32(e, 0x0C, max_length);
    Put64(e, 0x10, table_address);
    return e;
}

// Firmware memory made of runs of bytes; a read succeeds only inside one run
// and records every request.
class FakeMemory : public FirmwareMemory {
public:
    std::map<uint64_t, Bytes> chunks;
    std::optional<uint64_t> entry;
    int reads = 0;
    size_t largest = 0;  // the longest run asked for

    std::optional<std::vector<uint8_t>> Read(uint64_t address, size_t length) override {
        ++reads;
        largest = std::max(largest, length);
        for (const auto& [start, bytes] : chunks)
            if (address >= start && address - start <= bytes.size() &&
                length <= bytes.size() - (address - start)) {
                auto first = bytes.begin() + static_cast<std::ptrdiff_t>(address - start);
                return Bytes(first, first + static_cast<std::ptrdiff_t>(length));
            }
        return std::nullopt;
    }
    std::optional<uint64_t> KnownEntryPoint() const override { return entry; }

    // The firmware segment 0xF0000-0xFFFFF, zeroed, with entry points placed
    // at the given addresses.
    Bytes& Segment() {
        auto& seg = chunks[0xF0000];
        if (seg.empty()) seg.assign(0x10000, 0);
        return seg;
    }
    void PlaceInSegment(uint64_t address, const Bytes& bytes) {
        Bytes& seg = Segment();
        std::copy(bytes.begin(), bytes.end(), seg.begin() + static_cast<std::ptrdiff_t>(address - 0xF0000));
    }
};

// A firmware with one "_SM_" entry point at 0xF0010 naming this table at
// 0x000E0000 with this structure count.
inline FakeMemory Firmware(const Bytes& table, uint16_t count) {
    FakeMemory m;
    m.PlaceInSegment(0xF0010, Entry2(0xE0000, static_cast<uint16_t>(table.size()), count));
    m.chunks[0xE0000] = table;
    return m;
}

}  // namespace kest::test
